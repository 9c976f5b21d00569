#include "platform/window/dialog.h"

#include <SDL.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>

#include "platform/seam/dialog_host.h"
#include "platform/seam/imgui_glue.h"
#include "platform/seam/native_window.h"
#include "platform/seam/owners.h"
#include "platform/seam/window_events.h"
#include "platform/graphics/dd_present.h"
#include "platform/system/cp932.h"
#include "platform/window/dialog_lists.h"

extern std::string g_strDialogComposition;

namespace {

DIALOGHOST g_Host;
std::function<void(cDialog&, int)> g_FrameHook;
DIALOGFRAMESERVICE g_FrameService = nullptr;

// The window a modal dialog opens when the program has none yet.
class cOwnWindow {
public:
    bool Open(const std::string& title) {
        if (m_Renderer) return true;
        SoftwareWindowSurfaces();
        if (!SDL_WasInit(SDL_INIT_VIDEO)) {
            if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
            m_bInit = true;
        }
        m_Window.reset(SDL_CreateWindow(Cp932ToUtf8(title).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        640, 480, 0));
        if (m_Window) m_Renderer.reset(SDL_CreateRenderer(m_Window.get(), -1, SDL_RENDERER_SOFTWARE));
        if (!m_Renderer) Close();
        return m_Renderer != nullptr;
    }
    void Close() {
        if (m_Renderer && cImGuiHost::Get().Renderer() == m_Renderer.get()) cImGuiHost::Get().Detach();
        m_Renderer.reset();  // before its window
        m_Window.reset();
        if (m_bInit) SDL_QuitSubSystem(SDL_INIT_VIDEO);
        m_bInit = false;
    }
    ~cOwnWindow() { Close(); }
    SDL_Window* Window() const { return m_Window.get(); }
    SDL_Renderer* Renderer() const { return m_Renderer.get(); }

private:
    SdlWindowPtr m_Window;
    SdlRendererPtr m_Renderer;
    bool m_bInit = false;
};
cOwnWindow g_OwnWindow;

bool AttachHost(const std::string& title) {
    if (g_Host.renderer) return cImGuiHost::Get().Attach(g_Host.window, g_Host.renderer);
    if (!g_OwnWindow.Open(title)) return false;
    return cImGuiHost::Get().Attach(g_OwnWindow.Window(), g_OwnWindow.Renderer());
}

SDL_Renderer* HostRenderer() { return g_Host.renderer ? g_Host.renderer : g_OwnWindow.Renderer(); }

// One frame: the backdrop, open modeless dialogs, then the modal stack.
void RenderAll() {
    SDL_Renderer* r = HostRenderer();
    cImGuiHost::Get().NewFrame();
    for (cDialog* d : ModelessDialogs())
        if (!d->IsHidden()) d->DrawFrame(false);
    for (cDialog* d : ModalDialogStack()) d->DrawFrame(true);
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderClear(r);
    if (g_Host.drawBackdrop && g_Host.renderer) g_Host.drawBackdrop(r);
    cImGuiHost::Get().Render();
    SDL_RenderPresent(r);
}

}  // namespace

void SetDialogHost(const DIALOGHOST& host) { g_Host = host; }

void ResetDialogHost() {
    cImGuiHost::Get().Detach();
    g_Host = DIALOGHOST{};
}

bool OpenWindowDialogHost(NativeWindow* window) {
    SDL_Window* w = SdlWindowOf(window);
    SDL_Renderer* r = DDPresenterRenderer();
    if (!w || !r || SDL_GetRenderer(w) != r) return false;
    DIALOGHOST host;
    host.window = w;
    host.renderer = r;
    host.drawBackdrop = DDDrawPresenterBackdrop;
    host.serveEvent = ServeRequestEvent;
    if (g_Host.renderer != r) cImGuiHost::Get().Detach();
    g_Host = host;
    return true;
}

void CloseWindowDialogHost() {
    if (g_Host.renderer) ResetDialogHost();
}

NativeWindow* DialogHostWindow() { return g_Host.renderer ? NativeWindowOf(g_Host.window) : nullptr; }

void DialogHostRendererGone(SDL_Renderer* renderer) {
    if (renderer && g_Host.renderer == renderer) ResetDialogHost();
}

void SetDialogFrameHook(std::function<void(cDialog&, int)> hook) { g_FrameHook = std::move(hook); }

void SetDialogFrameService(DIALOGFRAMESERVICE service) { g_FrameService = service; }

bool ReadDialogWindow(DDFRAME* frame) {
    SDL_Renderer* r = HostRenderer();
    int w = 0, h = 0;
    if (!r || !frame || SDL_GetRendererOutputSize(r, &w, &h) != 0 || w < 1 || h < 1) return false;
    frame->width = w;
    frame->height = h;
    frame->pixels.assign(static_cast<size_t>(w) * h, 0);
    if (SDL_RenderReadPixels(r, nullptr, SDL_PIXELFORMAT_RGB888, frame->pixels.data(), w * 4) != 0) return false;
    for (uint32_t& px : frame->pixels) px &= 0xFFFFFF;
    return true;
}

