#pragma once
// Asking the processor for memory ahead of a walk over objects scattered in
// the heap (the stage characters' list, the shots): a hint only, it changes
// no value.
#include <cstddef>

// Every cache line of the first `bytes` bytes at `p`.
inline void PrefetchBytes(const void* p, std::size_t bytes) {
    const char* c = static_cast<const char*>(p);
    for (std::size_t off = 0; off < bytes; off += 64) __builtin_prefetch(c + off);
}

// Every cache line of the bytes of `obj`.
template <class T>
inline void PrefetchObject(const T& obj) {
    PrefetchBytes(&obj, sizeof(T));
}
