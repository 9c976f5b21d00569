// Surface records: creation blank and from files under both back ends,
// texture sizes, mirrored sheets, tables of pictures, containers, release.
#include <gtest/gtest.h>

#include "platform/graphics/dd_test_support.h"

using namespace ddtest;

namespace {

class SurfaceTest : public cDDTest {
protected:
    // A 64 x 32 sheet of two 32 x 32 cells; pixel colour encodes its position; (0, 0) is transparent.
    std::string Sheet() {
        const std::string path = File("sheet.bmp");
        WriteBmp(path, MakeRgb(64, 32, [](int x, int y) { return x == 0 && y == 0 ? 0xFF00FFu : (x << 8 | y) + 0x010000u; }),
                 24);
        return path;
    }
};

TEST_F(SurfaceTest, BlankSurfacesUnderDirect3DAreClearedRenderTargetsInTheList) {
    ASSERT_TRUE(InitD3D());
    DDSetTransmit(255, 0, 255);
    DDSURFACEDATA sd;
    ASSERT_TRUE(DDCreateSurface(&sd, 40, 30, 1, 0, DTMEMORYTYPE_VIDEO_NORT, 0, 0));
    EXPECT_STREQ(sd.szName, "OffScreen");
    EXPECT_STREQ(sd.szPath, "E");
    ASSERT_NE(sd.lpDT, nullptr);
    EXPECT_EQ(sd.lpDT->dwMemoryType, DTMEMORYTYPE_VIDEO_RT);  // type 2 becomes a render target silently
    EXPECT_EQ(sd.lpDT->bRenderTarget, 1);
    EXPECT_EQ(sd.lpDT->bColorKey, 1);
    EXPECT_EQ(Px(sd, 0, 0), 0xFFFF00FFu);  // new render targets hold the opaque key colour
    EXPECT_EQ(DDSurfaceList().back(), &sd);
    const uint32_t serial = sd.lpDT->dwSerial;
    EXPECT_GE(serial, 1u);

    DDSURFACEDATA sys;
    ASSERT_TRUE(DDCreateSurface(&sys, 8, 8, 0, 0, DTMEMORYTYPE_SYSTEM, 0, 0));
    EXPECT_EQ(sys.lpDT->bRenderTarget, 0);
    EXPECT_EQ(sys.lpDT->dwSerial, serial + 1);
    EXPECT_EQ(Px(sys, 0, 0), 0u);

    DDReleaseSurface(&sd);
    EXPECT_EQ(sd.lpDT, nullptr);
    EXPECT_FALSE(sd.HasSurface());
    for (auto* p : DDSurfaceList()) EXPECT_NE(p, &sd);
}

TEST_F(SurfaceTest, BlankSurfacesUnderDirectDrawAreFilledWithPaletteColourZero) {
    ASSERT_TRUE(InitDD(32));
    SetBasePalette(TestPalette());
    DDSURFACEDATA sd;
    ASSERT_TRUE(DDCreateSurface(&sd, 640, 480, 1, 0, 0, 0, 0));
    EXPECT_EQ(sd.lpDT, nullptr);
    ASSERT_NE(sd.lpDDS, nullptr);
    EXPECT_EQ(Px(sd, 639, 479), 0xFF00FFu);
    EXPECT_TRUE(sd.Surface.bColorKey);
    EXPECT_TRUE(DDSurfaceList().empty());  // no list under DirectDraw

    DDSURFACEDATA bad;
    EXPECT_FALSE(DDCreateSurface(&bad, 0, 10, 0, 0, 0, 0, 0));
    EXPECT_NE(Report().find("CreateSurface Video -> System Err"), std::string::npos);
}

TEST_F(SurfaceTest, TextureSizeRulesKeepThePictureSize) {
    ASSERT_TRUE(InitD3D());
    lpDTCon->bPow2Textures = lpDTCon->bSquareTextures = 1;
    const std::string path = File("p.bmp");
    WriteBmp(path, MakeRgb(300, 200, [](int x, int) { return static_cast<uint32_t>(x); }), 24);
    DDSURFACEDATA sd;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sd, path.c_str(), 1, 32, 0, 0, 0, 0, 0, 0, 0), DD_OK);
    EXPECT_EQ(sd.nWidth, 300);
    EXPECT_EQ(sd.nHeight, 200);
    EXPECT_EQ(sd.nTexWidth, 512);
    EXPECT_EQ(sd.nTexHeight, 512);
    EXPECT_EQ(sd.lpDT->dwPool, DTPOOL_MANAGED);
    EXPECT_EQ(sd.lpDT->bRenderTarget, 0);

    int w = 256, h = 256;
    DDAdjustTextureSize(&w, &h);
    EXPECT_EQ(w, 256);
    EXPECT_EQ(h, 256);
    lpDTCon->nMaxTextureWidth = 100;
    EXPECT_FALSE(DDCheckTextureSize(256, 16));
    EXPECT_NE(Report().find("このビデオカードでは横幅100を超える画像はサポートされていません！"), std::string::npos);
}

