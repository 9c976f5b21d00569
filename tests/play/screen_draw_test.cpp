// The stage part of the play screen: a small stage's backgrounds, blocks,
// status strip, timer and hint drawn under each back end and compared with
// one reviewed frame (tests/data/golden/play_screen.bmp, kept as RLE8); a
// frame that differs is written to golden-out/. QV_UPDATE_GOLDEN=1 writes the
// reference instead. Then the edge cases of the layers and the strip.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/system_data.h"
#include "platform/graphics/dd_test_support.h"
#include "platform/system/timer.h"
#include "play/draw/background_draw.h"
#include "play/draw/block_draw.h"
#include "play/draw/status_draw.h"
#include "stage/block_data.h"
#include "support/play_screen_test.h"

using namespace ddtest;

namespace {

const char* const kFace = "ＭＳ ゴシック";

// Palette 16.. strong colours; 0 is the transparent magenta.
std::vector<uint32_t> ScreenPalette() {
    std::vector<uint32_t> p = TestPalette();
    const uint32_t strong[16] = {0x000000, 0xFFFFFF, 0xE02020, 0x20C020, 0x2040E0, 0xF0D020, 0x20D0D0, 0xC040C0,
                                 0x804000, 0x808080, 0x404040, 0xFF8080, 0x80FF80, 0x8080FF, 0xFFC080, 0x102040};
    for (int i = 0; i < 16; ++i) p[static_cast<size_t>(16 + i)] = strong[i];
    return p;
}

class ScreenDrawTest : public cPlayScreenTest {
protected:
    // Writes a picture made by fn as an 8-bit file and loads it into common row `row`.
    void Picture(int row, int w, int h, const std::function<uint8_t(int, int)>& fn) {
        const std::string path = File("row" + std::to_string(row) + ".bmp");
        ASSERT_TRUE(WriteBmp(path, MakeIndexed(w, h, ScreenPalette(), fn), 8));
        ASSERT_EQ(DDCreateSurfaceFromFile(&CommonSurfaces[row], path.c_str(), 1, DDGetColorBit(), 0, 0, 0, 0, 0, 0, 0),
                  DD_OK);
    }

    // The sheets, fonts and status items of the screen.
    void Prepare(bool d3d) {
        SetBasePalette(ScreenPalette());
        DDSetTransmit(0xFF, 0x00, 0xFF);
        // Far layer: checks of two blues; near layer: hills over transparency.
        Picture(CB_BACKGROUND1, 128, 96, [](int x, int y) { return uint8_t(((x / 16 + y / 16) & 1) ? 20 : 31); });
        Picture(CB_BACKGROUND1 + 1, 160, 120, [](int x, int y) {
            const int top = 70 + (x < 80 ? x : 160 - x) / 3 - 25;
            return uint8_t(y < top ? 0 : (y == top ? 16 : 19));
        });
        // Block cells 1, 2 and 16: framed squares with cut corners.
        Picture(CB_BLOCK, 64, 480, [](int x, int y) {
            const int n = x / 32 * 15 + y / 32, cx = x % 32, cy = y % 32;
            if (n == 0 || cx + cy < 4) return uint8_t(0);
            if (cx == 0 || cy == 0 || cx == 31 || cy == 31) return uint8_t(16);
            return uint8_t(n == 1 ? 24 : n == 2 ? 18 : 22);
        });
        Picture(CB_MARK, 32, 64, [](int x, int y) { return uint8_t(y >= 32 && x > 20 && y < 44 ? 17 : 0); });
        Picture(CB_STATUS_WINDOW, 640, 20, [](int x, int y) { return uint8_t(y > 17 ? 0 : 25 + x / 160); });
        Picture(CB_ACCESSORY, 128, 176, [](int x, int y) {
            if (y >= 32 && y < 48) return uint8_t((x % 16 > 2 && x % 16 < 13) ? 27 + x / 16 % 4 : 0);
            if (y >= 128 && y < 144) return uint8_t((x % 64 < 50) && (y == 128 || y == 143 || x % 64 == 0 || x % 64 == 49) ? 17 : 0);
            if (y >= 144 && y < 176) return uint8_t(x % 64 < 50 && y % 16 > 2 && y % 16 < 13 ? (y < 160 ? 19 : 18) : 0);
            return uint8_t(0);
        });
        // Digit d: d + 1 bars.
        Picture(CB_WORD, 320, 192, [](int x, int y) {
            const int d = x / 32, cx = x % 32;
            return uint8_t(y >= 164 && y < 188 && cx >= 2 && cx / 3 <= d && cx % 3 == 2 ? 21 : 0);
        });
        ASSERT_TRUE(Fonts[FONT_SMALL].Create(kFace, 0, 10, 8, 10, 16, nullptr, 1, 240, nullptr, 1, 640, 480, d3d));
        ASSERT_TRUE(Fonts[FONT_MEDIUM].Create(kFace, 0, 16, 16, 16, 17, nullptr, 1, 240, nullptr, 1, 640, 480, d3d));
        auto& items = SystemData.vStatusItem;
        items[0].bIcon = 0;  // "スコア" and 4 digits
        items[1].bShow = 0;
        items[2].nCompat204 = 1;                            // HP: icon, gauge, its number
        items[3].bIcon = 0, items[3].bLimitPercent = 1, items[3].nLimit = 20;  // SP: warning colour at 20 %
        items[4].bIcon = 0, items[4].strLabel = "残り";
    }

