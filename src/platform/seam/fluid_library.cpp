#include "platform/seam/fluid_library.h"

#include <dlfcn.h>

#include <mutex>

#include "platform/system/log.h"

namespace {

template <class F>
bool Find(void* lib, const char* name, F& out) {
    out = reinterpret_cast<F>(dlsym(lib, name));
    if (!out) WriteReport("MIDI : %s lacks %s", QV_FLUIDSYNTH_SONAME, name);
    return out != nullptr;
}

bool Load(cFluidLibrary& f) {
    void* lib = dlopen(QV_FLUIDSYNTH_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        const char* why = dlerror();
        WriteReport("MIDI : %s cannot be loaded : %s", QV_FLUIDSYNTH_SONAME, why ? why : "");
        return false;
    }
    // Kept loaded to the end: its threads and handles may outlive any owner here.
    bool ok = Find(lib, "new_fluid_settings", f.NewSettings);
    ok = Find(lib, "delete_fluid_settings", f.DeleteSettings) && ok;
    ok = Find(lib, "fluid_settings_setnum", f.SettingsSetNum) && ok;
    ok = Find(lib, "fluid_settings_setstr", f.SettingsSetStr) && ok;
    ok = Find(lib, "new_fluid_synth", f.NewSynth) && ok;
    ok = Find(lib, "delete_fluid_synth", f.DeleteSynth) && ok;
    ok = Find(lib, "fluid_is_soundfont", f.IsSoundFont) && ok;
    ok = Find(lib, "fluid_synth_sfload", f.SynthSfLoad) && ok;
    ok = Find(lib, "fluid_synth_write_float", f.SynthWriteFloat) && ok;
    ok = Find(lib, "fluid_synth_all_sounds_off", f.SynthAllSoundsOff) && ok;
    ok = Find(lib, "fluid_synth_system_reset", f.SynthSystemReset) && ok;
    ok = Find(lib, "new_fluid_player", f.NewPlayer) && ok;
    ok = Find(lib, "delete_fluid_player", f.DeletePlayer) && ok;
    ok = Find(lib, "fluid_player_add", f.PlayerAdd) && ok;
    ok = Find(lib, "fluid_player_set_loop", f.PlayerSetLoop) && ok;
    ok = Find(lib, "fluid_player_play", f.PlayerPlay) && ok;
    ok = Find(lib, "fluid_player_stop", f.PlayerStop) && ok;
    ok = Find(lib, "fluid_set_log_function", f.SetLogFunction) && ok;
    ok = Find(lib, "fluid_is_midifile", f.IsMidiFile) && ok;
    // Searched in the library's own dependencies, where OpenMP comes from.
    f.OmpSetNumThreads = reinterpret_cast<void (*)(int)>(dlsym(lib, "omp_set_num_threads"));
    return ok;
}

}  // namespace

const cFluidLibrary* FluidLibrary() {
    static const cFluidLibrary* loaded = [] {
        static cFluidLibrary f{};
        return Load(f) ? &f : nullptr;
    }();
    return loaded;
}
