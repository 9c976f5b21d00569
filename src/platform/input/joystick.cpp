#include "platform/input/joystick.h"

#include <array>
#include <mutex>

namespace {

struct JOYSNAPSHOT {
    std::mutex lock;
    std::array<JOYSTATE, MAX_JOYSTICKS> states{};
    std::array<bool, MAX_JOYSTICKS> present{};
};

JOYSNAPSHOT& Snapshot() {
    static JOYSNAPSHOT s;
    return s;
}

}  // namespace

bool ReadJoystickState(unsigned id, JOYSTATE& state) {
    if (id >= MAX_JOYSTICKS) return false;
    JOYSNAPSHOT& s = Snapshot();
    std::lock_guard<std::mutex> guard(s.lock);
    if (!s.present[id]) return false;
    state = s.states[id];
    return true;
}

void StoreJoystickState(unsigned id, const JOYSTATE* state) {
    if (id >= MAX_JOYSTICKS) return;
    JOYSNAPSHOT& s = Snapshot();
    std::lock_guard<std::mutex> guard(s.lock);
    s.present[id] = state != nullptr;
    s.states[id] = state ? *state : JOYSTATE{};
}

void ResetJoystickStates() {
    JOYSNAPSHOT& s = Snapshot();
    std::lock_guard<std::mutex> guard(s.lock);
    s.present.fill(false);
    s.states.fill(JOYSTATE{});
}

uint32_t ScaleJoyAxis(int sdlValue) {
    if (sdlValue < -32768) sdlValue = -32768;
    if (sdlValue > 32767) sdlValue = 32767;
    return static_cast<uint32_t>(sdlValue + 32768);
}
