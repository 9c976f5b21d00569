#pragma once
// Windows BMP pictures: reading every variant the game data uses (1, 4, 8,
// 16, 24 and 32 bits per pixel, RLE4 and RLE8, bottom-up and top-down,
// core and info headers) and writing them back. A picture keeps its colour
// table and, for indexed files, the palette index of every pixel, so that
// 8-bit screens and the top-left transparent colour can use them.
#include <cstdint>
#include <string>
#include <vector>

// Compression values of the info header.
enum : uint32_t { BMP_RGB = 0, BMP_RLE8 = 1, BMP_RLE4 = 2, BMP_BITFIELDS = 3 };

struct BMPIMAGE {
    int nWidth = 0, nHeight = 0;      // size in pixels
    int nBitCount = 0;                // bits per pixel of the file
    std::vector<uint32_t> Palette;    // colour table as 0x00RRGGBB, as many entries as the file holds
    std::vector<uint8_t> Index;       // palette index per pixel, top row first (indexed files only)
    std::vector<uint32_t> Pixels;     // colour per pixel as 0x00RRGGBB, top row first (every file)

    bool IsIndexed() const { return !Index.empty(); }
    // Colour of pixel (x, y) as 0x00RRGGBB; the caller keeps x, y inside.
    uint32_t RGB(int x, int y) const { return Pixels[static_cast<size_t>(y) * nWidth + x]; }
};

// Largest width or height, and largest number of pixels, accepted from a file.
constexpr int BMP_MAX_SIDE = 16384;
constexpr long long BMP_MAX_PIXELS = 1LL << 25;

// Decodes a BMP held in memory; false (out untouched) for anything malformed
// or cut short, with the reason (the header's values) in why when given.
bool DecodeBmp(const uint8_t* data, size_t size, BMPIMAGE* out, std::string* why = nullptr);
// Reads a BMP file named by a program path (CP932, backslashes); false when
// missing or malformed (a file present but refused: its reason in the report log).
bool LoadBmpFile(const std::string& path, BMPIMAGE* out);
// Decodes the BMP files named by program paths ahead, on the calling thread
// (a worker while the program starts): LoadBmpFile then takes each picture
// once from memory while its file is unchanged. A file that cannot be read
// or decoded is left to LoadBmpFile (and its report).
void PrepareBmpFiles(const std::vector<std::string>& paths);
// Drops the pictures prepared that no load took.
void DiscardPreparedBmpFiles();
// Reads only the size of a BMP file named by a program path; false when it is not a readable BMP.
bool ReadBmpSize(const std::string& path, int* width, int* height);

// Encodes img at bitCount (1, 4, 8 indexed from Index; 16, 24, 32 from Pixels) with
// compression BMP_RGB, BMP_RLE8 (8 bits) or BMP_RLE4 (4 bits); topDown stores rows
// top first (uncompressed only). An empty result means the request cannot be encoded.
std::vector<uint8_t> EncodeBmp(const BMPIMAGE& img, int bitCount, uint32_t compression = BMP_RGB,
                               bool topDown = false);
// Writes bytes to a native path through a temporary file; false on failure.
bool WriteFileBytes(const std::string& nativePath, const std::vector<uint8_t>& bytes);
