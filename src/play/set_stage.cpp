// The stage set-up: the previous run disposed of, the seed and the key logs,
// the music, the scroll axes and the block grid, the hero, the per-stage
// counters.
#include <new>

#include "actors/cmd/cmd_bodies.h"
#include "actors/cmd/next_stage.h"
#include "actors/cond_judge.h"
#include "actors/flow_setup.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_switches.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "platform/system/timer.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/menu_cursor.h"
#include "play/message/message_surface.h"
#include "play/play_run.h"
#include "play/play_scene.h"
#include "play/stage_objects.h"
#include "player/player_records.h"
#include "player/replay_service.h"
#include "records/crt_rand.h"
#include "scene/editor_notice.h"
#include "scene/scene_manager.h"
#include "scene/stage_loader.h"
#include "scene/window_requests.h"
#include "stage/flow_arrange.h"
#include "world/block_grid.h"

cObjectList<cStageChara>::iterator EraseStageChara(cObjectList<cStageChara>::iterator it) {
    cPlayScene* scene = lpPlayScene;
    it->ClearTargetLinks();
    if (scene) {
        const int32_t side = static_cast<int8_t>(it->Side());
        const bool inRange = side >= 0 && static_cast<size_t>(side) < scene->World.vCharaBucket.size();
        // A bad side is reported by the checked access and bucket 0 searched instead.
        cHitBucket& bucket = inRange ? scene->World.vCharaBucket[side] : scene->World.vCharaBucket[0];
        if (!inRange) (void)scene->World.vCharaBucket[side];
        bucket.Remove(&*it);
        scene->BlockCharas.Remove(&*it);
    }
    return scene ? scene->World.lstStageChara.erase(it) : std::next(it);
}

cSafeVector<int32_t> MakeStepActiveTable(int32_t steps, int32_t speed) {
    cSafeVector<int32_t> table;
    if (steps < 1) steps = 1;
    if (speed <= 0) {
        table.assign(static_cast<size_t>(steps), 1);
        return table;
    }
    table.assign(static_cast<size_t>(steps), 0);
    const double step = static_cast<double>(steps) / speed;
    int32_t set = 0;
    for (int32_t k = 0;; ++k) {
        const int32_t pos = static_cast<int32_t>(k * step);
        if (pos >= steps || k >= speed) break;
        if (!table[pos]) ++set;
        table[pos] = 1;
    }
    if (set < speed) table[static_cast<size_t>(steps - 1)] = 1;
    return table;
}

namespace {

// The stage's music, unless the same music already plays.
void RequestStageMusic(int32_t bFirstStart) {
    const int32_t kept = nStageBgm.load();
    const int32_t music = PlayStage.nBgm;
    bool request;
    if (!bFirstStart)
        request = kept != music;
    else
        request = !PlayStage.bBgmContinue || kept != music;
    int32_t number = music;
    if (bFirstStart && !request && music == 0) {
        request = true;
        number = 0;
    }
    if (!request) return;
    RequestStageBgm(number, PlayStage.nBgmValue2);
}

// The placed characters and items of the stage; the hero's record is the
// player's and is not made again. A character carrying a placed item takes
// it along, and that item is not placed on its own.
void CreateStageObjects(cPlayScene& scene, int hero) {
    cWorldState& w = scene.World;
    cSafeVector<uint8_t> carried;
    carried.assign(PlayStage.vPlacedItem.size(), 0);
    for (size_t i = 0; i < PlayStage.vPlacedChara.size(); ++i) {
        if (static_cast<int>(i) == hero) continue;
        const cCharaData& record = PlayStage.vPlacedChara[i];
        const int32_t item = record.nItem;
        if (item < 0 || static_cast<size_t>(item) >= PlayStage.vPlacedItem.size()) {
            CreateStageCharas(w.lstStageChara, record.wCellX, record.wCellY, w.nNextObjectId, record, nullptr);
            continue;
        }
        cItem given;
        given.Setup(w.nNextItemId++, PlayStage.vPlacedItem[item]);
        carried[item] = 1;
        CreateStageCharas(w.lstStageChara, record.wCellX, record.wCellY, w.nNextObjectId, record, &given);
    }
    for (size_t i = 0; i < PlayStage.vPlacedItem.size(); ++i) {
        if (carried[i]) continue;
        const cItemData& record = PlayStage.vPlacedItem[i];
        CreateStageItem(w.lstItem, record.wCellX, record.wCellY, w.nNextItemId, record);
    }
}

}  // namespace

