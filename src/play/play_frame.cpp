// One frame of play: input, timers, the logic sub-steps in which every
// character acts and meets blocks, then the picture.
#include <algorithm>
#include <cstddef>
#include <iterator>

#include "actors/flow_setup.h"
#include "actors/shot.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "database/system_switches.h"
#include "platform/input/input.h"
#include "platform/system/log.h"
#include "play/block_collision.h"
#include "play/play_run.h"
#include "play/play_scene.h"
#include "play/replay_end.h"
#include "play/walk_step.h"
#include "player/player_records.h"
#include "player/replay_service.h"
#include "records/services.h"
#include "records/utility.h"
#include "stage/stage_data.h"

namespace {

bool Squeezed(const cChara& c) { return (c.bContactL && c.bContactR) || (c.bContactU && c.bContactD); }

// Frames end by returning: 0 go on, anything else ends the frame.
constexpr int32_t FRAME_ON = 0;
constexpr int32_t FRAME_END = 1;

}  // namespace

void cPlayScene::EndWithResults() {
    CheckRanking();
    nState = PLAYSTATE_AFTERPLAY;
}

int32_t cPlayScene::HeroDeath(bool bSoundPlayed) {
    if (!bSoundPlayed) PlaySE(SE_DEATH);
    if (World.Hero()->Die(&World) == 1) EndWithResults();
    return FRAME_END;
}

int32_t cPlayScene::HeroDiesUnlessProtected(const char* text, bool bRestore) {
    cPlayer& hero = *World.Hero();
    if (hero.nProtect > 0) {
        if (hero.bRescue) {
            hero.x = hero.dRescuePos[0];
            hero.y = hero.dRescuePos[1];
            hero.x2 = hero.dRescuePos[2];
            hero.y2 = hero.dRescuePos[3];
            hero.FixAfterMoveX(&World);
            hero.FixAfterMoveY(&World);
            hero.bRescue = 0;
        }
        return FRAME_ON;
    }
    if (bRestore) hero.RestoreRect();
    WriteEC(text);
    return HeroDeath(false);
}

int32_t cPlayScene::HeroUpdate() {
    cPlayer& hero = *World.Hero();
    const auto dies = [&](const char* text) {
        WriteEC(text);
        return HeroDeath(false);
    };
    hero.StartTriggeredFlows(TRIGGER_ALWAYS, &World);
    if (hero.Update(hero.dying, &World) != 0) return HeroDeath(false);
    if (World.nStageEnd == 1) {
        EndWithResults();
        return FRAME_END;
    }
    if (World.nStageEnd == 2) return HeroDeath(false);
    if (World.bDeathCheck && CheckDeaths() != 0) return FRAME_END;
    if (hero.byBlockDeath == 2) return HeroDeath(false);
    const int32_t fx = StepBlockEffect(hero);
    if (fx == PLAY_STAGEEND) {
        EndWithResults();
        return FRAME_END;
    }
    if (fx == PLAY_HERODIES) return HeroDeath(false);
    if (hero.standingOnObject) CarryOnObject(hero);
    hero.MoveStepX(&World);
    ClampScreenX(hero);
    if (BlockHitH(hero) == 2) return dies("Dead 1");
    ClampScreenX(hero);
    hero.ApplyGravity();
    if (hero.FallStep(&World) == 7) return dies("Dead 2");
    if (ClampScreenY(hero) == 2) return dies("Dead 3");
    if (BlockHitV(hero) == 2) return dies("Dead 4");
    if (ClampScreenY(hero) == 2) return dies("Dead 5");
    if (Squeezed(hero) && HeroDiesUnlessProtected("Dead SP", true)) return FRAME_END;
    if (HitBlockChara(hero, BlockCharas) == 2 && !hero.dying && HeroDiesUnlessProtected("Dead 6", false))
        return FRAME_END;
    if ((hero.bContactL || hero.bContactR) && PushOutH(hero) == 2 && !hero.dying) {
        if (hero.nProtect > 0) return FRAME_END;
        return dies("Dead 7");
    }
    if ((hero.bContactU || hero.bContactD) && PushOutV(hero) == 2 && !hero.dying &&
        HeroDiesUnlessProtected("Dead 8", false))
        return FRAME_END;
    if (Squeezed(hero) && HeroDiesUnlessProtected("Dead 9", true)) return FRAME_END;
    hero.DecayAccelX();
    hero.DecayAccelY();
    return FRAME_ON;
}

