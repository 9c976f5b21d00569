#include "database/system_data.h"

#include "records/version.h"

// ---- element records ----

void cStatusItem::Layout(uint32_t version) {
    ClearAllFields();
    AddIntField(&bShow);
    AddIntField(&bIcon);
    AddIntField(&nDigit);
    if (version >= 204) AddIntField(&nCompat204);
    if (version >= 587) {
        AddIntField(&nLimit);
        AddIntField(&bLimitPercent);
    }
    AddStringField(&strLabel);
}

void cStatusItem::Load(cDataReader& file) {
    cRecord::Load(file);
    if (nReadVersion < 204) nCompat204 = 1;
}

void cGameTypeFlags::Layout(uint32_t) {
    ClearAllFields();
    AddIntField(&bOn);
}

void cGameTypeFlags::Load(cDataReader& file) {
    cRecord::Load(file);
    const uint32_t n = file.ReadCount(1);
    if (file.Failed()) return;
    vFlag.assign(n, 0);
    file.Read(vFlag.data(), n);
}

void cGameTypeFlags::Save(cDataWriter& file) {
    cRecord::Save(file);
    file.WriteU32(static_cast<uint32_t>(vFlag.size()));
    file.Write(vFlag.data(), vFlag.size());
}

void cSysOption::Layout(uint32_t) {
    ClearAllFields();
    AddIntField(&nKind);
    AddIntField(&nValue);
    AddStringField(&strName);
    AddStringField(&strValue);
}

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

#define ROW(member, from) SYSFIELDROW{&cSystemData::member, -1, from, 0}
#define KEYROW(byte, from) SYSFIELDROW{nullptr, byte, from, 0}

const SYSFIELDROW SystemFieldRows[67] = {
    ROW(bTallyDivide, 185),     ROW(nTallyDivisor, 0),      ROW(bPauseEffect, 0),      ROW(nDigitParamA, 0),
    ROW(nFontNo, 205),          ROW(nDigitParamB, 170),     ROW(nCompat113, 113),      ROW(bReplayRecord, 184),
    ROW(nCompat157, 157),       ROW(bTitleSwitch, 821),     ROW(bMapSwitchA, 0),       ROW(bStageSwitch, 191),
    ROW(bMapSwitchB, 191),      ROW(nMaxStage, 0),          ROW(bUseMaxStage, 0),      ROW(nCompat167a, 167),
    ROW(nCompat167b, 167),      ROW(nCompat188a, 188),      ROW(nPauseSwitch224a, 224), ROW(nCompat167c, 167),
    ROW(nCompat167d, 167),      ROW(nCompat188b, 188),      ROW(nPauseSwitch224b, 224), ROW(nCompat188c, 188),
    ROW(nCompat192, 192),       ROW(nColorMode, 187),       KEYROW(0, 187),            KEYROW(1, 187),
    KEYROW(2, 187),             ROW(nCompat214, 214),
    SYSFIELDROW{nullptr, -1, 221, 260},  // a word of 221 to 259 that later versions dropped
    ROW(nCompat261, 261),       ROW(nCompat272, 272),       ROW(nCompat287, 287),      ROW(nBlinkStep, 515),
    ROW(nCompat289, 289),       ROW(nPauseSwitch757, 757),  ROW(nCompat525, 525),      ROW(nCompat555, 555),
    ROW(nCompat637, 637),       ROW(nCompat669, 669),       ROW(nCompat677, 677),      ROW(nCompat695, 695),
    ROW(nCompat696, 696),       ROW(nCompat697, 697),       ROW(nCompat721, 721),      ROW(nCompat728, 728),
    ROW(nCompat733, 733),       ROW(nCompat744, 744),       ROW(nCompat749, 749),      ROW(nCompat752, 752),
    ROW(nCompat763a, 763),      ROW(nCompat763b, 763),      ROW(nCompat768, 768),      ROW(nCompat773, 773),
    ROW(nCompat781, 781),       ROW(nCompat782, 782),       ROW(nCompat783, 783),      ROW(nCompat793, 793),
    ROW(nCompat805, 805),       ROW(nCompat808, 808),       ROW(nCompat818a, 818),     ROW(nCompat818b, 818),
    ROW(nCompat819, 819),       ROW(nCompat822, 822),       ROW(nD3DBpp, 670),         ROW(nDDBpp, 670),
};

#undef ROW
#undef KEYROW

void cSystemData::Layout(uint32_t version) {
    ClearAllFields();
    AddStringField(&strTitle);
    for (const SYSFIELDROW& row : SystemFieldRows) {
        if (version < row.nFrom || (row.nUntil != 0 && version >= row.nUntil)) continue;
        if (row.lpInt) AddIntField(&(this->*row.lpInt));
        else if (row.nColorKeyByte >= 0) AddByteField(&byColorKey[row.nColorKeyByte]);
        else AddScratchField(4);
    }
}

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
    cRecord::Load(file);
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
    if (v < nDataVersion) UpgradeFromOlder(v);
    CheckPlaceBgm();
}

void cSystemData::Save(cDataWriter& file) {
    CheckPlaceBgm();
    cRecord::Save(file);
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

int cSystemData::LoadFile(const std::string& name) {
    // Older files leave whole lists unstored: they must find the defaults.
    cSystemData fresh;
    if (!fresh.LoadFromFile(name)) return 0;
    *this = std::move(fresh);
    return 1;
}

int cSystemData::SaveFile(const std::string& name) { return SaveToFile(name); }

void cSystemData::CheckPlaceBgm() {
    if (!g_lpMusicCount) return;
    const int n = g_lpMusicCount();
    const uint32_t count = n > 0 ? static_cast<uint32_t>(n) : 0;
    for (int i = 0; i < static_cast<int>(vPlaceBgm.size()); ++i)
        if (static_cast<uint32_t>(vPlaceBgm[i]) >= count) vPlaceBgm[i] = 0;
}

void SetMusicCountSource(int (*source)()) { g_lpMusicCount = source; }

cSystemData SystemData;

void ResetSystemData() { SystemData = cSystemData(); }
