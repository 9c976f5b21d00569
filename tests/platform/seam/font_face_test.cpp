// The glyphs a face draws are those SDL_ttf's solid rendering draws for the
// same character, pixel for pixel and in the same place, for every
// character of the CP932 set in the program's font sizes, whether the face
// rasterises them itself or they were prepared ahead on another thread.
#include "platform/text/font_face.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/text/glyph_codes.h"

namespace {

constexpr int kSize = 96;    // the mask each glyph is drawn into
constexpr int kOrigin = 24;  // where its cell starts, room on every side

// Every character of CP932 once: the single bytes, then the pairs.
std::vector<char32_t> Cp932Characters() {
    std::vector<char32_t> out;
    for (int c = 0x20; c < 0x100; ++c)
        if (char32_t cp = Cp932ByteToCodePoint(static_cast<unsigned char>(c)); cp > 0x20 && cp != 0xFFFD) out.push_back(cp);
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead <= 0xDF) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            const char32_t cp = Cp932PairToCodePoint(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
            if (cp && cp != 0xFFFD) out.push_back(cp);
        }
    }
    return out;
}

// SDL_ttf's solid glyph surface copied into a mask with its top-left at the origin.
bool ReferenceGlyph(TTF_Font* font, char32_t cp, std::vector<uint8_t>& mask) {
    if (!TTF_GlyphIsProvided32(font, cp)) return false;
    SDL_Color white{255, 255, 255, 255};
    SDL_Surface* s = TTF_RenderGlyph32_Solid(font, cp, white);
    if (!s) return false;
    const auto* px = static_cast<const uint8_t*>(s->pixels);
    for (int y = 0; y < s->h && kOrigin + y < kSize; ++y)
        for (int x = 0; x < s->w && kOrigin + x < kSize; ++x)
            if (px[y * s->pitch + x]) mask[(kOrigin + y) * kSize + kOrigin + x] = 1;
    SDL_FreeSurface(s);
    return true;
}

// The characters whose glyph differs from the reference (or whose
// availability does), as "U+XXXX" texts; the count of characters compared.
std::vector<std::string> Differences(const char* faceName, int height, const std::vector<char32_t>& chars,
                                     int& compared) {
    std::vector<std::string> bad;
    cFontFace face;
    if (!face.Open(faceName, height)) return {"the face does not open"};
    if (TTF_Init() != 0) return {"TTF_Init fails"};
    TTF_Font* ref = TTF_OpenFont(FindFontFile(faceName).c_str(), height);
    if (!ref) {
        TTF_Quit();
        return {"SDL_ttf does not open the face"};
    }
    TTF_SetFontHinting(ref, TTF_HINTING_MONO);
    std::vector<uint8_t> want(kSize * kSize), got(kSize * kSize);
    for (char32_t cp : chars) {
        std::fill(want.begin(), want.end(), 0);
        std::fill(got.begin(), got.end(), 0);
        const bool wanted = ReferenceGlyph(ref, cp, want);
        const bool drawn = face.Render(cp, got.data(), kSize, kSize, kSize, kOrigin, kOrigin);
        ++compared;
        if (wanted != drawn || want != got) {
            char text[16];
            std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(cp));
            bad.push_back(text);
        }
    }
    TTF_CloseFont(ref);
    TTF_Quit();
    return bad;
}

TEST(FontFace, GlyphsAreThoseOfSdlTtfSolidRenderingForEveryCp932Character) {
    const std::vector<char32_t> all = Cp932Characters();
    ASSERT_GT(all.size(), 7000u);
    // The fixed-pitch face in the program's three sizes, the proportional one in the middle size.
    struct CASE {
        const char* face;
        int height;
    };
    const CASE cases[] = {{"ＭＳ ゴシック", 9}, {"ＭＳ ゴシック", 16}, {"ＭＳ ゴシック", 30}, {"ＭＳ Ｐゴシック", 16}};
    for (const CASE& c : cases) {
        if (FindFontFile(c.face).empty()) GTEST_SKIP() << "no IPA font installed";
        int compared = 0;
        const std::vector<std::string> bad = Differences(c.face, c.height, all, compared);
        EXPECT_EQ(compared, static_cast<int>(all.size())) << c.height;
        EXPECT_TRUE(bad.empty()) << c.height << " px: " << bad.size() << " differ, first " << bad.front();
    }
    // Small sizes put some glyphs left of the pen; a Mincho face is drawn by the same rules.
    std::vector<char32_t> ascii;
    for (char32_t cp = 0x21; cp < 0x7F; ++cp) ascii.push_back(cp);
    for (const char* face : {"ＭＳ ゴシック", "ＭＳ 明朝"}) {
        for (int height : {5, 7}) {
            int compared = 0;
            const std::vector<std::string> bad = Differences(face, height, ascii, compared);
            EXPECT_TRUE(bad.empty()) << height << " px: " << bad.size() << " differ, first " << bad.front();
        }
    }
}