    cSafeVector<cIntRec> Layers() {
        cSafeVector<cIntRec> v(3);
        for (auto& l : v) l.ClearLayer();
        v[0].e = 0.5, v[0].f = 0.25;      // far: half and a quarter of the scroll
        v[1].e = 3, v[1].g = 1, v[1].f = 1;  // near: scrolls left by itself, follows Y fully
        v[2].a = 0;                        // disabled: would hide everything
        v[2].b = 1;
        return v;
    }

    // A stage 25 x 18 cells: pitch 64, the view at grid dots (420.6, 360.3).
    void DrawStage() {
        constexpr int cols = 45, rows = 38, shift = 6;
        std::vector<cBlockData> cells(static_cast<size_t>(rows) << shift);
        auto put = [&](int c, int r, int graphic) -> cBlockData& {
            cBlockData& b = cells[(static_cast<size_t>(r) << shift) + c];
            b.wGraphic = static_cast<uint16_t>(graphic);
            return b;
        };
        for (int c = 10; c < 35; ++c) put(c, 24, 1);          // floor, off both sides
        for (int c = 12; c < 16; ++c) put(c, 26, 2);          // half below the screen
        put(13, 18, 16).bMark = 1;                           // marked, cut by the left edge
        put(13, 18, 16).wMark = 1;
        put(20, 20, 2).bHidden = 1;                          // hidden in play
        put(22, 20, 2).vCond.resize(1);                      // conditions that do not hold
        put(24, 23, 16).byLayer = 1;                         // in front, over the near layer's hills
        put(33, 10, 1);                                      // above the screen: not drawn
        SetBlockCondTest([](const cBlockData&) { return 0; });
        BLOCKGRIDVIEW grid{cols, rows, shift, [&](int cell) { return &cells[static_cast<size_t>(cell)]; }, {}};
        const PLAYSCROLLVIEW scroll{420.6, 360.3, 10, 10};

        auto layers = Layers();
        for (int i = 0; i < 3; ++i) StepLayerScroll(layers, 0);
        DrawBackgroundLayers(&BackBuffer, layers, scroll, 0);
        DrawBlocks(&BackBuffer, grid, scroll, 0);
        DrawBlocks(&BackBuffer, grid, scroll, 1);
        DrawBackgroundLayers(&BackBuffer, layers, scroll, 1);
        PLAYSTATUS st;
        st.nTotalScore = 1234, st.nHp = 30, st.nHpMax = 40, st.nSp = 5, st.nSpMax = 50;
        st.nLives = UNLIMITED_LIVES, st.nStageTime = 87, st.nWarnTime = 30;
        DrawStatusBar(&BackBuffer, st);
        DrawStageTimer(&BackBuffer, st, 0);
        DrawHintLine(&BackBuffer, 1, 1);
    }

