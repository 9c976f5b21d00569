#pragma once
// The large stage the benchmarks load and save: a 500 x 100 grid full of
// blocks and 2,000 characters, each with `nFlows` flows of ten commands.
#include <memory>

#include "stage/shared_records.h"
#include "stage/stage_data.h"

namespace bench {

inline cFlow BenchFlow(int n) {
    cFlow f;
    f.nTrigger = static_cast<uint8_t>(1 + n % 5);
    f.nFlowID = static_cast<uint8_t>(n);
    cEdCond cond;
    cond.nKind = 1;
    cond.nValue = n;
    f.vCond.push_back(cond);
    for (int k = 0; k < 10; ++k) {
        cFlowCmd c;
        c.nTime = static_cast<int16_t>(k + 1);
        switch (k % 4) {
        case 0:
            c.nCode = CMD_STRAIGHT_MOVE;
            cEdMove::Create(c.spMove);
            c.spMove->nAngle = static_cast<int16_t>(k * 30);
            break;
        case 1:
            c.nCode = CMD_SHOT;
            cEdShot::Create(c.spShot);
            c.spShot->nShotNum = 2;
            break;
        case 2:
            c.nCode = CMD_JUMP;
            c.vParam.assign(5, k);
            break;
        default:
            c.nCode = CMD_WAIT;
            break;
        }
        f.vCmd.push_back(c);
    }
    return f;
}

inline std::unique_ptr<cStageData> MakeBigStage(int nFlows = 10) {
    auto s = std::make_unique<cStageData>();
    s->nWidth = 500;
    s->nHeight = 100;
    cBlockData wall;
    wall.wGraphic = 3;
    s->vBlock.push_back(wall);
    cCharaData enemy;
    enemy.wGraphic = 5;
    for (int i = 0; i < nFlows; ++i) enemy.vFlow.push_back(BenchFlow(i));
    s->vChara.push_back(enemy);
    s->vPlacedBlock.reserve(500 * 100);
    for (uint16_t y = 0; y < 100; ++y)
        for (uint16_t x = 0; x < 500; ++x) {
            cBlockData b = wall;
            b.wCellX = x;
            b.wCellY = y;
            s->vPlacedBlock.push_back(b);
        }
    s->vPlacedChara.reserve(2000);
    for (int i = 0; i < 2000; ++i) {
        cCharaData c = enemy;
        c.byController = i == 0 ? CONTROLLER_PLAYER : CONTROLLER_COMPUTER;
        c.wCellX = static_cast<uint16_t>(i % 500);
        c.wCellY = static_cast<uint16_t>(i / 500);
        c.nItem = -1;
        s->vPlacedChara.push_back(c);
    }
    return s;
}

}  // namespace bench
