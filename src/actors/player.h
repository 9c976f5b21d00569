#pragma once
// The character a player steers (主人公). It differs from a stage character
// in its input record, the scroll following it, its hit boxes (stage settings
// for walking and flying players), its guide rectangles, its sight mask, the
// items it touches and the queue of deferred item commands.
#include <cstdint>

#include "actors/chara.h"
#include "actors/scaled_box.h"
#include "records/safe_container.h"
#include "stage/flow_arrange.h"
#include "stage/flow_cmd.h"

class cInput;
class cSceneServices;

// A guide rectangle drawn with the player.
struct GUIDERECT {
    int32_t nAnchor = 0;   // 0 the position, 1 the hit box, 2 and 3 the extra boxes
    int32_t nColour = 0;
    int32_t nLeft = 0;
    int32_t nTop = 0;
    int32_t nWidth = 0;
    int32_t nHeight = 0;
    int32_t nStyle = 0;    // 1 filled, 2 outline
    int32_t nOrder = 0;    // sort key
};

// A box of the player relative to its position: base and scaled values.
using PLAYERBOX = SCALEDBOX;

class cPlayer final : public cChara {
public:
    cPlayer() = default;
    cPlayer(const cPlayer& src);
    cPlayer& operator=(const cPlayer& src);
    // The character copy (virtual slot); the player's own members too when
    // src is a player.
    cChara& operator=(const cChara& src) override;
    ~cPlayer() override = default;

    // The extra boxes follow the scale.
    void OnScale(int32_t newScale) override;
    // The hit-box edges from the box offsets.
    void UpdateHitRectX() override;
    void UpdateHitRectY() override;

    // Player `index` from its record: scale at least 1, the character part,
    // the hit box of its state, the object set-up, its input, flying state,
    // facing and counters, guides, touched items, flows.
    void Setup(int32_t id, int32_t index, cCharaData& record, const int32_t spawnRect[4], double x, double y,
               cWorldState* world);
    // The item is not in touchedItems.
    bool IsItemUntouched(int32_t id) const;
    // Removes every entry of `id` from touchedItems.
    void ForgetTouchedItem(int32_t id);

    // --- members, in declaration order ---
    double dSavedPos[4] = {};           // position kept while a size change re-anchors
    cSafeList<int32_t> touchedItems;    // ids of items touched that may be taken again
    int32_t nPlScrLeft = 0;             // the player's screen rectangle
    int32_t nPlScrTop = 0;
    int32_t nPlScrRight = 0;
    int32_t nPlScrBottom = 0;
    int32_t bLanding = 0;               // per-frame landing state
    int32_t nJumpCounter = 0;           // frames the jump key has been held
    int32_t bJumping = 0;
    int32_t bJumpReady = 1;
    int32_t bJumpedThisCmd = 0;
    int32_t bJumpHandled = 0;           // a jump step ran this frame
    int32_t nSizeChangeCount = 0;       // size-change countdown (frames)
    int32_t bSizeChange = 0;
    int32_t nProtect = 0;               // protection counter: survives crushes while above 0
    int32_t bRescue = 0;                // a rescue position is held
    double dRescuePos[4] = {};
    int32_t nObjectContactCount = 0;
    cSafeVector<GUIDERECT> guides;      // sorted
    cInput* input = nullptr;            // the input record of the player's number
    cSafeVector<cFlowCmd> pendingItemCmds;  // item commands run after the frame's flows
    PENDINGARRANGELIST pending;         // arrangements for the current item command
    PLAYERBOX box2;                     // the two extra boxes (guides, block collision)
    PLAYERBOX box3;
    int32_t nPlayerIndex = 0;

    // Block collision
    int32_t nItemCooldown = 0;               // steps before a block gives an item again
    cBlockCell* lpPrevLastStandBlock = nullptr;  // last standing block of the previous step
    int32_t bLeftGround = 0;                 // left the ground (read by the jump)

private:
    void CopyPlayerMembers(const cPlayer& src);

    // Flows and items at run time
public:
    // The player's flows for one frame, then its queued item commands; 1
    // when a flow left the living player without HP.
    int32_t Update(int32_t bDying, cWorldState* world) override;
    const cInput* KeyInput() const override { return input; }
    // Runs an item's commands on the player in `world` (null: none) with the
    // scene's services, taken in flow lpFlow (null: picked up): 0 done, 1 a
    // command ended the stage, 2 the player's HP reached 0. Items that take
    // items stop at a nesting limit.
    int32_t RunItemCmds(const cSafeVector<cFlowCmd>& cmds, cWorldState* world, cSceneServices& services,
                        const cFlowRun* lpFlow = nullptr);
    // The taken item's icon rising above the player (none without a world).
    void ShowItemText(int32_t iconKind, int32_t iconFrame, int32_t iconExtra, const cWorldState* world,
                      cSceneServices& services);

    // Flying, moves, jumps and guides
public:
    // Sets 飛行 and what follows from it: block mode, size-change countdown,
    // speeds or air state, body, hit and extra boxes (× the scale when
    // bScaled), guides. bKeepPos saves the position first.
    void SetFlying(int32_t flying, bool bScaled, bool bKeepPos, bool bSizeChange);
    // Guide rectangles from the stage's display settings of the four boxes.
    void BuildGuides();
    // Into the grid, then the scroll follows the player (unless the axis
    // scrolls by itself).
    int32_t FixAfterMoveX(cWorldState* world) override;
    int32_t FixAfterMoveY(cWorldState* world) override;
    // Forced speed, else the decelerated second speed; the move within the grid.
    int32_t MoveStepX(cWorldState* world) override;
    // The character's fall step, the vertical push of a flying player, the
    // move within the grid; a walking player's fall out of the stage is 7.
    int32_t FallStep(cWorldState* world) override;
    // One frame of a ジャンプ command of flow lpFlow (jump key mode in
    // parameter 0).
    void JumpStep(cFlowCmdRun& state, const cFlowRun* lpFlow) override;
    // The upward speed (negative) that rises `height` dots under the stage's
    // gravity per step.
    static double CalcJumpSpeed(double height);

    // Drawing
public:
    // The character, then its guide rectangles in their sorted order.
    void Draw(const CHARADRAW& draw);
    // The window of the context's sight mask centred on the player.
    void DrawSightMask(const CHARADRAW& draw);

    // One frame of play: input the player's character does not take
public:
    int32_t bIgnoreDirection = 0;   // its direction keys are cleared each frame
    int32_t bIgnoreButtons = 0;     // its buttons are cleared each frame
};
