#include "app/map_menu_scene.h"

#include <algorithm>
#include <cstdio>

#include "database/blink_colors.h"
#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/global_objects.h"
#include "database/menu_text.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/fx_strip.h"
#include "platform/window/menu_cursor.h"
#include "player/player_records.h"
#include "player/save_roles.h"
#include "records/utility.h"
#include "scene/scene_manager.h"

namespace {

constexpr int kPanelX = 264, kPanelY = 192;
constexpr int kTotalY = 260;
constexpr int kSlotX = 152, kSlotY = 160;
constexpr int kSaveConfirmY = 400;
constexpr int kAutoSaveY = 224;
constexpr int kNoSlotY = 232;
constexpr int kToTitleY = 224;

enum : int { PHASE_MENU = 1, PHASE_SAVE = 2, PHASE_AUTOSAVE = 3, PHASE_BACK = 4, PHASE_TO_TITLE = 5 };

MENUCURSORSTATE& Cursor() { return g_MenuCursor.Current(); }

int Dir() { return InputList[0].m_nDir; }

int Buttons() { return InputList[0].m_nButton; }

int DigitCount(int v) {
    char text[16];
    return std::snprintf(text, sizeof text, "%d", v);
}

const std::string& Text(size_t n) {
    static const std::string empty;
    return n < SystemData.vText.size() ? SystemData.vText[n] : empty;
}

}  // namespace

cMapMenuScene::cMapMenuScene() : cScene(SCENE_MAP_MENU, 1) {
    SetPhases({static_cast<PHASEPROC>(&cMapMenuScene::Menu), static_cast<PHASEPROC>(&cMapMenuScene::Save),
               static_cast<PHASEPROC>(&cMapMenuScene::AutoSave), static_cast<PHASEPROC>(&cMapMenuScene::Back),
               static_cast<PHASEPROC>(&cMapMenuScene::ToTitle)});
    KeepMenuCursor();
}

cMapMenuScene::~cMapMenuScene() {
    if (!m_bBitmaps) return;
    DDReleaseSurface(&CommonSurfaces[CB_WINDOW]);
    DDReleaseSurface(&CommonSurfaces[CB_ACCESSORY]);
}

void cMapMenuScene::Init() {
    cScene::Init();
    m_bBitmaps = LoadCommonBitmapsOrClose({CB_WINDOW, CB_ACCESSORY});
    m_nItemCount = 0;
    for (size_t i = 0; i < SystemData.vMapMenu.size() && m_nItemCount < 4; ++i)
        if (SystemData.vMapMenu[i].nEnable) m_nItem[m_nItemCount++] = static_cast<int>(i);
    if (m_nItemCount == 0) {
        m_nItem[0] = 0;
        m_nItemCount = 1;
    }
    g_MenuCursor.Reset();
}

void cMapMenuScene::DrawMenu() {
    DDFillRect(&BackBuffer, 0, 0, 640, 480, 16);
    Font& font = Fonts[FONT_MEDIUM];
    int widest = 0;
    for (int k = 0; k < m_nItemCount; ++k) {
        const size_t i = static_cast<size_t>(m_nItem[k]);
        if (i < SystemData.vMapMenu.size()) widest = std::max(widest, GetMenuCharCount(SystemData.vMapMenu[i].strText));
    }
    DDBltFramed(&BackBuffer, kPanelX, kPanelY, 16 * (widest + 1), 16 * m_nItemCount, &CommonSurfaces[CB_WINDOW], 1,
                240);
    for (int k = 0; k < m_nItemCount; ++k) {
        const size_t i = static_cast<size_t>(m_nItem[k]);
        if (i < SystemData.vMapMenu.size())
            font.DrawText(&BackBuffer, kPanelX + 16, kPanelY + 16 * k, SystemData.vMapMenu[i].strText.c_str());
    }
    if (SystemData.bShowMenuTotal && SaveData.nBestTotal > 0) {
        const std::string& label = Text(4);
        const int w = 16 * (GetMenuCharCount(label) + DigitCount(SaveData.nBestTotal));
        font.DrawTextBoxF(&BackBuffer, 320 - w / 2, kTotalY, w, 16, "%s%d", label.c_str(), SaveData.nBestTotal);
    }
    UpdateBlinkColors();
}

