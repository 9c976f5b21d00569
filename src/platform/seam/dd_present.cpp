#include "platform/graphics/dd_present.h"

#include <SDL.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "platform/graphics/bmp.h"
#include "platform/graphics/dd_palette.h"
#include "platform/seam/dialog_host.h"
#include "platform/seam/native_window.h"
#include "platform/seam/owners.h"
#include "platform/seam/window_events.h"
#include "platform/system/log.h"
#include "platform/window/window.h"

namespace {

// The presenter: one renderer and one streaming texture of the frame's size.
struct PRESENTER {
    SdlRendererPtr renderer;  // destroyed after its texture
    SdlTexturePtr texture;
    int texW = 0, texH = 0;
    bool bPresented = false;  // it has presented g_Shown
};

// Frames travel through three buffers that are swapped, never copied: each
// submitting thread fills its own back buffer outside the lock and swaps it
// with g_Pending under the lock; the main thread swaps g_Pending with
// g_Shown under the lock and uploads g_Shown outside it. Only the main
// thread writes g_Shown (under the lock), so it reads it without the lock.
std::mutex g_Lock;  // guards g_Pending, g_HasPending, the swaps into g_Shown and g_HasShown
DDFRAME g_Pending;
bool g_HasPending = false;  // g_Pending holds a frame not yet presented
DDFRAME g_Shown;            // the frame presented last
bool g_HasShown = false;
thread_local DDFRAME t_Back;  // the calling thread's back buffer
std::atomic<void (*)()> g_Notify{nullptr};  // set by a thread other than the one that hands frames over
PRESENTER* g_Presenter = nullptr;  // main thread only; closed by DDEnd, never by a static destructor

// The last frame handed over: the pending one, else the one presented. Caller holds g_Lock.
const DDFRAME* LastFrameLocked() {
    if (g_HasPending) return &g_Pending;
    return g_HasShown ? &g_Shown : nullptr;
}

// One row of 32-bit pixels without their alpha byte, eight pixels a step.
void StripAlpha(uint32_t* dst, const uint32_t* in, int w) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
    for (; x + 8 <= w; x += 8) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x + 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x), _mm_and_si128(a, rgb));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x + 4), _mm_and_si128(b, rgb));
    }
#endif
    for (; x < w; ++x) dst[x] = in[x] & 0xFFFFFF;
}

// A picture as 0x00RRGGBB pixels; 8-bit pictures go through the hardware palette.
void ConvertFrame(const DDPIXELS& px, int w, int h, DDFRAME& out) {
    out.width = w;
    out.height = h;
    out.pixels.resize(static_cast<size_t>(w) * h);
    const uint32_t* pal = DDHardwarePaletteRGB();
    for (int y = 0; y < h; ++y) {
        uint32_t* dst = &out.pixels[static_cast<size_t>(y) * w];
        if (px.format == DDFMT_INDEX8) {
            const uint8_t* in = px.Row(y);
            for (int x = 0; x < w; ++x) dst[x] = pal[in[x]];
        } else {
            StripAlpha(dst, px.Row32(y), w);
        }
    }
}

bool Draw(PRESENTER& p, const DDFRAME& f) {
    if (!p.texture || p.texW != f.width || p.texH != f.height) {
        p.texture.reset(SDL_CreateTexture(p.renderer.get(), SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                          f.width, f.height));
        if (!p.texture) {
            WriteReport("SDL_CreateTexture: %s", SDL_GetError());
            return false;
        }
        SDL_SetTextureScaleMode(p.texture.get(), SDL_ScaleModeNearest);
        SDL_RenderSetLogicalSize(p.renderer.get(), f.width, f.height);
        p.texW = f.width;
        p.texH = f.height;
    }
    SDL_UpdateTexture(p.texture.get(), nullptr, f.pixels.data(), f.width * 4);
    SDL_SetRenderDrawColor(p.renderer.get(), 0, 0, 0, 255);
    SDL_RenderClear(p.renderer.get());
    SDL_RenderCopy(p.renderer.get(), p.texture.get(), nullptr, nullptr);
    return true;
}

}  // namespace

bool DDOpenPresenter(NativeWindow* nativeWindow, int vsync) {
    DDClosePresenter();
    SDL_Window* window = SdlWindowOf(nativeWindow);
    if (!window) return false;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    const Uint32 sync = vsync ? SDL_RENDERER_PRESENTVSYNC : 0;
    int x = 0, y = 0;
    SDL_GetWindowPosition(window, &x, &y);
    // Headless, the GL renderer would run on the offscreen driver's EGL
    // context, which can fault when torn down; the software one is all it needs.
    SdlRendererPtr r(SdlDrawsNowhere() ? nullptr : SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | sync));
    if (!r) r.reset(SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE));
    // An OpenGL renderer makes the window anew where it was first made: it goes back to its place.
    if (!(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN)) SDL_SetWindowPosition(window, x, y);
    if (!r) {
        WriteReport("SDL_CreateRenderer: %s", SDL_GetError());
        return false;
    }
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(r.get(), &info) == 0) WriteReport("Renderer : %s", info.name);
    g_Presenter = new PRESENTER;
    g_Presenter->renderer = std::move(r);
    return true;
}

