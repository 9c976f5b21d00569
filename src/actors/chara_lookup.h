#pragma once
// A character of the world in play found by its object id.
#include <cstdint>

class cChara;

// The character with object id: the players first, then the stage characters; null when none.
cChara* FindCharaById(int32_t id);
