#pragma once
// Storage for small records that are made and freed by the hundred thousand
// (the settings of flow commands): slots of one size cut from 64 KiB blocks
// and kept on free lists. Each thread takes from and gives back to a list of
// its own, with no lock, where malloc would sort and merge chunks of every
// size; a thread's list that grows past a batch goes back whole to the pool,
// where any thread takes it again (a thread that frees what another made
// hands the slots over so). The blocks stay for the life of the program: the
// slots freed with one stage serve the next. Under AddressSanitizer every
// slot is an allocation of its own, so that a use after free is still caught.
#include <cstddef>
#include <mutex>
#include <new>
#include <utility>
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
    // Slots a thread keeps before it hands its list back to the pool.
    static constexpr size_t BATCH = 1024;
    // Pools that keep lists per thread (one per record size: a handful); any
    // beyond work under their lock alone.
    static constexpr size_t MAX_POOLS = 16;
    cSlotPool(const cSlotPool&) = delete;
    cSlotPool& operator=(const cSlotPool&) = delete;

    // A free slot (a new block when none is left). The common case, a slot
    // from the thread's own list, is taken inline.
    void* Take() {
        if (CHAIN* local = t_lpLocal; local && m_nIndex < MAX_POOLS) {
            CHAIN& chain = local[m_nIndex];
            if (chain.nCount) return Pop(chain);
        }
        return TakeSlow();
    }
    // Gives back a slot that Take gave; inline while the thread's list has room.
    void Give(void* p) {
        if (CHAIN* local = t_lpLocal; p && local && m_nIndex < MAX_POOLS) {
            CHAIN& chain = local[m_nIndex];
            if (chain.nCount < BATCH) {
                auto* slot = static_cast<FREESLOT*>(p);
                slot->lpNext = chain.lpHead;
                chain.lpHead = slot;
                ++chain.nCount;
                return;
            }
        }
        GiveSlow(p);
    }

private:
    explicit cSlotPool(size_t size);

    struct FREESLOT {
        FREESLOT* lpNext;
    };
    // Free slots linked through their first word.
    struct CHAIN {
        FREESLOT* lpHead = nullptr;
        size_t nCount = 0;
    };
    struct LOCALCHAINS;
    // The calling thread's lists, one per pool, while they exist (null before
    // its first slot and after its exit, and always under AddressSanitizer):
    // a plain pointer, read without the guard of the lists themselves.
    static inline constinit thread_local CHAIN* t_lpLocal = nullptr;
    // The first slot of a chain that holds one.
    FREESLOT* Pop(CHAIN& chain) {
        FREESLOT* slot = chain.lpHead;
        chain.lpHead = slot->lpNext;
        --chain.nCount;
        return slot;
    }
    // Take and Give for every other case: an empty or full list, a thread
    // without lists, a pool past MAX_POOLS, AddressSanitizer.
    void* TakeSlow();
    void GiveSlow(void* p);
    // The calling thread's list for this pool (null once the thread's lists
    // are gone, at its exit).
    CHAIN* Local();
    // A chain for a thread whose list is empty: one the pool holds, or a new block cut.
    CHAIN TakeChain();
    // Hands a thread's chain back to the pool.
    void GiveChain(const CHAIN& chain);

    std::mutex m_Lock;
    std::vector<CHAIN> m_vChain;  // chains handed back, each at most BATCH + 1 slots
    std::vector<void*> m_vBlock;  // every block cut so far
    size_t m_nSlot;               // slot size: the record's, rounded up to 16
    size_t m_nIndex;              // this pool's list among each thread's
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

// The single owner of one record in a slot of the pool of its size: what
// boost::allocate_shared with cSlotAllocator gives, without the count block,
// its atomic counts and its virtual release. Moved, never copied (an owner
// that copies clones the record itself).
template <class T>
class cSlotPtr {
public:
    static_assert(alignof(T) <= 16, "slots are aligned to 16 bytes");

    cSlotPtr() noexcept = default;
    cSlotPtr(cSlotPtr&& src) noexcept : m_p(std::exchange(src.m_p, nullptr)) {}
    cSlotPtr& operator=(cSlotPtr&& src) noexcept {
        if (this != &src) {
            reset();
            m_p = std::exchange(src.m_p, nullptr);
        }
        return *this;
    }
    cSlotPtr(const cSlotPtr&) = delete;
    cSlotPtr& operator=(const cSlotPtr&) = delete;
    // Leaves the pointer as it is: the owner's memory is not written (a
    // record freed by the hundred thousand, long out of the cache, is then
    // only read).
    ~cSlotPtr() {
        if (m_p) Release(m_p);
    }

    // Destroys the record held (if any), then holds a new one made in a slot,
    // default-initialised (the member initialisers give its values). Always
    // inline: where the caller overwrites the new record at once, the
    // compiler drops the initialisers' stores.
    [[gnu::always_inline]] T& emplace() {
        reset();
        void* slot = Pool().Take();
        try {
            m_p = ::new (slot) T;
        } catch (...) {
            Pool().Give(slot);
            throw;
        }
        return *m_p;
    }
    // Destroys the record held and gives its slot back; empty after.
    void reset() noexcept {
        if (m_p) Release(std::exchange(m_p, nullptr));
    }

    T* get() const noexcept { return m_p; }
    T& operator*() const noexcept { return *m_p; }
    T* operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }

private:
    static cSlotPool& Pool() { return cSlotPool::OfSize<sizeof(T)>(); }
    // Out of line: an owner that holds nothing (most do) is let go by one test.
    [[gnu::noinline]] static void Release(T* p) noexcept {
        p->~T();
        Pool().Give(p);
    }

    T* m_p = nullptr;
};
