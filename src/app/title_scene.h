#pragma once
// Scene 0: the title picture and the title menu. Starts the chosen mode: a
// new story or a continued one (with the story slot list when the project
// keeps slots), the challenge list, free play of a chosen file, a replay, the
// options, or the end of the program.
#include <array>

#include "scene/scene.h"
#include "scene/scene_manager.h"

// The common bitmaps the title scene loads and releases.
std::array<int, 4> TitleBitmapRows();

class cTitleScene : public cScene {
public:
    static constexpr int ITEM_MAX = TITLE_ITEM_NUM;
    cTitleScene();
    ~cTitleScene() override;
    void Init() override;
    void FadeIn() override;
    void Draw() override;

private:
    void Menu();
    void NewGame();
    void Continue();
    // Phases 2 and 3: the slot list (bNew: a new story takes an empty slot).
    void ChooseSlot(bool bNew);
    void StartChallenge();
    // The off-screen menu panel, built from the shown items.
    void BuildMenuPanel();
    void DrawSlotList();

    int m_nItemCount = 1;
    int m_nItems[ITEM_MAX] = {};
    int m_nSlotTop = 0;
    int m_nSlotRows = 0;
    int m_nMenuX = 192;
    int m_nMenuY = 240;
};

// 1 when the player chose a stage (or replay) file and it was loaded: asks
// the main window's free-play chooser and waits.
int RequestStageFile();
