// Starting and ending the back ends, colour depths, presenting, the frame
// dump, message boxes and the restore operations.
#include <gtest/gtest.h>

#include "platform/graphics/dd_restore.h"
#include "platform/system/clock.h"
#include "platform/system/mesbox.h"
#include "platform/system/timer.h"
#include "platform/graphics/dd_test_support.h"

using namespace ddtest;

namespace {

using InitTest = cDDTest;

TEST_F(InitTest, Direct3DMakesTheScreenRecords) {
    ASSERT_TRUE(InitD3D());
    ASSERT_NE(lpDTCon, nullptr);
    EXPECT_EQ(lpDDCon, nullptr);
    EXPECT_STREQ(BackBuffer.szName, "BackBuffer");
    EXPECT_STREQ(VirBackBuffer.szName, "VirBackBuffer");
    EXPECT_STREQ(WorkSD.szName, "WorkSD");
    EXPECT_EQ(BackBuffer.lpDT->dwSerial, 0u);
    EXPECT_EQ(BackBuffer.lpDT->bRenderTarget, 1);
    EXPECT_EQ(BackBuffer.nWidth, 640);
    EXPECT_EQ(VirBackBuffer.lpDT->dwSerial, 1u);
    EXPECT_EQ(WorkSD.lpDT->dwSerial, 2u);
    EXPECT_EQ(lpDTCon->lpCurrentTarget, &BackBuffer);
    EXPECT_EQ(PixelLayout.dwAShift, 24u);
    EXPECT_EQ(lpDTCon->dwAlphaOp, static_cast<uint32_t>(D3DTOP_SELECTARG1));
    const std::string report = Report();
    EXPECT_NE(report.find("VSync : 0\r\nDevice HAL-HARD\r\nX8R8G8B8"), std::string::npos);
}

TEST_F(InitTest, DirectDrawMakesTheScreenRecordsAndPalette) {
    ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 8, 1, 0, 2, 60, 1, nullptr, nullptr, 0));
    ASSERT_NE(lpDDCon, nullptr);
    EXPECT_EQ(BackBuffer.Surface.format, DDFMT_INDEX8);
    EXPECT_EQ(ScreenCopySD.dwMemoryType, 1u);
    EXPECT_TRUE(PrimarySD.HasSurface());
    PALETTEENTRY e[2];
    DDGetPaletteEntries(0, 2, e);
    EXPECT_EQ(e[0].peBlue, 255);  // full screen: entry 0 has blue 255
    EXPECT_EQ(e[1].peGreen, 1);
    DDEnd();
    EXPECT_EQ(lpDDCon, nullptr);
    EXPECT_FALSE(BackBuffer.HasSurface());
    ASSERT_TRUE(InitDD(32));
    DDGetPaletteEntries(0, 1, e);
    EXPECT_EQ(e[0].peFlags, PC_EXPLICIT);  // window: entries 0-9 are explicit
    EXPECT_EQ(PixelLayout.dwRShift, 16u);
    EXPECT_EQ(BackBuffer.Surface.format, DDFMT_ARGB8888);
}

