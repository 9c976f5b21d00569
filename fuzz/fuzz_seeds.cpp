// Writes the seed corpus of every harness into DIR/NAME/ (fuzz_seeds DIR),
// every file made by the project's own writers: the sample game (pictures,
// sounds, music, database lists, System.dat, the world map, the common
// palette, stages, System.ini), the record writers at their defaults and at
// older data versions, stages whose definitions use templates of both kinds,
// and small pictures, sounds and Ogg files of every form the writers have.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/boot_data.h"
#include "app/window_data.h"
#include "database/common_palette.h"
#include "database/data_paths.h"
#include "database/database.h"
#include "database/option_data.h"
#include "player/key_log.h"
#include "player/ranking.h"
#include "player/save_data.h"
#include "database/system_data.h"
#include "database/system_old_stream.h"
#include "database/world_map.h"
#include "platform/graphics/bmp.h"
#include "platform/input/input.h"
#include "platform/input/keyconfig.h"
#include "records/data_file.h"
#include "records/version.h"
#include "sample_game/audio/audio_files.h"
#include "sample_game/audio/ogg_encoder.h"
#include "sample_game/sample_game.h"
#include "stage/sample_stage.h"
#include "stage/stage_bytes.h"

namespace fs = std::filesystem;

namespace {

// Seeds larger than this slow every input of their harness down: left out.
constexpr uintmax_t MAX_SEED = 128 * 1024;

int g_nBad = 0;
std::map<std::string, int> g_Count;
fs::path g_Dir;

void Put(const std::string& harness, const std::string& name, const std::vector<uint8_t>& bytes) {
    const fs::path dir = g_Dir / harness;
    fs::create_directories(dir);
    if (!WriteFileAtomic((dir / name).string(), bytes)) {
        std::fprintf(stderr, "fuzz_seeds: cannot write %s/%s\n", harness.c_str(), name.c_str());
        ++g_nBad;
        return;
    }
    ++g_Count[harness];
}

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::vector<uint8_t> Read(const fs::path& p) {
    std::vector<uint8_t> b;
    if (!ReadFileBytes(p.string(), b)) ++g_nBad;
    return b;
}

// A record saved to a data file at the current version, read back as bytes.
template <class T>
std::vector<uint8_t> Saved(T& rec, const fs::path& scratch) {
    const std::string path = (scratch / "rec.dat").string();
    if (!rec.SaveToFile(path)) ++g_nBad;
    return Read(path);
}

// The sample game's files, each to the harness of its reader.
void FromSampleGame(const fs::path& game) {
    sample::SAMPLERESULT r;
    if (!sample::WriteSampleGame(game, &r)) {
        std::fprintf(stderr, "fuzz_seeds: the sample game was not written whole\n");
        ++g_nBad;
    }
    static const char* const lists[DBFILE_NUM] = {"AnimeSet.dat", "Anime.dat",     "Bmp_CharaExc.dat", "SwordType.dat",
                                                  "Effect.dat",   "CharaEffect.dat", "ScrEffect.dat",  "Picture.dat",
                                                  "Sound.dat",    "Bgm.dat"};
    for (const auto& e : fs::recursive_directory_iterator(game)) {
        if (!e.is_regular_file() || e.file_size() > MAX_SEED) continue;
        const fs::path& p = e.path();
        const std::string name = p.filename().string(), ext = p.extension().string();
        const std::string seed = fs::relative(p, game).string();
        std::string flat = seed;
        for (char& c : flat)
            if (c == '/') c = '_';
        // The stages of the game to the play harness (the stress stage is the benchmarks').
        if (seed.rfind("data/stg4/", 0) == 0 && name.find(".stg4") != std::string::npos && name != "stress.stg4")
            Put("play", flat, Read(p));
        if (ext == ".bmp") Put("bmp", flat, Read(p));
        else if (ext == ".wav") Put("wav", flat, Read(p));
        else if (ext == ".mid") Put("smf", flat, Read(p));
        else if (ext == ".ogg") Put("ogg", flat, Read(p));
        else if (ext == ".stg4") Put("stage", flat, Read(p));
        else if (ext == ".cplt4") Put("common_palette", flat, Read(p));
        else if (name == "System.dat") Put("system_dat", flat, Read(p));
        else if (name == "WorldMap.dat") Put("world_map", flat, Read(p));
        else if (name == "System.ini") Put("system_ini", flat, Read(p));
        else if (p.parent_path().filename() == "database") {
            for (int i = 0; i < DBFILE_NUM; ++i) {
                if (name != lists[i]) continue;
                std::vector<uint8_t> b = Read(p);
                b.insert(b.begin(), static_cast<uint8_t>(i));
                Put("db_list", flat, b);
            }
        }
    }
}

// Small pictures of every form the encoder writes.
void Pictures() {
    std::vector<uint32_t> palette(256);
    for (uint32_t i = 0; i < 256; ++i) palette[i] = (i << 16) | ((255 - i) << 8) | ((i * 7) & 255);
    BMPIMAGE img;
    img.nWidth = 13;
    img.nHeight = 7;
    img.nBitCount = 8;
    img.Palette = palette;
    for (int y = 0; y < img.nHeight; ++y)
        for (int x = 0; x < img.nWidth; ++x) {
            const uint8_t v = static_cast<uint8_t>(x < 6 ? 3 : (x * 5 + y * 3) & 15);
            img.Index.push_back(v);
            img.Pixels.push_back(palette[v]);
        }
    struct FORM { int bits; uint32_t compression; bool topDown; const char* name; };
    const FORM forms[] = {{1, BMP_RGB, false, "1"},        {4, BMP_RGB, false, "4"},     {4, BMP_RLE4, false, "4_rle"},
                          {8, BMP_RGB, false, "8"},        {8, BMP_RLE8, false, "8_rle"}, {8, BMP_RGB, true, "8_top"},
                          {16, BMP_RGB, false, "16"},      {24, BMP_RGB, false, "24"},   {24, BMP_RGB, true, "24_top"},
                          {32, BMP_RGB, false, "32"}};
    for (const FORM& f : forms) Put("bmp", std::string("small_") + f.name + ".bmp", EncodeBmp(img, f.bits, f.compression, f.topDown));
}

// Short sounds and tunes of every form the sample game's writers make.
void Sounds() {
    for (int channels : {1, 2})
        for (int rate : {8000, 22050, 44100}) {
            std::vector<float> samples;
            for (int i = 0; i < rate / 50 * channels; ++i) samples.push_back(0.5f * std::sin(i * 0.05f));
            const std::string tag = std::to_string(channels) + "ch_" + std::to_string(rate);
            Put("wav", "tone_" + tag + ".wav", sample::MakeWaveFile(samples, channels, rate));
            std::vector<uint8_t> ogg;
            if (sample::EncodeOggVorbis(samples, channels, rate, 0.1f, 7, "seed", ogg)) Put("ogg", "tone_" + tag + ".ogg", ogg);
            else ++g_nBad;
        }
}

void Records(const fs::path& scratch) {
    cDatabase db;
    for (int i = 0; i < DBFILE_NUM; ++i) {
        const std::string path = (scratch / "list.dat").string();
        for (uint32_t v : {DATA_VERSION, 180u, 600u}) {
            nDataVersion = v;
            if (!db.SaveListFile(i, path)) ++g_nBad;
            nDataVersion = DATA_VERSION;
            std::vector<uint8_t> b = Read(path);
            b.insert(b.begin(), static_cast<uint8_t>(i));
            Put("db_list", "default_" + std::to_string(i) + "_" + std::to_string(v), b);
        }
    }
    cSystemData system;
    Put("system_dat", "default", Saved(system, scratch));
    for (uint32_t v : {60u, 113u, 157u, 167u, 187u, 300u, 600u, 824u})
        Put("system_dat", "default_" + std::to_string(v), oldsys::SystemDat(system, v));
    cWorldMap map;
    Put("world_map", "default", Saved(map, scratch));
    for (uint32_t v : {60u, 180u, 600u, 824u}) Put("world_map", "default_" + std::to_string(v), oldsys::WorldMapDat(map, v));

    cOptionData option;
    Put("option", "default", Saved(option, scratch));
    option.nPalette = 23;
    option.bBgm = 0;
    option.nSEVolume = 10;
    option.nRankMode = 3;
    option.strRankName = "ランキング";
    Put("option", "set", Saved(option, scratch));
    // The player's records: the first byte picks the record (0 a save slot,
    // 1 a ranking file, 2 a replay).
    const auto picked = [](uint8_t pick, std::vector<uint8_t> bytes) {
        bytes.insert(bytes.begin(), pick);
        return bytes;
    };
    cSaveData save;
    Put("player", "save_default", picked(0, Saved(save, scratch)));
    cRankingList ranking;
    Put("player", "ranking_default", picked(1, Saved(ranking, scratch)));
    {
        cStageData stage;
        BuildSampleStage(stage);
        cStageData copy = stage;
        cKeyLog log;
        cInput in;
        for (int n = 0; n < 90; ++n) {
            in.m_nDir = n < 30 ? 0 : 8;
            in.m_nButton = n % 20 == 0 ? 1 : 0;
            log.RecordFrame(in);
        }
        const fs::path file = scratch / "seed.rpl4_825";
        if (log.SaveReplay(file.string(), stage, copy, save)) Put("player", "replay_sample", picked(2, Read(file)));
    }
    cBootData boot;
    Put("boot", "default", Saved(boot, scratch));
    boot.nDrawMode = 1;
    boot.bNoDialog = 1;
    Put("boot", "direct3d", Saved(boot, scratch));
    cWindowData window;
    Put("window", "default", Saved(window, scratch));
    window.nLeft = 100;
    window.nTop = 50;
    window.nWidth = 800;
    window.nHeight = 600;
    window.bMaximized = 1;
    Put("window", "placed", Saved(window, scratch));

    KEYCONFIG keys;
    SetDefaultKeyConfig(keys);
    Put("keyconfig", "default", KeyConfigBytes(keys));
    keys.bUse = 1;
    keys.nJoyNum = 2;
    keys.Slot[0] = KEYSLOT{0, JOYCODE_LEFT};
    keys.Slot[4] = KEYSLOT{1, 3};
    Put("keyconfig", "joystick", KeyConfigBytes(keys));

    Put("input_script", "keys", Bytes("# a run\n0 VK_RIGHT down\n30 VK_RIGHT up\n31 Z down\r\n32 Z up\n"));
    Put("input_script", "codes", Bytes("10 37 down\n10 37 up\n4294967295 88 down\n\nbad line\n"));
    Put("system_ini", "keys",
        Bytes("Direct3D=1\nWindowMode=1\nBpp=32\nVSync=1\nD3D_FontCache=1\nDD_FontCache=0\nDD_VideoStretch=1\n"
              "ShowFps=2\nFreeStage=stage01.stg4\nEnglish=0\nExit\n"));
}

// The stage palette of the sample stage made the common palette of the
// stage harness (it builds the same one), and stages whose placed objects
// inherit from it (kind 1) and from their own palette (kind 2).
void Stages(const fs::path& scratch) {
    cStageData smallest;
    smallest.nWidth = 20;
    smallest.nHeight = 15;
    Put("stage", "smallest", StageFile(smallest));
    cStageData sample;
    BuildSampleStage(sample);
    Put("stage", "sample", StageFile(sample));

    cCommonPalette palette;
    palette.vBlock.resize(1);
    palette.vChara.resize(1);
    palette.vItem.resize(1);
    for (auto& b : sample.vBlock) palette.vBlock.push_back(b);
    for (auto& c : sample.vChara) palette.vChara.push_back(c);
    for (auto& i : sample.vItem) palette.vItem.push_back(i);
    Put("common_palette", "sample_palette", Saved(palette, scratch));
    Put("common_palette", "default", [&] {
        cCommonPalette d;
        return Saved(d, scratch);
    }());

    cStageData common = sample;
    for (size_t i = 1; i < common.vPlacedChara.size(); ++i) {  // all but the hero
        cCharaData& c = common.vPlacedChara[i];
        c.byTemplateKind = TEMPLATE_COMMON;
        c.wTemplateIndex = 1;
        c.vInherit.assign(CHARA_GROUP_NUM, 1);
    }
    for (auto& it : common.vPlacedItem) {
        it.byTemplateKind = TEMPLATE_COMMON;
        it.wTemplateIndex = 1;
        it.vInherit.assign(ITEM_GROUP_NUM, 1);
    }
    for (size_t i = 0; i < common.vPlacedBlock.size(); i += 2) {
        common.vPlacedBlock[i].byTemplateKind = TEMPLATE_COMMON;
        common.vPlacedBlock[i].vInherit.assign(BLOCK_GROUP_NUM, static_cast<uint8_t>(i & 2 ? 1 : 0));
    }
    // Stage palette entries of their own that inherit from the common palette.
    cCharaData stageEnemy = sample.vChara.back();
    stageEnemy.byTemplateKind = TEMPLATE_COMMON;
    stageEnemy.wTemplateIndex = 1;
    stageEnemy.vInherit.assign(CHARA_GROUP_NUM, 0);
    stageEnemy.vInherit[0] = stageEnemy.vInherit[3] = 1;
    common.vChara.push_back(stageEnemy);
    Put("stage", "common_templates", StageFile(common));

    for (cStageData* s : {&sample, &common}) {
        for (auto& c : s->vChara) c.vFlow.clear();
        for (auto& c : s->vPlacedChara) c.vFlow.clear();
        for (auto& it : s->vItem) it.vCmd.clear();
        for (auto& it : s->vPlacedItem) it.vCmd.clear();
    }
    for (uint32_t v : {60u, 154u, 180u, 199u, 224u, 753u}) {
        Put("stage", "sample_" + std::to_string(v), StageFileAtVersion(sample, v));
        Put("stage", "common_templates_" + std::to_string(v), StageFileAtVersion(common, v));
    }
    nDataVersion = DATA_VERSION;
}

// Code texts of the expression language. The first byte is the harness's
// game set-up: 0x0F fills every target slot, 0x10 makes the runner the hero.
void Expressions() {
    const char* texts[] = {
        "my.hp = my.mhp",
        "tg.v1 = ( tg.v1 + 1 ) * 2",
        "C10 = rand(1, 6)",
        "S3 = S3 + 1 C3 = S3",
        "1 + 2 * 3 - -7 / 2 % 3",
        "my.mhp = 0 z = 300 sight = 9 tg4.stop = 999 pl.imp = -50",
        "time = 5000 scrlx = -999 sys.scrly = 3 score = score * 2 life = life + 1",
        "( hp = 70 ) ( 1 / 0 ) rand(1, , 6) rand(1,,6) abc(1) x.5 sys.hp",
        "((((1)))) 2*(3+4) \x82\xa0(1) \x83\x5c.hp",
    };
    int n = 0;
    for (const char* text : texts) {
        std::string bytes = std::string(1, static_cast<char>(n % 2 ? 0x1F : 0x30)) + text;
        Put("expr", "code_" + std::to_string(n++), Bytes(bytes));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
        return 2;
    }
    g_Dir = argv[1];
    const fs::path scratch = g_Dir / ".scratch";
    fs::create_directories(scratch);
    // The play harness plays in this copy of the sample game.
    FromSampleGame(g_Dir / "play_game");
    Pictures();
    Sounds();
    Records(scratch);
    Stages(scratch);
    Expressions();
    fs::remove_all(scratch);
    for (const auto& [name, n] : g_Count) std::printf("fuzz_seeds: %-15s %3d seeds\n", name.c_str(), n);
    return g_nBad ? 1 : 0;
}
