#include "platform/input/keyconfig.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/system/log.h"
#include "support/temp_dir.h"

namespace {

// A configuration file as the format lays it out: twelve slots of
// {device u32, code u16, 2 unused bytes}, then slot count, joystick count, use flag.
std::vector<uint8_t> Bytes(std::initializer_list<std::pair<uint32_t, uint16_t>> slots, uint32_t nSlots,
                           uint32_t nJoy, uint32_t bUse) {
    std::vector<uint8_t> b;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    int n = 0;
    for (const auto& [device, code] : slots) {
        u32(device);
        b.push_back(static_cast<uint8_t>(code));
        b.push_back(static_cast<uint8_t>(code >> 8));
        b.push_back(0xCD);  // unused bytes keep whatever was there
        b.push_back(0xCD);
        ++n;
    }
    for (; n < KEYCONFIG_SLOTS; ++n) u32(8), u32(0);
    u32(nSlots);
    u32(nJoy);
    u32(bUse);
    return b;
}

std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

class KeyConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLogs();
        ReportInit(report.c_str());
    }
    void TearDown() override { ResetLogs(); }

    int Load(const std::vector<uint8_t>& bytes, KEYCONFIG& config) {
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return LoadKeyConfig(file.c_str(), config);
    }
    // A configuration that is neither empty nor the defaults.
    static KEYCONFIG Marked() {
        KEYCONFIG c;
        c.nSlotNum = 3;
        c.nJoyNum = 7;
        c.bUse = 9;
        return c;
    }

    cTempDir dir;
    std::string report = dir.File("Report_Game.txt");
    std::string file = dir.File("KeyConfig.dat");
};

TEST_F(KeyConfigTest, DefaultsAreArrowsThenZXCVASDF) {
    KEYCONFIG c;
    SetDefaultKeyConfig(c);
    const uint16_t codes[12] = {37, 39, 38, 40, 90, 88, 67, 86, 65, 83, 68, 70};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(c.Slot[i].nDevice, 8u);
        EXPECT_EQ(c.Slot[i].nCode, codes[i]);
    }
    EXPECT_EQ(c.nSlotNum, 12u);
    EXPECT_EQ(c.nJoyNum, 1u);
    EXPECT_EQ(c.bUse, 0u);
    EXPECT_EQ(KeyConfigBytes(c).size(), KEYCONFIG_FILE_SIZE);
}

TEST_F(KeyConfigTest, GoodFileIsReadFieldByField) {
    // Joystick 1 stick left, keyboard Right (39), joystick 0 stick up, keyboard
    // Down (40), joystick 0 buttons 1|2 (mask 3), keyboard Return (13).
    const auto bytes = Bytes({{1, 256}, {8, 39}, {0, 1024}, {8, 40}, {0, 3}, {8, 13}}, 6, 2, 1);
    ASSERT_EQ(bytes.size(), 108u);
    KEYCONFIG c;
    ASSERT_EQ(Load(bytes, c), 1);
    EXPECT_EQ(c.Slot[0].nDevice, 1u);
    EXPECT_EQ(c.Slot[0].nCode, 256);
    EXPECT_EQ(c.Slot[2].nCode, 1024);
    EXPECT_EQ(c.Slot[4].nCode, 3);
    EXPECT_EQ(c.Slot[5].nCode, 13);
    EXPECT_EQ(c.nSlotNum, 6u);
    EXPECT_EQ(c.nJoyNum, 2u);
    EXPECT_EQ(c.bUse, 1u);
    EXPECT_EQ(ReadAll(report), "");
}

TEST_F(KeyConfigTest, BytesRoundTrip) {
    KEYCONFIG c;
    SetDefaultKeyConfig(c);
    c.Slot[3] = KEYSLOT{2, 2048};
    c.nJoyNum = 3;
    c.bUse = 1;
    KEYCONFIG back;
    std::string why;
    ASSERT_TRUE(ParseKeyConfig(KeyConfigBytes(c), back, why)) << why;
    EXPECT_EQ(back.Slot[3].nDevice, 2u);
    EXPECT_EQ(back.Slot[3].nCode, 2048);
    EXPECT_EQ(back.nJoyNum, 3u);
    EXPECT_EQ(back.bUse, 1u);
}

