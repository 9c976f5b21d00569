#include "player/file_sel_dlg.h"

#include <cstring>

#include "database/global_objects.h"
#include "platform/system/file_name.h"
#include "platform/system/mesbox.h"
#include "platform/window/file_dialog.h"
#include "player/key_log.h"
#include "player/save_data.h"
#include "records/data_file.h"
#include "stage/stage_data.h"
#include "stage/stage_file.h"

namespace {

struct MODEINFO {
    const char* lpszTitle;
    const char* lpszTitleEn;
    const char* lpszFolder;
};

constexpr MODEINFO g_Mode[] = {
    {"ステージファイルの読み込み", "load stage file", "data\\stg4\\"},
    {"リプレイファイルの読み込み", "load replay file", "user_data\\rpl4"},
    {"リプレイファイルの保存", "save replay file", "user_data\\rpl4\\"},
};

bool IsReplayFile(const std::string& path) {
    std::string ext;
    GetExtensionStr(ext, path);
    return ext.size() >= 5 && strncasecmp(ext.c_str(), "rpl4_", 5) == 0;
}

}  // namespace

cFileSelDlg* cFileSelDlg::s_lpInstance = nullptr;

cFileSelDlg::cFileSelDlg(int resourceId, cDialog* parent, int bModal, cDialogGroup* param, std::string& path,
                         int mode, int bEnglish)
    : cDialog(resourceId, DluX(53), DluY(35), "ファイルの選択"),
      m_strPath(path),
      m_nMode(mode < FILESEL_LOAD_STAGE || mode > FILESEL_SAVE_REPLAY ? FILESEL_LOAD_STAGE : mode),
      m_bEnglish(bEnglish) {
    (void)bModal;
    SetupChild(resourceId, parent, param);
    SetPlacement(false, 100, 100);
    s_lpInstance = this;
}

cFileSelDlg::~cFileSelDlg() {
    if (IsOpen()) Close(0);
    if (s_lpInstance == this) s_lpInstance = nullptr;
}

const char* cFileSelDlg::GetModeTitle(int mode, int bEnglish) {
    if (mode < FILESEL_LOAD_STAGE || mode > FILESEL_SAVE_REPLAY) mode = FILESEL_LOAD_STAGE;
    return bEnglish ? g_Mode[mode].lpszTitleEn : g_Mode[mode].lpszTitle;
}

void cFileSelDlg::OnInitDialog() {
    cDialog::OnInitDialog();
    UpdateControls();
    const MODEINFO& info = g_Mode[m_nMode];
    const char* title = GetModeTitle(m_nMode, m_bEnglish);
    char buf[MAX_PATH];
    int chosen = 0;
    if (m_nMode == FILESEL_SAVE_REPLAY) {
        const std::string ext = GetReplayExtension();
        const std::string filter = MakeFileFilter("ReplayFile ( *." + ext + " )", "*." + ext);
        std::memset(buf, 0, sizeof buf);
        std::strncpy(buf, m_strPath.c_str(), sizeof buf - 1);
        chosen = SaveFileDialog(this, buf, info.lpszFolder, title, filter.c_str(), ext.c_str());
    } else {
        const std::string filter = m_nMode == FILESEL_LOAD_STAGE
                                       ? MakeFileFilter("StageFile ( *.stg4_*;*.rpl4_* )", "stg4_*;rpl4_*")
                                       : MakeFileFilter("ReplayFile ( *.rpl4_* )", "rpl4_*");
        // A file that cannot be played is refused, and the player chooses again.
        do {
            chosen = GetOpenFileNames(this, buf, sizeof buf, info.lpszFolder, title, filter.c_str(), nullptr, 0,
                                      nullptr);
        } while (chosen && !CheckChosenPlayFile(buf));
    }
    m_strPath = buf;
    Close(chosen ? 1 : 0);
}

int CheckChosenPlayFile(const std::string& path) {
    bool ok;
    if (IsReplayFile(path)) {
        cKeyLog log;
        cStageData stage, copy;
        cSaveData save;
        ok = log.LoadReplay(path, stage, copy, save) != 0;
    } else {
        cStageData stage;
        ok = IsStageTrailerWhole(path) && LoadRecordFileWhole(stage, path);
    }
    if (!ok) ErrMesBox(GetLoadErrorMes(path).c_str());
    return ok ? 1 : 0;
}

int RunFileSelDialog(std::string& path, int mode, int bEnglish) {
    cFileSelDlg dlg(104, nullptr, 1, &DialogGroup, path, mode, bEnglish);
    return dlg.DoModal();
}
