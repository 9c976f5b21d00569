#pragma once
// Dialogs drawn in the program's window on the main thread. A dialog runs
// modally (DoModal: a nested loop that keeps serving the window's requests)
// or modelessly (drawn by the host each frame). It owns a list of controls,
// routes their commands, and sees the keys first (the keyboard hook's role):
// keys reach OnKeyDown even while a control has the focus, except Tab and
// Enter during an IME composition. Escape and closing cancel (result 0).
// With QV_AUTO_ANSWER=1 a dialog takes its default answer at once.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/input/input_script.h"
#include "platform/system/native_window.h"
#include "platform/window/ctrl.h"
#include "records/safe_container.h"

// Tests: called on every frame of a modal loop, after drawing.
void SetDialogFrameHook(std::function<void(class cDialog&, int frame)> hook);
// Main thread, from the frame hook: the picture that the dialogs' window
// shows now (its whole output, 0x00RRGGBB); false when none can be read.
bool ReadDialogWindow(struct DDFRAME* frame);
// Called on every pass of a modal loop: the program counts its frames while
// a dialog waits and hands over the scripted keys of a frame, which the
// dialog takes as typed. false: the dialog ends as if cancelled (the run's
// frame limit). Installed by the program at start-up; none: nothing counted.
using DIALOGFRAMESERVICE = bool (*)(std::vector<SCRIPTKEY>& keys);
void SetDialogFrameService(DIALOGFRAMESERVICE service);

// Main thread: from now on dialogs are drawn in window, through the renderer
// of the frame presenter (dd_present.h), over the frame last handed to it;
// their nested loops keep serving the requests to the main window. false
// (nothing changes) when the presenter is not open on that window.
bool OpenWindowDialogHost(NativeWindow* window);
// Main thread: dialogs no longer drawn in the window (before the window or
// the presenter goes); a modal dialog then opens a window of its own.
void CloseWindowDialogHost();
// The window dialogs are drawn in; null when no window host is set.
NativeWindow* DialogHostWindow();

// Modal flags: hide or disable the windows of the dialog's group meanwhile.
enum : int { DLG_HIDE_GROUP = 2, DLG_DISABLE_GROUP = 4 };
// Scroll-bar flags.
enum : int { DLG_HSCROLL = 1, DLG_VSCROLL = 2 };

// A group of windows (modeless dialogs) that a modal dialog can hide or disable.
class cDialogGroup {
public:
    void Add(cDialog* dlg);
    void Remove(cDialog* dlg);
    void Show(bool bShow);
    void Enable(bool bEnable);

private:
    std::vector<cDialog*> m_Members;
};

// Position of a w x h dialog: centred in the area when bCentre, else at
// (x, y) unless that is (-1000, -1000) (then centred); kept inside the area:
// a negative coordinate becomes 0, one that would pass the right or bottom
// edge is moved back so that the dialog ends there.
void PlaceDialog(int& x, int& y, int w, int h, bool bCentre, int areaW, int areaH);

// Dialog units to pixels for the dialogs' 9-point font.
inline int DluX(int x) { return x * 3 / 2; }
inline int DluY(int y) { return y * 13 / 8; }

class cDialog {
public:
    // resourceId names the dialog in logs; size in pixels; title CP932.
    cDialog(int resourceId, int width, int height, const std::string& title = std::string());
    virtual ~cDialog();
    cDialog(const cDialog&) = delete;
    cDialog& operator=(const cDialog&) = delete;

    // Sets the parent dialog (null: the program window) and the group that
    // the modal flags act on.
    void SetupChild(int resourceId, cDialog* parent, cDialogGroup* param);
    // Runs the dialog until Close; its result. 0 when it is already open.
    int DoModal(int flags = 0);
    // Opens the dialog modelessly; false when already open.
    bool CreateModeless(cDialogGroup* group = nullptr);
    // Ends the dialog with result; the control list is emptied.
    void Close(int result);
    bool IsOpen() const { return m_bOpen; }
    int Result() const { return m_nResult; }
    int ResourceId() const { return m_nResourceId; }

