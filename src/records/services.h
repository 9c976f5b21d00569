#pragma once
// What the record layer asks of the layers above it. records/ includes nothing
// of ours, so the logs, the close request and the sound request reach it as
// function pointers that the platform layer and the application frame fill in.
#include <string>

struct RECORDSERVICES {
    void (*WriteEC)(const char* line) = nullptr;      // error log line
    void (*WriteReport)(const char* line) = nullptr;  // report log line
    void (*PostClose)() = nullptr;                    // post WM_CLOSE to the main window
    int (*SendPlaySE)(int n) = nullptr;               // WM_USER+5: play sound effect n
    void (*DebugMesBox)(const char* text) = nullptr;  // debug message box (shown only in debug mode)
    // Turns a program path (CP932, backslashes, relative) into a native path.
    // bCreate: the file is about to be created (exact case kept).
    std::string (*ToNativePath)(const std::string& path, bool bCreate) = nullptr;
};

// Replaces the services; members left null fall back to the defaults
// (stderr for logs, nothing for the rest, backslashes made slashes for paths).
void SetRecordServices(const RECORDSERVICES& services);
// Back to the defaults (tests).
void ResetRecordServices();

void RecWriteEC(const std::string& line);
void RecWriteReport(const std::string& line);
void RecPostClose();
// Closes the program because of a fault (a damaged file, a bad index, no
// memory): the first reason is kept, and the program's exit says it.
void RecFaultClose(const std::string& why);
// The first fault that closed the program; "" when none.
std::string RecFaultReason();
int RecSendPlaySE(int n);
void RecDebugMesBox(const std::string& text);
std::string RecNativePath(const std::string& path, bool bCreate);
