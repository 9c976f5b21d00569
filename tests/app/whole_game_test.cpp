// The sample game played through its front end by scripted keys (arrows, Z
// confirm, X cancel, space pause), every scene entered and left again:
// a new story in slot 1, the world map walked to the first stage, the map
// menu saving into slot 3, back to the title, the story continued from slot
// 3, the stage played and left by the pause menu, the challenge list, the
// options changed and saved, the end item. The report must hold no error.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/app_state.h"
#include "app/game_folder.h"
#include "app/standard_scenes.h"
#include "app/title_scene.h"
#include "app/win_main.h"
#include "platform/graphics/dd_init.h"
#include "platform/input/input_script.h"
#include "platform/system/mesbox.h"
#include "platform/window/dialog.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/menu_cursor.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "player/save_data.h"
#include "player/save_roles.h"
#include "scene/scene_manager.h"
#include "support/env_guard.h"
#include "support/golden_bmp.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace apptest;

namespace {

// "FRAME:KEY" taps, each held for two frames.
std::string Script(std::initializer_list<const char*> taps) {
    std::ostringstream s;
    for (const char* t : taps) {
        const std::string tap = t;
        const auto colon = tap.find(':');
        const int frame = std::stoi(tap.substr(0, colon));
        const std::string key = tap.substr(colon + 1);
        s << frame << ' ' << key << " down\n" << frame + 2 << ' ' << key << " up\n";
    }
    return s.str();
}

// Lines of the report that tell of a failure.
std::string ErrorLines(const std::string& report) {
    std::string out;
    for (const std::string& line : Lines(report))
        for (const char* word : {"失敗", "読み込めません", "cannot", "failed", "error", "Error", "QV_MAX_FRAMES"})
            if (line.find(word) != std::string::npos) {
                out += line + "\n";
                break;
            }
    return out;
}

}  // namespace

TEST(WholeGame, TheStoryIsSavedContinuedPlayedAndTheOptionsAreSavedBeforeTheEnd) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    const std::string script = Script({
        // Title: new story, slot 1; the map; its menu saves into slot 3 and back to the map.
        "40:Z", "100:Z", "200:X", "300:Z", "330:DOWN", "340:DOWN", "350:Z", "380:UP", "390:Z", "420:X", "440:X",
        // The menu again: to the title (the refusal preselected: up, confirm).
        "520:X", "600:DOWN", "610:DOWN", "620:DOWN", "630:Z", "660:UP", "670:Z",
        // Continue from slot 3; the map walked right onto the first stage, accepted.
        "780:DOWN", "790:Z", "830:DOWN", "840:DOWN", "850:Z", "980:RIGHT", "1020:UP", "1040:Z",
        // Played, paused, to the title.
        "1400:SPACE", "1420:UP", "1430:Z",
        // The challenge list and back.
        "1540:DOWN", "1550:Z", "1640:X",
        // Options: volume 7 -> 8, music off, a palette change cancelled, back.
        "1720:DOWN", "1730:DOWN", "1740:DOWN", "1750:Z", "1850:DOWN", "1856:DOWN", "1862:Z", "1870:UP", "1876:Z",
        "1890:UP", "1896:Z", "1902:DOWN", "1908:Z", "1914:UP", "1920:Z", "1926:DOWN", "1932:DOWN", "1938:X", "1950:X",
        // The end item.
        "2040:DOWN", "2050:Z"});
    std::ofstream(dir.Path() / "keys.txt") << script;
    auto env = HeadlessEnv(4000);
    env["QV_INPUT"] = dir.File("keys.txt");
    const GAMERUN run = RunGame(dir.Path(), env);
    ASSERT_EQ(run.nExitCode, 0) << run.strReport;
    EXPECT_NE(run.strReport.find("Message loop : WM_QUIT"), std::string::npos) << run.strReport;
    EXPECT_EQ(ErrorLines(run.strReport), "") << run.strReport;

    // Slot 3 holds the story as the menu saved it: on the start cell, slot index 2.
    const fs::path story = dir.Path() / "user_data" / "story";
    EXPECT_TRUE(fs::exists(story / "Story03.dat"));
    EXPECT_FALSE(fs::exists(story / "Story02.dat"));
    // The stage continued from slot 3 was set up once.
    const auto ec = Lines(ReadText(dir.Path() / "EC_Game.txt"));
    const int setUp = FindLine(ec, "Out SetStage");
    EXPECT_GE(setUp, 0);
    EXPECT_EQ(FindLine(ec, "Out SetStage", setUp + 1), -1);
    // Option.dat as the option scene wrote it: u32 825, palette 0, music 0,
    // volume 8, mode 0, the name "aaa".
    const std::string want("\x39\x03\0\0\x04\0\0\0\0\0\0\0\0\0\0\0\x08\0\0\0\0\0\0\0\x01\0\0\0\x04\0\0\0aaa\0", 36);
    EXPECT_EQ(ReadText(dir.Path() / "user_data" / "Option.dat"), want);
}