bool DialogHostProcessEvent(const SDL_Event& e) {
    if (ModelessDialogs().empty() || !cImGuiHost::Get().IsAttached()) return false;
    if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) {
        for (cDialog* d : ModelessDialogs())
            if (d->HasKeyboardFocus() && d->HookKey(DialogKeyToVk(e.key.keysym.sym), e.type == SDL_KEYDOWN)) return true;
    }
    return cImGuiHost::Get().ProcessEvent(e);
}

void DialogHostDrawModeless() {
    if (ModelessDialogs().empty() || !g_Host.renderer) return;
    if (!cImGuiHost::Get().Attach(g_Host.window, g_Host.renderer)) return;
    cImGuiHost::Get().NewFrame();
    for (cDialog* d : ModelessDialogs())
        if (!d->IsHidden()) d->DrawFrame(false);
    cImGuiHost::Get().Render();
}

bool cDialog::RunLoop() {
    if (!AttachHost(m_strTitle)) return false;
    ModalDialogStack().push_back(this);
    bool quit = false;
    for (int frame = 0; m_bOpen; ++frame) {
        SDL_Event e;
        bool got = SDL_WaitEventTimeout(&e, 10) != 0;
        while (got && m_bOpen) {
            if (!(g_Host.serveEvent && g_Host.serveEvent(e))) {
                bool toImGui = true;
                switch (e.type) {
                    case SDL_QUIT:
                        quit = true;
                        OnCancel();
                        toImGui = false;
                        break;
                    case SDL_WINDOWEVENT:
                        if (e.window.event == SDL_WINDOWEVENT_CLOSE) OnCancel();
                        break;
                    case SDL_TEXTEDITING:
                        g_strDialogComposition = e.edit.text;
                        m_bComposing = !g_strDialogComposition.empty();
                        break;
                    case SDL_TEXTINPUT:
                        g_strDialogComposition.clear();
                        m_bComposing = false;
                        break;
                    case SDL_KEYDOWN:
                    case SDL_KEYUP:
                        toImGui = !HookKey(DialogKeyToVk(e.key.keysym.sym), e.type == SDL_KEYDOWN);
                        break;
                    default:
                        break;
                }
                if (toImGui && m_bOpen) cImGuiHost::Get().ProcessEvent(e);
            }
            got = m_bOpen && SDL_PollEvent(&e) != 0;
        }
        if (m_bOpen && g_FrameService) {
            std::vector<SCRIPTKEY> keys;
            if (!g_FrameService(keys)) OnCancel();
            for (const SCRIPTKEY& k : keys) TypeKey(k.vk, k.bDown);
        }
        if (!m_bOpen) break;
        RenderAll();
        if (g_FrameHook) g_FrameHook(*this, frame);
    }
    std::vector<cDialog*>& modal = ModalDialogStack();
    modal.erase(std::remove(modal.begin(), modal.end(), this), modal.end());
    // Its widgets are gone: none stays active. A dialog opened next at the same
    // address (one on the stack) has the same ImGui ids, and would otherwise
    // take over this one's edit state instead of its own text.
    if (ImGui::GetCurrentContext()) ImGui::ClearActiveID();
    if (modal.empty() && !g_Host.renderer) g_OwnWindow.Close();
    if (quit) {
        // The program's own loop still has to see the quit.
        SDL_Event q{};
        q.type = SDL_QUIT;
        SDL_PushEvent(&q);
    }
    return true;
}

