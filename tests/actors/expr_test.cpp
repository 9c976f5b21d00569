#include "actors/expr/expr_eval.h"

#include <gtest/gtest.h>

#include <string>

#include "actors/actors_state.h"
#include "actors/expr_fake_host.h"

namespace {

class Expr : public ::testing::Test {
protected:
    Expr() { ResetActorsState(); }
    ~Expr() override { ResetActorsState(); }

    // The value of a text, and whether it failed.
    int Eval(const std::string& text, bool* bError = nullptr) {
        CODECONTEXT ctx(host);
        const int v = EvalExpr(ctx, text, MatchCodeBrackets(text), 0, static_cast<int>(text.size()), 0);
        if (bError) *bError = ctx.bCodeError;
        return v;
    }
    int32_t& My(int st) { return host.my.vStatus[st]; }

    cFakeExprHost host;
};

TEST_F(Expr, TheWorkedExamples) {
    My(CODE_ST_MHP) = 120;
    EXPECT_EQ(RunCode("my.hp = my.mhp", host), 1);
    EXPECT_EQ(My(CODE_ST_HP), 120);
    ASSERT_EQ(host.vHpGauge.size(), 1u);  // only the running character's gauge, with new - old
    EXPECT_EQ(host.vHpGauge[0].second, 70);

    host.bTarget[0] = true;
    host.tg[0].vStatus[CODE_ST_V1] = 4;
    EXPECT_EQ(RunCode("tg.v1 = ( tg.v1 + 1 ) * 2", host), 1);
    EXPECT_EQ(host.tg[0].vStatus[CODE_ST_V1], 10);

    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(RunCode("C10 = rand(1, 6)", host), 1);
        EXPECT_GE(host.vCommon[10], 1);
        EXPECT_LE(host.vCommon[10], 6);
    }
    host.vStage[3] = 7;
    EXPECT_EQ(RunCode("S3 = S3 + 1 C3 = S3", host), 1);
    EXPECT_EQ(host.vStage[3], 8);
    EXPECT_EQ(host.vCommon[3], 7);  // items are read before any operator runs
    EXPECT_EQ(RunCode("C1 = 2 C2 = C1 + 1", host), 1);
    EXPECT_EQ(host.vCommon[1], 2);
    EXPECT_EQ(host.vCommon[2], 1);
    EXPECT_EQ(Eval("1 + 2 * 3"), 7);
    EXPECT_TRUE(host.vBox.empty());
}

TEST_F(Expr, ValuesPrecedenceGroupsAndWords) {
    EXPECT_EQ(Eval(""), 0);
    EXPECT_EQ(Eval("   "), 0);
    EXPECT_EQ(RunCode("  ", host), 1);
    EXPECT_EQ(Eval("5"), 5);
    EXPECT_EQ(Eval("-5"), -5);
    EXPECT_EQ(Eval("(3 + 4) * 2"), 14);
    EXPECT_EQ(Eval("2 * ( 3 + 4 )"), 14);
    EXPECT_EQ(Eval("2*(3+4)"), 2);  // one word
    EXPECT_EQ(Eval("((1 + 2) * (3 + 4)) - 1"), 20);
    EXPECT_EQ(Eval("2 + 3 * 4 - 6 / 2 % 2"), 13);
    EXPECT_EQ(Eval("10 - 3 - 2"), 5);
    EXPECT_EQ(Eval("100 / 10 / 5"), 2);
    EXPECT_EQ(Eval("4 7"), 7);  // leftover items are ignored; the last one made is the value
    EXPECT_EQ(Eval("abc(1)"), 0);
    EXPECT_EQ(Eval("12abc"), 12);
    EXPECT_EQ(Eval("99999999999"), INT32_MAX);
    EXPECT_EQ(Eval("2147483647 + 1"), INT32_MIN);  // wraps
    EXPECT_EQ(Eval("rand(4,,4)"), 4);             // empty arguments are skipped
    EXPECT_EQ(Eval("rand(3,3)rand(1,2)"), 3);     // after a call the rest of the word is inert
    EXPECT_EQ(Eval("5 x.hp"), 50);                // after an item an unknown prefix is dropped
    EXPECT_EQ(Eval("\x82\xa0(1) \x83\x5c\x83\x7c 9"), 9);  // Shift-JIS words with 0x5C/0x7C trail bytes
    host.vSys[CODE_SYS_TIME] = 321;
    EXPECT_EQ(Eval("time"), 321);
    EXPECT_EQ(Eval("my.time"), 321);
    EXPECT_EQ(Eval("sys.time"), 321);
    My(CODE_ST_HP) = 5;
    EXPECT_EQ(RunCode("hp = 5", host), 1);
    EXPECT_TRUE(host.vHpGauge.empty());  // unchanged points start no gauge
}

