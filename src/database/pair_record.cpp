#include "database/pair_record.h"

namespace {

constexpr FIELDROW<cPairRecord> g_Rows[] = {
    {&cPairRecord::nValue1, 4},
    {&cPairRecord::nValue2, 4},
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");

}  // namespace

std::span<const FIELDROW<cPairRecord>> cPairRecord::Rows() { return g_Rows; }

void cPairRecord::Load(cDataReader& file) { LoadTable<g_Rows>(file, this); }

void cPairRecord::Save(cDataWriter& file) { SaveTable<g_Rows>(file, this); }

void LoadPairList(cDataReader& file, cPairList& v) {
    const uint32_t n = file.ReadCount(PAIR_MIN_BYTES);
    if (file.Failed()) return;
    LoadRowList<g_Rows>(file, v, n);
}

void SavePairList(cDataWriter& file, cPairList& v) {
    file.WriteU32(static_cast<uint32_t>(v.size()));
    SaveRowRecords<g_Rows>(file, v.data(), v.size());
}