    void Present(bool d3d) {
        if (d3d) DDPresent(60, 0, 0);
        else DDFlip();
    }
};

std::filesystem::path GoldenPath() {
    const char* data = std::getenv("QV_TEST_DATA");
    return std::filesystem::path(data ? data : "tests/data") / "golden" / "play_screen.bmp";
}

// Compares the last frame with the reference (or writes it, indexed by its colours).
void CheckGolden(const char* backEnd) {
    DDFRAME f;
    ASSERT_TRUE(DDGetLastFrame(&f));
    BMPIMAGE got;
    got.nWidth = f.width, got.nHeight = f.height;
    for (uint32_t p : f.pixels) got.Pixels.push_back(p & 0xFFFFFF);
    const char* update = std::getenv("QV_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::map<uint32_t, uint8_t> index;
        for (uint32_t p : got.Pixels)
            if (!index.count(p)) index.emplace(p, static_cast<uint8_t>(index.size()));
        ASSERT_LE(index.size(), 256u);
        got.Palette.resize(256);
        for (auto& [rgb, i] : index) got.Palette[i] = rgb;
        for (uint32_t p : got.Pixels) got.Index.push_back(index[p]);
        ASSERT_TRUE(WriteFileBytes(GoldenPath().string(), EncodeBmp(got, 8, BMP_RLE8)));
        return;
    }
    BMPIMAGE want;
    ASSERT_TRUE(LoadBmpFile(GoldenPath().string(), &want)) << "no reference frame " << GoldenPath();
    if (want.nWidth != got.nWidth || want.nHeight != got.nHeight || want.Pixels != got.Pixels) {
        std::filesystem::create_directories("golden-out");
        const std::string out = std::string("golden-out/play_screen_") + backEnd + ".got.bmp";
        WriteFileBytes(out, EncodeBmp(got, 24));
        ADD_FAILURE() << backEnd << ": the frame differs; written to " << std::filesystem::absolute(out);
    }
}

TEST_F(ScreenDrawTest, SmallStageUnderDirect3D) {
    ASSERT_TRUE(InitD3D());
    Prepare(true);
    DrawStage();
    Present(true);
    CheckGolden("d3d32");
}

TEST_F(ScreenDrawTest, SmallStageUnderDirectDrawAt32And8Bits) {
    for (int depth : {32, 8}) {
        StartOver();
        ASSERT_TRUE(InitDD(depth));
        Prepare(false);
        DrawStage();
        Present(false);
        CheckGolden(depth == 32 ? "dd32" : "dd8");
    }
}

TEST_F(ScreenDrawTest, OpaqueBlocksOverTheWholeScreenHideTheLayersBehindThem) {
    // A block cell of every colour but one pixel of the key, and one without it. Each case draws
    // the layers behind and the blocks, then again with the layers left out where the blocks are
    // found to cover the screen: the two frames are the same.
    constexpr int cols = 45, rows = 38, shift = 6;
    struct CASE {
        const char* name;
        int d3d, depth;  // back end
        int col, row;     // the cell changed (screen cell), -1: none
        int change;       // 0 none, 1 keyed picture, 2 empty, 3 hidden, 4 with a condition, 5 in front
        bool covers;
    } cases[] = {
        {"opaque at 32 bits", 0, 32, -1, -1, 0, true},
        {"opaque at 8 bits", 0, 8, -1, -1, 0, true},
        {"one keyed picture", 0, 32, 10, 5, 1, false},
        {"the corner cell empty", 0, 32, 20, 15, 2, false},
        {"a hidden cell", 0, 8, 0, 0, 3, false},
        {"a cell with a condition", 0, 32, 7, 9, 4, false},
        {"a cell in front", 0, 32, 3, 0, 5, false},
        {"Direct3D", 1, 32, -1, -1, 0, false},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.name);
        StartOver();
        ASSERT_TRUE(c.d3d ? InitD3D() : InitDD(c.depth));
        SetBasePalette(ScreenPalette());
        DDSetTransmit(0xFF, 0x00, 0xFF);
        Picture(CB_BACKGROUND1, 128, 96, [](int x, int y) { return uint8_t(((x / 16 + y / 16) & 1) ? 20 : 31); });
        Picture(CB_BACKGROUND1 + 1, 160, 120, [](int x, int y) { return uint8_t(y < 60 ? 0 : 19 + x % 3); });
        Picture(CB_BLOCK, 64, 480, [](int x, int y) {
            const int n = x / 32 * 15 + y / 32;
            return uint8_t(n == 2 && x % 32 == 17 && y % 32 == 30 ? 0 : 16 + (x + y + n) % 13);
        });
        std::vector<cBlockData> cells(static_cast<size_t>(rows) << shift);
        for (int r = 0; r < rows; ++r)
            for (int k = 0; k < cols; ++k) cells[(static_cast<size_t>(r) << shift) + k].wGraphic = 1;
        // The view at grid dots (420.6, 360.3): screen cell (0, 0) is grid cell (13, 11).
        if (c.change) {
            cBlockData& b = cells[(static_cast<size_t>(11 + c.row) << shift) + 13 + c.col];
            if (c.change == 1) b.wGraphic = 2;
            if (c.change == 2) b.wGraphic = 0;
            if (c.change == 3) b.bHidden = 1;
            if (c.change == 4) b.vCond.resize(1);
            if (c.change == 5) b.byLayer = 1;
        }
        SetBlockCondTest([](const cBlockData&) { return 1; });
        const BLOCKGRIDVIEW grid{cols, rows, shift, [&](int cell) { return &cells[static_cast<size_t>(cell)]; }, {}};
        const PLAYSCROLLVIEW scroll{420.6, 360.3, 10, 10};
        const auto layers = Layers();

        EXPECT_EQ(BlocksCoverScreen(&BackBuffer, grid, scroll), c.covers);
        DDFillRect(&BackBuffer, 0, 0, 640, 480, 22);
        DrawBackgroundLayers(&BackBuffer, layers, scroll, 0);
        DrawBlocks(&BackBuffer, grid, scroll, 0);
        const std::vector<uint8_t> whole = BackBuffer.Surface.bits;
        DDFillRect(&BackBuffer, 0, 0, 640, 480, 22);
        if (!BlocksCoverScreen(&BackBuffer, grid, scroll)) DrawBackgroundLayers(&BackBuffer, layers, scroll, 0);
        DrawBlocks(&BackBuffer, grid, scroll, 0);
        EXPECT_TRUE(BackBuffer.Surface.bits == whole);
    }
}

