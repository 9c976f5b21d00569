// Saves killed at any moment never tear: a child process writes versions of
// a file over and over through the program's one way of writing files, and
// is killed (SIGKILL) after a random time, again and again. After each kill
// the file is absent (before its first write) or one whole version; the
// temporary file a killed write leaves behind is removed at the next start.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <thread>

#include "records/data_file.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kFileSize = 256 * 1024;
constexpr int kKills = 300;

// Version v of the file: every byte is v's low byte, with v in the first four.
std::vector<uint8_t> Version(uint32_t v) {
    std::vector<uint8_t> bytes(kFileSize, static_cast<uint8_t>(v));
    std::memcpy(bytes.data(), &v, sizeof v);
    return bytes;
}

// True when bytes are one whole version.
bool IsWhole(const std::vector<uint8_t>& bytes) {
    if (bytes.size() != kFileSize) return false;
    uint32_t v = 0;
    std::memcpy(&v, bytes.data(), sizeof v);
    return bytes == Version(v);
}

// The child: writes versions from first on until it is killed.
[[noreturn]] void WriteForever(const std::string& path, uint32_t first) {
    for (uint32_t v = first;; ++v) WriteFileAtomic(path, Version(v));
}

}  // namespace

TEST(SaveKill, WritesKilledAtAnyMomentLeaveTheOldFileOrTheNewOneWhole) {
    cTempDir dir;
    fs::create_directories(dir.Path() / "user_data" / "replay");
    const std::string path = (dir.Path() / "user_data" / "replay" / "Save.dat").string();
    std::mt19937 random(20261207);
    int interrupted = 0, torn = 0;
    uint32_t next = 1;
    for (int i = 0; i < kKills; ++i) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) WriteForever(path, next);
        std::this_thread::sleep_for(std::chrono::microseconds(200 + random() % 20000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        next += 1000;
        std::vector<uint8_t> bytes;
        if (fs::exists(path)) {
            ASSERT_TRUE(ReadFileBytes(path, bytes, kFileSize * 2));
            if (!IsWhole(bytes)) ++torn;
        }
        if (fs::exists(path + ".tmp~")) ++interrupted;
    }
    std::printf("save kill test: %d kills, %d writes interrupted, %d torn files\n", kKills, interrupted, torn);
    EXPECT_EQ(torn, 0);
    EXPECT_GT(interrupted, kKills / 4);  // most kills land inside a write
    // The next start removes what the killed writes left, and only that.
    const bool left = fs::exists(path + ".tmp~");
    const auto removed = RemoveTemporaryLeftovers((dir.Path() / "user_data").string());
    EXPECT_EQ(removed.size(), left ? 1u : 0u);
    EXPECT_FALSE(fs::exists(path + ".tmp~"));
    EXPECT_TRUE(fs::exists(path));
}
