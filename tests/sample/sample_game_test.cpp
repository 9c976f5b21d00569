// The generated sample game: the same bytes on every run, and every file
// loads through the loader the game reads it with, without a report line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "database/common_bitmaps.h"
#include "database/common_palette.h"
#include "database/database.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/world_map.h"
#include "platform/graphics/bmp.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_surface.h"
#include "platform/graphics/fx_palette.h"
#include "platform/sound/ogg_stream.h"
#include "platform/sound/smf.h"
#include "platform/sound/sound_mixer.h"
#include "platform/sound/wave_file.h"
#include "platform/system/log.h"
#include "records/data_file.h"
#include "sample_game/art/blend_tables.h"
#include "sample_game/art/sheets.h"
#include "sample_game/audio/audio.h"
#include "sample_game/data/game_data.h"
#include "sample_game/sample_game.h"
#include "sample_game/stages/stages.h"
#include "stage/stage_data.h"
#include "stage/stage_validate.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file of a folder by its relative path.
std::map<std::string, std::vector<uint8_t>> Snapshot(const fs::path& root) {
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) files[fs::relative(e.path(), root).generic_string()] = ReadAll(e.path());
    return files;
}

bool SoundWritersPresent() {
    cTempDir dir;
    return sample::WriteSoundEffect(dir.Path() / "probe.wav", sample::eSound::Cursor);
}

// One game folder shared by the tests of this file (writing it takes a moment).
class SampleGame : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_Dir = new cTempDir;
        s_Result = new sample::SAMPLERESULT;
        sample::WriteSampleGame(s_Dir->Path(), s_Result);
    }
    static void TearDownTestSuite() {
        delete s_Result;
        delete s_Dir;
        s_Result = nullptr;
        s_Dir = nullptr;
    }
    SampleGame() { ResetDatabaseState(); }
    ~SampleGame() override { ResetDatabaseState(); }
    static const fs::path& Folder() { return s_Dir->Path(); }

    static cTempDir* s_Dir;
    static sample::SAMPLERESULT* s_Result;
};
cTempDir* SampleGame::s_Dir = nullptr;
sample::SAMPLERESULT* SampleGame::s_Result = nullptr;

TEST_F(SampleGame, EveryFileIsWrittenAndTwoRunsGiveTheSameBytes) {
    EXPECT_TRUE(s_Result->vFailed.empty()) << s_Result->vFailed.front();
    cTempDir second;
    sample::SAMPLERESULT r2;
    sample::WriteSampleGame(second.Path(), &r2);
    const auto a = Snapshot(Folder()), b = Snapshot(second.Path());
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        const auto it = b.find(name);
        ASSERT_NE(it, b.end()) << name;
        EXPECT_TRUE(it->second == bytes) << name << " differs between two runs";
    }
    // The pristine copy and the game's own data are the same files.
    for (const auto& [name, bytes] : a)
        if (name.rfind("default/", 0) == 0) {
            EXPECT_TRUE(a.at("data/" + name.substr(8)) == bytes) << name;
        }
}

TEST_F(SampleGame, TheProjectDataLoadsWithoutAReportLine) {
    cWorkDirGuard cwd(Folder());
    cTempDir logs;
    const std::string report = logs.File("Report_Game.txt");
    ReportInit(report.c_str());
    const auto before = fs::file_size(report);
    EXPECT_EQ(Database.Load(), 1);
    EXPECT_GT(Database.vBgm.size(), 8u);
    EXPECT_GT(Database.vSound.size(), 10u);
    EXPECT_EQ(SystemData.LoadFile("data\\System.dat"), 1);
    EXPECT_EQ(SystemData.vSeName.size(), 17u);
    for (const std::string& se : SystemData.vSeName) EXPECT_FALSE(se.empty());
    EXPECT_EQ(WorldMap.LoadFile("data\\WorldMap.dat"), 1);
    EXPECT_GE(WorldMap.vEvent.size(), 4u);
    EXPECT_EQ(LoadCommonPalette(), 1);
    // Every stage the world map names exists, as a numbered file.
    for (const cWorldEvent& e : WorldMap.vEvent)
        for (const cWorldPage& p : e.vPage) {
            std::string path = p.strStageFile;
            std::replace(path.begin(), path.end(), '\\', '/');
            EXPECT_TRUE(fs::exists(Folder() / (path + "_825"))) << path;
        }
    ResetLogs();
    EXPECT_EQ(fs::file_size(report), before) << "the report log has lines";
}

