#pragma once
// The runtime's pseudo-random generator, bit for bit the Windows C runtime's:
// state = state * 214013 + 2531011, value = (state >> 16) & 0x7FFF.
// Replays depend on it. The state is kept per thread and starts at 1.
#include <cstdint>

namespace crt {

constexpr int RAND_MAX_VALUE = 0x7FFF;

void srand(uint32_t seed);
int rand();

}  // namespace crt
