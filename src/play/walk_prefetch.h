#pragma once
// The memory the walks over the stage characters and the shots read, asked
// for a few places ahead (by place: no link is followed). A hint only: it
// changes no value. These prefetches and hit detection's, measured together:
// bench_play, heavy stage (1,000 and 2,000 characters), frame about 2.15 ms with them against 2.3-2.5 ms without.
// Each names members of the characters: the checks below fail when one of
// them leaves the lines it is fetched for.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "actors/attack.h"
#include "actors/flow_run.h"
#include "actors/shot.h"
#include "actors/stage_chara.h"
#include "world/hit_bucket.h"
#include "world/object_list.h"
#include "world/owned_list.h"
#include "world/prefetch.h"

namespace walkprefetch {

// offsetof on these classes with virtual members: GCC lays them out as any other.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
// The activity walks and the step start read the object's first two lines,
// the character's activity words and the stage character's.
static_assert(offsetof(cStageChara, nCellOffX) < 2 * 64, "the cell offsets lie in the object's first two lines");
// The update walk reads the character's step lines up to bTempCopy and the
// stage character's from its activity words to its carried item.
static_assert(offsetof(cChara, bTempCopy) > offsetof(cChara, dying), "bTempCopy ends the character's step lines");
static_assert(offsetof(cStageChara, item) > offsetof(cStageChara, bIgnoreX), "the carried item follows the step lines");
#pragma GCC diagnostic pop

// What the activity walks and a step start read of a character. Always
// inline: a function that only prefetches counts as doing nothing, and its
// calls can be dropped.
[[gnu::always_inline]] inline void Activity(const cStageChara& c) {
    __builtin_prefetch(&c.nId);
    __builtin_prefetch(&c.nCellOffX);
    __builtin_prefetch(&c.dying);
    __builtin_prefetch(&c.dPrevRect);
    __builtin_prefetch(&c.data.vCond);
    __builtin_prefetch(&c.bIgnoreX);
}

// The same for the character a few places after `place`, when there is one.
constexpr std::size_t kActivityAhead = 4;
[[gnu::always_inline]] inline void ActivityAhead(const cObjectList<cStageChara>& list, std::size_t place) {
    const std::size_t ahead = place + kActivityAhead;
    if (ahead < list.Places())
        if (const cStageChara* c = list.At(ahead)) Activity(*c);
}

// What a step of a character reads: the object's first three lines, the
// character's lines from its activity words to bTempCopy and the stage
// character's from its activity words to its carried item.
[[gnu::always_inline]] inline void Step(const cStageChara& c) {
    const auto span = [](const void* from, const void* to) {
        return static_cast<std::size_t>(static_cast<const char*>(to) - static_cast<const char*>(from));
    };
    PrefetchBytes(&c, 3 * 64);
    PrefetchBytes(&c.dying, span(&c.dying, &c.bTempCopy));
    PrefetchBytes(&c.bIgnoreX, span(&c.bIgnoreX, &c.item));
}

// While one character runs its update: the step lines and flow states of the
// character kStepAhead places on, and the first, current and last command
// states of the flows of the one kCmdAhead places on.
constexpr std::size_t kCmdAhead = 1;
constexpr std::size_t kStepAhead = 2;
[[gnu::always_inline]] inline void Update(const cObjectList<cStageChara>& list, std::size_t place) {
    const std::size_t places = list.Places();
    if (place + kCmdAhead >= places) return;
    if (const cStageChara* next = list.At(place + kCmdAhead))
        for (const cFlowRun& f : next->flows) {
            if (f.cmds.empty()) continue;
            const std::size_t last = f.cmds.size() - 1;
            const cFlowCmdRun* cmds = f.cmds.data();
            __builtin_prefetch(cmds);
            __builtin_prefetch(cmds + std::min(static_cast<std::size_t>(std::max(f.current, 0)), last));
            __builtin_prefetch(cmds + last);
        }
    if (place + kStepAhead >= places) return;
    if (const cStageChara* after = list.At(place + kStepAhead)) {
        Step(*after);
        for (const cFlowRun& f : after->flows) PrefetchBytes(&f, 128);
    }
}

// The depth sort walks the shots by place: the depth byte and the rectangle
// of the shot a few places after `place`, when there is one.
constexpr std::size_t kShotAhead = 4;
[[gnu::always_inline]] inline void ShotAhead(const cOwnedList<cShot>& list, std::size_t place) {
    const std::size_t ahead = place + kShotAhead;
    if (ahead < list.Places())
        if (const cShot* s = list.At(ahead)) {
            __builtin_prefetch(&s->settings.nZ);
            __builtin_prefetch(&s->y2);
        }
}

// The parts of a character its drawing reads lie apart: those of the
// character a few places after `place` of a depth pass, when there is one.
constexpr std::size_t kDrawAhead = 3;
[[gnu::always_inline]] inline void DrawAhead(const std::vector<cObjectList<cStageChara>::iterator>& charas,
                                             std::size_t place) {
    if (place + kDrawAhead >= charas.size()) return;
    const cStageChara& c = *charas[place + kDrawAhead];
    __builtin_prefetch(&c.Anime);
    __builtin_prefetch(&c.effect);
    __builtin_prefetch(&c.hpGauge);
    __builtin_prefetch(&c.spGauge);
    __builtin_prefetch(&c.nIconCounter);
    __builtin_prefetch(&c.item.nIndex);
}

}  // namespace walkprefetch

// Hit detection's walks over the entries of a side's bucket, measured with
// the walks above: what they read of an attack (its erased and active flags
// and its rectangle) or first of a character (its rectangle against
// characters, a stage character's own, or its box), asked for kHitAhead
// places on: the work on one entry is short against a fetch from memory.
namespace walkprefetch {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(offsetof(cAttack, bActive) == offsetof(cAttack, bErased) + 4 &&
                  offsetof(cAttack, dRect) == offsetof(cAttack, bErased) + 8,
              "an attack's flags and rectangle lie side by side, fetched from the first flag");
static_assert(offsetof(cChara, dBoxBottom) == offsetof(cChara, dBoxLeft) + 3 * sizeof(double), "the box is four doubles");
#pragma GCC diagnostic pop

constexpr std::size_t kHitAhead = 8;

// The entry kHitAhead places after place i, or null.
[[gnu::always_inline]] inline const HITENTRY* HitEntryAhead(const cHitBucket& b, std::size_t i) {
    if (i == cHitBucket::npos || i + kHitAhead >= b.Slots()) return nullptr;
    const HITENTRY& e = b.At(i + kHitAhead);
    return e.lpObj ? &e : nullptr;
}

[[gnu::always_inline]] inline void AttackAhead(const cHitBucket& b, std::size_t i) {
    if (const HITENTRY* e = HitEntryAhead(b, i)) __builtin_prefetch(&static_cast<const cAttack*>(e->lpObj)->bErased);
}

[[gnu::always_inline]] inline void CharaRectAhead(const cHitBucket& b, std::size_t i) {
    const HITENTRY* e = HitEntryAhead(b, i);
    if (!e) return;
    if (e->nKind == HITKIND_STAGECHARA)
        __builtin_prefetch(&static_cast<const cStageChara*>(e->lpObj)->dRectA[0]);
    else if (e->nKind == HITKIND_CHARA)
        PrefetchBytes(&static_cast<const cChara*>(e->lpObj)->dBoxLeft, 4 * sizeof(double));
}

}  // namespace walkprefetch
