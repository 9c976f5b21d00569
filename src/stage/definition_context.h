#pragma once
// What the block, character and item definitions inherit from and check their
// indices against: the common palette (template kind 1, owned by the project
// database), the stage palette (template kind 2: the stage being loaded or
// validated, else the play stage's) and the database sizes of the flows.
#include <vector>

#include "records/safe_container.h"
#include "stage/flow_refs.h"

class cBlockData;
class cCharaData;
class cItemData;

// The three definition lists of one palette; null lists count as empty.
struct PALETTELISTS {
    const cSafeVector<cBlockData>* lpBlock = nullptr;
    const cSafeVector<cCharaData>* lpChara = nullptr;
    const cSafeVector<cItemData>* lpItem = nullptr;
};

// Sets the common palette's lists (the project database calls it once they exist).
void SetCommonPalette(const PALETTELISTS& lists);
// The common palette's lists (empty until set).
const PALETTELISTS& GetCommonPalette();
// Sets the stage palette used outside a stage's own load (the play stage's).
void SetPlayStagePalette(const PALETTELISTS& lists);
// The stage palette in use on this thread: the innermost cStagePaletteScope's,
// else the play stage's.
const PALETTELISTS& GetStagePalette();
// Sizes of both palettes' lists, [0] common, [1] stage, for the flows' checks.
FLOWPALETTESIZES GetPaletteSizes();

// While it lives, the stage palette of this thread is `lists`.
class cStagePaletteScope {
public:
    explicit cStagePaletteScope(const PALETTELISTS& lists);
    ~cStagePaletteScope();
    cStagePaletteScope(const cStagePaletteScope&) = delete;
    cStagePaletteScope& operator=(const cStagePaletteScope&) = delete;

private:
    const PALETTELISTS* m_lpPrev;
    PALETTELISTS m_Lists;
};

// While it lives, definitions loaded on this thread inherit nothing from
// templates (the common palette's own load: its entries never inherit).
class cNoTemplateScope {
public:
    cNoTemplateScope();
    ~cNoTemplateScope();
    cNoTemplateScope(const cNoTemplateScope&) = delete;
    cNoTemplateScope& operator=(const cNoTemplateScope&) = delete;

private:
    bool m_bPrev;
};
// Whether templates are applied on this thread.
bool TemplatesEnabled();

// While it lives, definitions loaded on this thread leave the index checks of
// their flows and commands to a later pass (a stage's palette lists are read
// one after the other, so an earlier list cannot yet check its references
// into a later one).
class cDeferFlowChecksScope {
public:
    cDeferFlowChecksScope();
    ~cDeferFlowChecksScope();
    cDeferFlowChecksScope(const cDeferFlowChecksScope&) = delete;
    cDeferFlowChecksScope& operator=(const cDeferFlowChecksScope&) = delete;

private:
    bool m_bPrev;
    const FLOWPALETTESIZES* m_lpPrevLoadSizes;
};
// Whether definitions loaded on this thread check their flows' indices.
bool FlowChecksOnLoad();

// While it lives (and no cDeferFlowChecksScope inside it does), each flow
// command loaded on this thread runs its palette check (against `sizes`,
// those of GetPaletteSizes() for the whole scope) right after its database
// check at the end of its own load, while it is still in the cache; the
// characters loaded here then leave out the walk over their flows for it,
// unless they copied their flows from a template. Only for loads whose
// object is dropped when they fail (a stage's working copy): a failed load
// leaves its commands read so far checked.
class cCmdPaletteChecksOnLoadScope {
public:
    explicit cCmdPaletteChecksOnLoadScope(const FLOWPALETTESIZES& sizes);
    ~cCmdPaletteChecksOnLoadScope();
    cCmdPaletteChecksOnLoadScope(const cCmdPaletteChecksOnLoadScope&) = delete;
    cCmdPaletteChecksOnLoadScope& operator=(const cCmdPaletteChecksOnLoadScope&) = delete;

private:
    const FLOWPALETTESIZES* m_lpPrev;
    FLOWPALETTESIZES m_Sizes;
};
// The palette sizes of the innermost cCmdPaletteChecksOnLoadScope of this
// thread, or null when commands loaded here run no palette check.
const FLOWPALETTESIZES* CmdPaletteChecksOnLoad();

// While it lives, the objects saved on this thread leave out the index checks
// of their own saves: the stage that saves them has just run the same checks
// over every one of them (they change nothing when run again).
class cCheckedSaveScope {
public:
    cCheckedSaveScope();
    ~cCheckedSaveScope();
    cCheckedSaveScope(const cCheckedSaveScope&) = delete;
    cCheckedSaveScope& operator=(const cCheckedSaveScope&) = delete;

private:
    bool m_bPrev;
};
// Whether objects saved on this thread run their own index checks.
bool IndexChecksOnSave();

// While it lives, each flow command saved on this thread runs its database
// and palette checks (against `sizes`) just before it is written, so that a
// command is read once for its checks and its write together. Its owners
// leave their flows' checks to it.
class cCmdChecksOnSaveScope {
public:
    explicit cCmdChecksOnSaveScope(const FLOWPALETTESIZES& sizes);
    ~cCmdChecksOnSaveScope();
    cCmdChecksOnSaveScope(const cCmdChecksOnSaveScope&) = delete;
    cCmdChecksOnSaveScope& operator=(const cCmdChecksOnSaveScope&) = delete;

private:
    const FLOWPALETTESIZES* m_lpPrev;
    FLOWPALETTESIZES m_Sizes;
};
// The palette sizes of the innermost cCmdChecksOnSaveScope of this thread,
// or null when commands saved here run no checks of their own but the
// database one of IndexChecksOnSave().
const FLOWPALETTESIZES* CmdChecksOnSave();

// Size of a palette list (0 for a null list).
template <class V>
int PaletteListSize(const V* lpList) {
    return lpList ? static_cast<int>(lpList->size()) : 0;
}
