#pragma once
// The blend tables of 8-bit screens, one per palette variant of the options:
// entry [a + 256 * b] is the colour of the variant's palette nearest to the
// half-and-half mix of its colours a and b.
#include <cstdint>
#include <string>
#include <vector>

namespace sample {

// Number of palette variants the options offer.
constexpr int kPaletteVariants = 24;

// The blend table of palette variant n (0..kPaletteVariants-1) of the game palette.
std::vector<uint8_t> MakeBlendTable(int n);
// Its file in the game folder: "bmp/hbt/hbtNN.dat".
std::string BlendTablePath(int n);

}  // namespace sample
