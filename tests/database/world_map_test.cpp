// The world map: grid sizing, cell lookup, events, the stage names it holds,
// WorldMap.dat round trips, older files and refused files.
#include <gtest/gtest.h>

#include "database/system_old_stream.h"
#include "database/world_map.h"
#include "db_test_support.h"
#include "records/version.h"
#include "support/record_services_spy.h"
#include "support/temp_dir.h"
#include "support/written_bytes.h"

namespace {

class WorldMapTest : public dbtest::cDbTest {
protected:
    // m written as a file of version v and loaded into a fresh object, as
    // LoadFile does; the stream must be read whole and exactly.
    cWorldMap LoadAt(cWorldMap& m, uint32_t v) {
        const std::vector<uint8_t> bytes = oldsys::WorldMapDat(m, v);
        cWorldMap back;
        nReadVersion = v;
        cDataReader r(bytes.data() + 4, bytes.size() - 4);
        back.Load(r);
        EXPECT_FALSE(r.Failed()) << "version " << v << ": " << r.FailReason();
        EXPECT_EQ(r.Remaining(), 0u) << "version " << v;
        nReadVersion = nDataVersion;
        return back;
    }

    cTempDir tmp;
    cRecordServicesSpy spy;
};

cWorldEvent Event(int x, int y, const char* name) {
    cWorldEvent e;
    e.nX = x;
    e.nY = y;
    e.strName = name;
    return e;
}

cWorldPage StagePage(const char* file, int startSwitch = 0, int v1 = 1, int v2 = 0) {
    cWorldPage p;
    p.strStageFile = file;
    p.bStartSwitch = startSwitch;
    p.nStartValue1 = v1;
    p.nStartValue2 = v2;
    return p;
}

TEST_F(WorldMapTest, DefaultMapIsTwentyByFifteenWithOneNamedEvent) {
    cWorldMap m;
    EXPECT_EQ(m.strName, "ワールド");
    EXPECT_EQ(m.nWidth, 20);
    EXPECT_EQ(m.nHeight, 15);
    EXPECT_EQ(m.nPitch, 32);
    EXPECT_EQ(m.nPitchShift, 5);
    EXPECT_EQ(m.vCell.size(), 480u);
    EXPECT_EQ(m.nStartX, 9);
    EXPECT_EQ(m.nStartY, 7);
    EXPECT_EQ(m.nBackColor, 16);
    EXPECT_EQ(m.bBackPicture, 0);
    EXPECT_TRUE(m.vEvent.empty());
    EXPECT_TRUE(m.vChip.empty());
    ASSERT_EQ(m.vNamedEvent.size(), 1u);
    EXPECT_EQ(m.vNamedEvent[0].strName, "デフォルト");
    ASSERT_EQ(m.vNamedEvent[0].vPage.size(), 1u);  // a new event has one new page
    const cWorldPage& p = m.vNamedEvent[0].vPage[0];
    EXPECT_EQ(p.nStartValue1, 1);
    EXPECT_EQ(p.nKind + p.nMinTotal + p.bStartSwitch + p.nStartValue2 + p.nClearFlag, 0);
    EXPECT_TRUE(spy.debug.empty());
}

TEST_F(WorldMapTest, SetSizeRoundsThePitchUpToAPowerOfTwo) {
    cWorldMap m;
    EXPECT_EQ(m.SetSize(32, 1), 1);
    EXPECT_EQ(m.nPitch, 32);
    EXPECT_EQ(m.SetSize(33, 1), 1);
    EXPECT_EQ(m.nPitch, 64);
    EXPECT_EQ(m.nPitchShift, 6);
    EXPECT_EQ(m.SetSize(1, 3), 1);
    EXPECT_EQ(m.nPitch, 1);
    EXPECT_EQ(m.nPitchShift, 0);
    EXPECT_EQ(m.vCell.size(), 3u);
    ASSERT_FALSE(spy.debug.empty());
    EXPECT_EQ(spy.debug.back(), "nBeforeWidth = 33,nBeforePitch = 64,nBeforePitch_Shift = 6");
}

TEST_F(WorldMapTest, SetSizeRefusesAZeroSize) {
    cWorldMap m;
    EXPECT_EQ(m.SetSize(0, 5), 0);
    EXPECT_EQ(m.SetSize(5, 0), 0);
    EXPECT_EQ(m.nWidth, 20);
    EXPECT_EQ(m.vCell.size(), 480u);
    ASSERT_EQ(spy.debug.size(), 2u);
    EXPECT_EQ(spy.debug[0], "SetSize()で 0 を指定しました！");
}

TEST_F(WorldMapTest, ShrinkingKeepsTheRemainingCellsAndValidationDropsEventsOutside) {
    cWorldMap m;
    SetStandardChips(m.vChip);
    m.vCell[m.GetCellIndex(3, 2)] = 7;
    m.vCell[m.GetCellIndex(12, 2)] = 8;
    m.vEvent = {Event(3, 2, "in"), Event(12, 2, "right"), Event(1, 9, "below"), Event(-1, 0, "left")};
    ASSERT_EQ(m.SetSize(10, 5), 1);
    EXPECT_EQ(m.nPitch, 16);
    EXPECT_EQ(m.vCell.size(), 80u);
    EXPECT_EQ(m.vCell[m.GetCellIndex(3, 2)], 7);
    m.Validate();
    ASSERT_EQ(m.vEvent.size(), 2u);
    EXPECT_EQ(m.vEvent[0].strName, "in");
    EXPECT_EQ(m.vEvent[1].strName, "left");  // left of the map is kept: only x < width is tested
    EXPECT_EQ(m.nStartX, 9);
    EXPECT_EQ(m.nStartY, 4);
    ASSERT_EQ(m.SetSize(20, 5), 1);  // growing again brings back zeros
    EXPECT_EQ(m.vCell[m.GetCellIndex(12, 2)], 0);
    EXPECT_EQ(m.vCell[m.GetCellIndex(3, 2)], 7);
}

TEST_F(WorldMapTest, CellIndexClampsIntoTheMapAndEventsAreFoundInListOrder) {
    cWorldMap m;
    EXPECT_EQ(m.GetCellIndex(3, 2), 2 * 32 + 3);
    EXPECT_EQ(m.GetCellIndex(-4, -1), 0);
    EXPECT_EQ(m.GetCellIndex(25, 20), 14 * 32 + 19);
    m.vEvent = {Event(1, 1, "a"), Event(2, 1, "b"), Event(2, 1, "c")};
    ASSERT_NE(m.FindEventAtPos(2, 1), nullptr);
    EXPECT_EQ(m.FindEventAtPos(2, 1)->strName, "b");
    EXPECT_EQ(m.FindEventAtPos(1, 2), nullptr);
}

TEST_F(WorldMapTest, StageKeyDropsTheExtensionAndAFinalMinusOne) {
    EXPECT_EQ(GetStageKey("stage\\w1-1.stg"), "stage\\w1.");
    EXPECT_EQ(GetStageKey("stage\\w1.stg"), "stage\\w1.");
    EXPECT_EQ(GetStageKey("a-1b-2.stg"), "a.");
    EXPECT_EQ(GetStageKey("noext"), "noext.");
    EXPECT_EQ(GetStageKey("表\\ソ.stg"), "表\\ソ.");  // "表" and "ソ" end in the byte of "\"
}

TEST_F(WorldMapTest, HasEventMatchesStagePagesByNameAndStartValues) {
    cWorldMap m;
    cWorldEvent e = Event(1, 1, "e");
    e.vPage = {StagePage("s1.stg"), StagePage("s2-1.stg", 1, 4, 5)};
    e.vPage[0].nKind = 0;
    cWorldEvent path = Event(2, 1, "path");
    path.vPage = {StagePage("s3.stg")};
    path.vPage[0].nKind = 1;
    m.vEvent = {e, path};
    EXPECT_EQ(m.HasEvent("s1.", 0, 0, 0), 1);
    EXPECT_EQ(m.HasEvent("s1.", 1, 1, 0), 0);  // that page has no start switch
    EXPECT_EQ(m.HasEvent("s2.", 1, 4, 5), 1);
    EXPECT_EQ(m.HasEvent("s2.", 1, 4, 6), 0);
    EXPECT_EQ(m.HasEvent("s2.", 0, 4, 5), 0);
    EXPECT_EQ(m.HasEvent("s3.", 0, 0, 0), 0);  // not a stage page
    EXPECT_EQ(m.HasEvent("s1", 0, 0, 0), 0);
}

cWorldMap Sample() {
    cWorldMap m;
    m.strName = "世界";
    m.strBackPicture = "bmp\\back.bmp";
    m.bBackPicture = 1;
    m.nBackColor = 200;
    m.SetSize(5, 3);
    m.nStartX = 4;
    m.nStartY = 2;
    SetStandardChips(m.vChip);
    m.vChip.emplace_back();
    m.vChip[10].nReserved = 77;
    m.vChip[10].strNote = "メモ";
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) m.vCell[m.GetCellIndex(x, y)] = (x + y) % 11;
    cWorldEvent e = Event(4, 2, "城");
    cWorldPage p = StagePage("stage\\castle.stg", 1, 3, 4);
    p.nGraphicRow = 2;
    p.nClearFlag = 12;
    p.bManual = 1;
    p.bRepeat = 1;
    p.nAfterClear = 2;
    p.nRequiredFlag = 5;
    p.nVariable = 6;
    p.nCompareValue = -3;
    p.nOperator = 7;
    p.nMinTotal = 900;
    p.strTitle = "最後の城";
    e.vPage = {p, StagePage("b.stg")};
    m.vEvent = {e, Event(0, 0, "始まり")};
    m.vNamedEvent[0].vPage[0].strTitle = "名前付き";
    return m;
}

