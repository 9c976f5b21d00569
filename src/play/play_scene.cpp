#include "play/play_scene.h"

#include <string>

#include "actors/actors_state.h"
#include "actors/cmd/next_stage.h"
#include "actors/damage.h"
#include "database/common_bitmaps.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "database/system_switches.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/fx_fade.h"
#include "platform/input/input_keys.h"
#include "platform/input/vkey.h"
#include "platform/system/log.h"
#include "platform/system/timer.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/menu_cursor.h"
#include "play/effects/scr_effect_run.h"
#include "play/message/message_surface.h"
#include "play/message/message_text.h"
#include "play/play_run.h"
#include "play/replay_end.h"
#include "play/stage_objects.h"
#include "player/player_records.h"
#include "player/player_state.h"
#include "player/rank_rules.h"
#include "records/utility.h"
#include "scene/editor_notice.h"
#include "scene/scene_manager.h"
#include "scene/scene_state.h"
#include "scene/stage_loader.h"

cPlayScene* lpPlayScene = nullptr;

cPlayScene::cPlayScene() : cScene(SCENE_PLAY, -1) {
    nRandSeed = static_cast<int32_t>(timeGetTime());
    pfnState[PLAYSTATE_FADEIN] = &cPlayScene::StateFadeIn;
    pfnState[PLAYSTATE_BANNER] = &cPlayScene::StartBanner;
    pfnState[PLAYSTATE_PLAY] = &cPlayScene::Play;
    pfnState[PLAYSTATE_PAUSE] = &cPlayScene::PauseMenu;
    pfnState[PLAYSTATE_AFTERPLAY] = &cPlayScene::AfterPlay;
    pfnState[PLAYSTATE_RESTART] = &cPlayScene::Restart;
    pfnState[PLAYSTATE_GAMEOVER] = &cPlayScene::GameOver;
    pfnState[PLAYSTATE_EXIT] = &cPlayScene::StateExit;
    SetCurrentPlayScene(this);
}

cPlayScene::~cPlayScene() {
    ReleaseStageSurfaces(DedicatedBmp);
    ReleaseStageSurfaces(SwordBmp);
    ReleaseStageSurfaces(EffectBmp);
    DDReleaseSurface(&SightMask);
    DDReleaseSurface(&SightStencil);
    Pictures.Clear();
    if (lpPlayScene == this) SetCurrentPlayScene(nullptr);
}

void SetCurrentPlayScene(cPlayScene* lpScene) {
    lpPlayScene = lpScene;
    lpWorld = lpScene ? &lpScene->World : nullptr;
    SetSceneServices(lpScene ? &lpScene->Services : nullptr);
}

void ResetPlayState() {
    // The scenes (a play scene among them) go before the globals they use.
    ResetSceneLayer();
    SetCurrentPlayScene(nullptr);
    bScrollFollowSwitch = 0;
    ResetStageObjects();
    ResetScrEffectWork();
    ClearMessageData();
    ResetReplayEnd();
    ResetPlayerLayer();
    ResetActorsState();
}

void cPlayScene::Run() {
    if (nState == PLAYSTATE_NONE) {
        InitOrClose();
        nState = PLAYSTATE_FADEIN;
    }
    if (nState < PLAYSTATE_FADEIN || nState > PLAYSTATE_EXIT) return;
    (this->*pfnState[static_cast<size_t>(nState)])();
}

void cPlayScene::Init() {
    vRankPos.assign(RESULT_KIND_NUM, -1);
    vResult.assign(RESULT_KIND_NUM, 0);
    // The stage's background pictures name the eight background rows.
    for (int i = 0; i < CB_BACKGROUND_NUM; ++i) {
        std::string name;
        if (static_cast<size_t>(i) < PlayStage.vBg.size() && PlayStage.vBg[i].a != 0)
            name = PlayStage.vBg[i].strText;
        SetCommonBitmapPath(CB_BACKGROUND1 + i, name.c_str());
    }
    if (SceneManager.nPrevious == SCENE_PLAY) {
        int backgrounds[CB_BACKGROUND_NUM];
        for (int i = 0; i < CB_BACKGROUND_NUM; ++i) backgrounds[i] = CB_BACKGROUND1 + i;
        if (!LoadCommonBitmapsOrClose(backgrounds, CB_BACKGROUND_NUM)) return;
        SetStage(1, 1);
    } else {
        std::vector<int> rows;
        for (int r = CB_BLOCK; r <= CB_TITLE; ++r) rows.push_back(r);
        rows.push_back(CB_ACCESSORY);
        rows.push_back(CB_WORD);
        for (int r = CB_BACKGROUND1; r < COMMON_BITMAP_NUM; ++r) rows.push_back(r);
        if (!LoadCommonBitmaps(rows.data(), static_cast<int>(rows.size()))) {
            PostCloseMain();
            return;
        }
        LoadDedicatedBitmaps(DedicatedBmp);
        LoadSwordBitmaps(SwordBmp);
        LoadEffectBitmaps(EffectBmp);
        ResetStageRun();
        TakeLife();
        SetStage(0, 1);
    }
    g_MenuCursor.Reset();
    nPhase = 0;
}

