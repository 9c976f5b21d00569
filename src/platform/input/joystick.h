#pragma once
// The joystick snapshot: the state of each joystick slot, written by the
// main thread from SDL (joystick_devices.h) and read by the game thread.
// Axes run from 0 to 65535 (32767 or 32768 centre), buttons are bits
// (button 1 = bit 0). Locked.
#include <cstdint>

// Joystick slots; a pad takes the lowest free slot when it is plugged in
// and keeps it until it is pulled out.
constexpr unsigned MAX_JOYSTICKS = 16;

struct JOYSTATE {
    uint32_t dwXpos = 32768;
    uint32_t dwYpos = 32768;
    uint32_t dwButtons = 0;
};

// Reads joystick id; false when the slot holds no joystick (or id is out of range).
bool ReadJoystickState(unsigned id, JOYSTATE& state);
// Stores the state of slot id (null: the slot is empty).
void StoreJoystickState(unsigned id, const JOYSTATE* state);
// Every slot empty.
void ResetJoystickStates();
// An SDL axis value (-32768..32767) on the 0..65535 scale.
uint32_t ScaleJoyAxis(int sdlValue);
