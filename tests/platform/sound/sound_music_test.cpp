#include "platform/sound/music_manager.h"
#include "platform/sound/ogg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>

#include "platform/system/log.h"
#include "platform/sound/sound_device.h"
#include "platform/sound/sound_test_media.h"
#include "support/temp_dir.h"

namespace {

bool HaveSoundFont() {
    for (const char* p : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
                          "/usr/share/sounds/sf2/FluidR3_GM.sf2"})
        if (std::filesystem::exists(p)) return true;
    return false;
}

// A short tune on two channels: four (or count) quarter notes at 120 bpm (2 s).
Bytes Tune(uint32_t tailTicks = 0, size_t count = 4) {
    cTrack t;
    t.Ev(0, {0xC0, 0}).Ev(0, {0xC1, 48});
    const uint8_t notes[] = {60, 64, 67, 72};
    for (size_t i = 0; i < count && i < 4; ++i) {
        const uint8_t n = notes[i];
        t.Ev(0, {0x90, n, 110}).Ev(0, {0x91, static_cast<uint8_t>(n - 12), 100}).Ev(96, {0x80, n, 0}).Ev(0, {0x81, static_cast<uint8_t>(n - 12), 0});
    }
    t.End(tailTicks);
    return MakeSmf(0, 96, {t});
}

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLogs();
        ReportInit(dir.File("Report.txt").c_str());
        SetSoundOutputOffline(true);
        InitBgmNameTables(ogg, midi);
    }
    void TearDown() override {
        bgm.Release();
        SetMidiSoundFontCandidates(nullptr);
        SetMidiOutFactory(nullptr);
        SetSoundOutputOffline(false);
        ResetLogs();
    }
    // Uses the stream players, recording what they send.
    void WithoutSoundFont() {
        const std::vector<std::string> none;
        SetMidiSoundFontCandidates(&none);
        SetMidiOutFactory([this] { return std::make_unique<cMidiRecorder>(log); });
    }
    std::string Write(const std::string& name, const Bytes& b) {
        const std::string path = dir.File(name);
        WriteBytes(path, b);
        return path;
    }
    // Renders seconds of the mix; returns the RMS of each tenth of a second.
    std::vector<double> Levels(double seconds) {
        std::vector<double> out;
        std::vector<float> buf(4410 * 2);
        for (int i = 0; i < static_cast<int>(seconds * 10 + 0.5); ++i) {
            SoundMixer().Render(buf.data(), 4410);
            out.push_back(Rms(buf.data(), 4410));
        }
        return out;
    }
    // Renders 0.1 s at a time, waiting between, until the mix sounds (the
    // synthesiser's sound bank may be loading), then seconds more: the levels
    // from the first sounding tenth on; empty when nothing sounded in 20 s.
    std::vector<double> LevelsFromTheFirstSound(double seconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < end) {
            std::vector<double> levels = Levels(0.1);
            if (levels[0] > 0) {
                const std::vector<double> rest = Levels(seconds - 0.1);
                levels.insert(levels.end(), rest.begin(), rest.end());
                return levels;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return {};
    }
    // Opens the music manager on a synthesiser whose sound bank loads on its
    // own thread, and asks for play(): true when the mix is still silent
    // after it (the bank has not loaded, the requests wait), after a few
    // tries (a bank that loaded first is closed and loaded again).
    template <class F>
    bool AskWhileTheBankLoads(F play) {
        for (int attempt = 0; attempt < 10; ++attempt) {
            PreloadMidiSynth();
            if (bgm.Init(1, &ogg, &midi, 5) != 1 || !bgm.UsesMidiLibrary()) return false;
            play();
            if (Levels(0.1)[0] == 0) return true;
            bgm.Release();
        }
        return false;
    }
    cTempDir dir;
    std::vector<OGGNAME> ogg;
    std::vector<MIDINAME> midi;
    cBgm bgm;
    cMidiRecorder::cLog log;
};

TEST_F(MusicTest, NameTablesStartWithTheSceneFiles) {
    EXPECT_STREQ(ogg[0].name, "bgm\\Title.ogg");
    EXPECT_STREQ(ogg[4].name, "bgm\\Stage.ogg");
    EXPECT_STREQ(midi[1].name, "bgm\\WorldMap.mid");
    EXPECT_EQ(midi[3].volume, 0);
}

