#pragma once
// Which results of a play are ranked: the game type's ranking tables and the
// stage's ranking switches.

// Ranking table `kind` is kept for game type `type`.
bool IsRankKindEnabled(int type, int kind);
// Result `kind` of the play stage is ranked in game type `type`: the stage's
// ranking switch and the game type's table are both on.
bool IsResultRanked(int type, int kind);