void ExpectSamePage(const cWorldPage& a, const cWorldPage& b) {
    EXPECT_EQ(std::tie(a.nKind, a.nGraphicRow, a.nClearFlag, a.bManual, a.bRepeat, a.nAfterClear, a.nRequiredFlag,
                       a.nVariable, a.nCompareValue, a.nOperator, a.nMinTotal, a.bStartSwitch, a.nStartValue1,
                       a.nStartValue2, a.strTitle, a.strStageFile),
              std::tie(b.nKind, b.nGraphicRow, b.nClearFlag, b.bManual, b.bRepeat, b.nAfterClear, b.nRequiredFlag,
                       b.nVariable, b.nCompareValue, b.nOperator, b.nMinTotal, b.bStartSwitch, b.nStartValue1,
                       b.nStartValue2, b.strTitle, b.strStageFile));
}

void ExpectSameEvents(const cSafeVector<cWorldEvent>& a, const cSafeVector<cWorldEvent>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(std::tie(a[i].nX, a[i].nY, a[i].strName), std::tie(b[i].nX, b[i].nY, b[i].strName));
        ASSERT_EQ(a[i].vPage.size(), b[i].vPage.size());
        for (size_t k = 0; k < a[i].vPage.size(); ++k) ExpectSamePage(a[i].vPage[k], b[i].vPage[k]);
    }
}

