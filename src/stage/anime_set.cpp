#include "stage/anime_set.h"

#include "records/framed_rows.h"
#include "records/text_rows.h"
#include "records/version.h"

namespace {

// Smallest stream of a frame (field count, three values, string count) and of
// an entry (two counts and the frame count): bounds the counts a file may hold.
constexpr size_t MIN_FRAME_BYTES = 20;
constexpr size_t MIN_MOVE_BYTES = 12;

constexpr FIELDROW<cAnimeSetFrame> g_FrameRows[] = {
    {&cAnimeSetFrame::nValue1, 4},
    {&cAnimeSetFrame::nValue2, 4, 0, 0, 1},
    {&cAnimeSetFrame::nValue3, 4},
};
static_assert(WidthsMatch(g_FrameRows), "a width column disagrees with its member");

constexpr FIELDROW<cAnimeSetMove> g_MoveRows[] = {
    {&cAnimeSetMove::strName, 0},
    {&cAnimeSetMove::wValue1, 2, 55},
    {&cAnimeSetMove::byFlag, 1, 55, 0, 1},
    {&cAnimeSetMove::wValue2, 2, 55},
};
static_assert(WidthsMatch(g_MoveRows), "a width column disagrees with its member");

constexpr FIELDROW<cAnimeSetData> g_SetRows[] = {
    {&cAnimeSetData::strName, 0},
    {&cAnimeSetData::nOffsetA, 4},
    {&cAnimeSetData::nOffsetB, 4},
    {&cAnimeSetData::nOffsetC, 4, 119},
};
static_assert(WidthsMatch(g_SetRows), "a width column disagrees with its member");

}  // namespace

std::span<const FIELDROW<cAnimeSetFrame>> cAnimeSetFrame::Rows() { return g_FrameRows; }

void cAnimeSetFrame::Load(cDataReader& file) { LoadTable<g_FrameRows>(file, this); }

void cAnimeSetFrame::Save(cDataWriter& file) { SaveTable<g_FrameRows>(file, this); }

std::span<const FIELDROW<cAnimeSetMove>> cAnimeSetMove::Rows() { return g_MoveRows; }

cAnimeSetMove::cAnimeSetMove() { Init(); }

void cAnimeSetMove::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cAnimeSetMove::Init() {
    ClearRows<g_MoveRows>(this);
    vFrame.assign(1, cAnimeSetFrame());
    byFlag = 1;
}

void cAnimeSetMove::ResizeFrames(size_t n) { vFrame.resize(n); }

void cAnimeSetMove::Load(cDataReader& file) {
    LoadRows<g_MoveRows>(file, this);
    LoadFrames(file);
}

void cAnimeSetMove::LoadFrames(cDataReader& file) {
    uint32_t n = file.ReadCount(MIN_FRAME_BYTES);
    if (file.Failed()) return;
    LoadRowList<g_FrameRows>(file, vFrame, n);
}

void cAnimeSetMove::AppendLoaded(cDataReader& file, std::vector<cAnimeSetMove>& v, size_t n) {
    AppendFramedRows<g_MoveRows, g_FrameRows, &cAnimeSetMove::vFrame>(file, v, n, NOFRAME{});
    AppendBareRecords(file, v, n, NOFRAME{}, [](cDataReader& f, cAnimeSetMove& e) {
        LoadTextRow<g_MoveRows>(f, e, [&e](cDataReader& t) { e.LoadRows<g_MoveRows>(t, &e); });
        e.LoadNewFrames(f);
    });
}

void cAnimeSetMove::LoadNewFrames(cDataReader& file) {
    const uint32_t n = file.ReadCount(MIN_FRAME_BYTES);
    // A count that cannot be read leaves the new entry's one frame.
    if (file.Failed()) vFrame.emplace_back();
    else AppendRowRecords<g_FrameRows>(file, vFrame, n);
}

void cAnimeSetMove::Save(cDataWriter& file) {
    SaveRows<g_MoveRows>(file, this);
    SaveFrames(file);
}

void cAnimeSetMove::SaveFrames(cDataWriter& file) {
    file.WriteU32(static_cast<uint32_t>(vFrame.size()));
    SaveRowRecords<g_FrameRows>(file, vFrame.data(), vFrame.size());
}

void cAnimeSetMove::LoadRun(cDataReader& file, cAnimeSetMove* elems, size_t n) {
    LoadTextRowRecords<g_MoveRows>(file, elems, n, [](cDataReader& f, cAnimeSetMove& e) { e.LoadFrames(f); });
}

void cAnimeSetMove::SaveRun(cDataWriter& file, cAnimeSetMove* elems, size_t n) {
    SaveFramedRows<g_MoveRows, g_FrameRows, &cAnimeSetMove::vFrame>(file, elems, n);
}

std::span<const FIELDROW<cAnimeSetData>> cAnimeSetData::Rows() { return g_SetRows; }

cAnimeSetData::cAnimeSetData() = default;

void cAnimeSetData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cAnimeSetData::ResizeMoves(size_t n) {
    // New entries are made by the entry's Init (the default constructor).
    vMove.resize(n);
}

void cAnimeSetData::Load(cDataReader& file) {
    LoadTextRow<g_SetRows>(file, *this, [this](cDataReader& t) { LoadRows<g_SetRows>(t, this); });
    LoadRecordList(file, vMove, MIN_MOVE_BYTES);
    if (file.Failed()) return;
    if (nReadVersion < 119) ResizeMoves(4);
    if (nReadVersion < 128) {
        ResizeMoves(4);
        vMove[2].strName = "飛行";
        vMove[3].strName = "飛行移動";
    }
}

void cAnimeSetData::Save(cDataWriter& file) {
    SaveRows<g_SetRows>(file, this);
    SaveRecordVector(file, vMove);
}
