// Whole runs of a sample stage given on the command line: the stage set-up's
// trace in the error log, the banners, play, the pause menu and back, the
// pause menu's to-title item closing a test play, and (in this process) a
// scripted run that jumps, takes a coin and clears the stage.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/app_state.h"
#include "app/game_folder.h"
#include "app/standard_scenes.h"
#include "app/win_main.h"
#include "actors/shot.h"
#include "platform/input/input_script.h"
#include "platform/sound/music_manager.h"
#include "platform/window/main_thread_messages.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "player/save_data.h"
#include "scene/scene_manager.h"
#include "scene/window_requests.h"
#include "support/env_guard.h"
#include "support/golden_bmp.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace apptest;

namespace {

// Runs the first sample stage from the command line with a key script.
GAMERUN RunStage(const cTempDir& dir, const std::string& script, int maxFrames,
                 std::map<std::string, std::string> extra = {}) {
    MakeGameFolder(dir.Path(), WindowedIni());
    std::ofstream(dir.Path() / "input.txt") << script;
    auto env = HeadlessEnv(maxFrames);
    env["QV_INPUT"] = dir.File("input.txt");
    for (auto& [k, v] : extra) env[k] = v;
    return RunGame(dir.Path(), env, {"data\\stg4\\stage1-1.stg4"});
}

}  // namespace

TEST(PlayRun, AStageFromTheCommandLineIsSetUpPlayedPausedAndResumed) {
    cTempDir dir;
    // After the banners space opens the pause menu and X (cancel) goes back to
    // play, where space opens it again; down to "retry" and confirm sets the
    // stage up once more.
    const GAMERUN run = RunStage(dir,
                                 "400 SPACE down\n402 SPACE up\n430 X down\n432 X up\n460 SPACE down\n462 SPACE up\n"
                                 "470 DOWN down\n471 DOWN up\n480 Z down\n482 Z up\n",
                                 500);
    ASSERT_EQ(run.nExitCode, 0) << run.strReport;
    const auto ec = Lines(ReadText(dir.Path() / "EC_Game.txt"));
    // The set-up's trace lines in order (a line of another part may come between).
    auto trace = [&](int at) {
        for (const char* line : {"A", "B", "10", "11", "12", "C", "D", "Out SetStage"}) {
            const int next = FindLine(ec, line, at + 1);
            EXPECT_GT(next, at) << line;
            at = next;
        }
        return at;
    };
    const int first = FindLine(ec, "In SetStage bLoadStage = 0");
    ASSERT_GE(first, 0) << ReadText(dir.Path() / "EC_Game.txt");
    const int end = trace(first);
    const int retry = FindLine(ec, "In SetStage bLoadStage = 1", end);
    ASSERT_GT(retry, end);
    trace(retry);
    EXPECT_NE(run.strReport.find("QV_MAX_FRAMES : 500 frames run"), std::string::npos) << run.strReport;
}

TEST(PlayRun, AnEditorTestPlayShowsNoBannersAndToTitleClosesTheProgram) {
    cTempDir dir;
    // Straight into play without banners, so the space key at 100 is already in
    // play; the menu opens on "continue": up to "to title", confirm.
    // (With banners the space key would come while they show and be ignored.)
    const GAMERUN run = RunStage(dir, "100 SPACE down\n102 SPACE up\n110 UP down\n111 UP up\n120 Z down\n122 Z up\n",
                                 1000, {{"QV_EDITOR", dir.File("editor.txt")}});
    ASSERT_EQ(run.nExitCode, 0) << run.strReport;
    EXPECT_EQ(run.strReport.find("QV_MAX_FRAMES"), std::string::npos) << run.strReport;
    EXPECT_NE(ReadText(dir.Path() / "EC_Game.txt").find("WM_CLOSE "), std::string::npos);
}


