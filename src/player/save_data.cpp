#include "player/save_data.h"

#include <algorithm>

#include "database/data_paths.h"
#include "database/system_data.h"
#include "database/world_map.h"
#include "platform/system/file_name.h"
#include "player/player_records.h"
#include "records/data_file.h"
#include "records/utility.h"
#include "records/version.h"

namespace {

// ---- stored fields ----

using H = cHeroStore;
constexpr FIELDROW<H> g_HeroRows[] = {
    {&H::nPlayerValue1, 4},
    {&H::nPlayerValue2, 4},
    {&H::nTimeLimit, 4},
    {&H::nLives, 4},
    {&H::nBgm, 4},
};
static_assert(WidthsMatch(g_HeroRows), "a width column disagrees with its member");

using S = cSaveData;
constexpr FIELDROW<S> g_SaveRows[] = {
    {&S::bHeroStore, 4},
    {&S::nMapX, 4},
    {&S::nMapY, 4},
    {&S::lpWorld, 4},
    {&S::nLap, 4},
    {&S::strStage, 0},
    {&S::strRankName, 0, 724},
    {&S::nEvent1, 4, 758},
    {&S::nEvent2, 4, 758},
    {&S::nEvent3, 4, 758},
    {&S::nValue11, 4},
    {&S::nStageNo, 4},
    {&S::nLivesInit, 4},
    {&S::nLives, 4},
    {&S::nValue15, 4},
    {&S::nScore, 4},
    {&S::nBestTotal, 4},
    {&S::nTimeLeft, 4},
    {&S::nClearTime, 4},
    {&S::nHpLeft, 4, 182},
    {&S::nSpLeft, 4, 182},
    {&S::bMultiPart, 4},
    {&S::nValue23, 4},
    {&S::nValue24, 4, 166},
    {&S::nValue25, 4, 194},
    {&S::nValue26, 4, 190},
    {&S::nValue27, 4, 191},  // #27 and #28: one field of two
    {&S::nPairIndex, 4, 0, 0, 1},
    {&S::nStorySlot, 4, 0, 0, -1},
    {&S::nValue31, 4, 169},
    {.lpMember = &S::strEntryName, .nWidth = 0, .lpszDefault = "aaa"},
    {&S::nValue33, 4},
    {&S::nRankTable, 4},
    {&S::nValue35, 4, 678},  // #35..#37: one field of three
    {&S::nValue38, 4, 679},
};
static_assert(WidthsMatch(g_SaveRows), "a width column disagrees with its member");

using L = cSaveSlot;
constexpr FIELDROW<L> g_SlotRows[] = {
    {&L::bUse, 4},
};
static_assert(WidthsMatch(g_SlotRows), "a width column disagrees with its member");

// u32 n and n i32 values; the list is emptied first.
void LoadIntList(cDataReader& file, cSafeVector<int32_t>& v) {
    v.clear();
    const uint32_t n = file.ReadCount(4);
    if (file.Failed()) return;
    v.resize(n);
    for (int32_t& x : v) x = file.ReadI32();
}

void SaveIntList(cDataWriter& file, const cSafeVector<int32_t>& v) {
    file.WriteU32(static_cast<uint32_t>(v.size()));
    for (int32_t x : v) file.WriteI32(x);
}

template <class V>
void LoadFreshRecordList(cDataReader& file, V& v) {
    v.clear();  // every element starts from its defaults
    LoadRecordVector(file, v);
}

// Carried property i of a character record: copied from src to dst.
void CopyCarried(int i, cCharaData& dst, const cCharaData& src) {
    switch (i) {
        case 0:
            dst.wGraphic = src.wGraphic;
            dst.byGraphicKind = src.byGraphicKind;
            dst.wGraphicSub = src.wGraphicSub;
            break;
        case 1: dst.wAnimeSet = src.wAnimeSet; break;
        case 2: dst.byZ = src.byZ; break;
        case 3: dst.bTransparent = src.bTransparent; break;
        case 5: dst.bFixedFacing = src.bFixedFacing; break;
        case 6: dst.byFlying = src.byFlying; break;
        case 7: dst.byInvincible = src.byInvincible; break;
        case 8: dst.chSize = src.chSize; break;
        case 9: dst.bAutoScrollSync = src.bAutoScrollSync; break;
        case 10:
            dst.bySightShape = src.bySightShape;
            dst.bySightRange = src.bySightRange;
            break;
        case 13: dst.nMaxHP = src.nMaxHP; break;
        case 14: dst.nMaxSP = src.nMaxSP; break;
        case 15: dst.byHitRangeKind = src.byHitRangeKind; break;
        case 16: dst.nBodyPower = src.nBodyPower; break;
        case 17: dst.byBodyImpact = src.byBodyImpact; break;
        case 18: dst.nDefence = src.nDefence; break;
        case 19: dst.byImpactResist = src.byImpactResist; break;
        case 20: dst.wStopEase = src.wStopEase; break;
        case 21: dst.vFlow = src.vFlow; break;
        default: break;  // 4, 11, 12, 22..24 are values, not record fields
    }
}

// Carried property i among the values (4, 11, 12, 22..24): copied from src to dst.
void CopyCarriedValue(int i, HEROSTATUS& dst, const HEROSTATUS& src) {
    switch (i) {
        case 4:
            dst.wField19 = src.wField19;
            dst.byField20 = src.byField20;
            dst.byField21 = src.byField21;
            break;
        case 11: dst.nPlayerValue1 = src.nPlayerValue1; break;
        case 12: dst.nPlayerValue2 = src.nPlayerValue2; break;
        case 22: dst.nTimeLimit = src.nTimeLimit; break;
        case 23: dst.nLives = src.nLives; break;
        case 24: dst.nBgm = src.nBgm; break;
        default: break;
    }
}

bool CarrySwitch(int i) {
    return i < static_cast<int>(SystemData.vCarryFlag.size()) && SystemData.vCarryFlag[i] != 0;
}

HEROSTATUS StoredValues(const cHeroStore& h) {
    HEROSTATUS s;
    s.nPlayerValue1 = h.nPlayerValue1;
    s.nPlayerValue2 = h.nPlayerValue2;
    s.wField19 = h.Chara.wAppearEffect;
    s.byField20 = h.Chara.byAppearEffectMode;
    s.byField21 = h.Chara.bAppearEffectRepeat;
    s.nTimeLimit = h.nTimeLimit;
    s.nLives = h.nLives;
    s.nBgm = h.nBgm;
    return s;
}

void SetStoredValues(cHeroStore& h, const HEROSTATUS& s) {
    h.nPlayerValue1 = s.nPlayerValue1;
    h.nPlayerValue2 = s.nPlayerValue2;
    h.Chara.wAppearEffect = s.wField19;
    h.Chara.byAppearEffectMode = s.byField20;
    h.Chara.bAppearEffectRepeat = s.byField21;
    h.nTimeLimit = s.nTimeLimit;
    h.nLives = s.nLives;
    h.nBgm = s.nBgm;
}

bool IsValueProperty(int i) { return i == 4 || i == 11 || i == 12 || i >= 22; }

}  // namespace

