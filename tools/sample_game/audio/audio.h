#pragma once
// The sample game's sounds and music, made by code: sound effects synthesised
// into PCM wave files, tunes written as Standard MIDI Files and as Ogg Vorbis.
// The same kind always gives the same bytes.
#include <filesystem>

namespace sample {

// Sound effects: 22050 Hz, 16-bit mono PCM wave files.
enum class eSound {
    Cursor,     // a menu cursor moves
    Decide,     // a menu choice is taken
    Cancel,     // a menu is left
    Buzzer,     // a choice that is not allowed
    Pause,      // the pause menu opens
    Jump,
    Land,
    Step,
    Shot,
    Sword,
    Hit,        // an attack hits an enemy
    Damage,     // the hero is hurt
    Explosion,  // an enemy or a block is destroyed
    Coin,       // a score item
    PowerUp,    // a life item
    Key,        // a key item
    OneUp,      // an extra life
    Door,       // a door or goal opens
    Warp,
    Clear,      // the stage is cleared (a short fanfare)
    GameOver,   // a short falling phrase
    BossRoar,
    Count
};

// Tunes, looping where a scene loops them.
enum class eTune {
    Title,
    WorldMap,
    Field,   // the first stages
    Cave,
    Castle,
    Boss,
    Clear,
    GameOver,
    Count
};

// Writes the sound effect `kind` as a wave file; false when the file cannot be written.
bool WriteSoundEffect(const std::filesystem::path& file, eSound kind);
// Writes `tune` as a Standard MIDI File (format 1, General MIDI instruments).
bool WriteMidiTune(const std::filesystem::path& file, eTune tune);
// Writes `tune` as an Ogg Vorbis file (stereo, 44100 Hz), rendered by the
// generator's own small synthesiser.
bool WriteOggTune(const std::filesystem::path& file, eTune tune);

}  // namespace sample
