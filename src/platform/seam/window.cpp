#include "platform/window/window.h"

#include <SDL.h>

#include <algorithm>

#include "platform/system/cp932.h"
#include "platform/input/input_keys.h"
#include "platform/system/log.h"
#include "platform/seam/native_window.h"
#include "platform/seam/owners.h"
#include "platform/seam/window_events.h"
#include "platform/window/main_thread_messages.h"

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
        case SM_CYSCREEN: {
            SDL_DisplayMode mode;
            if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 0;
            return index == SM_CXSCREEN ? mode.w : mode.h;
        }
        case SM_CXVSCROLL: return 16;
        case SM_CYHSCROLL: return 16;
        case SM_CYMENU: return 19;
        default: return 0;
    }
}

namespace {

SDL_Window* SdlOf(const NativeWindowPtr& window) { return SdlWindowOf(window.get()); }

}  // namespace

void cNativeWindowCloser::operator()(NativeWindow* window) const { SdlWindowPtr::deleter_type{}(SdlWindowOf(window)); }

LRESULT DefWindowProcA(HWND hWnd, uint32_t msg, WPARAM, LPARAM) {
    if (msg == WM_CLOSE && hWnd)
        if (cWindow* w = FindSdlWindow(SDL_GetWindowID(SdlWindowOf(hWnd)))) w->Destroy();
    return 0;
}

bool PushCloseButtonEvent(const cWindow& window) {
    SDL_Window* w = SdlWindowOf(window.GetNativeWindow());
    if (!w) return false;
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    e.window.windowID = SDL_GetWindowID(w);
    return SDL_PushEvent(&e) == 1;
}

NativeWindow* GetMainNativeWindow() {
    cWindow* w = GetMainWindow();
    return w ? w->GetNativeWindow() : nullptr;
}

cWindow::cWindow() = default;

cWindow::~cWindow() {
    if (m_pNativeWindow) {
        RegisterSdlWindow(SDL_GetWindowID(SdlOf(m_pNativeWindow)), nullptr);
        if (GetMainWindow() == this) MainWindowDestroyed();
    }
}

void cWindow::OnCommand(WPARAM, LPARAM) {}
void cWindow::OnMouseMove(WPARAM, LPARAM) {}
void cWindow::OnLButtonDown(WPARAM, LPARAM) {}
void cWindow::OnRButtonDown(WPARAM, LPARAM) {}
void cWindow::OnLButtonDblClk(WPARAM, LPARAM) {}
void cWindow::OnRButtonDblClk(WPARAM, LPARAM) {}
void cWindow::OnLButtonUp(WPARAM, LPARAM) {}
void cWindow::OnRButtonUp(WPARAM, LPARAM) {}
LRESULT cWindow::OnMessage(HWND, uint32_t, WPARAM, LPARAM) { return 0; }
void cWindow::OnPaint() {}

void cWindow::Setup(int nResourceId, HWND hParent, LPARAM param) {
    m_nResourceId = nResourceId;
    m_hParent = hParent;
    m_Param = param;
}

void cWindow::Layout(int nWidth, int nHeight, int nMinWidth, int nMinHeight, int nMaxWidth, int nMaxHeight,
                     uint32_t style, int bMenu, int bTopBar, int bBottomBar, uint32_t exStyle, int nScroll) {
    m_nWantW = nWidth;
    m_nWantH = nHeight;
    m_nMinW = nMinWidth;
    m_nMinH = nMinHeight;
    m_nMaxW = nMaxWidth;
    m_nMaxH = nMaxHeight;
    m_nStyle = style;
    m_bMenu = bMenu;
    m_bTopBar = bTopBar;
    m_bBottomBar = bBottomBar;
    m_nExStyle = exStyle;
    m_nScroll = nScroll;
    if (!m_pNativeWindow) UpdateFrame();
}

void cWindow::ReadDecorations(int& left, int& top, int& right, int& bottom) const {
    left = top = right = bottom = 0;
    if (!m_pNativeWindow) return;
    if (SDL_GetWindowBordersSize(SdlOf(m_pNativeWindow), &top, &left, &bottom, &right) != 0)
        left = top = right = bottom = 0;  // no window manager, or it has not said yet
}

