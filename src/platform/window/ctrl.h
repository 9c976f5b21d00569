#pragma once
// Dialog controls: each binds a dialog item (by id) to program data, shows
// it in the dialog (Update), reads it back (Apply) and reports changes to the
// dialog as commands. Texts are CP932. Drawn by the dialog on the main thread.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/window/window_defs.h"

class cDialog;

// Kinds, as cDialog::OnCommand routes them.
enum : int {
    CTRL_PLAIN = 0,
    CTRL_SCROLLBAR = 1,
    CTRL_EDIT = 2,
    CTRL_EDITMULTI = 3,
    CTRL_BUTTON = 4,
    CTRL_RADIO = 5,
    CTRL_CHECK = 6,
    CTRL_COMBO = 7,
    CTRL_LIST = 8,
};
// Notifications (the high word of a command).
enum : int { BN_CLICKED = 0, LBN_SELCHANGE = 1, LBN_DBLCLK = 2, LBN_KILLFOCUS = 5, EN_KILLFOCUS = 512, EN_UPDATE = 1024 };

// Window style bits (WS_VISIBLE, WS_DISABLED): window_defs.h.

class cCtrl {
public:
    explicit cCtrl(int kind = CTRL_PLAIN);
    virtual ~cCtrl();
    cCtrl(const cCtrl&) = delete;
    cCtrl& operator=(const cCtrl&) = delete;

    // Binds the control to item id of dlg and enters it in the dialog's list.
    void Attach(cDialog* dlg, int id);
    int Id() const { return m_nId; }
    int Kind() const { return m_nKind; }
    cDialog* Parent() const { return m_lpParent; }
    // The item's text (a label, a button's caption, an edit box's contents).
    virtual void SetText(const std::string& text) { m_strText = text; }
    const std::string& GetText() const { return m_strText; }
    // Tip shown while the pointer rests on the control; empty: none.
    void SetTooltip(const std::string& tip) { m_strTip = tip; }
    // Position and size in pixels inside the dialog; x < 0 flows after the previous control.
    void SetRect(int x, int y, int w, int h);
    virtual void Enable(bool bEnable) { m_bEnabled = bEnable; }
    bool IsEnabled() const { return m_bEnabled; }
    void Show(bool bShow) { m_bVisible = bShow; }
    bool IsVisible() const { return m_bVisible; }
    // ORs bits into, or clears bits of, the control's window style. The
    // visible and disabled bits show, hide, enable and disable the control.
    void AddCtrlStyle(uint32_t bits);
    void RemoveCtrlStyle(uint32_t bits);
    uint32_t GetCtrlStyle() const;
    // Gives the control the keyboard focus on the next frame.
    void Focus() { m_bWantFocus = true; }
    bool HasFocus() const { return m_bFocused; }

    virtual void Update() {}    // data to control
    virtual void Apply() {}     // control to data
    virtual void OnChange() {}  // its contents changed
    virtual int OnNotify(int /*code*/) { return 0; }
    virtual int OnScroll(int /*code*/, int /*pos*/) { return 0; }
    virtual void RefreshList() {}
    virtual void OnKillFocus() {}
    virtual void OnRedraw() {}
    // A key (virtual-key code) for the control with the focus; true when used.
    virtual bool OnKey(int /*vk*/) { return false; }

    // Draws the control (the dialog calls it inside its frame).
    void DrawCtrl();

protected:
    virtual void Draw();
    // Sends a command from this control to the dialog.
    void Notify(int notification);

    cDialog* m_lpParent = nullptr;
    int m_nId = 0;
    int m_nKind;
    std::string m_strText;
    std::string m_strTip;
    int m_x = -1, m_y = -1, m_w = 0, m_h = 0;
    bool m_bEnabled = true, m_bVisible = true;
    uint32_t m_dwStyle = 0;  // style bits other than visible and disabled
    bool m_bWantFocus = false, m_bFocused = false;
    bool m_bFocusNow = false;  // the focus is to be set while drawing
};

// A static text or picture label; with bGroup a group box caption.
class cDlgImage : public cCtrl {
public:
    explicit cDlgImage(bool bGroup = false) : m_bGroup(bGroup) {}

protected:
    void Draw() override;
    bool m_bGroup;
};

// A push button; the default one answers Enter.
class cButtonCtrl : public cCtrl {
public:
    explicit cButtonCtrl(bool bDefault = false) : cCtrl(CTRL_BUTTON), m_bDefault(bDefault) {}
    bool IsDefault() const { return m_bDefault; }
    // Presses the button as a click would.
    void Press() { Notify(BN_CLICKED); }
    bool OnKey(int vk) override;

protected:
    void Draw() override;
    bool m_bDefault;
};

