// Full-screen effects on a 640 x 480 screen, one frame per iteration on one
// core, beside a plain copy of a frame (BM_Memcpy). The "fps" counter is
// frames per second; every effect must stay under 2 ms per frame.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/fx_fade.h"
#include "platform/graphics/fx_palette.h"
#include "platform/graphics/fx_pixel.h"
#include "platform/graphics/fx_strip.h"
#include "platform/graphics/fx_warp.h"

namespace {

constexpr int W = 640, H = 480;

enum BACKEND { DD32, DD8, D3D };

// The graphics layer under one back end, with a screen-sized picture to draw from.
struct SCENE {
    DDSURFACEDATA picture;
    std::vector<uint8_t> table = std::vector<uint8_t>(HBT_TABLE_SIZE);
    explicit SCENE(BACKEND b) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        DDResetForTest();
        DDInit(b == D3D ? 1 : 0, nullptr, W, H, b == DD8 ? 8 : 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0);
        for (int i = 0; i < 256; ++i) {
            DDBasePalette[i] = PALETTEENTRY{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                            static_cast<uint8_t>(i * 3), 0};
            DDScreenPalette[i] = DDBasePalette[i];
        }
        for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<uint8_t>((i & 255) / 2 + (i >> 8) / 2);
        DDSetTransmit(255, 0, 255);
        DDCreateSurface(&picture, W, H, 1, 1, 1, 0, 0);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                if (picture.Surface.format == DDFMT_INDEX8)
                    picture.Surface.Row(y)[x] = static_cast<uint8_t>(1 + (x + y) % 255);
                else
                    picture.Surface.Row32(y)[x] = 0xFF000000u | static_cast<uint32_t>((x & 255) << 16 | (y & 255) << 8 | ((x ^ y) & 255));
            }
        DDBlt(&BackBuffer, 0, 0, W, H, &picture, 0, 0, 0);
    }
    ~SCENE() {
        DDReleaseSurface(&picture);
        DDResetForTest();
    }
};

void Fps(benchmark::State& state) {
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_Memcpy(benchmark::State& state) {
    std::vector<uint32_t> a(W * H, 1), b(W * H);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size() * 4);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    Fps(state);
}
BENCHMARK(BM_Memcpy);

void BM_FadeStepDirectDraw32(benchmark::State& state) {
    SCENE s(DD32);
    for (auto _ : state) DDFadeOut(DDScreenPalette, 0, 255, 0, 0, 0, 0.5, DDBasePalette, 0);
    Fps(state);
}
BENCHMARK(BM_FadeStepDirectDraw32);

void BM_FadeStepDirectDraw8(benchmark::State& state) {
    SCENE s(DD8);
    for (auto _ : state) DDFadeOut(DDScreenPalette, 0, 255, 0, 0, 0, 0.5, DDBasePalette, 0);
    Fps(state);
}
BENCHMARK(BM_FadeStepDirectDraw8);

void BM_FadeStepDirect3D(benchmark::State& state) {
    SCENE s(D3D);
    for (auto _ : state) DDFadeOut(DDScreenPalette, 0, 255, 0, 0, 0, 0.5, DDBasePalette, 0);
    Fps(state);
}
BENCHMARK(BM_FadeStepDirect3D);

void BM_ChangeColorDirect3D(benchmark::State& state) {
    SCENE s(D3D);
    for (auto _ : state) DDChangeColor(&BackBuffer, 0, 0, W, H, 128, 255, 0, 0);
    Fps(state);
}
BENCHMARK(BM_ChangeColorDirect3D);

// The pixel effects, each over the whole screen at 32 bits (DirectDraw rules) unless named.
template <class F>
void Run(benchmark::State& state, BACKEND b, F f) {
    SCENE s(b);
    for (auto _ : state) f(s);
    Fps(state);
}

