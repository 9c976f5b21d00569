#pragma once
// The D-Bus session bus the window system looks for when it starts (for the
// input method). Given no address, the D-Bus library tries
// $XDG_RUNTIME_DIR/bus, then, with an X display, forks the whole program to
// run dbus-launch (from /usr/bin, else PATH). Where there is no dbus-launch
// that fork can only fail, and it costs the start several milliseconds.
#include <string>

// What the D-Bus library would find, read from the environment and the files.
struct SESSIONBUSPLACE {
    const char* address = nullptr;     // DBUS_SESSION_BUS_ADDRESS
    const char* runtimeDir = nullptr;  // XDG_RUNTIME_DIR
    const char* display = nullptr;     // DISPLAY
    const char* path = nullptr;        // PATH
    std::string launcherDir;           // where the D-Bus library looks for dbus-launch first
};

// True when the session bus would be looked for by a dbus-launch that is nowhere.
bool SessionBusLaunchFails(const SESSIONBUSPLACE& place);
// Called before any thread starts: when the launch would fail, gives the
// session bus an address that fails at once, without the fork.
void SkipFailingSessionBusLaunch();
