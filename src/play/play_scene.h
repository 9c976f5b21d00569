#pragma once
// The play scene's state: the world state of the stage in play (its member
// World, which the scene passes to the characters), the timers, counters
// and flags of the scene, its resources and presentation state, and its
// services to the characters. One instance exists while scene 4 runs; the
// play engine reaches it through lpPlayScene.
//
// It is scene 4 of the scene manager: a state machine of eight sub-states,
// one handler each, run once per frame by Run.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "actors/item.h"
#include "actors/player.h"
#include "actors/stage_chara.h"
#include "platform/system/thread.h"
#include "play/block_chara_index.h"
#include "play/draw/color_change.h"
#include "play/effects/scr_effect_draw.h"
#include "play/effects/scr_effect_run.h"
#include "play/picture.h"
#include "play/play_services.h"
#include "play/stage_resources.h"
#include "play/walk_fusion.h"
#include "records/cmd.h"
#include "records/safe_container.h"
#include "scene/scene.h"
#include "world/world_state.h"

class cShot;
class cAttack;
class cMessage;
class cEffectInstance;
class cChara;
struct CHARADRAW;
class cFlowRun;
class cFlowCmdRun;

// Results of the passes of a frame (deaths, pick-up, hits, block checks).
enum ePlayResult : int32_t { PLAY_GOON = 0, PLAY_STAGEEND = 1, PLAY_HERODIES = 2 };
// Sub-states of the play scene.
enum ePlayState : int32_t {
    PLAYSTATE_NONE = -1, PLAYSTATE_FADEIN = 0, PLAYSTATE_BANNER = 1, PLAYSTATE_PLAY = 2, PLAYSTATE_PAUSE = 3,
    PLAYSTATE_AFTERPLAY = 4, PLAYSTATE_RESTART = 5, PLAYSTATE_GAMEOVER = 6, PLAYSTATE_EXIT = 7,
};
// cPlayScene::Draw's four flags as bits: the play sub-state draws live
// pictures, every other caller still ones.
enum : uint32_t {
    PLAYDRAW_IN_PLAY = 1,      // the scene is in live play
    PLAYDRAW_FROZEN = 2,       // animations shown without being advanced
    PLAYDRAW_TIMER_SOUND = 4,  // the stage timer may sound its warning
    PLAYDRAW_HINT = 8,         // the hint line at the bottom
    PLAYDRAW_LIVE = PLAYDRAW_IN_PLAY | PLAYDRAW_TIMER_SOUND | PLAYDRAW_HINT,
    PLAYDRAW_STILL = PLAYDRAW_FROZEN | PLAYDRAW_HINT,
};
constexpr int COND_FLAG_NUM = 60;
constexpr int RESULT_KIND_NUM = 5;
constexpr int32_t ELAPSED_TIME_MAX = 599999;

class cPlayScene : public cScene {
public:
    // Every field at its constructor value; the random seed from the clock.
    // Publishes itself in lpPlayScene and lpWorld.
    cPlayScene();
    ~cPlayScene() override;
    cPlayScene(const cPlayScene&) = delete;
    cPlayScene& operator=(const cPlayScene&) = delete;

