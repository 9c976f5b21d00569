#include "platform/window/ctrl.h"

#include <SDL.h>
#include <imgui.h>
#include <imgui_internal.h>
#include <imgui_stdlib.h>

#include <algorithm>

#include "platform/system/cp932.h"
#include "platform/window/ctrl_text.h"
#include "platform/window/dialog.h"

// The IME's composition string while one is being typed (UTF-8).
std::string g_strDialogComposition;

namespace {

std::string Label(const std::string& cp932, int id) { return Cp932ToUtf8(cp932) + "##" + std::to_string(id); }

// Keeps an edit box's text inside its limits while it is typed.
int EditCallback(ImGuiInputTextCallbackData* data) {
    if (data->EventFlag != ImGuiInputTextFlags_CallbackEdit) return 0;
    const auto* self = static_cast<const cEditCtrl*>(data->UserData);
    const std::string text = Utf8ToCp932(std::string(data->Buf, static_cast<size_t>(data->BufTextLen)));
    const std::string cut = self->CutToLimits(text);
    if (cut == text) return 0;
    // Put the cut text back, keeping the caret inside it.
    const std::string utf8 = Cp932ToUtf8(cut);
    const int cursor = std::min(data->CursorPos, static_cast<int>(utf8.size()));
    data->DeleteChars(0, data->BufTextLen);
    data->InsertChars(0, utf8.c_str());
    data->CursorPos = cursor;
    data->SelectionStart = data->SelectionEnd = cursor;
    return 0;
}

}  // namespace

cCtrl::cCtrl(int kind) : m_nKind(kind) {}

cCtrl::~cCtrl() = default;

void cCtrl::Attach(cDialog* dlg, int id) {
    m_lpParent = dlg;
    m_nId = id;
    if (dlg) dlg->AddCtrl(this);
}

void cCtrl::SetRect(int x, int y, int w, int h) {
    m_x = x;
    m_y = y;
    m_w = w;
    m_h = h;
}

void cCtrl::Notify(int notification) {
    if (m_lpParent) m_lpParent->OnCommand(m_nId, notification);
}

void cCtrl::DrawCtrl() {
    if (!m_bVisible) return;
    if (m_x >= 0) {
        ImVec2 o = ImGui::GetCursorStartPos();
        ImGui::SetCursorPos(ImVec2(o.x + static_cast<float>(m_x), o.y + static_cast<float>(m_y)));
    }
    ImGui::PushID(this);
    ImGui::BeginDisabled(!m_bEnabled);
    m_bFocusNow = m_bWantFocus;
    // A new window gives the focus to its first item: ask again after that.
    if (!ImGui::IsWindowAppearing()) m_bWantFocus = false;
    const bool text = m_nKind == CTRL_EDIT || m_nKind == CTRL_EDITMULTI;
    if (m_bFocusNow && text) ImGui::SetKeyboardFocusHere();
    if (m_bFocusNow && !text) ImGui::ClearActiveID();  // a text box being edited lets go
    Draw();
    if (m_bFocusNow && !text && m_nKind != CTRL_LIST && ImGui::GetItemID() != 0) {
        ImGui::SetFocusID(ImGui::GetItemID(), ImGui::GetCurrentWindow());
        GImGui->NavDisableHighlight = false;
    }
    if (!m_strTip.empty() && ImGui::IsItemHovered()) ImGui::SetTooltip("%s", Cp932ToUtf8(m_strTip).c_str());
    ImGui::EndDisabled();
    ImGui::PopID();
}

void cCtrl::Draw() {
    ImGui::TextUnformatted(Cp932ToUtf8(m_strText).c_str());
    m_bFocused = false;
}

void cDlgImage::Draw() {
    if (m_bGroup) {
        ImGui::TextUnformatted(Cp932ToUtf8(m_strText).c_str());
        ImGui::Separator();
    } else if (m_w > 0) {
        ImGui::PushTextWrapPos(ImGui::GetCursorPosX() + static_cast<float>(m_w));
        ImGui::TextUnformatted(Cp932ToUtf8(m_strText).c_str());
        ImGui::PopTextWrapPos();
    } else {
        ImGui::TextUnformatted(Cp932ToUtf8(m_strText).c_str());
    }
}

