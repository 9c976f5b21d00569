// Presentation and other commands: vanish, item, graphics, animations,
// effects, pictures, screen colour, backgrounds, sound, music, arrange, loop.
#include <cmath>
#include <cstdlib>
#include <memory>

#include "actors/chara.h"
#include "actors/cmd/cmd_bodies.h"
#include "actors/item.h"
#include "actors/player.h"
#include "actors/stage_chara.h"
#include "database/common_palette.h"
#include "database/database.h"
#include "database/database_work.h"
#include "database/global_objects.h"
#include "platform/system/log.h"
#include "records/utility.h"
#include "stage/flow_cmd.h"
#include "stage/stage_data.h"
#include "world/scene_services.h"
#include "world/world_state.h"

namespace {

// Whether index n names an entry of a list of `size`; a bad one is logged.
bool CheckIndex(const char* what, int32_t n, size_t size) {
    if (n >= 0 && static_cast<size_t>(n) < size) return true;
    WriteECf("%s %d は範囲外です（%d 個）", what, n, static_cast<int>(size));
    return false;
}

void VanishChara(cChara& c, const cChara& runner, cWorldState* world) {
    if (c.nKind == 0)
        c.hp = 0;
    else
        c.bErase = 1;
    if (&c != &runner && world) world->bDeathCheck = 1;
}

cStageChara* FindStageChara(cWorldState& world, int32_t id) {
    for (cStageChara& c : world.lstStageChara)
        if (c.nId == id) return &c;
    return nullptr;
}

int32_t RoundScale(int32_t size, int32_t scale) {
    return static_cast<int32_t>(std::llround(size * std::abs(static_cast<double>(scale)) / 100.0));
}

}  // namespace

bool SetDisplayEndWait(int32_t end, int32_t frames) {
    if (end == 1) return false;
    SceneServices().SetWait(1, 0, end == 0, end == 0 ? 0 : frames);
    return true;
}

bool PlaceByMode(int32_t mode, int32_t w, int32_t h, int32_t cellX, int32_t cellY, int32_t offX, int32_t offY,
                 const cChara& chara, cWorldState& world, double& x, double& y) {
    const double sx = world.ScrollX.dPos, sy = world.ScrollY.dPos;
    const cChara* anchor = mode == 1 ? &chara : mode == 2 ? world.Hero() : nullptr;
    switch (mode) {
    case 0:
        x = sx + 320 - w / 2 + offX;
        y = sy + 240 - h / 2 + offY;
        return true;
    case 1:
    case 2:
        if (!anchor) return false;
        x = (anchor->nScrLeft + anchor->nScrRight) / 2 + sx - w / 2 + offX;
        y = (anchor->nScrTop + anchor->nScrBottom) / 2 + sy - h / 2 + offY;
        return true;
    case 3:
        x = cellX * 32 + sx + offX;
        y = cellY * 32 + sy + offY;
        return true;
    case 4:
        x = (std::floor(sx / 32) + cellX) * 32 + offX;
        y = (std::floor(sy / 32) + cellY) * 32 + offY;
        return true;
    default: return false;
    }
}

void Vanish(cChara& chara, const cFlowCmd& cmd, cWorldState* world) {
    if (!world) return;
    const int32_t mode = CmdParam(cmd, 0), group = CmdParam(cmd, 1);
    const bool bOffScreenToo = CmdParam(cmd, 2) != 0;
    switch (mode) {
    case 0:
        if (!CheckIndex("キャラグループ", group, world->vCharaBucket.size())) return;
        for (cGameObject* o : world->vCharaBucket[group]) {
            cChara* c = static_cast<cChara*>(o);
            if (c->dying || (!bOffScreenToo && !c->IsOnScreen())) continue;
            VanishChara(*c, chara, world);
        }
        break;
    case 1:
        for (cItem& it : world->lstItem) {
            if (it.bUsed || it.nKind3 != group || (!bOffScreenToo && !it.IsOnScreen())) continue;
            it.bUsed = 1;
        }
        break;
    case 2: VanishChildren(chara, chara, 0, false, world); break;
    case 3: RemoveChildItems(chara, world); break;
    case 4:
        RemoveChildItems(chara, world);
        VanishChildren(chara, chara, 0, true, world);
        break;
    case 5: VanishChildren(chara, chara, 0, true, world); break;
    default: break;
    }
}

