// ブロック召喚, キャラ召喚 and アイテム召喚: the records of the chosen palette
// placed with the formation of the command's settings.
#include "actors/chara.h"
#include "actors/cmd/cmd_bodies.h"
#include "actors/cmd/cmd_exec.h"
#include "actors/flow_run.h"
#include "actors/item.h"
#include "actors/shot_cmds.h"
#include "actors/shot_emit.h"
#include "actors/stage_chara.h"
#include "database/common_palette.h"
#include "database/global_objects.h"
#include "stage/flow_cmd.h"
#include "world/scene_services.h"
#include "world/world_state.h"

namespace {

// Palette choice 0 the common palette's list, 1 the stage's own list.
template <class T>
const T* PaletteRecord(const cSafeVector<T>& common, const cSafeVector<T>& stage, const cEdShot& s) {
    const cSafeVector<T>& list = s.nSummonKind == 0 ? common : stage;
    if (s.nSummonIndex < 0 || s.nSummonIndex >= static_cast<int32_t>(list.size())) return nullptr;
    return &list[s.nSummonIndex];
}

const cBlockData* BlockRecord(const cEdShot& s) { return PaletteRecord(CommonPalette.vBlock, PlayStage.vBlock, s); }
const cCharaData* CharaRecord(const cEdShot& s) {
    const cCharaData* lpRec = PaletteRecord(CommonPalette.vChara, PlayStage.vChara, s);
    return lpRec && lpRec->byController == 1 ? lpRec : nullptr;
}
const cItemData* ItemRecord(const cEdShot& s) { return PaletteRecord(CommonPalette.vItem, PlayStage.vItem, s); }

// What the building routines take from the settings: the lifetime of
// summoned characters and items (its switch and 存在時間), the block mode
// and protections, the no-score switch and the two bytes kept by a
// summoned character.
SUMMONSETTINGS SummonSettings(const cEdShot& s) {
    SUMMONSETTINGS out;
    out.bLifeTime = s.bRangeOn;
    out.nTime = s.nRange;
    out.nBlockMode = s.nBlockMode;
    out.bProtectPlayer = s.bProtectPlayer;
    out.bProtectChara = s.bProtectChara;
    out.bNoScore = s.bNoScore;
    out.bySetting1 = s.bySetting1;
    out.bySetting2 = s.bySetting2;
    return out;
}

// One volley of the formation with objects of `size` dots.
void Summon(int32_t code, int32_t size, cChara& chara, const cFlowRun* lpFlow, const cEdShot& s, cWorldState* world) {
    const int32_t startDir = lpFlow ? lpFlow->startDir : 0;
    SHOTWORK work;
    work.nCode = code;
    work.dSpeed = 1.0;
    work.nDir = ResolveShotDirection(s.nByte5, chara.nFacing, startDir);
    work.nW = work.nH = size;
    work.dOfsX = s.GetOffsetX(0, chara.nFacing);
    work.dOfsY = s.GetOffsetY(0, chara.nFacing);
    chara.UpdateScreenRect();
    RunFormation(nullptr, chara, s, work, world);
}

// Entries kept before the ones of objects gone are dropped.
constexpr size_t SUMMONED_KEEP = 256;

bool SummonedExists(const SUMMONED& e, const cWorldState& world) {
    if (e.nKind == SUMMONED_KIND_ITEM) {
        for (const cItem& it : world.lstItem)
            if (it.nId == e.nId && !it.bUsed) return true;
        return false;
    }
    for (const cStageChara& c : world.lstStageChara)
        if (c.nId == e.nId) return true;
    return false;
}

// The objects with ids first..end-1 join what the character summoned.
void RecordSummoned(cChara& chara, int32_t kind, int32_t first, int32_t end, const cWorldState& world) {
    if (first >= end) return;
    if (chara.vSummoned.size() >= SUMMONED_KEEP)
        std::erase_if(chara.vSummoned, [&world](const SUMMONED& e) { return !SummonedExists(e, world); });
    for (int32_t id = first; id < end; ++id) chara.vSummoned.push_back({kind, id});
}

int32_t CellsOf(int8_t size) { return (size < 1 ? 1 : size) * 32; }

}  // namespace

