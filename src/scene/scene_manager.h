#pragma once
// The scene manager and the game thread's per-frame driver. One global
// manager owns the object of the current scene (0 title, 1 world map,
// 2 world-map menu, 3 challenge, 4 play, 5 option) and the navigation state
// the scenes share. Frame runs once per frame on the game thread: pace,
// count, scripted input, restore, joysticks, switch scenes, run the current
// scene, frame rate, the optional frame-rate text, present.
#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/input/input_script.h"
#include "scene/scene.h"

class cInput;

enum : int {
    SCENE_TITLE = 0, SCENE_WORLD_MAP = 1, SCENE_MAP_MENU = 2, SCENE_CHALLENGE = 3, SCENE_PLAY = 4, SCENE_OPTION = 5,
    SCENE_NUM = 6,
};
enum : int { GAME_STORY = 0, GAME_CHALLENGE = 1, GAME_FREE = 2, GAME_REPLAY = 3 };
// The items of the title menu, the values of nTitleChoice.
enum : int32_t {
    TITLE_NEW_STORY = 0, TITLE_CONTINUE = 1, TITLE_CHALLENGE = 2, TITLE_FREE_PLAY = 3, TITLE_REPLAY = 4,
    TITLE_OPTION = 5, TITLE_END = 6,
    TITLE_ITEM_NUM = 7,
};

// Makes the object of scene n (null: the scene has no object yet).
using SCENEFACTORY = cScene* (*)(int nScene);

class cSceneManager {
public:
    cSceneManager() = default;
    // Deletes every scene object that exists (ExitApp).
    ~cSceneManager();
    cSceneManager(const cSceneManager&) = delete;
    cSceneManager& operator=(const cSceneManager&) = delete;

    // One frame; 1 to go on, 0 when the program must close.
    uint32_t Frame();
    // Deletes every scene object but scene n's, then makes scene n's when missing.
    void SwitchScene(int n);
    // Shows the finished picture (DDPresent under Direct3D, DDFlip under DirectDraw).
    void Present();
    // 1 when nothing was lost or all was restored.
    uint32_t RestoreLostSurfaces();
    // Asks the main thread for the music of a music scene, unless the same
    // music (a nonzero id with its flag set) is already on.
    void RequestBgm(int32_t id, int32_t flag, int bgmScene);
    // Deletes every scene object, in slot order.
    void Release();
    // Back to the zero-filled start state, objects deleted (tests).
    void Reset();

    // The object of scene n; null when it does not exist or n is no scene.
    cScene* Scene(int n) const { return n >= 0 && n < SCENE_NUM ? m_lpScene[n] : nullptr; }

    int32_t nCurrent = 0;
    int32_t nNext = 0;
    int32_t nPrevious = 0;
    int32_t nTitleChoice = 0;
    int32_t nGameType = 0;
    int32_t nChallengeCursor = 0;
    int32_t nChallengeTop = 0;
    int32_t nRankSwitch = 0;
    int32_t nFrameRate = 0;
    int32_t nFadeSpeed = 0;
    int32_t nBgmId = 0;
    int32_t nBgmFlag = 0;

private:
    cScene* m_lpScene[SCENE_NUM] = {};  // by scene number
};

extern cSceneManager SceneManager;

// Sets the factory of the scene objects: the program's start installs the
// standard one (the front end's scenes and the play scene); null makes none.
void SetSceneFactory(SCENEFACTORY factory);

// The frame-rate text of ShowFps 1 on the back buffer: "FPS%2d(%2d)" in a
// box at (495, 463); a longer text (a rate of four digits) moves the box
// left so that it ends at the picture's right edge instead of being cut.
void DrawFrameRateBox(int fps, int mean);
// Frames run since start-up (the frame counter of Frame).
uint32_t GetFrameCount();
// The frame rate of the last second, as the last frame measured it.
uint32_t GetMeasuredFps();
// The mean processing time in ms of the last 16 frames measured while the
// frame-rate text is on (0 until 16 have been).
uint32_t GetFrameTimeMean();
// QV_MAX_FRAMES: after this many frames the main window is asked to close
// (0: never). Read at start-up.
void SetMaxFrames(uint32_t nFrames);
// Frames counted outside Frame: the play workers' loops and the waits of
// modal dialogs count theirs too, so that scripted input and the frame
// limit reach them. Whether the frame limit has been reached (the picture
// then stands still until the program has closed).
bool FrameLimitReached();
// Main thread, once the program's close can no longer be turned down: from
// then on no frame runs a scene or is counted (the picture stands still
// while the close saves its files and ends the threads), so that a close
// that takes long ends no differently from a quick one.
void StopFramesForClose();
// Whether the close stopped the frames.
bool FramesStoppedForClose();
// Counts a frame and applies its scripted keys (applied: as
// ApplyInputScript); its number.
uint32_t CountFrame(std::vector<SCRIPTKEY>* applied = nullptr);
// After the frame's picture was presented: the frame of the limit asks the
// main window to close.
void CloseAtFrameLimit(uint32_t frame);
// Main thread, a modal dialog's frame time: counted, its scripted keys in
// keys. false, with nothing counted, when that frame would reach the limit:
// the dialog then ends and the game's own next frame closes the program.
bool CountDialogFrame(std::vector<SCRIPTKEY>& keys);

// DirectDraw frame pacing: sleeps until the frame is due (Direct3D paces in DDPresent).
void WaitFrameTime();
// Polls the joystick (and keys) of input record 0 by the key configuration.
void PollJoystick(cInput* inputs);
// 8-bit palette variant n (0..23) of the screen palette; 1 done or not
// needed (only DirectDraw at 8 bits uses it), 0 on failure (reported).
uint32_t ReloadPalette(int n);
