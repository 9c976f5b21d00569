#pragma once
// The stage and replay file chooser (resource 104): a small carrier dialog
// that runs the open or save file dialog of its mode while it initialises and
// closes with the outcome: 1 when a file was chosen (the caller's path then
// holds it), 0 when cancelled. A stage or replay file chosen for loading is
// read once first: a damaged or too new file is refused with the
// load-failure message and the file dialog comes back.
#include <string>

#include "platform/window/dialog.h"

enum eFileSelMode : int { FILESEL_LOAD_STAGE = 0, FILESEL_LOAD_REPLAY = 1, FILESEL_SAVE_REPLAY = 2 };

class cFileSelDlg : public cDialog {
public:
    // path: in mode 2 the proposed name; out: the chosen path.
    cFileSelDlg(int resourceId, cDialog* parent, int bModal, cDialogGroup* param, std::string& path, int mode,
                int bEnglish = 0);
    ~cFileSelDlg() override;
    void OnInitDialog() override;

    // The open dialog, or null.
    static cFileSelDlg* Instance() { return s_lpInstance; }
    // The file dialog's title in a mode (Japanese, or English with bEnglish).
    static const char* GetModeTitle(int mode, int bEnglish);

private:
    static cFileSelDlg* s_lpInstance;
    std::string& m_strPath;
    int m_nMode;
    int m_bEnglish;
};

// Whether a chosen file can be played: a replay (extension beginning with
// "rpl4_") or a stage that reads whole. 0 after telling the player.
int CheckChosenPlayFile(const std::string& path);
// The chooser run modally in a mode on path; its result.
int RunFileSelDialog(std::string& path, int mode, int bEnglish = 0);
