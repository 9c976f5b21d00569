#include "app/challenge_scene.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/scene_surface.h"
#include "database/blink_colors.h"
#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/data_paths.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/system/file_name.h"
#include "platform/system/font_sjis.h"
#include "platform/system/mesbox.h"
#include "platform/system/path.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/menu_cursor.h"
#include "player/player_records.h"
#include "player/save_roles.h"
#include "records/utility.h"
#include "scene/scene_manager.h"
#include "scene/stage_loader.h"
#include "scene/system_ini.h"

namespace {

constexpr int kListX = 32, kListY = 160, kRowsMax = 10;
constexpr int kRankX = 292, kRankY = 108;

const std::string& Text(int i) {
    static const std::string empty;
    return static_cast<size_t>(i) < SystemData.vText.size() ? SystemData.vText[i] : empty;
}

bool ChallengeRankOn() {
    return SystemData.vGameTypeFlags.size() > GAME_CHALLENGE && SystemData.vGameTypeFlags[GAME_CHALLENGE].bOn;
}

DDSURFACEDATA* Screen() { return FirstSceneSurface(); }

// The newest numbered variant of a challenge stage; a project whose stage
// files carry no number is played from the plain file.
int LoadChallengeStage(const std::string& name) {
    std::string numbered;
    if (FindLastNumberedFileStr(numbered, name.c_str(), strStageSearchExt.c_str()))
        return LoadStageFile(name.c_str(), 1, nullptr);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(ToNativePath(name, false), ec)) return 0;
    return LoadStageFile(name.c_str(), 0, nullptr);
}

}  // namespace

cChallengeScene::cChallengeScene() : cScene(SCENE_CHALLENGE, 2) {
    SetPhases({static_cast<PHASEPROC>(&cChallengeScene::Select)});
}

cChallengeScene::~cChallengeScene() { ReleaseMenuScreen(); }

void cChallengeScene::Recount() {
    m_nStageCount = SystemData.bUseMaxStage ? SystemData.nMaxStage : StagesReached(SaveData);
    m_nRows = std::max(0, std::min(m_nStageCount - m_nTop, kRowsMax));
}

void cChallengeScene::Init() {
    cScene::Init();
    LoadCommonBitmapsOrClose({CB_ACCESSORY, CB_WINDOW});
    g_MenuCursor.Reset();
    m_nTop = SceneManager.nChallengeTop;
    g_MenuCursor.Current().row = SceneManager.nChallengeCursor;
    Recount();
    SelectStage(g_MenuCursor.Current().row + 1);
    MakeSceneSurface(640, 480, 0);
    m_nPrevButton = InputList[0].m_nButton;
    DrawScreen();
    m_nStep = 0;
}

void cChallengeScene::SelectStage(int n) {
    SaveData.SetStageFile(GetChallengeStagePath(n), 0, 0, 0);
    if (SceneManager.nRankSwitch)
        RankingList.LoadFile(SceneManager.nGameType, SaveData.strStage, SaveData.nEvent1, SaveData.nEvent2,
                             SaveData.nEvent3);
}