// ---- cHeroStore ----

std::span<const FIELDROW<cHeroStore>> cHeroStore::Rows() { return g_HeroRows; }
void cHeroStore::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cHeroStore::Load(cDataReader& file) {
    LoadRows(file, Rows(), this);
    if (!file.Failed()) Chara.Load(file);
}

void cHeroStore::Save(cDataWriter& file) {
    SaveRows(file, Rows(), this);
    Chara.Save(file);
}

// ---- cSaveData ----

std::span<const FIELDROW<cSaveData>> cSaveData::Rows() { return g_SaveRows; }

cSaveData::cSaveData() { Clear(); }

void cSaveData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cSaveData::Clear() {
    DefaultRows(Rows(), this);
    tmSave = SYSTEMTIME();
    vStoreFlag.assign(STORE_FLAG_NUM, 0);
    vHeroStore.assign(1, cHeroStore());
    vMapFlag.assign(MAP_FLAG_NUM, 0);
    vMapFlag[0] = 1;
    vVar.assign(VAR_NUM, 0);
    vStageRec.clear();
    vPair.clear();
    vVarBackup.assign(VAR_NUM, 0);
    nLivesBackup = 0;
    nScoreBackup = 0;
}

void cSaveData::Load(cDataReader& file) {
    const uint32_t v = nReadVersion;
    LoadRows(file, Rows(), this);
    ReadSystemTime(file, tmSave);
    if (v >= 501) LoadIntList(file, vStoreFlag);
    LoadFreshRecordList(file, vHeroStore);
    LoadFreshRecordList(file, vStageRec);
    LoadFreshRecordList(file, vPair);
    LoadIntList(file, vMapFlag);
    LoadIntList(file, vVar);
    if (file.Failed()) return;
    // Older files, in ascending version order.
    if (v < 166) nValue24 = 1;
    if (v < 169) nValue31 = 0;
    if (v < 182) nHpLeft = nSpLeft = 0;
    if (v < 190) nValue26 = 0;
    if (v < 191) nValue27[0] = nValue27[1] = 0;
    if (v < 194) nValue25 = 0;
    if (v < 501) vStoreFlag.assign(STORE_FLAG_NUM, 1);
    if (v < 754) vVar.resize(VAR_NUM_OLD, 0);
    if (v < 804 && !vMapFlag.empty()) vMapFlag[0] = 1;
    // Every list as long as the game reads it (a re-saved old file has C1000).
    vVar.resize(VAR_NUM, 0);
    vMapFlag.resize(MAP_FLAG_NUM, 0);
    vStoreFlag.resize(STORE_FLAG_NUM, 0);
    if (vHeroStore.empty()) vHeroStore.resize(1);
    vVarBackup.assign(VAR_NUM, 0);
    Normalize();
}

