#pragma once
// The base of every object that lives in a stage: characters, items, shots
// and swords. Position = the top-left corner of the hit rectangle in grid
// dots (doubles); the drawn cell has its own offset and size; the screen
// rectangle follows the scroll axes of the world state. Also the shared
// movement maths: clamps to the scroll area, the screen and the grid, per-step
// speeds, launch and aiming velocities, wave steps and one-axis ranges.
#include <cstdint>
#include <list>

#include "world/anime_cursor.h"
#include "world/world_state.h"

class cStageIntRec;
class cFlowCmdRun;
class cWorldState;

// Life time of an object that never expires.
constexpr int32_t LIFETIME_UNLIMITED = 2147483647;

// Block modes: how the object meets blocks.
enum eBlockMode : int32_t { BLOCKMODE_PASS = 0, BLOCKMODE_HIT = 1, BLOCKMODE_DIE = 2 };

// Results of ClampX and ClampY in mode 2 (modes 0 and 1 give 0 or 1, and 4
// for the far side of Y in mode 1). On Y the far (bottom) side has its own
// codes so that the fall steps can tell a fall out of the stage.
enum eClampResult : int32_t {
    CLAMP_INSIDE = 0,       // within the scroll limits
    CLAMP_SCROLL = 1,       // beyond the scroll limits (top or left)
    CLAMP_STAGE = 2,        // in the grid margin beyond the stage (top or left)
    CLAMP_GRID = 3,         // pushed back at the edge of the grid (X: either side; Y: top)
    CLAMP_SCROLL_FAR = 4,   // Y only: below the scroll limit
    CLAMP_STAGE_FAR = 5,    // Y only: in the margin below the stage
    CLAMP_GRID_FAR = 6,     // Y only: pushed back at the bottom of the grid
};

// √2 ÷ 2, for diagonal speeds.
extern double dHalfRoot2;
// The play engine's follow switch: objects that follow automatic scrolling
// take the scroll step in their aiming velocities (0: the caller's flag decides).
extern int32_t bScrollFollowSwitch;
// The logic steps of one frame (the stage's v), at least 1.
double StepsPerFrame();
// The scroll's place as the screen tests read it: taken once, it serves a
// walk over many objects in which nothing scrolls.
struct SCROLLPLACE {
    double dX, dY;            // the scroll positions
    double dRight, dBottom;   // the first dots after the view
    int32_t nX, nY;           // the positions truncated
    double dWholeX, dWholeY;  // the same as doubles, for the screen rectangles
};
inline SCROLLPLACE CurScrollPlace() {
    const double x = CurScrollX().dPos, y = CurScrollY().dPos;
    const int32_t nX = static_cast<int32_t>(x), nY = static_cast<int32_t>(y);
    return {x, y, x + SCROLL_VIEW_X, y + SCROLL_VIEW_Y, nX, nY, static_cast<double>(nX), static_cast<double>(nY)};
}

// A speed held within ± limit (one that is no number stays as it is).
inline double WithinSpeedLimit(double speed, double limit) {
    if (speed > limit) return limit;
    if (speed < -limit) return -limit;
    return speed;
}

class cGameObject {
public:
    // An empty animation cursor, every field 0.
    cGameObject() = default;
    virtual ~cGameObject() = default;
    // Copies go through CopyFrom, which copies the base part only.
    cGameObject(const cGameObject& src) { cGameObject::CopyFrom(src); }
    cGameObject& operator=(const cGameObject& src) {
        if (this != &src) cGameObject::CopyFrom(src);
        return *this;
    }

