#include "app/init_app.h"

#include <cstdlib>
#include <cstring>
#include <future>
#include <string>
#include <utility>
#include <vector>

#include "actors/chara_effect_run.h"
#include "app/boot_data.h"
#include "app/front_services.h"
#include "app/main_window.h"
#include "app/start_file.h"
#include "app/startup_dialog.h"
#include "app/startup_log.h"
#include "app/title_scene.h"
#include "app/window_data.h"
#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/common_palette.h"
#include "database/data_paths.h"
#include "database/database.h"
#include "database/database_work.h"
#include "database/global_objects.h"
#include "database/menu_text_labels.h"
#include "database/option_data.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "database/world_map.h"
#include "platform/graphics/bmp.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_present.h"
#include "platform/graphics/dd_restore.h"
#include "platform/graphics/fx_palette.h"
#include "platform/input/keyconfig.h"
#include "platform/sound/midi_synth.h"
#include "platform/sound/music_manager.h"
#include "platform/sound/sound_effects.h"
#include "platform/system/log.h"
#include "platform/system/path.h"
#include "platform/system/sysreport.h"
#include "platform/system/timer.h"
#include "play/effects/scr_effect_run.h"
#include "records/crt_rand.h"
#include "records/data_file.h"
#include "records/version.h"
#include "scene/scene_manager.h"
#include "scene/stage_loader.h"
#include "scene/system_ini.h"
#include "stage/definition_context.h"
#include "stage/flow_arrange.h"
#include "stage/flow_params.h"

int bWindowed = 1;
int nScreenBpp = 32;
int bNoFlip = 0;

namespace {

// DirectSound volumes of the option's effect volume 0..10.
constexpr int kSEVolume[11] = {-10000, -3000, -2000, -1300, -800, -500, -300, -150, -80, -30, 0};

// The desktop's colour depth: the picture is shown through a true-colour texture.
constexpr int kDesktopBpp = 32;

// The start's data being prepared ahead (PrepareStartData), and the sound effects' files read ahead.
std::future<void> g_Prepared;
std::future<void> g_PreparedSounds;

// The music manager's name tables (it keeps pointers to them).
std::vector<OGGNAME> g_OggNames;
std::vector<MIDINAME> g_MidiNames;

int MusicCount() { return static_cast<int>(Database.vBgm.size()); }

// The depth that Bpp 0 means, and the refusals of the screen check.
int DecideDepth() {
    if (IniData.Bpp != 0) return IniData.Bpp;
    if (bWindowed) return kDesktopBpp;
    if (IniData.Direct3D) return SystemData.nD3DBpp == 1 ? 16 : 32;
    if (SystemData.nDDBpp == 1) return 16;
    if (SystemData.nDDBpp == 2) return SystemData.nColorMode == 0 ? 8 : 32;
    return 32;
}

bool CheckScreen(int depth) {
    bool ok;
    if (IniData.Direct3D || SystemData.nColorMode != 0)
        ok = depth == 16 || depth == 32;
    else
        ok = depth == 8 || depth == 16 || depth == 32;
    if (ok && bWindowed) ok = depth == kDesktopBpp || depth == 16;  // 16 runs at 32 (see below)
    if (ok && bWindowed && depth == 8) ok = false;
    if (ok) return true;
    if (bWindowed && (depth == 16 || depth == 32))
        WriteReportMes("画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！");
    else
        WriteReportMes("画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！");
    return false;
}

bool StartGraphics(int showCommand) {
    (void)showCommand;
    const int vsync = IniData.VSync ? 1 : 0;
    auto init = [&] {
        return DDInit(IniData.Direct3D ? 1 : 0, MainWindow.GetNativeWindow(), 640, 480, nScreenBpp, vsync, bWindowed, 1,
                      60, vsync, CommonSurfaces, CommonBitmapInfo, COMMON_BITMAP_NUM);
    };
    if (init()) return true;
    if (IniData.Direct3D) {
        DDEnd();
        IniData.Direct3D = 0;
        if (init()) return true;
    }
    WriteEC("DDInit失敗");
    WriteReportMes("画面の初期化に失敗しました！\nSystem.iniの設定を見直して下さい！");
    return false;
}

void PlaceWindow() {
    if (!LoadWindowData(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))) return;
    MainWindow.SetPosition(WindowData.nLeft, WindowData.nTop);
    if (IniData.Direct3D && IniData.WindowMode == 2 && WindowData.nWidth > 0 && WindowData.nHeight > 0)
        MainWindow.SetSize(WindowData.nWidth, WindowData.nHeight);
    if (WindowData.bMaximized) MainWindow.Maximize();
}

