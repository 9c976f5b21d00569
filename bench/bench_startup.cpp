// The start of the game program as a player meets it: the sample game with
// its own System.ini, started as a new process, in a window on an X server
// (the one DISPLAY names, else an Xvfb the benchmark starts), from the
// moment the process is spawned to the first frame presented in the window.
// The program's start-up log (QV_STARTUP_LOG) gives the points in between;
// each is printed as the median over the runs, with every run's total.
//
// Three ways are measured: software rendering on the X server (the figure
// of the start), the renderer SDL picks there (OpenGL: on a machine without
// a GPU driver, Mesa's software GL), and SDL's dummy video driver (no
// window system at all). Sound goes to SDL's dummy driver unless
// SDL_AUDIODRIVER says otherwise. The first run of each way starts in a
// fresh copy of the game (it also writes data\ and the player's folders);
// it is shown apart and left out of the medians.
//
//   bench_startup [RUNS [GAME]]   (RUNS measured runs a way, 7 when not given;
//                                 GAME: another build of the game program)
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/game_folder.h"
#include "support/temp_dir.h"

extern char** environ;

namespace {

double BootClockMs() {
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// An X server of the benchmark's own, stopped with the object. It does not
// reset when its last client leaves: a run then meets the server as it is in
// a session, not rebuilding itself (its keyboard map too) after the run before.
class cXvfb {
public:
    cXvfb() {
        int fds[2];
        if (::pipe(fds) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>("Xvfb"), const_cast<char*>("-displayfd"), const_cast<char*>("3"),
                        const_cast<char*>("-screen"), const_cast<char*>("0"), const_cast<char*>("1024x768x24"),
                        const_cast<char*>("-nolisten"), const_cast<char*>("tcp"), const_cast<char*>("-noreset"),
                        nullptr};
        if (posix_spawnp(&m_nPid, "Xvfb", &actions, nullptr, argv, environ) != 0) m_nPid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        // Xvfb writes its display number when it is ready to take clients.
        std::string number;
        char c;
        while (m_nPid > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        ::close(fds[0]);
        if (!number.empty()) m_strDisplay = ":" + number;
    }
    ~cXvfb() {
        if (m_nPid <= 0) return;
        ::kill(m_nPid, SIGTERM);
        ::waitpid(m_nPid, nullptr, 0);
    }
    cXvfb(const cXvfb&) = delete;
    cXvfb& operator=(const cXvfb&) = delete;
    // ":N", or empty when it did not start.
    const std::string& Display() const { return m_strDisplay; }

private:
    pid_t m_nPid = -1;
    std::string m_strDisplay;
};

// One line of the start-up log: its point and time, and any figures after it.
struct LOGPOINT {
    std::string name;
    double ms = 0;               // since the process started
    std::map<std::string, double> extra;  // "peak memory", "processor"
};

std::vector<LOGPOINT> ReadLog(const std::string& text) {
    std::vector<LOGPOINT> points;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string word, name, key;
        LOGPOINT p;
        bool bTime = false;
        while (words >> word) {
            char* end = nullptr;
            const double v = std::strtod(word.c_str(), &end);
            const bool bNumber = end && *end == 0 && !word.empty();
            if (!bTime) {
                if (bNumber) {
                    p.name = name;
                    p.ms = v;
                    bTime = true;
                } else {
                    name += (name.empty() ? "" : " ") + word;
                }
            } else if (bNumber) {
                p.extra[key] = v;
                key.clear();
            } else if (word != "KB") {
                key += (key.empty() ? "" : " ") + word;
            }
        }
        if (bTime) points.push_back(p);
    }
    return points;
}

// One run: the points as ms since the spawn; empty when the run failed.
struct RUN {
    std::vector<LOGPOINT> points;  // "process start" first (the spawn to the process's start, to the clock tick)
    double firstFrame = -1, processor = -1, peakMb = -1;
};

std::string g_strProgram = QV_GAME_PROGRAM;  // the game program measured

// Starts the program in folder with env on top of this environment; its
// process id, and in spawned the boot-clock time it was spawned at.
pid_t Spawn(const std::filesystem::path& folder, const std::map<std::string, std::string>& env, double& spawned) {
    std::vector<std::string> text;
    for (char** e = environ; *e; ++e) {
        const std::string kv = *e;
        if (!env.count(kv.substr(0, kv.find('=')))) text.push_back(kv);
    }
    for (const auto& [k, v] : env) text.push_back(k + "=" + v);
    std::vector<char*> envp;
    for (std::string& s : text) envp.push_back(s.data());
    envp.push_back(nullptr);
    char* argv[] = {g_strProgram.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, (folder / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = -1;
    spawned = BootClockMs();
    if (posix_spawn(&pid, g_strProgram.c_str(), &actions, nullptr, argv, envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

RUN RunOnce(const std::filesystem::path& game, const std::map<std::string, std::string>& env) {
    RUN run;
    const std::filesystem::path log = game / "startup.txt";
    std::filesystem::remove(log);
    double spawned = 0;
    const int code = apptest::WaitGame(Spawn(game, env, spawned), 60000);
    std::vector<LOGPOINT> points = ReadLog(apptest::ReadText(log));
    if (code != 0 || points.empty() || points.front().name != "process start") return run;
    const double start = points.front().ms - spawned;  // the process's start on the spawn's clock
    points.front().ms = 0;
    for (LOGPOINT& p : points) {
        p.ms += start;
        if (p.name == "first frame") {
            run.firstFrame = p.ms;
            run.processor = p.extra["processor"];
            run.peakMb = p.extra["peak memory"] / 1024.0;
        }
    }
    if (run.firstFrame >= 0) run.points = points;
    return run;
}

// Runs one way `runs` times after a first run in a fresh copy; prints its
// lines; the median spawn-to-first-frame time, -1 when a run failed.
double MeasureWay(const char* title, std::map<std::string, std::string> env, int runs) {
    cTempDir dir;
    apptest::MakeGameFolder(dir.Path(), "");
    env["QV_STARTUP_LOG"] = (dir.Path() / "startup.txt").string();
    env["QV_MAX_FRAMES"] = "3";
    const RUN first = RunOnce(dir.Path(), env);
    std::vector<RUN> measured;
    for (int i = 0; i < runs; ++i) {
        RUN run = RunOnce(dir.Path(), env);
        if (run.firstFrame < 0) {
            std::printf("%s: run %d did not present a frame (see %s)\n", title, i + 1,
                        (dir.Path() / "stderr.txt").c_str());
            return -1;
        }
        measured.push_back(run);
    }
    std::vector<double> totals, cpu, mem;
    for (const RUN& r : measured) {
        totals.push_back(r.firstFrame);
        cpu.push_back(r.processor);
        mem.push_back(r.peakMb);
    }
    std::sort(totals.begin(), totals.end());
    const double median = Median(totals);
    std::printf("\n%s\n", title);
    std::printf("  spawn to first frame: median %.1f ms of %d runs (min %.1f, max %.1f); processor time %.1f ms "
                "(all threads), peak memory %.1f MB\n",
                median, runs, totals.front(), totals.back(), Median(cpu), Median(mem));
    std::printf("  every run (ms):");
    for (double t : totals) std::printf(" %.1f", t);
    std::printf("\n  first run in a fresh copy: %.1f ms\n", first.firstFrame);
    // The points of the first measured run, in their order, each the median over the runs.
    std::printf("  %-24s %10s %10s\n", "point (median)", "at ms", "step ms");
    double previous = 0;
    for (const LOGPOINT& p : measured.front().points) {
        std::vector<double> at;
        for (const RUN& r : measured)
            for (const LOGPOINT& q : r.points)
                if (q.name == p.name) at.push_back(q.ms);
        const double m = Median(at);
        std::string name = p.name == "process start" ? "process start (to tick)" : p.name;
        std::printf("  %-24s %10.1f %10.1f\n", name.c_str(), m, m - previous);
        previous = m;
    }
    return median;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    if (argc > 2) g_strProgram = argv[2];
    std::map<std::string, std::string> base;
    const char* audio = std::getenv("SDL_AUDIODRIVER");
    base["SDL_AUDIODRIVER"] = audio && *audio ? audio : "dummy";
    // The game inherits this environment: nothing of the automation but the log and the end.
    for (const char* name : {"SDL_VIDEODRIVER", "SDL_RENDER_DRIVER", "QV_FAST", "QV_MAX_FRAMES", "QV_EC_LOG", "QV_INPUT",
                             "QV_FRAME_DUMP", "QV_AUTO_ANSWER", "QV_EDITOR", "QV_REPLAY_END"})
        ::unsetenv(name);

    const char* display = std::getenv("DISPLAY");
    std::unique_ptr<cXvfb> xvfb;
    std::string x = display && *display ? display : "";
    if (x.empty()) {
        xvfb = std::make_unique<cXvfb>();
        x = xvfb->Display();
    }
    std::printf("bench_startup: %s on the sample game with its own System.ini, %d runs a way; sound: SDL's %s driver\n",
                g_strProgram.c_str(), runs, base["SDL_AUDIODRIVER"].c_str());
    bool ok = true;
    if (x.empty()) {
        std::printf("no X server (DISPLAY unset and Xvfb did not start): the window ways are left out\n");
    } else {
        std::printf("X server %s%s\n", x.c_str(), xvfb ? " (an Xvfb started by the benchmark)" : " (DISPLAY)");
        auto env = base;
        env["DISPLAY"] = x;
        env["SDL_RENDER_DRIVER"] = "software";
        ok = MeasureWay("window on the X server, software rendering (the start's figure)", env, runs) > 0 && ok;
        env.erase("SDL_RENDER_DRIVER");
        ok = MeasureWay("window on the X server, the renderer SDL picks", env, runs) > 0 && ok;
    }
    auto env = base;
    env["SDL_VIDEODRIVER"] = "dummy";
    env["SDL_RENDER_DRIVER"] = "software";
    ok = MeasureWay("SDL's dummy video driver (no window system)", env, runs) > 0 && ok;
    return ok ? 0 : 1;
}
