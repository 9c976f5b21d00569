#pragma once
// The game folder the whole-program tests run in: the sample game (written
// once per test program by its generator, then copied), with the System.ini
// the test asks for.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/env_guard.h"

namespace apptest {

// Copies the sample game into folder (which must exist), data\ made from
// default\ already. systemIni: the text of System.ini ("" keeps the
// sample's own).
void MakeGameFolder(const std::filesystem::path& folder, const std::string& systemIni);
// A System.ini for automated runs: DirectDraw in a window, no frame-rate text.
std::string WindowedIni(const std::string& extra = std::string());

// What a run of the game program gave.
struct GAMERUN {
    int nExitCode = -1;    // -1: killed by a signal or did not end in time
    std::string strReport;  // Report_Game.txt (CP932)
    std::string strError;   // what it wrote to its standard error (UTF-8)
};
// Runs the game program in folder with the environment variables given on
// top of the test's own, and the arguments; waits at most timeoutMs.
GAMERUN RunGame(const std::filesystem::path& folder, const std::map<std::string, std::string>& env,
                const std::vector<std::string>& args = {}, int timeoutMs = 60000);
// Starts the game program without waiting; its process id. errorFile: where
// its standard error goes ("" leaves it on the test's).
int StartGame(const std::filesystem::path& folder, const std::map<std::string, std::string>& env,
              const std::vector<std::string>& args = {}, const std::filesystem::path& errorFile = {});
// Waits for a started program; its exit code, -1 when it did not end in time.
int WaitGame(int pid, int timeoutMs);
// The environment of an automated headless run.
std::map<std::string, std::string> HeadlessEnv(int maxFrames);
// The environment of a whole program run in this process with a real window:
// the test's X server when there is one (else the dummy driver), no sound
// card, software rendering, fast frames, the error log on, no frame limit.
void SetWindowRunEnv(cEnvGuard& env);

// The lines of a log (CR LF ends).
std::vector<std::string> Lines(const std::string& text);
// Index of the first line at or after `from` that starts with prefix; -1 when none.
int FindLine(const std::vector<std::string>& lines, const std::string& prefix, int from = 0);
std::string ReadText(const std::filesystem::path& file);
// The one replay file the program saved in the game folder (empty: none).
std::filesystem::path SavedReplay(const std::filesystem::path& game);
// The loudness (RMS) of the 32-bit float samples that SDL's disk audio
// driver wrote to `file`, and their count in `samples`.
double AudioRms(const std::filesystem::path& file, size_t& samples);

}  // namespace apptest
