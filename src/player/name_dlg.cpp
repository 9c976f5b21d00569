#include "player/name_dlg.h"

namespace {

// A control's place in dialog units.
void Place(cCtrl& c, int x, int y, int w, int h) { c.SetRect(DluX(x), DluY(y), DluX(w), DluY(h)); }

// The name box: 3 characters, read back through a 4-byte buffer of
// double-byte text (at most 6 bytes).
constexpr int NAME_BUFFER = 4;
constexpr int NAME_CHARS = 3;

// Where the dialog stands in the 640 x 480 picture.
constexpr int NAME_DLG_X = 240;
constexpr int NAME_DLG_Y = 220;

}  // namespace

cNameDlg* cNameDlg::s_lpInstance = nullptr;

cNameDlg::cNameDlg(int resourceId, cDialog* parent, cDialogGroup* param, std::string* pName, int bEnglish)
    : cDialog(resourceId, DluX(110), DluY(65)), m_pName(pName), m_bEnglish(bEnglish) {
    SetupChild(resourceId, parent, param);
    SetPlacement(false, NAME_DLG_X, NAME_DLG_Y);
    s_lpInstance = this;
}

cNameDlg::~cNameDlg() {
    if (IsOpen()) Close(0);
    if (s_lpInstance == this) s_lpInstance = nullptr;
}

void cNameDlg::OnInitDialog() {
    cDialog::OnInitDialog();
    m_Picture.Attach(this, IDC_PICTURE);
    Place(m_Picture, 7, 7, 20, 21);
    m_Label.Attach(this, IDC_LABEL);
    m_Label.SetText(m_bEnglish ? "     Name" : "登録名(3文字まで)");
    Place(m_Label, 15, 15, 56, 16);
    if (m_pName) {
        EDITCTRLDESC d;
        d.id = IDC_NAME;
        d.pStr = m_pName;
        d.nByteLimit = NAME_BUFFER;
        d.nCharLimit = NAME_CHARS;
        d.bDbcs = 1;
        m_Edit.Setup(this, d);
        Place(m_Edit, 75, 12, 24, 14);
    }
    m_OK.Attach(this, IDC_OK);
    m_OK.SetText("OK");
    Place(m_OK, 30, 35, 50, 18);
    UpdateControls();
    if (m_pName) {
        m_Edit.Focus();
        m_Edit.SelectAll();  // typing replaces the name
    }
}

void cNameDlg::OnCommand(int id, int notification) {
    cDialog::OnCommand(id, notification);
    if (id == IDC_OK) {
        ApplyControls();
        Close(1);
    } else if (id == IDC_CANCEL) {
        Close(0);
    }
}

int RunNameDialog(std::string* pName, int bEnglish) {
    cNameDlg dlg(102, nullptr, nullptr, pName, bEnglish);
    return dlg.DoModal();
}
