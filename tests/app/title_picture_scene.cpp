#include "app/title_picture_scene.h"

#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/system_data.h"
#include "platform/graphics/bmp.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "scene/scene_manager.h"

cTitlePictureScene::cTitlePictureScene() : cScene(SCENE_TITLE, 0) {
    SetPhases({static_cast<PHASEPROC>(&cTitlePictureScene::Show)});
}

cTitlePictureScene::~cTitlePictureScene() {
    if (m_bPicture) DDReleaseSurface(&CommonSurfaces[CB_TITLE]);
}

void cTitlePictureScene::Init() {
    cScene::Init();
    int w = 0, h = 0;
    // A game without a title picture is shown its title instead: no error box.
    if (ReadBmpSize(CommonBitmapInfo[CB_TITLE].szPath, &w, &h)) m_bPicture = LoadCommonBitmaps({CB_TITLE});
}

void cTitlePictureScene::Draw() {
    DDClearSurface(&BackBuffer, 16);
    if (m_bPicture) {
        DDSURFACEDATA& title = CommonSurfaces[CB_TITLE];
        DDBlt(&BackBuffer, 0, 0, title.nWidth, title.nHeight, &title, 0, 0, 0);
        return;
    }
    Font& font = Fonts[FONT_LARGE];
    const char* text = SystemData.strTitle.c_str();
    const TEXTSIZE size = font.Measure(text);
    font.DrawText(&BackBuffer, (640 - size.cx) / 2, (480 - size.cy) / 2, text);
}

void cTitlePictureScene::Show() { Draw(); }
