#pragma once
// Drives dialogs in tests: a script of SDL events, one step per frame of the
// modal loop, pushed into SDL's queue as the keyboard would.
#include <SDL.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/window/dialog.h"
#include "platform/window/platform_state.h"
#include "support/env_guard.h"

class cDialogScript {
public:
    cDialogScript();
    ~cDialogScript();
    // A key press: down on one frame, up on the next.
    cDialogScript& Key(SDL_Keycode key);
    // Text as SDL text input (UTF-8), one character per frame.
    cDialogScript& Text(const std::string& utf8);
    // An IME composition in progress (SDL_TEXTEDITING); empty ends it.
    cDialogScript& Compose(const std::string& utf8);
    // Frames with nothing pushed.
    cDialogScript& Wait(int frames);
    // Steps not yet pushed when the dialog closed.
    int Left() const { return static_cast<int>(m_Steps.size() - m_nNext); }

private:
    void Step(cDialog& dlg, int frame);
    std::vector<SDL_Event> m_Steps;  // type 0: an empty frame
    size_t m_nNext = 0;
};

// Opens SDL video for a test on the dummy driver (unless the run chose one).
class cVideoForTest {
public:
    cVideoForTest();
    ~cVideoForTest();
    bool ok = false;

private:
    cEnvGuard m_Env;  // the driver chosen here, given back afterwards
};

// Dialogs with QV_AUTO_ANSWER=1 under the dummy video driver: each takes its
// default answer at once. The platform is reset before and after each test.
class cAutoAnswerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_Env.Set("QV_AUTO_ANSWER", "1");
        m_Env.Set("SDL_VIDEODRIVER", "dummy");
        ResetPlatformState();
    }
    void TearDown() override {
        m_Env.Restore();
        ResetPlatformState();
    }
    cEnvGuard m_Env;
};
