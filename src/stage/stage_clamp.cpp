#include "stage/stage_clamp.h"

#include <algorithm>
#include <span>
#include <string>

#include "records/services.h"
#include "records/utility.h"
#include "stage/chara_data.h"
#include "stage/code_table.h"
#include "stage/flow.h"
#include "stage/flow_cmd.h"
#include "stage/item_data.h"
#include "stage/stage_data.h"

namespace {

// A parameter of a command that play computes with: its index, the limit
// either side of 0 and what the report line calls it.
struct PARAMLIMIT {
    size_t nParam;
    int32_t nLimit;
    const char* lpszWhat;
};

constexpr PARAMLIMIT g_GameWait[] = {{0, CMD_TENTHS_LIMIT, "game wait time"}};
constexpr PARAMLIMIT g_Message[] = {{1, CMD_CELL_LIMIT, "command cell X"},   {2, CMD_CELL_LIMIT, "command cell Y"},
                                    {3, CMD_DOT_LIMIT, "command offset X"},  {4, CMD_DOT_LIMIT, "command offset Y"},
                                    {7, CMD_TENTHS_LIMIT, "message time"}};
constexpr PARAMLIMIT g_RunEffect[] = {{2, CMD_CELL_LIMIT, "command cell X"}, {3, CMD_CELL_LIMIT, "command cell Y"},
                                      {4, CMD_DOT_LIMIT, "command offset X"}, {5, CMD_DOT_LIMIT, "command offset Y"}};
constexpr PARAMLIMIT g_Picture[] = {{2, CMD_CELL_LIMIT, "command cell X"},  {3, CMD_CELL_LIMIT, "command cell Y"},
                                    {4, CMD_DOT_LIMIT, "command offset X"}, {5, CMD_DOT_LIMIT, "command offset Y"},
                                    {9, CMD_TENTHS_LIMIT, "picture time"}};
constexpr PARAMLIMIT g_ScreenColor[] = {{5, CMD_TENTHS_LIMIT, "screen colour time"}};

// The limited parameters of a command of character code `code`, in the order they are reported.
constexpr std::span<const PARAMLIMIT> ParamLimitsOf(int code) {
    switch (code) {
    case CMD_GAME_WAIT: return g_GameWait;
    case CMD_MESSAGE: return g_Message;
    case CMD_RUN_EFFECT: return g_RunEffect;
    case CMD_PICTURE: return g_Picture;
    case CMD_SCREEN_COLOR: return g_ScreenColor;
    default: return {};
    }
}
std::span<const PARAMLIMIT> ParamLimits(const cFlowCmd& cmd) { return ParamLimitsOf(cmd.GetCharaCode()); }

// The loads skip the commands that CmdCodeHasLimits leaves out: it must name every code with limits.
constexpr bool LimitedCodesAgree() {
    for (int code = 0; code < 256; ++code)
        if (CmdCodeHasLimits(code) == ParamLimitsOf(code).empty()) return false;
    return true;
}
static_assert(LimitedCodesAgree(), "CmdCodeHasLimits disagrees with the parameter limits");

// Where the commands loaded or copied on this thread note that one of them
// needs the clamp; null when no stage load watches.
thread_local bool* t_lpCmdClampNoted = nullptr;

class cClamp {
public:
    // v into lo..hi; a report line names what changed.
    template <class T>
    void Limit(T& v, int64_t lo, int64_t hi, const char* what) {
        const int64_t old = v;
        if (old >= lo && old <= hi) return;
        v = static_cast<T>(std::clamp(old, lo, hi));
        std::string line;
        FormatString(line, "stage value out of range: %s %lld set to %lld", what, static_cast<long long>(old),
                     static_cast<long long>(v));
        RecWriteReport(line);
        ++nChanged;
    }

