#include "app/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "platform/system/path.h"

namespace {

constexpr const char* kLockFile = "Game.lock";
int g_nLockFd = -1;

bool TryLock(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; }

void WritePid(int fd) {
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%ld\n", static_cast<long>(::getpid()));
    if (::ftruncate(fd, 0) == 0 && ::pwrite(fd, text, static_cast<size_t>(n), 0) != n)
        WriteReport("Game.lock : the process id could not be written");
}

long ReadPid(int fd) {
    char text[32] = {};
    if (::pread(fd, text, sizeof text - 1, 0) <= 0) return 0;
    return std::strtol(text, nullptr, 10);
}

}  // namespace

bool AcquireSingleInstance() {
    ReleaseSingleInstance();
    const std::string path = ToNativePath(kLockFile, true);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        // A folder that cannot hold the lock cannot hold the game's files either: go on, the loads will say.
        WriteReport("Game.lock : cannot be opened (%d)", errno);
        return true;
    }
    if (TryLock(fd)) {
        g_nLockFd = fd;
        WritePid(fd);
        return true;
    }
    if (MesBox("既に起動しています。\n実行中のプログラムを閉じて再起動しますか？\n\nRunning this program now. Restart?",
               "二重起動", MB_YESNO) != IDYES) {
        ::close(fd);
        return false;
    }
    const long pid = ReadPid(fd);
    if (pid > 0 && pid != ::getpid()) {
        if (::kill(static_cast<pid_t>(pid), SIGTERM) != 0 && errno != ESRCH) {
            MesBox("プログラムの終了に失敗しました。", "二重起動", MB_OK);
            ::close(fd);
            return false;
        }
        // Its orderly close saves its files and gives the lock back.
        for (int i = 0; i < 5000 && !TryLock(fd); ++i) ::usleep(1000);
    }
    if (TryLock(fd)) {
        g_nLockFd = fd;
        WritePid(fd);
        return true;
    }
    // Still starting (no process id yet) or slow to end: this start goes on beside it.
    WriteReport("Game.lock : the running instance has not ended; starting beside it");
    ::close(fd);
    return true;
}

void ReleaseSingleInstance() {
    if (g_nLockFd < 0) return;
    ::flock(g_nLockFd, LOCK_UN);
    ::close(g_nLockFd);
    g_nLockFd = -1;
}