TEST_F(WorldMapTest, SavedMapLoadsBackFieldByField) {
    cWorldMap m = Sample();
    const std::string path = tmp.File("WorldMap.dat");
    ASSERT_EQ(m.SaveFile(path), 1);
    ASSERT_EQ(WorldMap.LoadFile(path), 1);
    const cWorldMap& b = WorldMap;
    EXPECT_EQ(std::tie(m.nWidth, m.nHeight, m.nPitch, m.nPitchShift, m.nStartX, m.nStartY, m.nBackColor,
                       m.bBackPicture, m.strName, m.strBackPicture),
              std::tie(b.nWidth, b.nHeight, b.nPitch, b.nPitchShift, b.nStartX, b.nStartY, b.nBackColor,
                       b.bBackPicture, b.strName, b.strBackPicture));
    ASSERT_EQ(b.vChip.size(), 11u);
    for (size_t i = 0; i < 11; ++i)
        EXPECT_EQ(std::tie(m.vChip[i].nReserved, m.vChip[i].bBlocked, m.vChip[i].nGraphic, m.vChip[i].strName,
                           m.vChip[i].strNote),
                  std::tie(b.vChip[i].nReserved, b.vChip[i].bBlocked, b.vChip[i].nGraphic, b.vChip[i].strName,
                           b.vChip[i].strNote));
    EXPECT_EQ(m.vCell, b.vCell);
    ExpectSameEvents(m.vEvent, b.vEvent);
    ExpectSameEvents(m.vNamedEvent, b.vNamedEvent);
}