TEST_F(SampleGame, EveryStageIsPlayableAndSurvivesASaveAndLoad) {
    for (const sample::STAGEFILE& f : sample::StageFiles()) {
        const fs::path file = Folder() / "data" / f.strPath;
        auto stage = std::make_unique<cStageData>();
        ASSERT_EQ(stage->LoadFromFile(file.string()), 1) << f.strPath;
        std::string why;
        EXPECT_TRUE(CheckStageStructure(*stage, why)) << f.strPath << ": " << why;
        EXPECT_TRUE(stage->HasHero()) << f.strPath;
        cTempDir dir;
        const std::string again = dir.File("again.stg4");
        ASSERT_EQ(stage->SaveToFile(again), 1);
        const auto x = ReadAll(again), y = ReadAll(file);
        size_t at = 0;
        while (at < x.size() && at < y.size() && x[at] == y[at]) ++at;
        EXPECT_TRUE(x == y) << f.strPath << " changes in a save and load, from byte " << at << " of " << y.size()
                            << " (" << x.size() << " after)";
    }
    // The stress stage holds hundreds of characters that shoot.
    auto stress = std::make_unique<cStageData>();
    ASSERT_EQ(stress->LoadFromFile((Folder() / "data/stg4/stress.stg4").string()), 1);
    EXPECT_GE(stress->vPlacedChara.size(), 300u);
}

TEST_F(SampleGame, EveryPictureLoadsThroughTheSurfaceLoader) {
    cEnvGuard env;
    env.Set("SDL_VIDEODRIVER", "dummy", false);
    cWorkDirGuard cwd(Folder());
    cTempDir logs;
    const std::string report = logs.File("Report_Game.txt");
    ReportInit(report.c_str());
    for (int d3d = 0; d3d < 2; ++d3d) {
        ASSERT_TRUE(DDInit(d3d, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, CommonSurfaces, CommonBitmapInfo,
                           COMMON_BITMAP_NUM));
        // Starting the graphics layer reports the device; the loads must add nothing.
        const auto before = fs::file_size(report);
        // Every row with a file of its own; the background slots take the stages' pictures.
        std::vector<int> rows;
        for (int row = 1; row < CB_BACKGROUND1; ++row)
            if (SharedSurfaceRow(row) < 0) rows.push_back(row);
        EXPECT_TRUE(LoadCommonBitmaps(rows.data(), static_cast<int>(rows.size())));
        for (int row : rows) EXPECT_TRUE(CommonSurfaces[row].HasSurface()) << CommonBitmapInfo[row].szPath;
        for (const sample::PICTURE& p : sample::MakeAllPictures()) {
            DDSURFACEDATA sd;
            std::string path = sample::ProgramPath(p.strPath);
            EXPECT_TRUE(DDCheckErr(DDCreateSurfaceFromFile(&sd, path.c_str(), 1, 32, 0, 0, 0, 0, 0, 0, 0))) << path;
            EXPECT_EQ(sd.nWidth, p.Canvas.W()) << path;
            DDReleaseSurface(&sd);
        }
        EXPECT_EQ(fs::file_size(report), before) << "the report log has lines";
        DDEnd();
    }
    ResetCommonBitmaps();
    ResetLogs();
}