int32_t cPlayScene::StageCharaUpdate(cObjectList<cStageChara>::iterator& it, bool& bRemoved) {
    cStageChara& c = *it;
    bRemoved = false;
    const auto kill = [&](bool bSound) {
        if (bSound) PlaySE(SE_KILL);
        const int32_t r = KillStageChara(c);
        if (r == 0 && GetSysSwitch(SystemData, eSysSwitch::DeathDisplayOff)) {
            it = RemoveStageChara(it);
            bRemoved = true;
            return FRAME_ON;
        }
        return r != 0 ? FRAME_END : FRAME_ON;
    };
    c.StartTriggeredFlows(TRIGGER_ALWAYS, &World);
    if (c.Update(c.dying, &World) != 0) {
        if (!c.byBlockChara && c.bErase) {
            it = RemoveStageChara(it);
            bRemoved = true;
            return FRAME_ON;
        }
        return kill(false);
    }
    if (World.bDeathCheck && CheckDeaths() != 0) return FRAME_END;
    if (c.byBlockChara) {
        c.MoveStepX(&World);
        int32_t h = BlockHitH(c);
        c.ApplyGravity();
        const int32_t f = c.FallStep(&World);
        const int32_t v = BlockHitV(c);
        if (h == 2 || f == 7 || v == 2 || c.byBlockDeath == 2) return kill(true);
        c.DecayAccelX();
        c.DecayAccelY();
        return FRAME_ON;
    }
    int32_t h = 0, f = 0, v = 0, b = 0;
    const eWalkStep walk = SettledWalkStep(c, BlockCharas);
    const bool bSettled = walk == WALK_DONE;
    if (!bSettled) {
        if (walk == WALK_REFUSED) {
            if (c.standingOnObject) CarryOnObject(c);
            if (c.MoveStepX(&World) == 4) c.bRemoveAsked = 1;
            h = BlockHitH(c);
            c.ApplyGravity();
            f = c.FallStep(&World);
        }
        v = BlockHitV(c);
        b = MeetsNoBlockChara(c, BlockCharas) ? 0 : HitBlockChara(c, BlockCharas);
        PushOut(c);
    }
    if (h == 2 || f == 7 || v == 2 || b == 2 || Squeezed(c) || c.byBlockDeath == 2) return kill(true);
    if (c.bRemoveAsked) {
        it = RemoveStageChara(it);
        bRemoved = true;
        return FRAME_ON;
    }
    if (!bSettled) {
        c.DecayAccelX();
        c.DecayAccelY();
    }
    return FRAME_ON;
}