bool SetPaletteAndKey() {
    if (!(lpDTCon || DDGetColorBit() == 8 || lpDDCon)) return true;
    const char* palette = CommonBitmapInfo[CB_PALETTE].szPath;
    PALETTEENTRY entries[256]{};  // a short palette picture leaves the entries it lacks black
    if (!DDLoadPaletteFromFile(entries, palette, bWindowed)) {
        WriteEC("DDLoadPaletteFromFile失敗");
        WriteReportMes("%s の読み込みに失敗…", palette);
        return false;
    }
    for (int i = 0; i < 256; ++i) DDBasePalette[i] = DDScreenPalette[i] = entries[i];
    if (DDGetColorBit() == 8) DDSetPaletteEntries(0, 255, DDScreenPalette);
    const uint8_t* key = SystemData.byColorKey;
    int ok = 1;
    if (SystemData.nColorMode == 0) {
        ok = DDSetTransmitFromFile(palette);
    } else {
        DDSetTransmit(key[0], key[1], key[2]);
    }
    if (!ok) {
        WriteEC("DDSetTransmit失敗");
        WriteReportMes("%s の読み込みに失敗…", palette);
        return false;
    }
    WriteEC("1");
    return true;
}

bool StartFonts() {
    // Glyphs the preparing thread has not reached yet are rasterised here and kept for it to skip.
    ApplyFontSettings(GetFontName(SystemData.nFontNo),
                      static_cast<uint32_t>(lpDTCon ? IniData.D3D_FontCache : IniData.DD_FontCache));
    if (!CreateFonts(Fonts, FontInfo, FONT_NUM)) {
        WriteReportMes("フォントの作成に失敗しました！");
        return false;
    }
    // A restored device lets every font fill its glyph cache again.
    DDSetFontRestore(RestoreCommonFonts);
    Fonts[FONT_MEDIUM].SetSymbolsOn(SystemData.bFontSymbols);
    Fonts[FONT_MEDIUM].SetGlyphCentring(SystemData.bFontCentring);
    if (!CreateDigitSurfaces(DigitSurfaces, DigitStripInfo, FONT_NUM, Fonts, FontInfo)) {
        WriteReportMes("フォントの作成に失敗しました！");
        return false;
    }
    WriteEC("3");
    return true;
}

// The wave file of every sound effect: the system sounds, then the database's from entry 1 on.
std::vector<std::string> SoundFileNames() {
    std::vector<std::string> names;
    for (size_t i = 0; i < SE_SYSTEM_NUM; ++i)
        names.push_back(i < SystemData.vSeName.size() ? SystemData.vSeName.data()[i] : std::string());
    for (size_t j = 1; j < Database.vSound.size(); ++j) names.push_back(Database.vSound.data()[j].strFile);
    return names;
}

bool StartSound() {
    const size_t count = Database.vSound.size() + SE_DATA_BASE;
    SoundInfoList.clear();
    SoundInfoList.resize(count);
    SoundList.clear();
    SoundList.resize(count);
    auto name = [](DSSOUNDINFO& info, const std::string& file) {
        std::strncpy(info.name, file.c_str(), sizeof info.name - 1);
        info.copies = 1;
        info.volume = 0;
        info.loaded = 1;
    };
    const std::vector<std::string> files = SoundFileNames();
    for (size_t i = 0; i < files.size() && i < count; ++i) name(SoundInfoList.data()[i], files[i]);
    if (!DS_Init(MainWindow.GetNativeWindow(), 22050, 8, 1)) {
        WriteEC("DS_Init失敗！");
        WriteReportMes("サウンドの初期化に失敗しました！");
        return false;
    }
    WriteEC("DSCreate");
    if (g_PreparedSounds.valid()) g_PreparedSounds.get();
    DS_LoadSoundList(SoundList, SoundInfoList, kSEVolume[OptionData.nSEVolume]);
    DiscardPreparedWaveFiles();
    // The music last: the effects are made before the synthesiser plays in
    // the mixer (it joins it once its sound bank has loaded).
    if (OptionData.bBgm) {
        InitBgmNameTables(g_OggNames, g_MidiNames);
        Bgm.Init(1, &g_OggNames, &g_MidiNames, 5);
    }
    return true;
}

}  // namespace

