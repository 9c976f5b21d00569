#include "platform/sound/smf.h"

#include "platform/sound/midi_player.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/system/log.h"
#include "platform/sound/sound_test_media.h"
#include "support/temp_dir.h"

namespace {

class SmfTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLogs();
        ReportInit(dir.File("Report.txt").c_str());
    }
    void TearDown() override { ResetLogs(); }
    std::string Report() { return ReadText(dir.File("Report.txt")); }
    cTempDir dir;
};

// Conductor (tempo at 0, ends at 96), a note on channel 0 written with running
// status (ends at 96) and a note on channel 1 (ends at 148).
Bytes ThreeTrackFile() {
    cTrack conductor, a, b;
    conductor.Ev(0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}).End(96);
    a.Ev(0, {0x90, 60, 100}).Ev(48, {60, 0}).End(48);
    b.Ev(0, {0x91, 64, 90}).Ev(48, {0x81, 64, 0}).End(100);
    return MakeSmf(1, 96, {conductor, a, b});
}

TEST_F(SmfTest, FormatOneBecomesOneTrackInTimeOrder) {
    const Bytes expected = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x00, 0x60,  // format 0, one track, division 96
        'M', 'T', 'r', 'k', 0, 0, 0, 27,                          // 27 bytes of events
        0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,                  // t=0 tempo (track 0 first)
        0x00, 0x90, 60, 100,                                       // t=0 track 1
        0x00, 0x91, 64, 90,                                        // t=0 track 2
        0x30, 0x90, 60, 0,                                         // t=48 running status expanded
        0x00, 0x81, 64, 0,                                         // t=48 track 2
        0x64, 0xFF, 0x2F, 0x00,                                    // one end of track at 148, the latest end
    };
    EXPECT_EQ(cSmf::Init(ThreeTrackFile(), "a.mid"), expected);
    EXPECT_EQ(Report(), "");
}

TEST_F(SmfTest, FormatZeroKeepsMetaAndSysExAndExpandsRunningStatus) {
    cTrack t;
    t.Ev(0, {0xFF, 0x01, 0x03, 'a', 'b', 'c'})
        .Ev(0, {0xF0, 0x02, 0x7E, 0xF7})
        .Ev(10, {0xC0, 5})
        .Ev(0, {7})  // running status of a two-byte message
        .Ev(0x80, {0xE0, 0, 64})
        .End(0);
    const Bytes image = cSmf::Init(MakeSmf(0, 480, {t}), "b.mid");
    const Bytes events(image.begin() + 22, image.end());
    const Bytes expected = {0x00, 0xFF, 0x01, 0x03, 'a', 'b', 'c', 0x00, 0xF0, 0x02, 0x7E, 0xF7, 0x0A, 0xC0, 5,
                            0x00, 0xC0, 7,    0x81, 0x00, 0xE0, 0,   64,   0x00, 0xFF, 0x2F, 0x00};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(image[12], 0x01);
    EXPECT_EQ(image[13], 0xE0);
    EXPECT_EQ(image[21], expected.size());
}

// A note whose note-off runs on the status of the note-on across a text meta
// event (and a system-exclusive message): the running status is the note-on's.
TEST_F(SmfTest, RunningStatusGoesOnAcrossMetaAndSysExEvents) {
    cTrack t;
    t.Ev(0, {0x90, 60, 100})
        .Ev(0, {0xFF, 0x01, 0x01, 'x'})
        .Ev(48, {60, 0})
        .Ev(0, {0xF0, 0x01, 0xF7})
        .Ev(0, {62, 90})
        .End(0);
    const Bytes image = cSmf::Init(MakeSmf(0, 96, {t}), "text.mid");
    const Bytes events(image.begin() + 22, image.end());
    const Bytes expected = {0x00, 0x90, 60, 100, 0x00, 0xFF, 0x01, 0x01, 'x', 0x30, 0x90, 60,   0,
                            0x00, 0xF0, 0x01, 0xF7, 0x00, 0x90, 62,  90,  0x00, 0xFF, 0x2F, 0x00};
    EXPECT_EQ(events, expected);
}

// A damaged control value (200) keeps its low 7 bits (72), in the image and
// in what the stream player puts into its buffers.
TEST_F(SmfTest, DataBytesAboveSevenBitsKeepTheirLowBits) {
    cTrack t;
    t.Ev(0, {0xB0, 7, 200}).Ev(0, {0xE0, 0x81, 0xFF}).End(0);
    const Bytes image = cSmf::Init(MakeSmf(0, 96, {t}), "cc.mid");
    const Bytes events(image.begin() + 22, image.end());
    const Bytes expected = {0x00, 0xB0, 7, 72, 0x00, 0xE0, 0x01, 0x7F, 0x00, 0xFF, 0x2F, 0x00};
    EXPECT_EQ(events, expected);

    // An image as the loader never makes it: the player masks the data bytes itself.
    Bytes raw = image;
    raw[22 + 3] = 200;
    std::vector<uint8_t> buffer(cMidi::BUFFER_SIZE);
    MIDIHDR hdr;
    hdr.lpData = buffer.data();
    hdr.dwBufferLength = cMidi::BUFFER_SIZE;
    EXPECT_EQ(FillMidiBuffer(raw, hdr, SMF_FIRST_EVENT), raw.size());
    ASSERT_EQ(hdr.dwBytesRecorded, 3 * MIDIEVENT_HEADER);
    EXPECT_EQ(buffer[8], 0xB0);
    EXPECT_EQ(buffer[9], 7);
    EXPECT_EQ(buffer[10], 72);
    EXPECT_EQ(buffer[12 + 9], 0x01);
    EXPECT_EQ(buffer[12 + 10], 0x7F);
}

