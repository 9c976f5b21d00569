#include "database/system_switches.h"

#include <iterator>

#include "database/system_data.h"

namespace {

struct SWITCHROW {
    eSysSwitch nSwitch;
    int32_t cSystemData::*lpMember;  // null: not stored
    int nFixed;                      // the value when not stored
};

// One row per switch, in the enumeration's order.
constexpr SWITCHROW SystemSwitches[] = {
    {eSysSwitch::RetryInStory, &cSystemData::bPauseRetryStory, 0},
    {eSysSwitch::RetryInChallenge, &cSystemData::bPauseRetryChallenge, 0},
    {eSysSwitch::BackToMap, &cSystemData::bPauseBackToMap, 0},
    {eSysSwitch::ExtraLifeByScore, &cSystemData::bTallyDivide, 0},
    {eSysSwitch::ExtraLifeScoreStep, &cSystemData::nTallyDivisor, 0},
    {eSysSwitch::ChallengeStageCount, &cSystemData::nMaxStage, 0},
    {eSysSwitch::PauseHiding, &cSystemData::bPauseEffect, 0},
    {eSysSwitch::EnglishRankingTitle, &cSystemData::bFontSymbols, 0},
    {eSysSwitch::SightMaskColourKey, &cSystemData::nColorMode, 0},
    {eSysSwitch::ReplayRecording, &cSystemData::bReplayRecord, 0},
    {eSysSwitch::ReverseOnTurn, &cSystemData::bReverseOnTurn, 0},
    {eSysSwitch::RetryMenuAfterDeath, nullptr, 1},
    {eSysSwitch::MoveLock, nullptr, 0},
    {eSysSwitch::ChargeAim, nullptr, 0},
    {eSysSwitch::EdgeTurn, nullptr, 0},
    {eSysSwitch::DeathDisplayOff, nullptr, 0},
    {eSysSwitch::LandWhileRising, nullptr, 0},
    {eSysSwitch::SnapToGround, nullptr, 0},
    {eSysSwitch::NoAttackDamage, nullptr, 0},
    {eSysSwitch::ImmediateAttackTriggers, nullptr, 0},
    {eSysSwitch::StartFlowsForAll, nullptr, 0},
    {eSysSwitch::NoCarryOfShots, nullptr, 0},
    {eSysSwitch::LivesSwitch, nullptr, 0},
    {eSysSwitch::KeepAcceleration, nullptr, 0},
    {eSysSwitch::UnstickByPosition, nullptr, 0},
    {eSysSwitch::BlockCharaSwitchA, nullptr, 0},
    {eSysSwitch::BlockCharaSwitchB, nullptr, 0},
    {eSysSwitch::RestoreVarsStory, nullptr, 1},
    {eSysSwitch::RestoreVarsChallenge, nullptr, 1},
    {eSysSwitch::RestoreVarsFree, nullptr, 1},
    {eSysSwitch::RestoreVarsCommon, nullptr, 1},
};

static_assert(std::size(SystemSwitches) == static_cast<size_t>(eSysSwitch::Count), "one row per switch");

constexpr bool RowsInOrder() {
    for (size_t i = 0; i < std::size(SystemSwitches); ++i)
        if (SystemSwitches[i].nSwitch != static_cast<eSysSwitch>(i)) return false;
    return true;
}
static_assert(RowsInOrder(), "rows follow the enumeration");

}  // namespace

int GetSysSwitch(const cSystemData& sys, eSysSwitch s) {
    const size_t i = static_cast<size_t>(s);
    if (i >= std::size(SystemSwitches)) return 0;
    const SWITCHROW& row = SystemSwitches[i];
    return row.lpMember ? sys.*row.lpMember : row.nFixed;
}
