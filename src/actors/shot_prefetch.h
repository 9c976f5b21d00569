#pragma once
// The memory a step of a shot reads, asked for a few shots ahead of the walk
// over the shot list (by place: no link is followed). A hint only: it
// changes no value.
// bench_play, heavy stage: measured with the walks' prefetches, gain in play/walk_prefetch.h.
#include <cstddef>

#include "actors/shot.h"
#include "world/prefetch.h"

namespace shotprefetch {

// offsetof on a class with virtual members: GCC lays it out as any other.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
// A step reads the object's first three lines and the words from the
// attack's flags and rectangle to the shot's clear cells, fetched by the
// first, the velocities and the last of them.
static_assert(offsetof(cShot, bErased) < offsetof(cShot, dVelX) &&
                  offsetof(cShot, dVelX) < offsetof(cShot, clearCells.dBottom) &&
                  offsetof(cShot, clearCells.dBottom) - offsetof(cShot, bErased) < 3 * 64,
              "the step words from the flags to the clear cells lie within three lines");
#pragma GCC diagnostic pop

// What a step of a shot reads. Always inline: a function that only
// prefetches counts as doing nothing, and its calls can be dropped.
[[gnu::always_inline]] inline void Step(const cShot& s) {
    PrefetchBytes(&s, 3 * 64);
    __builtin_prefetch(&s.bErased);
    __builtin_prefetch(&s.dVelX);
    __builtin_prefetch(&s.clearCells.dBottom);
}

// The same for the shot kAhead places after `place`, when there is one: the
// work on one shot is short against a fetch from memory.
constexpr std::size_t kAhead = 4;
[[gnu::always_inline]] inline void StepAhead(const SHOTLIST& list, std::size_t place) {
    if (place + kAhead < list.Places())
        if (const cShot* ahead = list.At(place + kAhead)) Step(*ahead);
}

}  // namespace shotprefetch