void cWindow::UpdateFrame() {
    // The window manager draws the caption and frame: their sizes are what it reports.
    ReadDecorations(m_nDecorL, m_nDecorT, m_nDecorR, m_nDecorB);
    m_nFrameL = m_nDecorL;
    m_nFrameR = m_nDecorR;
    m_nFrameT = m_nDecorT;
    m_nFrameB = m_nDecorB;
    m_nInsetL = m_nInsetR = m_nInsetT = m_nInsetB = 0;
    if (m_nStyle & WS_HSCROLL) m_nFrameB += GetSystemMetrics(SM_CYHSCROLL);
    if (m_nStyle & WS_VSCROLL) m_nFrameR += GetSystemMetrics(SM_CXVSCROLL);
    if (m_nScroll & 1) m_nInsetB += GetSystemMetrics(SM_CYHSCROLL);
    if (m_nScroll & 2) m_nInsetR += GetSystemMetrics(SM_CXVSCROLL);
    if (m_bBottomBar && m_pBottomBar) m_nInsetB += m_pBottomBar->m_nWindowH;
    if (m_bTopBar && m_pTopBar) m_nInsetT += m_pTopBar->m_nWindowH;
    if (m_bMenu) m_nFrameT += GetSystemMetrics(SM_CYMENU);
    m_nFrameW = m_nFrameL + m_nFrameR;
    m_nFrameH = m_nFrameT + m_nFrameB;
    m_nWindowW = m_nWantW + m_nFrameW;
    m_nWindowH = m_nWantH + m_nFrameH;
    m_nClientX = m_nInsetL;
    m_nClientY = m_nInsetT;
    m_nClientW = std::max(0, m_nWantW - m_nInsetL - m_nInsetR);
    m_nClientH = std::max(0, m_nWantH - m_nInsetT - m_nInsetB);
}

void cWindow::SdlSizeFor(int nClientW, int nClientH, int& w, int& h) const {
    // The SDL window holds the client area and what the framework draws itself.
    w = std::max(1, nClientW + m_nFrameW - m_nDecorL - m_nDecorR);
    h = std::max(1, nClientH + m_nFrameH - m_nDecorT - m_nDecorB);
}

void cWindow::ApplyStyle() {
    if (!m_pNativeWindow) return;
    SDL_SetWindowResizable(SdlOf(m_pNativeWindow), (m_nStyle & WS_THICKFRAME) ? SDL_TRUE : SDL_FALSE);
    const bool bBordered = (m_nStyle & (WS_CAPTION | WS_THICKFRAME | WS_DLGFRAME | WS_BORDER)) != 0;
    SDL_SetWindowBordered(SdlOf(m_pNativeWindow), bBordered ? SDL_TRUE : SDL_FALSE);
}

void cWindow::ApplySizeLimits() {
    if (!m_pNativeWindow || IsFullScreen()) return;
    int w, h;
    if (m_nMinW > 0 && m_nMinH > 0) {
        SdlSizeFor(m_nMinW + m_nInsetL + m_nInsetR, m_nMinH + m_nInsetT + m_nInsetB, w, h);
        SDL_SetWindowMinimumSize(SdlOf(m_pNativeWindow), w, h);
    }
    if (m_nMaxW > 0 && m_nMaxH > 0) {
        SdlSizeFor(m_nMaxW + m_nInsetL + m_nInsetR, m_nMaxH + m_nInsetT + m_nInsetB, w, h);
        SDL_SetWindowMaximumSize(SdlOf(m_pNativeWindow), w, h);
    }
}

void cWindow::RefreshStyle() {
    if (m_pNativeWindow) {
        const Uint32 flags = SDL_GetWindowFlags(SdlOf(m_pNativeWindow));
        m_nStyle &= ~(WS_MAXIMIZE | WS_MINIMIZE | WS_VISIBLE);
        if (flags & SDL_WINDOW_MAXIMIZED) m_nStyle |= WS_MAXIMIZE;
        if (flags & SDL_WINDOW_MINIMIZED) m_nStyle |= WS_MINIMIZE;
        if (flags & SDL_WINDOW_SHOWN) m_nStyle |= WS_VISIBLE;
        if (!(flags & SDL_WINDOW_MINIMIZED)) {
            int w = 0, h = 0;
            SDL_GetWindowSize(SdlOf(m_pNativeWindow), &w, &h);
            ReadDecorations(m_nDecorL, m_nDecorT, m_nDecorR, m_nDecorB);
            // Back from the SDL size to the wanted client size.
            m_nWantW = w - (m_nFrameW - m_nDecorL - m_nDecorR);
            m_nWantH = h - (m_nFrameH - m_nDecorT - m_nDecorB);
        }
    }
    UpdateFrame();
}

