#pragma once
// Dear ImGui in the program's window: one context for all dialogs, bound to
// an SDL window and renderer, its font the IPA Gothic with Japanese glyphs,
// its draw lists drawn through SDL_RenderGeometry. Main thread only.
#include "platform/seam/owners.h"

class cImGuiHost {
public:
    // The one host.
    static cImGuiHost& Get();

    // Binds to a window and renderer (again after a change); false on failure.
    bool Attach(SDL_Window* window, SDL_Renderer* renderer);
    // Frees the context and its texture.
    void Detach();
    bool IsAttached() const { return m_Renderer != nullptr; }
    SDL_Window* Window() const { return m_Window; }
    SDL_Renderer* Renderer() const { return m_Renderer; }

    // Passes one event to ImGui; true when ImGui wants it for itself.
    bool ProcessEvent(const SDL_Event& e);
    // Starts a frame in the renderer's logical coordinates.
    void NewFrame();
    // Ends the frame and draws it with the renderer (not presented).
    void Render();

    ~cImGuiHost();

private:
    cImGuiHost() = default;
    bool CreateFontTexture();

    SDL_Window* m_Window = nullptr;
    SDL_Renderer* m_Renderer = nullptr;
    SdlTexturePtr m_FontTexture;
    bool m_bBackend = false;
};