TEST_F(ScreenDrawTest, CoveredScreenCopiedBackOnlyWhileItsCellsAndPicturesAreUnchanged) {
    // One covered screen drawn step after step, each change made between two pictures: the blocks
    // drawn through the kept screen equal the blocks drawn anew every time.
    constexpr int cols = 45, rows = 38, shift = 6;
    for (const int depth : {32, 8}) {
        SCOPED_TRACE(depth);
        StartOver();
        ASSERT_TRUE(InitDD(depth));
        SetBasePalette(ScreenPalette());
        DDSetTransmit(0xFF, 0x00, 0xFF);
        Picture(CB_BLOCK, 64, 480, [](int x, int y) { return uint8_t(16 + (x + y + x / 32 * 15 + y / 32) % 13); });
        std::vector<cBlockData> cells(static_cast<size_t>(rows) << shift);
        for (int r = 0; r < rows; ++r)
            for (int k = 0; k < cols; ++k) cells[(static_cast<size_t>(r) << shift) + k].wGraphic = 1 + (r + k) % 3;
        const BLOCKGRIDVIEW grid{cols, rows, shift, [&](int cell) { return &cells[static_cast<size_t>(cell)]; }, {}};
        PLAYSCROLLVIEW scroll{420.6, 360.3, 10, 10};
        cBlockData& changed = cells[(static_cast<size_t>(15) << shift) + 20];  // screen cell (7, 4)
        DDPIXELS& sheet = CommonSurfaces[CB_BLOCK].Surface;
        const std::vector<std::pair<const char*, std::function<void()>>> steps = {
            {"first", [] {}},
            {"unchanged", [] {}},
            {"a cell's graphic", [&] { changed.wGraphic = 5; }},
            {"a pixel of the pictures", [&] {
                 for (int y = 5; y < 480; y += 32)
                     for (int x = 9; x < 64; x += 32) {
                         if (depth == 8) sheet.Row(y)[x] = 17;
                         else sheet.Row32(y)[x] = 0xFF123456u;
                     }
             }},
            {"unchanged again", [] {}},
            {"scrolled a dot", [&] { scroll.dPosX += 1; }},
            {"a marked cell", [&] { changed.bMark = 1; }},
            {"the mark gone", [&] { changed.bMark = 0; }},
            {"the first graphic again", [&] { changed.wGraphic = 1; }},
        };
        for (const auto& [name, change] : steps) {
            SCOPED_TRACE(name);
            change();
            ASSERT_TRUE(BlocksCoverScreen(&BackBuffer, grid, scroll));
            DDFillRect(&BackBuffer, 0, 0, 640, 480, 22);
            DrawCoveringBlocks(&BackBuffer, grid, scroll);
            const std::vector<uint8_t> kept = BackBuffer.Surface.bits;
            DDFillRect(&BackBuffer, 0, 0, 640, 480, 22);
            DrawBlocks(&BackBuffer, grid, scroll, 0);
            EXPECT_TRUE(BackBuffer.Surface.bits == kept);
        }
    }
}