// Free play of a stage file chosen in the in-window file chooser and a replay
// of it saved (F1), in this process so that the test answers the
// choosers through the dialog framework's frame hook.
namespace {

std::vector<std::string> g_Choosers;  // what each file dialog was given, in order

class WholeGameInProcess : public ::testing::Test {
protected:
    WholeGameInProcess() { Reset(); }
    ~WholeGameInProcess() override { Reset(); }
    static void Reset() {
        ResetAppState();
        g_Choosers.clear();
    }
};

// Keys pressed from now on: each entry "DELTA:KEY" (frames after the
// previous press), held two frames; "DELTA:KEY+N" holds it N frames;
// "DELTA:KEY^" only releases a held key.
void PressFromNow(const std::vector<const char*>& taps) {
    std::ostringstream s;
    uint32_t at = GetFrameCount();
    for (const char* t : taps) {
        std::string tap = t;
        const auto colon = tap.find(':');
        at += static_cast<uint32_t>(std::stoi(tap.substr(0, colon)));
        std::string key = tap.substr(colon + 1);
        if (key.back() == '^') {
            s << at << ' ' << key.substr(0, key.size() - 1) << " up\n";
            continue;
        }
        int hold = 2;
        if (const auto plus = key.find('+'); plus != std::string::npos) {
            hold = std::stoi(key.substr(plus + 1));
            key = key.substr(0, plus);
        }
        s << at << ' ' << key << " down\n" << at + static_cast<uint32_t>(hold) << ' ' << key << " up\n";
    }
    ParseInputScript(s.str());
}

}  // namespace

TEST_F(WholeGameInProcess, AStageFileChosenInTheWindowIsPlayedAndItsReplaySaved) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    cEnvGuard env;
    SetWindowRunEnv(env);
    env.Unset("QV_AUTO_ANSWER");
    env.Set("QV_MAX_FRAMES", "900");
    RereadAutoAnswer();
    cWorkDirGuard cwd(dir.Path());
    SetSceneFactory(CreateStandardScene);
    SetMesBoxPresenter([](const std::string& text, const std::string&, unsigned style) {
        g_Choosers.push_back("box " + text);
        return DefaultMesBoxAnswer(style);
    });
    SetDialogFrameHook([&](cDialog& dlg, int frame) {
        if (frame > 600) dlg.Close(0);  // a chooser the script does not end
        if (frame != 2 || (dlg.ResourceId() != 1 && dlg.ResourceId() != 2)) return;
        const size_t n = g_Choosers.size();
        if (n == 0) {
            // Free play: the stage by name; then right held, F1 saves the run,
            // the pause menu goes to the title.
            g_Choosers.push_back(dlg.Title());
            dlg.FindCtrl(1152)->SetText("stage1-1.stg4_825");
            PressFromNow({"300:RIGHT+60", "70:F1+1"});
        } else if (n == 1) {
            // The save chooser's proposal is accepted; the run ends at the frame limit.
            g_Choosers.push_back(dlg.Title() + " " + dlg.FindCtrl(1152)->GetText());
        }
        dlg.OnCommand(1, BN_CLICKED);
    });
    // Title: down to free play, confirm.
    ParseInputScript(Script({"40:DOWN", "50:DOWN", "60:DOWN", "70:Z"}));
    ASSERT_EQ(WinMain("", 1), 0);
    cwd.Restore();
    const std::string report = ReadText(dir.Path() / "Report_Game.txt");
    EXPECT_EQ(ErrorLines(report), "QV_MAX_FRAMES : 900 frames run, closing (60.00 fps)\n") << report;
    ASSERT_EQ(g_Choosers.size(), 2u) << report;
    EXPECT_EQ(g_Choosers[0], "ステージファイルの読み込み");
    // The replay saved holds the run: the stage and the frames played.
    std::vector<fs::path> replays;
    for (const auto& e : fs::directory_iterator(dir.Path() / "user_data" / "rpl4")) replays.push_back(e.path());
    ASSERT_EQ(replays.size(), 1u);
    // The chooser opened in the replay folder with the proposed file name in its box.
    EXPECT_EQ(g_Choosers[1], std::string("リプレイファイルの保存 ") + replays[0].filename().string());
    EXPECT_GT(fs::file_size(replays[0]), 1000u);
}

