#include "platform/seam/imgui_glue.h"

#include <cmath>

#include <SDL.h>
#include <imgui.h>
#include <imgui_internal.h>
#include <backends/imgui_impl_sdl.h>

#include "platform/text/font_face.h"

cImGuiHost& cImGuiHost::Get() {
    static cImGuiHost host;
    return host;
}

cImGuiHost::~cImGuiHost() { Detach(); }

bool cImGuiHost::Attach(SDL_Window* window, SDL_Renderer* renderer) {
    if (window == m_Window && renderer == m_Renderer && m_Renderer) return true;
    Detach();
    if (!window || !renderer) return false;
    SDL_SetHint(SDL_HINT_IME_SHOW_UI, "1");  // the IME draws its own candidate window
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;
    io.IniFilename = nullptr;  // nothing written beside the program
    io.LogFilename = nullptr;
    ImGui::StyleColorsDark();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowRounding = 0;
    // No anti-aliased fringes: ImGui places them with the processor's
    // approximate reciprocal square root, whose last bits differ between
    // makers, and a fringe's edge can fall on either side of a pixel.
    style.AntiAliasedLines = false;
    style.AntiAliasedLinesUseTex = false;
    style.AntiAliasedFill = false;
    if (!ImGui_ImplSDL2_InitForSDLRenderer(window)) {
        ImGui::DestroyContext();
        return false;
    }
    m_bBackend = true;
    m_Window = window;
    m_Renderer = renderer;
    if (!CreateFontTexture()) {
        Detach();
        return false;
    }
    return true;
}

bool cImGuiHost::CreateFontTexture() {
    ImGuiIO& io = ImGui::GetIO();
    const std::string file = FindFontFile("ＭＳ Ｐゴシック");
    if (!file.empty()) {
        ImFontConfig cfg;
        cfg.OversampleH = 1;
        cfg.OversampleV = 1;
        io.Fonts->AddFontFromFileTTF(file.c_str(), 16.0f, &cfg, io.Fonts->GetGlyphRangesJapanese());
    }
    unsigned char* pixels = nullptr;
    int w = 0, h = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &w, &h);
    m_FontTexture.reset(SDL_CreateTexture(m_Renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC, w, h));
    if (!m_FontTexture) return false;
    SDL_UpdateTexture(m_FontTexture.get(), nullptr, pixels, w * 4);
    SDL_SetTextureBlendMode(m_FontTexture.get(), SDL_BLENDMODE_BLEND);
    io.Fonts->SetTexID(static_cast<ImTextureID>(m_FontTexture.get()));
    return true;
}

void cImGuiHost::Detach() {
    m_FontTexture.reset();
    if (m_bBackend) {
        ImGui_ImplSDL2_Shutdown();
        ImGui::DestroyContext();
    }
    m_bBackend = false;
    m_Window = nullptr;
    m_Renderer = nullptr;
}

bool cImGuiHost::ProcessEvent(const SDL_Event& e) {
    if (!m_bBackend) return false;
    ImGui_ImplSDL2_ProcessEvent(&e);
    ImGuiIO& io = ImGui::GetIO();
    // A key in use brings the keyboard focus back into view (the mouse hides it).
    if (e.type == SDL_KEYDOWN) GImGui->NavDisableHighlight = false;
    switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
        case SDL_TEXTINPUT:
        case SDL_TEXTEDITING:
            return io.WantCaptureKeyboard || io.WantTextInput;
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
        case SDL_MOUSEWHEEL:
            return io.WantCaptureMouse;
        default:
            return false;
    }
}

