// Shots, swords and summons: emission angles and volleys, the shot's life,
// sword placement and timing, a bad sword type, and a summon off the stage.
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>

#include "actors/shot_cmds.h"
#include "actors/shot_emit.h"
#include "actors/sword.h"
#include "database/database.h"
#include "database/sword_type.h"
#include "platform/system/log.h"
#include "play/play_fixture.h"
#include "play/world_fixture.h"
#include "support/temp_dir.h"
#include "world/live_limits.h"

namespace {

// A shooter at (640, 480) of group 1 and one shot's settings, over a world
// (most cases) or a play scene (summons, which the scene's services make).
template <class tBase>
class cShotFixture : public tBase {
protected:
    cShotFixture() {
        m_Shooter.nId = 7;
        m_Shooter.nKind = 1;
        m_Shooter.nKind3 = 1;
        Place(m_Shooter, 640, 480);
        m_Settings.nShotNum = 1;
        m_Settings.nSpeed = 50;
        m_Settings.nByte26 = 1;
    }

    static void Place(cChara& c, double x, double y) {
        c.x = x;
        c.y = y;
        c.nHitW = c.nHitH = c.nCellW = c.nCellH = 32;
        c.x2 = x + 31;
        c.y2 = y + 31;
        c.UpdateScreenRect();
    }
    SHOTLIST& Shots() { return lpWorld->lstShots; }
    void Fire() { FireShot(Shots(), m_Shooter, nullptr, m_Settings, lpWorld); }
    std::vector<double> Angles() {
        std::vector<double> out;
        for (const auto& s : Shots()) out.push_back(s->dFireAngle);
        return out;
    }

    cChara m_Shooter;
    cEdShot m_Settings;
};
using ShotTest = cShotFixture<cWorldTest>;
using ShotSummonTest = cShotFixture<cPlayTest>;

TEST_F(ShotTest, AShotFiredAheadFollowsTheFacingAndItsMirroredAngle) {
    m_Shooter.nFacing = 1;
    Fire();
    ASSERT_EQ(Shots().size(), 1u);
    const cShot& s = *Shots().front();
    EXPECT_EQ(s.dFireAngle, 180);
    EXPECT_EQ(s.dVelX, 5);
    EXPECT_EQ(s.dVelY, 0);
    EXPECT_EQ(s.x, 640 + 31 + 1);
    EXPECT_EQ(s.Shooter(), &m_Shooter);
    EXPECT_TRUE(lpWorld->vAttackBucket[1].Contains(&s));
    // 30° forward-and-up, mirrored for the right-facing shooter: 180 + 330.
    Shots().clear();
    m_Settings.nAngleOfs = 30;
    Fire();
    const cShot& up = *Shots().front();
    EXPECT_NEAR(up.dVelX, 5 * std::cos(30 * std::numbers::pi / 180), 1e-9);
    EXPECT_NEAR(up.dVelY, -2.5, 1e-9);
}

TEST_F(ShotTest, BurstAndFanAnglesAroundTheLeft) {
    m_Settings.nByte5 = SHOTDIR_LEFT;
    m_Settings.nFormation = FORMATION_BURST;
    m_Settings.nShotNum = 4;
    Fire();
    EXPECT_EQ(Angles(), (std::vector<double>{0, 90, 180, 270}));
    Shots().clear();
    m_Settings.nFormation = FORMATION_FAN;
    m_Settings.nFormParam[0] = 15;
    m_Settings.nShotNum = 3;
    Fire();
    EXPECT_EQ(Angles(), (std::vector<double>{-15, 0, 15}));
    Shots().clear();
    m_Settings.nShotNum = 2;
    Fire();
    EXPECT_EQ(Angles(), (std::vector<double>{-7.5, 7.5}));
}

TEST_F(ShotTest, ARepeatCountOfTwoFiresThreeVolleysAtOnce) {
    m_Settings.nCloneNum = 2;
    m_Settings.nSpeed = 10;
    m_Settings.nSpeedInc = 10;
    m_Settings.nAngleOfsInc = 90;
    Fire();
    ASSERT_EQ(Shots().size(), 3u);
    auto it = Shots().begin();
    EXPECT_EQ((*it)->dVelX, -1);
    EXPECT_EQ((*++it)->dVelY, -2);  // 90°: up at speed + step
    EXPECT_EQ((*++it)->dVelX, 3);   // 180°
    EXPECT_EQ((*it)->nVolley, 2);
}

TEST_F(ShotTest, TheLifetimeRemovesTheShot) {
    m_Settings.nByte41 = 1;
    m_Settings.nLife = 0;
    Fire();
    m_Settings.nLife = 1;  // 6 steps
    Fire();
    UpdateShots(lpWorld);
    ASSERT_EQ(Shots().size(), 1u);
    EXPECT_EQ(Shots().front()->nLife, 5);
    EXPECT_EQ(Shots().front()->x, 640 + 1 - 16 - 5);
    EXPECT_EQ(lpWorld->vAttackBucket[1].Size(), 1u);
    for (int i = 0; i < 5; ++i) UpdateShots(lpWorld);
    EXPECT_TRUE(Shots().empty());
    EXPECT_TRUE(lpWorld->vAttackBucket[1].IsEmpty());
}

class SwordTest : public ShotTest {
protected:
    SwordTest() {
        cSwordTypeData type;
        type.vFrame.resize(2);
        for (cSwordFrameData& f : type.vFrame) {
            f.nValue[SWORDFRAME_WIDTH] = 20;
            f.nValue[SWORDFRAME_HEIGHT] = 10;
            f.nValue[SWORDFRAME_MIRROR_X] = 1;
        }
        type.vFrame[1].nValue[SWORDFRAME_TIME] = 1;
        Database.vSwordType.assign(1, type);
        lpWorld->vPlayer.resize(1);
        cPlayer& owner = lpWorld->vPlayer[0];
        owner.nId = 3;
        owner.nFacing = 1;
        Place(owner, 640, 480);
    }
    cChara& Owner() { return lpWorld->vPlayer[0]; }
};

TEST_F(SwordTest, ASwordInFrontOfARightFacingOwnerPlaysItsFrames) {
    cShot* lpSword = SwingSword(Owner(), m_Settings, lpWorld);
    ASSERT_NE(lpSword, nullptr);
    UpdateShots(lpWorld);
    EXPECT_EQ(lpSword->x, 640 + 31 + 1);
    EXPECT_EQ(lpSword->y, 480 + 16 - 5);
    EXPECT_EQ(lpSword->nSwordFrame, 1);  // display time 0: one update
    for (int i = 0; i < 6; ++i) UpdateShots(lpWorld);
    EXPECT_EQ(Shots().size(), 1u);
    UpdateShots(lpWorld);
    EXPECT_TRUE(Shots().empty());
    // A sword whose owner dies goes at the next update.
    SwingSword(Owner(), m_Settings, lpWorld);
    Owner().dying = 1;
    UpdateShots(lpWorld);
    EXPECT_TRUE(Shots().empty());
}

TEST_F(SwordTest, ABadSwordTypeIsSkippedWithAReportLine) {
    cTempDir dir;
    ReportInit(dir.File("Report.txt").c_str());
    m_Settings.nMoveType = 5;
    EXPECT_EQ(SwingSword(Owner(), m_Settings, lpWorld), nullptr);
    EXPECT_TRUE(Shots().empty());
    std::ifstream in(dir.File("Report.txt"));
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("err V[5] ( 1 ,"), std::string::npos);
}

