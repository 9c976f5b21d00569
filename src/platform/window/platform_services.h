#pragma once
// Connects the record layer to the platform: its log lines go to the two logs,
// its paths through the path layer, its close request and sound requests to the
// main window, its debug messages to the debug message box. The application
// calls this once at start-up, before any data file is read.
void InstallPlatformRecordServices();
