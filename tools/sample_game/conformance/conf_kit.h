#pragma once
// Helpers the conformance cases build their stages with: a one-screen arena,
// commands that mark stage variables, plain characters.
#include <string>
#include <vector>

#include "sample_game/conformance/conformance.h"
#include "sample_game/stages/stage_kit.h"

namespace sample {

// Letters of the arena's blocks (as the sample stages paint them): G ground,
// S stone, B bricks, P one-way plank, X spikes, Q prize block, W water, L
// lava, J spring, I ice, < > belts, O cloud, H ladder, N metal floor the
// hero cannot jump from.
// A stage of `width` × `height` blocks: ground on its last two rows, stone
// walls on the first and last columns, the hero on the ground at column 2
// (row 12 of the usual 15) with the sample game's keys (left, right, Z jump,
// X sword, C star). `rows` adds blocks before they are placed.
cStageKit& Arena(cStageData& s, const char* title, const std::vector<std::pair<int, std::string>>& rows = {},
                 bool hero = true, int width = 20, int height = 15);
// The hero placed by Arena (the first placed character when there is one).
cCharaData& HeroOf(cStageData& s);
// The kit behind the last Arena call.
cStageKit& ArenaKit();

// The code command with `text`.
cFlowCmd Code(const std::string& text);
// S<var> = value.
cFlowCmd SetVar(int var, int value = 1);
// S<var> = S<var> + 1.
cFlowCmd CountVar(int var);
// A flow of `trigger` whose only command marks S<var>.
cFlow MarkFlow(int trigger, int var, int id = 0);

// A harmless character of force 1 that stands still: no flows, no body power.
cCharaData Dummy(const char* name = "的", int graphic = 2);
// A sensor: a flying character of side 2, active over the whole stage, whose
// touch flow (or flow of `trigger`) marks S<var>.
cCharaData Sensor(int var, int trigger = TRG_TOUCH_CHARA);
// Places `c` at cell (x, y) as a new palette entry.
void Put(cStageKit& k, const cCharaData& c, int x, int y, int facing = 0);

// ブロック召喚, キャラ召喚 or アイテム召喚 of `count` of record `index` of the
// stage palette, all at the summoner's place (爆発); characters and items
// summoned last 10 seconds where a lifetime applies.
cFlowCmd Summon(int code, int index, int count = 1);
// An item that looks like the coin and whose only command is the code `text`.
cItemData CodeItem(const std::string& text);

// A case; `checks` pairs of stage variable and value.
CONFCASE Case(const char* name, const char* table, const char* rule, const char* shows,
              std::function<void(cStageData&)> build, std::vector<CONFCHECK> checks, int frames = 60,
              int end = CONFEND_PLAYING, const char* input = "");

}  // namespace sample
