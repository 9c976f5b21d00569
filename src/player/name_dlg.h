#pragma once
// The ranking-name dialog (resource 102): one edit box for the name under
// which results are registered, at most 3 characters (6 bytes: full-width
// characters take two), and OK. OK writes the name back; Escape and closing
// keep the old one.
#include <string>

#include "platform/window/dialog.h"

class cNameDlg : public cDialog {
public:
    enum : int { IDC_OK = 1000, IDC_CANCEL = 1001, IDC_NAME = 1003, IDC_LABEL = 1007, IDC_PICTURE = 1075 };

    // pName: the name edited (the options' ranking name, or the play
    // scene's entry name); null: no bound control. bEnglish: English label.
    cNameDlg(int resourceId, cDialog* parent, cDialogGroup* param, std::string* pName, int bEnglish = 0);
    ~cNameDlg() override;
    void OnInitDialog() override;
    void OnCommand(int id, int notification) override;

    // The open dialog, or null.
    static cNameDlg* Instance() { return s_lpInstance; }

private:
    static cNameDlg* s_lpInstance;
    std::string* m_pName;
    int m_bEnglish;
    cDlgImage m_Picture;
    cDlgImage m_Label;
    cEditCtrl m_Edit;
    cButtonCtrl m_OK{true};
};

// Runs the dialog modally on pName; 1 after OK, 0 after Escape or closing.
int RunNameDialog(std::string* pName, int bEnglish = 0);
