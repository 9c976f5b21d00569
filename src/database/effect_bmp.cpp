#include "database/effect_bmp.h"

#include "database/media_records.h"
#include "records/framed_rows.h"
#include "records/text_rows.h"
#include "records/version.h"

namespace {

using E = cEffectBmpData;
constexpr FIELDROW<E> g_Rows[] = {
    {&E::strName, 0},
    {&E::nAddedInt, 4, 151},
    {&E::strFile, 0},
    {&E::nCellWidth, 4, 0, 0, 32},
    {&E::nCellHeight, 4, 0, 0, 32},
    {&E::bScalable, 4},
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");

// A new graphic's one frame (made when asked: the default database is built
// while the program's statics are still being made).
cPairRecord NewFrame() { return cPairRecord(0, 1); }

}  // namespace

std::span<const FIELDROW<cEffectBmpData>> cEffectBmpData::Rows() { return g_Rows; }

cEffectBmpData::cEffectBmpData() { InitFresh(); }

cEffectBmpData::cEffectBmpData(NOFRAME) { DefaultRows<g_Rows>(this); }

void cEffectBmpData::InitFresh() {
    DefaultRows<g_Rows>(this);
    vFrame.assign(1, NewFrame());
}

void cEffectBmpData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cEffectBmpData::Load(cDataReader& file) {
    LoadRows<g_Rows>(file, this);
    LoadTail(file);
}

void cEffectBmpData::LoadTail(cDataReader& file) {
    LoadPairList(file, vFrame);
    if (file.Failed()) return;
    FixAddedInt(nAddedInt);
}

void cEffectBmpData::Save(cDataWriter& file) {
    SaveRows<g_Rows>(file, this);
    SavePairList(file, vFrame);
}

void cEffectBmpData::LoadRun(cDataReader& file, cEffectBmpData* elems, size_t n) {
    LoadTextRowRecords<g_Rows>(file, elems, n, [](cDataReader& f, cEffectBmpData& e) { e.LoadTail(f); });
}

void cEffectBmpData::SaveRun(cDataWriter& file, cEffectBmpData* elems, size_t n) {
    SaveFramedRows<g_Rows, g_PairRows, &cEffectBmpData::vFrame>(file, elems, n);
}

void cEffectBmpData::AppendLoaded(cDataReader& file, std::vector<cEffectBmpData>& v, size_t n) {
    AppendFramedRows<g_Rows, g_PairRows, &cEffectBmpData::vFrame>(file, v, n, NOFRAME{});
    AppendBareRecords(file, v, n, NOFRAME{}, [](cDataReader& f, cEffectBmpData& e) {
        LoadTextRow<g_Rows>(f, e, [&e](cDataReader& t) { e.LoadRows<g_Rows>(t, &e); });
        // The new graphic's one frame, in room for the frames stored.
        e.vFrame.reserve(f.PeekCount(PAIR_MIN_BYTES));
        e.vFrame.push_back(NewFrame());
        e.LoadTail(f);
    });
}
