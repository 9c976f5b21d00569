#include "platform/input/vkey.h"

#include <SDL.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <utility>

namespace {

struct KEYROW {
    SDL_Scancode scancode;
    int vk;
    const char* name;
};

// The one mapping from physical keys to virtual keys (and each key's name),
// with the virtual keys a US layout gives each key position; letters, digits
// and function keys are filled in by code below.
constexpr KEYROW kKeys[] = {
    {SDL_SCANCODE_BACKSPACE, VK_BACK, "BACK"},
    {SDL_SCANCODE_TAB, VK_TAB, "TAB"},
    {SDL_SCANCODE_RETURN, VK_RETURN, "RETURN"},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN, nullptr},
    {SDL_SCANCODE_PAUSE, VK_PAUSE, "PAUSE"},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, "CAPITAL"},
    {SDL_SCANCODE_LANG3, VK_KANA, "KANA"},
    {SDL_SCANCODE_INTERNATIONAL2, VK_KANA, nullptr},
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE, "ESCAPE"},
    {SDL_SCANCODE_INTERNATIONAL4, VK_CONVERT, "CONVERT"},
    {SDL_SCANCODE_INTERNATIONAL5, VK_NONCONVERT, "NONCONVERT"},
    {SDL_SCANCODE_SPACE, VK_SPACE, "SPACE"},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR, "PRIOR"},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT, "NEXT"},
    {SDL_SCANCODE_END, VK_END, "END"},
    {SDL_SCANCODE_HOME, VK_HOME, "HOME"},
    {SDL_SCANCODE_LEFT, VK_LEFT, "LEFT"},
    {SDL_SCANCODE_UP, VK_UP, "UP"},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, "RIGHT"},
    {SDL_SCANCODE_DOWN, VK_DOWN, "DOWN"},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT, "SNAPSHOT"},
    {SDL_SCANCODE_INSERT, VK_INSERT, "INSERT"},
    {SDL_SCANCODE_DELETE, VK_DELETE, "DELETE"},
    {SDL_SCANCODE_LGUI, VK_LWIN, "LWIN"},
    {SDL_SCANCODE_RGUI, VK_RWIN, "RWIN"},
    {SDL_SCANCODE_APPLICATION, VK_APPS, "APPS"},
    {SDL_SCANCODE_KP_0, VK_NUMPAD0, "NUMPAD0"},
    {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1, "NUMPAD1"},
    {SDL_SCANCODE_KP_2, VK_NUMPAD0 + 2, "NUMPAD2"},
    {SDL_SCANCODE_KP_3, VK_NUMPAD0 + 3, "NUMPAD3"},
    {SDL_SCANCODE_KP_4, VK_NUMPAD0 + 4, "NUMPAD4"},
    {SDL_SCANCODE_KP_5, VK_NUMPAD0 + 5, "NUMPAD5"},
    {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6, "NUMPAD6"},
    {SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7, "NUMPAD7"},
    {SDL_SCANCODE_KP_8, VK_NUMPAD0 + 8, "NUMPAD8"},
    {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9, "NUMPAD9"},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, "MULTIPLY"},
    {SDL_SCANCODE_KP_PLUS, VK_ADD, "ADD"},
    {SDL_SCANCODE_KP_COMMA, VK_SEPARATOR, "SEPARATOR"},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, "SUBTRACT"},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, "DECIMAL"},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, "DIVIDE"},
    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, "NUMLOCK"},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL, "SCROLL"},
    {SDL_SCANCODE_LSHIFT, VK_LSHIFT, "LSHIFT"},
    {SDL_SCANCODE_RSHIFT, VK_RSHIFT, "RSHIFT"},
    {SDL_SCANCODE_LCTRL, VK_LCONTROL, "LCONTROL"},
    {SDL_SCANCODE_RCTRL, VK_RCONTROL, "RCONTROL"},
    {SDL_SCANCODE_LALT, VK_LMENU, "LMENU"},
    {SDL_SCANCODE_RALT, VK_RMENU, "RMENU"},
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1, "OEM_1"},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS, "OEM_PLUS"},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA, "OEM_COMMA"},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS, "OEM_MINUS"},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD, "OEM_PERIOD"},
    {SDL_SCANCODE_SLASH, VK_OEM_2, "OEM_2"},
    {SDL_SCANCODE_GRAVE, VK_OEM_3, "OEM_3"},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4, "OEM_4"},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5, "OEM_5"},
    {SDL_SCANCODE_INTERNATIONAL3, VK_OEM_5, nullptr},  // yen
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6, "OEM_6"},
    {SDL_SCANCODE_NONUSHASH, VK_OEM_7, nullptr},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7, "OEM_7"},
    {SDL_SCANCODE_INTERNATIONAL1, VK_OEM_102, "OEM_102"},  // ro
    {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102, nullptr},
};

