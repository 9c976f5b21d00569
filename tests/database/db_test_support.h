#pragma once
// Helpers of the database tests: a working folder to run in, captured
// message boxes, and files written as an older data version stored them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "database/global_objects.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "records/version.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace dbtest {

// The base of the database tests: every test starts and ends with the whole
// program's state as at start-up. The reset runs in the constructor and the
// destructor, so before the fixture's members (working folder, message box
// capture, service spies) are made and after they are gone.
class cDbTest : public ::testing::Test {
protected:
    cDbTest() { ResetDatabaseState(); }
    ~cDbTest() override { ResetDatabaseState(); }
};

// Runs the test inside a fresh temporary folder (the program folder), with
// the report log there (error message boxes are shown only with a report log).
class cWorkFolder {
public:
    cWorkFolder() : m_Cwd(m_Dir.Path()) { ReportInit((m_Dir.Path() / "Report_Game.txt").c_str()); }
    ~cWorkFolder() { ResetLogs(); }
    const std::filesystem::path& Path() const { return m_Dir.Path(); }

private:
    cTempDir m_Dir;
    cWorkDirGuard m_Cwd;  // made after the folder and gone before it
};

// Message boxes answered with `answer` and remembered (text, caption).
class cMesBoxCapture {
public:
    explicit cMesBoxCapture(int answer = IDOK);
    ~cMesBoxCapture();
    std::vector<std::string> texts, captions;
    int answer;
};

// Runs f with the program writing data version v (what an older kit wrote).
template <class F>
void AtVersion(uint32_t v, F f) {
    nDataVersion = v;
    f();
    nDataVersion = DATA_VERSION;
}

// Reads a whole file.
std::vector<uint8_t> ReadAll(const std::string& path);
// Writes bytes to a file.
void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace dbtest
