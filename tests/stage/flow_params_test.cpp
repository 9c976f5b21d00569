// The arrangeable numbers of flow commands: the label table, the member
// behind each number, arrangements with their arithmetic and bounds, and the
// input-direction codes.
#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "stage/code_table.h"
#include "stage/flow_arrange.h"
#include "stage/flow_cmd.h"
#include "stage/flow_params.h"
#include "stage/move.h"
#include "stage/shot.h"
#include "stage/stage_fixture.h"
#include "support/record_services_spy.h"

namespace {

// A command of `kind` with both settings and 16 parameters.
cFlowCmd Cmd(int kind) {
    cFlowCmd c;
    c.nCode = static_cast<uint8_t>(kind);
    cEdMove::Create(c.spMove);
    cEdShot::Create(c.spShot);
    c.vParam.assign(16, 0);
    return c;
}

PENDINGARRANGE Arr(int32_t kind, int32_t index, int32_t op, int32_t source, int32_t var) {
    return PENDINGARRANGE{kind, index, op, source, var};
}

class FlowParamsTest : public cStageTest {
protected:
    void SetUp() override {
        InitFlowParamLabels();
        ctx.vCommonVar = common;
        ctx.vStageVar = stagevar;
        ctx.vCharaVar = charavar;
        ctx.nCharaBitmapNum = 5;
    }

    // Applies one arrangement with operand common variable 1 = x.
    int32_t Apply(cFlowCmd& c, int32_t kind, int32_t index, int32_t op, int32_t x) {
        common[1] = x;
        ApplyFlowArrangement(c, Arr(kind, index, op, ARRANGE_COMMON_VAR, 1), ctx);
        int32_t v = 0;
        GetFlowParam(c, kind, index, v);
        return v;
    }