void VanishChildren(cChara& parent, const cChara& runner, int32_t depth, bool bItemsToo, cWorldState* world) {
    if (depth > VANISH_DEPTH_MAX || !world) return;
    // A copy: vanishing a child may not change the parent's list, but the
    // recursion must not depend on that.
    const cSafeVector<SUMMONED> children = parent.vSummoned;
    for (const SUMMONED& e : children) {
        if (e.nKind != SUMMONED_KIND_CHARA) continue;
        cStageChara* child = FindStageChara(*world, e.nId);
        if (!child || child == &parent) continue;
        if (bItemsToo) RemoveChildItems(*child, world);
        VanishChildren(*child, runner, depth + 1, bItemsToo, world);
        VanishChara(*child, runner, world);
    }
}

void RemoveChildItems(cChara& parent, cWorldState* world) {
    if (!world) return;
    for (const SUMMONED& e : parent.vSummoned) {
        if (e.nKind != SUMMONED_KIND_ITEM) continue;
        for (cItem& it : world->lstItem)
            if (it.nId == e.nId) it.bUsed = 1;
    }
}

void GetItem(cChara& /*chara*/, const cFlowCmd& cmd, const cFlowRun* lpFlow, cWorldState* world,
             cSceneServices& services) {
    const int32_t list = CmdParam(cmd, 0), n = CmdParam(cmd, 1);
    const cSafeVector<cItemData>* items = list == 0 ? &CommonPalette.vItem : list == 1 ? &PlayStage.vItem : nullptr;
    if (!items || !world || !CheckIndex("アイテム", n, items->size())) return;
    cPlayer* hero = world->Hero();
    if (!hero) return;
    // A copy: the item's commands may change the palettes they come from.
    const cSafeVector<cFlowCmd> cmds = (*items)[n].vCmd;
    const int32_t result = hero->RunItemCmds(cmds, world, services, lpFlow);
    if (result == 1) world->nStageEnd = 1;
    if (result == 2) world->bDeathCheck = 1;
}

void ChangeGraphic(cChara& chara, const cFlowCmd& cmd) {
    chara.data.byGraphicKind = static_cast<uint8_t>(CmdParam(cmd, 0));
    chara.data.wGraphic = static_cast<uint16_t>(CmdParam(cmd, 1));
    chara.data.wGraphicSub = static_cast<uint16_t>(CmdParam(cmd, 2));
}

void ChangeAnimeSet(cChara& chara, const cFlowCmd& cmd) {
    const int32_t n = static_cast<uint16_t>(CmdParam(cmd, 0));
    if (CheckIndex("アニメセット", n, Database.vAnimeSet.size())) chara.data.wAnimeSet = static_cast<uint16_t>(n);
}

void RunAnime(cChara& chara, const cFlowCmd& cmd, const cFlowRun* lpFlow) {
    const int32_t n = CmdParam(cmd, 0);
    if (!CheckIndex("アニメ", n, AnimeWorkTable.size())) return;
    OVERLAYANIME a;
    a.Cursor.Init(&AnimeWorkTable);
    a.Cursor.SetAnime(n, true);
    for (const FRAMEITEM& f : AnimeWorkTable[n]) a.nRemain += std::max(f.nFrames, 0);
    a.nFlowUid = lpFlow ? lpFlow->uid : -1;
    chara.overlays.push_back(std::move(a));
}

void RunEffect(cChara& chara, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services) {
    if (!world || services.Quitting()) return;
    const int32_t id = CmdParam(cmd, 0), scale = CmdParam(cmd, 6), bWait = CmdParam(cmd, 7);
    if (id == 0 || !CheckIndex("エフェクト", id, Database.vEffect.size())) return;
    const cEffectBmpData& rec = Database.vEffect[id];
    const int32_t w = RoundScale(rec.nCellWidth, scale), h = RoundScale(rec.nCellHeight, scale);
    double x = 0, y = 0;
    PlaceByMode(CmdParam(cmd, 1), w, h, CmdParam(cmd, 2), CmdParam(cmd, 3), CmdParam(cmd, 4), CmdParam(cmd, 5), chara,
                *world, x, y);
    services.AddEffect(static_cast<int16_t>(id), x, y, w, h, bWait != 0);
    if (!bWait) return;
    int32_t frames = 0;
    for (const cPairRecord& f : rec.vFrame) frames += f.nValue2 * 6;
    // The end of the effect's frames, without the end sound.
    services.SetWait(0, 0, 0, frames);
    services.PauseWait();
}

