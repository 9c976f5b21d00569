// Reading BMP pictures in every variant the game data uses, and refusing
// malformed ones.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "platform/graphics/bmp.h"
#include "platform/graphics/dd_test_support.h"

using namespace ddtest;

namespace {

// 13 x 7 (odd width: every row is padded) with indices below `colours`.
BMPIMAGE Pattern(int colours) {
    return MakeIndexed(13, 7, TestPalette(), [&](int x, int y) { return static_cast<uint8_t>((x * 3 + y * 5 + (x == y ? 1 : 0)) % colours); });
}

void ExpectSame(const BMPIMAGE& want, const BMPIMAGE& got, bool indexed) {
    ASSERT_EQ(got.nWidth, want.nWidth);
    ASSERT_EQ(got.nHeight, want.nHeight);
    EXPECT_EQ(got.Pixels, want.Pixels);
    EXPECT_EQ(got.IsIndexed(), indexed);
    if (indexed) {
        EXPECT_EQ(got.Index, want.Index);
    }
}

class BmpReportTest : public cDDTest {};

// A refused picture names its file and the reason with the header's values
// in the report log; a missing one is left to the caller.
TEST_F(BmpReportTest, ARefusedPictureIsReportedWithItsReason) {
    auto bytes = EncodeBmp(Pattern(16), 24);
    ASSERT_FALSE(bytes.empty());
    bytes[30] = BMP_RLE8;  // compression 1 on a 24-bit picture
    const std::string path = File("rle24.bmp");
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    BMPIMAGE img;
    EXPECT_FALSE(LoadBmpFile(path, &img));
    EXPECT_NE(Report().find(path + " を読み込めません：圧縮形式 1 は 24 ビットの画像に使えません"), std::string::npos)
        << Report();
    bytes = EncodeBmp(Pattern(16), 8);
    bytes.resize(bytes.size() - 10);
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    EXPECT_FALSE(LoadBmpFile(path, &img));
    EXPECT_NE(Report().find(path + " を読み込めません：13 x 7、8 ビットの画素には 112 バイト要りますが、102 バイトしかありません"),
              std::string::npos)
        << Report();
    const size_t before = Report().size();
    EXPECT_FALSE(LoadBmpFile(File("missing.bmp"), &img));
    EXPECT_EQ(Report().size(), before);
}

TEST(BmpRead, IndexedVariantsKeepIndicesColourTableAndTopLeft) {
    struct { int bits; uint32_t comp; bool topDown; int colours; } cases[] = {
        {1, BMP_RGB, false, 2},   {4, BMP_RGB, false, 16},  {8, BMP_RGB, false, 256},
        {8, BMP_RGB, true, 256},  {4, BMP_RLE4, false, 16}, {8, BMP_RLE8, false, 256},
        {4, BMP_RLE4, false, 3},  {8, BMP_RLE8, false, 2},  // long runs
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, compression " << c.comp << (c.topDown ? " top-down" : ""));
        const BMPIMAGE img = Pattern(c.colours);
        const auto bytes = EncodeBmp(img, c.bits, c.comp, c.topDown);
        ASSERT_FALSE(bytes.empty());
        BMPIMAGE got;
        ASSERT_TRUE(DecodeBmp(bytes.data(), bytes.size(), &got));
        ExpectSame(img, got, true);
        EXPECT_EQ(got.nBitCount, c.bits);
        ASSERT_EQ(got.Palette.size(), size_t(1) << c.bits);
        EXPECT_EQ(got.Palette[0], 0xFF00FFu);
        EXPECT_EQ(got.Index[0], img.Index[0]);  // the top-left pixel names the transparent colour
    }
}

TEST(BmpRead, TrueColourVariants) {
    const BMPIMAGE img = MakeRgb(5, 3, [](int x, int y) { return static_cast<uint32_t>(x * 40) << 16 | (y * 80) << 8 | 0x37; });
    for (int bits : {24, 32}) {
        BMPIMAGE got;
        const auto bytes = EncodeBmp(img, bits, BMP_RGB, bits == 32);
        ASSERT_TRUE(DecodeBmp(bytes.data(), bytes.size(), &got));
        ExpectSame(img, got, false);
    }
    // 16 bits (5-5-5) keeps the top five bits of each channel, widened back to 0..255.
    BMPIMAGE got;
    const auto bytes = EncodeBmp(img, 16);
    ASSERT_TRUE(DecodeBmp(bytes.data(), bytes.size(), &got));
    EXPECT_EQ(got.RGB(0, 0), 0x000031u);  // blue 0x37 >> 3 = 6 -> 6 * 255 / 31 = 49
    EXPECT_EQ(got.RGB(4, 2), 0xA4A431u);  // 160 >> 3 = 20 -> 20 * 255 / 31 = 164
}

// A hand-made RLE8 stream for a 4 x 3 picture (rows bottom first). Skipped pixels stay index 0.
TEST(BmpRead, Rle8DeltaAbsoluteAndSkippedPixels) {
    std::vector<uint8_t> rle = {3, 2, 0, 0,        // bottom row: 2 2 2, end of line
                                0, 3, 1, 2, 3, 0,  // middle row: absolute run 1 2 3 and its pad byte
                                0, 2, 254, 1,      // delta: x += 254, y += 1 (to the top row, off its end)
                                0, 0,              // end of line: y = 3, above the picture
                                1, 5, 0, 1};       // a pixel above the picture is dropped; end
    BMPIMAGE img = MakeIndexed(4, 3, TestPalette(), [](int, int) { return uint8_t(0); });
    auto bytes = EncodeBmp(img, 8, BMP_RLE8);
    ASSERT_FALSE(bytes.empty());
    const size_t bitsAt = 14 + 40 + 256 * 4;
    bytes.resize(bitsAt);
    bytes.insert(bytes.end(), rle.begin(), rle.end());
    BMPIMAGE got;
    ASSERT_TRUE(DecodeBmp(bytes.data(), bytes.size(), &got));
    // Top row first in memory: the top row was never written.
    const std::vector<uint8_t> want = {0, 0, 0, 0, 1, 2, 3, 0, 2, 2, 2, 0};
    EXPECT_EQ(got.Index, want);
}

TEST(BmpRead, CoreHeaderWithThreeByteColourTable) {
    // BITMAPCOREHEADER: 2 x 1 at 1 bit; colour table of two RGB triples (blue, green, red).
    const std::vector<uint8_t> bytes = {
        'B', 'M', 32, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0, 0,  // file header, bits at 32
        12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 1, 0,              // size 12, w 2, h 1, planes 1, 1 bit
        0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00,               // entry 0 red, entry 1 blue
        0x40, 0, 0, 0};                                   // pixels 0, 1
    BMPIMAGE got;
    ASSERT_TRUE(DecodeBmp(bytes.data(), bytes.size(), &got));
    EXPECT_EQ(got.RGB(0, 0), 0xFF0000u);
    EXPECT_EQ(got.RGB(1, 0), 0x0000FFu);
}

TEST(BmpRead, BitfieldsSixteenBit565) {
    std::vector<uint8_t> bytes = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 66, 0, 0, 0,
                                  40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 16, 0, 3, 0, 0, 0,
                                  4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                  0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0,  // masks r, g, b
                                  0xE0, 0x07, 0, 0};                                   // pure green, padded
    BMPIMAGE got;
    ASSERT_TRUE(DecodeBmp(bytes.data(), bytes.size(), &got));
    EXPECT_EQ(got.RGB(0, 0), 0x00FF00u);
}

