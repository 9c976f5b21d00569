#pragma once
// Swords: a cShot that is not flying. It stays attached to the character
// that swings it and plays the frames of a sword type of the database.
#include "actors/shot.h"

class cChara;
class cEdShot;
class cWorldState;

// Swings the sword of the settings' sword type for `chara`: a sword object
// added to the shot list of `world` (none without a world). A sword type
// outside the database's list, or one without frames, swings nothing and
// writes a report line. Its hits report flow id nFlowId. The new sword, or null.
cShot* SwingSword(cChara& chara, const cEdShot& settings, cWorldState* world, int32_t nFlowId = 0);
