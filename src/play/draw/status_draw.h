#pragma once
// The status strip at the top of the play screen (total score, stage score,
// the hero's HP and SP gauges, lives), the stage timer below it, and the hint
// line at the bottom. The items' look comes from the system settings'
// status items 0..4; the values from the play scene.
#include "platform/graphics/dd_surface.h"

// Lives of this value are unlimited and shown as a dash.
constexpr int UNLIMITED_LIVES = 999999;

// What the status strip and the timer show.
struct PLAYSTATUS {
    int bStatusBar = 1;    // the scene's status-bar flag
    int nTotalScore = 0;   // item 0: total score of the run
    int nStageScore = 0;   // item 1
    int nHp = 0, nHpMax = 0;  // item 2: player 0's HP
    int nSp = 0, nSpMax = 0;  // item 3: player 0's SP
    int nLives = 0;        // item 4 (UNLIMITED_LIVES: a dash)
    int bTimerHidden = 0;  // the scene's timer-hidden flag
    int nStageTime = 0;    // stage timer 0..999
    int nWarnTime = 0;     // the stage's warning time: the timer ticks at 1..nWarnTime
};

// Draws the strip and its shown items; nothing at all when the flag is off or no item is shown.
void DrawStatusBar(DDSURFACEDATA* dst, const PLAYSTATUS& status);
// Draws the timer's digits unless hidden; with timerSound, sounds the warning tick once a second.
void DrawStageTimer(DDSURFACEDATA* dst, const PLAYSTATUS& status, int timerSound);
// The hint line: with bEndHint (a stage started from the command line, a replay played to its end) system
// text 27, else with bEditorStart text 26, else nothing.
void DrawHintLine(DDSURFACEDATA* dst, int bEndHint, int bEditorStart);
