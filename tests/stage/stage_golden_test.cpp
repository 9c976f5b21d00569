// The smallest valid stage at version 825, written by the program, against a
// byte image derived by hand from the file format. Sections and their sizes:
//
//   version word                                      4
//   settings record: count 98, 416 bytes of numbers,
//     string count 1, empty text (length word 1)     428
//   ranking switches: count 5, five words 1           24
//   five removal rules, 40 bytes each                200
//   palette blocks: count 2, two blocks of 61        126
//   palette characters: count 2, two of 151          306
//   palette items: count 2, two of 65                134
//   placed blocks, characters, items: three counts 0  12
//   background layers: count 1, one layer of 68       72
//   texts: count 0                                     4
//   trailer 123456789                                  4
//                                            total 1314
#include <gtest/gtest.h>

#include "records/version.h"
#include "stage/flow_refs.h"
#include "stage/stage_bytes.h"
#include "stage/stage_data.h"
#include "stage/stage_fixture.h"

namespace {

// The settings #1..#98 of a cleared stage of 20 x 15 blocks after Validate:
// the clear routine's defaults, hit level 10 giving v = 10.
void SettingsImage(cBytes& b) {
    b.U32(98);
    b.I32(20).I32(0).I32(0).I32(15);                       // #1..#4 width, -, -, height
    for (int i = 5; i <= 12; ++i) b.I32(0);                // #5..#12 scroll area switches and limits
    b.I32(60).I32(0).I32(200).I32(20);                     // #13..#16 fps, time limit switch, limit, display
    b.I32(0).I32(0).I32(0).I32(0);                         // #17..#20 scroll kinds and speeds
    b.F64(0.4);                                            // #21 gravity
    b.I32(10).I32(0).I32(0).I32(0).I32(0);                 // #22..#26 hit level, step level, music, music value, continue
    b.I32(1).I32(0).I32(0).I32(1).I32(0);                  // #27..#31
    b.I32(0).I32(1).I32(1).I32(1);                         // #32..#35 banners
    b.I32(16).I32(24).I32(16).I32(16);                     // #36..#39 hero body boxes
    b.I32(16).I32(24).I32(16).I32(16).I32(12).I32(8).I32(16).I32(16);  // #40..#47 hero ranges
    b.I32(1).I32(0).I32(1).I32(0);                         // #48..#51 alignments
    for (int i = 52; i <= 59; ++i) b.I32(0);               // #52..#59 box display and colours
    b.I32(16).I32(24).I32(16).I32(16);                     // #60..#63 character body boxes
    b.I32(12).I32(24).I32(12).I32(16).I32(30).I32(30);     // #64..#69 character ranges
    b.I32(1).I32(0).I32(1).I32(0);                         // #70..#73 alignments
    b.I32(28).I32(28);                                     // #74, #75 item settings
    for (int i = 76; i <= 83; ++i) b.I32(16);              // #76..#83 shot ranges
    b.I32(1).I32(0).I32(0);                                // #84..#86
    b.I32(10);                                             // #87 v
    b.F64(10.0).F64(100.0).F64(60.0).F64(0.4 / 100.0).F64(6.0);  // #88..#92 v, v*v, 6v, gravity/step, limit/step
    b.I32(80).I32(1).I32(30).I32(0).I32(30).I32(0);        // #93..#98
    b.U32(1).EmptyStr();                                   // the text
}

// A removal rule: five descriptors (value 1, values 2..4, value 5, values
// 6..7, value 8), 32 bytes of values, no strings: 40 bytes.
void IntRecImage(cBytes& b, std::initializer_list<int32_t> v) {
    b.U32(5);
    for (int32_t x : v) b.I32(x);
    b.U32(0);
}

// A block with every value 0 but pass-through group 255 (the block clear, and
// a graphic of 0 takes the hit kind away): 61 bytes.
void BlockImage(cBytes& b) {
    b.U32(18);
    b.U8(0).U16(0).U8(0).U8(0);        // template kind, index, condition bytes
    b.U16(0).U8(0).U16(0);             // graphic, source, sub-index
    b.U8(0).U8(0).U8(0).U16(0);        // layer, hidden, overlay flag, overlay index
    b.U8(0).U8(255);                   // hit kind, pass-through group
    b.U8(0).I32(0).U8(0).U16(0).U8(0); // effect, X, held item kind, index, protection
    b.U32(1).EmptyStr();               // name
    b.U16(0).U16(0);                   // cell
    b.U32(11).Fill(11, 0);             // group flags
    b.U32(0);                          // conditions
}

// A character: 82 bytes of numbers; 151 bytes in all. `first`: the clear
// routine's defaults (palette entry 0), else the generic clear of a padded
// entry, whose size is then raised to 1 by the index checks.
void CharaImage(cBytes& b, bool first) {
    b.U32(53);
    b.U8(0).U16(0).U8(0).U8(0).U8(0).U8(0);     // #1..#6
    b.I16(0).I16(0).I16(0).I16(0).U8(0).U8(0);  // #7..#12 offsets and mirrors
    b.U16(0).U8(first ? 1 : 0).U16(0).U16(0);   // #13..#16 graphic, source, sub, animation set
    b.U8(first ? 3 : 0).U8(0);                  // #17 drawing order, #18
    b.U16(0).U8(0).U8(first ? 1 : 0);           // #19..#21 appear effect
    b.U16(0).U8(0);                             // #22, #23 death effect
    b.U8(0).U16(0);                             // #24, #25 mark
    b.U8(first ? 1 : 0).U8(0).U8(first ? 1 : 0);// #26..#28 controller, key input, force
    b.U8(0).U8(0).U8(first ? 1 : 0).U8(0);      // #29..#32
    b.U8(0).U8(0).U8(1).U8(0);                  // #33..#36 (#35 size at least 1)
    b.U8(0).U8(0);                              // #37, #38 sight
    b.I32(first ? 10 : 0).I32(0).U16(first ? 10 : 0);  // #39..#41
    b.U8(0).I32(0).U8(0).U16(0);                // #42..#45
    b.I32(0).U8(0).I32(0);                      // #46..#48
    b.U8(first ? 1 : 0).U8(0).U16(0).U8(0).U8(0);  // #49..#53
    b.U32(1).EmptyStr();                        // name
    b.U16(0).U16(0).I32(0);                     // cell, carried item
    b.U32(37).Fill(37, 0);                      // group flags
    b.U32(0).U32(0);                            // conditions, flows
}

// An item: 24 bytes of numbers; 65 bytes in all.
void ItemImage(cBytes& b, bool first) {
    b.U32(17);
    b.U8(0).U16(0).U8(0).U8(0);                 // #1..#4
    b.I16(0).I16(0);                            // #5, #6 offsets
    b.U16(0).U8(first ? 2 : 0).U16(0);          // #7..#9 graphic
    b.U8(first ? 6 : 0).U8(0).U8(0).U16(0);     // #10..#13
    b.U8(first ? 1 : 0).U8(0).U8(1).U16(0);     // #14..#17 (#16 size at least 1)
    b.U32(1).EmptyStr();
    b.U16(0).U16(0);
    b.U32(13).Fill(13, 0);
    b.U32(0).U32(0);                            // conditions, commands
}

std::vector<uint8_t> SmallestStageImage() {
    cBytes b;
    b.U32(825);
    SettingsImage(b);
    b.U32(5).U32(1).U32(1).U32(1).U32(1).U32(1);
    IntRecImage(b, {0, 0, 0, 0, 0, 0, 0, 0});
    IntRecImage(b, {0, 0, 0, 0, 0, 0, 0, 0});
    IntRecImage(b, {0, 0, 0, 0, 0, 0, 0, 0});
    IntRecImage(b, {1, 1, 1, 1, 0, 0, 0, 0});
    IntRecImage(b, {1, 1, 1, 1, 10, 10, 10, 10});
    b.U32(2);
    BlockImage(b);
    BlockImage(b);
    b.U32(2);
    CharaImage(b, true);
    CharaImage(b, false);
    b.U32(2);
    ItemImage(b, true);
    ItemImage(b, false);
    b.U32(0).U32(0).U32(0);
    // One background layer: b = 1, the rest 0 (a, b, c, d, e, f, g, h, text, i, j).
    b.U32(1).U32(10).I32(0).I32(1).I32(0).I32(0).F64(0).F64(0).I32(0).I32(0).F64(0).F64(0).U32(1).EmptyStr();
    b.U32(0);
    b.U32(123456789);
    return b.Bytes();
}

class StageGoldenTest : public cStageTest {};

TEST_F(StageGoldenTest, SmallestValidStageMatchesTheHandDerivedImage) {
    std::vector<uint8_t> expected = SmallestStageImage();
    ASSERT_EQ(expected.size(), 1314u);
    cStageData s;
    s.nWidth = 20;
    s.nHeight = 15;
    std::vector<uint8_t> got = StageFile(s);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], expected[i]) << "first difference at byte " << i;
    // And it is valid: it loads, and saves back the same.
    cStageData back;
    ASSERT_TRUE(LoadStageBytes(back, got));
    EXPECT_EQ(StageFile(back), expected);
}

TEST_F(StageGoldenTest, SectionsStartWhereTheFormatPutsThem) {
    std::vector<uint8_t> img = SmallestStageImage();
    auto u32At = [&](size_t o) { return img[o] | img[o + 1] << 8 | img[o + 2] << 16 | uint32_t(img[o + 3]) << 24; };
    EXPECT_EQ(u32At(4), 98u);      // field count
    EXPECT_EQ(u32At(8), 20u);      // #1 at offset 8
    EXPECT_EQ(u32At(96), 10u);     // #22 hit level at 96
    EXPECT_EQ(u32At(356), 10u);    // #87 at 356
    EXPECT_EQ(u32At(400), 80u);    // #93 at 400
    EXPECT_EQ(u32At(424), 1u);     // string count after 416 bytes of numbers
    EXPECT_EQ(u32At(432), 5u);     // ranking switches
    EXPECT_EQ(u32At(656), 2u);     // palette blocks after 200 bytes of removal rules
}

}  // namespace
