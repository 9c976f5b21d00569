#include "actors/sword.h"

#include "actors/chara.h"
#include "actors/shot_emit.h"
#include "actors/shot_geometry.h"
#include "database/database.h"
#include "database/sword_type.h"
#include "platform/system/log.h"
#include "world/world_state.h"

namespace {

// The sword type of `index` when it exists and has frames; null otherwise,
// with the bad-index line of the checked vectors when bReport is set (the
// sword is skipped instead of closing the program).
const cSwordTypeData* SwordType(int32_t index, bool bReport) {
    const auto& types = Database.vSwordType;
    const int32_t size = static_cast<int32_t>(types.size());
    if (index < 0 || index >= size) {
        if (bReport) WriteReport("err V[%d] ( %d , %d )", index, size, static_cast<int>(sizeof(cSwordTypeData)));
        return nullptr;
    }
    const cSwordTypeData& type = types[index];
    if (type.vFrame.empty()) {
        if (bReport) WriteReport("err V[0] ( 0 , %d )", static_cast<int>(sizeof(cSwordFrameData)));
        return nullptr;
    }
    return &type;
}

}  // namespace

cShot* SwingSword(cChara& chara, const cEdShot& settings, cWorldState* world, int32_t nFlowId) {
    const cSwordTypeData* lpType = SwordType(settings.nMoveType, true);
    if (!lpType || !world) return nullptr;
    const cSwordFrameData& first = lpType->vFrame[0];
    SHOTWORK work;
    work.nCode = SPAWN_SWORD;
    work.nW = first.nValue[SWORDFRAME_WIDTH];
    work.nH = first.nValue[SWORDFRAME_HEIGHT];
    work.nFlowId = nFlowId;
    cShot sword;
    sword.Setup(TakeShotId(world), chara, SPAWN_SWORD, settings, work);
    return AddShot(world->lstShots, sword, world);
}

int32_t cShot::UpdateSword() {
    cChara* lpOwner = Shooter();
    if (!lpOwner || lpOwner->dying) return 1;
    const cSwordTypeData* lpType = SwordType(nSwordType, false);
    if (!lpType || nSwordFrame >= static_cast<int32_t>(lpType->vFrame.size())) return 1;
    const cSwordFrameData& frame = lpType->vFrame[nSwordFrame];
    const int32_t* v = frame.nValue;
    lpOwner->UpdateScreenRect();
    nFacing = lpOwner->nFacing;
    if (nSwordTick == 0) {
        nBaseHitW = nBaseCellW = v[SWORDFRAME_WIDTH];
        nBaseHitH = nBaseCellH = v[SWORDFRAME_HEIGHT];
        nHitW = nCellW = nBaseHitW * nScale;
        nHitH = nCellH = nBaseHitH * nScale;
    }
    int32_t r[4];
    CharaStageRect(*lpOwner, r);
    const int32_t w = nHitW, h = nHitH;
    const int32_t midX = r[0] + (r[2] - r[0] + 1) / 2, midY = r[1] + (r[3] - r[1] + 1) / 2;
    double px = 0, py = midY - h / 2;
    switch (v[SWORDFRAME_PLACE]) {
    case 1:  // behind
        nFacing = nFacing ? 0 : 1;
        px = lpOwner->nFacing ? r[0] - w : r[2] + 1;
        break;
    case 2:  // above
        px = midX - w / 2;
        py = r[1] - h;
        break;
    case 3:  // below
        px = midX - w / 2;
        py = r[3] + 1;
        break;
    default:  // in front
        px = lpOwner->nFacing ? r[2] + 1 : r[0] - w;
        break;
    }
    const bool bRight = lpOwner->nFacing != 0;
    const int32_t ox = v[SWORDFRAME_X] * nScale, oy = v[SWORDFRAME_Y] * nScale;
    px += bRight && v[SWORDFRAME_MIRROR_X] ? -ox : ox;
    py += bRight && v[SWORDFRAME_MIRROR_Y] ? -oy : oy;
    x = px;
    y = py;
    ClampX(2);
    ClampY(2);
    if (++nSwordTick > frame.GetTime() * ShotSteps() * 6) {
        nSwordTick = 0;
        if (++nSwordFrame >= static_cast<int32_t>(lpType->vFrame.size())) return 1;
    }
    return 0;
}
