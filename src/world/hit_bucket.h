#pragma once
// One side of hit detection: pointers to the objects (characters or attacks)
// of one side 0..7. Objects never hit objects of their own side.
//
// The list keeps the order of addition; an index from each object to its
// first entry makes taking an object out independent of the list's length
// (thousands of shots come and go each frame).
#include <algorithm>
#include <iterator>
#include <list>
#include <unordered_map>

class cGameObject;

constexpr int HIT_SIDE_NUM = 8;

class cHitBucket {
public:
    cHitBucket() = default;
    cHitBucket(const cHitBucket& o) : lstObj(o.lstObj) { Reindex(); }
    cHitBucket(cHitBucket&&) noexcept = default;
    cHitBucket& operator=(const cHitBucket& o) {
        if (this != &o) {
            lstObj = o.lstObj;
            Reindex();
        }
        return *this;
    }
    cHitBucket& operator=(cHitBucket&&) noexcept = default;

    void Add(cGameObject* lpObj) {
        lstObj.push_back(lpObj);
        auto [at, added] = m_Index.try_emplace(lpObj, ENTRY{std::prev(lstObj.end()), 0});
        (void)added;
        ++at->second.nCount;
    }
    // Takes out the first entry naming lpObj; false when there is none.
    bool Remove(const cGameObject* lpObj) {
        auto at = m_Index.find(lpObj);
        if (at == m_Index.end()) return false;
        const auto first = at->second.itFirst;
        if (--at->second.nCount == 0) m_Index.erase(at);
        else at->second.itFirst = std::find(std::next(first), lstObj.end(), lpObj);
        lstObj.erase(first);
        return true;
    }
    bool Contains(const cGameObject* lpObj) const { return m_Index.count(lpObj) != 0; }
    void Clear() {
        lstObj.clear();
        m_Index.clear();
    }
    bool IsEmpty() const { return lstObj.empty(); }

    // Read only: Add and Remove keep the index beside it.
    std::list<cGameObject*> lstObj;

private:
    struct ENTRY {
        std::list<cGameObject*>::iterator itFirst;  // the first entry naming the object
        int nCount = 0;                             // entries naming it
    };
    void Reindex() {
        m_Index.clear();
        for (auto it = lstObj.begin(); it != lstObj.end(); ++it) {
            auto [at, added] = m_Index.try_emplace(*it, ENTRY{it, 0});
            (void)added;
            ++at->second.nCount;
        }
    }
    std::unordered_map<const cGameObject*, ENTRY> m_Index;
};
