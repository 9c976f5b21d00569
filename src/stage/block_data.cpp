#include "stage/block_data.h"

#include "records/version.h"
#include "stage/definition_context.h"
#include "stage/item_data.h"

namespace {

using B = cBlockData;
const DEFROW<B> g_BlockRows[] = {
    {&B::byTemplateKind}, {&B::wTemplateIndex}, {&B::byCondMode}, {&B::byCondLatch},
    {&B::wGraphic},       {&B::byGraphicKind},  {&B::wGraphicSub}, {&B::byLayer},
    {&B::bHidden},        {&B::bMark},          {&B::wMark},       {&B::byHitKind},
    {&B::byPassGroup},    {&B::byEffect},       {&B::nEffectX},    {&B::byItemKind},
    {&B::wItemIndex},     {&B::bProtect},       {&B::strName},
};

}  // namespace

std::span<const DEFROW<cBlockData>> cBlockData::Rows() { return g_BlockRows; }

cBlockData::cBlockData() { Clear(); }

void cBlockData::Layout(uint32_t version) { LayoutDefRows(Rows(), version, this); }

void cBlockData::Clear() {
    ClearDefRows(Rows(), this);
    vInherit.assign(BLOCK_GROUP_NUM, 0);
    byHitKind = 1;
    byPassGroup = 255;
    wGraphic = 0;
    wCellX = wCellY = 0;
    vCond.clear();
}

void cBlockData::Load(cDataReader& file) {
    LoadDefRows(file, Rows(), nReadVersion, this);
    wCellX = file.ReadU16();
    wCellY = file.ReadU16();
    LoadFlagsAndConds(file);
    if (file.Failed()) return;
    if (nReadVersion < 219) wGraphic = RepairShotGraphic(byGraphicKind, wGraphic);
    SizeFlags(BLOCK_GROUP_NUM);
    ApplyTemplate();
    CheckIndex();
}

void cBlockData::Save(cDataWriter& file) {
    CheckIndex();
    SaveDefRows(file, Rows(), this);
    file.WriteU16(wCellX);
    file.WriteU16(wCellY);
    SaveFlagsAndConds(file);
}

void cBlockData::ApplyTemplate() {
    if (!TemplatesEnabled()) return;
    const cBlockData* t =
        FindTemplate(byTemplateKind, wTemplateIndex, GetCommonPalette().lpBlock, GetStagePalette().lpBlock);
    if (!t || t == this) return;
    for (size_t g = 0; g < BLOCK_GROUP_NUM; ++g) {
        if (!Inherits(g)) continue;
        switch (g) {
        case 0: CopyNameFrom(*t); break;
        case 1: CopyCondsFrom(*t); break;
        case 2: byGraphicKind = t->byGraphicKind, wGraphic = t->wGraphic, wGraphicSub = t->wGraphicSub; break;
        case 3: byLayer = t->byLayer; break;
        case 4: bHidden = t->bHidden; break;
        case 5: bMark = t->bMark, wMark = t->wMark; break;
        case 6: byHitKind = t->byHitKind; break;
        case 7: byPassGroup = t->byPassGroup; break;
        case 8: byEffect = t->byEffect, nEffectX = t->nEffectX; break;
        case 9: byItemKind = t->byItemKind, wItemIndex = t->wItemIndex; break;
        case 10: bProtect = t->bProtect; break;
        }
    }
}

void cBlockData::CheckIndex() {
    CheckTemplateIndex(PaletteListSize(GetCommonPalette().lpBlock), PaletteListSize(GetStagePalette().lpBlock));
    if (wGraphic == 0) {
        byHitKind = 0;
        bProtect = 0;
    }
}

void cBlockData::CheckItemIndex() {
    int nSize = 0;
    if (byItemKind == TEMPLATE_COMMON) nSize = PaletteListSize(GetCommonPalette().lpItem);
    else if (byItemKind == TEMPLATE_STAGE) nSize = PaletteListSize(GetStagePalette().lpItem);
    else return;
    if (wItemIndex >= nSize) {
        byItemKind = 0;
        wItemIndex = 0;
    }
}
