#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "database/common_bitmaps.h"
#include "database/global_objects.h"
#include "db_test_support.h"
#include "platform/graphics/bmp.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/window/platform_services.h"
#include "records/services.h"
#include "support/record_services_spy.h"

namespace {

// Path and the ten values of a row, as the table must hold them.
struct ROW {
    const char* path;
    uint32_t v[10];
};

void ExpectRow(int row, const ROW& want) {
    const DDSURFACEINFO& d = CommonBitmapInfo[row];
    EXPECT_STREQ(d.szPath, want.path) << "row " << row;
    const uint32_t got[10] = {d.dwColorKey,  d.dwDDMemory,    d.dwDTMemory,     d.dwNoTexture, d.dwIndexMap,
                              d.dwTolerate,  d.dwMirrorWidth, d.dwMirrorHeight, d.dwWidth,     d.dwHeight};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(got[i], want.v[i]) << "row " << row << " value " << i + 1;
}

class CommonBitmapTable : public dbtest::cDbTest {};

TEST_F(CommonBitmapTable, HoldsSeventyOneRowsAsListed) {
    ResetCommonBitmaps();
    EXPECT_EQ(COMMON_BITMAP_NUM, 71);
    EXPECT_EQ(std::size(CommonBitmapInfo), 71u);
    EXPECT_EQ(std::size(CommonSurfaces), 71u);
    ExpectRow(0, {"bmp\\plt\\Palette.bmp", {0, 1, 0, 0, 0, 0, 0, 0, 0, 0}});
    ExpectRow(3, {"bmp\\Block.bmp", {1, 1, 0, 1, 0, 0, 0, 0, 0, 0}});
    ExpectRow(5, {"bmp\\Character1.bmp", {1, 0, 0, 1, 0, 0, 32, 0, 0, 0}});
    ExpectRow(6, {"bmp\\Character2.bmp", {1, 0, 0, 0, 0, 1, 0, 0, 0, 0}});
    ExpectRow(21, {"bmp\\Shot.bmp", {1, 0, 0, 1, 0, 0, 16, 0, 0, 0}});
    ExpectRow(37, {"bmp\\Character8.bmp", {1, 1, 0, 1, 0, 1, 32, 0, 0, 0}});
    ExpectRow(42, {"bmp\\Item_Mini.bmp", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
    ExpectRow(45, {"bmp\\Window.bmp", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
    ExpectRow(48, {"bmp\\GameMode.bmp", {1, 0, 0, 0, 0, 1, 0, 0, 0, 0}});
    ExpectRow(53, {"bmp\\WorldEvent.bmp", {1, 1, 0, 0, 0, 0, 0, 0, 0, 0}});
    ExpectRow(54, {"bmp\\WorldBack.bmp", {0, 1, 0, 0, 0, 1, 0, 0, 0, 0}});
    // "背景その8.bmp" in Shift-JIS: 背 94 77, 景 8C 69, そ 82 BB, の 82 CC.
    ExpectRow(62, {"\x94\x77\x8C\x69\x82\xBB\x82\xCC" "8.bmp", {1, 0, 0, 0, 0, 1, 0, 0, 0, 0}});
    ExpectRow(63, {"E", {1, 1, 0, 0, 0, 0, 0, 0, 256, 960}});
    ExpectRow(66, {"E", {0, 1, 0, 0, 0, 0, 0, 0, 640, 480}});
    ExpectRow(68, {"E", {1, 1, 0, 1, 0, 0, 0, 0, 640, 480}});
    ExpectRow(69, {"E", {1, 0, 2, 0, 0, 0, 0, 0, 1024, 1024}});
    ExpectRow(70, {"E", {1, 1, 1, 0, 0, 0, 0, 0, 1024, 1024}});
}

TEST_F(CommonBitmapTable, TwinRowsNameTheirFirstRow) {
    const int twins[][2] = {{3, 2},   {5, 4},   {22, 4},  {23, 4},  {25, 6},  {27, 8},  {29, 10},
                            {31, 12}, {33, 14}, {35, 16}, {37, 18}, {21, 20}, {38, 20}, {39, 20},
                            {41, 40}, {44, 43}, {68, 67}};
    for (const auto& t : twins) EXPECT_EQ(SharedSurfaceRow(t[0]), t[1]) << t[0];
    int count = 0;
    for (int i = 0; i < COMMON_BITMAP_NUM; ++i) {
        const int first = SharedSurfaceRow(i);
        if (first < 0) continue;
        ++count;
        // A twin shows its first row's picture: same file (or both blank), and it never creates a texture.
        EXPECT_STREQ(CommonBitmapInfo[i].szPath, CommonBitmapInfo[first].szPath) << i;
        EXPECT_EQ(CommonBitmapInfo[i].dwNoTexture, 1u) << i;
        EXPECT_EQ(SharedSurfaceRow(first), -1) << i;
    }
    EXPECT_EQ(count, 31);
    EXPECT_EQ(SharedSurfaceRow(-1), -1);
    EXPECT_EQ(SharedSurfaceRow(71), -1);
}

TEST_F(CommonBitmapTable, PathsCanBeReplacedAndTheTableRebuilt) {
    ResetCommonBitmaps();
    EXPECT_TRUE(SetCommonBitmapPath(CB_BACKGROUND1 + 2, "bmp\\back\\sky.bmp"));
    ExpectRow(57, {"bmp\\back\\sky.bmp", {1, 0, 0, 0, 0, 1, 0, 0, 0, 0}});
    const std::string longPath(400, 'a');
    EXPECT_TRUE(SetCommonBitmapPath(CB_WORLD_BACK, longPath.c_str()));
    EXPECT_EQ(std::strlen(CommonBitmapInfo[CB_WORLD_BACK].szPath), 259u);
    EXPECT_FALSE(SetCommonBitmapPath(COMMON_BITMAP_NUM, "x.bmp"));
    EXPECT_FALSE(SetCommonBitmapPath(-1, "x.bmp"));
    BuildCommonBitmapTable();
    EXPECT_STREQ(CommonBitmapInfo[CB_WORLD_BACK].szPath, "bmp\\WorldBack.bmp");
}

// Each test runs in its own program folder with a fresh graphics layer.
class CommonBitmapLoad : public dbtest::cDbTest {
protected:
    void SetUp() override {
        env.Set("SDL_VIDEODRIVER", "dummy", false);
        env.Unset("QV_AUTO_ANSWER");
        RereadAutoAnswer();
        std::filesystem::create_directory(work.Path() / "bmp");
    }
    cEnvGuard env;
    // A w x h picture whose every pixel differs (no pixel has the transparent colour).
    void WritePicture(const std::string& native, int w, int h) {
        BMPIMAGE img;
        img.nWidth = w;
        img.nHeight = h;
        img.nBitCount = 24;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) img.Pixels.push_back(0x100000u + static_cast<uint32_t>(x * 0x100 + y));
        ASSERT_TRUE(WriteFileBytes((work.Path() / native).string(), EncodeBmp(img, 24)));
    }
    bool Init(int direct3D) {
        return DDInit(direct3D, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, CommonSurfaces, CommonBitmapInfo,
                      COMMON_BITMAP_NUM);
    }

    dbtest::cWorkFolder work;
    dbtest::cMesBoxCapture boxes;
};

TEST_F(CommonBitmapLoad, StartUpRowsLoadFromTheirFiles) {
    WritePicture("bmp/Debug.bmp", 32, 16);
    WritePicture("bmp/Symbol.bmp", 416, 16);
    for (int d3d = 0; d3d < 2; ++d3d) {
        ASSERT_TRUE(Init(d3d));
        EXPECT_TRUE(LoadCommonBitmaps({CB_DEBUG, CB_SYMBOL}));
        EXPECT_EQ(CommonSurfaces[CB_DEBUG].nWidth, 32);
        EXPECT_EQ(CommonSurfaces[CB_SYMBOL].nWidth, 416);
        EXPECT_EQ(CommonSurfaces[CB_SYMBOL].nHeight, 16);
        EXPECT_TRUE(CommonSurfaces[CB_SYMBOL].HasSurface());
        EXPECT_FALSE(CommonSurfaces[CB_TITLE].HasSurface());  // the scenes create the others
        DDEnd();
        EXPECT_FALSE(CommonSurfaces[CB_SYMBOL].HasSurface());
    }
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(CommonBitmapLoad, BlankRowsGetTheirListedSizes) {
    for (int d3d = 0; d3d < 2; ++d3d) {
        ASSERT_TRUE(Init(d3d));
        int blanks[8];
        for (int i = 0; i < 8; ++i) blanks[i] = CB_BLANK_FIRST + i;
        EXPECT_TRUE(LoadCommonBitmaps(blanks, 8));
        const int sizes[8][2] = {{256, 960}, {256, 960}, {640, 480}, {640, 480},
                                 {640, 480}, {640, 480}, {1024, 1024}, {1024, 1024}};
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(CommonSurfaces[blanks[i]].nWidth, sizes[i][0]) << blanks[i];
            EXPECT_EQ(CommonSurfaces[blanks[i]].nHeight, sizes[i][1]) << blanks[i];
        }
        // The sixth blank row records its size only under Direct3D; DirectDraw has no texture to leave out.
        EXPECT_EQ(CommonSurfaces[CB_BLANK_FIRST + 5].HasSurface(), d3d == 0);
        DDEnd();
    }
}

TEST_F(CommonBitmapLoad, AMissingPictureStopsTheLoadAndTellsThePlayer) {
    WritePicture("bmp/Accessory.bmp", 64, 64);
    ASSERT_TRUE(Init(0));
    EXPECT_FALSE(LoadCommonBitmaps({CB_TITLE, CB_ACCESSORY}));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "bmp\\Title.bmp の読み込みに失敗！");
    EXPECT_FALSE(CommonSurfaces[CB_ACCESSORY].HasSurface());  // the load stopped at the first failure
    // A row that may be missing is passed over.
    EXPECT_TRUE(LoadCommonBitmaps({CB_GAME_MODE, CB_ACCESSORY}));
    EXPECT_FALSE(CommonSurfaces[CB_GAME_MODE].HasSurface());
    EXPECT_TRUE(CommonSurfaces[CB_ACCESSORY].HasSurface());
    EXPECT_EQ(boxes.texts.size(), 1u);
}

TEST_F(CommonBitmapLoad, ScenesAskTheMainWindowToCloseWhenALoadFails) {
    cRecordServicesSpy spy;
    WritePicture("bmp/Window.bmp", 64, 64);
    ASSERT_TRUE(Init(0));
    EXPECT_TRUE(LoadCommonBitmapsOrClose({CB_WINDOW}));
    EXPECT_EQ(spy.closes, 0);
    EXPECT_FALSE(LoadCommonBitmapsOrClose({CB_WORLD_MAP_CHIP}));
    EXPECT_EQ(spy.closes, 1);
}

TEST_F(CommonBitmapLoad, RefusesAGraphicsLayerStartedWithAnotherTable) {
    WritePicture("bmp/Debug.bmp", 32, 16);
    ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    EXPECT_FALSE(LoadCommonBitmaps({CB_DEBUG}));
    EXPECT_TRUE(LoadCommonBitmaps({}));
}

TEST_F(CommonBitmapLoad, BackgroundSlotsLoadTheStagesPictures) {
    InstallPlatformRecordServices();  // Japanese file names through the path layer
    WritePicture("背景その1.bmp", 640, 480);
    ASSERT_TRUE(Init(0));
    EXPECT_TRUE(LoadCommonBitmaps({CB_BACKGROUND1, CB_BACKGROUND1 + 1}));  // slot 2 may be missing
    EXPECT_EQ(CommonSurfaces[CB_BACKGROUND1].nWidth, 640);
    EXPECT_FALSE(CommonSurfaces[CB_BACKGROUND1 + 1].HasSurface());
    WritePicture("bmp/stage_back.bmp", 320, 240);
    ASSERT_TRUE(SetCommonBitmapPath(CB_BACKGROUND1 + 1, "BMP\\Stage_Back.bmp"));
    EXPECT_TRUE(LoadCommonBitmaps({CB_BACKGROUND1 + 1}));
    EXPECT_EQ(CommonSurfaces[CB_BACKGROUND1 + 1].nWidth, 320);
    ResetRecordServices();
}

TEST_F(CommonBitmapLoad, TwinRowsShowTheirFirstRowsPictureUnderDirect3D) {
    WritePicture("bmp/Character1.bmp", 64, 32);
    ASSERT_TRUE(Init(1));
    LinkSharedSurfaces();
    EXPECT_TRUE(LoadCommonBitmaps({CB_CHARACTER1, CB_CHARACTER1 + 1, CB_CHARACTER1_SYSTEM}));
    DDSURFACEDATA& sheet = CommonSurfaces[CB_CHARACTER1];
    DDSURFACEDATA& mirror = CommonSurfaces[CB_CHARACTER1 + 1];
    DDSURFACEDATA& system = CommonSurfaces[CB_CHARACTER1_SYSTEM];
    // The twins keep no pixels of their own, only the sizes.
    EXPECT_FALSE(mirror.HasSurface());
    EXPECT_FALSE(system.HasSurface());
    EXPECT_EQ(mirror.nWidth, 64);
    EXPECT_EQ(system.nHeight, 32);
    EXPECT_EQ(mirror.lpViewSD, &sheet);
    EXPECT_EQ(CommonSurfaces[CB_BLOCK_SYSTEM].lpViewSD, &CommonSurfaces[CB_BLOCK]);
    EXPECT_EQ(CommonSurfaces[CB_CHARACTER1].lpViewSD, nullptr);

    auto px = [](const DDSURFACEDATA& sd, int x, int y) { return sd.Surface.Row32(y)[x]; };
    DDBlt(&BackBuffer, 0, 0, 32, 1, &system, 32, 5, 0);
    for (int x = 0; x < 32; ++x) EXPECT_EQ(px(BackBuffer, x, 0), px(sheet, 32 + x, 5)) << x;
    DDBlt(&BackBuffer, 0, 1, 32, 1, &mirror, 32, 5, 0);  // each 32-pixel cell mirrored
    for (int x = 0; x < 32; ++x) EXPECT_EQ(px(BackBuffer, x, 1), px(sheet, 63 - x, 5)) << x;
}

TEST_F(CommonBitmapLoad, DirectDrawTwinsKeepMirroredCopiesOfTheirOwn) {
    WritePicture("bmp/Character1.bmp", 64, 32);
    ASSERT_TRUE(Init(0));
    LinkSharedSurfaces();
    EXPECT_TRUE(LoadCommonBitmaps({CB_CHARACTER1, CB_CHARACTER1 + 1}));
    const DDSURFACEDATA& sheet = CommonSurfaces[CB_CHARACTER1];
    const DDSURFACEDATA& mirror = CommonSurfaces[CB_CHARACTER1 + 1];
    EXPECT_EQ(mirror.lpViewSD, nullptr);
    ASSERT_TRUE(mirror.HasSurface());
    for (int x = 0; x < 32; ++x) EXPECT_EQ(mirror.Surface.Row32(5)[32 + x], sheet.Surface.Row32(5)[63 - x]) << x;
}

}  // namespace
