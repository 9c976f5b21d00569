#include "platform/seam/window_events.h"

#include <SDL.h>

#include <map>

#include "platform/input/input_keys.h"
#include "platform/input/input_mouse.h"
#include "platform/window/main_thread_messages.h"
#include "platform/input/vkey.h"
#include "platform/seam/joystick_devices.h"
#include "platform/seam/native_window.h"
#include "platform/system/clock.h"
#include "platform/window/window.h"

namespace {

std::map<unsigned, cWindow*> g_Windows;

LRESULT Send(cWindow* w, uint32_t msg, WPARAM wParam, LPARAM lParam) {
    return w->WndProc(w->GetNativeWindow(), msg, wParam, lParam);
}

WPARAM MouseKeyFlags() {
    WPARAM flags = 0;
    if (IsKeyHeld(VK_LBUTTON)) flags |= MK_LBUTTON;
    if (IsKeyHeld(VK_RBUTTON)) flags |= MK_RBUTTON;
    if (IsKeyHeld(VK_SHIFT)) flags |= MK_SHIFT;
    if (IsKeyHeld(VK_CONTROL)) flags |= MK_CONTROL;
    return flags;
}

void WindowEvent(cWindow* w, const SDL_WindowEvent& e) {
    switch (e.event) {
        case SDL_WINDOWEVENT_CLOSE: Send(w, WM_CLOSE, 0, 0); break;
        case SDL_WINDOWEVENT_MOVED: Send(w, WM_MOVE, 0, MAKELPARAM(e.data1, e.data2)); break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            Send(w, WM_SIZE, w->IsMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED, MAKELPARAM(e.data1, e.data2));
            break;
        case SDL_WINDOWEVENT_MINIMIZED: Send(w, WM_SIZE, SIZE_MINIMIZED, 0); break;
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED: {
            int cw = 0, ch = 0;
            SDL_GetWindowSize(SdlWindowOf(w->GetNativeWindow()), &cw, &ch);
            Send(w, WM_SIZE, e.event == SDL_WINDOWEVENT_MAXIMIZED ? SIZE_MAXIMIZED : SIZE_RESTORED,
                 MAKELPARAM(cw, ch));
            break;
        }
        case SDL_WINDOWEVENT_EXPOSED: Send(w, WM_PAINT, 0, 0); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: Send(w, WM_ACTIVATEAPP, 1, 0); break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            ReleaseDeviceKeys();
            // Automated runs (QV_FAST=1) never wait for focus: under an X
            // server without a window manager focus comes and goes as windows
            // open and close.
            if (!IsFastMode()) Send(w, WM_ACTIVATEAPP, 0, 0);
            break;
        default: break;
    }
}

void KeyEvent(cWindow* w, const SDL_KeyboardEvent& e) {
    const int vk = VkFromScancode(e.keysym.scancode);
    if (!vk) return;
    const bool bDown = e.type == SDL_KEYDOWN;
    SetDeviceKey(vk, bDown);
    if (!w) return;
    // Repeat count 1; bit 30: the key was down before; bit 31: it is going up.
    LPARAM lParam = 1;
    if (!bDown || e.repeat) lParam |= LPARAM{1} << 30;
    if (!bDown) lParam |= static_cast<LPARAM>(static_cast<uint32_t>(1u << 31));
    Send(w, bDown ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(vk), lParam);
}

void MouseButtonEvent(cWindow* w, const SDL_MouseButtonEvent& e) {
    int vk = 0;
    if (e.button == SDL_BUTTON_LEFT) vk = VK_LBUTTON;
    if (e.button == SDL_BUTTON_RIGHT) vk = VK_RBUTTON;
    if (e.button == SDL_BUTTON_MIDDLE) vk = VK_MBUTTON;
    if (!vk) return;
    const bool bDown = e.type == SDL_MOUSEBUTTONDOWN;
    SetDeviceKey(vk, bDown);
    SetLastCursorPos(e.x, e.y);
    if (!w || vk == VK_MBUTTON) return;
    const bool bLeft = vk == VK_LBUTTON, bDouble = e.clicks == 2;
    uint32_t msg = bLeft ? uint32_t{WM_LBUTTONUP} : uint32_t{WM_RBUTTONUP};
    if (bDown && bDouble) msg = bLeft ? uint32_t{WM_LBUTTONDBLCLK} : uint32_t{WM_RBUTTONDBLCLK};
    if (bDown && !bDouble) msg = bLeft ? uint32_t{WM_LBUTTONDOWN} : uint32_t{WM_RBUTTONDOWN};
    Send(w, msg, MouseKeyFlags(), MAKELPARAM(e.x, e.y));
}

}  // namespace

void RegisterSdlWindow(unsigned windowId, cWindow* pWindow) {
    if (pWindow)
        g_Windows[windowId] = pWindow;
    else
        g_Windows.erase(windowId);
}

cWindow* FindSdlWindow(unsigned windowId) {
    auto it = g_Windows.find(windowId);
    return it == g_Windows.end() ? nullptr : it->second;
}

void DispatchSdlEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT: {
            // SIGTERM or SIGINT (with the last-window quit switched off): an orderly close.
            PostCloseMain();
            break;
        }
        case SDL_WINDOWEVENT:
            if (cWindow* w = FindSdlWindow(event.window.windowID)) WindowEvent(w, event.window);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: KeyEvent(FindSdlWindow(event.key.windowID), event.key); break;
        case SDL_MOUSEMOTION: {
            SetLastCursorPos(event.motion.x, event.motion.y);
            if (cWindow* w = FindSdlWindow(event.motion.windowID))
                Send(w, WM_MOUSEMOVE, MouseKeyFlags(), MAKELPARAM(event.motion.x, event.motion.y));
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: MouseButtonEvent(FindSdlWindow(event.button.windowID), event.button); break;
        case SDL_JOYDEVICEADDED:
        case SDL_JOYDEVICEREMOVED: HandleJoystickEvent(event); break;
        default: break;
    }
}