TEST(BmpRead, MalformedFilesAreRefusedWhateverTheCut) {
    const BMPIMAGE img = Pattern(16);
    for (auto [bits, comp] : {std::pair{8, BMP_RGB}, {4, BMP_RLE4}, {8, BMP_RLE8}, {24, BMP_RGB}}) {
        const auto bytes = EncodeBmp(img, bits, comp);
        // Every cut inside the header, the table or the pixels of an uncompressed file fails;
        // a cut RLE stream keeps what was decoded (the pixels it names are all in range).
        for (size_t n = 0; n < bytes.size(); ++n) {
            BMPIMAGE got;
            const bool ok = DecodeBmp(bytes.data(), n, &got);
            if (comp == BMP_RGB) {
                EXPECT_FALSE(ok) << "cut at " << n;
            }
            if (ok) {
                EXPECT_EQ(got.Pixels.size(), size_t(13 * 7));
            }
        }
    }
    auto patched = [&](size_t at, uint32_t v, int width) {
        auto b = EncodeBmp(img, 8);
        for (int k = 0; k < width; ++k) b[at + k] = static_cast<uint8_t>(v >> (8 * k));
        BMPIMAGE got;
        return DecodeBmp(b.data(), b.size(), &got);
    };
    EXPECT_FALSE(patched(18, 0, 4));          // width 0
    EXPECT_FALSE(patched(18, 100000, 4));     // width past the limit
    EXPECT_FALSE(patched(22, 0x80000000, 4)); // height INT_MIN
    EXPECT_FALSE(patched(28, 2, 2));          // 2 bits per pixel
    EXPECT_FALSE(patched(46, 300, 4));        // colour count above 256
    EXPECT_FALSE(patched(10, 0x7FFFFFFF, 4)); // pixels past the end
    EXPECT_FALSE(patched(0, 'X', 1));         // not a BMP
    EXPECT_FALSE(patched(30, BMP_RLE4, 4));   // RLE4 on an 8-bit picture
}

