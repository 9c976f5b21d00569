#include "actors/flow_setup.h"

#include <algorithm>
#include <cmath>

#include "actors/chara.h"
#include "actors/flow_check.h"
#include "database/database_work.h"
#include "database/global_objects.h"
#include "stage/code_table.h"
#include "stage/flow.h"
#include "records/services.h"

#include <string>

int32_t SubStepFactor() {
    return PlayStage.nSteps > 0 ? PlayStage.nSteps : 1;
}

int32_t ExpandLoopCmds(cSafeVector<cFlowCmd>& cmds) {
    const int n = static_cast<int>(cmds.size());
    int at = -1;
    for (int i = 0; i < n && at < 0; ++i) {
        const cFlowCmd& c = cmds[i];
        if (c.nCode == (c.IsItemCmd() ? ITEMCMD_LOOP : CMD_LOOP)) at = i;
    }
    if (at < 0) return 0;
    const cFlowCmd& loop = cmds[at];
    const int32_t repeat = loop.vParam[0];
    int32_t span = loop.vParam[1];
    if (at + span >= n) span = n - 1 - at;
    if (span > 0 && repeat > 1) {
        // A flow never grows past MAX_FLOW_CMDS commands: a larger repeat is cut with a line.
        int64_t copies = repeat - 1;
        const int64_t room = (MAX_FLOW_CMDS - n) / span;
        if (copies > room) {
            RecWriteEC("loop of " + std::to_string(repeat) + " x " + std::to_string(span) +
                       " commands cut to fit a flow");
            copies = std::max<int64_t>(room, 0);
        }
        cSafeVector<cFlowCmd> unrolled;
        unrolled.reserve(static_cast<size_t>(n + copies * span));
        unrolled.insert(unrolled.end(), cmds.begin(), cmds.begin() + at + 1 + span);
        for (int64_t r = 0; r < copies; ++r)
            unrolled.insert(unrolled.end(), cmds.begin() + at + 1, cmds.begin() + at + 1 + span);
        unrolled.insert(unrolled.end(), cmds.begin() + at + 1 + span, cmds.end());
        cmds.swap(unrolled);
    }
    cmds.erase(cmds.begin() + at);
    return 1;
}

double CalcJumpSpeed(int32_t height16) {
    const double g = PlayStage.dGravityStep;
    if (g <= 0 || height16 <= 0) return 0;
    return -std::sqrt(2.0 * g * height16 * 16.0);
}

