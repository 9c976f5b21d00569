#include "sample_game/stages/stages.h"

#include "sample_game/art/sheets.h"
#include "sample_game/data/game_data.h"
#include "sample_game/stages/stage_kit.h"

namespace sample {

namespace {

// The blocks most stages share: letters G ground, D dirt, S stone, B bricks
// (breakable), P one-way plank, X spikes, Q prize block, W water, L lava.
void CommonBlocks(cStageKit& k) {
    k.AddBlock('G', "草地", BG_GRASS);
    k.AddBlock('D', "土", BG_DIRT);
    k.AddBlock('S', "石", BG_STONE);
    k.AddBlock('B', "レンガ", BG_BRICK);
    // Characters of force 0 (the hero) pass through it from below.
    k.AddBlock('P', "足場", BG_PLANK, 1, 0);
    k.AddBlock('X', "トゲ", BG_SPIKES, 2);
    k.AddBlock('Q', "ハテナブロック", BG_PRIZE);
    k.LastBlock().byItemKind = 2;
    k.LastBlock().wItemIndex = 1;
    k.AddBlock('W', "水", BG_WATER, 0);
    k.AddBlock('L', "溶岩", BG_LAVA, 2);
    k.AddBlock('J', "バネ", BG_SPRING, 1, 255, BLOCKEFFECT_JUMP);
    k.LastBlock().nEffectX = 10;  // springs five blocks up
    k.AddBlock('I', "氷", BG_ICE, 1, 255, BLOCKEFFECT_SPEED);
    k.LastBlock().nEffectX = 150;  // half as fast again while on ice
    k.AddBlock('M', "鉄", BG_METAL);
    k.AddBlock('C', "木箱", BG_CRATE);
    k.AddBlock('F', "ゴールの旗", BG_FLAG_TOP, 0);
    k.AddBlock('|', "旗ざお", BG_GOAL, 0);
    k.AddBlock('<', "ベルト左", BG_BELT_L, 1, 255, BLOCKEFFECT_LEFT);
    k.LastBlock().nEffectX = 60;  // a drift of about one dot a frame
    k.AddBlock('>', "ベルト右", BG_BELT_R, 1, 255, BLOCKEFFECT_RIGHT);
    k.LastBlock().nEffectX = 60;
    k.AddBlock('K', "城壁", BG_CASTLE);
    k.AddBlock('R', "岩", BG_CAVE);
    k.AddBlock('O', "雲", BG_CLOUD, 1, 0);
    k.AddBlock('E', "扉", BG_DOOR, 1);
}

}  // namespace

void BuildMeadowStage(cStageData& s) {
    cStageKit k(s, 120, 15, "はじまりの草原");
    s.nBgm = BGM_FIELD;
    CommonBlocks(k);
    k.Layer(kBackSky, 0.0, 0.0);
    k.Layer(kBackHills, 0.3, 0.0);
    const int coin = k.AddItem(Coin());
    const int heart = k.AddItem(Heart());
    const int goal = k.AddItem(Goal());
    (void)heart;
    const int slime = k.AddChara(Walker("スライム", CG_SLIME, 10, 10));
    const int mush = k.AddChara(Walker("キノコン", CG_MUSHLING, 20, 14));
    const int jumper = k.AddChara(Jumper("はねスライム", CG_RED_SLIME, 10));
    const int platform = k.AddChara(MovingPlatform(16));
    cCharaData elder;
    elder.strName = "村人";
    elder.wGraphic = CG_VILLAGER;
    elder.wAnimeSet = ASET_WALKER;
    elder.byForce = 6;
    elder.byInvincible = 1;
    elder.vFlow.push_back(Flow(TRG_TOUCH_CHARA, {Cmd(CMD_MESSAGE, 0, {1})}));
    const int villager = k.AddChara(elder);
    k.Text(1, "村人「ほしのかけらを　あつめて\nゴーレム城の　王さまを　とめておくれ！」");
    k.Text(2, "Zキーで　ジャンプ、Xキーで　ソード！");

    // Ground with gaps, hills of planks and a pit of spikes.
    k.Fill(0, 13, 120, 2, 'D');
    k.Paint(0, 12, std::string(120, 'G'));
    k.Fill(30, 12, 4, 3, ' ');
    k.Fill(58, 12, 4, 3, ' ');
    k.Paint(58, 14, "XXXX");
    k.Paint(12, 9, "BQBQB");
    k.Paint(22, 8, "PPPP");
    k.Paint(36, 9, "PPPPP");
    k.Paint(42, 6, "BBQBB");
    k.Fill(48, 10, 2, 2, 'S');
    k.Fill(70, 9, 3, 3, 'S');
    k.Paint(76, 11, "J");
    k.Paint(80, 7, "PPPPPP");
    k.Paint(90, 9, "CC");
    k.Paint(91, 8, "C");
    k.Fill(104, 11, 16, 1, 'G');
    k.Paint(112, 6, "F");
    k.Fill(112, 7, 1, 4, '|');  // the pole stands on the ground
    k.PlaceBlocks();

    k.PlaceHero(2, 11);
    // Behind the hero's start, out of the way of its first stars.
    k.PlaceChara(villager, 0, 11);
    k.PlaceChara(slime, 16, 11, 1);
    k.PlaceChara(mush, 27, 11, 1);
    k.PlaceChara(jumper, 45, 11, 1);
    k.PlaceChara(slime, 66, 11, 1);
    k.PlaceChara(mush, 86, 11, 1);
    k.PlaceChara(jumper, 98, 11, 1);
    k.PlaceChara(platform, 58, 12);  // level with the ground, over the spikes
    for (int x = 22; x < 26; ++x) k.PlaceItem(coin, x, 7);
    for (int x = 36; x < 41; ++x) k.PlaceItem(coin, x, 8);
    for (int x = 80; x < 86; ++x) k.PlaceItem(coin, x, 6);
    k.PlaceItem(goal, 113, 10);
}

void BuildCaveStage(cStageData& s) {
    cStageKit k(s, 100, 30, "ひかりの洞窟");
    s.nBgm = BGM_CAVE;
    s.bTimeLimit = 1;
    s.nTimeLimit = 300;
    CommonBlocks(k);
    k.Layer(kBackCave, 0.2, 0.2);
    const int coin = k.AddItem(Coin());
    const int heart = k.AddItem(Heart());
    const int goal = k.AddItem(Goal());
    const int bat = k.AddChara(Flyer("コウモリ", CG_BAT, 8));
    const int jumper = k.AddChara(Jumper("はねスライム", CG_RED_SLIME, 12));
    const int ghost = k.AddChara(Chaser("おばけ", CG_GHOST, 30));
    k.Fill(0, 0, 100, 2, 'R');
    k.Fill(0, 27, 100, 3, 'R');
    k.Fill(0, 0, 2, 30, 'R');
    k.Fill(98, 0, 2, 30, 'R');
    // Shelves going down and up, a lava lake with stepping stones, brick walls to break.
    for (int i = 0; i < 6; ++i) k.Paint(4 + i * 7, 8 + i * 3, "RRRRRP");
    k.Fill(46, 26, 20, 1, 'L');
    k.Fill(46, 27, 20, 3, 'R');
    for (int x = 48; x < 66; x += 5) k.Paint(x, 23, "SS");
    k.Fill(70, 20, 2, 7, 'B');
    k.Fill(80, 14, 1, 13, 'B');
    k.Paint(84, 22, "PPPPPP");
    k.Paint(88, 17, "PPPPP");
    k.Paint(92, 12, "J");
    k.Fill(93, 10, 5, 1, 'S');
    k.Paint(95, 6, "F");
    k.Fill(95, 7, 1, 3, '|');
    k.PlaceBlocks();
    k.PlaceHero(4, 6);
    k.PlaceChara(bat, 20, 8);
    k.PlaceChara(bat, 40, 14);
    k.PlaceChara(jumper, 30, 19, 1);
    k.PlaceChara(ghost, 60, 12);
    k.PlaceChara(bat, 75, 10);
    k.PlaceChara(jumper, 86, 21, 1);
    for (int x = 48; x < 66; x += 5) k.PlaceItem(coin, x, 21);
    k.PlaceItem(heart, 74, 25);
    k.PlaceItem(goal, 95, 9);
}

void BuildTowerStage(cStageData& s) {
    cStageKit k(s, 20, 80, "そらの塔");
    s.nBgm = BGM_FIELD_MIDI;
    CommonBlocks(k);
    k.Layer(kBackNight, 0.0, 0.1);
    k.Layer(kBackSky, 0.0, 0.3);
    const int coin = k.AddItem(Coin());
    const int key = k.AddItem(KeyItem());
    const int goal = k.AddItem(Goal());
    const int cannon = k.AddChara(Shooter("大砲", CG_CANNON, 20, SG_BULLET));
    const int knight = k.AddChara(Walker("よろい兵", CG_KNIGHT, 30, 12));
    const int iceBat = k.AddChara(Flyer("こおりコウモリ", CG_ICE_BAT, 10));
    k.Fill(0, 0, 1, 80, 'K');
    k.Fill(19, 0, 1, 80, 'K');
    k.Fill(0, 78, 20, 2, 'K');
    // Climb up: clouds and planks one can jump through, metal ledges, a belt.
    for (int i = 0; i < 12; ++i) {
        const int y = 74 - i * 6;
        if (i % 2 == 0)
            k.Paint(2, y, "OOOOO......MMM");
        else
            k.Paint(6, y, "PPPPP...<<<<");
    }
    k.Fill(1, 4, 18, 1, 'K');
    k.Paint(8, 4, "EE");
    k.Paint(8, 2, "F");
    k.Fill(8, 3, 1, 1, '|');
    k.PlaceBlocks();
    k.PlaceHero(3, 76);
    for (int i = 0; i < 12; ++i) {
        const int y = 74 - i * 6;
        if (i % 3 == 1) k.PlaceChara(cannon, 16, y - 1, 0);
        if (i % 3 == 2) k.PlaceChara(knight, 8, y - 1, 1);
        if (i % 4 == 3) k.PlaceChara(iceBat, 10, y - 3);
        k.PlaceItem(coin, 4, y - 1);
    }
    k.PlaceItem(key, 14, 9);
    k.PlaceItem(goal, 10, 2);
}

void BuildCastleStage(cStageData& s) {
    cStageKit k(s, 60, 15, "ゴーレム城");
    s.nBgm = BGM_BOSS;
    CommonBlocks(k);
    k.Layer(kBackCastle, 0.4, 0.0);
    const int heart = k.AddItem(Heart());
    const int knight = k.AddChara(Walker("黒よろい兵", CG_DARK_KNIGHT, 30, 16));
    const int fireGhost = k.AddChara(Chaser("ひのたま", CG_FIRE_GHOST, 15));
    // The boss: jumps, throws rocks in a fan, chases, and clears the stage when it falls.
    cCharaData boss;
    boss.strName = "ゴーレムキング";
    boss.wGraphic = CG_GOLEM;
    boss.wAnimeSet = ASET_WALKER;
    boss.chSize = 2;
    boss.byForce = 1;
    boss.nMaxHP = 200;
    boss.nBodyPower = 20;
    boss.nScore = 5000;
    boss.wDeathEffect = CEFF_SPIN;
    boss.wAppearEffect = CEFF_FADE;
    boss.bAppearEffectRepeat = 0;  // it fades once as it appears, not for the whole fight
    // Each charge turns it to the hero, so the next fan of rocks flies at the hero.
    boss.bFixedFacing = 0;
    cFlowCmd roar = Cmd(CMD_PLAY_SE, 0, {SND_BOSS_ROAR});
    cFlowCmd jump = Cmd(CMD_JUMP, 10, {0, 0, 6, 0, 0});
    jump.nSE = SND_JUMP;
    cFlowCmd rocks = ShotCmd(3, SG_ROCK, 5, 50, 10, 0, 60);
    cFlowCmd chase = MoveCmd(CMD_CHARGE_MOVE, 15, 0, 35);
    boss.vFlow.push_back(Flow(TRG_BEFORE_START, {roar}));
    boss.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 10), jump, rocks, Cmd(CMD_SET_TARGET, 0, {0}), chase,
                                            Cmd(CMD_RUN_EFFECT, 0, {0, 0, 0, 0, 100}), Cmd(CMD_WAIT, 5)}));
    boss.vFlow.push_back(Flow(TRG_DAMAGED, {Cmd(CMD_CHARA_EFFECT, 0, {CEFF_BLINK}), Cmd(CMD_SCR_EFFECT, 0, {1})}));
    // A dying character runs its death flows for one frame only: the flash
    // must not hold the clear back.
    cFlowCmd flash = Cmd(CMD_SCREEN_COLOR, 5, {255, 255, 255, 80});
    flash.bNoWait = 1;
    boss.vFlow.push_back(Flow(TRG_DIED, {flash, Cmd(CMD_STAGE_CLEAR, 20)}));
    const int bossIndex = k.AddChara(boss);
    k.Fill(0, 13, 60, 2, 'K');
    k.Fill(0, 0, 60, 1, 'K');
    k.Fill(0, 0, 1, 15, 'K');
    k.Fill(59, 0, 1, 15, 'K');
    k.Paint(10, 10, "PPPP");
    k.Paint(18, 12, "XX");
    k.Fill(26, 9, 1, 4, 'B');
    k.Paint(38, 9, "PPPPP");
    k.Paint(48, 9, "PPPPP");
    k.Fill(34, 12, 1, 1, 'M');
    k.PlaceBlocks();
    k.PlaceHero(3, 12);
    k.PlaceChara(knight, 14, 12, 1);
    k.PlaceChara(fireGhost, 22, 6);
    k.PlaceItem(heart, 30, 11);
    k.PlaceChara(bossIndex, 50, 11);  // facing left, where the hero comes from
    k.Text(1, "ゴーレムキング「ここまで　きたか　ちいさき　ものよ！」");
}

