#pragma once
// Pictures shown by the picture command: centred on the screen, beside a
// character or at a place of the stage; behind the blocks (layer 0) or in
// front of the front background layers (layer 1); at their own size or
// scaled; for a time or until the stage's pictures are cleared.
#include <cstdint>
#include <functional>
#include <list>

#include "platform/graphics/dd_surface.h"

// Placement bases.
enum : int32_t {
    PICBASE_SCREEN = 0,     // screen centre
    PICBASE_CHARA = 1,      // centre of the character that ran the command
    PICBASE_PLAYER = 2,     // centre of player 0
    PICBASE_CELL = 3,       // a stage cell (blocks of 32 pixels) from the screen's top left
    PICBASE_SCROLL_CELL = 4 // a stage cell counted from the scroll origin
};
// The display mode that runs for a time.
constexpr int32_t PICMODE_TIMED = 2;

// One shown picture.
struct PICTUREENTRY {
    uint16_t wId = 0;             // entry of the project's picture list
    int32_t nBase = 0;            // PICBASE_*
    int32_t nCellX = 0, nCellY = 0;
    int32_t nOffsetX = 0, nOffsetY = 0;
    int32_t nWidth = 0, nHeight = 0;  // drawn size
    int32_t bScaled = 0;          // drawn stretched (scale other than 100)
    int32_t nLayer = 0;           // 0 before the blocks, 1 after the front layers
    int32_t nMode = 0;            // PICMODE_TIMED, or shown until removed
    int32_t nCharaId = 0;         // followed character (bases 1 and 2)
    int32_t nFrames = 0;          // frames left (timed)
    int32_t bCountWhileWaiting = 0;  // the time also runs down while the screen is frozen
    int32_t bHold = 0;
    int32_t bPosTaken = 0;        // the held position below has been taken
    int32_t nHeldX = 0, nHeldY = 0;
    int32_t nValue12 = 0, nValue13 = 0;  // kept for the picture command
    double dCharaX = 0, dCharaY = 0;     // last known centre of the followed character
};

// What placing a picture reads of the play scene: the scroll positions and
// the scroll axes' first cells, and the centre of a character by object id
// (false when no character has that id any more).
struct PICTUREVIEW {
    double dScrollX = 0, dScrollY = 0;
    int32_t nScrollBaseX = 0, nScrollBaseY = 0;
    std::function<bool(int32_t id, double& cx, double& cy)> FindCharaCentre;
};

// Fills an entry for the picture command: the drawn size is the picture's
// size x scale / 100 rounded half away from zero; frames are the timed
// picture's frames (the command's tenths of a second x 6).
void SetPicture(PICTUREENTRY& e, uint16_t id, int32_t base, int32_t cellX, int32_t cellY, int32_t offsetX,
                int32_t offsetY, int32_t pictureWidth, int32_t pictureHeight, int32_t hold, int32_t layer,
                int32_t scale, int32_t mode, int32_t frames, int32_t countWhileWaiting, int32_t charaId,
                int32_t value12, int32_t value13);
// Places and draws one picture with the colour key. 1 when a timed picture's
// time is over (nothing drawn: the caller removes it), else 0. While frozen
// a timed picture runs down only with its count-while-waiting flag.
int DrawPicture(PICTUREENTRY& e, DDSURFACEDATA* dst, DDSURFACEDATA* picture, int frozen, const PICTUREVIEW& view);

// The play scene's shown pictures, each with its own surface, in the order
// they were made.
class cPictureList {
public:
    struct ITEM {
        PICTUREENTRY Entry;
        DDSURFACEDATA Surface;
    };

    cPictureList() = default;
    cPictureList(const cPictureList&) = delete;
    cPictureList& operator=(const cPictureList&) = delete;
    ~cPictureList() { Clear(); }

    // Loads entry id of the database's picture list as a new item at the end
    // (its entry still to be filled by SetPicture with the surface's size).
    // Null when the file cannot be loaded: "%s 読み込み失敗！" with the file
    // goes to the error log and nothing is added.
    ITEM* Load(uint16_t id);
    // Draws the pictures of one layer; those whose time is over are removed
    // with their surfaces.
    void Draw(DDSURFACEDATA* dst, int32_t layer, int frozen, const PICTUREVIEW& view);
    // Releases every surface and removes every picture (stage set-up).
    void Clear();
    size_t Count() const { return m_Items.size(); }
    std::list<ITEM>& Items() { return m_Items; }

private:
    std::list<ITEM> m_Items;  // a list: surfaces stay where they were made
};