void cWindow::AddStyle(uint32_t bits) {
    m_nStyle |= bits;
    ApplyStyle();
    RefreshStyle();
}

void cWindow::RemoveStyle(uint32_t bits) {
    m_nStyle &= ~bits;
    ApplyStyle();
    RefreshStyle();
}

POINT cWindow::GetPosition() const {
    if (!m_pNativeWindow) return POINT{m_nX, m_nY};
    int x = 0, y = 0, l, t, r, b;
    SDL_GetWindowPosition(SdlOf(m_pNativeWindow), &x, &y);
    ReadDecorations(l, t, r, b);
    return POINT{x - l, y - t};
}

void cWindow::SetPosition(int x, int y) {
    m_nX = x;
    m_nY = y;
    UpdateFrame();
    if (!m_pNativeWindow) return;
    int w, h;
    SdlSizeFor(m_nWantW, m_nWantH, w, h);
    SDL_SetWindowSize(SdlOf(m_pNativeWindow), w, h);
    SDL_SetWindowPosition(SdlOf(m_pNativeWindow), x + m_nDecorL, y + m_nDecorT);
}

void cWindow::CenterOnDesktop() {
    int display = m_pNativeWindow ? SDL_GetWindowDisplayIndex(SdlOf(m_pNativeWindow)) : 0;
    if (display < 0) display = 0;
    SDL_DisplayMode mode;
    SDL_Rect bounds{0, 0, 0, 0};
    if (SDL_GetDesktopDisplayMode(display, &mode) != 0) return;
    SDL_GetDisplayBounds(display, &bounds);
    UpdateFrame();
    SetPosition(bounds.x + (mode.w - m_nWindowW) / 2, bounds.y + (mode.h - m_nWindowH) / 2);
}

void cWindow::SetSize(int nClientWidth, int nClientHeight) {
    m_nWantW = nClientWidth;
    m_nWantH = nClientHeight;
    UpdateFrame();
    if (!m_pNativeWindow) return;
    int w, h;
    SdlSizeFor(m_nWantW, m_nWantH, w, h);
    SDL_SetWindowSize(SdlOf(m_pNativeWindow), w, h);
}

RECT cWindow::GetClientRect() const {
    if (!m_pNativeWindow) return RECT{0, 0, m_nWantW, m_nWantH};
    int w = 0, h = 0;
    SDL_GetWindowSize(SdlOf(m_pNativeWindow), &w, &h);
    return RECT{0, 0, w, h};
}

void cWindow::OnGetMinMaxInfo(MINMAXINFO* info) const {
    if (!info) return;
    const int addW = m_nInsetL + m_nInsetR + m_nFrameW, addH = m_nInsetT + m_nInsetB + m_nFrameH;
    info->ptMinTrackSize = POINT{m_nMinW + addW, m_nMinH + addH};
    info->ptMaxTrackSize = POINT{m_nMaxW + addW, m_nMaxH + addH};
}

void cWindow::UpdateMousePos(int bIgnoreOutside, unsigned mode) {
    // No mouse event yet: the cursor has not been over the window, which counts as outside.
    int wx = 0, wy = 0;
    const bool bKnown = GetLastCursorPos(wx, wy);
    const int x = wx - m_nClientX, y = wy - m_nClientY;
    const bool bInside = bKnown && x >= 0 && y >= 0 && x < m_nClientW && y < m_nClientH;
    if (!bInside && bIgnoreOutside) return;
    if (bKnown) {
        m_Mouse.x = x;
        m_Mouse.y = y;
        const POINT pos = GetPosition();
        m_nScreenMouseX = pos.x + m_nDecorL + wx;
        m_nScreenMouseY = pos.y + m_nDecorT + wy;
    }
    UpdateMouseButtons(m_Mouse, mode);
}