TEST_F(MusicTest, SetTrackChoosesThePlayerByExtension) {
    EXPECT_EQ(bgm.SetTrack(0, "x.wav", 50), 1);  // not enabled yet
    ASSERT_EQ(bgm.Init(1, &ogg, &midi, 5), 1);
    EXPECT_EQ(bgm.SetTrack(4, "bgm\\Stage.MID", 70), 1);
    EXPECT_STREQ(midi[4].name, "bgm\\Stage.mid");
    EXPECT_EQ(midi[4].volume, 70);
    EXPECT_STREQ(ogg[4].name, "bgm\\Stage.ogg");  // left as it was
    EXPECT_EQ(bgm.SlotKind(4), cBgm::KIND_MIDI);
    EXPECT_EQ(bgm.SetTrack(1, "a.OGG", 30), 1);
    EXPECT_EQ(bgm.SlotKind(1), cBgm::KIND_OGG);
    EXPECT_EQ(bgm.SetTrack(2, "c.wav", 40), 0);
    EXPECT_STREQ(ogg[2].name, "c.wav");
    EXPECT_STREQ(midi[2].name, "c.wav");
    EXPECT_EQ(bgm.SlotKind(2), cBgm::KIND_UNDECIDED);
    EXPECT_EQ(bgm.SetTrack(3, "noext", 40), 0);
    EXPECT_STREQ(ogg[3].name, "");
    EXPECT_EQ(midi[3].volume, 0);
    EXPECT_EQ(bgm.SetTrack(9, "x.ogg", 40), 0);  // no such slot
}

TEST_F(MusicTest, NothingHappensBeforeInit) {
    EXPECT_EQ(bgm.Play(0, 0, 1, 0, 1), 1);
    bgm.Stop();
    bgm.Release();
    EXPECT_EQ(bgm.CurrentSlot(), -1);
}

TEST_F(MusicTest, OggLoopOnSoundsOnAndLoopOffEnds) {
    WithoutSoundFont();  // the Ogg player alone in the mix
    ASSERT_EQ(bgm.Init(1, &ogg, &midi, 5), 1);
    const std::string path = dir.File("t.ogg");
    WriteOggSine(path, 44100, 1, 0.5, 440);
    ASSERT_EQ(bgm.SetTrack(0, path.c_str(), 100), 1);
    ASSERT_EQ(bgm.Play(0, 0, 1, 0, 0), 1);
    EXPECT_EQ(bgm.ChannelState(0), cBgm::CHANNEL_OGG);
    std::vector<double> looped = Levels(1.5);
    for (double l : looped) EXPECT_NEAR(l, 0.5 / std::sqrt(2.0), 0.02);
    ASSERT_EQ(bgm.Play(0, 0, 0, 0, 1), 1);  // forced: from the start, once
    std::vector<double> once = Levels(1.0);
    EXPECT_NEAR(once[0], 0.5 / std::sqrt(2.0), 0.02);
    EXPECT_NEAR(once[3], 0.5 / std::sqrt(2.0), 0.02);
    for (size_t i = 6; i < once.size(); ++i) EXPECT_EQ(once[i], 0.0) << i;
}

TEST_F(MusicTest, OggAtAnotherRateKeepsItsLength) {
    WithoutSoundFont();  // the Ogg player alone in the mix
    ASSERT_EQ(bgm.Init(1, &ogg, &midi, 5), 1);
    const std::string path = dir.File("t.ogg");
    WriteOggSine(path, 22050, 2, 0.5, 300);
    bgm.SetTrack(0, path.c_str(), 100);
    ASSERT_EQ(bgm.Play(0, 0, 0, 0, 0), 1);
    std::vector<double> l = Levels(1.0);
    EXPECT_GT(l[4], 0.3);
    EXPECT_EQ(l[6], 0.0);
}

