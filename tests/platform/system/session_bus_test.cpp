#include "platform/system/session_bus.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"

namespace {

void WriteFile(const std::filesystem::path& file, bool bExecutable) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "#!/bin/sh\n";
    std::filesystem::permissions(file,
                                 bExecutable ? std::filesystem::perms::owner_all : std::filesystem::perms::owner_read |
                                                                                      std::filesystem::perms::owner_write);
}

}  // namespace

// Each way the D-Bus library could find a session bus, or launch one, keeps
// the environment as it is; only a launch with nothing to run is skipped.
TEST(SessionBus, SkipsOnlyALaunchThatCannotRun) {
    cTempDir dir;
    const std::string empty = dir.File("empty");
    const std::string launcher = dir.File("launcher");
    const std::string pathWith = dir.File("a") + ":" + launcher;
    const std::string pathWithout = dir.File("a") + ":" + dir.File("b");
    const std::string runtimeWith = dir.File("run");
    const std::string runtimeWithout = dir.File("run2");
    std::filesystem::create_directories(empty);
    std::filesystem::create_directories(runtimeWithout);
    WriteFile(std::filesystem::path(launcher) / "dbus-launch", true);
    WriteFile(std::filesystem::path(dir.File("b")) / "dbus-launch", false);  // not executable
    // The bus's socket in the runtime folder.
    std::filesystem::create_directories(runtimeWith);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string socketPath = runtimeWith + "/bus";
    ASSERT_LT(socketPath.size(), sizeof addr.sun_path);
    socketPath.copy(addr.sun_path, socketPath.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);

    struct ROW {
        const char* what;
        const char* address;
        const char* runtimeDir;
        const char* display;
        const char* path;
        std::string launcherDir;
        bool bFails;
    };
    const ROW rows[] = {
        {"nothing to run", nullptr, runtimeWithout.c_str(), ":0", pathWithout.c_str(), empty, true},
        {"an empty address is none", "", nullptr, ":0", pathWithout.c_str(), empty, true},
        {"an address is given", "unix:path=/x", nullptr, ":0", pathWithout.c_str(), empty, false},
        {"no display: no launch", nullptr, nullptr, nullptr, pathWithout.c_str(), empty, false},
        {"the runtime folder's bus", nullptr, runtimeWith.c_str(), ":0", pathWithout.c_str(), empty, false},
        {"dbus-launch in its own folder", nullptr, nullptr, ":0", pathWithout.c_str(), launcher, false},
        {"dbus-launch on PATH", nullptr, nullptr, ":0", pathWith.c_str(), empty, false},
    };
    for (const ROW& row : rows) {
        const SESSIONBUSPLACE place{row.address, row.runtimeDir, row.display, row.path, row.launcherDir};
        EXPECT_EQ(SessionBusLaunchFails(place), row.bFails) << row.what;
    }
    ::close(fd);
}
