// Cases of the shot formations and movements. The targets stand where only
// the formation's layout or the movement's path takes a shot: off the line
// straight ahead of the shooter, or on it when the path must leave it.
#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kShots = "shots and swords";

const char* const kFormations[] = {"直進A", "直進B", "拡散", "落雷", "爆発", "包囲"};
const char* const kMovements[] = {"直進", "主人公を狙う", "近いキャラを狙う", "ターゲットを狙う", "主人公へ誘導",
                                  "近いキャラへ誘導（対象死亡時、誘導を無効化）", "ターゲットへ誘導",
                                  "近いキャラへ誘導（対象死亡時、対象を変更）", "ウェーブ", "落下"};

// A flying character of side 2 at a cell whose shot-hit flow marks S<var>.
struct SHOTTARGET {
    int x, y, var;
};

// An enemy facing left at (sx, sy) fires `shot` once after setting the hero
// as its target 1; the hero at (heroX, 12) marks S1 when a shot hits it.
std::function<void(cStageData&)> ShotStage(cFlowCmd shot, int sx, int sy, int heroX, std::vector<SHOTTARGET> targets) {
    return [=](cStageData& s) {
        cStageKit& k = Arena(s, "ショット");
        HeroOf(s).wCellX = static_cast<uint16_t>(heroX);
        HeroOf(s).vFlow.push_back(MarkFlow(7, 1));
        cCharaData e = Dummy("撃つ敵", CG_CANNON);
        e.byFlying = sy != 12;
        e.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_SET_TARGET, 0, {0, 0}), Cmd(CMD_WAIT, 3), shot, Cmd(CMD_WAIT, 9999)}));
        Put(k, e, sx, sy, 0);
        for (const SHOTTARGET& t : targets) Put(k, Sensor(t.var, 7), t.x, t.y);
    };
}

cFlowCmd Volley(int graphic, int count, int formation, int movement) {
    cFlowCmd shot = ShotCmd(1, graphic, count, 40, 1);
    shot.spShot->nFormation = static_cast<uint8_t>(formation);
    shot.spShot->nMoveType = static_cast<uint8_t>(movement);
    return shot;
}

struct FORMCASE {
    const char* shows;
    int count, param;  // stars, the formation's first value
    int sx, sy, heroX;
    std::vector<SHOTTARGET> targets;
    std::vector<CONFCHECK> checks;
};

}  // namespace

