// The conformance game played case by case: each case's stage from the
// command line, in this process, with its key script; what the run ends with
// (stage variables, cleared, the hero's death) against what the case says.
// A failure names the case, what was expected and what came, and leaves the
// last frame of its run in conformance_frames/ under the working folder.
// Some cases compare their last frame with a golden frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/game_folder.h"
#include "app/standard_scenes.h"
#include "app/win_main.h"
#include "database/data_paths.h"
#include "database/option_data.h"
#include "database/system_data.h"
#include "database/system_old_stream.h"
#include "database/world_map.h"
#include "platform/graphics/dd_present.h"
#include "platform/input/input_script.h"
#include "platform/system/cp932.h"
#include "platform/system/mesbox.h"
#include "platform/window/main_thread_messages.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "player/ranking.h"
#include "player/save_data.h"
#include "sample_game/conformance/conformance.h"
#include "sample_game/sample_game.h"
#include "scene/scene_manager.h"
#include "world/block_grid.h"
#include "support/env_guard.h"
#include "support/golden_bmp.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace apptest;
using sample::CONFCASE;

namespace {

constexpr int kVars = 16;  // stage variables S1..S15 are kept from each run

// What one run gave.
struct CASERUN {
    bool bPlayed = false;       // reached play
    int nEnd = -1;              // sample::eConfEnd
    int nFrames = 0;            // frames of play
    int nGameType = -1;         // the scene manager's game type in play
    int nLastChange = 0;        // the frame of play that last changed a stage variable
    int nLives = 0;             // the hero's lives left when the run ended
    std::string strStage;       // the stage file in play, as the save record names it
    std::string strRanking;     // the stage's ranking file when play ended (ranked cases)
    int nScenes = 0;            // play scenes made so far in the run
    bool bFirstCleared = false; // a case played twice: its first run cleared the stage
    int nHitsAstray = 0;        // the first frame of play whose block-hit table differed from the grid
    std::vector<int> vVars = std::vector<int>(kVars, 0);
};

const CONFCASE* g_Case = nullptr;
CASERUN g_Run;
bool g_Done = false;
std::string g_FrameFile;

// "FRAME:KEY" taps, each held for two frames.
std::string Taps(const char* key, int first, int count) {
    std::string s;
    for (int i = 0; i < count; ++i) {
        const int f = first + i * 6;
        s += std::to_string(f) + " " + key + " down\n" + std::to_string(f + 2) + " " + key + " up\n";
    }
    return s;
}

// The keys after the first run of a case played twice has cleared its stage,
// from frame `now`: the walking keys released, the results confirmed, and
// the same stage chosen again: in the challenge list, where the cursor stays
// on it, or on the world map, where the walker stands on its cleared event
// (confirm opens the question, up answers yes).
std::string ReentryKeys(uint32_t now, bool story) {
    const int f = static_cast<int>(now);
    std::string keys = std::to_string(f + 1) + " RIGHT up\n" + std::to_string(f + 1) + " LEFT up\n" +
                       Taps("Z", f + 60, 1);
    keys += story ? Taps("Z", f + 200, 1) + Taps("UP", f + 230, 1) + Taps("Z", f + 245, 1) : Taps("Z", f + 200, 1);
    return keys;
}

// The block-hit table is the one the grid gives now.
bool BlockHitsInStep() {
    if (BlockHits.size() != BlockGrid.size()) return false;
    for (size_t i = 0; i < BlockGrid.size(); ++i)
        if (!(BlockHits[static_cast<int>(i)] == BlockHitOf(BlockGrid[static_cast<int>(i)]))) return false;
    return true;
}

// A case whose run may end in the pause menu: the stage started again, or
// play left for the title or the map.
bool PauseEnds(const CONFCASE& c) { return c.bClearFirst || c.nEnd >= sample::CONFEND_RETRIED; }

// The play scene of a case: the case's keys from its first frame of play,
// the stage variables after every frame of play, the end of the run.
class cCasePlay : public cPlayScene {
public:
    void Run() override {
        cPlayScene::Run();
        if (g_Run.nHitsAstray == 0 && !BlockHitsInStep()) g_Run.nHitsAstray = nElapsedFrames + 1;
        if (g_Done) return;
        // The first run of a case played twice only has to clear the stage.
        const bool bFirstRun = g_Case->bClearFirst && m_nScene == 0;
        if (nState == PLAYSTATE_PLAY && nElapsedFrames >= 1) {
            if (!m_bStarted) {
                m_bStarted = true;
                if (!bFirstRun) {
                    g_Run.bPlayed = true;
                    g_Run.strStage = SaveData.strStage;
                    g_Run.nGameType = SceneManager.nGameType;
                }
                std::string script, line;
                std::istringstream in(bFirstRun ? g_Case->strFirstInput : g_Case->strInput);
                for (int f; in >> f && std::getline(in, line);)
                    script += std::to_string(GetFrameCount() + f - 1) + line + "\n";
                ParseInputScript(script);
            }
            if (bFirstRun) return;
            g_Run.nFrames = nElapsedFrames;
            for (int i = 0; i < kVars; ++i) {
                if (g_Run.vVars[i] != World.vStageVars[i]) g_Run.nLastChange = nElapsedFrames;
                g_Run.vVars[i] = World.vStageVars[i];
            }
            if (World.Hero() && World.Hero()->dying)
                Finish(sample::CONFEND_DIED);
            else if (nElapsedFrames >= g_Case->nFrames)
                Finish(sample::CONFEND_PLAYING);
        } else if (bFirstRun) {
            if (nState == PLAYSTATE_AFTERPLAY && !g_Run.bFirstCleared) {
                g_Run.bFirstCleared = true;
                ParseInputScript(ReentryKeys(GetFrameCount(), g_Case->bStory));
            }
        } else if (PauseEnds(*g_Case) && m_bStarted && nState == PLAYSTATE_BANNER) {
            Finish(sample::CONFEND_RETRIED);
        } else if (PauseEnds(*g_Case) && nState == PLAYSTATE_EXIT) {
            Finish(SceneManager.nNext == SCENE_WORLD_MAP ? sample::CONFEND_MAP : sample::CONFEND_TITLE);
        } else if (nState == PLAYSTATE_AFTERPLAY && g_Case->nRankMode < 0) {
            Finish(sample::CONFEND_CLEARED);
        } else if (nState == PLAYSTATE_AFTERPLAY) {
            m_bCleared = true;
        } else if (nState == PLAYSTATE_EXIT && m_bCleared) {
            g_Run.strRanking = GetRankingFilePath(SceneManager.nGameType, SaveData.strStage, SaveData.nEvent1,
                                                  SaveData.nEvent2, SaveData.nEvent3);
            Finish(sample::CONFEND_CLEARED);
        } else if (nState == PLAYSTATE_RESTART || nState == PLAYSTATE_GAMEOVER) {
            Finish(sample::CONFEND_DIED);
        }
    }

private:
    const int m_nScene = g_Run.nScenes++;
    bool m_bStarted = false;
    bool m_bCleared = false;
    static void Finish(int end) {
        g_Run.nEnd = end;
        g_Run.nLives = SaveData.nLives;
        g_Done = true;
        DDWriteLastFrame(g_FrameFile);
        PostCloseMain();
    }
};

cScene* CasePlay(int n) { return n == SCENE_PLAY ? new cCasePlay() : CreateStandardScene(n); }

void ResetRun() {
    ResetAppState();
    g_Run = CASERUN{};
    g_Done = false;
}

// The conformance game, written once per test program.
const fs::path& ConformanceGame() {
    static cTempDir cache;
    static const bool written = sample::WriteConformanceGame(cache.Path() / "game");
    (void)written;  // a missing file shows in the cases that need it
    static const fs::path game = cache.Path() / "game";
    return game;
}

const char* EndName(int end) {
    switch (end) {
        case sample::CONFEND_PLAYING: return "still playing";
        case sample::CONFEND_CLEARED: return "cleared";
        case sample::CONFEND_DIED: return "hero died";
        case sample::CONFEND_RETRIED: return "the stage started again";
        case sample::CONFEND_TITLE: return "left for the title";
        case sample::CONFEND_MAP: return "left for the world map";
        default: return "never reached play";
    }
}

// "" when the run shows what the case says, else what differs.
std::string Differences(const CONFCASE& c, const CASERUN& r) {
    std::string out;
    if (c.bClearFirst && !r.bFirstCleared) out += " the first run did not clear the stage;";
    if (r.nEnd != c.nEnd)
        out += std::string(" end: expected ") + EndName(c.nEnd) + ", got " + EndName(r.nEnd) + " after " +
               std::to_string(r.nFrames) + " frames;";
    if (r.nHitsAstray != 0)
        out += " the block-hit table left the grid on frame " + std::to_string(r.nHitsAstray - 1) + ";";
    if (c.nLives >= 0 && r.nLives != c.nLives)
        out += " lives: expected " + std::to_string(c.nLives) + ", got " + std::to_string(r.nLives) + ";";
    for (const sample::CONFCHECK& k : c.vCheck) {
        const int got = k.nVar < kVars ? r.vVars[k.nVar] : -999999999;
        if (got != k.nValue)
            out += " S" + std::to_string(k.nVar) + ": expected " + std::to_string(k.nValue) + ", got " +
                   std::to_string(got) + ";";
    }
    return out;
}

// The title's keys that choose case i in the challenge list: down twice to
// the challenge list, confirmed; paged right to the last stage, up to case
// i's, confirmed.
std::string ChallengeKeys(size_t i, size_t count) {
    const int up = static_cast<int>(count - 1 - i);
    return Taps("DOWN", 40, 2) + Taps("Z", 52, 1) + Taps("RIGHT", 130, 40) + Taps("UP", 380, up) +
           Taps("Z", 400 + up * 6, 1);
}

// The title's keys of a story case: a new story, then on the world map a
// step right onto the first stage, accepted.
std::string StoryKeys() {
    return Taps("Z", 40, 1) + Taps("Z", 100, 1) + Taps("RIGHT", 300, 1) + Taps("UP", 330, 1) + Taps("Z", 345, 1);
}

// The cases are played in shards, each a test of its own, so that the test
// command can run them side by side.
constexpr int kShards = 4;

class Conformance : public ::testing::TestWithParam<int> {
protected:
    Conformance() { ResetRun(); }
    ~Conformance() override { ResetRun(); }
    cEnvGuard m_Env;
    cWorkDirGuard m_Cwd;
};

}  // namespace

