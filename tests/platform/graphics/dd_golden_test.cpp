// Golden frames: one scripted scene (keyed sprites partly off every edge,
// mirrored, stretched and tinted sprites, filled rectangles, palette
// colours, circles and bitmap-font text) drawn under each back end and
// depth (the 8-bit frame through a changed hardware palette), compared with reviewed frames kept in tests/data/golden. A frame
// that differs is written to golden-out/ beside the test for inspection;
// QV_UPDATE_GOLDEN=1 writes the reference frames instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/graphics/dd_test_support.h"

using namespace ddtest;

namespace {

constexpr int W = 160, H = 120;

// The scene's palette: entry 0 is the transparent magenta; 16 strong colours follow.
std::vector<uint32_t> ScenePalette() {
    std::vector<uint32_t> p = TestPalette();
    const uint32_t strong[16] = {0x000000, 0xFFFFFF, 0xE02020, 0x20C020, 0x2040E0, 0xF0D020, 0x20D0D0, 0xC040C0,
                                 0x804000, 0x808080, 0x404040, 0xFF8080, 0x80FF80, 0x8080FF, 0xFFC080, 0x102040};
    for (int i = 0; i < 16; ++i) p[static_cast<size_t>(16 + i)] = strong[i];
    return p;
}

// Two 32 x 32 cells: a "face" with an arrow pointing right, so mirroring shows.
uint8_t SpriteIndex(int x, int y) {
    const int cx = x % 32, cell = x / 32;
    const int dx = cx - 16, dy = y - 16;
    if (dx * dx + dy * dy > 15 * 15) return 0;          // transparent corners
    if (dy >= -2 && dy <= 2 && dx > 0) return 21;        // arrow shaft
    if (dx >= 8 && dx - 8 >= (dy < 0 ? -dy : dy)) return 21;
    if (dx * dx + dy * dy > 13 * 13) return 16;          // outline
    return static_cast<uint8_t>(cell ? 19 : 18);
}

// A font sheet of 16 x 16 cells of 6 x 8: every glyph is the bits of its code drawn as a
// 4 x 6 pattern inside a frame, so that each character is recognisably different.
uint8_t FontIndex(int x, int y) {
    const int code = (y / 8) * 16 + x / 6, gx = x % 6, gy = y % 8;
    if (gx == 0 || gy == 0 || gx == 5 || gy == 7) return 0;
    const int bit = ((gy - 1) * 4 + (gx - 1)) % 8;
    return ((code >> bit) & 1) || (gy == 6) ? 17 : 0;
}

struct SCENEFILES {
    std::string sprite, font;
};

SCENEFILES MakeFiles(const cTempDir& dir) {
    SCENEFILES f{dir.File("sprite.bmp"), dir.File("font.bmp")};
    const auto pal = ScenePalette();
    WriteBmp(f.sprite, MakeIndexed(64, 32, pal, SpriteIndex), 8);
    WriteBmp(f.font, MakeIndexed(96, 128, pal, FontIndex), 8, BMP_RLE8);
    return f;
}

// Draws the scene on BackBuffer and hands the frame over.
void DrawScene(const SCENEFILES& f, bool d3d) {
    SetBasePalette(ScenePalette());
    ASSERT_EQ(DDSetTransmitFromFile(f.sprite.c_str()), 1);
    DDSURFACEDATA sprite, mirrored, view, font;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sprite, f.sprite.c_str(), 1, DDGetColorBit(), 0, 0, 0, 0, 0, 0, 0), DD_OK);
    ASSERT_EQ(DDCreateSurfaceFromFile(&mirrored, f.sprite.c_str(), 1, DDGetColorBit(), 0, 0, 0, 0, 32, 0, 0), DD_OK);
    ASSERT_EQ(DDCreateSurfaceFromFile(&font, f.font.c_str(), 1, DDGetColorBit(), 0, 0, 0, 0, 0, 0, 0), DD_OK);

    // Background: palette colour 31, bands of palette colours, a frame partly off-screen.
    DDClearSurface(&BackBuffer, 31);
    for (int i = 0; i < 16; ++i) DDFillRect(&BackBuffer, i * 10, 100, 10, 20, static_cast<uint32_t>(16 + i));
    DDFillRect(&BackBuffer, -20, -20, 60, 40, 25);
    DDFillRect(&BackBuffer, 140, 60, 40, 80, 24);
    // Keyed sprites off every edge and at negative positions.
    DDBlt(&BackBuffer, -12, 30, 32, 32, &sprite, 0, 0, 1);
    DDBlt(&BackBuffer, 140, -10, 32, 32, &sprite, 32, 0, 1);
    DDBlt(&BackBuffer, 60, 100, 32, 32, &sprite, 0, 0, 1);
    DDBlt(&BackBuffer, 30, 30, 32, 32, &sprite, -8, 4, 1);  // source rectangle starts before the sheet
    // Mirrored: the sheet loaded mirrored, and under Direct3D a mirrored view too.
    DDBlt(&BackBuffer, 70, 20, 32, 32, &mirrored, 0, 0, 1);
    if (d3d) {
        ASSERT_TRUE(DDCreateSurface(&view, 64, 32, 1, 0, 0, 1, 0));
        view.lpViewSD = &sprite;
        view.nMirrorWidth = 32;
        DDBlt(&BackBuffer, 104, 20, 32, 32, &view, 32, 0, 1);
    }
    // Stretched to double size, partly off the bottom.
    DDStretchBlt(&BackBuffer, 100, 70, 64, 64, &sprite, 32, 0, 32, 32, 1);
    // Tints (plain blits under DirectDraw).
    const DDCOLORPAIR modulate{0xFF80FF80u, D3DTOP_MODULATE}, add{0xFF404040u, D3DTOP_ADD},
        sub{0xFF606000u, D3DTOP_SUBTRACT};
    DDBltEx(&BackBuffer, 0, 64, 32, 32, &sprite, 0, 0, 1, &modulate);
    DDBltEx(&BackBuffer, 24, 64, 32, 32, &sprite, 32, 0, 1, &add);
    DDBltEx(&BackBuffer, 48, 64, 32, 32, &sprite, 0, 0, 1, &sub);
    // Primitives and text.
    DDDrawCircle(&BackBuffer, 80, 60, 25, 21);
    DDDrawCircle(&BackBuffer, 158, 2, 6, 17);
    for (int i = 0; i < 20; ++i) DDPutPixel(&BackBuffer, 40 + i * 2, 96, 17);
    DDDrawBitmapText(&BackBuffer, 4, 4, 6, 8, &font, "DD golden 123\n\xB1\xB2\xB3 !?");
    if (d3d) {
        // A half-transparent dark quad over the lower left corner.
        DDDrawQuadRGB(&BackBuffer, -10, 90, 50, 40, 0x80000040u);
        DDPresent(60, 0, 0);
        return;
    }
    if (DDGetColorBit() == 8) {
        // An 8-bit screen is shown through the hardware palette: the colour bands reversed.
        PALETTEENTRY e[16];
        DDGetPaletteEntries(16, 16, e);
        std::reverse(e, e + 16);
        DDSetPaletteEntries(16, 16, e);
    }
    DDFlip();
}

