#pragma once
// Scene 1, the world map of the story: a walker on a grid of 32 x 32 cells
// that scrolls around it, events whose first page with its conditions met is
// shown and acted on (a stage page opens a confirmation, or starts at once on
// entry; an obstacle page blocks the cell), the stock, the stage's title,
// value and ranking, and the autosave on the return from play. The walker's
// cell is the menu cursor's (column x, row y); its place, facing and the cell
// before the last step live in the save record (player/save_roles.h).
#include "platform/graphics/dd_surface.h"
#include "platform/window/menu_cursor.h"
#include "scene/scene.h"

class cWorldEvent;
class cWorldPage;

class cWorldMapScene : public cScene {
public:
    cWorldMapScene();
    ~cWorldMapScene() override;
    void Init() override;
    void FadeIn() override;
    void Exit() override;
    void Draw() override { DrawScreen(1); }

    // The page of event ev whose conditions the save record meets first; null when none.
    static cWorldPage* GetActivePage(const cWorldEvent* ev);
    static int IsPageCleared(const cWorldPage* page);
    static int IsPageManual(const cWorldPage* page);

private:
    void Walk();
    void Confirm();
    void SelectStage();
    void StartEventStage();
    void MoveWalker(int bits);
    void FindEventAndPage();
    // Scroll for the walker's cell; the map image is drawn again when it changed.
    void ScrollToWalker();
    void RenderMap();
    void DrawScreen(int bPanel);
    void DrawWalker();
    void DrawStock();
    void DrawStageInfo();
    void DrawRankPanel();
    void OpenConfirm();
    // Buttons 3 (ranking on or off) and 4 (next ranking table), each once per press.
    void RankButtons(int buttons);
    void Refuse();

    int m_nScrollX = 0, m_nScrollY = 0;
    cWorldEvent* m_lpEvent = nullptr;
    cWorldPage* m_lpPage = nullptr;
    int m_nFacing = 0;
    MENUCURSORSTATE m_SavedCursor;
    MENUCURSORSTATE m_SelectedCell{-1, -1, 0, 0};
    int m_nStageValue = 0;
    int m_nRenderedX = -1, m_nRenderedY = -1;  // scroll of the map image in the work surface
    int m_nWalkerCount = 0;
    int m_nMenuX = 0;
    int m_bLoaded = 0;
    int m_nPrevButton = 0;  // the buttons of the frame before
    bool m_bBitmaps = false;
    DDSURFACEDATA m_RankPanel;
};
