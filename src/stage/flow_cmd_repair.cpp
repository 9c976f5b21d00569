// Repairs of flow commands stored by older versions, applied top to bottom,
// each when the file is older than its version. Rows below 734 see the old
// numbering, in which today's character codes 25..39 were 24..38 (item codes
// 10..24 were 9..23); the row for 734 renumbers.
#include <algorithm>
#include <cstdint>

#include "stage/flow_cmd.h"

namespace {

using PARAMS = cParamList;

// The list cut to n entries or extended with zeros.
void Size(PARAMS& p, size_t n) { p.resize(n, 0); }

// Size n, then entries k..n-2 move up one place (the last is lost), p[k] = v.
void SizeInsert(PARAMS& p, size_t n, size_t k, int32_t v) {
    p.resize(n, 0);
    for (size_t i = n - 1; i > k; --i) p.data()[i] = p.data()[i - 1];
    p.data()[k] = v;
}

// Entry k, the list first extended with zeros when it is shorter (the
// database validation would extend it to the table length anyway).
int32_t& At(PARAMS& p, size_t k) {
    if (p.size() <= k) p.resize(k + 1, 0);
    return p.data()[k];
}

// Adds d without overflowing.
void Add(int32_t& x, int32_t d) {
    int64_t r = static_cast<int64_t>(x) + d;
    x = static_cast<int32_t>(std::clamp<int64_t>(r, INT32_MIN, INT32_MAX));
}

// Statuses from `from` on moved up by one (versions 168 and 203).
void ShiftStatusParams(PARAMS& p, int32_t from) {
    if (At(p, 0) == 0 && At(p, 3) != 2 && At(p, 4) >= from) Add(p.data()[4], 1);
    if (At(p, 6) == 2 && At(p, 12) != 2 && At(p, 13) >= from) Add(p.data()[13], 1);
}

}  // namespace

void cFlowCmd::Repair(uint32_t v) {
    // Whether the command holds character code `code` now; with bItem also
    // the item command of the same kind (item code = character code - 15).
    auto is = [this](int code, bool bItem) {
        if (!IsItemCmd()) return nCode == code;
        return bItem && nCode == code - ITEM_CMD_OFFSET;
    };
    PARAMS& p = vParam;

    if (v < 145 && is(17, true)) Size(p, 9);
    if (v < 166 && is(35, true)) {  // today's 36 BGMの再生
        Size(p, 2);
        p.data()[1] = 1;
    }
    if (v < 168 && is(22, true)) ShiftStatusParams(p, 10);
    if (v < 189 && is(21, true)) SizeInsert(p, 16, 2, 0);
    if (v < 194 && is(31, true)) SizeInsert(p, 15, 6, 1);  // today's 32 ピクチャーの表示
    if (v < 195 && (is(29, true) || is(30, true))) SizeInsert(p, 3, 1, 0);
    if (v < 203 && (is(14, false) || is(15, false))) p.clear();
    if (v < 203 && is(16, false)) Size(p, 4);
    if (v < 203 && is(22, true)) ShiftStatusParams(p, 5);
    if (v < 210 && is(23, true) && At(p, 0) != 2 && At(p, 1) >= 6) Add(p.data()[1], 1);
    if (v < 219 && is(25, true) && At(p, 0) == 3)  // today's 26 グラフィックの変更
        p.data()[1] = std::min(At(p, 1), 118) + 1;
    if (v < 220 && is(11, false) && spShot)
        spShot->nGraphic = static_cast<int16_t>(std::min<int>(spShot->nGraphic, 118) + 1);
    if (v < 514 && is(5, false) && spMove) {
        spMove->nAngle = 0;
        spMove->nAngleInc = 0;
        spMove->bMirrorAngle = 1;
    }
    if (v < 545 && is(19, true)) {
        Size(p, 18);
        p.data()[10] = 1;
    }
    if (v < 545 && is(31, true)) {
        Size(p, 15);
        p.data()[11] = 0;
    }
    if (v < 546 && is(19, true)) {
        const int32_t pos = At(p, 0);
        At(p, 10) = (pos == 0 || pos == 7) ? 1 : 0;
    }
    if (v < 547 && is(19, true)) {
        Size(p, 18);
        p.data()[11] = p.data()[12] = p.data()[13] = 0;
        p.data()[14] = 1;
        p.data()[15] = 0;
    }
    if (v < 547 && is(31, true)) {
        Size(p, 15);
        p.data()[12] = p.data()[13] = 0;
    }
    if (v < 556 && is(19, true)) {
        Size(p, 18);
        p.data()[16] = 1;
    }
    if (v < 722 && is(17, true) && At(p, 0) >= 2) Add(p.data()[0], 1);
    if (v < 723 && is(19, true)) {
        Size(p, 18);
        p.data()[17] = 0;
    }
    if (v < 723 && is(31, true)) {
        Size(p, 15);
        p.data()[14] = 0;
    }
    if (v < 726 && is(37, true)) {  // today's 38 アレンジ
        Size(p, 5);
        p.data()[0] = 11;
    }
    if (v < 727 && is(37, true) && At(p, 0) == 11) {
        for (int32_t t : {2, 3, 4, 14, 15, 16, 17})
            if (At(p, 1) >= t) Add(p.data()[1], 1);
    }
    if (v < 734) {
        // "消滅" takes character code 24 (item code 9).
        const int first = IsItemCmd() ? CMD_VANISH - ITEM_CMD_OFFSET : CMD_VANISH;
        if (nCode >= first && nCode < 255) ++nCode;
    }
    if (v < 734 && is(38, true) && At(p, 0) >= 24) Add(p.data()[0], 1);
    if (v < 747 && is(21, true)) {
        Size(p, 16);
        p.data()[10] = 0;
        p.data()[11] = 1;
        p.data()[14] = 0;
    }
    if (v < 760 && is(16, false)) {
        Size(p, 4);
        p.data()[3] = 0;
    }
    if (v < 764 && is(16, false)) {
        cCondList::Create(EditCondList());
        EditCondList()->nMode = 0;
    }
    if (v < 767 && is(9, false) && At(p, 0) >= 4) Add(p.data()[0], 6);
    if (v < 767 && is(20, true) && spMove && spMove->nMode >= 2) spMove->nMode += 3;
    if (v < 767 && is(21, true)) SizeInsert(p, 16, 0, 0);
    if (v < 767 && is(22, true)) {
        if (At(p, 0) == 0 && At(p, 3) >= 2) Add(p.data()[3], 3);
        if (At(p, 6) == 2 && At(p, 12) >= 2) Add(p.data()[12], 3);
    }
    if (v < 767 && is(23, true) && At(p, 0) >= 2) Add(p.data()[0], 3);
    if (v < 820 && is(23, true)) Size(p, 5);
}