std::filesystem::path GoldenPath(const std::string& name) {
    const char* data = std::getenv("QV_TEST_DATA");
    return std::filesystem::path(data ? data : "tests/data") / "golden" / (name + ".bmp");
}

uint64_t Checksum(const std::vector<uint32_t>& px) {
    uint64_t h = 1469598103934665603ull;
    for (uint32_t v : px) {
        h ^= v & 0xFFFFFF;
        h *= 1099511628211ull;
    }
    return h;
}

void CheckGolden(const std::string& name) {
    DDFRAME f;
    ASSERT_TRUE(DDGetLastFrame(&f));
    BMPIMAGE got;
    got.nWidth = f.width;
    got.nHeight = f.height;
    got.Pixels = f.pixels;
    const auto path = GoldenPath(name);
    const char* update = std::getenv("QV_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::filesystem::create_directories(path.parent_path());
        ASSERT_TRUE(WriteFileBytes(path.string(), EncodeBmp(got, 24)));
        return;
    }
    BMPIMAGE want;
    ASSERT_TRUE(LoadBmpFile(path.string(), &want)) << "no reference frame " << path;
    const uint64_t a = Checksum(want.Pixels), b = Checksum(f.pixels);
    if (want.nWidth != f.width || want.nHeight != f.height || a != b) {
        std::filesystem::create_directories("golden-out");
        const std::string out = "golden-out/" + name + ".got.bmp";
        WriteFileBytes(out, EncodeBmp(got, 24));
        ADD_FAILURE() << name << ": checksum " << std::hex << b << " differs from " << a << "; frame written to "
                      << std::filesystem::absolute(out);
    }
}

using GoldenTest = cDDTest;

TEST_F(GoldenTest, SceneUnderDirect3DAt32Bits) {
    const auto files = MakeFiles(dir);
    ASSERT_TRUE(InitD3D(W, H));
    DrawScene(files, true);
    CheckGolden("scene_d3d32");
}

TEST_F(GoldenTest, SceneUnderDirectDrawAt32Bits) {
    const auto files = MakeFiles(dir);
    ASSERT_TRUE(InitDD(32, W, H));
    DrawScene(files, false);
    CheckGolden("scene_dd32");
}

TEST_F(GoldenTest, SceneUnderDirectDrawAt8Bits) {
    const auto files = MakeFiles(dir);
    ASSERT_TRUE(InitDD(8, W, H));
    DrawScene(files, false);
    CheckGolden("scene_dd8");
}

// The 16-bit request runs at 32 bits and must draw exactly the 32-bit frame.
TEST_F(GoldenTest, SixteenBitRequestDrawsThe32BitFrame) {
    const auto files = MakeFiles(dir);
    ASSERT_TRUE(DDInit(1, nullptr, W, H, 16, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    DrawScene(files, true);
    CheckGolden("scene_d3d32");
}

}  // namespace
