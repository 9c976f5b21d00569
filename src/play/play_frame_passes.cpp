// The passes of a frame of play: timers, activity, deaths and item pick-up.
#include "actors/cond_judge.h"
#include "actors/damage.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "database/system_switches.h"
#include "platform/system/timer.h"
#include "play/block_collision_util.h"
#include "play/flow_cond.h"
#include "play/play_scene.h"
#include "records/utility.h"
#include "stage/stage_data.h"

int32_t CheckFlowCond(const cDefinition& def, int32_t& bHeldOnce, cChara* lpChara) {
    if (def.vCond.empty()) return 1;
    if (def.byCondLatch && bHeldOnce) return 1;
    if (!JudgeCondList(def.byCondMode, def.vCond, lpChara, lpWorld)) return 0;
    bHeldOnce = 1;
    return 1;
}

int32_t cPlayScene::StepStageTimer(int32_t delta) {
    if (World.bTimeStop || !TickCounter(1, 60)) return 0;
    World.nStageTime += delta;
    if (World.nStageTime > STAGE_TIME_MAX) World.nStageTime = STAGE_TIME_MAX;
    if (World.nStageTime >= 1) return 0;
    World.nStageTime = 0;
    return 1;
}

void cPlayScene::StepElapsed() {
    if (nElapsedTime >= ELAPSED_TIME_MAX) return;
    ++nElapsedFrames;
    const int64_t t = static_cast<int64_t>(nElapsedFrames) * 100 / 60;
    nElapsedTime = t > ELAPSED_TIME_MAX ? ELAPSED_TIME_MAX : static_cast<int32_t>(t);
}

void cPlayScene::UpdateActiveFlags() {
    MarkActiveOnScreen(false);
    for (cStageChara& c : World.lstStageChara) UpdateGroupActive(c);
    UpdateItemsActive();
}

void cPlayScene::StartActivityJudgement() {
    cChara* lpHero = World.Hero();
    if (lpHero) lpHero->bActive = lpHero->nActiveState = lpHero->bGroupCondsMet = 1;
    for (uint8_t& f : vCondFlags) f = 0;
}

void cPlayScene::MarkActiveOnScreen(bool bFrameStart) {
    StartActivityJudgement();
    for (auto it = World.lstStageChara.begin(); it != World.lstStageChara.end(); ++it) {
        cStageChara& c = *it;
        if (bFrameStart) StartCharaFrame(c);
        c.bActive = CheckFlowCond(c.data, c.bCondHeld, &c);
        if (c.bActive) c.nActiveState = c.CheckOnScreen(vCondFlags);
    }
}

void cPlayScene::StartCharaSteps(bool bLifetimes) {
    for (auto it = World.lstStageChara.begin(); it != World.lstStageChara.end();) {
        if (bLifetimes && LifetimeRunsOut(*it)) {
            it = RemoveStageChara(it);
            continue;
        }
        UpdateGroupActive(*it);
        StartStep(*it);
        ++it;
    }
}

void cPlayScene::UpdateItemsActive() {
    cChara* lpHero = World.Hero();
    for (cItem& it : World.lstItem)
        it.bActive = CheckFlowCond(it.data, it.bCondHeld, lpHero);
}

void cPlayScene::EraseBeyondEdges() {
    const auto& rules = PlayStage.StageIntRec;
    if (bEraseCharaKey || bEraseBlockCharaKey) {
        // A removal moves no scroll.
        const cScrollEdgeLimits chara(rules[INTREC_CHARA]), blockChara(rules[INTREC_BLOCKCHARA]);
        for (auto it = World.lstStageChara.begin(); it != World.lstStageChara.end();) {
            const bool bBlock = it->byBlockChara != 0;
            const bool bRule = bBlock ? bEraseBlockCharaKey : bEraseCharaKey;
            if (bRule && !it->dying && it->bActive && (bBlock ? blockChara : chara).Beyond(*it))
                it = RemoveStageChara(it);
            else ++it;
        }
    }
    if (bEraseItemKey)
        World.lstItem.remove_if([&](const cItem& item) { return item.IsBeyondScrollEdge(rules[INTREC_ITEM]); });
}

cObjectList<cStageChara>::iterator cPlayScene::RemoveStageChara(cObjectList<cStageChara>::iterator it) {
    it->ClearTargetLinks();
    BlockCharas.Remove(&*it);
    if (it->Side() >= 0 && it->Side() < static_cast<int32_t>(World.vCharaBucket.size()))
        World.vCharaBucket[it->Side()].Remove(&*it);
    return World.lstStageChara.erase(it);
}

int32_t cPlayScene::KillStageChara(cStageChara& chara) {
    if (chara.nKind == 0) return PLAY_HERODIES;
    if (chara.dying) return PLAY_GOON;
    return chara.Die(&World);
}

int32_t cPlayScene::CheckDeaths() {
    cPlayer* lpHero = World.Hero();
    if (lpHero && lpHero->hp < 1) {
        PlaySE(SE_DEATH);
        if (lpHero->Die(&World) == 1) EndWithResults();
        return 1;
    }
    const bool bNoDisplay = GetSysSwitch(SystemData, eSysSwitch::DeathDisplayOff) != 0;
    for (auto it = World.lstStageChara.begin(); it != World.lstStageChara.end();) {
        if (it->bErase) {
            it = RemoveStageChara(it);
            continue;
        }
        if (it->hp < 1 && !it->dying) {
            const int32_t r = KillStageChara(*it);
            if (r == PLAY_STAGEEND) {
                EndWithResults();
                return 1;
            }
            if (r == PLAY_HERODIES) {
                PlaySE(SE_DEATH);
                if (lpHero && lpHero->Die(&World) == 1) EndWithResults();
                return 1;
            }
            if (bNoDisplay) {
                it = RemoveStageChara(it);
                continue;
            }
            PlaySE(SE_KILL);
        }
        ++it;
    }
    return 0;
}

int32_t cPlayScene::HeroTakesItems() {
    // アイテムに当たった時
    constexpr int32_t TRIGGER_ITEM_CONTACT = 8;
    cPlayer* lpHero = World.Hero();
    if (!lpHero) return PLAY_GOON;
    const COLLRECT pick = RectOf(*lpHero);
    for (auto it = World.lstItem.begin(); it != World.lstItem.end();) {
        cItem& item = *it;
        if (!item.bActive || item.bUsed || item.data.byTakeMode == ITEMTAKE_NEVER) {
            ++it;
            continue;
        }
        const bool bTouch = Overlap(pick, RectOf(item));
        const bool bAgain = item.data.byTakeMode == ITEMTAKE_AGAIN;
        if (bAgain && !bTouch) lpHero->ForgetTouchedItem(item.nId);
        // An item taken again is taken once per touch.
        if (!bTouch || (bAgain && !lpHero->IsItemUntouched(item.nId))) {
            ++it;
            continue;
        }
        if (bAgain) lpHero->touchedItems.push_back(item.nId);
        StartCharaTrigger(*lpHero, TRIGGER_ITEM_CONTACT);
        const int32_t r = GiveItemToHero(item);
        if (!bAgain) it = World.lstItem.erase(it);
        else ++it;
        if (r != 0) return r;
    }
    return PLAY_GOON;
}
