#pragma once
// FluidSynth, opened when the synthesiser is first wanted rather than when
// the program starts: the library and the thirty-odd libraries it needs are
// loaded by the dynamic loader on the thread that opens the synthesiser, so
// the program's start does not wait for them. Only the functions the seam
// calls are looked up.
#include <fluidsynth.h>

#include <memory>

struct cFluidLibrary {
    decltype(&::new_fluid_settings) NewSettings;
    decltype(&::delete_fluid_settings) DeleteSettings;
    decltype(&::fluid_settings_setnum) SettingsSetNum;
    decltype(&::fluid_settings_setstr) SettingsSetStr;
    decltype(&::new_fluid_synth) NewSynth;
    decltype(&::delete_fluid_synth) DeleteSynth;
    decltype(&::fluid_is_soundfont) IsSoundFont;
    decltype(&::fluid_synth_sfload) SynthSfLoad;
    decltype(&::fluid_synth_write_float) SynthWriteFloat;
    decltype(&::fluid_synth_all_sounds_off) SynthAllSoundsOff;
    decltype(&::fluid_synth_system_reset) SynthSystemReset;
    decltype(&::new_fluid_player) NewPlayer;
    decltype(&::delete_fluid_player) DeletePlayer;
    decltype(&::fluid_player_add) PlayerAdd;
    decltype(&::fluid_player_set_loop) PlayerSetLoop;
    decltype(&::fluid_player_play) PlayerPlay;
    decltype(&::fluid_player_stop) PlayerStop;
    decltype(&::fluid_set_log_function) SetLogFunction;
    decltype(&::fluid_is_midifile) IsMidiFile;
    // Present when the library brought OpenMP into the process, else null.
    void (*OmpSetNumThreads)(int);
};

// The library, loaded on the first call (from any thread); null when it
// cannot be loaded or lacks a function, which the report log then says once.
const cFluidLibrary* FluidLibrary();

// Owners of its handles. A player is stopped before it goes; the player goes
// before its synth and the synth before its settings (declare the owners in
// that order). They exist only once the library was loaded.
struct cFluidSettingsRelease {
    void operator()(fluid_settings_t* p) const { FluidLibrary()->DeleteSettings(p); }
};
struct cFluidSynthRelease {
    void operator()(fluid_synth_t* p) const { FluidLibrary()->DeleteSynth(p); }
};
struct cFluidPlayerRelease {
    void operator()(fluid_player_t* p) const {
        FluidLibrary()->PlayerStop(p);
        FluidLibrary()->DeletePlayer(p);
    }
};
using FluidSettingsPtr = std::unique_ptr<fluid_settings_t, cFluidSettingsRelease>;
using FluidSynthPtr = std::unique_ptr<fluid_synth_t, cFluidSynthRelease>;
using FluidPlayerPtr = std::unique_ptr<fluid_player_t, cFluidPlayerRelease>;
