#include "player/ranking.h"

#include "database/data_paths.h"
#include "database/system_data.h"
#include "platform/system/file_name.h"
#include "player/save_data.h"
#include "records/data_file.h"
#include "records/utility.h"
#include "records/version.h"

namespace {

using D = cRankData;
constexpr FIELDROW<D> g_RowRows[] = {
    {&D::bUse, 4},
    {&D::strName, 0},
    {&D::nValue, 4},
};
static_assert(WidthsMatch(g_RowRows), "a width column disagrees with its member");

using R = cRanking;
constexpr FIELDROW<R> g_TableRows[] = {
    {&R::bDescending, 4},
};
static_assert(WidthsMatch(g_TableRows), "a width column disagrees with its member");

// The list registers nothing: its stream is the two count words 0.
constexpr std::span<const FIELDROW<cRankingList>> g_NoRows{};

// A row stream is at least its count words and its two numbers.
constexpr size_t RANK_ROW_MIN_BYTES = 16;
// A table stream is at least its stream and its row count.
constexpr size_t RANK_TABLE_MIN_BYTES = 16;

constexpr int32_t g_DefaultOrder[RANK_TABLE_NUM] = {1, 1, 0, 1, 1};

cRanking NewTable() {
    cRanking t;
    t.FixEntryNum();
    return t;
}

}  // namespace

// ---- cRankData ----

std::span<const FIELDROW<cRankData>> cRankData::Rows() { return g_RowRows; }
void cRankData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }
void cRankData::Load(cDataReader& file) { LoadRows(file, Rows(), this); }
void cRankData::Save(cDataWriter& file) { SaveRows(file, Rows(), this); }

// ---- cRanking ----

std::span<const FIELDROW<cRanking>> cRanking::Rows() { return g_TableRows; }
void cRanking::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cRanking::Load(cDataReader& file) {
    LoadRows(file, Rows(), this);
    vRankData.clear();
    LoadRecordList(file, vRankData, RANK_ROW_MIN_BYTES);
}

void cRanking::Save(cDataWriter& file) {
    SaveRows(file, Rows(), this);
    SaveRecordVector(file, vRankData);
}

int cRanking::GetRankPos(int value) const {
    for (int i = 0; i < static_cast<int>(vRankData.size()); ++i) {
        const cRankData& r = vRankData[i];
        if (!r.bUse) return i;
        if (bDescending ? value > r.nValue : value < r.nValue) return i;
    }
    return -1;
}

void cRanking::AddRank(const std::string& name, int value) {
    const int pos = GetRankPos(value);
    cRankData row;
    row.bUse = 1;
    row.strName = name;
    row.nValue = value;
    if (pos >= 0) vRankData.insert(vRankData.begin() + pos, row);
    else vRankData.push_back(row);
    vRankData.pop_back();
}

void cRanking::FixEntryNum() {
    bDescending = 0;
    vRankData.resize(RANK_ROW_NUM);
}

// ---- cRankingList ----

cRankingList::cRankingList() { Reset(); }

void cRankingList::Layout(uint32_t version) { LayoutRows(g_NoRows, version, this); }

void cRankingList::Reset() {
    vRanking.assign(RANK_TABLE_NUM, NewTable());
    for (int i = 0; i < RANK_TABLE_NUM; ++i) vRanking[i].bDescending = g_DefaultOrder[i];
}

void cRankingList::Load(cDataReader& file) {
    LoadRows(file, g_NoRows, this);
    vRanking.clear();
    LoadRecordList(file, vRanking, RANK_TABLE_MIN_BYTES);
    if (file.Failed() || nReadVersion >= 181) return;
    if (vRanking.size() > RANK_TABLE_NUM) vRanking.resize(RANK_TABLE_NUM);
    while (vRanking.size() < RANK_TABLE_NUM) vRanking.push_back(NewTable());
    vRanking[3].bDescending = 1;
    vRanking[4].bDescending = 1;
}

void cRankingList::Save(cDataWriter& file) {
    SaveRows(file, g_NoRows, this);
    SaveRecordVector(file, vRanking);
}

std::string GetRankingFilePath(int g, const std::string& stage, int e1, int e2, int e3) {
    const char* folder = GetRankingFolder(g);
    if (!folder) return std::string();
    std::string name = stage;
    if (g == SAVE_GAME_STORY) AddEventSuffix(name, e1, e2, e3);
    GetFileNameFromPathStr(name);
    std::string path;
    FormatString(path, "%s%s%s", folder, name.c_str(), ExtTable[EXT_RKG]);
    return path;
}

int cRankingList::LoadFile(int g, const std::string& stage, int e1, int e2, int e3) {
    const std::string path = GetRankingFilePath(g, stage, e1, e2, e3);
    if (path.empty() || !LoadRecordFileWhole(*this, path)) {
        Reset();
        return 0;
    }
    return 1;
}

int cRankingList::SaveFile(int g, const std::string& stage, int e1, int e2, int e3) {
    const std::string path = GetRankingFilePath(g, stage, e1, e2, e3);
    if (path.empty()) return 0;
    return SaveToFile(path);
}

std::string MakeTimeText(int value) {
    std::string min, sec, hund, text;
    IntToStr(min, value / 6000, 2, 1, 0);
    IntToStr(sec, (value / 100) % 60, 2, 1, 0);
    IntToStr(hund, value % 100, 2, 1, 0);
    FormatString(text, "%s:%s.%s", min.c_str(), sec.c_str(), hund.c_str());
    return text;
}

namespace {

// Whether ranking table t is enabled for game type g.
bool RankItemOn(int g, int t) {
    if (g < 0 || g >= static_cast<int>(SystemData.vGameTypeFlags.size())) return false;
    const cSafeVector<uint8_t>& flags = SystemData.vGameTypeFlags[g].vFlag;
    return t >= 0 && t < static_cast<int>(flags.size()) && flags[t] != 0;
}

int WrapTable(int t) { return t > RANK_TABLE_NUM - 1 ? 0 : t < 0 ? RANK_TABLE_NUM - 1 : t; }

}  // namespace

void cSaveData::StepRankTable(int g, int steps) {
    bool any = false;
    for (int t = 0; t < RANK_TABLE_NUM; ++t) any = any || RankItemOn(g, t);
    if (!any) return;
    const int dir = steps < 0 ? -1 : 1;
    if (steps == 0) {
        nRankTable = WrapTable(nRankTable);
        while (!RankItemOn(g, nRankTable)) nRankTable = WrapTable(nRankTable + 1);
        return;
    }
    for (int k = 0; k < (steps < 0 ? -steps : steps); ++k) {
        nRankTable = WrapTable(nRankTable + dir);
        while (!RankItemOn(g, nRankTable)) nRankTable = WrapTable(nRankTable + dir);
    }
}
