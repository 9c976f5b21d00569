#include "stage/cmd_list.h"

namespace {
constexpr FIELDROW<cEdCmdList> g_Rows[] = {
    {&cEdCmdList::bMirror, 1},
    {&cEdCmdList::nHoldMin, 2},
    {&cEdCmdList::nHoldMax, 2},
    {&cEdCmdList::bAnyLength, 1},
    {&cEdCmdList::nMode, 1},
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");
}  // namespace

std::span<const FIELDROW<cEdCmdList>> cEdCmdList::Rows() { return g_Rows; }

void cEdCmdList::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cEdCmdList::Load(cDataReader& file) {
    LoadRows<g_Rows>(file, this);
    uint32_t n = file.ReadCount(1);
    if (file.Failed()) return;
    vKey.resize(n);
    if (n) file.Read(vKey.data(), n);
    // The key judges read all 19 slots: a stream with another number of
    // slots is brought to 19 (missing slots ignored, extra ones dropped).
    vKey.resize(KEYSLOT_NUM, 0);
}

void cEdCmdList::Save(cDataWriter& file) {
    SaveRows<g_Rows>(file, this);
    file.WriteU32(static_cast<uint32_t>(vKey.size()));
    if (!vKey.empty()) file.Write(vKey.data(), vKey.size());
}

void cEdCmdList::Clear() {
    cRecord::Clear();
    vKey.resize(KEYSLOT_NUM, 0);
}
