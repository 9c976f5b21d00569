// Screen effects drawn over a play picture: golden frames of every kind
// mid-run under both back ends and at 8 and 32 bits, the slide of the
// default move, frozen pictures, and the end of an effect.
#include <gtest/gtest.h>

#include <vector>

#include "database/database.h"
#include "platform/graphics/fx_test_support.h"
#include "play/effects/effect_params.h"
#include "play/effects/scr_effect_draw.h"
#include "play/play_scene.h"

using namespace fxtest;

namespace {

constexpr int kShrink = 8;  // golden thumbnails: 8 x 8 blocks averaged

// The play picture: a ramp in tiles, white lines every 64 dots, coloured boxes, a black cross on the hero.
uint8_t ScenePixel(int x, int y) {
    if (x == 200 || y == 300) return 16;
    if (x % 64 == 0 || y % 64 == 0) return 17;
    if ((x / 32) % 5 == 1 && (y / 32) % 4 == 2) return static_cast<uint8_t>(18 + (x / 160 + y / 120) % 6);
    return static_cast<uint8_t>(32 + ((x / 2 + y) / 3) % 200);
}

class ScrEffectDrawTest : public cFxTest {
protected:
    ScrEffectDrawTest() { ResetPlayState(); }
    ~ScrEffectDrawTest() override { ResetPlayState(); }
    // Between configurations: the effects and their definitions emptied, the screen kept.
    static void Clear() {
        ResetScrEffectWork();
        Database.Reset();
    }
    void TearDown() override {
        canvas.Release();
        DDReleaseSurface(&scene);
        cFxTest::TearDown();
    }
    // Starts cfg on a 640 x 480 screen with the play picture loaded.
    bool StartScene(FXCONFIG cfg) {
        canvas.Release();
        DDReleaseSurface(&scene);
        DDReleaseSurface(&pic);
        DDResetForTest();
        if (!Start(cfg, 640, 480)) return false;
        const std::string path = File("scene.bmp");
        if (!WriteBmp(path, MakeIndexed(640, 480, palette, ScenePixel), 8)) return false;
        return DDCreateSurfaceFromFile(&scene, path.c_str(), 0, DDGetColorBit(), 1, 1, 0, 0, 0, 0, 0) == DD_OK;
    }
    int AddScr(int kind, std::vector<std::pair<int, int>> changes = {}) {
        cScrEffect d;
        d.nKind = kind;
        for (int i = 0; i < EFFECT_PARAM_DEF_NUM; ++i) d.nParam[i] = ScrEffectParamDefs[kind][i].nDefault;
        for (auto [n, v] : changes) d.nParam[n - 1] = v;
        Database.vScrEffect.push_back(d);
        return static_cast<int>(Database.vScrEffect.size()) - 1;
    }
    // One picture as the play scene draws it: the play picture into the selected back buffer, then the effect.
    int32_t DrawPicture(cScrEffectRun& run, int frozen) {
        DDSelectBackBuffer(1);
        DDBlt(&BackBuffer, 0, 0, 640, 480, &scene, 0, 0, DDBLT_COPY);
        const int32_t end = DrawScrEffectKind(run, &BackBuffer, frozen, canvas, view);
        DDSelectBackBuffer(0);
        return end;
    }
    bool ShowsScene(int x, int y, int sx, int sy) const { return Shown(BackBuffer, x, y) == Colour(ScenePixel(sx, sy)); }

