#include "database/database.h"

#include <type_traits>

#include "database/data_paths.h"
#include "platform/system/log.h"
#include "records/data_file.h"
#include "records/version.h"
#include "stage/flow_refs.h"

cDatabase Database;

namespace {

// Smallest record stream (field count and string count): bounds a record count.
constexpr size_t MIN_RECORD_BYTES = 8;

// The value a list loader appends: the family's new-entry values.
template <class T>
T FreshEntry() {
    T e;
    e.InitFresh();
    return e;
}
template <>
cAnimeSetData FreshEntry<cAnimeSetData>() {
    cAnimeSetData e;
    InitAnimeSetEntry(e);
    return e;
}

// Reads a list file into a copy of `list` and keeps it only when the whole
// file was read and it holds at least nMinCount records.
template <class T>
int LoadList(cSafeVector<T>& list, const std::string& path, uint32_t nMinCount) {
    auto file = OpenDataFileRead(path.c_str());
    if (!file) {
        WriteReportMes("%s", GetLoadErrorMes(path).c_str());
        return 0;
    }
    const uint32_t n = file->ReadCount(MIN_RECORD_BYTES);
    if (!file->Failed() && n < nMinCount) file->SetFailed("fewer records than the list needs");
    cSafeVector<T> tmp;
    if (!file->Failed()) {
        tmp = list;
        if constexpr (AppendsLoaded<T> && !std::is_same_v<T, cCharaBmpData>) {
            // Their new entry is T(), which they make themselves (a bitmap's
            // is not: its cell size is 0).
            LoadRecordsResized(*file, tmp, n);
        } else {
            tmp.resize(n, FreshEntry<T>());
            LoadRecords(*file, tmp.data(), tmp.size());
        }
    }
    const bool ok = !file->Failed();
    if (!ok) WriteReport("%s: %s", path.c_str(), file->FailReason().c_str());
    CloseDataFile(file);
    if (!ok) {
        WriteReportMes("%s", GetLoadErrorMes(path).c_str());
        return 0;
    }
    list = std::move(tmp);
    return 1;
}

template <class T>
int SaveList(cSafeVector<T>& list, const std::string& path) {
    auto file = OpenDataFileWrite(path.c_str());
    if (!file) return 0;
    SaveRecordVector(*file, list);
    return CloseDataFile(file);
}

// Makes `list` n copies of the default-constructed value.
template <class T>
void DefaultList(cSafeVector<T>& list, size_t n) {
    list.clear();
    list.resize(n, T());
}

}  // namespace

void InitAnimeSetEntry(cAnimeSetData& set) {
    set.Clear();
    set.nOffsetA = 4;
    set.nOffsetB = 8;
    set.nOffsetC = 0;
    set.vMove.resize(4);
    set.vMove[0].strName = "立ち";
    set.vMove[1].strName = "立ち移動";
    set.vMove[2].strName = "飛行";
    set.vMove[3].strName = "飛行移動";
}

cDatabase::cDatabase() { BuildDefault(); }

void cDatabase::BuildDefault() {
    Clear();
    vAnimeSet.clear();
    vAnimeSet.push_back(FreshEntry<cAnimeSetData>());
    DefaultList(vAnime, 2);
    vAnime[0].strName = "なし";
    vAnime[1].strName = "アクションA";
    DefaultList(vCharaBmp, 2);
    DefaultList(vSwordType, 1);
    DefaultList(vEffect, 2);
    DefaultList(vCharaEffect, 2);
    DefaultList(vScrEffect, 2);
    DefaultList(vPicture, 2);
    DefaultList(vSound, 2);
    DefaultList(vBgm, 2);
}

