#include "stage/flow_fixture.h"

#include "stage/code_table.h"

cFlowCmd MakeCmd(int numbering, int code, std::vector<int32_t> params) {
    cFlowCmd c;
    c.nNumbering = static_cast<uint8_t>(numbering);
    c.nCode = static_cast<uint8_t>(code);
    c.vParam.assign(params.begin(), params.end());
    return c;
}

cFlow MakeSampleFlow() {
    cFlow f;
    f.nFlowID = 3;
    f.nGroup = 2;
    f.nCondMode = 1;
    f.bLatch = 1;
    f.nTrigger = 7;
    f.bTargetPartner = 1;
    f.nPartnerSlot = 2;
    f.nKeyInterval = 5;
    f.bKeyHold = 1;

    cEdCond cond;
    cond.nKind = 4;
    cond.nValue = -12345;
    cond.nRandMin = -3;
    cond.nRandMax = 70000;
    cond.nSubject = 5;
    cond.nStatus = 3;
    cond.nTestWhat = 1;
    cond.nVarKind = 1;
    cond.nVarNum = 999;
    cond.nOperandKind = 2;
    cond.nOpSubject = 1;
    cond.nOpStatus = 14;
    cond.nOpVarKind = 1;
    cond.nOpVarNum = -2;
    cond.nCompare = 6;
    cond.nShowRange = 2;
    cond.nAxis = 6;
    f.vCond.push_back(cond);

    cEdCmdList step;
    step.vKey[1] = 1;
    step.vKey[12] = 2;
    step.bMirror = 1;
    step.nHoldMin = 2;
    step.nHoldMax = 300;
    step.bAnyLength = 1;
    step.nMode = 2;
    f.vKeyCond.push_back(step);
    f.vKeyCond.push_back(cEdCmdList());

    cFlowCmd move = MakeCmd(0, CMD_STRAIGHT_MOVE);
    cEdMove::Create(move.spMove);
    move.spMove->nMode = 1;
    move.spMove->nAngle = -270;
    move.spMove->nSpeed2 = 77;
    move.spMove->dFactor = 0.25;
    move.spMove->bAnime = 1;
    move.spMove->nTargetSlot = 3;
    move.nTime = 12;
    move.nTimeInc = -2;
    move.bNoWait = 1;
    move.nSE = 4;
    move.bSEOnScreen = 0;
    move.nAnime = 6;
    f.vCmd.push_back(move);

    cFlowCmd shot = MakeCmd(0, CMD_SHOT);
    cEdShot::Create(shot.spShot);
    shot.spShot->nShotNum = 3;
    shot.spShot->nFormParam[2] = -5;
    shot.spShot->nMoveParam[0] = 40;
    shot.spShot->nPower = 1000000;
    shot.spShot->nAccel = 9;
    shot.spShot->bySetting2 = 8;
    shot.spShot->nItemKind = 2;
    shot.spShot->nItemIndex = 1;
    f.vCmd.push_back(shot);

    cFlowCmd op = MakeCmd(0, CMD_FLOW_OP, {1, 2, 3, 4});
    cCondList::Create(op.EditCondList());
    op.EditCondList()->bUse = 1;
    op.EditCondList()->nMode = 1;
    op.EditCondList()->vCond.push_back(cond);
    op.EditCondList()->vCond.push_back(cEdCond());
    f.vCmd.push_back(op);

    std::vector<int32_t> mes(18, 0);
    mes[0] = 7;
    mes[17] = -1;
    cFlowCmd message = MakeCmd(0, CMD_MESSAGE, mes);
    message.strText = "こんにちは\nworld";
    f.vCmd.push_back(message);

    cFlowCmd summon = MakeCmd(0, CMD_SUMMON_CHARA);
    cEdShot::Create(summon.spShot);
    summon.spShot->nSummonKind = 1;
    summon.spShot->nSummonIndex = 2;
    cFlow sub;
    sub.nTrigger = 22;
    sub.vCmd.push_back(MakeCmd(0, CMD_WAIT));
    sub.vCmd.push_back(MakeCmd(1, 1, {5, 6}));  // item command "フローの変更"
    summon.EditSubFlows().push_back(sub);
    f.vCmd.push_back(summon);
    return f;
}
