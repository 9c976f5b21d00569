#pragma once
// Writes flow records as a file of an older data version stored them, so that
// tests can load them back through the current loaders.
#include <cstdint>
#include <span>
#include <vector>

#include "records/data_stream.h"
#include "stage/flow.h"

namespace oldstream {

// The generic record stream of `rec` laid out for version v.
void Record(cDataWriter& w, cRecord& rec, uint32_t v);
// A move setting at version v; bNoFactor: the 32-field layout (no factor).
void Move(cDataWriter& w, cEdMove& m, uint32_t v, bool bNoFactor = false);
void CondList(cDataWriter& w, cCondList& c, uint32_t v);
void KeyStep(cDataWriter& w, cEdCmdList& k, uint32_t v);
void Cmd(cDataWriter& w, cFlowCmd& c, uint32_t v);
void Flow(cDataWriter& w, cFlow& f, uint32_t v);

// Loads `rec` from bytes as a file of version v would be read; true when the
// stream was read without failure and consumed whole.
bool LoadAt(cRecord& rec, std::span<const uint8_t> bytes, uint32_t v);

}  // namespace oldstream
