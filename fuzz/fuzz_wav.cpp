// libFuzzer harness over wave files: any bytes are refused, or give PCM
// samples that lie inside the file; the sound layer's own check then takes
// them or refuses them with a reason.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/sound/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (fuzz::Quiet(), true);
    (void)once;
    const std::vector<uint8_t> bytes(data, data + size);
    WAVEDATA wave;
    if (!ParseWaveBytes(bytes, "fuzz.wav", wave)) return 0;
    if (wave.format.wFormatTag != WAVE_FORMAT_PCM) fuzz::Fail("wave: a format other than PCM was taken");
    if (wave.samples.empty() || wave.samples.size() > size) fuzz::Fail("wave: samples that are not in the file");
    std::string why;
    if (!CheckWavePlayable(wave, why) && why.empty()) fuzz::Fail("wave: refused without a reason");
    FreeWaveData(wave);
    return 0;
}