    void SetTitle(const std::string& title) { m_strTitle = title; }
    const std::string& Title() const { return m_strTitle; }
    // Remembered position (-1000, -1000: none) and centring on the parent.
    void SetPlacement(bool bCentre, int x = -1000, int y = -1000);
    int X() const { return m_x; }
    int Y() const { return m_y; }
    void SetScrollBars(int bits) { m_nScrollBars = bits; }
    // A popup without a caption has no title bar.
    void SetCaption(bool bCaption) { m_bCaption = bCaption; }

    // The control list (entries are not owned unless made by NewCtrl).
    void AddCtrl(cCtrl* ctrl);
    template <class T, class... A>
    T* NewCtrl(int id, A&&... args) {
        auto p = std::make_unique<T>(std::forward<A>(args)...);
        T* raw = p.get();
        m_Owned.push_back(std::move(p));
        raw->Attach(this, id);
        return raw;
    }
    // The first control with item id; null when there is none.
    cCtrl* FindCtrl(int id);
    cSafeVector<cCtrl*>& Ctrls() { return m_Ctrls; }
    void UpdateControls();
    void ApplyControls();
    bool IsUpdating() const { return m_bBusy; }
    virtual void RefreshLists();

    virtual void OnInitDialog();
    // Routes a command from control id (notification as in ctrl.h).
    virtual void OnCommand(int id, int notification);
    // A key (virtual-key code) reached the dialog; true when it handled it
    // (the control with the focus then does not get it).
    virtual bool OnKeyDown(int vk);
    virtual void OnKeyUp(int /*vk*/) {}
    // Escape or closing the window: Close(0).
    virtual void OnCancel();
    // QV_AUTO_ANSWER: presses the default button, else Close(0).
    virtual void OnDefaultAnswer();
    // Draws every visible control in list order.
    virtual void OnDrawControls();

    // The dialog's frame (host internal).
    void DrawFrame(bool bModal);
    // Handles a key (virtual-key code) going down or up through the
    // keyboard-hook rules (host internal); true when the dialog took the key.
    bool HookKey(int vk, bool bDown);
    bool IsHidden() const { return m_bHidden; }
    void SetHidden(bool b) { m_bHidden = b; }
    void SetDisabled(bool b) { m_bDisabled = b; }
    bool IsComposing() const { return m_bComposing; }
    // Whether the dialog's window has ImGui's focus (modeless dialogs).
    bool HasKeyboardFocus() const;
    // Ctrl held: keys go to the controls only.
    void SetPassCtrl(bool b) { m_bPassCtrl = b; }
    // A key typed by script (virtual-key code): as a key of the keyboard,
    // with its character for a letter, digit or space (upper case while a
    // scripted shift key is down).
    void TypeKey(int vk, bool bDown);

protected:
    cDialog* m_lpParent = nullptr;
    cDialogGroup* m_lpParam = nullptr;
    bool m_bModeless = false;
    int m_nModalFlags = 0;
    int m_nResult = 0;
    int m_nScrollBars = 0;
    bool m_bCaption = true;
    bool m_bCentre = true;
    int m_x = -1000, m_y = -1000;
    cSafeVector<cCtrl*> m_Ctrls;
    bool m_bBusy = false;

private:
    bool RunLoop();
    void ScrollBy(float dx, float dy);

    int m_nResourceId;
    int m_nWidth, m_nHeight;
    std::string m_strTitle;
    std::vector<std::unique_ptr<cCtrl>> m_Owned;
    cDialogGroup* m_lpGroup = nullptr;
    bool m_bOpen = false;
    bool m_bHidden = false, m_bDisabled = false;
    bool m_bComposing = false;
    bool m_bCtrlDown = false;
    bool m_bPassCtrl = false;
    float m_fScrollX = 0, m_fScrollY = 0;
    bool m_bScrollSet = false;
    bool m_bPlaced = false;
    bool m_bFocusedWindow = false;
    unsigned m_nImWindowId = 0;  // the id of its ImGui window once drawn (0: not yet)
};

// The text of a dialog item into or from a string (CP932); nothing when the dialog lacks the item.
void GetDlgItemTextStr(cDialog* dlg, int id, std::string& str);
void SetDlgItemTextStr(cDialog* dlg, int id, const std::string& str);
// Shows or hides, enables or disables every control of a dialog.
void ShowChildWindows(cDialog* dlg, bool bShow);
void EnableChildWindows(cDialog* dlg, bool bEnable);
