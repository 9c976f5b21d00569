#pragma once
// Every global of the platform layer back to its start-up state (tests): the
// window system and main window, dialogs, graphics, input, sound, timers and
// logs; the settings read from the environment (QV_AUTO_ANSWER, QV_FAST) are
// read again at their next use. The record layer is reset too.
void ResetPlatformState();
