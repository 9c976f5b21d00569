#pragma once
// Operations on program paths (CP932 strings of at most MAX_PATH bytes with
// backslashes): relative and full paths, file names, extensions and numbered
// names. A backslash that is the second byte of a double-byte character is
// never a separator. Buffers given as char* hold MAX_PATH bytes; a result that
// would not fit is refused (0) and the buffer left as it was.
#include <string>

constexpr int MAX_PATH = 260;

// An absolute path becomes relative to the current folder (".\\..." or
// "..\\..."); a relative one is left alone. 1; 0 when it cannot be made.
int MakeRelativePath(char* path);
int MakeRelativePathStr(std::string& path);
// A relative path becomes a full path (current folder joined, "." and ".."
// folded away); a full one is left alone. 1; 0 without a current folder.
int MakeFullPath(char* path);
int MakeFullPathStr(std::string& path);
// Keeps only the text after the last separator; none: unchanged.
void GetFileNameFromPath(char* path);
void GetFileNameFromPathStr(std::string& path);
// dst = src with the text after the last "." of its file name replaced by ext;
// ext null cuts the "." too. 1; 0 when the file name has no ".".
int ChangeExtension(char* dst, const char* src, const char* ext);
int ChangeExtensionStr(std::string& dst, const std::string& src, const char* ext);
// Removes the last "." of the file name and what follows. 1; 0 without ".".
int RemoveExtension(char* name);
int RemoveExtensionStr(std::string& name);
// dst = the text after the last "." of the file name. 1; 0 without ".".
int GetExtension(char* dst, const char* name);
int GetExtensionStr(std::string& dst, const std::string& name);
// dst = "name (number).ext". 1; 0 when the name has no extension.
int MakeNumberedName(char* dst, const char* name, int number);
// Looks for "<name with extension ext>_999" down to "_000" and gives the first
// that exists (a name without "." is taken as it is). 1 found; 0 none.
int FindLastNumberedFile(char* dst, const char* name, const char* ext);
int FindLastNumberedFileStr(std::string& dst, const char* name, const char* ext);
// Byte offset of the last "." of the file name of path; npos when none.
std::string::size_type FindExtensionDot(const std::string& path);
// Byte offset of the last separator of path; npos when none.
std::string::size_type FindLastSeparator(const std::string& path);