TEST_F(MusicTest, EveryOggPlaySetsItsVolumeFullVolumeToo) {
    WithoutSoundFont();  // the Ogg player alone in the mix
    ASSERT_EQ(bgm.Init(1, &ogg, &midi, 5), 1);
    const std::string path = dir.File("t.ogg");
    WriteOggSine(path, 44100, 1, 1.0, 440);
    bgm.SetTrack(0, path.c_str(), 50);
    bgm.SetTrack(1, path.c_str(), 100);
    ASSERT_EQ(bgm.Play(0, 0, 1, 0, 0), 1);
    const double half = Levels(0.3)[2];
    ASSERT_EQ(bgm.Play(0, 1, 1, 0, 0), 1);
    const double full = Levels(0.3)[2];
    EXPECT_NEAR(full / half, 2.0, 0.02);
}

TEST_F(MusicTest, ARefusedOggFileIsReportedWithItsReason) {
    cOgg player;
    player.Init();
    player.Create(1);
    const std::string path = Write("bad.ogg", Bytes{'O', 'g', 'g', 'S', 0, 2, 0, 0});
    EXPECT_EQ(player.Play(0, path.c_str(), 0, 100), 0);
    EXPECT_NE(ReadText(dir.File("Report.txt")).find(path + " を再生できません：開けないか、Ogg Vorbis のファイルではありません"),
              std::string::npos);
}

TEST_F(MusicTest, UnplayableSlotLeavesSilenceAndIsTriedAgain) {
    WithoutSoundFont();
    ASSERT_EQ(bgm.Init(1, &ogg, &midi, 5), 1);
    const std::string wav = Write("c.wav", MakeWave(1, 1, 44100, 16, Sine16(100, 44100, 440, 0.5)));
    bgm.SetTrack(2, wav.c_str(), 100);
    EXPECT_EQ(bgm.Play(0, 2, 1, 0, 0), 0);  // the Ogg player and a MIDI player both refuse
    EXPECT_EQ(bgm.ChannelState(0), cBgm::CHANNEL_SILENT);
    EXPECT_EQ(bgm.CurrentSlot(), -1);
    const std::string mid = dir.File("later.mid");
    bgm.SetTrack(2, mid.c_str(), 100);
    EXPECT_EQ(bgm.Play(0, 2, 1, 0, 0), 0);  // not there yet
    WriteBytes(mid, Tune());
    EXPECT_EQ(bgm.Play(0, 2, 1, 0, 0), 1);  // tried again without force
    EXPECT_EQ(bgm.ChannelState(0), cBgm::CHANNEL_MIDI);
}

TEST_F(MusicTest, SameSlotTwiceGoesOnUnlessForced) {
    WithoutSoundFont();
    ASSERT_EQ(bgm.Init(1, &ogg, &midi, 5), 1);
    EXPECT_FALSE(bgm.UsesMidiLibrary());
    bgm.SetTrack(2, Write("a.mid", Tune(96 * 100)).c_str(), 100);
    ASSERT_EQ(bgm.Play(0, 2, 1, 0, 0), 1);
    ASSERT_TRUE(log.WaitFor(4));  // two programs, two notes at the start
    cMidi* first = bgm.StreamPlayer(0);
    EXPECT_EQ(bgm.Play(0, 2, 1, 0, 0), 1);
    EXPECT_EQ(bgm.StreamPlayer(0), first);  // undisturbed
    EXPECT_EQ(bgm.Play(0, 2, 1, 0, 1), 1);
    ASSERT_TRUE(log.WaitFor(8));  // forced: from the start again
    EXPECT_EQ(log.Snapshot()[6].bytes, (Bytes{0x90, 60, 110}));
    bgm.Stop();
    EXPECT_EQ(bgm.StreamPlayer(0)->State(), cMidi::STATE_STOPPED);
}

TEST_F(MusicTest, MidiThroughTheSynthesiserSounds) {
    if (!HaveSoundFont()) GTEST_SKIP() << "no General MIDI soundfont";
    ASSERT_EQ(bgm.Init(1, &ogg, &midi, 5), 1);
    ASSERT_TRUE(bgm.UsesMidiLibrary());
    bgm.SetTrack(0, Write("t.mid", Tune()).c_str(), 100);
    ASSERT_EQ(bgm.Play(0, 0, 0, 0, 0), 1);
    EXPECT_EQ(bgm.ChannelState(0), cBgm::CHANNEL_MIDI);
    const std::vector<double> playing = Levels(1.0);
    EXPECT_GT(*std::max_element(playing.begin(), playing.end()), 0.01);
    bgm.Stop();
    const std::vector<double> stopped = Levels(2.0);
    EXPECT_LT(stopped.back(), 1e-4);  // what remains is the reverberation dying away
    // An Ogg slot takes over; the MIDI music pauses.
    const std::string path = dir.File("t.ogg");
    WriteOggSine(path, 44100, 1, 0.5, 440);
    bgm.SetTrack(1, path.c_str(), 100);
    EXPECT_EQ(bgm.Play(0, 1, 1, 1, 0), 1);
    EXPECT_EQ(bgm.ChannelState(0), cBgm::CHANNEL_OGG);
}

