#pragma once
// The base of every scene outside play and of the scenes that stand in for
// them: a small phase machine run once per frame on the game thread. Phase
// -1 is "not entered"; the first Run enters the scene (Init) and goes to
// phase 0, the fade-in; the scene's own phases follow; the last phase fades
// out and hands over to the scene manager's next scene.
#include <cstdint>
#include <vector>

class cScene {
public:
    // A phase handler of a derived scene (cast with static_cast).
    using PHASEPROC = void (cScene::*)();

    // nSceneNo: the manager's number of this scene; nBgmScene: the music
    // scene Init asks for (-1: none).
    cScene(int nSceneNo, int nBgmScene);
    virtual ~cScene();
    cScene(const cScene&) = delete;
    cScene& operator=(const cScene&) = delete;

    // One frame: input record 0's repeat and the once-per-press latch of
    // buttons 1 and 2, entering the scene on its first frame, then the
    // handler of the current phase.
    virtual void Run();
    // Entering: asks for the scene's music. A text thrown from here
    // (const char* or std::string) is logged and closes the program.
    virtual void Init();
    // Phase 0: draws the scene and steps the fade-in; phase 1 when it is done.
    virtual void FadeIn();
    // Last phase: steps the fade-out; when it is done clears the back
    // buffer to colour 16, resets the menu cursor (unless the scene keeps
    // it), and hands over: previous := this scene, current := next.
    virtual void Exit();
    // Draws the scene's full picture into the device back buffer.
    virtual void Draw() {}
    // The frame rate of the last second, given every frame to the play
    // scene, which keeps it; other scenes ignore it.
    virtual void SetMeasuredRate(uint32_t /*nFps*/) {}
    // The main window is closing while a worker thread of the scene waits
    // (main thread): the scene ends its waits so that the close can go on.
    virtual void RequestQuit() {}

    int GetPhase() const { return m_nPhase; }
    int GetStep() const { return m_nStep; }
    int SceneNo() const { return m_nSceneNo; }
    // Index of the exit phase (the scene's own phases + 1).
    int ExitPhase() const { return static_cast<int>(m_vPhase.size()) + 1; }

protected:
    // Runs Init; a text it throws is logged and closes the program.
    void InitOrClose();
    // The scene's own phases, in order (1 .. n); the exit phase follows them.
    void SetPhases(std::vector<PHASEPROC> phases) { m_vPhase = std::move(phases); }
    void SetPhase(int phase) {
        m_nPhase = phase;
        m_nStep = 0;
    }
    // Leaves for scene `next`: the manager's next scene, then the exit phase.
    void Leave(int next);
    // Whether Exit resets the menu cursor (the world-map menu keeps it).
    void KeepMenuCursor() { m_bResetCursor = false; }

    int m_nPhase = -1;
    int m_nStep = 0;

private:
    int m_nSceneNo;
    int m_nBgmScene;
    bool m_bResetCursor = true;
    std::vector<PHASEPROC> m_vPhase;
};
