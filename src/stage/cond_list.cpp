#include "stage/cond_list.h"

#include <boost/make_shared.hpp>

#include "records/slot_pool.h"
#include "records/version.h"

namespace {
constexpr FIELDROW<cCondList> g_Rows[] = {
    {&cCondList::bUse, 1},
    {&cCondList::nMode, 1},
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");
}  // namespace

std::span<const FIELDROW<cCondList>> cCondList::Rows() { return g_Rows; }

void cCondList::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cCondList::Load(cDataReader& file) {
    LoadRows<g_Rows>(file, this);
    if (file.Failed()) return;
    // Lists of versions 764 and 765 were stored without their conditions.
    if (nReadVersion >= 766) LoadCondVector(file, vCond);
    else vCond.clear();
}

void cCondList::Save(cDataWriter& file) {
    SaveRows<g_Rows>(file, this);
    SaveCondVector(file, vCond);
}

void cCondList::Clear() {
    bUse = 0;
    nMode = 0;
    vCond.clear();
}

int cCondList::Create(boost::shared_ptr<cCondList>& holder) {
    // One slot of the pool for the record and its count; the member initialisers
    // give both bytes 0 and no conditions (the record is not zeroed first).
    holder = boost::allocate_shared_noinit<cCondList>(cSlotAllocator<cCondList>());
    return 1;
}
