#include "stage/stage_load.h"

#include <atomic>
#include <memory>
#include <thread>

#include "platform/system/file_name.h"
#include "platform/system/log.h"
#include "platform/window/main_thread_messages.h"
#include "platform/system/mesbox.h"
#include "platform/system/thread.h"
#include "platform/system/thread_messages.h"
#include "records/data_file.h"
#include "records/services.h"
#include "records/version.h"
#include "stage/stage_data.h"
#include "stage/stage_validate.h"

std::string strStageSearchExt = "stg4";

namespace {

std::atomic<cStageData*> g_pTarget{nullptr};
std::atomic<cThread*> g_pThread{nullptr};
std::atomic<STAGELOADPUMP> g_Pump{nullptr};

// Versions from which a stage file is checked for its trailer.
constexpr uint32_t TRAILER_CHECK_VERSION = 174;

// What the loading thread works on; the thread owns it, so that a thread
// let go by an Exit elsewhere (the main window closing) still finds it.
struct STAGELOADJOB {
    cStageData* pStage;
    std::string strFile;
};

unsigned LoadStageProc(void* param) {
    const std::unique_ptr<STAGELOADJOB> job(static_cast<STAGELOADJOB*>(param));
    const int ok = job->pStage->LoadFromFile(job->strFile);
    if (ok) job->pStage->bLoaded = 1;
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
    auto file = OpenDataFileRead(path.c_str());
    if (!file) return 1;  // the load itself fails and says so
    if (nReadVersion < TRAILER_CHECK_VERSION) {
        CloseDataFile(file);
        return 1;
    }
    uint32_t trailer = 0;
    if (file->Remaining() >= 4) {
        file->Skip(file->Remaining() - 4);
        trailer = file->ReadU32();
    }
    CloseDataFile(file);
    if (trailer == STAGE_TRAILER) return 1;
    ErrMesBoxF("ステージファイル %s が破損しています！", path.c_str());
    RecPostClose();
    return 0;
}

void CopyStageHeader(cStageData& out, cStageData& src) {
    out.CopyValues(src);
    out.vBg = src.vBg;
    out.vText = src.vText;
    for (int i = 0; i < INTREC_NUM; ++i) out.StageIntRec[i] = src.StageIntRec[i];
    out.vRankSwitch = src.vRankSwitch;
    out.vPlacedBlock.clear();
    out.vPlacedChara.clear();
    out.vPlacedItem.clear();
    out.vBlock.clear();
    out.vChara.clear();
    out.vItem.clear();
}

int LoadStageFileInto(cStageData& stage, cThread& thread, const char* name, int numbered, cStageData* out) {
    if (!name) name = "";
    stage.bNumbered = numbered;
    std::string file;
    if (numbered) {
        if (!FindLastNumberedFileStr(file, name, strStageSearchExt.c_str())) return 0;
    } else {
        file = name;
    }
    MakeRelativePathStr(file);
    if (!CheckStageTrailer(file)) return 0;

    stage.bLoaded = 0;
    auto* job = new STAGELOADJOB{&stage, file};
    if (!thread.Create(LoadStageProc, job)) {
        delete job;
        WriteReport("LoadStageFile: the loading thread did not start");
        ErrMesBoxF("%s", GetStageLoadErrorMes(file).c_str());
        return 0;
    }
    if (!PumpUntilThreadEnds(thread)) return 0;

    if (!stage.bLoaded) {
        // The stage keeps what it held, and the name that goes with it.
        ErrMesBoxF("%s", GetStageLoadErrorMes(file).c_str());
        return 0;
    }
    stage.strFileName = file;
    if (!stage.HasHero()) {
        ErrMesBox("主人公が配置されていないのでプレイできません！");
        RecPostClose();
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