TEST(PlayRun, TheHeroWalksIntoThePitDiesAndTheStageIsBuiltAgainTheSameWayEachRun) {
    // Right is held from the first frames of play: the hero walks past the
    // first enemies (hurt on the way) and falls into the pit at cells 30..33.
    // A test play has unlimited lives, so each death builds the stage again.
    const std::string script = "200 RIGHT down\n";
    cTempDir first, second;
    const GAMERUN a = RunStage(first, script, 1300, {{"QV_FRAME_DUMP", first.File("last.bmp")}});
    const GAMERUN b = RunStage(second, script, 1300, {{"QV_FRAME_DUMP", second.File("last.bmp")}});
    ASSERT_EQ(a.nExitCode, 0) << a.strReport;
    ASSERT_EQ(b.nExitCode, 0) << b.strReport;
    const auto ec = Lines(ReadText(first.Path() / "EC_Game.txt"));
    const int setUp = FindLine(ec, "Out SetStage");
    ASSERT_GE(setUp, 0);
    // No load complaint about rows or entries without a picture.
    for (int i = 0; i < setUp; ++i) EXPECT_EQ(ec[i].find("LOADIMAGE_ERR"), std::string::npos) << ec[i];
    const int dead = FindLine(ec, "Dead 2", setUp);
    ASSERT_GT(dead, setUp) << ReadText(first.Path() / "EC_Game.txt");
    EXPECT_GT(FindLine(ec, "In SetStage bLoadStage = 1", dead), dead);
    EXPECT_NE(a.strReport.find("QV_MAX_FRAMES : 1300 frames run"), std::string::npos) << a.strReport;
    // The same script gives the same log of play (the threads' shutdown lines
    // that follow the close may interleave either way) and the same last picture.
    const auto played = [](const std::string& log) { return log.substr(0, log.find("WM_CLOSE")); };
    EXPECT_EQ(played(ReadText(first.Path() / "EC_Game.txt")), played(ReadText(second.Path() / "EC_Game.txt")));
    const std::string pictureA = ReadText(first.Path() / "last.bmp");
    EXPECT_GT(pictureA.size(), 640u * 480u);
    EXPECT_TRUE(pictureA == ReadText(second.Path() / "last.bmp"));
}

