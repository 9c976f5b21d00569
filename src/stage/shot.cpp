#include "stage/shot.h"

#include <cstring>

#include "records/slot_pool.h"
#include "records/text_rows.h"
#include "records/version.h"

namespace {

using S = cEdShot;
constexpr FIELDROW<cEdShot> g_Rows[] = {
    {&S::nShotNum, 1},            {&S::nFormation, 1},    {&S::nFormParam, 2},         {&S::nByte4, 1, 671},
    {&S::nByte5, 1},              {&S::nByte6, 1},        {&S::nByte7, 1, 767},        {&S::nAngleOfs, 2},
    {&S::nAngleOfsInc, 2},        {&S::nByte10, 1, 158},  {&S::nSpread, 2},            {&S::nByte12, 1},
    {&S::nCloneNum, 1},           {&S::nOfsX, 2},         {&S::nOfsXInc, 2},           {&S::nOfsY, 2},
    {&S::nOfsYInc, 2},            {&S::bMirrorX, 1},      {&S::bMirrorY, 1},           {&S::nGraphic, 2},
    {&S::nZ, 1},                  {&S::nByte22, 1},       {&S::nByte23, 1},            {&S::nForce, 1},
    {&S::nByte25, 1},             {&S::nByte26, 1},       {&S::nByte27, 1},            {&S::nMoveType, 1},
    {&S::nMoveParam, 2},          {&S::nByte30, 1, 767},  {&S::bScrollCarry, 1, 211},  {&S::nSpeed, 2},
    {&S::nSpeedInc, 2},           {&S::nByte34, 1, 213},  {&S::nAccel, 2, 213},        {&S::nAccelInc, 2, 213},
    {&S::nRange, 2},              {&S::bRangeOn, 1},      {&S::nRangeInc, 2},          {&S::nByte40, 1},
    {&S::nByte41, 1},             {&S::nLife, 2},         {&S::nLifeInc, 2},           {&S::nByte44, 1},
    {&S::nByte45, 1},             {&S::nByte46, 1, 636},  {&S::nByte47, 1},            {&S::nVanish, 1},
    {&S::nPower, 4},              {&S::nShort50, 2},      {&S::nImpact, 1},            {&S::nEffect, 2},
    {&S::nItemKind, 1},           {&S::nItemIndex, 2},    {&S::nBlockMode, 1},         {&S::bProtectPlayer, 1},
    {&S::bProtectChara, 1, 197},  {&S::nSummonKind, 1},   {&S::nSummonIndex, 2},       {&S::nByte60, 1},
    {&S::bNoScore, 1},            {&S::nByte62, 1},       {&S::bySetting1, 1, 762},    {&S::bySetting2, 1, 762},
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");
static_assert(cCurrentRows<g_Rows>::NUMBERS == cEdShot::CURRENT_NUMBERS &&
                  cCurrentRows<g_Rows>::BYTES == cEdShot::CURRENT_BYTES && cCurrentRows<g_Rows>::STRINGS == 0,
              "the current stream's sizes disagree with the table");

}  // namespace

std::span<const FIELDROW<cEdShot>> cEdShot::Rows() { return g_Rows; }

void cEdShot::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cEdShot::Load(cDataReader& file) {
    LoadRows<g_Rows>(file, this);
    if (file.Failed()) return;
    if (nReadVersion < DATA_VERSION) {
        const uint32_t v = nReadVersion;
        if (v < 158) nByte10 = 0;
        if (v < 197) bProtectChara = bProtectPlayer;
        // The homing movements were carried by the screen before the switch existed.
        if (v < 212) bScrollCarry = (nMoveType >= 4 && nMoveType <= 7) ? 1 : 0;
        if (v < 213) {
            nByte34 = 0;
            nAccel = 0;
            nAccelInc = 0;
        }
        if (v < 636) nByte46 = nByte45;
        if (v < 671) nByte4 = 0;
    }
    Normalize();
}

void cEdShot::Save(cDataWriter& file) {
    Normalize();
    SaveRows<g_Rows>(file, this);
}

void cEdShot::TakeCurrentStream(cSlotPtr<cEdShot>& holder, const uint8_t* p, const FLOWDBCOUNTS* db) {
    // The stream is a count, the numbers and a string count of 0; the numbers
    // are the members whole (the compiler drops a new setting's defaults).
    using IMAGE = cCurrentRows<g_Rows>;
    static_assert(IMAGE::STRINGS == 0 && IMAGE::WHOLE, "the setting is its image");
    cEdShot& s = holder ? *holder : holder.emplace();
    IMAGE::Spread(p + 4, s);
    s.Normalize(db);
}

size_t cEdShot::CurrentStreamSize() { return 8 + cCurrentRows<g_Rows>::BYTES; }

uint8_t* cEdShot::PutCurrentStream(uint8_t* p) {
    Normalize();
    return PutTextRow<cCurrentRows<g_Rows>>(p, *this);
}

void cEdShot::SetDefaults() {
    // The member initialisers are the defaults of a new setting (copied from
    // one made once: a move of the packed arrays would take their addresses).
    static const cEdShot defaults;
    *this = defaults;
}

int cEdShot::Create(cSlotPtr<cEdShot>& holder) {
    // One slot of the pool; the member initialisers give the defaults
    // (default-initialised: the record is not zeroed first).
    holder.emplace();
    return 1;
}

double cEdShot::GetOffsetX(int n, int facing) const {
    double d = static_cast<double>(nOfsX) + static_cast<double>(nOfsXInc) * n;
    return (facing == 1 && bMirrorX) ? -d : d;
}

double cEdShot::GetOffsetY(int n, int facing) const {
    double d = static_cast<double>(nOfsY) + static_cast<double>(nOfsYInc) * n;
    return (facing == 1 && bMirrorY) ? -d : d;
}