// A synthesiser opened ahead is the one the music manager takes; one opened
// ahead without a soundfont leaves the manager on its stream players, and one
// never taken is dropped by closing the device.
TEST_F(MusicTest, SynthesiserOpenedAheadIsTakenOrDropped) {
    WithoutSoundFont();
    PreloadMidiSynth();
    ASSERT_EQ(bgm.Init(1, &ogg, &midi, 5), 1);
    EXPECT_FALSE(bgm.UsesMidiLibrary());
    bgm.Release();
    if (!HaveSoundFont()) GTEST_SKIP() << "no General MIDI soundfont";
    SetMidiSoundFontCandidates(nullptr);
    PreloadMidiSynth();
    ReleaseGgs4();  // dropped: not open
    EXPECT_FALSE(IsGgs4DeviceOpen());
    PreloadMidiSynth();
    WithoutSoundFont();  // the candidates now would find none: the preloaded one is taken
    ASSERT_EQ(bgm.Init(1, &ogg, &midi, 5), 1);
    ASSERT_TRUE(bgm.UsesMidiLibrary());
    bgm.SetTrack(0, Write("t.mid", Tune()).c_str(), 100);
    ASSERT_EQ(bgm.Play(0, 0, 0, 0, 0), 1);
    const std::vector<double> playing = LevelsFromTheFirstSound(1.0);
    ASSERT_FALSE(playing.empty());
    EXPECT_GT(*std::max_element(playing.begin(), playing.end()), 0.01);
    bgm.Stop();
}

// Music asked for while the synthesiser's sound bank loads is held and played
// in its order once the bank has loaded: the last tune asked for is heard,
// from its start, once.
TEST_F(MusicTest, MusicAskedForWhileTheBankLoadsStartsWhenItHasLoaded) {
    if (!HaveSoundFont()) GTEST_SKIP() << "no General MIDI soundfont";
    const std::string longTune = Write("long.mid", Tune());
    const std::string oneNote = Write("one.mid", Tune(0, 1));
    const bool bHeld = AskWhileTheBankLoads([&] {
        bgm.SetTrack(0, longTune.c_str(), 100);
        bgm.SetTrack(1, oneNote.c_str(), 100);
        EXPECT_EQ(bgm.Play(0, 0, 1, 0, 0), 1);
        bgm.Stop();
        EXPECT_EQ(bgm.Play(0, 1, 0, 0, 0), 1);
        EXPECT_EQ(bgm.ChannelState(0), cBgm::CHANNEL_MIDI);
        EXPECT_EQ(bgm.CurrentSlot(), 1);
    });
    ASSERT_TRUE(bHeld) << "the music manager waited for the sound bank every time";
    const std::vector<double> heard = LevelsFromTheFirstSound(3.0);
    ASSERT_FALSE(heard.empty()) << "the music asked for never sounded";
    EXPECT_GT(heard[0], 0.01);  // the note at the tune's start
    // One half-second note, not the looping two-second tune asked for first.
    for (size_t i = 10; i < heard.size(); ++i) EXPECT_LT(heard[i], 0.01) << i;
    EXPECT_TRUE(IsGgs4DeviceOpen());
}

