#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "support/golden_bmp.h"
#include "platform/text/font.h"
#include "platform/system/font_sjis.h"

namespace {

// The three fonts of the program: glyph height, pitch, line pitch, cache flag.
struct FONTDESC {
    const char* name;
    int height, pitch, line, cache;
};
const FONTDESC kFonts[] = {{"font10", 9, 10, 10, 1}, {"font16", 16, 16, 16, 1}, {"font32", 30, 32, 32, 0}};
const char* const kFace = "ＭＳ Ｐゴシック";

struct FRAMEBUF {
    GOLDENFRAME frame;
    GLYPHTARGET target;
    FRAMEBUF(int w, int h, uint32_t colour = 0xFFFFFFFF) {
        frame.width = w;
        frame.height = h;
        frame.pixels.assign(static_cast<size_t>(w) * h, 0xFF000000);
        target.pixels = frame.pixels.data();
        target.pitch = w * 4;
        target.width = w;
        target.height = h;
        target.bytesPerPixel = 4;
        target.colour = colour;
    }
    int Ink() const {
        int n = 0;
        for (uint32_t p : frame.pixels) n += p != 0xFF000000;
        return n;
    }
};

class FontTest : public ::testing::Test {
protected:
    Font font;
    void SetUp() override { ASSERT_TRUE(font.Create(kFace, 0, 16, 16, 16, 241, nullptr, 1, 240, nullptr, 1)); }
};

TEST_F(FontTest, MeasuresFixedPitchLines) {
    TEXTSIZE s = MeasureTextLines(font, "あい\nう");
    EXPECT_EQ(s.cx, 32);
    EXPECT_EQ(s.cy, 32);
    s = MeasureTextLines(font, "");
    EXPECT_EQ(s.cx, 0);
    EXPECT_EQ(s.cy, 16);
    s = font.Measure("ab\xB1\n\n");
    EXPECT_EQ(s.cx, 48);
    EXPECT_EQ(s.cy, 48);
    EXPECT_EQ(GetSjisCharCount("表a\n"), 2);
}

TEST_F(FontTest, CachesHoldTheBuiltInSetAndGrowOnFirstUse) {
    const cFontCache* full = font.FullCache();
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(full->Columns(), 32);
    EXPECT_EQ(full->Rows(), 30);
    EXPECT_EQ(full->Count(), 256);
    EXPECT_EQ(full->Find("０"), 0);
    EXPECT_EQ(full->Find("："), 255);
    EXPECT_EQ(full->Find("漢"), -1);

    FRAMEBUF a(64, 16), b(64, 16);
    font.DrawText(a.target, 0, 0, "漢");
    EXPECT_EQ(full->Count(), 257);
    EXPECT_EQ(full->Find("漢"), 256);
    EXPECT_EQ(full->Entries().back().x, 0);   // cell 256 = column 0, row 8
    EXPECT_EQ(full->Entries().back().y, 128);
    font.DrawText(b.target, 0, 0, "漢");
    EXPECT_EQ(full->Count(), 257);  // copied from its cell the second time
    EXPECT_GT(a.Ink(), 20);
    EXPECT_EQ(a.frame.pixels, b.frame.pixels);
}

TEST_F(FontTest, CachedAndUncachedDrawingAgree) {
    Font plain;
    ASSERT_TRUE(plain.Create(kFace, 0, 16, 16, 16, 241, nullptr, 1, 240, nullptr, 0));
    EXPECT_EQ(plain.FullCache(), nullptr);
    const char* text = "Aa1表ソ\nｱｲ①「」漢字";
    FRAMEBUF a(200, 40), b(200, 40);
    font.DrawText(a.target, 3, 5, text);
    plain.DrawText(b.target, 3, 5, text);
    EXPECT_GT(a.Ink(), 200);
    EXPECT_EQ(a.frame.pixels, b.frame.pixels);
}

TEST_F(FontTest, FullWidthSpaceAndSymbolLettersOnlyAdvance) {
    FRAMEBUF a(80, 16), b(80, 16);
    font.DrawText(a.target, 0, 0, "　あ");
    font.DrawText(b.target, 16, 0, "あ");
    EXPECT_EQ(a.frame.pixels, b.frame.pixels);

    font.SetSymbolsOn(1);
    FRAMEBUF c(80, 16), d(80, 16);
    font.DrawText(c.target, 0, 0, "ab1");
    font.DrawText(d.target, 32, 0, "1");
    EXPECT_EQ(c.frame.pixels, d.frame.pixels);
    FRAMEBUF e(80, 16);
    font.DrawText(e.target, 0, 0, "ab1", 1);  // no symbols: the letters are drawn
    EXPECT_GT(e.Ink(), d.Ink());
}

TEST_F(FontTest, ClipsAtTheTargetEdges) {
    FRAMEBUF a(20, 10);
    font.DrawText(a.target, -8, -8, "漢字漢字漢字\n漢字");
    font.DrawText(a.target, 15, 6, "漢字");
    EXPECT_GT(a.Ink(), 0);
}

TEST_F(FontTest, EightBitTargetsGetThePaletteNumber) {
    std::vector<uint8_t> pixels(64 * 16, 0);
    GLYPHTARGET t;
    t.pixels = pixels.data();
    t.pitch = 64;
    t.width = 64;
    t.height = 16;
    t.bytesPerPixel = 1;
    t.colour = 241;
    font.DrawText(t, 0, 0, "字A");
    int ink = 0;
    for (uint8_t p : pixels) {
        EXPECT_TRUE(p == 0 || p == 241);
        ink += p == 241;
    }
    EXPECT_GT(ink, 20);
}

TEST_F(FontTest, CacheIsSafeFromTwoThreads) {
    auto draw = [this](int seed) {
        FRAMEBUF f(640, 16);
        for (int i = 0; i < 200; ++i) {
            char ch[3] = {static_cast<char>(0x88 + (i + seed) % 8), static_cast<char>(0x9F + i % 90), 0};
            font.DrawText(f.target, 0, 0, ch);
        }
    };
    std::thread t1(draw, 0), t2(draw, 3);
    t1.join();
    t2.join();
    EXPECT_LE(font.FullCache()->Count(), font.FullCache()->Capacity());
}

TEST(FontCache, StopsAddingWhenFull) {
    cFontCache cache(1, 8, 8, 2, 2);
    EXPECT_EQ(cache.Capacity(), 4);
    EXPECT_EQ(cache.Add("あ"), 1);
    EXPECT_EQ(cache.Add("い"), 1);
    EXPECT_EQ(cache.Add("う"), 1);
    EXPECT_EQ(cache.Add("え"), 1);
    EXPECT_EQ(cache.Add("お"), 0);
    EXPECT_EQ(cache.Count(), 4);
    EXPECT_EQ(cache.Find("え"), 3);
    EXPECT_EQ(cache.CellX(3), 8);
    EXPECT_EQ(cache.CellY(3), 8);
    EXPECT_EQ(cache.Find("お"), -1);
}

// Japanese text of every kind in each of the program's three fonts.
TEST(FontGolden, EachFontDrawsEveryKindOfCharacter) {
    const std::string lines =
        "漢字表示ソ能\n"
        "ひらがなカタカナ\n"
        "ﾊﾝｶｸｶﾀｶﾅ ABCxyz019\n"
        "①②Ⅲ㈱№∵\xFA\x40\xFA\x5C\xFB\x40\n"  // NEC row 13 and the IBM range (ⅰ 纊 ...)
        "「記号」！？※→★￥\\";
    for (const FONTDESC& d : kFonts) {
        Font font;
        ASSERT_TRUE(font.Create(kFace, 0, d.height, d.pitch, d.line, 241, nullptr, 1, 240, nullptr, d.cache));
        FRAMEBUF f(d.pitch * 20, d.line * 5);
        font.DrawText(f.target, 0, 0, lines.c_str());
        EXPECT_EQ(CompareGolden(std::string("text_") + d.name, f.frame), "");
    }
}

TEST(FontGolden, CentredGlyphsInTheMiddleFont) {
    Font font;
    ASSERT_TRUE(font.Create(kFace, 0, 16, 16, 16, 241, nullptr, 1, 240, nullptr, 1));
    font.SetGlyphCentring(1);
    font.Restore();
    FRAMEBUF f(16 * 10, 16, 0xFFFFCC00);
    font.DrawText(f.target, 0, 0, "0123456789");
    EXPECT_EQ(CompareGolden("text_font16_centred", f.frame), "");
}

}  // namespace
