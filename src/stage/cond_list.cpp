#include "stage/cond_list.h"

#include "records/version.h"

namespace {
const FIELDROW<cCondList> g_Rows[] = {
    {&cCondList::bUse, 1},
    {&cCondList::nMode, 1},
};
// The smallest condition stream: the two count words.
constexpr size_t MIN_COND_BYTES = 8;
}  // namespace

std::span<const FIELDROW<cCondList>> cCondList::Rows() { return g_Rows; }

void cCondList::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cCondList::Load(cDataReader& file) {
    cRecord::Load(file);
    if (file.Failed()) return;
    // Lists of versions 764 and 765 were stored without their conditions.
    if (nReadVersion >= 766) LoadRecordList(file, vCond, MIN_COND_BYTES);
    else vCond.clear();
}

void cCondList::Save(cDataWriter& file) {
    cRecord::Save(file);
    SaveRecordVector(file, vCond);
}

void cCondList::Clear() {
    cRecord::Clear();
    vCond.clear();
}

int cCondList::Create(boost::shared_ptr<cCondList>& holder) {
    holder.reset(new cCondList);
    holder->Clear();
    return 1;
}