// The sizes the drawing code reads from the common pictures.
TEST_F(SampleGame, PicturesHaveTheLayoutsTheirReadersUse) {
    auto size = [&](const char* rel) {
        int w = 0, h = 0;
        EXPECT_TRUE(ReadBmpSize((Folder() / rel).string(), &w, &h)) << rel;
        return std::pair<int, int>(w, h);
    };
    EXPECT_EQ(size("bmp/Title.bmp"), std::make_pair(640, 480));
    EXPECT_EQ(size("bmp/Character1.bmp"), std::make_pair(640, 480));  // 20 graphics of 15 frames
    EXPECT_EQ(size("bmp/Shot.bmp"), std::make_pair(480, 128));        // 30 graphics a row, two frames each
    EXPECT_GE(size("bmp/Accessory.bmp").second, 218);                  // the small gauges' rows 208..217
    EXPECT_GE(size("bmp/Word.bmp").first, 320);                        // ten 32-dot digits at row 160
    EXPECT_GE(size("bmp/Word.bmp").second, 192);
    EXPECT_EQ(size("bmp/Symbol.bmp"), std::make_pair(26 * 16, 16));    // a..z at the second font's pitch
    EXPECT_GE(size("bmp/StatusWindow.bmp").first, 640);
    EXPECT_GE(size("bmp/Window.bmp").first, 640);
    // The palette picture is indexed, its top-left pixel the transparent colour.
    BMPIMAGE palette;
    ASSERT_TRUE(LoadBmpFile((Folder() / "bmp/plt/Palette.bmp").string(), &palette));
    EXPECT_TRUE(palette.IsIndexed());
    EXPECT_EQ(palette.Palette.size(), 256u);
    EXPECT_EQ(palette.Index[0], 0);

    // Every graphic that a stage, the world map or the palette names is drawn.
    BMPIMAGE blocks, charas, items, chips, events;
    ASSERT_TRUE(LoadBmpFile((Folder() / "bmp/Block.bmp").string(), &blocks));
    ASSERT_TRUE(LoadBmpFile((Folder() / "bmp/Character1.bmp").string(), &charas));
    ASSERT_TRUE(LoadBmpFile((Folder() / "bmp/Item.bmp").string(), &items));
    ASSERT_TRUE(LoadBmpFile((Folder() / "bmp/WorldMapChip.bmp").string(), &chips));
    ASSERT_TRUE(LoadBmpFile((Folder() / "bmp/WorldEvent.bmp").string(), &events));
    auto drawn = [](const BMPIMAGE& img, int x, int y) {
        int n = 0;
        for (int j = y; j < y + 32 && j < img.nHeight; ++j)
            for (int i = x; i < x + 32 && i < img.nWidth; ++i) n += img.Index[static_cast<size_t>(j) * img.nWidth + i] != 0;
        return n;
    };
    for (const sample::STAGEFILE& f : sample::StageFiles()) {
        auto s = std::make_unique<cStageData>();
        f.Build(*s);
        for (const cBlockData& b : s->vBlock)
            if (b.wGraphic) {
                EXPECT_GT(drawn(blocks, b.wGraphic / 15 * 32, b.wGraphic % 15 * 32), 20) << b.strName.Str();
            }
        for (const cCharaData& c : s->vPlacedChara)
            for (int row = 0; row < 15; ++row) EXPECT_GT(drawn(charas, c.wGraphic % 20 * 32, row * 32), 20) << c.strName.Str();
        for (const cItemData& it : s->vItem)
            if (it.wGraphic) {
                EXPECT_GT(drawn(items, it.wGraphic / 15 * 32, it.wGraphic % 15 * 32), 20) << it.strName.Str();
            }
    }
    auto map = std::make_unique<cWorldMap>();
    sample::BuildWorldMap(*map);
    for (const cMapChip& c : map->vChip) EXPECT_GT(drawn(chips, c.nGraphic % 5 * 32, c.nGraphic / 5 * 32), 200);
    for (const cWorldEvent& e : map->vEvent)
        for (int col = 0; col < 2; ++col) EXPECT_GT(drawn(events, col * 32, e.vPage[0].nGraphicRow * 32), 20);

    // The play scene's banners (stage, start, replay, clear, game over, the two digit rows) each drawn
    // inside the rectangle the scene copies, and nothing of the word sheet outside them.
    BMPIMAGE words;
    ASSERT_TRUE(LoadBmpFile((Folder() / "bmp/Word.bmp").string(), &words));
    const int rects[7][4] = {{0, 0, 128, 32},  {160, 0, 80, 32},  {0, 32, 128, 32},  {0, 64, 128, 32},
                             {0, 96, 144, 32}, {0, 128, 320, 32}, {0, 160, 320, 32}};
    int inside[7] = {}, outside = 0;
    for (int y = 0; y < words.nHeight; ++y)
        for (int x = 0; x < words.nWidth; ++x) {
            if (words.Index[static_cast<size_t>(y) * words.nWidth + x] == 0) continue;
            int k = 0;
            while (k < 7 && !(x >= rects[k][0] && x < rects[k][0] + rects[k][2] && y >= rects[k][1] &&
                              y < rects[k][1] + rects[k][3]))
                ++k;
            if (k < 7) ++inside[k]; else ++outside;
        }
    for (int k = 0; k < 7; ++k) EXPECT_GT(inside[k], 200) << "banner " << k;
    EXPECT_EQ(outside, 0);
    for (int d = 0; d < 10; ++d)
        for (int row : {128, 160}) EXPECT_GT(drawn(words, d * 32, row), 60) << "digit " << d;
}

