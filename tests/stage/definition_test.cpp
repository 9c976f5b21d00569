#include <gtest/gtest.h>

#include "records/version.h"
#include "stage/block_data.h"
#include "stage/chara_data.h"
#include "stage/definition_context.h"
#include "stage/definition_flow_ref.h"
#include "stage/flow_refs.h"
#include "stage/item_data.h"
#include "stage/sample_stage.h"
#include "stage/stage_bytes.h"
#include "stage/stage_fixture.h"

namespace {

class DefinitionTest : public cStageTest {
protected:

    // Writes a record at version v and reads it back into `into`.
    template <class T>
    static bool RoundTripAt(T& rec, T& into, uint32_t v) {
        nDataVersion = v;
        cDataWriter w;
        rec.Save(w);
        nDataVersion = DATA_VERSION;
        nReadVersion = v;
        cDataReader r(w.Bytes().data(), w.Size());
        into.Load(r);
        nReadVersion = DATA_VERSION;
        return !r.Failed() && r.Remaining() == 0;
    }
};

TEST_F(DefinitionTest, NewRecordsHoldTheirClassDefaults) {
    cBlockData b;
    EXPECT_EQ(b.byHitKind, 1);
    EXPECT_EQ(b.byPassGroup, 255);
    EXPECT_EQ(b.vInherit.size(), 11u);
    cCharaData c;
    EXPECT_EQ(c.nMaxHP, 10);
    EXPECT_EQ(c.chSize, 1);
    EXPECT_EQ(c.byZ, 3);
    EXPECT_EQ(c.byController, CONTROLLER_COMPUTER);
    EXPECT_EQ(c.byGraphicKind, GRAPHIC_CHARA);
    EXPECT_EQ(c.nItem, 0);
    EXPECT_EQ(c.vInherit.size(), 37u);
    cItemData it;
    EXPECT_EQ(it.byGraphicKind, GRAPHIC_ITEM);
    EXPECT_EQ(it.byTakeMode, 0);
    EXPECT_EQ(it.bySetting10, 6);
    EXPECT_EQ(it.vInherit.size(), 13u);
}

TEST_F(DefinitionTest, ClearSizesTheFlagVector) {
    cCharaData c;
    c.vInherit.assign(40, 1);
    c.Clear();
    EXPECT_EQ(c.vInherit, cInheritFlags(37, 0));
    c.vInherit.assign(30, 1);
    c.Clear();
    EXPECT_EQ(c.vInherit.size(), 37u);
}

TEST_F(DefinitionTest, StoredFieldCountsAndWidths) {
    EXPECT_EQ(CountNumericRows(cBlockData::Rows(), DATA_VERSION), 18);
    EXPECT_EQ(NumericRowBytes(cBlockData::Rows(), DATA_VERSION), 26);
    EXPECT_EQ(CountNumericRows(cCharaData::Rows(), DATA_VERSION), 53);
    EXPECT_EQ(NumericRowBytes(cCharaData::Rows(), DATA_VERSION), 82);
    EXPECT_EQ(CountNumericRows(cCharaData::Rows(), 195), 53 - 5);  // #20, #23, #33, #36, #42 not yet
    EXPECT_EQ(CountNumericRows(cItemData::Rows(), DATA_VERSION), 17);
    EXPECT_EQ(NumericRowBytes(cItemData::Rows(), DATA_VERSION), 24);
    EXPECT_EQ(CountNumericRows(cStageData::Rows(), DATA_VERSION), 98);
    EXPECT_EQ(NumericRowBytes(cStageData::Rows(), DATA_VERSION), 416);
    EXPECT_EQ(CountNumericRows(cStageData::ShortRows(), DATA_VERSION), 93);
    EXPECT_EQ(CountNumericRows(cStageData::Rows(), 154), 71);
}

TEST_F(DefinitionTest, TemplateGroupsComeFromTheStagePalette) {
    cSafeVector<cBlockData> palette(2);
    palette[1].byHitKind = 2;
    palette[1].wGraphic = 8;
    palette[1].strName = "lava";
    SetPlayStagePalette({&palette, nullptr, nullptr});
    cBlockData b;
    b.byTemplateKind = TEMPLATE_STAGE;
    b.wTemplateIndex = 1;
    b.vInherit[6] = 1;  // hit kind
    b.vInherit[0] = 1;  // name
    b.wGraphic = 3;
    cBlockData back;
    ASSERT_TRUE(RoundTripAt(b, back, DATA_VERSION));
    EXPECT_EQ(back.byHitKind, 2);
    EXPECT_EQ(back.strName, "lava");
    EXPECT_EQ(back.wGraphic, 3);  // group 2 is its own
}

TEST_F(DefinitionTest, CharacterInheritsFlowsAndStatusFromTheCommonPalette) {
    cSafeVector<cCharaData> common(3);
    common[2].nMaxHP = 55;
    common[2].vFlow.push_back(SampleEnemyFlow());
    SetCommonPalette({nullptr, &common, nullptr});
    cCharaData c;
    c.byTemplateKind = TEMPLATE_COMMON;
    c.wTemplateIndex = 2;
    c.vInherit[23] = 1;
    c.vInherit[36] = 1;
    c.wGraphic = 1;
    c.ApplyTemplate();
    EXPECT_EQ(c.nMaxHP, 55);
    ASSERT_EQ(c.vFlow.size(), 1u);
    // The inherited flow's settings are the character's own.
    c.vFlow[0].vCmd[1].spShot->nPower = 1;
    EXPECT_EQ(common[2].vFlow[0].vCmd[1].spShot->nPower, 7);
}

TEST_F(DefinitionTest, TemplateBeyondThePaletteIsDropped) {
    cSafeVector<cItemData> stage(2);
    SetPlayStagePalette({nullptr, nullptr, &stage});
    cItemData it;
    it.byTemplateKind = TEMPLATE_STAGE;
    it.wTemplateIndex = 5;
    it.vInherit[5] = 1;
    it.bySetting10 = 9;
    it.ApplyTemplate();
    EXPECT_EQ(it.byTemplateKind, TEMPLATE_NONE);
    EXPECT_EQ(it.wTemplateIndex, 5);
    EXPECT_EQ(it.bySetting10, 9);
    it.byTemplateKind = TEMPLATE_STAGE;
    it.CheckIndex();
    EXPECT_EQ(it.byTemplateKind, TEMPLATE_NONE);
    EXPECT_EQ(it.wTemplateIndex, 0);
}

TEST_F(DefinitionTest, CommonPaletteEntriesNeverInheritWhileItLoads) {
    cSafeVector<cBlockData> common(2);
    common[1].byHitKind = 2;
    SetCommonPalette({&common, nullptr, nullptr});
    cBlockData b;
    b.wGraphic = 1;
    b.byTemplateKind = TEMPLATE_COMMON;
    b.wTemplateIndex = 1;
    b.vInherit[6] = 1;
    cNoTemplateScope scope;
    b.ApplyTemplate();
    EXPECT_EQ(b.byHitKind, 1);
}

TEST_F(DefinitionTest, IndexChecksResetWhatLiesBeyondTheirLists) {
    FLOWDBCOUNTS db;
    db.nCharaBmp = 4;
    db.nAnimeSet = 2;
    db.nCharaEffect = 3;
    db.nEffect = 1;
    db.nSE = 5;
    SetFlowDbCounts(db);
    cCharaData c;
    c.byGraphicKind = GRAPHIC_BMP;
    c.wGraphic = 4;
    c.wAnimeSet = 2;
    c.wAppearEffect = 3;
    c.wDeathEffect = 2;
    c.wBodyEffect = 1;
    c.chSize = -3;
    c.CheckIndex();
    EXPECT_EQ(c.wGraphic, 1);
    EXPECT_EQ(c.wAnimeSet, 0);
    EXPECT_EQ(c.wAppearEffect, 0);
    EXPECT_EQ(c.wDeathEffect, 2);
    EXPECT_EQ(c.wBodyEffect, 0);
    EXPECT_EQ(c.chSize, 1);
    // A graphic index of 0xFFFF (negative as a signed word) is out of range too.
    c.wGraphic = 0xFFFF;
    c.CheckIndex();
    EXPECT_EQ(c.wGraphic, 1);

    cItemData it;
    it.wSound = 5;
    it.chSize = 0;
    it.CheckIndex();
    EXPECT_EQ(it.wSound, 0);
    EXPECT_EQ(it.chSize, 1);

    cSafeVector<cItemData> items(3);
    SetPlayStagePalette({nullptr, nullptr, &items});
    cBlockData b;
    b.byItemKind = TEMPLATE_STAGE;
    b.wItemIndex = 3;
    b.CheckItemIndex();
    EXPECT_EQ(b.byItemKind, 0);
    EXPECT_EQ(b.wItemIndex, 0);
    b.byItemKind = TEMPLATE_STAGE;
    b.wItemIndex = 2;
    b.CheckItemIndex();
    EXPECT_EQ(b.wItemIndex, 2);
}

TEST_F(DefinitionTest, BlockWithoutGraphicNeverHits) {
    cBlockData b;
    b.bProtect = 1;
    b.CheckIndex();
    EXPECT_EQ(b.byHitKind, 0);
    EXPECT_EQ(b.bProtect, 0);
}

TEST_F(DefinitionTest, PlayerCharacterPlacesOneCharacter) {
    cCharaData c;
    c.byController = CONTROLLER_PLAYER;
    c.byRepeat = 4;
    c.bWholeCell = 1;
    c.CheckIndex();
    EXPECT_EQ(c.byRepeat, 0);
    EXPECT_EQ(c.bWholeCell, 0);
}

TEST_F(DefinitionTest, FlowsThatCanNeverDoAnythingAreRemoved) {
    cCharaData c;
    c.vFlow.resize(3);
    c.vFlow[1].nTrigger = 2;
    c.vFlow[2].nGroup = 1;
    c.CheckIndex();
    ASSERT_EQ(c.vFlow.size(), 2u);
    EXPECT_EQ(c.vFlow[0].nTrigger, 2);
    EXPECT_EQ(c.vFlow[1].nGroup, 1);
}

TEST_F(DefinitionTest, OffsetsOfRepeatedCharacters) {
    cCharaData c;
    c.nOffsetXBase = 8;
    c.nOffsetXStep = -16;
    c.bOffsetXMirror = 1;
    EXPECT_DOUBLE_EQ(c.GetOffsetX(2, 1), 24.0);
    EXPECT_DOUBLE_EQ(c.GetOffsetX(2, 0), -24.0);
    c.nOffsetYBase = 3;
    c.nOffsetYStep = 2;
    EXPECT_DOUBLE_EQ(c.GetOffsetY(1, 1), 5.0);
}

TEST_F(DefinitionTest, Character167GetsItsNewGroupsInherited) {
    cCharaData c;
    c.wGraphic = 1;
    c.vInherit.assign(37, 0);
    c.vInherit[21] = 2;  // an old flag that must move past the new groups
    c.vInherit[30] = 3;
    c.byAppearEffectMode = 2;
    c.byHitRangeKind = 2;
    c.bAutoScrollSync = 1;
    c.nDefence = 9;
    c.bySetting33 = 0;
    cCharaData back;
    back.byAppearEffectMode = 1;
    back.bySetting33 = 0;
    ASSERT_TRUE(RoundTripAt(c, back, 167));
    ASSERT_EQ(back.vInherit.size(), 37u);
    EXPECT_EQ(back.vInherit[21], 1);
    EXPECT_EQ(back.vInherit[25], 1);
    EXPECT_EQ(back.vInherit[29], 1);
    EXPECT_EQ(back.vInherit[22], 2);  // old 21 moved past the group inserted at 21
    EXPECT_EQ(back.vInherit[33], 3);  // old 30 moved by all three
    EXPECT_EQ(back.nDefence, 0);
    EXPECT_EQ(back.byAppearEffectMode, 0);
    EXPECT_EQ(back.byDeathEffectMode, 0);
    EXPECT_EQ(back.byHitRangeKind, 0);
    EXPECT_EQ(back.bAutoScrollSync, 0);
    EXPECT_EQ(back.bySetting33, 1);
}

TEST_F(DefinitionTest, CharacterRepairsByVersion) {
    cCharaData c;
    c.wGraphic = 1;
    c.byAppearEffectMode = 2;
    c.byHitRangeKind = 2;
    c.bAutoScrollSync = 1;
    c.nDefence = 9;
    c.bySetting33 = 0;
    cCharaData back;
    ASSERT_TRUE(RoundTripAt(c, back, 195));  // #46 stored; #20, #23 not yet
    EXPECT_EQ(back.nDefence, 9);
    EXPECT_EQ(back.byAppearEffectMode, 0);
    ASSERT_TRUE(RoundTripAt(c, back, 205));  // hit-range kind 2 becomes 3
    EXPECT_EQ(back.byAppearEffectMode, 2);
    EXPECT_EQ(back.byHitRangeKind, 3);
    EXPECT_EQ(back.bAutoScrollSync, 0);
    ASSERT_TRUE(RoundTripAt(c, back, 206));
    EXPECT_EQ(back.byHitRangeKind, 2);
    ASSERT_TRUE(RoundTripAt(c, back, 284));
    EXPECT_EQ(back.bAutoScrollSync, 1);
    EXPECT_EQ(back.bySetting33, 1);
    ASSERT_TRUE(RoundTripAt(c, back, 285));
    EXPECT_EQ(back.bySetting33, 0);
}

TEST_F(DefinitionTest, ShotGraphicsMoveUpBelow219) {
    cBlockData b;
    b.byGraphicKind = GRAPHIC_SHOT;
    b.wGraphic = 10;
    cBlockData bb;
    ASSERT_TRUE(RoundTripAt(b, bb, 218));
    EXPECT_EQ(bb.wGraphic, 11);
    b.wGraphic = 119;
    ASSERT_TRUE(RoundTripAt(b, bb, 218));
    EXPECT_EQ(bb.wGraphic, 119);
    ASSERT_TRUE(RoundTripAt(b, bb, 219));
    EXPECT_EQ(bb.wGraphic, 119);
    cCharaData c;
    c.byGraphicKind = GRAPHIC_SHOT;
    c.wGraphic = 5;
    cCharaData cc;
    ASSERT_TRUE(RoundTripAt(c, cc, 218));
    EXPECT_EQ(cc.wGraphic, 6);
    cItemData it;
    it.byGraphicKind = GRAPHIC_SHOT;
    it.wGraphic = 118;
    cItemData ii;
    ASSERT_TRUE(RoundTripAt(it, ii, 218));
    EXPECT_EQ(ii.wGraphic, 119);
    it.byGraphicKind = GRAPHIC_ITEM;
    ASSERT_TRUE(RoundTripAt(it, ii, 218));
    EXPECT_EQ(ii.wGraphic, 118);
}

TEST_F(DefinitionTest, ItemStreamHoldsConditionsThenCommands) {
    cItemData it;
    it.vCond.resize(2);
    it.vCond[1].nKind = 2;
    it.vCmd.push_back(SampleCmd(CMD_STATUS_OP - ITEM_CMD_OFFSET, 4));
    it.vCmd[0].nNumbering = CMDNUMBERING_ITEM;
    cItemData back;
    ASSERT_TRUE(RoundTripAt(it, back, DATA_VERSION));
    ASSERT_EQ(back.vCond.size(), 2u);
    EXPECT_EQ(back.vCond[1].nKind, 2);
    ASSERT_EQ(back.vCmd.size(), 1u);
    EXPECT_EQ(back.vCmd[0].nTime, 4);
}

TEST_F(DefinitionTest, LongerFlagVectorsAreCutToTheClassGroups) {
    cBlockData b;
    b.wGraphic = 1;
    b.vInherit.assign(20, 0);
    cBlockData back;
    ASSERT_TRUE(RoundTripAt(b, back, DATA_VERSION));
    EXPECT_EQ(back.vInherit.size(), 11u);
}

TEST_F(DefinitionTest, AssignedVectorsHoldCopiesThatDescribeThemselves) {
    cSafeVector<cBlockData> shorter(1), longer(3);
    longer[2].wGraphic = 9;
    longer[2].vCond.resize(1);
    shorter = longer;
    ASSERT_EQ(shorter.size(), 3u);
    shorter[2].Layout(DATA_VERSION);
    for (const FIELDDATA& fd : shorter[2].Fields()) {
        const auto* p = static_cast<const uint8_t*>(fd.lpField);
        const auto* base = reinterpret_cast<const uint8_t*>(&shorter[2]);
        EXPECT_TRUE(p >= base && p < base + sizeof(cBlockData));
    }
    shorter[2].wGraphic = 1;
    EXPECT_EQ(longer[2].wGraphic, 9);
    EXPECT_EQ(shorter[2].vCond.size(), 1u);
}

TEST_F(DefinitionTest, FlowRefStoresItsIntegersThenTheCharacter) {
    cFlowRef r;
    r.nValue[4] = 6;
    r.Chara.nMaxHP = 44;
    cDataWriter w;
    r.Save(w);
    EXPECT_EQ(w.Bytes()[0], 5);  // five integer fields
    cFlowRef back;
    cDataReader rd(w.Bytes().data(), w.Size());
    back.Load(rd);
    ASSERT_FALSE(rd.Failed());
    EXPECT_EQ(rd.Remaining(), 0u);
    EXPECT_EQ(back.nValue[4], 6);
    EXPECT_EQ(back.Chara.nMaxHP, 44);
}

TEST_F(DefinitionTest, ItemDataByKindAndIndex) {
    cSafeVector<cItemData> common(2), stage(4);
    SetCommonPalette({nullptr, nullptr, &common});
    SetPlayStagePalette({nullptr, nullptr, &stage});
    EXPECT_EQ(GetItemData(1, 1), &common[1]);
    EXPECT_EQ(GetItemData(2, 3), &stage[3]);
    EXPECT_EQ(GetItemData(1, 2), nullptr);
    EXPECT_EQ(GetItemData(0, 0), nullptr);
    EXPECT_EQ(GetItemData(3, 0), nullptr);
}

}  // namespace