void cPlayScene::ResetStageRun() {
    const bool replay = IsReplayPlay();
    SaveData.nLives = SaveData.nLivesInit;
    SaveData.nScore = 0;
    StageScore(SaveData) = 0;
    SaveData.ResetTotals();
    World.ScrollX.dPos = World.ScrollY.dPos = 0;
    nPhase = nCounter1 = nCounter2 = 0;
    bMenuLatch = 0;
    World.nStageTime = 0;
    bRankEntered = 0;
    lstStageWork.clear();
    if (!replay) {
        KeyLog.Clear();
        PrevKeyLog.Clear();
    }
    if (bStageTest) SaveData.nStageNo = 1;
    // A run that starts here starts every stage from its own start.
    NextStageStart.bOverride = 0;
    if (SceneManager.nRankSwitch)
        RankingList.LoadFile(SceneManager.nGameType, SaveData.strStage, SaveData.nEvent1, SaveData.nEvent2,
                             SaveData.nEvent3);
}

int32_t cPlayScene::TakeLife() {
    if (bStageTest || SaveData.nLives == UNLIMITED_LIVES) return 1;
    if (SaveData.nLives < 1) return 0;
    --SaveData.nLives;
    return 1;
}

void cPlayScene::FadeIn() {
    Draw(PLAYDRAW_STILL);
    if (DDFadeIn(DDScreenPalette, 0, 255, 0, 0, 0, static_cast<double>(SceneManager.nFadeSpeed), DDBasePalette, 0))
        nState = PLAYSTATE_BANNER;
}

void cPlayScene::Exit() {
    if (!DDFadeOut(DDScreenPalette, 0, 255, 0, 0, 0, static_cast<double>(SceneManager.nFadeSpeed), DDBasePalette, 0))
        return;
    DDClearSurface(&BackBuffer, 16);
    // A free play and a test play start the next visit from the stage as loaded.
    if ((SceneManager.nTitleChoice == TITLE_FREE_PLAY && SeriesFlag(SaveData) == 0) || bStageTest) {
        SeriesFlag(SaveData) = 0;
        if (!PlayStageFile(PlayStage.strFileName, 0)) PostCloseMain();
    }
    SceneManager.nFrameRate = 60;
    SceneManager.nCurrent = SceneManager.nNext;
    SceneManager.nPrevious = SCENE_PLAY;
    nState = PLAYSTATE_NONE;
}

int32_t cPlayScene::MenuKeyPressed() {
    if (!(GetAsyncKeyState(VK_SPACE) & 0x8000)) return 0;
    PlaySE(SE_MENU_OPEN);
    nSavedState = nState;
    nSavedPhase = nPhase;
    return 1;
}

void cPlayScene::CheckRanking() {
    PlaySE(SE_PLAY_END);
    TallyResults();
    bRankEntered = 0;
    bRankQualifies = 0;
    vRankPos.assign(RESULT_KIND_NUM, -1);
    if (!ResultsTaken()) return;
    vResult.assign(RESULT_KIND_NUM, 0);
    vResult[0] = SaveData.nScore;
    vResult[1] = SaveData.nTimeLeft;
    vResult[2] = SaveData.nClearTime;
    vResult[3] = SaveData.nHpLeft;
    vResult[4] = SaveData.nSpLeft;
    if (bEditorStart) return;
    for (int i = 0; i < RESULT_KIND_NUM; ++i) {
        if (!IsResultRanked(SceneManager.nGameType, i)) continue;
        vRankPos[i] = RankingList.vRanking[i].GetRankPos(vResult[i]);
        if (vRankPos[i] != -1) bRankQualifies = 1;
    }
}

int cPlayScene::ShowsEndHint() const { return bStageTest || bReplayEnded ? 1 : 0; }

bool cPlayScene::ResultsTaken() const {
    return bStageTest || (SceneManager.nRankSwitch && IsLastStage(World.nNextStage));
}

void cPlayScene::HeroDeathOver() {
    if (IsReplayPlay()) {
        SaveData.RestoreVars(1);
        SetStage(1, 1);
        nState = PLAYSTATE_BANNER;
        return;
    }
    if (!TakeLife()) {
        nState = PLAYSTATE_GAMEOVER;
        return;
    }
    if (PlayStage.bCarryHeroStatus) RestoreHeroRecord(0);
    SaveData.RestoreVars(0);
    if (SceneManager.nGameType == GAME_STORY && GetSysSwitch(SystemData, eSysSwitch::RetryMenuAfterDeath)) {
        nPhase = 0;
        nState = PLAYSTATE_RESTART;
        return;
    }
    SetStage(1, 0);
    nState = PLAYSTATE_BANNER;
}
