#include <gtest/gtest.h>

#include "records/version.h"
#include "stage/anime_set.h"
#include "stage/label_tables.h"
#include "stage/stage_bytes.h"
#include "stage/stage_data_records.h"
#include "stage/stage_fixture.h"

namespace {

// A set written at version v with n entries, read back.
cAnimeSetData AnimeSetAt(uint32_t v, int n) {
    cAnimeSetData set;
    set.strName = "walker";
    set.nOffsetA = 1, set.nOffsetB = 2, set.nOffsetC = 3;
    set.vMove.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        set.vMove[static_cast<size_t>(i)].strName = "m" + std::to_string(i);
        set.vMove[static_cast<size_t>(i)].ResizeFrames(2);
    }
    nDataVersion = v;
    cDataWriter w;
    set.Save(w);
    nDataVersion = DATA_VERSION;
    cAnimeSetData back;
    back.nOffsetC = -1;
    nReadVersion = v;
    cDataReader r(w.Bytes().data(), w.Size());
    back.Load(r);
    nReadVersion = DATA_VERSION;
    EXPECT_FALSE(r.Failed());
    EXPECT_EQ(r.Remaining(), 0u);
    return back;
}

// Records loaded at older versions: the version state back to its start-up values around each test.
class AnimeSetTest : public cStageTest {};
class StageRecordsTest : public cStageTest {};

TEST_F(AnimeSetTest, OldSetsGetFourEntriesWithTheFlyingNames) {
    cAnimeSetData s = AnimeSetAt(100, 2);
    ASSERT_EQ(s.vMove.size(), 4u);
    EXPECT_EQ(s.vMove[0].strName, "m0");
    EXPECT_EQ(s.vMove[2].strName, "飛行");
    EXPECT_EQ(s.vMove[3].strName, "飛行移動");
    ASSERT_EQ(s.vMove[3].vFrame.size(), 1u);
    EXPECT_EQ(s.vMove[3].vFrame[0].nValue2, 1);
    EXPECT_EQ(s.vMove[3].byFlag, 1);
    EXPECT_EQ(s.nOffsetC, -1);  // not stored before 119

    cAnimeSetData t = AnimeSetAt(120, 6);
    ASSERT_EQ(t.vMove.size(), 4u);
    EXPECT_EQ(t.vMove[1].strName, "m1");
    EXPECT_EQ(t.vMove[2].strName, "飛行");
    EXPECT_EQ(t.nOffsetC, 3);

    EXPECT_EQ(AnimeSetAt(DATA_VERSION, 6).vMove.size(), 6u);
    EXPECT_EQ(AnimeSetAt(DATA_VERSION, 6).vMove[5].vFrame.size(), 2u);
}

TEST_F(AnimeSetTest, EntryBefore55HasOnlyItsName) {
    cAnimeSetMove m;
    m.wValue1 = 7;
    nDataVersion = 54;
    cDataWriter w;
    m.Save(w);
    nDataVersion = DATA_VERSION;
    // u32 0 fields, u32 1 string, the empty name, one frame of 20 bytes.
    EXPECT_EQ(w.Size(), 4u + 4u + 4u + 4u + 20u);
}

TEST_F(AnimeSetTest, HostileFrameCountIsRefused) {
    cBytes b;
    b.U32(3).U16(0).U8(1).U16(0).U32(1).EmptyStr().U32(0x7FFFFFFF);
    cAnimeSetMove m;
    cDataReader r(b.Bytes().data(), b.Size());
    m.Load(r);
    EXPECT_TRUE(r.Failed());
}

TEST(LabelTablesTest, TablesEndWithAnEmptyRow) {
    const STAGELABELS& s = StageLabels();
    ASSERT_EQ(s.vHitLevel.size(), 20u);
    EXPECT_EQ(s.vHitLevel[10], "レベル1 (速度制限=600)");
    EXPECT_TRUE(s.vHitLevel.back().empty());
    const OBJECTLABELS& o = ObjectLabels();
    EXPECT_EQ(o.vLetter.size(), 28u);
    EXPECT_EQ(o.vLetter[26], "Z");
    for (const LABELTABLE* t : {&o.vSwitch, &o.vPassGroup, &o.vEnlarge, &o.vHitRangeKind, &s.vColour})
        EXPECT_TRUE(t->back().empty());
}

TEST(LabelTablesTest, PassThroughGroupRows) {
    const OBJECTLABELS& o = ObjectLabels();
    EXPECT_EQ(LabelOf(o.vPassGroup, PassGroupLabelRow(255)), "なし");
    EXPECT_EQ(LabelOf(o.vPassGroup, PassGroupLabelRow(0)), "0");
    EXPECT_EQ(LabelOf(o.vPassGroup, PassGroupLabelRow(7)), "7");
    EXPECT_EQ(PassGroupLabelRow(8), -1);
    EXPECT_EQ(LabelOf(o.vPassGroup, 9), "");  // the terminator is not a row
}

TEST_F(StageRecordsTest, SaveRecordBefore759TakesTheStageAsRankingName) {
    cTextRec r;
    r.strStage = "stage1";
    r.strRankName = "other";
    r.nEvent1 = 4;
    r.nBest = 900;
    nDataVersion = 758;
    cDataWriter w;
    r.Save(w);
    nDataVersion = DATA_VERSION;
    cTextRec back;
    nReadVersion = 758;
    cDataReader rd(w.Bytes().data(), w.Size());
    back.Load(rd);
    nReadVersion = DATA_VERSION;
    EXPECT_EQ(back.nBest, 900);
    EXPECT_EQ(back.nEvent1, 0);
    EXPECT_EQ(back.strRankName, "stage1");
}

TEST_F(StageRecordsTest, LayerClearDefaults) {
    cIntRec r;
    r.ClearLayer();
    EXPECT_EQ(r.a, 1);
    EXPECT_EQ(r.c, 16);
    EXPECT_DOUBLE_EQ(r.f, 0.1);
    EXPECT_EQ(r.b, 0);
}

}  // namespace
