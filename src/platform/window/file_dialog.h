#pragma once
// The open-file and save-file dialogs, drawn in the program's window. Paths
// in and out are program paths (CP932, backslashes); chosen files come back
// as full paths. A filter is Windows-style: pairs of a name and patterns
// ("*.x;y_*"), each ended by a zero byte, the list ended by another; a
// pattern without "." is matched against the extension ("stg4_*" lists every
// file whose extension begins with "stg4_").
#include <string>
#include <vector>

// "name\0pattern\0" plus the closing zero, as one string.
std::string MakeFileFilter(const std::string& name, const std::string& pattern);
// True when a file name (CP932) matches one of the ";"-separated patterns
// (case-insensitive, "*" and "?").
bool MatchFilePattern(const std::string& name, const std::string& patterns);

// Lets the player choose files to open. file (size bytes) is zeroed first
// and receives the chosen path (with bMulti and several files: the folder,
// then each name, each ended by a zero byte). Every chosen file is appended
// to results (when given) as a full path. Nonzero when the player chose;
// a cancelled dialog leaves results untouched.
int GetOpenFileNames(const void* owner, char* file, int size, const char* initialFolder, const char* title,
                     const char* filter, const char* defExt, int bMulti, std::vector<std::string>* results);
// Lets the player choose a name to save under; file (MAX_PATH bytes) holds
// the proposed name and receives the chosen full path. A name without an
// extension gets defExt; an existing file is overwritten only after asking.
// Nonzero when the player chose.
int SaveFileDialog(const void* owner, char* file, const char* initialFolder, const char* title, const char* filter,
                   const char* defExt);
