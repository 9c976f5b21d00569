#include "app/startup_dialog.h"

#include "app/boot_data.h"
#include "app/main_window.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "scene/system_ini.h"

namespace {

// A control's place in dialog units.
void Place(cCtrl& c, int x, int y, int w, int h) { c.SetRect(DluX(x), DluY(y), DluX(w), DluY(h)); }

}  // namespace

POINT StartupCursorPos(POINT windowPos) {
    // The dialog is centred on the window's middle; the Start button lies
    // this far from the dialog's top-left (in pixels, truncated toward zero).
    const int cx = windowPos.x + 320, cy = windowPos.y + 240;
    const int x = static_cast<int>(static_cast<double>(static_cast<int>(cx - 187.0)) + 181.9);
    const int y = static_cast<int>(static_cast<double>(static_cast<int>(cy - 136.0)) + 198.9);
    return POINT{x, y};
}

cStartupDlg::cStartupDlg()
    : cDialog(103, DluX(222), DluY(171)),
      m_Direct3D(&BootData.nDrawMode, 1),
      m_DirectDraw(&BootData.nDrawMode, 0),
      m_NoDialog(&BootData.bNoDialog) {
    SetupChild(103, nullptr, &DialogGroup);
    const POINT cursor = StartupCursorPos(MainWindow.GetLastSetPosition());
    SetCursorPos(cursor.x, cursor.y);
}

void cStartupDlg::OnInitDialog() {
    cDialog::OnInitDialog();
    SetTitle(SystemData.strTitle);
    const bool en = IniData.English != 0;
    m_Picture.Attach(this, IDC_PICTURE);
    Place(m_Picture, 7, 7, 20, 21);
    m_Group.Attach(this, IDC_GROUP);
    m_Group.SetText(en ? "Drawing mode" : "描画モード");
    Place(m_Group, 15, 15, 190, 55);
    m_Direct3D.Attach(this, IDC_DIRECT3D);
    m_Direct3D.SetText("Direct3D");
    Place(m_Direct3D, 20, 30, 42, 10);
    m_DirectDraw.Attach(this, IDC_DIRECTDRAW);
    m_DirectDraw.SetText("DirectDraw");
    Place(m_DirectDraw, 80, 30, 45, 10);
    m_Note.Attach(this, IDC_NOTE);
    m_Note.SetText(en ? "Configure the detail settings at \"System.ini\"."
                      : "詳細な設定は環境設定ファイル「System.ini」で行って下さい。");
    Place(m_Note, 20, 50, 177, 12);
    m_NoDialog.Attach(this, IDC_NO_DIALOG);
    m_NoDialog.SetText(en ? "Do not ask this dialog again" : "次回からこのダイアログを表示しない");
    Place(m_NoDialog, 50, 85, 120, 10);
    m_Start.Attach(this, IDC_START);
    m_Start.SetText(en ? "Start" : "ゲーム開始");
    Place(m_Start, 80, 105, 50, 25);
    m_Cancel.Attach(this, IDC_CANCEL);
    m_Cancel.SetText(en ? "Cancel" : "ゲーム中止");
    Place(m_Cancel, 80, 140, 50, 18);
    UpdateControls();
    m_Start.Focus();
}

void cStartupDlg::OnCommand(int id, int notification) {
    cDialog::OnCommand(id, notification);
    if (id == IDC_START) {
        ApplyControls();
        SaveBootData();
        Close(1);
    } else if (id == IDC_CANCEL) {
        Close(0);
    }
}

int RunStartupDialog() {
    cStartupDlg dlg;
    return dlg.DoModal();
}
