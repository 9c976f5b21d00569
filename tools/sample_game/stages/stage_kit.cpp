#include "sample_game/stages/stage_kit.h"

#include "sample_game/art/sheets.h"
#include "sample_game/data/game_data.h"
#include "stage/cmd_list.h"

namespace sample {

cStageKit::cStageKit(cStageData& s, int width, int height, const char* title)
    : m_Stage(s), m_nW(width), m_nH(height), m_Grid(static_cast<size_t>(width) * height, ' ') {
    s.Clear();
    s.strText = title;
    s.nWidth = width;
    s.nHeight = height;
    // The outer size of the scroll axes covers the whole block grid.
    s.nOuterX = 32 * width;
    s.nOuterY = 32 * height;
    s.nFps = 60;
    s.dGravity = 0.5;
    s.SetHitLevel(10);
    // After a hit the hero blinks and nothing can hurt it for a second and a
    // half, so that walking into an enemy costs one hit, not a life.
    s.nHeroInvincible = 90;
    s.bStageBanner = 1;
    s.bStartBanner = 1;
    s.bClearBanner = 1;
    s.bGameOverBanner = 1;
    // The stage tune starts again at its end, so it lasts the whole stage.
    s.nBgmValue2 = 1;
    s.vText.resize(STAGE_TEXT_NUM);
    s.vText[0].strText = title;
    m_Letters.push_back('\0');  // palette entry 0
}

void cStageKit::AddBlock(char letter, const char* name, int graphic, int hit, int pass, int effect) {
    cBlockData b;
    b.strName = name;
    b.wGraphic = static_cast<uint16_t>(graphic);
    b.byHitKind = static_cast<uint8_t>(hit);
    b.byPassGroup = static_cast<uint8_t>(pass);
    b.byEffect = static_cast<uint8_t>(effect);
    m_Stage.vBlock.push_back(b);
    m_Letters.push_back(letter);
}

void cStageKit::Paint(int x, int y, const std::string& row) {
    for (size_t i = 0; i < row.size(); ++i) {
        const int cx = x + static_cast<int>(i);
        if (cx < 0 || cx >= m_nW || y < 0 || y >= m_nH || row[i] == '.') continue;
        m_Grid[static_cast<size_t>(y) * m_nW + cx] = row[i];
    }
}

void cStageKit::Fill(int x, int y, int w, int h, char letter) {
    for (int j = y; j < y + h; ++j) Paint(x, j, std::string(static_cast<size_t>(w), letter));
}

void cStageKit::PlaceBlocks() {
    for (int y = 0; y < m_nH; ++y)
        for (int x = 0; x < m_nW; ++x) {
            const char ch = m_Grid[static_cast<size_t>(y) * m_nW + x];
            if (ch == ' ') continue;
            for (size_t k = 1; k < m_Letters.size(); ++k) {
                if (m_Letters[k] != ch) continue;
                cBlockData b = m_Stage.vBlock[k];
                b.byTemplateKind = TEMPLATE_STAGE;
                b.wTemplateIndex = static_cast<uint16_t>(k);
                b.vInherit.assign(BLOCK_GROUP_NUM, 1);
                b.wCellX = static_cast<uint16_t>(x);
                b.wCellY = static_cast<uint16_t>(y);
                m_Stage.vPlacedBlock.push_back(b);
                break;
            }
        }
}

int cStageKit::AddChara(const cCharaData& c) {
    m_Stage.vChara.push_back(c);
    return static_cast<int>(m_Stage.vChara.size()) - 1;
}

int cStageKit::AddItem(const cItemData& i) {
    m_Stage.vItem.push_back(i);
    return static_cast<int>(m_Stage.vItem.size()) - 1;
}

void cStageKit::PlaceChara(int palette, int x, int y, int facing) {
    cCharaData c = m_Stage.vChara[palette];
    c.byTemplateKind = TEMPLATE_STAGE;
    c.wTemplateIndex = static_cast<uint16_t>(palette);
    // A full copy of its palette entry that inherits nothing, so that its own facing stays.
    c.vInherit.assign(CHARA_GROUP_NUM, 0);
    c.wCellX = static_cast<uint16_t>(x);
    c.wCellY = static_cast<uint16_t>(y);
    c.byFacing = static_cast<uint8_t>(facing);
    c.nItem = -1;
    m_Stage.vPlacedChara.push_back(c);
}

void cStageKit::PlaceHero(int x, int y) {
    cCharaData hero;
    hero.strName = "主人公";
    hero.byController = CONTROLLER_PLAYER;
    hero.wGraphic = CG_HERO;
    hero.wAnimeSet = ASET_HERO;
    hero.byForce = 0;
    hero.nMaxHP = 30;
    hero.nMaxSP = 10;
    hero.wCellX = static_cast<uint16_t>(x);
    hero.wCellY = static_cast<uint16_t>(y);
    hero.nItem = -1;
    hero.wDeathEffect = CEFF_BURST;
    // It starts facing right, into the stage, and turns to the way it walks,
    // so that its stars and sword go where it is heading.
    hero.byFacing = 1;
    hero.bFixedFacing = 0;
    // Left and right walk while held, Z (button 1) jumps, X (button 2)
    // swings the sword, C (button 3) throws a star.
    hero.vFlow.push_back(KeyFlow(WalkCmd(2), KEYSLOT_LEFT, true, 1));
    hero.vFlow.push_back(KeyFlow(WalkCmd(3), KEYSLOT_RIGHT, true, 2));
    // Parameters: mode 0 (a whole jump on each press), then its height in half blocks.
    cFlowCmd jump = Cmd(CMD_JUMP, 1, {0, 0, HERO_JUMP_HEIGHT, 0, 0});
    jump.nSE = SND_JUMP;
    jump.nAnime = ANIME_JUMP;
    hero.vFlow.push_back(KeyFlow(jump, KEYSLOT_BUTTON1, false, 3));
    hero.vFlow.push_back(KeyFlow(SwordCmd(3, SWORD_BLADE, 10), KEYSLOT_BUTTON2, false, 4));
    hero.vFlow.push_back(KeyFlow(ShotCmd(2, SG_STAR, 1, 60, 5), KEYSLOT_BUTTON3, false, 5));
    m_Stage.vPlacedChara.push_back(hero);
}

void cStageKit::PlaceItem(int palette, int x, int y) {
    cItemData it = m_Stage.vItem[palette];
    it.byTemplateKind = TEMPLATE_STAGE;
    it.wTemplateIndex = static_cast<uint16_t>(palette);
    it.vInherit.assign(ITEM_GROUP_NUM, 1);
    it.wCellX = static_cast<uint16_t>(x);
    it.wCellY = static_cast<uint16_t>(y);
    m_Stage.vPlacedItem.push_back(it);
}

void cStageKit::Layer(const char* picture, double rateX, double rateY, bool front, double autoX) {
    cIntRec l;
    l.ClearLayer();
    l.strText = ProgramPath(picture);
    l.d = front ? 1 : 0;
    l.e = rateX;
    l.f = rateY;
    if (autoX != 0) {
        l.g = 1;
        l.i = autoX;
    }
    // The first layer of a new stage is the clear routine's own; replace it.
    if (m_Stage.vBg.size() == 1 && m_Stage.vBg[0].strText.empty())
        m_Stage.vBg[0] = l;
    else
        m_Stage.vBg.push_back(l);
}

void cStageKit::Text(int id, const char* text) { m_Stage.vText[id].strText = text; }

cFlowCmd Cmd(int code, int time, std::initializer_list<int> params) {
    cFlowCmd c;
    c.nCode = static_cast<uint8_t>(code);
    c.nTime = static_cast<int16_t>(time);
    c.vParam.assign(static_cast<size_t>(GetCmdTableRow(CMDNUMBERING_CHARA, code)->nParamNum), 0);
    size_t i = 0;
    for (int p : params)
        if (i < c.vParam.size()) c.vParam[i++] = p;
    return c;
}

cFlowCmd ItemCmd(int code, std::initializer_list<int> params) {
    cFlowCmd c;
    c.nNumbering = CMDNUMBERING_ITEM;
    c.nCode = static_cast<uint8_t>(code - ITEM_CMD_OFFSET);
    c.vParam.assign(static_cast<size_t>(GetCmdTableRow(CMDNUMBERING_ITEM, c.nCode)->nParamNum), 0);
    size_t i = 0;
    for (int p : params)
        if (i < c.vParam.size()) c.vParam[i++] = p;
    return c;
}

cFlowCmd MoveCmd(int code, int time, int angle, int speed) {
    cFlowCmd c = Cmd(code, time);
    cEdMove::Create(c.spMove);
    c.spMove->nAngle = static_cast<int16_t>(angle);
    c.spMove->nSpeed = static_cast<int16_t>(speed);
    return c;
}

cFlowCmd ShotCmd(int time, int graphic, int count, int speed, int power, int angle, int spread) {
    cFlowCmd c = Cmd(CMD_SHOT, time);
    cEdShot::Create(c.spShot);
    c.spShot->nGraphic = static_cast<int16_t>(graphic);
    c.spShot->nShotNum = static_cast<uint8_t>(count);
    c.spShot->nSpeed = static_cast<int16_t>(speed);
    c.spShot->nPower = power;
    c.spShot->nAngleOfs = static_cast<int16_t>(angle);
    c.spShot->nSpread = static_cast<int16_t>(spread);
    c.spShot->nRange = 40;
    c.spShot->nEffect = EFF_HIT;
    c.nSE = SND_SHOT;
    return c;
}

cFlowCmd SwordCmd(int time, int sword, int power) {
    cFlowCmd c = Cmd(CMD_SWORD, time);
    cEdShot::Create(c.spShot);
    c.spShot->nMoveType = static_cast<uint8_t>(sword);
    c.spShot->nPower = power;
    c.spShot->nEffect = EFF_HIT;
    c.nSE = SND_SWORD;
    c.nAnime = ANIME_ATTACK;
    return c;
}

cFlowCmd WalkCmd(int dir) {
    cFlowCmd c = MoveCmd(CMD_STRAIGHT_MOVE, HERO_WALK_TIME, 0, HERO_WALK_SPEED);
    c.spMove->nDir = static_cast<uint8_t>(dir);
    return c;
}

cFlow KeyFlow(const cFlowCmd& cmd, int slot, bool whileHeld, int id) {
    cFlow f = Flow(TRG_ALWAYS, {cmd}, id);
    cEdCmdList key;
    key.vKey[static_cast<size_t>(slot)] = 1;
    // Held: it starts again while the key stays down; else once per press.
    key.bAnyLength = 1;
    f.bKeyHold = whileHeld ? 1 : 0;
    f.vKeyCond.push_back(key);
    return f;
}

cFlow Flow(int trigger, std::initializer_list<cFlowCmd> cmds, int id) {
    cFlow f;
    f.nTrigger = static_cast<uint8_t>(trigger);
    f.nFlowID = static_cast<uint8_t>(id);
    for (const cFlowCmd& c : cmds) f.vCmd.push_back(c);
    return f;
}

namespace {
cCharaData Enemy(const char* name, int graphic, int hp, int animeSet) {
    cCharaData c;
    c.strName = name;
    c.wGraphic = static_cast<uint16_t>(graphic);
    c.wAnimeSet = static_cast<uint16_t>(animeSet);
    c.byForce = 1;
    c.nMaxHP = hp;
    c.nBodyPower = 5;
    c.nScore = hp * 10;
    c.wDeathEffect = CEFF_BURST;
    c.wBodyEffect = EFF_HIT;
    return c;
}
}  // namespace

cCharaData Walker(const char* name, int graphic, int hp, int speed) {
    cCharaData c = Enemy(name, graphic, hp, ASET_WALKER);
    // Walks along the ground and turns round at walls and edges.
    c.vFlow.push_back(Flow(TRG_ALWAYS, {MoveCmd(CMD_GROUND_TURN_MOVE, 9999, 0, speed)}));
    c.vFlow.push_back(Flow(TRG_WALL, {Cmd(CMD_FACING, 0, {2})}));
    return c;
}

cCharaData Jumper(const char* name, int graphic, int hp) {
    cCharaData c = Enemy(name, graphic, hp, ASET_WALKER);
    cFlowCmd jump = Cmd(CMD_JUMP, 8, {0, 0, 5, 0, 0});
    jump.nSE = SND_JUMP;
    jump.nAnime = ANIME_JUMP;
    c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 12), jump, MoveCmd(CMD_STRAIGHT_MOVE, 10, 180, 15)}));
    c.vFlow.push_back(Flow(TRG_WALL, {Cmd(CMD_FACING, 0, {2})}));
    return c;
}

