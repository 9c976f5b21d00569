// Running effects: placement of hit effects and their scatter, the life of an
// effect in drawn frames, frozen frames, and effects whose graphic is missing.
#include <gtest/gtest.h>

#include "play/effect_instance.h"
#include "play_draw_test_support.h"
#include "records/crt_rand.h"
#include "records/utility.h"
#include "support/record_services_spy.h"

namespace {

using namespace playtest;
using EffectInstance = cPlayDrawTest;

const EFFECTRECT kApart1{0, 0, 9, 9}, kApart2{100, 100, 109, 109};

TEST_F(EffectInstance, HitEffectsCentreOnTheOverlapAndScatterByTheirScale) {
    const int plain = AddEffect("none.bmp", 2, 32, 24, 1);
    const int big = AddEffect("none.bmp", 2, 32, 24, 1, 1);
    // Rectangles apart: centred on (0, 0), then two draws of the generator, x first.
    crt::srand(7);
    const int dx = RandRange(-4, 4), dy = RandRange(-4, 4);
    crt::srand(7);
    cEffectInstance a(static_cast<int16_t>(plain), kApart1, kApart2, 3);
    EXPECT_EQ(a.m_nWidth, 32);
    EXPECT_EQ(a.m_bScaled, 0);
    EXPECT_DOUBLE_EQ(a.m_dX, -16 + dx);
    EXPECT_DOUBLE_EQ(a.m_dY, -12 + dy);
    // Overlap (10..19, 20..29): centre (15, 25); a scalable graphic at scale 3 is 96 x 72 and scatters by 12.
    for (int seed = 1; seed < 60; ++seed) {
        crt::srand(static_cast<uint32_t>(seed));
        cEffectInstance b(static_cast<int16_t>(big), {0, 20, 19, 39}, {10, 0, 29, 29}, 3);
        ASSERT_EQ(b.m_nWidth, 96);
        ASSERT_EQ(b.m_nHeight, 72);
        ASSERT_EQ(b.m_bScaled, 1);
        ASSERT_LE(std::abs(b.m_dX - (10 + 5 - 48)), 12);
        ASSERT_LE(std::abs(b.m_dY - (20 + 5 - 36)), 12);
    }
    // Scale 0 of a scalable graphic: frame size and no scatter, but both draws are taken.
    crt::srand(7);
    cEffectInstance c(static_cast<int16_t>(big), kApart1, kApart2, 0);
    EXPECT_EQ(c.m_nWidth, 32);
    EXPECT_DOUBLE_EQ(c.m_dX, -16);
    EXPECT_DOUBLE_EQ(c.m_dY, -12);
    crt::srand(7);
    crt::rand();
    crt::rand();
    const int next = crt::rand();
    crt::srand(7);
    cEffectInstance d(static_cast<int16_t>(big), kApart1, kApart2, 0);
    EXPECT_EQ(crt::rand(), next);
}

TEST_F(EffectInstance, LivesSixDrawnFramesPerTenthAndWaitsWhileFrozen) {
    const int id = AddEffect("none.bmp", 2, 16, 16, 1);
    Database.vEffect.back().vFrame[1].nValue2 = 2;
    PrepareDatabaseWork(Database);
    // Only the width decides whether a command's effect is stretched.
    EXPECT_EQ(cEffectInstance(static_cast<int16_t>(id), 0, 0, 16, 64, 0).m_bScaled, 0);
    EXPECT_EQ(cEffectInstance(static_cast<int16_t>(id), 0, 0, 64, 16, 0).m_bScaled, 1);
    STAGESURFACES none;
    cEffectInstance e(static_cast<int16_t>(id), 0, 0, 16, 16, 0);
    std::vector<int> cells;
    int draws = 0;
    while (e.Draw(&BackBuffer, none, 0, 0, 0) == 0 && draws < 100) {
        ++draws;
        cells.push_back(e.m_nFrame);
        // Frozen frames in between change nothing.
        if (draws == 3) {
            for (int k = 0; k < 5; ++k) ASSERT_EQ(e.Draw(&BackBuffer, none, 0, 0, 1), 0);
        }
    }
    // 6 ticks on frame 0 (its start is the first), 12 on frame 1; the 18th draw reaches the end.
    EXPECT_EQ(draws, 17);
    EXPECT_EQ(std::count(cells.begin(), cells.end(), 0), 5);
    EXPECT_EQ(std::count(cells.begin(), cells.end(), 1), 12);
    // With its advance-while-frozen flag it also plays in frozen frames.
    cEffectInstance w(static_cast<int16_t>(id), 0, 0, 16, 16, 1);
    int frozenDraws = 0;
    while (w.Draw(&BackBuffer, none, 0, 0, 1) == 0) ++frozenDraws;
    EXPECT_EQ(frozenDraws, 17);
}

TEST_F(EffectInstance, EmptyFramesBadIdsAndMissingPicturesEndOrDrawNothingWithoutCrashing) {
    ASSERT_TRUE(InitD3D(64, 48));
    const int id = AddEffect(File("missing.bmp"), 1, 16, 16, 1);
    const int empty = AddEffect(File("missing.bmp"), 0, 16, 16, 1);
    STAGESURFACES table;
    LoadEffectBitmaps(table);
    EXPECT_EQ(table.vSurface.size(), 4u);
    EXPECT_NE(EC().find("エフェクト fx1 読み込み失敗！"), std::string::npos);
    std::list<cEffectInstance> list;
    list.emplace_back(static_cast<int16_t>(id), 0, 0, 16, 16, 0);
    list.emplace_back(static_cast<int16_t>(empty), 0, 0, 16, 16, 0);
    {
        cRecordServicesSpy spy;
        list.emplace_back(int16_t{99}, 0, 0, 16, 16, 0);
        EXPECT_EQ(spy.closes, 1);  // a bad index closes the program in order
    }
    DrawEffectInstances(list, &BackBuffer, table, 0, 0, 0);
    ASSERT_EQ(list.size(), 1u);  // the one with frames stays; it has no picture to show
    EXPECT_EQ(list.front().m_nId, id);
    ReleaseStageSurfaces(table);
}

}  // namespace
