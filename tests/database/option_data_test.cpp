// The player options: defaults, the file, and what loading forgives.
#include <gtest/gtest.h>

#include "database/data_paths.h"
#include "database/option_data.h"
#include "db_test_support.h"
#include "records/version.h"

namespace {

class OptionDataTest : public dbtest::cDbTest {
protected:
    void SetUp() override { std::filesystem::create_directories("user_data"); }
    void ExpectDefaults() {
        EXPECT_EQ(OptionData.nPalette, 0);
        EXPECT_EQ(OptionData.bBgm, 1);
        EXPECT_EQ(OptionData.nSEVolume, 7);
        EXPECT_EQ(OptionData.nRankMode, 0);
        EXPECT_EQ(OptionData.strRankName, "aaa");
    }
    dbtest::cWorkFolder folder;
    dbtest::cMesBoxCapture boxes;
};

TEST_F(OptionDataTest, MissingFileKeepsTheDefaultsSilently) {
    EXPECT_EQ(LoadOptionData(), 0);
    ExpectDefaults();
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(OptionDataTest, FileBytesAndRoundTrip) {
    ASSERT_EQ(SaveOptionData(), 1);
    // version 825, field count 4, palette 0, music 1, volume 7, mode 0,
    // string count 1, "aaa" (length 4 with its NUL).
    const std::vector<uint8_t> expected = {
        0x39, 0x03, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0,
        1, 0, 0, 0, 4, 0, 0, 0, 'a', 'a', 'a', 0,
    };
    EXPECT_EQ(dbtest::ReadAll("user_data/Option.dat"), expected);

    OptionData.nPalette = 23;
    OptionData.bBgm = 0;
    OptionData.nSEVolume = 10;
    OptionData.nRankMode = 3;
    OptionData.strRankName = "名前";
    ASSERT_EQ(SaveOptionData(), 1);
    OptionData.Reset();
    ASSERT_EQ(LoadOptionData(), 1);
    EXPECT_EQ(OptionData.nPalette, 23);
    EXPECT_EQ(OptionData.bBgm, 0);
    EXPECT_EQ(OptionData.nSEVolume, 10);
    EXPECT_EQ(OptionData.nRankMode, 3);
    EXPECT_EQ(OptionData.strRankName, "名前");
}

TEST_F(OptionDataTest, NewerOrDamagedFilesAreIgnored) {
    OptionData.nSEVolume = 2;
    ASSERT_EQ(SaveOptionData(), 1);
    OptionData.Reset();
    std::vector<uint8_t> bytes = dbtest::ReadAll("user_data/Option.dat");
    std::vector<uint8_t> newer = bytes;
    newer[0] = 0x3A;  // 826
    dbtest::WriteAll("user_data/Option.dat", newer);
    EXPECT_EQ(LoadOptionData(), 0);
    ExpectDefaults();
    dbtest::WriteAll("user_data/Option.dat", std::vector<uint8_t>(bytes.begin(), bytes.end() - 2));
    EXPECT_EQ(LoadOptionData(), 0);
    ExpectDefaults();
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(OptionDataTest, StoredValuesOutOfRangeAreClamped) {
    OptionData.nPalette = 99;
    OptionData.bBgm = 5;
    OptionData.nSEVolume = -4;
    OptionData.nRankMode = 12;
    ASSERT_EQ(SaveOptionData(), 1);
    OptionData.Reset();
    ASSERT_EQ(LoadOptionData(), 1);
    EXPECT_EQ(OptionData.nPalette, 23);
    EXPECT_EQ(OptionData.bBgm, 1);
    EXPECT_EQ(OptionData.nSEVolume, 0);
    EXPECT_EQ(OptionData.nRankMode, 3);
}

}  // namespace
