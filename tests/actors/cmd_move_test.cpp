#include <cmath>
#include <cstring>

#include "actors/chara.h"
#include "cmd_fixture.h"
#include "world/block_grid.h"

namespace {

class CmdMoveTest : public CmdFixture {};

// The first step's displacement of `cmd` for a character facing left or right.
struct Step {
    double vx, vy;
};

}  // namespace

TEST_F(CmdMoveTest, EveryMoveKindGoesTheRightWayForBothFacings) {
    for (bool bRight : {false, true}) {
        SCOPED_TRACE(bRight ? "right-facing" : "left-facing");
        const double fwd = bRight ? 1 : -1;
        auto first = [&](const cFlowCmd& cmd, bool bFlying = true, double tx = -1) {
            world.lstStageChara.clear();
            for (auto& b : world.vCharaBucket) b.Clear();
            cStageChara& c = AddChara(300, 200, bRight, bFlying);
            if (tx >= 0) SetTargetSlot(c, 0, &AddChara(tx, 200, false), true);
            cFlowCmdRun st;
            Run(c, cmd, st, 10, 1);
            return Step{c.dSpeedX, c.dSpeedY};
        };
        // Straight, forward: along the facing; a walker ignores the vertical of a diagonal.
        cFlowCmd straight = MakeCmd(CMD_STRAIGHT_MOVE);
        Step s = first(straight);
        EXPECT_DOUBLE_EQ(s.vx, 2 * fwd);
        straight.spMove->nDir = 8;  // up-left
        s = first(straight, false);
        EXPECT_LT(s.vx, 0);
        EXPECT_EQ(s.vy, 0);
        // Angle 90° from forward points up for both; 30° points forward and up (mirrored).
        straight.spMove->nDir = 0;
        straight.spMove->nAngle = 90;
        s = first(straight);
        EXPECT_NEAR(s.vx, 0, 1e-9);
        EXPECT_DOUBLE_EQ(s.vy, -2);
        straight.spMove->nAngle = 30;
        s = first(straight);
        EXPECT_NEAR(s.vx, fwd * 2 * std::cos(M_PI / 6), 1e-9);
        EXPECT_NEAR(s.vy, -1, 1e-9);
        // Toward a point 3 blocks ahead of where it was placed (X mirrored for right-facing).
        cFlowCmd point = MakeCmd(CMD_STRAIGHT_MOVE);
        point.spMove->nMode = 1;
        point.spMove->nTargetXBl = -3;
        s = first(point);
        EXPECT_NEAR(s.vx, 2 * (bRight ? 1 : -1), 1e-9);
        // Ground turn walks forward.
        s = first(MakeCmd(CMD_GROUND_TURN_MOVE), false);
        EXPECT_DOUBLE_EQ(s.vx, 2 * fwd);
        // Charge and homing head for the target, whichever way the character faces.
        for (int code : {CMD_CHARGE_MOVE, CMD_HOMING_MOVE}) {
            for (bool bFly : {true, false}) {
                EXPECT_GT(first(MakeCmd(code), bFly, 600).vx, 0) << code;
                EXPECT_LT(first(MakeCmd(code), bFly, 40).vx, 0) << code;
            }
        }
        // Charge angled 90°: straight up for a target straight ahead.
        cFlowCmd charge = MakeCmd(CMD_CHARGE_MOVE);
        charge.spMove->nAngle = 90;
        s = first(charge, true, bRight ? 600 : 40);
        EXPECT_NEAR(s.vx, 0, 1e-9);
        EXPECT_NEAR(s.vy, -2, 1e-9);
    }
}

