// The sub-states around play: the start banners, the pause menu, the results
// after play, the retry menu and the game-over screen.
#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "database/system_switches.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/fx_strip.h"
#include "platform/input/input_keys.h"
#include "platform/input/vkey.h"
#include "platform/system/font_sjis.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/menu_cursor.h"
#include "play/play_run.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "player/replay_service.h"
#include "player/save_roles.h"
#include "records/utility.h"
#include "scene/editor_notice.h"
#include "scene/scene_manager.h"
#include "scene/stage_loader.h"

namespace {

constexpr int MENU_ROW = 24;      // pixels between menu rows
constexpr int BANNER_FRAMES = 80;
constexpr int RESULT_WAIT = 200;  // results counts before confirm is taken
constexpr int BUTTON_CONFIRM = 1, BUTTON_CANCEL = 2;

// Player 0's input for a menu frame: direction repeats, buttons once per press.
cInput& MenuInput() {
    cInput& in = InputList[0];
    in.UpdateRepeat();
    in.TriggerButtons(3);
    return in;
}

// The first row of an n-row menu centred on the screen.
int MenuTop(int n) { return 240 - n * MENU_ROW / 2; }

// The enabled entries of a menu, centred on x = 320, and the cursor before
// the chosen one.
void DrawCmdMenu(const std::vector<cCmd>& menu) {
    const int left = cSystemData::GetCmdMenuLeft(320, menu);
    const int n = cCmd::GetEnableNum(menu);
    int row = 0;
    for (const cCmd& c : menu) {
        if (!c.nEnable) continue;
        Fonts[FONT_MEDIUM].DrawText(&BackBuffer, left, MenuTop(n) + row * MENU_ROW, c.strText.c_str());
        ++row;
    }
    const int cursor = g_MenuCursor.Current().row;
    DDBlt(&BackBuffer, left - 20, MenuTop(n) + cursor * MENU_ROW, 16, 16, &CommonSurfaces[CB_ACCESSORY], 64, 0,
          DDBLT_COLORKEY);
}

// Moves the cursor over the n rows of a one-column menu (with its sound).
void MoveMenuCursor(const cInput& in, int n) {
    PlayCursorSound(in.m_nDir, 2, SE_CURSOR);
    g_MenuCursor.MoveGrid(in.m_nDir, 0, 0, 0, MENU_ROW, 1, n);
}

const std::string& SystemText(int n) {
    static const std::string none;
    return static_cast<size_t>(n) < SystemData.vText.size() ? SystemData.vText[n] : none;
}

// Whether the current map event was cleared before: its page's clear flag
// (the record's clear-flag index in story play) is set in the save record.
bool EventClearedBefore() {
    const int32_t flag = ClearFlagIndex(SaveData);
    return flag >= 0 && static_cast<size_t>(flag) < SaveData.vMapFlag.size() && SaveData.vMapFlag[flag] != 0;
}

// The challenge stage in play has been cleared before (its result pair's clear mark).
bool ChallengeClearedBefore() {
    const int32_t index = ClearFlagIndex(SaveData) - 1;
    return index >= 0 && static_cast<size_t>(index) < SaveData.vPair.size() && SaveData.vPair[index].nValue1 != 0;
}

}  // namespace

void cPlayScene::StartBanner() {
    Draw(PLAYDRAW_STILL);
    DDSURFACEDATA* word = &CommonSurfaces[CB_WORD];
    if (!(bEditorStart && bStageTest)) {
        if (IsReplayPlay()) {
            if (++nCounter1 < BANNER_FRAMES) {
                DDBlt(&BackBuffer, 256, 224, 128, 32, word, 0, 32, DDBLT_COLORKEY);
                return;
            }
        } else {
            if (PlayStage.bStageBanner && nCounter1 < BANNER_FRAMES && ++nCounter1 < BANNER_FRAMES) {
                DDBlt(&BackBuffer, 256, 224, 128, 32, word, 0, 0, DDBLT_COLORKEY);
                DDDrawNumber(&BackBuffer, 384, 224, 32, 32, word, 0, 128, DDBLT_COLORKEY, SaveData.nStageNo, 1, 0);
                return;
            }
            if (PlayStage.bStartBanner && ++nCounter2 < BANNER_FRAMES) {
                DDBlt(&BackBuffer, 280, 224, 80, 32, word, 160, 0, DDBLT_COLORKEY);
                return;
            }
        }
    }
    if (cPlayer* h = World.Hero()) h->Anime.Restart(h->nFacing ? 2 : 0, true);
    nCounter1 = 0;
    nState = PLAYSTATE_PLAY;
}

