#include "player/replay_service.h"

#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "platform/input/input_keys.h"
#include "platform/system/messages.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/request_messages.h"
#include "player/file_sel_dlg.h"
#include "player/player_records.h"
#include "records/utility.h"

std::string strReplayFile;
int nReplayKeyCooldown = 0;

namespace {

constexpr int VK_F1 = 0x70;
constexpr int VK_F2 = 0x71;
constexpr int EMPTY_LOG_COOLDOWN = 60;
// A held key saves once: set by a save, cleared once F1 and F2 are both up.
bool g_bReplayKeyHeld = false;

}  // namespace

int CheckReplayKeys(int bReplayPlaying) {
    if (bReplayPlaying || !SystemData.bReplayRecord) return 0;
    if (nReplayKeyCooldown > 0) --nReplayKeyCooldown;
    int which;
    if (GetAsyncKeyState(VK_F1) < 0) which = 0;
    else if (GetAsyncKeyState(VK_F2) < 0) which = 1;
    else {
        g_bReplayKeyHeld = false;
        return 0;
    }
    if (g_bReplayKeyHeld) return 0;
    const cKeyLog& log = which == 0 ? KeyLog : PrevKeyLog;
    if (log.vDirValue.empty()) {
        if (nReplayKeyCooldown <= 0) {
            PlaySE(SE_REFUSED);
            nReplayKeyCooldown = EMPTY_LOG_COOLDOWN;
        }
        return 0;
    }
    PlaySE(SE_CONFIRM);
    g_bReplayKeyHeld = true;
    // The send returns once the main thread has served it: the done flag.
    SendMessageMain(WM_SAVE_REPLAY, static_cast<WPARAM>(which), 0);
    return 1;
}

int RequestReplayLoad() { return SendMessageMain(WM_LOAD_REPLAY, 0, 0) != 0 ? 1 : 0; }

int ServeSaveReplay(int wParam, int bEnglish) {
    std::string path;
    MakeReplayFileName(path, SaveData.strStage);
    if (!RunFileSelDialog(path, FILESEL_SAVE_REPLAY, bEnglish)) return 0;
    cKeyLog& log = wParam == 0 ? KeyLog : PrevKeyLog;
    cSaveData& snap = wParam == 0 ? SnapSaveData : PrevSnapSaveData;
    if (!log.SaveReplay(path, PlayStage, ReplayStage, snap)) PostCloseMain();
    return 1;
}

int ServeLoadReplay(int bEnglish) {
    std::string path;
    if (!RunFileSelDialog(path, FILESEL_LOAD_REPLAY, bEnglish)) return 0;
    if (!KeyLog.LoadReplay(path, PlayStage, ReplayStage, SaveData)) PostCloseMain();
    strReplayFile = path;
    return 1;
}
