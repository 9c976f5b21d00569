// Leaks the leak checker of the sanitizer build is not to report: memory that
// system libraries keep until the process ends. SDL opens a D-Bus connection
// at start-up, and libdbus frees its last buffers only at dbus_shutdown,
// which SDL does not call.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