TEST_F(SampleGame, EverySoundAndTuneLoadsThroughTheSoundLayer) {
    if (!SoundWritersPresent()) GTEST_SKIP() << "the sound writers are not part of this build yet";
    EXPECT_TRUE(s_Result->vSoundFailed.empty());
    cWorkDirGuard cwd(Folder());
    cTempDir logs;
    const std::string report = logs.File("Report_Game.txt");
    ReportInit(report.c_str());
    const auto before = fs::file_size(report);
    int oggs = 0, midis = 0;
    for (const sample::SOUNDFILE& f : sample::SoundFiles()) {
        const std::string program = sample::ProgramPath(f.strPath);
        switch (f.nKind) {
            case sample::SOUNDFILE::WAVE: {
                WAVEDATA wave;
                EXPECT_TRUE(ReadWaveFile(program.c_str(), wave)) << f.strPath;
                FreeWaveData(wave);
                break;
            }
            case sample::SOUNDFILE::MIDI: {
                cSmf smf(program.c_str());
                EXPECT_TRUE(smf.HasImage()) << f.strPath;
                ++midis;
                break;
            }
            case sample::SOUNDFILE::OGG: {
                cMixer mixer;
                cOggStream ogg(mixer);
                EXPECT_TRUE(ogg.Load((Folder() / f.strPath).string())) << f.strPath;
                ++oggs;
                break;
            }
        }
    }
    EXPECT_GE(oggs, 1);
    EXPECT_GE(midis, 2);
    ResetLogs();
    EXPECT_EQ(fs::file_size(report), before) << "the report log has lines";
}

TEST_F(SampleGame, TheContactSheetShowsEveryPicture) {
    cTempDir dir;
    ASSERT_TRUE(sample::WriteContactSheet(dir.Path() / "sheet.bmp"));
    int w = 0, h = 0;
    ASSERT_TRUE(ReadBmpSize(dir.File("sheet.bmp"), &w, &h));
    long long area = 0;
    for (const sample::PICTURE& p : sample::MakeAllPictures()) area += static_cast<long long>(p.Canvas.W()) * p.Canvas.H();
    EXPECT_GE(static_cast<long long>(w) * h, area);
}

