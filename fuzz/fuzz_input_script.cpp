// libFuzzer harness over scripted input (QV_INPUT): any text is a script;
// its events are applied frame by frame up to the last one.
#include <string>

#include "fuzz_support.h"
#include "platform/input/input_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (fuzz::Quiet(), true);
    (void)once;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int n = ParseInputScript(text);
    if (n < 0 || static_cast<size_t>(n) > size / 2 + 1) fuzz::Fail("input script: more events than lines");
    for (uint32_t frame : {0u, 1u, 60u, 0xFFFFFFFFu}) ApplyInputScript(frame);
    ResetInputScript();
    return 0;
}
