#include "stage/move.h"

#include <cstring>

#include "records/slot_pool.h"
#include "records/text_rows.h"
#include "records/version.h"

namespace {

using R = FIELDROW<cEdMove>;
constexpr R g_Rows[] = {
    {&cEdMove::nMode, 1},
    {&cEdMove::nDir, 1},
    {&cEdMove::nAngle, 2},
    {&cEdMove::nAngleInc, 2},
    {&cEdMove::bMirrorAngle, 1, 158},
    {&cEdMove::bEnableX, 1},
    {&cEdMove::bEnableY, 1},
    {&cEdMove::nTargetXBl, 2},
    {&cEdMove::nTargetYBl, 2},
    {&cEdMove::nTargetXDot, 2},
    {&cEdMove::nTargetYDot, 2},
    {&cEdMove::nOrigin, 1},
    {&cEdMove::bArrive, 1},
    {&cEdMove::bLockX, 1},
    {&cEdMove::bLockY, 1},
    {&cEdMove::bMirrorX, 1},
    {&cEdMove::bMirrorY, 1},
    {&cEdMove::bReverseOnTurn, 1},
    {&cEdMove::bStopOnArrive, 1},
    {&cEdMove::bNoTurn, 1, 162},
    {&cEdMove::nGiven, 1},
    {&cEdMove::nSpeed, 2},
    {&cEdMove::nSpeedInc, 2},
    {&cEdMove::nDist, 2},
    {&cEdMove::nDistInc, 2},
    {&cEdMove::nDistUnit, 1, 159},
    {&cEdMove::nHoming, 2},
    {&cEdMove::nHomingInc, 2},
    {&cEdMove::bInertia, 1},
    {&cEdMove::nSpeed2, 2},
    {&cEdMove::dFactor, 8},
    {&cEdMove::bAnime, 1, 162},
    {&cEdMove::nTargetSlot, 1, 767},
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");
static_assert(cCurrentRows<g_Rows>::NUMBERS == cEdMove::CURRENT_NUMBERS &&
                  cCurrentRows<g_Rows>::BYTES == cEdMove::CURRENT_BYTES && cCurrentRows<g_Rows>::STRINGS == 0,
              "the current stream's sizes disagree with the table");

const R::MEMBER g_Factor{&cEdMove::dFactor};

}  // namespace

std::span<const FIELDROW<cEdMove>> cEdMove::Rows() { return g_Rows; }

void cEdMove::Layout(uint32_t version) {
    LayoutRows(Rows(), version, this);
}

void cEdMove::Load(cDataReader& file) {
    const uint32_t n = file.ReadU32();
    if (file.Failed()) return;
    // Streams written without the factor hold one field fewer than the
    // current layout of their version; they are read without it, and the
    // factor keeps its value.
    // (A current stream of every field needs no look at the layout.)
    const bool bCurrent = nReadVersion == DATA_VERSION && n == cCurrentRows<g_Rows>::NUMBERS;
    const bool bNoFactor = !bCurrent && static_cast<uint64_t>(n) + 1 == StoredNumericRows(Rows(), this);
    if (bNoFactor) LoadRowsAfterCount(file, n, Rows(), this, &g_Factor);
    else LoadRowsAfterCount<g_Rows>(file, n, this);
    if (file.Failed() || nReadVersion >= DATA_VERSION) return;
    if (nReadVersion < 158) bMirrorAngle = 0;
    if (nReadVersion < 159) nDistUnit = 0;
    if (nReadVersion < 162) {
        bNoTurn = 0;
        bAnime = 0;
    }
}

void cEdMove::Save(cDataWriter& file) { SaveRows<g_Rows>(file, this); }

void cEdMove::TakeCurrentStream(cSlotPtr<cEdMove>& holder, const uint8_t* p) {
    // The stream is a count, the numbers and a string count of 0; the numbers
    // are the members whole (the compiler drops a new setting's defaults).
    using IMAGE = cCurrentRows<g_Rows>;
    static_assert(IMAGE::STRINGS == 0 && IMAGE::WHOLE, "the setting is its image");
    IMAGE::Spread(p + 4, holder ? *holder : holder.emplace());
}

size_t cEdMove::CurrentStreamSize() { return 8 + cCurrentRows<g_Rows>::BYTES; }

uint8_t* cEdMove::PutCurrentStream(uint8_t* p) { return PutTextRow<cCurrentRows<g_Rows>>(p, *this); }

void cEdMove::SetDefaults() {
    // The member initialisers are the defaults of a new setting.
    *this = cEdMove();
}

int cEdMove::Create(cSlotPtr<cEdMove>& holder) {
    // One slot of the pool; the member initialisers give the defaults
    // (default-initialised: the record is not zeroed first).
    holder.emplace();
    return 1;
}
