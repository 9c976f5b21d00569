#include "stage/definition_context.h"

#include "stage/block_data.h"
#include "stage/chara_data.h"
#include "stage/item_data.h"

namespace {

PALETTELISTS g_CommonPalette;
PALETTELISTS g_PlayStagePalette;
thread_local const PALETTELISTS* t_lpStagePalette = nullptr;
thread_local bool t_bNoTemplates = false;
thread_local bool t_bDeferFlowChecks = false;
thread_local bool t_bSaveChecked = false;
thread_local const FLOWPALETTESIZES* t_lpCmdSaveSizes = nullptr;
thread_local const FLOWPALETTESIZES* t_lpCmdLoadSizes = nullptr;

}  // namespace

void SetCommonPalette(const PALETTELISTS& lists) { g_CommonPalette = lists; }
const PALETTELISTS& GetCommonPalette() { return g_CommonPalette; }
void SetPlayStagePalette(const PALETTELISTS& lists) { g_PlayStagePalette = lists; }
const PALETTELISTS& GetStagePalette() { return t_lpStagePalette ? *t_lpStagePalette : g_PlayStagePalette; }

FLOWPALETTESIZES GetPaletteSizes() {
    const PALETTELISTS* p[2] = {&GetCommonPalette(), &GetStagePalette()};
    FLOWPALETTESIZES s;
    for (int i = 0; i < 2; ++i) {
        s.nBlock[i] = PaletteListSize(p[i]->lpBlock);
        s.nChara[i] = PaletteListSize(p[i]->lpChara);
        s.nItem[i] = PaletteListSize(p[i]->lpItem);
    }
    return s;
}

cStagePaletteScope::cStagePaletteScope(const PALETTELISTS& lists) : m_lpPrev(t_lpStagePalette), m_Lists(lists) {
    t_lpStagePalette = &m_Lists;
}

cStagePaletteScope::~cStagePaletteScope() { t_lpStagePalette = m_lpPrev; }

cNoTemplateScope::cNoTemplateScope() : m_bPrev(t_bNoTemplates) { t_bNoTemplates = true; }
cNoTemplateScope::~cNoTemplateScope() { t_bNoTemplates = m_bPrev; }
bool TemplatesEnabled() { return !t_bNoTemplates; }

// Deferred checks include the palette checks of the commands.
cDeferFlowChecksScope::cDeferFlowChecksScope() : m_bPrev(t_bDeferFlowChecks), m_lpPrevLoadSizes(t_lpCmdLoadSizes) {
    t_bDeferFlowChecks = true;
    t_lpCmdLoadSizes = nullptr;
}
cDeferFlowChecksScope::~cDeferFlowChecksScope() {
    t_bDeferFlowChecks = m_bPrev;
    t_lpCmdLoadSizes = m_lpPrevLoadSizes;
}
bool FlowChecksOnLoad() { return !t_bDeferFlowChecks; }

cCmdPaletteChecksOnLoadScope::cCmdPaletteChecksOnLoadScope(const FLOWPALETTESIZES& sizes)
    : m_lpPrev(t_lpCmdLoadSizes), m_Sizes(sizes) {
    t_lpCmdLoadSizes = &m_Sizes;
}
cCmdPaletteChecksOnLoadScope::~cCmdPaletteChecksOnLoadScope() { t_lpCmdLoadSizes = m_lpPrev; }
const FLOWPALETTESIZES* CmdPaletteChecksOnLoad() { return t_lpCmdLoadSizes; }

cCheckedSaveScope::cCheckedSaveScope() : m_bPrev(t_bSaveChecked) { t_bSaveChecked = true; }
cCheckedSaveScope::~cCheckedSaveScope() { t_bSaveChecked = m_bPrev; }
bool IndexChecksOnSave() { return !t_bSaveChecked; }

cCmdChecksOnSaveScope::cCmdChecksOnSaveScope(const FLOWPALETTESIZES& sizes)
    : m_lpPrev(t_lpCmdSaveSizes), m_Sizes(sizes) {
    t_lpCmdSaveSizes = &m_Sizes;
}
cCmdChecksOnSaveScope::~cCmdChecksOnSaveScope() { t_lpCmdSaveSizes = m_lpPrev; }
const FLOWPALETTESIZES* CmdChecksOnSave() { return t_lpCmdSaveSizes; }