// Names of the codes that no scancode gives, or that have two spellings.
constexpr std::pair<int, const char*> kExtraNames[] = {
    {VK_LBUTTON, "LBUTTON"}, {VK_RBUTTON, "RBUTTON"}, {VK_MBUTTON, "MBUTTON"}, {VK_SHIFT, "SHIFT"},
    {VK_CONTROL, "CONTROL"}, {VK_MENU, "MENU"},       {VK_KANJI, "KANJI"},     {VK_RETURN, "ENTER"},
    {VK_ESCAPE, "ESC"},
};

struct TABLES {
    std::array<int, SDL_NUM_SCANCODES> vkOfScancode{};
    std::array<std::string, VK_COUNT> nameOfVk;
};

const TABLES& Tables() {
    static const TABLES tables = [] {
        TABLES t;
        for (int i = 0; i < 26; ++i) {
            t.vkOfScancode[SDL_SCANCODE_A + i] = 'A' + i;
            t.nameOfVk['A' + i] = std::string(1, static_cast<char>('A' + i));
        }
        for (int i = 0; i < 10; ++i) {
            // SDL puts 0 after 9.
            const int vk = i == 9 ? '0' : '1' + i;
            t.vkOfScancode[SDL_SCANCODE_1 + i] = vk;
            t.nameOfVk[vk] = std::string(1, static_cast<char>(vk));
        }
        for (int i = 0; i < 12; ++i) {
            t.vkOfScancode[SDL_SCANCODE_F1 + i] = VK_F1 + i;
            t.vkOfScancode[SDL_SCANCODE_F13 + i] = VK_F1 + 12 + i;
        }
        for (int i = 0; i < 24; ++i) {
            std::string& name = t.nameOfVk[VK_F1 + i];
            name = "F";
            name += std::to_string(i + 1);
        }
        for (const KEYROW& row : kKeys) {
            t.vkOfScancode[row.scancode] = row.vk;
            if (row.name) t.nameOfVk[row.vk] = row.name;
        }
        for (const auto& [vk, name] : kExtraNames)
            if (t.nameOfVk[vk].empty()) t.nameOfVk[vk] = name;
        return t;
    }();
    return tables;
}

std::string Upper(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

int VkFromScancode(int scancode) {
    if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
    return Tables().vkOfScancode[scancode];
}

std::string VkName(int vk) {
    if (vk < 0 || vk >= VK_COUNT) return std::string();
    return Tables().nameOfVk[vk];
}

int VkFromString(const std::string& text) {
    if (text.empty()) return -1;
    if (std::isdigit(static_cast<unsigned char>(text[0]))) {
        if (text.size() == 1) return text[0];  // the digit keys go by name
        const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
        char* end = nullptr;
        const long v = std::strtol(text.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
        if (*end != '\0' || v < 1 || v > 255) return -1;
        return static_cast<int>(v);
    }
    std::string name = Upper(text);
    if (name.rfind("VK_", 0) == 0) name = name.substr(3);
    if (name.empty()) return -1;
    for (const auto& [vk, extra] : kExtraNames)
        if (name == extra) return vk;
    const TABLES& t = Tables();
    for (int vk = 1; vk < VK_COUNT; ++vk)
        if (t.nameOfVk[vk] == name) return vk;
    return -1;
}