TEST_F(KeyConfigTest, MissingFileLeavesTheRecordToTheCaller) {
    KEYCONFIG c = Marked();
    EXPECT_EQ(LoadKeyConfig(dir.File("none.dat").c_str(), c), 0);
    EXPECT_EQ(c.nJoyNum, 7u);
    EXPECT_EQ(ReadAll(report), "");
}

TEST_F(KeyConfigTest, ShortFileGivesDefaultsAndAReportLine) {
    auto bytes = Bytes({{0, 1}}, 12, 1, 1);
    for (size_t size : {size_t{0}, size_t{1}, size_t{96}, size_t{107}}) {
        KEYCONFIG c = Marked();
        EXPECT_EQ(Load(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(size)), c), 0) << size;
        EXPECT_EQ(c.nSlotNum, 12u) << size;
        EXPECT_EQ(c.bUse, 0u) << size;
        EXPECT_EQ(c.Slot[0].nCode, 37) << size;
    }
    const std::string log = ReadAll(report);
    EXPECT_NE(log.find("short file (107 bytes)"), std::string::npos) << log;
    EXPECT_NE(log.find("KeyConfig : "), std::string::npos);
}

TEST_F(KeyConfigTest, CountsAndCodesOutOfRangeGiveDefaults) {
    struct CASE {
        std::vector<uint8_t> bytes;
        const char* why;
    };
    const CASE cases[] = {
        {Bytes({}, 13, 1, 1), "slot count 13"},
        {Bytes({}, 0xFFFFFFFF, 1, 1), "slot count 4294967295"},
        {Bytes({}, 12, 17, 1), "joystick count 17"},
        {Bytes({{8, 256}}, 12, 1, 1), "slot 0 key 256"},
        {Bytes({{8, 37}, {16, 1}}, 12, 1, 1), "slot 1 device 16"},
        {Bytes({{8, 37}, {0xFFFFFFFF, 1}}, 2, 1, 1), "slot 1 device 4294967295"},
    };
    for (const CASE& c : cases) {
        KEYCONFIG config = Marked();
        std::string why;
        EXPECT_FALSE(ParseKeyConfig(c.bytes, config, why)) << c.why;
        EXPECT_EQ(why, c.why);
        EXPECT_EQ(config.nJoyNum, 7u) << "a refused file changes nothing";
        EXPECT_EQ(Load(c.bytes, config), 0);
        EXPECT_EQ(config.bUse, 0u);
        EXPECT_EQ(config.nJoyNum, 1u);
    }
    EXPECT_NE(ReadAll(report).find("slot 1 device 16"), std::string::npos);
}

TEST_F(KeyConfigTest, SlotsBeyondTheCountAreNotChecked) {
    // Slot 5 holds garbage but only four slots are in use.
    auto bytes = Bytes({{8, 37}, {8, 39}, {8, 38}, {8, 40}, {8, 90}, {999, 7}}, 4, 0, 1);
    KEYCONFIG c;
    EXPECT_EQ(Load(bytes, c), 1);
    EXPECT_EQ(c.nSlotNum, 4u);
    EXPECT_EQ(c.nJoyNum, 0u);
}

TEST_F(KeyConfigTest, DirectionSlotsAreCheckedWhateverTheCount) {
    KEYCONFIG c;
    std::string why;
    EXPECT_FALSE(ParseKeyConfig(Bytes({{8, 37}, {8, 39}, {8, 38}, {8, 300}}, 0, 1, 1), c, why));
    EXPECT_EQ(why, "slot 3 key 300");
}

TEST_F(KeyConfigTest, TrailingBytesAreIgnoredButHugeFilesRefused) {
    auto bytes = Bytes({{8, 65}}, 12, 1, 1);
    bytes.resize(120, 0xEE);
    KEYCONFIG c;
    EXPECT_EQ(Load(bytes, c), 1);
    EXPECT_EQ(c.Slot[0].nCode, 65);
    bytes.resize(100000, 0);
    EXPECT_EQ(Load(bytes, c), 0);
    EXPECT_EQ(c.Slot[0].nCode, 37);
    EXPECT_NE(ReadAll(report).find("too long"), std::string::npos);
}

}  // namespace
