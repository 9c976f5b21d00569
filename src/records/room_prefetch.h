#pragma once
// Prefetching for the room of a list just allocated, before it is filled.
#include <cstddef>
#include <cstdint>

// Asks for the cache lines of the `bytes` bytes at p, to be written, and for
// those of the next `nNext` rooms of the same size after them. The room is
// new memory, most likely not in the cache: its lines are asked for at once
// rather than each when the first store to it waits. Lists freed with a
// stage give their memory back in the order they were made, so the lists
// of the next stage load are mostly cut from it in that order too: the
// room of the next list is most likely right after this one, and is asked
// for while this one is filled (a prefetch of any address is harmless: it
// never faults). Four lines a step; the lines that the call before asked
// for (the rooms after its own, most of this one's) are not asked for again:
// each prefetch takes a place in the queue of misses, and a full queue holds
// up the filling. Always inline: GCC finds an outlined copy free of side
// effects and drops the call.
[[gnu::always_inline]] inline void PrefetchRoom(const void* p, size_t bytes, size_t nNext) {
    // Addresses past the room are made from an integer: pointer arithmetic
    // past the end of an allocation would let the compiler drop the
    // prefetches.
    static constinit thread_local uintptr_t t_nAskedTo = 0;
    const auto room = reinterpret_cast<uintptr_t>(p);
    const uintptr_t end = room + (nNext + 1) * bytes + 64 * nNext;
    uintptr_t line = t_nAskedTo > room && t_nAskedTo < end ? t_nAskedTo : room;
    for (; line < end; line += 256) {
        __builtin_prefetch(reinterpret_cast<const void*>(line), 1);
        __builtin_prefetch(reinterpret_cast<const void*>(line + 64), 1);
        __builtin_prefetch(reinterpret_cast<const void*>(line + 128), 1);
        __builtin_prefetch(reinterpret_cast<const void*>(line + 192), 1);
    }
    t_nAskedTo = line;
}