// Random damage to real files never reads outside them (the sanitizer build checks) and
// every picture that decodes is whole.
TEST(BmpRead, DamagedFilesNeverReadOutOfBounds) {
    const BMPIMAGE img = Pattern(16);
    uint32_t r = 1;
    for (auto [bits, comp] : {std::pair{4, BMP_RLE4}, {8, BMP_RLE8}, {8, BMP_RGB}, {1, BMP_RGB}, {32, BMP_RGB}}) {
        const auto good = EncodeBmp(img, bits, comp);
        for (int round = 0; round < 400; ++round) {
            auto b = good;
            for (int k = 0; k < 4; ++k) {
                r = r * 1103515245u + 12345u;
                b[(r >> 8) % b.size()] = static_cast<uint8_t>(r >> 24);
            }
            BMPIMAGE got;
            if (DecodeBmp(b.data(), b.size(), &got)) {
                ASSERT_EQ(got.Pixels.size(), static_cast<size_t>(got.nWidth) * got.nHeight);
                if (got.IsIndexed()) {
                    ASSERT_EQ(got.Index.size(), got.Pixels.size());
                }
            }
        }
    }
}

TEST(BmpRead, FilesThroughProgramPaths) {
    cTempDir dir;
    const BMPIMAGE img = Pattern(256);
    ASSERT_TRUE(WriteBmp(dir.File("a.bmp"), img, 8));
    BMPIMAGE got;
    EXPECT_TRUE(LoadBmpFile(dir.File("a.bmp"), &got));
    EXPECT_FALSE(LoadBmpFile(dir.File("missing.bmp"), &got));
    EXPECT_FALSE(LoadBmpFile("", &got));
    int w = 0, h = 0;
    EXPECT_TRUE(ReadBmpSize(dir.File("a.bmp"), &w, &h));
    EXPECT_EQ(w, 13);
    EXPECT_EQ(h, 7);
}

// Pictures decoded ahead on another thread are taken once, and only while
// their file is as it was: a file written since is read anew.
TEST(BmpRead, PicturesPreparedAheadAreTakenOnceWhileTheirFileIsUnchanged) {
    cTempDir dir;
    const std::string a = dir.File("a.bmp"), b = dir.File("b.bmp");
    ASSERT_TRUE(WriteBmp(a, Pattern(256), 8));
    ASSERT_TRUE(WriteBmp(b, Pattern(256), 8));
    std::thread([&] { PrepareBmpFiles({a, b, dir.File("missing.bmp"), ""}); }).join();
    BMPIMAGE got;
    ASSERT_TRUE(LoadBmpFile(a, &got));
    ExpectSame(Pattern(256), got, true);
    // b is written again, at another size, after it was prepared.
    ASSERT_TRUE(WriteBmp(b, Pattern(16), 24));
    ASSERT_TRUE(LoadBmpFile(b, &got));
    ExpectSame(Pattern(16), got, false);
    // a once more, other pixels at the same size and with its old time: the file, not the picture taken.
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(a, ec);
    ASSERT_FALSE(ec);
    std::thread([&] { PrepareBmpFiles({a}); }).join();
    ASSERT_TRUE(LoadBmpFile(a, &got));
    ASSERT_TRUE(WriteBmp(a, Pattern(7), 8));
    std::filesystem::last_write_time(a, time, ec);
    ASSERT_FALSE(ec);
    ASSERT_TRUE(LoadBmpFile(a, &got));
    ExpectSame(Pattern(7), got, true);
    // A picture no load takes is dropped.
    std::thread([&] { PrepareBmpFiles({a}); }).join();
    DiscardPreparedBmpFiles();
    ASSERT_TRUE(WriteBmp(a, Pattern(5), 8));
    std::filesystem::last_write_time(a, time, ec);
    ASSERT_TRUE(LoadBmpFile(a, &got));
    ExpectSame(Pattern(5), got, true);
}

}  // namespace
