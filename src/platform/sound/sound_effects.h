#pragma once
// Wave sound effects. Each sound is loaded once and duplicated into copies
// that share its samples, played round robin so that a sound can overlap
// itself. Volumes are hundredths of a decibel, -10000 (silent) ... 0 (full).
// Every function is safe to call from any thread (one lock guards the layer).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/sound/sound_mixer.h"

// One sound of the project, as the database describes it.
struct DSSOUNDINFO {
    char name[260] = {};   // the wave file's path
    int32_t copies = 0;    // number of buffers
    int32_t volume = 0;    // hundredths of a decibel, 0 = full
    int32_t loaded = 0;    // set by initialisation
};

// One loaded sound: copy 0 owns the samples, the others share them.
struct DSSOUNDDATA {
    char name[260] = {};
    std::vector<std::unique_ptr<cSoundBuffer>> copies;  // empty: not created
    int32_t nCopies = 0;                                // copies that were made
    int32_t nNext = 0;                                  // the copy the next play uses
};

// Opens the sound layer (window, rate, bits, channels are the caller's
// wishes; the mixer runs at its own rate). True, also when no audio device
// exists: then everything stays silent and the report log says so once.
bool DS_Init(void* hWnd, int rate, int bits, int channels);
// Releases every sound of the current list and closes the layer.
void DS_End();
// Creates every sound of the list not created yet (a descriptor without a
// file name is left silent); volume 0 = each descriptor's own. The lists become the current ones. Returns 1.
int DS_LoadSoundList(std::vector<DSSOUNDDATA>& sounds, const std::vector<DSSOUNDINFO>& infos, int volume);
// Reads the wave files at paths (program paths) on the calling thread, ahead
// of their loading: a sound then loaded from a file still the same takes the
// bytes read here. Files that cannot be read are left to the loading, which
// reports them.
void PrepareWaveFiles(const std::vector<std::string>& paths);
// Forgets what PrepareWaveFiles read and was not taken.
void DiscardPreparedWaveFiles();
// Loads one sound from path with its copies; true on success.
bool DS_CreateSound(DSSOUNDDATA& sound, const char* path, int copies, int volume);
// Releases a sound's copies.
void DS_ReleaseSound(DSSOUNDDATA& sound);
// Loads the wave at path into slot (copy 0 of a sound); true on success.
bool DS_LoadWave(std::unique_ptr<cSoundBuffer>& slot, const char* path);
// Makes slot a copy sharing source's samples; true on success.
bool DS_DuplicateBuffer(std::unique_ptr<cSoundBuffer>& slot, const cSoundBuffer& source);
// Plays the sound's next copy from its start (flags bit 0: loop).
void DS_PlaySound(DSSOUNDDATA& sound, uint32_t flags);
// Sets copy's volume (relative 1: added to the present one), clamped to
// -10000 ... 0; the volume set, or 0 when there is no such copy.
int DS_SetVolume(DSSOUNDDATA& sound, int copy, int volume, int relative);
// The copy's present volume, or 0.
int DS_GetVolume(DSSOUNDDATA& sound, int copy);
// Whether the sound layer is open (tests).
bool DS_IsOpen();
