// libFuzzer harness over BMP pictures: any bytes are a picture file, decoded
// in memory and read through the graphics layer (headless, Direct3D rules)
// into a surface, a palette and the transparent colour. A picture that
// decodes at 1, 4, 8, 24 or 32 bits (or 16 bits of 5-5-5) encodes again at
// its depth to a file that decodes to the same pixels.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/graphics/bmp.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_surface.h"
#include "platform/window/platform_state.h"

namespace {

void Init() {
    fuzz::Quiet();
    ResetPlatformState();
    if (!DDInit(1, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0))
        fuzz::Fail("bmp: the graphics layer does not start headless");
}

// The 16-bit pictures this encoder writes back exactly: no bit fields.
bool ReEncodes(const uint8_t* data, size_t size, const BMPIMAGE& img) {
    if (img.nBitCount != 16) return true;
    if (size < 54) return false;
    const uint32_t hdrSize = data[14] | (data[15] << 8);
    if (hdrSize == 12) return true;
    return (data[30] | data[31] << 8 | data[32] << 16 | static_cast<uint32_t>(data[33]) << 24) == BMP_RGB;
}

// Pictures larger than this many pixels are passed over: every loop of the
// reader is linear in the pixels, so a larger one only costs time (a few
// hundred bytes of RLE can declare 26 million pixels); a million covers every size a game uses.
constexpr uint64_t MAX_PIXELS = uint64_t{1} << 20;

uint64_t DeclaredPixels(const uint8_t* data, size_t size) {
    if (size < 26) return 0;
    const uint32_t hdrSize = data[14] | (data[15] << 8) | (data[16] << 16) | (static_cast<uint32_t>(data[17]) << 24);
    if (hdrSize == 12) return static_cast<uint64_t>(data[18] | (data[19] << 8)) * static_cast<uint64_t>(data[20] | (data[21] << 8));
    const auto i32 = [&](size_t at) {
        return static_cast<int32_t>(data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) |
                                    (static_cast<uint32_t>(data[at + 3]) << 24));
    };
    const int64_t w = i32(18), h = i32(22);
    return static_cast<uint64_t>(w < 0 ? -w : w) * static_cast<uint64_t>(h < 0 ? -h : h);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (Init(), true);
    (void)once;
    if (DeclaredPixels(data, size) > MAX_PIXELS) return 0;
    BMPIMAGE img;
    std::string why;
    if (!DecodeBmp(data, size, &img, &why)) {
        if (why.empty()) fuzz::Fail("bmp: refused without a reason");
    } else {
        const size_t n = static_cast<size_t>(img.nWidth) * img.nHeight;
        if (img.Pixels.size() != n || (img.IsIndexed() && img.Index.size() != n))
            fuzz::Fail("bmp: pixels that do not fill the picture");
        if (ReEncodes(data, size, img)) {
            const std::vector<uint8_t> again = EncodeBmp(img, img.nBitCount);
            BMPIMAGE back;
            if (again.empty() || !DecodeBmp(again.data(), again.size(), &back, &why))
                fuzz::Fail("bmp: a decoded picture does not encode again");
            if (back.Pixels != img.Pixels) fuzz::Fail("bmp: the picture's colours changed on encoding again");
            if (img.IsIndexed() && back.Index != img.Index) fuzz::Fail("bmp: the picture's indices changed");
        }
    }
    const std::string path = fuzz::WriteScratch("p.bmp", data, size);
    DDSURFACEDATA sd;
    DDCreateSurfaceFromFile(&sd, path.c_str(), 1, 32, 0, 0, 0, 0, 0, 0, 0);
    DDReleaseSurface(&sd);
    PALETTEENTRY palette[256];
    DDLoadPaletteFromFile(palette, path.c_str(), 0);
    DDSetTransmitFromFile(path.c_str());
    return 0;
}
