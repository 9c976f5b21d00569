#include "database/system_data.h"

#include "records/version.h"

// ---- element records ----

namespace {

using SI = cStatusItem;
constexpr FIELDROW<SI> g_StatusRows[] = {
    {&SI::bShow, 4},
    {&SI::bIcon, 4},
    {&SI::nDigit, 4},
    {.lpMember = &SI::nCompat204, .nWidth = 4, .nFrom = 204, .dOlder = 1},
    {&SI::nLimit, 4, 587},
    {&SI::bLimitPercent, 4, 587},
    {&SI::strLabel, 0},
};
static_assert(WidthsMatch(g_StatusRows), "a width column disagrees with its member");

constexpr FIELDROW<cGameTypeFlags> g_GameTypeRows[] = {{&cGameTypeFlags::bOn, 4}};
static_assert(WidthsMatch(g_GameTypeRows), "a width column disagrees with its member");

using SO = cSysOption;
constexpr FIELDROW<SO> g_OptionRows[] = {
    {&SO::nKind, 4},
    {&SO::strName, 0},
    {&SO::nValue, 4},
    {&SO::strValue, 0},
};
static_assert(WidthsMatch(g_OptionRows), "a width column disagrees with its member");

}  // namespace

std::span<const FIELDROW<cStatusItem>> cStatusItem::Rows() { return g_StatusRows; }

void cStatusItem::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cStatusItem::Load(cDataReader& file) {
    LoadRows<g_StatusRows>(file, this);
    if (!file.Failed()) DefaultRowsMissingFrom(Rows(), this, nReadVersion);
}

void cStatusItem::Save(cDataWriter& file) { SaveRows<g_StatusRows>(file, this); }

std::span<const FIELDROW<cGameTypeFlags>> cGameTypeFlags::Rows() { return g_GameTypeRows; }

void cGameTypeFlags::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cGameTypeFlags::Load(cDataReader& file) {
    LoadRows<g_GameTypeRows>(file, this);
    const uint32_t n = file.ReadCount(1);
    if (file.Failed()) return;
    vFlag.assign(n, 0);
    file.Read(vFlag.data(), n);
}

void cGameTypeFlags::Save(cDataWriter& file) {
    SaveRows<g_GameTypeRows>(file, this);
    file.WriteU32(static_cast<uint32_t>(vFlag.size()));
    file.Write(vFlag.data(), vFlag.size());
}

std::span<const FIELDROW<cSysOption>> cSysOption::Rows() { return g_OptionRows; }

void cSysOption::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cSysOption::Load(cDataReader& file) { LoadRows<g_OptionRows>(file, this); }

void cSysOption::Save(cDataWriter& file) { SaveRows<g_OptionRows>(file, this); }

void cSysOption::SetNumber(const std::string& name, int value) {
    nKind = 0;
    strName = name;
    nValue = value;
}

void cSysOption::SetText(const std::string& name, const std::string& text) {
    nKind = 1;
    strName = name;
    strValue = text;
}

// ---- the base stream ----