void AddShotPathCases(std::vector<CONFCASE>& v) {
    const FORMCASE formations[] = {
        {"An enemy flying at row 8 fires a row of three stars 3 half blocks apart straight to the left: they "
         "fly along rows 6, 8 and 10 and hit the targets there (S2 = 1, S4 = 1), not the one at row 7 between them "
         "(S3 = 0).",
         3, 3, 12, 8, 3, {{4, 6, 2}, {4, 7, 3}, {4, 10, 4}}, {{2, 1}, {3, 0}, {4, 1}}},
        {"The same row from the feet: the column of three stars 3 half blocks apart stacks up from the enemy's "
         "feet along rows 8, 6 and 4, hitting the target at row 4 (S2 = 1), not those at rows 7 and 10 (S3 = 0, "
         "S4 = 0).",
         3, 3, 12, 8, 3, {{4, 4, 2}, {4, 7, 3}, {4, 10, 4}}, {{2, 1}, {3, 0}, {4, 0}}},
        {"An enemy flying at row 7 fans three stars 30 degrees apart to the left: the middle one flies along the "
         "row (S3 = 1), the others up to row 3 and down to row 11 eight blocks away (S2 = 1, S4 = 1); row 5 "
         "between them is missed (S5 = 0).",
         3, 30, 12, 7, 3, {{4, 3, 2}, {4, 7, 3}, {4, 11, 4}, {4, 5, 5}}, {{2, 1}, {3, 1}, {4, 1}, {5, 0}}},
        {"A star strikes from the top edge of the view down onto the hero: the hero's shot-hit flow runs (S1 = 1).",
         3, 0, 8, 12, 3, {}, {{1, 1}}},
        {"An enemy flying at row 6 bursts four stars evenly round the circle: they hit targets six blocks to its "
         "left and right and four blocks above it (S2 = S3 = S4 = 1).",
         4, 0, 10, 6, 3, {{4, 6, 2}, {16, 6, 3}, {10, 2, 4}}, {{2, 1}, {3, 1}, {4, 1}}},
        {"An enemy high at the right end rings the hero with four stars 6 half blocks from it, which close in "
         "on it: the hero is hit (S1 = 1), and so is a target two blocks to its left, inside the ring (S2 = 1).",
         4, 6, 14, 3, 6, {{4, 12, 2}}, {{1, 1}, {2, 1}}},
    };
    for (int f = 0; f < 6; ++f) {
        const FORMCASE& fc = formations[f];
        const std::string name = "shot-formation-" + std::to_string(f);
        const std::string rule = "フォーメーション " + std::to_string(f) + " " + kFormations[f];
        cFlowCmd shot = Volley(SG_STAR, fc.count, f, 0);
        shot.spShot->nFormParam[0] = static_cast<int16_t>(fc.param);
        if (f == 3 || f == 5) shot.spShot->nByte4 = 1;  // around or onto the hero
        if (f == 3) shot.spShot->nByte5 = 7;             // strikes downwards
        v.push_back(Case(name.c_str(), kShots, rule.c_str(), fc.shows,
                         ShotStage(shot, fc.sx, fc.sy, fc.heroX, fc.targets), fc.checks, 120));
    }
    // The enemy flies at row 8, above the hero on the ground at row 12: a
    // straight orb hits the target five blocks ahead in its row. The wave
    // swings 4 half blocks at 4 degrees a frame; it starts across the flight,
    // downwards, and bends the orb two rows down by the target. A
    // falling orb only falls by an acceleration: it is fired along the
    // ground at the hero as before.
    for (int m = 0; m < 10; ++m) {
        const std::string name = "shot-movement-" + std::to_string(m);
        const std::string rule = "移動タイプ " + std::to_string(m) + " " + kMovements[m];
        cFlowCmd shot = Volley(SG_ORB, 1, 0, m);
        const char* shows =
            "An enemy flying at row 8 fires one orb to the left: it turns down towards the hero on the ground "
            "(S1 = 1), off the row and past the target straight ahead (S2 = 0).";
        std::vector<CONFCHECK> checks = {{1, 1}, {2, 0}};
        std::vector<SHOTTARGET> targets = {{7, 8, 2}};
        int sy = 8, sx = 12;
        if (m >= 4 && m <= 7) shot.spShot->nMoveParam[1] = 999;  // homes the whole flight
        if (m == 0) {
            shows = "An enemy flying at row 8 fires one orb to the left: it flies along its row into the target "
                    "five blocks ahead (S2 = 1) and never reaches the hero on the ground (S1 = 0).";
            checks = {{1, 0}, {2, 1}};
        } else if (m == 8) {
            shot.spShot->nMoveParam[0] = 4;
            shot.spShot->nMoveParam[1] = 4;
            shows = "An enemy flying at row 8 fires one waving orb (4 half blocks, 4 degrees a frame) to the left: "
                    "it bends down across its flight into the target five blocks ahead and two below (S3 = 1), "
                    "past the one straight ahead in its row (S2 = 0), and never reaches the hero (S1 = 0).";
            targets.push_back({7, 10, 3});
            checks = {{1, 0}, {2, 0}, {3, 1}};
        } else if (m == 9) {
            shows = "An enemy on the ground fires one orb of this movement towards the hero: the hero's shot-hit "
                    "flow runs (S1 = 1).";
            targets.clear();
            checks = {{1, 1}};
            sx = 8;
            sy = 12;
        }
        v.push_back(Case(name.c_str(), kShots, rule.c_str(), shows, ShotStage(shot, sx, sy, 3, targets), checks, 150));
    }
}

}  // namespace sample
