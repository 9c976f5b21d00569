#pragma once
// What flows and flow commands check their references against: the sizes of
// the project database's lists, the sizes of the definition lists of the
// common and the stage palette, and whether the program runs for the kit's
// editor (which keeps editor-only flows).
#include <cstdint>
#include <vector>

// Sizes of the database lists that stored commands index.
struct FLOWDBCOUNTS {
    int nAnime = 0;        // animations (Anime.dat)
    int nAnimeSet = 0;     // animation sets (AnimeSet.dat)
    int nCharaBmp = 0;     // character bitmaps (Bmp_CharaExc.dat)
    int nEffect = 0;       // effects (Effect.dat)
    int nCharaEffect = 0;  // character effects
    int nScrEffect = 0;    // screen effects
    int nPicture = 0;      // pictures
    int nSE = 0;           // sound effects
    int nBgm = 0;          // music entries
    // One entry per sword type: the sum of its frames' display times
    // (tenths of a second); the number of sword types is its size.
    std::vector<int32_t> vSwordTime;
};

// Sets the database sizes that the database validation of commands uses;
// the database calls it whenever its lists change.
void SetFlowDbCounts(const FLOWDBCOUNTS& counts);
// Forgets them: until set again the database validation only brings
// parameter lists to their table length (start-up, tests).
void ResetFlowDbCounts();
// The sizes set last, or null when none are set (inline: every command of
// a stage asks when loaded and when saved).
extern const FLOWDBCOUNTS* g_lpFlowDbCounts;
inline const FLOWDBCOUNTS* GetFlowDbCounts() { return g_lpFlowDbCounts; }

// Sizes of the definition lists that palette references index: [0] the
// common palette, [1] the stage palette.
struct FLOWPALETTESIZES {
    int nBlock[2] = {0, 0};
    int nChara[2] = {0, 0};
    int nItem[2] = {0, 0};
};

// The editor flag: set when the program was started by the kit's editor;
// editor-only flows are then kept when stages are loaded.
void SetFlowEditorFlag(bool bEditor);
bool GetFlowEditorFlag();

// Deepest nesting of flows inside commands inside flows that a file may
// hold; deeper files are refused (a hostile file could exhaust the stack).
constexpr int MAX_FLOW_NESTING = 16;
