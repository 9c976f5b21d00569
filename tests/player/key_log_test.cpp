#include <filesystem>

#include "old_save.h"
#include "database/system_data.h"
#include "platform/input/input.h"
#include "platform/input/input_keys.h"
#include "player/replay_service.h"
#include "player_fixture.h"
#include "stage/sample_stage.h"
#include "stage/stage_file.h"
#include "support/written_bytes.h"

namespace {

class KeyLogTest : public cPlayerTest {};

void Frame(cKeyLog& log, uint16_t dir, uint16_t button, int n = 1) {
    cInput in;
    in.m_nDir = dir;
    in.m_nButton = button;
    for (int i = 0; i < n; ++i) log.RecordFrame(in);
}

TEST_F(KeyLogTest, ChannelsAreRunLengthCodedAndPlaybackEndsWithEither) {
    cKeyLog log;
    Frame(log, 1, 0, 10);
    ASSERT_EQ(log.vDirValue.size(), 1u);
    EXPECT_EQ(log.vDirCount[0], 10u);
    cInput in;
    for (int i = 0; i < 10; ++i) ASSERT_EQ(log.PlayFrame(in), 0);
    EXPECT_EQ(log.PlayFrame(in), 1);

    cKeyLog two;
    Frame(two, 1, 3, 2);
    Frame(two, 2, 3, 1);  // a direction change alone
    Frame(two, 2, 0, 1);
    EXPECT_EQ(two.vDirValue.size(), 2u);
    EXPECT_EQ(two.vButtonCount.size(), 2u);
    EXPECT_EQ(two.vButtonCount[0], 3u);
    const uint16_t expect[4][2] = {{1, 3}, {1, 3}, {2, 3}, {2, 0}};
    for (auto& e : expect) {
        in.m_nDir = in.m_nButton = 99;
        ASSERT_EQ(two.PlayFrame(in), 0);
        EXPECT_EQ(in.m_nDir, e[0]);
        EXPECT_EQ(in.m_nButton, e[1]);
    }
    EXPECT_EQ(two.PlayFrame(in), 1);
    two.vButtonCount[1] = 5;  // the button channel outlasts the other: the end comes with the first to run out
    two.Rewind();
    for (int i = 0; i < 4; ++i) ASSERT_EQ(two.PlayFrame(in), 0);
    EXPECT_EQ(two.PlayFrame(in), 1);

    cKeyLog copy;
    copy.nDirRun = 7;
    copy = two;
    EXPECT_EQ(copy.nDirRun, 7u);  // assignment takes the runs, not the cursors
    EXPECT_EQ(copy.vButtonCount, two.vButtonCount);
}

// A replay of the sample stage: two runs on each channel, seed 0xDEADBEEF.
struct REPLAYPARTS {
    cStageData stage, copy;
    cKeyLog log;
    cSaveData snap;
    REPLAYPARTS() {
        BuildSampleStage(stage);
        stage.SetHitLevel(stage.nHitLevel);  // the per-step gravity of the gravity set after the level
        CopyStageHeader(copy, stage);
        copy.nTimeLimit = 321;  // the settings come from the play copy
        log.dwRandSeed = 0xDEADBEEF;
        Frame(log, 4, 1, 3);
        Frame(log, 8, 1, 2);
        snap.nScore = 77;
        snap.strStage = "sample.";
    }
};

TEST_F(KeyLogTest, AReplayFileIsReadBackEqual) {
    REPLAYPARTS r;
    const std::string path = "user_data\\rpl4\\a.rpl4_825";
    ASSERT_EQ(r.log.SaveReplay(path, r.stage, r.copy, r.snap), 1);
    const std::vector<uint8_t> file = FileBytes(path);

    cDataWriter stagePart;
    r.stage.SaveForReplay(stagePart, r.copy);
    const size_t at = 4 + stagePart.Size();
    const uint8_t log[] = {
        0x01, 0x00, 0x00, 0x00,  // the key log's stream: one field,
        0xEF, 0xBE, 0xAD, 0xDE,  //   the seed,
        0x00, 0x00, 0x00, 0x00,  //   no strings
        0x02, 0x00, 0x00, 0x00, 0x04, 0x00, 0x08, 0x00,  // direction values 4, 8
        0x01, 0x00, 0x00, 0x00, 0x01, 0x00,              // button values 1
        0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,  // direction counts 3, 2
        0x01, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00,  // button counts 5
    };
    ASSERT_GT(file.size(), at + sizeof log);
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 4), (std::vector<uint8_t>{0x39, 0x03, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 4, file.begin() + static_cast<long>(at)), WrittenBytes(stagePart));
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + static_cast<long>(at), file.begin() + static_cast<long>(at + sizeof log)),
              std::vector<uint8_t>(log, log + sizeof log));
    cDataWriter snapPart;
    r.snap.Save(snapPart);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + static_cast<long>(at + sizeof log), file.end()), WrittenBytes(snapPart));

    cStageData stage, copy;
    cKeyLog back;
    back.nDirRun = 5;
    cSaveData save;
    ASSERT_EQ(back.LoadReplay(path, stage, copy, save), 1);
    EXPECT_EQ(back.dwRandSeed, 0xDEADBEEFu);
    EXPECT_EQ(back.vDirValue, r.log.vDirValue);
    EXPECT_EQ(back.vDirCount, r.log.vDirCount);
    EXPECT_EQ(back.vButtonValue, r.log.vButtonValue);
    EXPECT_EQ(back.vButtonCount, r.log.vButtonCount);
    EXPECT_EQ(back.nDirRun, 0u);  // played from the start
    EXPECT_EQ(back.nFileVersion, DATA_VERSION);
    EXPECT_EQ(save.nScore, 77);
    EXPECT_EQ(save.strStage, "sample.");
    EXPECT_EQ(stage.nTimeLimit, 321);
    EXPECT_TRUE(copy.vPlacedChara.empty());
    EXPECT_EQ(copy.nTimeLimit, 321);
    // Saved again from what was read: the same file.
    const std::string again = "user_data\\rpl4\\b.rpl4_825";
    ASSERT_EQ(back.SaveReplay(again, stage, copy, save), 1);
    const std::vector<uint8_t> second = FileBytes(again);
    ASSERT_EQ(second.size(), file.size());
    size_t diff = 0;
    while (diff < file.size() && file[diff] == second[diff]) ++diff;
    EXPECT_EQ(diff, file.size()) << "stage part ends at " << at;
}

