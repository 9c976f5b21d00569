#pragma once
// Reading RIFF wave files: only uncompressed PCM is accepted.
#include <cstdint>
#include <string>
#include <vector>

// The format block as stored in the file (at most 18 bytes; missing bytes 0).
struct WAVEFORMATEX {
    uint16_t wFormatTag = 0;
    uint16_t nChannels = 0;
    uint32_t nSamplesPerSec = 0;
    uint32_t nAvgBytesPerSec = 0;
    uint16_t nBlockAlign = 0;
    uint16_t wBitsPerSample = 0;
    uint16_t cbSize = 0;
};

constexpr uint16_t WAVE_FORMAT_PCM = 1;

// A wave file's format and sample bytes.
struct WAVEDATA {
    WAVEFORMATEX format;
    std::vector<uint8_t> samples;
};

// Parses the wave file at path (a program path) into wave; false when the
// file cannot be opened or is not a PCM wave file with samples (bad formats
// are reported to the report and error logs, the rest is left to the caller).
bool ReadWaveFile(const char* path, WAVEDATA& wave);
// Parses a wave file already in memory; name is used in the messages.
bool ParseWaveBytes(const std::vector<uint8_t>& bytes, const char* name, WAVEDATA& wave);
// Whether the sound layer can play wave: 1 or 2 channels of 8 or 16 bits,
// 100 to 200,000 samples a second, the block size of those, at least one
// frame. False with the reason and the file's values in why.
bool CheckWavePlayable(const WAVEDATA& wave, std::string& why);
// Frees the samples.
void FreeWaveData(WAVEDATA& wave);
