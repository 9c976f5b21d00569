#include "stage/item_data.h"

#include "records/version.h"
#include "stage/definition_context.h"
#include "stage/stage_clamp.h"

namespace {

using I = cItemData;
constexpr FIELDROW<I> g_ItemRows[] = {
    {&I::byTemplateKind, 1},
    {&I::wTemplateIndex, 2},
    {&I::byCondMode, 1},
    {&I::byCondLatch, 1},
    {&I::nOffsetX, 2},
    {&I::nOffsetY, 2},
    {&I::wGraphic, 2},
    {&I::byGraphicKind, 1},
    {&I::wGraphicSub, 2},
    {&I::bySetting10, 1},
    {&I::bHidden, 1},
    {&I::bMark, 1},
    {&I::wMark, 2},
    {&I::bPickupMessage, 1},
    {&I::byTakeMode, 1},
    {&I::chSize, 1},
    {&I::wSound, 2},
    {&I::strName, 0},
};
static_assert(WidthsMatch(g_ItemRows), "a width column disagrees with its member");

// Smallest stream of a command: its record stream, three setting flags and two counts.
constexpr size_t MIN_CMD_BYTES = 28;

}  // namespace

std::span<const FIELDROW<cItemData>> cItemData::Rows() { return g_ItemRows; }

cItemData::cItemData() { Clear(); }

void cItemData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cItemData::Clear() {
    ClearRows<g_ItemRows>(this);
    vInherit.assign(ITEM_GROUP_NUM, 0);
    byGraphicKind = GRAPHIC_ITEM;
    bySetting10 = 6;
    bPickupMessage = 1;
    chSize = 1;
    wCellX = wCellY = 0;
    vCond.clear();
    vCmd.clear();
}

void cItemData::Load(cDataReader& file) {
    LoadRows<g_ItemRows>(file, this);
    wCellX = file.ReadU16();
    wCellY = file.ReadU16();
    LoadFlagsAndConds(file);
    if (file.Failed()) return;
    uint32_t n = file.ReadCount(MIN_CMD_BYTES - 4);
    if (file.Failed()) return;
    vCmd.clear();
    vCmd.resize(n);
    for (auto& c : vCmd) {
        c.Load(file);
        if (file.Failed()) return;
    }
    if (nReadVersion < 219) wGraphic = RepairShotGraphic(byGraphicKind, wGraphic);
    SizeFlags(ITEM_GROUP_NUM);
    ApplyTemplate();
    // The commands checked their database references as they loaded.
    CheckOwnIndex();
    if (!FlowChecksOnLoad()) return;
    const FLOWPALETTESIZES sizes = GetPaletteSizes();
    for (auto& c : vCmd) c.CheckPaletteIndex(sizes);
}

void cItemData::Save(cDataWriter& file) {
    if (IndexChecksOnSave()) CheckIndex();
    SaveRows<g_ItemRows>(file, this);
    file.WriteU16(wCellX);
    file.WriteU16(wCellY);
    SaveFlagsAndConds(file);
    SaveRecordVector(file, vCmd);
}

void cItemData::ApplyTemplate() {
    if (!TemplatesEnabled()) return;
    const cItemData* t =
        FindTemplate(byTemplateKind, wTemplateIndex, GetCommonPalette().lpItem, GetStagePalette().lpItem);
    if (!t || t == this) return;
    for (size_t g = 0; g < ITEM_GROUP_NUM; ++g) {
        if (!Inherits(g)) continue;
        switch (g) {
        case 0: CopyNameFrom(*t); break;
        case 1: CopyCondsFrom(*t); break;
        case 2: nOffsetX = t->nOffsetX; break;
        case 3: nOffsetY = t->nOffsetY; break;
        case 4: byGraphicKind = t->byGraphicKind, wGraphic = t->wGraphic, wGraphicSub = t->wGraphicSub; break;
        case 5: bySetting10 = t->bySetting10; break;
        case 6: bHidden = t->bHidden; break;
        case 7: bMark = t->bMark, wMark = t->wMark; break;
        case 8: chSize = t->chSize; break;
        case 9: byTakeMode = t->byTakeMode; break;
        case 10: bPickupMessage = t->bPickupMessage; break;
        case 11: wSound = t->wSound; break;
        case 12:
            vCmd = t->vCmd;
            NoteCopiedCmds();
            break;
        }
    }
}

void cItemData::CheckIndex() {
    CheckOwnIndex();
    CheckFlowIndex();
}

void cItemData::CheckOwnIndex() {
    CheckTemplateIndex(PaletteListSize(GetCommonPalette().lpItem), PaletteListSize(GetStagePalette().lpItem));
    if (chSize < 1) chSize = 1;
    if (const FLOWDBCOUNTS* db = GetFlowDbCounts())
        if (wSound >= db->nSE) wSound = 0;
}

void cItemData::CheckFlowIndex() {
    const FLOWPALETTESIZES sizes = GetPaletteSizes();
    for (auto& c : vCmd) {
        c.CheckDbIndex();
        c.CheckPaletteIndex(sizes);
    }
}

const cItemData* GetItemData(int kind, int index) {
    const cSafeVector<cItemData>* lpList = nullptr;
    if (kind == TEMPLATE_COMMON) lpList = GetCommonPalette().lpItem;
    else if (kind == TEMPLATE_STAGE) lpList = GetStagePalette().lpItem;
    if (!lpList || index < 0 || static_cast<size_t>(index) >= lpList->size()) return nullptr;
    return &lpList->data()[index];
}
