#include "stage/block_data.h"

#include <cstring>

#include "records/text_rows.h"
#include "records/version.h"
#include "stage/definition_context.h"
#include "stage/item_data.h"

namespace {

using B = cBlockData;
constexpr FIELDROW<B> g_BlockRows[] = {
    {&B::byTemplateKind, 1},
    {&B::wTemplateIndex, 2},
    {&B::byCondMode, 1},
    {&B::byCondLatch, 1},
    {&B::wGraphic, 2},
    {&B::byGraphicKind, 1},
    {&B::wGraphicSub, 2},
    {&B::byLayer, 1},
    {&B::bHidden, 1},
    {&B::bMark, 1},
    {&B::wMark, 2},
    {&B::byHitKind, 1},
    {&B::byPassGroup, 1},
    {&B::byEffect, 1},
    {&B::nEffectX, 4},
    {&B::byItemKind, 1},
    {&B::wItemIndex, 2},
    {&B::bProtect, 1},
    {&B::strName, 0},
};
static_assert(WidthsMatch(g_BlockRows), "a width column disagrees with its member");

BLOCKCONDTEST g_BlockCondTest = nullptr;

// Writes `LEAD` zero bytes, then the current stream of a block without
// conditions in one piece: the record stream, the cell, the flag count and
// flags, a condition count of 0.
template <size_t LEAD>
[[gnu::always_inline]] inline void PutBlockStream(cDataWriter& file, cBlockData& b) {
    using IMAGE = cCurrentRows<g_BlockRows>;
    static_assert(IMAGE::STRINGS == 1, "the name is the only string");
    const auto n = static_cast<uint32_t>(b.vInherit.size());
    // Most blocks have no name: its length word alone.
    const size_t name = b.strName.empty() ? 4 : CutTextBytes(b.strName);
    // TEXT_SLACK bytes asked for beyond the stream, given back at the end.
    uint8_t* p = file.Extend(LEAD + 8 + IMAGE::BYTES + name + 12 + n + TEXT_SLACK);
    if constexpr (LEAD != 0) std::memset(p, 0, LEAD);
    p += LEAD;
    // The record stream as PutTextRow writes it.
    constexpr uint32_t words[2] = {IMAGE::NUMBERS, IMAGE::STRINGS};
    std::memcpy(p, &words[0], 4);
    IMAGE::Gather(p + 4, b);
    std::memcpy(p + 4 + IMAGE::BYTES, &words[1], 4);
    p = PutText<true>(p + 8 + IMAGE::BYTES, b.strName);
    std::memcpy(p, &b.wCellX, 2);
    std::memcpy(p + 2, &b.wCellY, 2);
    std::memcpy(p + 4, &n, 4);
    // The flags are a few bytes: copied inline.
    CopyRunBytes(p + 8, b.vInherit.data(), n);
    std::memset(p + 8 + n, 0, 4);
    file.Unextend(TEXT_SLACK);
}

}  // namespace

void SetBlockCondTest(BLOCKCONDTEST test) { g_BlockCondTest = test; }

int cBlockData::ConditionsHold() const {
    if (vCond.empty() || !g_BlockCondTest) return 1;
    return g_BlockCondTest(*this) ? 1 : 0;
}

std::span<const FIELDROW<cBlockData>> cBlockData::Rows() { return g_BlockRows; }

// The member initialisers are what Clear leaves; only the inheritance flags
// need their length (the placed blocks of a stage are made by the ten thousand).
cBlockData::cBlockData() { vInherit.assign(BLOCK_GROUP_NUM, 0); }

void cBlockData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cBlockData::Clear() {
    ClearRows<g_BlockRows>(this);
    vInherit.assign(BLOCK_GROUP_NUM, 0);
    byHitKind = 1;
    byPassGroup = 255;
    wGraphic = 0;
    wCellX = wCellY = 0;
    vCond.clear();
}