    // --- virtual operations, in slot order ---
    // Copies every member of the base part; the animation table by value.
    virtual void CopyFrom(const cGameObject& src);
    // When the scales differ: sizes and cell offsets = their base values ×
    // newScale, the position kept in place (AdjustPosOnScale), then OnScale.
    // `world` is the world the object is in (null: none); a player's view
    // follows the player's moves in it.
    virtual void SetScale(int32_t newScale, int32_t oldScale, cWorldState* world);
    virtual void OnScale(int32_t /*newScale*/) {}
    virtual void AdjustYOnScale(int32_t /*newScale*/, int32_t /*oldScale*/, cWorldState* /*world*/) {}
    // Bring the derived class's hit rectangles up to date after x or y changed.
    virtual void UpdateHitRectX() {}
    virtual void UpdateHitRectY() {}
    // Centring on a point of the screen rectangle's coordinates (characters
    // only); the ...ByCentre forms are the arrival of an aiming move and also
    // stop the command's velocity.
    virtual int32_t SetPos(int32_t /*x*/, int32_t /*y*/, cWorldState* /*world*/) { return 0; }
    virtual void SetPosByCentre(int32_t /*x*/, int32_t /*y*/, cFlowCmdRun* /*lpState*/, cWorldState* /*world*/) {}
    virtual int32_t SetX(int32_t /*x*/, cWorldState* /*world*/) { return 0; }
    virtual void SetXByCentre(int32_t /*x*/, cFlowCmdRun* /*lpState*/, cWorldState* /*world*/) {}
    virtual int32_t SetY(int32_t /*y*/, cWorldState* /*world*/) { return 0; }
    virtual void SetYByCentre(int32_t /*y*/, cFlowCmdRun* /*lpState*/, cWorldState* /*world*/) {}

    // --- set-up ---
    // Identity, kinds, animation (lpAnimeSet not null: the cursor takes it
    // and starts `anime`), cell offsets, hit and cell sizes (base and
    // scaled), speeds 0, life time unlimited, then SetBlockHit(blockHit).
    void Setup(int32_t id, int32_t kind, int32_t kind2, int32_t kind3, int32_t valueC,
               const FRAMEITEMTABLE* lpAnimeSet, int32_t anime, int32_t cellOffX, int32_t cellOffY,
               int32_t hitW, int32_t hitH, int32_t cellW, int32_t cellH, int32_t valueA, int32_t blockHit,
               uint16_t valueB);
    // Block-hit setting 0..3 → (screen switch, block mode): 0 (0, 1), 1 (1, 0),
    // 2 (1, 1), 3 (1, 2); other values change nothing.
    void SetBlockHit(int32_t setting);
    // Keeps the object in place when its scale changes: X, then Y.
    void AdjustPosOnScale(int32_t newScale, int32_t oldScale, cWorldState* world);
    // x -= half the base hit width × the change of scale; ClampX(2).
    void AdjustXOnScale(int32_t newScale, int32_t oldScale);

    // --- clamps and moves ---
    // Mode 0: into the scroll limits; 1: into the stage, result 1 beyond the
    // scroll limits; 2: into the grid (eClampResult); other modes: no change.
    // Then x2, UpdateHitRectX and the edge columns.
    int32_t ClampX(int32_t mode);
    // The same on y with the results of eClampResult (far side 4, 5, 6).
    int32_t ClampY(int32_t mode);
    // Their last part: x2 (y2), UpdateHitRectX (Y) and the edge columns
    // (rows) from the position.
    void SetExtentX() {
        x2 = x + nHitW - 1;
        UpdateHitRectX();
        nColL = static_cast<int32_t>(x) >> 5;
        nColR = static_cast<int32_t>(x2) >> 5;
    }
    void SetExtentY() {
        y2 = y + nHitH - 1;
        UpdateHitRectY();
        nRowT = static_cast<int32_t>(y) >> 5;
        nRowB = static_cast<int32_t>(y2) >> 5;
    }
    // ClampX(2) or ClampY(2) once more straight after one: only an object
    // wider (taller) than the grid moves again, so only it is clamped.
    void ReclampX();
    void ReclampY();
    // The horizontal speed within ± the speed limit per step; x += speed; ClampX(mode).
    int32_t LimitMoveSpeed(int32_t mode);
    // The same for the vertical speed, y and ClampY.
    int32_t LimitFallSpeed(int32_t mode);
    // A positive speed reduced by dDecel (not below 0), a negative one
    // increased (not above 0); nothing when bOn is 0.
    void Decelerate(double& speed, int32_t bOn) const;

