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

TEST(CodeTable, NamesAreHeldAsShiftJis) {
    // "消滅" in CP932.
    EXPECT_EQ(std::string(CharaCmdTable[24].lpName), std::string("\x8f\xc1\x96\xc5"));
}

}  // namespace