void SummonBlockCmd(cChara& chara, const cFlowRun* lpFlow, const cEdShot& settings, cWorldState* world) {
    if (!BlockRecord(settings) || !world) return;
    if (settings.nBlockMode == 2) world->vChangedCells.clear();
    Summon(SPAWN_BLOCK, 32, chara, lpFlow, settings, world);
}

void SummonCharaCmd(cChara& chara, const cFlowRun* lpFlow, const cEdShot& settings, cWorldState* world) {
    const cCharaData* lpRec = CharaRecord(settings);
    if (!lpRec || !world) return;
    Summon(SPAWN_CHARA, CellsOf(lpRec->chSize), chara, lpFlow, settings, world);
}

void SummonItemCmd(cChara& chara, const cFlowRun* lpFlow, const cEdShot& settings, cWorldState* world) {
    const cItemData* lpRec = ItemRecord(settings);
    if (!lpRec || !world) return;
    Summon(SPAWN_ITEM, CellsOf(lpRec->chSize), chara, lpFlow, settings, world);
}

void SpawnSummoned(const SHOTWORK& work, cChara& chara, const cEdShot& s, cWorldState* world) {
    if (!world) return;
    const SUMMONSETTINGS ss = SummonSettings(s);
    switch (work.nCode) {
    case SPAWN_BLOCK:
        if (const cBlockData* lpRec = BlockRecord(s)) SceneServices().SummonBlock(work.dPosX, work.dPosY, *lpRec, ss);
        break;
    case SPAWN_CHARA:
        if (const cCharaData* lpRec = CharaRecord(s)) {
            const uint8_t facing = static_cast<uint8_t>(s.nByte62 ? (chara.nFacing ? 0 : 1) : (chara.nFacing ? 1 : 0));
            int32_t side = s.nByte60 == 1 ? chara.Side() : s.nByte60 == 2 ? s.nForce : lpRec->byForce;
            if (side < 0 || side >= HIT_SIDE_NUM) side = side < 0 ? 0 : HIT_SIDE_NUM - 1;
            const int32_t first = world->nNextObjectId;
            SceneServices().SummonChara(work.dPosX, work.dPosY, ss, *lpRec, facing, static_cast<uint8_t>(side), &chara);
            RecordSummoned(chara, SUMMONED_KIND_CHARA, first, world->nNextObjectId, *world);
        }
        break;
    case SPAWN_ITEM:
        if (const cItemData* lpRec = ItemRecord(s)) {
            const int32_t first = world->nNextItemId;
            SceneServices().SummonItem(work.dPosX, work.dPosY, ss, *lpRec);
            RecordSummoned(chara, SUMMONED_KIND_ITEM, first, world->nNextItemId, *world);
        }
        break;
    default:
        break;
    }
}

namespace {

using SUMMONBODY = void (*)(cChara&, const cFlowRun*, const cEdShot&, cWorldState*);

void SummonStep(const FLOWSTEP& step, SUMMONBODY body) {
    cFlowCmdRun& state = step.state;
    if (!CmdActingStep(state) || !state.cmd || !state.cmd->spShot) return;
    PlayCmdSound(step.chara, state);
    body(step.chara, &step.flow, *state.cmd->spShot, step.world);
}

}  // namespace

void SummonBlockProc(const FLOWSTEP& step) { SummonStep(step, SummonBlockCmd); }
void SummonCharaProc(const FLOWSTEP& step) { SummonStep(step, SummonCharaCmd); }
void SummonItemProc(const FLOWSTEP& step) { SummonStep(step, SummonItemCmd); }
