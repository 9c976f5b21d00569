#pragma once
// Items taken by a player: their commands, run at once on the taker, and the
// flow changes they make.
#include <cstdint>

class cChara;
class cFlowCmd;
class cFlowRun;
class cItem;
class cPlayer;
class cWorldState;
struct ITEMSTEP;

// Items that take items (themselves or each other) nest at most this deep.
constexpr int32_t MAX_ITEM_DEPTH = 8;

// フローの変更: not deferred on player 0, the command is queued for the end
// of the player's update; otherwise by parameter 0: 0 adds the command's
// flows, 1 replaces the flows of id parameter 1 by them, 2 removes those.
void ChangeFlowsCmd(cChara& chara, const cFlowCmd& cmd, int32_t bDeferred);
// The item-command entry of フローの変更 (not deferred); returns 0.
int32_t ChangeFlowsItemProc(const ITEMSTEP& step);
// The player takes `item` in `world` (null: none): its icon when it shows
// one, its sound, then its commands (the result of cPlayer::RunItemCmds). An
// item used up gives 0.
int32_t TakeItem(cPlayer& taker, const cItem& item, cWorldState* world);
