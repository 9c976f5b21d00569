#include "platform/seam/joystick_devices.h"

#include <SDL.h>

#include <array>
#include <memory>

#include "platform/input/joystick.h"
#include "platform/seam/owners.h"
#include "platform/system/log.h"

namespace {

// Slot i holds the pad read as joystick i.
std::array<SdlJoystickPtr, MAX_JOYSTICKS> g_Slots;

int SlotOfInstance(SDL_JoystickID id) {
    for (unsigned i = 0; i < MAX_JOYSTICKS; ++i)
        if (g_Slots[i] && SDL_JoystickInstanceID(g_Slots[i].get()) == id) return static_cast<int>(i);
    return -1;
}

void OpenDevice(int deviceIndex) {
    if (SlotOfInstance(SDL_JoystickGetDeviceInstanceID(deviceIndex)) >= 0) return;  // already open
    for (unsigned i = 0; i < MAX_JOYSTICKS; ++i) {
        if (g_Slots[i]) continue;
        SdlJoystickPtr joy(SDL_JoystickOpen(deviceIndex));
        if (!joy) {
            WriteReport("Joystick : cannot open %d : %s", deviceIndex, SDL_GetError());
            return;
        }
        const char* name = SDL_JoystickName(joy.get());
        WriteReport("Joystick %u : %s (axes %d, buttons %d)", i, name ? name : "?",
                    SDL_JoystickNumAxes(joy.get()), SDL_JoystickNumButtons(joy.get()));
        g_Slots[i] = std::move(joy);
        return;
    }
    WriteReport("Joystick : no free slot for device %d", deviceIndex);
}

}  // namespace

void OpenJoystickDevices() {
    const int n = SDL_NumJoysticks();
    for (int i = 0; i < n; ++i) OpenDevice(i);
    RefreshJoystickStates();
}

void HandleJoystickEvent(const SDL_Event& event) {
    if (event.type == SDL_JOYDEVICEADDED) {
        OpenDevice(event.jdevice.which);
    } else if (event.type == SDL_JOYDEVICEREMOVED) {
        const int slot = SlotOfInstance(event.jdevice.which);
        if (slot < 0) return;
        g_Slots[slot].reset();
        StoreJoystickState(static_cast<unsigned>(slot), nullptr);
        WriteReport("Joystick %d : removed", slot);
    }
}

void RefreshJoystickStates() {
    for (unsigned i = 0; i < MAX_JOYSTICKS; ++i) {
        SDL_Joystick* joy = g_Slots[i].get();
        if (!joy) continue;  // emptied when it was pulled out
        JOYSTATE state;
        if (SDL_JoystickNumAxes(joy) > 0) state.dwXpos = ScaleJoyAxis(SDL_JoystickGetAxis(joy, 0));
        if (SDL_JoystickNumAxes(joy) > 1) state.dwYpos = ScaleJoyAxis(SDL_JoystickGetAxis(joy, 1));
        const int buttons = SDL_JoystickNumButtons(joy);
        for (int b = 0; b < buttons && b < 32; ++b)
            if (SDL_JoystickGetButton(joy, b)) state.dwButtons |= 1u << b;
        StoreJoystickState(i, &state);
    }
}

void CloseJoystickDevices() {
    for (unsigned i = 0; i < MAX_JOYSTICKS; ++i) {
        if (!g_Slots[i]) continue;
        g_Slots[i].reset();
        StoreJoystickState(i, nullptr);
    }
}

int CountJoystickDevices() {
    int n = 0;
    for (const SdlJoystickPtr& slot : g_Slots) n += slot ? 1 : 0;
    return n;
}
