// The common palette: its file, the none entries, padding, inherit flags
// and the refusal of damaged files.
#include <gtest/gtest.h>

#include <memory>

#include "database/common_palette.h"
#include "database/data_paths.h"
#include "db_test_support.h"
#include "records/data_file.h"
#include "records/version.h"
#include "stage/definition_context.h"
#include "stage/flow_refs.h"

namespace {

class CommonPaletteTest : public dbtest::cDbTest {
protected:
    void SetUp() override { std::filesystem::create_directories("data"); }
    // A palette file written by hand: the empty record, then the lists as given.
    void WritePalette(std::vector<cBlockData> blocks, std::vector<cCharaData> charas, std::vector<cItemData> items) {
        cDataWriter w;
        w.WriteU32(DATA_VERSION);
        w.WriteU32(0);  // field count
        w.WriteU32(0);  // string count
        w.WriteU32(static_cast<uint32_t>(blocks.size()));
        for (auto& b : blocks) b.Save(w);
        w.WriteU32(static_cast<uint32_t>(charas.size()));
        for (auto& c : charas) c.Save(w);
        w.WriteU32(static_cast<uint32_t>(items.size()));
        for (auto& i : items) i.Save(w);
        dbtest::WriteAll("data/CommonPalette.cplt4", w.TakeBytes());
    }

    dbtest::cWorkFolder folder;
    dbtest::cMesBoxCapture boxes;
};

TEST_F(CommonPaletteTest, OneBlockLoadsAsTheNoneEntryAndOneFreshBlock) {
    cBlockData b;
    b.strName = "stored none";
    b.byHitKind = 2;
    WritePalette({b}, {cCharaData(), cCharaData()}, {cItemData(), cItemData()});
    ASSERT_EQ(LoadCommonPalette(), 1);
    ASSERT_EQ(CommonPalette.vBlock.size(), 2u);
    EXPECT_TRUE(CommonPalette.vBlock[0].strName.empty());  // the none entry whatever the file holds
    EXPECT_EQ(CommonPalette.vBlock[0].byPassGroup, 255);
    EXPECT_EQ(CommonPalette.vBlock[1].vInherit.size(), static_cast<size_t>(BLOCK_GROUP_NUM));
    EXPECT_EQ(GetCommonPalette().lpBlock, &CommonPalette.vBlock);
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(CommonPaletteTest, InheritFlagsEndZeroAndTemplatesAreNotApplied) {
    cCharaData none;
    none.vInherit.assign(CHARA_GROUP_NUM, 1);
    none.nMaxHP = 99;
    none.strName = "x";
    cCharaData model;
    model.strName = "model";
    cCharaData copy;
    copy.strName = "own";
    copy.byTemplateKind = TEMPLATE_COMMON;
    copy.wTemplateIndex = 1;
    copy.vInherit.assign(CHARA_GROUP_NUM, 1);  // the name group among them
    WritePalette({cBlockData(), cBlockData()}, {none, model, copy}, {cItemData(), cItemData()});
    ASSERT_EQ(LoadCommonPalette(), 1);
    const auto& c = CommonPalette.vChara;
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0].nMaxHP, cCharaData().nMaxHP);
    EXPECT_TRUE(c[0].strName.empty());
    EXPECT_EQ(c[2].strName, "own");
    for (const auto& e : c) {
        EXPECT_EQ(e.vInherit.size(), static_cast<size_t>(CHARA_GROUP_NUM));
        for (uint8_t f : e.vInherit) EXPECT_EQ(f, 0);
    }
}

TEST_F(CommonPaletteTest, NoItemsYieldTwoDefaultItems) {
    WritePalette({cBlockData(), cBlockData()}, {cCharaData(), cCharaData()}, {});
    ASSERT_EQ(LoadCommonPalette(), 1);
    ASSERT_EQ(CommonPalette.vItem.size(), 2u);
    EXPECT_EQ(CommonPalette.vItem[1].byGraphicKind, cItemData().byGraphicKind);
}

TEST_F(CommonPaletteTest, HeldItemsAreCheckedAgainstThePaletteBeingLoaded) {
    cBlockData holder;
    holder.wGraphic = 1;
    holder.byItemKind = TEMPLATE_COMMON;
    holder.wItemIndex = 2;  // exists in the file's three items
    cBlockData beyond = holder;
    beyond.wItemIndex = 3;  // does not
    WritePalette({cBlockData(), holder, beyond}, {cCharaData(), cCharaData()}, {cItemData(), cItemData(), cItemData()});
    ASSERT_EQ(LoadCommonPalette(), 1);
    EXPECT_EQ(CommonPalette.vBlock[1].wItemIndex, 2);
    EXPECT_EQ(CommonPalette.vBlock[2].wItemIndex, 0);
    EXPECT_EQ(CommonPalette.vBlock[2].byItemKind, 0);
}

TEST_F(CommonPaletteTest, SavePadsAndRoundTrips) {
    auto p = std::make_unique<cCommonPalette>();
    p->vBlock.resize(3);
    p->vBlock[2].strName = "壁";
    ASSERT_EQ(p->SaveToFile(PathTable[PATH_COMMON_PALETTE]), 1);
    EXPECT_EQ(p->vChara.size(), 2u);  // padded before saving
    ASSERT_EQ(LoadCommonPalette(), 1);
    ASSERT_EQ(CommonPalette.vBlock.size(), 3u);
    EXPECT_EQ(CommonPalette.vBlock[2].strName, "壁");
    // The stream begins with the version and the palette's own empty record.
    std::vector<uint8_t> bytes = dbtest::ReadAll("data/CommonPalette.cplt4");
    const std::vector<uint8_t> head = {0x39, 0x03, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0};
    ASSERT_GE(bytes.size(), head.size());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 16), head);
}

TEST_F(CommonPaletteTest, MissingOrDamagedFileFailsAndKeepsThePalette) {
    EXPECT_EQ(LoadCommonPalette(), 0);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "data\\CommonPalette.cplt4 のロードに失敗！");
    EXPECT_EQ(CommonPalette.vBlock.size(), 1u);

    cBlockData named;
    named.strName = "壁";
    WritePalette({cBlockData(), named, named}, {cCharaData(), cCharaData()}, {cItemData(), cItemData()});
    std::vector<uint8_t> bytes = dbtest::ReadAll("data/CommonPalette.cplt4");
    dbtest::WriteAll("data/CommonPalette.cplt4", std::vector<uint8_t>(bytes.begin(), bytes.end() - 5));
    EXPECT_EQ(LoadCommonPalette(), 0);
    EXPECT_EQ(CommonPalette.vBlock.size(), 1u);
    EXPECT_EQ(boxes.texts.size(), 2u);

    // Cut anywhere: refused, nothing changed.
    for (size_t cut = 0; cut < bytes.size(); cut += 7) {
        dbtest::WriteAll("data/CommonPalette.cplt4", std::vector<uint8_t>(bytes.begin(), bytes.begin() + cut));
        EXPECT_EQ(LoadCommonPalette(), 0) << cut;
        EXPECT_EQ(CommonPalette.vBlock.size(), 1u);
    }

    // Newer than the program.
    bytes[0] = 0x3A;
    dbtest::WriteAll("data/CommonPalette.cplt4", bytes);
    EXPECT_EQ(LoadCommonPalette(), 0);
    EXPECT_EQ(CommonPalette.vBlock.size(), 1u);
}

}  // namespace
