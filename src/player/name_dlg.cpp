#include "player/name_dlg.h"

namespace {

// Places in pixels, laid out for the dialogs' 16-pixel font: the label on
// one line, the box wide enough for three full-width characters, the OK
// button whole inside the dialog (the dialog-unit layout of the resource
// is sized for a 9-point font and cuts them).
struct PLACE {
    int x, y, w, h;
};
constexpr PLACE kDialog{0, 0, 232, 92};
constexpr PLACE kPicture{8, 8, 30, 34};
constexpr PLACE kLabel{4, 10, 144, 20};
constexpr PLACE kEdit{152, 6, 64, 24};
constexpr PLACE kOK{68, 44, 80, 28};

void Place(cCtrl& c, const PLACE& p) { c.SetRect(p.x, p.y, p.w, p.h); }

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
    : cDialog(resourceId, kDialog.w, kDialog.h), m_pName(pName), m_bEnglish(bEnglish) {
    SetupChild(resourceId, parent, param);
    SetCaption(false);
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
    Place(m_Picture, kPicture);
    m_Label.Attach(this, IDC_LABEL);
    m_Label.SetText(m_bEnglish ? "     Name" : "登録名(3文字まで)");
    Place(m_Label, kLabel);
    if (m_pName) {
        EDITCTRLDESC d;
        d.id = IDC_NAME;
        d.pStr = m_pName;
        d.nByteLimit = NAME_BUFFER;
        d.nCharLimit = NAME_CHARS;
        d.bDbcs = 1;
        m_Edit.Setup(this, d);
        Place(m_Edit, kEdit);
    }
    m_OK.Attach(this, IDC_OK);
    m_OK.SetText("OK");
    Place(m_OK, kOK);
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