void cButtonCtrl::Draw() {
    if (m_bDefault) ImGui::PushStyleColor(ImGuiCol_Button, ImGui::GetStyleColorVec4(ImGuiCol_ButtonActive));
    const bool pressed = ImGui::Button(Label(m_strText, m_nId).c_str(), ImVec2(static_cast<float>(m_w), static_cast<float>(m_h)));
    if (m_bDefault) ImGui::PopStyleColor();
    m_bFocused = ImGui::IsItemFocused();
    if (pressed) Notify(BN_CLICKED);
}

bool cButtonCtrl::OnKey(int vk) {
    if (vk != 32) return false;
    Press();
    return true;
}

bool cCheckCtrl::OnKey(int vk) {
    if (vk != 32) return false;
    m_bChecked = !m_bChecked;
    Notify(BN_CLICKED);
    return true;
}

bool cRadioCtrl::OnKey(int vk) {
    if (vk != 32) return false;
    Check();
    Notify(BN_CLICKED);
    return true;
}

bool cListCtrl::OnKey(int vk) {
    const int n = static_cast<int>(m_Items.size());
    if (n == 0) return false;
    int sel = m_nSel;
    switch (vk) {
        case 38: sel = std::max(sel - 1, 0); break;                 // Up
        case 40: sel = std::min(sel + 1, n - 1); break;             // Down
        case 33: sel = std::max(sel - (m_nRows - 1), 0); break;     // Page Up
        case 34: sel = std::min(sel + (m_nRows - 1), n - 1); break; // Page Down
        case 36: sel = 0; break;                                    // Home
        case 35: sel = n - 1; break;                                // End
        case 32:
            if (!m_bMulti || m_nSel < 0) return false;
            SetMark(m_nSel, !IsMarked(m_nSel));
            Notify(LBN_SELCHANGE);
            return true;
        default: return false;
    }
    if (sel != m_nSel) {
        SetSel(sel);
        m_bFocusNow = true;
        Notify(LBN_SELCHANGE);
    }
    return true;
}

void cCheckCtrl::Update() {
    if (m_pField) m_bChecked = *m_pField != 0;
}

void cCheckCtrl::Apply() {
    if (m_pField) *m_pField = m_bChecked ? 1 : 0;
}

void cCheckCtrl::Draw() {
    const bool changed = ImGui::Checkbox(Label(m_strText, m_nId).c_str(), &m_bChecked);
    m_bFocused = ImGui::IsItemFocused();
    if (changed) Notify(BN_CLICKED);
}

void cRadioCtrl::Update() {
    if (m_pField) m_bChecked = *m_pField == m_nValue;
}

void cRadioCtrl::Apply() {
    if (m_pField && m_bChecked) *m_pField = m_nValue;
}

void cRadioCtrl::Check() {
    if (m_lpParent) {
        for (cCtrl* c : m_lpParent->Ctrls()) {
            auto* r = dynamic_cast<cRadioCtrl*>(c);
            if (r && r->m_pField == m_pField) r->m_bChecked = false;
        }
    }
    m_bChecked = true;
}

void cRadioCtrl::Draw() {
    const bool clicked = ImGui::RadioButton(Label(m_strText, m_nId).c_str(), m_bChecked);
    m_bFocused = ImGui::IsItemFocused();
    if (clicked) {
        Check();
        Notify(BN_CLICKED);
    }
}

void cEditCtrl::Setup(cDialog* dlg, const EDITCTRLDESC& desc) {
    m_nKind = desc.bMultiLine ? CTRL_EDITMULTI : CTRL_EDIT;
    Attach(dlg, desc.id);
    m_pStr = desc.pStr;
    m_nLimit[0] = desc.nByteLimit ? desc.nByteLimit : 4096;
    m_nLimit[1] = desc.nCharLimit ? desc.nCharLimit : 1024;
    m_nLimit[2] = desc.nLineLimit ? desc.nLineLimit : 32;
    m_bDbcs = desc.bDbcs;
    m_bMultiLine = desc.bMultiLine;
    Update();
}

