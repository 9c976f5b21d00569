#include "platform/sound/sound_effects.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/system/log.h"
#include "platform/sound/sound_device.h"
#include "platform/sound/wave_file.h"
#include "platform/sound/sound_test_media.h"
#include "platform/window/platform_state.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace {

// The sound layer over the mixer rendered here, with the logs in a temporary folder.
class SoundEffectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetPlatformState();
        ReportInit(dir.File("Report.txt").c_str());
        ECInit(1, dir.File("EC.txt").c_str());
        SetSoundOutputOffline(true);
        ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
    }
    void TearDown() override { ResetPlatformState(); }
    std::string Report() { return ReadText(dir.File("Report.txt")); }
    // Writes a 0.5 s 440 Hz sine at amplitude 0.5 (44.1 kHz, 16-bit mono).
    std::string SineFile(const std::string& name, int frames = 22050) {
        const std::string path = dir.File(name);
        WriteBytes(path, MakeWave(1, 1, 44100, 16, Sine16(frames, 44100, 440, 0.5)));
        return path;
    }
    std::vector<float> Render(int frames) {
        std::vector<float> out(static_cast<size_t>(frames) * 2);
        SoundMixer().Render(out.data(), frames);
        return out;
    }
    cTempDir dir;
};

TEST_F(SoundEffectsTest, FmtChunkOf18BytesIsAcceptedAnd20IsRefused) {
    WAVEDATA w;
    const Bytes samples = Sine16(100, 44100, 440, 0.5);
    EXPECT_TRUE(ParseWaveBytes(MakeWave(1, 1, 44100, 16, samples, 18), "a.wav", w));
    EXPECT_EQ(w.samples.size(), 200u);
    EXPECT_EQ(w.format.nSamplesPerSec, 44100u);
    EXPECT_EQ(Report(), "");
    EXPECT_FALSE(ParseWaveBytes(MakeWave(1, 1, 44100, 16, samples, 20), "b.wav", w));
    EXPECT_NE(Report().find("b.wav の読み込みに失敗しました…\n対応していない形式か、不正なwavファイルです。"),
              std::string::npos);
}

TEST_F(SoundEffectsTest, RefusesNonPcmAndNonRiffFilesWithTheirMessages) {
    WAVEDATA w;
    EXPECT_FALSE(ParseWaveBytes(MakeWave(2, 1, 44100, 4, Bytes(64, 0)), "adpcm.wav", w));
    EXPECT_NE(Report().find("adpcm.wav の読み込みに失敗しました…\nPCM形式以外の形式です。"), std::string::npos);
    EXPECT_FALSE(ParseWaveBytes(Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}, "x.avi", w));
    EXPECT_NE(Report().find("x.avi の読み込みに失敗しました…\n不正なファイルです。"), std::string::npos);
    EXPECT_FALSE(ParseWaveBytes(Bytes{'R', 'I'}, "short.wav", w));
}

TEST_F(SoundEffectsTest, EmptyDataIsRefusedWithItsReasonInTheReportOnly) {
    const std::string path = dir.File("empty.wav");
    WriteBytes(path, MakeWave(1, 1, 44100, 16, {}));
    WAVEDATA w;
    EXPECT_FALSE(ReadWaveFile(path.c_str(), w));
    const std::string why = path + " の読み込みに失敗しました…\ndata チャンクにサンプルがありません（サイズ 0）。\r\n";
    EXPECT_EQ(Report(), why);
    DSSOUNDDATA s;
    EXPECT_FALSE(DS_CreateSound(s, path.c_str(), 2, 0));
    EXPECT_EQ(Report(), why + why + path + " の読み込みに失敗しました！\r\n");
    EXPECT_EQ(ReadText(dir.File("EC.txt")), path + " の読み込みに失敗しました！\r\n");
}

