// The worker threads of play: thPause keeps the play screen drawn and the
// input read while the game thread waits inside a command; thRankEntry shows
// the ranking tables after a name was entered. The game thread is blocked
// in cThread::Wait meanwhile, so the scene is touched by one thread at a time.
#include <chrono>

#include "database/global_objects.h"
#include "database/system_sounds.h"
#include "platform/graphics/dd_init.h"
#include "platform/system/clock.h"
#include "platform/system/thread_messages.h"
#include "platform/window/main_thread_messages.h"
#include "play/play_run.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "player/rank_rules.h"
#include "player/replay_service.h"
#include "records/utility.h"
#include "scene/scene_manager.h"
#include "scene/system_ini.h"
#include "scene/window_requests.h"

namespace {

// How long the pause thread keeps waiting after the program began to close
// without being told to end, and how often it looks meanwhile.
constexpr std::chrono::milliseconds QUIT_GRACE{2000};
constexpr std::chrono::milliseconds QUIT_POLL{1};
constexpr int BUTTON_CONFIRM = 1, BUTTON_PAGE = 8;

// One frame of a worker, counted as the frames of play are (scripted keys,
// the frame limit): paced, surfaces restored, joysticks read. Once the frame
// limit was reached it is no frame (0): the picture stands still. The frame
// of the limit asks for the close when its pass ends, drawn or not.
class cWorkerFrame {
public:
    cWorkerFrame() {
        if (FramesStoppedForClose()) {
            m_bEnds = true;
            return;
        }
        if (FrameLimitReached()) {
            m_bLimit = true;
            Sleep(1);
            return;
        }
        WaitFrameTime();
        m_nFrame = CountFrame();
        if (!SceneManager.RestoreLostSurfaces()) PostCloseMain();
        PollJoystick(&InputList[0]);
    }
    ~cWorkerFrame() { CloseAtFrameLimit(m_nFrame); }
    cWorkerFrame(const cWorkerFrame&) = delete;
    cWorkerFrame& operator=(const cWorkerFrame&) = delete;
    explicit operator bool() const { return m_nFrame != 0; }
    // The program has begun to close: the worker ends, whatever it waits for.
    bool Ends() const { return m_bEnds; }
    // The frame limit was reached, perhaps by the game thread's frame that
    // started this wait: the worker asks for the close, as a person's close
    // during the wait would, so that the run ends at its limit.
    void CloseAtLimit(bool& bAsked) const {
        if (!m_bLimit || bAsked) return;
        bAsked = true;
        PostCloseMain();
    }

private:
    uint32_t m_nFrame = 0;
    bool m_bEnds = false, m_bLimit = false;
};

}  // namespace

void RunPlayWorker(cThread& thread, cThread::StartRoutine body) {
    // Once the program has begun to close no worker starts: the close may
    // have ended the workers already, and a new one would outlive the scene.
    if (FramesStoppedForClose()) return;
    if (!thread.Create(body, lpPlayScene)) return;
    // The first post succeeds once the new thread's queue exists.
    while (!PostThreadMessage(thread.GetThreadId(), WM_APP, 0, 0) && !thread.HasEnded()) Sleep(0);
    thread.Wait();
}

int32_t cPlayScene::RunPauseWait() {
    RunPlayWorker(thPause, &cPlayScene::DrawLoop);
    return bQuit || FramesStoppedForClose() ? 0 : 1;
}

