#include "app/title_scene.h"

#include <algorithm>

#include "app/front_services.h"
#include "app/main_window.h"
#include "app/scene_surface.h"
#include "database/blink_colors.h"
#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/fx_strip.h"
#include "platform/system/font_sjis.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/menu_cursor.h"
#include "player/player_records.h"
#include "player/save_roles.h"
#include "records/utility.h"
#include "scene/scene_manager.h"

namespace {

constexpr int kSlotX = 160, kSlotY = 160, kSlotRowsMax = 10;

int RankOn(int g) {
    return static_cast<size_t>(g) < SystemData.vGameTypeFlags.size() ? SystemData.vGameTypeFlags[g].bOn : 0;
}

const char* MenuText(int item) {
    return static_cast<size_t>(item) < SystemData.vTitleMenu.size() ? SystemData.vTitleMenu[item].strText.c_str() : "";
}

DDSURFACEDATA* Panel() { return FirstSceneSurface(); }

}  // namespace

std::array<int, 4> TitleBitmapRows() { return {CB_TITLE, CB_GAME_MODE, CB_ACCESSORY, CB_WINDOW}; }

int RequestStageFile() { return RequestDialog(WM_PLAY_FILE, 0) ? 1 : 0; }

cTitleScene::cTitleScene() : cScene(SCENE_TITLE, 0) {
    SetPhases({static_cast<PHASEPROC>(&cTitleScene::Menu), static_cast<PHASEPROC>(&cTitleScene::NewGame),
               static_cast<PHASEPROC>(&cTitleScene::Continue)});
}

cTitleScene::~cTitleScene() {
    for (int row : TitleBitmapRows()) DDReleaseSurface(&CommonSurfaces[row]);
    ReleaseSceneSurfaces();
}

void cTitleScene::Init() {
    cScene::Init();
    const std::array<int, 4> rows = TitleBitmapRows();
    LoadCommonBitmapsOrClose(rows.data(), static_cast<int>(rows.size()));
    g_MenuCursor.Reset();
    m_nItemCount = 0;
    for (size_t i = 0; i < SystemData.vTitleMenu.size() && m_nItemCount < ITEM_MAX; ++i)
        if (SystemData.vTitleMenu.data()[i].nEnable) m_nItems[m_nItemCount++] = static_cast<int>(i);
    if (m_nItemCount == 0) {
        m_nItems[0] = TITLE_NEW_STORY;
        m_nItemCount = 1;
    }
    // The cursor comes back on the item chosen last time.
    int row = SceneManager.nTitleChoice;
    for (int k = 0; k < m_nItemCount; ++k)
        if (m_nItems[k] == SceneManager.nTitleChoice) row = k;
    g_MenuCursor.Current().row = row;
    m_nMenuX = 192;
    m_nMenuY = 240;
    if (SystemData.bPictureTitleMenu) m_nMenuX = 288 - CommonSurfaces[CB_GAME_MODE].nWidth / 2;
    BuildMenuPanel();
    m_nStep = 0;
}

void cTitleScene::BuildMenuPanel() {
    int w = 0;
    if (SystemData.bPictureTitleMenu) {
        w = CommonSurfaces[CB_GAME_MODE].nWidth + 32;
    } else {
        int chars = 0;
        for (int k = 0; k < m_nItemCount; ++k) chars = std::max(chars, GetSjisCharCount(MenuText(m_nItems[k])));
        w = 32 * chars + 34;
    }
    const int h = 32 * m_nItemCount + 2;
    if (!MakeSceneSurface(w, h, 1)) return;
    DDSURFACEDATA* panel = Panel();
    panel->bLost = 0;
    if (SystemData.bPictureTitleMenu) {
        DDSURFACEDATA& pictures = CommonSurfaces[CB_GAME_MODE];
        DDClearSurface(panel, 0);
        for (int k = 0; k < m_nItemCount; ++k)
            DDBlt(panel, 32, 32 * k, pictures.nWidth, 32, &pictures, 0, 32 * m_nItems[k], DDBLT_COLORKEY);
        return;
    }
    DDBltFramed(panel, 1, 1, w - 2, h - 2, &CommonSurfaces[CB_WINDOW], 1, 240);
    for (int k = 0; k < m_nItemCount; ++k) Fonts[FONT_LARGE].DrawText(panel, 32, 32 * k, MenuText(m_nItems[k]));
}

void cTitleScene::FadeIn() {
    // At 8 bits the panel's colours follow the palette.
    if (DDGetColorBit() == 8) BuildMenuPanel();
    cScene::FadeIn();
}

void cTitleScene::Draw() {
    DDSURFACEDATA& title = CommonSurfaces[CB_TITLE];
    DDBlt(&BackBuffer, 0, 0, 640, 480, &title, 0, 0, 0);
    if (Panel() && Panel()->bLost) BuildMenuPanel();
    if (DDSURFACEDATA* panel = Panel())
        DDBlt(&BackBuffer, m_nMenuX, m_nMenuY, panel->nWidth, panel->nHeight, panel, 0, 0, DDBLT_COLORKEY);
    UpdateBlinkColors();
}

