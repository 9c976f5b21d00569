// libFuzzer harness over WorldMap.dat: refused, or loaded whole and saved to
// bytes that load again to the same bytes.
#include "database/world_map.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (fuzz::Quiet(), true);
    (void)once;
    return fuzz::FuzzRecord<cWorldMap>(data, size, "WorldMap.dat");
}
