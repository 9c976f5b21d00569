#pragma once
// Writes the database part of a new project: the ten list files with the
// default database content and a common palette of default definitions.
#include <string>

// Writes <folder>database\*.dat and <folder>CommonPalette.cplt4 (folder in
// program form with its trailing backslash, e.g. "default\"), making the
// folders as needed. 1 when every file was written.
int WriteDefaultDatabaseFiles(const std::string& folder);