TEST_F(KeyLogTest, ADamagedReplayIsRefusedAndChangesNothing) {
    REPLAYPARTS r;
    const std::string path = "user_data\\rpl4\\a.rpl4_825";
    ASSERT_EQ(r.log.SaveReplay(path, r.stage, r.copy, r.snap), 1);
    const std::vector<uint8_t> whole = FileBytes(path);

    cStageData stage, copy;
    stage.nWidth = copy.nWidth = 55;
    cKeyLog log;
    log.dwRandSeed = 9;
    cSaveData save;
    save.nScore = 5;
    auto unchanged = [&] {
        return stage.nWidth == 55 && copy.nWidth == 55 && log.dwRandSeed == 9 && save.nScore == 5 &&
               stage.vPlacedChara.empty();
    };
    // Every cut inside the key log and the save record's head; every 97th
    // inside the stage part (whose refusals the stage layer's own tests pin)
    // and every 11th inside the save record's long lists.
    cDataWriter stagePart;
    r.stage.SaveForReplay(stagePart, r.copy);
    const size_t at = 4 + stagePart.Size();
    for (size_t n = 0; n < whole.size(); n += n < at ? 97 : n < at + 400 ? 1 : 11) {
        ASSERT_TRUE(PutFileBytes(path, std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(n))));
        ASSERT_EQ(log.LoadReplay(path, stage, copy, save), 0) << "cut at " << n;
        ASSERT_TRUE(unchanged()) << "cut at " << n;
    }
    // Run counts that disagree with their values, a run of no frames, a newer version.
    cKeyLog bad = r.log;
    bad.vButtonCount.push_back(4);
    ASSERT_EQ(bad.SaveReplay(path, r.stage, r.copy, r.snap), 1);
    EXPECT_EQ(log.LoadReplay(path, stage, copy, save), 0);
    bad = r.log;
    bad.vDirCount[1] = 0;
    ASSERT_EQ(bad.SaveReplay(path, r.stage, r.copy, r.snap), 1);
    EXPECT_EQ(log.LoadReplay(path, stage, copy, save), 0);
    std::vector<uint8_t> newer = whole;
    newer[0] = 0x3A;  // 826
    ASSERT_TRUE(PutFileBytes(path, newer));
    EXPECT_EQ(log.LoadReplay(path, stage, copy, save), 0);
    EXPECT_EQ(bVersionTooNew, 1);
    EXPECT_TRUE(unchanged());
}