// A check box bound to an int: checked = 1, unchecked = 0.
class cCheckCtrl : public cCtrl {
public:
    explicit cCheckCtrl(int* pField = nullptr) : cCtrl(CTRL_CHECK), m_pField(pField) {}
    void Update() override;
    void Apply() override;
    bool IsChecked() const { return m_bChecked; }
    void SetCheck(bool b) { m_bChecked = b; }
    bool OnKey(int vk) override;

protected:
    void Draw() override;
    int* m_pField;
    bool m_bChecked = false;
};

// A radio button bound to an int: checked when the field equals its value;
// buttons bound to the same field are one group.
class cRadioCtrl : public cCtrl {
public:
    cRadioCtrl(int* pField, int value) : cCtrl(CTRL_RADIO), m_pField(pField), m_nValue(value) {}
    void Update() override;
    void Apply() override;
    bool IsChecked() const { return m_bChecked; }
    // Checks this button and unchecks the others of its group.
    void Check();
    bool OnKey(int vk) override;

protected:
    void Draw() override;
    int* m_pField;
    int m_nValue;
    bool m_bChecked = false;
};

// What an edit box is bound to. Limits of 0 take the defaults: 4096 bytes,
// 1024 characters per line, 32 lines.
struct EDITCTRLDESC {
    int id = 0;
    std::string* pStr = nullptr;
    int nByteLimit = 0;  // the buffer size: bytes read back (see ReadBackEditText)
    int nCharLimit = 0;  // characters per line
    int nLineLimit = 0;
    int bDbcs = 0;       // a double-byte character counts as one character
    bool bMultiLine = false;
};

// An edit box with Japanese input (SDL text input and the IME's composition).
class cEditCtrl : public cCtrl {
public:
    cEditCtrl() : cCtrl(CTRL_EDIT) {}
    // Attaches to the descriptor's item, binds its string, takes its limits
    // and shows the string.
    void Setup(cDialog* dlg, const EDITCTRLDESC& desc);
    void Update() override;
    void Apply() override;
    void OnChange() override;
    void SetText(const std::string& text) override;
    // Selects the whole text when it next gets the focus.
    void SelectAll() { m_bSelectAll = true; }
    int ByteLimit() const { return m_nLimit[0]; }
    // CP932 text cut to the box's character and line limits.
    std::string CutToLimits(const std::string& text) const;

protected:
    void Draw() override;

    std::string* m_pStr = nullptr;
    int m_nLimit[3] = {4096, 1024, 32};
    int m_bDbcs = 0;
    bool m_bMultiLine = false;
    bool m_bSelectAll = false;
    bool m_bInChange = false;
    std::string m_strUtf8;  // what the box shows
};

// A list box of CP932 items; one selection (bound int or its own), or with
// bMulti a set of marked items.
class cListCtrl : public cCtrl {
public:
    explicit cListCtrl(int* pSel = nullptr, bool bMulti = false) : cCtrl(CTRL_LIST), m_pSel(pSel), m_bMulti(bMulti) {}
    void SetItems(const std::vector<std::string>& items);
    const std::vector<std::string>& Items() const { return m_Items; }
    int GetSel() const { return m_nSel; }
    void SetSel(int i);
    bool IsMarked(int i) const { return i >= 0 && i < static_cast<int>(m_Marked.size()) && m_Marked[i]; }
    void SetMark(int i, bool b);
    // Visible rows (sets the box height).
    void SetRows(int rows) { m_nRows = rows; }
    // Up, Down, Home, End, Page Up and Page Down move the selection.
    bool OnKey(int vk) override;
    void Update() override;
    void Apply() override;

protected:
    void Draw() override;
    std::vector<std::string> m_Items;
    std::vector<std::string> m_Utf8;
    std::vector<char> m_Marked;
    int* m_pSel;
    bool m_bMulti;
    int m_nSel = -1;
    int m_nRows = 8;
    bool m_bScrollToSel = false;
};

// A scroll bar: a position between min and max - page + 1.
class cScrollBar : public cCtrl {
public:
    explicit cScrollBar(bool bVertical = false) : cCtrl(CTRL_SCROLLBAR), m_bVertical(bVertical) {}
    void SetScrollInfo(int min, int max, int page, int pos);
    int GetPos() const { return m_nPos; }
    // Applies a scroll code (0 line up, 1 line down, 2 page up, 3 page down,
    // 5 thumb track to pos, 6 top, 7 bottom); true when the position changed.
    bool Scroll(int code, int pos = 0);

protected:
    void Draw() override;
    bool m_bVertical;
    int m_nMin = 0, m_nMax = 100, m_nPage = 10, m_nPos = 0;
};