namespace {

// The distance of a move given by distance: half blocks × 16 unless in dots.
double MoveDistance(const cEdMove& m, int32_t clone) {
    const double d = m.nDist + m.nDistInc * clone;
    return m.nDistUnit == 1 ? d : d * 16.0;
}

void SetupStraight(cFlowCmdRun& st, const cEdMove& m, int32_t clone) {
    if (m.nGiven == 0) return;
    const double dist = MoveDistance(m, clone);
    if (m.nGiven == 1) {
        if (st.total != 0) st.speed = dist / st.total;
    } else if (m.nGiven == 2 && st.speed != 0) {
        st.total = std::abs(static_cast<int32_t>(dist / st.speed));
    }
}

void SetupCircle(cFlowCmdRun& st, const cEdMove& m, int32_t clone, int32_t facing, int32_t v) {
    const int32_t r = std::clamp<int32_t>(m.nDist + m.nDistInc * clone, 0, 20);
    st.dRadius = r * 16.0 * v;
    double start = 0;
    const double span = (m.nAngle + m.nAngleInc * clone) * static_cast<double>(v);
    st.nDir = m.nDir;
    // Written for a left-facing character: a right-placed one turns the other way round.
    if (m.bMirrorX && facing == 1) {
        start += 180.0 * v;
        if (st.nDir <= 1) st.nDir ^= 1;
    }
    st.dAngle = start;
    st.dAngleEnd = start + span;
    if (m.nGiven == 0) {
        if (st.total != 0) st.dAngleStep = span / st.total / v;
    } else if (st.speed != 0) {
        st.total = std::abs(static_cast<int32_t>(span / v / st.speed));
        st.dAngleStep = st.speed;
    }
}

void SetupJump(cFlowCmdRun& st, const cFlowCmd& c, int32_t v) {
    const int32_t height = c.vParam.size() > 2 ? c.vParam[2] : 0;
    st.dJumpSpeed = CalcJumpSpeed(height);
    const double g = PlayStage.dGravityStep;
    if (g <= 0) return;
    const int32_t steps = static_cast<int32_t>(-st.dJumpSpeed / g);
    const int32_t time = steps / v / 6 + 1;
    st.total = time * v * 6;
}

void PrepareCmd(cFlowCmdRun& st, int32_t clone, int32_t facing, int32_t v) {
    const cFlowCmd& c = *st.cmd;
    st.total = (c.nTime + c.nTimeInc * clone) * v * 6;
    st.counter = 0;
    st.done = 0;
    if (c.spMove) {
        const cEdMove& m = *c.spMove;
        st.moveKind = static_cast<int8_t>(m.nMode);
        st.speed = (m.nSpeed + m.nSpeedInc * clone) * 0.1 / v;
        if (m.bInertia) st.speed2 = m.nSpeed2 * 0.1 / v;
    }
    if (c.IsItemCmd()) return;
    switch (c.nCode) {
    case CMD_STRAIGHT_MOVE: case CMD_GROUND_TURN_MOVE: case CMD_CHARGE_MOVE: case CMD_AVOID_MOVE:
        if (c.spMove) SetupStraight(st, *c.spMove, clone);
        break;
    case CMD_CIRCLE_MOVE:
        if (c.spMove) SetupCircle(st, *c.spMove, clone, facing, v);
        break;
    case CMD_HOMING_MOVE:
        if (c.spMove) {
            st.dRadius = (c.spMove->nHoming + c.spMove->nHomingInc * clone) * static_cast<double>(v);
            SetupStraight(st, *c.spMove, clone);
        }
        break;
    case CMD_JUMP:
        SetupJump(st, c, v);
        break;
    default:
        break;
    }
}

// Sub-steps before the hold frame of animation `anime` (N × 6 × D).
int32_t AnimeLeadIn(int32_t anime, int32_t v, int32_t& sixD) {
    sixD = 0;
    if (anime < 0 || anime >= static_cast<int32_t>(AnimeWorkTable.size())) return 0;
    for (const FRAMEITEM& f : AnimeWorkTable[anime]) {
        if (f.nFlag != 0 || f.nCell < 0) break;
        sixD += f.nFrames;
    }
    return v * sixD;
}

void BuildAnimeSchedule(cFlowRun& fr, int32_t v) {
    fr.animeSchedule.clear();
    int32_t t = 0;
    const int n = static_cast<int>(fr.cmds.size());
    for (int k = 0; k < n; ++k) {
        const cFlowCmdRun& st = fr.cmds[k];
        const cFlowCmd& c = *st.cmd;
        if (c.nAnime != 0 && (!c.spMove || c.spMove->bAnime)) {
            int32_t sixD = 0;
            const int32_t lead = AnimeLeadIn(c.nAnime, v, sixD);
            int32_t r = lead;
            for (int j = k - 1; j >= 0 && r > 0; --j) {
                if (fr.cmds[j].cmd->bNoWait) continue;
                r -= fr.cmds[j].total;
            }
            ANIMESCHEDULE e;
            if (r <= 0) {
                e.nStart = t - lead;
                e.nOffset = 0;
                e.nLength = static_cast<int16_t>(sixD);
            } else {
                e.nStart = 0;
                e.nOffset = static_cast<int16_t>(std::min(r / v, sixD));
                e.nLength = static_cast<int16_t>(sixD - e.nOffset);
            }
            e.nStart2 = e.nStart;
            e.nAnime = c.nAnime;
            e.nHoldExt = static_cast<int16_t>(c.nTime * 6);
            const bool bFixed = !c.IsItemCmd() && (c.nCode == CMD_JUMP || c.nCode == CMD_SWORD);
            e.bStretch = bFixed ? 0 : 1;
            fr.animeSchedule.push_back(e);
        }
        if (!c.bNoWait) t += st.total;
    }
}

// The index checks and the loop unrolling of flows [first, first + count).
void PrepareFlows(cSafeVector<cFlow>& defs, int32_t first, int32_t count) {
    CheckFlows(defs, first, count);
    for (int32_t i = first; i < first + count; ++i) {
        while (ExpandLoopCmds(defs[i].vCmd)) {}
    }
}

}  // namespace