    int32_t common[4] = {100, 0, 0, 0};
    int32_t stagevar[3] = {200, 0, 0};
    int32_t charavar[2] = {7, 0};
    ARRANGECONTEXT ctx;
    cRecordServicesSpy spy;
};

TEST_F(FlowParamsTest, LabelTableRowsAndCounts) {
    const std::map<int, size_t> counts = {
        {CMD_STRAIGHT_MOVE, 6}, {CMD_CHARGE_MOVE, 6}, {CMD_HOMING_MOVE, 6}, {CMD_SHOT, 29},
        {CMD_SWORD, 4}, {CMD_SUMMON_BLOCK, 6}, {CMD_SUMMON_CHARA, 8}, {CMD_SUMMON_ITEM, 7},
        {CMD_STAGE_CLEAR, 5}, {CMD_MESSAGE, 5}, {CMD_WARP, 6}, {CMD_SET_TARGET, 3},
        {CMD_STATUS_OP, 2}, {CMD_VANISH, 1}, {CMD_CHANGE_GRAPHIC, 2}, {CMD_RUN_EFFECT, 5},
        {CMD_PICTURE, 6}, {CMD_SCREEN_COLOR, 4}, {CMD_CHANGE_BG, 1},
    };
    ASSERT_EQ(FlowParamLabels.size(), static_cast<size_t>(CHARA_CMD_NUM));
    for (int k = 0; k < CHARA_CMD_NUM; ++k) {
        const size_t want = counts.count(k) ? counts.at(k) : 0;
        EXPECT_EQ(FlowParamLabels[k].size(), want) << "kind " << k;
        // Every descriptor has a member behind it, and no more.
        EXPECT_EQ(static_cast<size_t>(GetFlowParamCount(k)), want) << "kind " << k;
        const bool moveWithout = k == CMD_GROUND_TURN_MOVE || k == CMD_CIRCLE_MOVE || k == CMD_AVOID_MOVE;
        EXPECT_EQ(HasFlowParamAccess(k), want > 0 || moveWithout) << "kind " << k;
        for (const FLOWPARAMLABEL& d : FlowParamLabels[k]) {
            EXPECT_FALSE(d.strLabel.empty());
            EXPECT_LE(d.nMin, d.nMax);
        }
    }
    EXPECT_FALSE(HasFlowParamAccess(-1));
    EXPECT_FALSE(HasFlowParamAccess(CHARA_CMD_NUM));

    const auto expect = [](int kind, int i, const char* label, int32_t lo, int32_t hi) {
        const FLOWPARAMLABEL& d = FlowParamLabels[kind][i];
        EXPECT_EQ(d.strLabel, label);
        EXPECT_EQ(d.nMin, lo) << label;
        EXPECT_EQ(d.nMax, hi) << label;
    };
    expect(CMD_STRAIGHT_MOVE, 5, "分身値による増加角度", -7200, 7200);
    expect(CMD_HOMING_MOVE, 1, "分身値による増加誘導性能の悪さ", 0, 10);
    expect(CMD_SHOT, 0, "グラフィック", 1, 120);
    expect(CMD_SHOT, 4, "フォーメーション固有3", 0, INT_MAX);
    expect(CMD_SHOT, 17, "移動タイプ固有3", 0, INT_MAX);
    expect(CMD_SHOT, 25, "分身値よる増加存在時間", -99, 99);
    expect(CMD_SHOT, 28, "衝撃", -20, 20);
    expect(CMD_SUMMON_CHARA, 0, "存在時間(1/10s)", 1, 9999);
    expect(CMD_SUMMON_ITEM, 6, "召喚位置のズレY(dot)", -640, 640);
    expect(CMD_STAGE_CLEAR, 0, "次のステージの番号", 1, 99);
    expect(CMD_MESSAGE, 2, "座標Y(bl)", 0, 15);
    expect(CMD_WARP, 5, "目標Yのズレ(dot)", -640, 640);
    expect(CMD_SET_TARGET, 2, "キャラ変数と比較する数値", -999999, 999999);
    expect(CMD_CHANGE_GRAPHIC, 0, "グラフィック", 1, 119);
    expect(CMD_PICTURE, 5, "表示倍率(%)", 1, 1000);
    expect(CMD_SCREEN_COLOR, 3, "%", 0, 100);
    expect(CMD_CHANGE_BG, 0, "背景番号", 1, 8);

    // Built afresh, not appended to.
    InitFlowParamLabels();
    EXPECT_EQ(FlowParamLabels.size(), static_cast<size_t>(CHARA_CMD_NUM));
    EXPECT_EQ(FlowParamLabels[CMD_SHOT].size(), 29u);
}

TEST_F(FlowParamsTest, EveryNumberHasItsOwnMember) {
    for (int k = 0; k < CHARA_CMD_NUM; ++k) {
        cFlowCmd c = Cmd(k);
        const int n = GetFlowParamCount(k);
        for (int i = 0; i < n; ++i) EXPECT_TRUE(SetFlowParam(c, k, i, 10 + i)) << k << ":" << i;
        for (int i = 0; i < n; ++i) {
            int32_t v = -1;
            EXPECT_TRUE(GetFlowParam(c, k, i, v));
            EXPECT_EQ(v, 10 + i) << "kind " << k << " number " << i << " shares its member";
        }
    }
}

TEST_F(FlowParamsTest, NumbersReachTheNamedMembersAtTheirWidths) {
    cFlowCmd shot = Cmd(CMD_SHOT);
    SetFlowParam(shot, CMD_SHOT, 27, 1000000);  // 威力: 32 bits
    EXPECT_EQ(shot.spShot->nPower, 1000000);
    SetFlowParam(shot, CMD_SHOT, 28, -5);       // 衝撃: a byte, read back with its sign
    int32_t v = 0;
    GetFlowParam(shot, CMD_SHOT, 28, v);
    EXPECT_EQ(v, -5);
    SetFlowParam(shot, CMD_SHOT, 3, 300);
    EXPECT_EQ(shot.spShot->nFormParam[1], 300);
    SetFlowParam(shot, CMD_SHOT, 16, 40);
    EXPECT_EQ(shot.spShot->nMoveParam[1], 40);
    SetFlowParam(shot, CMD_SHOT, 0, 70000);     // グラフィック: 16 bits
    EXPECT_EQ(shot.spShot->nGraphic, static_cast<int16_t>(70000));

    cFlowCmd summon = Cmd(CMD_SUMMON_CHARA);
    SetFlowParam(summon, CMD_SUMMON_CHARA, 0, 1234);
    EXPECT_EQ(summon.spShot->nRange, 1234);
    cFlowCmd clear = Cmd(CMD_STAGE_CLEAR);
    SetFlowParam(clear, CMD_STAGE_CLEAR, 1, 33);
    EXPECT_EQ(clear.vParam[6], 33);
    cFlowCmd warp = Cmd(CMD_WARP);
    SetFlowParam(warp, CMD_WARP, 4, -12);
    EXPECT_EQ(warp.spMove->nTargetXDot, -12);

    // Nothing to read or write: no setting, too few parameters, no such number.
    cFlowCmd bare;
    bare.nCode = CMD_SHOT;
    v = 99;
    EXPECT_FALSE(GetFlowParam(bare, CMD_SHOT, 0, v));
    EXPECT_FALSE(SetFlowParam(bare, CMD_SHOT, 0, 1));
    EXPECT_EQ(v, 99);
    clear.vParam.resize(5);
    EXPECT_FALSE(SetFlowParam(clear, CMD_STAGE_CLEAR, 1, 1));
    EXPECT_FALSE(GetFlowParam(shot, CMD_SHOT, 29, v));
    EXPECT_FALSE(GetFlowParam(shot, CMD_SHOT, -1, v));
    EXPECT_FALSE(GetFlowParam(shot, CMD_CIRCLE_MOVE, 0, v));
    EXPECT_FALSE(GetFlowParam(shot, CHARA_CMD_NUM, 0, v));
}

TEST_F(FlowParamsTest, ArithmeticOfArrangements) {
    cFlowCmd c = Cmd(CMD_SHOT);
    // Set to 5, then add 3.
    PENDINGARRANGELIST list;
    common[1] = 5;
    common[2] = 3;
    list.push_back(Arr(CMD_SHOT, 27, ARRANGE_SET, ARRANGE_COMMON_VAR, 1));
    list.push_back(Arr(CMD_SHOT, 27, ARRANGE_ADD, ARRANGE_COMMON_VAR, 2));
    ApplyFlowArrangements(c, list, ctx);
    EXPECT_EQ(c.spShot->nPower, 8);

    EXPECT_EQ(Apply(c, CMD_SHOT, 27, ARRANGE_SUB, 10), -2);
    EXPECT_EQ(Apply(c, CMD_SHOT, 27, ARRANGE_MUL, -6), 12);
    // Division and remainder by 0 leave the number.
    EXPECT_EQ(Apply(c, CMD_SHOT, 27, ARRANGE_DIV, 0), 12);
    EXPECT_EQ(Apply(c, CMD_SHOT, 27, ARRANGE_MOD, 0), 12);
    EXPECT_EQ(Apply(c, CMD_SHOT, 27, ARRANGE_DIV, 5), 2);
    c.spShot->nPower = -7;
    EXPECT_EQ(Apply(c, CMD_SHOT, 27, ARRANGE_MOD, 4), -3);  // sign of the dividend
    // Percent: halves away from zero.
    c.spShot->nPower = 7;
    EXPECT_EQ(Apply(c, CMD_SHOT, 27, ARRANGE_PERCENT, 50), 4);
    c.spShot->nPower = -7;
    EXPECT_EQ(Apply(c, CMD_SHOT, 27, ARRANGE_PERCENT, 50), -4);
    // An unknown operation changes nothing but the clamp.
    EXPECT_EQ(Apply(c, CMD_SHOT, 27, 9, 1000), -4);

    // Products beyond 32 bits end at the bounds, on the side their signs call for.
    c.spShot->nPower = 999999;
    EXPECT_EQ(Apply(c, CMD_SHOT, 27, ARRANGE_MUL, 999999), 999999);
    c.spShot->nPower = -999999;
    EXPECT_EQ(Apply(c, CMD_SHOT, 27, ARRANGE_MUL, 999999), -999999);
    EXPECT_EQ(ArrangeValue(INT_MIN, ARRANGE_DIV, -1, INT_MIN, INT_MAX), INT_MAX);
    EXPECT_EQ(ArrangeValue(INT_MIN, ARRANGE_MOD, -1, INT_MIN, INT_MAX), 0);
    EXPECT_EQ(ArrangeValue(70000, ARRANGE_MUL, 70000, -999999, 999999), 999999);
    EXPECT_EQ(ArrangeValue(INT_MAX, ARRANGE_PERCENT, INT_MAX, INT_MIN, INT_MAX), INT_MAX);

    // Clamped to the number's range.
    EXPECT_EQ(Apply(c, CMD_SHOT, 28, ARRANGE_SET, 100), 20);
    EXPECT_EQ(Apply(c, CMD_SHOT, 28, ARRANGE_SET, -100), -20);
}

TEST_F(FlowParamsTest, OperandSources) {
    cFlowCmd c = Cmd(CMD_STATUS_OP);
    common[0] = 50;
    stagevar[0] = 60;
    // Common and stage variable 0 are never operands; character variable 0 is.
    ApplyFlowArrangement(c, Arr(CMD_STATUS_OP, 0, ARRANGE_SET, ARRANGE_COMMON_VAR, 0), ctx);
    ApplyFlowArrangement(c, Arr(CMD_STATUS_OP, 0, ARRANGE_SET, ARRANGE_STAGE_VAR, 0), ctx);
    EXPECT_EQ(c.vParam[8], 0);
    ApplyFlowArrangement(c, Arr(CMD_STATUS_OP, 0, ARRANGE_SET, ARRANGE_CHARA_VAR, 0), ctx);
    EXPECT_EQ(c.vParam[8], 7);
    stagevar[2] = -30;
    ApplyFlowArrangement(c, Arr(CMD_STATUS_OP, 1, ARRANGE_SET, ARRANGE_STAGE_VAR, 2), ctx);
    EXPECT_EQ(c.vParam[9], -30);
    // Out of range: nothing.
    ApplyFlowArrangement(c, Arr(CMD_STATUS_OP, 1, ARRANGE_SET, ARRANGE_STAGE_VAR, 3), ctx);
    ApplyFlowArrangement(c, Arr(CMD_STATUS_OP, 1, ARRANGE_SET, ARRANGE_CHARA_VAR, -1), ctx);
    ApplyFlowArrangement(c, Arr(CMD_STATUS_OP, 1, ARRANGE_SET, ARRANGE_COMMON_VAR, 4), ctx);
    EXPECT_EQ(c.vParam[9], -30);
    // Any other source: the number itself is the operand.
    ApplyFlowArrangement(c, Arr(CMD_STATUS_OP, 1, ARRANGE_ADD, 3, 0), ctx);
    EXPECT_EQ(c.vParam[9], -60);
    // Too short an entry is ignored.
    ApplyFlowArrangement(c, PENDINGARRANGE{CMD_STATUS_OP, 1, ARRANGE_SET, ARRANGE_CHARA_VAR}, ctx);
    EXPECT_EQ(c.vParam[9], -60);
    EXPECT_EQ(spy.closes, 0);
}

TEST_F(FlowParamsTest, ArrangementsOnlyReachTheirKind) {
    // One naming ショット leaves a 直線移動 alone.
    cFlowCmd move = Cmd(CMD_STRAIGHT_MOVE);
    const cFlowCmd before = move;
    ApplyFlowArrangement(move, Arr(CMD_SHOT, 4, ARRANGE_SET, ARRANGE_CHARA_VAR, 0), ctx);
    EXPECT_EQ(move.spMove->nAngle, before.spMove->nAngle);
    EXPECT_EQ(move.spShot->nFormParam[2], before.spShot->nFormParam[2]);
    ApplyFlowArrangement(move, Arr(CMD_STRAIGHT_MOVE, 4, ARRANGE_SET, ARRANGE_CHARA_VAR, 0), ctx);
    EXPECT_EQ(move.spMove->nAngle, 7);

    // Item numbering: item code + 15 is the kind.
    cFlowCmd item = Cmd(CMD_SCREEN_COLOR - ITEM_CMD_OFFSET);
    item.nNumbering = CMDNUMBERING_ITEM;
    ApplyFlowArrangement(item, Arr(CMD_SCREEN_COLOR, 1, ARRANGE_SET, ARRANGE_CHARA_VAR, 0), ctx);
    EXPECT_EQ(item.vParam[1], 7);
    ApplyFlowArrangement(item, Arr(CMD_SCREEN_COLOR - ITEM_CMD_OFFSET, 1, ARRANGE_SET, 3, 0), ctx);
    EXPECT_EQ(item.vParam[1], 7);

    // The three moves without numbers, and kinds without any: nothing, no report.
    cFlowCmd circle = Cmd(CMD_CIRCLE_MOVE);
    ApplyFlowArrangement(circle, Arr(CMD_CIRCLE_MOVE, 0, ARRANGE_SET, ARRANGE_CHARA_VAR, 0), ctx);
    cFlowCmd wait = Cmd(CMD_WAIT);
    ApplyFlowArrangement(wait, Arr(CMD_WAIT, 0, ARRANGE_SET, ARRANGE_CHARA_VAR, 0), ctx);
    EXPECT_EQ(spy.closes, 0);

    // A number beyond a kind's row, or below it, is reported and changes
    // nothing; the program goes on.
    cFlowCmd bg = Cmd(CMD_CHANGE_BG);
    const size_t reported = spy.ec.size();
    ApplyFlowArrangement(bg, Arr(CMD_CHANGE_BG, 1, ARRANGE_SET, ARRANGE_CHARA_VAR, 0), ctx);
    ApplyFlowArrangement(bg, Arr(CMD_CHANGE_BG, INT_MAX, ARRANGE_SET, ARRANGE_CHARA_VAR, 0), ctx);
    ApplyFlowArrangement(bg, Arr(CMD_CHANGE_BG, -1, ARRANGE_SET, ARRANGE_CHARA_VAR, 0), ctx);
    EXPECT_EQ(spy.closes, 0);
    EXPECT_EQ(spy.ec.size(), reported + 3);
    EXPECT_EQ(bg.vParam[0], 0);
    EXPECT_EQ(bg.vParam[1], 0);
}

TEST_F(FlowParamsTest, FormationAndMovementValuesTakeTheShotTablesBounds) {
    cFlowCmd c = Cmd(CMD_SHOT);
    c.spShot->nFormation = 3;  // 落雷: 間隔 0..40, 列の数 1..50, 列の間隔 0..40
    EXPECT_EQ(Apply(c, CMD_SHOT, 3, ARRANGE_SET, 999), 50);
    EXPECT_EQ(Apply(c, CMD_SHOT, 3, ARRANGE_SET, 0), 1);
    EXPECT_EQ(Apply(c, CMD_SHOT, 2, ARRANGE_SET, 999), 40);
    c.spShot->nFormation = 4;  // 爆発 has no values: 0..0
    EXPECT_EQ(Apply(c, CMD_SHOT, 2, ARRANGE_SET, 9), 0);
    c.spShot->nMoveType = 8;   // ウェーブ: 開始角度 0..359
    EXPECT_EQ(Apply(c, CMD_SHOT, 17, ARRANGE_SET, 400), 359);

    cFlowCmd item = Cmd(CMD_SUMMON_ITEM);
    item.spShot->nFormation = 2;  // 拡散: 角度 0..180
    EXPECT_EQ(Apply(item, CMD_SUMMON_ITEM, 1, ARRANGE_SET, 500), 180);
    cFlowCmd block = Cmd(CMD_SUMMON_BLOCK);
    block.spShot->nFormation = 3;
    EXPECT_EQ(Apply(block, CMD_SUMMON_BLOCK, 1, ARRANGE_SET, 500), 50);
}

TEST_F(FlowParamsTest, DedicatedGraphicBeyondTheBitmapsFallsBackToOne) {
    cFlowCmd c = Cmd(CMD_CHANGE_GRAPHIC);
    c.vParam[0] = 4;
    EXPECT_EQ(Apply(c, CMD_CHANGE_GRAPHIC, 0, ARRANGE_SET, 4), 4);
    EXPECT_EQ(Apply(c, CMD_CHANGE_GRAPHIC, 0, ARRANGE_SET, 5), 1);
    c.vParam[0] = 0;
    EXPECT_EQ(Apply(c, CMD_CHANGE_GRAPHIC, 0, ARRANGE_SET, 50), 50);
}

TEST_F(FlowParamsTest, InputDirectionCodes) {
    // Outside playback the flag chooses the rule.
    EXPECT_EQ(GetInputDirCode(0, 1, 0), 2);   // 左
    EXPECT_EQ(GetInputDirCode(0, 0, 1), 3);   // 右
    EXPECT_EQ(GetInputDirCode(9, 0, 0), 2);
    EXPECT_EQ(GetInputDirCode(9, 0, 1), 3);
    EXPECT_EQ(GetInputDirCode(9, 1, 1), 0);   // 前
    const int want[9] = {0, 2, 3, 6, 7, 8, 9, 10, 11};
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(GetInputDirCode(i, 0, 0), want[i]);
    EXPECT_EQ(GetInputDirCode(10, 1, 1), 3);
    EXPECT_EQ(GetInputDirCode(-1, 1, 0), 2);

    // Playback: older replays keep the rule of their version.
    SetInputDirPlayback(1, 777);
    EXPECT_EQ(GetInputDirCode(9, 0, 1), 0);
    SetInputDirPlayback(1, 779);
    EXPECT_EQ(GetInputDirCode(9, 1, 1), 3);
    SetInputDirPlayback(1, 780);
    EXPECT_EQ(GetInputDirCode(9, 1, 1), 0);
    EXPECT_EQ(GetInputDirCode(9, 0, 1), 3);
}

}  // namespace