cCharaData Flyer(const char* name, int graphic, int hp) {
    cCharaData c = Enemy(name, graphic, hp, ASET_FLYER);
    c.byFlying = 1;
    c.bFixedFacing = 0;  // faces the way it flies
    // Circles, then swoops towards the hero.
    cFlowCmd circle = MoveCmd(CMD_CIRCLE_MOVE, 30, 0, 30);
    c.vFlow.push_back(Flow(TRG_ALWAYS, {circle, MoveCmd(CMD_CHARGE_MOVE, 10, 0, 40), Cmd(CMD_WAIT, 5)}));
    return c;
}

cCharaData Shooter(const char* name, int graphic, int hp, int shotGraphic) {
    cCharaData c = Enemy(name, graphic, hp, ASET_WALKER);
    cFlowCmd fire = ShotCmd(2, shotGraphic, 3, 40, 5, 0, 20);
    fire.nAnime = ANIME_SHOOT;
    c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 15), fire}));
    c.vFlow.push_back(Flow(TRG_DAMAGED, {Cmd(CMD_CHARA_EFFECT, 0, {CEFF_BLINK})}));
    return c;
}

cCharaData Chaser(const char* name, int graphic, int hp) {
    cCharaData c = Enemy(name, graphic, hp, ASET_FLYER);
    c.byFlying = 1;
    c.bFixedFacing = 0;  // faces the way it flies
    cFlowCmd target = Cmd(CMD_SET_TARGET, 0, {0});
    cFlowCmd chase = MoveCmd(CMD_HOMING_MOVE, 20, 0, 18);
    chase.spMove->nHoming = 4;
    c.vFlow.push_back(Flow(TRG_ALWAYS, {target, chase, Cmd(CMD_WAIT, 3)}));
    return c;
}

