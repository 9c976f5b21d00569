// Strip and shape blits: waves, shifted strips, turns, quarters, circles, frames and numbers.
#include <gtest/gtest.h>

#include "platform/graphics/fx_test_support.h"
#include "platform/graphics/fx_strip.h"

using namespace fxtest;

namespace {

// Glyphs 3 x 5 of the digits, one row of bits per line (bit 2 = left column).
const uint8_t kDigits[10][5] = {{7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
                                {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};

class FxStripTest : public cFxTest {
protected:
    // Starts cfg and loads a digit strip of 5 x 7 cells (white digits on transparent).
    bool StartWithDigits(FXCONFIG cfg, int w = 96, int h = 72) {
        if (!Start(cfg, w, h)) return false;
        const std::string path = File("digits.bmp");
        auto fn = [](int x, int y) -> uint8_t {
            const int d = x / 5, gx = x % 5 - 1, gy = y - 1;
            if (gx < 0 || gx > 2 || gy < 0 || gy > 4) return 0;
            return (kDigits[d][gy] >> (2 - gx)) & 1 ? 17 : 0;
        };
        if (!WriteBmp(path, MakeIndexed(50, 7, palette, fn), 8)) return false;
        return DDCreateSurfaceFromFile(&digits, path.c_str(), 1, DDGetColorBit(), 1, 1, 0, 0, 0, 0, 0) == DD_OK;
    }
    void TearDown() override {
        DDReleaseSurface(&digits);
        cFxTest::TearDown();
    }
    void Clear() { DDClearSurface(&BackBuffer, 16); }
    // True when the screen pixel (x, y) shows picture pixel (px, py).
    bool ShowsPicture(int x, int y, int px, int py) const {
        return Shown(BackBuffer, x, y) == Colour(PictureIndex(px, py));
    }
    bool Empty(int x, int y) const { return Shown(BackBuffer, x, y) == Colour(16); }

    DDSURFACEDATA digits;
};

TEST_F(FxStripTest, WaveWithoutAmplitudeDrawsThePictureUnchangedAndTheFirstStripIsAlreadyDisplaced) {
    ASSERT_TRUE(Start(CFG_DD32));
    for (int columns : {0, 1}) {
        Clear();
        DDBltWave(&BackBuffer, 10, 10, 60, 40, 3, 0.0, 17, 7, &pic, 2, 2, DDBLT_COPY, columns);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x) ASSERT_TRUE(ShowsPicture(10 + x, 10 + y, 2 + x, 2 + y)) << x << "," << y;
        EXPECT_TRUE(Empty(9, 10));
        EXPECT_TRUE(Empty(70, 49));
    }
    // 36 columns in strips of 9: the first strip has stepped 90 degrees, so it is moved by the whole amplitude.
    Clear();
    DDBltWave(&BackBuffer, 10, 10, 36, 20, 1, 10.0, 0, 9, &pic, 0, 0, DDBLT_COPY, 1);
    EXPECT_TRUE(ShowsPicture(12, 20, 2, 0));
    EXPECT_TRUE(Empty(12, 19));
    // Strips of 0 draw nothing; strips of 1 take the same path.
    Clear();
    DDBltWave(&BackBuffer, 0, 0, 36, 20, 1, 10.0, 0, 0, &pic, 0, 0, DDBLT_COPY, 1);
    DDBltWave(&BackBuffer, 0, 0, 0, 20, 1, 10.0, 0, 4, &pic, 0, 0, DDBLT_COPY, 1);
    EXPECT_TRUE(Empty(5, 5));
    DDBltWave(&BackBuffer, 0, 0, 36, 20, 1, 0.0, 0, 1, &pic, 0, 0, DDBLT_COPY, 0);
    EXPECT_TRUE(ShowsPicture(35, 19, 35, 19));
}

TEST_F(FxStripTest, StripShiftPushesOddAndEvenStripsApartAndDropsTheRemainder) {
    ASSERT_TRUE(Start(CFG_DD32, 160, 72));
    DDSURFACEDATA wide;
    ASSERT_TRUE(DDCreateSurface(&wide, 128, 20, 0, 1, 1, 0, 0));
    DDClearSurface(&wide, 17);
    Clear();
    DDBltStripShift(&BackBuffer, 10, 20, 100, 10, 30, 4, &wide, 0, 0, DDBLT_COPY, 1);
    EXPECT_FALSE(Empty(10, 24)) << "strip 0 moved down";
    EXPECT_TRUE(Empty(10, 23));
    EXPECT_FALSE(Empty(40, 16)) << "strip 1 moved up";
    EXPECT_TRUE(Empty(40, 26));
    EXPECT_FALSE(Empty(99, 33));
    for (int x = 100; x < 112; ++x) EXPECT_TRUE(Empty(x, 25)) << "the last 10 columns are not drawn";
    // Strip 0 draws the rectangle whole; rows are pushed sideways.
    Clear();
    DDBltStripShift(&BackBuffer, 10, 20, 40, 10, 0, 4, &wide, 0, 0, DDBLT_COPY, 0);
    EXPECT_FALSE(Empty(10, 20));
    EXPECT_TRUE(Empty(9, 20));
    Clear();
    DDBltStripShift(&BackBuffer, 10, 20, 40, 10, 5, 3, &wide, 0, 0, DDBLT_COPY, 0);
    EXPECT_FALSE(Empty(13, 20));
    EXPECT_TRUE(Empty(12, 20));
    EXPECT_FALSE(Empty(7, 25));
    DDReleaseSurface(&wide);
}

TEST_F(FxStripTest, TurnShowsTheFrontThenNarrowsToTheBack) {
    ASSERT_TRUE(Start(CFG_DD32));
    DDSURFACEDATA front, back;
    ASSERT_TRUE(DDCreateSurface(&front, 40, 20, 0, 1, 1, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&back, 40, 20, 0, 1, 1, 0, 0));
    DDClearSurface(&front, 19);
    DDClearSurface(&back, 18);
    auto turn = [&](int w, int counter, int axis) {
        Clear();
        DDBltTurn(&BackBuffer, 10, 10, w, 20, &front, 0, 0, &back, 0, 0, 40, 20, DDBLT_COPY, counter, axis);
    };
    turn(40, 0, 0);
    EXPECT_EQ(Shown(BackBuffer, 10, 10), Colour(19));
    EXPECT_EQ(Shown(BackBuffer, 49, 29), Colour(19));
    EXPECT_TRUE(Empty(50, 29));
    turn(40, 40, 0);
    EXPECT_EQ(Shown(BackBuffer, 10, 10), Colour(18));
    EXPECT_EQ(Shown(BackBuffer, 49, 29), Colour(18));
    // Counter 19: the thinnest front (2 pixels at the middle); counter 20: the back appears, as thin.
    turn(40, 19, 0);
    EXPECT_TRUE(Empty(28, 15));
    EXPECT_FALSE(Empty(29, 15));
    EXPECT_FALSE(Empty(30, 15));
    EXPECT_TRUE(Empty(31, 15));
    turn(40, 20, 0);
    EXPECT_EQ(Shown(BackBuffer, 29, 15), Colour(18));
    EXPECT_TRUE(Empty(31, 15));
    // Axis 1 narrows the height; another axis draws nothing.
    turn(40, 5, 1);
    EXPECT_TRUE(Empty(20, 14));
    EXPECT_FALSE(Empty(20, 15));
    turn(40, 5, 2);
    EXPECT_TRUE(Empty(20, 20));
    // Cards under 2 pixels across (no middle to turn about) show their front unturned, without a fault.
    turn(1, 7, 0);
    EXPECT_EQ(Shown(BackBuffer, 10, 10), Colour(19));
    turn(0, 7, 0);
    EXPECT_TRUE(Empty(10, 10));
    Clear();
    DDBltTurn(&BackBuffer, 10, 10, 20, 1, &front, 0, 0, &back, 0, 0, 40, 20, DDBLT_COPY, 3, 1);
    EXPECT_EQ(Shown(BackBuffer, 10, 10), Colour(19));
    // Negative counters continue the same triangle wave backwards.
    turn(40, -1, 0);
    EXPECT_EQ(Shown(BackBuffer, 10, 15), Colour(19));
    turn(40, -21, 0);
    EXPECT_EQ(Shown(BackBuffer, 29, 15), Colour(18));
    EXPECT_TRUE(Empty(31, 15));
    DDReleaseSurface(&front);
    DDReleaseSurface(&back);
}

TEST_F(FxStripTest, CircleOfRadius1ShowsNothingAndRadius2ShowsThreeRowsOfTwo) {
    ASSERT_TRUE(Start(CFG_DD32));
    Clear();
    DDBltCircle(&BackBuffer, 30, 30, 20, 20, 1, 1, &pic, 10, 10, DDBLT_COPY);
    for (int y = 25; y < 35; ++y)
        for (int x = 25; x < 35; ++x) ASSERT_TRUE(Empty(x, y));
    DDBltCircle(&BackBuffer, 30, 30, 20, 20, 2, 1, &pic, 10, 10, DDBLT_COPY);
    for (int v = -1; v <= 1; ++v) {
        EXPECT_TRUE(ShowsPicture(29, 30 + v, 9, 10 + v));
        EXPECT_TRUE(ShowsPicture(30, 30 + v, 10, 10 + v));
        EXPECT_TRUE(Empty(28, 30 + v));
        EXPECT_TRUE(Empty(31, 30 + v));
    }
    EXPECT_TRUE(Empty(29, 28));
    EXPECT_TRUE(Empty(29, 32));
    // The half width and height cut the disc; source columns are cut at the picture's left edge.
    Clear();
    DDBltCircle(&BackBuffer, 40, 30, 5, 3, 20, 1, &pic, 2, 20, DDBLT_COPY);
    EXPECT_TRUE(ShowsPicture(38, 30, 0, 20));
    EXPECT_TRUE(Empty(37, 30));
    EXPECT_TRUE(ShowsPicture(44, 27, 6, 17));
    EXPECT_TRUE(Empty(45, 30));
    EXPECT_TRUE(Empty(40, 26));
    EXPECT_TRUE(Empty(40, 33));
    // Bands and bad sizes.
    Clear();
    DDBltCircle(&BackBuffer, 40, 30, 40, 40, 12, 0, &pic, 20, 20, DDBLT_COPY);
    DDBltCircle(&BackBuffer, 40, 30, 40, 40, 0, 3, &pic, 20, 20, DDBLT_COPY);
    EXPECT_TRUE(Empty(40, 30));
    DDBltCircle(&BackBuffer, 40, 30, 40, 40, 12, 4, &pic, 20, 20, DDBLT_COPY);
    EXPECT_TRUE(ShowsPicture(40, 30, 20, 20));
    EXPECT_TRUE(ShowsPicture(40, 18, 20, 8));
    EXPECT_TRUE(Empty(40, 17));
    DDBltCircle(&BackBuffer, 40, 30, 1 << 30, 1 << 30, 1 << 30, 1 << 29, &pic, 20, 20, DDBLT_COPY);
}

TEST_F(FxStripTest, NumbersMoveRightInTheirFieldAndFramesMayOverlap) {
    ASSERT_TRUE(StartWithDigits(CFG_DD32));
    Clear();
    DDDrawNumber(&BackBuffer, 10, 10, 5, 7, &digits, 0, 0, DDBLT_COLORKEY, 7, 3, 0);
    EXPECT_EQ(Shown(BackBuffer, 21, 11), Colour(17)) << "one digit two cells to the right";
    EXPECT_TRUE(Empty(11, 11));
    Clear();
    DDDrawNumber(&BackBuffer, 10, 10, 5, 7, &digits, 0, 0, DDBLT_COLORKEY, 7, 3, 1);
    EXPECT_EQ(Shown(BackBuffer, 16, 11), Colour(17)) << "centred: one cell to the right";
    Clear();
    DDDrawNumber(&BackBuffer, 0, 0, 5, 7, &digits, 0, 0, DDBLT_COLORKEY, 2147483647, 0, 0);
    EXPECT_EQ(Shown(BackBuffer, 46, 1), Colour(17)) << "ten digits";
    Clear();
    DDDrawNumber(&BackBuffer, 0, 0, 5, 7, &digits, 0, 0, DDBLT_COLORKEY, -5, 3, 0);
    for (int x = 0; x < 20; ++x) EXPECT_TRUE(Empty(x, 1));
    Clear();
    DDDrawFrame(&BackBuffer, 10, 10, 8, 6, 5, 20);
    for (int y = 10; y < 16; ++y)
        for (int x = 10; x < 18; ++x) EXPECT_EQ(Shown(BackBuffer, x, y), Colour(20));
    EXPECT_TRUE(Empty(18, 10));
    Clear();
    DDBltFramed(&BackBuffer, 20, 20, 30, 20, &pic, 2, 21);
    EXPECT_EQ(Shown(BackBuffer, 18, 18), Colour(21));
    EXPECT_EQ(Shown(BackBuffer, 51, 41), Colour(21));
    EXPECT_TRUE(ShowsPicture(21, 21, 1, 1));
    EXPECT_TRUE(Empty(17, 17));
}

// Zero, negative, full-screen and enormous sizes under every configuration: nothing is drawn outside the screen
// and nothing faults.
TEST_F(FxStripTest, EveryBlitTakesAnySizeOnAFullScreen) {
    for (FXCONFIG cfg : kConfigs) {
        SCOPED_TRACE(ConfigName(cfg));
        DDReleaseSurface(&pic);
        DDReleaseSurface(&digits);
        DDResetForTest();
        ASSERT_TRUE(StartWithDigits(cfg, 640, 480));
        DDSURFACEDATA screen;
        ASSERT_TRUE(DDCreateSurface(&screen, 640, 480, 1, 1, 1, 0, 0));
        DDBlt(&screen, 0, 0, 64, 48, &pic, 0, 0, 0);
        const int sizes[][2] = {{0, 0}, {0, 30}, {30, 0}, {-8, -8}, {1, 1}, {640, 480}, {1 << 30, 1 << 30}};
        for (const auto& z : sizes) {
            const int w = z[0], h = z[1];
            DDBltWave(&BackBuffer, 0, 0, w, h, 3, 1e9, 45, 3, &screen, 0, 0, 1, 1);
            DDBltWave(&BackBuffer, -5, -5, w, h, -2, -40.0, -400, 7, &screen, 3, 3, 0, 0);
            DDBltStripShift(&BackBuffer, 0, 0, w, h, 5, 1 << 30, &screen, 0, 0, 1, 1);
            DDBltStripShift(&BackBuffer, 600, 400, w, h, -3, 2, &screen, 0, 0, 1, 0);
            DDBltTurn(&BackBuffer, 0, 0, w, h, &screen, 0, 0, &pic, 0, 0, w, h, 1, 12345, 0);
            DDBltTurn(&BackBuffer, 0, 0, w, h, &screen, 0, 0, &pic, 0, 0, w, h, 1, INT32_MIN, 1);
            DDBltQuarters(&BackBuffer, -10, -10, w, h, &screen, 0, 0, 1 << 29, 1);
            DDBltCircle(&BackBuffer, 320, 240, w, h, 300, 1, &screen, 320, 240, 1);
            DDBltCircle(&BackBuffer, 0, 479, w, h, 50, 9, &screen, 639, 0, 0);
            DDDrawFrame(&BackBuffer, -1, -1, w, h, 3, 20);
            DDBltFramed(&BackBuffer, 630, 470, w, h, &pic, 20, 21);
            DDDrawNumber(&BackBuffer, 600, 470, 5, 7, &digits, 0, 0, 1, 2147483647, 3, 1);
        }
        // Offsets at the ends of the int range stay far off instead of wrapping round onto the screen.
        DDBltWave(&BackBuffer, 0, 0, 64, 48, 1, 1e12, 90, 8, &pic, 0, 0, 0, 1);
        DDClearSurface(&BackBuffer, 16);
        DDBltStripShift(&BackBuffer, 0, 0, 64, 48, 4, INT32_MIN, &pic, 0, 0, 0, 1);
        DDBltQuarters(&BackBuffer, 10, 10, 64, 48, &pic, 0, 0, INT32_MAX, 0);
        DDDrawFrame(&BackBuffer, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, 20);
        DDBltFramed(&BackBuffer, INT32_MIN, 0, 64, 48, &pic, INT32_MAX, 21);
        DDDrawNumber(&BackBuffer, INT32_MAX, 0, INT32_MAX, 7, &digits, 0, 0, 1, 99, 9, 0);
        for (int y = 0; y < 480; y += 7)
            for (int x = 0; x < 640; x += 7) ASSERT_TRUE(Empty(x, y)) << x << "," << y;
        DDReleaseSurface(&screen);
    }
}

// All the strip and shape blits on one sheet per back end and depth.
TEST_F(FxStripTest, GoldenStripAndShapeBlits) {
    for (FXCONFIG cfg : kConfigs) {
        SCOPED_TRACE(ConfigName(cfg));
        DDReleaseSurface(&pic);
        DDReleaseSurface(&digits);
        DDResetForTest();
        ASSERT_TRUE(StartWithDigits(cfg));
        cSheet sheet;
        Clear();
        DDBltWave(&BackBuffer, 4, 8, 64, 24, 2, 5.0, 30, 4, &pic, 0, 0, DDBLT_COLORKEY, 1);
        DDBltWave(&BackBuffer, 40, 40, 48, 30, 1, 8.0, 0, 1, &pic, 10, 10, DDBLT_COLORKEY, 0);  // off the right edge
        sheet.Add(BackBuffer);
        Clear();
        DDBltStripShift(&BackBuffer, -6, 6, 64, 30, 8, 3, &pic, 0, 0, DDBLT_COLORKEY, 1);  // off the left edge
        DDBltStripShift(&BackBuffer, 40, 40, 64, 48, 6, -4, &pic, 0, 0, DDBLT_COLORKEY, 0);
        sheet.Add(BackBuffer);
        for (int counter : {0, 12, 23, 24, 40}) {
            Clear();
            DDBltTurn(&BackBuffer, 8, 8, 48, 36, &pic, 0, 0, &pic, 32, 24, 32, 24, DDBLT_COLORKEY, counter, 0);
            DDBltTurn(&BackBuffer, 60, 30, 32, 40, &pic, 0, 0, &pic, 32, 24, 32, 24, DDBLT_COLORKEY, counter, 1);
            sheet.Add(BackBuffer);
        }
        Clear();
        DDBltQuarters(&BackBuffer, 16, 12, 64, 48, &pic, 0, 0, 6, DDBLT_COLORKEY);
        sheet.Add(BackBuffer);
        Clear();
        DDBltCircle(&BackBuffer, 24, 24, 30, 30, 18, 1, &pic, 32, 24, DDBLT_COLORKEY);
        DDBltCircle(&BackBuffer, 70, 50, 14, 30, 24, 5, &pic, 32, 24, DDBLT_COLORKEY);  // cut at the sides and bottom
        sheet.Add(BackBuffer);
        Clear();
        DDDrawFrame(&BackBuffer, -3, -3, 40, 30, 4, 21);
        DDBltFramed(&BackBuffer, 50, 8, 32, 24, &pic, 3, 20);
        DDDrawNumber(&BackBuffer, 4, 40, 5, 7, &digits, 0, 0, DDBLT_COLORKEY, 9012345, 8, 0);
        DDDrawNumber(&BackBuffer, 4, 50, 5, 7, &digits, 0, 0, DDBLT_COLORKEY, 678, 8, 1);
        DDDrawNumber(&BackBuffer, 80, 62, 5, 7, &digits, 0, 0, DDBLT_COLORKEY, 1234, 0, 0);  // off the right edge
        sheet.Add(BackBuffer);
        EXPECT_EQ(sheet.Compare(std::string("fx_strip_") + ConfigName(cfg)), "");
    }
}

}  // namespace
