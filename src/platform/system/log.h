#pragma once
// The two logs beside the program: the report log (Report_Game.txt), written
// from start-up on, and the error log (EC_Game.txt), written only when
// enabled and emptied by its first line of a run. Every line opens the file,
// appends and closes it; one lock keeps lines of several threads whole.
// Texts are Shift-JIS as the program holds them; lines end with CR LF.
#include <functional>
#include <string>

// Creates or empties the report log; 1 on success.
int ReportInit(const char* path);
// Names the report log without touching either log: their lines wait until
// ClaimLogs empties both and writes them (0 when the report log cannot be
// created), or DropLogs writes the report's to standard error and no more. A start that may
// find the game already running leaves that game's logs whole this way.
void ReportInitDeferred(const char* path);
int ClaimLogs();
void DropLogs();
// The report log's path as given to ReportInit; "" before.
std::string ReportPath();
// Appends one formatted line to the report log; 0 when it cannot be opened.
int WriteReport(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The same line to the report log and the error log.
int WriteReportEC(const char* format, ...) __attribute__((format(printf, 1, 2)));
// As WriteReportEC, and shows the text in the error message box.
int WriteReportMes(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Switches the error log on or off and names its file; touches no file.
const char* ECInit(int enabled, const char* path);
// One line to the error log (nothing when it is off).
void WriteEC(const char* text);
void WriteECString(const char* text);
void WriteECf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// One line to the error log, then the close request to the main window.
void WriteECAndClose(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Whether the error log is on (debug message boxes show only then).
bool IsECEnabled();
// Back to the state before ReportInit and ECInit (tests).
void ResetLogs();
// Report lines written from now on (by any thread) are held back, in order,
// until ReleaseReportLines, which first lets `ahead` write its lines on the
// calling thread: lines that belong before the held ones but are known later.
void HoldReportLines();
void ReleaseReportLines(const std::function<void()>& ahead);
