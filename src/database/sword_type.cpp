#include "database/sword_type.h"

#include <algorithm>
#include <climits>

#include "database/media_records.h"
#include "records/framed_rows.h"
#include "records/text_rows.h"
#include "records/version.h"

namespace {

// Smallest record stream (field count and string count): bounds a frame count.
constexpr size_t MIN_RECORD_BYTES = 8;

using F = cSwordFrameData;
// Value i of a frame, a field of its own.
constexpr FIELDROW<F> Value(int i, uint32_t nFrom = 0, double dDefault = 0) {
    return {&F::nValue, 4, nFrom, 0, dDefault, "", i};
}
constexpr FIELDROW<F> g_FrameRows[] = {
    Value(SWORDFRAME_X),
    Value(SWORDFRAME_Y),
    Value(SWORDFRAME_MIRROR_X, 138, 1),
    Value(SWORDFRAME_MIRROR_Y, 138),
    Value(SWORDFRAME_PLACE),
    Value(SWORDFRAME_WIDTH),
    Value(SWORDFRAME_HEIGHT),
    Value(SWORDFRAME_TIME),
    Value(SWORDFRAME_SHEET_X),
    Value(SWORDFRAME_SHEET_Y),
};
static_assert(WidthsMatch(g_FrameRows), "a width column disagrees with its member");

using S = cSwordTypeData;
constexpr FIELDROW<S> g_SwordRows[] = {
    {&S::strName, 0},
    {&S::nAddedInt, 4, 151},
    {&S::strFile, 0},
    {&S::strText3, 0},
};
static_assert(WidthsMatch(g_SwordRows), "a width column disagrees with its member");

}  // namespace

std::span<const FIELDROW<cSwordFrameData>> cSwordFrameData::Rows() { return g_FrameRows; }

cSwordFrameData::cSwordFrameData() { DefaultRows<g_FrameRows>(this); }

void cSwordFrameData::Load(cDataReader& file) { LoadTable<g_FrameRows>(file, this); }

void cSwordFrameData::Save(cDataWriter& file) { SaveTable<g_FrameRows>(file, this); }

std::span<const FIELDROW<cSwordTypeData>> cSwordTypeData::Rows() { return g_SwordRows; }

cSwordTypeData::cSwordTypeData() { InitFresh(); }

cSwordTypeData::cSwordTypeData(NOFRAME) { DefaultRows<g_SwordRows>(this); }

void cSwordTypeData::InitFresh() {
    DefaultRows<g_SwordRows>(this);
    vFrame.clear();
    AddNewFrame();
}

void cSwordTypeData::AddNewFrame() { vFrame.emplace_back().nValue[SWORDFRAME_VALUE_NUM - 1] = 1; }

void cSwordTypeData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cSwordTypeData::Load(cDataReader& file) {
    LoadRows<g_SwordRows>(file, this);
    LoadTail(file);
}

void cSwordTypeData::LoadTail(cDataReader& file) {
    const uint32_t m = file.ReadCount(MIN_RECORD_BYTES);
    if (file.Failed()) return;
    vFrame.clear();
    LoadRowList<g_FrameRows>(file, vFrame, m);
    if (file.Failed()) return;
    FixAddedInt(nAddedInt);
}

void cSwordTypeData::Save(cDataWriter& file) {
    SaveRows<g_SwordRows>(file, this);
    SaveTail(file);
}

void cSwordTypeData::SaveTail(cDataWriter& file) {
    file.WriteU32(static_cast<uint32_t>(vFrame.size()));
    SaveRowRecords<g_FrameRows>(file, vFrame.data(), vFrame.size());
}

void cSwordTypeData::LoadRun(cDataReader& file, cSwordTypeData* elems, size_t n) {
    LoadTextRowRecords<g_SwordRows>(file, elems, n, [](cDataReader& f, cSwordTypeData& e) { e.LoadTail(f); });
}

void cSwordTypeData::SaveRun(cDataWriter& file, cSwordTypeData* elems, size_t n) {
    SaveFramedRows<g_SwordRows, g_FrameRows, &cSwordTypeData::vFrame>(file, elems, n);
}

void cSwordTypeData::AppendLoaded(cDataReader& file, std::vector<cSwordTypeData>& v, size_t n) {
    AppendFramedRows<g_SwordRows, g_FrameRows, &cSwordTypeData::vFrame>(file, v, n, NOFRAME{});
    AppendBareRecords(file, v, n, NOFRAME{}, [](cDataReader& f, cSwordTypeData& e) {
        LoadTextRow<g_SwordRows>(f, e, [&e](cDataReader& t) { e.LoadRows<g_SwordRows>(t, &e); });
        // The new entry's one frame, in room for the frames stored.
        e.vFrame.reserve(f.PeekCount(MIN_RECORD_BYTES));
        e.AddNewFrame();
        e.LoadTail(f);
    });
}

int32_t cSwordTypeData::TotalTime() const {
    int64_t sum = 0;
    for (const auto& f : vFrame) sum += f.GetTime();
    return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}