void BM_Blur(benchmark::State& st) {
    Run(st, DD32, [](SCENE& s) { DDBltBlur(&BackBuffer, 0, 0, W, H, 2, 2, &s.picture, 0, 0, 1); });
}
BENCHMARK(BM_Blur);
void BM_BlurRadius8(benchmark::State& st) {
    Run(st, DD32, [](SCENE& s) { DDBltBlur(&BackBuffer, 0, 0, W, H, 8, 8, &s.picture, 0, 0, 1); });
}
BENCHMARK(BM_BlurRadius8);
void BM_Mosaic(benchmark::State& st) {
    Run(st, DD32, [](SCENE& s) { DDBltMosaic(&BackBuffer, 0, 0, W, H, 8, &s.picture, 0, 0, 1); });
}
BENCHMARK(BM_Mosaic);
void BM_Mosaic8(benchmark::State& st) {
    Run(st, DD8, [](SCENE& s) { DDBltMosaic(&BackBuffer, 0, 0, W, H, 8, &s.picture, 0, 0, 1); });
}
BENCHMARK(BM_Mosaic8);
void BM_Translucent(benchmark::State& st) {
    Run(st, DD32, [](SCENE& s) { DDBltTranslucent(&BackBuffer, 0, 0, W, H, &s.picture, 0, 0, 1, nullptr, 128); });
}
BENCHMARK(BM_Translucent);
void BM_Translucent8(benchmark::State& st) {
    Run(st, DD8, [](SCENE& s) { DDBltTranslucent(&BackBuffer, 0, 0, W, H, &s.picture, 0, 0, 1, s.table.data(), 128); });
}
BENCHMARK(BM_Translucent8);
void BM_TranslucentDirect3DQuad(benchmark::State& st) {
    Run(st, D3D, [](SCENE& s) { DDBltTranslucent(&BackBuffer, 0, 0, W, H, &s.picture, 0, 0, 1, nullptr, 100); });
}
BENCHMARK(BM_TranslucentDirect3DQuad);
void BM_BlendColor(benchmark::State& st) {
    Run(st, DD32, [](SCENE& s) {
        DDBltBlendColor(&BackBuffer, 0, 0, W, H, &s.picture, 0, 0, 1, DDBasePalette, nullptr, 20, 2);
    });
}
BENCHMARK(BM_BlendColor);
void BM_BlendColor8(benchmark::State& st) {
    Run(st, DD8, [](SCENE& s) {
        DDBltBlendColor(&BackBuffer, 0, 0, W, H, &s.picture, 0, 0, 1, DDBasePalette, s.table.data(), 20, 2);
    });
}
BENCHMARK(BM_BlendColor8);
void BM_LensOnTheScreenItself(benchmark::State& st) {
    Run(st, DD32, [](SCENE&) { DDBltLens(&BackBuffer, 320, 240, 240, 200, &BackBuffer, 320, 240, 0, 0); });
}
BENCHMARK(BM_LensOnTheScreenItself);
void BM_RotatePixel(benchmark::State& st) {
    Run(st, DD32, [](SCENE& s) { DDBltRotatePixel(&BackBuffer, 320, 240, W, H, 320, 240, 30, &s.picture, 0, 0, 1); });
}
BENCHMARK(BM_RotatePixel);
void BM_Wave(benchmark::State& st) {
    Run(st, DD32, [](SCENE& s) { DDBltWave(&BackBuffer, 0, 0, W, H, 2, 6.0, 30, 2, &s.picture, 0, 0, 1, 1); });
}
BENCHMARK(BM_Wave);
void BM_WaveDirect3D(benchmark::State& st) {
    Run(st, D3D, [](SCENE& s) { DDBltWave(&BackBuffer, 0, 0, W, H, 2, 6.0, 30, 2, &s.picture, 0, 0, 1, 0); });
}
BENCHMARK(BM_WaveDirect3D);
void BM_StripShift(benchmark::State& st) {
    Run(st, DD32, [](SCENE& s) { DDBltStripShift(&BackBuffer, 0, 0, W, H, 4, 3, &s.picture, 0, 0, 1, 0); });
}
BENCHMARK(BM_StripShift);
void BM_Circle(benchmark::State& st) {
    Run(st, DD32, [](SCENE& s) { DDBltCircle(&BackBuffer, 320, 240, 320, 240, 240, 1, &s.picture, 320, 240, 1); });
}
BENCHMARK(BM_Circle);
void BM_Quarters(benchmark::State& st) {
    Run(st, DD32, [](SCENE& s) { DDBltQuarters(&BackBuffer, 0, 0, W, H, &s.picture, 0, 0, 10, 1); });
}
BENCHMARK(BM_Quarters);
void BM_Turn(benchmark::State& st) {
    Run(st, DD32, [](SCENE& s) {
        DDBltTurn(&BackBuffer, 0, 0, W, H, &s.picture, 0, 0, &s.picture, 0, 0, W, H, 1, 100, 0);
    });
}
BENCHMARK(BM_Turn);

}  // namespace

BENCHMARK_MAIN();