    // --- screen and stage ---
    // The screen rectangle of the drawn cell from the position and the scroll.
    // Inline for an object of the stage (not held to the screen), as nearly
    // every character is: the activity walk asks it of each character every sub-step.
    void UpdateScreenRect(const SCROLLPLACE& at = CurScrollPlace()) {
        if (bScreen) {
            UpdateScreenRectHeld();
            return;
        }
        nScrLeft = static_cast<int32_t>((x - nCellOffX) - at.dWholeX);
        nScrRight = nScrLeft + nCellW - 1;
        nScrTop = static_cast<int32_t>((y - nCellOffY) - at.dWholeY);
        nScrBottom = nScrTop + nCellH - 1;
    }
    // The same for an object held to the screen, which follows the scroll.
    void UpdateScreenRectHeld();
    // The hit rectangle meets the visible screen.
    bool IsOnScreen() const { return IsOnScreenAxes(false, false); }
    // The same, leaving out the tests of an ignored axis. Inline: the
    // activity walk asks it of every character each sub-step.
    bool IsOnScreenAxes(bool bIgnoreX, bool bIgnoreY, const SCROLLPLACE& at = CurScrollPlace()) const {
        if (!bIgnoreX && !(x2 >= at.dX && x < at.dRight)) return false;
        if (!bIgnoreY && !(y2 >= at.dY && y < at.dBottom)) return false;
        return true;
    }
    // bWholeGrid: within the whole grid; otherwise within the stage.
    bool IsInStage(bool bWholeGrid) const;
    // The hit rectangle overlaps [left, right] × [top, bottom] (edges count).
    bool OverlapsRect(double left, double top, double right, double bottom) const;
    // The removal rule `rule` says that the object has left the play area
    // (never while the keep word is set).
    bool IsBeyondScrollEdge(const cStageIntRec& rule) const;

    // --- maths ---
    // +1 facing right, -1 facing left.
    int32_t GetFacingSign() const { return nFacing != 0 ? 1 : -1; }
    // Dots per second to dots per logic step: value ÷ v ÷ 60.
    static double DotsPerSecToFrame(double value);
    // The launch velocity toward (dx, dy) at `speed` (a signed byte): nothing
    // written for speed 0, zeros for dx = dy = 0.
    static void CalcLaunchVelocity(double& outX, double& outY, int32_t speed, double dx, double dy);
    // The judging range [outL, outR] of an object at pos with size, widened
    // by the margins before and after (a side with margin 0 stays at the centre).
    static void CalcJudgeRange(double& outL, double& outR, double pos, int32_t size, int32_t before,
                               int32_t after, bool bWhole);
    // The ranges [l1, r1] and [l2, r2] overlap (edges count).
    static bool JudgeOverlap(double l1, double r1, double l2, double r2);
    // One step of a wave: the velocity (CalcWaveCos) or the acceleration
    // (CalcWaveSin) of amplitude × sin at `rate` degrees per phase unit; the
    // phase then moves on by `step` and wraps at v × 360.
    static double CalcWaveCos(int32_t amplitude, int32_t rate, double& phase, double step, double start);
    static double CalcWaveSin(int32_t amplitude, int32_t rate, double& phase, double step, double start);
    // One axis of a homing move from `current` toward `target`: out = ±speed
    // (dir 1 toward smaller, 2 toward larger values), plus the scroll step
    // for an object that follows automatic scrolling; other = 0. 1 when
    // bCheckArrival and the remaining distance is below |speed|.
    int32_t StepToward(double& out, double& other, int32_t& dir, double current, double target, double speed,
                       bool bCheckArrival) const;
    // The velocity from (fromX, fromY) toward (toX, toY) at speed (fleeing
    // diagonally when not aimed and speed < 0), with the scroll compensation;
    // dir from the sign of vx. 1 when the point is within one step.
    int32_t CalcAimVelocity(double& vx, double& vy, int32_t& dir, double fromX, double fromY, double toX,
                            double toY, double speed, bool bAimed, bool bCallerFollows) const;
    // The graphic to draw for `index` (kind 0 character graphics, else other
    // graphics): the alternative-graphics option is off in this system, so
    // every graphic keeps its index.
    static int32_t MapAltGraphic(int32_t index, int32_t kind);