void cSaveData::Save(cDataWriter& file) {
    Normalize();
    SaveRows(file, Rows(), this);
    WriteSystemTime(file, tmSave);
    SaveIntList(file, vStoreFlag);
    SaveRecordVector(file, vHeroStore);
    SaveRecordVector(file, vStageRec);
    SaveRecordVector(file, vPair);
    SaveIntList(file, vMapFlag);
    SaveIntList(file, vVar);
}

void cSaveData::Normalize() {
    if (nMapX >= WorldMap.nWidth) nMapX = WorldMap.nStartX;
    if (nMapY >= WorldMap.nHeight) nMapY = WorldMap.nStartY;
    const int count = std::max(0, SystemData.nMaxStage);
    vPair.resize(static_cast<size_t>(count));
    if (nPairIndex > count) nPairIndex = count;
}

std::string GetStorySlotPath(int n) { return GetStorySavePath(n + 1); }

int cSaveData::SaveStory(int n) {
    if (n < 0 || n >= STORY_SLOT_NUM) return 0;
    GetLocalTime(&tmSave);
    if (!SaveToFile(GetStorySlotPath(n))) return 0;
    if (n < static_cast<int>(SaveSlotList.size())) {
        SaveSlotList[n].bUse = 1;
        SaveSlotList[n].tmSave = tmSave;
    }
    return 1;
}

void cSaveData::ApplyLifeStockRule(int g) {
    const bool unlimited = g >= 0 && g < static_cast<int>(SystemData.vStartFlag.size()) && SystemData.vStartFlag[g];
    if (unlimited) {
        nLivesInit = nLives = UNLIMITED_LIVES;
    } else if (nLives == UNLIMITED_LIVES && g >= 0 && g < static_cast<int>(SystemData.vStartValue.size())) {
        nLives = SystemData.vStartValue[g];
    }
}