    DDSURFACEDATA scene;
    cScrEffectCanvas canvas;
    SCREFFECTSCENE view{200, 300, {}};
};

// The back buffer in 8 x 8 averages, placed at slot (col, row) of a sheet of cols x rows thumbnails.
void AddThumbnail(GOLDENFRAME& sheet, int cols, int rows, int slot, const DDSURFACEDATA& sd) {
    const int tw = 640 / kShrink, th = 480 / kShrink;
    if (sheet.pixels.empty()) {
        sheet.width = cols * (tw + 2);
        sheet.height = rows * (th + 2);
        sheet.pixels.assign(static_cast<size_t>(sheet.width) * sheet.height, 0x406080);
    }
    const uint32_t* pal = DDHardwarePaletteRGB();
    const int ox = (slot % cols) * (tw + 2), oy = (slot / cols) * (th + 2);
    for (int ty = 0; ty < th; ++ty)
        for (int tx = 0; tx < tw; ++tx) {
            uint32_t sum[3] = {};
            for (int y = ty * kShrink; y < (ty + 1) * kShrink; ++y)
                for (int x = tx * kShrink; x < (tx + 1) * kShrink; ++x) {
                    const uint32_t c = sd.Surface.format == DDFMT_INDEX8 ? pal[sd.Surface.Row(y)[x]]
                                                                         : sd.Surface.Row32(y)[x];
                    for (int k = 0; k < 3; ++k) sum[k] += (c >> (16 - 8 * k)) & 255;
                }
            uint32_t v = 0;
            for (int k = 0; k < 3; ++k) v |= (sum[k] / (kShrink * kShrink)) << (16 - 8 * k);
            sheet.pixels[static_cast<size_t>(oy + ty) * sheet.width + ox + tx] = v;
        }
}

TEST_F(ScrEffectDrawTest, GoldenFramesOfEveryKindMidRun) {
    struct SLOT {
        int kind;
        std::vector<std::pair<int, int>> changes;
        int pictures;  // advances before the picture
    };
    const SLOT slots[] = {
        {1, {}, 15},                    // slid a quarter of the way right
        {2, {{2, 40}}, 7},              // shaken sideways (amplitude 40)
        {3, {{2, 40}}, 7},              // shaken up and down
        {4, {}, 3},                     // 15 horizontal strips 32 apart
        {5, {}, 3},                     // 20 vertical strips 24 apart
        {6, {}, 2},                     // horizontal wave of 21 dots
        {7, {}, 2},                     // vertical wave of 16 dots
        {8, {}, 0},                     // blink: the background layers drawn over the picture
        {9, {}, 2},                     // rotated by 48 degrees
        {10, {}, 40},                   // circle of radius 213 about the hero
        {11, {{2, 320}}, 10},           // shrunk to 3/4 about the middle
        {11, {}, 20},                   // enlarged 4/3 about the hero
        {12, {}, 40},                   // lens at distance 503 about the hero
        {13, {}, 30},                   // mosaic of 30 dots
    };
    for (FXCONFIG cfg : kConfigs) {
        SCOPED_TRACE(ConfigName(cfg));
        ASSERT_TRUE(StartScene(cfg));
        Clear();
        std::vector<int> ids;
        for (const SLOT& s : slots) ids.push_back(AddScr(s.kind, s.changes));
        ResizeScrEffectWork();
        int layers = 0;
        view.DrawBackgroundLayers = [&] {
            ++layers;
            DDFillRect(&BackBuffer, 100, 100, 440, 280, 21);
        };
        GOLDENFRAME sheet;
        for (size_t i = 0; i < std::size(slots); ++i) {
            cScrEffectRun run;
            run.Start(ids[i], EFFECT_MODE_NORMAL, 0);
            for (int n = 0; n < slots[i].pictures; ++n) ASSERT_EQ(run.Advance(), 0);
            ASSERT_EQ(DrawPicture(run, 1), 0);
            AddThumbnail(sheet, 7, 2, static_cast<int>(i), BackBuffer);
        }
        EXPECT_EQ(layers, 1);
        EXPECT_EQ(CompareGolden(std::string("scr_effects_") + ConfigName(cfg), sheet), "");
    }
}

TEST_F(ScrEffectDrawTest, DefaultMoveSlidesThePictureRightOverColour16) {
    for (FXCONFIG cfg : {CFG_DD8, CFG_D3D}) {
        SCOPED_TRACE(ConfigName(cfg));
        ASSERT_TRUE(StartScene(cfg));
        Clear();
        const int move = AddScr(1);
        ResizeScrEffectWork();
        cScrEffectRun run;
        run.Start(move, EFFECT_MODE_NORMAL, 0);
        ASSERT_EQ(DrawPicture(run, 0), 0);
        EXPECT_TRUE(ShowsScene(0, 0, 0, 0) && ShowsScene(639, 479, 639, 479)) << "the first picture is in place";
        for (int n = 0; n < 30; ++n) DrawPicture(run, 0);
        // 31 advances: 30 sixths of a second of 10 tenths, (640 - 0) / 10 x 5 = 320.
        EXPECT_EQ(run.m_nWork[0], 320);
        DrawPicture(run, 0);
        for (int y : {0, 239, 479}) {
            EXPECT_EQ(Shown(BackBuffer, 319, y), Colour(16));
            EXPECT_TRUE(ShowsScene(320, y, 0, y));
            EXPECT_TRUE(ShowsScene(639, y, 319, y));
        }
    }
}

TEST_F(ScrEffectDrawTest, FrozenPicturesRepeatAndTheEndSwitchesTheSelectionOff) {
    for (FXCONFIG cfg : kConfigs) {
        SCOPED_TRACE(ConfigName(cfg));
        ASSERT_TRUE(StartScene(cfg));
        Clear();
        std::vector<int> ids;
        for (int kind = 1; kind <= SCR_EFFECT_KIND_NUM; ++kind) ids.push_back(AddScr(kind, {{1, 1}}));
        const int none = AddScr(0);
        ResizeScrEffectWork();
        int layers = 0;
        view.DrawBackgroundLayers = [&] { ++layers; };
        for (int id : ids) {
            cScrEffectRun run;
            run.Start(id, EFFECT_MODE_NORMAL, 0);
            for (int n = 0; n < 3; ++n) DrawPicture(run, 0);
            const cScrEffectRun before = run;
            DrawPicture(run, 1);
            const std::vector<uint8_t> first = BackBuffer.Surface.bits;
            for (int n = 0; n < 20; ++n) ASSERT_EQ(DrawPicture(run, 1), 0);
            EXPECT_TRUE(BackBuffer.Surface.bits == first) << "kind " << run.Kind() << ": the same picture";
            EXPECT_EQ(run.m_dCurrent, before.m_dCurrent);
            EXPECT_EQ(run.m_dShake, before.m_dShake);
            EXPECT_EQ(run.m_nWork[0], before.m_nWork[0]);
            EXPECT_EQ(run.m_nWork[1], before.m_nWork[1]);
            EXPECT_EQ(run.m_dElapsed, before.m_dElapsed);
            // Run time 1: the clock kinds end after 13 pictures in all, the others after 7; then the
            // selection goes off and the id to 0.
            int n = 0;
            DDSelectBackBuffer(1);
            while (run.m_nId && n++ < 20) DrawScreenEffect(run, &BackBuffer, 0, canvas, view);
            EXPECT_EQ(run.m_nId, 0);
            EXPECT_LE(n, 13 - 3);
            if (DDIsD3D()) {
            EXPECT_EQ(lpDTCon->bVirtualMode, 0);
        }
        }
        EXPECT_GT(layers, 0);
        // Kind 0 draws nothing, never ends, and switches the selection off under Direct3D.
        cScrEffectRun run;
        run.Start(none, EFFECT_MODE_NORMAL, 0);
        DDSelectBackBuffer(1);
        for (int n = 0; n < 100; ++n) DrawScreenEffect(run, &BackBuffer, 0, canvas, view);
        EXPECT_EQ(run.m_nId, none);
        if (DDIsD3D()) {
            EXPECT_EQ(lpDTCon->bVirtualMode, 0);
        }
    }
}

}  // namespace
