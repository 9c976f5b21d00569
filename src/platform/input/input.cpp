#include "platform/input/input.h"

#include <algorithm>

#include "platform/input/input_keys.h"
#include "platform/input/keyconfig.h"
#include "platform/input/vkey.h"

namespace {

constexpr uint32_t kAxisLow = 10000;   // at or below: pushed left or up
constexpr uint32_t kAxisHigh = 55535;  // at or above: pushed right or down
constexpr int32_t kRunMax = 2147483647;

struct PATTERN {
    uint16_t nTarget;
    bool bExact;
};

constexpr PATTERN kDirPatterns[cInput::DIR_PATTERNS] = {
    {0, true}, {1, true}, {2, true}, {4, true}, {8, true}, {5, true}, {9, true}, {6, true}, {10, true}, {15, false},
};
constexpr PATTERN kButtonPatterns[cInput::BUTTON_PATTERNS] = {
    {0, true}, {1, false}, {2, false}, {4, false}, {8, false}, {16, false}, {32, false}, {64, false}, {128, false},
};

bool IsAxisCode(uint32_t code) {
    return code == JOYCODE_LEFT || code == JOYCODE_RIGHT || code == JOYCODE_UP || code == JOYCODE_DOWN;
}

void AddRun(cInput::RUNLIST& runs, int32_t state) {
    if (runs[0].nState != state) {
        std::rotate(runs.rbegin(), runs.rbegin() + 1, runs.rend());  // the oldest run goes
        runs[0] = INPUTRUN{state, 1};
    } else if (runs[0].nLength != kRunMax) {
        ++runs[0].nLength;
    }
}

bool MatchesPattern(const PATTERN& p, uint16_t bits) { return p.bExact ? bits == p.nTarget : (bits & p.nTarget) != 0; }

}  // namespace

int IsJoyAxisPressed(const JOYSTATE& state, uint32_t code) {
    switch (code) {
        case JOYCODE_LEFT: return state.dwXpos <= kAxisLow;
        case JOYCODE_RIGHT: return state.dwXpos >= kAxisHigh;
        case JOYCODE_UP: return state.dwYpos <= kAxisLow;
        case JOYCODE_DOWN: return state.dwYpos >= kAxisHigh;
        default: return 0;
    }
}

cInput::cInput() {
    ClearHistory();
    ClearPatternHistory();
}

void cInput::SetDefaultButtons() {
    for (int i = 0; i < 8; ++i) m_nJoyButton[i] = static_cast<uint16_t>(1u << i);
}

void cInput::SetRepeat(uint32_t nDelay, uint32_t nInterval) {
    m_nRepeatDelay = nDelay;
    m_nRepeatInterval = nInterval ? nInterval : 1;
}

bool cInput::ReadJoystick(unsigned id, int nRetry, JOYSTATE& state) {
    if (id >= MAX_JOYSTICKS) return false;
    if (!m_bJoyPresent[id] && m_nJoyRetry[id] > 0) {
        --m_nJoyRetry[id];
        return false;
    }
    if (!ReadJoystickState(id, state)) {
        m_bJoyPresent[id] = 0;
        m_nJoyRetry[id] = nRetry * 2;
        return false;
    }
    m_bJoyPresent[id] = 1;
    return true;
}

