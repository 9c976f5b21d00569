#pragma once
// The audio device: one SDL audio device whose callback renders the process's
// mixer (sound_mixer.h). The sound-effect layer and the music manager each
// hold it open; it closes when the last lets go. Without a device the system
// stays silent: one report-log line says so and nothing else changes.

// Opens the device for one more user; false when the system is silent.
bool AcquireSoundOutput();
// Lets go of the device; the last user closes it.
void ReleaseSoundOutput();
// Whether the device is open and playing the mixer.
bool IsSoundOutputOpen();
// Offline (tests, benchmarks): no device is opened, the caller renders the
// mixer itself and music sources wait for their data.
void SetSoundOutputOffline(bool bOffline);
