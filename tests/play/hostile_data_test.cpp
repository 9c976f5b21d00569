// Hostile data on the play screen (run under the sanitizers as well): a
// message text far longer than any line, effect, screen-effect and picture
// ids that do not exist, a sword type past its list and shot sides outside
// 0..7. Each frame draws without a fault; the bad indices and the missing
// picture leave their lines in the error log.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "actors/shot_emit.h"
#include "actors/sword.h"
#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/database.h"
#include "database/database_work.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "platform/graphics/dd_test_support.h"
#include "platform/system/log.h"
#include "play/effect_instance.h"
#include "play/message/message.h"
#include "play/message/message_surface.h"
#include "play/message/message_text.h"
#include "play/play_scene.h"
#include "play_screen_fixture.h"
#include "player/player_records.h"
#include "stage/stage_data.h"
#include "support/play_screen_test.h"
#include "support/record_services_spy.h"
#include "world/block_grid.h"

using namespace ddtest;

namespace {

class HostileDataTest : public cPlayScreenTest {
protected:
    bool Has(const std::vector<std::string>& lines, const std::string& part) const {
        for (const std::string& l : lines)
            if (l.find(part) != std::string::npos) return true;
        return false;
    }
    std::string Log(const char* name) const {
        std::ifstream in(File(name));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

TEST_F(HostileDataTest, OversizedTextAndBadIdsDrawWithoutAFault) {
    ASSERT_TRUE(InitD3D());
    ASSERT_NE(ECInit(1, File("EC.txt").c_str()), nullptr);
    ReportInit(File("Report.txt").c_str());
    cRecordServicesSpy spy;
    SetBasePalette(TestPalette());
    ASSERT_TRUE(Fonts[FONT_MEDIUM].Create("ＭＳ ゴシック", 0, 16, 16, 16, 2, nullptr, 1, 5, nullptr, 1, 640, 480, 1));
    scene = playscreen::MakeScene();
    SaveData.vVar.assign(1001, 0);
    scene->World.vStageVars.assign(1000, 0);
    BlockGrid.assign(static_cast<size_t>(scene->World.ScrollY.nCells) * scene->World.ScrollX.nPitch, cBlockCell());
    RebuildBlockHits();
    Database.vEffect.resize(1);
    Database.vPicture.resize(1);
    Database.vPicture[0].strFile = File("missing.bmp");
    PrepareDatabaseWork(Database);

    // 100 000 bytes on one line: double-byte characters, variable codes with
    // huge numbers and widths, a "#" as a trail byte, and a lone lead byte at the end.
    std::string text;
    const std::string piece = "\x82\xa0#C99999999999_Z9P.\x81#\x83\x41#s12_zp9 ";
    while (text.size() < 100000 - piece.size()) text += piece;
    text.resize(99999, 'x');
    text += '\x82';
    ASSERT_EQ(text.size(), 100000u);
    for (int expand : {0, 1})
        scene->lstStageWork.push_back(std::make_shared<cMessage>(MESSAGE_TEXT, &text, 0, 0, 0, MESPOS_SCREEN, 0, 0, 0,
                                                                 0, 1, 1, MESEND_STAGE, 0, 0, 0, 1, expand, 1, 1, 1, 0,
                                                                 0));

    // Effects and a screen effect that do not exist, and a picture whose id and file do not.
    for (int16_t id : {int16_t{77}, int16_t{-5}})
        scene->lstEffect.push_back(std::make_shared<cEffectInstance>(id, 100.0, 100.0, 16, 16, 0));
    scene->ScrEffect.Start(55, 0, 0);
    EXPECT_EQ(scene->Pictures.Load(9), nullptr);

    // A sword type past its list; shots whose settings and shooter name sides outside 0..7.
    cStageChara& shooter = scene->World.lstStageChara.emplace_back();
    shooter.nId = 4, shooter.nKind = 1, shooter.nKind3 = 12;
    shooter.x = shooter.y = 400;
    shooter.nHitW = shooter.nHitH = shooter.nCellW = shooter.nCellH = 32;
    cEdShot s;
    s.nShotNum = 2, s.nSpeed = 30, s.nMoveType = 40;
    EXPECT_EQ(SwingSword(shooter, s, lpWorld), nullptr);
    s.nByte23 = 1;  // the shooter's side, 12
    FireShot(scene->World.lstShots, shooter, nullptr, s, lpWorld);
    s.nByte23 = 0, s.nForce = 200;
    FireShot(scene->World.lstShots, shooter, nullptr, s, lpWorld);
    cShot stray = *scene->World.lstShots.front();
    stray.nKind3 = -3;
    AddShot(scene->World.lstShots, stray, lpWorld);
    ASSERT_EQ(scene->World.lstShots.size(), 5u);
    for (const auto& shot : scene->World.lstShots) {
        EXPECT_TRUE(shot->Side() == -3 || (shot->Side() >= 0 && shot->Side() < HIT_SIDE_NUM)) << shot->Side();
    }

    for (int frame = 0; frame < 8; ++frame) {
        UpdateShots(lpWorld);
        scene->Draw(PLAYDRAW_IN_PLAY | (frame % 2 ? PLAYDRAW_FROZEN : 0u));
    }
    EXPECT_TRUE(scene->lstEffect.empty()) << "an effect without frames ends at once";
    EXPECT_EQ(scene->lstStageWork.size(), 2u);
    while (!scene->World.lstShots.empty()) EraseShot(scene->World.lstShots, scene->World.lstShots.begin(), lpWorld);
    for (const cHitBucket& b : scene->World.vAttackBucket) EXPECT_TRUE(b.IsEmpty());

    EXPECT_TRUE(Has(spy.ec, "err V[77] ( 1 ,")) << "effect id";
    EXPECT_TRUE(Has(spy.ec, "err V[-5] ( 1 ,")) << "negative effect id";
    EXPECT_TRUE(Has(spy.ec, "err V[9] ( 1 ,")) << "picture id";
    EXPECT_NE(Log("EC.txt").find("missing.bmp 読み込み失敗！"), std::string::npos);
    EXPECT_NE(Log("Report.txt").find("err V[40] ("), std::string::npos) << "sword type: " << Log("Report.txt");
}

}  // namespace