int cSaveData::LoadStory(int n) {
    if (n >= 0 && n < STORY_SLOT_NUM) LoadRecordFileWhole(*this, GetStorySlotPath(n));
    ApplyLifeStockRule(SAVE_GAME_STORY);
    return 1;
}

int cSaveData::LoadChallenge() {
    if (!LoadRecordFileWhole(*this, PathTable[PATH_CHALLENGE_SAVE])) return 0;
    ApplyLifeStockRule(SAVE_GAME_CHALLENGE);
    return 1;
}

int cSaveData::SaveChallenge() { return SaveToFile(PathTable[PATH_CHALLENGE_SAVE]); }

void AddEventSuffix(std::string& s, int e1, int e2, int e3) {
    if (e1 == 0) return;
    const bool dot = !s.empty() && s.back() == '.';
    if (dot) s.pop_back();
    std::string num;
    IntToStr(num, e2, 3, 1, 0);
    FormatString2(s, "_c%s_%d", num.c_str(), e3);
    if (dot) s += '.';
}

void cSaveData::SetStageFile(const std::string& path, int e1, int e2, int e3) {
    strStage = path;
    nEvent1 = e1;
    nEvent2 = e2;
    nEvent3 = e3;
    bMultiPart = 0;
    // Neither "-" nor "1" can be the second byte of a double-byte character.
    const auto at = strStage.rfind("-1");
    if (at != std::string::npos) {
        bMultiPart = 1;
        strStage.resize(at);
        strStage += '.';
    } else {
        const auto dot = FindExtensionDot(strStage);
        if (dot != std::string::npos) strStage.resize(dot + 1);
    }
    strRankName = strStage;
    if (nEvent1) AddEventSuffix(strRankName, e1, e2, e3);
}

void cSaveData::RecordStageResult(const std::string& stage, const std::string& rankName, int e1, int e2, int e3,
                                  int value) {
    for (cTextRec& r : vStageRec) {
        if (r.strRankName != rankName) continue;
        if (value > r.nBest) {
            nBestTotal += value - r.nBest;
            r.nBest = value;
        }
        return;
    }
    cTextRec r;
    r.strStage = stage;
    r.strRankName = rankName;
    r.nEvent1 = e1;
    r.nEvent2 = e2;
    r.nEvent3 = e3;
    r.nBest = value;
    vStageRec.push_back(r);
    nBestTotal += value;
}

int cSaveData::GetStageValue(const std::string& rankName) const {
    for (const cTextRec& r : vStageRec)
        if (r.strRankName == rankName) return r.nBest;
    return 0;
}

void cSaveData::CalcTotalValue() {
    nBestTotal = 0;
    for (const cTextRec& r : vStageRec)
        if (WorldMap.HasEvent(r.strStage, r.nEvent1, r.nEvent2, r.nEvent3)) nBestTotal += r.nBest;
}

void cSaveData::SaveStageStart() {
    vVarBackup = vVar;
    nLivesBackup = nLives;
    nScoreBackup = nScore;
}

void cSaveData::RestoreVars(int bForced, int bRestoreVarSetting) {
    if (bForced) {
        vVar = vVarBackup;
        nScore = nScoreBackup;
        nLives = nLivesBackup;
        return;
    }
    if (bRestoreVarSetting) vVar = vVarBackup;
    nScore = nScoreBackup;
}

void cSaveData::StoreHeroStatus(int player, const cCharaData& chara, const HEROSTATUS& status) {
    if (player < 0) return;
    if (static_cast<int>(vHeroStore.size()) <= player) vHeroStore.resize(static_cast<size_t>(player) + 1);
    vStoreFlag.resize(STORE_FLAG_NUM, 0);
    bHeroStore = 1;
    cHeroStore& h = vHeroStore[player];
    HEROSTATUS stored = StoredValues(h);
    for (int i = 0; i < STORE_FLAG_NUM; ++i) {
        if (!CarrySwitch(i)) continue;
        if (IsValueProperty(i)) CopyCarriedValue(i, stored, status);
        else CopyCarried(i, h.Chara, chara);
        vStoreFlag[i] = 1;
    }
    SetStoredValues(h, stored);
}

