// The compiled form of a code text against the text evaluated directly:
// every call either path makes of the game, in order and with its
// arguments (reads, assignments, their effects, messages, bad indices),
// the random numbers drawn and the results must be the same, run after run.
#include "actors/expr/expr_program.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "actors/actors_state.h"
#include "actors/expr/expr_eval.h"
#include "actors/expr_logging_host.h"
#include "records/crt_rand.h"

namespace {

// A game set up the same way for both paths: bits 0-3 fill target slots,
// bit 4 makes the running character the hero, bit 5 leaves lives unused,
// bit 6 sets the lives switch.
void SetUp(cLoggingHost& host, int setup) {
    for (int i = 0; i < 4; ++i) host.bTarget[i] = (setup >> i) & 1;
    host.my.nKind = (setup >> 4) & 1;
    host.vSys[CODE_SYS_LIFE] = (setup & 0x20) ? CODE_LIFE_UNUSED : 3;
    host.bLivesSwitch = (setup & 0x40) != 0;
    host.vSys[CODE_SYS_SCORE] = 40;
    host.vCommon[1] = 6;
    host.vStage[2] = -9;
    host.my.vStatus[CODE_ST_V1] = 11;
}

// Runs text three times on one game through each path, with the same random
// numbers, and compares everything the game saw.
void ExpectSameRuns(const std::string& text, int setup) {
    cLoggingHost direct, compiled;
    SetUp(direct, setup);
    SetUp(compiled, setup);
    const std::shared_ptr<const CODEPROGRAM> program = CompileCode(text);
    for (int run = 0; run < 3; ++run) {
        crt::srand(1234 + run);
        const int a = RunCode(text, direct);
        const int next = crt::rand();
        crt::srand(1234 + run);
        const int b = RunCodeProgram(*program, compiled);
        ASSERT_EQ(a, b) << '"' << text << "\" setup " << setup << " run " << run;
        ASSERT_EQ(direct.vLog, compiled.vLog) << '"' << text << "\" setup " << setup << " run " << run;
        ASSERT_EQ(next, crt::rand()) << '"' << text << "\" draws a different count of random numbers";
    }
}

class ExprProgram : public ::testing::Test {
protected:
    ExprProgram() { ResetActorsState(); }
    ~ExprProgram() override { ResetActorsState(); }
};

TEST_F(ExprProgram, RunsAsTheTextOnATableOfTexts) {
    const std::string deep = std::string(CODE_MAX_DEPTH + 1, '(') + "1" + std::string(CODE_MAX_DEPTH + 1, ')');
    const std::string fits = std::string(CODE_MAX_DEPTH, '(') + "C1 = 6" + std::string(CODE_MAX_DEPTH, ')');
    const std::vector<std::string> texts = {
        // Values, precedence, assignments and their effects.
        "my.v2 = ( my.v1 + 7 ) * 2 - my.v2 / 3", "", "   ", "5", "-5", "4 7", "2 + 3 * 4 - 6 / 2 % 2",
        "S3 = S3 + 1 C3 = S3", "C1 = 2 C2 = C1 + 1", "mhp = 10 hp = 999", "my.hp = 999999", "my.mhp = 0 msp = 5",
        "tg2.hp = -3", "tg.hp = 0", "hp = 0", "sight = 50 pl.sight = 3", "my.z = 300 cid = -4 mark = 5000 imp = -100",
        "time = 5000 scrlx = -999 sys.scrly = 3 score = score * 2", "life = 500", "life", "life = 2",
        "2147483647 + 1", "-2147483648 / -1 -2147483648 % -1", "99999999999", "12abc", "5 x.hp",
        "\x82\xa0(1) \x83\x5c\x83\x7c 9",
        // Groups and calls put their values into the text.
        "(3 + 4) * 2", "((1 + 2) * (3 + 4)) - 1", "(((1) + (2)) * ((3)))", fits, "(1)5", "(2)abc", "(-5)",
        "(1)(2)", "-(5)", "C(1)", "my.(1)", "x.rand(1,2)", "abc(1)", "2*(3+4)", "(1)my.hp", "(3) = 4", "C1 = (4)",
        "hp = (hp - 5) v1 = (v1 + 1)", "(C1 = 5) + (C1)", "C1 = (C1 + 1) C2 = C1", "rand(3,3)rand(1,2)",
        "rand(4,,4)", "rand(1,5)3 + (7)0", "(2147483647)9", "(0 - 2147483647 - 1)", "(0 - 5)7", "rand(C1, S2)",
        "C10 = rand(1, 6) C11 = rand(-3, (2 * 3))", "(1 + rand(0, 9)) * (rand(0, 9))", "(5).(6) 7",
        "C1 = (1)5 C2 = (2147483647)9 C3 = (0 - 5)7", "C4 = rand(1,5)3 + (7)0 S1 = (12)x S2 = (0 - 2147483647 - 1)",
        // Errors: an error in a group leaves it 0; others end the text.
        "1 / 0", "( 5 % 0 )", "C1 = (2) / (0)", "C1 = rand(0,0) / 0 + 1", "C5 = (rand(0,0)) % (0)",
        "( hp = 70 ) ( 1 / 0 ) ( 2 / 0 ) C1 = 5", "C2 = rand(4, (1 / 0) + 4)", "rand(6)", "rand(1, 2, 3)",
        "rand((C1 = 3), 2, (C2 = 4))", "rand(1, , 6)", "C1 = 3 rand(5) C2 = 4", "( 1 + 2", "((1)", "(1))", ")(",
        "1) + (2", "rand((1,2)", "rand(3,3)rand(1,2", "C3 = 1 (C4 = 2 (", "foo.hp", "my.foo.hp", "1.5", ".hp",
        "(1).hp", "(rand(1,9)).hp", "C1 = 5 (3).hp", "5 (3).hp", "C1 = 5 (3)x.hp", "(12)3.hp", "tg.hp",
        "tg. (1)", "tg.(1)", "tg.time", "tg4.5", "sys.hp", "sys.v1 = 3", "- 5", "5 +", "C1001", "S1000 = 1",
        "C-1", "5 = 3", "C1 = 2 = 3", "(5 = 3) C1 = 1", "C1 = (5 +) + 2", deep, "(" + deep + ") C2 = 3",
        std::string("C8 = 4\0C8 = 9", 13),
    };
    for (const std::string& text : texts)
        for (int setup : {0x00, 0x01, 0x12, 0x2F, 0x7F}) ExpectSameRuns(text, setup);
}

TEST_F(ExprProgram, RunsAsTheTextOnRandomTexts) {
    // Texts strung from the language's pieces, brackets, blanks and prefixes
    // in any order: mostly faulty, often nested, with groups inside words.
    const char* const pieces[] = {"(", "(", ")", ")", " ", " ", " ", "rand", ",", "C1", "S2", "C1001", "hp", "mhp",
                                  "v1", "life", "score", "scrlx", "my.", "tg.", "tg3.", "sys.", "pl.", "x.", ".",
                                  "=", "=", "+", "-", "*", "/", "%", "0", "7", "-3", "12", "999999", "\x82\xa0"};
    std::mt19937 gen(20261208);
    std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(1, 16), setup(0, 0x7F);
    for (int n = 0; n < 3000; ++n) {
        std::string text;
        for (int k = length(gen); k > 0; --k) text += pieces[pick(gen)];
        ExpectSameRuns(text, setup(gen));
        if (HasFatalFailure()) return;
    }
}

}  // namespace
