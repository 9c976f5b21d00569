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

const char* const kFormations[] = {"直進A", "直進B", "拡散", "落雷", "爆発", "包囲"};
const char* const kMovements[] = {"直進", "主人公を狙う", "近いキャラを狙う", "ターゲットを狙う", "主人公へ誘導",
                                  "近いキャラへ誘導（対象死亡時、誘導を無効化）", "ターゲットへ誘導",
                                  "近いキャラへ誘導（対象死亡時、対象を変更）", "ウェーブ", "落下"};

// An enemy facing left at (8, 12) fires `shot` at the hero at (3, 12) after
// setting the hero as its target 1; the hero's shot-hit flow marks S1.
std::function<void(cStageData&)> FireAtHero(cFlowCmd shot) {
    return [shot](cStageData& s) {
        cStageKit& k = Arena(s, "ショット");
        HeroOf(s).wCellX = 3;
        HeroOf(s).vFlow.push_back(MarkFlow(7, 1));
        cCharaData e = Dummy("撃つ敵", CG_CANNON);
        e.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_SET_TARGET, 0, {0, 0}), Cmd(CMD_WAIT, 3), shot, Cmd(CMD_WAIT, 9999)}));
        Put(k, e, 8, 12, 0);
    };
}

}  // namespace

void AddAttackCases(std::vector<CONFCASE>& v) {
    for (int f = 0; f < 6; ++f) {
        const std::string name = "shot-formation-" + std::to_string(f);
        const std::string rule = std::to_string(f) + " " + kFormations[f];
        cFlowCmd shot = ShotCmd(1, SG_STAR, f == 5 ? 8 : 3, 40, 1);
        shot.spShot->nFormation = static_cast<uint8_t>(f);
        if (f == 2) shot.spShot->nFormParam[0] = 20;  // 拡散: 20 degrees between the stars, no random scatter
        shot.spShot->nMoveType = f == 3 ? 0 : 1;  // the others aim at the hero
        if (f == 3) {
            // 落雷 strikes down from the top edge of the view onto the hero.
            shot.spShot->nByte4 = 1;
            shot.spShot->nByte5 = 7;
        }
        CONFCASE c = Case(name.c_str(), kShots, ("フォーメーション " + rule).c_str(),
                          "An enemy fires stars of this formation at the hero: the hero's shot-hit flow runs (S1 = 1).",
                          FireAtHero(shot), {{1, 1}}, 120);
        v.push_back(c);
    }
    for (int m = 0; m < 10; ++m) {
        const std::string name = "shot-movement-" + std::to_string(m);
        const std::string rule = std::to_string(m) + " " + kMovements[m];
        cFlowCmd shot = ShotCmd(1, SG_ORB, 1, 40, 1);
        shot.spShot->nMoveType = static_cast<uint8_t>(m);
        CONFCASE c = Case(name.c_str(), kShots, ("移動タイプ " + rule).c_str(),
                          "An enemy fires one orb of this movement towards the hero: the hero's shot-hit flow runs "
                          "(S1 = 1).",
                          FireAtHero(shot), {{1, 1}}, 150);
        v.push_back(c);
    }
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
                             summon.spShot->nByte55 = static_cast<uint8_t>(mode);
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