void cTitleScene::Menu() {
    cInput& input = InputList[0];
    g_MenuCursor.MoveGrid(input.m_nDir, m_nMenuX, m_nMenuY, 0, 32, 1, m_nItemCount);
    PlayCursorSound(input.m_nDir, 2, SE_CURSOR);
    if (!(input.m_nButton & 1)) {
        Draw();
        const MENUCURSORSTATE& c = g_MenuCursor.Current();
        DDBlt(&BackBuffer, c.x, c.y, 32, 32, &CommonSurfaces[CB_ACCESSORY], 0, 0, DDBLT_COLORKEY);
        return;
    }
    PlaySE(SE_CONFIRM);
    const int row = std::clamp(g_MenuCursor.Current().row, 0, m_nItemCount - 1);
    const int item = m_nItems[row];
    SceneManager.nTitleChoice = item;
    switch (item) {
        case TITLE_NEW_STORY:
        case TITLE_CONTINUE:
            SceneManager.nGameType = GAME_STORY;
            SceneManager.nRankSwitch = RankOn(GAME_STORY);
            g_MenuCursor.PushLevel(0);
            SetPhase(item == TITLE_NEW_STORY ? 2 : 3);
            break;
        case TITLE_CHALLENGE: StartChallenge(); break;
        case TITLE_FREE_PLAY:
            SceneManager.nGameType = GAME_FREE;
            SceneManager.nRankSwitch = RankOn(GAME_FREE);
            if (RequestStageFile()) Leave(SCENE_PLAY);
            break;
        case TITLE_REPLAY:
            SceneManager.nGameType = GAME_REPLAY;
            SceneManager.nRankSwitch = RankOn(GAME_REPLAY);
            if (RequestDialog(WM_LOAD_REPLAY, 0)) Leave(SCENE_PLAY);
            break;
        case TITLE_OPTION: Leave(SCENE_OPTION); break;
        case TITLE_END: PostCloseMain(); break;
        default: break;
    }
}

void cTitleScene::StartChallenge() {
    SceneManager.nGameType = GAME_CHALLENGE;
    SceneManager.nRankSwitch = RankOn(GAME_CHALLENGE);
    if (!SaveData.LoadChallenge()) {
        SaveData.Clear();
        SaveData.vPair.assign(static_cast<size_t>(std::max(SystemData.nMaxStage, 0)), cPairRecord());
    }
    Leave(SCENE_CHALLENGE);
}

void cTitleScene::NewGame() { ChooseSlot(true); }

void cTitleScene::Continue() { ChooseSlot(false); }

void cTitleScene::ChooseSlot(bool bNew) {
    if (m_nStep == 0) {
        if (bNew && !SystemData.bChooseStorySlot) {
            ResetForNewStory();
            Leave(SCENE_WORLD_MAP);
            return;
        }
        RefreshSlotList(SaveSlotList);
        g_MenuCursor.Current() = MENUCURSORSTATE{};
        m_nSlotTop = 0;
        m_nStep = 1;
    }
    cInput& input = InputList[0];
    const int count = static_cast<int>(SaveSlotList.size());
    m_nSlotRows = std::min(count, kSlotRowsMax);
    g_MenuCursor.MoveList(input.m_nDir, 1, m_nSlotTop, kSlotY, 16, kSlotX, m_nSlotRows, count, 1);
    PlayCursorSound(input.m_nDir, 3, SE_CURSOR);
    const int slot = g_MenuCursor.Current().row;
    if (input.m_nButton & 1) {
        if (slot < 0 || slot >= count) return;
        const bool used = SaveSlotList[slot].bUse != 0;
        if (used == bNew) {
            // A new story needs an empty slot, a continued one a used slot.
            PlaySE(SE_REFUSED);
        } else {
            PlaySE(SE_CONFIRM);
            if (bNew) {
                ResetForNewStory();
                SaveData.nStorySlot = slot;
                AutoSaveSwitch(SaveData) = 1;
            } else {
                SaveData.LoadStory(slot);
            }
            Leave(SCENE_WORLD_MAP);
        }
        return;
    }
    if (input.m_nButton & 2) {
        PlaySE(SE_CANCEL);
        g_MenuCursor.PopLevel(1);
        SetPhase(1);
        return;
    }
    DrawSlotList();
}

void cTitleScene::DrawSlotList() {
    DDBlt(&BackBuffer, 0, 0, 640, 480, &CommonSurfaces[CB_TITLE], 0, 0, 0);
    UpdateBlinkColors();
    ::DrawSlotList(&BackBuffer, kSlotX, kSlotY, SaveSlotList, m_nSlotTop, m_nSlotRows);
    const MENUCURSORSTATE& c = g_MenuCursor.Current();
    DDBlt(&BackBuffer, c.x, c.y, 16, 16, &CommonSurfaces[CB_ACCESSORY], 64, 0, DDBLT_COLORKEY);
}