int cDatabase::LoadListFile(int file, const std::string& path) {
    switch (file) {
        case DBFILE_ANIME_SET: return LoadList(vAnimeSet, path, 0);
        case DBFILE_ANIME: return LoadList(vAnime, path, 0);
        case DBFILE_CHARA_BMP: return LoadList(vCharaBmp, path, 0);
        case DBFILE_SWORD_TYPE: return LoadList(vSwordType, path, 0);
        case DBFILE_EFFECT: return LoadList(vEffect, path, 0);
        // Entry 0 of the effect lists is the none entry: a list needs it.
        case DBFILE_CHARA_EFFECT: return LoadList(vCharaEffect, path, 1);
        case DBFILE_SCR_EFFECT: return LoadList(vScrEffect, path, 1);
        case DBFILE_PICTURE: return LoadList(vPicture, path, 0);
        case DBFILE_SOUND: return LoadList(vSound, path, 0);
        case DBFILE_BGM: return LoadList(vBgm, path, 0);
        default: return 0;
    }
}

int cDatabase::SaveListFile(int file, const std::string& path) {
    switch (file) {
        case DBFILE_ANIME_SET: return SaveList(vAnimeSet, path);
        case DBFILE_ANIME: return SaveList(vAnime, path);
        case DBFILE_CHARA_BMP: return SaveList(vCharaBmp, path);
        case DBFILE_SWORD_TYPE: return SaveList(vSwordType, path);
        case DBFILE_EFFECT: return SaveList(vEffect, path);
        case DBFILE_CHARA_EFFECT: return SaveList(vCharaEffect, path);
        case DBFILE_SCR_EFFECT: return SaveList(vScrEffect, path);
        case DBFILE_PICTURE: return SaveList(vPicture, path);
        case DBFILE_SOUND: return SaveList(vSound, path);
        case DBFILE_BGM: return SaveList(vBgm, path);
        default: return 0;
    }
}

int cDatabase::Load() {
    int ok = 1;
    for (int i = 0; i < DBFILE_NUM; ++i) {
        if (!LoadListFile(i, GetDbFilePath(i))) {
            ok = 0;
            break;
        }
    }
    if (ok) {
        vCharaEffect[0].nKind = 0;
        vScrEffect[0].nKind = 0;
    }
    PublishCounts();
    return ok;
}

void cDatabase::MakeEffectCopies() {
    vCharaEffect2 = vCharaEffect;
    vScrEffect2 = vScrEffect;
}

int cDatabase::ListSize(int file) const {
    switch (file) {
        case DBFILE_ANIME_SET: return static_cast<int>(vAnimeSet.size());
        case DBFILE_ANIME: return static_cast<int>(vAnime.size());
        case DBFILE_CHARA_BMP: return static_cast<int>(vCharaBmp.size());
        case DBFILE_SWORD_TYPE: return static_cast<int>(vSwordType.size());
        case DBFILE_EFFECT: return static_cast<int>(vEffect.size());
        case DBFILE_CHARA_EFFECT: return static_cast<int>(vCharaEffect.size());
        case DBFILE_SCR_EFFECT: return static_cast<int>(vScrEffect.size());
        case DBFILE_PICTURE: return static_cast<int>(vPicture.size());
        case DBFILE_SOUND: return static_cast<int>(vSound.size());
        case DBFILE_BGM: return static_cast<int>(vBgm.size());
        default: return 0;
    }
}

void cDatabase::PublishCounts() const {
    FLOWDBCOUNTS c;
    c.nAnime = ListSize(DBFILE_ANIME);
    c.nAnimeSet = ListSize(DBFILE_ANIME_SET);
    c.nCharaBmp = ListSize(DBFILE_CHARA_BMP);
    c.nEffect = ListSize(DBFILE_EFFECT);
    c.nCharaEffect = ListSize(DBFILE_CHARA_EFFECT);
    c.nScrEffect = ListSize(DBFILE_SCR_EFFECT);
    c.nPicture = ListSize(DBFILE_PICTURE);
    c.nSE = ListSize(DBFILE_SOUND);
    c.nBgm = ListSize(DBFILE_BGM);
    for (const auto& s : vSwordType) c.vSwordTime.push_back(s.TotalTime());
    SetFlowDbCounts(c);
}

void cDatabase::Reset() {
    BuildDefault();
    vCharaEffect2.clear();
    vScrEffect2.clear();
    ResetFlowDbCounts();
}