    // --- fields ---
    // First member: its object lists outlive BlockCharas, Services and all after it.
    cWorldState World;
    // The state machine's fields.
    int32_t nState = PLAYSTATE_NONE;  // current sub-state 0..7; -1 not entered yet
    int32_t nPhase = 0;               // 0 first frame of the sub-state, 1 running
    int32_t nSavedState = 0;          // saved when the pause menu opens
    int32_t nSavedPhase = 0;
    cBlockCharaIndex BlockCharas;           // the block characters among lstStageChara
    std::list<std::shared_ptr<cMessage>> lstStageWork;     // presentation entries over the screen
    std::list<std::shared_ptr<cEffectInstance>> lstEffect; // running effects
    cScrEffectRun ScrEffect;          // the running screen effect
    int32_t nWaitSound = 0;           // the wait the pause thread runs
    int32_t nWaitDelay = 0;
    int32_t bWaitButton = 0;
    int32_t nWaitFrames = 0;
    std::atomic<int32_t> bQuit{0};    // set by the main window, read by the game and pause threads
    int32_t nPlayers = 0;             // player characters (always 1)
    int32_t nSubStep = 0;             // 1-based logic sub-step within the frame
    int32_t nSubStepCount = 0;        // running count of sub-steps
    cSafeVector<int32_t> vStepActive; // per sub-step: hits and moves take effect
    int32_t nElapsedFrames = 0;
    int32_t nElapsedTime = 0;         // hundredths of a second, at most 599999
    int32_t nCounter1 = 0;            // banner and result counters
    int32_t nCounter2 = 0;
    int32_t nRandSeed = 0;
    int32_t bMenuLatch = 0;           // buttons ignored until all are released
    cSafeVector<uint8_t> vCondFlags;  // per-sub-step condition results (60)
    int32_t nFps = 0;                 // measured frames per second
    int32_t bEraseCharaKey = 0;       // the stage erases characters / block characters / items by key
    int32_t bEraseBlockCharaKey = 0;
    int32_t bEraseItemKey = 0;
    int32_t nFrameCount = 0;          // frames since SetStage
    int32_t bReplayEnded = 0;         // the replay played back to its end (it then plays again)
    int32_t bRankQualifies = 0;
    cSafeVector<int32_t> vRankPos;    // ranking position per result kind, -1 none
    cSafeVector<int32_t> vResult;     // the five result values
    std::string strRankName;
    int32_t bRankEntered = 0;
    int32_t nHitOption = 0;           // copied from the stage by SetStage
    int32_t bHitPass = 0;             // 1 while hit detection runs
    std::vector<cCmd> cmdPause;       // the four-item pause menu

    // One frame of play
    // The stage timer's once-a-second tick by delta; 1 when the time ran out.
    int32_t StepStageTimer(int32_t delta);
    // One frame more of elapsed time (hundredths of a second), up to 599999.
    void StepElapsed();
    // Activity of every object for this sub-step.
    void UpdateActiveFlags();
    // Its parts: the hero active and each stage character by its conditions
    // and place on screen (marking its group); then, once every group is
    // marked, a character active when on screen or in a marked group; the
    // items by their conditions. A sub-step of play judges the items before
    // the groups: neither reads what the other writes. The first sub-step
    // of a frame starts each character's frame in the same walk (no
    // condition reads what that clears).
    void MarkActiveOnScreen(bool bFrameStart);
    static void StartCharaFrame(cChara& c) {
        if (!c.dying) c.ClearFlowFrameFlags();
        c.nFrameValue1 = -1, c.nFrameValue2 = 1;
    }
    void UpdateGroupActive(cStageChara& c, const SCROLLPLACE& at = CurScrollPlace()) {
        c.bGroupCondsMet = c.bActive ? c.IsActive(vCondFlags, at) : 0;
    }
    // The start of a character's step: invincibility counts down, contacts
    // clear, the rectangle is kept.
    static void StartStep(cChara& c) {
        // Nothing counts down for a character neither invincible nor shielded
        // from anyone.
        if (c.invincible > 0 || !c.invincibleFrom.empty()) c.CountDownInvincible();
        c.bContactL = c.bContactR = c.bContactU = c.bContactD = 0;
        // SaveRect, in line: every character's step starts here.
        c.dPrevRect[0] = c.x;
        c.dPrevRect[1] = c.y;
        c.dPrevRect[2] = c.x2;
        c.dPrevRect[3] = c.y2;
    }
    // The walk after the activity walk and the items: each character's
    // lifetime runs out (bLifetimes), or it is judged active by its group
    // and its step starts (what these change is the character's own; a
    // character removed needs no judging).
    void StartCharaSteps(bool bLifetimes);
    // The items and the characters' activity and step starts of a sub-step,
    // in the walks `walks` names (STEPWALKS_IN_UPDATE leaves the characters
    // to the update walk).
    void StartSubStepWalks(eStepWalks walks, bool bFrameStart, bool bLifetimes);
    // What the activity judgement starts with: the hero active, the group
    // flags cleared.
    void StartActivityJudgement();
    // One character judged and its step started, where no character sees
    // another's judgement (no conditions, no group), against the scroll at `at`.
    void StartPlainStep(cStageChara& c, bool bFrameStart, const SCROLLPLACE& at);
    cWalkFusion WalkFusion;  // which walks the stage allows
    // The stage character's lifetime counts down; true when it has run out.
    static bool LifetimeRunsOut(cStageChara& c) {
        return !c.dying && c.nLifeTime != LIFETIME_UNLIMITED && --c.nLifeTime < 0;
    }
    void UpdateItemsActive();
    // The hero's and the stage characters' deaths by HP and erase flags.
    int32_t CheckDeaths();
    int32_t KillStageChara(cStageChara& chara);
    int32_t HeroTakesItems();
    // The stage character out of every list, destroyed; the iterator after it.
    cObjectList<cStageChara>::iterator RemoveStageChara(cObjectList<cStageChara>::iterator it);
    // The file of stage n of the series: 1 and its name when it exists.
    int32_t MakeNextStageFileName(std::string& out, int32_t n) const;
    int32_t IsLastStage(int32_t n) const;
    int32_t HeroUpdate();
    int32_t StageCharaUpdate(cObjectList<cStageChara>::iterator& it, bool& bRemoved);
    int32_t HeroDeath(bool bSoundPlayed);
    // The hero dies with the debug line text unless its protection holds.
    int32_t HeroDiesUnlessProtected(const char* text, bool bRestore);
    void EndWithResults();



