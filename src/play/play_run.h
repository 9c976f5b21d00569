#pragma once
// What the play scene reads of the run outside the stage: the play kind, the
// save record's words that play keeps there, and the project switches that
// the system settings do not store (the behaviour of a current project).
#include <cstdint>

class cSaveData;

// Title choice 4 / game type 3: a replay plays back.
bool IsReplayPlay();
// The stage score of the run (save record #15).
int32_t& StageScore(cSaveData& save);
// The series flag: the stage belongs to a numbered series (save record #22).
int32_t& SeriesFlag(cSaveData& save);
// The run state words that a replay and an editor test play start from 0
// (save record #23 and #33).
void ClearRunStateWords(cSaveData& save);
// The option's ranking mode 0..3 (0 and 1: F3 enters; 0 and 2: the name dialog).
int OptionRankMode();
// The option's ranking name (empty when unset).
const char* OptionRankName();
// The stored status of player `player` is applied to the stage's hero record.
void RestoreHeroRecord(int player);