void cPlayScene::PauseMenu() {
    cmdPause.assign(4, cCmd());
    for (int i = 0; i < 4; ++i) cmdPause[i] = cCmd(1, SystemText(19 + i));
    switch (SceneManager.nGameType) {
        case GAME_STORY:
            if (!GetSysSwitch(SystemData, eSysSwitch::RetryInStory) || !EventClearedBefore()) cmdPause[2].nEnable = 0;
            if (!GetSysSwitch(SystemData, eSysSwitch::BackToMap) || !EventClearedBefore()) cmdPause[3].nEnable = 0;
            break;
        case GAME_CHALLENGE:
            if (!GetSysSwitch(SystemData, eSysSwitch::RetryInChallenge) || !ChallengeClearedBefore())
                cmdPause[2].nEnable = 0;
            cmdPause[3].nEnable = 0;
            break;
        default: cmdPause[3].nEnable = 0; break;
    }
    if (nPhase == 0) {
        g_MenuCursor.Current().row = 1;
        nPhase = 1;
    }
    cInput& in = MenuInput();
    const int n = cCmd::GetEnableNum(cmdPause);
    MoveMenuCursor(in, n);
    if (in.m_nButton & BUTTON_CONFIRM) {
        const int item = cCmd::GetCmdNum(g_MenuCursor.Current().row, cmdPause);
        PlaySE(SE_CONFIRM);
        switch (item) {
            case 0:
                nState = PLAYSTATE_EXIT;
                if (bStageTest) {
                    PostCloseMain();
                } else {
                    SceneManager.nNext = SCENE_TITLE;
                    g_MenuCursor.Current().row = SceneManager.nTitleChoice;
                    nPhase = 0;
                }
                break;
            case 1:
                bMenuLatch = 1;
                nState = nSavedState;
                nPhase = nSavedPhase;
                break;
            case 2:
                bMenuLatch = 1;
                SaveData.RestoreVars(1);
                SetStage(1, 0);
                nState = PLAYSTATE_BANNER;
                nPhase = 0;
                break;
            case 3:
                bMenuLatch = 1;
                SaveData.RestoreVars(0);
                StepBackSwitch(SaveData) = 1;  // the map puts the walker back off the stage
                SceneManager.nNext = SCENE_WORLD_MAP;
                nPhase = 0;
                nState = PLAYSTATE_EXIT;
                break;
            default: break;
        }
        return;
    }
    if (in.m_nButton & BUTTON_CANCEL) {
        PlaySE(SE_CANCEL);
        bMenuLatch = 1;
        nState = nSavedState;
        nPhase = nSavedPhase;
        return;
    }
    Draw(PLAYDRAW_STILL);
    DrawCmdMenu(cmdPause);
}

