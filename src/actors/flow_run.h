#pragma once
// The run-time state of a character's flows: one cFlowRun per flow of the
// character and one cFlowCmdRun per command. Both refer to the character's
// own copies of its flow records (never to another character's).
#include <cstddef>
#include <cstdint>

#include "records/safe_container.h"
#include "stage/flow_arrange.h"

class cChara;
class cFlow;
class cFlowCmd;
class cEdCmdList;
class cFlowRun;
class cWorldState;

// One command of a running flow. What a step of a command reads (the
// command, the counters, the velocity of a move and its start flag) comes
// first.
class cFlowCmdRun {
public:
    const cFlowCmd* cmd = nullptr;  // the command (in the character's own flow list)
    int32_t done = 0;       // finished in this run
    int32_t counter = 0;    // sub-steps left; 0 = not begun
    int32_t total = 0;      // length in sub-steps: (time + increment × 分身値) × v × 6
    int32_t nStepCounter = 0;  // per-frame counter of the executors (acts when 0)
    double speed = 0;       // (value + increment × 分身値) × 0.1 / v

    // --- executor work, zeroed when the command begins (nStepCounter too;
    // the set-up values moveKind, speed2, dAngle, dAngleStep, dRadius,
    // dAngleEnd and dJumpSpeed stay) ---
    double dVelX = 0;       // velocity the movement executors give the character
    double dVelY = 0;
    int32_t nDir = 0;       // direction / facing request of the move
    int8_t moveKind = 0;    // movement kind of the command's move setting
    // Movement executors
    struct MOVEWORK {
        int32_t bStarted = 0;    // the first frame has been run
        int32_t nPrevFacing = 0; // facing seen in the previous frame
        double dAccX = 0;        // angle accumulators of the circle move
        double dAccY = 0;
        double dLagX = 0;        // target position queued by a lagging homing move
        double dLagY = 0;
        int32_t bLagSet = 0;
    } Move;
    double speed2 = 0;      // second value × 0.1 / v when the move has one
    double dPosX = 0;       // positions and angles of the movement executors
    double dPosY = 0;
    double dAngle = 0;
    double dAngleStep = 0;
    double dRadius = 0;
    double dAngleEnd = 0;
    int32_t nWork[4] = {};     // further executor counters
    double dJumpSpeed = 0;     // jump set-up: the speed the jump starts with
    int32_t bCodeErrorShown = 0;  // the code text's error was shown in this run

    // Zeroes the executor work fields (not the set-up values).
    void ClearWork();

    // Flows at run time
    // counter = total, the work zeroed; unless it is an arrangement, the
    // flow's pending arrangements are applied to the command and emptied.
    void Begin(cChara& chara, cFlowRun& flow, cWorldState* world);
    // One sub-step of the executor in `flow`, in `world` (null: none); 1 when
    // the command has finished.
    int32_t Step(cChara& chara, cFlowRun& flow, cWorldState* world);
};

// One key step of a flow's key sequence: the stored step and its work.
struct KEYSTEPRUN {
    const cEdCmdList* lpStep = nullptr;  // the step (in the character's own flow list)
    int32_t nHold = 0;                   // hold time the step reported at its last match
};

// An animation scheduled by the flow's set-up to lead in before its command.
struct ANIMESCHEDULE {
    int32_t nStart = 0;      // value of `frame` at which the animation starts
    int32_t nStart2 = 0;     // a second copy of the start
    int16_t nAnime = 0;      // index into the database's animation list
    int16_t nOffset = 0;     // start offset, frames
    int16_t nLength = 0;     // play length, frames
    int16_t nHoldExt = 0;    // hold extension, frames
    int32_t bStretch = 0;    // the hold frame lasts through the command
};

// One flow of a character. The fields every step reads of every flow (the
// trigger start, the flow loop, the frame's flag clear) come first.
class cFlowRun {
public:
    const cFlow* def = nullptr;  // the flow (in the character's own flow list)
    cSafeVector<cFlowCmdRun> cmds;  // one per command, in command order
    int32_t trigger = -1;        // def's trigger, kept by Bind: the per-step checks read it here
    int32_t running = 0;
    int32_t paused = 0;
    int32_t halted = 0;       // stopped for good: never started again
    int32_t started = 0;      // started this frame (at most once per frame)
    int32_t claimed = 0;      // a trigger start has claimed the flow this frame
    int32_t changedThisFrame = 0;  // a flow operation changed it: not run again this frame
    int32_t current = 0;      // furthest command reached in this run
    int32_t firstOpen = 0;    // every command before this one is done in this run
    int32_t lastDone = 0;     // the last command is done in this run
    int32_t frame = 0;        // frames since the flow started
    int32_t breakFrame = 0;   // an executor ended this flow's work for the frame
    int32_t messageWait = 0;  // a holding message finished; the flow waits
    int32_t deleteRequest = 0;     // removed at the end of the character's flow loop
    int32_t index = 0;      // position of the flow in the character's flow list
    int32_t uid = 0;        // ties the overlay animations started by this flow to it
    int32_t condWasTrue = 0;  // the conditions held at the last test
    int32_t keyMatched = 0;   // the key sequence matched
    int32_t startDir = 0;     // direction pattern held when the flow started (0..9)
    cSafeVector<ANIMESCHEDULE> animeSchedule;  // read every step of a running flow
    cSafeVector<KEYSTEPRUN> vKeyStep;  // key-condition work, one per key step
    PENDINGARRANGELIST pending;    // arrangements for the next command of this run

    // Points the instance, its key steps and its command states at `flow`,
    // sizing them to its key steps and commands.
    void Bind(const cFlow& flow);

    // Flows at run time
    int32_t condLatched = 0;  // a latched condition list has held once
    int32_t instantDepth = 0; // the at-once pass of a trigger-21 flow is running
    // Starts the flow (a trigger-21 flow runs its instant commands at once,
    // in `world`).
    void Start(cChara& chara, cWorldState* world);
    // One frame of the flow in `world`; 1 when its last command has finished.
    int32_t Run(cChara& chara, cWorldState* world);
    void Reset(cChara& chara);
    void Halt(cChara& chara);
    // Marks command i done, keeping firstOpen and lastDone in step.
    void MarkDone(int32_t i) {
        cmds[i].done = 1;
        if (i == firstOpen) ++firstOpen;
        if (i == static_cast<int32_t>(cmds.size()) - 1) lastDone = 1;
    }
    void Pause() { paused = 1; }
    void Resume() { paused = 0; }
};
