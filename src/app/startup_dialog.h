#pragma once
// The start-up settings dialog: Direct3D or DirectDraw, a do-not-show-again
// box, Start and Cancel. Start reads the choice into BootData and saves
// user_data\Boot.dat (a failed save is not reported; the choice still holds
// for this run); the result is 1 for Start, 0 for Cancel.
#include "platform/window/dialog.h"

class cStartupDlg : public cDialog {
public:
    cStartupDlg();
    void OnInitDialog() override;
    void OnCommand(int id, int notification) override;

    enum : int {
        IDC_START = 1000, IDC_CANCEL = 1001, IDC_DIRECT3D = 1002, IDC_DIRECTDRAW = 1003, IDC_NO_DIALOG = 1004,
        IDC_NOTE = 1005, IDC_GROUP = 1006, IDC_PICTURE = 1075,
    };

private:
    cDlgImage m_Picture;
    cDlgImage m_Group{true};
    cRadioCtrl m_Direct3D;
    cRadioCtrl m_DirectDraw;
    cDlgImage m_Note;
    cCheckCtrl m_NoDialog;
    cButtonCtrl m_Start{true};
    cButtonCtrl m_Cancel;
};

// Where the dialog puts the mouse cursor: near its Start button, for a main
// window whose top-left was last set to windowPos.
POINT StartupCursorPos(POINT windowPos);

// Runs the dialog modally; 1 Start, 0 Cancel.
int RunStartupDialog();