// Found by the wave harness: a file that ends with the header of an empty
// "fmt " chunk made the reader copy from one past the end of its buffer (an
// abort with the standard library's assertions). Derivation: "RIFF", the
// RIFF size 12, "WAVE", then "fmt " and size 0, and nothing after: 20 bytes.
TEST_F(SoundEffectsTest, EmptyFmtChunkAtTheEndIsRefused) {
    const Bytes file = {'R', 'I', 'F', 'F', 12, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 0, 0, 0, 0};
    WAVEDATA w;
    EXPECT_FALSE(ParseWaveBytes(file, "cut.wav", w));
    EXPECT_NE(Report().find("cut.wav: 形式タグ 0（PCM は 1）"), std::string::npos) << Report();
    const std::string path = dir.File("cut.wav");
    WriteBytes(path, file);
    DSSOUNDDATA s;
    EXPECT_FALSE(DS_CreateSound(s, path.c_str(), 1, 0));
}

TEST_F(SoundEffectsTest, AnUnplayableFormatIsReportedWithItsValues) {
    Bytes samples(300, 0);
    const std::string path = dir.File("s24.wav");
    WriteBytes(path, MakeWave(1, 1, 44100, 24, samples));
    DSSOUNDDATA s;
    EXPECT_FALSE(DS_CreateSound(s, path.c_str(), 1, 0));
    EXPECT_NE(Report().find(path + " を再生できません：量子化ビット数は 8 か 16 です（チャンネル数 1、量子化ビット数 24、"
                                   "サンプリング周波数 44100 Hz、"),
              std::string::npos)
        << Report();
    EXPECT_NE(ReadText(dir.File("EC.txt")).find(path + "生成失敗！"), std::string::npos);
}

TEST_F(SoundEffectsTest, DataChunkLongerThanTheFileKeepsWhatIsThere) {
    Bytes b = MakeWave(1, 1, 44100, 16, Sine16(50, 44100, 440, 0.5));
    b[b.size() - 100 - 4] = 0xFF;  // data length byte 0: claims more than the file holds
    WAVEDATA w;
    ASSERT_TRUE(ParseWaveBytes(b, "long.wav", w));
    EXPECT_EQ(w.samples.size(), 100u);
}

TEST_F(SoundEffectsTest, ThreeCopiesPlayedFourTimesRestartCopyZero) {
    DSSOUNDDATA s;
    ASSERT_TRUE(DS_CreateSound(s, SineFile("a.wav").c_str(), 3, 0));
    ASSERT_EQ(s.nCopies, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.nNext, i);
        DS_PlaySound(s, 0);
        Render(1000);
    }
    EXPECT_EQ(s.nNext, 0);
    EXPECT_EQ(SoundMixer().PlayingCount(), 3);
    EXPECT_EQ(s.copies[0]->GetCurrentPosition(), 3000u);
    DS_PlaySound(s, 0);
    EXPECT_EQ(s.copies[0]->GetCurrentPosition(), 0u);
    EXPECT_TRUE(s.copies[0]->IsPlaying());
    EXPECT_EQ(s.nNext, 1);
    EXPECT_EQ(SoundMixer().PlayingCount(), 3);
    DS_ReleaseSound(s);
    EXPECT_EQ(SoundMixer().PlayingCount(), 0);
}

TEST_F(SoundEffectsTest, EightOverlappingPlaysUseTheDuplicates) {
    DSSOUNDDATA eight, four;
    ASSERT_TRUE(DS_CreateSound(eight, SineFile("a.wav").c_str(), 8, 0));
    ASSERT_TRUE(DS_CreateSound(four, SineFile("b.wav").c_str(), 4, 0));
    for (int i = 0; i < 8; ++i) {
        DS_PlaySound(eight, 0);
        Render(100);
    }
    EXPECT_EQ(SoundMixer().PlayingCount(), 8);
    for (auto& c : eight.copies) EXPECT_TRUE(c->IsPlaying());
    for (int i = 0; i < 8; ++i) DS_PlaySound(four, 0);
    EXPECT_EQ(SoundMixer().PlayingCount(), 12);  // four copies: the last four plays restarted them
    // After the sound's length everything has ended.
    for (int i = 0; i < 30; ++i) Render(1000);
    EXPECT_EQ(SoundMixer().PlayingCount(), 0);
}

