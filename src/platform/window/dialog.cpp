#include "platform/window/dialog.h"

#include <algorithm>

#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "platform/window/dialog_lists.h"

// Never destroyed: dialogs that are static objects leave the lists in their destructors.
std::vector<cDialog*>& ModelessDialogs() {
    static auto* dialogs = new std::vector<cDialog*>;
    return *dialogs;
}

std::vector<cDialog*>& ModalDialogStack() {
    static auto* dialogs = new std::vector<cDialog*>;
    return *dialogs;
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
    std::vector<cDialog*>& modal = ModalDialogStack();
    modal.erase(std::remove(modal.begin(), modal.end(), this), modal.end());
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

bool cDialog::CreateModeless(cDialogGroup* group) {
    if (m_bOpen) return false;
    m_bModeless = true;
    m_bOpen = true;
    m_bPlaced = false;
    m_nImWindowId = 0;
    m_lpGroup = group;
    if (group) group->Add(this);
    ModelessDialogs().push_back(this);
    OnInitDialog();
    return true;
}

void cDialog::Close(int result) {
    m_nResult = result;
    m_Ctrls.clear();
    m_bOpen = false;
    m_bComposing = false;
    if (m_bModeless) {
        std::vector<cDialog*>& modeless = ModelessDialogs();
        modeless.erase(std::remove(modeless.begin(), modeless.end(), this), modeless.end());
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
