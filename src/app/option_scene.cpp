#include "app/option_scene.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/scene_surface.h"
#include "database/blink_colors.h"
#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/global_objects.h"
#include "database/option_data.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/fx_fade.h"
#include "platform/sound/music_manager.h"
#include "platform/sound/sound_effects.h"
#include "platform/system/font_sjis.h"
#include "platform/system/log.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/menu_cursor.h"
#include "records/utility.h"
#include "scene/scene_manager.h"

namespace {

enum : int { OPT_PALETTE = 0, OPT_BGM, OPT_SE_VOLUME, OPT_RANK_MODE, OPT_RANK_NAME, OPT_BACK };
constexpr int kRowX = 48, kRowY = 96, kValueX = 208;
constexpr int kVolume[OPTION_SE_VOLUME_MAX + 1] = {-10000, -3000, -2000, -1300, -800, -500, -300, -150, -80, -30, 0};

// The music manager's name tables when the options restart it.
std::vector<OGGNAME> g_OggNames;
std::vector<MIDINAME> g_MidiNames;

DDSURFACEDATA* Screen() { return FirstSceneSurface(); }

const char* RowText(int option) {
    return static_cast<size_t>(option) < SystemData.vOptionMenu.size()
               ? SystemData.vOptionMenu[option].strText.c_str()
               : "";
}

void ApplySEVolume() {
    const int volume = OptionSEVolume(OptionData.nSEVolume);
    for (DSSOUNDDATA& sound : SoundList) DS_SetVolume(sound, 0, volume, 0);
}

}  // namespace

int OptionSEVolume(int v) { return kVolume[std::clamp(v, 0, OPTION_SE_VOLUME_MAX)]; }

cOptionScene::cOptionScene() : cScene(SCENE_OPTION, 3) {
    SetPhases({static_cast<PHASEPROC>(&cOptionScene::List)});
}

cOptionScene::~cOptionScene() { ReleaseMenuScreen(); }

void cOptionScene::Init() {
    cScene::Init();
    m_bMusicOn = OptionData.bBgm;
    LoadCommonBitmapsOrClose({CB_ACCESSORY, CB_WINDOW});
    g_MenuCursor.Reset();
    m_nItemCount = 0;
    for (size_t i = 0; i < SystemData.vOptionMenu.size() && i <= OPT_BACK; ++i)
        if (SystemData.vOptionMenu.data()[i].nEnable) m_nItems[m_nItemCount++] = static_cast<int>(i);
    if (m_nItemCount == 0) {
        m_nItems[0] = OPT_PALETTE;
        m_nItemCount = 1;
    }
    MakeSceneSurface(640, 480, 0);
    DrawScreen();
}

void cOptionScene::DrawScreen() {
    DDSURFACEDATA* s = BeginMenuScreen(5);
    if (!s) return;
    Font& medium = Fonts[FONT_MEDIUM];
    for (int k = 0; k < m_nItemCount; ++k) {
        const int option = m_nItems[k], y = kRowY + 16 * k;
        medium.DrawText(s, 64, y, RowText(option));
        switch (option) {
            case OPT_PALETTE: medium.DrawTextF(s, kValueX, y, "%d", OptionData.nPalette); break;
            case OPT_BGM: medium.DrawText(s, kValueX, y, OptionData.bBgm ? "ON" : "OFF"); break;
            case OPT_SE_VOLUME: medium.DrawTextF(s, kValueX, y, "%d", OptionData.nSEVolume); break;
            case OPT_RANK_MODE: {
                const size_t m = static_cast<size_t>(OptionData.nRankMode);
                if (m < SystemData.vRankModeName.size())
                    medium.DrawText(s, kValueX, y, SystemData.vRankModeName.data()[m].c_str());
                break;
            }
            case OPT_RANK_NAME: {
                // The letters of a name are letters here, not symbol icons.
                const int symbols = medium.SymbolsOn();
                if (SystemData.bFontSymbols) medium.SetSymbolsOn(0);
                medium.DrawText(s, kValueX, y, OptionData.strRankName.c_str());
                medium.SetSymbolsOn(symbols);
                break;
            }
            default: break;
        }
    }
}

void cOptionScene::DrawFrame() {
    DDSURFACEDATA* s = Screen();
    if (s && s->bLost) DrawScreen();
    if (s) DDBlt(&BackBuffer, 0, 0, 640, 480, s, 0, 0, 0);
    UpdateBlinkColors();
}

void cOptionScene::List() {
    if (m_nStep == 0) {
        g_MenuCursor.Current() = MENUCURSORSTATE{};
        m_nStep = 1;
        return;
    }
    if (m_nStep == 1)
        ChooseRow();
    else
        EditValue();
}

