#include "platform/input/input_script.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <vector>

#include "platform/input/input_keys.h"
#include "platform/system/log.h"
#include "platform/input/vkey.h"

namespace {

struct SCRIPTEVENT {
    uint32_t frame;
    int vk;
    bool bDown;
};

struct SCRIPT {
    std::mutex lock;
    std::vector<SCRIPTEVENT> events;  // sorted by frame, file order kept within a frame
    size_t next = 0;
    bool bLoaded = false;
};

SCRIPT& Script() {
    static SCRIPT s;
    return s;
}

bool ParseFrame(const std::string& text, uint32_t& frame) {
    if (text.empty() || text.size() > 10) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    const unsigned long long v = std::strtoull(text.c_str(), nullptr, 10);
    if (v > 0xFFFFFFFFull) return false;
    frame = static_cast<uint32_t>(v);
    return true;
}

}  // namespace

int ParseInputScript(const std::string& text) {
    std::vector<SCRIPTEVENT> events;
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string frameText, keyText, stateText, extra;
        if (!(words >> frameText) || frameText[0] == '#') continue;
        words >> keyText >> stateText;
        SCRIPTEVENT e{};
        const int vk = VkFromString(keyText);
        const bool bState = stateText == "down" || stateText == "up";
        if (!ParseFrame(frameText, e.frame) || vk < 0 || !bState || (words >> extra)) {
            WriteReport("QV_INPUT : line %d ignored : %s", lineNo, line.c_str());
            continue;
        }
        e.vk = vk;
        e.bDown = stateText == "down";
        events.push_back(e);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const SCRIPTEVENT& a, const SCRIPTEVENT& b) { return a.frame < b.frame; });
    SCRIPT& s = Script();
    std::lock_guard<std::mutex> guard(s.lock);
    s.events = std::move(events);
    s.next = 0;
    s.bLoaded = true;
    return static_cast<int>(s.events.size());
}

bool LoadInputScript(const std::string& nativePath) {
    std::ifstream f(nativePath, std::ios::binary);
    if (!f) {
        WriteReport("QV_INPUT : cannot open %s", nativePath.c_str());
        return false;
    }
    std::stringstream ss;
    ss << f.rdbuf();
    const int n = ParseInputScript(ss.str());
    WriteReport("QV_INPUT : %s, %d events", nativePath.c_str(), n);
    return true;
}

bool LoadInputScriptFromEnv() {
    const char* path = std::getenv("QV_INPUT");
    if (!path || !*path) return true;
    return LoadInputScript(path);
}

void ApplyInputScript(uint32_t frame, std::vector<SCRIPTKEY>* applied) {
    SCRIPT& s = Script();
    std::lock_guard<std::mutex> guard(s.lock);
    while (s.next < s.events.size() && s.events[s.next].frame <= frame) {
        const SCRIPTEVENT& e = s.events[s.next];
        SetScriptKey(e.vk, e.bDown);
        if (applied) applied->push_back({e.vk, e.bDown});
        ++s.next;
    }
}

bool HasInputScript() {
    SCRIPT& s = Script();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.bLoaded;
}

void ResetInputScript() {
    SCRIPT& s = Script();
    std::lock_guard<std::mutex> guard(s.lock);
    s.events.clear();
    s.next = 0;
    s.bLoaded = false;
}
