// System.dat files of older versions: every switch gets the value that keeps
// the older behaviour, and the lists gain the entries later versions added.
#include <gtest/gtest.h>

#include "database/system_data.h"
#include "database/system_old_stream.h"
#include "db_test_support.h"
#include "records/version.h"
#include "support/record_services_spy.h"

namespace {

class SystemDataOldTest : public dbtest::cDbTest {
protected:
    // s written as a file of version v and loaded into fresh settings.
    // m written as a file of version v and loaded into a fresh object, as
    // LoadFile does; the stream must be read whole and exactly.
    cSystemData LoadAt(cSystemData& m, uint32_t v) {
        const std::vector<uint8_t> bytes = oldsys::SystemDat(m, v);
        cSystemData back;
        nReadVersion = v;
        cDataReader r(bytes.data() + 4, bytes.size() - 4);
        back.Load(r);
        EXPECT_FALSE(r.Failed()) << "version " << v << ": " << r.FailReason();
        EXPECT_EQ(r.Remaining(), 0u) << "version " << v;
        nReadVersion = nDataVersion;
        return back;
    }

    cRecordServicesSpy spy;
};

struct SWITCHCASE {
    int32_t cSystemData::*lpMember;
    uint32_t nBelow;  // files older than this get nOld
    int nOld;
};

const SWITCHCASE SwitchCases[] = {
    {&cSystemData::nCompat113, 113, 0},      {&cSystemData::bPictureTitleMenu, 157, 0},
    {&cSystemData::bShowStageValue, 167, 1},     {&cSystemData::bShowMenuTotal, 167, 1},
    {&cSystemData::bShowChallengeValues, 167, 1},     {&cSystemData::bShowChallengeTotal, 167, 1},
    {&cSystemData::bFontCentring, 170, 0},    {&cSystemData::bReplayRecord, 184, 1},
    {&cSystemData::bTallyDivide, 185, 1},    {&cSystemData::nColorMode, 187, 0},
    {&cSystemData::nCompat188a, 188, 1},     {&cSystemData::nCompat188b, 188, 1},
    {&cSystemData::nCompat188c, 188, 1},     {&cSystemData::bStageSwitch, 191, 0},
    {&cSystemData::bShowStock, 191, 0},     {&cSystemData::nCompat192, 192, 1},
    {&cSystemData::nFontNo, 205, 60},        {&cSystemData::nCompat214, 214, 1},
    {&cSystemData::bPauseRetryStory, 224, 0}, {&cSystemData::bPauseRetryChallenge, 224, 0},
    {&cSystemData::nCompat261, 261, 1},      {&cSystemData::nCompat272, 272, 0},
    {&cSystemData::nCompat287, 287, 0},      {&cSystemData::nBlinkStep, 515, 16},
    {&cSystemData::nCompat525, 525, 1},      {&cSystemData::nCompat555, 555, 1},
    {&cSystemData::nCompat669, 669, 1},      {&cSystemData::nD3DBpp, 670, 0},
    {&cSystemData::nDDBpp, 670, 2},          {&cSystemData::nCompat677, 677, 1},
    {&cSystemData::nCompat695, 695, 1},      {&cSystemData::nCompat696, 696, 1},
    {&cSystemData::nCompat697, 697, 1},      {&cSystemData::nCompat721, 721, 1},
    {&cSystemData::nCompat728, 728, 1},      {&cSystemData::nCompat733, 733, 1},
    {&cSystemData::nCompat744, 744, 1},      {&cSystemData::nCompat749, 749, 1},
    {&cSystemData::nCompat752, 752, 1},      {&cSystemData::bPauseBackToMap, 757, 0},
    {&cSystemData::nCompat763a, 763, 1},     {&cSystemData::nCompat763b, 763, 1},
    {&cSystemData::nCompat768, 768, 1},      {&cSystemData::nCompat773, 773, 1},
    {&cSystemData::nCompat781, 781, 1},      {&cSystemData::nCompat782, 782, 1},
    {&cSystemData::bReverseOnTurn, 783, 1},      {&cSystemData::nCompat793, 793, 1},
    {&cSystemData::nCompat805, 805, 1},      {&cSystemData::nCompat808, 808, 1},
    {&cSystemData::nCompat818a, 818, 1},     {&cSystemData::nCompat818b, 818, 1},
    {&cSystemData::nCompat819, 819, 1},      {&cSystemData::bChooseStorySlot, 821, 0},
    {&cSystemData::nCompat822, 822, 1},
};

TEST_F(SystemDataOldTest, EachSwitchKeepsTheOlderBehaviourBelowItsVersionAndIsReadFromItsVersionOn) {
    for (const SWITCHCASE& c : SwitchCases) {
        cSystemData s;
        s.*c.lpMember = 55;
        cSystemData older = LoadAt(s, c.nBelow - 1);
        EXPECT_EQ(older.*c.lpMember, c.nOld) << "below " << c.nBelow;
        cSystemData stored = LoadAt(s, c.nBelow);
        EXPECT_EQ(stored.*c.lpMember, 55) << "at " << c.nBelow;
    }
}

TEST_F(SystemDataOldTest, Switch637DependsOnWhetherTheFileIsAtMost616) {
    cSystemData s;
    s.nCompat637 = 55;
    EXPECT_EQ(LoadAt(s, 616).nCompat637, 1);
    EXPECT_EQ(LoadAt(s, 620).nCompat637, 0);
    EXPECT_EQ(LoadAt(s, 637).nCompat637, 55);
}

TEST_F(SystemDataOldTest, Switch289FollowsTheStoredColourMode) {
    cSystemData s;
    s.nColorMode = 1;
    EXPECT_EQ(LoadAt(s, 288).bCyclePalette, 0);
    s.nColorMode = 0;
    EXPECT_EQ(LoadAt(s, 288).bCyclePalette, 1);
}

TEST_F(SystemDataOldTest, FilesBefore187GetTheGreenColourKey) {
    cSystemData s;
    s.byColorKey[1] = 9;
    cSystemData older = LoadAt(s, 186);
    EXPECT_EQ(older.byColorKey[0], 0);
    EXPECT_EQ(older.byColorKey[1], 177);
    EXPECT_EQ(older.byColorKey[2], 0);
    EXPECT_EQ(LoadAt(s, 187).byColorKey[1], 9);
}

TEST_F(SystemDataOldTest, DroppedWordOf230IsReadAndDiscardedAndTheListsStayAligned) {
    cSystemData s;
    s.strTitle = "古い";
    s.nCompat214 = 7;
    s.vText[0] = "先頭";
    cSystemData v230 = LoadAt(s, 230);
    EXPECT_EQ(v230.nCompat214, 7);
    EXPECT_EQ(v230.strTitle, "古い");
    EXPECT_EQ(v230.vText[0], "先頭");
    cSystemData v260 = LoadAt(s, 260);
    EXPECT_EQ(v260.nCompat214, 7);
    EXPECT_EQ(v260.vText[0], "先頭");
}

TEST_F(SystemDataOldTest, MapMenuOf168GainsAutosaveAsItsSecondEntry) {
    cSystemData s;
    s.vMapMenu = {cCmd(1, "セーブ"), cCmd(1, "もどる"), cCmd(1, "タイトルへ")};
    cSystemData back = LoadAt(s, 168);
    ASSERT_EQ(back.vMapMenu.size(), 4u);
    const char* want[4] = {"セーブ", "オートセーブ", "もどる", "タイトルへ"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(back.vMapMenu[i].strText, want[i]);
        EXPECT_EQ(back.vMapMenu[i].nEnable, 1);
    }
}

TEST_F(SystemDataOldTest, TextTableOfAVeryOldFileGainsEveryLaterTextAtItsPlace) {
    cSystemData s;
    s.vText.clear();
    for (int i = 0; i < 21; ++i) s.vText.push_back("t" + std::to_string(i));
    cSystemData back = LoadAt(s, 100);
    std::vector<std::string> want;
    for (int i = 0; i <= 7; ++i) want.push_back("t" + std::to_string(i));
    want.push_back("残りHP");
    want.push_back("残りSP");
    for (int i = 8; i <= 11; ++i) want.push_back("t" + std::to_string(i));
    want.push_back("オートセーブＯＮ");
    want.push_back("オートセーブＯＦＦ");
    want.push_back("保存先が不明です！一度は「セーブ」して下さい！");
    for (int i = 12; i <= 16; ++i) want.push_back("t" + std::to_string(i));
    want.push_back("マップへ戻る");
    want.push_back("リトライ");
    want.push_back("マップへ戻る");
    for (int i = 17; i <= 20; ++i) want.push_back("t" + std::to_string(i));
    EXPECT_EQ(std::vector<std::string>(back.vText), want);
}

TEST_F(SystemDataOldTest, TextsOf755GainOnlyTheBackToMapItem) {
    cSystemData s;
    s.vText.erase(s.vText.begin() + 22);  // the table as 755 stored it: 28 texts
    cSystemData back = LoadAt(s, 755);
    ASSERT_EQ(back.vText.size(), 29u);
    EXPECT_EQ(back.vText[21], "リトライ");
    EXPECT_EQ(back.vText[22], "マップへ戻る");
    EXPECT_EQ(back.vText[23], "リトライ");
    EXPECT_EQ(back.vText[28], "F3キーでランキングへ登録");
}

TEST_F(SystemDataOldTest, CarryFlagsOfAVeryOldFileGainTheirThreeLaterEntries) {
    cSystemData s;
    s.vCarryFlag.clear();
    for (int i = 0; i < 22; ++i) s.vCarryFlag.push_back(static_cast<uint8_t>(10 + i));
    cSystemData back = LoadAt(s, 100);
    std::vector<uint8_t> want;
    for (int i = 0; i <= 8; ++i) want.push_back(static_cast<uint8_t>(10 + i));
    want.push_back(0);  // 210
    for (int i = 9; i <= 13; ++i) want.push_back(static_cast<uint8_t>(10 + i));
    want.push_back(0);  // 201
    want.push_back(24);
    want.push_back(25);
    want.push_back(1);  // 168
    for (int i = 16; i <= 21; ++i) want.push_back(static_cast<uint8_t>(10 + i));
    EXPECT_EQ(std::vector<uint8_t>(back.vCarryFlag), want);
}

TEST_F(SystemDataOldTest, OptionsOf280GainDirect3DTheCachesTheStretchAndEnglish) {
    cSystemData s;
    s.vOption.assign(5, cSysOption());
    s.vOption[0].SetNumber("WindowMode", 1);
    s.vOption[1].SetNumber("Bpp", 16);
    s.vOption[2].SetNumber("VSync", 3);
    s.vOption[3].SetNumber("ShowFps", 0);
    s.vOption[4].SetText("FreeStage", "a.stg");
    cSystemData back = LoadAt(s, 280);
    const char* names[10] = {"Direct3D",     "WindowMode",      "Bpp",     "VSync",     "D3D_FontCache",
                             "DD_FontCache", "DD_VideoStretch", "ShowFps", "FreeStage", "English"};
    const int values[10] = {1, 1, 16, 2, 0, 1, 0, 0, 0, 0};
    ASSERT_EQ(back.vOption.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(back.vOption[i].strName, names[i]) << i;
        EXPECT_EQ(back.vOption[i].nValue, values[i]) << i;
        EXPECT_EQ(back.vOption[i].nKind, i == 8 ? 1 : 0) << i;
    }
    EXPECT_EQ(back.vOption[8].strValue, "a.stg");
}

TEST_F(SystemDataOldTest, OptionsOf600GainEnglishAndKeepTheOthers) {
    cSystemData s;
    s.vOption.pop_back();
    s.vOption[3].nValue = 1;
    cSystemData back = LoadAt(s, 600);
    ASSERT_EQ(back.vOption.size(), 10u);
    EXPECT_EQ(back.vOption[9].strName, "English");
    EXPECT_EQ(back.vOption[9].nValue, 0);
    EXPECT_EQ(back.vOption[3].strName, "VSync");
    EXPECT_EQ(back.vOption[3].nValue, 1);
    EXPECT_EQ(back.vOption[8].strName, "FreeStage");
}

TEST_F(SystemDataOldTest, ShiftedOptionKeepsTheTextValueOfTheOptionThatWasAtItsIndex) {
    cSystemData s;
    s.vOption.assign(5, cSysOption());
    s.vOption[0].SetText("Old", "kept");
    cSystemData back = LoadAt(s, 285);
    EXPECT_EQ(back.vOption[0].strName, "Direct3D");
    EXPECT_EQ(back.vOption[0].nKind, 0);
    EXPECT_EQ(back.vOption[0].strValue, "kept");
    EXPECT_EQ(back.vOption[1].strName, "Old");
}

TEST_F(SystemDataOldTest, RankingFlagsOfFilesBefore181LoseTheirHpAndSpTables) {
    cSystemData s;
    cSystemData back = LoadAt(s, 180);
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(std::vector<uint8_t>(back.vGameTypeFlags[t].vFlag), (std::vector<uint8_t>{1, 1, 1, 0, 0}));
        EXPECT_EQ(back.CountEnabledItems(t), 3);
    }
    EXPECT_EQ(back.CountEnabledItems(3), 0);
}

