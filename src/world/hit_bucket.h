#pragma once
// One side of hit detection: pointers to the objects (characters or attacks)
// of one side 0..7. Objects never hit objects of their own side.
//
// The entries lie in one array in the order of addition, each with the kind
// of its object beside the pointer, so that a walk learns the kind without
// reading the object. Taking an object out leaves a hole in its place (a
// walk in progress keeps its places); Compact closes the holes between
// walks. Each entry has a number that grows with each addition, and an index
// from each object to the number of its first entry finds that entry by a
// binary search, whatever the holes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class cGameObject;

constexpr int HIT_SIDE_NUM = 8;

// What an object of a bucket is, as hit detection tells objects apart.
enum eHitKind : uint8_t {
    HITKIND_OTHER = 0,      // none of the below (and a hole)
    HITKIND_CHARA = 1,      // a character that is no stage character (the players)
    HITKIND_STAGECHARA = 2, // a stage character
    HITKIND_ATTACK = 3,     // a shot or a sword
};

struct HITENTRY {
    cGameObject* lpObj = nullptr;  // null: a hole
    uint64_t nSeq : 56;            // grows with each addition
    uint64_t nKind : 8;            // eHitKind
};

class cHitBucket {
public:
    // No more entries follow (see NextAfter).
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    void Add(cGameObject* lpObj, eHitKind kind) {
        HITENTRY e;
        e.lpObj = lpObj;
        e.nSeq = m_nNextSeq++;
        e.nKind = kind;
        m_vEntry.push_back(e);
        auto [at, added] = m_Index.try_emplace(lpObj, FIRST{e.nSeq, 0});
        (void)added;
        ++at->second.nCount;
    }
    // Takes out the first entry naming lpObj; false when there is none.
    bool Remove(const cGameObject* lpObj) {
        auto at = m_Index.find(lpObj);
        if (at == m_Index.end()) return false;
        std::size_t i = Find(at->second.nSeq);
        m_vEntry[i].lpObj = nullptr;
        m_vEntry[i].nKind = HITKIND_OTHER;
        ++m_nHoles;
        if (--at->second.nCount == 0) {
            m_Index.erase(at);
        } else {
            while (m_vEntry[++i].lpObj != lpObj) {}
            at->second.nSeq = m_vEntry[i].nSeq;
        }
        return true;
    }
    bool Contains(const cGameObject* lpObj) const { return m_Index.count(lpObj) != 0; }
    void Clear() {
        m_vEntry.clear();
        m_Index.clear();
        m_nHoles = 0;
    }
    bool IsEmpty() const { return m_vEntry.size() == m_nHoles; }
    // The objects in the bucket.
    std::size_t Size() const { return m_vEntry.size() - m_nHoles; }
    // Closes the holes; never while the bucket is walked.
    void Compact() {
        if (m_nHoles == 0) return;
        std::erase_if(m_vEntry, [](const HITENTRY& e) { return e.lpObj == nullptr; });
        m_nHoles = 0;
    }

    // Walking by place: places 0..Slots()-1, holes among them. A walk may add
    // objects (at the end) and take them out (holes) as it goes.
    std::size_t Slots() const { return m_vEntry.size(); }
    // The place of the first object, or npos when there is none.
    std::size_t First() const { return NextAfter(npos); }
    const HITENTRY& At(std::size_t i) const { return m_vEntry[i]; }
    // The place of the first object after place i (npos for before the
    // first), or npos when none follows.
    std::size_t NextAfter(std::size_t i) const {
        for (std::size_t j = i + 1; j < m_vEntry.size(); ++j)
            if (m_vEntry[j].lpObj) return j;
        return npos;
    }

    // The objects in order, holes left out (for loops: for (cGameObject* o : bucket)).
    class cIter {
    public:
        cIter(const cHitBucket& b, std::size_t i) : m_lpBucket(&b), m_nAt(i) { Skip(); }
        cGameObject* operator*() const { return m_lpBucket->m_vEntry[m_nAt].lpObj; }
        cIter& operator++() {
            ++m_nAt;
            Skip();
            return *this;
        }
        // Against end(): objects added during the walk are reached too.
        bool operator!=(const cIter&) const { return m_nAt < m_lpBucket->m_vEntry.size(); }

    private:
        void Skip() {
            while (m_nAt < m_lpBucket->m_vEntry.size() && !m_lpBucket->m_vEntry[m_nAt].lpObj) ++m_nAt;
        }
        const cHitBucket* m_lpBucket;
        std::size_t m_nAt;
    };
    cIter begin() const { return cIter(*this, 0); }
    cIter end() const { return cIter(*this, m_vEntry.size()); }

private:
    struct FIRST {
        uint64_t nSeq;  // the number of the first entry naming the object
        int nCount;     // entries naming it
    };
    std::size_t Find(uint64_t seq) const {
        const auto it = std::lower_bound(m_vEntry.begin(), m_vEntry.end(), seq,
                                         [](const HITENTRY& e, uint64_t s) { return e.nSeq < s; });
        return static_cast<std::size_t>(it - m_vEntry.begin());
    }
    std::vector<HITENTRY> m_vEntry;
    std::unordered_map<const cGameObject*, FIRST> m_Index;
    std::size_t m_nHoles = 0;
    uint64_t m_nNextSeq = 0;
};
