#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "database/system_data.h"
#include "database/world_map.h"
#include "player_fixture.h"
#include "old_save.h"
#include "stage/stage_bytes.h"

namespace {

class SaveDataTest : public cPlayerTest {};

std::vector<uint8_t> SaveBytes(cSaveData& d) {
    cDataWriter w;
    d.Save(w);
    return w.TakeBytes();
}

TEST_F(SaveDataTest, StorySlotBytesAreTheRecordStreamThenTheLists) {
    SetLocalTimeSource(FixedLocalTime);
    SystemData.nMaxStage = 1;
    SystemData.vStartFlag[SAVE_GAME_STORY] = 0;  // the stock as saved
    cSaveData& d = SaveData;
    d.SetStageFile("data\\stg4\\c01-1.stg4_825", 1, 2, 5);
    d.nMapX = 3;
    d.nMapY = 4;
    d.nLap = 2;
    d.nStageNo = 1;
    d.nLivesInit = 5;
    d.nLives = 3;
    d.nClearTime = 12345;
    d.nValue27[0] = 7;
    d.nValue27[1] = 8;
    d.nStorySlot = 4;
    d.nRankTable = 2;
    d.nValue35[0] = 9;
    d.nValue35[1] = 10;
    d.nValue35[2] = 11;
    d.nValue38 = 12;
    d.vStoreFlag[3] = 1;
    d.vVar[1000] = -1;
    d.RecordStageResult(d.strStage, d.strRankName, 1, 2, 5, 1234);
    d.nScore = 1234;
    d.Normalize();
    d.vPair[0].nValue1 = 6;
    d.vPair[0].nValue2 = 7;
    ASSERT_EQ(d.SaveStory(4), 1);

    // The head, byte by byte: version 825, 32 numeric fields.
    const uint8_t head[] = {
        0x39, 0x03, 0x00, 0x00,  // u32 825
        0x20, 0x00, 0x00, 0x00,  // u32 32: numeric fields (35 values: #27-28 and #35-37 are arrays)
        0x00, 0x00, 0x00, 0x00,  // #1 bHeroStore 0
        0x03, 0x00, 0x00, 0x00,  // #2 nMapX 3
        0x04, 0x00, 0x00, 0x00,  // #3 nMapY 4
        0x00, 0x00, 0x00, 0x00,  // #4 lpWorld 0
        0x02, 0x00, 0x00, 0x00,  // #5 nLap 2
        0x01, 0x00, 0x00, 0x00,  // #8 nEvent1 1 (#6, #7 are strings)
        0x02, 0x00, 0x00, 0x00,  // #9 nEvent2 2
        0x05, 0x00, 0x00, 0x00,  // #10 nEvent3 5
    };
    cBytes b;
    b.Raw(head, sizeof head);
    b.I32(0);         // #11
    b.I32(1);         // #12 nStageNo
    b.I32(5);         // #13 nLivesInit
    b.I32(3);         // #14 nLives
    b.I32(0);         // #15
    b.I32(1234);      // #16 nScore
    b.I32(1234);      // #17 nBestTotal: the one stage's best
    b.I32(0);         // #18 nTimeLeft
    b.I32(12345);     // #19 nClearTime
    b.I32(0).I32(0);  // #20, #21 nHpLeft, nSpLeft
    b.I32(1);         // #22 bMultiPart: "-1" in the file name
    b.I32(0).I32(0).I32(0).I32(0);  // #23..#26
    b.I32(7).I32(8);  // #27, #28
    b.I32(1);         // #29 nPairIndex
    b.I32(4);         // #30 story slot
    b.I32(0);         // #31
    b.I32(0);         // #33 (#32 is a string)
    b.I32(2);         // #34 nRankTable
    b.I32(9).I32(10).I32(11);  // #35..#37
    b.I32(12);        // #38
    b.U32(3);         // three strings
    Str(b, "data\\stg4\\c01.");         // strStage: cut before "-1", dot added
    Str(b, "data\\stg4\\c01_c002_5.");  // strRankName: the event suffix before the dot
    Str(b, "aaa");                      // strEntryName
    // tmSave: 2026 12 (Sunday 0) 6 10:45:30.250
    const uint8_t time[] = {0xEA, 0x07, 0x0C, 0x00, 0x00, 0x00, 0x06, 0x00,
                            0x0A, 0x00, 0x2D, 0x00, 0x1E, 0x00, 0xFA, 0x00};
    b.Raw(time, sizeof time);
    b.U32(25);  // vStoreFlag: entry 3 set
    for (int i = 0; i < 25; ++i) b.I32(i == 3 ? 1 : 0);
    b.U32(1);   // vHeroStore: one record, five values 0, no strings,
    b.U32(5).I32(0).I32(0).I32(0).I32(0).I32(0).U32(0);
    {           // then the character record's own stream (pinned by the stage tests)
        cCharaData c;
        cDataWriter w;
        c.Save(w);
        b.Raw(w.Bytes().data(), w.Size());
    }
    b.U32(1);   // vStageRec: events, best, the two names
    b.U32(4).I32(1).I32(2).I32(5).I32(1234).U32(2);
    Str(b, "data\\stg4\\c01.");
    Str(b, "data\\stg4\\c01_c002_5.");
    b.U32(1);   // vPair: as long as the challenge's stage count (1)
    b.U32(2).I32(6).I32(7).U32(0);
    b.U32(1000).I32(1);  // vMapFlag: switch 0 on
    for (int i = 1; i < 1000; ++i) b.I32(0);
    b.U32(1001);         // vVar: C0..C1000
    for (int i = 0; i < 1000; ++i) b.I32(0);
    b.I32(-1);

    const std::vector<uint8_t> file = FileBytes("user_data\\story\\Story05.dat");
    ASSERT_EQ(file.size(), b.Size());
    EXPECT_EQ(file, b.Bytes());
    EXPECT_EQ(SaveSlotList[4].bUse, 1);
    EXPECT_EQ(MakeSlotText(SaveSlotList[4]), "2026/12/06 10:45\n");

    // Read back into a new game: the same record, written the same way.
    cSaveData back;
    back.LoadStory(4);
    EXPECT_EQ(back.strRankName, d.strRankName);
    EXPECT_EQ(back.GetStageValue("data\\stg4\\c01_c002_5."), 1234);
    EXPECT_EQ(SaveBytes(back), std::vector<uint8_t>(file.begin() + 4, file.end()));

    ResetPlayerRecords();
    RefreshSlotList(SaveSlotList);
    EXPECT_EQ(SaveSlotList[4].bUse, 1);
    EXPECT_EQ(SaveSlotList[3].bUse, 0);
    EXPECT_EQ(SaveSlotList[4].tmSave.wMinute, 45);
}

class OldSaveTest : public SaveDataTest, public ::testing::WithParamInterface<uint32_t> {};

TEST_P(OldSaveTest, OlderFilesAreRepairedAndRoundTrip) {
    const uint32_t v = GetParam();
    ASSERT_TRUE(PutFileBytes("user_data\\story\\Story01.dat", OldSaveFile(v)));
    cSaveData d;
    d.LoadStory(0);
    EXPECT_EQ(d.nScore, 116);
    EXPECT_EQ(d.nLap, 105);
    EXPECT_EQ(d.nMapX, WorldMap.nStartX);  // 102 lies beyond the 20 x 15 map
    EXPECT_EQ(d.nMapY, WorldMap.nStartY);
    EXPECT_EQ(d.nPairIndex, 40);           // 129 above the 40 pairs of the challenge
    EXPECT_EQ(d.nStorySlot, 130);
    EXPECT_EQ(d.nRankTable, 134);
    EXPECT_EQ(d.strStage, "s.");
    EXPECT_EQ(d.strEntryName, "nm");
    EXPECT_EQ(d.strRankName, v >= 724 ? "r." : "");
    EXPECT_EQ(d.nEvent1, v >= 758 ? 108 : 0);
    EXPECT_EQ(d.nValue24, v >= 166 ? 124 : 1);
    EXPECT_EQ(d.nValue31, v >= 169 ? 131 : 0);
    EXPECT_EQ(d.nHpLeft, v >= 182 ? 120 : 0);
    EXPECT_EQ(d.nSpLeft, v >= 182 ? 121 : 0);
    EXPECT_EQ(d.nValue26, v >= 190 ? 126 : 0);
    EXPECT_EQ(d.nValue27[1], v >= 191 ? 128 : 0);
    EXPECT_EQ(d.nValue25, v >= 194 ? 125 : 0);
    EXPECT_EQ(d.nValue35[2], v >= 678 ? 137 : 0);
    EXPECT_EQ(d.nValue38, v >= 679 ? 138 : 0);
    ASSERT_EQ(d.vStoreFlag.size(), 25u);
    EXPECT_EQ(d.vStoreFlag[1], v >= 501 ? 0 : 1);
    EXPECT_EQ(d.vStoreFlag[24], v >= 501 ? 0 : 1);
    ASSERT_EQ(d.vHeroStore.size(), 1u);
    EXPECT_EQ(d.vHeroStore[0].nLives, 4);
    EXPECT_EQ(d.vHeroStore[0].Chara.nMaxHP, 77);
    ASSERT_EQ(d.vStageRec.size(), 1u);
    EXPECT_EQ(d.vStageRec[0].strRankName, v >= 759 ? "rk." : "st.");
    EXPECT_EQ(d.vStageRec[0].nBest, 77);
    ASSERT_EQ(d.vPair.size(), 40u);
    EXPECT_EQ(d.vPair[1].nValue2, 4);
    ASSERT_EQ(d.vMapFlag.size(), 1000u);
    EXPECT_EQ(d.vMapFlag[0], v >= 804 ? 0 : 1);
    EXPECT_EQ(d.vMapFlag[2], 6);
    ASSERT_EQ(d.vVar.size(), 1001u);
    EXPECT_EQ(d.vVar[999], 999 % 7);
    EXPECT_EQ(d.vVar[1000], v >= 754 ? 1000 % 7 : 0);

    // Saved at the current version and read again: nothing changes.
    ASSERT_EQ(d.SaveStory(1), 1);
    cSaveData again;
    again.LoadStory(1);
    EXPECT_EQ(SaveBytes(again), SaveBytes(d));
}

INSTANTIATE_TEST_SUITE_P(EveryRepairedVersion, OldSaveTest,
                         ::testing::Values(150, 165, 166, 168, 169, 181, 182, 189, 190, 191, 193, 194, 500, 501, 677,
                                           678, 679, 723, 724, 753, 754, 757, 758, 759, 803, 804, 824));

// The step hook's script: count the steps, or stop at step g_nStopAt.
int g_nSteps = 0;
int g_nStopAt = -1;
bool g_bCrash = false;

bool StepHook(int, size_t) {
    if (g_nSteps++ != g_nStopAt) return true;
    if (g_bCrash) ::_exit(0);  // the program dies here, mid-save
    return false;
}

TEST_F(SaveDataTest, AnInterruptedOrFailedSaveLeavesThePreviousFileWhole) {
    const std::string path = "user_data\\story\\Story01.dat";
    SaveData.nScore = 111;
    ASSERT_EQ(SaveData.SaveStory(0), 1);
    const std::vector<uint8_t> before = FileBytes(path);
    SaveData.nScore = 222;
    SaveData.vVar[5] = 9;

    g_nSteps = 0;
    g_nStopAt = -1;
    SetFileStepHook(StepHook, 256);
    ASSERT_EQ(PutFileBytes(path, before), true);  // counts the steps of one save of the old size
    const int steps = g_nSteps;
    ASSERT_GT(steps, 20);  // open, the writes of 256 bytes, sync, close, rename

    for (int k = 0; k < steps; ++k) {
        // A step fails: the save says so, and nothing of it is left.
        g_nSteps = 0;
        g_nStopAt = k;
        g_bCrash = false;
        EXPECT_EQ(SaveData.SaveStory(0), 0) << "step " << k;
        EXPECT_EQ(FileBytes(path), before) << "step " << k;
        int files = 0;
        for (auto& e : std::filesystem::directory_iterator(dir.Path() / "user_data" / "story")) files += e.exists();
        EXPECT_EQ(files, 1) << "step " << k;

        // The program dies at the step: the old file is still whole.
        g_nSteps = 0;
        g_bCrash = true;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SaveData.SaveStory(0);
            ::_exit(1);  // not reached: the hook ends the child first
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "step " << k;
        EXPECT_EQ(FileBytes(path), before) << "step " << k;
        cSaveData back;
        back.LoadStory(0);
        EXPECT_EQ(back.nScore, 111) << "step " << k;
    }
    SetFileStepHook(nullptr);
    ASSERT_EQ(SaveData.SaveStory(0), 1);  // a leftover temporary file is no obstacle
    cSaveData back;
    back.LoadStory(0);
    EXPECT_EQ(back.nScore, 222);
    EXPECT_EQ(back.vVar[5], 9);
}

TEST_F(SaveDataTest, ADamagedSlotChangesNothingButStillCountsAsUsed) {
    SystemData.vStartFlag[SAVE_GAME_STORY] = 0;  // the stock as saved
    SaveData.nScore = 5;
    ASSERT_EQ(SaveData.SaveStory(2), 1);
    const std::vector<uint8_t> whole = FileBytes("user_data\\story\\Story03.dat");
    cSaveData fresh;
    fresh.nScore = 42;
    fresh.vVar[3] = 7;
    const std::vector<uint8_t> freshBytes = SaveBytes(fresh);
    for (size_t n = 4; n < whole.size(); n += 7) {
        ASSERT_TRUE(PutFileBytes("user_data\\story\\Story03.dat", std::vector<uint8_t>(whole.begin(), whole.begin() + n)));
        cSaveData d = fresh;
        EXPECT_EQ(d.LoadStory(2), 1);
        EXPECT_EQ(SaveBytes(d), freshBytes) << "cut at " << n;
    }
    RefreshSlotList(SaveSlotList);
    EXPECT_EQ(SaveSlotList[2].bUse, 1);
    EXPECT_EQ(MakeSlotText(SaveSlotList[2]), "0000/00/00 00:00\n");
}

TEST_F(SaveDataTest, ChallengeStockStageNamesAndBests) {
    cSaveData d;
    EXPECT_EQ(d.LoadChallenge(), 0);  // no file yet
    d.nLives = 2;
    ASSERT_EQ(d.SaveChallenge(), 1);
    SystemData.vStartFlag[SAVE_GAME_CHALLENGE] = 1;
    EXPECT_EQ(d.LoadChallenge(), 1);
    EXPECT_EQ(d.nLivesInit, UNLIMITED_LIVES);
    EXPECT_EQ(d.nLives, UNLIMITED_LIVES);
    ASSERT_EQ(d.SaveChallenge(), 1);
    SystemData.vStartFlag[SAVE_GAME_CHALLENGE] = 0;
    SystemData.vStartValue[SAVE_GAME_CHALLENGE] = 4;
    EXPECT_EQ(d.LoadChallenge(), 1);
    EXPECT_EQ(d.nLives, 4);  // saved unlimited: the start stock now

    d.SetStageFile("c01-2.stg4_825", 0, 0, 0);
    EXPECT_EQ(d.strStage, "c01-2.");
    EXPECT_EQ(d.bMultiPart, 0);
    d.RecordStageResult("a.", "a.", 0, 0, 0, 50);
    d.RecordStageResult("a.", "a.", 0, 0, 0, 30);
    d.RecordStageResult("b.", "b.", 0, 0, 0, 10);
    EXPECT_EQ(d.nBestTotal, 60);
    d.RecordStageResult("a.", "a.", 0, 0, 0, 80);
    EXPECT_EQ(d.nBestTotal, 90);
    EXPECT_EQ(d.GetStageValue("a."), 80);
    EXPECT_EQ(d.GetStageValue("c."), 0);

    EXPECT_EQ(AutoSaveStory(d), 1 - 1);  // no slot chosen
    d.nStorySlot = 98;
    EXPECT_EQ(AutoSaveStory(d), 1);
    EXPECT_FALSE(FileBytes("user_data\\story\\Story99.dat").empty());
}

}  // namespace
