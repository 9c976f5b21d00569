#include "platform/sound/midi_player.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/system/log.h"
#include "platform/sound/sound_test_media.h"
#include "support/temp_dir.h"

namespace {

using cEvent = cMidiRecorder::cEvent;

class MidiStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLogs();
        ReportInit(dir.File("Report.txt").c_str());
    }
    void TearDown() override {
        SetMidiOutFactory(nullptr);
        ResetLogs();
    }
    std::string Write(const std::string& name, const Bytes& b) {
        const std::string path = dir.File(name);
        WriteBytes(path, b);
        return path;
    }
    // A player on a recorder, with the stream's clock jumping from event to event.
    std::unique_ptr<cMidi> Player(const std::string& path, bool bVirtual = true) {
        return std::make_unique<cMidi>(path.c_str(), std::make_unique<cMidiRecorder>(log), bVirtual);
    }
    static bool WaitForState(cMidi& m, int state) {
        for (int i = 0; i < 500 && m.State() != state; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return m.State() == state;
    }
    cTempDir dir;
    cMidiRecorder::cLog log;
};

// Division 100. Tempo 500000 us per quarter (5000 us per tick) from 0, 250000
// (2500 us per tick) from tick 200; a text event at tick 10 (skipped); notes
// at 0, 100, 150 (running status) and 300; a system-exclusive message at 50;
// the conductor ends last, at 320.
Bytes TimedFile() {
    cTrack conductor, notes;
    conductor.Ev(0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20})
        .Ev(10, {0xFF, 0x01, 0x02, 'h', 'i'})
        .Ev(190, {0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90})
        .End(120);
    notes.Ev(0, {0x90, 60, 100})
        .Ev(50, {0xF0, 0x03, 0x41, 0x10, 0xF7})
        .Ev(50, {0x80, 60, 0})
        .Ev(50, {0x90, 62, 90})
        .Ev(150, {62, 0})
        .End(0);
    return MakeSmf(1, 100, {conductor, notes});
}

const std::vector<cEvent> TIMED_EVENTS = {
    {0, {0x90, 60, 100}},
    {250000, {0xF0, 0x41, 0x10, 0xF7}},
    {500000, {0x80, 60, 0}},
    {750000, {0x90, 62, 90}},
    {1250000, {0x90, 62, 0}},  // 1000000 at tick 200, then 100 ticks of 2500 us
};
constexpr int64_t TIMED_LENGTH = 1300000;  // tick 320

void ExpectEvents(const std::vector<cEvent>& got, size_t from, int64_t offset) {
    for (size_t i = 0; i < TIMED_EVENTS.size(); ++i) {
        ASSERT_LT(from + i, got.size());
        EXPECT_EQ(got[from + i].micros, TIMED_EVENTS[i].micros + offset) << i;
        EXPECT_EQ(got[from + i].bytes, TIMED_EVENTS[i].bytes) << i;
    }
}

TEST_F(MidiStreamTest, PlaysTheNotesInOrderAndOnTime) {
    auto midi = Player(Write("a.mid", TimedFile()));
    ASSERT_TRUE(midi->HasImage());
    midi->Restart(0);
    ASSERT_TRUE(log.WaitFor(TIMED_EVENTS.size()));
    ASSERT_TRUE(WaitForState(*midi, cMidi::STATE_STOPPED));
    const std::vector<cEvent> got = log.Snapshot();
    EXPECT_EQ(got.size(), TIMED_EVENTS.size());  // nothing of 0xFF is ever sent
    ExpectEvents(got, 0, 0);
    // Stopped at the end, rewound, with the first buffer queued for the next start.
    EXPECT_EQ(midi->QueuedBuffers(), 1);
    EXPECT_EQ(midi->ReadOffset(), midi->Image().size());
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(log.Snapshot().size(), TIMED_EVENTS.size());
}

TEST_F(MidiStreamTest, LoopingStartsAgainAfterTheEnd) {
    auto midi = Player(Write("a.mid", TimedFile()));
    midi->Restart(1);
    ASSERT_TRUE(log.WaitFor(3 * TIMED_EVENTS.size()));
    midi->Stop(0);
    const std::vector<cEvent> got = log.Snapshot();
    ExpectEvents(got, 0, 0);
    ExpectEvents(got, TIMED_EVENTS.size(), TIMED_LENGTH);
    ExpectEvents(got, 2 * TIMED_EVENTS.size(), 2 * TIMED_LENGTH);
    EXPECT_EQ(midi->State(), cMidi::STATE_STOPPED);
}

// n one-tick note events, then the end of the track.
Bytes ManyEvents(int n, uint16_t division = 96) {
    cTrack t;
    for (int i = 0; i < n; ++i) t.Ev(1, {static_cast<uint8_t>(i % 2 ? 0x80 : 0x90), 60, 64});
    t.End(0);
    return MakeSmf(0, division, {t});
}

TEST_F(MidiStreamTest, EndOfTrackAtABufferBoundaryGoesIntoTheNextBuffer) {
    // 2000 events fill 24000 bytes exactly: the end-of-track report needs a second buffer.
    auto full = Player(Write("full.mid", ManyEvents(2000)));
    EXPECT_LT(full->ReadOffset(), full->Image().size());
    auto fits = Player(Write("fits.mid", ManyEvents(1999)));
    EXPECT_EQ(fits->ReadOffset(), fits->Image().size());
    fits.reset();
    full->Restart(0);
    ASSERT_TRUE(log.WaitFor(2000));
    ASSERT_TRUE(WaitForState(*full, cMidi::STATE_STOPPED));
    const std::vector<cEvent> got = log.Snapshot();
    ASSERT_EQ(got.size(), 2000u);
    EXPECT_EQ(got[1999].bytes, (Bytes{0x80, 60, 64}));
}

