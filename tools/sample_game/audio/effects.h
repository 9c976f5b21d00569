#pragma once
// The sound effects' samples, synthesised by code.
#include <vector>

#include "sample_game/audio/audio.h"

namespace sample {

constexpr int EFFECT_RATE = 22050;

// The mono samples (-1 ... 1, peak below full scale) of a sound effect at EFFECT_RATE.
std::vector<float> SynthesizeEffect(eSound kind);

}  // namespace sample
