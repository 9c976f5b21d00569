#pragma once
// One player's input as the scenes and the play engine read it: the
// direction as four bits and as a keypad digit (7 8 9 / 4 5 6 / 1 2 3, 5
// neutral), eight button bits, a frame history for command input, per-axis
// auto-repeat for menus and a one-shot button trigger. Read on the game
// thread from the key and joystick snapshots.
#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/input/joystick.h"

// Direction bits.
enum : uint16_t { INPUT_LEFT = 1, INPUT_RIGHT = 2, INPUT_UP = 4, INPUT_DOWN = 8 };

// One entry of a history channel: a value and how many frames it lasted.
struct INPUTHISTORY {
    uint16_t nValue = 0;
    uint32_t nRun = 0;
};

// One run of a pattern: whether the pattern held (0 or 1) and for how many frames.
struct INPUTRUN {
    int32_t nState = 0;
    int32_t nLength = 0;
};

// Whether the stick of state is pushed the way of an axis code (256 left,
// 512 right, 1024 up, 2048 down); 0 for any other code.
int IsJoyAxisPressed(const JOYSTATE& state, uint32_t code);

class cInput {
public:
    static constexpr int HISTORY_SIZE = 32;
    static constexpr int DIR_PATTERNS = 10;
    static constexpr int BUTTON_PATTERNS = 9;
    static constexpr int PATTERN_RUNS = 32;
    using RUNLIST = std::array<INPUTRUN, PATTERN_RUNS>;  // newest first

    cInput();

    // Joystick button mask i = 1 << i.
    void SetDefaultButtons();
    // Frames before the first repeat and between repeats (an interval of 0 counts as 1).
    void SetRepeat(uint32_t nDelay, uint32_t nInterval);
    // Fixed mapping (joystick joyId when bit 0 of devices is set, the arrows
    // and Z X C V A S D F when bit 1 is); 0 when the key configuration is in use.
    int ReadDefaultMapping(unsigned joyId, unsigned devices, int nRetry);
    // The key configuration's mapping; 0 when the configuration is not in use.
    int ReadKeyConfigMapping(int nPlayers, int nRetry);

    // 5, then 4 for left (else 6 for right), then -3 for up (else +3 for down).
    int GetDirectionDigit() const;
    // Direction bits 0 and digit 5.
    void ClearDirection();
    // Button bits 0.
    void ClearButtons();
    // Every history entry {0, 0}, both ring indexes 0.
    void ClearHistory();
    // Adds this frame's direction and button bits to the history.
    void RecordHistory();
    // The value of channel (0 directions, 1 buttons) k frames ago; 0 for a bad channel.
    uint16_t GetHistory(int nChannel, uint32_t k) const;
    // Every pattern run list back to 32 runs {0, 0}.
    void ClearPatternHistory();
    // Adds this frame to the 10 direction and 9 button patterns.
    void RecordPatternHistory();
    // Turns held directions into repeats per axis.
    void UpdateRepeat();
    // Lets a press of the masked buttons (0: all) through once, then none until all are released.
    void TriggerButtons(uint16_t mask);

    // Run list of direction pattern i (0 neutral ... 9 any direction).
    const RUNLIST& DirRuns(int i) const { return m_DirRuns[static_cast<size_t>(i)]; }
    // Run list of button pattern i (0 no button, 1..8 buttons 1..8).
    const RUNLIST& ButtonRuns(int i) const { return m_ButtonRuns[static_cast<size_t>(i)]; }

    uint16_t m_nDir = 0;       // direction bits
    uint16_t m_nButton = 0;    // button bits, button 1 = bit 0
    uint16_t m_nPrevDir = 0;   // raw direction bits of earlier updates, newest in the low nibble
    INPUTHISTORY m_History[2][HISTORY_SIZE];
    uint32_t m_nHistoryIndex[2] = {0, 0};
    int32_t m_nDigit = 5;             // keypad digit of the direction
    uint32_t m_nRepeatH = 0;          // updates without a left/right change
    uint32_t m_nRepeatV = 0;          // updates without an up/down change
    uint32_t m_nRepeatDelay = 18;     // updates before the first repeat
    uint32_t m_nRepeatInterval = 6;   // updates between repeats, never 0
    int32_t m_bButtonLatch = 0;       // a triggered button is still held
    uint16_t m_nJoyButton[8] = {0, 0, 0, 0, 0, 0, 0, 0};  // masks for buttons 1 to 8
    // Whether each joystick was read at its last try, and polls to skip before
    // trying an absent one again (kept per joystick, so a missing pad never
    // holds up another).
    int32_t m_bJoyPresent[MAX_JOYSTICKS] = {};
    int32_t m_nJoyRetry[MAX_JOYSTICKS] = {};

private:
    // Reads joystick id with the retry countdown; false when absent or skipped.
    bool ReadJoystick(unsigned id, int nRetry, JOYSTATE& state);

    std::array<RUNLIST, DIR_PATTERNS> m_DirRuns{};
    std::array<RUNLIST, BUTTON_PATTERNS> m_ButtonRuns{};
};
