// The project database: default content, loading the ten list files, the
// refusals, and the work tables made from the loaded lists.
#include <gtest/gtest.h>

#include <memory>

#include "database/data_paths.h"
#include "database/database.h"
#include "database/database_work.h"
#include "database/default_project.h"
#include "db_test_support.h"
#include "records/services.h"
#include "records/version.h"
#include "stage/flow_refs.h"

using dbtest::AtVersion;

namespace {

constexpr const char* TOO_NEW_TAIL = "ソフトより上位のバージョンのファイルは使用できません。";

class DatabaseTest : public dbtest::cDbTest {
protected:
    // Writes all ten list files of `db` into data\database.
    void WriteAll(cDatabase& db, uint32_t v = DATA_VERSION) {
        std::filesystem::create_directories("data/database");
        AtVersion(v, [&] {
            for (int i = 0; i < DBFILE_NUM; ++i) ASSERT_EQ(db.SaveListFile(i, GetDbFilePath(i)), 1);
        });
    }
    std::string NativeDbPath(int file) { return RecNativePath(GetDbFilePath(file), false); }

    dbtest::cWorkFolder folder;
    dbtest::cMesBoxCapture boxes;
    std::unique_ptr<cDatabase> src = std::make_unique<cDatabase>();
};

TEST_F(DatabaseTest, NewDatabaseHoldsTheDefaultContent) {
    const int expected[DBFILE_NUM] = {1, 2, 2, 1, 2, 2, 2, 2, 2, 2};
    for (int i = 0; i < DBFILE_NUM; ++i) EXPECT_EQ(Database.ListSize(i), expected[i]) << i;
    EXPECT_TRUE(Database.vCharaEffect2.empty());
    EXPECT_TRUE(Database.vScrEffect2.empty());
    EXPECT_EQ(Database.vAnime[0].strName, "なし");
    EXPECT_EQ(Database.vAnime[1].strName, "アクションA");
    EXPECT_EQ(Database.vAnimeSet[0].vMove.size(), 4u);
    EXPECT_EQ(Database.vCharaBmp[1].nCellBlocks, 2);
    EXPECT_EQ(Database.vCharaBmp[1].bCustomCellSize, 0);
    EXPECT_EQ(Database.vCharaEffect[0].nKind, 1);
    EXPECT_EQ(Database.vScrEffect[1].nKind, 1);
    EXPECT_EQ(Database.vBgm[1].nVolume, 100);
    EXPECT_TRUE(Database.vSound[0].strName.empty());
}

TEST_F(DatabaseTest, LoadsTheTenFilesAndMakesEffectEntryZeroNone) {
    src->vAnime[1].strName = "走る";
    src->vCharaEffect[0].nKind = 5;
    src->vScrEffect[0].nKind = 7;
    src->vSound.resize(5);
    WriteAll(*src);
    ASSERT_EQ(Database.Load(), 1);
    EXPECT_EQ(Database.vAnime[1].strName, "走る");
    EXPECT_EQ(Database.vCharaEffect[0].nKind, 0);
    EXPECT_EQ(Database.vScrEffect[0].nKind, 0);
    EXPECT_EQ(Database.vSound.size(), 5u);
    EXPECT_TRUE(boxes.texts.empty());
    const FLOWDBCOUNTS* c = GetFlowDbCounts();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->nSE, 5);
    EXPECT_EQ(c->nAnime, 2);
    ASSERT_EQ(c->vSwordTime.size(), 1u);

    PrepareDatabaseWork(Database);
    ASSERT_EQ(Database.vCharaEffect2.size(), Database.vCharaEffect.size());
    EXPECT_EQ(Database.vCharaEffect2[0].nKind, 0);
    EXPECT_EQ(Database.vScrEffect2.size(), Database.vScrEffect.size());
    EXPECT_EQ(AnimeWorkTable.size(), 2u);
    EXPECT_EQ(EffectWorkTable.size(), 2u);
}

TEST_F(DatabaseTest, MissingPictureFileStopsAtTheEighthList) {
    for (auto* db : {src.get()}) {
        db->vAnimeSet.resize(3);
        db->vScrEffect.resize(4);
        db->vPicture.resize(6);
        db->vBgm.resize(7);
    }
    WriteAll(*src);
    std::filesystem::remove(NativeDbPath(DBFILE_PICTURE));
    EXPECT_EQ(Database.Load(), 0);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "data\\database\\Picture.dat の読み込みに失敗しました！");
    EXPECT_EQ(Database.vAnimeSet.size(), 3u);  // lists 1 to 7 from the files
    EXPECT_EQ(Database.vScrEffect.size(), 4u);
    EXPECT_EQ(Database.vPicture.size(), 2u);   // lists 8 to 10 the default content
    EXPECT_EQ(Database.vBgm.size(), 2u);
}

