#include "app/world_map_scene.h"

#include <cstdio>
#include <cstdlib>

#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/global_objects.h"
#include "database/menu_text.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "database/world_map.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/fx_fade.h"
#include "platform/system/mesbox.h"
#include "platform/window/main_thread_messages.h"
#include "player/player_records.h"
#include "player/save_roles.h"
#include "records/services.h"
#include "records/utility.h"
#include "scene/scene_manager.h"
#include "scene/stage_loader.h"
#include "scene/system_ini.h"

namespace {

// The blank 640 x 480 common surface that holds the rendered map image.
enum : int { CB_MAP_WORK = CB_BLANK_FIRST + 3 };
constexpr int kWalkerX = 288, kWalkerY = 224;
constexpr int kRankPanelX = 367, kRankPanelY = 64;
constexpr int kConfirmY = 260;
constexpr int kUnlimited = 999999;

enum : int { PHASE_WALK = 1, PHASE_CONFIRM = 2 };

int DigitCount(int v) {
    char text[16];
    return std::snprintf(text, sizeof text, "%d", v);
}

int Flag(int n) {
    return n >= 0 && n < static_cast<int>(SaveData.vMapFlag.size()) ? SaveData.vMapFlag[static_cast<size_t>(n)] : 0;
}

int Var(int n) { return n >= 0 && n < static_cast<int>(SaveData.vVar.size()) ? SaveData.vVar[static_cast<size_t>(n)] : 0; }

bool CompareVar(int op, int64_t v, int64_t c) {
    switch (op) {
        case 0: return v == c;
        case 1: return v != c;
        case 2: return v >= c;
        case 3: return v <= c;
        case 4: return v > c;
        case 5: return v < c;
        case 6: return c == 0 || std::llabs(v) % c == 0;
        case 7: return c != 0 && std::llabs(v) % c != 0;
        default: return false;
    }
}

bool RankingOnForStory() { return !SystemData.vGameTypeFlags.empty() && SystemData.vGameTypeFlags[0].bOn; }

uint16_t Buttons() { return InputList[0].m_nButton; }

// The buttons of this frame become the previous frame's when the frame's handler ends.
class cPrevButtonUpdate {
public:
    cPrevButtonUpdate(int& prev, int now) : m_rPrev(prev), m_nNow(now) {}
    ~cPrevButtonUpdate() { m_rPrev = m_nNow; }
    cPrevButtonUpdate(const cPrevButtonUpdate&) = delete;
    cPrevButtonUpdate& operator=(const cPrevButtonUpdate&) = delete;

private:
    int& m_rPrev;
    int m_nNow;
};

MENUCURSORSTATE& Cursor() { return g_MenuCursor.Current(); }

const std::string& Text(size_t n) {
    static const std::string empty;
    return n < SystemData.vText.size() ? SystemData.vText[n] : empty;
}

}  // namespace

cWorldMapScene::cWorldMapScene() : cScene(SCENE_WORLD_MAP, 1) {
    SetPhases({static_cast<PHASEPROC>(&cWorldMapScene::Walk), static_cast<PHASEPROC>(&cWorldMapScene::Confirm)});
}

cWorldMapScene::~cWorldMapScene() {
    DDReleaseSurface(&m_RankPanel);
    if (!m_bBitmaps) return;
    for (int row : {int{CB_WORLD_BACK}, int{CB_WORLD_MAP_CHIP}, int{CB_WORLD_EVENT}, int{CB_MAP_WORK}})
        DDReleaseSurface(&CommonSurfaces[row]);
}

cWorldPage* cWorldMapScene::GetActivePage(const cWorldEvent* ev) {
    if (!ev) return nullptr;
    for (const cWorldPage& page : ev->vPage) {
        if (page.nRequiredFlag >= 1 && !Flag(page.nRequiredFlag)) continue;
        if (page.nVariable != 0 && !CompareVar(page.nOperator, Var(page.nVariable), page.nCompareValue)) continue;
        if (page.nMinTotal > SaveData.nBestTotal) continue;
        return const_cast<cWorldPage*>(&page);
    }
    return nullptr;
}

int cWorldMapScene::IsPageCleared(const cWorldPage* page) { return page && Flag(page->nClearFlag) ? 1 : 0; }

int cWorldMapScene::IsPageManual(const cWorldPage* page) {
    return page && (page->bManual || IsPageCleared(page)) ? 1 : 0;
}

