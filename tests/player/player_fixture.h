#pragma once
// The base of the player-record tests: a program folder of its own (the
// working folder, with the user_data folders), and every global of the
// program as at start-up before and after each test.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "database/data_paths.h"
#include "database/global_objects.h"
#include "platform/system/path.h"
#include "player/player_records.h"
#include "player/player_state.h"
#include "player/system_time.h"
#include "records/data_file.h"
#include "support/env_guard.h"
#include "support/record_services_spy.h"
#include "support/temp_dir.h"

class cPlayerTest : public ::testing::Test {
protected:
    cPlayerTest() { ResetPlayerState(); }
    ~cPlayerTest() override { ResetPlayerState(); }
    void SetUp() override {
        spy = std::make_unique<cRecordServicesSpy>();  // report lines are kept, not printed
        cwd.Enter(dir.Path());
        CreateStartupFolders();
    }
    void TearDown() override {
        cwd.Restore();
        spy.reset();
    }

    // The bytes of a program path's file; empty when it cannot be read.
    static std::vector<uint8_t> FileBytes(const std::string& path) {
        std::vector<uint8_t> b;
        ReadFileBytes(ToNativePath(path, false), b);
        return b;
    }
    static bool PutFileBytes(const std::string& path, const std::vector<uint8_t>& b) {
        return WriteFileAtomic(ToNativePath(path, true), b);
    }

    cTempDir dir;
    cWorkDirGuard cwd;
    std::unique_ptr<cRecordServicesSpy> spy;
};

// 6 December 2026, 10:45:30.250, a Sunday.
inline void FixedLocalTime(SYSTEMTIME* st) {
    st->wYear = 2026;
    st->wMonth = 12;
    st->wDayOfWeek = 0;
    st->wDay = 6;
    st->wHour = 10;
    st->wMinute = 45;
    st->wSecond = 30;
    st->wMilliseconds = 250;
}
