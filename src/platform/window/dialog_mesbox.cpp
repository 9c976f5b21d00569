#include "platform/window/dialog_mesbox.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/window/dialog.h"
#include "platform/system/font_sjis.h"
#include "platform/system/mesbox.h"

namespace {

class cMesBoxDlg : public cDialog {
public:
    cMesBoxDlg(const std::string& text, const std::string& caption, unsigned style)
        : cDialog(0, Width(text), Height(text), caption), m_strText(text), m_nStyle(style) {}

    void OnInitDialog() override {
        cDialog::OnInitDialog();
        m_Label.Attach(this, 65535);
        m_Label.SetText(m_strText);
        std::vector<std::pair<int, const char*>> buttons;
        switch (m_nStyle & 0xF) {
            case MB_OKCANCEL: buttons = {{IDOK, "OK"}, {IDCANCEL, "キャンセル"}}; break;
            // The key in brackets answers (OnKeyDown); no mark is drawn under it, so the brackets name it.
            case MB_YESNOCANCEL: buttons = {{IDYES, "はい(Y)"}, {IDNO, "いいえ(N)"}, {IDCANCEL, "キャンセル"}}; break;
            case MB_YESNO: buttons = {{IDYES, "はい(Y)"}, {IDNO, "いいえ(N)"}}; break;
            default: buttons = {{IDOK, "OK"}}; break;
        }
        const int def = DefaultMesBoxAnswer(m_nStyle);
        int x = 0;
        for (size_t i = 0; i < buttons.size(); ++i) {
            auto b = std::make_unique<cButtonCtrl>(buttons[i].first == def);
            b->Attach(this, buttons[i].first);
            b->SetText(buttons[i].second);
            b->SetRect(x, TextHeight(m_strText) + 12, 96, 24);
            if (buttons[i].first == def) b->Focus();
            x += 104;
            m_Buttons.push_back(std::move(b));
        }
        m_bHasCancel = (m_nStyle & 0xF) == MB_OKCANCEL || (m_nStyle & 0xF) == MB_YESNOCANCEL;
    }
    void OnCommand(int id, int n) override {
        cDialog::OnCommand(id, n);
        if (id == IDOK || id == IDCANCEL || id == IDYES || id == IDNO) Close(id);
    }
    bool OnKeyDown(int vk) override {
        const unsigned kind = m_nStyle & 0xF;
        if ((kind != MB_YESNO && kind != MB_YESNOCANCEL) || (vk != 'Y' && vk != 'N')) return false;
        Close(vk == 'Y' ? IDYES : IDNO);
        return true;
    }
    void OnCancel() override {
        const unsigned kind = m_nStyle & 0xF;
        Close(m_bHasCancel ? IDCANCEL : kind == MB_YESNO ? IDNO : IDOK);
    }

private:
    static int Lines(const std::string& t) { return 1 + static_cast<int>(std::count(t.begin(), t.end(), '\n')); }
    static int TextHeight(const std::string& t) { return Lines(t) * 18; }
    static int Width(const std::string& t) {
        int widest = 0;
        for (const char* p = t.c_str();;) {
            int len = GetLineLength(p);
            widest = std::max(widest, len * 8);  // a byte is about half a full-width character
            if (!p[len]) break;
            p += len + 1;
        }
        return std::clamp(widest + 40, 340, 620);
    }
    static int Height(const std::string& t) { return std::min(TextHeight(t) + 90, 460); }

    std::string m_strText;
    unsigned m_nStyle;
    bool m_bHasCancel = false;
    cDlgImage m_Label;
    std::vector<std::unique_ptr<cButtonCtrl>> m_Buttons;
};

}  // namespace

int DialogMesBox(const std::string& text, const std::string& caption, unsigned style) {
    cMesBoxDlg dlg(text, caption, style);
    return dlg.DoModal();
}