void cWorldMapScene::Init() {
    cScene::Init();
    if (!WorldMap.strBackPicture.empty()) SetCommonBitmapPath(CB_WORLD_BACK, WorldMap.strBackPicture.c_str());
    m_bBitmaps = LoadCommonBitmapsOrClose(
        {CB_WORLD_BACK, CB_WORLD_MAP_CHIP, CB_WORLD_EVENT, CB_ACCESSORY, CB_WINDOW, CB_MAP_WORK});
    g_MenuCursor.Reset();
    m_nPrevButton = Buttons();
    SaveData.CalcTotalValue();
    Cursor().index = SaveData.nMapX;
    Cursor().row = SaveData.nMapY;
    m_nScrollX = SaveData.nMapX - 9;
    m_nScrollY = SaveData.nMapY - 7;
    m_nFacing = MapFacing(SaveData);
    FindEventAndPage();
    m_SavedCursor = Cursor();
    if (DDCreateSurface(&m_RankPanel, 272, 352, 1, 1, 0, 0, 0))
        DrawRankPanel();
    else
        PostCloseMain();
    if (m_lpPage && m_lpPage->nKind == 0) {
        SelectStage();
        m_SelectedCell = Cursor();
    }
    if (AutoSaveSwitch(SaveData) && SceneManager.nPrevious == SCENE_PLAY) AutoSaveStory(SaveData);
    RenderMap();
    m_nStep = 0;
}

void cWorldMapScene::FindEventAndPage() {
    m_lpEvent = WorldMap.FindEventAtPos(Cursor().index, Cursor().row);
    m_lpPage = GetActivePage(m_lpEvent);
}

void cWorldMapScene::SelectStage() {
    SaveData.SetStageFile(m_lpPage->strStageFile, m_lpPage->bStartSwitch, m_lpPage->nStartValue1,
                          m_lpPage->nStartValue2);
    m_nStageValue = SaveData.GetStageValue(SaveData.strRankName);
    if (!SceneManager.nRankSwitch) return;
    RankingList.LoadFile(SceneManager.nGameType, SaveData.strStage, SaveData.nEvent1, SaveData.nEvent2,
                         SaveData.nEvent3);
    SaveData.StepRankTable(SceneManager.nGameType, 0);
    if (m_RankPanel.HasSurface()) DrawRankPanel();
}

void cWorldMapScene::StartEventStage() {
    int eventIndex = -1, pageIndex = -1;
    for (size_t e = 0; e < WorldMap.vEvent.size() && eventIndex < 0; ++e)
        if (&WorldMap.vEvent[e] == m_lpEvent) {
            eventIndex = static_cast<int>(e);
            pageIndex = static_cast<int>(m_lpPage - &m_lpEvent->vPage[0]);
        }
    SaveData.lpWorld = MakePageRef(eventIndex, pageIndex);
    SaveData.SetStageFile(GetCurrentStageFileName(), m_lpPage->bStartSwitch, m_lpPage->nStartValue1,
                          m_lpPage->nStartValue2);
    ClearFlagIndex(SaveData) = m_lpPage->nClearFlag;
    InStageSwitch(SaveData) = 1;
    if (SystemData.bCarryStock) {
        const bool unlimited = !SystemData.vStartFlag.empty() && SystemData.vStartFlag[0] != 0;
        SaveData.nLivesInit = unlimited ? kUnlimited : SaveData.nLives + 1;
    } else {
        SaveData.nLivesInit = SystemData.vStartValue.empty() ? 0 : SystemData.vStartValue[0];
    }
}

void cWorldMapScene::MoveWalker(int bits) {
    MENUCURSORSTATE& cur = Cursor();
    if (bits & 15) {
        PrevMapX(SaveData) = cur.index;
        PrevMapY(SaveData) = cur.row;
        m_SavedCursor = cur;
    }
    if (bits & 1) {
        m_nFacing = 2;
        if (cur.index > 0) --cur.index;
    } else if (bits & 2) {
        m_nFacing = 3;
        if (cur.index < WorldMap.nWidth - 1) ++cur.index;
    } else if (bits & 4) {
        m_nFacing = 1;
        if (cur.row > 0) --cur.row;
    } else if (bits & 8) {
        m_nFacing = 0;
        if (cur.row < WorldMap.nHeight - 1) ++cur.row;
    }
    FindEventAndPage();
    bool blocked = m_lpPage && m_lpPage->nKind == 2;
    if (!m_lpPage) {
        const int kind = WorldMap.vCell[static_cast<size_t>(WorldMap.GetCellIndex(cur.index, cur.row))];
        blocked = kind >= 0 && kind < static_cast<int>(WorldMap.vChip.size()) &&
                  WorldMap.vChip[static_cast<size_t>(kind)].bBlocked;
    }
    if (blocked) {
        cur = m_SavedCursor;  // the step is undone; the walker keeps its new facing
        FindEventAndPage();
    } else {
        MapFacing(SaveData) = m_nFacing;
        ScrollToWalker();
    }
    cur.x = kWalkerX;
    cur.y = kWalkerY;
}

