#include "scene/system_ini.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "database/system_data.h"
#include "platform/system/log.h"
#include "platform/system/path.h"

INIDATA IniData;

namespace {

// Keys and values are read into buffers of this size; longer ones are cut.
constexpr size_t kMaxToken = 2047;
constexpr int kMaxLines = 10000;

struct cFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

int32_t* NumberField(INIDATA& ini, int option) {
    switch (option) {
        case INI_DIRECT3D: return &ini.Direct3D;
        case INI_WINDOWMODE: return &ini.WindowMode;
        case INI_BPP: return &ini.Bpp;
        case INI_VSYNC: return &ini.VSync;
        case INI_D3D_FONTCACHE: return &ini.D3D_FontCache;
        case INI_DD_FONTCACHE: return &ini.DD_FontCache;
        case INI_DD_VIDEOSTRETCH: return &ini.DD_VideoStretch;
        case INI_SHOWFPS: return &ini.ShowFps;
        case INI_ENGLISH: return &ini.English;
        default: return nullptr;
    }
}

// Whether a number read for option is one the program can use.
bool InRange(int option, long value) {
    if (value < 0 || value > 0x7FFFFFFF) return false;
    switch (option) {
        case INI_WINDOWMODE: return value <= 2;
        case INI_BPP: return value == 0 || value == 8 || value == 16 || value == 24 || value == 32;
        default: return true;
    }
}

int32_t DefaultNumber(int option, const cSafeVector<cSysOption>& options) {
    if (option == INI_ENGLISH) return 0;
    return option < static_cast<int>(options.size()) ? options.data()[option].nValue : 0;
}

// Index of the option named key, or -1.
int FindOption(const std::string& key, const cSafeVector<cSysOption>& options) {
    for (size_t i = 0; i < options.size(); ++i)
        if (options.data()[i].strName == key) return static_cast<int>(i);
    return -1;
}

void Store(INIDATA& ini, int option, std::string value, const cSafeVector<cSysOption>& options) {
    if (option == INI_FREESTAGE) {
        // A file with CR LF line ends leaves the CR on the value.
        while (!value.empty() && value.back() == '\r') value.pop_back();
        if (value.size() >= 2 && value.size() <= 259) ini.FreeStage = value;
        return;
    }
    int32_t* field = NumberField(ini, option);
    if (!field) return;
    // Leading digits (with a sign); none read as 0.
    const long n = std::strtol(value.c_str(), nullptr, 10);
    if (!InRange(option, n)) {
        const int32_t def = DefaultNumber(option, options);
        WriteReport("System.ini : %s=%ld is out of range; %d is used", options.data()[option].strName.c_str(),
                    n, def);
        *field = def;
        return;
    }
    *field = static_cast<int32_t>(n);
}

}  // namespace

void SetIniDefaults(INIDATA& ini, const cSafeVector<cSysOption>& options) {
    for (int i = INI_DIRECT3D; i <= INI_SHOWFPS; ++i) *NumberField(ini, i) = DefaultNumber(i, options);
    ini.FreeStage = INI_FREESTAGE < static_cast<int>(options.size())
                        ? options.data()[INI_FREESTAGE].strValue
                        : std::string();
    ini.English = 0;
}

int ReadSystemIni(const std::string& path, INIDATA& ini, const cSafeVector<cSysOption>& options) {
    // Binary: the CRs reach the reader.
    std::unique_ptr<std::FILE, cFileCloser> file(std::fopen(ToNativePath(path, false).c_str(), "rb"));
    if (!file) return 0;
    std::FILE* f = file.get();
    for (int line = 0; line < kMaxLines; ++line) {
        std::string key;
        bool bEqual = false;
        for (;;) {
            const int c = std::fgetc(f);
            if (c == EOF) return key == "Exit" ? 1 : 0;  // a last "Exit" line without its line end is whole
            if (c == '\0') return 1;
            if (c == '=') {
                bEqual = true;
                break;
            }
            if (c == '\n') break;
            if (c == ' ' || c == '\t' || c == '\r') continue;
            if (key.size() < kMaxToken) key += static_cast<char>(c);
        }
        if (!bEqual) {
            if (key == "Exit") return 1;
            continue;
        }
        // What follows a blank, a tab or '/' on the line is read as a line of its own.
        std::string value;
        for (;;) {
            const int c = std::fgetc(f);
            if (c == EOF || c == ' ' || c == '\t' || c == '/' || c == '\n' || c == '\0') break;
            if (value.size() < kMaxToken) value += static_cast<char>(c);
        }
        const int option = FindOption(key, options);
        if (option >= 0 && option < INI_KEY_NUM) Store(ini, option, std::move(value), options);
    }
    return 1;
}

int LoadSystemIni(INIDATA& ini, const cSafeVector<cSysOption>& options) {
    SetIniDefaults(ini, options);
    if (ReadSystemIni("System.ini", ini, options)) return 1;
    WriteReportMes("System.ini の読み込みに失敗しました！");
    SetIniDefaults(ini, options);
    return 0;
}
