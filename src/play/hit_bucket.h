#pragma once
// One side of hit detection: pointers to the objects (characters or attacks)
// of one side 0..7. Objects never hit objects of their own side.
#include <algorithm>
#include <list>

class cGameObject;

constexpr int HIT_SIDE_NUM = 8;

class cHitBucket {
public:
    void Add(cGameObject* lpObj) { lstObj.push_back(lpObj); }
    // Takes out the first entry naming lpObj; false when there is none.
    bool Remove(const cGameObject* lpObj) {
        auto it = std::find(lstObj.begin(), lstObj.end(), lpObj);
        if (it == lstObj.end()) return false;
        lstObj.erase(it);
        return true;
    }
    bool Contains(const cGameObject* lpObj) const {
        return std::find(lstObj.begin(), lstObj.end(), lpObj) != lstObj.end();
    }
    void Clear() { lstObj.clear(); }
    bool IsEmpty() const { return lstObj.empty(); }

    std::list<cGameObject*> lstObj;
};
