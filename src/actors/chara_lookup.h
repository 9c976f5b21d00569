#pragma once
// A character of a world found by its object id.
#include <cstdint>

class cChara;
class cWorldState;

// The character of `world` with object id: the players first, then the stage
// characters; null when none or when there is no world.
cChara* FindCharaById(int32_t id, cWorldState* world);
