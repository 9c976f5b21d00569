#include "sample_game/audio/audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/sound/ogg_stream.h"
#include "platform/sound/smf.h"
#include "platform/sound/sound_device.h"
#include "platform/sound/sound_effects.h"
#include "platform/sound/sound_mixer.h"
#include "platform/sound/wave_file.h"
#include "sample_game/audio/score.h"
#include "support/temp_dir.h"

namespace {

using namespace sample;

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool IsJingle(eTune tune) { return tune == eTune::Clear || tune == eTune::GameOver; }

// The peak of a hero's death as the runtime plays it: the hit, explosion and
// damage effects started together through the sound layer's own mixer.
float HeroDeathPeak() {
    cTempDir dir;
    SetSoundOutputOffline(true);
    EXPECT_TRUE(DS_Init(nullptr, 22050, 8, 1));
    std::vector<DSSOUNDDATA> sounds(3);
    const eSound kinds[3] = {eSound::Hit, eSound::Explosion, eSound::Damage};
    for (int i = 0; i < 3; ++i) {
        const std::string path = dir.File(std::to_string(i) + ".wav");
        EXPECT_TRUE(WriteSoundEffect(path, kinds[i]));
        EXPECT_TRUE(DS_CreateSound(sounds[static_cast<size_t>(i)], path.c_str(), 1, 0));
    }
    for (DSSOUNDDATA& s : sounds) DS_PlaySound(s, 0);
    std::vector<float> buf(4410 * 2);
    float peak = 0;
    while (SoundMixer().PlayingCount() > 0) {
        SoundMixer().Render(buf.data(), 4410);
        for (float x : buf) peak = std::max(peak, std::fabs(x));
    }
    for (DSSOUNDDATA& s : sounds) DS_ReleaseSound(s);
    DS_End();
    SetSoundOutputOffline(false);
    return peak;
}

// What a loaded MIDI image plays: its length by its own tempo changes, its
// notes per channel, and whether every note is released before the end.
struct cMidiSummary {
    double dSeconds = 0;
    std::map<int, int> notesPerChannel;
    std::map<int, int> programs;  // channel -> program
    int nHanging = 0;
    bool bParsed = false;
};

cMidiSummary Summarise(const std::vector<uint8_t>& image) {
    cMidiSummary s;
    const uint32_t division = static_cast<uint32_t>((image[12] << 8) | image[13]);
    double microsPerTick = 500000.0 / division;
    std::map<int, int> sounding;  // channel * 128 + key -> count
    size_t pos = SMF_FIRST_EVENT;
    while (pos < image.size()) {
        uint32_t delta = 0;
        const int n = ReadVarLen(&image[pos], image.size() - pos, delta);
        if (n == 0) return s;
        pos += static_cast<size_t>(n);
        s.dSeconds += delta * microsPerTick / 1e6;
        const uint8_t status = image[pos++];
        if (status == 0xFF) {
            const uint8_t type = image[pos];
            const uint32_t len = image[pos + 1];  // short meta events only
            if (type == 0x2F) break;
            if (type == 0x51)
                microsPerTick = ((image[pos + 2] << 16) | (image[pos + 3] << 8) | image[pos + 4]) / static_cast<double>(division);
            pos += 2 + len;
            continue;
        }
        const int ch = status & 0x0F, kind = status & 0xF0;
        if (kind == 0xC0) s.programs[ch] = image[pos];
        if (kind == 0x90 && image[pos + 1] > 0) {
            ++s.notesPerChannel[ch];
            ++sounding[ch * 128 + image[pos]];
        } else if (kind == 0x80 || kind == 0x90) {
            --sounding[ch * 128 + image[pos]];
        }
        pos += (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
    }
    for (const auto& [key, count] : sounding) s.nHanging += std::abs(count);
    s.bParsed = true;
    return s;
}

TEST(SampleAudio, EverySoundEffectIsAShortUnclippedMonoWaveMadeTheSameEachTime) {
    cTempDir dir;
    std::vector<std::vector<uint8_t>> files;
    for (int i = 0; i < static_cast<int>(eSound::Count); ++i) {
        SCOPED_TRACE("sound " + std::to_string(i));
        const eSound kind = static_cast<eSound>(i);
        const std::string a = dir.File("a.wav"), b = dir.File("b.wav");
        ASSERT_TRUE(WriteSoundEffect(a, kind));
        ASSERT_TRUE(WriteSoundEffect(b, kind));
        const std::vector<uint8_t> bytes = ReadAll(a);
        EXPECT_EQ(bytes, ReadAll(b));
        for (const std::vector<uint8_t>& other : files) EXPECT_NE(bytes, other);  // each sound is its own
        files.push_back(bytes);

        WAVEDATA wave;
        ASSERT_TRUE(ReadWaveFile(a.c_str(), wave));
        EXPECT_EQ(wave.format.wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(wave.format.nChannels, 1);
        EXPECT_EQ(wave.format.nSamplesPerSec, 22050u);
        EXPECT_EQ(wave.format.wBitsPerSample, 16);
        EXPECT_EQ(wave.format.nBlockAlign, 2);
        EXPECT_EQ(wave.format.nAvgBytesPerSec, 44100u);
        const size_t count = wave.samples.size() / 2;
        const double seconds = count / 22050.0;
        const bool bFanfare = kind == eSound::Clear || kind == eSound::GameOver;
        EXPECT_GT(seconds, 0.03);
        EXPECT_LE(seconds, bFanfare ? 3.0 : 1.5);
        int peak = 0, full = 0;
        std::vector<int> s(count);
        for (size_t k = 0; k < count; ++k) {
            s[k] = static_cast<int16_t>(wave.samples[2 * k] | (wave.samples[2 * k + 1] << 8));
            peak = std::max(peak, std::abs(s[k]));
            full += std::abs(s[k]) >= 32767;
        }
        EXPECT_EQ(full, 0);
        EXPECT_LE(peak, 8192);  // a quarter of full scale at most: room for others and the music
        EXPECT_GT(peak, 3000);  // and clearly audible
        EXPECT_LT(std::abs(s.front()), 2000);  // no click at either end
        EXPECT_LT(std::abs(s.back()), 300);
    }
    EXPECT_FALSE(WriteSoundEffect(dir.Path() / "no" / "such" / "folder.wav", eSound::Coin));
}

TEST(SampleAudio, EveryMidiTuneLoadsAndPlaysItsScore) {
    cTempDir dir;
    for (int i = 0; i < static_cast<int>(eTune::Count); ++i) {
        SCOPED_TRACE("tune " + std::to_string(i));
        const eTune tune = static_cast<eTune>(i);
        const cScore& score = TuneScore(tune);
        const std::string a = dir.File("a.mid"), b = dir.File("b.mid");
        ASSERT_TRUE(WriteMidiTune(a, tune));
        ASSERT_TRUE(WriteMidiTune(b, tune));
        EXPECT_EQ(ReadAll(a), ReadAll(b));
        const std::vector<uint8_t> bytes = ReadAll(a);
        EXPECT_EQ(bytes[9], 1);                                    // format 1
        EXPECT_EQ(bytes[11], static_cast<uint8_t>(score.parts.size() + 1));  // a tempo track and one per part

        cSmf smf(a.c_str());
        ASSERT_TRUE(smf.HasImage());
        const cMidiSummary m = Summarise(smf.Image());
        ASSERT_TRUE(m.bParsed);
        EXPECT_NEAR(m.dSeconds, ScoreSeconds(score), 0.002);
        EXPECT_EQ(m.nHanging, 0);  // every note released, so the loop starts clean
        std::map<int, int> expected;
        for (const cPart& p : score.parts) expected[p.nChannel] += static_cast<int>(p.notes.size());
        EXPECT_EQ(m.notesPerChannel, expected);
        ASSERT_TRUE(m.notesPerChannel.count(DRUM_CHANNEL));  // drums on channel 10
        EXPECT_GE(m.notesPerChannel.size(), 4u);              // melody, harmony, bass, drums
        for (const cPart& p : score.parts) {
            if (p.nChannel == DRUM_CHANNEL) continue;
            EXPECT_EQ(m.programs.at(p.nChannel), p.nProgram);
        }

        const uint32_t bars = score.nLengthTicks / SCORE_TICKS_PER_BAR;
        EXPECT_EQ(score.bLoop, !IsJingle(tune));
        if (IsJingle(tune)) {
            EXPECT_LE(ScoreSeconds(score), 8.0);
        } else {
            EXPECT_GE(bars, 16u);
            EXPECT_LE(bars, 32u);
        }
    }
}

TEST(SampleAudio, EveryOggTunePlaysItsScoreLengthUnclippedEvenUnderAHeroDeathAndIsMadeTheSameEachTime) {
    const float death = HeroDeathPeak();
    EXPECT_LT(death, 0.7f);
    cTempDir dir;
    for (int i = 0; i < static_cast<int>(eTune::Count); ++i) {
        SCOPED_TRACE("tune " + std::to_string(i));
        const eTune tune = static_cast<eTune>(i);
        const double seconds = ScoreSeconds(TuneScore(tune));
        const std::string a = dir.File("a.ogg"), b = dir.File("b.ogg");
        ASSERT_TRUE(WriteOggTune(a, tune));
        ASSERT_TRUE(WriteOggTune(b, tune));
        EXPECT_EQ(ReadAll(a), ReadAll(b));

        // Played once through the game's own Ogg player into a mixer of our own.
        cMixer mixer;
        mixer.SetOffline(true);
        cOggStream player(mixer);
        ASSERT_TRUE(player.Load(a));
        player.SetLoop(0);
        player.Play();
        constexpr int BLOCK = 4410;
        std::vector<float> buf(BLOCK * 2);
        size_t frame = 0, lastSound = 0;
        float peak = 0;
        double sum = 0;
        const size_t until = static_cast<size_t>((seconds + 5.0) * MIXER_RATE);
        for (; frame < until; frame += BLOCK) {
            mixer.Render(buf.data(), BLOCK);
            for (int k = 0; k < BLOCK; ++k) {
                const float l = std::fabs(buf[2 * k]), r = std::fabs(buf[2 * k + 1]);
                if (l > 1e-4f || r > 1e-4f) lastSound = frame + static_cast<size_t>(k);
                peak = std::max({peak, l, r});
                sum += static_cast<double>(l) * l + static_cast<double>(r) * r;
            }
        }
        player.Stop();
        const double heard = static_cast<double>(lastSound + 1) / MIXER_RATE;
        if (IsJingle(tune)) {
            EXPECT_GE(heard, seconds);  // the last chord rings out
            EXPECT_LE(heard, seconds + 3.5);
        } else {
            EXPECT_NEAR(heard, seconds, 0.1);  // a looping tune is exactly its bars long
        }
        EXPECT_LT(peak, 0.99f);
        // The loudest frame of the tune at full volume meeting the loudest of a death.
        EXPECT_LT(peak + death, 0.99f) << "tune " << peak << ", death " << death;
        EXPECT_GT(std::sqrt(sum / (2.0 * MIXER_RATE * seconds)), 0.05);  // not near silence
    }
}

}  // namespace
