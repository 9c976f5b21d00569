// libFuzzer harness over play: every input is a stage file of the sample
// game (the seeds are its stages), mutated as bytes and as a stage (see
// play_mutate.h), and played from the command line as the program does it
// (the whole program in this process, headless) for a few hundred frames
// with keys pressed at random. A crash, a sanitizer finding, a frame that
// takes more than a second of the game thread's time (or blocks for half a
// minute), or more memory than the run allows fails it.
// The game folder is QV_FUZZ_GAME (fuzz_seeds writes it beside the corpus).
#include <pthread.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/win_main.h"
#include "database/global_objects.h"
#include "platform/graphics/dd_present.h"
#include "platform/input/input_script.h"
#include "platform/window/main_thread_messages.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "play_mutate.h"
#include "support/play_fuzz_keys.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr uint32_t SHOWN_FRAMES_MAX = 3000;       // frames shown (waits included) before the run is closed
// A frame may take three seconds of the game thread's processor time: a
// loaded machine slows the clock on the wall, and that one too, less (a
// drawing frame of a kept input takes 150-400 ms alone under the coverage
// counters, over a second beside the other harnesses). A thread that blocks
// uses none, so a frame also may not take longer than WAIT_LIMIT on the wall.
constexpr int64_t FRAME_CPU_LIMIT_NS = 3'000'000'000;
constexpr auto WAIT_LIMIT = std::chrono::seconds(30);
constexpr auto START_LIMIT = std::chrono::seconds(30);  // until the first frame

// The frames shown in this run and when the last one came (the watchdog's view):
// on the wall and on the processor clock of the thread that shows them.
std::atomic<uint32_t> g_nShown{0};
std::atomic<int64_t> g_nLastFrame{0};
std::atomic<clockid_t> g_FrameClock{CLOCK_THREAD_CPUTIME_ID};
std::atomic<int64_t> g_nLastFrameCpu{-1};  // -1: no frame yet
std::atomic<bool> g_bRunning{false};

int64_t Now() { return Clock::now().time_since_epoch().count(); }

// The processor time of the thread behind clock, or -1 once it has ended.
int64_t CpuNow(clockid_t clock) {
    timespec ts{};
    if (clock_gettime(clock, &ts) != 0) return -1;
    return static_cast<int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// Called on the game thread as each frame is handed over.
void OnFrame() {
    clockid_t clock = CLOCK_THREAD_CPUTIME_ID;
    if (pthread_getcpuclockid(pthread_self(), &clock) == 0) {
        g_FrameClock = clock;
        g_nLastFrameCpu = CpuNow(clock);
    }
    g_nLastFrame = Now();
    // A stage that waits without end (a game wait of hours, a message for a
    // key never pressed) keeps showing frames: the run is closed instead.
    if (++g_nShown == SHOWN_FRAMES_MAX) PostCloseMain();
}

// Ends the process when a frame takes longer than its limits.
void Watchdog() {
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        // Frames are due only while the game thread runs (not while the
        // program starts, nor once it has begun to close).
        if (!g_bRunning.load() || !thGame.IsRunning() || thGame.HasEnded()) {
            if (g_nShown.load() != 0 || !g_bRunning.load()) {
                g_nLastFrame = Now();
                g_nLastFrameCpu = -1;
            }
            continue;
        }
        const auto since = Clock::duration(Now() - g_nLastFrame.load());
        const auto wallLimit = g_nShown.load() == 0 ? START_LIMIT : WAIT_LIMIT;
        const int64_t lastCpu = g_nLastFrameCpu.load();
        const int64_t cpu = lastCpu < 0 ? -1 : CpuNow(g_FrameClock.load());
        if (cpu >= 0 && cpu - lastCpu > FRAME_CPU_LIMIT_NS) {
            std::fprintf(stderr, "==fuzz_play== a frame took more than %lld ms of the game thread's time (frame %u)\n",
                         static_cast<long long>(FRAME_CPU_LIMIT_NS / 1'000'000), g_nShown.load());
            std::abort();
        }
        if (since > wallLimit) {
            std::fprintf(stderr, "==fuzz_play== no frame for %lld s (frame %u)\n",
                         static_cast<long long>(std::chrono::duration_cast<std::chrono::seconds>(wallLimit).count()),
                         g_nShown.load());
            std::abort();
        }
    }
}

fs::path g_Game;

// The game reads its folder through the working directory, libFuzzer its
// corpus and artifacts through the folder it was started in (paths given
// relative to it): the game's folder is current only while a run plays.
class cInGameFolder {
public:
    cInGameFolder() : m_Start(fs::current_path()) { fs::current_path(g_Game); }
    ~cInGameFolder() { fs::current_path(m_Start); }
    cInGameFolder(const cInGameFolder&) = delete;
    cInGameFolder& operator=(const cInGameFolder&) = delete;

private:
    fs::path m_Start;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    const char* game = std::getenv("QV_FUZZ_GAME");
    if (!game || !fs::exists(fs::path(game) / "data" / "stg4")) {
        std::fprintf(stderr, "fuzz_play: QV_FUZZ_GAME must name the game folder fuzz_seeds wrote\n");
        std::exit(2);
    }
    g_Game = fs::absolute(game);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    setenv("QV_FAST", "1", 1);
    setenv("QV_AUTO_ANSWER", "1", 1);
    setenv("QV_EC_LOG", "1", 1);
    setenv("QV_MAX_FRAMES", std::to_string(PLAY_FUZZ_FRAMES).c_str(), 1);
    setenv("QV_INPUT", (g_Game / "fuzz_keys.txt").c_str(), 1);
    std::thread(Watchdog).detach();
    return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
    // Half the time a structured change of the stage; otherwise (or when the
    // bytes are no stage) the bytes are mutated.
    if (seed % 2 == 0) {
        std::vector<uint8_t> bytes(data, data + size);
        if (fuzz::MutateStage(bytes, seed / 2) && bytes.size() <= maxSize) {
            std::copy(bytes.begin(), bytes.end(), data);
            return bytes.size();
        }
    }
    return LLVMFuzzerMutate(data, size, maxSize);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream(g_Game / "data" / "stg4" / "fuzz.stg4", std::ios::binary)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        std::ofstream(g_Game / "fuzz_keys.txt") << PlayFuzzKeyScript(data, size);
    }
    ResetAppState();
    g_nShown = 0;
    g_nLastFrame = Now();
    DDSetFrameNotify(OnFrame);
    g_bRunning = true;
    {
        cInGameFolder inGame;
        WinMain("data\\stg4\\fuzz.stg4", 1);
    }
    g_bRunning = false;
    DDSetFrameNotify(nullptr);
    return 0;
}
