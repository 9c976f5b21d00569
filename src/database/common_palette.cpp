#include "database/common_palette.h"

#include <algorithm>

#include "database/data_paths.h"
#include "platform/system/log.h"
#include "stage/definition_context.h"

cCommonPalette CommonPalette;

namespace {

// Smallest stream of a definition: bounds a definition count.
constexpr size_t MIN_DEFINITION_BYTES = 8;

// While it lives, the common palette of the definitions is `lists`.
class cCommonPaletteScope {
public:
    explicit cCommonPaletteScope(const PALETTELISTS& lists) : m_Prev(GetCommonPalette()) { SetCommonPalette(lists); }
    ~cCommonPaletteScope() { SetCommonPalette(m_Prev); }
    cCommonPaletteScope(const cCommonPaletteScope&) = delete;
    cCommonPaletteScope& operator=(const cCommonPaletteScope&) = delete;

private:
    PALETTELISTS m_Prev;
};

// u32 count, then the list resized with new definitions and each loaded in place.
template <class T>
void LoadDefinitionList(cDataReader& file, cSafeVector<T>& list) {
    const uint32_t n = file.ReadCount(MIN_DEFINITION_BYTES);
    if (file.Failed()) return;
    list.resize(n, T());
    for (auto& e : list) {
        e.Load(file);
        if (file.Failed()) return;
    }
}

template <class T>
void SaveDefinitionList(cDataWriter& file, cSafeVector<T>& list) {
    file.WriteU32(static_cast<uint32_t>(list.size()));
    for (auto& e : list) e.Save(file);
}

template <class T>
void PadList(cSafeVector<T>& list) {
    if (list.size() < 2) list.resize(2, T());
}

template <class T>
void ZeroInheritFlags(cSafeVector<T>& list) {
    for (auto& e : list) std::fill(e.vInherit.begin(), e.vInherit.end(), 0);
}

}  // namespace

cCommonPalette::cCommonPalette() { Reset(); }

void cCommonPalette::Reset() {
    vBlock.assign(1, cBlockData());
    vChara.assign(1, cCharaData());
    vItem.assign(1, cItemData());
}

void cCommonPalette::Load(cDataReader& file) {
    cRecord::Load(file);
    if (file.Failed()) return;
    // Definitions check their references against this palette, and never
    // inherit: templates are not applied while it loads.
    cCommonPaletteScope palette(Lists());
    cNoTemplateScope noTemplates;
    cDeferFlowChecksScope deferChecks;
    LoadDefinitionList(file, vBlock);
    if (!file.Failed()) LoadDefinitionList(file, vChara);
    if (!file.Failed()) LoadDefinitionList(file, vItem);
    if (file.Failed()) return;
    if (!vBlock.empty()) vBlock[0] = cBlockData();
    if (!vChara.empty()) vChara[0] = cCharaData();
    if (!vItem.empty()) vItem[0] = cItemData();
    ZeroInheritFlags(vBlock);
    ZeroInheritFlags(vChara);
    ZeroInheritFlags(vItem);
    CheckAndPad();
}

void cCommonPalette::Save(cDataWriter& file) {
    CheckAndPad();
    cCommonPaletteScope palette(Lists());
    cRecord::Save(file);
    SaveDefinitionList(file, vBlock);
    SaveDefinitionList(file, vChara);
    SaveDefinitionList(file, vItem);
}

void cCommonPalette::CheckAndPad() {
    PadList(vBlock);
    PadList(vChara);
    PadList(vItem);
    cCommonPaletteScope palette(Lists());
    for (auto& b : vBlock) {
        b.CheckIndex();
        b.CheckItemIndex();
    }
    for (auto& c : vChara) {
        c.CheckIndex();
        c.CheckFlowIndex();
    }
    for (auto& i : vItem) {
        i.CheckIndex();
        i.CheckFlowIndex();
    }
}

int LoadCommonPalette() {
    const char* path = PathTable[PATH_COMMON_PALETTE];
    if (!LoadRecordFileWhole(CommonPalette, path)) {
        WriteReportMes("%s のロードに失敗！", path);
        return 0;
    }
    SetCommonPalette(CommonPalette.Lists());
    return 1;
}