TEST_F(CmdMoveTest, CircleTurnsByItsSenseAndStandsStillWithoutRadius) {
    cStageChara& c = AddChara(300, 200, false);
    cFlowCmd circle = MakeCmd(CMD_CIRCLE_MOVE);
    cFlowCmdRun st;
    // Radius 0: nothing moves for the whole command.
    EXPECT_EQ(Run(c, circle, st, 12, 100), 12);
    EXPECT_EQ(c.dSpeedX, 0);
    EXPECT_EQ(c.dSpeedY, 0);
    // Radius 32 from angle 0: sense 0 (右回り) heads left and up, sense 1 left and down
    // (the other way round when placed facing right, as the set-up starts it at 180°).
    for (int sense : {0, 1}) {
        circle.spMove->nDir = static_cast<uint8_t>(sense);
        c.dSpeedX = c.dSpeedY = 0;
        st.cmd = &circle;
        st.ClearWork();
        st.counter = 10;
        st.dAngleStep = 2;
        st.dRadius = 32;
        RunFlowCmdFrame(c, flow, st, lpWorld);
        RunFlowCmdFrame(c, flow, st, lpWorld);
        EXPECT_LT(c.dSpeedX, 0);
        EXPECT_EQ(c.dSpeedY < 0, sense == 0);
    }
}

TEST_F(CmdMoveTest, ChargeWithAnEmptySlotNeverMoves) {
    cStageChara& c = AddChara(300, 200, true);
    c.vTarget[0] = nullptr;
    cFlowCmdRun st;
    const cFlowCmd charge = MakeCmd(CMD_CHARGE_MOVE);
    EXPECT_EQ(Run(c, charge, st, 30, 30), 30);
    // A target that turns up later is not aimed at: the direction is fixed on the first step.
    SetTargetSlot(c, 0, &AddChara(600, 200, false), true);
    RunFlowCmdFrame(c, flow, st, lpWorld);
    EXPECT_EQ(c.dSpeedX, 0);
    EXPECT_EQ(c.dSpeedY, 0);
}

TEST_F(CmdMoveTest, CommandsCountStepsAndLengthZeroRunsOnce) {
    cStageChara& c = AddChara(300, 200, false);
    cFlowCmdRun st;
    const cFlowCmd straight = MakeCmd(CMD_STRAIGHT_MOVE);
    EXPECT_EQ(Run(c, straight, st, 0, 100), 1);
    EXPECT_DOUBLE_EQ(c.dSpeedX, -2);
    EXPECT_EQ(Run(c, straight, st, 5, 100), 5);
    EXPECT_DOUBLE_EQ(c.dSpeedX, -12);
    // The arrive flag ends a point move when the point is reached: 64 dots at 2 a step.
    cFlowCmd point = MakeCmd(CMD_STRAIGHT_MOVE);
    point.spMove->nMode = 1;
    point.spMove->nTargetXBl = 2;
    EXPECT_EQ(Run(c, point, st, 600, 1000), 32);
    // A direction change acts on steps 0, 6, 12 ... (multiplier 6v), only with a fixed facing.
    cFlowCmd turn = MakeCmd(CMD_FACING, {1});
    c.data.bFixedFacing = 0;
    c.nFacing = 0;
    Run(c, turn, st, 3, 3);
    EXPECT_EQ(c.nFacing, 0);
    c.data.bFixedFacing = 1;
    int acted = 0;
    st.cmd = &turn;
    st.ClearWork();
    st.counter = 13;
    for (int i = 0; i < 13; ++i) {
        c.nFacing = 0;
        RunFlowCmdFrame(c, flow, st, lpWorld);
        acted += c.nFacing;
    }
    EXPECT_EQ(acted, 3);
    // A code outside the table and an unknown stored command end by their length only.
    cFlowCmd bad = MakeCmd(CMD_NONE);
    bad.nCode = 200;
    EXPECT_EQ(Run(c, bad, st, 4, 100), 4);
}

