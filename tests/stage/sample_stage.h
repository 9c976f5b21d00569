#pragma once
// A small stage built in code: a floor, a hero, enemies with flows and
// conditions, items, background layers and texts.
#include "stage/shared_records.h"
#include "stage/stage_data.h"

inline cFlowCmd SampleCmd(uint8_t code, int16_t time) {
    cFlowCmd c;
    c.nCode = code;
    c.nTime = time;
    return c;
}

inline cFlow SampleEnemyFlow() {
    cFlow f;
    f.nTrigger = 1;
    f.nFlowID = 3;
    f.nGroup = 2;
    cEdCond cond;
    cond.nKind = 1;
    cond.nValue = 5;
    cond.nVarNum = 12;
    cond.nCompare = 2;
    f.vCond.push_back(cond);
    cEdCmdList key;
    key.vKey[3] = 1;
    key.nHoldMax = 20;
    f.vKeyCond.push_back(key);
    cFlowCmd move = SampleCmd(CMD_STRAIGHT_MOVE, 15);
    cEdMove::Create(move.spMove);
    move.spMove->nAngle = 90;
    move.spMove->nSpeed = 40;
    f.vCmd.push_back(move);
    cFlowCmd shot = SampleCmd(CMD_SHOT, 3);
    cEdShot::Create(shot.spShot);
    shot.spShot->nShotNum = 3;
    shot.spShot->nPower = 7;
    f.vCmd.push_back(shot);
    cFlowCmd face = SampleCmd(CMD_FACING, 0);
    face.vParam.assign(1, 2);
    f.vCmd.push_back(face);
    return f;
}

// Fills `s` with the sample content (a 40 x 20 stage).
inline void BuildSampleStage(cStageData& s) {
    s.Clear();
    s.strText = "sample";
    s.nWidth = 40;
    s.nHeight = 20;
    s.nBgm = 2;
    s.SetHitLevel(13);
    s.dGravity = 0.5;
    s.bScrollLeft = 1;
    s.nScrollLeft = 3;

    // Palette: a solid block, an enemy and a coin.
    cBlockData floor;
    floor.strName = "floor";
    floor.wGraphic = 4;
    floor.byPassGroup = 2;
    s.vBlock.push_back(floor);
    cCharaData enemy;
    enemy.strName = "enemy";
    enemy.wGraphic = 9;
    enemy.nMaxHP = 30;
    enemy.vFlow.push_back(SampleEnemyFlow());
    s.vChara.push_back(enemy);
    cItemData coin;
    coin.strName = "coin";
    coin.wGraphic = 2;
    coin.wSound = 1;
    cFlowCmd take = SampleCmd(CMD_STATUS_OP - ITEM_CMD_OFFSET, 0);
    take.nNumbering = CMDNUMBERING_ITEM;
    coin.vCmd.push_back(take);
    s.vItem.push_back(coin);

    // The floor row, placed as inheriting everything from palette entry 1.
    for (uint16_t x = 0; x < 40; ++x) {
        cBlockData b;
        b.byTemplateKind = TEMPLATE_STAGE;
        b.wTemplateIndex = 1;
        b.vInherit.assign(BLOCK_GROUP_NUM, 1);
        b.wGraphic = 4;
        b.byPassGroup = 2;
        b.strName = "floor";
        b.wCellX = x;
        b.wCellY = 19;
        s.vPlacedBlock.push_back(b);
    }
    cCharaData hero;
    hero.byController = CONTROLLER_PLAYER;
    hero.wGraphic = 1;
    hero.wCellX = 2;
    hero.wCellY = 18;
    hero.nItem = -1;
    s.vPlacedChara.push_back(hero);
    for (uint16_t i = 0; i < 3; ++i) {
        cCharaData e = enemy;
        e.wCellX = static_cast<uint16_t>(10 + 8 * i);
        e.wCellY = 18;
        e.nItem = i == 1 ? 0 : -1;
        e.byFacing = static_cast<uint8_t>(i & 1);
        s.vPlacedChara.push_back(e);
    }
    for (uint16_t i = 0; i < 2; ++i) {
        cItemData it = coin;
        it.wCellX = static_cast<uint16_t>(5 + i);
        it.wCellY = 17;
        s.vPlacedItem.push_back(it);
    }
    cIntRec far;
    far.ClearLayer();
    far.strText = "bmp\\far.bmp";
    far.e = 0.25;
    far.g = 1;
    s.vBg.push_back(far);
    s.vText.resize(STAGE_TEXT_NUM);
    s.vText[0].strText = "はじめ";
    s.vText[999].strText = "end";
}