TEST_P(Conformance, EveryCaseOfTheShardPlaysAsItsRuleSays) {
    const fs::path game = ConformanceGame();
    const fs::path frames = fs::current_path() / "conformance_frames";
    fs::create_directories(frames);
    std::ofstream(game / "System.ini", std::ios::binary | std::ios::trunc) << WindowedIni();
    SetWindowRunEnv(m_Env);
    m_Env.Set("SDL_VIDEODRIVER", "dummy");
    m_Env.Unset("QV_EC_LOG");
    const std::vector<CONFCASE>& cases = sample::ConformanceCases();
    int failed = 0, pending = 0;
    std::string pendingList;
    int played = 0;
    // QV_CONFORMANCE_CASE=text plays only the cases whose names hold the text.
    const char* only = std::getenv("QV_CONFORMANCE_CASE");
    for (size_t i = static_cast<size_t>(GetParam()); i < cases.size(); i += kShards) {
        const CONFCASE& c = cases[i];
        if (only && c.strName.find(only) == std::string::npos) continue;
        ++played;
        ResetRun();
        g_Case = &c;
        g_FrameFile = (frames / (c.strName + ".bmp")).string();
        // A run that never ends as the case expects is closed after this many frames.
        m_Env.Set("QV_MAX_FRAMES", std::to_string(c.nFrames + (c.bChallenge || c.bStory ? 1200 : 600) + (c.bClearFirst ? 900 : 0)).c_str());
        // A test play goes straight into play without banners; free play and
        // a challenge show them.
        m_Env.Set("QV_EDITOR", c.bFreePlay || c.bChallenge || c.bStory ? nullptr : (game / "editor.txt").c_str());
        m_Cwd.Enter(game);
        SetSceneFactory(CasePlay);
        std::string file = "data\\" + sample::ConformanceStagePath(i);
        for (char& ch : file)
            if (ch == '/') ch = '\\';
        file = file.substr(0, file.rfind('_'));
        if (c.bChallenge) {
            // From the title, without a stage on the command line.
            fs::remove_all(game / "user_data" / "challenge");
            ParseInputScript(ChallengeKeys(i, cases.size()));
        }
        // A story case: the world map's first stage event names the case's
        // stage for this run; the title's keys start a new story and step onto it.
        const fs::path mapFile = game / "data" / "WorldMap.dat";
        const std::string mapBytes = c.bStory ? ReadText(mapFile) : std::string();
        if (c.bStory) {
            // A new story, with no story saved by an earlier case.
            fs::remove_all(game / "user_data" / "story");
            cWorldMap map;
            map.LoadFile(mapFile.string());
            for (cWorldEvent& e : map.vEvent)
                for (cWorldPage& p : e.vPage)
                    if (p.strStageFile == "data\\stg4\\stage1-1.stg4") p.strStageFile = file;
            map.SaveFile(mapFile.string());
            ParseInputScript(StoryKeys());
        }
        // A case's own System.dat for its run; the game's own afterwards.
        const fs::path sysFile = game / "data" / "System.dat";
        const bool ownSystem = c.System || c.nSystemVersion != 0;
        const std::string sysBytes = ownSystem ? ReadText(sysFile) : std::string();
        if (ownSystem) {
            cSystemData sys;
            sys.LoadFile(sysFile.string());
            if (c.System) c.System(sys);
            if (c.nSystemVersion != 0) {
                cSystemData stored = oldsys::AsStoredAt(sys, c.nSystemVersion);
                oldsys::WriteBytes(sysFile.string(), oldsys::SystemDat(stored, c.nSystemVersion));
            } else {
                sys.SaveFile(sysFile.string());
            }
        }
        // A ranked case's option record: its ranking mode and the name "conf".
        fs::remove_all(game / "user_data" / "ranking");
        if (c.nRankMode >= 0) {
            OptionData.nRankMode = c.nRankMode;
            OptionData.strRankName = "conf";
            SaveOptionData();
        }
        // The name dialog waits for the case's keys.
        m_Env.Set("QV_AUTO_ANSWER", c.nRankMode == 0 || c.nRankMode == 2 ? "0" : nullptr);
        RereadAutoAnswer();
        if (c.bReplay) {
            // F1 saves the replay without asking, and the run closes there.
            fs::remove_all(game / "user_data" / "rpl4");
            m_Env.Set("QV_AUTO_ANSWER", "1");
            RereadAutoAnswer();
            m_Env.Set("QV_REPLAY_END", (frames / (c.strName + "_end.bmp")).c_str());
        }
        int rc = WinMain(c.bChallenge || c.bStory ? "" : file.c_str(), 1);
        std::string replayDiff;
        if (c.bReplay) {
            // The recorded run closed in play; its replay from the command line
            // must end in play the same way.
            const CASERUN recorded = g_Run;
            const fs::path replay = SavedReplay(game);
            if (replay.empty() != c.bNoReplay)
                replayDiff = c.bNoReplay ? " replay: F1 saved one, expected none;" : " replay: F1 saved none;";
            if (!c.bNoReplay) ResetRun();
            if (!replay.empty() && !c.bNoReplay && rc == 0) {
                const std::string name = "user_data\\rpl4\\" + replay.filename().string();
                SetSceneFactory(CasePlay);
                rc = WinMain(name.c_str(), 1);
                if (g_Run.nGameType != 3)
                    replayDiff += " game type: expected 3 (replay), got " + std::to_string(g_Run.nGameType) + ";";
                if (g_Run.nLastChange != recorded.nLastChange || g_Run.vVars != recorded.vVars)
                    replayDiff += " replay: the recorded run set S1 = " + std::to_string(recorded.vVars[1]) +
                                  " on frame " + std::to_string(recorded.nLastChange) + ", its replay S1 = " +
                                  std::to_string(g_Run.vVars[1]) + " on frame " + std::to_string(g_Run.nLastChange) +
                                  ";";
            }
            if (g_Run.bPlayed && g_Run.nEnd < 0) g_Run.nEnd = sample::CONFEND_PLAYING;
            m_Env.Unset("QV_REPLAY_END");
        }
        if (c.bStory) std::ofstream(mapFile, std::ios::binary | std::ios::trunc) << mapBytes;
        if (ownSystem) std::ofstream(sysFile, std::ios::binary | std::ios::trunc) << sysBytes;
        if (c.nRankMode >= 0) fs::remove(game / "user_data" / "Option.dat");
        std::string ranking;
        if (!g_Run.strRanking.empty()) {
            std::string path = g_Run.strRanking;
            for (char& ch : path)
                if (ch == '\\') ch = '/';
            ranking = ReadText(game / path);
        }
        m_Cwd.Restore();
        std::string diff = rc == 0 ? Differences(c, g_Run) : " the program ended with " + std::to_string(rc);
        diff += replayDiff;
        if (c.nRankMode >= 0 && ranking.find(c.strRankName) == std::string::npos)
            diff += " ranking: \"" + g_Run.strRanking + "\" does not hold the name \"" + c.strRankName + "\";";
        // The save record names the stage without its event and extension: "data\stg4\c12.".
        const std::string named = file.substr(0, file.rfind('-')) + ".";
        if (c.bStory && g_Run.nGameType != 0)
            diff += " game type: expected 0 (story), got " + std::to_string(g_Run.nGameType) + ";";
        if ((c.bChallenge || c.bStory) && g_Run.strStage != named)
            diff += " stage: expected \"" + named + "\", got \"" + g_Run.strStage + "\";";
        GOLDENFRAME frame;
        if (c.bGolden && rc == 0) {
            const std::string golden = ReadBmp24(g_FrameFile, frame) ? CompareGolden("conformance_" + c.strName, frame)
                                                                     : std::string("no last frame");
            if (!golden.empty()) diff += " frame: " + golden + ";";
        }
        if (c.nPending >= 0) {
            ++pending;
            pendingList += "  " + c.strName + " (known fault " + std::to_string(c.nPending) + "): " +
                           (diff.empty() ? "now passes, clear its mark" : diff) + "\n";
            continue;
        }
        if (diff.empty()) {
            fs::remove(g_FrameFile);
            continue;
        }
        ++failed;
        ADD_FAILURE() << "case " << i + 1 << " " << c.strName << " (" << Cp932ToUtf8(c.strRule) << "):" << diff
                      << " last frame: " << g_FrameFile;
    }
    std::printf("shard %d: %d cases, %d failed, %d pending:\n%s", GetParam(), played, failed, pending,
                pendingList.c_str());
}

