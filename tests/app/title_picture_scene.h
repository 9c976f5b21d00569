#pragma once
// A first scene for the window tests: it asks for the title music,
// fades in and shows the title picture (bmp\Title.bmp) when the game has
// one, else the game's title in the large font, until the program closes.
#include "scene/scene.h"

class cTitlePictureScene : public cScene {
public:
    cTitlePictureScene();
    ~cTitlePictureScene() override;
    void Init() override;
    void Draw() override;

private:
    void Show();
    bool m_bPicture = false;
};
