#pragma once
// A screen made only of plain copies of picture rectangles (the opaque blocks
// that cover the play screen), kept with the pictures' pixels it was made
// from: while the same rectangles of unchanged pictures are asked for again,
// the kept screen is copied back instead of being drawn piece by piece.
#include <cstdint>
#include <vector>

#include "platform/graphics/dd_surface.h"

// One copy: (w x h) of src at (sx, sy) drawn at (x, y).
struct COPIEDPIECE {
    int x = 0, y = 0, w = 0, h = 0;
    DDSURFACEDATA* lpSrc = nullptr;
    int sx = 0, sy = 0;
    bool operator==(const COPIEDPIECE&) const = default;
};

class cCopiedScreen {
public:
    // True when dst's whole pixels, made of `pieces` in order, are the kept
    // screen: the same pieces, the same size and format, and every picture
    // rectangle they read still holding the pixels it held then.
    bool Matches(const DDSURFACEDATA* dst, const std::vector<COPIEDPIECE>& pieces) const;
    // Copies the kept screen into dst (after Matches).
    void CopyTo(DDSURFACEDATA* dst) const;
    // Keeps dst's pixels as the screen made of `pieces`, with the pixels of
    // the rectangles they read; nothing is kept when a rectangle lies outside
    // its picture or the pieces read too many rectangles.
    void Keep(const DDSURFACEDATA* dst, const std::vector<COPIEDPIECE>& pieces);
    // Forgets the kept screen.
    void Clear();

private:
    struct SOURCE {
        DDSURFACEDATA* lpSrc;
        int sx, sy, w, h;
        DDFORMAT format;
        std::vector<uint8_t> bytes;  // the rectangle's rows, one after another
    };
    static bool Read(DDSURFACEDATA* src, int sx, int sy, int w, int h, SOURCE* out);
    bool bKept = false;
    DDFORMAT format = DDFMT_NONE;
    int nWidth = 0, nHeight = 0, nPitch = 0;
    std::vector<COPIEDPIECE> vPieces;
    std::vector<SOURCE> vSources;
    std::vector<uint8_t> vScreen;
};
