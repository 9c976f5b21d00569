// The records of the database lists: what each stores, and how files of
// older data versions load into them.
#include <gtest/gtest.h>

#include <memory>

#include "database/data_paths.h"
#include "database/database.h"
#include "db_test_support.h"
#include "records/version.h"
#include "stage/flow_refs.h"
#include "support/written_bytes.h"

using dbtest::AtVersion;

namespace {

class DbRecordsTest : public dbtest::cDbTest {
protected:
    // Saves list `file` of `src` at version v and loads it into `dst`.
    bool SaveLoad(cDatabase& src, cDatabase& dst, int file, uint32_t v) {
        AtVersion(v, [&] { EXPECT_EQ(src.SaveListFile(file, "list.dat"), 1); });
        return dst.LoadListFile(file, "list.dat") == 1;
    }
    dbtest::cWorkFolder folder;
    dbtest::cMesBoxCapture boxes;
    std::unique_ptr<cDatabase> src = std::make_unique<cDatabase>();
    std::unique_ptr<cDatabase> dst = std::make_unique<cDatabase>();
};

TEST_F(DbRecordsTest, EveryListRoundTripsAtTheCurrentVersion) {
    cDatabase& s = *src;
    s.vAnimeSet[0].strName = "剣士";
    s.vAnimeSet[0].nOffsetC = 12;
    s.vAnime[1].vFrame.resize(3);
    s.vAnime[1].vFrame[2].nValue3 = 1;
    s.vCharaBmp[1] = cCharaBmpData();
    s.vCharaBmp[1].strFile = "bmp\\chara_sp\\a.bmp";
    s.vCharaBmp[1].nAddedInt = 4;
    s.vCharaBmp[1].bCustomCellSize = 1;
    s.vCharaBmp[1].nCellBlocks = 3;
    s.vSwordType[0].strText3 = "text";
    s.vSwordType[0].vFrame.resize(2);
    s.vSwordType[0].vFrame[1].nValue[SWORDFRAME_TIME] = 7;
    s.vEffect[1].vFrame.push_back(cPairRecord(5, 9));
    s.vEffect[1].bScalable = 1;
    s.vCharaEffect[1].nKind = 12;
    s.vCharaEffect[1].nParam[4] = -3;
    s.vScrEffect.resize(3);
    s.vScrEffect[2].strName = "揺れ";
    s.vPicture[1].strFile = "bmp\\picture\\p.bmp";
    s.vSound[1].nAddedInt = 6;
    s.vBgm[1].nVolume = 40;
    for (int i = 0; i < DBFILE_NUM; ++i) ASSERT_TRUE(SaveLoad(s, *dst, i, DATA_VERSION)) << i;
    cDatabase& d = *dst;
    EXPECT_EQ(d.vAnimeSet[0].strName, "剣士");
    EXPECT_EQ(d.vAnimeSet[0].nOffsetC, 12);
    EXPECT_EQ(d.vAnimeSet[0].vMove[3].strName, "飛行移動");
    ASSERT_EQ(d.vAnime[1].vFrame.size(), 3u);
    EXPECT_EQ(d.vAnime[1].vFrame[2].nValue3, 1);
    EXPECT_EQ(d.vCharaBmp[1].strFile, "bmp\\chara_sp\\a.bmp");
    EXPECT_EQ(d.vCharaBmp[1].nAddedInt, 4);
    EXPECT_EQ(d.vCharaBmp[1].CellPixels(), 96);
    EXPECT_EQ(d.vSwordType[0].strText3, "text");
    ASSERT_EQ(d.vSwordType[0].vFrame.size(), 2u);
    EXPECT_EQ(d.vSwordType[0].TotalTime(), 7);
    ASSERT_EQ(d.vEffect[1].vFrame.size(), 2u);
    EXPECT_EQ(d.vEffect[1].vFrame[1].nValue2, 9);
    EXPECT_EQ(d.vEffect[1].bScalable, 1);
    EXPECT_EQ(d.vCharaEffect[1].nKind, 12);
    EXPECT_EQ(d.vCharaEffect[1].nParam[4], -3);
    ASSERT_EQ(d.vScrEffect.size(), 3u);
    EXPECT_EQ(d.vScrEffect[2].strName, "揺れ");
    EXPECT_EQ(d.vPicture[1].strFile, "bmp\\picture\\p.bmp");
    EXPECT_EQ(d.vSound[1].nAddedInt, 6);
    EXPECT_EQ(d.vBgm[1].nVolume, 40);
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(DbRecordsTest, AddedIntegerOfFilesOlderThan153IsDiscarded) {
    src->vPicture[1].nAddedInt = 5;
    src->vSound[1].nAddedInt = 9;
    ASSERT_TRUE(SaveLoad(*src, *dst, DBFILE_PICTURE, 150));  // no added integer stored
    EXPECT_EQ(dst->vPicture[1].nAddedInt, 0);
    dst->vSound[1].nAddedInt = 3;
    ASSERT_TRUE(SaveLoad(*src, *dst, DBFILE_SOUND, 152));  // stored, then dropped
    EXPECT_EQ(dst->vSound[1].nAddedInt, 0);
    ASSERT_TRUE(SaveLoad(*src, *dst, DBFILE_SOUND, 153));
    EXPECT_EQ(dst->vSound[1].nAddedInt, 9);
}

TEST_F(DbRecordsTest, SwordFramesOfVersion137KeepTheirNewValues3And4) {
    auto& f = src->vSwordType[0].vFrame[0];
    for (int i = 0; i < SWORDFRAME_VALUE_NUM; ++i) f.nValue[i] = 10 + i;
    ASSERT_TRUE(SaveLoad(*src, *dst, DBFILE_SWORD_TYPE, 137));
    const auto& g = dst->vSwordType[0].vFrame[0];
    EXPECT_EQ(g.nValue[SWORDFRAME_MIRROR_X], 1);
    EXPECT_EQ(g.nValue[SWORDFRAME_MIRROR_Y], 0);
    for (int i : {0, 1, 4, 5, 6, 7, 8, 9}) EXPECT_EQ(g.nValue[i], 10 + i) << i;
    // Eight values per frame at 137, ten at 138.
    cSwordFrameData frame;
    cDataWriter w137, w138;
    AtVersion(137, [&] { frame.Save(w137); });
    AtVersion(138, [&] { frame.Save(w138); });
    EXPECT_EQ(w137.Size(), 4u + 8 * 4 + 4);
    EXPECT_EQ(w138.Size(), 4u + 10 * 4 + 4);
}

TEST_F(DbRecordsTest, MusicOfVersion813PlaysAtFullVolume) {
    src->vBgm.resize(4);
    for (auto& b : src->vBgm) b.nVolume = 30;
    ASSERT_TRUE(SaveLoad(*src, *dst, DBFILE_BGM, 813));
    ASSERT_EQ(dst->vBgm.size(), 4u);
    for (auto& b : dst->vBgm) EXPECT_EQ(b.nVolume, 100);
}

TEST_F(DbRecordsTest, CharaBitmapsOfVersion171KeepTheDefaultCellSizeOnlyInDefaultEntries) {
    src->vCharaBmp.resize(3);
    for (auto& b : src->vCharaBmp) b.nCellBlocks = 5;
    ASSERT_TRUE(SaveLoad(*src, *dst, DBFILE_CHARA_BMP, 171));
    EXPECT_EQ(dst->vCharaBmp[1].nCellBlocks, 2);  // default content
    EXPECT_EQ(dst->vCharaBmp[2].nCellBlocks, 0);  // the loader's new entry
}

TEST_F(DbRecordsTest, EffectParametersOfFilesOlderThan511TakeTheTableDefaults) {
    auto& ce = src->vCharaEffect;
    ce.resize(4);
    ce[1].nKind = 4, ce[2].nKind = 10, ce[3].nKind = 3;
    for (auto& e : ce)
        for (int& p : e.nParam) p = 77;
    ASSERT_TRUE(SaveLoad(*src, *dst, DBFILE_CHARA_EFFECT, 510));
    EXPECT_EQ(dst->vCharaEffect[1].nParam[4], 2);
    EXPECT_EQ(dst->vCharaEffect[1].nParam[3], 77);
    EXPECT_EQ(dst->vCharaEffect[2].nParam[3], 2);
    EXPECT_EQ(dst->vCharaEffect[2].nParam[4], 77);
    EXPECT_EQ(dst->vCharaEffect[3].nParam[4], 77);
    ASSERT_TRUE(SaveLoad(*src, *dst, DBFILE_CHARA_EFFECT, 511));
    EXPECT_EQ(dst->vCharaEffect[1].nParam[4], 77);

    auto& se = src->vScrEffect;
    se.resize(4);
    se[1].nKind = 6, se[2].nKind = 7, se[3].nKind = 10;
    for (auto& e : se)
        for (int& p : e.nParam) p = 77;
    ASSERT_TRUE(SaveLoad(*src, *dst, DBFILE_SCR_EFFECT, 300));
    EXPECT_EQ(dst->vScrEffect[1].nParam[4], 8);
    EXPECT_EQ(dst->vScrEffect[2].nParam[4], 10);
    EXPECT_EQ(dst->vScrEffect[3].nParam[3], 8);
    EXPECT_EQ(dst->vScrEffect[3].nParam[4], 77);
}

TEST_F(DbRecordsTest, EffectRecordStreamHasTwoIntegerFields) {
    cCharaEffect e;
    e.strName = "A";
    e.nKind = 2;
    for (int i = 0; i < EFFECT_PARAM_NUM; ++i) e.nParam[i] = i + 1;
    cDataWriter w;
    e.Save(w);
    // field count 2, kind, five parameters, string count 1, "A" with its NUL.
    const std::vector<uint8_t> expected = {
        2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0,
        1, 0, 0, 0, 2, 0, 0, 0, 'A', 0,
    };
    EXPECT_EQ(WrittenBytes(w), expected);
}

TEST_F(DbRecordsTest, NewEntriesOfEachFamily) {
    cAnimeSetData set;
    set.vMove.resize(6);
    set.nOffsetA = 1;
    InitAnimeSetEntry(set);
    EXPECT_EQ(set.nOffsetA, 4);
    EXPECT_EQ(set.nOffsetB, 8);
    EXPECT_EQ(set.nOffsetC, 0);
    ASSERT_EQ(set.vMove.size(), 4u);
    EXPECT_EQ(set.vMove[0].strName, "立ち");
    EXPECT_EQ(set.vMove[1].strName, "立ち移動");
    EXPECT_EQ(set.vMove[2].strName, "飛行");
    EXPECT_EQ(set.vMove[3].strName, "飛行移動");

    cSwordTypeData sword;
    ASSERT_EQ(sword.vFrame.size(), 1u);
    EXPECT_EQ(sword.vFrame[0].nValue[SWORDFRAME_MIRROR_X], 1);
    EXPECT_EQ(sword.vFrame[0].nValue[9], 1);
    cEffectBmpData effect;
    EXPECT_EQ(effect.nCellWidth, 32);
    EXPECT_EQ(effect.nCellHeight, 32);
    ASSERT_EQ(effect.vFrame.size(), 1u);
    EXPECT_EQ(effect.vFrame[0].nValue1, 0);
    EXPECT_EQ(effect.vFrame[0].nValue2, 1);
    EXPECT_EQ(cScrEffect().nKind, 1);
    EXPECT_EQ(cBgmData().nVolume, 100);
}

}  // namespace

// The byte image of an animation set of version 118 (offset C and the flying
// entries not yet stored), loaded and saved again at the current version.
TEST_F(DbRecordsTest, AnimationSetOfVersion118LoadsAndSavesByteForByte) {
    auto str = [](cDataWriter& w, const std::string& s) {
        w.WriteU32(static_cast<uint32_t>(s.size() + 1));
        if (!s.empty()) w.Write(s.c_str(), s.size() + 1);
    };
    auto frame = [](cDataWriter& w, int32_t a, int32_t b, int32_t c) {
        w.WriteU32(3), w.WriteI32(a), w.WriteI32(b), w.WriteI32(c), w.WriteU32(0);
    };
    auto move = [&](cDataWriter& w, uint16_t v1, uint8_t flag, uint16_t v2, const std::string& name) {
        w.WriteU32(3), w.WriteU16(v1), w.WriteU8(flag), w.WriteU16(v2);
        w.WriteU32(1), str(w, name);
    };
    cDataWriter old;
    old.WriteU32(2), old.WriteI32(4), old.WriteI32(8), old.WriteU32(1), str(old, "S");
    old.WriteU32(1);
    move(old, 7, 0, 9, "M");
    old.WriteU32(2), frame(old, 5, 6, 7), frame(old, -1, 2, 3);

    cAnimeSetData set;
    set.nOffsetC = 12;  // not in the file: keeps its value
    cDataReader r(old.Bytes().data(), old.Size());
    nReadVersion = 118;
    set.Load(r);
    nReadVersion = DATA_VERSION;
    ASSERT_FALSE(r.Failed()) << r.FailReason();
    EXPECT_EQ(r.Remaining(), 0u);

    cDataWriter want;
    want.WriteU32(3), want.WriteI32(4), want.WriteI32(8), want.WriteI32(12), want.WriteU32(1), str(want, "S");
    want.WriteU32(4);
    move(want, 7, 0, 9, "M");
    want.WriteU32(2), frame(want, 5, 6, 7), frame(want, -1, 2, 3);
    for (const char* name : {"", "飛行", "飛行移動"}) {
        move(want, 0, 1, 0, name);  // a new entry: flag 1 and one new frame
        want.WriteU32(1), frame(want, 0, 1, 0);
    }
    cDataWriter saved;
    set.Save(saved);
    EXPECT_EQ(WrittenBytes(saved), WrittenBytes(want));
}

// An entry of version 54 stores its name alone; a field count above what the
// version stores is a failed load.
TEST_F(DbRecordsTest, AnimationEntryOfVersion54StoresItsNameAlone) {
    cDataWriter old;
    old.WriteU32(0), old.WriteU32(1), old.WriteU32(2), old.Write("N", 2), old.WriteU32(0);
    cAnimeSetMove m;
    m.wValue1 = 3;
    cDataReader r(old.Bytes().data(), old.Size());
    nReadVersion = 54;
    m.Load(r);
    EXPECT_FALSE(r.Failed()) << r.FailReason();
    EXPECT_EQ(m.strName, "N");
    EXPECT_EQ(m.wValue1, 3);
    EXPECT_EQ(m.byFlag, 1);
    EXPECT_TRUE(m.vFrame.empty());

    cDataWriter bad;
    bad.WriteU32(1), bad.WriteU16(1), bad.WriteU32(0), bad.WriteU32(0);
    cAnimeSetMove b;
    cDataReader rb(bad.Bytes().data(), bad.Size());
    b.Load(rb);
    nReadVersion = DATA_VERSION;
    EXPECT_TRUE(rb.Failed());
}
