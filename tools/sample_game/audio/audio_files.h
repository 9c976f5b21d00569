#pragma once
// The file forms the generator writes: 16-bit PCM wave files and Standard
// MIDI Files, built in memory and written whole.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "sample_game/audio/score.h"

namespace sample {

// A RIFF wave file of 16-bit PCM samples (interleaved when nChannels > 1),
// rounded and limited to -32767 ... 32767.
std::vector<uint8_t> MakeWaveFile(const std::vector<float>& samples, int nChannels, int nRate);
// A format-1 Standard MIDI File: a tempo track, then one track per part with
// its name, program, volume and pan. Every track ends at the tune's end.
std::vector<uint8_t> MakeMidiFile(const cScore& score);
// Writes bytes to file (replacing it); false when it cannot be written.
bool WriteFileBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);

}  // namespace sample