void cWindow::Clear() {
    if (m_pNativeWindow) Destroy();
    m_nResourceId = 0;
    m_hWnd = m_hParent = nullptr;
    m_Param = 0;
    m_nX = m_nY = m_nClientX = m_nClientY = m_nClientW = m_nClientH = 0;
    m_Mouse = MOUSEDATA{};
    m_nScreenMouseX = m_nScreenMouseY = 0;
    m_nWantW = m_nWantH = m_nWindowW = m_nWindowH = 0;
    m_nMinW = m_nMinH = m_nMaxW = m_nMaxH = 0;
    m_nStyle = m_nExStyle = 0;
    m_bMenu = m_bTopBar = m_bBottomBar = m_nScroll = 0;
    m_pTopBar = m_pBottomBar = nullptr;
    m_nFrameL = m_nFrameR = m_nFrameT = m_nFrameB = m_nFrameW = m_nFrameH = 0;
    m_nInsetL = m_nInsetR = m_nInsetT = m_nInsetB = 0;
    m_nDecorL = m_nDecorR = m_nDecorT = m_nDecorB = 0;
    m_bFirstLayout = m_bInCommand = 0;
    m_strName.clear();
    m_bTrace = 0;
    m_vChild.clear();
    m_nRememberX = m_nRememberY = -1000;
    m_nRememberW = m_nRememberH = 0;
}

LRESULT cWindow::WndProc(HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
    m_hWnd = hWnd;
    if (msg == WM_COMMAND) {
        if (m_bInCommand) return 0;
        m_bInCommand = 1;
    }
    if (m_bTrace && msg != 13) {
        WriteECf("%s | msg:%s | wp:%u(%u,%u) | lp:%d(%d,%d)", m_strName.c_str(), GetMsgName(msg),
                 static_cast<unsigned>(wParam), static_cast<unsigned>(HIWORD(wParam)),
                 static_cast<unsigned>(LOWORD(wParam)), static_cast<int>(lParam),
                 HIWORD(static_cast<uintptr_t>(lParam)), LOWORD(static_cast<uintptr_t>(lParam)));
    }
    if (!m_bFirstLayout && (!m_bTopBar || m_pTopBar) && (!m_bBottomBar || m_pBottomBar)) {
        m_bFirstLayout = 1;
        UpdateFrame();
        if (m_nRememberX != -1000 || m_nRememberY != -1000) SetPosition(m_nRememberX, m_nRememberY);
        if (m_nRememberW > 0 && m_nRememberH > 0) SetSize(m_nRememberW, m_nRememberH);
    }
    UpdateMousePos(1, MOUSE_READ | MOUSE_PRESS | MOUSE_RELEASE);
    switch (msg) {
        case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return 1;
        case WM_LBUTTONDOWN: OnLButtonDown(wParam, lParam); return 1;
        case WM_LBUTTONUP: OnLButtonUp(wParam, lParam); return 1;
        case WM_LBUTTONDBLCLK: OnLButtonDblClk(wParam, lParam); return 1;
        case WM_RBUTTONDOWN: OnRButtonDown(wParam, lParam); return 1;
        case WM_RBUTTONUP: OnRButtonUp(wParam, lParam); return 1;
        case WM_RBUTTONDBLCLK: OnRButtonDblClk(wParam, lParam); return 1;
        case WM_PAINT: OnPaint(); return 1;
        case WM_DESTROY: m_hWnd = nullptr; return 1;
        case WM_MOVE: {
            const POINT pos = GetPosition();
            m_nX = pos.x;
            m_nY = pos.y;
            return 1;
        }
        case WM_SIZE:
            RefreshStyle();
            if (m_pTopBar) m_pTopBar->WndProc(m_pTopBar->m_hWnd, WM_SIZE, wParam, lParam);
            if (m_pBottomBar) {
                m_pBottomBar->m_nX = 0;
                m_pBottomBar->m_nY = m_nClientY + m_nClientH;
                m_pBottomBar->WndProc(m_pBottomBar->m_hWnd, WM_SIZE, wParam, lParam);
            }
            return 1;
        case WM_GETMINMAXINFO: OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); return 1;
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            m_bInCommand = 0;
            return 1;
        case WM_ACTIVATEAPP: return 1;
        default: return 0;
    }
}

