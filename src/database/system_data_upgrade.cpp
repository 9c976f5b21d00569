// Brings a System.dat of an older version up to date beyond what the rows of
// the base stream give the fields it lacks: the menu entries, texts and
// options that later versions added go in at their places, and the two
// switches whose older value depends on the file go by it.
#include "database/system_data.h"

namespace {

// Exactly n entries: surplus entries dropped, copies of e appended.
template <class T, class E>
void ResizeTo(cSafeVector<T>& v, int n, const E& e) {
    v.resize(static_cast<size_t>(n), T(e));
}

// For i from the last index down to k + 1: entry i = entry i - 1 (the last
// entry's value is lost, the size stays).
template <class T>
void ShiftUp(cSafeVector<T>& v, int k) {
    for (int i = static_cast<int>(v.size()) - 1; i > k; --i) v[i] = v[i - 1];
}

template <class T, class E>
void InsertAt(cSafeVector<T>& v, int k, const E& x) {
    ShiftUp(v, k);
    v[k] = T(x);
}

// Shifts the options up from k and makes option k a number option.
void InsertNumberOption(cSafeVector<cSysOption>& v, int k, const char* name, int value) {
    ShiftUp(v, k);
    v[k].SetNumber(name, value);
}

}  // namespace

void cSystemData::UpgradeFromOlder(uint32_t v) {
    const std::string empty;
    if (v < 168) {
        ResizeTo(vCarryFlag, 25, 0);
        InsertAt(vCarryFlag, 16, 1);
    }
    if (v < 169) {
        ResizeTo(vMapMenu, 4, cCmd(1, empty));
        InsertAt(vMapMenu, 1, cCmd(1, "オートセーブ"));
        ResizeTo(vText, 29, empty);
        InsertAt(vText, 12, "保存先が不明です！一度は「セーブ」して下さい！");
        InsertAt(vText, 12, "オートセーブＯＦＦ");
        InsertAt(vText, 12, "オートセーブＯＮ");
    }
    if (v < 181) {
        for (int i = 0; i < 4; ++i) {
            cGameTypeFlags& g = vGameTypeFlags[i];
            g.vFlag.resize(5, 0);
            g.vFlag[3] = 0;
            g.vFlag[4] = 0;
        }
        ResizeTo(vText, 29, empty);
        InsertAt(vText, 8, "残りHP");
        InsertAt(vText, 9, "残りSP");
    }
    if (v < 191) {
        ResizeTo(vStartFlag, 4, 0);
        vStartFlag[0] = vStartFlag[1] = vStartFlag[2] = 0;
        vStartFlag[3] = 1;
    }
    if (v < 193) {
        ResizeTo(vText, 29, empty);
        InsertAt(vText, 22, "リトライ");
        InsertAt(vText, 23, "マップへ戻る");
    }
    if (v < 201) {
        ResizeTo(vCarryFlag, 25, 0);
        InsertAt(vCarryFlag, 14, 0);
    }
    if (v < 202) {
        ResizeTo(vPlaceFlag, 4, 0);
        vPlaceFlag.Fill(1);
    }
    if (v < 210) {
        ResizeTo(vCarryFlag, 25, 0);
        InsertAt(vCarryFlag, 9, 0);
    }
    if (v < 286) {
        ResizeTo(vOption, 10, cSysOption());
        InsertNumberOption(vOption, 0, "Direct3D", 1);
        if (vOption[3].nValue >= 3) vOption[3].nValue = 2;
    }
    if (v < 289) bCyclePalette = nColorMode == 0 ? 1 : 0;
    if (v < 501) {
        ResizeTo(vClearFlag, 25, 0);
        vClearFlag.Fill(0);
    }
    if (v < 567) {
        ResizeTo(vOption, 10, cSysOption());
        InsertNumberOption(vOption, 4, "DD_VideoStretch", 0);
    }
    if (v < 568) {
        ResizeTo(vOption, 10, cSysOption());
        InsertNumberOption(vOption, 4, "D3D_FontCache", 0);
        InsertNumberOption(vOption, 5, "DD_FontCache", 1);
    }
    if (v < 587) {
        ResizeTo(vStatusItem, 5, cStatusItem());
        for (int i : {2, 3}) {
            vStatusItem[i].nLimit = 33;
            vStatusItem[i].bLimitPercent = 1;
        }
    }
    if (v < 637) nCompat637 = v <= 616 ? 1 : 0;
    if (v < 672) {
        ResizeTo(vOption, 10, cSysOption());
        vOption[9].SetNumber("English", 0);
    }
    if (v < 756) {
        ResizeTo(vText, 29, empty);
        InsertAt(vText, 22, "マップへ戻る");
    }
}