    // --- fields, in declaration order ---
    // First what every logic sub-step reads, in three groups.
    // Life time, position, screen rectangle.
    int32_t nId = 0;            // object id from the world state's counters
    int32_t nLifeTime = 0;      // frames left; LIFETIME_UNLIMITED = never expires
    double x = 0;               // top-left corner of the hit rectangle, grid dots
    double y = 0;
    double x2 = 0;              // bottom-right corner: x + hit width - 1
    double y2 = 0;
    int32_t nScrLeft = 0;       // screen rectangle of the drawn cell
    int32_t nScrTop = 0;
    int32_t nScrRight = 0;
    int32_t nScrBottom = 0;
    // Cell, edge cells, hit size and the step switches.
    int32_t nCellOffX = 0;      // drawn cell relative to the hit rectangle, scaled
    int32_t nCellOffY = 0;
    int32_t nCellW = 0;         // drawn cell size, scaled
    int32_t nCellH = 0;
    int32_t nColL = 0;          // cell column of the left edge (truncate(x) >> 5)
    int32_t nRowT = 0;          // cell row of the top edge
    int32_t nColR = 0;          // cell column of the right edge
    int32_t nRowB = 0;          // cell row of the bottom edge
    int32_t bScreen = 0;        // the screen-edge clamps apply; exact screen rectangle
    int32_t bCentreFollow = 0;  // moves with automatic scrolling
    int32_t nKind = 0;          // object kind: 0 player's character, 1 other character, 2 item
    int32_t nKind3 = 0;         // third kind value (characters: the side 0..7)
    int32_t nHitW = 0;          // hit size, scaled
    int32_t nHitH = 0;
    int32_t nBlockMode = 0;     // eBlockMode
    // Values every object kind shares with the characters.
    int32_t nFacing = 0;        // 0 left, 1 right
    // Speeds.
    double dSpeedX = 0;         // dots per step
    double dSpeedY = 0;
    double dPushX = 0;          // second (inertial) speeds, reduced by Decelerate
    double dPushY = 0;
    double dDecel = 0;          // step of Decelerate
    double maxSpeed = 0;        // speed value of the object (characters: record speed × 0.01 / v)
    int32_t bDecelPushX = 0;    // Decelerate works on the inertial speed only while set
    int32_t bDecelPushY = 0;
    int32_t nScale = 1;         // 巨大化: the object covers nScale × nScale cells
    int32_t nKeep = 0;          // nonzero: never removed by IsBeyondScrollEdge
    // Read seldom by a step.
    double dMotion = 0;         // further motion value
    cAnimeCursor Anime;         // animation state
    int32_t nKind2 = 0;         // second kind value (characters: key input)
    int32_t nSetupA = 0;        // set-up value A (characters: a byte of the character)
    uint16_t wSetupB = 0;       // set-up value B
    int32_t nSetupC = 0;        // set-up value C
    int32_t nWord[3] = {};      // zeroed by the constructor
    int32_t nBaseCellOffX = 0;  // the drawn cell unscaled
    int32_t nBaseCellOffY = 0;
    int32_t nBaseCellW = 0;
    int32_t nBaseCellH = 0;
    int32_t nBaseHitW = 0;      // hit size unscaled
    int32_t nBaseHitH = 0;
    int32_t nWordZ = 0;         // zeroed by Setup
    uint8_t byFlagZ = 0;        // zeroed by Setup

