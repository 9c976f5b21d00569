#include "platform/graphics/dd_restore.h"

#include "platform/graphics/dd_init.h"
#include "platform/system/log.h"

namespace {

void (*g_FontRestore)() = nullptr;

}  // namespace

void DDSetFontRestore(void (*restore)()) { g_FontRestore = restore; }

bool DDIsPrimaryLost() { return false; }

bool DDRestore() {
    if (lpDTCon) {
        WriteECf("D3DではDDRestoreは未対応");
        return true;
    }
    // Only a lost primary starts the restore; surfaces in memory are never lost.
    if (!DDIsPrimaryLost()) return true;
    return true;
}

int DDRestoreDevice() {
    WriteECf("Restore In");
    if (!lpDTCon) {
        WriteECf("DDではDDRestoreSurfaceは未対応");
        return 1;
    }
    // Every texture kept its pixels: nothing to release, reset or re-create, and no bLost to set.
    if (g_FontRestore) g_FontRestore();
    WriteECf("Restore Out");
    return 1;
}
