#include "platform/graphics/dd_sprite_list.h"

#include <cstdint>
#include <vector>

#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_internal.h"
#include "platform/graphics/dd_raster.h"

namespace {

struct SPRITE {
    DDSURFACEDATA* src;
    int x, y, w, h, sx, sy, sw, sh, flags;
    bool operator==(const SPRITE&) const = default;
};

struct SPRITELIST {
    bool open = false;
    DDSURFACEDATA* dst = nullptr;
    std::vector<SPRITE> sprites;
    std::vector<uint32_t> table;  // open addressing: 1 + index of the latest sprite of a slot, 0 empty
    std::vector<uint8_t> drawn;
} g_List;

uint32_t Hash(const SPRITE& s) {
    uint64_t h = reinterpret_cast<uintptr_t>(s.src) * 0x9E3779B97F4A7C15ull;
    for (const int v : {s.x, s.y, s.w, s.h, s.sx, s.sy, s.sw, s.sh, s.flags})
        h = (h ^ static_cast<uint32_t>(v)) * 0x100000001B3ull;
    return static_cast<uint32_t>(h ^ (h >> 29));
}

// Marks each sprite that a later one repeats, walking from the last.
void MarkRepeated(std::vector<SPRITE>& sprites, std::vector<uint8_t>& drawn, std::vector<uint32_t>& table) {
    size_t size = 64;
    while (size < sprites.size() * 2) size *= 2;
    table.assign(size, 0);
    drawn.assign(sprites.size(), 1);
    for (size_t i = sprites.size(); i-- > 0;) {
        for (size_t slot = Hash(sprites[i]) & (size - 1);; slot = (slot + 1) & (size - 1)) {
            if (table[slot] == 0) {
                table[slot] = static_cast<uint32_t>(i + 1);
                break;
            }
            if (sprites[table[slot] - 1] == sprites[i]) {
                drawn[i] = 0;
                break;
            }
        }
    }
}

}  // namespace

void DDBeginSpriteList(DDSURFACEDATA* dst) {
    DDEndSpriteList();
    if (lpDTCon || !dst) return;
    g_List.open = true;
    g_List.dst = dst;
}

void DDFlushSpriteList() {
    if (g_List.sprites.empty()) return;
    std::vector<SPRITE> sprites;
    sprites.swap(g_List.sprites);  // drawing below finds the list empty
    MarkRepeated(sprites, g_List.drawn, g_List.table);
    for (size_t i = 0; i < sprites.size(); ++i) {
        if (!g_List.drawn[i]) continue;
        const SPRITE& s = sprites[i];
        dd::Rasterize(g_List.dst, s.x, s.y, s.w, s.h, s.src, s.sx, s.sy, s.sw, s.sh, s.flags, dd::RASTER_DD,
                      dd::STATES{});
    }
    sprites.clear();
    g_List.sprites.swap(sprites);  // keeps the storage
}

void DDEndSpriteList() {
    DDFlushSpriteList();
    g_List.open = false;
    g_List.dst = nullptr;
}

bool DDSpriteListTakes(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw,
                       int sh, int flags) {
    if (!g_List.open) return false;
    if (dst != g_List.dst || src == dst || (flags != DDBLT_COPY && flags != DDBLT_COLORKEY)) {
        DDFlushSpriteList();
        return false;
    }
    // Wholly outside the destination: nothing to draw.
    const DDPIXELS& d = dst->Surface;
    if (w < 1 || h < 1 || x >= d.width || y >= d.height || x + w <= 0 || y + h <= 0) return true;
    g_List.sprites.push_back(SPRITE{src, x, y, w, h, sx, sy, sw, sh, flags});
    return true;
}