TEST_F(SoundEffectsTest, VolumesGiveSilenceThenLevelsTenDecibelsApart) {
    double rms[3];
    const int volumes[3] = {-10000, -1000, 0};
    for (int i = 0; i < 3; ++i) {
        DSSOUNDDATA s;
        ASSERT_TRUE(DS_CreateSound(s, SineFile("v.wav").c_str(), 1, 0));
        EXPECT_EQ(DS_SetVolume(s, 0, volumes[i], 0), volumes[i]);
        DS_PlaySound(s, 0);
        const std::vector<float> out = Render(4410);
        rms[i] = Rms(out.data(), 4410);
    }
    EXPECT_EQ(rms[0], 0.0);
    EXPECT_NEAR(rms[2], 0.5 / std::sqrt(2.0), 0.01);
    EXPECT_NEAR(20 * std::log10(rms[2] / rms[1]), 10.0, 0.05);
}

TEST_F(SoundEffectsTest, SetVolumeClampsAndAddsWhenRelative) {
    DSSOUNDDATA s;
    ASSERT_TRUE(DS_CreateSound(s, SineFile("a.wav").c_str(), 2, -300));
    EXPECT_EQ(DS_GetVolume(s, 1), -300);  // every copy gets the volume
    EXPECT_EQ(DS_SetVolume(s, 0, -12000, 0), -10000);
    EXPECT_EQ(DS_SetVolume(s, 0, 500, 0), 0);
    EXPECT_EQ(DS_SetVolume(s, 0, -9800, 0), -9800);
    EXPECT_EQ(DS_SetVolume(s, 0, -500, 1), -10000);
    EXPECT_EQ(DS_GetVolume(s, 0), -10000);
    EXPECT_EQ(DS_SetVolume(s, 2, -100, 0), 0);  // no such copy
    EXPECT_EQ(DS_GetVolume(s, -1), 0);
}

TEST_F(SoundEffectsTest, SoundListGoesOnPastBadFilesAndUsesEachOwnVolume) {
    std::vector<DSSOUNDINFO> infos(3);
    std::strcpy(infos[0].name, SineFile("a.wav").c_str());
    std::strcpy(infos[1].name, dir.File("missing.wav").c_str());
    std::strcpy(infos[2].name, SineFile("c.wav").c_str());
    for (auto& i : infos) {
        i.copies = 2;
        i.volume = -700;
    }
    std::vector<DSSOUNDDATA> sounds(3);
    EXPECT_EQ(DS_LoadSoundList(sounds, infos, 0), 1);
    EXPECT_EQ(sounds[0].nCopies, 2);
    EXPECT_EQ(DS_GetVolume(sounds[2], 1), -700);
    EXPECT_EQ(sounds[1].nCopies, 0);
    EXPECT_FALSE(sounds[1].copies.empty());  // half-built: kept, not created again
    DS_PlaySound(sounds[1], 0);              // and silent
    EXPECT_EQ(SoundMixer().PlayingCount(), 0);
    DS_PlaySound(sounds[0], 0);
    EXPECT_EQ(SoundMixer().PlayingCount(), 1);
    DS_End();  // releases the current list
    EXPECT_TRUE(sounds[0].copies.empty());
    EXPECT_EQ(SoundMixer().PlayingCount(), 0);
}

