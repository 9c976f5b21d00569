// Brings a System.dat of an older version up to date: switches that a later
// version added get the value that keeps the older behaviour, and menu
// entries, texts and options that later versions added go in at their places.
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
    if (v < 113) nCompat113 = 0;
    if (v < 157) nCompat157 = 0;
    if (v < 167) nCompat167a = nCompat167b = nCompat167c = nCompat167d = 1;
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
    if (v < 170) nDigitParamB = 0;
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
    if (v < 184) bReplayRecord = 1;
    if (v < 185) bTallyDivide = 1;
    if (v < 187) {
        nColorMode = 0;
        byColorKey[0] = 0;
        byColorKey[1] = 177;
        byColorKey[2] = 0;
    }
    if (v < 188) nCompat188a = nCompat188b = nCompat188c = 1;
    if (v < 191) {
        ResizeTo(vStartFlag, 4, 0);
        vStartFlag[0] = vStartFlag[1] = vStartFlag[2] = 0;
        vStartFlag[3] = 1;
        bStageSwitch = 0;
        bMapSwitchB = 0;
    }
    if (v < 192) nCompat192 = 1;
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
    if (v < 205) nFontNo = 60;
    if (v < 210) {
        ResizeTo(vCarryFlag, 25, 0);
        InsertAt(vCarryFlag, 9, 0);
    }
    if (v < 214) nCompat214 = 1;
    if (v < 224) nPauseSwitch224a = nPauseSwitch224b = 0;
    if (v < 261) nCompat261 = 1;
    if (v < 272) nCompat272 = 0;
    if (v < 286) {
        ResizeTo(vOption, 10, cSysOption());
        InsertNumberOption(vOption, 0, "Direct3D", 1);
        if (vOption[3].nValue >= 3) vOption[3].nValue = 2;
    }
    if (v < 287) nCompat287 = 0;
    if (v < 289) nCompat289 = nColorMode == 0 ? 1 : 0;
    if (v < 501) {
        ResizeTo(vClearFlag, 25, 0);
        vClearFlag.Fill(0);
    }
    if (v < 515) nBlinkStep = 16;
    if (v < 525) nCompat525 = 1;
    if (v < 555) nCompat555 = 1;
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
    if (v < 669) nCompat669 = 1;
    if (v < 670) {
        nD3DBpp = 0;
        nDDBpp = 2;
    }
    if (v < 672) {
        ResizeTo(vOption, 10, cSysOption());
        vOption[9].SetNumber("English", 0);
    }
    if (v < 677) nCompat677 = 1;
    if (v < 695) nCompat695 = 1;
    if (v < 696) nCompat696 = 1;
    if (v < 697) nCompat697 = 1;
    if (v < 721) nCompat721 = 1;
    if (v < 728) nCompat728 = 1;
    if (v < 733) nCompat733 = 1;
    if (v < 744) nCompat744 = 1;
    if (v < 749) nCompat749 = 1;
    if (v < 752) nCompat752 = 1;
    if (v < 756) {
        ResizeTo(vText, 29, empty);
        InsertAt(vText, 22, "マップへ戻る");
    }
    if (v < 757) nPauseSwitch757 = 0;
    if (v < 763) nCompat763a = nCompat763b = 1;
    if (v < 768) nCompat768 = 1;
    if (v < 773) nCompat773 = 1;
    if (v < 781) nCompat781 = 1;
    if (v < 782) nCompat782 = 1;
    if (v < 783) nCompat783 = 1;
    if (v < 793) nCompat793 = 1;
    if (v < 805) nCompat805 = 1;
    if (v < 808) nCompat808 = 1;
    if (v < 818) nCompat818a = nCompat818b = 1;
    if (v < 819) nCompat819 = 1;
    if (v < 821) bTitleSwitch = 0;
    if (v < 822) nCompat822 = 1;
}