void cChallengeScene::DrawScreen() {
    DDSURFACEDATA* s = BeginMenuScreen(2);
    if (!s) return;
    Font& large = Fonts[FONT_LARGE];
    Font& medium = Fonts[FONT_MEDIUM];
    if (SystemData.bShowChallengeTotal && SaveData.nBestTotal > 0) {
        const int width = 16 * (GetSjisCharCount(Text(4).c_str()) + GetDigitNum(SaveData.nBestTotal));
        medium.DrawTextF(s, 320 - width / 2, 88, "%s%d", Text(4).c_str(), SaveData.nBestTotal);
    }
    if (!RankDisplaySwitch(SaveData) && SystemData.bShowChallengeValues)
        large.DrawTextF(s, 32, 128, "         %s", Text(3).c_str());
    const int signX = 32 * (GetSjisCharCount(Text(0).c_str()) + 4);
    for (int k = 0; k < m_nRows; ++k) {
        const int i = m_nTop + k, y = kListY + 32 * k;
        large.DrawTextF(s, 64, y, "%s%d", Text(0).c_str(), i + 1);
        if (i < 0 || static_cast<size_t>(i) >= SaveData.vPair.size()) continue;
        const cPairRecord& result = SaveData.vPair[i];
        if (result.nValue1)
            DDBlt(s, signX, y, 32, 32, &CommonSurfaces[CB_ACCESSORY], 96, 0, DDBLT_COLORKEY);
        if (SystemData.bShowChallengeValues) large.DrawTextF(s, signX + 64, y, "%d", result.nValue2);
    }
    if (ChallengeRankOn() && RankDisplaySwitch(SaveData))
        RankingList.Draw(s, kRankX, kRankY, SaveData.nRankTable, -1, GAME_CHALLENGE, IniData.English);
}

void cChallengeScene::DrawFrame(bool bCursor) {
    DDSURFACEDATA* s = Screen();
    if (s && s->bLost) DrawScreen();
    if (s) DDBlt(&BackBuffer, 0, 0, 640, 480, s, 0, 0, 0);
    UpdateBlinkColors();
    if (!bCursor) return;
    const MENUCURSORSTATE& c = g_MenuCursor.Current();
    DDBlt(&BackBuffer, c.x, c.y, 32, 32, &CommonSurfaces[CB_ACCESSORY], 0, 0, DDBLT_COLORKEY);
}

void cChallengeScene::FadeIn() {
    if (DDGetColorBit() == 8) DrawScreen();
    cScene::FadeIn();
}

void cChallengeScene::Select() {
    cInput& input = InputList[0];
    const uint16_t pressed = static_cast<uint16_t>(input.m_nButton & ~m_nPrevButton);
    m_nPrevButton = input.m_nButton;
    Recount();
    g_MenuCursor.MoveList(input.m_nDir, 1, m_nTop, kListY, 32, kListX, m_nRows, m_nStageCount, 1);
    PlayCursorSound(input.m_nDir, 3, SE_CURSOR);
    const int row = g_MenuCursor.Current().row;
    if (input.m_nDir & 15) {
        Recount();
        SelectStage(row + 1);
        DrawScreen();
    }
    if ((input.m_nButton & 1) && m_nStageCount > 0) {
        const std::string name = GetChallengeStagePath(row + 1);
        if (!LoadChallengeStage(name)) {
            PlaySE(SE_REFUSED);
            ErrMesBoxF("ステージファイル %s が読み込めません！", name.c_str());
            DrawFrame(true);
            return;
        }
        PlaySE(SE_CONFIRM);
        SaveData.SetStageFile(GetCurrentStageFileName(), 0, 0, 0);
        InStageSwitch(SaveData) = 1;
        ClearFlagIndex(SaveData) = row + 1;
        SetStartStock(SaveData, GAME_CHALLENGE);
        ChallengeSwitch(SaveData) = 1;
        SceneManager.nChallengeCursor = row;
        SceneManager.nChallengeTop = m_nTop;
        Leave(SCENE_PLAY);
        return;
    }
    if (input.m_nButton & 2) {
        PlaySE(SE_CANCEL);
        Leave(SCENE_TITLE);
        return;
    }
    if (pressed & (4 | 8)) {
        if (pressed & 4) {
            if (ChallengeRankOn()) {
                PlaySE(SE_RANK_PAGE);
                RankDisplaySwitch(SaveData) = !RankDisplaySwitch(SaveData);
            } else {
                RankDisplaySwitch(SaveData) = 0;
            }
        }
        if ((pressed & 8) && ChallengeRankOn() && SystemData.CountEnabledItems(GAME_CHALLENGE) >= 2) {
            PlaySE(SE_RANK_PAGE);
            SaveData.StepRankTable(GAME_CHALLENGE, 1);
        }
        DrawScreen();
    }
    DrawFrame(true);
}
