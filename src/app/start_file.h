#pragma once
// A stage or replay file given at start (the command line or System.ini's
// FreeStage): resolved to its newest numbered variant and played at once.
#include <cstdint>
#include <string>

// Where the play-progress record keeps its challenge switch (set by the
// challenge scene for its plays); null while there is no record. A play
// started from a file clears it.
void SetChallengeSwitch(int32_t* pSwitch);

// The start file of IniData.FreeStage, when there is one: the newest
// numbered variant replaces the name; an existing stage file is loaded and
// the scene manager starts in the play scene (free play); a replay file
// (extension "rpl4_...") is read and plays back as the title's replay item
// plays it, or is refused with the load-failure message and the title comes;
// a missing file is reported, FreeStage cleared, the title comes. false only
// when an existing stage file could not be loaded.
bool StartWithFile();