// Inline in Load, its only caller, which runs it for every block.
[[gnu::always_inline]] inline bool cBlockData::TakeCurrentStream(cDataReader& file) {
    // The whole stream is looked over before anything is taken, so that a
    // stream of any other shape is left to the table load from its start.
    using IMAGE = cCurrentRows<g_BlockRows>;
    const size_t avail = file.Remaining();
    const uint8_t* p = file.Peek(avail);
    if (!p) return false;
    size_t q = TextRowStreamBytes<IMAGE>(p, avail);
    if (!q || avail - q < 8) return false;
    const auto word = [p](size_t at) {
        uint32_t w;
        std::memcpy(&w, p + at, 4);
        return w;
    };
    // The cell, the flag count and flags, and a condition count of 0.
    const uint32_t n = word(q + 4);
    if (n > avail - q - 8 || avail - q - 8 - n < 4 || word(q + 8 + n) != 0) return false;
    // The whole stream is in hand: the name may be searched and copied in
    // wide steps up to its end.
    TakeTextRow<IMAGE>(p, *this, p + avail);
    std::memcpy(&wCellX, p + q, 2);
    std::memcpy(&wCellY, p + q + 2, 2);
    q += 8;
    vInherit.AssignBytes(p + q, n);
    vCond.clear();
    file.Skip(q + n + 4);
    return true;
}

void cBlockData::Load(cDataReader& file) {
    if (nReadVersion != DATA_VERSION || !TakeCurrentStream(file)) {
        LoadRows<g_BlockRows>(file, this);
        wCellX = file.ReadU16();
        wCellY = file.ReadU16();
        LoadFlagsAndConds(file);
        if (file.Failed()) return;
        if (nReadVersion < 219) wGraphic = RepairShotGraphic(byGraphicKind, wGraphic);
    }
    SizeFlags(BLOCK_GROUP_NUM);
    ApplyTemplate();
    CheckIndex();
}

void cBlockData::Save(cDataWriter& file) {
    if (IndexChecksOnSave()) CheckIndex();
    if (nDataVersion == DATA_VERSION && vCond.empty()) {
        PutCurrentStream(file);
        return;
    }
    SaveRows<g_BlockRows>(file, this);
    file.WriteU16(wCellX);
    file.WriteU16(wCellY);
    SaveFlagsAndConds(file);
}

void cBlockData::PutCurrentStream(cDataWriter& file) { PutBlockStream<0>(file, *this); }

void cBlockData::SavePlacedRun(cDataWriter& file, cBlockData* blocks, size_t n) {
    // What Save asks for, the same for the whole run (its own CheckIndex,
    // run again after the one here, would change nothing).
    const bool bCurrent = nDataVersion == DATA_VERSION;
    for (size_t i = 0; i < n; ++i) {
        cBlockData& b = blocks[i];
        // A block that names no template list and holds no item (most):
        // CheckIndex and CheckItemIndex come down to the test of its graphic.
        const bool bLists = b.byTemplateKind == TEMPLATE_COMMON || b.byTemplateKind == TEMPLATE_STAGE ||
                            b.byItemKind == TEMPLATE_COMMON || b.byItemKind == TEMPLATE_STAGE;
        if (bLists) [[unlikely]] {
            b.CheckIndex();
            b.CheckItemIndex();
        } else if (b.wGraphic == 0) {
            b.byHitKind = 0;
            b.bProtect = 0;
        }
        if (bCurrent && b.vCond.empty()) [[likely]] {
            PutBlockStream<4>(file, b);
        } else {
            file.WriteU32(0);
            b.Save(file);
        }
    }
}

void cBlockData::ApplyTemplate() {
    if (!TemplatesEnabled()) return;
    // A block that names no template (most) finds none, and needs no palette.
    if (wTemplateIndex == 0 || (byTemplateKind != TEMPLATE_COMMON && byTemplateKind != TEMPLATE_STAGE)) return;
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
    // A block that names no template list (most) needs no palette sizes.
    if (byTemplateKind == TEMPLATE_COMMON || byTemplateKind == TEMPLATE_STAGE)
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