namespace {

// What the watched play scene saw, frame by frame of play.
struct PLAYWATCH {
    std::vector<double> vStageY, vScreenY, vX;  // the hero, indexed by play frame - 1
    std::vector<int32_t> vHp, vInvincible;      // the hero's hit points and invincibility left
    std::vector<double> vPlatformX;             // the first block character (0 when none)
    std::vector<int32_t> vOnObject;             // the hero stands on a block character
    std::vector<int32_t> vFacing;               // the hero's facing (1 right)
    std::vector<int32_t> vSlimeHp;              // the first slime's hit points (0 once it is gone)
    std::vector<std::vector<std::pair<double, double>>> vStars;  // the hero's flying shots: x, velocity
    std::vector<int32_t> vMusicLoop, vMusicSlot; // the stage music's loop argument, the slot playing
    size_t nItemsAtStart = 0, nItemsBeforeGoal = 0, nItemsAtClear = 0;
    int32_t nClearFrames = -1, nClearTime = -1, nSavedClearTime = -1;
    int32_t nDeaths = 0;
    int32_t nStopAt = 0;  // the program is closed at this play frame (0: at the clear)
};
PLAYWATCH g_Watch;
std::string g_Route;  // key script in play frames (play frame 1 = the first frame of play)

// The play scene, watched after each frame; the route's keys are laid on the
// frames from the first frame of play on; the results end the program.
class cWatchedPlay : public cPlayScene {
public:
    void Run() override {
        cPlayScene::Run();
        cPlayer* lpHero = World.Hero();
        if (nState == PLAYSTATE_PLAY && lpHero && nElapsedFrames >= 1) {
            auto& w = g_Watch;
            if (nElapsedFrames == 1 && w.vStageY.empty()) {
                std::string script, line;
                std::istringstream in(g_Route);
                for (int f; in >> f && std::getline(in, line);)
                    script += std::to_string(GetFrameCount() + f - 1) + line + "\n";
                ParseInputScript(script);
                w.nItemsAtStart = World.lstItem.size();
            }
            if (static_cast<size_t>(nElapsedFrames) <= w.vStageY.size()) ++w.nDeaths;  // the stage began again
            w.vStageY.resize(nElapsedFrames - 1);
            w.vScreenY.resize(nElapsedFrames - 1);
            w.vX.resize(nElapsedFrames - 1);
            w.vPlatformX.resize(nElapsedFrames - 1);
            w.vOnObject.resize(nElapsedFrames - 1);
            w.vHp.resize(nElapsedFrames - 1);
            w.vHp.push_back(lpHero->hp);
            w.vInvincible.resize(nElapsedFrames - 1);
            w.vInvincible.push_back(lpHero->invincible);
            const auto platform = std::find_if(World.lstStageChara.begin(), World.lstStageChara.end(),
                                               [](const cStageChara& c) { return c.byBlockChara != 0; });
            w.vPlatformX.push_back(platform == World.lstStageChara.end() ? 0 : platform->x);
            w.vOnObject.push_back(lpHero->standingOnObject);
            w.vFacing.resize(nElapsedFrames - 1);
            w.vFacing.push_back(lpHero->nFacing);
            w.vSlimeHp.resize(nElapsedFrames - 1);
            const auto slime = std::find_if(World.lstStageChara.begin(), World.lstStageChara.end(),
                                            [](const cStageChara& c) { return c.data.strName == "スライム"; });
            w.vSlimeHp.push_back(slime == World.lstStageChara.end() || slime->dying ? 0 : slime->hp);
            w.vStars.resize(nElapsedFrames);
            w.vStars.back().clear();
            for (size_t i = 0; i < World.lstShots.Places(); ++i)
                if (const cShot* s = World.lstShots.At(i); s && s->bFlying && s->Shooter() == lpHero)
                    w.vStars.back().emplace_back(s->x, s->dVelX);
            w.vMusicLoop.resize(nElapsedFrames - 1);
            w.vMusicLoop.push_back(nStageBgmLoop.load());
            w.vMusicSlot.resize(nElapsedFrames - 1);
            w.vMusicSlot.push_back(Bgm.CurrentSlot());
            w.vStageY.push_back(lpHero->y);
            w.vScreenY.push_back(lpHero->y - World.ScrollY.dPos);
            w.vX.push_back(lpHero->x);
            w.nItemsBeforeGoal = World.lstItem.size();
            if (nElapsedFrames == w.nStopAt) PostCloseMain();
        }
        if (nState == PLAYSTATE_AFTERPLAY && g_Watch.nClearFrames < 0) {
            g_Watch.nClearFrames = nElapsedFrames;
            g_Watch.nClearTime = nElapsedTime;
            g_Watch.nSavedClearTime = SaveData.nClearTime;
            g_Watch.nItemsAtClear = World.lstItem.size();
        }
        // The results stay 60 frames, past their banner, for the last picture.
        if (nState == PLAYSTATE_AFTERPLAY && ++m_nResultFrames == 60) PostCloseMain();
    }

private:
    int m_nResultFrames = 0;
};

cScene* WatchPlay(int n) { return n == SCENE_PLAY ? new cWatchedPlay() : CreateStandardScene(n); }

void ResetRun() {
    ResetAppState();
    g_Watch = PLAYWATCH{};
    g_Route.clear();
}

class PlayRunInProcess : public ::testing::Test {
protected:
    PlayRunInProcess() { ResetRun(); }
    ~PlayRunInProcess() override { ResetRun(); }
    // The sample game's folder, with the window run's settings, the error log
    // on and the play scene watched.
    void SetUpRun() {
        MakeGameFolder(m_Dir.Path(), WindowedIni());
        SetWindowRunEnv(m_Env);
        m_Env.Set("QV_EC_LOG", "1");
    }
    // Plays stage 1-1 in this process with g_Route as its keys; the program's result.
    int PlayFirstStage() {
        m_Cwd.Enter(m_Dir.Path());
        SetSceneFactory(WatchPlay);
        const int result = WinMain("data\\stg4\\stage1-1.stg4", 1);
        m_Cwd.Restore();
        return result;
    }
    // Plays stage 1-1 with g_Route's keys, closed at play frame `stopAt` (0: at
    // the clear); the error log's text, for the messages of the checks.
    std::string PlayRoute(int32_t stopAt) {
        g_Watch.nStopAt = stopAt;
        EXPECT_EQ(PlayFirstStage(), 0);
        return ReadText(m_Dir.Path() / "EC_Game.txt");
    }
    cTempDir m_Dir;
    cEnvGuard m_Env;
    cWorkDirGuard m_Cwd;
};

}  // namespace