void cChara::SetFlows(const cSafeVector<cFlow>& src, int32_t bAdd, int32_t pos) {
    int32_t first = 0;
    int32_t count = 0;
    if (&src == &data.vFlow) {
        // The definition's flows, checked and unrolled, then shared with
        // every character whose flows came out the same.
        cSafeVector<cFlow> defs = std::move(data.vFlow);
        data.vFlow.clear();
        count = static_cast<int32_t>(defs.size());
        PrepareFlows(defs, 0, count);
        flows.clear();
        spFlowDefs = ShareFlowDefs(std::move(defs));
        bOwnFlowDefs = 0;
    } else {
        // A copy first: src may live inside this character's own flows.
        const cSafeVector<cFlow> copy = src;
        cSafeVector<cFlow>& defs = OwnFlowDefs();
        const int32_t size = static_cast<int32_t>(defs.size());
        first = pos < 0 || pos > size ? size : pos;
        count = static_cast<int32_t>(copy.size());
        defs.insert(defs.begin() + first, copy.begin(), copy.end());
        PrepareFlows(defs, first, count);
    }
    const int32_t at = std::min<int32_t>(first, static_cast<int32_t>(flows.size()));
    flows.insert(flows.begin() + at, static_cast<size_t>(count), cFlowRun{});
    RebindFlows();
    const int32_t v = SubStepFactor();
    for (int32_t i = first; i < first + count; ++i) {
        cFlowRun& fr = flows[i];
        fr.uid = ++nNextFlowUid;
        for (cFlowCmdRun& st : fr.cmds) PrepareCmd(st, nCloneIndex, data.byFacing, v);
        fr.condWasTrue = bAdd && !fr.def->bKeyHold ? 1 : 0;
        BuildAnimeSchedule(fr, v);
        if (!fr.animeSchedule.empty()) bAnimeSchedules = 1;
    }
}

void cChara::ClearFlowFrameFlags() {
    for (cFlowRun& fr : flows) fr.claimed = fr.started = fr.changedThisFrame = 0;
    if (groupStartedB.size() == FLOW_GROUP_NUM) std::fill(groupStartedB.begin(), groupStartedB.end(), 0);
    else groupStartedB.assign(FLOW_GROUP_NUM, 0);
}

namespace {

void RemoveFlowOverlays(cChara& c, int32_t uid) {
    c.overlays.remove_if([uid](const OVERLAYANIME& o) { return o.nFlowUid == uid; });
}

}  // namespace

void cChara::RemoveFlow(int32_t index) {
    cFlowRun& fr = flows[index];
    fr.Reset(*this);
    RemoveFlowOverlays(*this, fr.uid);
    cSafeVector<cFlow>& defs = OwnFlowDefs();
    defs.erase(defs.begin() + index);
    flows.erase(flows.begin() + index);
    RebindFlows();
}

int32_t cChara::RemoveFlowsById(int32_t id) {
    if (id == 0) {
        if (flows.empty()) return -1;
        for (cFlowRun& fr : flows) {
            fr.Reset(*this);
            RemoveFlowOverlays(*this, fr.uid);
        }
        flows.clear();
        spFlowDefs.reset();
        bOwnFlowDefs = 0;
        RebindFlows();
        return 0;
    }
    int32_t firstRemoved = -1;
    for (int32_t i = 0; i < static_cast<int32_t>(flows.size());) {
        if (flows[i].def && flows[i].def->nFlowID == id) {
            if (firstRemoved < 0) firstRemoved = i;
            RemoveFlow(i);
        } else {
            ++i;
        }
    }
    return firstRemoved;
}

void cChara::RemoveRequestedFlows() {
    if (!deletePending) return;
    for (int32_t i = static_cast<int32_t>(flows.size()) - 1; i >= 0; --i) {
        if (flows[i].deleteRequest) RemoveFlow(i);
    }
    deletePending = 0;
}
