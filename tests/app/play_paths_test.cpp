// Whole runs of the sample game along the ways play can end: a death by each
// path the sample's stages allow (a wall of spikes, an enemy taking the last
// HP, the stage timer running out), each followed by the stage set up again;
// unlimited lives never running out; the last life of a story ending in the
// game-over banner and, on confirm, the title.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/game_folder.h"
#include "player/player_records.h"
#include "player/save_data.h"
#include "support/env_guard.h"
#include "support/golden_bmp.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace apptest;

namespace {

// A run started from a script of "FRAME KEY down|up" lines.
struct SCRIPTRUN {
    cTempDir dir;
    int pid = -1;
    void Start(const std::string& script, int maxFrames, const std::vector<std::string>& args, bool prepared = false) {
        if (!prepared) MakeGameFolder(dir.Path(), WindowedIni());
        std::ofstream(dir.Path() / "keys.txt") << script;
        auto env = HeadlessEnv(maxFrames);
        env["QV_INPUT"] = dir.File("keys.txt");
        env["QV_FRAME_DUMP"] = dir.File("last.bmp");
        pid = StartGame(dir.Path(), env, args);
    }
    int Wait() { return WaitGame(pid, 120000); }
    std::vector<std::string> Ec() const { return Lines(ReadText(dir.Path() / "EC_Game.txt")); }
    std::string Report() const { return ReadText(dir.Path() / "Report_Game.txt"); }
};

std::vector<std::string> Stage(const char* name) { return {std::string("data\\stg4\\") + name + ".stg4"}; }

int Count(const std::vector<std::string>& lines, const std::string& prefix) {
    int n = 0;
    for (const std::string& l : lines) n += l.compare(0, prefix.size(), prefix) == 0;
    return n;
}

// Right and left in turns past the first slime: each meeting costs the hero
// some HP until none is left (the first stage has no pit before cell 30).
std::string ToAndFro() {
    std::ostringstream s;
    s << "200 RIGHT down\n380 RIGHT up\n";
    for (int k = 0; k < 10; ++k) {
        const int b = 380 + k * 120;
        s << b << " LEFT down\n" << b + 60 << " LEFT up\n" << b + 60 << " RIGHT down\n" << b + 120 << " RIGHT up\n";
    }
    return s.str();
}

// Every second pixel of every second row of a dumped frame.
bool HalfFrame(const std::string& bmp, GOLDENFRAME& half) {
    GOLDENFRAME frame;
    if (!ReadBmp24(bmp, frame)) return false;
    half = GOLDENFRAME{};
    half.width = frame.width / 2;
    half.height = frame.height / 2;
    for (int y = 0; y < half.height; ++y)
        for (int x = 0; x < half.width; ++x) half.pixels.push_back(frame.pixels[2 * y * frame.width + 2 * x]);
    return true;
}

}  // namespace

TEST(PlayPaths, EachDeathPathOfTheSampleStagesSetsTheStageUpAgain) {
    // Runs side by side: the castle's spikes walked into (a block that kills
    // from the side), the meadow's enemies met until the HP is gone, and the
    // hero left standing in the cave until its 300 seconds (18000 frames of
    // play) are gone: not yet at 17800 frames, after them by 19000.
    SCRIPTRUN spikes, enemy, timeEarly, timeOut;
    spikes.Start("200 RIGHT down\n", 700, Stage("stage4-1"));
    enemy.Start(ToAndFro(), 2400, Stage("stage1-1"));
    timeEarly.Start("", 17800, Stage("stage2-1"));
    timeOut.Start("", 19000, Stage("stage2-1"));
    ASSERT_EQ(spikes.Wait(), 0) << spikes.Report();
    ASSERT_EQ(enemy.Wait(), 0) << enemy.Report();
    ASSERT_EQ(timeEarly.Wait(), 0) << timeEarly.Report();
    ASSERT_EQ(timeOut.Wait(), 0) << timeOut.Report();

    const auto ec = spikes.Ec();
    const int dead = FindLine(ec, "Dead 1", FindLine(ec, "Out SetStage"));
    ASSERT_GT(dead, 0) << ReadText(spikes.dir.Path() / "EC_Game.txt");
    EXPECT_GT(FindLine(ec, "In SetStage bLoadStage = 1", dead), dead);

    // Deaths by HP and by the timer write no death line of their own: the
    // stage is set up again with none before it.
    for (const SCRIPTRUN* run : {&enemy, &timeOut}) {
        const auto lines = run->Ec();
        EXPECT_EQ(Count(lines, "In SetStage bLoadStage = 1"), 1) << run->dir.Path();
        EXPECT_EQ(Count(lines, "Dead "), 0) << run->dir.Path();
    }
    EXPECT_EQ(Count(timeEarly.Ec(), "In SetStage bLoadStage = 1"), 0);
}