bool cWindow::Create(const char* title, int x, int y) {
    if (m_pNativeWindow) return true;
    UpdateFrame();
    int w, h;
    SdlSizeFor(m_nWantW, m_nWantH, w, h);
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    if (m_nStyle & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
    if (!(m_nStyle & (WS_CAPTION | WS_THICKFRAME | WS_DLGFRAME | WS_BORDER))) flags |= SDL_WINDOW_BORDERLESS;
    const std::string utf8 = Cp932ToUtf8(title ? title : "");
    m_pNativeWindow.reset(NativeWindowOf(SDL_CreateWindow(utf8.c_str(), x, y, w, h, flags)));
    if (!m_pNativeWindow) {
        WriteReport("SDL_CreateWindow : %s", SDL_GetError());
        return false;
    }
    m_nX = x;
    m_nY = y;
    RegisterSdlWindow(SDL_GetWindowID(SdlOf(m_pNativeWindow)), this);
    const bool bMain = GetMainWindow() == this;
    if (bMain) SetMainWindow(this);  // sends are served again
    ApplySizeLimits();
    SDL_ShowWindow(SdlOf(m_pNativeWindow));
    UpdateFrame();
    WndProc(m_pNativeWindow.get(), WM_CREATE, 0, 0);
    if (bMain && IsActiveFromStart()) PostMessageMain(WM_ACTIVATEAPP, 1, 0);
    return true;
}

void cWindow::Destroy() {
    if (!m_pNativeWindow) return;
    WndProc(m_pNativeWindow.get(), WM_DESTROY, 0, 0);
    RegisterSdlWindow(SDL_GetWindowID(SdlOf(m_pNativeWindow)), nullptr);
    m_pNativeWindow.reset();
    m_hWnd = nullptr;
    if (GetMainWindow() == this) {
        ReleaseDeviceKeys();
        MainWindowDestroyed();
    }
}

void cWindow::Maximize() {
    if (m_pNativeWindow) SDL_MaximizeWindow(SdlOf(m_pNativeWindow));
}

bool SetCursorPos(int x, int y) { return SDL_WasInit(SDL_INIT_VIDEO) && SDL_WarpMouseGlobal(x, y) == 0; }

void cWindow::SetTitle(const char* title) {
    if (m_pNativeWindow) SDL_SetWindowTitle(SdlOf(m_pNativeWindow), Cp932ToUtf8(title ? title : "").c_str());
}

bool cWindow::SetFullScreen(bool bFullScreen) {
    if (!m_pNativeWindow) return false;
    SDL_Window* window = SdlOf(m_pNativeWindow);
    if (bFullScreen == IsFullScreen()) return true;
    SDL_Rect desktop{};
    if (bFullScreen) {
        // The window itself is made to cover the display first: SDL only asks
        // the window manager for the full-screen state, and a window manager
        // that refuses it (or none at all) would leave a 640x480 window that
        // shows part of a desktop-sized picture. Size limits would keep it small.
        SDL_GetWindowPosition(window, &m_rcWindowed.x, &m_rcWindowed.y);
        SDL_GetWindowSize(window, &m_rcWindowed.w, &m_rcWindowed.h);
        SDL_SetWindowMaximumSize(window, 16384, 16384);
        if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window)), &desktop) == 0) {
            SDL_SetWindowPosition(window, desktop.x, desktop.y);
            SDL_SetWindowSize(window, desktop.w, desktop.h);
        }
    }
    if (SDL_SetWindowFullscreen(window, bFullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        WriteReport("SDL_SetWindowFullscreen : %s", SDL_GetError());
        return false;
    }
    if (!bFullScreen) {
        ApplySizeLimits();
        if (m_rcWindowed.w > 0 && m_rcWindowed.h > 0) {
            SDL_SetWindowSize(window, m_rcWindowed.w, m_rcWindowed.h);
            SDL_SetWindowPosition(window, m_rcWindowed.x, m_rcWindowed.y);
        }
    }
    SDL_ShowCursor(bFullScreen ? SDL_DISABLE : SDL_ENABLE);
    return true;
}

bool cWindow::IsFullScreen() const {
    return m_pNativeWindow && (SDL_GetWindowFlags(SdlOf(m_pNativeWindow)) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

bool cWindow::IsMinimized() const {
    return m_pNativeWindow && (SDL_GetWindowFlags(SdlOf(m_pNativeWindow)) & SDL_WINDOW_MINIMIZED) != 0;
}

bool cWindow::IsMaximized() const {
    return m_pNativeWindow && (SDL_GetWindowFlags(SdlOf(m_pNativeWindow)) & SDL_WINDOW_MAXIMIZED) != 0;
}

void cWindow::SetTrace(const char* name, int bTrace) {
    m_strName = name ? name : "";
    m_bTrace = bTrace;
}

void cWindow::SetBars(cWindow* pTopBar, cWindow* pBottomBar) {
    m_pTopBar = pTopBar;
    m_pBottomBar = pBottomBar;
}

void cWindow::RememberPlacement(int x, int y, int nClientWidth, int nClientHeight) {
    m_nRememberX = x;
    m_nRememberY = y;
    m_nRememberW = nClientWidth;
    m_nRememberH = nClientHeight;
}