TEST_F(MidiStreamTest, StartQueuesTheSecondBufferAndPauseResumeQueueNothing) {
    // One event a second: nothing plays while the test runs.
    auto midi = Player(Write("slow.mid", ManyEvents(5000, 1)), false);
    const uint32_t afterFirst = midi->ReadOffset();
    EXPECT_EQ(midi->QueuedBuffers(), 1);
    midi->Restart(0);
    EXPECT_EQ(midi->State(), cMidi::STATE_PLAYING);
    EXPECT_EQ(midi->QueuedBuffers(), 2);
    const uint32_t afterSecond = midi->ReadOffset();
    EXPECT_GT(afterSecond, afterFirst);
    midi->Stop(1);
    EXPECT_EQ(midi->State(), cMidi::STATE_PAUSED);
    midi->Restart(0);
    EXPECT_EQ(midi->State(), cMidi::STATE_PLAYING);
    EXPECT_EQ(midi->ReadOffset(), afterSecond);
    midi->Stop(0);
    EXPECT_EQ(midi->State(), cMidi::STATE_STOPPED);
    EXPECT_EQ(midi->QueuedBuffers(), 1);
    EXPECT_EQ(midi->ReadOffset(), afterFirst);
    midi->Stop(1);  // pausing a stopped player does nothing
    EXPECT_EQ(midi->State(), cMidi::STATE_STOPPED);
}

TEST_F(MidiStreamTest, PausedStreamWaitsAndResumesWhereItWas) {
    cTrack t;
    t.Ev(0, {0x90, 60, 100}).Ev(20, {0x80, 60, 0}).End(0);  // 20 ticks of 5 ms: 100 ms apart
    auto midi = Player(Write("p.mid", MakeSmf(0, 100, {t})), false);
    midi->Restart(0);
    ASSERT_TRUE(log.WaitFor(1));
    midi->Stop(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_EQ(log.Snapshot().size(), 1u);
    midi->Restart(0);
    ASSERT_TRUE(log.WaitFor(2));
    const auto got = log.Snapshot();
    EXPECT_GE(got[1].micros - got[0].micros, 300000);  // the pause counted
    std::lock_guard<std::mutex> lock(log.lock);
    EXPECT_GE(log.resets, 1);  // sounding notes were silenced
}

TEST_F(MidiStreamTest, PlayMidiFileWantsLowerCaseMidAndALoadableFile) {
    SetMidiOutFactory([this] { return std::make_unique<cMidiRecorder>(log); });
    std::vector<std::unique_ptr<cMidi>> players(1);
    std::vector<int> loops(1);
    const std::string upper = Write("A.MID", TimedFile());
    EXPECT_EQ(PlayMidiFile(players, loops, 0, upper.c_str(), 1), 0);
    const std::string bad = Write("bad.mid", Bytes{'M', 'T', 'h', 'd'});
    EXPECT_EQ(PlayMidiFile(players, loops, 0, bad.c_str(), 1), 0);
    cTrack t;
    t.Ev(0, {0x90, 60, 100}).End(0);
    const std::string good = Write("good.mid", MakeSmf(0, 96, {t}));
    EXPECT_EQ(PlayMidiFile(players, loops, 0, good.c_str(), 1), 1);
    EXPECT_EQ(loops[0], 1);
    ASSERT_TRUE(log.WaitFor(1));
    EXPECT_EQ(log.Snapshot()[0].bytes, (Bytes{0x90, 60, 100}));
    StopMidiPlayers(players, 1);
    EXPECT_EQ(players[0]->State(), cMidi::STATE_PAUSED);
    // A channel out of range is logged and channel 0 is used.
    EXPECT_EQ(PlayMidiFile(players, loops, 3, good.c_str(), 0), 1);
    EXPECT_NE(players[0], nullptr);
}

TEST_F(MidiStreamTest, WithoutAPortPlayGoesOnSilently) {
    SetMidiOutFactory([] {
        struct cNoPort : cMidiRecorder {
            using cMidiRecorder::cMidiRecorder;
            bool Open(std::string& error) override {
                error = "no port";
                return false;
            }
        };
        static cMidiRecorder::cLog unused;
        return std::make_unique<cNoPort>(unused);
    });
    const std::string path = Write("a.mid", TimedFile());
    cMidi midi(path.c_str());
    midi.Restart(0);
    EXPECT_EQ(midi.State(), cMidi::STATE_PLAYING);
    midi.Stop(0);
    EXPECT_NE(ReadText(dir.File("Report.txt")).find("Midi " + path + " Open no port"), std::string::npos);
}

TEST_F(MidiStreamTest, TheSystemPortOpensOrIsReported) {
    const std::string path = Write("a.mid", TimedFile());
    cMidi midi(path.c_str());  // the ALSA sequencer, whatever this machine has
    midi.Restart(1);
    midi.Stop(1);
    midi.Stop(0);
    EXPECT_EQ(midi.State(), cMidi::STATE_STOPPED);
}

}  // namespace