TEST_F(Expr, DivisionAndRemainderTruncateTowardZero) {
    EXPECT_EQ(Eval("7 / 2"), 3);
    EXPECT_EQ(Eval("-7 / 2"), -3);
    EXPECT_EQ(Eval("7 / -2"), -3);
    EXPECT_EQ(Eval("-7 % 2"), -1);
    EXPECT_EQ(Eval("7 % -2"), 1);
    EXPECT_EQ(Eval("-2147483648 / -1"), INT32_MIN);
    EXPECT_EQ(Eval("-2147483648 % -1"), 0);
    bool bError = false;
    EXPECT_EQ(Eval("1 / 0", &bError), 0);
    EXPECT_TRUE(bError);
    EXPECT_EQ(Eval("( 5 % 0 )", &bError), 0);
    ASSERT_EQ(host.vBox.size(), 2u);
    EXPECT_EQ(host.vBox[0], "0除算が行われました！(1 / 0)");
    EXPECT_EQ(host.vBox[1], "0除算が行われました！( 5 % 0 )");
}

TEST_F(Expr, AssignmentsClampAndTakeEffect) {
    EXPECT_EQ(RunCode("my.z = 300 cid = -4 mark = 5000 imp = -100 stop = 70000 C1 = 5000000 S2 = -5000000", host), 1);
    EXPECT_EQ(My(CODE_ST_Z), 7);
    EXPECT_EQ(My(CODE_ST_CID), 0);
    EXPECT_EQ(My(CODE_ST_MARK), 119);
    EXPECT_EQ(My(CODE_ST_IMP), -20);
    EXPECT_EQ(My(CODE_ST_STOP), 200);
    EXPECT_EQ(host.vCommon[1], 999999);
    EXPECT_EQ(host.vStage[2], -999999);
    EXPECT_EQ(Eval("C5 = 3 + 4"), 7);  // the stored value is the result

    EXPECT_EQ(RunCode("my.hp = 999999", host), 1);
    EXPECT_EQ(My(CODE_ST_HP), 100);  // bounded by the max hit points
    EXPECT_EQ(RunCode("my.mhp = 0 msp = 5", host), 1);
    EXPECT_EQ(My(CODE_ST_MHP), 1);
    EXPECT_EQ(My(CODE_ST_HP), 1);  // follows the new maximum
    EXPECT_EQ(My(CODE_ST_SP), 5);
    EXPECT_EQ(RunCode("mhp = 50 hp = 50", host), 1);
    EXPECT_EQ(RunCode("mhp = 10 hp = 999", host), 1);
    EXPECT_EQ(My(CODE_ST_HP), 10);  // bounded by the maximum as it is when stored
    EXPECT_EQ(host.vSpGauge.back().second, -5);

    host.bTarget[1] = true;
    EXPECT_EQ(RunCode("tg2.hp = -3", host), 1);
    EXPECT_EQ(host.tg[1].vStatus[CODE_ST_HP], 0);
    EXPECT_EQ(host.nDeathCheck, 1);
    EXPECT_EQ(RunCode("hp = 0", host), 1);
    EXPECT_EQ(host.nDeathCheck, 1);  // the running character's own death is not a request

    host.my.nKind = 0;
    host.pl.nKind = 1;
    EXPECT_EQ(RunCode("sight = 50 pl.sight = 3", host), 1);
    EXPECT_EQ(host.my.nSightRadius, 40 * 16);
    EXPECT_EQ(host.pl.nSightRadius, -1);
    EXPECT_EQ(host.pl.vStatus[CODE_ST_SIGHT], 3);

    host.vSys[CODE_SYS_SCORE] = 10;
    EXPECT_EQ(RunCode("time = 5000 scrlx = -999 sys.scrly = 3 score = score * 2", host), 1);
    EXPECT_EQ(host.vSys[CODE_SYS_TIME], 999);
    EXPECT_EQ(host.vSys[CODE_SYS_SCRLX], -480);
    EXPECT_EQ(host.vSys[CODE_SYS_SCRLY], 3);
    EXPECT_EQ(host.vSys[CODE_SYS_SCORE], 20);
    EXPECT_EQ(host.vScroll, (std::vector<int>{CODE_SYS_SCRLX, CODE_SYS_SCRLY}));

    host.vSys[CODE_SYS_LIFE] = 3;
    EXPECT_EQ(Eval("life = 500"), 99);
    host.vSys[CODE_SYS_LIFE] = CODE_LIFE_UNUSED;
    EXPECT_EQ(Eval("life"), 100);
    host.bLivesSwitch = true;
    EXPECT_EQ(Eval("life"), 0);
    Eval("life = 2");
    EXPECT_EQ(host.vSys[CODE_SYS_LIFE], CODE_LIFE_UNUSED);
    EXPECT_TRUE(host.vBox.empty());
}