void RunCharaEffect(cChara& chara, const cFlowCmd& cmd) {
    chara.effect.Start(static_cast<uint16_t>(CmdParam(cmd, 0)), CmdParam(cmd, 1), CmdParam(cmd, 2));
}

void RunScreenEffect(cChara& /*chara*/, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services) {
    if (!world) return;
    services.StartScreenEffect(static_cast<uint16_t>(CmdParam(cmd, 0)), CmdParam(cmd, 1), CmdParam(cmd, 2));
}

void ShowPicture(cChara& chara, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services) {
    if (!world || services.Quitting()) return;
    const int32_t base = CmdParam(cmd, 1);
    const cChara* anchor = base == 1 ? &chara : base == 2 ? world->Hero() : nullptr;
    services.ShowPicture(cmd, anchor ? anchor->nId : 0);
}

void ChangeScreenColor(cChara& /*chara*/, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services) {
    if (!world) return;
    int32_t params[8];
    for (int i = 0; i < 8; ++i) params[i] = CmdParam(cmd, i);
    services.StartColorChange(params);
}

void ChangeBackground(cChara& /*chara*/, const cFlowCmd& cmd) {
    const int32_t n = CmdParam(cmd, 0);
    if (n < 1 || n > static_cast<int32_t>(PlayStage.vBg.size())) return;
    cIntRec& layer = PlayStage.vBg[n - 1];
    switch (CmdParam(cmd, 1)) {
    case 0: layer.a = 1; break;
    case 1: layer.a = 0; break;
    case 2: layer.a = layer.a ? 0 : 1; break;
    default: break;
    }
}

void PlaySound(cChara& chara, const cFlowCmd& cmd) {
    if (cmd.bSEOnScreen && !chara.IsOnScreen()) return;
    PlayDataSE(static_cast<uint16_t>(CmdParam(cmd, 0)));
}

void RequestStageBgm(int32_t n, int32_t option) { SceneServices().RequestStageBgm(n, option); }

void PlayBgm(cChara& /*chara*/, const cFlowCmd& cmd, cSceneServices& services) {
    services.RequestStageBgm(CmdParam(cmd, 0), CmdParam(cmd, 1));
}

void Arrange(cChara& /*chara*/, const cFlowCmd& cmd, cFlowRun* lpFlow, cWorldState* world) {
    if (!world) return;
    PENDINGARRANGE entry;
    entry.assign(cmd.vParam.begin(), cmd.vParam.end());
    if (!cmd.IsItemCmd()) {
        if (lpFlow) lpFlow->pending.push_back(std::move(entry));
    } else if (cPlayer* hero = world->Hero()) {
        hero->pending.push_back(std::move(entry));
    }
}

// An executor that runs a body with the running character, its stored
// command and the rest of the arguments that follow.
#define QV_BODY_PROC(proc, body, ...) \
    void proc(const FLOWSTEP& step) { \
        if (step.state.cmd) body(step.chara, *step.state.cmd __VA_OPT__(, ) __VA_ARGS__); \
    }
QV_BODY_PROC(VanishProc, Vanish, step.world)
QV_BODY_PROC(GetItemProc, GetItem, &step.flow, step.world, step.services)
QV_BODY_PROC(ChangeGraphicProc, ChangeGraphic)
QV_BODY_PROC(ChangeAnimeSetProc, ChangeAnimeSet)
QV_BODY_PROC(RunAnimeProc, RunAnime, &step.flow)
QV_BODY_PROC(RunEffectProc, RunEffect, step.world, step.services)
QV_BODY_PROC(RunCharaEffectProc, RunCharaEffect)
QV_BODY_PROC(RunScreenEffectProc, RunScreenEffect, step.world, step.services)
QV_BODY_PROC(ShowPictureProc, ShowPicture, step.world, step.services)
QV_BODY_PROC(ChangeScreenColorProc, ChangeScreenColor, step.world, step.services)
QV_BODY_PROC(ChangeBackgroundProc, ChangeBackground)
QV_BODY_PROC(PlaySoundProc, PlaySound)
QV_BODY_PROC(PlayBgmProc, PlayBgm, step.services)
QV_BODY_PROC(ArrangeProc, Arrange, &step.flow, step.world)
#undef QV_BODY_PROC

void LoopProc(const FLOWSTEP& /*step*/) {}
