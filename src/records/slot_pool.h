#pragma once
// Storage for small records that are made and freed by the hundred thousand
// (the settings of flow commands): slots of one size cut from 64 KiB blocks
// and kept on a free list. Taking or giving back a slot is a pop or a push
// under a lock, where malloc would sort and merge chunks of every size. The
// blocks stay for the life of the program: the slots freed with one stage
// serve the next. Under AddressSanitizer every slot is an allocation of its
// own, so that a use after free is still caught.
#include <cstddef>
#include <mutex>
#include <new>
#include <vector>

class cSlotPool {
public:
    // The pool of slots of `size` bytes; one per size, never destroyed (slots
    // may be given back while static objects are destroyed).
    template <size_t SIZE>
    static cSlotPool& OfSize() {
        static cSlotPool* const pool = new cSlotPool(SIZE);
        return *pool;
    }
    cSlotPool(const cSlotPool&) = delete;
    cSlotPool& operator=(const cSlotPool&) = delete;

    // A free slot (a new block when none is left).
    void* Take();
    // Gives back a slot that Take gave.
    void Give(void* p);

private:
    explicit cSlotPool(size_t size);

    struct FREESLOT {
        FREESLOT* lpNext;
    };
    std::mutex m_Lock;
    FREESLOT* m_pFree = nullptr;  // free slots, the last given back first
    std::vector<void*> m_vBlock;  // every block cut so far
    size_t m_nSlot;               // slot size: the record's, rounded up to 16
};

// An allocator that takes single objects from the pool of their size, for
// boost::allocate_shared (which allocates the record with its count in one
// object); arrays go to operator new.
template <class T>
class cSlotAllocator {
public:
    using value_type = T;
    static_assert(alignof(T) <= 16, "slots are aligned to 16 bytes");

    cSlotAllocator() = default;
    template <class U>
    cSlotAllocator(const cSlotAllocator<U>&) noexcept {}

    T* allocate(size_t n) {
        if (n == 1) return static_cast<T*>(cSlotPool::OfSize<sizeof(T)>().Take());
        return static_cast<T*>(::operator new(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n) noexcept {
        if (n == 1) cSlotPool::OfSize<sizeof(T)>().Give(p);
        else ::operator delete(p);
    }
    template <class U>
    bool operator==(const cSlotAllocator<U>&) const noexcept {
        return true;
    }
};
