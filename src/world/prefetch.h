#pragma once
// Asking the processor for memory ahead of a walk over objects scattered in
// the heap (the stage characters' list, the shots): a hint only, it changes
// no value.
#include <cstddef>

// Every cache line of the bytes of `obj`.
template <class T>
inline void PrefetchObject(const T& obj) {
    const char* p = reinterpret_cast<const char*>(&obj);
    for (std::size_t off = 0; off < sizeof(T); off += 64) __builtin_prefetch(p + off);
}
