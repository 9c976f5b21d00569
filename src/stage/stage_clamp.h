#pragma once
// Values a loaded stage file cannot mean, brought into range before play: the
// outer sizes of the scroll axes, the hero's and the characters' box sizes,
// characters' sides outside the eight of play, body powers, maximum HP and SP,
// and the positions and durations of the presentation commands. Each change
// leaves a line in the report log. Play computes with these in 32 bits, so the
// limits keep every sum and product in range.
#include <cstdint>

#include "stage/code_table.h"

class cFlowCmd;
class cStageData;

constexpr int32_t STAGE_OUTER_MIN = -640;        // an outer size of 0: every object is beyond it
constexpr int32_t STAGE_OUTER_MAX = 1000000;     // dots added to the 640 of the screen
constexpr int32_t STAGE_BOX_LIMIT = 65536;       // a body, range or box size, either sign
constexpr int32_t CHARA_SIDE_NUM = 8;            // sides 0..7
constexpr int32_t BODY_POWER_LIMIT = 999999999;  // either sign
constexpr int32_t CHARA_POINTS_MAX = 999999;     // maximum HP and SP, as the status commands keep them
constexpr int32_t CMD_CELL_LIMIT = 32768;        // a command's cell position, either sign
constexpr int32_t CMD_DOT_LIMIT = 1048576;       // a command's offset in dots, either sign
constexpr int32_t CMD_TENTHS_LIMIT = 3600000;    // a command's duration in tenths (100 hours), either sign

// Brings the values into range; the number of values changed. Without
// bCommands the flows' and items' commands are left as they are (the caller
// knows that none of them holds a value out of range).
int ClampStageValues(cStageData& stage, bool bCommands = true);

// Whether play limits a parameter of commands of character code `code`: the
// clamp looks at no other command.
constexpr bool CmdCodeHasLimits(int code) {
    return code == CMD_GAME_WAIT || code == CMD_MESSAGE || code == CMD_RUN_EFFECT || code == CMD_PICTURE ||
           code == CMD_SCREEN_COLOR;
}
// Whether the clamp would change a value of the command itself (its
// sub-flows' commands not counted).
bool CmdNeedsClamp(const cFlowCmd& cmd);

// While it lives, the commands loaded on this thread, and the flows and
// commands copied from templates, are watched: Noted() tells whether one of
// them may hold a value the clamp changes. A stage's load walks its commands
// for the clamp only then.
class cCmdClampWatch {
public:
    cCmdClampWatch();
    ~cCmdClampWatch();
    cCmdClampWatch(const cCmdClampWatch&) = delete;
    cCmdClampWatch& operator=(const cCmdClampWatch&) = delete;
    bool Noted() const { return m_bNoted; }

private:
    bool* m_lpPrev;
    bool m_bNoted = false;
};
// A command has been loaded (its repairs and checks done): the watch notes it
// when the clamp would change one of its values. A command whose code has no
// limits (CmdCodeHasLimits) need not be shown.
void NoteLoadedCmd(const cFlowCmd& cmd);
// Flows or commands were copied from a template, which may lie outside the
// stage (the common palette) and was never clamped: the watch notes it.
void NoteCopiedCmds();