TEST_F(InitTest, SixteenBitsRunAtThirtyTwoAndTwentyFourIsRefused) {
    ASSERT_TRUE(DDInit(1, nullptr, 640, 480, 16, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    EXPECT_EQ(DDGetColorBit(), 32);
    EXPECT_EQ(BackBuffer.Surface.format, DDFMT_ARGB8888);
    EXPECT_NE(Report().find("ColorBit 16 -> 32"), std::string::npos);
    ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 16, 0, 1, 1, 60, 0, nullptr, nullptr, 0));  // ends the old back end
    EXPECT_EQ(lpDTCon, nullptr);
    EXPECT_EQ(DDGetColorBit(), 32);
    EXPECT_FALSE(DDInit(1, nullptr, 640, 480, 24, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    EXPECT_FALSE(DDInit(0, nullptr, 640, 480, 24, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    EXPECT_NE(EC().find("SETDISPLAYMODE_ERR"), std::string::npos);
    EXPECT_FALSE(DDInit(1, nullptr, 640, 480, 8, 0, 1, 1, 60, 0, nullptr, nullptr, 0));  // 8 is DirectDraw's only
}

TEST_F(InitTest, PresentHandsTheBackBufferOverAndPaces) {
    ASSERT_TRUE(InitD3D(4, 2));
    // Three frames at 60: the first at once, the third two frames later on the clock.
    cSimulatedClock clock;
    SetTimerClock(&clock);
    ResetTimers();
    BackBuffer.Surface.Row32(1)[3] = 0xFF123456u;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(DDPresent(60, 0, 0), 1);
    EXPECT_EQ(clock.Now(), std::chrono::nanoseconds(2 * 1000000000LL / 60));
    SetTimerClock(nullptr);
    ResetTimers();
    DDFRAME f;
    ASSERT_TRUE(DDGetLastFrame(&f));
    EXPECT_EQ(f.width, 4);
    EXPECT_EQ(f.pixels[7], 0x123456u);
    DDEnd();
    // DirectDraw: DDPresent does nothing; DDFlip shows the frame through the palette at 8 bits.
    DDResetFrames();
    ASSERT_TRUE(InitDD(8, 2, 1));
    EXPECT_EQ(DDPresent(60, 0, 0), 1);
    EXPECT_FALSE(DDGetLastFrame(&f));
    BackBuffer.Surface.Row(0)[0] = 7;
    BackBuffer.Surface.Row(0)[1] = 20;
    DDFlip();
    ASSERT_TRUE(DDGetLastFrame(&f));
    EXPECT_EQ(f.pixels[0], 0x070000u);  // window palette: entry 7 = (7, 0, 0), entry 20 = (20, 20, 0)
    EXPECT_EQ(f.pixels[1], 0x141400u);
    // A blit onto the primary surface shows as well (the windowed and no-flip present).
    BackBuffer.Surface.Row(0)[0] = 20;
    DDBlt(&PrimarySD, 0, 0, 2, 1, &BackBuffer, 0, 0, 0);
    ASSERT_TRUE(DDGetLastFrame(&f));
    EXPECT_EQ(f.pixels[0], 0x141400u);
}

TEST_F(InitTest, HandedOverFrameKeepsEveryColourAndDropsAlpha) {
    // 21 pixels a row: two steps of eight and a tail of five; every alpha byte set.
    ASSERT_TRUE(InitDD(32, 21, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 21; ++x)
            BackBuffer.Surface.Row32(y)[x] = (static_cast<uint32_t>(0x11 * (x % 16)) << 24) | (0x010203u * (y * 21 + x));
    DDFlip();
    DDFRAME f;
    ASSERT_TRUE(DDGetLastFrame(&f));
    ASSERT_EQ(f.pixels.size(), 63u);
    for (int i = 0; i < 63; ++i) EXPECT_EQ(f.pixels[i], (0x010203u * i) & 0xFFFFFFu) << i;
}

TEST_F(InitTest, FrameDumpWritesTheLastFrameAs24BitBmp) {
    ASSERT_TRUE(InitD3D(3, 2));
    BackBuffer.Surface.Row32(0)[0] = 0xFFABCDEFu;
    DDPresent(60, 0, 0);
    const std::string path = File("frame.bmp");
    {
        cEnvGuard dump("QV_FRAME_DUMP", path.c_str());
        EXPECT_TRUE(DDWriteFrameDump());
    }
    BMPIMAGE img;
    ASSERT_TRUE(LoadBmpFile(path, &img));
    EXPECT_EQ(img.nBitCount, 24);
    EXPECT_EQ(img.RGB(0, 0), 0xABCDEFu);
    EXPECT_FALSE(DDWriteFrameDump());  // no variable, no file
}

TEST_F(InitTest, MessageBoxOverTheScreen) {
    ASSERT_TRUE(InitD3D());
    EXPECT_EQ(DDMesBox("表示テスト", "題", MB_OK), 1);
    EXPECT_NE(Report().find("表示テスト"), std::string::npos);
    EXPECT_EQ(DDSetDialogMode(1), 1);
    EXPECT_EQ(DDSetDialogMode(0), 1);
}

TEST_F(InitTest, RestoreKeepsEveryPictureAndCallsTheFonts) {
    static int fonts = 0;
    DDSetFontRestore([] { ++fonts; });
    ASSERT_TRUE(InitD3D());
    DDSURFACEDATA sd;
    ASSERT_TRUE(DDCreateSurface(&sd, 4, 4, 0, 0, 0, 0, 0));
    sd.Surface.Row32(0)[0] = 0xFF010203u;
    EXPECT_EQ(DDRestoreDevice(), 1);
    EXPECT_EQ(fonts, 1);
    EXPECT_EQ(Px(sd, 0, 0), 0xFF010203u);
    EXPECT_EQ(sd.bLost, 0);
    EXPECT_TRUE(DDRestore());
    EXPECT_NE(EC().find("Restore In\r\nRestore Out\r\nD3DではDDRestoreは未対応"), std::string::npos);
    DDEnd();
    ASSERT_TRUE(InitDD(32));
    EXPECT_EQ(DDRestoreDevice(), 1);
    EXPECT_NE(EC().find("DDではDDRestoreSurfaceは未対応"), std::string::npos);
    EXPECT_TRUE(DDRestore());
    EXPECT_FALSE(DDIsPrimaryLost());
    DDSetFontRestore(nullptr);
}

}  // namespace