cCharaData MovingPlatform(int range) {
    cCharaData c;
    c.strName = "動く足場";
    c.wGraphic = CG_PLATFORM;
    c.byFlying = 1;
    c.byForce = 7;
    c.byInvincible = 1;
    c.nMaxHP = 1;
    c.bWholeCell = 1;  // solid over its whole cell: a block character
    // Right first, a rest at each end, then back.
    c.vFlow.push_back(Flow(TRG_ALWAYS, {MoveCmd(CMD_STRAIGHT_MOVE, range, 180, 10), Cmd(CMD_WAIT, 5),
                                        MoveCmd(CMD_STRAIGHT_MOVE, range, 0, 10), Cmd(CMD_WAIT, 5)}));
    return c;
}

namespace {

// An item of the sample game: its name, picture, pick-up sound and the one
// command its flow runs.
cItemData PickUp(const char* name, uint16_t graphic, uint16_t sound, int code) {
    cItemData i;
    i.strName = name;
    i.wGraphic = graphic;
    i.wSound = sound;
    i.vCmd.push_back(ItemCmd(code, {}));
    return i;
}

}  // namespace

cItemData Coin() { return PickUp("コイン", IG_COIN, SND_COIN, CMD_STATUS_OP); }
cItemData Heart() { return PickUp("ハート", IG_HEART, SND_POWER_UP, CMD_STATUS_OP); }
cItemData KeyItem() { return PickUp("カギ", IG_KEY, SND_KEY, CMD_STATUS_OP); }
cItemData Goal() { return PickUp("ゴール", IG_STAR, SND_DOOR, CMD_STAGE_CLEAR); }

}  // namespace sample