TEST_F(SmfTest, UnknownChunksBetweenTracksAreSkipped) {
    Bytes file = ThreeTrackFile();
    // An "XFIH" chunk of 3 bytes after the first track chunk (8 + 11 bytes).
    const Bytes junk = {'X', 'F', 'I', 'H', 0, 0, 0, 3, 1, 2, 3};
    file.insert(file.begin() + 14 + 8 + 11, junk.begin(), junk.end());
    EXPECT_EQ(cSmf::Init(file, "a.mid"), cSmf::Init(ThreeTrackFile(), "a.mid"));
}

TEST_F(SmfTest, RefusesOtherFormatsAndHeadersWithTheirReasons) {
    Bytes f = ThreeTrackFile();
    f[9] = 2;
    EXPECT_TRUE(cSmf::Init(f, "f2.mid").empty());
    f[9] = 3;
    EXPECT_TRUE(cSmf::Init(f, "f3.mid").empty());
    Bytes h = ThreeTrackFile();
    h[7] = 8;
    EXPECT_TRUE(cSmf::Init(h, "h8.mid").empty());
    Bytes m = ThreeTrackFile();
    m[0] = 'X';
    EXPECT_TRUE(cSmf::Init(m, "m.mid").empty());
    Bytes t = ThreeTrackFile();
    t[17] = 'X';
    EXPECT_TRUE(cSmf::Init(t, "t.mid").empty());
    EXPECT_EQ(Report(),
              "Midi f2.mid Init 対応フォーマットが2でない\r\n"
              "Midi f3.mid Init 対応フォーマットが0または1でない\r\n"
              "Midi h8.mid Init 標準MIDIでない(6)\r\n"
              "Midi m.mid Init 標準MIDIでない(4)\r\n"
              "Midi t.mid Init 標準MIDIでない(4)\r\n");
}

TEST_F(SmfTest, EveryTruncationIsRefused) {
    const Bytes file = ThreeTrackFile();
    for (size_t n = 0; n < file.size(); ++n)
        EXPECT_TRUE(cSmf::Init(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n)), "cut.mid").empty())
            << n;
}

TEST_F(SmfTest, DamagedTracksAreRefused) {
    cTrack noEnd;
    noEnd.Ev(0, {0x90, 60, 100});
    EXPECT_TRUE(cSmf::Init(MakeSmf(0, 96, {noEnd}), "noend.mid").empty());
    cTrack noStatus;
    noStatus.Ev(0, {60, 100}).End();
    EXPECT_TRUE(cSmf::Init(MakeSmf(0, 96, {noStatus}), "nostatus.mid").empty());
    cTrack longMeta;
    longMeta.Ev(0, {0xFF, 0x01, 0x7F, 'a'}).End();
    EXPECT_TRUE(cSmf::Init(MakeSmf(0, 96, {longMeta}), "meta.mid").empty());
    cTrack fiveByteDelta;
    fiveByteDelta.bytes = {0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 100, 0, 0xFF, 0x2F, 0};
    EXPECT_TRUE(cSmf::Init(MakeSmf(0, 96, {fiveByteDelta}), "delta.mid").empty());
    // Two tracks announced, one there.
    Bytes one = MakeSmf(1, 96, {cTrack().End()});
    one[11] = 2;
    EXPECT_TRUE(cSmf::Init(one, "missing.mid").empty());
    EXPECT_NE(Report().find("Midi noend.mid Init "), std::string::npos);
}

TEST_F(SmfTest, GarbageNeverReadsPastTheData) {
    std::mt19937 rng(7);
    const Bytes good = ThreeTrackFile();
    for (int i = 0; i < 2000; ++i) {
        Bytes f = good;
        // Keep the header valid so that the track reader sees the garbage.
        for (size_t k = 18; k < f.size(); ++k)
            if (rng() % 4 == 0) f[k] = static_cast<uint8_t>(rng());
        f.resize(18 + rng() % (f.size() - 17));
        const Bytes image = cSmf::Init(f, "g.mid");
        if (image.empty()) continue;
        ASSERT_GE(image.size(), 25u);
        EXPECT_EQ(Bytes(image.end() - 3, image.end()), (Bytes{0xFF, 0x2F, 0x00}));
    }
}

TEST_F(SmfTest, VariableLengthNumbers) {
    uint8_t b[4];
    EXPECT_EQ(WriteVarLen(b, 127), 1);
    EXPECT_EQ(b[0], 0x7F);
    EXPECT_EQ(WriteVarLen(b, 128), 2);
    EXPECT_EQ(Bytes(b, b + 2), (Bytes{0x81, 0x00}));
    EXPECT_EQ(WriteVarLen(b, 0x0FFFFFFF), 4);
    EXPECT_EQ(Bytes(b, b + 4), (Bytes{0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(WriteVarLen(b, 0x10000000), 0);
    uint32_t v;
    EXPECT_EQ(ReadVarLen(b, 4, v), 4);
    EXPECT_EQ(v, 0x0FFFFFFFu);
    EXPECT_EQ(ReadVarLen(b, 3, v), 0);  // runs past the data
    const uint8_t five[] = {0x81, 0x81, 0x81, 0x81, 0x01};
    EXPECT_EQ(ReadVarLen(five, 5, v), 0);
}

TEST_F(SmfTest, LoadsFromAFileAndReportsAMissingOne) {
    const std::string path = dir.File("a.mid");
    WriteBytes(path, ThreeTrackFile());
    cSmf smf(path.c_str());
    EXPECT_TRUE(smf.HasImage());
    EXPECT_EQ(smf.FileName(), path);
    cSmf missing(dir.File("none.mid").c_str());
    EXPECT_FALSE(missing.HasImage());
    EXPECT_EQ(Report(), "Midi " + dir.File("none.mid") + " Create ファイルが開けません\r\n");
}

}  // namespace