// The story carried over the world map, in this process so that the play
// scene can be watched: each entry into play lays its key route on its own
// first frame of play, and the results or the retry menu lay the keys that
// follow, so the banners' length does not move the script.
namespace {

struct STORYENTRY {
    std::string strStage;       // the record's stage when play began
    int nPrevX = -1, nPrevY = -1;  // the walker's cell before its last step
};
std::vector<STORYENTRY> g_Entries;
// Play frames ("N KEY down|up" lines) of the route of entry k, and the keys
// (PressFromNow taps) laid when the retry menu or the results first show; an
// entry without a route ends the program on its first frame of play.
std::vector<std::string> g_Routes;
std::vector<std::vector<const char*>> g_AfterPlay;
int32_t g_ClearScore = -1;
// A stage character of this name loses its last hit points on the 30th
// frame of play (empty: none).
std::string g_Felled;
// Title scenes begun; the program ends when the title shows a second time
// in a run that asks for it.
int g_nTitles = 0;
bool g_bEndAtSecondTitle = false;
// What the results held when they first showed, and the retry menu's first frame.
std::vector<int32_t> g_ClearResults, g_ClearRankPos;
GOLDENFRAME g_RetryShot;
// Frames after the results first show at which the frame limit falls (0: none).
uint32_t g_nLimitAfterResults = 0;
// The program ends when the play scene hands over to the next scene; the
// record's entry name then.
bool g_bEndAtPlayExit = false;
std::string g_strExitEntryName;

// The 640 x 480 region (x, y, w, h) of a frame.
GOLDENFRAME Crop(const GOLDENFRAME& f, int x, int y, int w, int h) {
    GOLDENFRAME out;
    out.width = w;
    out.height = h;
    for (int r = y; r < y + h; ++r)
        for (int c = x; c < x + w; ++c) out.pixels.push_back(f.pixels[static_cast<size_t>(r * f.width + c)]);
    return out;
}

GOLDENFRAME BackBufferFrame() {
    GOLDENFRAME f;
    f.width = 640;
    f.height = 480;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) f.pixels.push_back(BackBuffer.Surface.Row32(y)[x]);
    return f;
}

