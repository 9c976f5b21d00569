// The hero's block effects (springs, special floors, slowing and conveyor
// blocks), items held by blocks and the ground-snapping step.
#include <cmath>

#include "actors/item.h"
#include "actors/item_run.h"
#include "actors/player.h"
#include "database/common_palette.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "database/system_switches.h"
#include "play/block_collision.h"
#include "play/block_collision_util.h"
#include "play/play_scene.h"
#include "records/utility.h"
#include "scene/scene_manager.h"
#include "stage/definition.h"
#include "stage/stage_data.h"
#include "world/block_grid.h"

double PlayFrameRate() { return SceneManager.nFrameRate > 0 ? SceneManager.nFrameRate : 60.0; }

int32_t WorkOutGroundGrace(int32_t steps, double g) {
    // A character resting on a floor is lifted just above it when it lands and
    // sinks back under gravity alone; the sinking of that one dot takes
    // sqrt(2 / g) steps, and steps without ground up to then are not a fall.
    const int32_t frame = steps > 0 ? steps : 1;
    int32_t grace = frame;
    if (g > 0) {
        const double sink = std::ceil(std::sqrt(2.0 / g)) + 1;
        grace = std::max<int32_t>(frame, static_cast<int32_t>(std::min(sink, 3600.0)));
    }
    g_GroundGrace = GROUNDGRACE{steps, g, grace};
    return grace;
}

namespace {

// The block the hero stands on: the standing block of its last floor
// contact, or, while it rests on the last dot above a floor (neither rising
// nor falling), the cell under its feet.
cBlockCell* BlockUnder(const cChara& c) {
    if (c.lpStandBlock) return c.lpStandBlock;
    if (c.bFalling || c.dSpeedY < 0 || c.standingOnObject) return nullptr;
    const int32_t cell = BestEdgeCell(c, c.x, c.y2 + 1, c.x2, c.y2 + 1);
    return cell < 0 || cell >= static_cast<int32_t>(BlockGrid.size()) ? nullptr : &BlockGrid[cell];
}

bool SolidUnder(const cChara& c) {
    cBlockCell* b = BlockUnder(c);
    return b && GetBlockHitKind(*b, c.Side()) != 0;
}

}  // namespace

int32_t StepBlockEffect(cChara& hero) {
    if (hero.bScreen) return 0;
    if (!SolidUnder(hero) || BlockUnder(hero)->byEffect != BLOCKEFFECT_NOJUMP) hero.bSpecialFloor = 0;
    if (hero.nBlockEffectSteps > 0) {
        const double n = hero.nBlockEffectValue;
        switch (hero.nBlockEffect) {
        case BLOCKEFFECT_SPEED:
            hero.dSpeedX *= n * 0.01;
            break;
        case BLOCKEFFECT_LEFT:
            hero.dSpeedX -= n * 0.1 / PlayFrameRate();
            if (hero.dPushX > 0) hero.dPushX = 0;
            break;
        case BLOCKEFFECT_RIGHT:
            hero.dSpeedX += n * 0.1 / PlayFrameRate();
            if (hero.dPushX < 0) hero.dPushX = 0;
            break;
        default:
            break;
        }
        if (--hero.nBlockEffectSteps <= 0) hero.nBlockEffect = hero.nBlockEffectSteps = 0;
        return 0;
    }
    if (!SolidUnder(hero)) return 0;
    const cBlockCell& b = *BlockUnder(hero);
    switch (b.byEffect) {
    case BLOCKEFFECT_JUMP:
        // A spring: a jump of the block's value in half blocks.
        PlaySE(SE_SPRING);
        hero.dSpeedY = -std::sqrt(2.0 * PlayStage.dGravityStep * b.nEffectX * 16.0);
        hero.bJump = 1;
        break;
    case BLOCKEFFECT_NOJUMP:
        hero.bSpecialFloor = 1;
        break;
    case BLOCKEFFECT_SPEED:
    case BLOCKEFFECT_LEFT:
    case BLOCKEFFECT_RIGHT:
        hero.nBlockEffect = b.byEffect;
        hero.nBlockEffectValue = b.nEffectX;
        hero.nBlockEffectSteps = static_cast<int32_t>(StepsPerFrame());
        break;
    default:
        break;
    }
    return 0;
}

int32_t StepBlockItem(cPlayer& hero) {
    if (hero.bScreen) return 0;
    bool bTaken = false;
    if (hero.lpStandBlock && hero.nItemCooldown == 0 && SolidUnder(hero)) {
        uint8_t kind = hero.lpStandBlock->byItemKind;
        if (const cItemData* lpRec =
                FindTemplate(kind, hero.lpStandBlock->wItemIndex, &CommonPalette.vItem, &PlayStage.vItem)) {
            cItem item;
            item.Setup(lpPlayScene ? lpPlayScene->World.nNextItemId++ : 0, *lpRec);
            if (const int32_t r = TakeItem(hero, item, lpWorld)) return r;
            bTaken = true;
            hero.nItemCooldown = 60 * static_cast<int32_t>(StepsPerFrame());
        }
    }
    if (hero.nItemCooldown > 0 && !bTaken) {
        if (hero.bFalling) {
            hero.nItemCooldown = 0;
        } else {
            --hero.nItemCooldown;
            if (hero.lpLastStandBlock != hero.lpPrevLastStandBlock) {
                hero.nItemCooldown = 0;
                SnapToGround(hero);
            }
        }
    }
    return 0;
}

void SnapToGround(cChara& c) {
    if (GetSysSwitch(SystemData, eSysSwitch::SnapToGround)) {
        if (c.dSpeedY >= 0) c.dSpeedY += 1.0;
        return;
    }
    const double steps = StepsPerFrame();
    if (c.dSpeedY < 0 || c.dSpeedY > 1.0 / steps || c.standingOnObject || c.bFalling) return;
    const double y = c.y2 + 4;
    const int32_t cell = BestEdgeCell(c, c.x + c.dSpeedX, y, c.x2 + c.dSpeedX, y);
    if (CellHitFor(c, cell) != 0) c.dSpeedY = 7.0 / steps;
}
