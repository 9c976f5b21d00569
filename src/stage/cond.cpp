#include "stage/cond.h"

#include "records/version.h"

namespace {

using R = FIELDROW<cEdCond>;
// Files older than 110 hold two 16-bit values where members 5 and 6 now are.
constexpr R g_Rows[] = {
    {&cEdCond::nKind, 1},
    {&cEdCond::nValue, 4},
    {&cEdCond::nRandMin, 4, 110},
    {&cEdCond::nRandMax, 4, 110},
    {std::monostate{}, 2, 0, 110},
    {std::monostate{}, 2, 0, 110},
    {&cEdCond::nSubject, 1, 110},
    {&cEdCond::nStatus, 1, 110},
    {&cEdCond::nTestWhat, 1, 110},
    {&cEdCond::nVarKind, 1, 110},
    {&cEdCond::nVarNum, 2, 110},
    {&cEdCond::nOperandKind, 1, 110},
    {&cEdCond::nOpSubject, 1, 110},
    {&cEdCond::nOpStatus, 1, 110},
    {&cEdCond::nOpVarKind, 1, 110},
    {&cEdCond::nOpVarNum, 2, 110},
    {&cEdCond::nCompare, 1},
    {&cEdCond::nShowRange, 1, 43},
    {&cEdCond::nAxis, 1},
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");

// The status renumbering of versions 168 and 203: statuses from `from` on
// moved up by one, for the tested side and for a status operand.
void ShiftStatus(cEdCond& c, int from) {
    if (c.nTestWhat == 0 && c.nSubject != 2 && c.nStatus >= from) ++c.nStatus;
    if (c.nOperandKind == 2 && c.nOpSubject != 2 && c.nOpStatus >= from) ++c.nOpStatus;
}

}  // namespace

std::span<const FIELDROW<cEdCond>> cEdCond::Rows() { return g_Rows; }

void cEdCond::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cEdCond::Save(cDataWriter& file) { SaveRows<g_Rows>(file, this); }

void cEdCond::LoadRun(cDataReader& file, cEdCond* elems, size_t n) { LoadRowRecords<g_Rows>(file, elems, n); }

void cEdCond::SaveRun(cDataWriter& file, cEdCond* elems, size_t n) { SaveRowRecords<g_Rows>(file, elems, n); }

void cEdCond::Load(cDataReader& file) {
    LoadRows<g_Rows>(file, this);
    if (file.Failed() || nReadVersion >= DATA_VERSION) return;
    const uint32_t v = nReadVersion;
    if (v < 160 && nKind >= 5) nKind += 2;
    if (v < 161 && nKind == 6 && nStatus == 2) nCompare ^= 1;
    if (v < 168 && nKind == 4) ShiftStatus(*this, 10);
    if (v < 203 && nKind == 4) ShiftStatus(*this, 5);
    if (v < 210 && nKind == 5 && nSubject != 2 && nStatus >= 6) ++nStatus;
    if (v < 657 && nKind == 7) nSubject = 0;
    if (v < 745 && nKind == 7) nTestWhat = 0;
    if (v < 746 && nKind == 7) {
        nOperandKind = 1;
        nOpSubject = 1;
    }
    if (v < 767 && (nKind == 4 || nKind == 5)) {
        if (nSubject >= 2) nSubject += 3;
        if (nOpSubject >= 2) nOpSubject += 3;
    }
}

void LoadCondVector(cDataReader& file, cCondVector& v) {
    // The smallest condition stream: its two count words.
    LoadRecordList(file, v, 8);
}

void SaveCondVector(cDataWriter& file, cCondVector& v) { SaveRecordVector(file, v); }
