// Whole runs of the sample game's first stage on an 8-bit DirectDraw screen:
// the palette variant of the options with its blend table, the fade in
// through the screen palette, the cycling colours, and the picture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <vector>

#include "app/app_state.h"
#include "app/game_folder.h"
#include "app/standard_scenes.h"
#include "app/win_main.h"
#include "database/option_data.h"
#include "platform/graphics/bmp.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/fx_palette.h"
#include "platform/input/input_script.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "scene/scene_manager.h"
#include "support/env_guard.h"
#include "support/golden_bmp.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace apptest;

namespace {

constexpr int kWhite = 241;               // the sample palette's text white
constexpr int kCycleFirst = 208;          // the cycling entries 208..239, in groups of four
constexpr int kMaxFrames = 360;           // the run's frames, from the start of the program

uint32_t Rgb(const PALETTEENTRY& e) { return static_cast<uint32_t>(e.peRed << 16 | e.peGreen << 8 | e.peBlue); }

// What the screen palette held, frame by frame of the play scene.
struct PALETTEWATCH {
    std::vector<uint32_t> vFadeWhite;          // entry kWhite on each fade-in frame, then on the frame after
    std::vector<std::vector<uint32_t>> vCycle;  // entries 208..211 on each frame of play
};
PALETTEWATCH g_Watch;

class cPaletteWatchedPlay : public cPlayScene {
public:
    void Run() override {
        cPlayScene::Run();
        // The fade's frames and the first frame after it.
        if (nState == PLAYSTATE_FADEIN || m_bFading) g_Watch.vFadeWhite.push_back(Rgb(DDScreenPalette[kWhite]));
        m_bFading = nState == PLAYSTATE_FADEIN;
        if (nState != PLAYSTATE_PLAY || nElapsedFrames < 1) return;
        if (nElapsedFrames == 1 && g_Watch.vCycle.empty()) {
            // The hero walks right for two seconds, past the middle of the screen, so that the view scrolls.
            std::ostringstream script;
            script << GetFrameCount() + 30 << " RIGHT down\n" << GetFrameCount() + 150 << " RIGHT up\n";
            ParseInputScript(script.str());
        }
        std::vector<uint32_t> group;
        for (int i = 0; i < 4; ++i) group.push_back(Rgb(DDScreenPalette[kCycleFirst + i]));
        g_Watch.vCycle.push_back(group);
    }

private:
    bool m_bFading = false;
};

cScene* WatchPalette(int n) { return n == SCENE_PLAY ? new cPaletteWatchedPlay() : CreateStandardScene(n); }

void ResetRun() {
    ResetAppState();
    g_Watch = PALETTEWATCH{};
}

// The sample's palette picture's colours as palette entries.
std::vector<PALETTEENTRY> SamplePalette(const fs::path& folder) {
    BMPIMAGE picture;
    EXPECT_TRUE(LoadBmpFile((folder / "bmp/plt/Palette.bmp").string(), &picture));
    std::vector<PALETTEENTRY> pal(256);
    for (size_t i = 0; i < 256 && i < picture.Palette.size(); ++i) {
        const uint32_t c = picture.Palette[i];
        pal[i] = PALETTEENTRY{static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c), 0};
    }
    return pal;
}

class EightBitRun : public ::testing::Test {
protected:
    EightBitRun() { ResetRun(); }
    ~EightBitRun() override { ResetRun(); }

    // Plays stage 1-1 from the command line, full screen at 8 bits under
    // DirectDraw, with the options' palette variant n; the last picture.
    GOLDENFRAME Play(int variant) {
        MakeGameFolder(m_Dir.Path(), "Direct3D=0\r\nWindowMode=0\r\nBpp=8\r\nShowFps=0\r\nExit\r\n");
        SetWindowRunEnv(m_Env);
        m_Env.Set("QV_MAX_FRAMES", std::to_string(kMaxFrames).c_str());
        m_Env.Set("QV_FRAME_DUMP", m_Dir.File("last.bmp").c_str());
        m_Cwd.Enter(m_Dir.Path());
        if (variant != 0) {
            // The player's options as the option scene saves them.
            fs::create_directories(m_Dir.Path() / "user_data");
            OptionData.nPalette = variant;
            EXPECT_EQ(SaveOptionData(), 1);
            OptionData.Reset();
        }
        SetSceneFactory(WatchPalette);
        EXPECT_EQ(WinMain("data\\stg4\\stage1-1.stg4", 1), 0);
        m_Cwd.Restore();
        m_strReport = ReadText(m_Dir.Path() / "Report_Game.txt");
        GOLDENFRAME frame;
        EXPECT_TRUE(ReadBmp24(m_Dir.File("last.bmp"), frame)) << m_strReport;
        return frame;
    }

