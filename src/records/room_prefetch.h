#pragma once
// Prefetching for the room of a list just allocated, before it is filled.
#include <cstddef>
#include <cstdint>

// Asks for the cache lines of [from, end), to be read (bWrite false) or
// written, leaving out those before `mark` when it lies inside the range:
// `mark` (one per caller and thread) is where the caller's last call stopped
// asking. Callers walk lists that lie one after another and ask for some
// lines ahead of each, so most of a list's lines were asked for by the call
// before; asking again would still take a place in the queue of misses, and
// a full queue holds up the loop. Addresses are integers: pointer arithmetic
// past the end of an allocation would let the compiler drop the prefetches
// (a prefetch of any address is harmless: it never faults).
template <bool bWrite>
[[gnu::always_inline]] inline void AskLinesOnce(uintptr_t& mark, uintptr_t from, uintptr_t end) {
    // Four lines a step: the last step may ask for up to three lines past end.
    uintptr_t line = mark > from && mark < end ? mark : from;
    for (; line < end; line += 256) {
        __builtin_prefetch(reinterpret_cast<const void*>(line), bWrite);
        __builtin_prefetch(reinterpret_cast<const void*>(line + 64), bWrite);
        __builtin_prefetch(reinterpret_cast<const void*>(line + 128), bWrite);
        __builtin_prefetch(reinterpret_cast<const void*>(line + 192), bWrite);
    }
    mark = line;
}

// Asks for the cache lines of the `bytes` bytes at p, to be written, and for
// those of the next `nNext` rooms of the same size after them. The room is
// new memory, most likely not in the cache: its lines are asked for at once
// rather than each when the first store to it waits. Lists freed with a
// stage give their memory back in the order they were made, so the lists
// of the next stage load are mostly cut from it in that order too: the
// room of the next list is most likely right after this one, and is asked
// for while this one is filled. Always inline: GCC finds an outlined copy
// free of side effects and drops the call.
[[gnu::always_inline]] inline void PrefetchRoom(const void* p, size_t bytes, size_t nNext) {
    static constinit thread_local uintptr_t t_nAskedTo = 0;
    const auto room = reinterpret_cast<uintptr_t>(p);
    AskLinesOnce<true>(t_nAskedTo, room, room + (nNext + 1) * bytes + 64 * nNext);
}