void cPlayScene::PlayFrame(bool bFuseWalks) {
    if (bQuit) {
        RecPostClose();
        return;
    }
    if (MenuKeyPressed()) {
        nPhase = 0;
        nState = PLAYSTATE_PAUSE;
        return;
    }
    const bool bReplay = IsReplayPlay();
    if (CheckReplayKeys(bReplay)) {
        ReportReplayEnd("saved", nFrameCount, static_cast<uint32_t>(nRandSeed), World.Hero(), SaveData.nScore,
                        World.nStageTime, nElapsedFrames);
        return;
    }
    ++nFrameCount;
    cPlayer* lpHero = World.Hero();
    if (!lpHero) return;
    cInput& in = InputList[0];
    if (bReplay) {
        in.ClearDirection();
        in.ClearButtons();
        if (KeyLog.PlayFrame(in) != 0) {
            // This frame found the log spent: it is no frame of the run.
            ReportReplayEnd("played", nFrameCount - 1, static_cast<uint32_t>(nRandSeed), lpHero, SaveData.nScore,
                            World.nStageTime, nElapsedFrames);
            SaveData.RestoreVars(1);
            SetStage(1, 1);
            nState = PLAYSTATE_BANNER;
            bReplayEnded = 1;
            return;
        }
    } else {
        if (lpHero->bIgnoreDirection) in.ClearDirection();
        if (lpHero->bIgnoreButtons) in.ClearButtons();
        if (in.m_nButton == 0) bMenuLatch = 0;
        else if (bMenuLatch) in.m_nButton = 0;
        if (GetSysSwitch(SystemData, eSysSwitch::ReplayRecording)) KeyLog.RecordFrame(in);
    }
    in.m_nDigit = in.GetDirectionDigit();
    in.RecordHistory();
    in.RecordPatternHistory();

    StepElapsed();
    if (StepStageTimer(-1) && !lpHero->dying) {
        PlaySE(SE_DEATH);
        if (lpHero->Die(&World) == 1) EndWithResults();
        return;
    }
    lpHero->ClearFlowFrameFlags();
    lpHero->nFrameValue1 = -1, lpHero->nFrameValue2 = 1;
    const int32_t steps = PlayStage.nSteps;
    // A frame of sub-steps starts the characters' frames in its first walk.
    if (steps < 1)
        for (cStageChara& c : World.lstStageChara) StartCharaFrame(c);
    for (int32_t i = 1; i <= steps; ++i) {
        nSubStep = i;
        ++nSubStepCount;
        // No bucket is walked here: the holes that removals left close.
        for (cHitBucket& b : World.vCharaBucket) b.Compact();
        for (cHitBucket& b : World.vAttackBucket) b.Compact();
        World.lstStageChara.Compact();
        const bool bLifetimes = !lpHero->dying;
        const eStepWalks walks =
            bFuseWalks ? WalkFusion.Walks(World, !BlockCharas.IsEmpty()) : STEPWALKS_SEPARATE;
        // Every way out of the sub-step starts the steps still owed.
        cOwedStepStarts owed(*this, walks, i == 1);
        StartSubStepWalks(walks, i == 1, bLifetimes);
        if (bLifetimes) {
            for (auto it = World.lstItem.begin(); it != World.lstItem.end();) {
                if (it->nLifeTime == LIFETIME_UNLIMITED || --it->nLifeTime >= 0) ++it;
                else it = World.lstItem.erase(it);
            }
        }
        StartStep(*lpHero);
        lpHero->lpPrevLastStandBlock = lpHero->lpLastStandBlock;
        World.ScrollX.Step();
        World.ScrollY.Step();
        owed.ScrollStepped();
        const auto runCharas = [&](bool bBlockCharas) {
            for (auto it = World.lstStageChara.begin(); it != World.lstStageChara.end();) {
                cStageChara& c = *it;
                owed.Before(it.Place(), c);
                bool bRemoved = false;
                if (!c.dying && c.bActive && c.bGroupCondsMet && (c.byBlockChara != 0) == bBlockCharas &&
                    StageCharaUpdate(it, bRemoved) != FRAME_ON)
                    return FRAME_END;
                if (!bRemoved) ++it;
            }
            return FRAME_ON;
        };
        // The list holds block characters only while the index does.
        if (!lpHero->dying && !BlockCharas.IsEmpty() && runCharas(true) != FRAME_ON) return;
        if (!lpHero->dying && HeroUpdate() != FRAME_ON) return;
        if (!lpHero->dying && runCharas(false) != FRAME_ON) return;
        owed.StartRest();
        UpdateShots(&World);
        if (i == 1 && !lpHero->dying) EraseBeyondEdges();
        if (!lpHero->dying) {
            int32_t r = StepBlockItem(*lpHero);
            if (r == PLAY_GOON) r = DetectHits();
            if (r == PLAY_GOON) r = HeroTakesItems();
            if (r == PLAY_STAGEEND) {
                EndWithResults();
                return;
            }
            if (r == PLAY_HERODIES) {
                HeroDeath(false);
                return;
            }
        }
    }
    Draw(PLAYDRAW_LIVE);
}
