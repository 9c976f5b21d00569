#include "stage/flow_same.h"

#include <algorithm>

#include "stage/cmd_list.h"
#include "stage/cond.h"
#include "stage/cond_list.h"
#include "stage/flow.h"
#include "stage/flow_cmd.h"
#include "stage/move.h"
#include "stage/shot.h"

namespace {

template <class T>
bool SameRows(const T& a, const T& b) {
    return RowsEqual<T>(T::Rows(), a, b);
}

template <class T, class A, class EQ>
bool SameList(const cSafeVector<T, A>& a, const cSafeVector<T, A>& b, EQ eq) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), eq);
}

bool SameCond(const cEdCond& a, const cEdCond& b) { return SameRows(a, b); }

bool SameConds(const cCondVector& a, const cCondVector& b) { return SameList(a, b, SameCond); }

bool SameKeyStep(const cEdCmdList& a, const cEdCmdList& b) { return SameRows(a, b) && a.vKey == b.vKey; }

// Two settings: both absent, or both present with the same values.
template <class HOLDER, class EQ>
bool SameSetting(const HOLDER& a, const HOLDER& b, EQ eq) {
    if (!a || !b) return !a && !b;
    return a.get() == b.get() || eq(*a, *b);
}

bool SameCmd(const cFlowCmd& a, const cFlowCmd& b) {
    return SameRows(a, b) && a.vParam == b.vParam &&
           SameSetting(a.spMove, b.spMove, SameRows<cEdMove>) &&
           SameSetting(a.spShot, b.spShot, SameRows<cEdShot>) &&
           SameSetting(a.CondList(), b.CondList(),
                       [](const cCondList& x, const cCondList& y) { return SameRows(x, y) && SameConds(x.vCond, y.vCond); }) &&
           SameFlowList(a.SubFlows(), b.SubFlows());
}

void Mix(uint64_t& h, uint64_t v) { h = (h ^ v) * 0x100000001b3ULL; }

}  // namespace

bool SameFlow(const cFlow& a, const cFlow& b) {
    return SameRows(a, b) && SameConds(a.vCond, b.vCond) && SameList(a.vKeyCond, b.vKeyCond, SameKeyStep) &&
           SameList(a.vCmd, b.vCmd, SameCmd);
}

bool SameFlowList(const cSafeVector<cFlow>& a, const cSafeVector<cFlow>& b) { return SameList(a, b, SameFlow); }

uint64_t FlowListHash(const cSafeVector<cFlow>& flows) {
    uint64_t h = 0xcbf29ce484222325ULL;
    Mix(h, flows.size());
    for (const cFlow& f : flows) {
        Mix(h, f.nTrigger);
        Mix(h, f.nFlowID);
        Mix(h, f.vCmd.size());
        for (const cFlowCmd& c : f.vCmd) {
            Mix(h, (uint64_t{c.nNumbering} << 8) | c.nCode);
            Mix(h, static_cast<uint16_t>(c.nTime));
            for (int32_t p : c.vParam) Mix(h, static_cast<uint32_t>(p));
        }
    }
    return h;
}
