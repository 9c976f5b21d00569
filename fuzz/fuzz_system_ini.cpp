// libFuzzer harness over System.ini: any bytes are the file beside the
// program; what it sets stays inside the reader's own limits.
#include "database/system_data.h"
#include "fuzz_support.h"
#include "scene/system_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const cSystemData* system = [] {
        fuzz::Quiet();
        return new cSystemData();
    }();
    const std::string path = fuzz::WriteScratch("System.ini", data, size);
    INIDATA ini;
    SetIniDefaults(ini, system->vOption);
    ReadSystemIni(path, ini, system->vOption);
    if (ini.FreeStage.size() > 259) fuzz::Fail("System.ini: a FreeStage value longer than the reader takes");
    return 0;
}
