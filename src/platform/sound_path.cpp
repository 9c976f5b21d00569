#include "platform/sound_path.h"

#include <cstring>

std::string SoundPathExtension(const char* path, bool* bHas) {
    const char* dot = path ? std::strrchr(path, '.') : nullptr;
    if (bHas) *bHas = dot != nullptr;
    return dot ? std::string(dot + 1) : std::string();
}

std::string SoundPathChangeExtension(const char* path, const char* ext) {
    std::string s = path ? path : "";
    const size_t dot = s.rfind('.');
    if (dot == std::string::npos) return s;
    return s.substr(0, dot + 1) + ext;
}
