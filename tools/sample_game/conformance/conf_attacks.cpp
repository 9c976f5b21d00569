// Cases of shots, swords and summons. A shot or a sword shows itself by
// hitting.
#include <algorithm>

#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kShots = "shots and swords";
constexpr const char* kSummons = "summons";

}  // namespace

void AddAttackCases(std::vector<CONFCASE>& v) {
    AddShotPathCases(v);
    {
        CONFCASE c = Case("sword-hits", kShots, "ソード",
                          "The hero swings its sword (power 10) at an enemy of 10 HP next to it: the enemy dies and its "
                          "death flow runs (S1 = 1).",
                          [](cStageData& s) {
                              cStageKit& k = Arena(s, "ソード");
                              HeroOf(s).wCellX = 9;
                              for (int x : {8, 10}) {
                                  cCharaData e = Dummy();
                                  e.vFlow.push_back(MarkFlow(3, 1));
                                  Put(k, e, x, 12);
                              }
                          },
                          {{1, 1}}, 60, CONFEND_PLAYING, "5 X down\n8 X up\n");
        v.push_back(c);
    }
    v.push_back(Case("summon-chara", kSummons, "14 キャラ召喚",
                     "A character summons a stage-palette character at its own place; the summoned one's flow marks "
                     "S1 = 1.",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "キャラ召喚");
                         cCharaData marker = Dummy("召喚された");
                         marker.vFlow.push_back(MarkFlow(TRG_ALWAYS, 1));
                         const int index = k.AddChara(marker);
                         cCharaData c = Dummy("召喚する");
                         c.vFlow.push_back(Flow(TRG_ALWAYS, {Summon(CMD_SUMMON_CHARA, index), Cmd(CMD_WAIT, 9999)}));
                         Put(k, c, 10, 12);
                     },
                     {{1, 1}}, 30));
    v.push_back(Case("summon-item", kSummons, "15 アイテム召喚",
                     "The hero summons an item at its own place and takes it: the item's code sets S1 = 3.",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "アイテム召喚");
                         cItemData item = Coin();
                         item.vCmd.clear();
                         cFlowCmd code = ItemCmd(CMD_CODE);
                         code.strText = "S1 = 3";
                         item.vCmd.push_back(code);
                         const int index = k.AddItem(item);
                         HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Summon(CMD_SUMMON_ITEM, index), Cmd(CMD_WAIT, 9999)}));
                     },
                     {{1, 3}}, 30));
    for (int mode = 0; mode <= 2; ++mode) {
        const bool erase = mode == 1;
        const std::string name = std::string("summon-block-mode-") + std::to_string(mode);
        const char* rules[] = {"13 ブロック召喚 (ブロックを召喚)", "13 ブロック召喚 (ブロックを消す)",
                               "13 ブロック召喚 (なければ召喚、あれば消す)"};
        v.push_back(Case(name.c_str(), kSummons, rules[mode],
                         erase ? "A flying character inside a stone wall between the hero and the goal erases the "
                                 "block at its place: the hero, walking right, passes and reaches the goal."
                               : "A flying character over a hole in the ground puts a block at its place: the hero, "
                                 "walking right, crosses the hole and reaches the goal.",
                         [erase, mode](cStageData& s) {
                             cStageKit& k = Arena(s, "ブロック召喚", erase ? std::vector<std::pair<int, std::string>>{{12, ".......S"}}
                                                                       : std::vector<std::pair<int, std::string>>{});
                             if (!erase) {
                                 s.vPlacedBlock.erase(std::remove_if(s.vPlacedBlock.begin(), s.vPlacedBlock.end(),
                                                                     [](const cBlockData& b) {
                                                                         return b.wCellX == 7 && b.wCellY >= 13;
                                                                     }),
                                                      s.vPlacedBlock.end());
                             }
                             cFlowCmd summon = Summon(CMD_SUMMON_BLOCK, 2);  // stone
                             summon.spShot->nBlockMode = static_cast<uint8_t>(mode);
                             cCharaData c = Dummy("召喚する");
                             c.byFlying = 1;
                             c.vFlow.push_back(Flow(TRG_ALWAYS, {summon, Cmd(CMD_WAIT, 9999)}));
                             Put(k, c, 7, erase ? 12 : 13);
                             k.PlaceItem(k.AddItem(Goal()), 10, 12);
                         },
                         {}, 300, CONFEND_CLEARED, "20 RIGHT down\n"));
    }
}

}  // namespace sample
