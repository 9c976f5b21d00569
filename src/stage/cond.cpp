#include "stage/cond.h"

#include <cstring>

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

namespace {
using IMAGE = cCurrentRows<g_Rows>;
// Bytes of a condition's current stream: count, numbers, string count.
constexpr size_t IMAGE_BYTES = 8 + IMAGE::BYTES;
// Conditions an empty list may take by the quick load below (most lists hold one).
constexpr uint32_t QUICK_CONDS = 4;
}  // namespace

void LoadCondVector(cDataReader& file, cCondVector& v) {
    // An empty list of a few conditions, each a current fixed image (as the
    // lists of a stage are): a new list is made n long at once, the images
    // are spread over it and it takes the place of v (growing v and loading
    // each condition costs several times more). Any other list (or a stream
    // cut short) takes the list load.
    if (v.empty() && nReadVersion == DATA_VERSION) {
        uint32_t n = QUICK_CONDS + 1;
        if (const uint8_t* p = file.Peek(4)) std::memcpy(&n, p, 4);
        const uint8_t* p = n <= QUICK_CONDS ? file.Peek(4 + n * IMAGE_BYTES) : nullptr;
        bool bImages = p != nullptr;
        for (uint32_t i = 0; bImages && i < n; ++i)
            bImages = FixedStreamBytes<IMAGE::NUMBERS, IMAGE::BYTES>(p + 4 + i * IMAGE_BYTES, IMAGE_BYTES) != 0;
        if (bImages) {
            cCondVector got(n);
            for (uint32_t i = 0; i < n; ++i) IMAGE::Spread(p + 8 + i * IMAGE_BYTES, got.data()[i]);
            v.swap(got);
            file.Skip(4 + n * IMAGE_BYTES);
            return;
        }
    }
    // The smallest condition stream: its two count words.
    LoadRecordList(file, v, 8);
}

void SaveCondVector(cDataWriter& file, cCondVector& v) {
    if (nDataVersion != DATA_VERSION) {
        SaveRecordVector(file, v);
        return;
    }
    // The count and the current images, in one piece.
    uint8_t* p = file.Extend(4 + v.size() * IMAGE_BYTES);
    const uint32_t n = static_cast<uint32_t>(v.size());
    std::memcpy(p, &n, 4);
    PutRowImages<g_Rows>(p + 4, v.data(), v.size());
}
