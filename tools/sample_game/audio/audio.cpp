#include "sample_game/audio/audio.h"

#include "sample_game/audio/audio_files.h"
#include "sample_game/audio/effects.h"
#include "sample_game/audio/ogg_encoder.h"
#include "sample_game/audio/score.h"
#include "sample_game/audio/synth.h"

namespace sample {

namespace {

constexpr int TUNE_RATE = 44100;
// About the level of the same tune played as MIDI, with room for the codec's
// overshoot and for the sound effects played over it.
constexpr float TUNE_PEAK = 0.35f;
constexpr float TUNE_QUALITY = 0.3f;
constexpr int TUNE_SERIAL = 0x51475331;  // fixed, so that the bytes do not change

bool Valid(eSound kind) { return kind >= eSound::Cursor && kind < eSound::Count; }
bool Valid(eTune tune) { return tune >= eTune::Title && tune < eTune::Count; }

}  // namespace

bool WriteSoundEffect(const std::filesystem::path& file, eSound kind) {
    if (!Valid(kind)) return false;
    return WriteFileBytes(file, MakeWaveFile(SynthesizeEffect(kind), 1, EFFECT_RATE));
}

bool WriteMidiTune(const std::filesystem::path& file, eTune tune) {
    if (!Valid(tune)) return false;
    return WriteFileBytes(file, MakeMidiFile(TuneScore(tune)));
}

bool WriteOggTune(const std::filesystem::path& file, eTune tune) {
    if (!Valid(tune)) return false;
    const cScore& score = TuneScore(tune);
    std::vector<uint8_t> bytes;
    if (!EncodeOggVorbis(RenderScore(score, TUNE_RATE, TUNE_PEAK), 2, TUNE_RATE, TUNE_QUALITY, TUNE_SERIAL,
                         score.strTitle, bytes))
        return false;
    return WriteFileBytes(file, bytes);
}

}  // namespace sample
