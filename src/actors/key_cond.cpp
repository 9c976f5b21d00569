#include "actors/key_cond.h"

#include <algorithm>
#include <climits>

#include "actors/chara.h"
#include "platform/input/input.h"
#include "stage/flow.h"
#include "world/world_state.h"

namespace {

constexpr int KEY_DIR_NUM = cInput::DIR_PATTERNS;
constexpr int KEY_RUN_LAST = cInput::PATTERN_RUNS - 1;

// The slot a step's slot reads: facing-relative steps swap left and right
// for a left-facing character.
int MirrorSlot(int s, const cEdCmdList& step, bool bLeft) {
    if (!step.bMirror || !bLeft) return s;
    switch (s) {
    case 1: return 2;
    case 2: return 1;
    case 5: return 7;
    case 7: return 5;
    case 6: return 8;
    case 8: return 6;
    default: return s;
    }
}

int Wanted(const cEdCmdList& step, int s) {
    return s < static_cast<int>(step.vKey.size()) ? step.vKey[s] : 0;
}

}  // namespace

const INPUTRUN* KeyRuns(const cInput& input, int s) {
    return s < KEY_DIR_NUM ? input.DirRuns(s).data() : input.ButtonRuns(s - KEY_DIR_NUM).data();
}

KEYCURSORS MakeKeyCursors(const cInput& input) {
    KEYCURSORS cur;
    for (int s = 0; s < KEYSLOT_NUM; ++s) cur[s] = {0, KeyRuns(input, s)[0].nLength};
    return cur;
}

void ShiftKeyHistory(const cInput& input, KEYCURSORS& cur, int32_t by) {
    for (int s = 0; s < KEYSLOT_NUM; ++s) {
        const INPUTRUN* runs = KeyRuns(input, s);
        KEYCURSOR& c = cur[s];
        if (by < 0) {
            c.nFrames += by;
            while (c.nFrames <= 0 && c.nEntry < KEY_RUN_LAST) {
                ++c.nEntry;
                c.nFrames += runs[c.nEntry].nLength;
            }
            c.nFrames = std::max(c.nFrames, 0);
        } else if (by > 0) {
            c.nFrames += by;
            while (c.nEntry > 0 && c.nFrames > runs[c.nEntry].nLength) {
                c.nFrames -= runs[c.nEntry].nLength;
                --c.nEntry;
            }
            c.nFrames = std::min(c.nFrames, runs[c.nEntry].nLength);
        }
    }
}

bool JudgeKeySlot(const INPUTRUN& entry, int32_t frames, const cEdCmdList& step, int wanted) {
    if (wanted == 1) {
        if (!entry.nState) return false;
        if (step.bAnyLength) return frames >= 1;
        return frames >= step.nHoldMin && frames <= step.nHoldMax;
    }
    if (wanted == 2) return !entry.nState && frames >= 1;
    return false;
}

bool JudgeKeyStep(const cInput& input, const KEYCURSORS& cur, const cEdCmdList& step, bool bLeft, int32_t& hold) {
    int hits = 0, misses = 0;
    int32_t h = step.nMode == 0 ? INT32_MAX : 0;
    for (int s = 0; s < KEYSLOT_NUM; ++s) {
        const int wanted = Wanted(step, s);
        if (wanted == 0) continue;
        const int key = MirrorSlot(s, step, bLeft);
        const KEYCURSOR& c = cur[key];
        if (!JudgeKeySlot(KeyRuns(input, key)[c.nEntry], c.nFrames, step, wanted)) {
            ++misses;
            continue;
        }
        ++hits;
        if (step.nMode == 0) h = std::min(h, c.nFrames);
        else if (step.nMode == 1) h = std::max(h, c.nFrames);
        else h = c.nFrames;
    }
    hold = hits ? h : 0;
    switch (step.nMode) {
    case 0: return misses == 0;
    case 1: return hits >= 1;
    case 2: return hits == 1;
    default: return false;
    }
}

bool JudgeKeySequence(const cChara& chara, cFlowRun& flow, int32_t interval, const cWorldState* world) {
    const cInput* input = chara.KeyInput();
    const int n = static_cast<int>(flow.vKeyStep.size());
    if (!input || n == 0) return n == 0;
    const bool bLeft = chara.nFacing == 0;
    const bool bLoose = world && world->bLooseKeyOrder;
    KEYCURSORS cur = MakeKeyCursors(*input);
    int32_t hold = 0;
    if (!JudgeKeyStep(*input, cur, *flow.vKeyStep[n - 1].lpStep, bLeft, hold)) return false;
    flow.vKeyStep[n - 1].nHold = hold;
    if (flow.def && flow.def->bKeyHold && flow.keyMatched) return true;
    ShiftKeyHistory(*input, cur, -hold);
    for (int k = n - 2; k >= 0; --k) {
        const cEdCmdList& step = *flow.vKeyStep[k].lpStep;
        if (!JudgeKeyStep(*input, cur, step, bLeft, hold)) {
            if (interval == 0) return false;
            bool bFound = false;
            int32_t moved = 0;
            while (moved < interval && !bFound) {
                ShiftKeyHistory(*input, cur, -1);
                ++moved;
                bFound = JudgeKeyStep(*input, cur, step, bLeft, hold);
            }
            if (!bFound) {
                ShiftKeyHistory(*input, cur, moved + 1);
                if (!JudgeKeyStep(*input, cur, step, bLeft, hold)) return false;
                int32_t nextHold = 0;
                if (!bLoose && JudgeKeyStep(*input, cur, *flow.vKeyStep[k + 1].lpStep, bLeft, nextHold)) return false;
            }
        }
        flow.vKeyStep[k].nHold = hold;
        ShiftKeyHistory(*input, cur, -hold);
    }
    return true;
}

bool JudgeKeysNow(const cInput& input, const cEdCmdList& step, bool bLeft) {
    int hits = 0, misses = 0;
    for (int s = 0; s < KEYSLOT_NUM; ++s) {
        const int wanted = Wanted(step, s);
        if (wanted == 0) continue;
        const bool bHeld = KeyRuns(input, MirrorSlot(s, step, bLeft))[0].nState != 0;
        if ((wanted == 1) == bHeld) ++hits;
        else ++misses;
    }
    switch (step.nMode) {
    case 0: return misses == 0;
    case 1: return hits >= 1;
    case 2: return hits == 1;
    default: return false;
    }
}

int32_t FirstHeldDirection(const cInput* input) {
    if (!input) return 0;
    for (int d = 0; d < KEY_DIR_NUM; ++d) {
        if (input->DirRuns(d)[0].nState) return d;
    }
    return 0;
}

bool cChara::JudgeFlowConds(cFlowRun& flow, const cWorldState* world) {
    if (flow.vKeyStep.empty() || !flow.def) return true;
    if (flow.def->bKeyHold) {
        const bool r = JudgeKeySequence(*this, flow, flow.def->nKeyInterval, world);
        flow.keyMatched = r ? 1 : 0;
        return r;
    }
    flow.keyMatched = 0;
    if (!JudgeKeySequence(*this, flow, flow.def->nKeyInterval, world)) {
        flow.condWasTrue = 0;
        return false;
    }
    if (flow.condWasTrue) {
        const int g = flow.def->nGroup;
        if (flow.def->nTrigger == 0 && g > 0 && g < FLOW_GROUP_NUM) {
            groupStartedA[g] = 1;
            groupFinished[g] = 1;
            anyGroupFinished = 1;
        }
        return false;
    }
    flow.condWasTrue = 1;
    return true;
}
