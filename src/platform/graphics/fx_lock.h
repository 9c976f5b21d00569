#pragma once
// cSurfaceLock: the pixels of one surface record held for an effect that
// works on them directly. Locking follows the back end's rules (a view is
// replaced by the record it shows, and under Direct3D the back buffer by
// the record drawing is redirected to); the lock ends with the guard.
#include <cstdint>
#include <vector>

#include "platform/graphics/dd_surface.h"

class cSurfaceLock {
public:
    // Locks sd (null locks nothing).
    explicit cSurfaceLock(DDSURFACEDATA* sd);
    ~cSurfaceLock();
    cSurfaceLock(const cSurfaceLock&) = delete;
    cSurfaceLock& operator=(const cSurfaceLock&) = delete;

    // True while a record is locked.
    bool Locked() const { return m_lpSD != nullptr; }
    // Ends the lock now; false when the unlock failed.
    bool Unlock();
    // True when (x, y) lies inside the locked picture.
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight; }
    uint8_t* Row8(int y) const { return m_lpBits + static_cast<size_t>(y) * m_nPitch; }
    uint32_t* Row32(int y) const { return reinterpret_cast<uint32_t*>(m_lpBits) + static_cast<size_t>(y) * m_nPitch; }
    // True when both locks hold the same pixels.
    bool SamePixels(const cSurfaceLock& o) const { return m_lpBits && m_lpBits == o.m_lpBits; }
    // Makes reads go to a copy of the pixels as they are now (a source that is also the destination).
    void Detach();
    // True when pixel p is the transparent colour of the graphics layer.
    bool IsTransparent(uint32_t p) const {
        return (m_bAlphaKey && (p >> 24) == 0) || (p & m_dwKeyMask) == m_dwKeyValue;
    }

    DDSURFACEDATA* m_lpSD = nullptr;  // the locked record; null when nothing is locked
    uint8_t* m_lpBits = nullptr;      // the first pixel
    int m_nBitCount = 32;             // colour depth of the pixels
    int m_nBytePerPixel = 4;
    int m_nPitch = 0;                 // pixels per row
    int m_nWidth = 0, m_nHeight = 0;  // the picture's size within the pixels

private:
    std::vector<uint8_t> m_Copy;
    // The transparent colour as the locked pixels hold it: (p & mask) == value, or no alpha under Direct3D.
    uint32_t m_dwKeyMask = 0xFFFFFFFF, m_dwKeyValue = 0;
    bool m_bAlphaKey = false;
};