    // The screen was 8 bits deep, loaded its blend table and played to the end.
    void ExpectAWholeRun() {
        EXPECT_EQ(m_strReport.find("の読み込みに失敗"), std::string::npos) << m_strReport;
        ASSERT_GE(g_Watch.vCycle.size(), 160u) << m_strReport;
        // The fade in mixes the screen palette from black to the picture's colours.
        const auto& fade = g_Watch.vFadeWhite;
        ASSERT_GE(fade.size(), 5u);
        EXPECT_LT(fade.front() >> 16, 64u);
        EXPECT_EQ(fade.back(), 0xFFFFFFu);
        for (size_t i = 1; i < fade.size(); ++i) EXPECT_GE(fade[i] >> 16, fade[i - 1] >> 16) << i;
        // Each group of four cycling colours turns by one entry every sixth frame,
        // its four colours always the palette's own.
        const std::vector<PALETTEENTRY> pal = SamplePalette(m_Dir.Path());
        std::multiset<uint32_t> own;
        for (int i = 0; i < 4; ++i) own.insert(Rgb(pal[kCycleFirst + i]));
        int turns = 0;
        for (size_t f = 1; f < g_Watch.vCycle.size(); ++f) {
            const auto& was = g_Watch.vCycle[f - 1];
            const auto& now = g_Watch.vCycle[f];
            EXPECT_EQ(std::multiset<uint32_t>(now.begin(), now.end()), own) << "play frame " << f + 1;
            if (now == was) continue;
            ++turns;
            const bool oneStep = (now[0] == was[1] && now[1] == was[2] && now[2] == was[3] && now[3] == was[0]) ||
                                 (now[0] == was[3] && now[1] == was[0] && now[2] == was[1] && now[3] == was[2]);
            EXPECT_TRUE(oneStep) << "play frame " << f + 1;
        }
        EXPECT_NEAR(turns, static_cast<int>(g_Watch.vCycle.size()) / 6, 1);
    }

    cTempDir m_Dir;
    cEnvGuard m_Env;
    cWorkDirGuard m_Cwd;
    std::string m_strReport;
};

}  // namespace

TEST_F(EightBitRun, TheFirstStagePlaysWithItsBlendTableFadeAndCyclingColours) {
    const GOLDENFRAME frame = Play(0);
    ExpectAWholeRun();
    // The hero on the meadow after two seconds' walk, the hills scrolled behind.
    EXPECT_EQ(CompareGolden("stage_dd8", frame), "");
}

TEST_F(EightBitRun, APaletteVariantOfTheOptionsRecoloursThePictureEntryByEntry) {
    const GOLDENFRAME frame = Play(5);
    ExpectAWholeRun();
    // The same picture as with the plain palette, each colour taken from the
    // variant's entry of the same number.
    GOLDENFRAME plain;
    ASSERT_TRUE(ReadBmp24(std::string(std::getenv("QV_TEST_DATA")) + "/golden/stage_dd8.bmp", plain));
    ASSERT_EQ(frame.pixels.size(), plain.pixels.size());
    const std::vector<PALETTEENTRY> base = SamplePalette(m_Dir.Path());
    std::vector<PALETTEENTRY> variant = base;
    ASSERT_TRUE(DDMakePaletteVariant(variant.data(), 5));
    std::map<uint32_t, std::set<uint32_t>> becomes;  // a plain colour -> the colours its entries have in the variant
    for (int i = 0; i < 256; ++i) becomes[Rgb(base[i])].insert(Rgb(variant[i]));
    size_t changed = 0;
    for (size_t p = 0; p < frame.pixels.size(); ++p) {
        const uint32_t was = plain.pixels[p] & 0xFFFFFF, now = frame.pixels[p] & 0xFFFFFF;
        ASSERT_TRUE(becomes.count(was) && becomes[was].count(now))
            << "pixel " << p % 640 << "," << p / 640 << ": " << std::hex << was << " -> " << now;
        changed += was != now;
    }
    EXPECT_GT(changed, frame.pixels.size() / 4);
}
