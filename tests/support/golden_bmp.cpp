#include "support/golden_bmp.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

std::string GoldenDir() {
    const char* d = std::getenv("QV_TEST_DATA");
    return std::string(d ? d : "tests/data") + "/golden/";
}

}  // namespace

bool WriteBmp24(const std::string& path, const GOLDENFRAME& f) {
    const uint32_t stride = (f.width * 3 + 3) & ~3u;
    std::vector<uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    Put32(b, 54 + stride * f.height);
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, f.width);
    Put32(b, f.height);
    Put16(b, 1);
    Put16(b, 24);
    Put32(b, 0);
    Put32(b, stride * f.height);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    for (int y = f.height - 1; y >= 0; --y) {
        for (int x = 0; x < f.width; ++x) {
            uint32_t p = f.pixels[y * f.width + x];
            b.push_back(p & 0xFF);
            b.push_back((p >> 8) & 0xFF);
            b.push_back((p >> 16) & 0xFF);
        }
        for (uint32_t k = f.width * 3; k < stride; ++k) b.push_back(0);
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return static_cast<bool>(out);
}

bool ReadBmp24(const std::string& path, GOLDENFRAME& f) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || (b[28] | (b[29] << 8)) != 24) return false;
    f.width = static_cast<int>(Get32(b, 18));
    f.height = static_cast<int>(Get32(b, 22));
    const uint32_t off = Get32(b, 10), stride = (f.width * 3 + 3) & ~3u;
    if (f.width <= 0 || f.height <= 0 || off + static_cast<size_t>(stride) * f.height > b.size()) return false;
    f.pixels.assign(static_cast<size_t>(f.width) * f.height, 0);
    for (int y = 0; y < f.height; ++y) {
        const uint8_t* row = b.data() + off + static_cast<size_t>(f.height - 1 - y) * stride;
        for (int x = 0; x < f.width; ++x)
            f.pixels[y * f.width + x] = 0xFF000000u | (row[x * 3 + 2] << 16) | (row[x * 3 + 1] << 8) | row[x * 3];
    }
    return true;
}

std::string CompareGolden(const std::string& name, const GOLDENFRAME& frame) {
    const std::string path = GoldenDir() + name + ".bmp";
    GOLDENFRAME want;
    if (!ReadBmp24(path, want)) {
        const char* update = std::getenv("QV_UPDATE_GOLDEN");
        if (update && std::strcmp(update, "1") == 0) {
            WriteBmp24(path, frame);
            return {};
        }
        WriteBmp24(GoldenDir() + name + ".got.bmp", frame);
        return "no golden frame " + path;
    }
    int diff = 0;
    if (want.width == frame.width && want.height == frame.height) {
        for (size_t i = 0; i < want.pixels.size(); ++i)
            if ((want.pixels[i] & 0xFFFFFF) != (frame.pixels[i] & 0xFFFFFF)) ++diff;
        if (diff == 0) return {};
    }
    WriteBmp24(GoldenDir() + name + ".got.bmp", frame);
    char mes[200];
    std::snprintf(mes, sizeof mes, "%s differs: %dx%d vs %dx%d, %d pixels", name.c_str(), frame.width, frame.height,
                  want.width, want.height, diff);
    return mes;
}