TEST_F(ScreenDrawTest, LayerEdgesAndAnEmptyStrip) {
    ASSERT_TRUE(InitD3D());
    Prepare(true);
    // An automatic layer keeps its offsets inside its picture both ways, and holds under the pause menu.
    cSafeVector<cIntRec> layers(2);
    layers[0].ClearLayer(), layers[0].g = layers[0].h = 1, layers[0].e = 7.5, layers[0].f = -11.25;
    layers[1].ClearLayer(), layers[1].g = 1, layers[1].e = -170;  // faster than its 160-dot picture
    for (int n = 0; n < 1000; ++n) {
        StepLayerScroll(layers, 0);
        ASSERT_TRUE(layers[0].i >= 0 && layers[0].i < 128 && layers[0].j >= 0 && layers[0].j < 96) << n;
        ASSERT_TRUE(layers[1].i >= 0 && layers[1].i < 160) << n;
    }
    const double i = layers[0].i, j = layers[0].j;
    StepLayerScroll(layers, 1);
    EXPECT_EQ(layers[0].i, i);
    EXPECT_EQ(layers[0].j, j);

    // No enabled layer: palette colour 16 everywhere; every status item hidden: not even the strip.
    for (auto& l : layers) l.a = 0;
    DDFillRect(&BackBuffer, 0, 0, 640, 480, 20);
    DrawBackgroundLayers(&BackBuffer, layers, PLAYSCROLLVIEW{}, 0);
    for (auto& s : SystemData.vStatusItem) s.bShow = 0;
    DrawStatusBar(&BackBuffer, PLAYSTATUS{});
    EXPECT_EQ(Px(BackBuffer, 0, 0), PalNumToRGB(16));
    EXPECT_EQ(Px(BackBuffer, 639, 479), PalNumToRGB(16));
    EXPECT_EQ(Px(BackBuffer, 320, 10), PalNumToRGB(16));
}

}  // namespace
