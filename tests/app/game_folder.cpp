#include "app/game_folder.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "sample_game/sample_game.h"
#include "support/temp_dir.h"

extern char** environ;

namespace apptest {

namespace fs = std::filesystem;

namespace {

// The sample game, written once per test program and copied from there.
const fs::path& SampleGame() {
    static cTempDir cache;
    static const bool written = sample::WriteSampleGame(cache.Path() / "game");
    (void)written;  // a failed file shows in the runs that need it
    static const fs::path game = cache.Path() / "game";
    return game;
}

}  // namespace

void MakeGameFolder(const fs::path& folder, const std::string& systemIni) {
    fs::copy(SampleGame(), folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    if (!systemIni.empty()) std::ofstream(folder / "System.ini", std::ios::binary | std::ios::trunc) << systemIni;
}

std::string WindowedIni(const std::string& extra) {
    return "Direct3D=0\r\nWindowMode=1\r\nBpp=0\r\nShowFps=0\r\n" + extra + "Exit\r\n";
}

std::map<std::string, std::string> HeadlessEnv(int maxFrames) {
    return {{"SDL_VIDEODRIVER", "dummy"},
            {"SDL_AUDIODRIVER", "dummy"},
            {"SDL_RENDER_DRIVER", "software"},
            {"QV_FAST", "1"},
            {"QV_AUTO_ANSWER", "1"},
            {"QV_EC_LOG", "1"},
            {"QV_MAX_FRAMES", std::to_string(maxFrames)}};
}

int StartGame(const fs::path& folder, const std::map<std::string, std::string>& env,
              const std::vector<std::string>& args, const fs::path& errorFile) {
    std::map<std::string, std::string> all;
    for (char** e = environ; *e; ++e) {
        const std::string kv = *e;
        const auto eq = kv.find('=');
        if (eq != std::string::npos) all[kv.substr(0, eq)] = kv.substr(eq + 1);
    }
    for (const auto& [k, v] : env) all[k] = v;
    std::vector<std::string> envText;
    for (const auto& [k, v] : all) envText.push_back(k + "=" + v);
    std::vector<char*> envp;
    for (auto& s : envText) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::string program = QV_GAME_PROGRAM;
    std::vector<std::string> argText{program};
    argText.insert(argText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& s : argText) argv.push_back(s.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!errorFile.empty())
        posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

// The sanitizer builds run the game several times slower; the time limit only
// tells a hang from a slow run, so it grows with them.
#if defined(__SANITIZE_THREAD__)
constexpr int kSlowBuild = 6;
#elif defined(__SANITIZE_ADDRESS__)
constexpr int kSlowBuild = 3;
#else
constexpr int kSlowBuild = 1;
#endif

int WaitGame(int pid, int timeoutMs) {
    if (pid <= 0) return -1;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs) * kSlowBuild;
    int status = 0;
    for (;;) {
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid) break;
        if (std::chrono::steady_clock::now() > end) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

GAMERUN RunGame(const fs::path& folder, const std::map<std::string, std::string>& env,
                const std::vector<std::string>& args, int timeoutMs) {
    GAMERUN run;
    cTempDir scratch;
    const fs::path errorFile = scratch.File("stderr.txt");
    run.nExitCode = WaitGame(StartGame(folder, env, args, errorFile), timeoutMs);
    run.strReport = ReadText(folder / "Report_Game.txt");
    run.strError = ReadText(errorFile);
    // The program's own complaints still show beside the test's output.
    std::fputs(run.strError.c_str(), stderr);
    return run;
}

std::string ReadText(const fs::path& file) {
    std::ifstream f(file, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

fs::path SavedReplay(const fs::path& game) {
    fs::path found;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(game / "user_data" / "rpl4", ec))
        if (e.path().extension() == ".rpl4_825") found = e.path();
    return found;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::string line;
    std::istringstream s(text);
    while (std::getline(s, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
    }
    return out;
}

int FindLine(const std::vector<std::string>& lines, const std::string& prefix, int from) {
    for (size_t i = static_cast<size_t>(from < 0 ? 0 : from); i < lines.size(); ++i)
        if (lines[i].compare(0, prefix.size(), prefix) == 0) return static_cast<int>(i);
    return -1;
}

double AudioRms(const std::filesystem::path& file, size_t& samples) {
    const std::string raw = ReadText(file);
    samples = raw.size() / sizeof(float);
    double sum = 0;
    for (size_t i = 0; i < samples; ++i) {
        float f;
        std::memcpy(&f, raw.data() + i * sizeof(float), sizeof f);
        sum += static_cast<double>(f) * f;
    }
    return samples ? std::sqrt(sum / static_cast<double>(samples)) : 0.0;
}

void SetWindowRunEnv(cEnvGuard& env) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) env.Set("SDL_VIDEODRIVER", "dummy");
    env.Set("SDL_AUDIODRIVER", "dummy");
    env.Set("SDL_RENDER_DRIVER", "software");
    env.Set("QV_FAST", "1");
    env.Set("QV_EC_LOG", "1");
    env.Unset("QV_MAX_FRAMES");
}

}  // namespace apptest
