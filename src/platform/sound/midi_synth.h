#pragma once
// The MIDI library the music manager prefers: a General MIDI synthesiser in
// the process (FluidSynth with a General MIDI soundfont) that plays a file
// itself and sounds through the mixer. The GGS4* functions are its binding;
// cGgs4Player drives it for the music manager. Safe from any thread.
#include <string>
#include <vector>

// Makes the binding available: 0 (it is part of the program).
int LoadGgs4();
// Closes the device.
void ReleaseGgs4();
// Opens the synthesiser with the first soundfont found; 0 success, nonzero failure.
int GGS4OpenDevice(int device, int flags);
// Closes the synthesiser.
void GGS4CloseDevice();
// Files music id under path (a program path); 0 success.
int GGS4AddListFromFileA(const char* path, int option, int id);
// Master volume -127 (silent) ... 0 (full).
void GGS4SetMasterVolume(int volume);
// Plays music id from its start (loop 1: without end).
void GGS4Play(int loop, int id, int a, int b, int c);
// Stops the music.
void GGS4Stop(int fadeOut);
// Pauses the music where it is.
void GGS4Pause();
// Whether the synthesiser is open (its soundfont may still be loading).
bool IsGgs4DeviceOpen();

// The soundfonts tried in order (tests: null list restores the default:
// Debian's default-GM alternative, then TimGM6mb, then FluidR3).
void SetMidiSoundFontCandidates(const std::vector<std::string>* candidates);
// Starts opening the synthesiser and loading its soundfont on a thread of its
// own, so that the program's start goes on meanwhile. GGS4OpenDevice then
// takes what it opened; while the soundfont still loads, the device opens at
// once when a soundfont was found, and the requests made before it has loaded
// (list, volume, play, stop, pause) are held and played in their order when
// it has. When it then fails to load, the device closes. GGS4CloseDevice
// waits for the loading thread and drops what it opened.
void PreloadMidiSynth();

class cGgs4Player {
public:
    // 1 ready; 0 when the synthesiser could not be opened.
    int Init();
    // Plays path (extension exactly "mid") as music id; 1 playing, 0 not.
    int Play(int id, const char* path, int loop, int volume);
    // pause 0: stops; else pauses.
    void Stop(int pause);
    // The master volume last set (-127 ... 0).
    int MasterVolume() const { return m_nMasterVolume; }

private:
    int m_nId = 0;
    int m_nMasterVolume = 0;
};
