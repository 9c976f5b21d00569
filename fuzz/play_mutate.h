#pragma once
// Structured mutations of a stage for the play harness: a stage read from
// its bytes, changed the way hostile games do (flow commands with extreme
// parameters, huge counts, self-starting flows, summons in loops, endless
// shots, characters outside the stage, zero-size stages, deep expressions in
// the code command), and written back.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fuzz {

// The stage in `bytes` changed by one mutation chosen by `seed`; false when
// the bytes are no stage (the caller then mutates the bytes instead).
bool MutateStage(std::vector<uint8_t>& bytes, uint32_t seed);

}  // namespace fuzz
