#pragma once
// Scene 2, the world map's menu: save the story into a slot, autosave on or
// off, back to the map, or back to the title (the enabled items of the
// system data's map menu). The map's music goes on; the menu cursor is kept
// on the way out, since the world map resets it itself.
#include "scene/scene.h"

class cMapMenuScene : public cScene {
public:
    cMapMenuScene();
    ~cMapMenuScene() override;
    void Init() override;
    void FadeIn() override;
    void Exit() override;
    void Draw() override;

private:
    void Menu();
    void Save();
    void AutoSave();
    void Back();
    void ToTitle();
    void DrawMenu();
    void DrawCursor(int sx);
    // Background and two texts of the text table from `first`, centred on x 320 at y.
    int DrawChoice(int first, int y);
    // Background and the slot list.
    void DrawSlots();
    // The slot list with the chosen slot marked and the save confirmation.
    void DrawSaveConfirm();
    void BackToMenu();

    int m_nItemCount = 1;
    int m_nItem[4] = {0, 0, 0, 0};
    int m_nSlotTop = 0;
    int m_nSlotRows = 0;
    int m_nChosenSlot = 0;
    bool m_bBitmaps = false;
};
