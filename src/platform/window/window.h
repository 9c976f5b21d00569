#pragma once
// The window framework: cWindow keeps a window's handle, placement and
// sizes, works out the outer size from a wanted client size and the style,
// keeps the window's mouse state and turns the messages it knows into calls
// of virtual operations. A top-level cWindow is an SDL window; the window
// manager draws its caption and frame, so the frame sizes are the ones it
// reports (0 until it does). Main thread only.
#include <memory>
#include <string>
#include <vector>

#include "platform/input/input_mouse.h"
#include "platform/window/window_defs.h"

// Sizes of the parts the framework draws itself (scroll bars, menu bar).
// SM_CXSCREEN and SM_CYSCREEN: the size of the first display's desktop.
enum : int { SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CYMENU = 15 };
// The size of a drawn part or of the desktop; 0 for an unknown index (or no display).
int GetSystemMetrics(int index);

// The name of a window message ("WM_PAINT"), or its number in decimal
// (in a buffer of the calling thread, valid until its next call).
const char* GetMsgName(uint32_t msg);
// What a window does with a message its procedure leaves: WM_CLOSE destroys
// the window (cWindow::Destroy); everything else is ignored. Returns 0.
LRESULT DefWindowProcA(HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam);
// The native window of the main window (SetMainWindow), for presenting; null when there is none.
NativeWindow* GetMainNativeWindow();
class cWindow;
// Queues the event the window manager sends when the window's close button
// is pressed (automation and tests); false when it cannot be queued.
bool PushCloseButtonEvent(const cWindow& window);

class cWindow {
public:
    cWindow();
    virtual ~cWindow();
    cWindow(const cWindow&) = delete;
    cWindow& operator=(const cWindow&) = delete;

