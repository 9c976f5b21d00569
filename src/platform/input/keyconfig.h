#pragma once
// The key configuration (user_data\KeyConfig.dat, 108 bytes, little-endian,
// no header): twelve slots {device, code} for left, right, up, down and
// buttons 1 to 8, then the slot count, the joystick count and the use flag.
// Device 8 is the keyboard (code: a virtual key); any other device is a
// joystick (code: an axis code below or a mask of its buttons).
#include <cstdint>
#include <string>
#include <vector>

constexpr int KEYCONFIG_SLOTS = 12;
constexpr size_t KEYCONFIG_FILE_SIZE = 108;
constexpr uint32_t KEYCONFIG_KEYBOARD = 8;

// Slot indexes.
enum : int { KEYSLOT_LEFT = 0, KEYSLOT_RIGHT = 1, KEYSLOT_UP = 2, KEYSLOT_DOWN = 3, KEYSLOT_BUTTON1 = 4 };

// Joystick codes that name a stick direction instead of buttons.
enum : uint16_t { JOYCODE_LEFT = 256, JOYCODE_RIGHT = 512, JOYCODE_UP = 1024, JOYCODE_DOWN = 2048 };

struct KEYSLOT {
    uint32_t nDevice = KEYCONFIG_KEYBOARD;
    uint16_t nCode = 0;
};

struct KEYCONFIG {
    KEYSLOT Slot[KEYCONFIG_SLOTS];
    uint32_t nSlotNum = 0;  // slots read: 0 to 12
    uint32_t nJoyNum = 0;   // joysticks 0 to nJoyNum-1 are read
    uint32_t bUse = 0;      // 0: fixed mapping; else this configuration
};

// The program's key configuration.
extern KEYCONFIG KeyConfig;

// The default mapping: arrows, then Z X C V A S D F; 12 slots, 1 joystick, not used.
void SetDefaultKeyConfig(KEYCONFIG& config);
// Reads the file at a program path into config: 1 when read, 0 when it cannot
// be opened (config untouched). A short or bad file (a count or code out of
// range) gives the defaults, a report-log line, and 0.
int LoadKeyConfig(const char* path, KEYCONFIG& config);
// Reads the 108 bytes through the field tables of the slots and the counts,
// then checks every count and code; false (with the reason in why, config
// untouched) when anything is out of range.
bool ParseKeyConfig(const std::vector<uint8_t>& bytes, KEYCONFIG& config, std::string& why);
// The 108 bytes of config.
std::vector<uint8_t> KeyConfigBytes(const KEYCONFIG& config);