void cImGuiHost::NewFrame() {
    ImGui_ImplSDL2_NewFrame();
    ImGuiIO& io = ImGui::GetIO();
    // Dialogs live in the renderer's logical coordinates (640 x 480 when set).
    int lw = 0, lh = 0;
    SDL_RenderGetLogicalSize(m_Renderer, &lw, &lh);
    if (lw > 0 && lh > 0) {
        io.DisplaySize = ImVec2(static_cast<float>(lw), static_cast<float>(lh));
        io.DisplayFramebufferScale = ImVec2(1, 1);
        if (io.MousePos.x > -FLT_MAX) {
            int mx = 0, my = 0;
            SDL_GetMouseState(&mx, &my);
            float fx = 0, fy = 0;
            SDL_RenderWindowToLogical(m_Renderer, mx, my, &fx, &fy);
            io.MousePos = ImVec2(fx, fy);
        }
    } else {
        int ow = 0, oh = 0;
        SDL_GetRendererOutputSize(m_Renderer, &ow, &oh);
        io.DisplaySize = ImVec2(static_cast<float>(ow), static_cast<float>(oh));
        io.DisplayFramebufferScale = ImVec2(1, 1);
    }
    // The IME is switched on while a text box wants text.
    if (io.WantTextInput && !SDL_IsTextInputActive())
        SDL_StartTextInput();
    else if (!io.WantTextInput && SDL_IsTextInputActive())
        SDL_StopTextInput();
    ImGui::NewFrame();
}

namespace {

// Every corner to the nearest whole pixel. The software renderer truncates
// positions, so a corner computed a hair below a whole pixel (a line's edge,
// placed with an approximate square root) would lose a row on one machine and
// keep it on another; rounded, the same geometry covers the same pixels.
void SnapToPixels(ImVector<ImDrawVert>& vertices) {
    for (ImDrawVert& v : vertices) {
        v.pos.x = std::floor(v.pos.x + 0.5f);
        v.pos.y = std::floor(v.pos.y + 0.5f);
    }
}

}  // namespace

void cImGuiHost::Render() {
    ImGui::Render();
    ImDrawData* data = ImGui::GetDrawData();
    if (!data || !m_Renderer) return;
    SDL_Rect oldClip;
    SDL_RenderGetClipRect(m_Renderer, &oldClip);
    const bool hadClip = SDL_RenderIsClipEnabled(m_Renderer);
    const ImVec2 off = data->DisplayPos;
    for (int n = 0; n < data->CmdListsCount; ++n) {
        ImDrawList* list = data->CmdLists[n];
        SnapToPixels(list->VtxBuffer);
        const ImDrawVert* vtx = list->VtxBuffer.Data;
        const ImDrawIdx* idx = list->IdxBuffer.Data;
        for (const ImDrawCmd& cmd : list->CmdBuffer) {
            if (cmd.UserCallback) {
                if (cmd.UserCallback != ImDrawCallback_ResetRenderState) cmd.UserCallback(list, &cmd);
                continue;
            }
            SDL_Rect clip{static_cast<int>(cmd.ClipRect.x - off.x), static_cast<int>(cmd.ClipRect.y - off.y),
                          static_cast<int>(cmd.ClipRect.z - cmd.ClipRect.x), static_cast<int>(cmd.ClipRect.w - cmd.ClipRect.y)};
            if (clip.w <= 0 || clip.h <= 0) continue;
            SDL_RenderSetClipRect(m_Renderer, &clip);
            const ImDrawVert* v = vtx + cmd.VtxOffset;
            SDL_RenderGeometryRaw(m_Renderer, static_cast<SDL_Texture*>(cmd.GetTexID()),
                                  &v->pos.x, sizeof(ImDrawVert),
                                  reinterpret_cast<const SDL_Color*>(&v->col), sizeof(ImDrawVert),
                                  &v->uv.x, sizeof(ImDrawVert),
                                  list->VtxBuffer.Size - static_cast<int>(cmd.VtxOffset),
                                  idx + cmd.IdxOffset, static_cast<int>(cmd.ElemCount), sizeof(ImDrawIdx));
        }
    }
    SDL_RenderSetClipRect(m_Renderer, hadClip ? &oldClip : nullptr);
}