// Wave files read ahead on another thread are taken by the list's loading
// while their file is as it was; a file that cannot be played is reported by
// the loading alone, once; what no loading took is dropped.
TEST_F(SoundEffectsTest, WaveFilesReadAheadAreTakenWhileTheirFileIsUnchanged) {
    const std::string a = SineFile("a.wav");
    const std::string bad = dir.File("bad.wav");
    WriteBytes(bad, MakeWave(1, 1, 44100, 16, {}));
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(a, ec);
    ASSERT_FALSE(ec);
    // a quieter sine in the same number of bytes, with a's old time
    auto quieter = [&] {
        WriteBytes(a, MakeWave(1, 1, 44100, 16, Sine16(22050, 44100, 440, 0.1)));
        std::filesystem::last_write_time(a, time, ec);
        ASSERT_FALSE(ec);
    };
    auto level = [&] {
        std::vector<DSSOUNDINFO> infos(2);
        std::strcpy(infos[0].name, a.c_str());
        std::strcpy(infos[1].name, bad.c_str());
        for (auto& i : infos) i.copies = 1;
        std::vector<DSSOUNDDATA> sounds(2);
        EXPECT_EQ(DS_LoadSoundList(sounds, infos, 0), 1);
        DS_PlaySound(sounds[0], 0);
        const std::vector<float> out = Render(4410);
        DS_End();
        EXPECT_TRUE(DS_Init(nullptr, 22050, 8, 1));
        return Rms(out.data(), 4410);
    };
    std::thread([&] { PrepareWaveFiles({a, bad, dir.File("missing.wav"), ""}); }).join();
    EXPECT_EQ(Report(), "");
    quieter();
    EXPECT_NEAR(level(), 0.5 / std::sqrt(2.0), 0.02);  // the bytes read ahead
    const std::string why = bad + " の読み込みに失敗しました…\ndata チャンクにサンプルがありません（サイズ 0）。\r\n";
    EXPECT_EQ(Report(), why + bad + " の読み込みに失敗しました！\r\n");
    EXPECT_NEAR(level(), 0.1 / std::sqrt(2.0), 0.02);  // taken once: the file now
    // Written again at another size after it was read ahead: the file.
    std::thread([&] { PrepareWaveFiles({a}); }).join();
    WriteBytes(a, MakeWave(1, 1, 44100, 16, Sine16(11025, 44100, 440, 0.25)));
    EXPECT_NEAR(level(), 0.25 / std::sqrt(2.0), 0.02);
    // Dropped before any loading took it.
    std::thread([&] { PrepareWaveFiles({a}); }).join();
    DiscardPreparedWaveFiles();
    quieter();
    EXPECT_NEAR(level(), 0.1 / std::sqrt(2.0), 0.02);
}

TEST_F(SoundEffectsTest, EightBitStereoAtAnotherRateIsResampled) {
    Bytes samples;
    for (int i = 0; i < 11025; ++i) {
        samples.push_back(255);  // left full
        samples.push_back(128);  // right silent
    }
    const std::string path = dir.File("s8.wav");
    WriteBytes(path, MakeWave(1, 2, 11025, 8, samples));
    DSSOUNDDATA s;
    ASSERT_TRUE(DS_CreateSound(s, path.c_str(), 1, 0));
    DS_PlaySound(s, 0);
    std::vector<float> out = Render(44100 + 100);
    EXPECT_NEAR(out[2 * 1000], 127 / 128.0, 1e-4);
    EXPECT_EQ(out[2 * 1000 + 1], 0.0f);
    EXPECT_EQ(out[2 * 44099 + 2 * 50], 0.0f);  // one second of data lasts one second
    EXPECT_EQ(SoundMixer().PlayingCount(), 0);
}

TEST_F(SoundEffectsTest, PlaysFromManyThreadsAtOnce) {
    DSSOUNDDATA s;
    ASSERT_TRUE(DS_CreateSound(s, SineFile("a.wav").c_str(), 4, 0));
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                DS_PlaySound(s, 0);
                DS_SetVolume(s, i % 4, -10, 1);
            }
        });
    for (int i = 0; i < 50; ++i) Render(256);
    for (auto& t : threads) t.join();
    EXPECT_GE(s.nNext, 0);
    EXPECT_LT(s.nNext, 4);
}