class cStoryPlay : public cPlayScene {
public:
    void Run() override {
        cPlayScene::Run();
        if (nState == PLAYSTATE_PLAY && nElapsedFrames == 1 && !m_bStarted) {
            m_bStarted = true;
            m_nEntry = static_cast<int>(g_Entries.size());
            g_Entries.push_back({SaveData.strStage, PrevMapX(SaveData), PrevMapY(SaveData)});
            if (static_cast<size_t>(m_nEntry) >= g_Routes.size()) {
                PostCloseMain();
                return;
            }
            std::string script, line;
            std::istringstream in(g_Routes[static_cast<size_t>(m_nEntry)]);
            for (int f; in >> f && std::getline(in, line);) script += std::to_string(GetFrameCount() + f - 1) + line + "\n";
            ParseInputScript(script);
        }
        if (nState == PLAYSTATE_PLAY && nElapsedFrames == 30 && !g_Felled.empty())
            for (cStageChara& c : World.lstStageChara)
                if (c.data.strName == g_Felled) {
                    c.hp = 0;
                    World.bDeathCheck = 1;  // as a status operation that takes the last hit points
                }
        if (nState == PLAYSTATE_EXIT && g_bEndAtPlayExit) {
            g_strExitEntryName = SaveData.strEntryName;
            PostCloseMain();
        }
        // The retry menu as its third frame drew it.
        m_nRetryFrames = nState == PLAYSTATE_RESTART ? m_nRetryFrames + 1 : 0;
        if (m_nRetryFrames == 3 && g_RetryShot.pixels.empty()) g_RetryShot = BackBufferFrame();
        if ((nState == PLAYSTATE_RESTART || nState == PLAYSTATE_AFTERPLAY) && !m_bEnded && m_bStarted) {
            m_bEnded = true;
            if (nState == PLAYSTATE_AFTERPLAY) {
                g_ClearScore = SaveData.nScore;
                g_ClearResults.assign(vResult.begin(), vResult.end());
                g_ClearRankPos.assign(vRankPos.begin(), vRankPos.end());
                if (g_nLimitAfterResults) SetMaxFrames(GetFrameCount() + g_nLimitAfterResults);
            }
            if (static_cast<size_t>(m_nEntry) < g_AfterPlay.size()) PressFromNow(g_AfterPlay[static_cast<size_t>(m_nEntry)]);
        }
    }

private:
    bool m_bStarted = false, m_bEnded = false;
    int m_nEntry = -1;
    int m_nRetryFrames = 0;
};

class cStoryTitle : public cTitleScene {
public:
    void Init() override {
        cTitleScene::Init();
        if (++g_nTitles == 2 && g_bEndAtSecondTitle) PostCloseMain();
    }
};

cScene* StoryScenes(int n) {
    if (n == SCENE_PLAY) return new cStoryPlay();
    if (n == SCENE_TITLE) return new cStoryTitle();
    return CreateStandardScene(n);
}

class StoryRun : public ::testing::Test {
protected:
    StoryRun() { Reset(); }
    ~StoryRun() override { Reset(); }
    static void Reset() {
        ResetAppState();
        g_Entries.clear();
        g_Routes.clear();
        g_AfterPlay.clear();
        g_ClearScore = -1;
        g_Felled.clear();
        g_nTitles = 0;
        g_bEndAtSecondTitle = false;
        g_ClearResults.clear();
        g_ClearRankPos.clear();
        g_RetryShot = GOLDENFRAME{};
        g_nLimitAfterResults = 0;
        g_bEndAtPlayExit = false;
        g_strExitEntryName.clear();
    }
    // Runs the sample from its title with the title's key script.
    std::string Run(const std::string& titleKeys) {
        SetSceneFactory(StoryScenes);
        ParseInputScript(titleKeys);
        EXPECT_EQ(WinMain("", 1), 0);
        return ReadText(m_Dir.Path() / "Report_Game.txt");
    }
    // The game folder entered; with the test's X server the window is real.
    // bDiskAudio: the mixed sound goes through SDL's disk driver to a file.
    void Enter(bool bDiskAudio = false) {
        MakeGameFolder(m_Dir.Path(), WindowedIni());
        SetWindowRunEnv(m_Env);
        if (bDiskAudio) {
            m_Env.Set("SDL_AUDIODRIVER", "disk");
            m_Env.Set("SDL_DISKAUDIOFILE", m_Dir.File("audio.raw").c_str());
        }
        m_Env.Set("QV_EC_LOG", "1");
        m_Env.Set("QV_MAX_FRAMES", "12000");
        m_Cwd.Enter(m_Dir.Path());
    }
    cTempDir m_Dir;
    cEnvGuard m_Env;
    cWorkDirGuard m_Cwd;
};