TEST_F(PlayRunInProcess, TheHeroJumpsTakesACoinAndClearsTheFirstStageAtTheGoal) {
    SetUpRun();
    m_Env.Set("QV_FRAME_DUMP", m_Dir.File("results.bmp").c_str());
    // Right held from play frame 31; a tap of Z at each play frame listed:
    // over the first slime (taking the coin at the plank's end), the pits,
    // the enemies, the stones and onto the raised ground before the goal.
    g_Route = "31 RIGHT down\n";
    for (int t : {259, 323, 447, 511, 626, 746, 777, 1022, 1084})
        g_Route += std::to_string(t) + " Z down\n" + std::to_string(t + 4) + " Z up\n";
    const std::string ecText = PlayRoute(0);
    const PLAYWATCH& w = g_Watch;
    ASSERT_GE(w.vStageY.size(), 300u) << ecText;
    EXPECT_EQ(w.nDeaths, 0) << ecText;

    // The jump over the first pit (Z at play frame 323): seven half blocks high
    // at gravity 0.5 over 10 steps a frame, about 42 frames in the air, seen on
    // screen.
    const double ground = w.vStageY[321], groundOnScreen = w.vScreenY[321];
    double top = ground, topOnScreen = groundOnScreen;
    int airFrames = 0;
    for (size_t i = 322; i < 390; ++i) {
        top = std::min(top, w.vStageY[i]);
        topOnScreen = std::min(topOnScreen, w.vScreenY[i]);
        if (w.vStageY[i] < ground - 2) ++airFrames;
    }
    EXPECT_NEAR(ground - top, 112.0, 3.0);
    EXPECT_GT(groundOnScreen - topOnScreen, 64.0);
    EXPECT_GE(airFrames, 40);
    EXPECT_LE(airFrames, 44);

    // A coin taken on the way, the goal at the clear; no death.
    EXPECT_EQ(w.nItemsBeforeGoal + 1, w.nItemsAtStart);
    EXPECT_EQ(w.nItemsAtClear + 2, w.nItemsAtStart);
    EXPECT_EQ(FindLine(Lines(ecText), "Dead"), -1) << ecText;
    // The set-up's trace once, in order.
    const auto ec = Lines(ecText);
    int at = FindLine(ec, "In SetStage bLoadStage = 0");
    ASSERT_GE(at, 0) << ecText;
    for (const char* line : {"A", "B", "10", "11", "12", "C", "D", "Out SetStage"}) {
        const int next = FindLine(ec, line, at + 1);
        EXPECT_GT(next, at) << line;
        at = next;
    }
    EXPECT_EQ(FindLine(ec, "In SetStage", at), -1);

    // The clear reached the results at the goal (cell 113), its time the
    // frames of play in hundredths of a second.
    ASSERT_GT(w.nClearFrames, 1000) << ecText;
    EXPECT_GT(w.vX.back(), 320.0 + 110 * 32);
    EXPECT_EQ(w.nClearTime, w.nClearFrames * 100 / 60);
    EXPECT_EQ(w.nSavedClearTime, w.nClearTime);
    // The results screen: the clear banner, the results panel with the
    // ranking marks of a first play, the F3 hint above the end hint.
    GOLDENFRAME results;
    ASSERT_TRUE(ReadBmp24(m_Dir.File("results.bmp"), results));
    EXPECT_EQ(CompareGolden("play_results", results), "");
}

TEST_F(PlayRunInProcess, TheHeroStepsOntoTheMovingPlatformAndRidesItOverTheSpikes) {
    SetUpRun();
    // The first part of the clear route; right let go so that the hero stops
    // short of the spike pit, then right held for a second walks it to the
    // pit's edge while the platform rests there.
    g_Route = "31 RIGHT down\n566 RIGHT up\n700 RIGHT down\n760 RIGHT up\n";
    for (int t : {259, 323, 447, 511})
        g_Route += std::to_string(t) + " Z down\n" + std::to_string(t + 4) + " Z up\n";
    const std::string ecText = PlayRoute(900);
    const PLAYWATCH& w = g_Watch;
    ASSERT_GE(w.vX.size(), 900u) << ecText;
    EXPECT_EQ(w.nDeaths, 0) << ecText;
    // On the platform from frame 770, no key held: carried the length of the
    // pit, its X keeping its place on the platform, its height the ground's.
    const size_t from = 769, to = 899;
    EXPECT_LT(w.vX[from], 2176.0 + 32);  // the pit's first column
    EXPECT_GT(w.vPlatformX[to] - w.vPlatformX[from], 90.0);
    for (size_t i = from; i <= to; ++i) {
        ASSERT_EQ(w.vOnObject[i], 1) << "play frame " << i + 1;
        EXPECT_NEAR(w.vX[i] - w.vPlatformX[i], w.vX[from] - w.vPlatformX[from], 0.01) << i + 1;
        EXPECT_NEAR(w.vStageY[i], w.vStageY[from], 0.01) << i + 1;
    }
    EXPECT_GT(w.vX[to], 2272.0);  // over the pit's last column
}

