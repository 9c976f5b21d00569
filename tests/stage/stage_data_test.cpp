#include "stage/stage_data.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "records/version.h"
#include "stage/definition_context.h"
#include "stage/flow_refs.h"
#include "support/record_services_spy.h"
#include "stage/sample_stage.h"
#include "stage/stage_bytes.h"
#include "support/temp_dir.h"
#include "stage/stage_fixture.h"

namespace {

class StageDataTest : public cStageTest {
protected:
    cRecordServicesSpy spy;
};

TEST_F(StageDataTest, ClearRoutineGivesTheTableDefaults) {
    cStageData s;
    EXPECT_EQ(s.nFps, 60);
    EXPECT_EQ(s.nTimeLimit, 200);
    EXPECT_DOUBLE_EQ(s.dGravity, 0.4);
    EXPECT_EQ(s.nHitLevel, 10);
    EXPECT_EQ(s.nSteps, 10);
    EXPECT_EQ(s.nSteps8, 80);
    EXPECT_DOUBLE_EQ(s.dGravityStep, 0.004);
    EXPECT_EQ(s.nHeroRange1W, 12);
    EXPECT_EQ(s.nHeroRange1H, 8);
    EXPECT_EQ(s.nCharaRange1W, 30);
    EXPECT_EQ(s.nHeroHitWait, 30);
    EXPECT_EQ(s.nCharaInvincible, 0);
    ASSERT_EQ(s.vRankSwitch.size(), 5u);
    for (uint32_t r : s.vRankSwitch) EXPECT_EQ(r, 1u);
    EXPECT_EQ(s.StageIntRec[INTREC_SHOT0].nValue[3], 1);
    EXPECT_EQ(s.StageIntRec[INTREC_SHOT0].nValue[4], 0);
    EXPECT_EQ(s.StageIntRec[INTREC_SHOT].nValue[7], 10);
    ASSERT_EQ(s.vBg.size(), 1u);
    EXPECT_EQ(s.vBg[0].b, 1);
    EXPECT_EQ(s.vBg[0].a, 0);  // generic clear only: the layer clear's defaults do not apply
    EXPECT_DOUBLE_EQ(s.vBg[0].e, 0.0);
    EXPECT_EQ(s.vBlock.size(), 1u);
    EXPECT_EQ(s.vChara.size(), 1u);
    EXPECT_EQ(s.vItem.size(), 1u);
    EXPECT_TRUE(s.vPlacedChara.empty());
    EXPECT_TRUE(s.vText.empty());
}

TEST_F(StageDataTest, HitLevelDerivesStepsAndLimits) {
    cStageData s;
    s.SetHitLevel(15);
    EXPECT_EQ(s.nSteps, 5);
    EXPECT_DOUBLE_EQ(s.dSpeedLimit, 60.0);
    EXPECT_DOUBLE_EQ(s.dSpeedLimitStep, 12.0);
    EXPECT_EQ(s.nSteps8, 40);
    EXPECT_EQ(s.nSteps6, 30);
    s.SetHitLevel(5);
    EXPECT_EQ(s.nSteps, 5);
    EXPECT_DOUBLE_EQ(s.dSpeedLimit, 30.0);
    EXPECT_DOUBLE_EQ(s.dSpeedLimitStep, 6.0);
    s.SetHitLevel(13);
    EXPECT_EQ(s.nSteps, 3);
    EXPECT_EQ(s.nSteps8, 24);
    EXPECT_DOUBLE_EQ(s.dSteps2, 9.0);
    EXPECT_DOUBLE_EQ(s.dGravityStep, 0.4 / 9.0);
    s.SetHitLevel(10);
    EXPECT_EQ(s.nSteps, 10);
}

TEST_F(StageDataTest, SampleStageRoundTripsByteForByte) {
    cStageData s;
    BuildSampleStage(s);
    std::vector<uint8_t> first = StageFile(s);
    cStageData back;
    ASSERT_TRUE(LoadStageBytes(back, first));
    EXPECT_EQ(StageFile(back), first);

    EXPECT_EQ(back.strText, "sample");
    EXPECT_EQ(back.nWidth, 40);
    EXPECT_EQ(back.nHitLevel, 13);
    EXPECT_EQ(back.nSteps, 3);
    EXPECT_DOUBLE_EQ(back.dGravity, 0.5);
    EXPECT_EQ(back.FindHero(), 0);
    ASSERT_EQ(back.vPlacedBlock.size(), 40u);
    EXPECT_EQ(back.vPlacedBlock[39].wCellX, 39);
    EXPECT_EQ(back.vPlacedBlock[0].byPassGroup, 2);
    ASSERT_EQ(back.vPlacedChara.size(), 4u);
    EXPECT_EQ(back.vPlacedChara[2].nItem, 0);
    EXPECT_EQ(back.vPlacedChara[1].nItem, -1);
    const cCharaData& enemy = back.vPlacedChara[3];
    EXPECT_EQ(enemy.nMaxHP, 30);
    ASSERT_EQ(enemy.vFlow.size(), 1u);
    const cFlow& f = enemy.vFlow[0];
    EXPECT_EQ(f.nTrigger, 1);
    ASSERT_EQ(f.vCond.size(), 1u);
    EXPECT_EQ(f.vCond[0].nVarNum, 12);
    ASSERT_EQ(f.vKeyCond.size(), 1u);
    EXPECT_EQ(f.vKeyCond[0].vKey[3], 1);
    ASSERT_EQ(f.vCmd.size(), 3u);
    ASSERT_TRUE(f.vCmd[0].spMove);
    EXPECT_EQ(f.vCmd[0].spMove->nSpeed, 40);
    ASSERT_TRUE(f.vCmd[1].spShot);
    EXPECT_EQ(f.vCmd[1].spShot->nPower, 7);
    EXPECT_EQ(f.vCmd[2].vParam[0], 2);
    ASSERT_EQ(back.vPlacedItem.size(), 2u);
    EXPECT_EQ(back.vPlacedItem[1].vCmd.size(), 1u);
    ASSERT_EQ(back.vBg.size(), 2u);
    EXPECT_EQ(back.vBg[1].strText, "bmp\\far.bmp");
    EXPECT_DOUBLE_EQ(back.vBg[1].e, 0.25);
    ASSERT_EQ(back.vText.size(), 1000u);
    EXPECT_EQ(back.vText[0].strText, "はじめ");
    EXPECT_EQ(back.vText[999].strText, "end");
}

TEST_F(StageDataTest, FirstPaletteEntriesAreResetOnLoad) {
    cStageData s;
    BuildSampleStage(s);
    s.vBlock[0].strName = "junk";
    s.vBlock[0].wGraphic = 77;
    s.vChara[0].nMaxHP = 999;
    s.vChara[0].vFlow.push_back(SampleEnemyFlow());
    s.vItem[0].byTakeMode = 2;
    cStageData back;
    ASSERT_TRUE(LoadStageBytes(back, StageFile(s)));
    EXPECT_EQ(back.vBlock[0].strName, "");
    EXPECT_EQ(back.vBlock[0].wGraphic, 0);
    EXPECT_EQ(back.vBlock[0].byPassGroup, 255);
    EXPECT_EQ(back.vChara[0].nMaxHP, 10);
    EXPECT_EQ(back.vChara[0].byController, CONTROLLER_COMPUTER);
    EXPECT_TRUE(back.vChara[0].vFlow.empty());
    EXPECT_EQ(back.vItem[0].byTakeMode, 0);
    EXPECT_EQ(back.vItem[0].byGraphicKind, GRAPHIC_ITEM);
    // The real definitions after entry 0 are kept.
    EXPECT_EQ(back.vBlock[1].strName, "floor");
}

TEST_F(StageDataTest, PalettesHoldAtLeastTwoEntries) {
    cStageData s;
    s.nWidth = 20;
    s.nHeight = 15;
    s.vBlock.clear();
    s.vItem.resize(5);
    cStageData back;
    ASSERT_TRUE(LoadStageBytes(back, StageFile(s)));
    EXPECT_EQ(back.vBlock.size(), 2u);
    EXPECT_EQ(back.vChara.size(), 2u);
    EXPECT_EQ(back.vItem.size(), 5u);
    // A padded block is cleared as a block (no pass-through group).
    EXPECT_EQ(back.vBlock[1].byPassGroup, 255);
}

TEST_F(StageDataTest, EmptyPalettesGetTheirFixedFirstEntryAndLoadBackTheSame) {
    cStageData s;
    BuildSampleStage(s);
    s.vChara.clear();
    std::vector<uint8_t> first = StageFile(s);
    EXPECT_EQ(s.vChara[0].byZ, 3);  // entry 0 as a load leaves it
    EXPECT_EQ(s.vChara[1].byZ, 0);  // entry 1 a default record
    cStageData back;
    ASSERT_TRUE(LoadStageBytes(back, first));
    EXPECT_EQ(StageFile(back), first);
}

TEST_F(StageDataTest, PaletteCharactersKeepReferencesToItemsStoredAfterThem) {
    cStageData s;
    BuildSampleStage(s);
    s.vItem.resize(4);
    cFlowCmd& shot = s.vChara[1].vFlow[0].vCmd[1];
    shot.spShot->nItemKind = 2;
    shot.spShot->nItemIndex = 3;
    cFlowCmd summon = SampleCmd(CMD_SUMMON_ITEM, 0);
    cEdShot::Create(summon.spShot);
    summon.spShot->nSummonKind = 1;
    summon.spShot->nSummonIndex = 2;
    s.vChara[1].vFlow[0].vCmd.push_back(summon);
    cStageData back;
    ASSERT_TRUE(LoadStageBytes(back, StageFile(s)));
    const cFlow& f = back.vChara[1].vFlow[0];
    EXPECT_EQ(f.vCmd[1].spShot->nItemKind, 2);
    EXPECT_EQ(f.vCmd[1].spShot->nItemIndex, 3);
    EXPECT_EQ(f.vCmd[3].spShot->nSummonIndex, 2);
    // The same references beyond the lists are still repaired.
    s.vItem.resize(2);
    ASSERT_TRUE(LoadStageBytes(back, StageFile(s)));
    EXPECT_EQ(back.vChara[1].vFlow[0].vCmd[1].spShot->nItemIndex, 0);
}

TEST_F(StageDataTest, StageSmallerThanTheScreenLoadsAndSavesWithLimitsInside) {
    // 10 x 8 blocks: half a screen wide, half a screen high; every scroll
    // limit switched on and set beyond the stage. The first column and row
    // become size - 20 and size - 15, below 0, and load again as they are.
    cStageData s;
    BuildSampleStage(s);
    s.nWidth = 10;
    s.nHeight = 8;
    s.nOuterX = 32 * 10;
    s.nOuterY = 32 * 8;
    s.bScrollLeft = s.bScrollRight = s.bScrollTop = s.bScrollBottom = 1;
    s.nScrollLeft = 3;
    s.nScrollRight = 40;
    s.nScrollTop = 2;
    s.nScrollBottom = 30;
    std::erase_if(s.vPlacedBlock, [](const cBlockData& b) { return b.wCellX >= 10; });
    for (auto& c : s.vPlacedChara) c.wCellX %= 10, c.wCellY -= 12;
    for (auto& it : s.vPlacedItem) it.wCellY -= 12;
    for (auto& b : s.vPlacedBlock) b.wCellY -= 12;

    cTempDir dir;
    ASSERT_EQ(s.SaveToFile(dir.File("small.stg4_825")), 1);
    cStageData a;
    ASSERT_EQ(a.LoadFromFile(dir.File("small.stg4_825")), 1) << (spy.report.empty() ? "" : spy.report.back());
    EXPECT_EQ(a.nWidth, 10);
    EXPECT_EQ(a.nHeight, 8);
    EXPECT_EQ(a.nScrollLeft, -10);
    EXPECT_EQ(a.nScrollRight, 9);
    EXPECT_EQ(a.nScrollTop, -7);
    EXPECT_EQ(a.nScrollBottom, 7);
    EXPECT_EQ(a.vPlacedBlock.size(), 10u);
    EXPECT_EQ(a.vPlacedChara.size(), s.vPlacedChara.size());
    EXPECT_TRUE(a.HasHero());

    ASSERT_EQ(a.SaveToFile(dir.File("again.stg4_825")), 1);
    cStageData b;
    ASSERT_EQ(b.LoadFromFile(dir.File("again.stg4_825")), 1);
    EXPECT_EQ(StageFile(b), StageFile(a));
    auto bytesOf = [&](const char* name) {
        std::ifstream f(dir.File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    };
    EXPECT_EQ(bytesOf("again.stg4_825"), bytesOf("small.stg4_825"));
}

TEST_F(StageDataTest, ValidateClampsTheScrollAreaAndTheMusic) {
    cStageData s;
    s.nWidth = 20;
    s.nHeight = 15;
    s.nScrollLeft = 5;
    s.nScrollRight = 40;
    s.nScrollTop = 3;
    s.nScrollBottom = 14;
    s.nBgm = 4;
    FLOWDBCOUNTS db;
    db.nBgm = 4;
    SetFlowDbCounts(db);
    s.Validate();
    EXPECT_EQ(s.nScrollLeft, 0);
    EXPECT_EQ(s.nScrollRight, 19);
    EXPECT_EQ(s.nScrollTop, 0);
    EXPECT_EQ(s.nScrollBottom, 14);
    EXPECT_EQ(s.nBgm, 0);
    s.nBgm = 3;
    s.Validate();
    EXPECT_EQ(s.nBgm, 3);
    s.nBgm = -2;
    s.Validate();
    EXPECT_EQ(s.nBgm, 0);
}

TEST_F(StageDataTest, CarriedItemThatNamesNoPlacedItemBecomesNone) {
    cStageData s;
    BuildSampleStage(s);
    s.vPlacedChara[1].nItem = 2;  // two items placed: 0 and 1
    s.vPlacedChara[2].nItem = -7;
    s.Validate();
    EXPECT_EQ(s.vPlacedChara[1].nItem, -1);
    EXPECT_EQ(s.vPlacedChara[2].nItem, -1);
}

// A placed block's item reference is checked against the item palettes as
// the validation after a load sees them: with palettes that need no padding
// the load checks each block as it reads it, with an item palette too short
// (padded afterwards) the validation checks them all; both give what
// validating the saved stage itself gives.
TEST_F(StageDataTest, PlacedBlockItemsAreCheckedAgainstTheValidatedPalettes) {
    const struct {
        uint8_t kind;
        uint16_t index;
    } refs[] = {{TEMPLATE_NONE, 7}, {TEMPLATE_COMMON, 0}, {TEMPLATE_COMMON, 3}, {TEMPLATE_STAGE, 0},
                {TEMPLATE_STAGE, 1}, {TEMPLATE_STAGE, 2}, {TEMPLATE_STAGE, 3}, {TEMPLATE_STAGE, 900}};
    for (size_t items : {size_t{0}, size_t{1}, size_t{3}}) {
        cStageData s;
        s.nWidth = 20;
        s.nHeight = 15;
        s.vBlock.resize(2);
        s.vChara.resize(2);
        s.vItem.resize(items);
        for (size_t i = 0; i < std::size(refs); ++i) {
            cBlockData b;
            b.wGraphic = 1;
            b.wCellX = static_cast<uint16_t>(i);
            b.byItemKind = refs[i].kind;
            b.wItemIndex = refs[i].index;
            s.vPlacedBlock.push_back(b);
        }
        const std::vector<uint8_t> bytes = StageFileAtVersion(s, DATA_VERSION);
        cStageData expected = s;
        expected.Validate();
        cStageData t;
        ASSERT_TRUE(LoadStageBytes(t, bytes)) << items;
        ASSERT_EQ(t.vPlacedBlock.size(), std::size(refs));
        for (size_t i = 0; i < std::size(refs); ++i) {
            EXPECT_EQ(t.vPlacedBlock[i].byItemKind, expected.vPlacedBlock[i].byItemKind) << items << " " << i;
            EXPECT_EQ(t.vPlacedBlock[i].wItemIndex, expected.vPlacedBlock[i].wItemIndex) << items << " " << i;
        }
    }
}

TEST_F(StageDataTest, FindHeroNeedsAPlayerWithAGraphic) {
    cStageData s;
    cCharaData c;
    c.wGraphic = 3;
    s.vPlacedChara.push_back(c);  // computer-controlled
    cCharaData p;
    p.byController = CONTROLLER_PLAYER;
    s.vPlacedChara.push_back(p);  // graphic 0
    EXPECT_EQ(s.FindHero(), -1);
    EXPECT_FALSE(s.HasHero());
    p.wGraphic = 1;
    s.vPlacedChara.push_back(p);
    EXPECT_EQ(s.FindHero(), 2);
}

TEST_F(StageDataTest, PlacedBlockInheritsFromTheStagePaletteOfTheLoadedStage) {
    cStageData s;
    BuildSampleStage(s);
    s.vBlock[1].byHitKind = 2;
    for (auto& b : s.vPlacedBlock) {
        b.vInherit.assign(BLOCK_GROUP_NUM, 0);
        b.vInherit[6] = 1;
        b.byHitKind = 1;
    }
    cStageData back;
    ASSERT_TRUE(LoadStageBytes(back, StageFile(s)));
    EXPECT_EQ(back.vPlacedBlock[0].byHitKind, 2);
}

TEST_F(StageDataTest, SaveForReplayTakesSettingsFromTheCopyAndObjectsFromThis) {
    cStageData play;
    BuildSampleStage(play);
    cStageData settings;
    BuildSampleStage(settings);
    settings.vPlacedChara.clear();
    settings.strText = "copy";
    settings.nTimeLimit = 77;
    settings.vBg.resize(1);
    cDataWriter w;
    w.WriteU32(nDataVersion);
    play.SaveForReplay(w, settings);
    cStageData back;
    ASSERT_TRUE(LoadStageBytes(back, w.TakeBytes()));
    EXPECT_EQ(back.strText, "copy");
    EXPECT_EQ(back.nTimeLimit, 77);
    EXPECT_EQ(back.vBg.size(), 1u);
    EXPECT_EQ(back.vPlacedChara.size(), 4u);
}

TEST_F(StageDataTest, ShortLayoutFileIsReadByItsCountWord) {
    cStageData s;
    BuildSampleStage(s);
    std::vector<uint8_t> full = StageFile(s);
    // Remove the five doubles #88..#92 (40 bytes after #87 at offset 356 + 4) and write 93 as the count.
    std::vector<uint8_t> shortFile(full.begin(), full.begin() + 360);
    shortFile.insert(shortFile.end(), full.begin() + 400, full.end());
    shortFile[4] = 93;
    cStageData back;
    ASSERT_TRUE(LoadStageBytes(back, shortFile));
    EXPECT_EQ(back.nSteps8, 24);  // #93 read from its short-layout place
    EXPECT_EQ(back.nHeroHitWait, 30);
    EXPECT_DOUBLE_EQ(back.dSteps2, 9.0);  // derived again from the hit level
    EXPECT_EQ(StageFile(back), full);
}

TEST_F(StageDataTest, EditorOnlyFlowsAreKeptOnlyForTheEditor) {
    cStageData s;
    BuildSampleStage(s);
    cFlow editorOnly = SampleEnemyFlow();
    editorOnly.bEditorOnly = 1;
    s.vPlacedChara[1].vFlow.push_back(editorOnly);
    std::vector<uint8_t> bytes = StageFile(s);
    cStageData play;
    ASSERT_TRUE(LoadStageBytes(play, bytes));
    EXPECT_EQ(play.vPlacedChara[1].vFlow.size(), 1u);
    SetFlowEditorFlag(true);
    cStageData edit;
    ASSERT_TRUE(LoadStageBytes(edit, bytes));
    EXPECT_EQ(edit.vPlacedChara[1].vFlow.size(), 2u);
}

TEST_F(StageDataTest, CopiesOwnTheirCommandSettings) {
    cStageData s;
    BuildSampleStage(s);
    cStageData copy = s;
    copy.vPlacedChara[1].vFlow[0].vCmd[1].spShot->nPower = 99;
    EXPECT_EQ(s.vPlacedChara[1].vFlow[0].vCmd[1].spShot->nPower, 7);
    // The copy's registry describes the copy, not the source.
    copy.nWidth = 55;
    EXPECT_EQ(StageFile(copy)[8], 55);
    EXPECT_EQ(s.nWidth, 40);
}

}  // namespace
