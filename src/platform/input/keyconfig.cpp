#include "platform/input/keyconfig.h"

#include <unistd.h>

#include <algorithm>

#include "platform/input/joystick.h"
#include "platform/system/log.h"
#include "platform/input/vkey.h"
#include "records/data_file.h"
#include "records/data_stream.h"
#include "records/services.h"

KEYCONFIG KeyConfig;

void SetDefaultKeyConfig(KEYCONFIG& config) {
    static constexpr uint16_t kCodes[KEYCONFIG_SLOTS] = {37, 39, 38, 40, 'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};
    for (int i = 0; i < KEYCONFIG_SLOTS; ++i) config.Slot[i] = KEYSLOT{KEYCONFIG_KEYBOARD, kCodes[i]};
    config.nSlotNum = KEYCONFIG_SLOTS;
    config.nJoyNum = 1;
    config.bUse = 0;
}

bool ParseKeyConfig(const std::vector<uint8_t>& bytes, KEYCONFIG& config, std::string& why) {
    if (bytes.size() < KEYCONFIG_FILE_SIZE) {
        why = "short file (" + std::to_string(bytes.size()) + " bytes)";
        return false;
    }
    cDataReader in(bytes.data(), KEYCONFIG_FILE_SIZE);
    KEYCONFIG c;
    for (KEYSLOT& slot : c.Slot) {
        slot.nDevice = in.ReadU32();
        slot.nCode = in.ReadU16();
        in.Skip(2);
    }
    c.nSlotNum = in.ReadU32();
    c.nJoyNum = in.ReadU32();
    c.bUse = in.ReadU32();
    if (in.Failed()) {
        why = in.FailReason();
        return false;
    }
    if (c.nSlotNum > KEYCONFIG_SLOTS) {
        why = "slot count " + std::to_string(c.nSlotNum);
        return false;
    }
    if (c.nJoyNum > MAX_JOYSTICKS) {
        why = "joystick count " + std::to_string(c.nJoyNum);
        return false;
    }
    // The four direction slots are always read, the buttons only below the count.
    for (uint32_t i = 0; i < std::max<uint32_t>(KEYSLOT_BUTTON1, c.nSlotNum); ++i) {
        const KEYSLOT& slot = c.Slot[i];
        if (slot.nDevice == KEYCONFIG_KEYBOARD) {
            if (slot.nCode >= VK_COUNT) {
                why = "slot " + std::to_string(i) + " key " + std::to_string(slot.nCode);
                return false;
            }
        } else if (slot.nDevice >= MAX_JOYSTICKS) {
            why = "slot " + std::to_string(i) + " device " + std::to_string(slot.nDevice);
            return false;
        }
    }
    config = c;
    return true;
}

std::vector<uint8_t> KeyConfigBytes(const KEYCONFIG& config) {
    cDataWriter out;
    for (const KEYSLOT& slot : config.Slot) {
        out.WriteU32(slot.nDevice);
        out.WriteU16(slot.nCode);
        out.WriteU16(0);
    }
    out.WriteU32(config.nSlotNum);
    out.WriteU32(config.nJoyNum);
    out.WriteU32(config.bUse);
    return out.TakeBytes();
}

int LoadKeyConfig(const char* path, KEYCONFIG& config) {
    if (!path) return 0;
    const std::string native = RecNativePath(path, false);
    std::vector<uint8_t> bytes;
    std::string why;
    // Anything much longer than the format is not a key configuration.
    if (!ReadFileBytes(native, bytes, 4096)) {
        if (::access(native.c_str(), F_OK) != 0) return 0;  // no file: the caller's defaults
        why = "unreadable or too long";
    } else if (ParseKeyConfig(bytes, config, why)) {
        return 1;
    }
    WriteReport("KeyConfig : %s : %s : 標準のキー設定を使います", path, why.c_str());
    SetDefaultKeyConfig(config);
    return 0;
}