TEST_F(PlayRunInProcess, ATapMovesTheHeroALittleAndAHitLeavesItUntouchableForASecondAndAHalf) {
    SetUpRun();
    // A tap of right, then right held into the first slime and the mushroom
    // behind it, let go short of the pit; the enemies walk to and fro past
    // the hero standing there.
    g_Route = "31 RIGHT down\n33 RIGHT up\n60 RIGHT down\n310 RIGHT up\n";
    const std::string ecText = PlayRoute(900);
    const PLAYWATCH& w = g_Watch;
    ASSERT_GE(w.vX.size(), 900u) << ecText;
    EXPECT_EQ(w.nDeaths, 0) << ecText;
    // The tap moves the hero about half a block, and it stands within a fifth of a second.
    EXPECT_GT(w.vX[58] - w.vX[29], 10.0);
    EXPECT_LT(w.vX[58] - w.vX[29], 32.0);
    EXPECT_EQ(w.vX[44], w.vX[58]);
    // Each hit costs a few hit points and leaves the hero blinking, out of
    // reach of every enemy, for 90 frames: no two hits come closer.
    std::vector<size_t> hits;
    for (size_t i = 1; i < w.vHp.size(); ++i)
        if (w.vHp[i] < w.vHp[i - 1]) hits.push_back(i);
    ASSERT_GE(hits.size(), 2u) << ecText;
    for (size_t k = 0; k < hits.size(); ++k) {
        EXPECT_EQ(w.vHp[hits[k] - 1] - w.vHp[hits[k]], 5) << "play frame " << hits[k] + 1;
        if (k > 0) {
            EXPECT_GE(hits[k] - hits[k - 1], 90u) << "play frame " << hits[k] + 1;
        }
        for (size_t i = hits[k]; i < hits[k] + 89 && i < w.vInvincible.size(); ++i)
            EXPECT_GT(w.vInvincible[i], 0) << "play frame " << i + 1;
    }
    EXPECT_GT(w.vHp.back(), 0);
}

TEST_F(PlayRunInProcess, TheHeroTurnsToTheWayItWalksItsStarsFlyThatWayAndTheMusicLoops) {
    SetUpRun();
    // A step right and a star (C), which flies on to the first slime; a step
    // left and a star back the other way.
    g_Route = "31 RIGHT down\n41 RIGHT up\n50 C down\n54 C up\n150 LEFT down\n156 LEFT up\n165 C down\n169 C up\n";
    const std::string ecText = PlayRoute(240);
    const PLAYWATCH& w = g_Watch;
    ASSERT_GE(w.vFacing.size(), 240u) << ecText;
    // Facing right into the stage from the start, left after the step left.
    EXPECT_EQ(w.vFacing[0], 1);
    EXPECT_EQ(w.vFacing[45], 1);
    EXPECT_EQ(w.vFacing[160], 0);
    // The stars of the first throw fly right, on past the villager's old
    // place, into the first slime, which they hurt; those of the second left.
    const auto starFrames = [&](size_t from, size_t to, double sign) {
        size_t frames = 0;
        for (size_t i = from; i < to; ++i) {
            frames += !w.vStars[i].empty();
            for (const auto& [x, vx] : w.vStars[i]) EXPECT_GT(vx * sign, 0.0) << "play frame " << i + 1;
        }
        return frames;
    };
    EXPECT_TRUE(w.vStars[48].empty());
    EXPECT_GE(starFrames(49, 150, 1), 60u);
    EXPECT_EQ(w.vSlimeHp[48], 10);
    EXPECT_LT(w.vSlimeHp[149], 10) << "the star did not reach the first slime";
    EXPECT_GE(starFrames(164, 240, -1), 5u);
    // The stage tune was asked for with its loop on, and plays from the
    // stage's slot the whole run.
    for (size_t i = 0; i < w.vMusicLoop.size(); ++i) {
        ASSERT_EQ(w.vMusicLoop[i], 1) << "play frame " << i + 1;
        ASSERT_EQ(w.vMusicSlot[i], 4) << "play frame " << i + 1;
    }
}