TEST(FontFace, GlyphsPreparedAheadOnAnotherThreadAreTheSame) {
    if (FindFontFile("ＭＳ ゴシック").empty()) GTEST_SKIP() << "no IPA font installed";
    const std::vector<char32_t> all = Cp932Characters();
    // A height no other case uses: every glyph drawn comes from the prepared ones.
    std::thread([&] { PrepareGlyphs("ＭＳ ゴシック", 12, all); }).join();
    int compared = 0;
    const std::vector<std::string> bad = Differences("ＭＳ ゴシック", 12, all, compared);
    EXPECT_EQ(compared, static_cast<int>(all.size()));
    EXPECT_TRUE(bad.empty()) << bad.size() << " differ, first " << bad.front();
}

// A glyph a face draws at a height being prepared, before the preparing
// thread got to it, is kept for that thread to skip, and drawn the same.
TEST(FontFace, AGlyphDrawnAtAPreparedHeightIsKeptWithThePreparedOnes) {
    if (FindFontFile("ＭＳ ゴシック").empty()) GTEST_SKIP() << "no IPA font installed";
    // A height no other case uses.
    std::thread([] { PrepareGlyphs("ＭＳ ゴシック", 11, {U'A'}); }).join();
    ASSERT_TRUE(IsGlyphPrepared("ＭＳ ゴシック", 11, U'A'));
    ASSERT_FALSE(IsGlyphPrepared("ＭＳ ゴシック", 11, U'B'));
    int compared = 0;
    const std::vector<std::string> bad = Differences("ＭＳ ゴシック", 11, {U'B'}, compared);
    EXPECT_EQ(compared, 1);
    EXPECT_TRUE(bad.empty());
    EXPECT_TRUE(IsGlyphPrepared("ＭＳ ゴシック", 11, U'B'));
    EXPECT_TRUE(Differences("ＭＳ ゴシック", 11, {U'B'}, compared).empty());  // now drawn from memory
    // A height not prepared keeps nothing.
    cFontFace face;
    ASSERT_TRUE(face.Open("ＭＳ ゴシック", 15));
    std::vector<uint8_t> mask(kSize * kSize, 0);
    EXPECT_TRUE(face.Render(U'B', mask.data(), kSize, kSize, kSize, kOrigin, kOrigin));
    EXPECT_FALSE(IsGlyphPrepared("ＭＳ ゴシック", 15, U'B'));
}

TEST(FontFace, CharactersTheFaceLacksAreNotDrawn) {
    cFontFace face;
    if (FindFontFile("ＭＳ ゴシック").empty()) GTEST_SKIP() << "no IPA font installed";
    ASSERT_TRUE(face.Open("ＭＳ ゴシック", 16));
    std::vector<uint8_t> mask(kSize * kSize, 0);
    EXPECT_FALSE(face.Render(0xE000, mask.data(), kSize, kSize, kSize, kOrigin, kOrigin));  // private use
    EXPECT_FALSE(face.Render(0, mask.data(), kSize, kSize, kSize, kOrigin, kOrigin));
    EXPECT_EQ(std::count(mask.begin(), mask.end(), 1), 0);
    // Text shaping shows a soft hyphen as nothing, though the face has a glyph for it.
    EXPECT_TRUE(face.Render(0x00AD, mask.data(), kSize, kSize, kSize, kOrigin, kOrigin));
    EXPECT_EQ(std::count(mask.begin(), mask.end(), 1), 0);
}

}  // namespace
