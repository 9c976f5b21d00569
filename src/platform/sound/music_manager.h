#pragma once
// The music manager: one slot per music scene (0 Title, 1 WorldMap,
// 2 Challenge, 3 Option, 4 Stage), each played on a channel through the Ogg
// player or a MIDI player (the synthesiser when it opens, else the stream
// players), chosen by the file's extension. Every member is safe from any
// thread: one lock guards the manager.
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/sound/midi_player.h"
#include "platform/sound/midi_synth.h"
#include "platform/sound/ogg.h"

// A slot's Ogg file and volume (0 ... 100, 100 and above full).
struct OGGNAME {
    char name[260] = {};
    int32_t volume = 0;
};
// A slot's MIDI file and volume (0 ... 100); the middle field is not used here.
struct MIDINAME {
    char name[260] = {};
    int32_t reserved = 0;
    int32_t volume = 0;
};

// The name tables with their initial names ("bgm\Title.ogg" ... "bgm\Stage.mid").
void InitBgmNameTables(std::vector<OGGNAME>& ogg, std::vector<MIDINAME>& midi);

class cBgm {
public:
    enum { KIND_UNDECIDED = 0, KIND_OGG = 1, KIND_MIDI = 2 };
    enum { CHANNEL_SILENT = 0, CHANNEL_OGG = 1, CHANNEL_MIDI = 2 };

    cBgm() = default;
    ~cBgm() { Release(); }
    cBgm(const cBgm&) = delete;
    cBgm& operator=(const cBgm&) = delete;

    // Sets up channels, the caller's name tables (kept, written by SetTrack)
    // and slots; 1, or 0 when the Ogg player is missing.
    int Init(int channels, std::vector<OGGNAME>* ogg, std::vector<MIDINAME>* midi, int slots);
    // Makes n channels, all silent; 1.
    int SetChannels(int n);
    // Assigns path and volume to slot; 1 for Ogg or MIDI, else 0 (1 when not enabled).
    int SetTrack(int slot, const char* path, int volume);
    // Plays slot on channel (loop: without end; pause: pause library MIDI
    // rather than stop it; force: restart a slot already playing); 1 when
    // something plays or nothing had to be done, 0 on failure.
    int Play(int channel, int slot, int loop, int pause, int force);
    // Stops the music.
    void Stop();
    // Releases every player; the manager is disabled.
    void Release();

    // The slot last played, -1 none.
    int CurrentSlot();
    // What channel n plays (CHANNEL_*), 0 for a channel that does not exist.
    int ChannelState(int channel);
    // A slot's kind (KIND_*).
    int SlotKind(int slot);
    // Whether the synthesiser plays MIDI (else the stream players).
    bool UsesMidiLibrary();
    // The stream player of channel n, null when none (tests).
    cMidi* StreamPlayer(int channel);

private:
    bool PlayOggLocked(int channel, int slot, int loop);
    bool PlayMidiLocked(int channel, int slot, int loop);
    void StopMidiLocked(int pause);
    bool ValidChannel(int channel) const;

    std::recursive_mutex m_Lock;
    int m_bEnabled = 0;
    bool m_bPlayersMade = false;  // Init got as far as making the players
    cOgg m_Ogg;
    std::vector<OGGNAME>* m_pOggNames = nullptr;
    int m_bMidiLibrary = 0;
    cGgs4Player m_Ggs4;
    std::vector<std::unique_ptr<cMidi>> m_vMidi;
    std::vector<int> m_vMidiLoop;
    std::vector<MIDINAME>* m_pMidiNames = nullptr;
    int m_nCurrent = -1;
    std::vector<int> m_vKinds;
    std::vector<int> m_vChannelState;
};

// The process's music manager.
extern cBgm Bgm;