void cWorldMapScene::ScrollToWalker() {
    m_nScrollX = Cursor().index - 9;
    m_nScrollY = Cursor().row - 7;
    if (m_nScrollX != m_nRenderedX || m_nScrollY != m_nRenderedY) RenderMap();
}

void cWorldMapScene::OpenConfirm() {
    SaveData.nMapX = Cursor().index;
    SaveData.nMapY = Cursor().row;
    g_MenuCursor.PushLevel();
    SetPhase(PHASE_CONFIRM);
}

void cWorldMapScene::RankButtons(int buttons) {
    // Once per press: a held button would switch the panel or step the table every frame.
    const int pressed = buttons & ~m_nPrevButton;
    if (pressed & 4) {
        if (RankingOnForStory()) {
            PlaySE(SE_RANK_PAGE);
            RankDisplaySwitch(SaveData) = !RankDisplaySwitch(SaveData);
        } else if (RankDisplaySwitch(SaveData)) {
            RankDisplaySwitch(SaveData) = 0;
        }
        DrawRankPanel();
    } else if (pressed & 8) {
        if (RankingOnForStory() && SystemData.CountEnabledItems(0) >= 2) {
            PlaySE(SE_RANK_PAGE);
            SaveData.StepRankTable(0, 1);
        }
        DrawRankPanel();
    }
}

void cWorldMapScene::Walk() {
    const int dir = InputList[0].m_nDir;
    const int buttons = Buttons();
    const cPrevButtonUpdate update(m_nPrevButton, buttons);
    MoveWalker(dir);
    PlayCursorSound(dir, 3, SE_CURSOR);
    FindEventAndPage();
    if (m_lpPage && m_lpPage->nKind == 0) {
        if (Cursor().index != m_SelectedCell.index || Cursor().row != m_SelectedCell.row) {
            SelectStage();
            m_SelectedCell = Cursor();
        }
        if (!IsPageManual(m_lpPage)) {
            DrawScreen(1);
            OpenConfirm();
            return;
        }
        if (buttons & 1) {
            if (!(m_lpPage->bRepeat == 0 && IsPageCleared(m_lpPage))) {
                DrawScreen(1);
                OpenConfirm();
                return;
            }
        } else {
            RankButtons(buttons);
        }
    }
    if (buttons & 2) {
        PlaySE(SE_MENU_OPEN);
        SaveData.nMapX = Cursor().index;
        SaveData.nMapY = Cursor().row;
        Leave(SCENE_MAP_MENU);
    }
    DrawScreen(1);
}

void cWorldMapScene::Refuse() {
    // Closing the confirmation's level first keeps the cursor stack from
    // growing with every refusal.
    g_MenuCursor.PopLevel();
    if (!IsPageManual(m_lpPage)) {
        // The walker steps back off the event so that it does not open again at once.
        Cursor() = m_SavedCursor;
        SaveData.nMapX = Cursor().index;
        SaveData.nMapY = Cursor().row;
        FindEventAndPage();
        ScrollToWalker();
    }
    SetPhase(PHASE_WALK);
}