void cEditCtrl::SetText(const std::string& text) {
    m_strText = text;
    m_strUtf8 = Cp932ToUtf8(text);
}

void cEditCtrl::Update() {
    if (m_pStr) SetText(*m_pStr);
}

void cEditCtrl::Apply() {
    if (m_lpParent && m_lpParent->IsUpdating()) return;
    if (m_pStr) *m_pStr = ReadBackEditText(m_strText, m_nLimit[0], m_bDbcs);
}

void cEditCtrl::OnChange() {
    if (m_bInChange) return;
    m_bInChange = true;
    std::string cut = CutEditText(m_strText, m_nLimit[1], m_nLimit[2], m_bDbcs);
    if (cut != m_strText) SetText(cut);
    m_bInChange = false;
}

std::string cEditCtrl::CutToLimits(const std::string& text) const {
    return CutEditText(text, m_nLimit[1], m_nLimit[2], m_bDbcs);
}

void cEditCtrl::Draw() {
    ImGuiInputTextFlags flags = ImGuiInputTextFlags_CallbackEdit;
    if (m_bSelectAll) flags |= ImGuiInputTextFlags_AutoSelectAll;
    const std::string id = "##edit" + std::to_string(m_nId);
    ImGui::SetNextItemWidth(m_w > 0 ? static_cast<float>(m_w) : -1.0f);
    bool changed;
    if (m_bMultiLine)
        changed = ImGui::InputTextMultiline(id.c_str(), &m_strUtf8, ImVec2(static_cast<float>(m_w), static_cast<float>(m_h)), flags,
                                            &EditCallback, this);
    else
        changed = ImGui::InputText(id.c_str(), &m_strUtf8, flags, &EditCallback, this);
    const bool active = ImGui::IsItemActive();
    m_bFocused = active || ImGui::IsItemFocused();
    if (active) {
        m_bSelectAll = false;
        // The IME's window goes under the box; its composition shows as a tip.
        ImVec2 min = ImGui::GetItemRectMin(), max = ImGui::GetItemRectMax();
        SDL_Rect r{static_cast<int>(min.x), static_cast<int>(max.y), static_cast<int>(max.x - min.x), 4};
        SDL_SetTextInputRect(&r);
        if (!g_strDialogComposition.empty()) ImGui::SetTooltip("%s", g_strDialogComposition.c_str());
    }
    const bool deactivated = ImGui::IsItemDeactivated();
    if (changed) {
        m_strText = Utf8ToCp932(m_strUtf8);
        Notify(EN_UPDATE);
    }
    if (deactivated) Notify(EN_KILLFOCUS);
}

void cListCtrl::SetItems(const std::vector<std::string>& items) {
    m_Items = items;
    m_Utf8.clear();
    for (const std::string& s : items) m_Utf8.push_back(Cp932ToUtf8(s));
    m_Marked.assign(items.size(), 0);
    if (m_nSel >= static_cast<int>(items.size())) m_nSel = items.empty() ? -1 : static_cast<int>(items.size()) - 1;
}

void cListCtrl::SetSel(int i) {
    m_nSel = (i >= 0 && i < static_cast<int>(m_Items.size())) ? i : -1;
    m_bScrollToSel = true;
}

void cListCtrl::SetMark(int i, bool b) {
    if (i >= 0 && i < static_cast<int>(m_Marked.size())) m_Marked[i] = b ? 1 : 0;
}

void cListCtrl::Update() {
    if (m_pSel) SetSel(*m_pSel);
}

void cListCtrl::Apply() {
    if (m_pSel) *m_pSel = m_nSel;
}

