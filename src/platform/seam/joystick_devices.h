#pragma once
// The joysticks SDL reports, opened and closed as they are plugged in and
// out, and copied into the joystick snapshot. Main thread only.
#include <SDL.h>

// Opens every joystick present (SDL's joystick subsystem must be up).
void OpenJoystickDevices();
// Follows SDL_JOYDEVICEADDED and SDL_JOYDEVICEREMOVED; other events are ignored.
void HandleJoystickEvent(const SDL_Event& event);
// Copies the axes and buttons of every open joystick into the snapshot.
void RefreshJoystickStates();
// Closes every joystick and empties their slots of the snapshot.
void CloseJoystickDevices();
// Number of joysticks open.
int CountJoystickDevices();