void cDialog::DrawFrame(bool bModal) {
    ImGuiIO& io = ImGui::GetIO();
    if (!m_bPlaced) {
        int x = m_x, y = m_y;
        PlaceDialog(x, y, m_nWidth, m_nHeight, m_bCentre, static_cast<int>(io.DisplaySize.x), static_cast<int>(io.DisplaySize.y));
        m_x = x;
        m_y = y;
        m_bPlaced = true;
        ImGui::SetNextWindowPos(ImVec2(static_cast<float>(x), static_cast<float>(y)));
    }
    ImGui::SetNextWindowSize(ImVec2(static_cast<float>(m_nWidth), static_cast<float>(m_nHeight)));
    const bool top = bModal && !ModalDialogStack().empty() && ModalDialogStack().back() == this;
    if (top) {
        // Brought to the front unless it (or a part of it) already has the focus.
        ImGuiWindow* nav = GImGui->NavWindow;
        if (!m_nImWindowId || !nav || nav->RootWindow->ID != m_nImWindowId) ImGui::SetNextWindowFocus();
        ImGui::GetBackgroundDrawList()->AddRectFilled(ImVec2(0, 0), io.DisplaySize, IM_COL32(0, 0, 0, 96));
    }
    ImGuiWindowFlags flags = ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoSavedSettings;
    if (m_nScrollBars & DLG_HSCROLL) flags |= ImGuiWindowFlags_HorizontalScrollbar | ImGuiWindowFlags_AlwaysHorizontalScrollbar;
    if (m_nScrollBars & DLG_VSCROLL) flags |= ImGuiWindowFlags_AlwaysVerticalScrollbar;
    if (!m_nScrollBars) flags |= ImGuiWindowFlags_NoScrollbar;
    if (!m_bCaption) flags |= ImGuiWindowFlags_NoTitleBar;
    const std::string name = Cp932ToUtf8(m_strTitle) + "###dlg" + std::to_string(reinterpret_cast<uintptr_t>(this));
    const bool disabled = m_bDisabled || (bModal && !top);
    if (ImGui::Begin(name.c_str(), nullptr, flags)) {
        if (m_bScrollSet) {
            ImGui::SetScrollX(std::clamp(ImGui::GetScrollX() + m_fScrollX, 0.0f, ImGui::GetScrollMaxX()));
            ImGui::SetScrollY(std::clamp(ImGui::GetScrollY() + m_fScrollY, 0.0f, ImGui::GetScrollMaxY()));
            m_fScrollX = m_fScrollY = 0;
            m_bScrollSet = false;
        }
        m_nImWindowId = ImGui::GetCurrentWindow()->ID;
        const ImVec2 pos = ImGui::GetWindowPos();
        if (!bModal || top) {
            m_x = static_cast<int>(pos.x);  // remembered where the player moved it
            m_y = static_cast<int>(pos.y);
        }
        m_bFocusedWindow = ImGui::IsWindowFocused(ImGuiFocusedFlags_RootAndChildWindows);
        ImGui::BeginDisabled(disabled);
        OnDrawControls();
        ImGui::EndDisabled();
    }
    ImGui::End();
}

namespace {

// The keys that are not letters, digits or function keys: SDL key, virtual key.
constexpr int kKeyPairs[][2] = {
    {SDLK_BACKSPACE, 8}, {SDLK_TAB, 9},     {SDLK_RETURN, 13},  {SDLK_KP_ENTER, 13}, {SDLK_LSHIFT, 16},
    {SDLK_RSHIFT, 16},   {SDLK_LCTRL, 17},  {SDLK_RCTRL, 17},   {SDLK_ESCAPE, 27},   {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},   {SDLK_PAGEDOWN, 34}, {SDLK_END, 35},   {SDLK_HOME, 36},     {SDLK_LEFT, 37},
    {SDLK_UP, 38},       {SDLK_RIGHT, 39},  {SDLK_DOWN, 40},    {SDLK_INSERT, 45},   {SDLK_DELETE, 46}};

// The SDL key of a virtual key (the first of a pair; 0 when none).
int VkToDialogKey(int vk) {
    if (vk >= 'A' && vk <= 'Z') return SDLK_a + (vk - 'A');
    if (vk >= '0' && vk <= '9') return vk;
    if (vk >= 112 && vk <= 123) return SDLK_F1 + (vk - 112);
    if (vk == 0xA0 || vk == 0xA1) return vk == 0xA0 ? SDLK_LSHIFT : SDLK_RSHIFT;
    for (const auto& p : kKeyPairs)
        if (p[1] == vk) return p[0];
    return 0;
}

bool g_bScriptShift = false;  // a scripted shift key is down

}  // namespace

int DialogKeyToVk(int key) {
    if (key >= SDLK_a && key <= SDLK_z) return key - SDLK_a + 'A';
    if (key >= SDLK_0 && key <= SDLK_9) return key;
    if (key >= SDLK_F1 && key <= SDLK_F12) return 112 + (key - SDLK_F1);
    for (const auto& p : kKeyPairs)
        if (p[0] == key) return p[1];
    return 0;
}

void cDialog::TypeKey(int vk, bool bDown) {
    const int sym = VkToDialogKey(vk);
    if (sym == SDLK_LSHIFT || sym == SDLK_RSHIFT) g_bScriptShift = bDown;
    if (!sym || !m_bOpen) return;
    SDL_Event e{};
    e.type = bDown ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = bDown ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
    e.key.keysym.mod = g_bScriptShift ? KMOD_LSHIFT : KMOD_NONE;
    if (HookKey(DialogKeyToVk(sym), bDown) || !m_bOpen) return;
    cImGuiHost::Get().ProcessEvent(e);
    // A letter, digit or space typed: its character, as the keyboard's text input gives it.
    char c = 0;
    if (sym >= SDLK_a && sym <= SDLK_z) c = static_cast<char>(g_bScriptShift ? 'A' + (sym - SDLK_a) : sym);
    else if ((sym >= SDLK_0 && sym <= SDLK_9) || sym == SDLK_SPACE) c = static_cast<char>(sym);
    if (!bDown || !c) return;
    SDL_Event t{};
    t.type = SDL_TEXTINPUT;
    t.text.text[0] = c;
    cImGuiHost::Get().ProcessEvent(t);
}
