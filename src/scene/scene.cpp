#include "scene/scene.h"

#include <string>

#include "database/global_objects.h"
#include "database/system_data.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/fx_fade.h"
#include "platform/system/log.h"
#include "platform/window/menu_cursor.h"
#include "scene/scene_manager.h"

cScene::cScene(int nSceneNo, int nBgmScene) : m_nSceneNo(nSceneNo), m_nBgmScene(nBgmScene) {}

cScene::~cScene() = default;

void cScene::InitOrClose() {
    try {
        Init();
    } catch (const char* text) {
        WriteECAndClose("%s", text);
    } catch (const std::string& text) {
        WriteECAndClose("%s", text.c_str());
    }
}

void cScene::Run() {
    cInput& input = InputList[0];
    input.UpdateRepeat();
    input.TriggerButtons(3);
    if (m_nPhase == -1) {
        InitOrClose();
        m_nPhase = 0;
        m_nStep = 0;
    }
    if (m_nPhase == 0) {
        FadeIn();
    } else if (m_nPhase == ExitPhase()) {
        Exit();
    } else if (m_nPhase > 0 && m_nPhase < ExitPhase()) {
        (this->*m_vPhase[static_cast<size_t>(m_nPhase - 1)])();
    }
}

void cScene::Init() {
    if (m_nBgmScene < 0) return;
    const size_t s = static_cast<size_t>(m_nBgmScene);
    const int32_t id = s < SystemData.vPlaceBgm.size() ? SystemData.vPlaceBgm.data()[s] : 0;
    const uint8_t flag = s < SystemData.vPlaceFlag.size() ? SystemData.vPlaceFlag.data()[s] : 0;
    SceneManager.RequestBgm(id, flag, m_nBgmScene);
}

void cScene::FadeIn() {
    Draw();
    if (DDFadeIn(DDScreenPalette, 0, 255, 0, 0, 0, static_cast<double>(SceneManager.nFadeSpeed), DDBasePalette, 0))
        SetPhase(1);
}

void cScene::Exit() {
    if (!DDFadeOut(DDScreenPalette, 0, 255, 0, 0, 0, static_cast<double>(SceneManager.nFadeSpeed), DDBasePalette, 0))
        return;
    DDClearSurface(&BackBuffer, 16);
    if (m_bResetCursor) g_MenuCursor.Reset();
    SceneManager.nPrevious = m_nSceneNo;
    SceneManager.nCurrent = SceneManager.nNext;
}

void cScene::Leave(int next) {
    SceneManager.nNext = next;
    SetPhase(ExitPhase());
}
