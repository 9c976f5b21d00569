#pragma once
// The play settings that the play engine asks of the system settings, by
// name. Some are members of System.dat under other names; the others have no
// stored member and keep the behaviour of a current project.
#include <cstdint>

class cSystemData;

enum class eSysSwitch {
    // Stored in System.dat.
    RetryInStory,          // pause item 2 in story play
    RetryInChallenge,      // pause item 2 in challenge play
    BackToMap,             // pause item 3
    ExtraLifeByScore,      // extra lives are earned by score
    ExtraLifeScoreStep,    // the score per extra life
    ChallengeStageCount,   // challenge stages (and challenge result pairs)
    PauseHiding,           // the pause screen effect
    EnglishRankingTitle,   // the ranking title draws letters, not icons
    SightMaskColourKey,    // the sight mask uses the colour key
    ReplayRecording,       // play input is recorded
    ReverseOnTurn,         // older turning behaviour
    // Not stored: the value of a current project.
    RetryMenuAfterDeath,   // 1: the retry menu follows a death in story play
    MoveLock,              // 0: the move settings' axis locks apply
    ChargeAim,             // 0: the current angle rule of the charging move
    EdgeTurn,              // 0: a move reversed by a negative speed turns at an edge the other way
    DeathDisplayOff,       // 0: the death display is shown
    LandWhileRising,       // 0: land only while falling
    SnapToGround,          // 0: no snapping
    NoAttackDamage,        // 0: normal attack damage
    ImmediateAttackTriggers,  // 0: triggers after both damages
    StartFlowsForAll,      // 0: only active characters run trigger-21 flows
    NoCarryOfShots,        // 0: shots are carried by the screen
    LivesSwitch,           // 0: `life` reads 100
    KeepAcceleration,      // 0: off
    UnstickByPosition,     // 0: unstick by recorded positions
    BlockCharaSwitchA,     // 0
    BlockCharaSwitchB,     // 0
    RestoreVarsStory,      // 1: variables restored
    RestoreVarsChallenge,  // 1
    RestoreVarsFree,       // 1
    RestoreVarsCommon,     // 1
    Count
};

// The value of switch s in the settings sys.
int GetSysSwitch(const cSystemData& sys, eSysSwitch s);