    void Chara(cCharaData& c, bool bCommands) {
        Limit(c.byForce, 0, CHARA_SIDE_NUM - 1, "character side");
        Limit(c.nBodyPower, -BODY_POWER_LIMIT, BODY_POWER_LIMIT, "character body power");
        Limit(c.nMaxHP, 0, CHARA_POINTS_MAX, "character maximum HP");
        Limit(c.nMaxSP, 0, CHARA_POINTS_MAX, "character maximum SP");
        if (bCommands)
            for (cFlow& f : c.vFlow) Flow(f);
    }
    void Item(cItemData& it) {
        for (cFlowCmd& cmd : it.vCmd) Cmd(cmd);
    }
    void Flow(cFlow& f) {
        for (cFlowCmd& cmd : f.vCmd) Cmd(cmd);
    }
    void Cmd(cFlowCmd& cmd) {
        for (const PARAMLIMIT& l : ParamLimits(cmd))
            if (l.nParam < cmd.vParam.size())
                Limit(cmd.vParam.data()[l.nParam], -int64_t{l.nLimit}, l.nLimit, l.lpszWhat);
        for (cFlow& f : cmd.SubFlowSpan()) Flow(f);
    }

    int nChanged = 0;
};

}  // namespace

bool CmdNeedsClamp(const cFlowCmd& cmd) {
    for (const PARAMLIMIT& l : ParamLimits(cmd)) {
        if (l.nParam >= cmd.vParam.size()) continue;
        const int32_t v = cmd.vParam.data()[l.nParam];
        if (v < -l.nLimit || v > l.nLimit) return true;
    }
    return false;
}

cCmdClampWatch::cCmdClampWatch() : m_lpPrev(t_lpCmdClampNoted) { t_lpCmdClampNoted = &m_bNoted; }
cCmdClampWatch::~cCmdClampWatch() { t_lpCmdClampNoted = m_lpPrev; }

void NoteLoadedCmd(const cFlowCmd& cmd) {
    if (t_lpCmdClampNoted && !*t_lpCmdClampNoted && CmdNeedsClamp(cmd)) *t_lpCmdClampNoted = true;
}

void NoteCopiedCmds() {
    if (t_lpCmdClampNoted) *t_lpCmdClampNoted = true;
}

int ClampStageValues(cStageData& s, bool bCommands) {
    cClamp c;
    c.Limit(s.nOuterX, STAGE_OUTER_MIN, STAGE_OUTER_MAX, "outer width");
    c.Limit(s.nOuterY, STAGE_OUTER_MIN, STAGE_OUTER_MAX, "outer height");
    for (int32_t* box : {&s.nHeroBodyAW, &s.nHeroBodyAH, &s.nHeroBodyBW, &s.nHeroBodyBH, &s.nHeroRange0W,
                         &s.nHeroRange0H, &s.nHeroRange0FlyW, &s.nHeroRange0FlyH, &s.nHeroRange1W, &s.nHeroRange1H,
                         &s.nHeroBox3W, &s.nHeroBox3H, &s.nCharaBodyAW, &s.nCharaBodyAH, &s.nCharaBodyBW,
                         &s.nCharaBodyBH, &s.nCharaRange0W, &s.nCharaRange0H, &s.nCharaRange0FlyW,
                         &s.nCharaRange0FlyH, &s.nCharaRange1W, &s.nCharaRange1H, &s.nHeroRange2W, &s.nHeroRange2H,
                         &s.nShotRangeW, &s.nShotRangeH})
        c.Limit(*box, -STAGE_BOX_LIMIT, STAGE_BOX_LIMIT, "box size");
    for (cCharaData& ch : s.vChara) c.Chara(ch, bCommands);
    for (cCharaData& ch : s.vPlacedChara) c.Chara(ch, bCommands);
    if (!bCommands) return c.nChanged;
    for (cItemData& it : s.vItem) c.Item(it);
    for (cItemData& it : s.vPlacedItem) c.Item(it);
    return c.nChanged;
}
