// The path table, the start-up folders and the first-start copy of
// "default\" to "data\".
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "database/common_palette.h"
#include "database/data_paths.h"
#include "database/database.h"
#include "database/default_project.h"
#include "db_test_support.h"
#include "stage/definition_context.h"

namespace fs = std::filesystem;

namespace {

class DataPathsTable : public dbtest::cDbTest {};

TEST_F(DataPathsTable, RowsAndExtensions) {
    struct ROW {
        int n;
        const char* path;
    };
    const ROW rows[] = {
        {0, "data\\"}, {1, "default\\"}, {2, "data\\stg4\\old_ver\\"}, {4, "e_data\\EditConfig.dat"},
        {7, "data\\CommonPalette.cplt4"}, {8, "default\\CommonPalette.cplt4"},
        {11, "data\\stg4\\Default.stg4_***"}, {13, "data\\WorldMap.dat"}, {14, "default\\WorldMap.dat"},
        {15, "data\\database\\AnimeSet.dat"}, {16, "default\\database\\AnimeSet.dat"},
        {19, "data\\database\\Bmp_CharaExc.dat"}, {33, "data\\database\\Bgm.dat"},
        {34, "default\\database\\Bgm.dat"}, {35, "data\\System.dat"}, {36, "default\\System.dat"},
        {37, "data\\stg4\\c"}, {38, "user_data\\story\\"}, {39, "user_data\\challenge\\"}, {40, "user_data\\free\\"},
        {41, "user_data\\story\\Story"}, {42, "user_data\\challenge\\Challenge.dat"}, {43, "user_data\\Option.dat"},
        {44, "user_data\\"}, {45, "user_data\\KeyConfig.dat"}, {46, "user_data\\Boot.dat"},
        {47, "user_data\\Window.dat"},
    };
    for (const ROW& r : rows) EXPECT_STREQ(PathTable[r.n], r.path) << r.n;
    for (int i = 0; i < PATH_NUM; ++i) ASSERT_NE(PathTable[i], nullptr) << i;
    EXPECT_STREQ(GetDbFilePath(DBFILE_PICTURE), "data\\database\\Picture.dat");
    EXPECT_STREQ(GetDbDefaultPath(DBFILE_SOUND), "default\\database\\Sound.dat");
    EXPECT_STREQ(ExtTable[EXT_CPLT4], "cplt4");
    EXPECT_STREQ(ExtTable[EXT_STG4], "stg4");
    EXPECT_STREQ(ExtTable[EXT_PLT4], "plt4");
    EXPECT_STREQ(ExtTable[EXT_RKG], "rkg");
    EXPECT_STREQ(GetRankingFolder(0), "user_data\\story\\");
    EXPECT_STREQ(GetRankingFolder(2), "user_data\\free\\");
    EXPECT_EQ(GetRankingFolder(3), nullptr);
    EXPECT_EQ(GetRankingFolder(-1), nullptr);
    EXPECT_EQ(GetChallengeStagePath(3), "data\\stg4\\c03-1.stg4");
    EXPECT_EQ(GetStorySavePath(5), "user_data\\story\\Story05.dat");
}

class DataFoldersTest : public dbtest::cDbTest {
protected:
    dbtest::cWorkFolder folder;
};

TEST_F(DataFoldersTest, StartupFoldersAreMadeAndExistingOnesKept) {
    fs::create_directories("bmp");
    dbtest::WriteAll("bmp/keep.bmp", {1, 2, 3});
    CreateStartupFolders();
    int n = 0;
    for (const char* const* p = StartupFolders; *p; ++p, ++n) {
        std::string native = *p;
        for (char& c : native)
            if (c == '\\') c = '/';
        EXPECT_TRUE(fs::is_directory(native)) << native;
    }
    EXPECT_EQ(n, 22);
    EXPECT_TRUE(fs::exists("bmp/keep.bmp"));
}

TEST_F(DataFoldersTest, DataPresentStartsWithoutAQuestion) {
    dbtest::cMesBoxCapture boxes(IDNO);
    fs::create_directories("data");
    EXPECT_EQ(CreateDefaultData(), 1);
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(DataFoldersTest, NeitherFolderFailsWithoutAQuestion) {
    dbtest::cMesBoxCapture boxes(IDYES);
    EXPECT_EQ(CreateDefaultData(), 0);
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(DataFoldersTest, AnsweringNoMakesNoData) {
    dbtest::cMesBoxCapture boxes(IDNO);
    fs::create_directories("default/database");
    EXPECT_EQ(CreateDefaultData(), 0);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "データが存在しません！デフォルトデータを作成しますか？\n");
    EXPECT_EQ(boxes.captions[0], "デフォルトデータ作成の確認");
    EXPECT_FALSE(fs::exists("data"));
}

TEST_F(DataFoldersTest, AnsweringYesCopiesTheWholeDefaultTree) {
    dbtest::cMesBoxCapture boxes(IDYES);
    ASSERT_EQ(WriteDefaultDatabaseFiles("default\\"), 1);
    fs::create_directories("default/stg4/old_ver");
    dbtest::WriteAll("default/stg4/old_ver/a.stg4", {7, 8});
    EXPECT_EQ(CreateDefaultData(), 1);
    EXPECT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(dbtest::ReadAll("data/stg4/old_ver/a.stg4"), std::vector<uint8_t>({7, 8}));
    EXPECT_EQ(dbtest::ReadAll("data/database/Anime.dat"), dbtest::ReadAll("default/database/Anime.dat"));
    EXPECT_FALSE(fs::exists("data/default"));  // the copy is data itself, not a folder inside it
    EXPECT_FALSE(fs::exists("data.partial"));

    // The copied project starts: database and common palette load.
    auto db = std::make_unique<cDatabase>();
    EXPECT_EQ(db->Load(), 1);
    EXPECT_EQ(LoadCommonPalette(), 1);
    EXPECT_EQ(CommonPalette.vBlock.size(), 2u);
    CommonPalette.Reset();
    SetCommonPalette(PALETTELISTS{});
    EXPECT_EQ(boxes.texts.size(), 1u);
}

}  // namespace
