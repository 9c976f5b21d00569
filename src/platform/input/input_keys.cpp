#include "platform/input/input_keys.h"

#include <bitset>
#include <mutex>

#include "platform/input/vkey.h"

namespace {

struct KEYSNAPSHOT {
    std::mutex lock;
    std::bitset<VK_COUNT> device;
    std::bitset<VK_COUNT> script;
};

KEYSNAPSHOT& Snapshot() {
    static KEYSNAPSHOT s;
    return s;
}

bool HeldLocked(const KEYSNAPSHOT& s, int vk) { return s.device[vk] || s.script[vk]; }

}  // namespace

bool IsKeyHeld(int vk) {
    if (vk <= 0 || vk >= VK_COUNT) return false;
    KEYSNAPSHOT& s = Snapshot();
    std::lock_guard<std::mutex> guard(s.lock);
    switch (vk) {
        case VK_SHIFT: return HeldLocked(s, VK_SHIFT) || HeldLocked(s, VK_LSHIFT) || HeldLocked(s, VK_RSHIFT);
        case VK_CONTROL:
            return HeldLocked(s, VK_CONTROL) || HeldLocked(s, VK_LCONTROL) || HeldLocked(s, VK_RCONTROL);
        case VK_MENU: return HeldLocked(s, VK_MENU) || HeldLocked(s, VK_LMENU) || HeldLocked(s, VK_RMENU);
        default: return HeldLocked(s, vk);
    }
}

short GetAsyncKeyState(int vk) { return IsKeyHeld(vk) ? static_cast<short>(-32768) : 0; }

void SetDeviceKey(int vk, bool bDown) {
    if (vk <= 0 || vk >= VK_COUNT) return;
    KEYSNAPSHOT& s = Snapshot();
    std::lock_guard<std::mutex> guard(s.lock);
    s.device[vk] = bDown;
}

void ReleaseDeviceKeys() {
    KEYSNAPSHOT& s = Snapshot();
    std::lock_guard<std::mutex> guard(s.lock);
    s.device.reset();
}

void SetScriptKey(int vk, bool bDown) {
    if (vk <= 0 || vk >= VK_COUNT) return;
    KEYSNAPSHOT& s = Snapshot();
    std::lock_guard<std::mutex> guard(s.lock);
    s.script[vk] = bDown;
}

void ResetKeySnapshot() {
    KEYSNAPSHOT& s = Snapshot();
    std::lock_guard<std::mutex> guard(s.lock);
    s.device.reset();
    s.script.reset();
}