// The first stage's route from the first frame of play to the goal.
std::string ClearRoute11() {
    std::string route = "31 RIGHT down\n";
    for (int t : {259, 323, 447, 511, 626, 746, 777, 1022, 1084})
        route += std::to_string(t) + " Z down\n" + std::to_string(t + 4) + " Z up\n";
    return route;
}

}  // namespace

TEST_F(StoryRun, TheFirstStageIsLeftAfterADeathThenClearedAutosavedAndTheSecondEntered) {
    Enter(true);
    // A new story in slot 1 (autosave on); the map menu's autosave item
    // confirms it ("on" preselected), saving slot 1; back to the map; a step
    // right onto the first stage, accepted.
    const std::string title = Script({"40:Z", "100:Z", "200:X", "300:DOWN", "310:Z", "350:Z", "400:X",
                                      "520:RIGHT", "550:UP", "565:Z"});
    // First entry: right held into the pit; the retry menu's "back to map".
    // The walker stands before the stage again: a step right, accepted.
    g_Routes.push_back("31 RIGHT down\n");
    g_AfterPlay.push_back({"1:RIGHT^", "30:DOWN", "20:Z", "170:RIGHT", "30:UP", "15:Z"});
    // Second entry: cleared; the results closed; on the map right three
    // cells and down three onto the second stage, accepted.
    g_Routes.push_back(ClearRoute11());
    g_AfterPlay.push_back({"1:RIGHT^", "80:Z", "170:RIGHT", "15:RIGHT", "15:RIGHT", "15:DOWN", "15:DOWN", "15:DOWN",
                           "30:UP", "15:Z"});
    const std::string report = Run(title);
    EXPECT_EQ(ErrorLines(report), "") << report;
    const std::string ecText = ReadText(m_Dir.Path() / "EC_Game.txt");
    ASSERT_EQ(g_Entries.size(), 3u) << report << ecText;
    EXPECT_EQ(g_Entries[0].strStage, "data\\stg4\\stage1.");
    EXPECT_EQ(g_Entries[1].strStage, "data\\stg4\\stage1.");
    EXPECT_EQ(g_Entries[2].strStage, "data\\stg4\\stage2.");
    // Back from the unfinished stage the walker stood on its cell before it
    // (4, 8) and stepped onto the stage again rather than being sent in at once.
    EXPECT_EQ(g_Entries[1].nPrevX, 4);
    EXPECT_EQ(g_Entries[1].nPrevY, 8);
    // Each entry set its stage up once.
    const auto ec = Lines(ecText);
    int at = -1;
    for (int k = 0; k < 3; ++k) {
        at = FindLine(ec, "Out SetStage", at + 1);
        EXPECT_GE(at, 0) << k;
    }
    EXPECT_EQ(FindLine(ec, "Out SetStage", at + 1), -1);

    // Slot 1 as the autosave wrote it on the return from the clear: the
    // first stage's clear flag, its best value, the walker on its cell,
    // out of the stage.
    cSaveData saved;
    saved.LoadStory(0);
    m_Cwd.Restore();
    EXPECT_EQ(saved.vMapFlag[1], 1);
    EXPECT_EQ(saved.vMapFlag[2], 0);
    EXPECT_EQ(saved.nMapX, 5);
    EXPECT_EQ(saved.nMapY, 8);
    EXPECT_EQ(saved.nStorySlot, 0);
    EXPECT_EQ(AutoSaveSwitch(saved), 1);
    EXPECT_EQ(InStageSwitch(saved), 0);
    EXPECT_EQ(StepBackSwitch(saved), 0);
    ASSERT_EQ(saved.vStageRec.size(), 1u);
    EXPECT_EQ(saved.vStageRec[0].strStage, "data\\stg4\\stage1.");
    EXPECT_GT(g_ClearScore, 0);
    EXPECT_EQ(saved.vStageRec[0].nBest, g_ClearScore);
    EXPECT_EQ(saved.nBestTotal, g_ClearScore);

    // The retry menu after the death: both of its items, the cursor on the first.
    EXPECT_EQ(CompareGolden("retry_menu", Crop(g_RetryShot, 192, 200, 256, 72)), "");

    // The music and the sounds of the run reached the audio device. The disk
    // driver writes at the pace of its own clock, so a run of about a second
    // leaves somewhat less than a second of sound on a busy machine: half a
    // second is asked for.
    size_t samples = 0;
    EXPECT_GT(AudioRms(m_Dir.File("audio.raw"), samples), 0.01) << samples << " samples";
    EXPECT_GT(samples, 22050u);
}