void cPlayScene::AfterPlay() {
    const bool skip = PlayStage.bSkipResults != 0;
    if (!skip) {
        if (MenuKeyPressed()) {
            nPhase = 0;
            nState = PLAYSTATE_PAUSE;
            return;
        }
        CheckReplayKeys(IsReplayPlay());
        if (OptionRankMode() <= 1 && (GetAsyncKeyState(VK_F1 + 2) & 0x8000)) RankEntry();
    }
    if (nPhase == 0) {
        nCounter1 = 0;
        nPhase = 1;
    }
    cInput& in = MenuInput();
    const bool confirm = skip ? nCounter1 >= RESULT_WAIT : (in.m_nButton & BUTTON_CONFIRM) && nCounter1 >= RESULT_WAIT;
    if (confirm) {
        if (!skip) {
            if (bRankQualifies && OptionRankMode() >= 2)
                RankEntry();
            else
                PlaySE(SE_CONFIRM);
        }
        SceneManager.nNext = EndStage();
        nCounter1 = 0;
        nPhase = 0;
        nState = PLAYSTATE_EXIT;
        return;
    }
    bool hint = false;
    if (!skip && !bRankEntered && OptionRankMode() <= 1)
        for (int32_t pos : vRankPos) hint = hint || pos != -1;
    const bool showHint = nCounter1 > 0;
    Draw(PLAYDRAW_FROZEN | (showHint ? PLAYDRAW_HINT : 0u));
    if (hint) {
        // The hint line of the play screen takes y 456 when it shows; the F3
        // hint then goes one line above it.
        const bool bHintLine = showHint && (ShowsEndHint() || bEditorStart);
        const char* text = SystemText(28).c_str();
        Fonts[FONT_MEDIUM].DrawText(&BackBuffer, 320 - GetSjisCharCount(text) * 16 / 2, bHintLine ? 436 : 456, text);
    }
    DDSURFACEDATA* word = &CommonSurfaces[CB_WORD];
    if (!PlayStage.bClearBanner) {
        nCounter1 = RESULT_WAIT;
    } else {
        if (nCounter1 < RESULT_WAIT) nCounter1 += 4;
        if (nCounter1 < 100)
            DDBltStripShift(&BackBuffer, 256, 192, 128, 32, 4, 100 - nCounter1, word, 0, 64, DDBLT_COLORKEY, 0);
        else
            DDBlt(&BackBuffer, 256, 192, 128, 32, word, 0, 64, DDBLT_COLORKEY);
    }
    if (nCounter1 >= RESULT_WAIT && SceneManager.nRankSwitch && !skip && ResultsTaken())
        DrawResultRanking(&BackBuffer, 336, 224, SceneManager.nGameType, vRankPos, vResult);
}

void cPlayScene::Restart() {
    if (nPhase == 0) {
        g_MenuCursor.Current().row = 0;
        nPhase = 1;
    }
    cInput& in = MenuInput();
    MoveMenuCursor(in, 2);
    if (in.m_nButton & BUTTON_CONFIRM) {
        PlaySE(SE_CONFIRM);
        if (g_MenuCursor.Current().row == 0) {
            SetStage(1, 0);
            nState = PLAYSTATE_BANNER;
        } else {
            StepBackSwitch(SaveData) = 1;  // the map puts the walker back off the stage
            SceneManager.nNext = SCENE_WORLD_MAP;
            nPhase = 0;
            nState = PLAYSTATE_EXIT;
        }
        return;
    }
    Draw(PLAYDRAW_STILL);
    // Texts 23 and 24: retry, back to the map.
    const std::vector<cCmd> menu{cCmd(1, SystemText(23)), cCmd(1, SystemText(24))};
    DrawCmdMenu(menu);
}

void cPlayScene::GameOver() {
    if (MenuKeyPressed()) {
        nPhase = 0;
        nState = PLAYSTATE_PAUSE;
        return;
    }
    cInput& in = MenuInput();
    if (in.m_nButton & BUTTON_CONFIRM) {
        PlaySE(SE_CONFIRM);
        nState = PLAYSTATE_EXIT;
        SceneManager.nNext = SCENE_TITLE;
        return;
    }
    Draw(PLAYDRAW_STILL);
    if (PlayStage.bGameOverBanner)
        DDBlt(&BackBuffer, 248, 224, 144, 32, &CommonSurfaces[CB_WORD], 0, 96, DDBLT_COLORKEY);
}
