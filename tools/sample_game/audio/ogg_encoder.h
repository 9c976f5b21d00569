#pragma once
// Ogg Vorbis encoding (the only part of the generator that needs the codec).
#include <cstdint>
#include <string>
#include <vector>

namespace sample {

// Encodes interleaved float frames (-1 ... 1) of nChannels at nRate as one
// Ogg Vorbis stream of VBR quality fQuality (-0.1 ... 1) with the serial
// number nSerial and a TITLE comment; false when the encoder refuses.
// The same input always gives the same bytes.
bool EncodeOggVorbis(const std::vector<float>& frames, int nChannels, int nRate, float fQuality, int nSerial,
                     const std::string& strTitle, std::vector<uint8_t>& out);

}  // namespace sample
