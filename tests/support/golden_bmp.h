#pragma once
// Golden frames for the text tests: 32-bit pixel buffers kept as 24-bit BMPs.
// A frame that differs from its golden file is written beside it as
// NAME.got.bmp; with QV_UPDATE_GOLDEN=1 a missing golden file is written.
#include <cstdint>
#include <string>
#include <vector>

struct GOLDENFRAME {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows top-down
};

bool WriteBmp24(const std::string& path, const GOLDENFRAME& frame);
bool ReadBmp24(const std::string& path, GOLDENFRAME& frame);
// Empty when the frame equals tests/data/golden/NAME.bmp; else what differs.
std::string CompareGolden(const std::string& name, const GOLDENFRAME& frame);