TEST_F(StoryRun, AStoryWithThreeStagesClearedWalksIntoTheCastleAndEndsAtTheTitleWhenTheBossFalls) {
    Enter();
    // In the castle the boss falls on the 30th frame of play; its death flow
    // clears the stage; the results closed, the last stage's page sends the
    // story back to the title, where the run ends.
    g_Routes.push_back("400 X down\n");
    g_Felled = "ゴーレムキング";
    g_AfterPlay.push_back({"80:Z"});
    g_bEndAtSecondTitle = true;
    // Slot 1: the first three stages cleared, the walker on the tower.
    {
        fs::create_directories(m_Dir.Path() / "user_data" / "story");
        cSaveData d;
        d.nMapX = 16;
        d.nMapY = 4;
        for (int f : {1, 2, 3}) d.vMapFlag[static_cast<size_t>(f)] = 1;
        d.nStorySlot = 0;
        d.nLivesInit = d.nLives = 3;
        ASSERT_EQ(d.SaveStory(0), 1);
    }
    // Continue, slot 1; past the cleared tower (no confirmation) left two
    // cells, down five, right three onto the castle, accepted.
    const std::string report = Run(Script({"40:DOWN", "50:Z", "100:Z", "220:LEFT", "235:LEFT", "250:DOWN", "265:DOWN",
                                           "280:DOWN", "295:DOWN", "310:DOWN", "325:RIGHT", "340:RIGHT", "355:RIGHT",
                                           "385:UP", "400:Z"}));
    m_Cwd.Restore();
    EXPECT_EQ(ErrorLines(report), "") << report;
    ASSERT_EQ(g_Entries.size(), 1u) << report;
    EXPECT_EQ(g_Entries[0].strStage, "data\\stg4\\stage4.");
    EXPECT_EQ(g_Entries[0].nPrevX, 16);
    EXPECT_EQ(g_Entries[0].nPrevY, 9);
    EXPECT_GE(g_ClearScore, 5000) << "the boss's fall did not clear the castle";
    EXPECT_EQ(g_nTitles, 2);
}

namespace {

// The first stage played from the command line (free play, ranked) and
// cleared; on the results F3 opens the ranking-name dialog, where the name
// "Kim" is typed and entered; the ranking view shows, and confirm leaves it.
// Then limit frames after the results first showed the run ends (0: when
// play hands over to the next scene). The report log.
std::string ClearAndEnterName(uint32_t limit) {
    g_Routes.push_back(ClearRoute11());
    g_AfterPlay.push_back({"1:RIGHT^", "80:F3", "20:LSHIFT+6", "2:K", "10:I", "10:M", "10:RETURN", "60:Z", "60:Z"});
    g_nLimitAfterResults = limit;
    g_bEndAtPlayExit = limit == 0;
    SetSceneFactory(StoryScenes);
    EXPECT_EQ(WinMain("data\\stg4\\stage1-1.stg4", 1), 0);
    return ReadText("Report_Game.txt");
}

// The ranking file as it must be: each table with the result on its first
// row (under name) where it ranks, its other rows empty.
std::string RankingImage(const std::vector<int32_t>& results, const std::vector<int32_t>& pos, const std::string& name) {
    std::string out;
    auto word = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    word(825);
    word(0);
    word(0);
    word(5);
    const int descending[5] = {1, 1, 0, 1, 1};
    for (size_t t = 0; t < 5; ++t) {
        word(1);
        word(static_cast<uint32_t>(descending[t]));
        word(0);
        word(20);
        for (int row = 0; row < 20; ++row) {
            const bool used = row == 0 && pos[t] != -1;
            word(2);
            word(used ? 1 : 0);
            word(used ? static_cast<uint32_t>(results[t]) : 0);
            word(1);
            if (!used) {
                word(1);
                continue;
            }
            word(static_cast<uint32_t>(name.size() + 1));
            out += name;
            out += '\0';
        }
    }
    return out;
}

}  // namespace

