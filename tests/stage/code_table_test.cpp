#include "stage/code_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CodeTable, CommandTablesHaveFortyAndTwentyFiveCodes) {
    EXPECT_EQ(GetCmdTableSize(CMDNUMBERING_CHARA), 40);
    EXPECT_EQ(GetCmdTableSize(CMDNUMBERING_ITEM), 25);
    EXPECT_NE(GetCmdTableRow(0, 39), nullptr);
    EXPECT_EQ(GetCmdTableRow(0, 40), nullptr);
    EXPECT_EQ(GetCmdTableRow(0, -1), nullptr);
    EXPECT_NE(GetCmdTableRow(1, 24), nullptr);
    EXPECT_EQ(GetCmdTableRow(1, 25), nullptr);
    // Any numbering other than 0 is the item numbering.
    EXPECT_EQ(GetCmdTableRow(7, 24), GetCmdTableRow(1, 24));
}

TEST(CodeTable, CodeZeroIsTheEmptyCommandWithoutParameters) {
    for (int numbering : {0, 1}) {
        const CMDTABLEROW* row = GetCmdTableRow(numbering, 0);
        ASSERT_NE(row, nullptr);
        EXPECT_STREQ(row->lpName, "");
        EXPECT_EQ(row->nParamNum, 0);
    }
}

TEST(CodeTable, ItemCodesMatchTheCharacterCommandFifteenAbove) {
    for (int i = 2; i < ITEM_CMD_NUM; ++i) {
        EXPECT_STREQ(ItemCmdTable[i].lpName, CharaCmdTable[i + ITEM_CMD_OFFSET].lpName) << i;
        EXPECT_EQ(ItemCmdTable[i].nParamNum, CharaCmdTable[i + ITEM_CMD_OFFSET].nParamNum) << i;
    }
    // Item code 1 differs from character code 16 in name and parameter count.
    EXPECT_STREQ(ItemCmdTable[1].lpName, "フローの変更");
    EXPECT_EQ(ItemCmdTable[1].nParamNum, 2);
    EXPECT_EQ(CharaCmdTable[CMD_FLOW_OP].nParamNum, 4);
    EXPECT_STREQ(ItemCmdTable[9].lpName, "消滅");
}

TEST(CodeTable, ParameterCountsOfTheCommandsWithParameters) {
    const std::pair<int, int> counts[] = {{9, 1},  {10, 5}, {16, 4}, {17, 9},  {18, 1}, {19, 18}, {21, 16},
                                          {22, 18}, {23, 5}, {24, 3}, {25, 2}, {26, 3}, {27, 1},  {28, 1},
                                          {29, 8}, {30, 3}, {31, 3}, {32, 15}, {33, 8}, {34, 2},  {35, 1},
                                          {36, 2}, {37, 0}, {38, 5}, {39, 2}};
    int total = 0;
    for (auto [code, n] : counts) EXPECT_EQ(CharaCmdTable[code].nParamNum, n) << code;
    for (const auto& row : CharaCmdTable) total += row.nParamNum;
    EXPECT_EQ(total, 136);  // the listed counts and zeros elsewhere
}

TEST(CodeTable, PlainListsEndWithOneEmptyRowThatIsNotACode) {
    EXPECT_EQ(TriggerList.size(), 23u);
    EXPECT_STREQ(TriggerList[22], "なし（フローの操作コマンドで実行）");
    EXPECT_STREQ(TriggerList.data()[23], "");
    EXPECT_EQ(FlowGroupList.size(), 27u);
    EXPECT_STREQ(FlowGroupList[26], "Z");
    EXPECT_STREQ(FlowGroupList.data()[27], "");
    EXPECT_STREQ(FlowOpGroupList[0], "全て");
    EXPECT_STREQ(LowerLetterList[1], "a");
    EXPECT_EQ(DirectionList.size(), 13u);
    EXPECT_STREQ(DirectionList[12], "入力方向");
    EXPECT_EQ(CondKindList.size(), 8u);
    EXPECT_STREQ(CondKindList[0], "");
    EXPECT_STREQ(CondKindList[7], "距離条件");
    EXPECT_EQ(CompareList.size(), 8u);
    EXPECT_EQ(FacingList.size(), 12u);
    EXPECT_EQ(TargetWhomList.size(), 11u);
    EXPECT_EQ(ShotMoveList.size(), 10u);
    EXPECT_EQ(OnList.size(), 1u);
}

TEST(CodeTable, StatusAndStateTables) {
    EXPECT_STREQ(CharaStatusTable[14].lpName, "倒したら獲得するスコア");
    // Flag B is set for HP and SP only; flag C is clear for キャラID, Z座標 and マーク番号 only.
    for (int i = 0; i < CHARA_STATUS_NUM; ++i) {
        EXPECT_EQ(CharaStatusTable[i].nFlagB, (i == 1 || i == 2) ? 1 : 0) << i;
        EXPECT_EQ(CharaStatusTable[i].nFlagC, (i >= 5 && i <= 7) ? 0 : 1) << i;
    }
    EXPECT_EQ(SystemStatusTable[1].nMin, -480);
    for (const auto& row : StateFlagTable) EXPECT_EQ(row.nThird, row.nMin);
    EXPECT_EQ(StateFlagTable[5].nMax, 10);
}

TEST(CodeTable, FormationAndMovementParameterRows) {
    // Row = 3 x formation + slot.
    EXPECT_STREQ(FormationParamTable[3 * 3 + 1].lpLabel, "列の数");
    EXPECT_EQ(FormationParamTable[3 * 3 + 1].nMin, 1);
    EXPECT_EQ(FormationParamTable[3 * 3 + 1].nMax, 50);
    EXPECT_STREQ(FormationParamTable[3 * 4].lpLabel, "");
    EXPECT_EQ(FormationParamTable[3 * 2].nThird, 30);
    EXPECT_STREQ(ShotMoveParamTable[3 * 8 + 2].lpLabel, "開始角度");
    EXPECT_EQ(ShotMoveParamTable[3 * 8 + 2].nMax, 359);
    EXPECT_EQ(ShotMoveParamTable[3 * 5 + 1].nThird, 999);
    EXPECT_STREQ(ShotMoveParamTable[0].lpLabel, "");
}

TEST(CodeTable, NamesAreHeldAsShiftJis) {
    // "消滅" in CP932.
    EXPECT_EQ(std::string(CharaCmdTable[24].lpName), std::string("\x8f\xc1\x96\xc5"));
}

}  // namespace