TEST_F(DatabaseTest, RefusesAListFileNewerThanTheProgram) {
    WriteAll(*src);
    AtVersion(826, [&] { ASSERT_EQ(src->SaveListFile(DBFILE_ANIME, GetDbFilePath(DBFILE_ANIME)), 1); });
    EXPECT_EQ(Database.Load(), 0);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], std::string("data\\database\\Anime.dat の読み込みに失敗しました！\n") + TOO_NEW_TAIL);
}

TEST_F(DatabaseTest, DamagedListFilesAreRefusedWhole) {
    src->vSound.resize(4);
    src->vSound[3].strName = "爆発";
    WriteAll(*src);
    const std::string path = NativeDbPath(DBFILE_SOUND);
    std::vector<uint8_t> bytes = dbtest::ReadAll(path);

    // Cut inside the last record.
    dbtest::WriteAll(path, std::vector<uint8_t>(bytes.begin(), bytes.end() - 3));
    Database.vSound[1].strName = "before";
    EXPECT_EQ(Database.LoadListFile(DBFILE_SOUND, GetDbFilePath(DBFILE_SOUND)), 0);
    EXPECT_EQ(Database.vSound.size(), 2u);
    EXPECT_EQ(Database.vSound[1].strName, "before");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "data\\database\\Sound.dat の読み込みに失敗しました！");

    // A count that the file cannot hold is refused before anything is made.
    std::vector<uint8_t> huge = {0x39, 0x03, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    dbtest::WriteAll(path, huge);
    EXPECT_EQ(Database.LoadListFile(DBFILE_SOUND, GetDbFilePath(DBFILE_SOUND)), 0);
    EXPECT_EQ(Database.vSound.size(), 2u);

    // A field count above the registered fields.
    std::vector<uint8_t> wide = {0x39, 0x03, 0, 0, 1, 0, 0, 0, 9, 0, 0, 0};
    dbtest::WriteAll(path, wide);
    EXPECT_EQ(Database.LoadListFile(DBFILE_SOUND, GetDbFilePath(DBFILE_SOUND)), 0);
    EXPECT_EQ(Database.vSound.size(), 2u);
}

TEST_F(DatabaseTest, EveryListFileCutShortIsRefused) {
    src->vAnimeSet[0].strName = "set";
    src->vSwordType[0].vFrame.resize(2);
    src->vEffect[1].vFrame.resize(3);
    WriteAll(*src);
    for (int i = 0; i < DBFILE_NUM; ++i) {
        const std::string path = NativeDbPath(i);
        const std::vector<uint8_t> bytes = dbtest::ReadAll(path);
        for (size_t cut = 0; cut < bytes.size(); ++cut) {
            dbtest::WriteAll(path, std::vector<uint8_t>(bytes.begin(), bytes.begin() + cut));
            const int before = Database.ListSize(i);
            EXPECT_EQ(Database.LoadListFile(i, GetDbFilePath(i)), 0) << i << " cut at " << cut;
            EXPECT_EQ(Database.ListSize(i), before);
        }
        dbtest::WriteAll(path, bytes);
        EXPECT_EQ(Database.LoadListFile(i, GetDbFilePath(i)), 1) << i;
    }
}

TEST_F(DatabaseTest, EmptyListsLoadEmptyExceptTheEffectLists) {
    src->vSound.clear();
    WriteAll(*src);
    ASSERT_EQ(Database.Load(), 1);
    EXPECT_TRUE(Database.vSound.empty());

    src->vCharaEffect.clear();
    WriteAll(*src);
    Database.Reset();
    EXPECT_EQ(Database.Load(), 0);
    EXPECT_EQ(Database.vCharaEffect.size(), 2u);
    ASSERT_FALSE(boxes.texts.empty());
    EXPECT_EQ(boxes.texts.back(), "data\\database\\CharaEffect.dat の読み込みに失敗しました！");
}

TEST_F(DatabaseTest, OldFilesLoadOverTheDefaultEntriesInPlace) {
    src->vAnime[1].strName = "stored";
    WriteAll(*src, 825);
    ASSERT_EQ(Database.Load(), 1);
    EXPECT_EQ(Database.vAnime[1].strName, "stored");
    // A Bgm.dat of 813 has no volume: the default entries keep theirs (100),
    // the entries beyond them get the new entry's 100.
    src->vBgm.resize(5);
    for (auto& b : src->vBgm) b.nVolume = 20;
    AtVersion(813, [&] { ASSERT_EQ(src->SaveListFile(DBFILE_BGM, GetDbFilePath(DBFILE_BGM)), 1); });
    Database.Reset();
    ASSERT_EQ(Database.Load(), 1);
    ASSERT_EQ(Database.vBgm.size(), 5u);
    for (auto& b : Database.vBgm) EXPECT_EQ(b.nVolume, 100);
}

