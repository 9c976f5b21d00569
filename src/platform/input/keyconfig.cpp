#include "platform/input/keyconfig.h"

#include <unistd.h>

#include <algorithm>

#include "platform/input/joystick.h"
#include "platform/system/log.h"
#include "platform/input/vkey.h"
#include "records/data_file.h"
#include "records/data_stream.h"
#include "records/field_table.h"
#include "records/services.h"

KEYCONFIG KeyConfig;

namespace {

// The file: twelve slots, then the counts, with the defaults of the default
// mapping (the slots' key codes differ slot by slot: kDefaultCodes).
constexpr FIELDROW<KEYSLOT> g_SlotRows[] = {
    {&KEYSLOT::nDevice, 4, 0, 0, KEYCONFIG_KEYBOARD},
    {&KEYSLOT::nCode, 2},
    {std::monostate{}, 2},  // unused: read past, written as zeros
};
static_assert(WidthsMatch(g_SlotRows), "a width column disagrees with its member");
constexpr std::span<const FIELDROW<KEYSLOT>> SlotRows{g_SlotRows};

constexpr FIELDROW<KEYCONFIG> g_ConfigRows[] = {
    {&KEYCONFIG::nSlotNum, 4, 0, 0, KEYCONFIG_SLOTS},
    {&KEYCONFIG::nJoyNum, 4, 0, 0, 1},
    {&KEYCONFIG::bUse, 4},
};
static_assert(WidthsMatch(g_ConfigRows), "a width column disagrees with its member");
constexpr std::span<const FIELDROW<KEYCONFIG>> ConfigRows{g_ConfigRows};

template <class C>
constexpr size_t ImageBytes(std::span<const FIELDROW<C>> rows) {
    size_t n = 0;
    for (const FIELDROW<C>& row : rows) n += static_cast<size_t>(row.Bytes());
    return n;
}
static_assert(KEYCONFIG_SLOTS * ImageBytes(SlotRows) + ImageBytes(ConfigRows) == KEYCONFIG_FILE_SIZE,
              "the rows do not make up the file");

constexpr uint16_t kDefaultCodes[KEYCONFIG_SLOTS] = {37, 39, 38, 40, 'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};

}  // namespace

void SetDefaultKeyConfig(KEYCONFIG& config) {
    for (int i = 0; i < KEYCONFIG_SLOTS; ++i) {
        DefaultRows(SlotRows, &config.Slot[i]);
        config.Slot[i].nCode = kDefaultCodes[i];
    }
    DefaultRows(ConfigRows, &config);
}

bool ParseKeyConfig(const std::vector<uint8_t>& bytes, KEYCONFIG& config, std::string& why) {
    if (bytes.size() < KEYCONFIG_FILE_SIZE) {
        why = "short file (" + std::to_string(bytes.size()) + " bytes)";
        return false;
    }
    cDataReader in(bytes.data(), KEYCONFIG_FILE_SIZE);
    KEYCONFIG c;
    for (KEYSLOT& slot : c.Slot) ReadRowImage(in, SlotRows, &slot);
    ReadRowImage(in, ConfigRows, &c);
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
    KEYCONFIG c = config;
    cDataWriter out;
    for (KEYSLOT& slot : c.Slot) WriteRowImage(out, SlotRows, &slot);
    WriteRowImage(out, ConfigRows, &c);
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
