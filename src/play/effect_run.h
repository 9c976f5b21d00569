#pragma once
// Run objects of the character and screen effects: which effect runs, how,
// and how far it has come. Every character carries one character-effect run
// (its death effect); the play scene carries the screen-effect run.
#include <cstdint>

class cCharaEffect;
class cScrEffect;

class cCharaEffectRun {
public:
    cCharaEffectRun() { Reset(); }
    // No effect: id 0, no definition, repeat and direction 0; the run mode
    // and the progress values keep what they hold.
    void Reset() {
        nId = 0;
        lpDef = nullptr;
        bRepeat = 0;
        nDirection = 0;
    }

    int16_t nId = 0;                   // effect id; 0 = no effect
    const cCharaEffect* lpDef = nullptr;
    int32_t nMode = 0;                 // 0 forward, 1 reversed, 2 there and back
    int32_t bRepeat = 0;               // starts again each time it ends
    int32_t nDirection = 0;            // 0 forward, 1 backward
    int32_t nFrameCount = 0;           // frames since the start
    int32_t nStart = 0;                // start value
    int32_t nEnd = 0;                  // end value
    double dCur = 0;                   // current value
    double dStep = 0;                  // change per frame
    double dElapsed = 0;               // tenths of a second
    int32_t nRunTime = 0;              // tenths of a second
    int32_t nWork1 = 0;                // wave phase / blink counter
    int32_t nWork2 = 0;                // visible flag of the blink
};

class cScrEffectRun {
public:
    cScrEffectRun() { Reset(); }
    // As cCharaEffectRun::Reset, and the hold flag 0.
    void Reset() {
        nId = 0;
        lpDef = nullptr;
        bRepeat = 0;
        nDirection = 0;
        bHold = 0;
    }

    int16_t nId = 0;
    const cScrEffect* lpDef = nullptr;
    int32_t nMode = 0;
    int32_t bRepeat = 0;
    int32_t nDirection = 0;
    int32_t nFrameCount = 0;
    int32_t nStart = 0;
    int32_t nEnd = 0;
    double dCur = 0;
    double dStep = 0;
    double dElapsed = 0;
    int32_t nRunTime = 0;
    int32_t nWork1 = 0;
    int32_t nWork2 = 0;
    int32_t bHold = 0;                 // an effect whose start and end are equal holds its value
};
