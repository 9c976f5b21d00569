#include "platform/window/dialog.h"

#include <SDL.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>

#include "platform/seam/dialog_host.h"
#include "platform/seam/owners.h"
#include "platform/system/cp932.h"
#include "platform/seam/imgui_glue.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"

extern std::string g_strDialogComposition;

namespace {

DIALOGHOST g_Host;
std::function<void(cDialog&, int)> g_FrameHook;
std::vector<cDialog*> g_Modeless;
std::vector<cDialog*> g_ModalStack;

// The window a modal dialog opens when the program has none yet.
class cOwnWindow {
public:
    bool Open(const std::string& title) {
        if (m_Renderer) return true;
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
    for (cDialog* d : g_Modeless)
        if (!d->IsHidden()) d->DrawFrame(false);
    for (cDialog* d : g_ModalStack) d->DrawFrame(true);
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

void SetDialogFrameHook(std::function<void(cDialog&, int)> hook) { g_FrameHook = std::move(hook); }

bool DialogHostProcessEvent(const SDL_Event& e) {
    if (g_Modeless.empty() || !cImGuiHost::Get().IsAttached()) return false;
    if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) {
        for (cDialog* d : g_Modeless)
            if (d->HasKeyboardFocus() && d->HookKey(DialogKeyToVk(e.key.keysym.sym), e.type == SDL_KEYDOWN)) return true;
    }
    return cImGuiHost::Get().ProcessEvent(e);
}

void DialogHostDrawModeless() {
    if (g_Modeless.empty() || !g_Host.renderer) return;
    if (!cImGuiHost::Get().Attach(g_Host.window, g_Host.renderer)) return;
    cImGuiHost::Get().NewFrame();
    for (cDialog* d : g_Modeless)
        if (!d->IsHidden()) d->DrawFrame(false);
    cImGuiHost::Get().Render();
}

void cDialogGroup::Add(cDialog* dlg) {
    if (std::find(m_Members.begin(), m_Members.end(), dlg) == m_Members.end()) m_Members.push_back(dlg);
}

void cDialogGroup::Remove(cDialog* dlg) { m_Members.erase(std::remove(m_Members.begin(), m_Members.end(), dlg), m_Members.end()); }

void cDialogGroup::Show(bool bShow) {
    for (cDialog* d : m_Members) d->SetHidden(!bShow);
}

void cDialogGroup::Enable(bool bEnable) {
    for (cDialog* d : m_Members) d->SetDisabled(!bEnable);
}

void PlaceDialog(int& x, int& y, int w, int h, bool bCentre, int areaW, int areaH) {
    if (bCentre || (x == -1000 && y == -1000)) {
        x = (areaW - w) / 2;
        y = (areaH - h) / 2;
    }
    if (x + w > areaW) x = areaW - w;
    if (y + h > areaH) y = areaH - h;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
}

cDialog::cDialog(int resourceId, int width, int height, const std::string& title)
    : m_nResourceId(resourceId), m_nWidth(width), m_nHeight(height), m_strTitle(title) {}

cDialog::~cDialog() {
    if (m_bOpen) Close(0);
    g_ModalStack.erase(std::remove(g_ModalStack.begin(), g_ModalStack.end(), this), g_ModalStack.end());
    if (m_lpGroup) m_lpGroup->Remove(this);
}

void cDialog::SetupChild(int resourceId, cDialog* parent, cDialogGroup* param) {
    m_nResourceId = resourceId;
    m_lpParent = parent;
    m_lpParam = param;
    m_bModeless = false;
}

void cDialog::SetPlacement(bool bCentre, int x, int y) {
    m_bCentre = bCentre;
    m_x = x;
    m_y = y;
    m_bPlaced = false;
    m_nImWindowId = 0;
}

int cDialog::DoModal(int flags) {
    if (m_bOpen) return 0;
    m_Ctrls.clear();
    m_bModeless = false;
    m_nModalFlags = flags;
    m_nResult = 0;
    m_bOpen = true;
    m_bPlaced = false;
    m_nImWindowId = 0;
    if (m_lpParam && (flags & DLG_HIDE_GROUP)) m_lpParam->Show(false);
    if (m_lpParam && (flags & DLG_DISABLE_GROUP)) m_lpParam->Enable(false);
    OnInitDialog();
    if (m_bOpen && IsAutoAnswer()) {
        OnDefaultAnswer();
        if (m_bOpen) Close(0);
        WriteReport("Dialog %d %s: %d", m_nResourceId, m_strTitle.c_str(), m_nResult);
    } else if (m_bOpen && !RunLoop()) {
        WriteReportEC("Dialog %d %s cannot be shown", m_nResourceId, m_strTitle.c_str());
        Close(0);
    }
    if (m_lpParam && (flags & DLG_HIDE_GROUP)) m_lpParam->Show(true);
    if (m_lpParam && (flags & DLG_DISABLE_GROUP)) m_lpParam->Enable(true);
    return m_nResult;
}

bool cDialog::RunLoop() {
    if (!AttachHost(m_strTitle)) return false;
    g_ModalStack.push_back(this);
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
        if (!m_bOpen) break;
        RenderAll();
        if (g_FrameHook) g_FrameHook(*this, frame);
    }
    g_ModalStack.erase(std::remove(g_ModalStack.begin(), g_ModalStack.end(), this), g_ModalStack.end());
    if (g_ModalStack.empty() && !g_Host.renderer) g_OwnWindow.Close();
    if (quit) {
        // The program's own loop still has to see the quit.
        SDL_Event q{};
        q.type = SDL_QUIT;
        SDL_PushEvent(&q);
    }
    return true;
}

bool cDialog::CreateModeless(cDialogGroup* group) {
    if (m_bOpen) return false;
    m_bModeless = true;
    m_bOpen = true;
    m_bPlaced = false;
    m_nImWindowId = 0;
    m_lpGroup = group;
    if (group) group->Add(this);
    g_Modeless.push_back(this);
    OnInitDialog();
    return true;
}

void cDialog::Close(int result) {
    m_nResult = result;
    m_Ctrls.clear();
    m_bOpen = false;
    m_bComposing = false;
    if (m_bModeless) {
        g_Modeless.erase(std::remove(g_Modeless.begin(), g_Modeless.end(), this), g_Modeless.end());
        if (m_lpGroup) m_lpGroup->Remove(this);
        m_lpGroup = nullptr;
    }
}

void cDialog::AddCtrl(cCtrl* ctrl) {
    if (ctrl) m_Ctrls.push_back(ctrl);
}

cCtrl* cDialog::FindCtrl(int id) {
    for (cCtrl* c : m_Ctrls)
        if (c->Id() == id) return c;
    return nullptr;
}

void cDialog::UpdateControls() {
    m_bBusy = true;
    for (cCtrl* c : m_Ctrls) c->Update();
    m_bBusy = false;
}

void cDialog::ApplyControls() {
    for (cCtrl* c : m_Ctrls) c->Apply();
}

void cDialog::RefreshLists() {
    for (cCtrl* c : m_Ctrls)
        if (c->Kind() == CTRL_LIST) c->RefreshList();
}

void cDialog::OnInitDialog() { m_Ctrls.clear(); }

void cDialog::OnCommand(int id, int notification) {
    const std::vector<cCtrl*> ctrls(m_Ctrls.begin(), m_Ctrls.end());
    for (cCtrl* c : ctrls) {
        if (c->Id() != id || c->Kind() < CTRL_EDIT || c->Kind() > CTRL_LIST) continue;
        const int kind = c->Kind();
        if (kind == CTRL_EDIT || kind == CTRL_EDITMULTI) {
            if (notification == EN_UPDATE) {
                c->OnChange();
                break;
            }
            if (notification == EN_KILLFOCUS) {
                c->OnKillFocus();
                break;
            }
        } else if (kind == CTRL_COMBO && notification == 1) {
            c->OnChange();
            break;
        } else if (kind == CTRL_LIST) {
            if (notification == LBN_SELCHANGE) {
                c->OnChange();
                break;
            }
            if (notification == LBN_KILLFOCUS) {
                c->OnKillFocus();
                break;
            }
        }
    }
    for (cCtrl* c : m_Ctrls)
        if (c->Kind() == CTRL_LIST) c->OnRedraw();
}

bool cDialog::OnKeyDown(int vk) {
    if (!m_nScrollBars) return false;
    const float line = 16, page = static_cast<float>(m_nHeight) - 32;
    switch (vk) {
        case 33: ScrollBy(0, -page); return true;   // Page Up
        case 34: ScrollBy(0, page); return true;    // Page Down
        case 35: ScrollBy(0, 1e6f); return true;    // End
        case 36: ScrollBy(0, -1e6f); return true;   // Home
        case 37: ScrollBy(-line, 0); return true;
        case 38: ScrollBy(0, -line); return true;
        case 39: ScrollBy(line, 0); return true;
        case 40: ScrollBy(0, line); return true;
        default: return false;
    }
}

void cDialog::ScrollBy(float dx, float dy) {
    m_fScrollX += dx;
    m_fScrollY += dy;
    m_bScrollSet = true;
}

void cDialog::OnCancel() { Close(0); }

void cDialog::OnDefaultAnswer() {
    for (cCtrl* c : m_Ctrls) {
        auto* b = dynamic_cast<cButtonCtrl*>(c);
        if (b && b->IsDefault()) {
            b->Press();
            return;
        }
    }
}

void cDialog::OnDrawControls() {
    const std::vector<cCtrl*> ctrls(m_Ctrls.begin(), m_Ctrls.end());
    for (cCtrl* c : ctrls) {
        if (!m_bOpen) break;  // a command closed the dialog
        c->DrawCtrl();
    }
}

bool cDialog::HasKeyboardFocus() const { return m_bFocusedWindow; }

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
    const bool top = bModal && !g_ModalStack.empty() && g_ModalStack.back() == this;
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

bool cDialog::HookKey(int vk, bool bDown) {
    if (!bDown) {
        if (vk == 17) m_bCtrlDown = false;
        if (!(m_bPassCtrl && m_bCtrlDown)) OnKeyUp(vk);
        return false;
    }
    if (vk == 9) return false;  // Tab moves the focus
    if (m_bComposing) return true;  // keys of a composition belong to the IME
    if (vk == 17) m_bCtrlDown = true;
    if (m_bPassCtrl && m_bCtrlDown) return false;
    if (OnKeyDown(vk)) return true;
    if (vk == 27) {
        OnCancel();
        return true;
    }
    for (cCtrl* c : m_Ctrls)
        if (c->HasFocus() && c->IsEnabled()) {
            if (c->OnKey(vk)) return true;
            break;
        }
    if (vk == 13) {
        // Enter presses the button with the focus, else the default button;
        // in a list it is a double click; in a multi-line box a new line.
        cCtrl* def = nullptr;
        for (cCtrl* c : m_Ctrls) {
            if (c->HasFocus() && c->Kind() == CTRL_EDITMULTI) return false;
            if (c->HasFocus() && c->Kind() == CTRL_BUTTON) {
                static_cast<cButtonCtrl*>(c)->Press();
                return true;
            }
            if (c->HasFocus() && c->Kind() == CTRL_LIST) {
                OnCommand(c->Id(), LBN_DBLCLK);
                return true;
            }
            auto* b = dynamic_cast<cButtonCtrl*>(c);
            if (b && b->IsDefault() && b->IsEnabled() && !def) def = b;
        }
        if (def) {
            static_cast<cButtonCtrl*>(def)->Press();
            return true;
        }
    }
    return false;
}

void GetDlgItemTextStr(cDialog* dlg, int id, std::string& str) {
    if (cCtrl* c = dlg ? dlg->FindCtrl(id) : nullptr) str = c->GetText();
}

void SetDlgItemTextStr(cDialog* dlg, int id, const std::string& str) {
    if (cCtrl* c = dlg ? dlg->FindCtrl(id) : nullptr) c->SetText(str);
}

void ShowChildWindows(cDialog* dlg, bool bShow) {
    if (dlg)
        for (cCtrl* c : dlg->Ctrls()) c->Show(bShow);
}

void EnableChildWindows(cDialog* dlg, bool bEnable) {
    if (dlg)
        for (cCtrl* c : dlg->Ctrls()) c->Enable(bEnable);
}

int DialogKeyToVk(int key) {
    if (key >= SDLK_a && key <= SDLK_z) return key - SDLK_a + 'A';
    if (key >= SDLK_0 && key <= SDLK_9) return key;
    if (key >= SDLK_F1 && key <= SDLK_F12) return 112 + (key - SDLK_F1);
    switch (key) {
        case SDLK_BACKSPACE: return 8;
        case SDLK_TAB: return 9;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return 13;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return 16;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return 17;
        case SDLK_ESCAPE: return 27;
        case SDLK_SPACE: return 32;
        case SDLK_PAGEUP: return 33;
        case SDLK_PAGEDOWN: return 34;
        case SDLK_END: return 35;
        case SDLK_HOME: return 36;
        case SDLK_LEFT: return 37;
        case SDLK_UP: return 38;
        case SDLK_RIGHT: return 39;
        case SDLK_DOWN: return 40;
        case SDLK_INSERT: return 45;
        case SDLK_DELETE: return 46;
        default: return 0;
    }
}
