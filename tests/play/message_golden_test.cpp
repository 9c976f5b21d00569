#include <gtest/gtest.h>

#include "play/message_fixture.h"
#include "support/golden_bmp.h"

namespace {

// One frame of message entries: a framed window with an expanded variable,
// plain text, a box halfway through its opening, the extra-life icon at the
// top of its rise and an item icon. Every back end must draw the same frame.
class MessageGolden : public cMessageTest {
protected:
    DDSURFACEDATA screen, scratch;

    void TearDown() override {
        DDReleaseSurface(&screen);
        DDReleaseSurface(&scratch);
        cMessageTest::TearDown();
    }

    void Scene() {
        MakeFont();
        DDSURFACEDATA& accessory = CommonSurfaces[CB_ACCESSORY];
        ASSERT_TRUE(DDCreateSurface(&accessory, 64, 64, 1, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
        DDFillRect(&accessory, 0, 0, 64, 64, 0);
        for (int i = 0; i < 8; ++i) DDFillRect(&accessory, 7 - i, 48 + i * 2, 2 + 2 * i, 2, 3);  // a red wedge
        ASSERT_TRUE(DDCreateSurface(&screen, 256, 128, 0, 1, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        ASSERT_TRUE(DDCreateSurface(&scratch, 256, 128, 0, 1, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        DDFillRect(&screen, 0, 0, 256, 128, 16);

        MESSAGEVIEW view;
        view.DrawIcon16 = [](DDSURFACEDATA* dst, int x, int y, int kind, int frame, int extra) {
            DDFillRect(dst, x, y, 16, 16, 4);
            DDFillRect(dst, x + 4, y + 4, 8, 8, kind + frame + extra);
        };
        common[12] = 7;
        cMessage window = Window("メッセージ窓\n残り#C12_Z3.個", 0, 0, 1, MESEND_STAGE, 1);
        cMessage plain = Window("ｱｲｳ abc 字", 0, 3, 0);
        cMessage opening = Window("開く窓", 4, 2, 1, MESEND_KEY, 0, 0, 0, 0);
        cMessage life(MESSAGE_EXTRA_LIFE, nullptr, 0, 0, 0, MESPOS_SCREEN, 6, 0, 8, 8, 0, 1, MESEND_TIME, 30, 1, 0, 0,
                      0, 0, 0, 0, 0, 0);
        cMessage item(MESSAGE_ITEM_ICON, nullptr, 1, 2, 3, MESPOS_SCREEN, 7, 0, 0, 8, 0, 1, MESEND_STAGE, 30, 0, 0, 0,
                      0, 0, 0, 0, 0, 0);
        for (int i = 0; i < 4; ++i) opening.DrawMessage(&scratch, 0, view);
        for (int i = 0; i < 29; ++i) life.DrawMessage(&scratch, 0, view);
        for (cMessage* m : {&window, &plain, &opening, &life, &item}) EXPECT_EQ(m->DrawMessage(&screen, 0, view), 0);
    }

    GOLDENFRAME Frame() {
        GOLDENFRAME f;
        f.width = 256;
        f.height = 128;
        const auto pal = ddtest::TestPalette();
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 256; ++x) {
                const uint32_t p = ddtest::Px(screen, x, y);
                f.pixels.push_back(0xFF000000u | (screen.Surface.format == DDFMT_INDEX8 ? pal[p & 255] : p));
            }
        return f;
    }
};

TEST_F(MessageGolden, DirectDraw32) {
    ASSERT_TRUE(InitDD(32));
    Scene();
    EXPECT_EQ(CompareGolden("message_windows", Frame()), "");
}

TEST_F(MessageGolden, DirectDraw8) {
    ASSERT_TRUE(InitDD(8));
    Scene();
    EXPECT_EQ(CompareGolden("message_windows", Frame()), "");
}

TEST_F(MessageGolden, Direct3D) {
    ASSERT_TRUE(InitD3D());
    Scene();
    EXPECT_EQ(CompareGolden("message_windows", Frame()), "");
}

}  // namespace