// Whether the disk driver's output file (interleaved floats) holds a sound
// that has ended: audible samples, then a device buffer (1024 frames) of
// silence after the last of them.
bool HoldsAnEndedSound(const std::string& path) {
    const std::string raw = ReadText(path);
    const float* f = reinterpret_cast<const float*>(raw.data());
    const size_t n = raw.size() / sizeof(float);
    size_t end = 0;  // one past the last audible sample
    for (size_t i = 0; i < n; ++i)
        if (std::fabs(f[i]) > 0.01f) end = i + 1;
    return end > 0 && n - end >= 2048;
}

// The real device: each test chooses SDL's audio driver, given back afterwards.
class SoundDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPlatformState(); }
    void TearDown() override {
        ResetPlatformState();
        env.Restore();
    }
    cEnvGuard env;
};

// The real device, through SDL's disk driver: the mixed output reaches the file.
TEST_F(SoundDeviceTest, DiskDriverCapturesTheMixedSound) {
    cTempDir dir;
    const std::string out = dir.File("out.raw");
    env.Unset("DISPLAY");  // with a display libdbus autolaunches a session bus, and leaks doing it
    env.Set("SDL_AUDIODRIVER", "disk");
    env.Set("SDL_DISKAUDIOFILE", out.c_str());
    env.Set("SDL_DISKAUDIODELAY", "1");
    const std::string wav = dir.File("a.wav");
    WriteBytes(wav, MakeWave(1, 1, 44100, 16, Sine16(44100, 44100, 440, 0.5)));
    ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
    ASSERT_TRUE(IsSoundOutputOpen());
    DSSOUNDDATA s;
    ASSERT_TRUE(DS_CreateSound(s, wav.c_str(), 1, 0));
    DS_PlaySound(s, 0);
    // Until the whole sound has been mixed out to the file; a sound that
    // never arrives fails the test after ten seconds.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    bool ended = false;
    while (!(ended = HoldsAnEndedSound(out)) && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    DS_End();
    EXPECT_TRUE(ended) << "the sound never reached the file in full";
    EXPECT_FALSE(IsSoundOutputOpen());
    const std::string raw = ReadText(out);
    ASSERT_GE(raw.size(), 4096u);
    const float* f = reinterpret_cast<const float*>(raw.data());
    const double level = Rms(f, raw.size() / 8);
    EXPECT_GT(level, 0.05);
    SDL_Quit();  // what SDL set up for the device (its D-Bus connection) goes too
}

// No device: silent, one report line for the whole process, and nothing stops.
TEST_F(SoundDeviceTest, NoDeviceRunsSilentWithOneReportLine) {
    cTempDir dir;
    ResetLogs();
    ReportInit(dir.File("Report.txt").c_str());
    env.Unset("DISPLAY");  // see above
    env.Set("SDL_AUDIODRIVER", "no-such-driver");
    EXPECT_TRUE(DS_Init(nullptr, 22050, 8, 1));
    EXPECT_FALSE(IsSoundOutputOpen());
    const std::string wav = dir.File("a.wav");
    WriteBytes(wav, MakeWave(1, 1, 44100, 16, Sine16(100, 44100, 440, 0.5)));
    DSSOUNDDATA s;
    EXPECT_TRUE(DS_CreateSound(s, wav.c_str(), 2, -100));
    DS_PlaySound(s, 0);
    EXPECT_EQ(DS_SetVolume(s, 1, -200, 0), -200);
    DS_End();
    EXPECT_TRUE(DS_Init(nullptr, 22050, 8, 1));
    DS_End();
    const std::string report = ReadText(dir.File("Report.txt"));
    EXPECT_NE(report.find("サウンドデバイスが使えません"), std::string::npos);
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1);
    ResetLogs();
    SDL_Quit();
}

}  // namespace