void cOptionScene::ChooseRow() {
    cInput& input = InputList[0];
    g_MenuCursor.MoveGrid(input.m_nDir, kRowX, kRowY, 0, 16, 1, m_nItemCount);
    PlayCursorSound(input.m_nDir, 2, SE_CURSOR);
    if (input.m_nButton & 1) {
        PlaySE(SE_CONFIRM);
        const int row = std::clamp(g_MenuCursor.Current().row, 0, m_nItemCount - 1);
        m_nOption = m_nItems[row];
        switch (m_nOption) {
            case OPT_PALETTE: m_pValue = &OptionData.nPalette; m_nMax = OPTION_PALETTE_MAX; break;
            case OPT_BGM: m_pValue = &OptionData.bBgm; m_nMax = 1; break;
            case OPT_SE_VOLUME: m_pValue = &OptionData.nSEVolume; m_nMax = OPTION_SE_VOLUME_MAX; break;
            case OPT_RANK_MODE: m_pValue = &OptionData.nRankMode; m_nMax = OPTION_RANK_MODE_MAX; break;
            case OPT_RANK_NAME:
                RequestDialog(WM_NAME_DIALOG, 0);
                DrawScreen();
                return;
            default: Leave(SCENE_TITLE); return;
        }
        m_nMin = 0;
        m_nBefore = *m_pValue;
        g_MenuCursor.PushLevel(0);
        m_nStep = 2;
        return;
    }
    if (input.m_nButton & 2) {
        PlaySE(SE_CANCEL);
        Leave(SCENE_TITLE);
        return;
    }
    DrawFrame();
    const MENUCURSORSTATE& c = g_MenuCursor.Current();
    DDBlt(&BackBuffer, c.x, c.y, 16, 16, &CommonSurfaces[CB_ACCESSORY], 64, 0, DDBLT_COLORKEY);
}

void cOptionScene::ApplyLive() {
    if (m_nOption == OPT_PALETTE) ReloadPalette(OptionData.nPalette);
    if (m_nOption == OPT_SE_VOLUME) ApplySEVolume();
}

void cOptionScene::EditValue() {
    cInput& input = InputList[0];
    if (input.m_nDir & (4 | 8)) {
        int32_t& v = *m_pValue;
        v += (input.m_nDir & 4) ? 1 : -1;
        if (v < m_nMin) v = m_nMax;
        if (v > m_nMax) v = m_nMin;
        ApplyLive();
        DrawScreen();
    }
    PlayCursorSound(input.m_nDir, 2, SE_CURSOR);
    if (input.m_nButton & 1) {
        PlaySE(SE_CONFIRM);
        g_MenuCursor.PopLevel(1);
        m_nStep = 1;
        return;
    }
    if (input.m_nButton & 2) {
        PlaySE(SE_CANCEL);
        *m_pValue = m_nBefore;
        ApplyLive();
        g_MenuCursor.PopLevel(1);
        m_nStep = 1;
        DrawScreen();
        return;
    }
    DrawFrame();
    const MENUCURSORSTATE* row = g_MenuCursor.Parent();
    if (!row) return;
    DDBlt(&BackBuffer, row->x, row->y, 16, 16, &CommonSurfaces[CB_ACCESSORY], 80, 0, DDBLT_COLORKEY);
    DDBlt(&BackBuffer, kValueX - 16, row->y, 16, 16, &CommonSurfaces[CB_ACCESSORY], 64, 0, DDBLT_COLORKEY);
}

void cOptionScene::Exit() {
    if (!DDFadeOut(DDScreenPalette, 0, 255, 0, 0, 0, static_cast<double>(SceneManager.nFadeSpeed), DDBasePalette, 0))
        return;
    DDClearSurface(&BackBuffer, 16);
    if (!m_bMusicOn && OptionData.bBgm) {
        Bgm.Release();
        InitBgmNameTables(g_OggNames, g_MidiNames);
        Bgm.Init(1, &g_OggNames, &g_MidiNames, 5);
        SceneManager.nBgmId = SceneManager.nBgmFlag = 0;
    } else if (m_bMusicOn && !OptionData.bBgm) {
        Bgm.Release();
        SceneManager.nBgmId = SceneManager.nBgmFlag = 0;
    }
    if (!SaveOptionData()) WriteReport("Option.dat could not be saved");
    g_MenuCursor.Reset();
    SceneManager.nPrevious = SCENE_OPTION;
    SceneManager.nCurrent = SceneManager.nNext;
}
