// Stages written at older data versions by the program's own writers laid out
// for that version, loaded into a record whose values differ from both the
// file and the defaults, and checked field by field after the repairs.
#include <gtest/gtest.h>

#include "records/version.h"
#include "stage/definition_context.h"
#include "stage/flow_refs.h"
#include "stage/sample_stage.h"
#include "stage/stage_bytes.h"
#include "stage/stage_fixture.h"
#include "support/record_services_spy.h"

namespace {

class StageOldVersionTest : public cStageTest {
protected:

    // A stage without flows (the command stream of old versions has its own
    // tests) whose stored values differ from every default and repair.
    static void BuildFileStage(cStageData& s) {
        BuildSampleStage(s);
        for (auto& c : s.vChara) c.vFlow.clear();
        for (auto& c : s.vPlacedChara) c.vFlow.clear();
        for (auto& it : s.vItem) it.vCmd.clear();
        for (auto& it : s.vPlacedItem) it.vCmd.clear();
        s.vText.resize(3);
        s.nHeroRange0W = 20, s.nHeroRange0H = 30, s.nHeroRange0FlyW = 21, s.nHeroRange0FlyH = 31;
        s.nCharaRange0W = 11, s.nCharaRange0H = 22, s.nCharaRange0FlyW = 13, s.nCharaRange0FlyH = 23;
        s.bHeroRange0Align = s.bHeroRange0FlyAlign = s.bCharaRange0Align = s.bCharaRange0FlyAlign = 1;
        s.nBgmValue2 = 9;
        s.bBgmContinue = 1;
        s.nHitOption = 4;
        s.bSkipResults = 1;
        s.bStartBanner = 1;
        s.nHeroBodyAW = 40, s.nHeroBodyAH = 41, s.nHeroBodyBW = 42, s.nHeroBodyBH = 43;
        s.bHeroBodyAAlign = 0, s.bHeroBodyBAlign = 1;
        s.nHeroBoxShow1 = 2, s.nHeroBoxColour1 = 7;
        s.nCharaBodyAW = 44, s.nCharaBodyAH = 45, s.nCharaBodyBW = 46, s.nCharaBodyBH = 47;
        s.bCharaBodyAAlign = 0, s.bCharaBodyBAlign = 0;
        s.vRankSwitch.assign(7, 1);
    }

    // The record the file is loaded into: values that no file or repair gives.
    static void PresetTarget(cStageData& t) {
        t.nBgmValue2 = 77;
        t.bBgmContinue = 77;
        t.nHitOption = 77;
        t.bSkipResults = 77;
        t.bStartBanner = 77;
        t.nHeroRange0FlyW = t.nHeroRange0FlyH = 77;
        t.nCharaRange0FlyW = t.nCharaRange0FlyH = 77;
        t.nHeroBodyAW = t.nCharaBodyAH = 77;
        t.nOldWord = 77;
    }