TEST_F(CmdMoveTest, GroundTurnInLineStepsAsTheWholeStep) {
    // Ground row 10 of a 128-wide grid: a gap at column 20, a cell that side 1
    // passes through at 30, a block asked for its conditions at 40 (it has no
    // graphic: it does not hit) and a deadly one at 50; the bottom row solid
    // under column 5. The walkers stand over the gap's edges, half over the
    // others and on the bottom row.
    const int32_t kRow = 10, kPitch = 7;
    BlockHits.assign(125 << kPitch, BLOCKHIT{});
    BlockGrid.resize(BlockHits.size());
    for (int col = 0; col < 128; ++col) BlockHits[(kRow << kPitch) + col] = BLOCKHIT{1, 255};
    BlockHits[(kRow << kPitch) + 20] = BLOCKHIT{};
    BlockHits[(kRow << kPitch) + 30] = BLOCKHIT{1, 1};
    BlockHits[(kRow << kPitch) + 40] = BLOCKHIT{BLOCKHIT_ASK, 255};
    BlockGrid[(kRow << kPitch) + 40].byHitKind = 1;
    BlockHits[(kRow << kPitch) + 50] = BLOCKHIT{2, 255};
    BlockHits[(124 << kPitch) + 5] = BLOCKHIT{1, 255};
    const double top = kRow * 32 - 32;
    const struct {
        double x, y;
    } kPlaces[] = {{300, top}, {624, top}, {656, top}, {944, top}, {1264, top}, {1584, top}, {-40, top}, {144, 3990}};
    // What a case changes of the walker or its move.
    enum eExtra { PLAIN, WALL, ACCEL, FLYING, INERTIA, NO_TURN, OWN_ANIME, FIXED_FACING, SIDE_2, MINUS_ZERO, EXTRA_NUM };
    for (const auto& place : kPlaces) {
        for (const bool bRight : {false, true}) {
            for (const double speed : {2.0, -2.0, 0.0}) {
                for (int extra = PLAIN; extra < EXTRA_NUM; ++extra) {
                    SCOPED_TRACE(testing::Message() << place.x << "," << place.y << (bRight ? " right " : " left ")
                                                    << speed << " case " << extra);
                    world.lstStageChara.clear();
                    for (auto& b : world.vCharaBucket) b.Clear();
                    cStageChara& a = AddChara(place.x, place.y, bRight, extra == FLYING, extra == SIDE_2 ? 2 : 1);
                    a.SetExtentX();
                    a.SetExtentY();
                    cFlowCmd cmd = MakeCmd(CMD_GROUND_TURN_MOVE);
                    cmd.spMove->bInertia = extra == INERTIA;
                    cmd.spMove->bNoTurn = extra == NO_TURN;
                    cmd.spMove->bAnime = extra == OWN_ANIME;
                    a.data.bFixedFacing = extra == FIXED_FACING;
                    a.bWallHit = extra == WALL;
                    a.dAccelX = extra == ACCEL ? 1.5 : 0;
                    a.dSpeedY = extra == MINUS_ZERO ? -0.0 : 0.5;
                    cFlowCmdRun sa;
                    sa.cmd = &cmd;
                    sa.speed = speed;
                    sa.counter = 10;
                    cStageChara b = a;
                    cFlowCmdRun sb;
                    std::memcpy(static_cast<void*>(&sb), &sa, sizeof sa);
                    for (int step = 0; step < 2; ++step) {
                        GroundTurnMoveProc(StepOf(a, sa));
                        GroundTurnMoveStep(b, sb, lpWorld);
                    }
                    EXPECT_EQ(std::memcmp(&sa, &sb, sizeof sa), 0);
                    EXPECT_EQ(std::memcmp(&a.dSpeedX, &b.dSpeedX, sizeof a.dSpeedX), 0);
                    EXPECT_EQ(std::memcmp(&a.dSpeedY, &b.dSpeedY, sizeof a.dSpeedY), 0);
                    EXPECT_EQ(a.dPushX, b.dPushX);
                    EXPECT_EQ(a.dPushY, b.dPushY);
                    EXPECT_EQ(a.nFacing, b.nFacing);
                    EXPECT_EQ(a.bWalking, b.bWalking);
                    EXPECT_EQ(a.Anime.nAnime, b.Anime.nAnime);
                    EXPECT_EQ(a.bWallHit, b.bWallHit);
                    EXPECT_EQ(a.bAnchorX + a.bAnchorY, b.bAnchorX + b.bAnchorY);
                }
            }
        }
    }
}