int cInput::ReadDefaultMapping(unsigned joyId, unsigned devices, int nRetry) {
    if (KeyConfig.bUse) return 0;
    bool bJoyDir = false, bJoyButton = false;
    JOYSTATE joy;
    const bool bJoyRead = (devices & 1) && ReadJoystick(joyId, nRetry, joy);
    if (bJoyRead) {
        m_nDigit = 5;
        m_nDir = 0;
        if (joy.dwXpos <= kAxisLow) {
            m_nDigit = 4;
            m_nDir = INPUT_LEFT;
        } else if (joy.dwXpos >= kAxisHigh) {
            m_nDigit = 6;
            m_nDir = INPUT_RIGHT;
        }
        if (joy.dwYpos <= kAxisLow) {
            m_nDigit -= 3;
            m_nDir |= INPUT_UP;
        } else if (joy.dwYpos >= kAxisHigh) {
            m_nDigit += 3;
            m_nDir |= INPUT_DOWN;
        }
        bJoyDir = m_nDigit != 5;
        m_nButton = 0;
        for (int i = 0; i < 8; ++i)
            if (joy.dwButtons & m_nJoyButton[i]) m_nButton |= static_cast<uint16_t>(1u << i);
        bJoyButton = m_nButton != 0;
    }
    if (!(devices & 2)) {
        // Joystick only and none read: neutral, not the last state of a pad pulled out.
        if (!bJoyRead) {
            ClearDirection();
            ClearButtons();
        }
        return 1;
    }
    if (!bJoyDir) {
        m_nDigit = 5;
        m_nDir = 0;
        if (IsKeyHeld(VK_LEFT)) m_nDigit -= 1, m_nDir |= INPUT_LEFT;
        if (IsKeyHeld(VK_RIGHT)) m_nDigit += 1, m_nDir |= INPUT_RIGHT;
        if (IsKeyHeld(VK_UP)) m_nDigit -= 3, m_nDir |= INPUT_UP;
        if (IsKeyHeld(VK_DOWN)) m_nDigit += 3, m_nDir |= INPUT_DOWN;
    }
    if (bJoyButton) return 1;
    static constexpr int kButtonKeys[8] = {'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};
    m_nButton = 0;
    for (int i = 0; i < 8; ++i)
        if (IsKeyHeld(kButtonKeys[i])) m_nButton |= static_cast<uint16_t>(1u << i);
    return 1;
}

int cInput::ReadKeyConfigMapping(int nPlayers, int nRetry) {
    if (!KeyConfig.bUse) return 0;
    // The configuration file holds one player's slots; further players read nothing.
    if (nPlayers < 1) return 1;
    const unsigned nJoy = std::min<unsigned>(KeyConfig.nJoyNum, MAX_JOYSTICKS);
    JOYSTATE joys[MAX_JOYSTICKS];
    bool joyRead[MAX_JOYSTICKS] = {};
    for (unsigned j = 0; j < nJoy; ++j) joyRead[j] = ReadJoystick(j, nRetry, joys[j]);

    const uint32_t nSlots = std::min<uint32_t>(KeyConfig.nSlotNum, KEYCONFIG_SLOTS);
    auto pressed = [&](uint32_t i) -> bool {
        const KEYSLOT& slot = KeyConfig.Slot[i];
        if (slot.nDevice == KEYCONFIG_KEYBOARD) return slot.nCode != 0 && IsKeyHeld(slot.nCode);
        // A joystick at or beyond the count has no state: never pressed.
        if (slot.nDevice >= nJoy || !joyRead[slot.nDevice]) return false;
        const JOYSTATE& joy = joys[slot.nDevice];
        // An axis code tests the stick only, never the button of the same bit.
        if (IsAxisCode(slot.nCode)) return IsJoyAxisPressed(joy, slot.nCode) != 0;
        return (slot.nCode & joy.dwButtons) != 0;
    };
    m_nDigit = 5;
    m_nDir = 0;
    m_nButton = 0;
    if (pressed(KEYSLOT_LEFT)) {
        m_nDigit -= 1;
        m_nDir |= INPUT_LEFT;
    } else if (pressed(KEYSLOT_RIGHT)) {
        m_nDigit += 1;
        m_nDir |= INPUT_RIGHT;
    }
    if (pressed(KEYSLOT_UP)) {
        m_nDigit -= 3;
        m_nDir |= INPUT_UP;
    } else if (pressed(KEYSLOT_DOWN)) {
        m_nDigit += 3;
        m_nDir |= INPUT_DOWN;
    }
    for (uint32_t i = 0; i + KEYSLOT_BUTTON1 < nSlots && i < 8; ++i)
        if (pressed(KEYSLOT_BUTTON1 + i)) m_nButton |= static_cast<uint16_t>(1u << i);
    return 1;
}

int cInput::GetDirectionDigit() const {
    int digit = 5;
    if (m_nDir & INPUT_LEFT)
        digit = 4;
    else if (m_nDir & INPUT_RIGHT)
        digit = 6;
    if (m_nDir & INPUT_UP)
        digit -= 3;
    else if (m_nDir & INPUT_DOWN)
        digit += 3;
    return digit;
}

void cInput::ClearDirection() {
    m_nDir = 0;
    m_nDigit = 5;
}

void cInput::ClearButtons() { m_nButton = 0; }

void cInput::ClearHistory() {
    for (auto& channel : m_History)
        for (INPUTHISTORY& entry : channel) entry = INPUTHISTORY{};
    m_nHistoryIndex[0] = m_nHistoryIndex[1] = 0;
}

void cInput::RecordHistory() {
    const uint16_t values[2] = {m_nDir, m_nButton};
    for (int c = 0; c < 2; ++c) {
        INPUTHISTORY& newest = m_History[c][m_nHistoryIndex[c]];
        if (newest.nValue != values[c]) {
            m_nHistoryIndex[c] = (m_nHistoryIndex[c] + 1) % HISTORY_SIZE;
            m_History[c][m_nHistoryIndex[c]] = INPUTHISTORY{values[c], 1};
        } else if (newest.nRun != static_cast<uint32_t>(kRunMax)) {
            ++newest.nRun;
        }
    }
}

uint16_t cInput::GetHistory(int nChannel, uint32_t k) const {
    if (nChannel < 0 || nChannel > 1) return 0;
    uint32_t index = m_nHistoryIndex[nChannel] % HISTORY_SIZE;
    uint64_t remaining = static_cast<uint64_t>(k) + 1;
    // At most to the oldest entry, which answers for anything older (walking
    // on would wrap round to the newest value).
    for (int i = 0; i < HISTORY_SIZE - 1; ++i) {
        const uint32_t run = m_History[nChannel][index].nRun;
        if (remaining <= run) break;
        remaining -= run;
        index = (index + HISTORY_SIZE - 1) % HISTORY_SIZE;
    }
    return m_History[nChannel][index].nValue;
}

void cInput::ClearPatternHistory() {
    for (RUNLIST& runs : m_DirRuns) runs.fill(INPUTRUN{});
    for (RUNLIST& runs : m_ButtonRuns) runs.fill(INPUTRUN{});
}

void cInput::RecordPatternHistory() {
    for (int i = 0; i < DIR_PATTERNS; ++i) AddRun(m_DirRuns[i], MatchesPattern(kDirPatterns[i], m_nDir) ? 1 : 0);
    for (int i = 0; i < BUTTON_PATTERNS; ++i)
        AddRun(m_ButtonRuns[i], MatchesPattern(kButtonPatterns[i], m_nButton) ? 1 : 0);
}

void cInput::UpdateRepeat() {
    const uint16_t before = m_nPrevDir & 0xF;
    m_nPrevDir = static_cast<uint16_t>((m_nPrevDir << 4) | (m_nDir & 0xF));
    const uint32_t interval = m_nRepeatInterval ? m_nRepeatInterval : 1;
    auto axis = [&](uint16_t bits, uint32_t& count) {
        if ((before ^ m_nDir) & bits) {
            count = 0;
            return;
        }
        ++count;
        if (count < m_nRepeatDelay || count % interval != 0) m_nDir &= static_cast<uint16_t>(~bits);
    };
    axis(INPUT_LEFT | INPUT_RIGHT, m_nRepeatH);
    axis(INPUT_UP | INPUT_DOWN, m_nRepeatV);
}

void cInput::TriggerButtons(uint16_t mask) {
    if (mask == 0) mask = 0xFF;
    const bool bHeldOnEntry = (m_nButton & mask) != 0;
    for (int i = 0; i < 8; ++i) {
        const uint16_t bit = static_cast<uint16_t>(1u << i);
        if (!(mask & bit)) continue;
        if (m_bButtonLatch == 1 && (m_nButton & bit)) m_nButton &= static_cast<uint16_t>(~bit);
        if ((m_nButton & bit) && m_bButtonLatch == 0) {
            m_bButtonLatch = 1;
            return;
        }
    }
    if (!bHeldOnEntry)
        m_bButtonLatch = 0;
    else
        m_nButton &= static_cast<uint16_t>(~mask);
}