TEST_F(StoryRun, AClearedStageIsRankedUnderTheNameTypedInTheNameDialog) {
    Enter();
    const std::string report = ClearAndEnterName(0);
    m_Cwd.Restore();
    EXPECT_EQ(ErrorLines(report), "") << report;
    ASSERT_EQ(g_Entries.size(), 1u) << report;
    ASSERT_EQ(g_ClearResults.size(), 5u) << report;
    ASSERT_EQ(g_ClearRankPos.size(), 5u);
    EXPECT_EQ(g_ClearRankPos[0], 0) << "the score does not rank";
    // The stage's ranking file of free play, byte for byte.
    const std::string file = ReadText(m_Dir.Path() / "user_data" / "free" / "stage1.rkg");
    EXPECT_EQ(file, RankingImage(g_ClearResults, g_ClearRankPos, "Kim"));
    // The name is kept for the next entry.
    EXPECT_EQ(g_strExitEntryName, "Kim");

    // The game program itself, headless, with the same keys in a QV_INPUT
    // file (its play begins on frame 170, its results show on frame 1387):
    // the same ranking file.
    cTempDir headless;
    MakeGameFolder(headless.Path(), WindowedIni());
    std::ostringstream keys;
    std::istringstream route(ClearRoute11());
    std::string line;
    for (int f; route >> f && std::getline(route, line);) keys << 169 + f << line << "\n";
    keys << "1388 RIGHT up\n";
    for (const auto& [key, down, up] : {std::tuple<const char*, int, int>{"F3", 1468, 1470}, {"LSHIFT", 1488, 1494},
                                        {"K", 1490, 1492}, {"I", 1500, 1502}, {"M", 1510, 1512},
                                        {"RETURN", 1520, 1522}, {"Z", 1580, 1582}, {"Z", 1640, 1642}})
        keys << down << ' ' << key << " down\n" << up << ' ' << key << " up\n";
    std::ofstream(headless.Path() / "keys.txt") << keys.str();
    auto env = HeadlessEnv(1800);
    env["QV_AUTO_ANSWER"] = "0";  // the name dialog waits for the keys
    env["QV_INPUT"] = headless.File("keys.txt");
    const GAMERUN run = RunGame(headless.Path(), env, {"data\\stg4\\stage1-1.stg4"});
    ASSERT_EQ(run.nExitCode, 0) << run.strReport;
    EXPECT_EQ(ReadText(headless.Path() / "user_data" / "free" / "stage1.rkg"), file);
}

TEST_F(StoryRun, TheFrameLimitEndsARunInTheRankingViewWhichShowsTheTableWithTheNewEntryMarked) {
    Enter();
    m_Env.Set("QV_FRAME_DUMP", m_Dir.File("last.bmp").c_str());
    const std::string report = ClearAndEnterName(170);
    m_Cwd.Restore();
    EXPECT_NE(report.find("QV_MAX_FRAMES : "), std::string::npos) << report;

    GOLDENFRAME last;
    ASSERT_TRUE(ReadBmp24(m_Dir.File("last.bmp"), last)) << report;
    EXPECT_EQ(CompareGolden("ranking_view", Crop(last, 176, 56, 288, 368)), "");
}