TEST_F(WorldMapTest, FileLayoutIsFieldsChipsCellsEventsAndNamedEvents) {
    cWorldMap m;
    m.SetSize(1, 1);
    m.nStartX = m.nStartY = 0;
    m.strName.clear();
    m.vNamedEvent.clear();
    m.vEvent = {Event(0, 0, "")};
    m.vEvent[0].vPage.clear();
    cDataWriter w;
    m.Save(w);
    const std::vector<uint8_t> want = {
        8, 0, 0, 0,                                      // eight numbers
        1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0,  // width, height, pitch, pitch shift
        0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, // start x, start y, colour, picture switch
        2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,              // two strings, both empty
        0, 0, 0, 0,                                      // no chip kinds
        1, 0, 0, 0, 0, 0, 0, 0,                          // one cell: 0
        1, 0, 0, 0,                                      // one event:
        2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,              //   x, y
        1, 0, 0, 0, 1, 0, 0, 0,                          //   its name, empty
        0, 0, 0, 0,                                      //   no pages
        0, 0, 0, 0,                                      // no named events
    };
    EXPECT_EQ(WrittenBytes(w), want);
}

TEST_F(WorldMapTest, FilesBefore812GetExactlyTenStandardChipKinds) {
    cWorldMap m = Sample();  // eleven kinds
    m.vChip[0].strNote = "消える";
    m.vChip[0].nReserved = 5;
    m.vCell[m.GetCellIndex(4, 2)] = 10;
    cWorldMap b = LoadAt(m, 811);
    ASSERT_EQ(b.vChip.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(b.vChip[i].nGraphic, i);
        EXPECT_EQ(b.vChip[i].bBlocked, i < 5 ? 1 : 0);
        EXPECT_EQ(b.vChip[i].strName, i < 5 ? "移動不可" : "移動可");
        EXPECT_TRUE(b.vChip[i].strNote.empty());
    }
    EXPECT_EQ(b.vChip[0].nReserved, 5);
    EXPECT_EQ(b.vCell[b.GetCellIndex(4, 2)], 0);  // named kind 10, which no longer exists
    EXPECT_EQ(b.vCell[b.GetCellIndex(3, 2)], 5);

    m.vChip.resize(3);
    EXPECT_EQ(LoadAt(m, 700).vChip.size(), 10u);
    EXPECT_EQ(LoadAt(m, 812).vChip.size(), 3u);
}

TEST_F(WorldMapTest, PagesOfOlderFilesGetNoMinimumTotalAndTheStartValuesOfANewPage) {
    cWorldMap m = Sample();
    cWorldMap v208 = LoadAt(m, 208);
    const cWorldPage& p = v208.vEvent[0].vPage[0];
    EXPECT_EQ(p.nMinTotal, 0);
    EXPECT_EQ(p.bStartSwitch, 0);
    EXPECT_EQ(p.nStartValue1, 1);
    EXPECT_EQ(p.nStartValue2, 0);
    EXPECT_EQ(p.nOperator, 7);
    EXPECT_EQ(p.strTitle, "最後の城");
    EXPECT_EQ(p.strStageFile, "stage\\castle.stg");
    cWorldMap v757 = LoadAt(m, 757);
    EXPECT_EQ(v757.vEvent[0].vPage[0].nMinTotal, 900);
    EXPECT_EQ(v757.vEvent[0].vPage[0].nStartValue1, 1);
    cWorldMap v758 = LoadAt(m, 758);
    EXPECT_EQ(v758.vEvent[0].vPage[0].nStartValue1, 3);
    EXPECT_EQ(v758.vEvent[0].vPage[0].nStartValue2, 4);
}