void PrepareStartData() {
    // The heights of the cached fonts; their face is the one System.dat
    // chooses, read here ahead of InitApp (a file that cannot be read yet,
    // as before data\ is first made, gives the default choice).
    std::vector<int> heights;
    for (const FONTINFO& f : FontInfo)
        if (f.dwCache) heights.push_back(static_cast<int>(f.dwGlyphHeight));
    const std::string path = PathTable[PATH_SYSTEM];
    std::vector<std::string> pictures;
    for (int row : TitleBitmapRows()) pictures.emplace_back(CommonBitmapInfo[row].szPath);
    g_Prepared = std::async(std::launch::async, [heights, path, pictures] {
        cSystemData system;
        system.LoadFileUnchecked(path);  // the music list is not loaded yet
        const char* face = GetFontName(system.nFontNo);
        for (int height : heights) Font::PrepareCacheGlyphs(face, height);
        PrepareBmpFiles(pictures);
    });
}

void EndStartData() {
    if (g_Prepared.valid()) g_Prepared.get();
    DiscardPreparedBmpFiles();
    if (g_PreparedSounds.valid()) g_PreparedSounds.get();
    DiscardPreparedWaveFiles();
}

bool InitApp(const std::string& commandLine, int showCommand) {
    // 1-2: the clock's resolution is already 1 ms; the random seed; the data version.
    crt::srand(static_cast<uint32_t>(timeGetTime()));
    nDataVersion = DATA_VERSION;
    bRemoveCR = 1;
    bVersionTooNew = 0;
    // 3: the flow-parameter label table, and what stage loading needs at hand.
    InitFlowParamLabels();
    SetStageLoadTarget(&PlayStage, &thLoadStage);
    InstallFrontServices();
    SetPlayStagePalette(PALETTELISTS{&PlayStage.vBlock, &PlayStage.vChara, &PlayStage.vItem});
    SetInputDirPlayback(0, DATA_VERSION);
    SetMusicCountSource(MusicCount);
    // True-colour screens take the palette from the colour cells of the palette picture.
    DDSetPaletteUnPalHook(DDSetPalette_UnPal);
    // 4-5: data\ from default\, the folders of the player and the data.
    if (!CreateDefaultData()) {
        WriteReportMes("「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。");
        return false;
    }
    CreateStartupFolders();
    StartupLogMark("folders");
    // Writes killed before their end leave their temporary files behind.
    for (const std::string& file : RemoveTemporaryLeftovers(ToNativePath("user_data", false)))
        WriteReport("Leftover temporary file removed : %s", file.c_str());
    // 6-7: the database and its work tables.
    GetStopwatchTime(1);
    if (!Database.Load()) {
        WriteReportMes("データベースの読み込みに失敗…");
        return false;
    }
    PrepareDatabaseWork(Database);
    StartupLogMark("database");
    // The prepared runs of every character and screen effect.
    ResizeCharaEffectWork();
    ResizeScrEffectWork();
    // 8-9: System.dat, then System.ini over its options.
    if (!SystemData.LoadFile(PathTable[PATH_SYSTEM])) {
        WriteReportMes("%s の読み込みに失敗…", PathTable[PATH_SYSTEM]);
        return false;
    }
    LoadSystemIni(IniData, SystemData.vOption);
    // The sound effects' files are read while the graphics and fonts start.
    g_PreparedSounds = std::async(std::launch::async, [files = SoundFileNames()] { PrepareWaveFiles(files); });
    StartupLogMark("system ini");
    // 10: the start-up choice of the drawing back end.
    if (IniData.Direct3D >= 2) {
        LoadBootData();
        if (!BootData.bNoDialog && !RunStartupDialog()) return false;
        IniData.Direct3D = BootData.nDrawMode == 1 ? 1 : 0;
    }
    // 11-13.
    if (!commandLine.empty()) IniData.FreeStage = commandLine;
    SceneManager.nFrameRate = 60;
    SceneManager.nFadeSpeed = 10;
    for (cInput& input : InputList) input.SetRepeat(18, 6);
    // 14-16: window mode, vertical sync, depth, and the screen check.
    if (IniData.Direct3D) {
        bWindowed = IniData.WindowMode != 0;
        if (IniData.VSync >= 2) IniData.VSync = 1;
    } else if (IniData.WindowMode != 0) {
        bWindowed = 1;
        IniData.VSync = 0;
    } else {
        bWindowed = 0;
        if (IniData.VSync >= 2) IniData.VSync = 0;
    }
    const int depth = DecideDepth();
    IniData.Bpp = depth;
    if (!CheckScreen(depth)) return false;
    nScreenBpp = depth;
    if (depth == 16) {
        WriteReport("Bpp 16 : the picture runs at 32 bits");
        nScreenBpp = 32;
    }
    // 17-18: the window.
    if (IniData.Direct3D && IniData.WindowMode == 2) MainWindow.AddStyle(WS_THICKFRAME);
    MainWindow.Setup(0, nullptr, 0);
    hWndMain = MainWindow.GetNativeWindow();
    MainWindow.SetTitle(SystemData.strTitle.c_str());
    GetStopwatchTime(1);
    // 19-21: the graphics.
    if (nScreenBpp == 8) IniData.DD_VideoStretch = 0;
    if (!StartGraphics(showCommand)) return false;
    StartupLogMark("graphics");
    // From here message boxes and dialogs are drawn in the window.
    OpenWindowDialogs();
    if (lpDTCon) LinkSharedSurfaces();
    // 22: the window's placement and the display report.
    if (bWindowed) PlaceWindow();
    WriteDisplayReport(1);
    WriteEC("DDInit成功");
    // 23-25: palette, transparent colour, presenting, the first common bitmaps.
    if (!SetPaletteAndKey()) return false;
    if (lpDDCon) bNoFlip = bWindowed || !IniData.VSync || DDGetWindowRefreshRate(MainWindow.GetNativeWindow()) < 60;
    if (!LoadCommonBitmaps({CB_DEBUG, CB_SYMBOL})) return false;
    StartupLogMark("palette and bitmaps");
    // 26: fonts.
    if (!StartFonts()) return false;
    StartupLogMark("fonts");
    // 27: input.
    for (cInput& input : InputList) input.SetDefaultButtons();
    if (!LoadKeyConfig(PathTable[PATH_KEY_CONFIG], KeyConfig)) SetDefaultKeyConfig(KeyConfig);
    // 28: the player's options.
    LoadOptionData();
    StartupLogMark("input and options");
    if (nScreenBpp == 8 && !ReloadPalette(OptionData.nPalette)) return false;
    // 29-31: music and sound effects.
    if (!StartSound()) return false;
    StartupLogMark("sound");
    // 32: the world map and the common palette.
    if (!WorldMap.LoadFile(PathTable[PATH_WORLD_MAP])) {
        WriteReportMes("%s のロードに失敗！", PathTable[PATH_WORLD_MAP]);
        return false;
    }
    if (!LoadCommonPalette()) return false;
    StartupLogMark("world map");
    WriteEC("4");
    // 33: a file to play at once.
    return StartWithFile();
}

void ExitApp() {
    EndStartData();
    if (lpDTCon || lpDDCon) {
        if (const cFontCache* c = Fonts[FONT_SMALL].FullCache()) WriteReport("Font10 : %d", c->Count());
        if (const cFontCache* c = Fonts[FONT_MEDIUM].FullCache()) WriteReport("Font16 : %d", c->Count());
    }
    DS_End();
    Bgm.Release();
    ReleaseGgs4();  // a synthesiser opened ahead for music that was never started
    SceneManager.Release();
    ResetCommonFonts();
    CloseWindowDialogs();
    DDEnd();
}
