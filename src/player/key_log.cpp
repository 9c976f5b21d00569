#include "player/key_log.h"

#include <sys/stat.h>

#include "database/global_objects.h"
#include "platform/input/input.h"
#include "platform/system/file_name.h"
#include "platform/system/path.h"
#include "player/player_records.h"
#include "player/system_time.h"
#include "records/data_file.h"
#include "records/services.h"
#include "records/utility.h"
#include "records/version.h"
#include "stage/stage_data.h"
#include "stage/stage_file.h"

namespace {

using K = cKeyLog;
constexpr FIELDROW<K> g_Rows[] = {
    {&K::dwRandSeed, 4},
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");

// From this version a replay file ends with the save record.
constexpr uint32_t REPLAY_SAVE_VERSION = 173;

template <class E>
void LoadArray(cDataReader& file, cSafeVector<E>& v) {
    v.clear();
    const uint32_t n = file.ReadCount(sizeof(E));
    if (file.Failed()) return;
    v.resize(n);
    for (E& e : v) {
        if constexpr (sizeof(E) == 2) e = file.ReadU16();
        else e = file.ReadU32();
    }
}

template <class E>
void SaveArray(cDataWriter& file, const cSafeVector<E>& v) {
    file.WriteU32(static_cast<uint32_t>(v.size()));
    for (E e : v) {
        if constexpr (sizeof(E) == 2) file.WriteU16(e);
        else file.WriteU32(e);
    }
}

// One channel: a frame of word w.
void RecordChannel(cSafeVector<uint16_t>& values, cSafeVector<uint32_t>& counts, uint16_t w) {
    if (!values.empty() && values.back() == w && !counts.empty()) {
        ++counts.back();
        return;
    }
    values.push_back(w);
    counts.push_back(1);
}

// One channel: the word of the current frame, and on to the next.
uint16_t PlayChannel(const cSafeVector<uint16_t>& values, const cSafeVector<uint32_t>& counts, uint32_t& run,
                     uint32_t& frame) {
    const uint16_t w = values[static_cast<int>(run)];
    if (++frame >= counts[static_cast<int>(run)]) {
        frame = 0;
        ++run;
    }
    return w;
}

bool ChannelWhole(const cSafeVector<uint16_t>& values, const cSafeVector<uint32_t>& counts) {
    if (values.size() != counts.size()) return false;
    for (uint32_t c : counts)
        if (c == 0) return false;
    return true;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(ToNativePath(path, false).c_str(), &st) == 0;
}

}  // namespace

cKeyLog& cKeyLog::operator=(const cKeyLog& o) {
    if (this == &o) return *this;
    dwRandSeed = o.dwRandSeed;
    vDirValue = o.vDirValue;
    vButtonValue = o.vButtonValue;
    vDirCount = o.vDirCount;
    vButtonCount = o.vButtonCount;
    nFileVersion = o.nFileVersion;
    return *this;
}

std::span<const FIELDROW<cKeyLog>> cKeyLog::Rows() { return g_Rows; }

void cKeyLog::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cKeyLog::Load(cDataReader& file) {
    LoadRows(file, Rows(), this);
    LoadArray(file, vDirValue);
    LoadArray(file, vButtonValue);
    LoadArray(file, vDirCount);
    LoadArray(file, vButtonCount);
    if (file.Failed()) return;
    if (!ChannelWhole(vDirValue, vDirCount) || !ChannelWhole(vButtonValue, vButtonCount))
        file.SetFailed("key log runs and counts disagree");
}

void cKeyLog::Save(cDataWriter& file) {
    SaveRows(file, Rows(), this);
    SaveArray(file, vDirValue);
    SaveArray(file, vButtonValue);
    SaveArray(file, vDirCount);
    SaveArray(file, vButtonCount);
}

void cKeyLog::Clear() {
    ClearRows(Rows(), this);
    vDirValue.clear();
    vButtonValue.clear();
    vDirCount.clear();
    vButtonCount.clear();
    Rewind();
}

void cKeyLog::Rewind() { nDirRun = nButtonRun = nDirFrame = nButtonFrame = 0; }

void cKeyLog::RecordFrame(const cInput& input) {
    RecordChannel(vDirValue, vDirCount, input.m_nDir);
    RecordChannel(vButtonValue, vButtonCount, input.m_nButton);
}

int cKeyLog::PlayFrame(cInput& input) {
    if (nDirRun >= vDirValue.size() || nDirRun >= vDirCount.size()) return 1;
    if (nButtonRun >= vButtonValue.size() || nButtonRun >= vButtonCount.size()) return 1;
    input.m_nDir = PlayChannel(vDirValue, vDirCount, nDirRun, nDirFrame);
    input.m_nButton = PlayChannel(vButtonValue, vButtonCount, nButtonRun, nButtonFrame);
    return 0;
}

uint64_t cKeyLog::CountFrames() const {
    uint64_t n = 0;
    for (uint32_t c : vDirCount) n += c;
    return n;
}

int cKeyLog::SaveReplay(const std::string& path, cStageData& stage, cStageData& playCopy, cSaveData& snapshot) {
    auto file = OpenDataFileWrite(path.c_str());
    if (!file) return 0;
    stage.SaveForReplay(*file, playCopy);
    Save(*file);
    snapshot.Save(*file);
    return CloseDataFile(file);
}

int cKeyLog::LoadReplay(const std::string& path, cStageData& stage, cStageData& playCopy, cSaveData& save) {
    auto file = OpenDataFileRead(path.c_str());
    if (!file) return 0;
    const uint32_t version = nReadVersion;
    // Everything is read into copies first, so a damaged file changes nothing.
    cStageData newStage;
    newStage.Load(*file);
    cKeyLog newLog;
    if (!file->Failed()) newLog.Load(*file);
    cSaveData newSave(save);
    if (!file->Failed() && version >= REPLAY_SAVE_VERSION) newSave.Load(*file);
    const bool ok = !file->Failed();
    if (!ok) RecWriteReport(path + ": " + file->FailReason());
    CloseDataFile(file);
    if (!ok) return 0;
    newStage.strFileName = stage.strFileName;
    stage = std::move(newStage);
    CopyStageHeader(playCopy, stage);
    *this = newLog;
    Rewind();
    nFileVersion = version;
    if (version >= REPLAY_SAVE_VERSION) save = std::move(newSave);
    return 1;
}

std::string GetReplayExtension() {
    std::string ext;
    FormatString(ext, "rpl4_%d", static_cast<int>(DATA_VERSION));
    return ext;
}

int MakeReplayFileName(std::string& out, const std::string& stageName) {
    const std::string ext = GetReplayExtension();
    if (stageName.empty()) {
        out.clear();
        MakeFullPathStr(out);
        return 1;
    }
    std::string name = stageName;
    GetFileNameFromPathStr(name);
    AddEventSuffix(name, SaveData.nEvent1, SaveData.nEvent2, SaveData.nEvent3);
    FormatString(out, "user_data\\rpl4\\%s", name.c_str());
    RemoveExtensionStr(out);
    SYSTEMTIME st;
    GetLocalTime(&st);
    FormatString(out, "%s__%04d__%02d_%02d__%02d_%02d.", out.c_str(), st.wYear, st.wMonth, st.wDay, st.wHour,
                 st.wMinute);
    std::string base;
    ChangeExtensionStr(base, out, ext.c_str());
    out = base;
    std::string stem = base;
    RemoveExtensionStr(stem);
    for (int i = 2; i <= 999 && FileExists(out); ++i) FormatString(out, "%s (%d).%s", stem.c_str(), i, ext.c_str());
    MakeFullPathStr(out);
    return 1;
}