// A quit while the sound bank loads waits for it and drops it: nothing of it
// is left in the mix or open, and the synthesiser opens again afterwards.
TEST_F(MusicTest, AQuitWhileTheBankLoadsEndsCleanly) {
    if (!HaveSoundFont()) GTEST_SKIP() << "no General MIDI soundfont";
    const std::string tune = Write("t.mid", Tune());
    const bool bHeld = AskWhileTheBankLoads([&] {
        bgm.SetTrack(0, tune.c_str(), 100);
        EXPECT_EQ(bgm.Play(0, 0, 1, 0, 0), 1);
    });
    ASSERT_TRUE(bHeld) << "the music manager waited for the sound bank every time";
    bgm.Release();
    EXPECT_FALSE(IsGgs4DeviceOpen());
    EXPECT_FALSE(bgm.UsesMidiLibrary());
    for (double l : Levels(1.0)) EXPECT_EQ(l, 0.0);
    ASSERT_EQ(bgm.Init(1, &ogg, &midi, 5), 1);
    ASSERT_TRUE(bgm.UsesMidiLibrary());
    bgm.SetTrack(0, tune.c_str(), 100);
    ASSERT_EQ(bgm.Play(0, 0, 1, 0, 0), 1);
    EXPECT_GT(Levels(0.1)[0], 0.01);
}

// A soundfont whose header is right but whose body does not load, found while
// it loads on its own thread, leaves the music manager on its stream players,
// as one not found at all does.
TEST_F(MusicTest, ASoundFontThatDoesNotLoadLeavesTheStreamPlayers) {
    const std::string broken = Write("broken.sf2", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 's', 'f', 'b', 'k'});
    const std::vector<std::string> fonts = {broken};
    SetMidiSoundFontCandidates(&fonts);
    SetMidiOutFactory([this] { return std::make_unique<cMidiRecorder>(log); });
    PreloadMidiSynth();
    ASSERT_EQ(bgm.Init(1, &ogg, &midi, 5), 1);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (IsGgs4DeviceOpen() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_FALSE(IsGgs4DeviceOpen());
    bgm.SetTrack(0, Write("t.mid", Tune()).c_str(), 100);
    ASSERT_EQ(bgm.Play(0, 0, 0, 0, 0), 1);
    EXPECT_FALSE(bgm.UsesMidiLibrary());
    EXPECT_EQ(bgm.ChannelState(0), cBgm::CHANNEL_MIDI);
    ASSERT_TRUE(log.WaitFor(4));  // two programs, two notes at the start
}

TEST_F(MusicTest, LibraryVolumeFollowsThePercentage) {
    if (!HaveSoundFont()) GTEST_SKIP() << "no General MIDI soundfont";
    cGgs4Player p;
    ASSERT_EQ(p.Init(), 1);
    const std::string path = Write("t.mid", Tune());
    EXPECT_EQ(p.Play(0, path.c_str(), 0, 100), 1);
    EXPECT_EQ(p.MasterVolume(), 0);
    EXPECT_EQ(p.Play(0, path.c_str(), 0, 1), 1);
    EXPECT_EQ(p.MasterVolume(), -126);
    EXPECT_EQ(p.Play(0, path.c_str(), 0, 50), 1);
    EXPECT_EQ(p.MasterVolume(), -64);
    EXPECT_EQ(p.Play(0, Write("T.MID", Tune()).c_str(), 0, 50), 0);
    EXPECT_EQ(p.Play(0, Write("bad.mid", Bytes{1, 2, 3}).c_str(), 0, 50), 0);
    ReleaseGgs4();
    EXPECT_FALSE(IsGgs4DeviceOpen());
}

TEST_F(MusicTest, SafeFromSeveralThreads) {
    WithoutSoundFont();
    ASSERT_EQ(bgm.Init(1, &ogg, &midi, 5), 1);
    const std::string path = dir.File("t.ogg");
    WriteOggSine(path, 44100, 1, 0.3, 440);
    bgm.SetTrack(0, path.c_str(), 80);
    bgm.SetTrack(1, Write("a.mid", Tune()).c_str(), 80);
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 20; ++i) {
                bgm.Play(0, (i + t) % 2, 1, i % 2, 1);
                if (i % 5 == 0) bgm.Stop();
            }
        });
    std::vector<float> buf(512 * 2);
    for (int i = 0; i < 100; ++i) SoundMixer().Render(buf.data(), 512);
    for (auto& th : threads) th.join();
    bgm.Release();
    bgm.Release();
    EXPECT_EQ(bgm.CurrentSlot(), -1);
}

}  // namespace
