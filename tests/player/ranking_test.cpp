#include "database/system_data.h"
#include "old_save.h"
#include "player_fixture.h"
#include "support/written_bytes.h"

namespace {

class RankingTest : public cPlayerTest {};

// An empty row: u32 2, bUse 0, nValue 0, u32 1, the empty name (the word 1).
void EmptyRow(cBytes& b) { b.U32(2).I32(0).I32(0).U32(1).U32(1); }

TEST_F(RankingTest, FileBytesOfFiveTablesOfTwentyRows) {
    cRankingList& list = RankingList;
    list.vRanking[0].AddRank("ab", 1500);
    list.vRanking[2].AddRank("あい", 12345);
    ASSERT_EQ(list.SaveFile(SAVE_GAME_FREE, "data\\stg4\\stage01.", 0, 0, 0), 1);

    const uint8_t head[] = {
        0x39, 0x03, 0x00, 0x00,  // u32 825
        0x00, 0x00, 0x00, 0x00,  // the list's stream: no fields,
        0x00, 0x00, 0x00, 0x00,  //   no strings
        0x05, 0x00, 0x00, 0x00,  // five tables
        0x01, 0x00, 0x00, 0x00,  // table 0: one field,
        0x01, 0x00, 0x00, 0x00,  //   bDescending 1,
        0x00, 0x00, 0x00, 0x00,  //   no strings,
        0x14, 0x00, 0x00, 0x00,  //   20 rows
        0x02, 0x00, 0x00, 0x00,  // row 0: two fields,
        0x01, 0x00, 0x00, 0x00,  //   bUse 1,
        0xDC, 0x05, 0x00, 0x00,  //   nValue 1500,
        0x01, 0x00, 0x00, 0x00,  //   one string:
        0x03, 0x00, 0x00, 0x00,  //   length 3 with its NUL,
        'a',  'b',  0x00,        //   "ab"
    };
    cBytes b;
    b.Raw(head, sizeof head);
    for (int i = 1; i < 20; ++i) EmptyRow(b);
    b.U32(1).I32(1).U32(0).U32(20);  // table 1: descending
    for (int i = 0; i < 20; ++i) EmptyRow(b);
    b.U32(1).I32(0).U32(0).U32(20);  // table 2: ascending (clear time)
    b.U32(2).I32(1).I32(12345).U32(1).U32(5);
    const uint8_t ai[] = {0x82, 0xA0, 0x82, 0xA2, 0x00};  // "あい" in CP932
    b.Raw(ai, sizeof ai);
    for (int i = 1; i < 20; ++i) EmptyRow(b);
    for (int t = 3; t < 5; ++t) {
        b.U32(1).I32(1).U32(0).U32(20);
        for (int i = 0; i < 20; ++i) EmptyRow(b);
    }
    EXPECT_EQ(FileBytes("user_data\\free\\stage01.rkg"), b.Bytes());

    cRankingList back;
    ASSERT_EQ(back.LoadFile(SAVE_GAME_FREE, "stage01.", 0, 0, 0), 1);
    EXPECT_EQ(back.vRanking[2].vRankData[0].strName, "あい");
    EXPECT_EQ(back.vRanking[0].vRankData[0].nValue, 1500);
}

TEST_F(RankingTest, RowsRankBelowEqualValuesAndTheTableKeepsItsLength) {
    cRanking& t = RankingList.vRanking[0];  // descending
    EXPECT_EQ(t.GetRankPos(0), 0);          // an empty table takes anything at row 0
    for (int i = 0; i < 20; ++i) t.AddRank("n" + std::to_string(i), 100 - (i / 4) * 10);
    // Rows hold 100 x4, 90 x4, 80 x4, 70 x4, 60 x4.
    EXPECT_EQ(t.vRankData[4].nValue, 90);
    EXPECT_EQ(t.GetRankPos(90), 8);         // after every row that holds 90
    t.AddRank("new", 90);
    EXPECT_EQ(t.vRankData[8].strName, "new");
    EXPECT_EQ(t.vRankData[7].strName, "n7");
    ASSERT_EQ(t.vRankData.size(), 20u);
    EXPECT_EQ(t.vRankData[19].nValue, 60);  // one 60 dropped out
    EXPECT_EQ(t.vRankData[19].strName, "n18");
    EXPECT_EQ(t.GetRankPos(59), -1);
    t.AddRank("low", 59);
    EXPECT_EQ(t.vRankData[19].strName, "n18");  // unchanged

    cRanking& time = RankingList.vRanking[RANK_TABLE_CLEAR_TIME];  // ascending
    time.AddRank("a", 500);
    time.AddRank("b", 300);
    time.AddRank("c", 500);
    EXPECT_EQ(time.vRankData[0].strName, "b");
    EXPECT_EQ(time.vRankData[2].strName, "c");

    EXPECT_EQ(MakeTimeText(12345), "02:03.45");
    EXPECT_EQ(MakeTimeText(0), "00:00.00");
    EXPECT_EQ(MakeTimeText(600099), "100:00.99");
}

TEST_F(RankingTest, FilesOlderThan181AreBroughtToFiveTables) {
    // Three tables, all ascending, one row each, as version 180 wrote them.
    auto file = [](uint32_t v) {
        cBytes b;
        b.U32(v).U32(0).U32(0).U32(3);
        for (int t = 0; t < 3; ++t) {
            b.U32(1).I32(0).U32(0).U32(1);
            b.U32(2).I32(1).I32(10 + t).U32(1);
            Str(b, "x");
        }
        return b.Bytes();
    };
    ASSERT_TRUE(PutFileBytes("user_data\\challenge\\c01.rkg", file(180)));
    cRankingList& list = RankingList;
    ASSERT_EQ(list.LoadFile(SAVE_GAME_CHALLENGE, "data\\stg4\\c01.", 0, 0, 0), 1);
    ASSERT_EQ(list.vRanking.size(), 5u);
    EXPECT_EQ(list.vRanking[1].vRankData.size(), 1u);  // rows as stored
    EXPECT_EQ(list.vRanking[1].vRankData[0].nValue, 11);
    for (int t = 3; t < 5; ++t) {
        EXPECT_EQ(list.vRanking[t].bDescending, 1);
        ASSERT_EQ(list.vRanking[t].vRankData.size(), 20u);
        EXPECT_EQ(list.vRanking[t].vRankData[0].bUse, 0);
    }
    ASSERT_EQ(list.SaveFile(SAVE_GAME_CHALLENGE, "data\\stg4\\c01.", 0, 0, 0), 1);
    cRankingList again;
    ASSERT_EQ(again.LoadFile(SAVE_GAME_CHALLENGE, "data\\stg4\\c01.", 0, 0, 0), 1);
    cDataWriter a, b;
    list.Save(a);
    again.Save(b);
    EXPECT_EQ(WrittenBytes(a), WrittenBytes(b));

    // From 181 the tables are taken as they are.
    ASSERT_TRUE(PutFileBytes("user_data\\challenge\\c01.rkg", file(181)));
    ASSERT_EQ(list.LoadFile(SAVE_GAME_CHALLENGE, "data\\stg4\\c01.", 0, 0, 0), 1);
    EXPECT_EQ(list.vRanking.size(), 3u);
}

TEST_F(RankingTest, PathsByGameTypeAndDamagedFilesGiveTheDefaults) {
    EXPECT_EQ(GetRankingFilePath(SAVE_GAME_STORY, "data\\stg4\\stage01.", 1, 3, 2), "user_data\\story\\stage01_c003_2.rkg");
    EXPECT_EQ(GetRankingFilePath(SAVE_GAME_STORY, "data\\stg4\\stage01.", 0, 3, 2), "user_data\\story\\stage01.rkg");
    EXPECT_EQ(GetRankingFilePath(SAVE_GAME_FREE, "stage01.", 1, 3, 2), "user_data\\free\\stage01.rkg");
    EXPECT_EQ(GetRankingFilePath(SAVE_GAME_REPLAY, "stage01.", 0, 0, 0), "");

    cRankingList& list = RankingList;
    list.vRanking[0].AddRank("ab", 5);
    ASSERT_EQ(list.SaveFile(SAVE_GAME_FREE, "s.", 0, 0, 0), 1);
    EXPECT_EQ(list.SaveFile(SAVE_GAME_REPLAY, "s.", 0, 0, 0), 0);
    EXPECT_EQ(list.LoadFile(SAVE_GAME_REPLAY, "s.", 0, 0, 0), 0);  // replays keep no rankings
    EXPECT_EQ(list.vRanking[0].vRankData[0].bUse, 0);

    const std::vector<uint8_t> whole = FileBytes("user_data\\free\\s.rkg");
    for (size_t n = 0; n < whole.size(); n += 5) {
        ASSERT_TRUE(PutFileBytes("user_data\\free\\s.rkg", std::vector<uint8_t>(whole.begin(), whole.begin() + n)));
        list.vRanking[0].AddRank("zz", 9);
        EXPECT_EQ(list.LoadFile(SAVE_GAME_FREE, "s.", 0, 0, 0), 0) << "cut at " << n;
        ASSERT_EQ(list.vRanking.size(), 5u);
        EXPECT_EQ(list.vRanking[0].vRankData[0].bUse, 0);
        EXPECT_EQ(list.vRanking[2].bDescending, 0);
    }
}

TEST_F(RankingTest, TheShownTableStepsThroughTheEnabledOnes) {
    cSafeVector<uint8_t>& flags = SystemData.vGameTypeFlags[SAVE_GAME_STORY].vFlag;
    flags.assign(5, 0);
    flags[1] = flags[3] = 1;
    SaveData.nRankTable = 0;
    SaveData.StepRankTable(SAVE_GAME_STORY, 0);
    EXPECT_EQ(SaveData.nRankTable, 1);
    SaveData.StepRankTable(SAVE_GAME_STORY, 1);
    EXPECT_EQ(SaveData.nRankTable, 3);
    SaveData.StepRankTable(SAVE_GAME_STORY, 1);
    EXPECT_EQ(SaveData.nRankTable, 1);  // wraps past 4
    SaveData.StepRankTable(SAVE_GAME_STORY, -1);
    EXPECT_EQ(SaveData.nRankTable, 3);
    flags.assign(5, 0);
    SaveData.StepRankTable(SAVE_GAME_STORY, 1);
    EXPECT_EQ(SaveData.nRankTable, 3);  // nothing enabled: unchanged
}

}  // namespace
