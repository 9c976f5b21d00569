// libFuzzer harness over Window.dat: refused, or loaded whole and saved to
// bytes that load again to the same bytes; clamping keeps the position on the desktop.
#include "app/window_data.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (fuzz::Quiet(), true);
    (void)once;
    cWindowData rec;
    if (fuzz::LoadRecordBytes(rec, data, size)) {
        fuzz::RequireRoundTrip(rec, "Window.dat");
        rec.Clamp(1024, 768);
        if (rec.nLeft < 0 || rec.nLeft > 1024 || rec.nTop < 0 || rec.nTop > 768)
            fuzz::Fail("Window.dat: the position left the desktop after clamping");
    }
    ResetVersionState();
    return 0;
}
