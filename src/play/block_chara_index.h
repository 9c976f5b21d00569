#pragma once
// The block characters among the stage characters, in the order of the stage
// character list: what block-character collision walks instead of every
// stage character. Filled with the character buckets (stage set-up, summons)
// and emptied with them (removal of a character).
#include <algorithm>
#include <iterator>
#include <vector>

#include "actors/stage_chara.h"

class cBlockCharaIndex {
public:
    // Adds a block character at the end (its place in the list is last).
    void Add(cStageChara* lpChara) {
        if (lpChara->byBlockChara != 0) vChara.push_back(lpChara);
    }
    void Remove(const cStageChara* lpChara) {
        auto it = std::find(vChara.begin(), vChara.end(), lpChara);
        if (it != vChara.end()) vChara.erase(it);
    }
    void Clear() { vChara.clear(); }
    bool IsEmpty() const { return vChara.empty(); }

    // Walks the characters themselves.
    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = cStageChara;
        using difference_type = std::ptrdiff_t;
        using pointer = cStageChara*;
        using reference = cStageChara&;
        explicit iterator(std::vector<cStageChara*>::const_iterator at) : m_At(at) {}
        cStageChara& operator*() const { return **m_At; }
        cStageChara* operator->() const { return *m_At; }
        iterator& operator++() {
            ++m_At;
            return *this;
        }
        bool operator==(const iterator& o) const { return m_At == o.m_At; }
        bool operator!=(const iterator& o) const { return m_At != o.m_At; }

    private:
        std::vector<cStageChara*>::const_iterator m_At;
    };
    iterator begin() const { return iterator(vChara.begin()); }
    iterator end() const { return iterator(vChara.end()); }

    std::vector<cStageChara*> vChara;
};
