// Cases of the shot, sword and summon commands (11 to 15) at the counts and
// powers that change their outcome: 0, and the largest values a stage file
// can hold.
#include <climits>

#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kTable = "character commands";

// A target of side 2 and 10 HP at (x, y) that marks S<hit> when a shot hits
// it, S<hurt> on damage and S<died> when it dies (0: no such flow).
void Target(cStageKit& k, int x, int y, int hit, int hurt, int died) {
    cCharaData c = Dummy("的");
    c.byForce = 2;
    c.byFlying = 1;
    c.bySetting52 = 3;
    if (hit) c.vFlow.push_back(MarkFlow(7, hit));
    if (hurt) c.vFlow.push_back(MarkFlow(TRG_DAMAGED, hurt));
    if (died) c.vFlow.push_back(MarkFlow(TRG_DIED, died));
    Put(k, c, x, y);
}

// An attacker of side 1 facing right at (x, y) that runs `cmd` once.
void Attacker(cStageKit& k, int x, int y, const cFlowCmd& cmd) {
    cCharaData c = Dummy("撃つ", CG_CANNON);
    c.byFlying = 1;
    c.bySetting52 = 3;
    c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 1), cmd, Cmd(CMD_WAIT, 9999)}));
    Put(k, c, x, y, 1);
}

// A fan (拡散) with no angle between its stars: every star on one line along the row.
cFlowCmd Shot(int count, int power) {
    cFlowCmd c = ShotCmd(1, SG_STAR, count, 40, power);
    c.spShot->nFormation = 2;
    c.spShot->nFormParam[0] = 0;
    c.spShot->nMoveType = 0;
    return c;
}

cFlowCmd Summon(int code, int index, int count) {
    cFlowCmd c = Cmd(code, 0);
    cEdShot::Create(c.spShot);
    c.spShot->nShotNum = static_cast<uint8_t>(count);
    c.spShot->nFormation = 4;
    c.spShot->nSummonKind = 1;
    c.spShot->nSummonIndex = static_cast<int16_t>(index);
    c.spShot->nRange = 100;
    return c;
}

}  // namespace

void AddAttackCmdValueCases(std::vector<CONFCASE>& v) {
    v.push_back(Case("cmdv-11-12-shot-sword-values", kTable, "11 ショット, 12 ソード (発射数 0, 最大の発射数, 最大と最小の威力)",
                     "Attackers facing right fire fans of stars with no angle between them along their rows at "
                     "targets of 10 HP: a volley of 0 stars "
                     "fires nothing (S1 = 0); the largest volley, 255 stars of power 0, hits (S2); a star of the largest power, "
                     "2147483647, kills its target (S3); one of the smallest power, -2147483648, heals (its target "
                     "is hurt-flagged, S4 = 1, and lives on at 10 HP, S5 = 10); a sword of the largest power kills "
                     "the target beside it (S6).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "ショットの値", {}, true, 40);
                         Attacker(k, 4, 2, Shot(0, 0));
                         Target(k, 9, 2, 1, 0, 0);
                         Attacker(k, 4, 4, Shot(255, 0));
                         Target(k, 9, 4, 2, 0, 0);
                         Attacker(k, 4, 6, Shot(1, INT_MAX));
                         Target(k, 9, 6, 0, 0, 3);
                         Attacker(k, 4, 8, Shot(1, INT_MIN));
                         Target(k, 9, 8, 0, 4, 0);
                         k.Stage()->vPlacedChara.back().vFlow.push_back(Flow(TRG_ALWAYS, {Code("S5 = hp")}));
                         Attacker(k, 18, 12, SwordCmd(5, SWORD_BLADE, INT_MAX));
                         Target(k, 19, 12, 0, 0, 6);
                     },
                     {{1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 10}, {6, 1}}, 90));
    v.push_back(Case("cmdv-14-summon-values", kTable, "14 キャラ召喚, 15 アイテム召喚 (数 0, 最大の数, 最大の番号)",
                     "Summoners call a stage character whose flow counts: a count of 0 summons nobody (S1 = 0); the "
                     "largest count, 255, summons as many as the formation places (S2 at least 1: checked as the "
                     "first mark); character number 32767 is brought back to the first stage character at load, "
                     "which is summoned and marks (S3). The hero summons items at its place: a count of 0 gives "
                     "nothing to take (S4 = 0); item number 32767 is brought back to the first stage item, taken "
                     "and marking (S5).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "召喚の値", {}, true, 40);
                         // The first stage character marks S3; the next two S1 and S2.
                         int index[4] = {};
                         for (int var : {3, 1, 2}) {
                             cCharaData marker = Dummy("召喚された");
                             marker.vFlow.push_back(Flow(TRG_ALWAYS, {SetVar(var), Cmd(CMD_WAIT, 9999)}));
                             index[var] = k.AddChara(marker);
                         }
                         Attacker(k, 6, 4, Summon(CMD_SUMMON_CHARA, index[1], 0));
                         Attacker(k, 12, 4, Summon(CMD_SUMMON_CHARA, index[2], 255));
                         Attacker(k, 18, 4, Summon(CMD_SUMMON_CHARA, SHRT_MAX, 1));
                         // The hero summons items at its own place and takes them: the first stage item marks
                         // S5, the second S4.
                         int item[6] = {};
                         for (int var : {5, 4}) {
                             cItemData it = Coin();
                             it.vCmd.clear();
                             cFlowCmd code = ItemCmd(CMD_CODE);
                             code.strText = "S" + std::to_string(var) + " = 1";
                             it.vCmd.push_back(code);
                             item[var] = k.AddItem(it);
                         }
                         HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Summon(CMD_SUMMON_ITEM, item[4], 0),
                                                                     Summon(CMD_SUMMON_ITEM, SHRT_MAX, 1),
                                                                     Cmd(CMD_WAIT, 9999)}));
                     },
                     {{1, 0}, {2, 1}, {3, 1}, {4, 0}, {5, 1}}, 30));
}

}  // namespace sample
