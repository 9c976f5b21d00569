// Cases of the flow conditions: for each kind a flow whose condition holds
// marks S1, and a twin flow whose condition does not hold leaves S2 at 0.
#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kTable = "conditions";

cEdCond Cond(int kind, int var, int op, int value) {
    cEdCond c;
    c.nKind = static_cast<uint8_t>(kind);
    c.nVarNum = static_cast<int16_t>(var);
    c.nCompare = static_cast<uint8_t>(op);
    c.nValue = value;
    return c;
}

cFlow CondFlow(int var, std::vector<cEdCond> conds, int mode = 0) {
    cFlow f = MarkFlow(TRG_ALWAYS, var);
    for (const cEdCond& c : conds) f.vCond.push_back(c);
    f.nCondMode = static_cast<uint8_t>(mode);
    return f;
}

// A still character (`setup` changes it) whose set-up code `before` runs
// before play, with a flow marking S1 under `yes` and one marking S2 under `no`.
std::function<void(cStageData&)> Judge(const std::string& before, std::vector<cEdCond> yes, std::vector<cEdCond> no,
                                       std::function<void(cCharaData&)> setup = {}, int modeYes = 0, int modeNo = 0) {
    return [=](cStageData& s) {
        cStageKit& k = Arena(s, "条件");
        cCharaData c = Dummy();
        if (setup) setup(c);
        if (!before.empty()) {
            cFlowCmd code = Code(before);
            code.bNoWait = 1;
            c.vFlow.push_back(Flow(21, {code}));
        }
        c.vFlow.push_back(CondFlow(1, yes, modeYes));
        c.vFlow.push_back(CondFlow(2, no, modeNo));
        Put(k, c, 7, 12);
    };
}

CONFCASE Judged(const char* name, const char* rule, const char* shows, std::function<void(cStageData&)> build) {
    return Case(name, kTable, rule, shows, std::move(build), {{1, 1}, {2, 0}}, 10);
}

}  // namespace

void AddConditionCases(std::vector<CONFCASE>& v) {
    v.push_back(Judged("cond-1-common-var", "1 コモン変数条件",
                       "C5 is set to 6 before play: \"C5 = 6\" holds (S1 = 1), \"C5 = 7\" does not (S2 = 0).",
                       Judge("C5 = 6", {Cond(1, 5, 0, 6)}, {Cond(1, 5, 0, 7)})));
    v.push_back(Judged("cond-2-stage-var", "2 ステージ変数条件",
                       "S5 is set to 6 before play: \"S5 ≥ 6\" holds (S1 = 1), \"S5 > 6\" does not (S2 = 0).",
                       Judge("S5 = 6", {Cond(2, 5, 2, 6)}, {Cond(2, 5, 4, 6)})));
    v.push_back(Judged("cond-3-chara-var", "3 キャラ変数条件",
                       "The character's variable 1 is set to 6: \"a multiple of 3\" holds (S1 = 1), \"not a multiple "
                       "of 3\" does not (S2 = 0).",
                       Judge("v1 = 6", {Cond(3, 1, 6, 3)}, {Cond(3, 1, 7, 3)})));
    {
        cEdCond yes = Cond(4, 5, 0, 6), no = Cond(4, 5, 0, 7);
        for (cEdCond* c : {&yes, &no}) {
            c->nTestWhat = 1;
            c->nVarKind = 1;
        }
        v.push_back(Judged("cond-4-operand-const", "4 ステータス条件 (定数)",
                           "S5 is set to 6: S5 compared with the constant 6 holds (S1 = 1), with 7 it does not (S2 = 0).",
                           Judge("S5 = 6", {yes}, {no})));
        for (cEdCond* c : {&yes, &no}) c->nOperandKind = 1;
        yes.nRandMin = yes.nRandMax = 6;
        no.nRandMin = 7;
        no.nRandMax = 9;
        v.push_back(Judged("cond-4-operand-random", "4 ステータス条件 (乱数)",
                           "S5 is set to 6: S5 equal to a random number from 6 to 6 holds (S1 = 1); from 7 to 9 it "
                           "never does (S2 = 0).",
                           Judge("S5 = 6", {yes}, {no})));
    }
    v.push_back(Judged("cond-5-status-invincible", "5 ステータス条件2 (無敵)",
                       "An invincible character: \"無敵 = 1\" holds (S1 = 1), \"無敵 = 0\" does not (S2 = 0).",
                       Judge("", {[] { cEdCond c = Cond(5, 1, 0, 0); c.nStatus = 4; return c; }()},
                             {[] { cEdCond c = Cond(5, 0, 0, 0); c.nStatus = 4; return c; }()},
                             [](cCharaData& c) { c.byInvincible = 1; })));
    v.push_back(Judged("cond-6-state-present", "6 ステータス条件3 (存在している)",
                       "A character on the stage: \"存在している\" holds (S1 = 1); its inverse does not (S2 = 0).",
                       Judge("", {[] { cEdCond c = Cond(6, 0, 0, 0); c.nStatus = 3; return c; }()},
                             {[] { cEdCond c = Cond(6, 0, 1, 0); c.nStatus = 3; return c; }()})));
    {
        auto dist = [](int hbl, int sense) {
            cEdCond c = Cond(7, 0, sense, hbl);
            c.nAxis = 6;
            return c;
        };
        v.push_back(Judged("cond-7-distance", "7 距離条件 (円)",
                           "The hero stands five blocks (10 half blocks, 160 dots) away: \"within 12 half "
                           "blocks\" holds (S1 = 1), \"within 8\" (128 dots; 8 blocks would reach) does not "
                           "(S2 = 0).",
                           Judge("", {dist(12, 0)}, {dist(8, 0)})));
        v.push_back(Judged("cond-7-distance-outside", "7 距離条件 (外)",
                           "The hero stands five blocks (160 dots) away: \"outside 8 half blocks\" (128 dots) "
                           "holds (S1 = 1), \"outside 12\" does not (S2 = 0).",
                           Judge("", {dist(8, 1)}, {dist(12, 1)})));
    }
    v.push_back(Judged("cond-mode-any", "条件モード 1つ以上の条件が真なら成立",
                       "S5 = 6: the list (S5 = 7, S5 = 6) holds with \"one or more\" (S1 = 1) and not with \"all\" "
                       "(S2 = 0).",
                       Judge("S5 = 6", {Cond(2, 5, 0, 7), Cond(2, 5, 0, 6)}, {Cond(2, 5, 0, 7), Cond(2, 5, 0, 6)}, {},
                             1, 0)));
    v.push_back(Case("cond-key", kTable, "キー条件 (押)",
                     "Z is pressed: the hero's flow on Z marks S1; its flow on the A-button slot, never pressed, "
                     "leaves S2 at 0.",
                     [](cStageData& s) {
                         Arena(s, "キー条件");
                         HeroOf(s).vFlow.push_back(KeyFlow(SetVar(1), KEYSLOT_BUTTON1, false, 8));
                         HeroOf(s).vFlow.push_back(KeyFlow(SetVar(2), 14, false, 9));
                     },
                     {{1, 1}, {2, 0}}, 20, CONFEND_PLAYING, "5 Z down\n8 Z up\n"));
}

}  // namespace sample