// A replay file as version v wrote it: a plain stage, the key log, and from
// 173 the save record.
std::vector<uint8_t> OldReplay(uint32_t v) {
    cStageData s;
    s.Clear();
    s.nWidth = 30;
    s.nHeight = 15;
    std::vector<uint8_t> b = StageFileAtVersion(s, v);
    cBytes log;
    log.U32(1).U32(1234).U32(0).U32(1).U16(2).U32(1).U16(0).U32(1).U32(6).U32(1).U32(6);
    b.insert(b.end(), log.Bytes().begin(), log.Bytes().end());
    if (v >= 173) {
        const std::vector<uint8_t> save = OldSaveFile(v);
        b.insert(b.end(), save.begin() + 4, save.end());
    }
    return b;
}

TEST_F(KeyLogTest, OlderReplaysCarryTheSaveRecordFrom173) {
    for (uint32_t v : {160u, 172u, 173u, 500u, 824u}) {
        const std::string path = "user_data\\rpl4\\old.rpl4_825";
        ASSERT_TRUE(PutFileBytes(path, OldReplay(v)));
        cStageData stage, copy;
        cKeyLog log;
        cSaveData save;
        save.nScore = 5;
        ASSERT_EQ(log.LoadReplay(path, stage, copy, save), 1) << v;
        EXPECT_EQ(log.nFileVersion, v);
        EXPECT_EQ(log.dwRandSeed, 1234u);
        EXPECT_EQ(log.CountFrames(), 6u);
        EXPECT_EQ(stage.nWidth, 30);
        EXPECT_EQ(save.nScore, v >= 173 ? 116 : 5) << v;
        EXPECT_EQ(save.vVar.size(), 1001u);
    }
}

TEST_F(KeyLogTest, ReplayNamesAreDatedAndNumbered) {
    SetLocalTimeSource(FixedLocalTime);
    EXPECT_EQ(GetReplayExtension(), "rpl4_825");
    const std::string folder = GetCurrentProgramFolder();
    std::string name;
    ASSERT_EQ(MakeReplayFileName(name, "data\\stg4\\stage01."), 1);
    EXPECT_EQ(name, folder + "\\user_data\\rpl4\\stage01__2026__12_06__10_45.rpl4_825");
    ASSERT_TRUE(PutFileBytes("user_data\\rpl4\\stage01__2026__12_06__10_45.rpl4_825", {1}));
    MakeReplayFileName(name, "data\\stg4\\stage01.");
    EXPECT_EQ(name, folder + "\\user_data\\rpl4\\stage01__2026__12_06__10_45 (2).rpl4_825");
    ASSERT_TRUE(PutFileBytes("user_data\\rpl4\\stage01__2026__12_06__10_45 (2).rpl4_825", {1}));
    MakeReplayFileName(name, "data\\stg4\\stage01.");
    EXPECT_EQ(name, folder + "\\user_data\\rpl4\\stage01__2026__12_06__10_45 (3).rpl4_825");

    SaveData.nEvent1 = 1;
    SaveData.nEvent2 = 3;
    SaveData.nEvent3 = 2;
    MakeReplayFileName(name, "stage01.");
    EXPECT_EQ(name, folder + "\\user_data\\rpl4\\stage01_c003_2__2026__12_06__10_45.rpl4_825");
}

}  // namespace

TEST(ReplayKeysTest, F1WinsOverF2AndAnEmptyLogSoundsAtMostEverySixtyFrames) {
    ResetPlayerState();
    cRecordServicesSpy spy;
    SystemData.bReplayRecord = 1;
    Frame(PrevKeyLog, INPUT_RIGHT, 0, 5);  // only the previous run has frames
    SetScriptKey(0x70, true);
    SetScriptKey(0x71, true);
    int saved = 0;
    for (int i = 0; i < 130; ++i) saved += CheckReplayKeys(0);
    // F1 holds the empty current log: the refusal at frames 0, 60 and 120, nothing saved.
    EXPECT_EQ(saved, 0);
    EXPECT_EQ(spy.sounds, (std::vector<int>{3, 3, 3}));
    SetScriptKey(0x70, false);
    EXPECT_EQ(CheckReplayKeys(0), 1);  // F2 alone: the previous run is saved
    EXPECT_EQ(spy.sounds.back(), 1);
    EXPECT_EQ(CheckReplayKeys(1), 0);  // never while a replay plays
    SystemData.bReplayRecord = 0;
    EXPECT_EQ(CheckReplayKeys(0), 0);  // nor with recording off
    EXPECT_EQ(spy.sounds.size(), 4u);
    ResetKeySnapshot();
    SystemData.bReplayRecord = 1;
    CheckReplayKeys(0);  // both keys up: a held key's latch is let go
    ResetPlayerState();
}
