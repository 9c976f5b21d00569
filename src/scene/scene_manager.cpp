#include "scene/scene_manager.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/global_objects.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_restore.h"
#include "platform/graphics/fx_palette.h"
#include "platform/input/input_script.h"
#include "platform/input/keyconfig.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "platform/system/thread_messages.h"
#include "platform/system/timer.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/request_messages.h"
#include "scene/system_ini.h"

cSceneManager SceneManager;

namespace {

std::atomic<SCENEFACTORY> g_Factory{nullptr};
std::atomic<uint32_t> g_nFrameCount{0};
std::atomic<uint32_t> g_nMaxFrames{0};
std::atomic<bool> g_bStoppedForClose{false};
int g_nMissingScene = -1;  // the scene without object already reported
std::chrono::nanoseconds g_FirstFrameDue{0};  // when the pacing let the first frame through (timer clock)

// When the pacing let the last frame through: the presenter's gate under
// Direct3D, the game thread's frame wait under DirectDraw.
std::chrono::nanoseconds LastFrameDue() { return (lpDTCon ? FramePacePacer() : FrameTimePacer()).LastDue(); }

// The frame-rate text's measurements.
uint32_t g_nFps = 0;
uint32_t g_nLap = 0;
uint32_t g_nLapRing[16] = {};
uint32_t g_nLapIndex = 0;
uint32_t g_nLapMean = 0;

// Scenes in the order SwitchScene deletes them, and in slot order.
constexpr int kDeleteOrder[SCENE_NUM] = {SCENE_TITLE, SCENE_MAP_MENU, SCENE_WORLD_MAP, SCENE_CHALLENGE, SCENE_PLAY,
                                         SCENE_OPTION};
constexpr int kSlotOrder[SCENE_NUM] = {SCENE_TITLE, SCENE_WORLD_MAP, SCENE_MAP_MENU, SCENE_CHALLENGE, SCENE_OPTION,
                                       SCENE_PLAY};


void DrawFrameRateText() {
    g_nLapRing[g_nLapIndex++] = g_nLap;
    if (g_nLapIndex >= 16) {
        g_nLapIndex = 0;
        uint32_t sum = 0;
        for (uint32_t t : g_nLapRing) sum += t;
        g_nLapMean = sum >> 4;
    }
    if (IniData.ShowFps == 2)
        Fonts[FONT_SMALL].DrawTextF(&BackBuffer, 549, 469, "FPS%2d(%2d)", static_cast<int>(g_nFps),
                                    static_cast<int>(g_nLapMean));
    else
        DrawFrameRateBox(static_cast<int>(g_nFps), static_cast<int>(g_nLapMean));
}

}  // namespace

cSceneManager::~cSceneManager() { Release(); }

void cSceneManager::Release() {
    for (int n : kSlotOrder) {
        delete m_lpScene[n];
        m_lpScene[n] = nullptr;
    }
}

void cSceneManager::Reset() {
    Release();
    nCurrent = nNext = nPrevious = nTitleChoice = nGameType = 0;
    nChallengeCursor = nChallengeTop = nRankSwitch = 0;
    nFrameRate = nFadeSpeed = nBgmId = nBgmFlag = 0;
    g_Factory = nullptr;
    g_nFrameCount = 0;
    g_nMaxFrames = 0;
    g_bStoppedForClose = false;
    g_nMissingScene = -1;
    g_FirstFrameDue = std::chrono::nanoseconds(0);
    g_nFps = g_nLap = g_nLapIndex = g_nLapMean = 0;
    for (uint32_t& t : g_nLapRing) t = 0;
}

uint32_t cSceneManager::Frame() {
    // Past an automation frame limit the picture stands still until the
    // program has closed, so that the last frame is that of the limit; so it
    // does once the close has begun.
    if (FrameLimitReached() || g_bStoppedForClose.load()) {
        Sleep(1);
        PassThreadGate();
        return 1;
    }
    WaitFrameTime();
    StartStopwatch();
    const uint32_t frame = CountFrame();
    if (lpDDCon && !RestoreLostSurfaces()) return 0;
    PollJoystick(&InputList[0]);
    try {
        SwitchScene(nCurrent);
    } catch (const std::bad_alloc&) {
        OutOfMemory();
    }
    if (cScene* scene = Scene(nCurrent)) scene->Run();
    g_nFps = GetFPS(1);
    g_nLap = static_cast<uint32_t>(LapStopwatch(1));
    if (cScene* play = Scene(SCENE_PLAY)) play->SetMeasuredRate(g_nFps);
    if (IniData.ShowFps) DrawFrameRateText();
    // A worker or a dialog that ran inside this frame may have reached the
    // frame limit: its picture is the last one.
    if (!FrameLimitReached() || g_nFrameCount.load() == frame) Present();
    if (frame == 1) g_FirstFrameDue = LastFrameDue();
    CloseAtFrameLimit(frame);
    return 1;
}

