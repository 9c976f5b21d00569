#pragma once
// The keys the play fuzzer presses while it plays an input, made from the
// input's bytes: the regression test of a kept input presses the same.
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

constexpr int PLAY_FUZZ_FRAMES = 300;  // frames of the game thread per input

inline std::string PlayFuzzKeyScript(const uint8_t* data, size_t size) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 16777619u;
    std::mt19937 rand(h);
    static const char* const keys[] = {"LEFT", "RIGHT", "UP", "DOWN", "Z", "X", "C"};
    std::string text;
    for (int frame = 1; frame < PLAY_FUZZ_FRAMES; frame += 1 + static_cast<int>(rand() % 8)) {
        const char* key = keys[rand() % std::size(keys)];
        text += std::to_string(frame) + " " + key + (rand() % 2 ? " down\n" : " up\n");
    }
    return text;
}
