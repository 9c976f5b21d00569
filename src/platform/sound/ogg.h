#pragma once
// Ogg music for the music manager: one Ogg player per music channel; one
// channel plays at a time.
#include <memory>
#include <vector>

#include "platform/sound/ogg_stream.h"

class cOgg {
public:
    cOgg() = default;
    ~cOgg() { Release(); }
    cOgg(const cOgg&) = delete;
    cOgg& operator=(const cOgg&) = delete;

    // Makes the decoder available; 1 (the decoder is part of the program).
    int Init();
    // Makes n players, one per channel; 1, or 0 when they could not be had.
    int Create(int n);
    // Plays path (a program path) on channel; 1 playing, 0 not.
    int Play(int channel, const char* path, int loop, int volume);
    // Stops the playing channel.
    void Stop();
    // Sets channel's linear volume 0.0 ... 1.0; 1, or 0 without such a player.
    int SetVolume(int channel, float volume);
    // Releases every player; a second call does nothing.
    void Release();
    // The channel playing, -1 none.
    int PlayingChannel() const { return m_nPlaying; }

private:
    std::vector<std::unique_ptr<cOggStream>> m_Players;
    int m_nChannels = 0;
    int m_nPlaying = -1;
    bool m_bLoaded = false;
};