TEST_F(SystemDataOldTest, StockFlagsPlaceFlagsAndClearFlagsOfOldFiles) {
    cSystemData s;
    s.vStartFlag = {1, 1, 1, 0};
    s.vPlaceFlag = {0, 0, 0, 0};
    s.vClearFlag.assign(25, 1);
    cSystemData back = LoadAt(s, 190);
    EXPECT_EQ(std::vector<int32_t>(back.vStartFlag), (std::vector<int32_t>{0, 0, 0, 1}));
    EXPECT_EQ(std::vector<uint8_t>(back.vPlaceFlag), (std::vector<uint8_t>{1, 1, 1, 1}));
    EXPECT_EQ(std::vector<uint8_t>(back.vClearFlag), std::vector<uint8_t>(25, 0));

    cSystemData v202 = LoadAt(s, 202);
    EXPECT_EQ(std::vector<uint8_t>(v202.vPlaceFlag), (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(std::vector<int32_t>(v202.vStartFlag), (std::vector<int32_t>{1, 1, 1, 0}));
    cSystemData v501 = LoadAt(s, 501);
    EXPECT_EQ(std::vector<uint8_t>(v501.vClearFlag), std::vector<uint8_t>(25, 1));
}

TEST_F(SystemDataOldTest, StatusItemsGainTheirSwitchBefore204AndTheGaugeLimitsBefore587) {
    cSystemData s;
    s.vStatusItem.resize(3);
    cSystemData v203 = LoadAt(s, 203);
    ASSERT_EQ(v203.vStatusItem.size(), 5u);
    EXPECT_EQ(v203.vStatusItem[0].nCompat204, 1);
    EXPECT_EQ(v203.vStatusItem[2].nCompat204, 1);
    EXPECT_EQ(v203.vStatusItem[4].nCompat204, 0);  // appended, not read
    for (int i : {2, 3}) {
        EXPECT_EQ(v203.vStatusItem[i].nLimit, 33);
        EXPECT_EQ(v203.vStatusItem[i].bLimitPercent, 1);
    }
    EXPECT_EQ(v203.vStatusItem[0].nLimit, 0);
    EXPECT_EQ(v203.vStatusItem[1].strLabel, "スコア");

    s.vStatusItem[0].nCompat204 = 0;
    cSystemData v586 = LoadAt(s, 586);
    EXPECT_EQ(v586.vStatusItem[0].nCompat204, 0);
    EXPECT_EQ(v586.vStatusItem[3].nLimit, 33);
}

TEST_F(SystemDataOldTest, ListsThatOlderFilesDoNotStoreKeepTheDefaults) {
    cSystemData s;
    s.vRankModeName = {"x"};
    cSystemData back = LoadAt(s, 673);
    EXPECT_EQ(back.vRankModeName.size(), 4u);
    EXPECT_EQ(back.vRankModeName[0], "手動登録（登録名入力）");
    EXPECT_EQ(LoadAt(s, 674).vRankModeName.size(), 1u);
}

TEST_F(SystemDataOldTest, CurrentListsStoredAsAnOlderVersionLoadBackAsTheyWere) {
    const cSystemData s;
    for (uint32_t v : {100u, 167u, 168u, 180u, 192u, 200u, 209u, 285u, 566u, 567u, 671u, 755u, 782u}) {
        cSystemData old = oldsys::AsStoredAt(s, v);
        const cSystemData back = LoadAt(old, v);
        // The entries a load inserts take fixed values; the others come back as they were.
        ASSERT_EQ(back.vText.size(), s.vText.size()) << v;
        for (int i = 0; i < static_cast<int>(s.vText.size()); ++i) {
            if (i != 8 && i != 9 && (i < 14 || i > 16) && (i < 22 || i > 24)) {
                EXPECT_EQ(back.vText[i], s.vText[i]) << v << " text " << i;
            }
        }
        ASSERT_EQ(back.vOption.size(), s.vOption.size()) << v;
        for (size_t i = 0; i < s.vOption.size(); ++i) EXPECT_EQ(back.vOption[i].strName, s.vOption[i].strName) << v;
        ASSERT_EQ(back.vMapMenu.size(), s.vMapMenu.size()) << v;
        for (size_t i = 0; i < s.vMapMenu.size(); ++i) EXPECT_EQ(back.vMapMenu[i].strText, s.vMapMenu[i].strText) << v;
        ASSERT_EQ(back.vCarryFlag.size(), s.vCarryFlag.size()) << v;
        for (int i = 0; i < static_cast<int>(s.vCarryFlag.size()); ++i) {
            if (i != 9 && i != 15 && i != 18) {
                EXPECT_EQ(back.vCarryFlag[i], s.vCarryFlag[i]) << v << " flag " << i;
            }
        }
    }
}

}  // namespace