void cMapMenuScene::DrawCursor(int sx) {
    DDBlt(&BackBuffer, Cursor().x, Cursor().y, 16, 16, &CommonSurfaces[CB_ACCESSORY], sx, 0, DDBLT_COLORKEY);
}

void cMapMenuScene::Draw() {
    DrawMenu();
    DDBlt(&BackBuffer, kPanelX, kPanelY, 16, 16, &CommonSurfaces[CB_ACCESSORY], 64, 0, DDBLT_COLORKEY);
}

void cMapMenuScene::FadeIn() { cScene::FadeIn(); }

int cMapMenuScene::DrawChoice(int first, int y) {
    const int x = SystemData.GetCenteredTextLeft(320, first, 2, 1);
    SystemData.MakeMenuText(&BackBuffer, Fonts[FONT_MEDIUM], x, y, first, 2, 1);
    return x;
}

void cMapMenuScene::DrawSlots() {
    DDFillRect(&BackBuffer, 0, 0, 640, 480, 16);
    DrawSlotList(&BackBuffer, kSlotX, kSlotY, SaveSlotList, m_nSlotTop, m_nSlotRows);
}

void cMapMenuScene::BackToMenu() {
    g_MenuCursor.PopLevel();
    SetPhase(PHASE_MENU);
}

void cMapMenuScene::Menu() {
    g_MenuCursor.MoveGrid(Dir(), kPanelX, kPanelY, 16, 16, 1, m_nItemCount);
    PlayCursorSound(Dir(), 2, SE_CURSOR);
    if (Buttons() & 1) {
        PlaySE(SE_CONFIRM);
        const int row = std::clamp(Cursor().row, 0, m_nItemCount - 1);
        SetPhase(m_nItem[row] <= 3 ? m_nItem[row] + 2 : PHASE_BACK);  // item i opens phase i + 2
        g_MenuCursor.PushLevel();
    } else if (Buttons() & 2) {
        PlaySE(SE_CANCEL);
        SetPhase(PHASE_BACK);
    }
    DrawMenu();
    if (GetPhase() == PHASE_MENU) DrawCursor(64);
}

void cMapMenuScene::Save() {
    const int count = static_cast<int>(SaveSlotList.size());
    if (m_nStep == 0) {
        Cursor() = MENUCURSORSTATE{};
        Cursor().row = std::clamp(SaveData.nStorySlot, 0, std::max(count - 1, 0));
        RefreshSlotList(SaveSlotList);
        m_nSlotRows = std::min(count, 10);
        m_nSlotTop = Cursor().row;
        g_MenuCursor.MoveList(0, 1, m_nSlotTop, kSlotY, 16, kSlotX, m_nSlotRows, count, 1);
        m_nStep = 1;
    }
    if (m_nStep == 1) {
        g_MenuCursor.MoveList(Dir(), 1, m_nSlotTop, kSlotY, 16, kSlotX, m_nSlotRows, count, 1);
        PlayCursorSound(Dir(), 3, SE_CURSOR);
        if (Buttons() & 1) {
            PlaySE(SE_CONFIRM);
            m_nChosenSlot = Cursor().row;
            g_MenuCursor.PushLevel();
            Cursor().row = 1;
            m_nStep = 2;
            g_MenuCursor.MoveGrid(0, SystemData.GetCenteredTextLeft(320, 12, 2, 1), kSaveConfirmY, 16, 16, 1, 2);
            DrawSaveConfirm();
            return;
        } else if (Buttons() & 2) {
            PlaySE(SE_CANCEL);
            BackToMenu();
            DrawMenu();
            return;
        } else {
            DrawSlots();
            DrawCursor(64);
            return;
        }
    }
    // The confirmation of the slot chosen.
    const int x = SystemData.GetCenteredTextLeft(320, 12, 2, 1);
    g_MenuCursor.MoveGrid(Dir(), x, kSaveConfirmY, 16, 16, 1, 2);
    PlayCursorSound(Dir(), 2, SE_CURSOR);
    if (Buttons() & 1) {
        if (Cursor().row == 0) {
            PlaySE(SE_SAVED);
            SaveData.nStorySlot = m_nChosenSlot;
            SaveData.SaveStory(m_nChosenSlot);
        } else {
            PlaySE(SE_CONFIRM);
        }
        g_MenuCursor.PopLevel();
        m_nStep = 1;
    } else if (Buttons() & 2) {
        PlaySE(SE_CANCEL);
        g_MenuCursor.PopLevel();
        m_nStep = 1;
    }
    if (m_nStep == 1) {
        DrawSlots();
        DrawCursor(64);
        return;
    }
    DrawSaveConfirm();
}