TEST_F(ShotTest, AFullListRefusesShotsBeforeAnyIsBuilt) {
    while (Shots().size() < LIVE_SHOT_MAX) ASSERT_NE(AddShot(Shots(), cShot(), lpWorld), nullptr);
    // 256 volleys of 255 shots asked of a full list: none is set up (each
    // would take an id), and the volleys stop at the first refusal.
    const int32_t nextId = lpWorld->nNextOtherId;
    m_Settings.nShotNum = 255;
    m_Settings.nCloneNum = 255;
    Fire();
    EXPECT_EQ(Shots().size(), LIVE_SHOT_MAX);
    EXPECT_EQ(lpWorld->nNextOtherId, nextId);
}

TEST_F(ShotSummonTest, ACharacterSummonedOutsideTheGridTakesNoId) {
    PlayStage.vChara.resize(2);
    m_Settings.nSummonKind = 1;
    m_Settings.nSummonIndex = 1;
    m_Settings.nByte5 = SHOTDIR_RIGHT;
    Place(m_Shooter, 1280 - 64, 480);  // the grid ends at dot 1280
    SummonCharaCmd(m_Shooter, nullptr, m_Settings, lpWorld);
    ASSERT_EQ(lpWorld->lstStageChara.size(), 1u);
    EXPECT_EQ(lpWorld->nNextObjectId, 1);
    EXPECT_EQ(lpWorld->lstStageChara.front().tg, &m_Shooter);
    Place(m_Shooter, 1280 - 32, 480);
    SummonCharaCmd(m_Shooter, nullptr, m_Settings, lpWorld);
    m_Settings.nSummonIndex = 2;  // beyond the list
    Place(m_Shooter, 640, 480);
    SummonCharaCmd(m_Shooter, nullptr, m_Settings, lpWorld);
    EXPECT_EQ(lpWorld->lstStageChara.size(), 1u);
    EXPECT_EQ(lpWorld->nNextObjectId, 1);
}

}  // namespace