// A background layer that scrolls sideways is drawn side by side: where its
// right edge meets its left edge the picture goes on as it does between any
// two neighbouring columns inside it.
TEST_F(SampleGame, EveryLayerThatScrollsSidewaysTilesWithoutASeam) {
    int layers = 0;
    for (const sample::STAGEFILE& f : sample::StageFiles()) {
        auto s = std::make_unique<cStageData>();
        f.Build(*s);
        for (const cIntRec& layer : s->vBg) {
            if (layer.e == 0 || layer.strText.empty()) continue;
            std::string rel = layer.strText;
            std::replace(rel.begin(), rel.end(), '\\', '/');
            BMPIMAGE img;
            ASSERT_TRUE(LoadBmpFile((Folder() / rel).string(), &img)) << rel;
            ASSERT_TRUE(img.IsIndexed()) << rel;
            // The rows in which column a and column b differ.
            auto differ = [&](int a, int b) {
                int n = 0;
                for (int y = 0; y < img.nHeight; ++y)
                    n += img.Index[static_cast<size_t>(y) * img.nWidth + a] != img.Index[static_cast<size_t>(y) * img.nWidth + b];
                return n;
            };
            int inside = 0;
            for (int x = 0; x + 1 < img.nWidth; ++x) inside = std::max(inside, differ(x, x + 1));
            EXPECT_LE(differ(img.nWidth - 1, 0), inside) << f.strPath << ": " << rel;
            ++layers;
        }
    }
    EXPECT_GE(layers, 4);
}

// The blend tables of 8-bit screens, one per palette variant of the options:
// entry [a + 256 b] is the colour of the variant nearest to the mix of a and
// b, never the transparent colour nor a cycling one, and a colour mixed with
// itself stays.
TEST_F(SampleGame, EachPaletteVariantHasTheBlendTableOfItsOwnColours) {
    BMPIMAGE picture;
    ASSERT_TRUE(LoadBmpFile((Folder() / "bmp/plt/Palette.bmp").string(), &picture));
    ASSERT_EQ(picture.Palette.size(), 256u);
    std::vector<uint8_t> first;
    for (int n = 0; n < 24; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "bmp/hbt/hbt%02d.dat", n);
        const std::vector<uint8_t> table = ReadAll(Folder() / name);
        ASSERT_EQ(table.size(), 65536u) << name;
        if (n == 0) first = table;
        else EXPECT_NE(table, first) << name;
        PALETTEENTRY pal[256];
        for (int i = 0; i < 256; ++i) {
            const uint32_t c = picture.Palette[i];
            pal[i] = PALETTEENTRY{static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c), 0};
        }
        ASSERT_TRUE(DDMakePaletteVariant(pal, n));
        auto dist = [&](int c, int a, int b) {
            const int r = 2 * pal[c].peRed - pal[a].peRed - pal[b].peRed;
            const int g = 2 * pal[c].peGreen - pal[a].peGreen - pal[b].peGreen;
            const int bl = 2 * pal[c].peBlue - pal[a].peBlue - pal[b].peBlue;
            return r * r + g * g + bl * bl;
        };
        // Every pair for three variants, a spread of pairs for the others.
        const int step = (n == 0 || n == 7 || n == 12) ? 1 : 37;
        for (int k = 0; k < 65536; k += step) {
            const int a = k & 255, b = k >> 8, m = table[k];
            ASSERT_EQ(table[b + 256 * a], m) << name << " " << a << " " << b;
            if (a == b) {
                ASSERT_EQ(m, a) << name;
                continue;
            }
            ASSERT_TRUE(m != 0 && (m < 208 || m > 239)) << name << " " << a << " " << b << " -> " << m;
            int nearest = 1 << 30;
            for (int c = 1; c < 256; ++c)
                if (c < 208 || c > 239) nearest = std::min(nearest, dist(c, a, b));
            ASSERT_EQ(dist(m, a, b), nearest) << name << " " << a << " " << b;
        }
    }
}

}  // namespace
