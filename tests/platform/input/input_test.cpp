#include "platform/input/input.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/input/input_keys.h"
#include "platform/input/input_mouse.h"
#include "platform/input/input_script.h"
#include "platform/input/joystick.h"
#include "platform/input/keyconfig.h"
#include "platform/system/log.h"
#include "platform/input/vkey.h"
#include "support/temp_dir.h"

namespace {

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLogs();
        ResetKeySnapshot();
        ResetInputScript();
        ResetJoystickStates();
        ResetMouseLatches();
        SetDefaultKeyConfig(KeyConfig);
        input.SetRepeat(18, 6);
        input.SetDefaultButtons();
    }
    void TearDown() override {
        ResetKeySnapshot();
        ResetInputScript();
        ResetJoystickStates();
        SetDefaultKeyConfig(KeyConfig);
    }
    // One frame as the frame driver runs it: script, poll (fixed mapping,
    // joystick 0 and keyboard), then the per-frame records of play.
    void Frame(uint32_t f) {
        ApplyInputScript(f);
        ASSERT_EQ(input.ReadDefaultMapping(0, 3, 60), 1);
        input.RecordHistory();
        input.RecordPatternHistory();
    }
    static void Joy(unsigned id, uint32_t x, uint32_t y, uint32_t buttons) {
        JOYSTATE s;
        s.dwXpos = x;
        s.dwYpos = y;
        s.dwButtons = buttons;
        StoreJoystickState(id, &s);
    }

    cInput input;
};

TEST_F(InputTest, VirtualKeysComeFromOneTableAndReadAsNamesOrCodes) {
    EXPECT_EQ(VkFromString("LEFT"), VK_LEFT);
    EXPECT_EQ(VkFromString("vk_left"), 37);
    EXPECT_EQ(VkFromString("0x25"), 37);
    EXPECT_EQ(VkFromString("37"), 37);
    EXPECT_EQ(VkFromString("z"), 'Z');
    EXPECT_EQ(VkFromString("5"), '5');  // one digit is the digit key
    EXPECT_EQ(VkFromString("F12"), 0x7B);
    EXPECT_EQ(VkFromString("esc"), VK_ESCAPE);
    EXPECT_EQ(VkFromString("256"), -1);
    EXPECT_EQ(VkFromString("0"), '0');
    EXPECT_EQ(VkFromString("00"), -1);
    EXPECT_EQ(VkFromString("NOSUCHKEY"), -1);
    EXPECT_EQ(VkName(VK_RETURN), "RETURN");
    EXPECT_EQ(VkName('Q'), "Q");
}

TEST_F(InputTest, ScriptDrivesDirectionsAndButtonsOverFrames) {
    ASSERT_EQ(ParseInputScript("# left and up, then left with right\n"
                               "0 LEFT down\n"
                               "0 UP down\n"
                               "3 up up\n"
                               "3 RIGHT down\n"
                               "5 LEFT up\n"
                               "5 Z down\n"
                               "6 vk_f down\n"
                               "7 0x5A up\n"
                               "\n"
                               "8 DOWN down\r\n"),
              9);
    struct EXPECTED {
        uint16_t dir;
        int digit;
        uint16_t buttons;
    };
    const EXPECTED frames[] = {
        {5, 1, 0},     // 0: left + up (up is -3 from the centre)
        {5, 1, 0},     // 1
        {5, 1, 0},     // 2
        {3, 5, 0},     // 3: left + right cancel in the fixed mapping
        {3, 5, 0},     // 4
        {2, 6, 1},     // 5: right, button 1 (Z)
        {2, 6, 129},   // 6: F is button 8
        {2, 6, 128},   // 7: Z released
        {10, 9, 128},  // 8: right + down
    };
    for (uint32_t f = 0; f < std::size(frames); ++f) {
        Frame(f);
        EXPECT_EQ(input.m_nDir, frames[f].dir) << "frame " << f;
        EXPECT_EQ(input.m_nDigit, frames[f].digit) << "frame " << f;
        EXPECT_EQ(input.m_nButton, frames[f].buttons) << "frame " << f;
    }
}