TEST_F(SurfaceTest, PicturesUnderDirect3DTurnTheTransparentColourIntoTransparentBlack) {
    ASSERT_TRUE(InitD3D());
    DDSetTransmit(255, 0, 255);
    const std::string path = Sheet();
    DDSURFACEDATA sd;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sd, path.c_str(), 1, 32, 0, DTMEMORYTYPE_VIDEO_NORT, 0, 0, 0, 0, 0), DD_OK);
    EXPECT_NE(EC().find("DTMEMORYTYPE_VIDEO_NORTの指定は未対応です"), std::string::npos);
    EXPECT_EQ(sd.lpDT->dwMemoryType, DTMEMORYTYPE_VIDEO_RT);
    EXPECT_EQ(Px(sd, 0, 0), 0u);
    EXPECT_EQ(Px(sd, 5, 3), 0xFF010503u);
    EXPECT_STREQ(sd.szName, "OffScreenFromFile");
    EXPECT_STREQ(sd.szPath, path.c_str());
}

TEST_F(SurfaceTest, MirroredSheetsFlipEachCellColumn) {
    const std::string path = Sheet();
    for (bool d3d : {true, false}) {
        SCOPED_TRACE(d3d ? "Direct3D" : "DirectDraw");
        ASSERT_TRUE(d3d ? InitD3D() : InitDD(32));
        DDSURFACEDATA sd;
        ASSERT_EQ(DDCreateSurfaceFromFile(&sd, path.c_str(), 1, 32, 0, 0, 0, 0, 32, 0, 0), DD_OK);
        EXPECT_EQ(sd.nMirrorWidth, 32);
        // Column x of a cell shows column 31 - x of the same cell.
        EXPECT_EQ(Px(sd, 0, 7) & 0xFFFFFF, 0x011F07u);
        EXPECT_EQ(Px(sd, 31, 7) & 0xFFFFFF, 0x010007u);
        EXPECT_EQ(Px(sd, 32, 7) & 0xFFFFFF, 0x013F07u);
        EXPECT_EQ(Px(sd, 63, 9) & 0xFFFFFF, 0x012009u);
        DDEnd();
    }
    // Under Direct3D a cell height leaves the picture as loaded.
    ASSERT_TRUE(InitD3D());
    DDSURFACEDATA sd;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sd, path.c_str(), 1, 32, 0, 0, 0, 0, 32, 16, 0), DD_OK);
    EXPECT_EQ(Px(sd, 5, 7) & 0xFFFFFF, 0x010507u);
}

TEST_F(SurfaceTest, DirectDrawMirrorsRowsWithinCellHeight) {
    ASSERT_TRUE(InitDD(32));
    DDSURFACEDATA sd;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sd, Sheet().c_str(), 1, 32, 0, 0, 0, 0, 32, 16, 0), DD_OK);
    EXPECT_EQ(Px(sd, 0, 0), 0x011F0Fu);   // both ways within the 32 x 16 cell
    EXPECT_EQ(Px(sd, 40, 20), 0x01371Bu); // cell (1, 1): x 40 -> 32 + 31 - 8 = 55; y 20 -> 16 + 15 - 4 = 27
}

TEST_F(SurfaceTest, NoTextureRecordsGetSizesOnly) {
    ASSERT_TRUE(InitD3D());
    DDSURFACEDATA sd;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sd, Sheet().c_str(), 1, 32, 0, 0, 1, 0, 0, 0, 0), DD_OK);
    EXPECT_EQ(sd.nWidth, 64);
    EXPECT_EQ(sd.nTexHeight, 32);
    EXPECT_FALSE(sd.HasSurface());
    DDSURFACEDATA blank;
    ASSERT_TRUE(DDCreateSurface(&blank, 10, 20, 0, 1, 0, 1, 0));
    EXPECT_EQ(blank.nHeight, 20);
    EXPECT_EQ(blank.dwMemoryType, 1u);
    EXPECT_FALSE(blank.HasSurface());
    DDReleaseSurface(&sd);
    DDReleaseSurface(&blank);
    EXPECT_EQ(sd.lpDT, nullptr);
}

TEST_F(SurfaceTest, MissingAndBrokenFilesGiveLoadImageErr) {
    for (bool d3d : {true, false}) {
        ASSERT_TRUE(d3d ? InitD3D() : InitDD(32));
        DDSURFACEDATA sd;
        EXPECT_EQ(DDCreateSurfaceFromFile(&sd, File("none.bmp").c_str(), 1, 32, 0, 0, 0, 0, 0, 0, 0), LOADIMAGE_ERR);
        std::ofstream(File("bad.bmp")) << "BM garbage";
        EXPECT_EQ(DDCreateSurfaceFromFile(&sd, File("bad.bmp").c_str(), 1, 32, 0, 0, 0, 0, 0, 0, 0), LOADIMAGE_ERR);
        DDEnd();
    }
    EXPECT_FALSE(DDCheckErr(LOADIMAGE_ERR));
    EXPECT_FALSE(DDCheckErr(CREATESURFACE_ERR));
    EXPECT_FALSE(DDCheckErr(SETCOLORKEY_ERR));
    EXPECT_TRUE(DDCheckErr(0));
    EXPECT_NE(EC().find("LOADIMAGE_ERR\r\nCREATESURFACE_ERR\r\nSETCOLORKEY_ERR"), std::string::npos);
}

