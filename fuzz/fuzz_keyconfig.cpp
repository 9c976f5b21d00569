// libFuzzer harness over KeyConfig.dat: the bytes are refused with a reason,
// or give a configuration whose own bytes read back to the same configuration.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/input/keyconfig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (fuzz::Quiet(), true);
    (void)once;
    const std::vector<uint8_t> bytes(data, data + size);
    KEYCONFIG config;
    std::string why;
    if (!ParseKeyConfig(bytes, config, why)) {
        if (why.empty()) fuzz::Fail("KeyConfig.dat: refused without a reason");
        return 0;
    }
    if (config.nSlotNum > KEYCONFIG_SLOTS) fuzz::Fail("KeyConfig.dat: more slots than there are");
    const std::vector<uint8_t> first = KeyConfigBytes(config);
    KEYCONFIG back;
    if (!ParseKeyConfig(first, back, why)) fuzz::Fail("KeyConfig.dat: its own bytes are refused", first, {});
    if (KeyConfigBytes(back) != first) fuzz::Fail("KeyConfig.dat", first, KeyConfigBytes(back));
    return 0;
}
