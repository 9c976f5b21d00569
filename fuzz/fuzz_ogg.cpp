// libFuzzer harness over Ogg music: any bytes are a music file, opened by an
// Ogg player and played for up to a second of the mixer's frames; the player
// must refuse the file with a reason or play it without fault.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/sound/ogg.h"
#include "platform/sound/ogg_stream.h"
#include "platform/sound/sound_mixer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (fuzz::Quiet(), true);
    (void)once;
    const std::string path = fuzz::WriteScratch("m.ogg", data, size);
    cOggStream player(SoundMixer());
    std::string why;
    if (!player.Load(path, &why)) {
        if (why.empty()) fuzz::Fail("ogg: refused without a reason");
        return 0;
    }
    player.SetLoop(1);
    player.Play();
    constexpr int FRAMES = 4096;
    std::vector<float> out(2 * FRAMES);
    for (int i = 0; i < MIXER_RATE / FRAMES + 1; ++i) player.Mix(out.data(), FRAMES, true);
    player.Stop();
    player.Unload();
    return 0;
}