TEST_F(WorldMapTest, LoadRepairsCellsNamingMissingKindsAndStartsOutsideTheMap) {
    cWorldMap m = Sample();
    m.vChip.resize(2);
    m.vCell[m.GetCellIndex(1, 1)] = -1;
    m.nStartX = 9;
    m.nStartY = -3;
    m.vEvent.push_back(Event(5, 0, "outside"));
    cWorldMap b = LoadAt(m, 825);
    for (int32_t c : b.vCell) EXPECT_TRUE(c == 0 || c == 1) << c;
    EXPECT_EQ(b.nStartX, 4);
    EXPECT_EQ(b.nStartY, 0);
    EXPECT_EQ(b.vEvent.size(), 2u);
}

TEST_F(WorldMapTest, MapWithoutChipKindsGetsTheStandardKinds) {
    cWorldMap m = Sample();
    m.vChip.clear();
    cWorldMap b = LoadAt(m, 825);
    EXPECT_EQ(b.vChip.size(), 10u);
    EXPECT_EQ(b.vCell[b.GetCellIndex(4, 2)], 6);
}

TEST_F(WorldMapTest, DamagedFilesAreRefusedAndLeaveTheMapAsItWas) {
    cWorldMap m = Sample();
    const std::string path = tmp.File("WorldMap.dat");
    std::vector<uint8_t> bytes = oldsys::WorldMapDat(m, 825);
    WorldMap.strName = "before";
    for (size_t len = 4; len < bytes.size(); ++len) {
        cWorldMap d;
        nReadVersion = 825;
        cDataReader r(bytes.data() + 4, len - 4);
        d.Load(r);
        EXPECT_TRUE(r.Failed()) << len;
    }
    for (size_t len : {size_t(3), bytes.size() / 2, bytes.size() - 1}) {
        ASSERT_TRUE(oldsys::WriteBytes(path, std::vector<uint8_t>(bytes.begin(), bytes.begin() + len)));
        EXPECT_EQ(WorldMap.LoadFile(path), 0) << len;
    }
    struct BAD {
        const char* what;
        void (*damage)(cWorldMap&);
    };
    const BAD bad[] = {
        {"too few cells", [](cWorldMap& x) { x.vCell.pop_back(); }},
        {"zero width", [](cWorldMap& x) { x.nWidth = 0; }},
        {"pitch below the width", [](cWorldMap& x) { x.nWidth = 9; }},
        {"pitch not the power of its shift", [](cWorldMap& x) { x.nPitch = 6; }},
        {"negative height", [](cWorldMap& x) { x.nHeight = -1; }},
    };
    for (const BAD& b : bad) {
        cWorldMap d = Sample();
        b.damage(d);
        ASSERT_TRUE(oldsys::WriteBytes(path, oldsys::WorldMapDat(d, 825)));
        EXPECT_EQ(WorldMap.LoadFile(path), 0) << b.what;
    }
    ASSERT_TRUE(oldsys::WriteBytes(path, oldsys::WorldMapDat(m, 826)));
    EXPECT_EQ(WorldMap.LoadFile(path), 0);
    EXPECT_EQ(bVersionTooNew, 1);
    EXPECT_EQ(WorldMap.strName, "before");
    EXPECT_EQ(WorldMap.nWidth, 20);
}

TEST_F(WorldMapTest, CopiesShareNothingWithTheirSource) {
    cWorldMap m = Sample();
    cWorldMap c = m;
    c.vEvent[0].vPage[0].strTitle = "変更";
    c.vEvent[0].vPage.resize(5);
    EXPECT_EQ(m.vEvent[0].vPage.size(), 2u);
    EXPECT_EQ(m.vEvent[0].vPage[0].strTitle, "最後の城");
    EXPECT_EQ(c.vEvent[0].vPage[4].nStartValue1, 1);
    cDataWriter w;
    c.Save(w);  // registers against c, not m
    EXPECT_EQ(c.Fields()[0].lpOwner, &c);
}

}  // namespace
