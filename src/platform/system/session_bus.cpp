#include "platform/system/session_bus.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

bool IsExecutable(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec) && ::access(file.c_str(), X_OK) == 0;
}

// As execvp searches: PATH, else the C library's default folders.
bool OnPath(const char* path, const char* name) {
    if (!path) path = "/bin:/usr/bin";
    std::istringstream dirs(path);
    std::string dir;
    while (std::getline(dirs, dir, ':'))
        if (IsExecutable(std::filesystem::path(dir.empty() ? "." : dir) / name)) return true;
    return false;
}

}  // namespace

bool SessionBusLaunchFails(const SESSIONBUSPLACE& place) {
    if (place.address && *place.address) return false;
    if (!place.display || !*place.display) return false;  // no launch is tried without a display
    std::error_code ec;
    if (place.runtimeDir && *place.runtimeDir &&
        std::filesystem::exists(std::filesystem::path(place.runtimeDir) / "bus", ec))
        return false;
    if (IsExecutable(std::filesystem::path(place.launcherDir) / "dbus-launch")) return false;
    return !OnPath(place.path, "dbus-launch");
}

void SkipFailingSessionBusLaunch() {
    SESSIONBUSPLACE place;
    place.address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    place.runtimeDir = std::getenv("XDG_RUNTIME_DIR");
    place.display = std::getenv("DISPLAY");
    place.path = std::getenv("PATH");
    place.launcherDir = "/usr/bin";
    if (SessionBusLaunchFails(place)) ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/no-session-bus", 1);
}
