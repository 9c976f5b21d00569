#include <gtest/gtest.h>

#include <vector>

#include "play/message_fixture.h"

namespace {

using MessageText = cMessageTest;
using MessageDraw = cMessageTest;

std::string Expand(std::string s) {
    ExpandMessageText(s);
    return s;
}

TEST_F(MessageText, VariableCodesAreReplacedByFormattedValues) {
    common[12] = 7;
    common[5] = 42;
    stage[3] = -7;
    EXPECT_EQ(Expand("#C12_Z4.|#C12_4|#C12_P|#c5_p3.|#S3_3|#s3"), "0007|   7|+7|+ 42|-  7|-7");
    // Digits anywhere among the letters form the number; common wins over stage.
    common[53] = 1;
    stage[53] = 2;
    EXPECT_EQ(Expand("#S5C3 #1c2."), "1 7");
    common[12] = 0;
    EXPECT_EQ(Expand("#C12=#C12_3"), "0=  0");
    // Not codes: no letter, no digit, numbers outside 1..1000, a trail byte, the last character.
    EXPECT_EQ(Expand("#X5 #C #5 #C0 #C1001 \x81#C12 #"), "#X5 #C #5 #C0 #C1001 \x81#C12 #");
    EXPECT_EQ(spy->closes, 0);
    // Stage variable 1000 lies beyond the list: element 0, and the program is asked to close.
    stage[0] = 9;
    EXPECT_EQ(Expand("#S1000"), "9");
    EXPECT_EQ(spy->closes, 1);
}

TEST_F(MessageText, LayoutCountsCharactersOfLinesOfAnyLength) {
    MakeFont();
    int w = 0, h = 0;
    LayoutMessageText(&w, &h, "");
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 18);
    LayoutMessageText(&w, &h, "あいう\nab\n");  // a double-byte character counts once; the last line is empty
    EXPECT_EQ(w, 3 * 16 + 2);
    EXPECT_EQ(h, 3 * 16 + 2);
    // 100 000 bytes: a line of 25 000 double-byte characters, a line of 49 999 bytes.
    std::string big;
    for (int i = 0; i < 25000; ++i) big += "あ";
    big += "\n" + std::string(49999, 'x');
    ASSERT_EQ(big.size(), 100000u);
    LayoutMessageText(&w, &h, big);
    EXPECT_EQ(w, 49999 * 16 + 2);
    EXPECT_EQ(h, 2 * 16 + 2);
    // Expanding 100 000 bytes of codes and characters keeps every character whole.
    common[1] = 5;
    std::string codes;
    for (int i = 0; i < 12500; ++i) codes += "#C1_Z2字";
    ASSERT_EQ(codes.size(), 100000u);
    ExpandMessageText(codes);
    LayoutMessageText(&w, &h, codes);
    EXPECT_EQ(codes.size(), 12500u * 4);
    EXPECT_EQ(w, 12500 * 3 * 16 + 2);
}

// An item icon (kind 2, no rise while it is not timed) in the given mode, following character 7.
cMessage Icon(int mode, int cx, int cy, int ox, int oy, int keepInside, int fixed) {
    return cMessage(MESSAGE_ITEM_ICON, nullptr, 1, 2, 3, mode, cx, cy, ox, oy, keepInside, fixed, MESEND_STAGE, 30, 0,
                    7, 0, 0, 0, 0, 0, 0, 0);
}

TEST_F(MessageDraw, PositionsFollowCharactersAnchorsAndTheScreenEdges) {
    ASSERT_TRUE(InitDD(32));
    std::vector<std::pair<int, int>> at;
    bool alive = true;
    MESSAGEVIEW view;
    view.dScrollX = 100.6;
    view.dScrollY = 50.3;
    view.DrawIcon16 = [&](DDSURFACEDATA*, int x, int y, int, int, int) { at.emplace_back(x, y); };
    view.FindChara = [&](int id, MESSAGECHARA* c) {
        *c = MESSAGECHARA{400.7, 300.2, -8, -16, 48, 64};
        return alive && id == 7;
    };
    std::vector<cMessage> icons = {
        Icon(MESPOS_SELF_ABOVE, 0, 0, 0, 0, 0, 0),   Icon(MESPOS_HERO_BELOW, 0, 0, 0, 0, 0, 0),
        Icon(MESPOS_SELF_CENTRE, 0, 0, 0, 0, 0, 1),  Icon(MESPOS_SCREEN, 2, 3, 1, 1, 0, 1),
        Icon(MESPOS_SCREEN_CENTRE, 0, 0, 0, 0, 0, 0), Icon(MESPOS_STAGE, 2, 1, 0, 0, 0, 0),
        Icon(MESPOS_STAGE, 2, 1, 0, 0, 0, 1),        Icon(MESPOS_SCREEN, 19, 0, 15, 5, 1, 1),
        Icon(MESPOS_SCREEN, 0, 14, -3, 30, 1, 1),
    };
    for (cMessage& m : icons) EXPECT_EQ(m.DrawMessage(&BackBuffer, 0, view), 0);
    const std::vector<std::pair<int, int>> first = {{324, 250}, {324, 331}, {324, 290}, {65, 97}, {312, 232},
                                                    {283, 301}, {283, 301}, {624, 20},  {0, 464}};
    EXPECT_EQ(at, first);
    // The stage scrolls and the character moves: fixed windows stay, the others follow.
    at.clear();
    view.dScrollX = 110.6;
    view.dScrollY = 40.3;
    view.FindChara = [&](int, MESSAGECHARA* c) {
        *c = MESSAGECHARA{420.7, 300.2, -8, -16, 48, 64};
        return alive;
    };
    for (cMessage& m : icons) EXPECT_EQ(m.DrawMessage(&BackBuffer, 0, view), 0);
    const std::vector<std::pair<int, int>> second = {{334, 260}, {334, 341}, {324, 290}, {65, 97}, {302, 242},
                                                     {273, 311}, {283, 301}, {624, 20},  {0, 464}};
    EXPECT_EQ(at, second);
    // A window over a character that is gone ends on the next draw.
    alive = false;
    EXPECT_EQ(icons[0].DrawMessage(&BackBuffer, 0, view), 1);
    EXPECT_EQ(icons[3].DrawMessage(&BackBuffer, 0, view), 0);
}

