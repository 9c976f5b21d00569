#pragma once
// Scene 3: the challenge list. One row per challenge stage that can be
// chosen, with its cleared sign and best value, the stage's ranking beside
// it; confirming loads the stage and starts play.
#include "scene/scene.h"

class cChallengeScene : public cScene {
public:
    cChallengeScene();
    ~cChallengeScene() override;
    void Init() override;
    void FadeIn() override;
    void Draw() override { DrawFrame(false); }

private:
    void Select();
    // Stage count and rows shown from the project and the record.
    void Recount();
    // Stage n (from 1) becomes the record's stage; its ranking is loaded.
    void SelectStage(int n);
    // The list screen, drawn into the scene's surface.
    void DrawScreen();
    void DrawFrame(bool bCursor);

    int m_nTop = 0;
    int m_nStageCount = 0;
    int m_nRows = 0;
    uint16_t m_nPrevButton = 0;  // buttons 3 and 4 act when pressed, not while held
};