TEST_F(InputTest, BadScriptLinesAreReportedAndSkipped) {
    cTempDir dir;
    const std::string report = dir.File("Report_Game.txt");
    ReportInit(report.c_str());
    EXPECT_EQ(ParseInputScript("x LEFT down\n1 NOKEY down\n2 LEFT sideways\n3 LEFT down extra\n4 LEFT down\n"), 1);
    ApplyInputScript(3);
    EXPECT_FALSE(IsKeyHeld(VK_LEFT));
    ApplyInputScript(4);
    EXPECT_TRUE(IsKeyHeld(VK_LEFT));
    EXPECT_EQ(GetAsyncKeyState(VK_LEFT) & 0x8000, 0x8000);
    std::ifstream f(report, std::ios::binary);
    const std::string log((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_NE(log.find("QV_INPUT : line 1 ignored : x LEFT down\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("line 4 ignored"), std::string::npos);
    EXPECT_EQ(log.find("line 5"), std::string::npos);
}

TEST_F(InputTest, ScriptAndDeviceLayersBothHoldAKey) {
    ParseInputScript("0 SPACE down\n2 SPACE up\n");
    ApplyInputScript(0);
    SetDeviceKey(VK_SPACE, true);
    ApplyInputScript(2);
    EXPECT_TRUE(IsKeyHeld(VK_SPACE)) << "the keyboard still holds it";
    SetDeviceKey(VK_SPACE, false);
    EXPECT_FALSE(IsKeyHeld(VK_SPACE));
    SetDeviceKey(VK_RSHIFT, true);
    EXPECT_TRUE(IsKeyHeld(VK_SHIFT));
    ReleaseDeviceKeys();
    EXPECT_FALSE(IsKeyHeld(VK_SHIFT));
}

TEST_F(InputTest, HeldDownRepeatsOnUpdates0_18_24_30AndReleaseRestarts) {
    ParseInputScript("0 DOWN down\n40 DOWN up\n41 DOWN down\n");
    std::vector<uint32_t> reported;
    for (uint32_t f = 0; f < 66; ++f) {
        ApplyInputScript(f);
        input.ReadDefaultMapping(0, 3, 60);
        input.UpdateRepeat();
        if (input.m_nDir & INPUT_DOWN) reported.push_back(f);
        EXPECT_EQ(input.m_nDir & (INPUT_LEFT | INPUT_RIGHT), 0);
    }
    EXPECT_EQ(reported, (std::vector<uint32_t>{0, 18, 24, 30, 36, 41, 59, 65}));
}

TEST_F(InputTest, RepeatAxesCountApart) {
    ParseInputScript("0 LEFT down\n10 UP down\n");
    std::vector<uint32_t> left, up;
    for (uint32_t f = 0; f < 30; ++f) {
        ApplyInputScript(f);
        input.ReadDefaultMapping(0, 3, 60);
        input.UpdateRepeat();
        if (input.m_nDir & INPUT_LEFT) left.push_back(f);
        if (input.m_nDir & INPUT_UP) up.push_back(f);
    }
    EXPECT_EQ(left, (std::vector<uint32_t>{0, 18, 24}));
    EXPECT_EQ(up, (std::vector<uint32_t>{10, 28}));
    input.SetRepeat(0, 0);  // an interval of 0 would divide by zero
    EXPECT_EQ(input.m_nRepeatInterval, 1u);
}

TEST_F(InputTest, HistoryAnswersForEarlierFrames) {
    ParseInputScript("3 RIGHT down\n3 X down\n8 RIGHT up\n");
    for (uint32_t f = 0; f <= 7; ++f) Frame(f);
    // Right held on frames 3..7 (five frames), nothing before.
    EXPECT_EQ(input.GetHistory(0, 0), INPUT_RIGHT);
    EXPECT_EQ(input.GetHistory(0, 4), INPUT_RIGHT);
    EXPECT_EQ(input.GetHistory(0, 5), 0);
    EXPECT_EQ(input.GetHistory(0, 1000), 0) << "the oldest entry answers for any older frame";
    EXPECT_EQ(input.GetHistory(1, 0), 2);
    EXPECT_EQ(input.GetHistory(2, 0), 0) << "no third channel";
    Frame(8);
    EXPECT_EQ(input.GetHistory(0, 0), 0);
    EXPECT_EQ(input.GetHistory(0, 1), INPUT_RIGHT);
    input.ClearHistory();
    EXPECT_EQ(input.GetHistory(0, 1), 0);
}

TEST_F(InputTest, HistoryRingKeepsThirtyTwoChanges) {
    // Alternate left and right every frame: 40 changes, the ring keeps the last 32.
    std::string script;
    for (int f = 0; f < 40; ++f)
        script += std::to_string(f) + (f % 2 ? " LEFT up\n" : " LEFT down\n");
    ParseInputScript(script);
    for (uint32_t f = 0; f < 40; ++f) Frame(f);
    for (uint32_t k = 0; k < 32; ++k) EXPECT_EQ(input.GetHistory(0, k), (39 - k) % 2 ? 0 : INPUT_LEFT) << k;
    EXPECT_EQ(input.GetHistory(0, 500), input.GetHistory(0, 31)) << "never wraps round to the newest";
}

TEST_F(InputTest, DigitOfTheBitsLeftBeforeRightUpBeforeDown) {
    const int digits[16] = {5, 4, 6, 4, 2, 1, 3, 1, 8, 7, 9, 7, 2, 1, 3, 1};
    for (uint16_t bits = 0; bits < 16; ++bits) {
        input.m_nDir = bits;
        EXPECT_EQ(input.GetDirectionDigit(), digits[bits]) << bits;
    }
    input.ClearDirection();
    EXPECT_EQ(input.m_nDigit, 5);
    EXPECT_EQ(input.m_nDir, 0);
}

TEST_F(InputTest, PatternRunsAreNewestFirst) {
    ParseInputScript("3 LEFT down\n5 A down\n");
    for (uint32_t f = 0; f < 6; ++f) Frame(f);
    EXPECT_EQ(input.DirRuns(1)[0].nState, 1);   // left: held 3 frames
    EXPECT_EQ(input.DirRuns(1)[0].nLength, 3);
    EXPECT_EQ(input.DirRuns(1)[1].nState, 0);   // after 3 frames without
    EXPECT_EQ(input.DirRuns(1)[1].nLength, 3);
    EXPECT_EQ(input.DirRuns(0)[0].nState, 0);   // neutral: not for 3 frames
    EXPECT_EQ(input.DirRuns(0)[1].nLength, 3);
    EXPECT_EQ(input.DirRuns(9)[0].nLength, 3);  // any direction
    EXPECT_EQ(input.DirRuns(5)[0].nState, 0);   // left+up never held
    EXPECT_EQ(input.DirRuns(5)[0].nLength, 6);
    EXPECT_EQ(input.ButtonRuns(5)[0].nState, 1);  // A is button 5
    EXPECT_EQ(input.ButtonRuns(5)[0].nLength, 1);
    EXPECT_EQ(input.ButtonRuns(0)[1].nLength, 5);
    input.ClearPatternHistory();
    EXPECT_EQ(input.DirRuns(1)[0].nLength, 0);
}

TEST_F(InputTest, TriggerPassesTheFirstFrameOnlyUntilAllAreReleased) {
    ParseInputScript("0 Z down\n3 X down\n10 Z up\n10 X up\n12 X down\n");
    std::vector<uint16_t> seen;
    for (uint32_t f = 0; f < 14; ++f) {
        ApplyInputScript(f);
        input.ReadDefaultMapping(0, 3, 60);
        input.TriggerButtons(0);
        seen.push_back(input.m_nButton);
    }
    EXPECT_EQ(seen, (std::vector<uint16_t>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0}));
}

TEST_F(InputTest, JoystickAxisEdgesAndDigits) {
    struct CASE {
        uint32_t x, y;
        int digit;
        uint16_t dir;
    };
    const CASE cases[] = {
        {10000, 32768, 4, 1}, {10001, 32768, 5, 0}, {55534, 32768, 5, 0}, {55535, 32768, 6, 2},
        {0, 0, 1, 5},         {65535, 65535, 9, 10}, {32768, 10000, 2, 4},  {0, 65535, 7, 9},
    };
    for (const CASE& c : cases) {
        Joy(0, c.x, c.y, 0);
        input.ReadDefaultMapping(0, 1, 60);
        EXPECT_EQ(input.m_nDigit, c.digit) << c.x << "," << c.y;
        EXPECT_EQ(input.m_nDir, c.dir) << c.x << "," << c.y;
    }
}

TEST_F(InputTest, JoystickDirectionOrButtonHidesTheKeyboards) {
    SetScriptKey(VK_RIGHT, true);
    SetScriptKey('X', true);
    Joy(0, 0, 32768, 0);  // stick left, no button
    input.ReadDefaultMapping(0, 3, 60);
    EXPECT_EQ(input.m_nDir, INPUT_LEFT);
    EXPECT_EQ(input.m_nButton, 2) << "keyboard buttons still count";
    Joy(0, 32768, 32768, 1u << 3);  // centre, button 4
    input.ReadDefaultMapping(0, 3, 60);
    EXPECT_EQ(input.m_nDir, INPUT_RIGHT) << "keyboard direction when the stick is centred";
    EXPECT_EQ(input.m_nButton, 8) << "any joystick button hides all keyboard buttons";
    input.m_nJoyButton[0] = 0x300;  // button 1 answers to pad buttons 9 and 10
    Joy(0, 32768, 32768, 0x200);
    input.ReadDefaultMapping(0, 1, 60);
    EXPECT_EQ(input.m_nButton, 1);
}

TEST_F(InputTest, AbsentJoystickIsTriedAgainAfterTwiceTheRetry) {
    input.ReadDefaultMapping(0, 1, 60);  // fails: 120 polls skipped
    EXPECT_EQ(input.m_bJoyPresent[0], 0);
    Joy(0, 0, 32768, 0);
    int firstRead = -1;
    for (int poll = 2; poll <= 130 && firstRead < 0; ++poll) {
        input.m_nDir = 0;
        input.ReadDefaultMapping(0, 1, 60);
        if (input.m_nDir == INPUT_LEFT) firstRead = poll;
    }
    EXPECT_EQ(firstRead, 122);
    EXPECT_EQ(input.m_bJoyPresent[0], 1);
    StoreJoystickState(0, nullptr);  // pulled out while held left
    input.ReadDefaultMapping(0, 1, 60);
    EXPECT_EQ(input.m_nDir, 0) << "no direction left behind";
    EXPECT_EQ(input.m_nDigit, 5);
}

TEST_F(InputTest, ConfiguredMappingLeftWinsOverRightAndUpOverDown) {
    KeyConfig.bUse = 1;
    EXPECT_EQ(input.ReadDefaultMapping(0, 3, 60), 0) << "the fixed mapping stands aside";
    SetScriptKey(VK_LEFT, true);
    SetScriptKey(VK_RIGHT, true);
    SetScriptKey(VK_UP, true);
    SetScriptKey(VK_DOWN, true);
    SetScriptKey('S', true);
    ASSERT_EQ(input.ReadKeyConfigMapping(1, 60), 1);
    EXPECT_EQ(input.m_nDir, INPUT_LEFT | INPUT_UP);
    EXPECT_EQ(input.m_nDigit, 1);
    EXPECT_EQ(input.m_nButton, 1 << 5);
    KeyConfig.bUse = 0;
    EXPECT_EQ(input.ReadKeyConfigMapping(1, 60), 0);
}

TEST_F(InputTest, MissingSecondPadDoesNotBlockTheFirst) {
    KeyConfig.bUse = 1;
    KeyConfig.nJoyNum = 2;
    KeyConfig.Slot[KEYSLOT_LEFT] = KEYSLOT{0, JOYCODE_LEFT};
    KeyConfig.Slot[KEYSLOT_BUTTON1] = KEYSLOT{1, 1};  // pad 1 is not plugged in
    Joy(0, 0, 32768, 0);
    for (int poll = 0; poll < 200; ++poll) {
        input.ReadKeyConfigMapping(1, 60);
        ASSERT_EQ(input.m_nDir, INPUT_LEFT) << "poll " << poll;
        ASSERT_EQ(input.m_nButton, 0);
    }
    EXPECT_EQ(input.m_bJoyPresent[0], 1);
    EXPECT_EQ(input.m_bJoyPresent[1], 0);
}

TEST_F(InputTest, AxisCodesTestTheStickOnly) {
    KeyConfig.bUse = 1;
    KeyConfig.Slot[KEYSLOT_BUTTON1] = KEYSLOT{0, JOYCODE_LEFT};
    KeyConfig.Slot[KEYSLOT_BUTTON1 + 1] = KEYSLOT{0, 0x300};  // buttons 9 and 10
    Joy(0, 32768, 32768, 0x100);  // button 9 shares the bit of the stick-left code
    input.ReadKeyConfigMapping(1, 60);
    EXPECT_EQ(input.m_nButton, 2);
    Joy(0, 0, 32768, 0);
    input.ReadKeyConfigMapping(1, 60);
    EXPECT_EQ(input.m_nButton, 1);
    EXPECT_EQ(IsJoyAxisPressed(JOYSTATE{}, 0x300), 0);
}

TEST_F(InputTest, SlotsBeyondTheCountsAreNeverPressed) {
    KeyConfig.bUse = 1;
    KeyConfig.nJoyNum = 1;
    KeyConfig.Slot[KEYSLOT_UP] = KEYSLOT{3, 1};  // joystick 3, beyond the count
    KeyConfig.nSlotNum = 6;                      // buttons 3 to 8 unused
    Joy(3, 32768, 32768, 1);
    for (int vk : {'Z', 'X', 'C', 'V'}) SetScriptKey(vk, true);
    input.ReadKeyConfigMapping(1, 60);
    EXPECT_EQ(input.m_nDir, 0);
    EXPECT_EQ(input.m_nButton, 3);
    KeyConfig.nSlotNum = 2;  // the direction slots are read all the same
    SetScriptKey(VK_DOWN, true);
    input.ReadKeyConfigMapping(1, 60);
    EXPECT_EQ(input.m_nDir, INPUT_DOWN);
    EXPECT_EQ(input.m_nButton, 0);
}

TEST_F(InputTest, MouseButtonEdges) {
    MOUSEDATA m;
    const unsigned all = MOUSE_READ | MOUSE_PRESS | MOUSE_RELEASE;
    SetDeviceKey(VK_LBUTTON, true);
    UpdateMouseButtons(m, all);
    EXPECT_EQ(m.bLDown, 1);
    EXPECT_EQ(m.bLPush, 1);
    UpdateMouseButtons(m, all);
    EXPECT_EQ(m.bLPush, 0) << "pressed once per press";
    SetDeviceKey(VK_LBUTTON, false);
    SetDeviceKey(VK_RBUTTON, true);
    UpdateMouseButtons(m, all);
    EXPECT_EQ(m.bLUp, 1);
    EXPECT_EQ(m.bRPush, 1);
    UpdateMouseButtons(m, all);
    EXPECT_EQ(m.bLUp, 0);
}

}  // namespace
