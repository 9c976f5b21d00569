// Menu layout helpers, the ranking and status-bar tests, the label lists and
// the play switches read through the system settings.
#include <gtest/gtest.h>

#include "database/menu_text.h"
#include "database/menu_text_labels.h"
#include "database/system_data.h"
#include "database/system_switches.h"
#include "db_test_support.h"
#include "support/record_services_spy.h"

namespace {

class MenuTextTest : public dbtest::cDbTest {};
class SystemSwitchTest : public dbtest::cDbTest {};

TEST_F(MenuTextTest, CountEnabledItemsCountsOnlyGameTypesWithRankingsOn) {
    cSystemData s;
    for (int t = 0; t < 3; ++t) EXPECT_EQ(s.CountEnabledItems(t), 5);
    EXPECT_EQ(s.CountEnabledItems(3), 0);
    s.vGameTypeFlags[3].bOn = 1;
    s.vGameTypeFlags[3].vFlag = {0, 2, 0, 1, 0, 0, 1};
    EXPECT_EQ(s.CountEnabledItems(3), 3);
}

TEST_F(MenuTextTest, BadGameTypeIsReportedAndAsksTheProgramToClose) {
    cRecordServicesSpy spy;
    cSystemData s;
    s.CountEnabledItems(4);
    EXPECT_EQ(spy.closes, 1);
    ASSERT_FALSE(spy.ec.empty());
    EXPECT_NE(spy.ec[0].find("err V[4]"), std::string::npos);
}

TEST_F(MenuTextTest, IsWithinLimitByPercentOrByValue) {
    cSystemData s;
    s.vStatusItem[2].nLimit = 33;
    s.vStatusItem[2].bLimitPercent = 1;
    EXPECT_EQ(s.IsWithinLimit(2, 30, 100), 1);
    EXPECT_EQ(s.IsWithinLimit(2, 33, 100), 1);
    EXPECT_EQ(s.IsWithinLimit(2, 34, 100), 0);
    EXPECT_EQ(s.IsWithinLimit(2, 0, 0), 0);  // NaN
    EXPECT_EQ(s.IsWithinLimit(2, 5, 0), 0);  // infinity
    s.vStatusItem[1].nLimit = 5;
    EXPECT_EQ(s.IsWithinLimit(1, 5, 0), 1);
    EXPECT_EQ(s.IsWithinLimit(1, 6, 0), 0);
    EXPECT_EQ(s.IsWithinLimit(1, -100, 0), 1);
}

TEST_F(MenuTextTest, CenteredTextLeftCountsCharactersAtSixteenPixels) {
    cSystemData s;
    EXPECT_EQ(s.GetCenteredTextLeft(320, 14, 2, 1), 240);  // 9 characters + the indent
    EXPECT_EQ(s.GetCenteredTextLeft(320, 14, 2, 0), 248);  // 9 * 16 / 2 = 72
    EXPECT_EQ(s.GetCenteredTextLeft(320, 0, 0, 1), 312);
    EXPECT_EQ(s.GetCenteredTextLeft(304, 10, 2, 0), 248);  // "ステージに挑む", "やっぱりやめる": 7
    s.vText[0] = "ab\ncd";
    EXPECT_EQ(s.GetCenteredTextLeft(0, 0, 1, 0), -32);  // the newline does not count
}

TEST_F(MenuTextTest, CmdMenuLeftUsesOnlyEnabledEntries) {
    std::vector<cCmd> menu = {cCmd(1, "つづける"), cCmd(1, "リトライ"), cCmd(0, "ずっとながいテキスト")};
    EXPECT_EQ(cSystemData::GetCmdMenuLeft(320, menu), 280);
    EXPECT_EQ(cSystemData::GetCmdMenuLeft(320, {cCmd(1, ""), cCmd(1, "")}), 320);
    EXPECT_EQ(cSystemData::GetCmdMenuLeft(320, {}), 320);
    EXPECT_EQ(cSystemData::GetCmdMenuLeft(100, {cCmd(1, "A")}), 84);
}

TEST_F(MenuTextTest, MenuTextBoxJoinsTheEntriesAndIsSizedFromTheWidest) {
    cSystemData s;
    MENUTEXTBOX box;
    ASSERT_TRUE(BuildMenuTextBox(s, 14, 2, 1, box));
    EXPECT_EQ(box.strText, std::string(" オートセーブＯＮ\n オートセーブＯＦＦ\n"));
    EXPECT_EQ(box.nWidth, 160);
    EXPECT_EQ(box.nHeight, 32);
    ASSERT_TRUE(BuildMenuTextBox(s, 21, 2, 0, box));
    EXPECT_EQ(box.strText, std::string("リトライ\n\n"));  // the empty entry 22 adds an empty line
    EXPECT_EQ(box.nWidth, 64);
    EXPECT_FALSE(BuildMenuTextBox(s, 14, 0, 1, box));
    EXPECT_TRUE(box.strText.empty());
}

TEST_F(MenuTextTest, FontNameListHolds122NamesAndAnEmptyEnd) {
    EXPECT_STREQ(FontNameList[0], "System");
    EXPECT_STREQ(FontNameList[59], "ＭＳ ゴシック");
    EXPECT_STREQ(FontNameList[60], "ＭＳ Ｐゴシック");
    EXPECT_STREQ(FontNameList[121], "Sydnie");
    EXPECT_STREQ(FontNameList[122], "");
    for (const char* n : FontNameList) EXPECT_NE(n, nullptr);
    EXPECT_STREQ(GetFontName(cSystemData().nFontNo), "ＭＳ Ｐゴシック");
    EXPECT_STREQ(GetFontName(-1), "");
    EXPECT_STREQ(GetFontName(500), "");
    EXPECT_STREQ(ColorModeLabels[1], "1677万色(24bit) カラーパレットなし");
    EXPECT_STREQ(BppLabels[2], "8bit(256色)");
    EXPECT_STREQ(BppLabels[3], "");
    EXPECT_STREQ(BppLabelsNo8Bit[2], "");
}

TEST_F(SystemSwitchTest, StoredSwitchesReadTheirMembersAndTheOthersACurrentProject) {
    cSystemData s;
    s.bPauseBackToMap = 0;
    s.nTallyDivisor = 500;
    s.bReverseOnTurn = 1;
    EXPECT_EQ(GetSysSwitch(s, eSysSwitch::BackToMap), 0);
    EXPECT_EQ(GetSysSwitch(s, eSysSwitch::ExtraLifeScoreStep), 500);
    EXPECT_EQ(GetSysSwitch(s, eSysSwitch::ReverseOnTurn), 1);
    EXPECT_EQ(GetSysSwitch(s, eSysSwitch::ChallengeStageCount), 40);
    EXPECT_EQ(GetSysSwitch(s, eSysSwitch::RetryMenuAfterDeath), 1);
    EXPECT_EQ(GetSysSwitch(s, eSysSwitch::RestoreVarsCommon), 1);
    EXPECT_EQ(GetSysSwitch(s, eSysSwitch::LandWhileRising), 0);
    EXPECT_EQ(GetSysSwitch(s, eSysSwitch::Count), 0);
}

}  // namespace