namespace {

// Stored order. dDefault is the value of a new project; dOlder, where given,
// what a file older than the row's version reads as instead (the older
// behaviour). Rows without a version are stored by every file.
using S = cSystemData;
constexpr FIELDROW<S> g_SystemRows[] = {
    {.lpMember = &S::strTitle},
    {.lpMember = &S::bTallyDivide, .nWidth = 4, .nFrom = 185, .dOlder = 1},
    {.lpMember = &S::nTallyDivisor, .nWidth = 4, .dDefault = 100},
    {.lpMember = &S::bPauseEffect, .nWidth = 4, .dDefault = 1},
    {.lpMember = &S::bFontSymbols, .nWidth = 4},
    {.lpMember = &S::nFontNo, .nWidth = 4, .nFrom = 205, .dDefault = 60},
    {.lpMember = &S::bFontCentring, .nWidth = 4, .nFrom = 170},
    {.lpMember = &S::nCompat113, .nWidth = 4, .nFrom = 113},
    {.lpMember = &S::bReplayRecord, .nWidth = 4, .nFrom = 184, .dDefault = 1},
    {.lpMember = &S::bPictureTitleMenu, .nWidth = 4, .nFrom = 157, .dDefault = 1, .dOlder = 0},
    {.lpMember = &S::bChooseStorySlot, .nWidth = 4, .nFrom = 821, .dDefault = 1, .dOlder = 0},
    {.lpMember = &S::bCarryStock, .nWidth = 4, .dDefault = 1},
    {.lpMember = &S::bStageSwitch, .nWidth = 4, .nFrom = 191, .dDefault = 1, .dOlder = 0},
    {.lpMember = &S::bShowStock, .nWidth = 4, .nFrom = 191, .dDefault = 1, .dOlder = 0},
    {.lpMember = &S::nMaxStage, .nWidth = 4, .dDefault = 40},
    {.lpMember = &S::bUseMaxStage, .nWidth = 4, .dDefault = 1},
    {.lpMember = &S::bShowStageValue, .nWidth = 4, .nFrom = 167, .dDefault = 1},
    {.lpMember = &S::bShowMenuTotal, .nWidth = 4, .nFrom = 167, .dDefault = 1},
    {.lpMember = &S::nCompat188a, .nWidth = 4, .nFrom = 188, .dDefault = 1},
    {.lpMember = &S::bPauseRetryStory, .nWidth = 4, .nFrom = 224, .dDefault = 1, .dOlder = 0},
    {.lpMember = &S::bShowChallengeValues, .nWidth = 4, .nFrom = 167, .dDefault = 1},
    {.lpMember = &S::bShowChallengeTotal, .nWidth = 4, .nFrom = 167, .dDefault = 1},
    {.lpMember = &S::nCompat188b, .nWidth = 4, .nFrom = 188, .dDefault = 1},
    {.lpMember = &S::bPauseRetryChallenge, .nWidth = 4, .nFrom = 224, .dDefault = 1, .dOlder = 0},
    {.lpMember = &S::nCompat188c, .nWidth = 4, .nFrom = 188, .dDefault = 1},
    {.lpMember = &S::nCompat192, .nWidth = 4, .nFrom = 192, .dOlder = 1},
    {.lpMember = &S::nColorMode, .nWidth = 4, .nFrom = 187},
    // The colour key byte by byte; older files get green (0, 177, 0).
    {.lpMember = &S::byColorKey, .nWidth = 1, .nFrom = 187, .nElement = 0},
    {.lpMember = &S::byColorKey, .nWidth = 1, .nFrom = 187, .nElement = 1, .dOlder = 177},
    {.lpMember = &S::byColorKey, .nWidth = 1, .nFrom = 187, .nElement = 2},
    {.lpMember = &S::nCompat214, .nWidth = 4, .nFrom = 214, .dOlder = 1},
    {.lpMember = std::monostate{}, .nWidth = 4, .nFrom = 221, .nUntil = 260},  // a word that 260 dropped
    {.lpMember = &S::nCompat261, .nWidth = 4, .nFrom = 261, .dOlder = 1},
    {.lpMember = &S::nCompat272, .nWidth = 4, .nFrom = 272},
    {.lpMember = &S::nCompat287, .nWidth = 4, .nFrom = 287},
    {.lpMember = &S::nBlinkStep, .nWidth = 4, .nFrom = 515, .dDefault = 16},
    {.lpMember = &S::bCyclePalette, .nWidth = 4, .nFrom = 289},  // older files: from the colour mode
    {.lpMember = &S::bPauseBackToMap, .nWidth = 4, .nFrom = 757, .dDefault = 1, .dOlder = 0},
    {.lpMember = &S::nCompat525, .nWidth = 4, .nFrom = 525, .dOlder = 1},
    {.lpMember = &S::nCompat555, .nWidth = 4, .nFrom = 555, .dOlder = 1},
    {.lpMember = &S::nCompat637, .nWidth = 4, .nFrom = 637},  // older files: from their version
    {.lpMember = &S::nCompat669, .nWidth = 4, .nFrom = 669, .dOlder = 1},
    {.lpMember = &S::nCompat677, .nWidth = 4, .nFrom = 677, .dOlder = 1},
    {.lpMember = &S::nCompat695, .nWidth = 4, .nFrom = 695, .dOlder = 1},
    {.lpMember = &S::nCompat696, .nWidth = 4, .nFrom = 696, .dOlder = 1},
    {.lpMember = &S::nCompat697, .nWidth = 4, .nFrom = 697, .dOlder = 1},
    {.lpMember = &S::nCompat721, .nWidth = 4, .nFrom = 721, .dOlder = 1},
    {.lpMember = &S::nCompat728, .nWidth = 4, .nFrom = 728, .dOlder = 1},
    {.lpMember = &S::nCompat733, .nWidth = 4, .nFrom = 733, .dOlder = 1},
    {.lpMember = &S::nCompat744, .nWidth = 4, .nFrom = 744, .dOlder = 1},
    {.lpMember = &S::nCompat749, .nWidth = 4, .nFrom = 749, .dOlder = 1},
    {.lpMember = &S::nCompat752, .nWidth = 4, .nFrom = 752, .dOlder = 1},
    {.lpMember = &S::nCompat763a, .nWidth = 4, .nFrom = 763, .dOlder = 1},
    {.lpMember = &S::nCompat763b, .nWidth = 4, .nFrom = 763, .dOlder = 1},
    {.lpMember = &S::nCompat768, .nWidth = 4, .nFrom = 768, .dOlder = 1},
    {.lpMember = &S::nCompat773, .nWidth = 4, .nFrom = 773, .dOlder = 1},
    {.lpMember = &S::nCompat781, .nWidth = 4, .nFrom = 781, .dOlder = 1},
    {.lpMember = &S::nCompat782, .nWidth = 4, .nFrom = 782, .dOlder = 1},
    {.lpMember = &S::bReverseOnTurn, .nWidth = 4, .nFrom = 783, .dOlder = 1},
    {.lpMember = &S::nCompat793, .nWidth = 4, .nFrom = 793, .dOlder = 1},
    {.lpMember = &S::nCompat805, .nWidth = 4, .nFrom = 805, .dOlder = 1},
    {.lpMember = &S::nCompat808, .nWidth = 4, .nFrom = 808, .dOlder = 1},
    {.lpMember = &S::nCompat818a, .nWidth = 4, .nFrom = 818, .dOlder = 1},
    {.lpMember = &S::nCompat818b, .nWidth = 4, .nFrom = 818, .dOlder = 1},
    {.lpMember = &S::nCompat819, .nWidth = 4, .nFrom = 819, .dOlder = 1},
    {.lpMember = &S::nCompat822, .nWidth = 4, .nFrom = 822, .dOlder = 1},
    {.lpMember = &S::nD3DBpp, .nWidth = 4, .nFrom = 670},
    {.lpMember = &S::nDDBpp, .nWidth = 4, .nFrom = 670, .dDefault = 2},
};
static_assert(WidthsMatch(g_SystemRows), "a width column disagrees with its member");

}  // namespace