    // Command, mouse and paint handlers: nothing in the base class.
    virtual void OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnMouseMove(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    virtual void OnRButtonDown(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    virtual void OnRButtonDblClk(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonUp(WPARAM wParam, LPARAM lParam);
    virtual void OnRButtonUp(WPARAM wParam, LPARAM lParam);
    // A further message hook for derived windows; 0 in the base class.
    virtual LRESULT OnMessage(HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam);
    // The window procedure: 1 when the message was handled, 0 otherwise.
    virtual LRESULT WndProc(HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam);
    virtual void OnPaint();

    // Resource id, parent and parameter.
    void Setup(int nResourceId, HWND hParent, LPARAM param);
    // Stores the wanted client size, its limits, the style and the bars;
    // works out the frame when no window exists yet.
    void Layout(int nWidth, int nHeight, int nMinWidth, int nMinHeight, int nMaxWidth, int nMaxHeight,
                uint32_t style, int bMenu, int bTopBar, int bBottomBar, uint32_t exStyle, int nScroll);
    // Works out the frame sizes and the outer window size.
    void UpdateFrame();
    // Re-reads the style and client size from the window, then UpdateFrame.
    void RefreshStyle();
    // ORs in style bits (resizing, caption) and applies them.
    void AddStyle(uint32_t bits);
    // Clears style bits and applies them.
    void RemoveStyle(uint32_t bits);
    // Left and top of the outer window.
    POINT GetPosition() const;
    // The left and top last given to SetPosition (or by CenterOnDesktop).
    POINT GetLastSetPosition() const { return POINT{m_nX, m_nY}; }
    // Moves the outer window's top-left to (x, y) with the worked-out size; remembers x, y.
    void SetPosition(int x, int y);
    // Centres the outer window on the desktop of its display.
    void CenterOnDesktop();
    // A new client size; the position stays.
    void SetSize(int nClientWidth, int nClientHeight);
    // The client rectangle: (0, 0) to the client size.
    RECT GetClientRect() const;
    // Minimum and maximum tracking sizes: the configured client sizes plus frame and insets.
    void OnGetMinMaxInfo(MINMAXINFO* info) const;
    // Reads the cursor into client coordinates (nothing changes outside the
    // client area when bIgnoreOutside), then UpdateMouseButtons with mode.
    void UpdateMousePos(int bIgnoreOutside, unsigned mode);
    // Back to the state of a new object (an existing native window is destroyed first).
    void Clear();

    // Creates the SDL window at (x, y) with the worked-out size and title
    // (Shift-JIS), and sends WM_CREATE; false, with a report line, on failure.
    // The main window (SetMainWindow) counts as active from the start where
    // no focus events come (see IsActiveFromStart).
    bool Create(const char* title, int x, int y);
    // Sends WM_DESTROY to the procedure, then destroys the SDL window.
    void Destroy();
    // Whether the native window exists.
    bool Exists() const { return m_pNativeWindow != nullptr; }
    // The window's title (Shift-JIS).
    void SetTitle(const char* title);
    // Desktop full screen (true) or windowed; false when SDL refuses.
    bool SetFullScreen(bool bFullScreen);
    bool IsFullScreen() const;
    bool IsMinimized() const;
    bool IsMaximized() const;
    // Shows the window maximised.
    void Maximize();
    // The native window, for presenting; null before Create and after Destroy.
    NativeWindow* GetNativeWindow() const { return m_pNativeWindow.get(); }
    // The handle the procedure last saw (null after WM_DESTROY).
    HWND GetHandle() const { return m_hWnd; }
    // Names the window for the message trace; bTrace nonzero logs every message.
    void SetTrace(const char* name, int bTrace);
    // Child windows whose heights are taken from the client area (null: none yet).
    void SetBars(cWindow* pTopBar, cWindow* pBottomBar);
    // Placement to take on the first message (x, y; a size of 0 keeps the wanted size).
    void RememberPlacement(int x, int y, int nClientWidth, int nClientHeight);
    // The mouse state kept by UpdateMousePos.
    const MOUSEDATA& Mouse() const { return m_Mouse; }
    // Client size as the game sees it (wanted size minus insets).
    int ClientWidth() const { return m_nClientW; }
    int ClientHeight() const { return m_nClientH; }
    // Outer size worked out by UpdateFrame.
    int WindowWidth() const { return m_nWindowW; }
    int WindowHeight() const { return m_nWindowH; }
    uint32_t Style() const { return m_nStyle; }

protected:
    // The sizes the window manager adds around the SDL window.
    void ReadDecorations(int& left, int& top, int& right, int& bottom) const;
    // The SDL window's size for the wanted client size.
    void SdlSizeFor(int nClientW, int nClientH, int& w, int& h) const;
    // Applies the style's resizing and border to the SDL window.
    void ApplyStyle();
    void ApplySizeLimits();

    int m_nResourceId = 0;
    HWND m_hWnd = nullptr;
    HWND m_hParent = nullptr;
    LPARAM m_Param = 0;
    int m_nX = 0, m_nY = 0;                                // window position
    int m_nClientX = 0, m_nClientY = 0;                    // client offset
    int m_nClientW = 0, m_nClientH = 0;                    // client size seen by the game
    MOUSEDATA m_Mouse;
    int m_nScreenMouseX = 0, m_nScreenMouseY = 0;
    int m_nWantW = 0, m_nWantH = 0;                        // wanted client size
    int m_nWindowW = 0, m_nWindowH = 0;                    // outer size
    int m_nMinW = 0, m_nMinH = 0, m_nMaxW = 0, m_nMaxH = 0;  // client size limits
    uint32_t m_nStyle = 0, m_nExStyle = 0;
    int m_bMenu = 0, m_bTopBar = 0, m_bBottomBar = 0, m_nScroll = 0;
    cWindow* m_pTopBar = nullptr;
    cWindow* m_pBottomBar = nullptr;
    int m_nFrameL = 0, m_nFrameR = 0, m_nFrameT = 0, m_nFrameB = 0;
    int m_nFrameW = 0, m_nFrameH = 0;
    int m_nInsetL = 0, m_nInsetR = 0, m_nInsetT = 0, m_nInsetB = 0;
    int m_nDecorL = 0, m_nDecorR = 0, m_nDecorT = 0, m_nDecorB = 0;  // drawn by the window manager
    int m_bFirstLayout = 0, m_bInCommand = 0;
    std::string m_strName;
    int m_bTrace = 0;
    std::vector<cWindow*> m_vChild;
    int m_nRememberX = -1000, m_nRememberY = -1000;
    int m_nRememberW = 0, m_nRememberH = 0;
    struct { int x = 0, y = 0, w = 0, h = 0; } m_rcWindowed;  // the window's place before full screen
    NativeWindowPtr m_pNativeWindow;
};

// Moves the mouse cursor to (x, y) on the desktop; false when the window
// system cannot move it (no display, or a driver without a pointer).
bool SetCursorPos(int x, int y);
