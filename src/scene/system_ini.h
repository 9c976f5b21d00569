#pragma once
// System.ini, the player's technical settings beside the program: drawing
// back end, window mode, colour depth, vertical sync, glyph caches, video
// stretching, the frame-rate text, a file to play at start and the
// language. The file is "key=value" lines up to an "Exit" line; the keys are
// the names of the first ten options of the system settings' option list,
// whose defaults IniData starts from.
#include <cstdint>
#include <string>

#include "records/safe_container.h"

class cSysOption;

struct INIDATA {
    int32_t Direct3D = 0;         // 0 DirectDraw, 1 Direct3D, 2 or more: the start-up choice decides
    int32_t WindowMode = 0;       // 0 full screen, 1 window, 2 window the player may resize (Direct3D)
    int32_t Bpp = 0;              // colour depth; 0 = chosen at start-up
    int32_t VSync = 0;            // 0 off, 1 on, 2 or more = automatic
    int32_t D3D_FontCache = 0;    // glyph cache under Direct3D
    int32_t DD_FontCache = 0;     // glyph cache under DirectDraw
    int32_t DD_VideoStretch = 0;  // video stretching under DirectDraw (0 at 8 bits)
    int32_t ShowFps = 0;          // frame-rate text: 0 off, 2 plain, other values boxed
    int32_t English = 0;          // nonzero: the English texts where there are some
    std::string FreeStage;        // stage or replay file to play at start (CP932); empty = none
};

// Option rows of the keys, in list order.
enum : int {
    INI_DIRECT3D = 0, INI_WINDOWMODE, INI_BPP, INI_VSYNC, INI_D3D_FONTCACHE, INI_DD_FONTCACHE,
    INI_DD_VIDEOSTRETCH, INI_SHOWFPS, INI_FREESTAGE, INI_ENGLISH, INI_KEY_NUM,
};

// The settings of this run.
extern INIDATA IniData;

// The eight numbers Direct3D .. ShowFps := the default numbers of options
// 0..7, FreeStage := the default text of option 8, English := 0. Options the
// list lacks give 0 and an empty text.
void SetIniDefaults(INIDATA& ini, const cSafeVector<cSysOption>& options);

// Overlays the file at path (program form) on ini: 1 when it was read up to
// its "Exit" line (or a NUL), 0 when it cannot be opened or ends before.
// Keys are matched exactly (case included) against the option names; blanks,
// tabs and CRs inside a key are dropped; a value ends at a blank, a tab, '/',
// a line end or NUL. A number out of its range keeps the default, with a
// report line; a FreeStage value of 2..259 bytes is taken, without a trailing CR.
int ReadSystemIni(const std::string& path, INIDATA& ini, const cSafeVector<cSysOption>& options);

// Start-up: defaults, then System.ini in the program folder; a file that
// cannot be read is reported ("System.ini の読み込みに失敗しました！" in the
// logs and a box) and leaves pure defaults. 1 when the file was read.
int LoadSystemIni(INIDATA& ini, const cSafeVector<cSysOption>& options);
