// Character- and screen-effect runs: legs in the three run modes, repeats,
// timed runs, frozen frames, the per-kind values and bad ids.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "actors/chara_effect_run.h"
#include "database/database.h"
#include "play/effects/effect_params.h"
#include "play/effects/scr_effect_run.h"
#include "play/play_scene.h"
#include "support/record_services_spy.h"

namespace {

class EffectRunTest : public ::testing::Test {
protected:
    EffectRunTest() { ResetPlayState(); }
    ~EffectRunTest() override { ResetPlayState(); }
    // Effect id of a new definition with the table defaults of kind, parameter n replaced where given.
    template <class DEF, size_t N>
    static int Add(cSafeVector<DEF>& list, const EFFECTPARAMDEF (&defs)[N][EFFECT_PARAM_DEF_NUM], int kind,
                   std::vector<std::pair<int, int>> changes = {}) {
        DEF d;
        d.nKind = kind;
        // A kind past the table (an unknown kind) keeps zero parameters.
        if (kind >= 0 && static_cast<size_t>(kind) < N)
            for (int i = 0; i < EFFECT_PARAM_DEF_NUM; ++i) d.nParam[i] = defs[kind][i].nDefault;
        for (auto [n, v] : changes) d.nParam[n - 1] = v;
        list.push_back(d);
        return static_cast<int>(list.size()) - 1;
    }
    int AddChara(int kind, std::vector<std::pair<int, int>> changes = {}) {
        return Add(Database.vCharaEffect, CharaEffectParamDefs, kind, changes);
    }
    int AddScr(int kind, std::vector<std::pair<int, int>> changes = {}) {
        return Add(Database.vScrEffect, ScrEffectParamDefs, kind, changes);
    }
    // Frames until Frame reports the end (limit: never ended), with each frame's look.
    int RunChara(cCharaEffectRun& run, std::vector<CHARAEFFECTLOOK>* looks = nullptr, int limit = 2000) {
        for (int n = 1; n <= limit; ++n) {
            CHARAEFFECTLOOK look;
            const int end = run.Frame(0, &look);
            if (looks) looks->push_back(look);
            if (end) return n;
        }
        return -1;
    }
    // Pictures until Advance reports the end, with the current value before each advance.
    int RunScr(cScrEffectRun& run, std::vector<double>* values = nullptr, int limit = 2000) {
        for (int n = 1; n <= limit; ++n) {
            if (values) values->push_back(run.m_dCurrent);
            if (run.Advance()) return n;
        }
        return -1;
    }
};

TEST_F(EffectRunTest, CharaEffectRunsForwardReversedAndThereAndBack) {
    const int burst = AddChara(1);                     // 0 to 32 in 5 tenths: 32/30 a frame
    const int colour = AddChara(13);                   // start equals end: timed
    ResizeCharaEffectWork();
    ResizeCharaEffectWork();                           // preparing twice swaps the reversed copy once
    EXPECT_EQ(CharaEffectWork.vReversed[burst].m_nStart, 32);
    EXPECT_EQ(Database.vCharaEffect[burst].nParam[1], 0) << "the list entry itself is never swapped";

    cCharaEffectRun run;
    std::vector<CHARAEFFECTLOOK> looks;
    run.Start(burst, EFFECT_MODE_NORMAL, 0);
    EXPECT_EQ(RunChara(run, &looks), 31);  // 30 frames within the leg, the 31st passes 32
    EXPECT_EQ(looks.front().nValue, 0);
    EXPECT_EQ(looks[16].nValue, 17);
    EXPECT_EQ(looks.back().nValue, 31);

    looks.clear();
    run.Start(burst, EFFECT_MODE_REVERSE, 0);
    EXPECT_EQ(run.m_nDirection, 1);
    EXPECT_EQ(RunChara(run, &looks), 31);
    EXPECT_EQ(looks.front().nValue, 32);
    EXPECT_EQ(looks.back().nValue, 0);

    looks.clear();
    run.Start(burst, EFFECT_MODE_ROUND, 0);
    EXPECT_EQ(RunChara(run, &looks), 62) << "two legs exactly";
    EXPECT_EQ(looks[30].nValue, 31);
    EXPECT_EQ(looks[31].nValue, 32) << "the second leg starts from the end";

    for (int mode : {EFFECT_MODE_NORMAL, EFFECT_MODE_REVERSE, EFFECT_MODE_ROUND}) {
        run.Start(burst, mode, 1);
        EXPECT_EQ(RunChara(run, nullptr, 1000), -1) << "repeat never ends, mode " << mode;
    }

    // Equal start and end still last run time x 6 frames (10 tenths).
    run.Start(colour, EFFECT_MODE_NORMAL, 0);
    EXPECT_EQ(RunChara(run), 61);
    // Frozen frames neither step nor end.
    run.Start(burst, EFFECT_MODE_NORMAL, 0);
    for (int n = 0; n < 500; ++n) ASSERT_EQ(run.Frame(1, nullptr), 0);
    EXPECT_EQ(run.m_dCurrent, 0.0);
    EXPECT_EQ(RunChara(run), 31);
}

TEST_F(EffectRunTest, CharaEffectLooksOfBlinkTranslucencyWaveAndOthers) {
    const int blink = AddChara(6, {{1, 2}, {2, 3}});  // 12 frames, interval 3
    const int ghost = AddChara(14);
    const int wave = AddChara(4, {{1, 100}});
    const int lens = AddChara(12, {{4, -7}, {5, 9}});
    const int bad = AddChara(40);
    ResizeCharaEffectWork();
    cCharaEffectRun run;
    std::vector<CHARAEFFECTLOOK> looks;
    run.Start(blink, EFFECT_MODE_NORMAL, 0);
    EXPECT_EQ(RunChara(run, &looks), 13);
    std::string shown;
    for (const auto& l : looks) shown += l.bVisible ? '1' : '0';
    EXPECT_EQ(shown, "0000111000111");  // hidden first; the flag flips when the counter reaches 3

    looks.clear();
    run.Start(ghost, EFFECT_MODE_REVERSE, 0);  // no swap: blinking kinds count the run time either way
    EXPECT_EQ(RunChara(run, &looks), 61);
    for (const auto& l : looks) ASSERT_TRUE(l.bTranslucent && l.bVisible);

    run.Start(wave, EFFECT_MODE_NORMAL, 0);
    for (int n = 0; n < 360; ++n) run.Frame(0, nullptr);
    EXPECT_EQ(run.Look().nPhase, 0) << "the phase wraps from 360 to 0";
    run.Frame(0, nullptr);
    EXPECT_EQ(run.Look().nPhase, 1);
    EXPECT_EQ(run.Look().nParam4, 2);
    EXPECT_EQ(run.Look().nParam5, 2);
    EXPECT_EQ(run.Look().StripSize(33), 17);

    run.Start(lens, EFFECT_MODE_REVERSE, 0);
    const CHARAEFFECTLOOK l = run.Look();
    EXPECT_EQ(l.nKind, 12);
    EXPECT_EQ(l.nValue, 5);
    EXPECT_EQ(l.nParam4, -7);
    EXPECT_EQ(l.nParam5, 9);

    run.Start(bad, EFFECT_MODE_NORMAL, 0);
    EXPECT_EQ(run.Look().nKind, 0) << "an unknown kind draws plainly";
    run.Reset();
    EXPECT_EQ(run.Look().nKind, 0);
    EXPECT_EQ(run.Frame(0, nullptr), 0);
}

TEST_F(EffectRunTest, StartingABadIdIsABadIndexAndLeavesNoEffect) {
    ResizeCharaEffectWork();
    ResizeScrEffectWork();
    cRecordServicesSpy spy;
    cCharaEffectRun chara;
    chara.Start(1, EFFECT_MODE_NORMAL, 1);
    chara.Start(99, EFFECT_MODE_NORMAL, 1);
    cScrEffectRun scr;
    scr.Start(-1, EFFECT_MODE_REVERSE, 0);
    ASSERT_EQ(spy.ec.size(), 2u);
    EXPECT_EQ(spy.ec[0], "err V[99] ( 2 , " + std::to_string(sizeof(cCharaEffectRun)) + " )");
    EXPECT_EQ(spy.closes, 2);
    EXPECT_EQ(chara.m_nId, 0);
    EXPECT_EQ(chara.m_lpDef, nullptr);
    EXPECT_EQ(chara.m_bRepeat, 0);
    EXPECT_EQ(scr.m_nId, 0);
}

TEST_F(EffectRunTest, ShakeOfAmplitudeFourAndCountFourRunsAtSixtyFourDotsASecondLessTheTurns) {
    const int shake = AddScr(2);  // amplitude 4, count 4, 10 tenths
    ResizeScrEffectWork();
    cScrEffectRun run;
    run.Start(shake, EFFECT_MODE_NORMAL, 0);
    double travel = 0;
    int turns = 0, direction = 0;
    for (int n = 0; n < 60; ++n) {
        const double before = run.m_dShake;
        ASSERT_EQ(run.Advance(), 0);
        travel += std::fabs(run.m_dShake - before);
        if (std::fabs(run.m_dShake) < 4 && std::fabs(before) < 4) {
            ASSERT_NEAR(std::fabs(run.m_dShake - before), 64.0 / 60, 1e-9) << "every free frame moves 64/60 dots";
        }
        if (run.m_nWork[0] != direction) ++turns, direction = run.m_nWork[0];
        ASSERT_LE(std::fabs(run.m_dShake), 4.0);
    }
    // The speed is 4 x 4 x 4 = 64 dots a second (64/60 a frame), but each turn stops at +-4 and drops
    // what was left of that frame's step: 4 + 7 x 8 = 60 dots are covered in the 60 frames.
    EXPECT_NEAR(travel, 60.0, 1e-9);
    EXPECT_EQ(turns, 8) << "four swings out and back";
    EXPECT_EQ(run.m_dShake, -4.0);
    // The clock kinds last until the truncated time passes 10: 67 pictures in all.
    EXPECT_EQ(RunScr(run) + 60, 67);
}

TEST_F(EffectRunTest, ScreenRunsMoveRotateThereAndBackAndHoldTimedValues) {
    const int move = AddScr(1);                       // (0, 0) to (640, 0)
    const int rotate = AddScr(9);                     // 0 to 1440 degrees
    const int still = AddScr(13, {{2, 30}, {3, 30}});  // mosaic 30 held for 10 tenths
    const int none = AddScr(0);
    ResizeScrEffectWork();
    cScrEffectRun run;
    run.Start(move, EFFECT_MODE_NORMAL, 0);
    std::vector<int> xs;
    for (int n = 0; n < 61; ++n) {
        xs.push_back(run.m_nWork[0]);
        run.Advance();
    }
    EXPECT_EQ(xs[0], 0);
    EXPECT_EQ(xs[1], 0) << "the first advance still places the picture at the start";
    EXPECT_EQ(xs[31], 320);
    EXPECT_EQ(run.m_nWork[0], 639) << "60 sixths add up to just under 10";
    EXPECT_EQ(run.m_nWork[1], 0);
    run.Start(move, EFFECT_MODE_REVERSE, 0);
    EXPECT_EQ(run.m_nWork[0], 640) << "reversed: from the end to the start";

    std::vector<double> angles;
    run.Start(rotate, EFFECT_MODE_ROUND, 0);
    EXPECT_EQ(RunScr(run, &angles), 122) << "two legs of 61 pictures";
    EXPECT_EQ(angles[60], 1440.0);
    EXPECT_EQ(angles[61], 1440.0) << "back from the end";
    EXPECT_EQ(angles[121], 0.0);
    run.Start(rotate, EFFECT_MODE_ROUND, 1);
    EXPECT_EQ(RunScr(run, nullptr, 1000), -1) << "with repeat it never ends";
    run.Start(rotate, EFFECT_MODE_REVERSE, 0);
    angles.clear();
    EXPECT_EQ(RunScr(run, &angles), 61);
    EXPECT_EQ(angles.front(), 1440.0);

    run.Start(still, EFFECT_MODE_NORMAL, 0);
    EXPECT_EQ(run.m_bTimed, 1);
    angles.clear();
    EXPECT_EQ(RunScr(run, &angles), 61);
    for (double a : angles) ASSERT_EQ(a, 30.0);

    run.Start(none, EFFECT_MODE_NORMAL, 0);
    EXPECT_EQ(RunScr(run, nullptr, 500), -1) << "kind 0 never ends by itself";
    // Reset clears the effect and the hold flag and keeps the progress values.
    run.Start(still, EFFECT_MODE_ROUND, 1);
    run.Advance();
    run.Reset();
    EXPECT_EQ(run.m_nId, 0);
    EXPECT_EQ(run.m_lpDef, nullptr);
    EXPECT_EQ(run.m_bRepeat + run.m_nDirection + run.m_bTimed, 0);
    EXPECT_EQ(run.m_nMode, EFFECT_MODE_ROUND);
    EXPECT_EQ(run.m_dCurrent, 30.0);
}

}  // namespace