std::span<const FIELDROW<cSystemData>> cSystemData::Rows() { return g_SystemRows; }

void cSystemData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

// ---- the lists after the base stream ----

namespace {

void ReadBytes(cDataReader& file, cSafeVector<uint8_t>& v) {
    const uint32_t n = file.ReadCount(1);
    if (file.Failed()) return;
    v.assign(n, 0);
    file.Read(v.data(), n);
}

void ReadInts(cDataReader& file, cSafeVector<int32_t>& v) {
    const uint32_t n = file.ReadCount(4);
    if (file.Failed()) return;
    v.assign(n, 0);
    for (uint32_t i = 0; i < n && !file.Failed(); ++i) v.data()[i] = file.ReadI32();
}

void ReadStrings(cDataReader& file, cSafeVector<std::string>& v) {
    const uint32_t n = file.ReadCount(4);
    if (file.Failed()) return;
    v.assign(n, std::string());
    for (uint32_t i = 0; i < n && !file.Failed(); ++i) LoadStreamString(file, v.data()[i]);
}

// Emptied, then n copies of `fresh`, each loaded in turn. nMinBytes: the
// shortest stream of one element, which bounds the count by the bytes left.
template <class T>
void ReadRecords(cDataReader& file, cSafeVector<T>& v, const T& fresh, size_t nMinBytes) {
    const uint32_t n = file.ReadCount(nMinBytes);
    if (file.Failed()) return;
    v.clear();
    v.resize(n, fresh);
    for (T& e : v) {
        e.Load(file);
        if (file.Failed()) return;
    }
}

void WriteBytes(cDataWriter& file, const cSafeVector<uint8_t>& v) {
    file.WriteU32(static_cast<uint32_t>(v.size()));
    file.Write(v.data(), v.size());
}

void WriteInts(cDataWriter& file, const cSafeVector<int32_t>& v) {
    file.WriteU32(static_cast<uint32_t>(v.size()));
    for (int32_t x : v) file.WriteI32(x);
}

void WriteStrings(cDataWriter& file, cSafeVector<std::string>& v) {
    file.WriteU32(static_cast<uint32_t>(v.size()));
    for (std::string& s : v) SaveStreamString(file, s);
}

template <class T>
void WriteRecords(cDataWriter& file, cSafeVector<T>& v) {
    file.WriteU32(static_cast<uint32_t>(v.size()));
    for (T& e : v) e.Save(file);
}

int (*g_lpMusicCount)() = nullptr;

}  // namespace