int cSaveData::RestoreHeroStatus(int player, cCharaData& chara, HEROSTATUS& status) const {
    if (bHeroStore != 1 || player < 0 || player >= static_cast<int>(vHeroStore.size())) return 0;
    const cHeroStore& h = vHeroStore[player];
    const HEROSTATUS stored = StoredValues(h);
    for (int i = 0; i < STORE_FLAG_NUM && i < static_cast<int>(vStoreFlag.size()); ++i) {
        if (!CarrySwitch(i) || vStoreFlag[i] != 1) continue;
        if (IsValueProperty(i)) CopyCarriedValue(i, status, stored);
        else CopyCarried(i, chara, h.Chara);
        if (i == 0 && chara.wGraphic == 0) chara.wGraphic = 1;
    }
    return 1;
}

void cSaveData::RestorePlayerValues(int player, int32_t& value1, int32_t& value2) const {
    if (bHeroStore != 1 || player < 0 || player >= static_cast<int>(vHeroStore.size())) return;
    const cHeroStore& h = vHeroStore[player];
    if (CarrySwitch(11) && vStoreFlag.size() > 11 && vStoreFlag[11] == 1) value1 = h.nPlayerValue1;
    if (CarrySwitch(12) && vStoreFlag.size() > 12 && vStoreFlag[12] == 1) value2 = h.nPlayerValue2;
}

void cSaveData::ClearStoredFlags() {
    for (int i = 0; i < static_cast<int>(vStoreFlag.size()) && i < static_cast<int>(SystemData.vClearFlag.size()); ++i)
        if (SystemData.vClearFlag[i]) vStoreFlag[i] = 0;
}

void cSaveData::NextLap() {
    ++nLap;
    vMapFlag.Fill(0);
    if (!vMapFlag.empty()) vMapFlag[0] = 1;
    nMapX = WorldMap.nStartX;
    nMapY = WorldMap.nStartY;
}

// ---- slots ----

std::span<const FIELDROW<cSaveSlot>> cSaveSlot::Rows() { return g_SlotRows; }
void cSaveSlot::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }
void cSaveSlot::Load(cDataReader& file) { LoadRows(file, Rows(), this); }
void cSaveSlot::Save(cDataWriter& file) { SaveRows(file, Rows(), this); }

void RefreshSlotList(cSafeVector<cSaveSlot>& slots) {
    slots.resize(STORY_SLOT_NUM);
    for (int i = 0; i < STORY_SLOT_NUM; ++i) {
        // A file that opens marks the slot used, even when it turns out
        // damaged: its time is then unknown (zero).
        auto file = OpenDataFileRead(GetStorySlotPath(i).c_str());
        slots[i].bUse = file ? 1 : 0;
        slots[i].tmSave = SYSTEMTIME();
        if (!file) continue;
        cSaveData tmp;
        tmp.Load(*file);
        if (!file->Failed()) slots[i].tmSave = tmp.tmSave;
        CloseDataFile(file);
    }
}

std::string MakeSlotText(const cSaveSlot& slot) {
    std::string text;
    if (slot.bUse)
        FormatString(text, "%04d/%02d/%02d %02d:%02d\n", slot.tmSave.wYear, slot.tmSave.wMonth, slot.tmSave.wDay,
                     slot.tmSave.wHour, slot.tmSave.wMinute);
    return text;
}

int AutoSaveStory(cSaveData& data) {
    if (data.nStorySlot < 0 || data.nStorySlot >= STORY_SLOT_NUM) return 0;
    return data.SaveStory(data.nStorySlot);
}

void cSaveData::ResetTotals() {
    nScore = 0;
    nTimeLeft = 0;
    nClearTime = 0;
    nHpLeft = 0;
    nSpLeft = 0;
}
