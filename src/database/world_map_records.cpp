#include "database/world_map_records.h"

#include "records/version.h"

namespace {

constexpr FIELDROW<cMapChip> g_ChipRows[] = {
    {&cMapChip::nReserved, 4},
    {&cMapChip::bBlocked, 4},
    {&cMapChip::nGraphic, 4},
    {&cMapChip::strName, 0},
    {&cMapChip::strNote, 0},
};
static_assert(WidthsMatch(g_ChipRows), "a width column disagrees with its member");

using P = cWorldPage;
constexpr FIELDROW<P> g_PageRows[] = {
    {&P::nKind, 4},
    {&P::nGraphicRow, 4},
    {&P::nClearFlag, 4},
    {&P::bManual, 4},
    {&P::bRepeat, 4},
    {&P::nAfterClear, 4},
    {&P::nRequiredFlag, 4},
    {&P::nVariable, 4},
    {&P::nCompareValue, 4},
    {&P::nOperator, 4},
    {&P::nMinTotal, 4, 209},
    {&P::bStartSwitch, 4, 758},
    {&P::nStartValue1, 4, 758, 0, 1},
    {&P::nStartValue2, 4, 758},
    {&P::strTitle, 0},
    {&P::strStageFile, 0},
};
static_assert(WidthsMatch(g_PageRows), "a width column disagrees with its member");

constexpr FIELDROW<cWorldEvent> g_EventRows[] = {
    {&cWorldEvent::nX, 4},
    {&cWorldEvent::nY, 4},
    {&cWorldEvent::strName, 0},
};
static_assert(WidthsMatch(g_EventRows), "a width column disagrees with its member");

}  // namespace

std::span<const FIELDROW<cMapChip>> cMapChip::Rows() { return g_ChipRows; }

void cMapChip::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cMapChip::Load(cDataReader& file) { LoadRows<g_ChipRows>(file, this); }

void cMapChip::Save(cDataWriter& file) { SaveRows<g_ChipRows>(file, this); }

std::span<const FIELDROW<cWorldPage>> cWorldPage::Rows() { return g_PageRows; }

void cWorldPage::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cWorldPage::Load(cDataReader& file) {
    LoadRows<g_PageRows>(file, this);
    DefaultRowsMissingFrom(Rows(), this, nReadVersion);
}

void cWorldPage::Save(cDataWriter& file) { SaveRows<g_PageRows>(file, this); }

std::span<const FIELDROW<cWorldEvent>> cWorldEvent::Rows() { return g_EventRows; }

void cWorldEvent::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cWorldEvent::Load(cDataReader& file) {
    LoadRows<g_EventRows>(file, this);
    LoadRecordVector(file, vPage);
}

void cWorldEvent::Save(cDataWriter& file) {
    SaveRows<g_EventRows>(file, this);
    SaveRecordVector(file, vPage);
}