    static cStageData LoadAt(uint32_t v) {
        cStageData s;
        BuildFileStage(s);
        std::vector<uint8_t> bytes = StageFileAtVersion(s, v);
        cStageData t;
        PresetTarget(t);
        EXPECT_TRUE(LoadStageBytes(t, bytes)) << "version " << v;
        return t;
    }
};

TEST_F(StageOldVersionTest, Version154GetsEveryRepair) {
    cStageData t = LoadAt(154);
    EXPECT_EQ(t.nHeroRange0FlyW, 20);  // #42/#43 = #40/#41
    EXPECT_EQ(t.nHeroRange0FlyH, 30);
    EXPECT_EQ(t.nCharaRange0FlyW, 11);  // #66/#67 = #64/#65
    EXPECT_EQ(t.nCharaRange0FlyH, 22);
    EXPECT_EQ(t.bHeroRange0Align, 0);
    EXPECT_EQ(t.bHeroRange0FlyAlign, 0);
    EXPECT_EQ(t.bCharaRange0Align, 0);
    EXPECT_EQ(t.bCharaRange0FlyAlign, 0);
    EXPECT_EQ(t.nBgmValue2, 1);
    ASSERT_EQ(t.vRankSwitch.size(), 5u);
    EXPECT_EQ(t.vRankSwitch[2], 1u);
    EXPECT_EQ(t.vRankSwitch[3], 0u);
    EXPECT_EQ(t.vRankSwitch[4], 0u);
    EXPECT_EQ(t.nHitOption, 1);
    EXPECT_EQ(t.bSkipResults, 0);
    EXPECT_EQ(t.bBgmContinue, 0);
    EXPECT_EQ(t.nHeroBodyAW, 16);
    EXPECT_EQ(t.nHeroBodyAH, 24);
    EXPECT_EQ(t.nHeroBodyBW, 16);
    EXPECT_EQ(t.nHeroBodyBH, 16);
    EXPECT_EQ(t.bHeroBodyAAlign, 1);
    EXPECT_EQ(t.bHeroBodyBAlign, 0);
    EXPECT_EQ(t.nHeroBoxShow1, 0);
    EXPECT_EQ(t.nHeroBoxColour1, 5);
    EXPECT_EQ(t.nCharaBodyAW, 16);
    EXPECT_EQ(t.nCharaBodyAH, 30);
    EXPECT_EQ(t.nCharaBodyBW, 16);
    EXPECT_EQ(t.nCharaBodyBH, 30);
    EXPECT_EQ(t.bCharaBodyAAlign, 1);
    EXPECT_EQ(t.bCharaBodyBAlign, 1);
    EXPECT_EQ(t.nOldWord, 0);
    EXPECT_EQ(t.bStartBanner, 0);
    EXPECT_EQ(t.vText.size(), 1000u);
    // What every version stores is read as stored.
    EXPECT_EQ(t.nWidth, 40);
    EXPECT_EQ(t.nHitLevel, 13);
    EXPECT_EQ(t.nSteps, 3);
    EXPECT_EQ(t.vPlacedChara.size(), 4u);
    EXPECT_EQ(t.FindHero(), 0);
}

// Each guard: the version below it lacks the field (repaired or kept), the
// version itself stores it.
TEST_F(StageOldVersionTest, EachGuardReadsTheFieldFromItsVersionOn) {
    EXPECT_EQ(LoadAt(155).nHeroRange0FlyW, 21);
    EXPECT_EQ(LoadAt(155).bHeroRange0Align, 1);
    EXPECT_EQ(LoadAt(165).nBgmValue2, 1);
    EXPECT_EQ(LoadAt(166).nBgmValue2, 9);
    EXPECT_EQ(LoadAt(182).nHitOption, 1);
    EXPECT_EQ(LoadAt(183).nHitOption, 4);
    EXPECT_EQ(LoadAt(183).bSkipResults, 0);
    EXPECT_EQ(LoadAt(184).bSkipResults, 1);
    EXPECT_EQ(LoadAt(198).bBgmContinue, 0);
    EXPECT_EQ(LoadAt(199).bBgmContinue, 1);
    EXPECT_EQ(LoadAt(199).nHeroBodyAW, 16);
    EXPECT_EQ(LoadAt(199).nHeroBoxColour1, 5);
    EXPECT_EQ(LoadAt(200).nHeroBodyAW, 40);
    EXPECT_EQ(LoadAt(200).nCharaBodyAH, 45);
    EXPECT_EQ(LoadAt(200).nHeroBoxColour1, 7);
    EXPECT_EQ(LoadAt(207).nOldWord, 0);
    EXPECT_EQ(LoadAt(208).nOldWord, 77);
    EXPECT_EQ(LoadAt(224).bStartBanner, 0);
    EXPECT_EQ(LoadAt(225).bStartBanner, 1);
}

TEST_F(StageOldVersionTest, RankingSwitchesBecomeFiveBelow181) {
    cStageData t = LoadAt(180);
    ASSERT_EQ(t.vRankSwitch.size(), 5u);
    EXPECT_EQ(t.vRankSwitch[0], 1u);
    EXPECT_EQ(t.vRankSwitch[3], 0u);
    EXPECT_EQ(LoadAt(181).vRankSwitch.size(), 7u);
}

TEST_F(StageOldVersionTest, TextsBecomeExactlyOneThousandBelow754) {
    EXPECT_EQ(LoadAt(753).vText.size(), 1000u);
    EXPECT_EQ(LoadAt(754).vText.size(), 3u);
    cStageData s;
    BuildFileStage(s);
    s.vText.resize(1200);
    s.vText[999].strText = "last kept";
    cStageData t;
    ASSERT_TRUE(LoadStageBytes(t, StageFileAtVersion(s, 753)));
    ASSERT_EQ(t.vText.size(), 1000u);
    EXPECT_EQ(t.vText[999].strText, "last kept");
}

TEST_F(StageOldVersionTest, TrailerIsReadFrom173On) {
    cStageData s;
    BuildFileStage(s);
    std::vector<uint8_t> v172 = StageFileAtVersion(s, 172);
    std::vector<uint8_t> v173 = StageFileAtVersion(s, 173);
    EXPECT_EQ(v173.size(), v172.size() + 4);
    cStageData t;
    EXPECT_TRUE(LoadStageBytes(t, v172));
    EXPECT_TRUE(LoadStageBytes(t, v173));
    v173.resize(v173.size() - 4);  // a 173 file cut before its trailer
    cRecordServicesSpy spy;
    EXPECT_FALSE(LoadStageBytes(t, v173));
}

TEST_F(StageOldVersionTest, ShortLayoutOfAnOldVersionIsChosenByItsCount) {
    cStageData s;
    BuildFileStage(s);
    std::vector<uint8_t> full = StageFileAtVersion(s, 154);
    // Version 154 stores 71 numbers: 60 before the five doubles (59 int32 and
    // the gravity double: 244 bytes), so the doubles lie at 252..292.
    ASSERT_EQ(full[4], 71);
    std::vector<uint8_t> shortFile(full.begin(), full.begin() + 252);
    shortFile.insert(shortFile.end(), full.begin() + 292, full.end());
    shortFile[4] = 66;
    cStageData t;
    ASSERT_TRUE(LoadStageBytes(t, shortFile));
    EXPECT_EQ(t.nHeroHitWait, s.nHeroHitWait);
    EXPECT_EQ(t.nSteps8, 24);
    EXPECT_EQ(t.nHeroRange0FlyW, 20);
}

TEST_F(StageOldVersionTest, RemovalRulesBelow125LackValuesTwoToFour) {
    cStageIntRec r;
    r.Set(1, 2, 3, 4, 5, 6, 7, 8);
    nDataVersion = 124;
    cDataWriter w;
    r.Save(w);
    nDataVersion = DATA_VERSION;
    EXPECT_EQ(w.Size(), 4u + 20u + 4u);
    cStageIntRec t;
    t.Set(0, 9, 9, 9, 0, 0, 0, 0);
    cDataReader rd(w.Bytes().data(), w.Size());
    nReadVersion = 124;
    t.Load(rd);
    ASSERT_FALSE(rd.Failed());
    EXPECT_EQ(t.nValue[0], 1);
    EXPECT_EQ(t.nValue[1], 9);
    EXPECT_EQ(t.nValue[3], 9);
    EXPECT_EQ(t.nValue[4], 5);
    EXPECT_EQ(t.nValue[7], 8);
}

TEST_F(StageOldVersionTest, RemovalRuleWithOneDescriptorPerValueIsRead) {
    cBytes b;
    b.U32(8);
    for (int i = 1; i <= 8; ++i) b.I32(i);
    b.U32(0);
    cStageIntRec t;
    cDataReader rd(b.Bytes().data(), b.Size());
    t.Load(rd);
    ASSERT_FALSE(rd.Failed());
    EXPECT_EQ(t.nValue[7], 8);
    EXPECT_EQ(rd.Remaining(), 0u);
}

// Background layer: a from 62; the scroll rates and flags from 61 (two int32
// dropped before); the offsets from 62 (one int32 dropped at 61).
TEST_F(StageOldVersionTest, BackgroundLayerOfVersions60To62) {
    for (uint32_t v : {60u, 61u, 62u}) {
        // Numbers first (the dropped int32 among them), then the name.
        cBytes s;
        if (v >= 62) s.U32(10).I32(5);
        else s.U32(v == 61 ? 8 : 5);
        s.I32(6).I32(7).I32(8);
        if (v >= 61) s.F64(0.5).F64(0.75).I32(1).I32(0);
        else s.I32(111).I32(222);
        if (v == 61) s.I32(333);
        if (v >= 62) s.F64(3.0).F64(4.0);
        s.U32(1).U32(3).Raw("bg", 2).U8(0);
        cIntRec r;
        r.ClearLayer();
        r.i = r.j = -1;
        nReadVersion = v;
        cDataReader rs(s.Bytes().data(), s.Size());
        r.Load(rs);
        ASSERT_FALSE(rs.Failed()) << v;
        EXPECT_EQ(rs.Remaining(), 0u) << v;
        EXPECT_EQ(r.a, v >= 62 ? 5 : 1) << v;
        EXPECT_EQ(r.b, 6);
        EXPECT_EQ(r.d, 8);
        EXPECT_DOUBLE_EQ(r.e, v >= 61 ? 0.5 : 0.1) << v;
        EXPECT_EQ(r.g, v >= 61 ? 1 : 0) << v;
        EXPECT_DOUBLE_EQ(r.i, v >= 62 ? 3.0 : -1.0) << v;
        EXPECT_EQ(r.strText, "bg");
    }
    nReadVersion = DATA_VERSION;
}

}  // namespace