void cSystemData::Load(cDataReader& file) {
    LoadRows<g_SystemRows>(file, this);
    if (file.Failed()) return;
    const uint32_t v = nReadVersion;
    const cCmd freshCmd(1, std::string());
    ReadBytes(file, vCarryFlag);
    if (v >= 501) ReadBytes(file, vClearFlag);
    ReadRecords(file, vStatusItem, cStatusItem(), 8);
    ReadInts(file, vStartValue);
    if (v >= 191) ReadInts(file, vStartFlag);
    if (v >= 186) ReadRecords(file, vGameTypeFlags, cGameTypeFlags(), 12);
    ReadStrings(file, vText);
    ReadStrings(file, vSeName);
    ReadInts(file, vPlaceBgm);
    if (v >= 202) ReadBytes(file, vPlaceFlag);
    ReadRecords(file, vTitleMenu, freshCmd, 8);
    ReadRecords(file, vMapMenu, freshCmd, 8);
    ReadRecords(file, vOptionMenu, freshCmd, 8);
    if (v >= 674) ReadStrings(file, vRankModeName);
    ReadRecords(file, vOption, cSysOption(), 8);
    if (file.Failed()) return;
    if (v < nDataVersion) {
        DefaultRowsMissingFrom(Rows(), this, v);
        UpgradeFromOlder(v);
    }
    CheckPlaceBgm();
}

void cSystemData::Save(cDataWriter& file) {
    CheckPlaceBgm();
    SaveRows<g_SystemRows>(file, this);
    WriteBytes(file, vCarryFlag);
    WriteBytes(file, vClearFlag);
    WriteRecords(file, vStatusItem);
    WriteInts(file, vStartValue);
    WriteInts(file, vStartFlag);
    WriteRecords(file, vGameTypeFlags);
    WriteStrings(file, vText);
    WriteStrings(file, vSeName);
    WriteInts(file, vPlaceBgm);
    WriteBytes(file, vPlaceFlag);
    WriteRecords(file, vTitleMenu);
    WriteRecords(file, vMapMenu);
    WriteRecords(file, vOptionMenu);
    WriteStrings(file, vRankModeName);
    WriteRecords(file, vOption);
}

cSystemData::cSystemData() {
    Layout(nDataVersion);
    BuildDefault();
}

int cSystemData::LoadFile(const std::string& name) { return LoadFile(name, true); }

int cSystemData::LoadFileUnchecked(const std::string& name) { return LoadFile(name, false); }

int cSystemData::LoadFile(const std::string& name, bool checkMusic) {
    // Older files leave whole lists unstored: they must find the defaults.
    cSystemData fresh;
    fresh.m_bCheckMusic = checkMusic;
    if (!fresh.LoadFromFile(name)) return 0;
    fresh.m_bCheckMusic = true;
    *this = std::move(fresh);
    return 1;
}

int cSystemData::SaveFile(const std::string& name) { return SaveToFile(name); }

void cSystemData::CheckPlaceBgm() {
    if (!m_bCheckMusic || !g_lpMusicCount) return;
    const int n = g_lpMusicCount();
    const uint32_t count = n > 0 ? static_cast<uint32_t>(n) : 0;
    for (int i = 0; i < static_cast<int>(vPlaceBgm.size()); ++i)
        if (static_cast<uint32_t>(vPlaceBgm[i]) >= count) vPlaceBgm[i] = 0;
}

void SetMusicCountSource(int (*source)()) { g_lpMusicCount = source; }

cSystemData SystemData;

void ResetSystemData() { SystemData = cSystemData(); }
