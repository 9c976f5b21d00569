#pragma once
// Writes System.dat and WorldMap.dat as an older data version stored them, so
// that tests can load them back through the current loaders.
#include <cstdint>
#include <string>
#include <vector>

#include "database/system_data.h"
#include "database/world_map.h"

namespace oldsys {

// The generic record stream of `rec` laid out for version v.
void Record(cDataWriter& w, cRecord& rec, uint32_t v);
// A whole System.dat (version word first) of version v holding s's values.
// Its lists are written as they stand (give them as version v had them).
std::vector<uint8_t> SystemDat(cSystemData& s, uint32_t v);
// A copy of current settings s with its lists as version v stored them: the
// entries that later versions added, and that loading a file of version v
// puts back, are taken out.
cSystemData AsStoredAt(const cSystemData& s, uint32_t v);
// A whole WorldMap.dat of version v holding m's values.
std::vector<uint8_t> WorldMapDat(cWorldMap& m, uint32_t v);
// Writes bytes to path; false when it cannot.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace oldsys