TEST_F(SurfaceTest, CheckBitmapSize) {
    ASSERT_TRUE(InitDD(32));
    int larger = 7;
    EXPECT_EQ(DDCheckBitmapSize(&larger, Sheet().c_str(), 64, 32), 1);
    EXPECT_EQ(larger, 0);
    EXPECT_EQ(DDCheckBitmapSize(&larger, Sheet().c_str(), 63, 32), 1);
    EXPECT_EQ(larger, 1);
    EXPECT_EQ(DDCheckBitmapSize(&larger, File("none.bmp").c_str(), 64, 32), 0);
    DDEnd();
    ASSERT_TRUE(InitD3D());
    EXPECT_EQ(DDCheckBitmapSize(&larger, File("none.bmp").c_str(), 1, 1), 1);  // not read under Direct3D
    EXPECT_EQ(larger, 0);
}

TEST_F(SurfaceTest, TableLoadStopsAtTheFirstIntolerableFailure) {
    const std::string sheet = Sheet();
    DDSURFACEINFO infos[4] = {
        DDSURFACEINFO("E", 0, 0, 0, 0, 0, 0, 0, 0, 640, 480),
        DDSURFACEINFO(sheet.c_str(), 1, 0, 0, 0, 0, 0, 0, 0, 0, 0),
        DDSURFACEINFO(File("gone.bmp").c_str(), 1, 0, 0, 0, 0, 1, 0, 0, 0, 0),  // may fail
        DDSURFACEINFO(File("lost.bmp").c_str(), 1, 0, 0, 0, 0, 0, 0, 0, 0, 0),
    };
    DDSURFACEDATA table[4];
    ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, table, infos, 4));
    const int first[] = {0, 1, 2};
    EXPECT_TRUE(DDLoadSurfaces(table, first, 3));
    EXPECT_EQ(table[0].nWidth, 640);
    EXPECT_EQ(table[1].nWidth, 64);
    EXPECT_FALSE(table[2].HasSurface());
    const int last[] = {3, 0};
    EXPECT_FALSE(DDLoadSurfaces(table, last, 2));
    EXPECT_NE(Report().find("lost.bmp の読み込みに失敗！"), std::string::npos);
    const int wrong[] = {4};
    EXPECT_FALSE(DDLoadSurfaces(table, wrong, 1));  // an index past the table is refused
    EXPECT_TRUE(DDLoadSurfaces(table, first, 0));
    DDEnd();
    EXPECT_FALSE(table[1].HasSurface());  // DDEnd releases the common bitmaps
}

TEST_F(SurfaceTest, ListsKeepRecordsAndDescriptionsInStep) {
    ASSERT_TRUE(InitD3D());
    std::list<DDSURFACEDATA> records;
    std::list<DDSURFACEINFO> infos;
    ASSERT_TRUE(DDAddSurfaceList(records, infos, 10, 10, 1, 0, 0, 0));
    ASSERT_TRUE(DDAddSurfaceList(records, infos, 20, 20, 1, 0, 0, 0));
    ASSERT_TRUE(DDInsertSurfaceList(records, infos, 1, 15, 15, 0, 0, 0, 0));
    ASSERT_TRUE(DDInsertSurfaceList(records, infos, 9, 30, 30, 0, 0, 0, 0));  // past the end: appended
    std::vector<int> widths;
    for (auto& r : records) widths.push_back(r.nWidth);
    EXPECT_EQ(widths, (std::vector<int>{10, 15, 20, 30}));
    EXPECT_EQ(std::next(infos.begin())->dwColorKey, 0u);

    DDSURFACEDATA stranger;
    EXPECT_EQ(DDEraseSurfaceList(records, infos, &stranger), 0);
    EXPECT_EQ(records.size(), 4u);
    DDSURFACEDATA* second = &*std::next(records.begin());
    EXPECT_EQ(DDEraseSurfaceList(records, infos, second), 1);
    EXPECT_EQ(records.size(), 3u);
    EXPECT_EQ(infos.size(), 3u);
    EXPECT_EQ(std::next(infos.begin())->dwColorKey, 1u);
    EXPECT_FALSE(DDInsertSurfaceList(records, infos, -1, 5, 5, 0, 0, 0, 0));
    EXPECT_NE(EC().find("err L[-1] ( 3 , 564 )"), std::string::npos);

    std::vector<DDSURFACEDATA> vec;
    std::vector<DDSURFACEINFO> vinfos;
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(DDAddSurface(vec, vinfos, 4, 4, 1, 0, 0, 0));
    // Growing the vector moved the records; the surface list follows them.
    for (auto& r : vec) EXPECT_NE(std::find(DDSurfaceList().begin(), DDSurfaceList().end(), &r), DDSurfaceList().end());
    DDReleaseSurfaceVector(vec);
    DDReleaseSurfaceList(records);
    EXPECT_EQ(DDSurfaceList().size(), 2u);  // VirBackBuffer and WorkSD
}

}  // namespace
