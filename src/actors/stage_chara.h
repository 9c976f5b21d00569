#pragma once
// A character placed in the stage or summoned during play. Lives by value in
// the world state's stage-character list. Adds to the character its carried
// item (handed to player 0 when it dies), its two hit ranges and the
// activity state of the play frame.
#include <cmath>
#include <cstdint>

#include "actors/chara.h"
#include "actors/item.h"
#include "actors/scaled_box.h"

// A rectangle relative to the object position: base values and scaled ones.
using HITRANGE = SCALEDBOX;

// A position truncated toward 0, as std::trunc does, without its library
// call (the build has no rounding instruction to inline): a value of fewer
// than 53 bits of whole part goes through a 64-bit integer; larger values,
// infinities and non-numbers are whole already. It gives +0 where std::trunc
// gives -0 (for -1 < v <= -0); whole offsets added to it make both the same.
inline double TruncPos(double v) {
    return std::fabs(v) < 0x1p52 ? static_cast<double>(static_cast<int64_t>(v)) : v;
}

// A pending knock-back of a stage character.
struct PUSHREC {
    int32_t nWord = 0;       // first word, cleared when the push ends
    double dSpeedX = 0;
    double dSpeedY = 0;
    int32_t nCounter = 0;    // steps since it began
    int32_t bDone = 0;
    int32_t nSound = 0;      // sound effect played when it starts
    int32_t bQuietWhenDead = 0;  // no sound while the character's HP is 0
};

class cStageChara : public cChara {
public:
    // The character base and an empty carried item.
    cStageChara() = default;
    cStageChara(const cStageChara& src);
    cStageChara& operator=(const cStageChara& src);
    // The character copy (virtual slot); the stage character's own members
    // too when src is one.
    cChara& operator=(const cChara& src) override;
    ~cStageChara() override = default;

    // Builds the character from `record` (its third kind value 0 is made 1
    // in the record): character part, body box, object set-up, hit ranges,
    // scale, carried item (a copy of *lpItem, or none), activity switches,
    // animation and flows. x, y: grid dots; n: index within the record.
    void Setup(int32_t id, cCharaData& record, const cItem* lpItem, double x, double y, int32_t n,
               uint16_t valueB = 0);

    // Rectangles A and B follow the scale (whole-cell characters: the hit size).
    void OnScale(int32_t newScale) override;
    // Rectangles A and B from truncate(x) (y). Inline: a walker's settled
    // step names them to have them without a call.
    void UpdateHitRectX() override {
        const double X = TruncPos(x);
        dRectA[0] = X + rangeA.nOffX;
        dRectA[2] = dRectA[0] + rangeA.nW - 1;
        dRectB[0] = X + rangeB.nOffX;
        dRectB[2] = dRectB[0] + rangeB.nW - 1;
    }
    void UpdateHitRectY() override {
        const double Y = TruncPos(y);
        dRectA[1] = Y + rangeA.nOffY;
        dRectA[3] = dRectA[1] + rangeA.nH - 1;
        dRectB[1] = Y + rangeB.nOffY;
        dRectB[3] = dRectB[1] + rangeB.nH - 1;
    }
    cItem* CarriedItem() override { return item.IsSet() ? &item : nullptr; }
    int32_t FixAfterMoveX(cWorldState* /*world*/) override { return ClampX(2); }
    int32_t FixAfterMoveY(cWorldState* /*world*/) override { return ClampY(2); }
    // Forced speed, else the decelerated second speed, then the move within
    // the grid; result 3 (grid edge) is reported as 4.
    int32_t MoveStepX(cWorldState* world) override;
    // The character's fall step, the second vertical speed, then the move
    // within the grid; falls out of the stage are reported as 7 (screen
    // switch 0) or 8 (screen switch 1).
    int32_t FallStep(cWorldState* world) override;