INSTANTIATE_TEST_SUITE_P(Shards, Conformance, ::testing::Range(0, kShards));

TEST(ConformanceTable, TheCommittedTableIsTheOneTheCasesMake) {
    const char* data = std::getenv("QV_TEST_DATA");
    ASSERT_NE(data, nullptr);
    const fs::path doc = fs::path(data).parent_path().parent_path() / "docs" / "conformance.md";
    EXPECT_EQ(ReadText(doc), Cp932ToUtf8(sample::ConformanceTableText()))
        << doc << " differs: write it again with ./build/make_sample_game --conformance-table > docs/conformance.md";
}

TEST(ConformanceGame, ItsChallengeListHoldsEveryCaseAsTheStageOfItsNumber) {
    const fs::path game = ConformanceGame();
    cSystemData sys;
    ASSERT_EQ(sys.LoadFile((game / "data" / "System.dat").string()), 1);
    const std::vector<CONFCASE>& cases = sample::ConformanceCases();
    EXPECT_EQ(sys.nMaxStage, static_cast<int32_t>(cases.size()));
    EXPECT_EQ(sys.bUseMaxStage, 1);
    for (size_t i = 0; i < cases.size(); ++i) {
        // The challenge list's path of stage i + 1; the file carries the data version.
        std::string path = GetChallengeStagePath(static_cast<int>(i) + 1);
        for (char& ch : path)
            if (ch == '\\') ch = '/';
        EXPECT_TRUE(fs::exists(game / (path + "_825"))) << cases[i].strName << " " << path;
    }
}