void cWorldMapScene::Confirm() {
    if (m_nStep == 0) {
        PlaySE(SE_CONFIRM);
        m_bLoaded = LoadStageFile(m_lpPage->strStageFile.c_str(), 1, nullptr);
        if (!m_bLoaded) ErrMesBoxF("ステージファイル %s が読み込めません！", m_lpPage->strStageFile.c_str());
        Cursor().row = 1;
        m_nStep = 1;
    }
    const int dir = InputList[0].m_nDir;
    const int buttons = Buttons();
    const cPrevButtonUpdate update(m_nPrevButton, buttons);
    m_nMenuX = SystemData.GetCenteredTextLeft(304, 10, 2, 1);
    g_MenuCursor.MoveGrid(dir, m_nMenuX, kConfirmY, 16, 16, 1, 2);
    PlayCursorSound(dir, 2, SE_CURSOR);
    if (buttons & 1) {
        PlaySE(SE_CONFIRM);
        if (Cursor().row == 0 && m_bLoaded) {
            MapFacing(SaveData) = m_nFacing;
            StartEventStage();
            Leave(SCENE_PLAY);
        } else {
            Refuse();
        }
    } else if (buttons & 2) {
        PlaySE(SE_CANCEL);
        Refuse();
    } else if (buttons & 12) {
        RankButtons(buttons);
    }
    DrawScreen(1);
    if (GetPhase() != PHASE_CONFIRM) return;
    SystemData.MakeMenuText(&BackBuffer, Fonts[FONT_MEDIUM], m_nMenuX, kConfirmY, 10, 2, 1);
    DDBlt(&BackBuffer, Cursor().x, Cursor().y, 16, 16, &CommonSurfaces[CB_ACCESSORY], 64, 0, DDBLT_COLORKEY);
}

void cWorldMapScene::FadeIn() {
    if (DDGetColorBit() == 8) DrawRankPanel();
    DrawScreen(StepBackSwitch(SaveData) ? 0 : 1);
    if (!DDFadeIn(DDScreenPalette, 0, 255, 0, 0, 0, static_cast<double>(SceneManager.nFadeSpeed), DDBasePalette, 0))
        return;
    if (m_lpPage && m_lpPage->nKind == 0) {
        if (StepBackSwitch(SaveData)) {
            StepBackSwitch(SaveData) = 0;
            if (!IsPageCleared(m_lpPage)) {
                // Back from a stage left unfinished: the walker stands where it was before.
                Cursor().index = PrevMapX(SaveData);
                Cursor().row = PrevMapY(SaveData);
                SaveData.nMapX = Cursor().index;
                SaveData.nMapY = Cursor().row;
                FindEventAndPage();
                m_SavedCursor = Cursor();
                ScrollToWalker();
                RenderMap();
            }
        } else if (SceneManager.nPrevious != SCENE_MAP_MENU && !IsPageManual(m_lpPage)) {
            // An uncleared automatic stage under the walker starts without confirmation.
            if (LoadStageFile(m_lpPage->strStageFile.c_str(), 1, nullptr)) {
                StartEventStage();
                PrevMapX(SaveData) = Cursor().index;
                PrevMapY(SaveData) = Cursor().row;
                Leave(SCENE_PLAY);
            } else {
                const std::string text = "ステージファイル " + m_lpPage->strStageFile + " が読み込めません！";
                ErrMesBox(text.c_str());
                RecFaultClose(text);
                SetPhase(PHASE_WALK);
            }
            return;
        }
    }
    SetPhase(PHASE_WALK);
}

void cWorldMapScene::Exit() {
    DrawScreen(1);
    cScene::Exit();
}

void cWorldMapScene::RenderMap() {
    DDSURFACEDATA* work = &CommonSurfaces[CB_MAP_WORK];
    m_nRenderedX = m_nScrollX;
    m_nRenderedY = m_nScrollY;
    if (!work->HasSurface()) return;
    work->bLost = 0;
    DDFillRect(work, 0, 0, 640, 480, static_cast<uint32_t>(WorldMap.nBackColor));
    if (WorldMap.bBackPicture) {
        const int dx = m_nScrollX < 0 ? -32 * m_nScrollX : 0, sx = m_nScrollX < 0 ? 0 : 32 * m_nScrollX;
        const int dy = m_nScrollY < 0 ? -32 * m_nScrollY : 0, sy = m_nScrollY < 0 ? 0 : 32 * m_nScrollY;
        DDBlt(work, dx, dy, 640, 480, &CommonSurfaces[CB_WORLD_BACK], sx, sy, DDBLT_COPY);
    }
    DDBeginBatch(0);
    for (int row = 0; row < 15; ++row)
        for (int col = 0; col < 20; ++col) {
            const int x = m_nScrollX + col, y = m_nScrollY + row;
            if (x < 0 || y < 0 || x >= WorldMap.nWidth || y >= WorldMap.nHeight) continue;
            const int kind = WorldMap.vCell[static_cast<size_t>(WorldMap.GetCellIndex(x, y))];
            if (kind < 0 || kind >= static_cast<int>(WorldMap.vChip.size())) continue;
            const int g = WorldMap.vChip[static_cast<size_t>(kind)].nGraphic;
            DDBlt(work, 32 * col, 32 * row, 32, 32, &CommonSurfaces[CB_WORLD_MAP_CHIP], (g % 5) * 32, (g / 5) * 32,
                  DDBLT_COLORKEY);
        }
    DDEndBatch();
    DDBeginBatch(0);
    for (const cWorldEvent& ev : WorldMap.vEvent) {
        const cWorldPage* page = GetActivePage(&ev);
        if (!page) continue;
        DDBlt(work, 32 * (ev.nX - m_nScrollX), 32 * (ev.nY - m_nScrollY), 32, 32, &CommonSurfaces[CB_WORLD_EVENT],
              IsPageCleared(page) ? 32 : 0, 32 * page->nGraphicRow, DDBLT_COLORKEY);
    }
    DDEndBatch();
}