    // Play scene phases, stage set-up and worker threads
    using STATEPROC = void (cPlayScene::*)();
    std::array<STATEPROC, 8> pfnState = {};
    // Enters on the first frame (Init, sub-state 0), then runs the sub-state's handler.
    void Run() override;
    // Loads the pictures of play and sets the stage up (once, on the first Run).
    void Init() override;
    // Sub-state 0: the play screen fading in; sub-state 1 when done.
    void FadeIn() override;
    // Sub-state 7: fades out and hands over to the scene manager's next scene.
    void Exit() override;
    // The frame rate the frame driver measured.
    void SetMeasuredRate(uint32_t fps) override { nFps = static_cast<int32_t>(fps); }
    // The main window closes while the pause thread runs: its waits end.
    void RequestQuit() override { bQuit = 1; }
    // The play screen as the other sub-states draw it (frozen, with the hint).
    void Draw() override { Draw(PLAYDRAW_STILL); }
    // The play screen (drawing code).
    void Draw(int32_t inPlay, int32_t frozen, int32_t timerSound, int32_t showHint);
    // The same with the flags named (PLAYDRAW_ bits).
    void Draw(uint32_t flags) {
        Draw(flags & PLAYDRAW_IN_PLAY ? 1 : 0, flags & PLAYDRAW_FROZEN ? 1 : 0, flags & PLAYDRAW_TIMER_SOUND ? 1 : 0,
             flags & PLAYDRAW_HINT ? 1 : 0);
    }
    // Sub-state 2: one frame of play (frame code).
    void Play() { PlayFrame(true); }
    // The same; without bFuseWalks every sub-step walks the characters in
    // its separate walks, whatever the stage allows (cWalkFusion).
    void PlayFrame(bool bFuseWalks = true);
    // Results of a finished stage and the next scene (frame code).
    void TallyResults();
    int32_t EndStage();
    void StateFadeIn() { FadeIn(); }
    void StartBanner();
    void PauseMenu();
    void AfterPlay();
    void Restart();
    void GameOver();
    void StateExit() { Exit(); }
    // The space key opens the pause menu: sound, the sub-state saved; 1 then.
    int32_t MenuKeyPressed();
    // Sound, tally, and the ranking positions the results reach.
    void CheckRanking();
    // The play's results are taken for the rankings: a stage played on its
    // own, or with the ranking switch on the last stage of a series.
    bool ResultsTaken() const;
    // The end hint of the hint line (system text 27, "end with the space
    // key"): a stage played from the command line, and a replay once it has
    // played to its end, when only the pause menu leads out of it.
    int ShowsEndHint() const;
    // The per-stage reset of the run when the scene is entered.
    void ResetStageRun();
    // Takes one life from the save record: 1 when play may go on.
    int32_t TakeLife();
    // The hero's death presentation is over: rebuild, retry menu or game over.
    void HeroDeathOver();
    // Builds the stage in play (bFirstStart only changes the music decision).
    void SetStage(int32_t bLoadStage, int32_t bFirstStart);
    // Enters the ranking with the results and shows the tables (F3 or at once).
    void RankEntry();
    // Runs the wait set in nWaitSound..nWaitFrames on thPause while this
    // thread waits; 0 when the wait ended because the program closes.
    int32_t RunPauseWait();
    // Body of thPause: draws and reads input until the wait ends or WM_QUIT.
    static unsigned DrawLoop(void* param);
    // Body of thRankEntry: the ranking tables until confirmed.
    static unsigned AfterPlayLoop(void* param);
    STAGESURFACES DedicatedBmp;       // the stage resources of play
    STAGESURFACES SwordBmp;
    STAGESURFACES EffectBmp;
    DDSURFACEDATA SightMask;
    DDSURFACEDATA SightStencil;
    cPictureList Pictures;            // pictures shown by the flow command
    int32_t nRankKind = 0;            // ranking table shown by AfterPlayLoop
    int32_t nWaitDrawn = 0;           // frames the last pause-thread wait drew

