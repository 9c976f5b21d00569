// Blit throughput in pixels per second: plain, colour-keyed, mirrored,
// alpha-blended and 8-bit blits of 32 x 32 sprites and of whole 640 x 480
// pictures onto the back buffer, beside memcpy of the same bytes, and one
// frame of 2,000 keyed 32 x 32 sprites.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_surface.h"

namespace {

enum BACKEND { DD32, DD8, D3D };

// A picture of w x h: a disc per 32 x 32 cell, transparent outside it (about a fifth of
// the pixels), with a band of half-transparent pixels when `half` is set.
void MakePicture(DDSURFACEDATA& sd, int w, int h, bool half) {
    DDCreateSurface(&sd, w, h, 1, 0, 0, 0, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int dx = x % 32 - 16, dy = y % 32 - 16;
            const bool clear = dx * dx + dy * dy > 16 * 16;
            const uint32_t c = 0x203040u + static_cast<uint32_t>(x * 3 + y);
            if (sd.Surface.format == DDFMT_INDEX8) {
                sd.Surface.Row(y)[x] = clear ? 0 : static_cast<uint8_t>(1 + (x + y) % 200);
            } else if (lpDTCon) {
                uint32_t a = clear ? 0 : 0xFF000000u;
                if (half && !clear && dy > 8) a = 0x80000000u;
                sd.Surface.Row32(y)[x] = clear ? 0 : a | (c & 0xFFFFFF);
            } else {
                sd.Surface.Row32(y)[x] = clear ? 0xFF00FFu : (c & 0xFFFFFF);
            }
        }
}

struct SCENE {
    DDSURFACEDATA sprite, picture;
    explicit SCENE(BACKEND b, bool half = false) {
        if (b == D3D) {
            DDInit(1, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0);
            DDSetTransmit(255, 0, 255);
        } else {
            DDInit(0, nullptr, 640, 480, b == DD8 ? 8 : 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0);
            if (b == DD8) DDG.dwColorKey = 0;
            else DDSetTransmit(255, 0, 255);
        }
        MakePicture(sprite, 32, 32, half);
        MakePicture(picture, 640, 480, half);
    }
    ~SCENE() {
        DDReleaseSurface(&sprite);
        DDReleaseSurface(&picture);
        DDEnd();
    }
};

// One blit of the picture (arg 0: a 32 x 32 sprite at 100, 100; arg 1: the whole screen).
void RunBlit(benchmark::State& state, BACKEND b, int flags, bool mirrored, bool half) {
    SCENE s(b, half);
    const bool full = state.range(0) == 1;
    DDSURFACEDATA* src = full ? &s.picture : &s.sprite;
    const int w = full ? 640 : 32, h = full ? 480 : 32, x = full ? 0 : 100, y = full ? 0 : 100;
    for (auto _ : state) {
        if (mirrored) DDStretchBlt(&BackBuffer, x, y, w, h, src, w, 0, -w, h, flags);
        else DDBlt(&BackBuffer, x, y, w, h, src, 0, 0, flags);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * w * h);
    state.SetBytesProcessed(state.iterations() * w * h * (b == DD8 ? 1 : 4));
}

void BM_Memcpy(benchmark::State& state) {
    const size_t bytes = state.range(0) == 1 ? 640 * 480 * 4 : 32 * 32 * 4;
    std::vector<uint8_t> a(bytes, 1), b(bytes, 2);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(bytes / 4));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}

void BM_Memcpy8(benchmark::State& state) {
    const size_t bytes = state.range(0) == 1 ? 640 * 480 : 32 * 32;
    std::vector<uint8_t> a(bytes, 1), b(bytes, 2);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(bytes));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}

void BM_Plain32(benchmark::State& s) { RunBlit(s, DD32, DDBLT_COPY, false, false); }
void BM_ColourKeyed32(benchmark::State& s) { RunBlit(s, DD32, DDBLT_COLORKEY, false, false); }
void BM_Keyed32Direct3D(benchmark::State& s) { RunBlit(s, D3D, DDBLT_COLORKEY, false, false); }
void BM_Mirrored32Direct3D(benchmark::State& s) { RunBlit(s, D3D, DDBLT_COLORKEY, true, false); }
void BM_AlphaBlended32Direct3D(benchmark::State& s) { RunBlit(s, D3D, DDBLT_COLORKEY, false, true); }
void BM_Plain8(benchmark::State& s) { RunBlit(s, DD8, DDBLT_COPY, false, false); }
void BM_ColourKeyed8(benchmark::State& s) { RunBlit(s, DD8, DDBLT_COLORKEY, false, false); }

// One frame: 2,000 keyed 32 x 32 sprites at spread positions, some partly off-screen.
void RunFrame(benchmark::State& state, BACKEND b) {
    SCENE s(b);
    std::vector<std::pair<int, int>> pos;
    uint32_t r = 12345;
    for (int i = 0; i < 2000; ++i) {
        r = r * 1103515245u + 12345u;
        const int x = static_cast<int>((r >> 8) % 672) - 16;
        r = r * 1103515245u + 12345u;
        const int y = static_cast<int>((r >> 8) % 512) - 16;
        pos.emplace_back(x, y);
    }
    for (auto _ : state) {
        for (const auto& [x, y] : pos) DDBlt(&BackBuffer, x, y, 32, 32, &s.sprite, 0, 0, DDBLT_COLORKEY);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 2000 * 32 * 32);
}

void BM_Frame2000KeyedSprites32(benchmark::State& s) { RunFrame(s, DD32); }
void BM_Frame2000KeyedSpritesDirect3D(benchmark::State& s) { RunFrame(s, D3D); }
void BM_Frame2000KeyedSprites8(benchmark::State& s) { RunFrame(s, DD8); }

}  // namespace

// Arg 0: 32 x 32 sprite; arg 1: 640 x 480 picture.
BENCHMARK(BM_Memcpy)->Arg(0)->Arg(1);
BENCHMARK(BM_Plain32)->Arg(0)->Arg(1);
BENCHMARK(BM_ColourKeyed32)->Arg(0)->Arg(1);
BENCHMARK(BM_Keyed32Direct3D)->Arg(0)->Arg(1);
BENCHMARK(BM_Mirrored32Direct3D)->Arg(0)->Arg(1);
BENCHMARK(BM_AlphaBlended32Direct3D)->Arg(0)->Arg(1);
BENCHMARK(BM_Memcpy8)->Arg(0)->Arg(1);
BENCHMARK(BM_Plain8)->Arg(0)->Arg(1);
BENCHMARK(BM_ColourKeyed8)->Arg(0)->Arg(1);
BENCHMARK(BM_Frame2000KeyedSprites32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Frame2000KeyedSpritesDirect3D)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Frame2000KeyedSprites8)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