void cWorldMapScene::DrawWalker() {
    static constexpr int kSource[4][2] = {{0, 64}, {64, 64}, {64, 96}, {0, 96}};
    ++m_nWalkerCount;
    const int f = m_nFacing >= 0 && m_nFacing < 4 ? m_nFacing : 0;
    int sx = kSource[f][0];
    if (m_nWalkerCount > 40) sx += 32;
    if (m_nWalkerCount > 79) m_nWalkerCount = 0;
    DDBlt(&BackBuffer, kWalkerX, kWalkerY, 32, 32, &CommonSurfaces[CB_ACCESSORY], sx, kSource[f][1], DDBLT_COLORKEY);
}

void cWorldMapScene::DrawStock() {
    const bool unlimited = SaveData.nLives == kUnlimited;
    int n = unlimited ? 1 : DigitCount(SaveData.nLives);
    if (n > 11) n = 11;
    const int x = 621 - 16 * (n + 1);
    Font& font = Fonts[FONT_MEDIUM];
    font.DrawBox(&BackBuffer, x, 17, 16 * (n + 1), 20);
    DDBlt(&BackBuffer, x, 19, 16, 16, &CommonSurfaces[CB_ACCESSORY], 0, 48, DDBLT_COLORKEY);
    if (unlimited)
        font.DrawText(&BackBuffer, x + 16, 19, "∞");
    else
        font.DrawTextF(&BackBuffer, x + 16, 19, "%d", SaveData.nLives);
}

void cWorldMapScene::DrawStageInfo() {
    if (RankingOnForStory() && RankDisplaySwitch(SaveData)) {
        if (m_RankPanel.bLost) DrawRankPanel();
        DDBlt(&BackBuffer, kRankPanelX, kRankPanelY, 272, 352, &m_RankPanel, 0, 0, DDBLT_COLORKEY);
    }
    const bool showValue = SystemData.bShowStageValue && m_nStageValue >= 1;
    const int y = showValue ? 184 : 204;
    Font& font = Fonts[FONT_MEDIUM];
    const std::string& title = m_lpPage->strTitle;
    if (!title.empty())
        font.DrawTextBoxF(&BackBuffer, 304 - 16 * GetMenuCharCount(title) / 2, y, 0, 0, "%s", title.c_str());
    if (showValue) {
        const std::string& label = Text(2);
        const int w = 16 * (GetMenuCharCount(label) + DigitCount(m_nStageValue));
        font.DrawTextBoxF(&BackBuffer, 304 - w / 2, y + 20, w, 16, "%s%d", label.c_str(), m_nStageValue);
    }
}

void cWorldMapScene::DrawScreen(int bPanel) {
    DDSURFACEDATA* work = &CommonSurfaces[CB_MAP_WORK];
    if (work->bLost) RenderMap();
    if (work->HasSurface()) DDBlt(&BackBuffer, 0, 0, 640, 480, work, 0, 0, DDBLT_COPY);
    DrawWalker();
    if (SystemData.bShowStock) DrawStock();
    if (bPanel && m_lpPage && m_lpPage->nKind == 0) DrawStageInfo();
}

void cWorldMapScene::DrawRankPanel() {
    if (!m_RankPanel.HasSurface()) return;
    m_RankPanel.bLost = 0;
    DDClearSurface(&m_RankPanel, 0);
    RankingList.Draw(&m_RankPanel, 0, 0, SaveData.nRankTable, -1, GAME_STORY, IniData.English);
}
