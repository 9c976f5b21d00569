#include "platform/system/file_name.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unordered_set>
#include <vector>

#include "platform/system/cp932.h"
#include "platform/system/font_sjis.h"
#include "platform/system/path.h"

namespace {

// Copies s into a MAX_PATH buffer; false (buffer untouched) when too long.
bool CopyOut(char* dst, const std::string& s) {
    if (s.size() >= static_cast<size_t>(MAX_PATH)) return false;
    std::memcpy(dst, s.c_str(), s.size() + 1);
    return true;
}

std::string Folded(const std::string& cp932) { return FoldNameCase(Cp932ToUtf8(cp932)); }

// "." and ".." folded away from the components of a full path.
std::vector<std::string> Normalise(const std::vector<std::string>& parts) {
    std::vector<std::string> out;
    for (const std::string& p : parts) {
        if (p == ".") continue;
        if (p == "..") {
            if (!out.empty()) out.pop_back();
            continue;
        }
        out.push_back(p);
    }
    return out;
}

bool EndsWithSeparator(const std::string& path) {
    auto sep = FindLastSeparator(path);
    return sep != std::string::npos && sep + 1 == path.size();
}

}  // namespace

std::string::size_type FindLastSeparator(const std::string& path) {
    std::string::size_type last = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsSjisPair(path.c_str() + i))
            ++i;
        else if (path[i] == '\\')
            last = i;
    }
    return last;
}

std::string::size_type FindExtensionDot(const std::string& path) {
    auto sep = FindLastSeparator(path);
    auto start = sep == std::string::npos ? 0 : sep + 1;
    auto dot = path.rfind('.');  // "." is never the second byte of a character
    return dot == std::string::npos || dot < start ? std::string::npos : dot;
}

int MakeFullPathStr(std::string& path) {
    if (IsFullProgramPath(path)) return 1;
    std::string cwd = GetCurrentProgramFolder();
    if (cwd.empty()) return 0;
    std::vector<std::string> parts = SplitProgramPath(cwd);
    for (const std::string& p : SplitProgramPath(path)) parts.push_back(p);
    std::string out;
    for (const std::string& p : Normalise(parts)) out += "\\" + p;
    if (out.empty() || EndsWithSeparator(path)) out += "\\";
    path = out;
    return 1;
}

int MakeFullPath(char* path) {
    std::string s = path;
    if (!MakeFullPathStr(s)) return 0;
    return CopyOut(path, s) ? 1 : 0;
}

int MakeRelativePathStr(std::string& path) {
    if (!IsFullProgramPath(path)) return 1;
    if (path.size() >= 2 && path[1] == ':') return 0;  // another drive: no relative form
    std::string cwd = GetCurrentProgramFolder();
    if (cwd.empty()) return 0;
    std::vector<std::string> from = Normalise(SplitProgramPath(cwd));
    std::vector<std::string> to = Normalise(SplitProgramPath(path));
    size_t common = 0;
    while (common < from.size() && common < to.size() && Folded(from[common]) == Folded(to[common])) ++common;
    std::string out = common == from.size() ? ".\\" : "";
    for (size_t i = common; i < from.size(); ++i) out += "..\\";
    for (size_t i = common; i < to.size(); ++i) out += to[i] + (i + 1 < to.size() ? "\\" : "");
    if (EndsWithSeparator(path) && !to.empty() && common < to.size()) out += "\\";
    path = out;
    return 1;
}

int MakeRelativePath(char* path) {
    std::string s = path;
    if (!MakeRelativePathStr(s)) return 0;
    return CopyOut(path, s) ? 1 : 0;
}

void GetFileNameFromPathStr(std::string& path) {
    auto sep = FindLastSeparator(path);
    if (sep != std::string::npos) path.erase(0, sep + 1);
}

void GetFileNameFromPath(char* path) {
    std::string s = path;
    GetFileNameFromPathStr(s);
    CopyOut(path, s);  // never longer than before
}

int ChangeExtensionStr(std::string& dst, const std::string& src, const char* ext) {
    auto dot = FindExtensionDot(src);
    if (dot == std::string::npos) return 0;
    dst = ext ? src.substr(0, dot + 1) + ext : src.substr(0, dot);
    return 1;
}

int ChangeExtension(char* dst, const char* src, const char* ext) {
    std::string s;
    if (!ChangeExtensionStr(s, src, ext)) {
        CopyOut(dst, src);  // the source is copied whatever the outcome
        return 0;
    }
    return CopyOut(dst, s) ? 1 : 0;
}

int RemoveExtensionStr(std::string& name) { return ChangeExtensionStr(name, name, nullptr); }

int RemoveExtension(char* name) {
    std::string s = name;
    if (!RemoveExtensionStr(s)) return 0;
    return CopyOut(name, s) ? 1 : 0;
}

int GetExtensionStr(std::string& dst, const std::string& name) {
    auto dot = FindExtensionDot(name);
    if (dot == std::string::npos) return 0;
    dst = name.substr(dot + 1);
    return 1;
}

int GetExtension(char* dst, const char* name) {
    std::string s;
    if (!GetExtensionStr(s, name)) return 0;
    return CopyOut(dst, s) ? 1 : 0;
}

int MakeNumberedName(char* dst, const char* name, int number) {
    std::string base = name, ext;
    if (!GetExtensionStr(ext, base) || !RemoveExtensionStr(base)) return 0;
    return CopyOut(dst, base + " (" + std::to_string(number) + ")." + ext) ? 1 : 0;
}

int FindLastNumberedFileStr(std::string& dst, const char* name, const char* ext) {
    std::string base = name;
    ChangeExtensionStr(base, base, ext);  // a name without "." stays as it is
    // One listing of the folder serves all thousand candidates.
    auto sep = FindLastSeparator(base);
    std::string folder = sep == std::string::npos ? std::string() : base.substr(0, sep + 1);
    std::string file = sep == std::string::npos ? base : base.substr(sep + 1);
    std::vector<std::string> list = ListFoldedNames(folder.empty() ? std::string(".") : ToNativePath(folder, false));
    std::unordered_set<std::string> names(list.begin(), list.end());
    const std::string foldedFile = Folded(file);
    for (int n = 999; n >= 0; --n) {
        char suffix[8];
        std::snprintf(suffix, sizeof suffix, "_%d%d%d", n / 100, n / 10 % 10, n % 10);
        if (names.count(foldedFile + suffix)) {
            dst = base + suffix;
            return 1;
        }
    }
    return 0;
}

int FindLastNumberedFile(char* dst, const char* name, const char* ext) {
    std::string s;
    if (!FindLastNumberedFileStr(s, name, ext)) return 0;
    return CopyOut(dst, s) ? 1 : 0;
}
