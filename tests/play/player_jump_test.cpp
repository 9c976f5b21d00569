#include "actors/player.h"
#include "stage/flow_cmd.h"
#include "world_fixture.h"

using PlayerJump = cWorldTest;

TEST_F(PlayerJump, AHeldJumpRisesBySpeedAndGravityAndComesBackDown) {
    PlayStage.dGravityStep = 0.5;
    cPlayer& p = lpWorld->vPlayer.emplace_back();
    p.nHitW = p.nHitH = 32;
    p.y = 320 + 5 * 32;
    p.y2 = p.y + 31;
    cBlockCell ground;
    ground.wGraphic = 1;
    p.lpStandBlock = &ground;
    cFlowCmd cmd;
    cmd.vParam.assign(1, 0);
    cFlowCmdRun st;
    st.cmd = &cmd;
    st.dJumpSpeed = -6;
    st.total = 100;
    const double y0 = p.y;
    double top = y0;
    int apex = 0, back = 0;
    for (int step = 1; step <= 40 && !back; ++step) {
        p.bJumpHandled = 0;
        p.JumpStep(st, nullptr);
        p.FallStep(lpWorld);
        p.ApplyGravity();
        if (p.y < top) top = p.y, apex = step;
        if (step > 1 && p.y >= y0) back = step;
    }
    EXPECT_DOUBLE_EQ(y0 - top, 39.0);  // 6 + 5.5 + ... + 0.5
    EXPECT_EQ(apex, 12);
    EXPECT_EQ(back, 25);
    EXPECT_DOUBLE_EQ(cPlayer::CalcJumpSpeed(36), -6.0);  // sqrt(2 × 0.5 × 36)
}