TEST_F(Expr, ErrorsShowTheirMessagesAndFail) {
    const struct {
        const char* text;
        const char* box;
    } cases[] = {
        {"5 = 3", "代入先が不正です！"},
        {"C1 = 2 = 3", "代入先が不正です！"},
        {"rand(6)", "関数 rand の引数が不正です！"},
        {"rand(1, 2, 3)", "関数 rand の引数が不正です！"},
        {"rand(1, , 6)", "関数 rand の引数が不正です！"},
        {"( 1 + 2", "\")\"が見つかりません！"},
        {"foo.hp", "オブジェクト \"foo.\" が認識できません！"},
        {"my.foo.hp", "オブジェクト \"foo.\" が認識できません！"},
        {"1.5", "オブジェクト \"1.\" が認識できません！"},
        {"\x82\xa0.hp", "オブジェクト \"\x82\xa0.\" が認識できません！"},
    };
    for (const auto& c : cases) {
        host.vBox.clear();
        EXPECT_EQ(RunCode(c.text, host), 0) << c.text;
        EXPECT_EQ(host.vBox, std::vector<std::string>{c.box}) << c.text;
    }
    // Silent failures: an empty target slot, a status without a character.
    host.vBox.clear();
    for (const char* text : {"tg.hp", "tg.time", "tg4.5", "sys.hp", "sys.v1 = 3"}) EXPECT_EQ(RunCode(text, host), 0);
    EXPECT_TRUE(host.vBox.empty());
    // Bad indices of the checked lists: an operator without an operand, a variable beyond its list.
    for (const char* text : {"- 5", "5 +", "C1001", "S1000 = 1", "C-1"}) EXPECT_EQ(RunCode(text, host), 0);
    EXPECT_EQ(host.nBadIndex, 5);
    EXPECT_TRUE(host.vBox.empty());
}

TEST_F(Expr, AnErrorInAGroupLeavesItZeroAndTheRestRuns) {
    EXPECT_EQ(RunCode("( hp = 70 ) ( 1 / 0 ) ( 2 / 0 ) C1 = 5", host), 0);
    EXPECT_EQ(My(CODE_ST_HP), 70);  // made before the error: it stays
    EXPECT_EQ(host.vCommon[1], 5);
    EXPECT_TRUE(host.vHpGauge.empty());     // a failed run starts no gauge
    EXPECT_EQ(host.vBox.size(), 1u);        // one box per evaluation
    EXPECT_EQ(RunCode("C2 = rand(4, (1 / 0) + 4)", host), 0);  // an argument's group too
    EXPECT_EQ(host.vCommon[2], 4);
}

TEST_F(Expr, DeepAndLongTextsAreBounded) {
    const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
    EXPECT_EQ(RunCode(deep, host), 0);
    EXPECT_EQ(host.vBox, std::vector<std::string>{"括弧の入れ子が深すぎます！"});
    const std::string ok = std::string(CODE_MAX_DEPTH, '(') + "6" + std::string(CODE_MAX_DEPTH, ')');
    EXPECT_EQ(Eval(ok), 6);

    std::string sum = "C7 = 0";
    for (int i = 0; i < 200000; ++i) sum += " + (1)";
    EXPECT_EQ(RunCode(sum, host), 1);
    EXPECT_EQ(host.vCommon[7], 200000);
    EXPECT_EQ(RunCode(std::string("C8 = 4\0C8 = 9", 13), host), 1);  // the text ends at its first NUL
    EXPECT_EQ(host.vCommon[8], 4);
}

}  // namespace
