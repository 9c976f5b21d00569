// The sprite list: blits held back for one pass and drawn together, a blit
// that a later one repeats left out. Each sequence of drawing is made once
// with the list open and once without; the pixels are the same.
#include <gtest/gtest.h>

#include "platform/graphics/dd_draw.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_sprite_list.h"
#include "platform/graphics/dd_test_support.h"

using namespace ddtest;

namespace {

class SpriteListTest : public cDDTest {
protected:
    void Make(DDSURFACEDATA& sd, int w, int h, const std::function<uint32_t(int, int)>& fn) {
        ASSERT_TRUE(DDCreateSurface(&sd, w, h, 1, 0, 0, 0, 0));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (sd.Surface.format == DDFMT_INDEX8) sd.Surface.Row(y)[x] = static_cast<uint8_t>(fn(x, y));
                else sd.Surface.Row32(y)[x] = fn(x, y);
            }
    }
};

TEST_F(SpriteListTest, HeldBackDrawingLeavesTheSamePixels) {
    struct STEP {
        int kind;  // 0 DDBlt, 1 DDStretchBlt, 2 DDFillRect, 3 DDBlt onto the other surface, 4 DDBlt from it
        int x, y, w, h, sx, sy, sw, sh, flags;
    };
    const int K = DDBLT_COLORKEY, C = DDBLT_COPY;
    struct CASE {
        const char* name;
        std::vector<STEP> steps;
    } cases[] = {
        {"a stack with another sprite between", {{0, 10, 10, 16, 16, 0, 0, 0, 0, K}, {0, 18, 12, 16, 16, 16, 0, 0, 0, K},
                                                 {0, 10, 10, 16, 16, 0, 0, 0, 0, K}, {0, 10, 10, 16, 16, 0, 0, 0, 0, K}}},
        {"a copy then a keyed repeat", {{0, 5, 5, 16, 16, 0, 0, 0, 0, C}, {0, 8, 8, 16, 16, 16, 0, 0, 0, K},
                                        {0, 5, 5, 16, 16, 0, 0, 0, 0, K}}},
        {"a keyed sprite then a copy of it", {{0, 5, 5, 16, 16, 0, 0, 0, 0, K}, {0, 8, 8, 16, 16, 16, 0, 0, 0, K},
                                              {0, 5, 5, 16, 16, 0, 0, 0, 0, C}}},
        {"the same place from another cell", {{0, 20, 20, 16, 16, 0, 0, 0, 0, K}, {0, 20, 20, 16, 16, 16, 0, 0, 0, K},
                                              {0, 20, 20, 16, 16, 0, 0, 0, 0, K}}},
        {"stretched repeats", {{1, 30, 4, 8, 8, 0, 0, 16, 16, K}, {0, 30, 4, 16, 16, 16, 0, 0, 0, K},
                               {1, 30, 4, 8, 8, 0, 0, 16, 16, K}, {1, 30, 4, 32, 32, 0, 0, 16, 16, K}}},
        {"a fill between", {{0, 40, 30, 16, 16, 0, 0, 0, 0, K}, {2, 44, 34, 20, 3, 0, 0, 0, 0, 0},
                            {0, 40, 30, 16, 16, 0, 0, 0, 0, K}, {2, 0, 0, 3, 64, 0, 0, 0, 0, 0}}},
        {"a fill over a sprite", {{0, 40, 30, 16, 16, 0, 0, 0, 0, K}, {2, 44, 34, 20, 3, 0, 0, 0, 0, 0}}},
        {"through another surface", {{0, 0, 40, 16, 16, 0, 0, 0, 0, K}, {3, 0, 0, 16, 16, 0, 0, 0, 0, K},
                                     {4, 4, 44, 16, 16, 0, 0, 0, 0, K}, {0, 0, 40, 16, 16, 0, 0, 0, 0, K},
                                     {3, 0, 0, 16, 16, 16, 0, 0, 0, K}, {4, 4, 44, 16, 16, 0, 0, 0, 0, K}}},
        {"off the edges", {{0, -8, -8, 16, 16, 0, 0, 0, 0, K}, {0, 60, 56, 16, 16, 16, 0, 0, 0, K},
                           {0, -100, 0, 16, 16, 0, 0, 0, 0, K}, {0, -8, -8, 16, 16, 16, 0, 0, 0, K}}},
    };
    for (const int depth : {32, 8}) {
        SCOPED_TRACE(depth);
        ASSERT_TRUE(InitDD(depth, 64, 64));
        DDSetTransmit(0xFF, 0x00, 0xFF);
        // Two 16 x 16 cells: a ring and a bar, each around pixels of the key.
        DDSURFACEDATA sheet, other;
        const uint32_t key = depth == 8 ? 0xFF : 0xFF00FF;  // the key's index at 8 bits: its low byte
        Make(sheet, 32, 16, [&](int x, int y) {
            const int cx = x % 16;
            const bool on = x < 16 ? (cx - 8) * (cx - 8) + (y - 8) * (y - 8) < 40 && (cx + y) % 5 : y > 4 && y < 12;
            return on ? (depth == 8 ? uint32_t(16 + (x + y) % 7) : 0xFF000000u | (x * 8) << 16 | (y * 16) << 8 | 7u) : key;
        });
        Make(other, 16, 16, [&](int, int) { return key; });
        ASSERT_TRUE(sheet.Surface.bColorKey);
        ASSERT_EQ(sheet.Surface.dwColorKey & (depth == 8 ? 0xFFu : 0xFFFFFFu), key);
        for (const CASE& c : cases) {
            SCOPED_TRACE(c.name);
            std::vector<uint8_t> frames[2];
            for (int held = 0; held < 2; ++held) {
                DDFillRect(&BackBuffer, 0, 0, 64, 64, 3);
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 16; ++x) {
                        if (depth == 8) other.Surface.Row(y)[x] = static_cast<uint8_t>(key);
                        else other.Surface.Row32(y)[x] = key;
                    }
                if (held) DDBeginSpriteList(&BackBuffer);
                for (const STEP& s : c.steps) {
                    if (s.kind == 0) DDBlt(&BackBuffer, s.x, s.y, s.w, s.h, &sheet, s.sx, s.sy, s.flags);
                    if (s.kind == 1) DDStretchBlt(&BackBuffer, s.x, s.y, s.w, s.h, &sheet, s.sx, s.sy, s.sw, s.sh, s.flags);
                    if (s.kind == 2) DDFillRect(&BackBuffer, s.x, s.y, s.w, s.h, 5);
                    if (s.kind == 3) DDBlt(&other, s.x, s.y, s.w, s.h, &sheet, s.sx, s.sy, s.flags);
                    if (s.kind == 4) DDBlt(&BackBuffer, s.x, s.y, s.w, s.h, &other, s.sx, s.sy, s.flags);
                }
                if (held) DDEndSpriteList();
                frames[held] = BackBuffer.Surface.bits;
            }
            EXPECT_TRUE(frames[0] == frames[1]);
        }
        DDReleaseSurface(&sheet);
        DDReleaseSurface(&other);
        DDEnd();
    }
}

}  // namespace
