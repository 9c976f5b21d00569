#pragma once
// What a stage clear asks of the stages that follow: the world-map position
// after the clear and the start override of the next stage. Play-wide; the
// world state keeps the next stage's number and file name itself.
#include <cstdint>

struct NEXTSTAGESTART {
    int32_t bMapPos = 0;    // the world-map position below is set
    int32_t nMapX = 0;
    int32_t nMapY = 0;
    int32_t nMapValue = 0;  // world-map value the map scene takes over on entry
    int32_t bOverride = 0;  // the next stage starts at the position below
    int32_t nStartX = 0;    // blocks
    int32_t nStartY = 0;
    int32_t nFacing = 0;    // 0 left, 1 right
};
extern NEXTSTAGESTART NextStageStart;

// Number of the stage in play within its series: the digits after the last
// "-" of its file's name, 1 when it has none.
int32_t CurrentStageNumber();
// Back to no request (tests).
void ResetNextStageStart();