    // Hit detection
    // One pass over the attack and character buckets: PLAY_GOON, or the
    // result that ended it (PLAY_STAGEEND, PLAY_HERODIES).
    int32_t DetectHits();
    // Takes an attack out of its bucket and out of lstShots (destroying it
    // there); an attack that lstShots does not hold is marked erased.
    void RemoveAttack(cAttack* lpAttack, int32_t side);
    // Presentation commands
    cColorChange ColorChange;         // the screen colour change of the flow command
    // Every object of the stage in its depth passes (the hero, items,
    // stage characters, shots); characters whose death presentation ended
    // are removed.
    void DrawObjects(const CHARADRAW& draw);
    // The objects of the picture being drawn sorted into the depth passes
    // (kept between pictures for their storage).
    struct DEPTHPASS {
        std::vector<cItem*> items;
        std::vector<cObjectList<cStageChara>::iterator> charas;
        std::vector<cShot*> shots;
    };
    std::array<DEPTHPASS, 8> depthPasses;
    // The hero with its gauges, or its death presentation: 1 when that has ended.
    int32_t DrawHero(const CHARADRAW& draw);
    // A stage character with its gauges and carried item, or its death
    // presentation: 1 when that has ended (the caller removes it).
    int32_t DrawStageChara(cStageChara& chara, const CHARADRAW& draw);
    // Clears the two spaced shot sheets and lays the shot pieces out in them again.
    void RebuildShotSheets();
    // The run's total score, the stage's score (what the run's score gained
    // since the stage was set up) and the lives of the save record, for the
    // status strip.
    void GetRunTotals(int32_t& score, int32_t& stageScore, int32_t& lives) const;
    cScrEffectCanvas ScrEffectCanvas;  // work surface of the screen effects
    int32_t bStatusBar = 1;            // the status strip is shown
    int32_t bTimerHidden = 0;          // the stage timer is not shown
    int32_t bHeroDeathDone = 0;        // the hero's death presentation ended in this picture

    // Frame and drawing gaps
    // First sub-step: the characters, block characters and items that left
    // the screen beyond the stage's removal rules are removed.
    void EraseBeyondEdges();
    // The extra-life presentation over the hero, shown by the pause thread
    // while this thread waits; 0 when the program began to close.
    int32_t ShowExtraLife();
    // The ranges of the distance conditions of the drawn characters.
    void DrawDistanceConds(DDSURFACEDATA* dst, int32_t frozen);
    int32_t nRangeFrame = 0;           // frame counter of the range display, 0..31

    // Stage set-up and results (playable)
    // The trigger-21 flows of the hero and the stage characters, then the
    // removal of those they erased or killed.
    void RunBeforeStartFlows();
    // EndStage's branches: the next stage of a series (1 when it loaded).
    int32_t LoadNextStage();
    int32_t EndStory();
    int32_t EndChallenge();
    int32_t EndFreePlay();

    // What the characters ask of the scene, installed while it is the
    // current one.
    cPlayServices Services{*this};
};

// Starts `body` on `thread` with the play scene and waits until it returns.
void RunPlayWorker(cThread& thread, cThread::StartRoutine body);
// Erases the stage character at `it` (target links, its character bucket,
// the list); the position after it.
cObjectList<cStageChara>::iterator EraseStageChara(cObjectList<cStageChara>::iterator it);
// The logic sub-steps in which hits and moves take effect: all of `steps`
// when speed is 0, else `speed` of them spread evenly.
cSafeVector<int32_t> MakeStepActiveTable(int32_t steps, int32_t speed);

// The play scene while scene 4 runs, else null.
extern cPlayScene* lpPlayScene;
// Publishes `lpScene` (null: none) in lpPlayScene and its world state in
// lpWorld, and installs its services.
void SetCurrentPlayScene(cPlayScene* lpScene);

// The scene layer (ResetSceneLayer), the play engine's globals as at start-up
// (no scene, no stage objects, the screen effects' work and the message
// windows empty, the engine switches 0, the replay's end not yet reported),
// then the player layer (ResetPlayerLayer) and ResetActorsState: the play
// layer and every layer below as at start-up (tests).
void ResetPlayState();
