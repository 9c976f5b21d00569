// Text drawing: a line of kanji from a warm glyph cache, the first drawing of
// 2,000 distinct glyphs, and a full screen of text (30 lines of 40 characters).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/text/font.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_surface.h"
#include "platform/text/glyph_codes.h"
#include "platform/text/text_draw.h"

namespace {

const char* const kFace = "ＭＳ Ｐゴシック";

// n distinct kanji (CP932 level 1 and 2) as one string, starting at the k-th.
std::string Kanji(int n, int k = 0) {
    std::string s;
    for (int lead = 0x88; lead <= 0xEA && n > 0; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC && n > 0; ++trail) {
            if (trail == 0x7F || !Cp932PairToCodePoint(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)))
                continue;
            if (lead == 0x88 && trail < 0x9F) continue;  // the first kanji is 0x889F
            if (k > 0) {
                --k;
                continue;
            }
            s += static_cast<char>(lead);
            s += static_cast<char>(trail);
            --n;
        }
    }
    return s;
}

struct SCREEN {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(640 * 480, 0);
    GLYPHTARGET target;
    SCREEN() {
        target.pixels = pixels.data();
        target.pitch = 640 * 4;
        target.width = 640;
        target.height = 480;
        target.colour = 0xFFFFFFFF;
    }
};

void BM_KanjiLineWarmCache(benchmark::State& state) {
    Font font;
    font.Create(kFace, 0, 16, 16, 16, 241, nullptr, 1, 240, nullptr, 1);
    SCREEN screen;
    const std::string line = Kanji(40);
    font.DrawText(screen.target, 0, 0, line.c_str());
    for (auto _ : state) {
        font.DrawText(screen.target, 0, 100, line.c_str());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 40);
}
BENCHMARK(BM_KanjiLineWarmCache);

void BM_First2000Glyphs(benchmark::State& state) {
    SCREEN screen;
    std::vector<std::string> lines;
    const std::string all = Kanji(2000);
    for (size_t i = 0; i < all.size(); i += 80) lines.push_back(all.substr(i, 80));
    for (auto _ : state) {
        state.PauseTiming();
        Font font;  // a cold cache every time
        font.Create(kFace, 0, 16, 16, 16, 241, nullptr, 1, 240, nullptr, 1);
        state.ResumeTiming();
        for (size_t i = 0; i < lines.size(); ++i)
            font.DrawText(screen.target, 0, static_cast<int>(i % 30) * 16, lines[i].c_str());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_First2000Glyphs)->Unit(benchmark::kMillisecond);

void BM_FullScreenWarmCache(benchmark::State& state) {
    Font font;
    font.Create(kFace, 0, 16, 16, 16, 241, nullptr, 1, 240, nullptr, 1);
    SCREEN screen;
    std::string text;
    for (int l = 0; l < 30; ++l) text += Kanji(40, l * 20) + (l < 29 ? "\n" : "");  // 620 distinct kanji
    font.DrawText(screen.target, 0, 0, text.c_str());
    for (auto _ : state) {
        font.DrawText(screen.target, 0, 0, text.c_str());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 1200);
}
BENCHMARK(BM_FullScreenWarmCache)->Unit(benchmark::kMicrosecond);

// The same screen drawn onto a surface under each back end's rules (0 DirectDraw, 1 Direct3D).
void BM_FullScreenSurface(benchmark::State& state) {
    const int d3d = static_cast<int>(state.range(0));
    DDResetForTest();
    DDInit(d3d, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0);
    DDSURFACEDATA screen;
    DDCreateSurface(&screen, 640, 480, 0, 1, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    {
        Font font;
        font.Create(kFace, 0, 16, 16, 16, 241, nullptr, 1, 240, nullptr, 1);
        std::string text;
        for (int l = 0; l < 30; ++l) text += Kanji(40, l * 20) + (l < 29 ? "\n" : "");
        font.DrawText(&screen, 0, 0, text.c_str());
        for (auto _ : state) {
            font.DrawText(&screen, 0, 0, text.c_str());
            benchmark::ClobberMemory();
        }
    }
    DDReleaseSurface(&screen);
    DDResetForTest();
    state.SetItemsProcessed(state.iterations() * 1200);
}
BENCHMARK(BM_FullScreenSurface)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