void cListCtrl::Draw() {
    const float line = ImGui::GetTextLineHeightWithSpacing();
    ImVec2 size(m_w > 0 ? static_cast<float>(m_w) : -1.0f,
                m_h > 0 ? static_cast<float>(m_h) : line * static_cast<float>(m_nRows) + 4);
    m_bFocused = false;
    const std::string id = "##list" + std::to_string(m_nId);
    if (!ImGui::BeginListBox(id.c_str(), size)) return;
    int notify = -1;
    for (int i = 0; i < static_cast<int>(m_Utf8.size()); ++i) {
        const bool selected = m_bMulti ? IsMarked(i) : i == m_nSel;
        ImGui::PushID(i);
        if (ImGui::Selectable(m_Utf8[i].c_str(), selected || (m_bMulti && i == m_nSel), ImGuiSelectableFlags_AllowDoubleClick)) {
            if (m_bMulti) SetMark(i, !IsMarked(i));
            m_nSel = i;
            notify = ImGui::IsMouseDoubleClicked(0) ? LBN_DBLCLK : LBN_SELCHANGE;
        }
        if (ImGui::IsItemFocused()) m_bFocused = true;  // its keys come through OnKey
        if (m_bScrollToSel && i == m_nSel) ImGui::SetScrollHereY();
        if ((m_bFocusNow || (m_bScrollToSel && m_bFocused)) && i == std::max(m_nSel, 0)) {
            ImGui::SetFocusID(ImGui::GetItemID(), ImGui::GetCurrentWindow());
            GImGui->NavDisableHighlight = false;
        }
        ImGui::PopID();
    }
    m_bScrollToSel = false;
    ImGui::EndListBox();
    if (notify >= 0) Notify(notify);
}

void cScrollBar::SetScrollInfo(int min, int max, int page, int pos) {
    m_nMin = min;
    m_nMax = std::max(min, max);
    m_nPage = std::max(page, 0);
    m_nPos = pos;
    Scroll(-1);
}

bool cScrollBar::Scroll(int code, int pos) {
    const int old = m_nPos;
    const int top = std::max(m_nMin, m_nMax - std::max(m_nPage, 1) + 1);
    switch (code) {
        case 0: --m_nPos; break;
        case 1: ++m_nPos; break;
        case 2: m_nPos -= m_nPage; break;
        case 3: m_nPos += m_nPage; break;
        case 5: m_nPos = pos; break;
        case 6: m_nPos = m_nMin; break;
        case 7: m_nPos = m_nMax; break;
        default: break;
    }
    m_nPos = std::clamp(m_nPos, m_nMin, top);
    return m_nPos != old;
}

void cScrollBar::Draw() {
    const int top = std::max(m_nMin, m_nMax - std::max(m_nPage, 1) + 1);
    int pos = m_nPos;
    const std::string id = "##scroll" + std::to_string(m_nId);
    bool changed;
    if (m_bVertical)
        changed = ImGui::VSliderInt(id.c_str(), ImVec2(static_cast<float>(m_w > 0 ? m_w : 16), static_cast<float>(m_h > 0 ? m_h : 100)),
                                    &pos, top, m_nMin, "");
    else {
        ImGui::SetNextItemWidth(m_w > 0 ? static_cast<float>(m_w) : -1.0f);
        changed = ImGui::SliderInt(id.c_str(), &pos, m_nMin, top, "");
    }
    m_bFocused = ImGui::IsItemFocused();
    if (changed && Scroll(5, pos)) OnScroll(5, pos);
}

void cCtrl::AddCtrlStyle(uint32_t bits) {
    if (bits & WS_VISIBLE) Show(true);
    if (bits & WS_DISABLED) Enable(false);
    m_dwStyle |= bits & ~(WS_VISIBLE | WS_DISABLED);
}

void cCtrl::RemoveCtrlStyle(uint32_t bits) {
    if (bits & WS_VISIBLE) Show(false);
    if (bits & WS_DISABLED) Enable(true);
    m_dwStyle &= ~bits;
}

uint32_t cCtrl::GetCtrlStyle() const {
    return m_dwStyle | (m_bVisible ? WS_VISIBLE : 0u) | (m_bEnabled ? 0u : WS_DISABLED);
}