    // X = (margin + col) × 32 + cell offset X + 0.5, Y likewise; kept in
    // place for its scale and within the grid.
    void SetCellPos(int32_t col, int32_t row);
    // On screen (with the axis-ignore switches): the on-screen flag and the
    // group's activity flag set, 1. Otherwise the flag cleared, 0. Inline,
    // as IsActive: the activity walks ask every character each sub-step.
    int32_t CheckOnScreen(cSafeVector<uint8_t>& activeFlags, const SCROLLPLACE& at = CurScrollPlace()) {
        if (IsOnScreenAxes(bIgnoreX != 0, bIgnoreY != 0, at)) {
            bOnScreen = 1;
            if (InGroup(activeFlags)) activeFlags[nGroup] = 1;
            return 1;
        }
        bOnScreen = 0;
        return 0;
    }
    // The character takes part in this sub-step (on screen, its group
    // active, or always active / kept running); marks it activated.
    int32_t IsActive(const cSafeVector<uint8_t>& activeFlags, const SCROLLPLACE& at = CurScrollPlace()) {
        const bool bActiveNow = bOnScreen || (InGroup(activeFlags) && activeFlags[nGroup]) ||
                                (!bScreen && (bAlwaysActive || (bActivated && bKeepRunning)));
        if (!bActiveNow) return 0;
        bActivated = 1;
        if (nActivationMode == 1) bIgnoreX = bIgnoreY = 1;
        UpdateScreenRect(at);
        return 1;
    }
    // Belongs to a group that has a flag in activeFlags (a larger number counts as none).
    bool InGroup(const cSafeVector<uint8_t>& activeFlags) const {
        return bGroup && nGroup >= 0 && nGroup < static_cast<int32_t>(activeFlags.size());
    }

    // First the activity words that every sub-step reads, then the
    // rectangles that the hit tests read, then the ranges they come from.
    int32_t bIgnoreX = 0;  // activity area: the axis does not count for on-screen
    int32_t bIgnoreY = 0;
    int32_t bOnScreen = 0;
    int32_t bActivated = 0;  // was active once
    int32_t bGroup = 0;      // belongs to an activity group
    int32_t nGroup = 0;      // the group
    int32_t bAlwaysActive = 0;
    int32_t bKeepRunning = 0;    // once activated, stays active
    int32_t nActivationMode = 0; // 1: once active, counts as on screen everywhere
    int32_t nActivityWord = 0;
    int32_t bTakesPartInCollision = 1;
    // One frame of play
    uint8_t byBlockChara = 0;  // moves as a solid platform for the others
    int32_t bCondHeld = 0;     // the appearance conditions held once (latch)
    int32_t nCounter1 = 0;   // two counters zeroed at set-up
    int32_t nCounter2 = 0;
    uint8_t bySummonSetting1 = 0;  // two bytes of the summon command's settings
    uint8_t bySummonSetting2 = 0;
    double dRectA[4] = {};   // rectangle A in grid dots: left, top, right, bottom
    double dRectB[4] = {};   // rectangle B
    HITRANGE rangeA;         // against characters
    HITRANGE rangeB;         // against shots
    int32_t nIconCounter = 0;    // carried-item icon blink
    PUSHREC push;            // pending knock-back
    // Read only when the character dies or is drawn.
    cItem item;              // carried item, given to player 0 at death

private:
    void CopyStageMembers(const cStageChara& src);

    // Flows at run time
public:
    // The speeds that follow automatic scrolling, then the flows.
    int32_t Update(int32_t bDying, cWorldState* world) override;

    // Jumps and pushes
public:
    // Leaves the ground with the command's jump speed, once per command.
    void JumpStep(cFlowCmdRun& state, const cFlowRun* lpFlow) override;
    // Starts the pending push when the character moves freely; ends it after
    // 4 × v steps or on landing.
    void ApplyPush(PUSHREC& rec);

    // Drawing
public:
    // The carried item's icon above a living character: shown on counts 64..95
    // of a counter that restarts at 96 (the counter stands still while frozen).
    void DrawCarriedItemIcon(const CHARADRAW& draw);
};