TEST_F(MessageDraw, TimedEntriesCountLiveFramesAndWindowsOpenOverNineFrames) {
    ASSERT_TRUE(InitDD(32));
    MakeFont();
    const MESSAGEVIEW view;
    const std::string text = "時間";
    cMessage timed(MESSAGE_TEXT, &text, 0, 0, 0, MESPOS_SCREEN_CENTRE, 0, 0, 0, 0, 0, 1, MESEND_TIME, 3, 0, 0, 0, 0,
                   0, 0, 1, 0, 0);
    ASSERT_EQ(lstMessageSurface.size(), 1u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(timed.DrawMessage(&BackBuffer, 1, view), 0);  // frozen: no ageing
    for (int i = 0; i < 3; ++i) EXPECT_EQ(timed.DrawMessage(&BackBuffer, 0, view), 0);
    EXPECT_EQ(timed.DrawMessage(&BackBuffer, 0, view), 1);
    EXPECT_TRUE(lstMessageSurface.empty());
    cMessage wait(MESSAGE_WAIT, nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, MESEND_TIME, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(wait.DrawMessage(&BackBuffer, 1, view), 0);
    EXPECT_EQ(wait.DrawMessage(&BackBuffer, 1, view), 1);

    // Without a box the opening shows nothing for nine frames; a chained window shows at once.
    const std::vector<uint8_t> blank = BackBuffer.Surface.bits;
    cMessage opening = Window("開く", 1, 1, 0, MESEND_KEY, 0, 0, 0, 0);
    cMessage empty = Window("", 3, 3, 1, MESEND_STAGE);
    EXPECT_EQ(empty.nWidth, 2);
    EXPECT_EQ(empty.nHeight, 18);
    for (int i = 0; i < 9; ++i) {
        opening.DrawMessage(&BackBuffer, 0, view);
        empty.DrawMessage(&BackBuffer, 0, view);
    }
    EXPECT_EQ(BackBuffer.Surface.bits, blank);
    opening.DrawMessage(&BackBuffer, 0, view);
    EXPECT_NE(BackBuffer.Surface.bits, blank);
    BackBuffer.Surface.bits = blank;
    Window("開く", 1, 1, 0, MESEND_KEY, 0, 0, 0, 1).DrawMessage(&BackBuffer, 0, view);
    EXPECT_NE(BackBuffer.Surface.bits, blank);
}

TEST_F(MessageDraw, RefreshRedrawsInPlaceAndRebuildsAGrownWindowAtItsListPlace) {
    ASSERT_TRUE(InitDD(32));
    MakeFont();
    common[12] = 7;
    cMessage a = Window("#C12", 0, 0, 1, MESEND_STAGE, 1, 1, 2);
    cMessage b = Window("後", 0, 5, 1);
    DDSURFACEDATA* const first = a.lpSurface;
    MESSAGEVIEW view;
    view.nFrameCount = 3;  // not a multiple of the interval
    common[12] = 8;
    a.DrawMessage(&BackBuffer, 0, view);
    EXPECT_EQ(a.strText, "7");
    view.nFrameCount = 4;
    a.DrawMessage(&BackBuffer, 0, view);
    EXPECT_EQ(a.strText, "8");
    EXPECT_EQ(a.lpSurface, first);
    common[12] = 12345;
    a.DrawMessage(&BackBuffer, 0, view);
    EXPECT_EQ(a.nWidth, 5 * 16 + 2);
    EXPECT_EQ(a.lpSurface->nWidth, a.nWidth);
    EXPECT_EQ(lstMessageSurface.size(), 2u);
    EXPECT_EQ(MessageSurfaceIndex(a.lpSurface), 0);
    EXPECT_EQ(MessageSurfaceIndex(b.lpSurface), 1);
}

TEST_F(MessageDraw, AWindowTooLargeForATextureAsksToCloseAndDrawsNothing) {
    ASSERT_TRUE(InitD3D());
    MakeFont();
    std::string wide;
    for (int i = 0; i < 1100; ++i) wide += "広";
    cMessage m = Window(wide, 0, 0, 0);
    EXPECT_EQ(spy->closes, 1);
    EXPECT_EQ(m.lpSurface, nullptr);
    EXPECT_TRUE(lstMessageSurface.empty());
    EXPECT_EQ(m.DrawMessage(&BackBuffer, 0, MESSAGEVIEW{}), 0);
}

}  // namespace
