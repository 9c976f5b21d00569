#pragma once
// The boundary between program paths and the file system. Inside the program
// a path is CP932 bytes with backslashes, relative to the program folder (the
// working directory); a full path starts with a backslash at the file-system
// root ("\home\me\game\data"). Native paths are UTF-8 with slashes.
#include <string>
#include <vector>

struct RECORDSERVICES;

// Native path of a program path. Each component is found case-insensitively
// in its folder (UTF-8 name first, then the raw CP932 bytes); components that
// do not exist yet keep the exact case given (bCreate: about to be created).
std::string ToNativePath(const std::string& path, bool bCreate);
// Program form (CP932, backslashes) of a native path.
std::string ToProgramPath(const std::string& native);
// Points services.ToNativePath at ToNativePath; the application calls it on
// the services it installs at start-up.
void SetPathService(RECORDSERVICES& services);

// True for a full program path (leading backslash or slash, or a drive "X:").
bool IsFullProgramPath(const std::string& path);
// Components of a program path, split at backslashes and slashes that are not
// the second byte of a double-byte character; empty components dropped.
std::vector<std::string> SplitProgramPath(const std::string& path);
// Program form of the current folder, without a trailing backslash; empty
// when it cannot be had.
std::string GetCurrentProgramFolder();
// Case folding for name comparison: ASCII, Latin-1, Greek, Cyrillic and
// full-width letters to lower case (UTF-8 in and out).
std::string FoldNameCase(const std::string& utf8);
// Names (UTF-8, folded) of the entries of a native folder.
std::vector<std::string> ListFoldedNames(const std::string& nativeFolder);
