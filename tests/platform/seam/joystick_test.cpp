#include "platform/input/joystick.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/input/input.h"
#include "platform/seam/joystick_devices.h"
#include "platform/input/keyconfig.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/platform_state.h"
#include "support/env_guard.h"

namespace {

class JoystickTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.Set("SDL_VIDEODRIVER", "dummy");
        ResetPlatformState();
        ASSERT_TRUE(InitWindowSystem());
    }
    void TearDown() override {
        EndWindowSystem();
        ResetPlatformState();
    }
    cEnvGuard env;
};

TEST(JoystickScaleTest, SdlAxesRunFrom0To65535) {
    EXPECT_EQ(ScaleJoyAxis(-32768), 0u);
    EXPECT_EQ(ScaleJoyAxis(0), 32768u);
    EXPECT_EQ(ScaleJoyAxis(32767), 65535u);
    EXPECT_EQ(ScaleJoyAxis(-40000), 0u);
}

TEST_F(JoystickTest, PadPluggedInIsReadAndPulledOutIsAbsent) {
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 12, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    PumpMainMessages();  // the plug-in event opens it in the first free slot
    ASSERT_EQ(CountJoystickDevices(), 1);
    SDL_Joystick* joy = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(device));
    ASSERT_NE(joy, nullptr);
    SDL_JoystickSetVirtualAxis(joy, 0, -32768);
    SDL_JoystickSetVirtualAxis(joy, 1, 32767);
    SDL_JoystickSetVirtualButton(joy, 2, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(joy, 9, SDL_PRESSED);
    PumpMainMessages();
    JOYSTATE s;
    ASSERT_TRUE(ReadJoystickState(0, s));
    EXPECT_EQ(s.dwXpos, 0u);
    EXPECT_EQ(s.dwYpos, 65535u);
    EXPECT_EQ(s.dwButtons, (1u << 2) | (1u << 9));

    cInput input;
    input.SetDefaultButtons();
    ASSERT_EQ(input.ReadDefaultMapping(0, 1, 60), 1);
    EXPECT_EQ(input.m_nDir, INPUT_LEFT | INPUT_DOWN);
    EXPECT_EQ(input.m_nDigit, 7);
    EXPECT_EQ(input.m_nButton, 1 << 2);

    ASSERT_EQ(SDL_JoystickDetachVirtual(device), 0);
    PumpMainMessages();
    EXPECT_EQ(CountJoystickDevices(), 0);
    EXPECT_FALSE(ReadJoystickState(0, s));
    input.ReadDefaultMapping(0, 1, 60);
    EXPECT_EQ(input.m_bJoyPresent[0], 0);
}

TEST_F(JoystickTest, SecondPadTakesTheNextSlotAndKeepsIt) {
    const int a = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 4, 0);
    PumpMainMessages();
    const int b = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 4, 0);
    PumpMainMessages();
    ASSERT_EQ(CountJoystickDevices(), 2);
    JOYSTATE s;
    SDL_JoystickDetachVirtual(a);
    PumpMainMessages();
    EXPECT_FALSE(ReadJoystickState(0, s));
    EXPECT_TRUE(ReadJoystickState(1, s)) << "the second pad stays joystick 1";
    (void)b;
}

}  // namespace