TEST_F(DatabaseTest, AnimationWorkTable) {
    cDatabase& db = *src;
    db.vAnime[0].vFrame.resize(2);
    db.vAnime[0].vFrame[0].nValue1 = 3;
    db.vAnime[0].vFrame[0].nValue2 = 4;
    auto& f = db.vAnime[1].vFrame;
    f.resize(4);
    for (int j = 0; j < 4; ++j) f[j].nValue1 = 10 + j, f[j].nValue2 = j + 1;
    f[1].nValue3 = 1;  // holds from frame 1 on
    FRAMEITEMTABLE t;
    BuildAnimeWorkTable(t, db);
    ASSERT_EQ(t.size(), 2u);
    ASSERT_EQ(t[0].size(), 3u);
    for (int j = 0; j < 2; ++j) {
        EXPECT_EQ(t[0][j].nFrames, 0);
        EXPECT_EQ(t[0][j].nFlag, 1);
    }
    EXPECT_EQ(t[0][0].nCell, 3);
    EXPECT_EQ(t[0][2].nCell, FRAMEITEM_LOOP);
    EXPECT_EQ(t[0][2].nFlag, 1);
    ASSERT_EQ(t[1].size(), 5u);
    const int flags[4] = {0, 1, 1, 1};
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(t[1][j].nCell, 10 + j);
        EXPECT_EQ(t[1][j].nFrames, (j + 1) * 6);
        EXPECT_EQ(t[1][j].nFlag, flags[j]) << j;
    }
    EXPECT_EQ(t[1][4].nCell, FRAMEITEM_END);
    EXPECT_EQ(t[1][4].nFrames, 0);
    EXPECT_EQ(t[1][4].nFlag, 0);

    // A duration too long for a frame count saturates.
    f[0].nValue2 = 0x7FFFFFFF;
    BuildAnimeWorkTable(t, db);
    EXPECT_EQ(t[1][0].nFrames, 0x7FFFFFFF);
}

TEST_F(DatabaseTest, EffectWorkTable) {
    cDatabase& db = *src;
    db.vEffect[0].vFrame = {cPairRecord(2, 5)};
    db.vEffect[1].vFrame = {cPairRecord(1, 2), cPairRecord(4, 3)};
    FRAMEITEMTABLE t;
    BuildEffectWorkTable(t, db);
    ASSERT_EQ(t.size(), 2u);
    ASSERT_EQ(t[0].size(), 2u);
    EXPECT_EQ(t[0][0].nCell, 2);
    EXPECT_EQ(t[0][0].nFrames, 0);
    EXPECT_EQ(t[0][0].nFlag, 1);
    EXPECT_EQ(t[0][1].nCell, FRAMEITEM_LOOP);
    ASSERT_EQ(t[1].size(), 3u);
    EXPECT_EQ(t[1][1].nCell, 4);
    EXPECT_EQ(t[1][1].nFrames, 18);
    EXPECT_EQ(t[1][1].nFlag, 0);
    EXPECT_EQ(t[1][2].nCell, FRAMEITEM_END);
}

struct FAKERUN {
    int id = -1, direction = -1;
    void Setup(int i, int d) { id = i, direction = d; }
};

TEST_F(DatabaseTest, EffectRunListsFollowTheEffectList) {
    std::vector<FAKERUN> fwd(5), rev(1);
    ResizeCharaEffectWork(fwd, rev);
    ASSERT_EQ(fwd.size(), 2u);
    ASSERT_EQ(rev.size(), 2u);
    EXPECT_EQ(fwd[1].id, 1);
    EXPECT_EQ(fwd[1].direction, 0);
    EXPECT_EQ(rev[1].direction, 1);
}

TEST_F(DatabaseTest, GeneratedDefaultFilesLoadAsTheDefaultContent) {
    ASSERT_EQ(WriteDefaultDatabaseFiles("data\\"), 1);
    Database.vAnime[1].strName = "changed";
    ASSERT_EQ(Database.Load(), 1);
    EXPECT_EQ(Database.vAnime[1].strName, "アクションA");
    const int expected[DBFILE_NUM] = {1, 2, 2, 1, 2, 2, 2, 2, 2, 2};
    for (int i = 0; i < DBFILE_NUM; ++i) EXPECT_EQ(Database.ListSize(i), expected[i]) << i;
    EXPECT_TRUE(std::filesystem::exists("data/CommonPalette.cplt4"));
}

}  // namespace
