#pragma once
// Message entries of the play screen: text windows, the rising item and
// extra-life icons, and invisible timed entries that only measure a wait.
// OpenMessage fills an entry; the play screen calls DrawMessage for each
// entry once per drawn frame and removes it when DrawMessage returns 1.
// What an entry needs of the play scene (scroll, frame count, characters,
// item icons) comes in a MESSAGEVIEW, so the entry holds no scene pointer.
#include <cstdint>
#include <functional>
#include <string>

struct DDSURFACEDATA;
struct DDSURFACEINFO;

// Entry kinds.
enum : int32_t { MESSAGE_WAIT = 0, MESSAGE_TEXT = 1, MESSAGE_ITEM_ICON = 2, MESSAGE_EXTRA_LIFE = 3 };

// Position modes, in the order of the message-position list.
enum : int32_t {
    MESPOS_SCREEN_CENTRE = 0,
    MESPOS_SELF_ABOVE = 1,
    MESPOS_SELF_BELOW = 2,
    MESPOS_SELF_CENTRE = 3,
    MESPOS_HERO_ABOVE = 4,
    MESPOS_HERO_BELOW = 5,
    MESPOS_HERO_CENTRE = 6,
    MESPOS_SCREEN = 7,  // cells of 32 dots on the screen
    MESPOS_STAGE = 8,   // cells of 32 dots on the stage
};

// Display ends: until the advance key, until the stage ends, for a number of frames.
enum : int32_t { MESEND_KEY = 0, MESEND_STAGE = 1, MESEND_TIME = 2 };

// A character that a window stands above, below or on: its hit rectangle's
// top-left in stage dots and its drawn cell relative to that corner.
struct MESSAGECHARA {
    double x = 0, y = 0;
    int nCellOffsetX = 0, nCellOffsetY = 0;
    int nCellWidth = 0, nCellHeight = 0;
};

// What DrawMessage reads of the play scene, gathered by the caller each frame.
struct MESSAGEVIEW {
    double dScrollX = 0, dScrollY = 0;  // ScrollX.dPos, ScrollY.dPos
    int nMarginX = 10, nMarginY = 10;   // ScrollX.nMargin, ScrollY.nMargin (cells)
    int nFrameCount = 0;                // the play scene's nFrameCount
    // FindCharaById: fills *chara and gives true while the object id exists.
    std::function<bool(int id, MESSAGECHARA* chara)> FindChara;
    // DrawIcon16 (destination, x, y, graphic kind, frame, extra) for item icons.
    std::function<void(DDSURFACEDATA* dst, int x, int y, int kind, int frame, int extra)> DrawIcon16;
};

class cMessage {
public:
    cMessage() = default;
    // Empty texts, then OpenMessage with these values and keep-surface 0.
    cMessage(int kind, const std::string* text, int iconKind, int iconFrame, int iconExtra, int posMode, int cellX,
             int cellY, int offsetX, int offsetY, int keepInside, int fixed, int displayEnd, int frames,
             int countWhileFrozen, int charaId, int chained, int expand, int refresh, int refreshInterval,
             int window, int useId, int messageId);

    // Sets the entry up: a text window (kind 1) is laid out, gets a surface
    // in the message surface list (the one it has when keepSurface is 1) and
    // has its text drawn into it; other kinds get no surface.
    void OpenMessage(int kind, const std::string* text, int iconKind, int iconFrame, int iconExtra, int posMode,
                     int cellX, int cellY, int offsetX, int offsetY, int keepInside, int fixed, int displayEnd,
                     int frames, int countWhileFrozen, int charaId, int chained, int expand, int refresh,
                     int refreshInterval, int window, int useId, int messageId, int keepSurface);

    // Draws the entry for one frame onto dst; 1 when it has ended (its
    // surface is then released) and must be removed, else 0.
    int DrawMessage(DDSURFACEDATA* dst, int frozen, const MESSAGEVIEW& view);

    // A new surface of the entry's size at index of the message surface list
    // (appended when index is not below the list's length); on failure the
    // main window is asked to close and the entry has no surface.
    void CreateMessageSurfaceAt(int index);
    void CreateMessageSurface();
    // Clears surface to the colour key and draws the shown text into it.
    void DrawMessageText(DDSURFACEDATA* surface) const;
    // Releases the entry's surface from the message surface list (none: nothing).
    void ReleaseSurface();

    DDSURFACEDATA* lpSurface = nullptr;     // in the message surface list (text windows only)
    DDSURFACEINFO* lpSurfaceInfo = nullptr; // its description
    int32_t nKind = MESSAGE_WAIT;
    std::string strText;                    // as drawn: variable codes replaced
    std::string strSource;                  // as given, for refreshing
    int32_t nIconKind = 0, nIconFrame = 0, nIconExtra = 0;
    int32_t bExpand = 0;                    // replace variable codes
    int32_t bRefresh = 0;                   // expand again while shown
    int32_t nRefreshInterval = 0;           // frames between refreshes
    int32_t bWindow = 0;                    // framed box, opening with a growing box
    int32_t nPosMode = MESPOS_SCREEN_CENTRE;
    int32_t nCellX = 0, nCellY = 0;
    int32_t nOffsetX = 0, nOffsetY = 0;
    int32_t nWidth = 0, nHeight = 0;
    int32_t bKeepInside = 0;                // pushed inside the screen below the status bar
    int32_t nDisplayEnd = MESEND_KEY;
    int32_t bFixed = 0;                     // keeps its first screen position
    int32_t bAnchored = 0;                  // the anchor below is stored
    int32_t nAnchorX = 0, nAnchorY = 0;
    int32_t bUseID = 0;
    int32_t nMessageID = 0;
    int32_t nCharaID = 0;                   // object id of the followed character (modes 1 to 6)
    int32_t nFramesLeft = 0;                // display end 2: counts down
    int32_t bCountWhileFrozen = 0;
    int32_t bOpening = 0;
    double dOpenCount = 0;                  // frames of the opening drawn

private:
    // Expands the source again; a new size gets a new surface in the same place of the list.
    void RefreshText();
    // Screen position of the window before keep-inside; false when its character is gone.
    bool Place(const MESSAGEVIEW& view, int* x, int* y);
    void DrawWindow(DDSURFACEDATA* dst, int x, int y);
};