void cMapMenuScene::DrawSaveConfirm() {
    DrawSlots();
    DrawChoice(12, kSaveConfirmY);
    if (const MENUCURSORSTATE* slot = g_MenuCursor.Parent())
        DDBlt(&BackBuffer, slot->x, slot->y, 16, 16, &CommonSurfaces[CB_ACCESSORY], 80, 0, DDBLT_COLORKEY);
    DrawCursor(64);
}

void cMapMenuScene::AutoSave() {
    if (m_nStep == 0) {
        Cursor() = MENUCURSORSTATE{};
        Cursor().row = AutoSaveSwitch(SaveData) ? 0 : 1;
        m_nStep = SaveData.nStorySlot == -1 ? 2 : 1;
    }
    DDFillRect(&BackBuffer, 0, 0, 640, 480, 16);
    if (m_nStep == 2) {
        // No slot yet: the story must be saved once before autosave can write it.
        if (Buttons() & 3) {
            PlaySE(Buttons() & 1 ? SE_CONFIRM : SE_CANCEL);
            BackToMenu();
            DrawMenu();
            return;
        }
        const int x = SystemData.GetCenteredTextLeft(320, 16, 1, 0);
        SystemData.MakeMenuText(&BackBuffer, Fonts[FONT_MEDIUM], x, kNoSlotY, 16, 1, 0);
        return;
    }
    const int x = SystemData.GetCenteredTextLeft(320, 14, 2, 1);
    g_MenuCursor.MoveGrid(Dir(), x, kAutoSaveY, 16, 16, 1, 2);
    PlayCursorSound(Dir(), 2, SE_CURSOR);
    if (Buttons() & 3) {
        if (Buttons() & 1) {
            PlaySE(SE_CONFIRM);
            if (Cursor().row == 0) {
                AutoSaveStory(SaveData);
                AutoSaveSwitch(SaveData) = 1;
            } else {
                AutoSaveSwitch(SaveData) = 0;
            }
        } else {
            PlaySE(SE_CANCEL);
        }
        BackToMenu();
        DrawMenu();
        return;
    }
    DrawChoice(14, kAutoSaveY);
    DrawCursor(64);
}

void cMapMenuScene::Back() {
    DrawMenu();
    Leave(SCENE_WORLD_MAP);
}

void cMapMenuScene::ToTitle() {
    if (m_nStep == 0) {
        Cursor() = MENUCURSORSTATE{};
        Cursor().row = 1;
        m_nStep = 1;
    }
    const int x = SystemData.GetCenteredTextLeft(320, 17, 2, 1);
    g_MenuCursor.MoveGrid(Dir(), x, kToTitleY, 16, 16, 1, 2);
    PlayCursorSound(Dir(), 2, SE_CURSOR);
    DDFillRect(&BackBuffer, 0, 0, 640, 480, 16);
    if (Buttons() & 1) {
        PlaySE(SE_CONFIRM);
        if (Cursor().row == 0) {
            Leave(SCENE_TITLE);
            return;
        }
        BackToMenu();
        DrawMenu();
        return;
    }
    if (Buttons() & 2) {
        PlaySE(SE_CANCEL);
        BackToMenu();
        DrawMenu();
        return;
    }
    DrawChoice(17, kToTitleY);
    DrawCursor(64);
}

void cMapMenuScene::Exit() {
    cScene::Exit();
    if (SceneManager.nCurrent != SCENE_MAP_MENU) m_nPhase = -1;
}