unsigned cPlayScene::DrawLoop(void* param) {
    cPlayScene* s = static_cast<cPlayScene*>(param);
    s->nWaitDrawn = 0;
    if (s->bQuit) return 0;
    const cSafeVector<cInput> saved = InputList;
    cInput& in = InputList[0];
    in.ClearHistory();
    in.ClearDirection();
    in.ClearButtons();
    // The close is timed on the timer clock and waited for by sleeping on it,
    // so that a simulated clock moves on too.
    iClock& clock = TimerClock();
    bool quitSeen = false, limitAsked = false;
    std::chrono::nanoseconds quitAt{0};
    MSG msg;
    for (;;) {
        if (PeekMessage(&msg, PM_REMOVE)) {
            if (msg.message == WM_QUIT) break;
            continue;
        }
        if (FramesStoppedForClose()) break;
        if (s->bQuit) {
            const std::chrono::nanoseconds now = clock.Now();
            if (!quitSeen) {
                quitSeen = true;
                quitAt = now;
            } else if (now - quitAt >= QUIT_GRACE) {
                PostThreadMessage(GetCurrentThreadId(), WM_QUIT, 0, 0);
            }
            clock.SleepUntil(now + QUIT_POLL);
            PassThreadGate();
            continue;
        }
        if (!bAppActive.load()) {
            Sleep(1);
            continue;
        }
        const cWorkerFrame frame;
        if (frame.Ends()) break;
        frame.CloseAtLimit(limitAsked);
        if (!frame) continue;
        in.RecordHistory();
        in.UpdateRepeat();
        if (CheckReplayKeys(IsReplayPlay())) continue;
        if (s->nWaitDelay >= 1) {
            --s->nWaitDelay;
        } else if (!s->bWaitButton) {
            if (--s->nWaitFrames < 0) break;
        } else if ((in.m_nButton & BUTTON_CONFIRM) && !(in.GetHistory(1, 1) & BUTTON_CONFIRM)) {
            PlaySE(s->nWaitSound == 1 ? SE_MESSAGE_CONFIRM : SE_CONFIRM);
            s->bMenuLatch = 1;
            break;
        }
        s->Draw(PLAYDRAW_STILL);
        SceneManager.Present();
        ++s->nWaitDrawn;
    }
    InputList = saved;
    return 1;
}

void cPlayScene::RankEntry() {
    if (!SceneManager.nRankSwitch || !bRankQualifies || bRankEntered) return;
    const int mode = OptionRankMode();
    if (mode == 0 || mode == 2) {
        strRankName = SaveData.strEntryName;
        RequestDialog(WM_NAME_DIALOG, 0);
        if (!strRankName.empty()) SaveData.strEntryName = strRankName;
    } else {
        strRankName = OptionRankName();
    }
    PlaySE(SE_RANK_ENTRY);
    for (int i = 0; i < RESULT_KIND_NUM; ++i)
        if (vRankPos[i] != -1) RankingList.vRanking[i].AddRank(strRankName, vResult[i]);
    RankingList.SaveFile(SceneManager.nGameType, SaveData.strStage, SaveData.nEvent1, SaveData.nEvent2,
                         SaveData.nEvent3);
    bRankEntered = 1;
    RunPlayWorker(thRankEntry, &cPlayScene::AfterPlayLoop);
}

unsigned cPlayScene::AfterPlayLoop(void* param) {
    cPlayScene* s = static_cast<cPlayScene*>(param);
    const int type = SceneManager.nGameType;
    int enabled = 0;
    s->nRankKind = -1;
    for (int k = 0; k < RESULT_KIND_NUM; ++k) {
        if (!IsRankKindEnabled(type, k)) continue;
        if (s->nRankKind < 0) s->nRankKind = k;
        ++enabled;
    }
    if (s->nRankKind < 0) s->nRankKind = 0;
    bool limitAsked = false;
    MSG msg;
    for (;;) {
        if (PeekMessage(&msg, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return 1;
            continue;
        }
        if (!bAppActive.load()) {
            Sleep(1);
            continue;
        }
        const cWorkerFrame frame;
        if (frame.Ends()) return 1;
        frame.CloseAtLimit(limitAsked);
        if (!frame) continue;
        cInput& in = InputList[0];
        in.UpdateRepeat();
        in.TriggerButtons(0);
        if (in.m_nButton & BUTTON_CONFIRM) {
            PlaySE(SE_CONFIRM);
            return 1;
        }
        if ((in.m_nButton & BUTTON_PAGE) && enabled > 1) {
            PlaySE(SE_RANK_PAGE);
            do s->nRankKind = (s->nRankKind + 1) % RESULT_KIND_NUM;
            while (!IsRankKindEnabled(type, s->nRankKind));
        }
        s->Draw(PLAYDRAW_STILL);
        // The table as the rankings draw it, the new entry marked.
        RankingList.Draw(&BackBuffer, 184, 64, s->nRankKind, s->vRankPos[static_cast<size_t>(s->nRankKind)], type,
                         IniData.English);
        SceneManager.Present();
    }
}
