#include "platform/graphics/fx_lock.h"

#include <algorithm>
#include <cstring>

#include "platform/graphics/dd_draw.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_sprite_list.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"

namespace {

DDSURFACEDATA* Resolve(DDSURFACEDATA* sd) {
    for (int i = 0; sd && sd->lpViewSD && i < 8; ++i) sd = sd->lpViewSD;
    return sd;
}

}  // namespace

cSurfaceLock::cSurfaceLock(DDSURFACEDATA* sd) {
    if (!sd) return;
    DDFlushSpriteList();  // sprites held back are drawn before the pixels are touched
    DDSURFACEDESC2 desc;
    bool ok = false;
    if (DDIsD3D()) {
        sd = Resolve(sd);
        DDRedirectBackBuffer(&sd);
        ok = DDLockPixels(sd, &desc);
        if (!ok) {
            if (sd->lpDT && sd->lpDT->bSystemCopy && sd != &BackBuffer)
                WriteECf("FAILED( lpSD->lpDT->lpSystemSurface->LockRect(&lock, NULL, 0) )");
            else
                DebugMesBoxF("FAILED( lpSD->lpDT->lpSurface->LockRect(&(lock), NULL, 0) )");
        }
    } else {
        void* bits = nullptr;
        ok = DDLock(sd, &desc, &bits, DDGetColorBit());
    }
    if (!ok || !desc.lpSurface) return;
    m_lpSD = sd;
    m_lpBits = static_cast<uint8_t*>(desc.lpSurface);
    m_nBitCount = static_cast<int>(desc.dwRGBBitCount);
    m_nBytePerPixel = m_nBitCount / 8;
    m_nPitch = desc.lPitch / m_nBytePerPixel;
    m_nWidth = std::min(sd->nWidth, static_cast<int>(desc.dwWidth));
    m_nHeight = std::min(sd->nHeight, static_cast<int>(desc.dwHeight));
    if (m_nBitCount == 8) {
        m_dwKeyMask = 0xFF;
        m_dwKeyValue = DDG.dwColorKey & 0xFF;
    } else if (DDIsD3D()) {
        m_bAlphaKey = true;
        m_dwKeyValue = lpDTCon->dwKeyColor;
    } else {
        m_dwKeyMask = 0xFFFFFF;
        m_dwKeyValue = DDG.dwColorKey & 0xFFFFFF;
    }
}

cSurfaceLock::~cSurfaceLock() { Unlock(); }

bool cSurfaceLock::Unlock() {
    if (!m_lpSD) return true;
    // The pixels live in memory: an unlock has nothing to write back and cannot fail.
    if (!DDIsD3D()) DDUnlock(m_lpSD);
    m_lpSD = nullptr;
    m_lpBits = nullptr;
    m_Copy.clear();
    return true;
}

void cSurfaceLock::Detach() {
    if (!m_lpBits) return;
    const size_t bytes = static_cast<size_t>(m_nPitch) * m_nBytePerPixel * m_nHeight;
    m_Copy.assign(m_lpBits, m_lpBits + bytes);
    m_lpBits = m_Copy.data();
}