TEST(PlayPaths, UnlimitedLivesOfACommandLinePlayNeverRunOut) {
    // The castle's spikes again and again: each death sets the stage up anew.
    SCRIPTRUN run;
    run.Start("200 RIGHT down\n", 2400, Stage("stage4-1"));
    ASSERT_EQ(run.Wait(), 0) << run.Report();
    const auto ec = run.Ec();
    EXPECT_GE(Count(ec, "Dead 1"), 4);
    EXPECT_EQ(Count(ec, "Dead 1"), Count(ec, "In SetStage bLoadStage = 1"));
    EXPECT_NE(run.Report().find("QV_MAX_FRAMES : 2400 frames run"), std::string::npos) << run.Report();
}

TEST(PlayPaths, TheLastLifeOfAStoryEndsInTheGameOverBannerAndConfirmGoesToTheTitle) {
    // A story in slot 1 at the map's start with no lives in stock: entering
    // the first stage starts it with one life (the one the play takes).
    auto storyWithOneLife = [](const fs::path& folder) {
        MakeGameFolder(folder, WindowedIni());
        fs::create_directories(folder / "user_data" / "story");
        cWorkDirGuard cwd(folder);
        SaveData.Clear();
        SaveData.nMapX = 4;
        SaveData.nMapY = 8;
        SaveData.nLivesInit = 1;
        SaveData.nLives = 0;
        SaveData.nStorySlot = 0;
        const bool saved = SaveData.SaveStory(0) != 0;
        SaveData.Clear();
        return saved;
    };
    // Continue, slot 1; right onto the first stage, accepted; in play right
    // into the pit. The second run confirms the banner and ends the program
    // from the title (the cursor is on "continue": five down to the end item).
    std::ostringstream keys;
    keys << "40 DOWN down\n42 DOWN up\n50 Z down\n52 Z up\n90 Z down\n92 Z up\n220 RIGHT down\n222 RIGHT up\n"
            "260 UP down\n262 UP up\n280 Z down\n282 Z up\n500 RIGHT down\n";
    const int kBanner = 1900;
    std::ostringstream toTitle;
    toTitle << kBanner << " Z down\n" << kBanner + 2 << " Z up\n";
    for (int k = 0; k < 5; ++k) toTitle << kBanner + 150 + 10 * k << " DOWN down\n" << kBanner + 152 + 10 * k << " DOWN up\n";
    toTitle << kBanner + 220 << " Z down\n" << kBanner + 222 << " Z up\n";
    SCRIPTRUN banner, title;
    ASSERT_TRUE(storyWithOneLife(banner.dir.Path()));
    ASSERT_TRUE(storyWithOneLife(title.dir.Path()));
    banner.Start(keys.str(), kBanner, {}, true);
    title.Start(keys.str() + toTitle.str(), kBanner + 600, {}, true);
    ASSERT_EQ(banner.Wait(), 0) << banner.Report();
    ASSERT_EQ(title.Wait(), 0) << title.Report();
    // One death and no second set-up: the banner shows over the stage.
    const auto ec = banner.Ec();
    EXPECT_EQ(Count(ec, "Dead 2"), 1) << ReadText(banner.dir.Path() / "EC_Game.txt");
    EXPECT_EQ(Count(ec, "In SetStage bLoadStage = 1"), 0);
    GOLDENFRAME half;
    ASSERT_TRUE(HalfFrame(banner.dir.File("last.bmp"), half));
    EXPECT_EQ(CompareGolden("play_game_over", half), "");
    // The end item of the title closed the program before the frame limit.
    EXPECT_EQ(title.Report().find("QV_MAX_FRAMES"), std::string::npos) << title.Report();
    EXPECT_NE(title.Report().find("Message loop : WM_QUIT"), std::string::npos);
}

TEST(PlayPaths, PlayFramesOfTheWalkingAndJumpingHeroMatchTheirGoldenFramesUnderBothBackEnds) {
    // Right held since the banners ended: the hero mid-stride, the first
    // slime coming, the coins over the planks; then, past the bricks, near
    // the top of a jump.
    struct CASE {
        const char* name;
        const char* script;
        int frames;
    };
    const CASE cases[] = {{"play_walk", "200 RIGHT down\n", 370},
                          {"play_jump", "200 RIGHT down\n370 Z down\n374 Z up\n", 390}};
    for (const bool d3d : {false, true}) {
        for (const CASE& c : cases) {
            const std::string name = std::string(c.name) + (d3d ? "_d3d" : "");
            SCRIPTRUN run;
            std::string ini = WindowedIni();
            if (d3d) ini.replace(0, 10, "Direct3D=1");
            MakeGameFolder(run.dir.Path(), ini);
            run.Start(c.script, c.frames, Stage("stage1-1"), true);
            ASSERT_EQ(run.Wait(), 0) << name << "\n" << run.Report();
            GOLDENFRAME half;
            ASSERT_TRUE(HalfFrame(run.dir.File("last.bmp"), half)) << name;
            EXPECT_EQ(CompareGolden(name, half), "") << name;
        }
    }
}