void DDClosePresenter() {
    if (!g_Presenter) return;
    DialogHostRendererGone(g_Presenter->renderer.get());
    g_Presenter->texture.reset();
    g_Presenter->renderer.reset();
    delete g_Presenter;
    g_Presenter = nullptr;
}

bool DDHasPresenter() { return g_Presenter != nullptr; }

void DDSetFrameNotify(void (*notify)()) { g_Notify = notify; }

void DDSubmitFrame(const DDSURFACEDATA* sd) {
    if (!sd || !sd->HasSurface()) return;
    const DDPIXELS& px = sd->Surface;
    const int w = std::min(sd->nWidth, px.width), h = std::min(sd->nHeight, px.height);
    if (w < 1 || h < 1) return;
    ConvertFrame(px, w, h, t_Back);
    {
        std::lock_guard<std::mutex> lock(g_Lock);
        std::swap(t_Back, g_Pending);  // a frame not yet presented is replaced by the newer one
        g_HasPending = true;
    }
    if (void (*notify)() = g_Notify.load()) notify();
}

bool DDPresentPending() {
    if (!g_Presenter) return false;
    {
        std::lock_guard<std::mutex> lock(g_Lock);
        if (!g_HasPending) return false;
        std::swap(g_Shown, g_Pending);
        g_HasPending = false;
        g_HasShown = true;
    }
    if (!Draw(*g_Presenter, g_Shown)) return false;
    SDL_RenderPresent(g_Presenter->renderer.get());
    g_Presenter->bPresented = true;
    return true;
}

bool DDPresentAgain() {
    if (DDPresentPending()) return true;
    if (!g_Presenter || !g_Presenter->bPresented || !Draw(*g_Presenter, g_Shown)) return false;
    SDL_RenderPresent(g_Presenter->renderer.get());
    return true;
}

SDL_Renderer* DDPresenterRenderer() { return g_Presenter ? g_Presenter->renderer.get() : nullptr; }

void DDDrawPresenterBackdrop(SDL_Renderer* renderer) {
    if (!g_Presenter || renderer != g_Presenter->renderer.get()) return;
    {
        std::lock_guard<std::mutex> lock(g_Lock);
        if (g_HasPending) {
            std::swap(g_Shown, g_Pending);
            g_HasPending = false;
            g_HasShown = true;
        }
    }
    if (g_HasShown) Draw(*g_Presenter, g_Shown);
}

bool DDGetLastFrame(DDFRAME* frame) {
    std::lock_guard<std::mutex> lock(g_Lock);
    const DDFRAME* last = LastFrameLocked();
    if (!last) return false;
    *frame = *last;
    return true;
}

void DDResetFrames() {
    std::lock_guard<std::mutex> lock(g_Lock);
    g_Pending = DDFRAME{};
    g_Shown = DDFRAME{};
    g_HasPending = g_HasShown = false;
}

bool DDWriteLastFrame(const std::string& nativePath) {
    DDFRAME f;
    if (!DDGetLastFrame(&f)) return false;
    BMPIMAGE img;
    img.nWidth = f.width;
    img.nHeight = f.height;
    img.Pixels = std::move(f.pixels);
    return WriteFileBytes(nativePath, EncodeBmp(img, 24));
}

bool DDWriteFrameDump() {
    const char* path = std::getenv("QV_FRAME_DUMP");
    if (!path || !*path) return false;
    const bool ok = DDWriteLastFrame(path);
    WriteReport(ok ? "Frame dump : %s" : "Frame dump failed : %s", path);
    return ok;
}

void DDSetWindowScreenMode(NativeWindow* window, bool bWindowed) {
    if (!window) return;
    if (cWindow* owner = FindSdlWindow(SDL_GetWindowID(SdlWindowOf(window)))) {
        owner->SetFullScreen(!bWindowed);
        return;
    }
    SDL_SetWindowFullscreen(SdlWindowOf(window), bWindowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    SDL_ShowCursor(bWindowed ? SDL_ENABLE : SDL_DISABLE);
}

int DDGetWindowRefreshRate(NativeWindow* window) {
    if (!window) return 0;
    SDL_DisplayMode mode{};
    const int display = SDL_GetWindowDisplayIndex(SdlWindowOf(window));
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
    return mode.refresh_rate;
}

bool DDReadBackWindow(DDFRAME* frame) {
    if (!g_Presenter || !g_Presenter->bPresented) return false;
    PRESENTER& p = *g_Presenter;
    if (!Draw(p, g_Shown)) return false;
    int w = 0, h = 0;
    if (SDL_GetRendererOutputSize(p.renderer.get(), &w, &h) != 0 || w < 1 || h < 1) return false;
    // Read the whole output, the letterbox bars included.
    SDL_RenderSetLogicalSize(p.renderer.get(), 0, 0);
    SDL_RenderSetViewport(p.renderer.get(), nullptr);
    frame->width = w;
    frame->height = h;
    frame->pixels.assign(static_cast<size_t>(w) * h, 0);
    const int rc = SDL_RenderReadPixels(p.renderer.get(), nullptr, SDL_PIXELFORMAT_RGB888, frame->pixels.data(), w * 4);
    SDL_RenderSetLogicalSize(p.renderer.get(), p.texW, p.texH);
    for (auto& px : frame->pixels) px &= 0xFFFFFF;
    return rc == 0;
}
