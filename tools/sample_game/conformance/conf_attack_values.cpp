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
    v.push_back(Case("cmdv-11-shot-largest-speed", kTable, "11 ショット (最大の速度 3276.7)",
                     "Stars of the largest speed, 3276.7 dots a frame, are held to the stage's speed limit of 6 "
                     "dots a step, 60 a frame at its ten steps a frame, and so hit what lies in their way: one "
                     "without a flight distance flies along its row into the target nine blocks away (S1), "
                     "within a fifth of a second (S2 = 1). With a flight distance of 40 half blocks the whole "
                     "flight would take less than a frame, so it lasts one frame, of which the limit leaves 60 "
                     "dots: the star hits a target two blocks from the gun (S3) and vanishes short of one four "
                     "blocks away (S6 = 0). The guns play on (S4 = S5 = 1).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "最大の速度のショット", {}, true, 40);
                         const struct {
                             int y, range, targetX, hit, mark;
                         } guns[] = {{4, 0, 14, 1, 4}, {8, 1, 7, 3, 5}, {10, 1, 9, 6, 0}};
                         for (const auto& g : guns) {
                             cFlowCmd shot = ShotCmd(1, SG_STAR, 1, SHRT_MAX, 1);
                             shot.spShot->bRangeOn = static_cast<uint8_t>(g.range);
                             cCharaData c = Dummy("撃つ", CG_CANNON);
                             c.byFlying = 1;
                             c.bySetting52 = 3;
                             c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 1), shot, Cmd(CMD_WAIT, 3),
                                                                 g.mark ? SetVar(g.mark) : Cmd(CMD_WAIT, 0),
                                                                 Cmd(CMD_WAIT, 9999)}));
                             if (g.hit == 1)
                                 c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 3), Code("S2 = S1"), Cmd(CMD_WAIT, 9999)}));
                             Put(k, c, 4, g.y, 1);
                             Target(k, g.targetX, g.y, g.hit, 0, 0);
                         }
                     },
                     {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 0}}, 90));
    {
        // Each row: a gun fires a star along it at a target eight blocks away; halfway a flying character
        // of the gun's side summons a block at its place, which stops the star (S<row> = 0).
        struct BLOCKSUMMON {
            int count, palette, index;
        };
        const BLOCKSUMMON rows[] = {{0, 1, 2}, {255, 1, 2}, {1, 0, 3}, {1, 255, 3}, {1, 1, SHRT_MAX}, {1, 1, 0}};
        v.push_back(Case("cmdv-13-block-summon-values", kTable,
                         "13 ブロック召喚 (数 0, 最大の数; パレット 0, 最大の値; 番号 0, 最大の番号)",
                         "Flying characters summon a block at their place between a gun and its target: a count "
                         "of 0 summons none and the star hits (S1 = 1); the largest count, 255, puts its blocks "
                         "on the one point (爆発) and the block there stops the star (S2 = 0); palette 0, the "
                         "common palette, gives its block 3 (stone), which stops it (S3 = 0); palette 255 is read "
                         "as the common one at load, and its block 3 stops it too (S4 = 0); stage block 32767 is brought back "
                         "to block 1 (grass) at load and stops it (S5 = 0); stage block 0 is the palette's empty "
                         "entry and puts nothing in the star's way (S6 = 1).",
                         [rows](cStageData& s) {
                             cStageKit& k = Arena(s, "ブロック召喚の値", {}, true, 40);
                             for (int i = 0; i < 6; ++i) {
                                 const int y = 2 + 2 * i;
                                 cFlowCmd shot = ShotCmd(1, SG_STAR, 1, 40, 1);
                                 Attacker(k, 4, y, shot);
                                 cFlowCmd summon = Summon(CMD_SUMMON_BLOCK, rows[i].index, rows[i].count);
                                 summon.spShot->nSummonKind = static_cast<uint8_t>(rows[i].palette);
                                 cCharaData c = Dummy("召喚する");
                                 c.byFlying = 1;
                                 c.bySetting52 = 3;
                                 c.vFlow.push_back(Flow(TRG_ALWAYS, {summon, Cmd(CMD_WAIT, 9999)}));
                                 Put(k, c, 8, y);
                                 Target(k, 12, y, 1 + i, 0, 0);
                             }
                         },
                         {{1, 1}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 1}}, 90));
    }
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
                         for (int var : {5, 4}) item[var] = k.AddItem(CodeItem("S" + std::to_string(var) + " = 1"));
                         HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Summon(CMD_SUMMON_ITEM, item[4], 0),
                                                                     Summon(CMD_SUMMON_ITEM, SHRT_MAX, 1),
                                                                     Cmd(CMD_WAIT, 9999)}));
                     },
                     {{1, 0}, {2, 1}, {3, 1}, {4, 0}, {5, 1}}, 30));
}

}  // namespace sample