void cPlayScene::SetStage(int32_t bLoadStage, int32_t bFirstStart) {
    WriteECf("In SetStage bLoadStage = %d", bLoadStage);
    try {
        nFrameCount = 0;
        World.vAttackBucket.assign(HIT_SIDE_NUM, cHitBucket());
        World.lstShots.clear();
        World.vCharaBucket.assign(HIT_SIDE_NUM, cHitBucket());
        BlockCharas.Clear();
        for (auto it = World.lstStageChara.begin(); it != World.lstStageChara.end();) it = EraseStageChara(it);
        World.lstItem.clear();
        // The stage's characters are looked at anew.
        WalkFusion = cWalkFusion();

        const bool replay = IsReplayPlay();
        if (bLoadStage) {
            if (replay && !strReplayFile.empty() &&
                !KeyLog.LoadReplay(strReplayFile, PlayStage, ReplayStage, SaveData)) {
                PostCloseMain();
                return;
            }
        }
        // The settings a replay of this run is saved with, as the run begins
        // (the first set-up too: a replay saved from it must hold the stage's
        // own settings, not empty ones).
        ReplayStage = PlayStage;
        if (replay) {
            nRandSeed = static_cast<int32_t>(KeyLog.dwRandSeed);
            KeyLog.Rewind();
        } else if (SystemData.bReplayRecord) {
            PrevSnapSaveData = SnapSaveData;
            SnapSaveData = SaveData;
            PrevKeyLog = KeyLog;
            KeyLog.Clear();
            nRandSeed = static_cast<int32_t>(timeGetTime());
            KeyLog.dwRandSeed = static_cast<uint32_t>(nRandSeed);
        }
        crt::srand(static_cast<uint32_t>(nRandSeed));
        // Held directions are read by the rule of the replay's version.
        SetInputDirPlayback(replay ? 1 : 0, KeyLog.nFileVersion);
        if (PlayStage.bCarryHeroStatus) RestoreHeroRecord(0);
        RequestStageMusic(bFirstStart);

        SceneManager.nBgmId = 0;
        World.nNextObjectId = World.nNextItemId = World.nNextOtherId = 0;
        PlayStage.SetHitLevel(PlayStage.nHitLevel);
        World.ScrollX.SetupX(PlayStage, PlayStage.nFps);
        World.ScrollY.SetupY(PlayStage, PlayStage.nFps);

        BlockGrid.assign(static_cast<size_t>(World.ScrollY.nCells) * static_cast<size_t>(World.ScrollX.nPitch),
                         cBlockCell());
        for (const cBlockData& block : PlayStage.vPlacedBlock) {
            const size_t cell = (static_cast<size_t>(block.wCellY + SCROLL_MARGIN_CELLS) << World.ScrollX.nPitchShift) +
                                block.wCellX + SCROLL_MARGIN_CELLS;
            if (cell >= BlockGrid.size()) continue;
            BlockGrid[cell] = block;
            BlockGrid[cell].byState = 0;
        }
        RebuildBlockHits();

        nPlayers = 1;
        World.vPlayer.assign(1, cPlayer());
        WriteEC("A");
        const int hero = PlayStage.FindHero();
        if (hero >= 0) {
            cCharaData& record = PlayStage.vPlacedChara[hero];
            // A stage entered from a clear that set the next stage's start
            // begins there, facing as that clear asked.
            const bool bOverride = NextStageStart.bOverride != 0;
            if (bOverride) record.byFacing = static_cast<uint8_t>(NextStageStart.nFacing != 0);
            const int32_t rx = record.wCellX, ry = record.wCellY;
            const double x = (rx + SCROLL_MARGIN_CELLS) * 32 + 16, y = (ry + SCROLL_MARGIN_CELLS) * 32 + 16;
            const int32_t spawn[4] = {static_cast<int32_t>(x) - 16, static_cast<int32_t>(y) - 16,
                                      static_cast<int32_t>(x) + 16, static_cast<int32_t>(y) + 16};
            cPlayer& p = World.vPlayer[0];
            p.Setup(++World.nNextObjectId, 0, record, spawn, x, y, &World);
            // From here on the counter names the next free id.
            ++World.nNextObjectId;
            p.SetCellPos(bOverride ? NextStageStart.nStartX : rx, bOverride ? NextStageStart.nStartY : ry, &World);
            // The placement offset of the record's facing.
            const double dx = record.GetOffsetX(0, record.byFacing), dy = record.GetOffsetY(0, record.byFacing);
            p.x += dx;
            p.x2 += dx;
            p.y += dy;
            p.y2 += dy;
            p.Anime.Restart(p.nFacing ? 2 : 0, true);
        }
        WriteEC("B");
        if (cPlayer* h = World.Hero()) {
            World.ScrollX.dPos = static_cast<int32_t>(h->x) - 320 + h->nHitW / 2;
            World.ScrollX.Clamp();
            World.ScrollY.dPos = static_cast<int32_t>(h->y) - 240 + h->nHitH / 2;
            World.ScrollY.Clamp();
            h->UpdateScreenRect();
            if (h->data.bySightRange > 0)
                BuildSightMask(&SightMask, &SightStencil, h->data.bySightRange * 16, h->data.bySightShape,
                               SystemData.nColorMode != 0);
        }
        World.vStageVars.assign(STAGE_VAR_NUM, 0);
        WriteEC("10");
        InstallCondTests();
        CreateStageObjects(*this, hero);
        WriteEC("11");
        WriteEC("12");
        WriteEC("C");
        WriteEC("D");

        if (cPlayer* h = World.Hero()) World.vCharaBucket[h->Side()].Add(h, HITKIND_CHARA);
        for (cStageChara& c : World.lstStageChara) {
            World.vCharaBucket[c.Side()].Add(&c, HITKIND_STAGECHARA);
            BlockCharas.Add(&c);
        }
        lstStageWork.clear();
        lstEffect.clear();
        Pictures.Clear();
        ClearMessageData();
        ScrEffect.Reset();
        ColorChange = cColorChange();
        vStepActive = MakeStepActiveTable(PlayStage.nSteps, PlayStage.nStepLevel);

        World.nStageEnd = nCounter1 = nCounter2 = 0;
        if (!PlayStage.bTimeLimit) {
            World.nStageTime = STAGE_TIME_MAX;
            World.bTimeStop = 1;
        } else {
            World.bTimeStop = 0;
            World.nStageTime = PlayStage.nTimeLimit;
        }
        nElapsedFrames = nElapsedTime = 0;
        vCondFlags.assign(COND_FLAG_NUM, 0);
        World.nNextStage = 0;
        // The removal rules of characters, block characters and items that are on.
        bEraseCharaKey = PlayStage.StageIntRec[INTREC_CHARA].AnyEdgeOn();
        bEraseBlockCharaKey = PlayStage.StageIntRec[INTREC_BLOCKCHARA].AnyEdgeOn();
        bEraseItemKey = PlayStage.StageIntRec[INTREC_ITEM].AnyEdgeOn();
        nSubStep = nSubStepCount = 0;
        StageScore(SaveData) = 0;
        if (replay || (bEditorStart && bStageTest)) {
            ClearRunStateWords(SaveData);
            SaveData.ResetTotals();
        }
        SaveData.SaveStageStart();
        for (cInput& in : InputList) {
            in.ClearDirection();
            in.ClearButtons();
            in.ClearHistory();
            in.ClearPatternHistory();
        }
        g_MenuCursor.Reset();
        TickCounter(0, 60);
        for (cIntRec& layer : PlayStage.vBg) layer.i = layer.j = 0;
        if (lpDDCon && DDGetColorBit() == 8) {
            for (int i = 0; i < 256; ++i) DDScreenPalette[i] = DDBasePalette[i];
            DDSetPaletteEntries(0, 255, DDScreenPalette);
        }
        SceneManager.nFrameRate = PlayStage.nFps;
        if (cPlayer* h = World.Hero()) h->InitTargets(nullptr, &World);
        for (cStageChara& c : World.lstStageChara) c.InitTargets(nullptr, &World);
        RunBeforeStartFlows();
        UpdateActiveFlags();
        nHitOption = PlayStage.nHitOption;
        DDSelectBackBuffer(0);
    } catch (const std::bad_alloc&) {
        ErrMesBox("メモリ不足により、ステージの初期設定に失敗しました！");
        PostCloseMain();
        return;
    }
    WriteEC("Out SetStage");
}

void cPlayScene::RunBeforeStartFlows() {
    const bool bAll = GetSysSwitch(SystemData, eSysSwitch::StartFlowsForAll) != 0;
    if (!bAll) UpdateActiveFlags();
    if (cPlayer* h = World.Hero()) h->StartTriggeredFlows(TRIGGER_BEFORE_START, &World);
    for (cStageChara& c : World.lstStageChara)
        if (bAll || c.bActive) c.StartTriggeredFlows(TRIGGER_BEFORE_START, &World);
    for (auto it = World.lstStageChara.begin(); it != World.lstStageChara.end();) {
        if (it->bErase) {
            it = EraseStageChara(it);
        } else if (it->hp <= 0) {
            KillStageChara(*it);
            it = EraseStageChara(it);
        } else {
            ++it;
        }
    }
}