    // Aiming at objects (screen coordinates of the drawn cells' centres)
    // The centre of the target's drawn cell on the screen; a kept axis leaves
    // its output as it was.
    static void GetTargetPoint(double& outX, double& outY, const cGameObject& target, bool bKeepX = false,
                               bool bKeepY = false);
    // The centre of this object's drawn cell on the screen.
    void GetCentre(double& outX, double& outY) const { GetTargetPoint(outX, outY, *this); }
    // The command's velocity toward (aimX, aimY) at its speed, its facing
    // request from the sign of vx. On arrival with bSnap the object is put
    // on the point and the velocity stopped. 1 on arrival.
    int32_t AimAtTarget(cFlowCmdRun& state, double aimX, double aimY, bool bCallerFollows, bool bSnap, cWorldState* world);
    // The same on X only (vy = 0) and on Y only (vx = 0, no facing request).
    int32_t TurnToTarget(cFlowCmdRun& state, double aimX, bool bSnap, cWorldState* world);
    int32_t ChaseTarget(cFlowCmdRun& state, double aimY, bool bSnap, cWorldState* world);
    // The object of `lst` nearest to (px, py) by |dx| + |dy| between drawn-cell
    // centres, the earlier one winning a tie: objects of another side (side
    // >= 0), characters without HP or dying, the object with id excludeId
    // and, by skipKinds bits 0/1/2, objects of kind 1, kind 2 or with a
    // nonzero third kind are left out. Mode 2: objects on screen first.
    static cGameObject* FindNearestObject(const std::list<cGameObject*>& lst, double px, double py, int32_t side,
                                          int32_t excludeId, uint32_t skipKinds, int32_t mode);
    // FindNearestObject at this object's centre, mode 2 with the stage's search switch.
    cGameObject* FindNearestAtCenter(const std::list<cGameObject*>& lst, int32_t side, uint32_t skipKinds) const;
};

// IsBeyondScrollEdge's limits for one removal rule at the scroll of the
// moment, worked out once for a walk over many objects that moves no scroll.
class cScrollEdgeLimits {
public:
    explicit cScrollEdgeLimits(const cStageIntRec& rule);
    // Each test is taken (no branch a test): the limit of an edge switched
    // off is no number, which no comparison meets.
    bool Beyond(const cGameObject& o) const {
        if (o.nKeep != 0) return false;
        return (o.x2 <= dLeft) | (o.x >= dRight) | (o.y2 <= dUp) | (o.y >= dDown) | (o.x <= 0) |
               (o.x2 >= dGridRight) | (o.y <= 0) | (o.y2 >= dGridBottom);
    }

    // The box [dLeft, dRight] x [dTop, dBottom] that the cells a rectangle
    // lies in must lie within, strictly on the left and top, for Beyond to
    // be false: with l <= x <= x2 < r and t <= y <= y2 < b, each test of
    // Beyond fails when l > dLeft, r <= dRight, t > dTop and b <= dBottom.
    struct CELLSBOX {
        double dLeft, dTop, dRight, dBottom;
    };
    CELLSBOX InsideBox() const {
        const auto lower = [](double edge) { return edge > 0 ? edge : 0.0; };  // no number: 0
        const auto upper = [](double edge, double grid) { return edge < grid ? edge : grid; };
        return {lower(dLeft), lower(dUp), upper(dRight, dGridRight), upper(dDown, dGridBottom)};
    }
    static bool HoldsCells(const CELLSBOX& box, double l, double t, double r, double b) {
        return (l > box.dLeft) & (t > box.dTop) & (r <= box.dRight) & (b <= box.dBottom);
    }

private:
    // The rule's four edges (whole dots), no number when switched off.
    double dLeft, dRight, dUp, dDown;
    double dGridRight, dGridBottom;  // the grid's last dot on each axis
};

