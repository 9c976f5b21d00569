#include "platform/system/path.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/system/cp932.h"
#include "platform/system/font_sjis.h"
#include "records/services.h"

namespace {

struct DirCloser {
    void operator()(DIR* d) const { ::closedir(d); }
};
using DirPtr = std::unique_ptr<DIR, DirCloser>;

bool Exists(const std::string& native) {
    struct stat st;
    return ::lstat(native.c_str(), &st) == 0;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// Decodes one UTF-8 sequence at s[i]; returns its code point and advances i.
// A malformed byte is returned as itself.
char32_t DecodeUtf8(const std::string& s, size_t& i) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    size_t len = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    if (len == 1 || i + len > s.size()) {
        ++i;
        return b;
    }
    char32_t c = b & (0x7F >> len);
    for (size_t k = 1; k < len; ++k) {
        unsigned char t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) {
            ++i;
            return b;
        }
        c = (c << 6) | (t & 0x3F);
    }
    i += len;
    return c;
}

void EncodeUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t FoldChar(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;       // Latin-1
    if (c >= 0x391 && c <= 0x3A9) return c + 0x20;                  // Greek
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;                  // Cyrillic
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;                  // Cyrillic Ё and kin
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;                // full-width Latin
    return c;
}

bool IsValidUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        size_t before = i;
        char32_t c = DecodeUtf8(s, i);
        if (b >= 0x80 && i == before + 1 && c == b) return false;
    }
    return true;
}

// The UTF-8 name under which a folder entry is compared: the entry itself
// when it is UTF-8, else its bytes read as CP932 (a name copied raw).
std::string EntryNameAsUtf8(const std::string& entry) {
    return IsValidUtf8(entry) ? entry : Cp932ToUtf8(entry);
}

// Finds component (CP932) in a native folder; the native name of the entry,
// or empty when there is none.
std::string FindEntry(const std::string& folder, const std::string& component) {
    const std::string utf8 = Cp932ToUtf8(component);
    if (Exists(Join(folder, utf8))) return utf8;
    if (component != utf8 && Exists(Join(folder, component))) return component;
    DirPtr dir(::opendir(folder.empty() ? "." : folder.c_str()));
    if (!dir) return {};
    const std::string want = FoldNameCase(utf8);
    std::string best;
    while (const dirent* e = ::readdir(dir.get())) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        if (FoldNameCase(EntryNameAsUtf8(name)) != want) continue;
        if (best.empty() || name < best) best = name;  // the same choice on every run
    }
    return best;
}

// True when the last character of a program path is a separator (not the
// second byte of a double-byte character).
bool EndsWithSeparator(const std::string& path) {
    bool sep = false;
    for (size_t i = 0; i < path.size(); ++i) {
        sep = false;
        if (IsSjisPair(path.c_str() + i))
            ++i;
        else
            sep = path[i] == '\\' || path[i] == '/';
    }
    return sep;
}

}  // namespace

std::string FoldNameCase(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out += static_cast<char>(b >= 'A' && b <= 'Z' ? b + 0x20 : b);
            ++i;
            continue;
        }
        size_t before = i;
        char32_t c = DecodeUtf8(utf8, i);
        if (i == before + 1 && c == b)
            out += static_cast<char>(b);  // not UTF-8: kept as it is
        else
            EncodeUtf8(out, FoldChar(c));
    }
    return out;
}

std::vector<std::string> ListFoldedNames(const std::string& nativeFolder) {
    std::vector<std::string> names;
    DirPtr dir(::opendir(nativeFolder.empty() ? "." : nativeFolder.c_str()));
    if (!dir) return names;
    while (const dirent* e = ::readdir(dir.get())) names.push_back(FoldNameCase(EntryNameAsUtf8(e->d_name)));
    return names;
}

bool IsFullProgramPath(const std::string& path) {
    if (path.empty()) return false;
    if (path[0] == '\\' || path[0] == '/') return true;
    return path.size() >= 2 && path[1] == ':' && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

std::vector<std::string> SplitProgramPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string cur;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsSjisPair(path.c_str() + i)) {
            cur.append(path, i, 2);
            ++i;
        } else if (path[i] == '\\' || path[i] == '/') {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        } else {
            cur += path[i];
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    return parts;
}

std::string ToNativePath(const std::string& path, bool bCreate) {
    (void)bCreate;  // existing entries are found whatever the case; new ones keep it
    std::string p = path;
    bool full = IsFullProgramPath(p);
    if (p.size() >= 2 && p[1] == ':') p.erase(0, 2);  // a drive has no meaning here
    std::vector<std::string> parts = SplitProgramPath(p);
    std::vector<std::string> done;  // native components resolved so far
    const std::string root = full ? "/" : "";
    bool missing = false;           // once a component is missing, the rest is new
    for (const std::string& part : parts) {
        if (part == ".") continue;
        if (part == "..") {
            if (!done.empty() && done.back() != "..")
                done.pop_back();
            else if (!full)
                done.push_back("..");
            continue;
        }
        std::string folder = root;
        for (const std::string& d : done) folder = Join(folder, d);
        std::string found = missing ? std::string() : FindEntry(folder, part);
        if (found.empty()) {
            missing = true;
            found = Cp932ToUtf8(part);
        }
        done.push_back(found);
    }
    if (done.empty() && !full) return std::string(".");
    std::string out = root;
    for (const std::string& d : done) out = Join(out, d);
    if (EndsWithSeparator(path) && out.back() != '/') out.push_back('/');  // names a folder
    return out;
}

std::string ToProgramPath(const std::string& native) {
    std::string out = Utf8ToCp932(native);
    // Only single-byte slashes become backslashes (a trail byte is never 0x2F).
    for (char& c : out)
        if (c == '/') c = '\\';
    return out;
}

void SetPathService(RECORDSERVICES& services) { services.ToNativePath = &ToNativePath; }

std::string GetCurrentProgramFolder() {
    std::unique_ptr<char, void (*)(void*)> cwd(::getcwd(nullptr, 0), &std::free);
    if (!cwd) return {};
    std::string folder = ToProgramPath(cwd.get());
    while (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
    return folder;
}