void cSceneManager::SwitchScene(int n) {
    for (int s : kDeleteOrder) {
        if (s == n || !m_lpScene[s]) continue;
        delete m_lpScene[s];
        m_lpScene[s] = nullptr;
    }
    if (n < 0 || n >= SCENE_NUM || m_lpScene[n]) return;
    const SCENEFACTORY factory = g_Factory.load();
    m_lpScene[n] = factory ? factory(n) : nullptr;
    if (m_lpScene[n] || g_nMissingScene == n) return;
    // A scene this build cannot make: the program closes rather than showing a frozen frame.
    g_nMissingScene = n;
    WriteReport("Scene %d : no scene object, closing", n);
    PostCloseMain();
}

void cSceneManager::Present() {
    if (lpDTCon) {
        if (!DDPresent(nFrameRate, 0, 0) && IniData.WindowMode == 1) SendMessageMain(WM_RESTORE_DEVICE, 0, 0);
    } else if (lpDDCon) {
        DDFlip();
    }
}

uint32_t cSceneManager::RestoreLostSurfaces() {
    if (lpDTCon || !DDIsPrimaryLost()) return 1;
    // Surfaces live in memory: nothing is lost, so restoring them is all there is.
    return DDRestore() ? 1 : 0;
}

void cSceneManager::RequestBgm(int32_t id, int32_t flag, int bgmScene) {
    const int32_t lowByte = flag & 0xFF;
    if (id != 0 && lowByte != 0 && id == nBgmId && nBgmFlag) return;
    nBgmId = id;
    nBgmFlag = lowByte;
    SendMessageMain(WM_PLAY_BGM, static_cast<WPARAM>(bgmScene), 0);
}

void SetSceneFactory(SCENEFACTORY factory) { g_Factory = factory; }

uint32_t GetFrameCount() { return g_nFrameCount.load(); }

void DrawFrameRateBox(int fps, int mean) {
    char text[40];
    std::snprintf(text, sizeof text, "FPS%2d(%2d)", fps, mean);
    Font& font = Fonts[FONT_MEDIUM];
    const int x = std::min(495, 640 - font.Measure(text).cx);
    font.DrawTextBoxF(&BackBuffer, x, 463, 0, 0, "%s", text);
}

uint32_t GetMeasuredFps() { return g_nFps; }

uint32_t GetFrameTimeMean() { return g_nLapMean; }

void SetMaxFrames(uint32_t nFrames) { g_nMaxFrames = nFrames; }

bool FrameLimitReached() {
    const uint32_t max = g_nMaxFrames.load();
    return max && g_nFrameCount.load() >= max;
}

void StopFramesForClose() { g_bStoppedForClose = true; }

bool FramesStoppedForClose() { return g_bStoppedForClose.load(); }

uint32_t CountFrame(std::vector<SCRIPTKEY>* applied) {
    const uint32_t frame = ++g_nFrameCount;
    ApplyInputScript(frame, applied);
    return frame;
}

void CloseAtFrameLimit(uint32_t frame) {
    const uint32_t max = g_nMaxFrames.load();
    if (!max || frame != max) return;
    // The rate the frames were presented at, for automated checks of the pacing.
    const double seconds = std::chrono::duration<double>(LastFrameDue() - g_FirstFrameDue).count();
    WriteReport("QV_MAX_FRAMES : %u frames run, closing (%.2f fps)", max, seconds > 0 ? (max - 1) / seconds : 0.0);
    PostCloseMain();
}

bool CountDialogFrame(std::vector<SCRIPTKEY>& keys) {
    const uint32_t max = g_nMaxFrames.load();
    if (max && g_nFrameCount.load() + 1 >= max) return false;
    if (!CheckFrameTime(static_cast<uint32_t>(SceneManager.nFrameRate))) return true;
    CountFrame(&keys);
    return true;
}

void WaitFrameTime() {
    // Under Direct3D the presenter paces (DDPresent).
    if (!lpDTCon) FrameTimePacer().Wait(static_cast<uint32_t>(SceneManager.nFrameRate));
    PassThreadGate();
}

void PollJoystick(cInput* inputs) {
    if (!inputs) return;
    if (!KeyConfig.bUse)
        inputs[0].ReadDefaultMapping(0, 3, 60);
    else
        inputs[0].ReadKeyConfigMapping(1, 60);
}

uint32_t ReloadPalette(int n) {
    if (!lpDDCon || DDGetColorBit() != 8) return 1;
    const std::string hbt = DDHbtTablePath(n);
    if (!DDLoadHbtTable(DDHbtTable(), hbt.c_str())) {
        ErrMesBoxF("%s の読み込みに失敗！", hbt.c_str());
        return 0;
    }
    PALETTEENTRY palette[256];
    if (!DDLoadPaletteFromFile(palette, CommonBitmapInfo[CB_PALETTE].szPath, IniData.WindowMode != 0)) {
        WriteEC("DDLoadPaletteFromFile失敗");
        return 0;
    }
    DDMakePaletteVariant(palette, n);
    for (int i = 0; i < 256; ++i) DDBasePalette[i] = DDScreenPalette[i] = palette[i];
    DDSetPaletteEntries(0, 255, DDScreenPalette);
    return 1;
}
