#include "sample_game/audio/audio.h"

namespace sample {

bool WriteSoundEffect(const std::filesystem::path&, eSound) { return false; }
bool WriteMidiTune(const std::filesystem::path&, eTune) { return false; }
bool WriteOggTune(const std::filesystem::path&, eTune) { return false; }

}  // namespace sample
