#include "stage/stage_clamp.h"

#include <algorithm>
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

    void Chara(cCharaData& c) {
        Limit(c.byForce, 0, CHARA_SIDE_NUM - 1, "character side");
        Limit(c.nBodyPower, -BODY_POWER_LIMIT, BODY_POWER_LIMIT, "character body power");
        for (cFlow& f : c.vFlow) Flow(f);
    }
    void Item(cItemData& it) {
        for (cFlowCmd& cmd : it.vCmd) Cmd(cmd);
    }
    void Flow(cFlow& f) {
        for (cFlowCmd& cmd : f.vCmd) Cmd(cmd);
    }
    void Cmd(cFlowCmd& cmd) {
        auto param = [&cmd, this](size_t k, int32_t limit, const char* what) {
            if (k < cmd.vParam.size()) Limit(cmd.vParam.data()[k], -int64_t{limit}, limit, what);
        };
        auto cells = [&](size_t first) {
            param(first, CMD_CELL_LIMIT, "command cell X");
            param(first + 1, CMD_CELL_LIMIT, "command cell Y");
            param(first + 2, CMD_DOT_LIMIT, "command offset X");
            param(first + 3, CMD_DOT_LIMIT, "command offset Y");
        };
        switch (cmd.GetCharaCode()) {
        case CMD_GAME_WAIT: param(0, CMD_TENTHS_LIMIT, "game wait time"); break;
        case CMD_MESSAGE:
            cells(1);
            param(7, CMD_TENTHS_LIMIT, "message time");
            break;
        case CMD_RUN_EFFECT: cells(2); break;
        case CMD_PICTURE:
            cells(2);
            param(9, CMD_TENTHS_LIMIT, "picture time");
            break;
        case CMD_SCREEN_COLOR: param(5, CMD_TENTHS_LIMIT, "screen colour time"); break;
        default: break;
        }
        for (cFlow& f : cmd.vSubFlow) Flow(f);
    }

    int nChanged = 0;
};

}  // namespace

int ClampStageValues(cStageData& s) {
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
    for (cCharaData& ch : s.vChara) c.Chara(ch);
    for (cCharaData& ch : s.vPlacedChara) c.Chara(ch);
    for (cItemData& it : s.vItem) c.Item(it);
    for (cItemData& it : s.vPlacedItem) c.Item(it);
    return c.nChanged;
}