void BuildChallengeStage1(cStageData& s) {
    BuildMeadowStage(s);
    s.strText = "チャレンジ1 コインあつめ";
    s.vText[0].strText = s.strText;
    s.bTimeLimit = 1;
    s.nTimeLimit = 120;
}

void BuildChallengeStage2(cStageData& s) {
    BuildTowerStage(s);
    s.strText = "チャレンジ2 塔のぼり";
    s.vText[0].strText = s.strText;
    s.bTimeLimit = 1;
    s.nTimeLimit = 180;
}

void BuildStressStage(cStageData& s) {
    cStageKit k(s, 200, 30, "ストレステスト");
    s.nBgm = BGM_FIELD_MIDI;
    CommonBlocks(k);
    k.Layer(kBackSky, 0.0, 0.0);
    k.Layer(kBackHills, 0.5, 0.2);
    const int coin = k.AddItem(Coin());
    const int slime = k.AddChara(Walker("スライム", CG_SLIME, 10, 10));
    // Every cannon fires a fan of eight bullets twice a second.
    cCharaData gun = Shooter("大砲", CG_CANNON, 20, SG_SPARK);
    gun.vFlow[0] = Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 5), ShotCmd(1, SG_SPARK, 8, 30, 1, 0, 360)});
    const int cannon = k.AddChara(gun);
    const int bat = k.AddChara(Flyer("コウモリ", CG_BAT, 8));
    k.Fill(0, 28, 200, 2, 'G');
    for (int y = 6; y < 28; y += 4) k.Paint(0, y, std::string(200, (y / 4) % 2 ? 'P' : '.'));
    k.PlaceBlocks();
    k.PlaceHero(2, 27);
    for (int i = 0; i < 150; ++i) k.PlaceChara(slime, 4 + (i * 7) % 194, 5 + (i % 6) * 4, i & 1);
    for (int i = 0; i < 60; ++i) k.PlaceChara(cannon, 6 + (i * 13) % 190, 5 + (i % 5) * 4, i & 1);
    for (int i = 0; i < 90; ++i) k.PlaceChara(bat, 3 + (i * 11) % 195, 2 + (i % 8) * 3);
    for (int i = 0; i < 200; ++i) k.PlaceItem(coin, i % 200, 1 + (i / 100));
}

const std::vector<STAGEFILE>& StageFiles() {
    static const std::vector<STAGEFILE> files = {
        {"stg4/stage1-1.stg4_825", BuildMeadowStage},  {"stg4/stage2-1.stg4_825", BuildCaveStage},
        {"stg4/stage3-1.stg4_825", BuildTowerStage},   {"stg4/stage4-1.stg4_825", BuildCastleStage},
        {"stg4/c01-1.stg4_825", BuildChallengeStage1}, {"stg4/c02-1.stg4_825", BuildChallengeStage2},
        {"stg4/stress.stg4", BuildStressStage},
    };
    return files;
}

}  // namespace sample
