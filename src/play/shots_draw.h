#pragma once
// Drawing of the scene's shots and swords in one depth pass of the play screen.
#include <cstdint>
#include <vector>

class cShot;
struct CHARADRAW;

// In one draw batch, each of the shots (those of one depth pass that are on
// screen, in the scene's order): its screen rectangle, then its picture
// (stepped unless frozen).
void DrawShots(const CHARADRAW& draw, const std::vector<cShot*>& shots);
