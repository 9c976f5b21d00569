#include "database/pair_record.h"

std::span<const FIELDROW<cPairRecord>> cPairRecord::Rows() { return g_PairRows; }

void cPairRecord::Load(cDataReader& file) { LoadTable<g_PairRows>(file, this); }

void cPairRecord::Save(cDataWriter& file) { SaveTable<g_PairRows>(file, this); }

void LoadPairList(cDataReader& file, cPairList& v) {
    const uint32_t n = file.ReadCount(PAIR_MIN_BYTES);
    if (file.Failed()) return;
    LoadRowList<g_PairRows>(file, v, n);
}

void SavePairList(cDataWriter& file, cPairList& v) {
    file.WriteU32(static_cast<uint32_t>(v.size()));
    SaveRowRecords<g_PairRows>(file, v.data(), v.size());
}
