// Cases of the block kinds and block effects: where the hero can go, what
// carries or throws it, what kills it.
#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kTable = "blocks";

// The arena with `rows` painted, the hero at (x, y) and the goal at (gx, gy).
std::function<void(cStageData&)> Ground(std::vector<std::pair<int, std::string>> rows, int x, int y, int gx, int gy) {
    return [=](cStageData& s) {
        cStageKit& k = Arena(s, "ブロック", rows);
        HeroOf(s).wCellX = static_cast<uint16_t>(x);
        HeroOf(s).wCellY = static_cast<uint16_t>(y);
        k.PlaceItem(k.AddItem(Goal()), gx, gy);
    };
}

}  // namespace

void AddBlockCases(std::vector<CONFCASE>& v) {
    v.push_back(Case("block-solid", kTable, "当たり判定 1 (固い)",
                     "Right is held; a stone wall three blocks high stands between the hero and the goal: the goal "
                     "is never reached (still playing).",
                     Ground({{10, "......S"}, {11, "......S"}, {12, "......S"}}, 2, 12, 9, 12), {}, 150,
                     CONFEND_PLAYING, "5 RIGHT down\n"));
    v.push_back(Case("block-none", kTable, "当たり判定 0 (なし: 水)",
                     "The hero falls through two rows of water onto the goal below them: the stage is cleared.",
                     Ground({{9, "..W"}, {10, "..W"}}, 2, 7, 2, 12), {}, 120, CONFEND_CLEARED));
    v.push_back(Case("block-deadly-spikes", kTable, "当たり判定 2 (即死: トゲ)",
                     "The hero falls onto spikes: it dies.", Ground({{12, ".XXX"}}, 2, 8, 12, 12), {}, 120,
                     CONFEND_DIED));
    v.push_back(Case("block-deadly-lava", kTable, "当たり判定 2 (即死: 溶岩)", "The hero falls into lava: it dies.",
                     Ground({{12, ".LLL"}}, 2, 8, 12, 12), {}, 120, CONFEND_DIED));
    v.push_back(Case("block-effect-jump", kTable, "ブロック効果 1 (ジャンプ: バネ)",
                     "The hero lands on a spring of power 10 and is thrown up, onto the goal four blocks above the "
                     "spring: the stage is cleared.",
                     Ground({{12, "..J"}}, 2, 9, 2, 8), {}, 120, CONFEND_CLEARED));
    for (int left = 0; left <= 1; ++left)
        v.push_back(Case(left ? "block-effect-belt-left" : "block-effect-belt-right", kTable,
                         left ? "ブロック効果 4 (左へ流す: ベルト)" : "ブロック効果 5 (右へ流す: ベルト)",
                         left ? "The hero stands still on a belt to the left and is carried to the goal at its end: "
                                "the stage is cleared."
                              : "The hero stands still on a belt to the right and is carried to the goal at its end: "
                                "the stage is cleared.",
                         left ? Ground({{12, ".........<<<<<<<<<"}}, 16, 11, 8, 11)
                              : Ground({{12, "..>>>>>>>>>"}}, 3, 11, 11, 11),
                         {}, 600, CONFEND_CLEARED));
    v.push_back(Case("block-effect-no-jump", kTable, "ブロック効果 2 (ジャンプ禁止)",
                     "Z is tapped while the hero stands on a floor it may not jump from: it stays down and the "
                     "sensor three blocks above (S1) is not touched. It then walks right onto plain ground, up to a "
                     "wall, and the same tap throws it up into the sensor there (S2 = 1).",
                     [](cStageData& s) {
                         cStageKit& k =
                             Arena(s, "ジャンプ禁止", {{13, ".NNNN"}, {7, ".........S"}, {8, ".........S"},
                                                        {9, ".........S"}, {10, ".........S"}, {11, ".........S"},
                                                        {12, ".........S"}});
                         Put(k, Sensor(1), 2, 9);
                         Put(k, Sensor(2), 8, 9);
                     },
                     {{1, 0}, {2, 1}}, 150, CONFEND_PLAYING, "5 Z down\n9 Z up\n30 RIGHT down\n100 Z down\n104 Z up\n"));
    v.push_back(Case("block-pass-group", kTable, "通過グループ",
                     "The hero (force 0) falls through a plank whose pass-through group is 0 onto the goal under it: "
                     "the stage is cleared.",
                     Ground({{10, ".PPP"}}, 2, 7, 2, 12), {}, 120, CONFEND_CLEARED));
    for (int ice = 0; ice <= 1; ++ice)
        v.push_back(Case(ice ? "block-effect-speed-ice" : "block-effect-speed-ground", kTable,
                         ice ? "ブロック効果 3 (速度: 氷 150%)" : "ブロック効果 0 (なし: 比べる地面)",
                         ice ? "Right is held on ice that makes the hero half as fast again: it reaches the goal ten "
                               "blocks away within 75 frames (cleared)."
                             : "Right is held on plain ground: the goal ten blocks away is not reached within 75 "
                               "frames (still playing), the measure the ice case beats.",
                         Ground({{12, ice ? ".IIIIIIIIIIIII" : ""}}, 2, 11 + (ice ? 0 : 1), 12, 11 + (ice ? 0 : 1)), {},
                         75, ice ? CONFEND_CLEARED : CONFEND_PLAYING, "2 RIGHT down\n"));
    v.push_back(Case("block-item", kTable, "ブロックのアイテム",
                     "The hero stands on a prize block that names a stage item whose code counts S1: the item is "
                     "given when the hero lands (S1 = 1) and again once the second of cooldown has run out while it "
                     "stands there (S1 = 2 after 90 frames); a plain stone block beside it gives nothing.",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "アイテムブロック", {{12, "..Q.S"}});
                         HeroOf(s).wCellY = 11;
                         cItemData item = Coin();
                         item.vCmd.clear();
                         cFlowCmd code = ItemCmd(CMD_CODE);
                         code.strText = "S1 = S1 + 1";
                         item.vCmd.push_back(code);
                         const int index = k.AddItem(item);
                         for (auto* list : {&s.vBlock, &s.vPlacedBlock})
                             for (cBlockData& b : *list)
                                 if (b.wGraphic == BG_PRIZE) {
                                     b.byItemKind = 2;
                                     b.wItemIndex = static_cast<uint16_t>(index);
                                 }
                     },
                     {{1, 2}}, 90));
    for (int shoot = 0; shoot <= 1; ++shoot)
        v.push_back(Case(shoot ? "block-breakable" : "block-breakable-unhit", kTable,
                         shoot ? "壊せるブロック (ブロックキャラ HP 1)" : "壊せるブロック (当てない)",
                         shoot ? "A block character of 1 HP, the lowest brick of a stone wall, stands between the "
                                 "hero, walking right, and the goal; the hero throws a star into it: it breaks (its "
                                 "death flow marks S1 = 1) and the hero walks through the gap to the goal."
                               : "The same wall, no star thrown: the hero is held by it and never reaches the goal "
                                 "(still playing, S1 = 0).",
                         [](cStageData& s) {
                             cStageKit& k = Arena(s, "壊せるブロック", {{10, ".......S"}, {11, ".......S"}});
                             HeroOf(s).bFixedFacing = 0;  // turns to the right as it walks, so the star flies right
                             cCharaData brick = Dummy("レンガキャラ", CG_PLATFORM);
                             brick.byFlying = 1;
                             brick.byForce = 7;
                             brick.bWholeCell = 1;
                             brick.nMaxHP = 1;
                             brick.vFlow.push_back(MarkFlow(3, 1));
                             Put(k, brick, 7, 12);
                             k.PlaceItem(k.AddItem(Goal()), 10, 12);
                         },
                         {{1, shoot}}, 240, shoot ? CONFEND_CLEARED : CONFEND_PLAYING,
                         shoot ? "2 RIGHT down\n10 C down\n13 C up\n" : "2 RIGHT down\n"));
    for (int holds = 0; holds <= 1; ++holds) {
        v.push_back(Case(holds ? "block-condition-holds" : "block-condition-fails", kTable,
                         holds ? "ブロックの条件 (成立)" : "ブロックの条件 (不成立)",
                         holds ? "A brick wall whose condition \"S5 = 1\" holds (S5 is set before play) stands "
                                 "between the hero, walking right, and the goal: the goal is never reached."
                               : "A brick wall whose condition \"S5 = 1\" does not hold counts as no block: the hero, "
                                 "walking right, passes through it to the goal.",
                         [holds](cStageData& s) {
                             cStageKit& k = Arena(s, "ブロックの条件", {{10, "......B"}, {11, "......B"}, {12, "......B"}});
                             cEdCond c;
                             c.nKind = 2;
                             c.nVarNum = 5;
                             c.nValue = 1;
                             for (cBlockData& b : s.vBlock)
                                 if (b.wGraphic == BG_BRICK) b.vCond.push_back(c);
                             for (cBlockData& b : s.vPlacedBlock)
                                 if (b.wGraphic == BG_BRICK) b.vCond.push_back(c);
                             if (holds) {
                                 cFlowCmd set = SetVar(5);
                                 set.bNoWait = 1;
                                 HeroOf(s).vFlow.push_back(Flow(21, {set}));
                             }
                             k.PlaceItem(k.AddItem(Goal()), 9, 12);
                         },
                         {}, 200, holds ? CONFEND_PLAYING : CONFEND_CLEARED, "5 RIGHT down\n"));
    }
}

}  // namespace sample
