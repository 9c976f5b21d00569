#include "scene/stage_loader.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <thread>

#include "platform/system/file_name.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "platform/system/path.h"
#include "platform/system/thread.h"
#include "platform/system/thread_messages.h"
#include "platform/window/main_thread_messages.h"
#include "records/data_file.h"
#include "records/services.h"
#include "records/version.h"
#include "stage/stage_data.h"
#include "stage/stage_file.h"
#include "stage/stage_validate.h"

std::string strStageSearchExt = "stg4";
int bStageTest = 0;

namespace {

std::atomic<cStageData*> g_pTarget{nullptr};
std::atomic<cThread*> g_pThread{nullptr};
std::atomic<STAGELOADPUMP> g_Pump{nullptr};
std::atomic<PLAYSTAGEFILE> g_PlayStageFile{nullptr};

// What the loading thread works on and what it hands back. Shared by the
// caller and the thread, so that a thread let go by an Exit elsewhere (the
// main window closing) still finds it after the caller has returned.
struct STAGELOADJOB {
    cStageData* pStage = nullptr;
    std::string strFile;
    // In: the caller's version state, which the load reads with. Out: the
    // loading thread's after the load; valid once nResult is set.
    VERSIONSTATE Version;
    // -1 while the load runs, then its result (1 loaded, 0 failed).
    std::atomic<int> nResult{-1};
};

unsigned LoadStageProc(void* param) {
    const std::unique_ptr<std::shared_ptr<STAGELOADJOB>> holder(static_cast<std::shared_ptr<STAGELOADJOB>*>(param));
    STAGELOADJOB& job = **holder;
    SetVersionState(job.Version);
    const int ok = job.pStage->LoadFromFile(job.strFile);
    if (ok) job.pStage->bLoaded = 1;
    job.Version = GetVersionState();
    job.nResult.store(ok, std::memory_order_release);
    return static_cast<unsigned>(ok);
}

}  // namespace

void SetStageLoadTarget(cStageData* stage, cThread* thread) {
    g_pTarget = stage;
    g_pThread = thread;
}

cStageData* GetStageLoadTarget() { return g_pTarget.load(); }

void SetStageLoadPump(STAGELOADPUMP pump) { g_Pump = pump; }

int PumpStageLoadCaller() {
    if (IsMainThread()) {
        // The window's events and the other threads' requests go on being
        // served; waiting briefly for the next keeps the loop off the CPU.
        return WaitMainMessage(1);
    }
    // Other threads own no window: only WM_QUIT matters among their messages.
    MSG msg;
    while (PeekMessage(&msg, PM_REMOVE))
        if (msg.message == WM_QUIT) return 0;
    if (IsQuitRequested()) return 0;
    std::this_thread::yield();
    return 1;
}

int PumpUntilThreadEnds(cThread& thread) {
    const STAGELOADPUMP pump = g_Pump.load() ? g_Pump.load() : PumpStageLoadCaller;
    // A thread that an Exit elsewhere has let go counts as ended.
    while (thread.IsRunning() && !thread.HasEnded()) {
        if (!pump()) {
            WriteEC("msg.message == WM_QUIT");
            // The load cannot be stopped half way, and it writes into the
            // stage: it is waited for, never let go.
            thread.Wait();
            return 0;
        }
    }
    thread.Exit();
    return 1;
}

int CheckStageTrailer(const std::string& path) {
    if (IsStageTrailerWhole(path)) return 1;
    const std::string text = "ステージファイル " + path + " が破損しています！";
    ErrMesBox(text.c_str());
    RecFaultClose(text);
    return 0;
}

int LoadStageFileInto(cStageData& stage, cThread& thread, const char* name, int numbered, cStageData* out) {
    if (!name) name = "";
    stage.bNumbered = numbered;
    std::string file;
    if (numbered) {
        // The newest numbered variant; a file that has none loads as named.
        if (!FindLastNumberedFileStr(file, name, strStageSearchExt.c_str())) {
            std::error_code ec;
            if (!std::filesystem::is_regular_file(ToNativePath(name, false), ec)) return 0;
            file = name;
        }
    } else {
        file = name;
    }
    MakeRelativePathStr(file);
    if (!CheckStageTrailer(file)) return 0;

    stage.bLoaded = 0;
    auto job = std::make_shared<STAGELOADJOB>();
    job->pStage = &stage;
    job->strFile = file;
    job->Version = GetVersionState();
    auto* param = new std::shared_ptr<STAGELOADJOB>(job);
    if (!thread.Create(LoadStageProc, param)) {
        delete param;
        WriteReport("LoadStageFile: the loading thread did not start");
        ErrMesBoxF("%s", GetStageLoadErrorMes(file).c_str());
        return 0;
    }
    const int pumped = PumpUntilThreadEnds(thread);
    const int result = job->nResult.load(std::memory_order_acquire);
    if (result < 0) {
        // Let go while it still loads: the stage is the thread's until it
        // ends, and this load has failed.
        WriteReport("LoadStageFile: the loading thread was let go before it finished");
        ErrMesBoxF("%s", GetStageLoadErrorMes(file).c_str());
        return 0;
    }
    // What the file's version word told the loading thread is the caller's now.
    nReadVersion = job->Version.nReadVersion;
    bVersionTooNew = job->Version.bVersionTooNew;
    if (!pumped) return 0;

    if (!stage.bLoaded) {
        // The stage keeps what it held, and the name that goes with it.
        ErrMesBoxF("%s", GetStageLoadErrorMes(file).c_str());
        return 0;
    }
    stage.strFileName = file;
    if (!stage.HasHero()) {
        ErrMesBox("主人公が配置されていないのでプレイできません！");
        RecFaultClose("主人公が配置されていないのでプレイできません！");
        return 0;
    }
    if (out) CopyStageHeader(*out, stage);
    return 1;
}

int LoadStageFile(const char* name, int numbered, cStageData* out) {
    cStageData* stage = g_pTarget.load();
    cThread* thread = g_pThread.load();
    if (!stage || !thread) {
        WriteReport("LoadStageFile: no stage to load into");
        return 0;
    }
    return LoadStageFileInto(*stage, *thread, name, numbered, out);
}

void ShowLoadErrorMes(const std::string& name) { WriteReportMes("%s", GetLoadErrorMes(name).c_str()); }

const std::string& GetCurrentStageFileName() {
    static const std::string empty;
    cStageData* stage = g_pTarget.load();
    return stage ? stage->strFileName : empty;
}

void SetCurrentStageFileName(const std::string& name) {
    if (cStageData* stage = g_pTarget.load()) stage->strFileName = name;
}

void SetPlayStageFile(PLAYSTAGEFILE fn) { g_PlayStageFile = fn; }

int PlayStageFile(const std::string& path, int flag) {
    if (const PLAYSTAGEFILE fn = g_PlayStageFile.load()) return fn(path, flag);
    return LoadStageFile(path.c_str(), 0, nullptr);
}
