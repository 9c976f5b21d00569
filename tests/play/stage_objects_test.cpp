// Building the stage's objects: placed characters and items, summons of
// characters, items and blocks, and blocks meeting objects.
#include "play/stage_objects.h"

#include <ctime>

#include "play/play_fixture.h"
#include "world/live_limits.h"

namespace {

class StageObjectsTest : public cPlayTest {
protected:
    // A computer character placing byRepeat + 1 copies, nStep dots apart.
    static cCharaData Chara(uint8_t byRepeat, int16_t nStep) {
        cCharaData c;
        c.byRepeat = byRepeat;
        c.nOffsetXStep = nStep;
        c.bWholeCell = 1;
        return c;
    }
    static cBlockData Block(uint16_t graphic) {
        cBlockData b;
        b.wGraphic = graphic;
        b.byHitKind = 1;
        return b;
    }
    cBlockCell& Cell(int32_t col, int32_t row) {
        return BlockGrid[(row << lpPlayScene->World.ScrollX.nPitchShift) + col];
    }
};

TEST_F(StageObjectsTest, APlacedRecordMakesItsCopiesAndSkipsThoseOutsideTheGrid) {
    cObjectList<cStageChara> list;
    int32_t id = 5;
    CreateStageCharas(list, 3, 4, id, Chara(2, 32), nullptr);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(id, 8);
    double x = (3 + 10) * 32 + 0.5;
    int32_t n = 5;
    for (const cStageChara& c : list) {
        EXPECT_EQ(c.x, x);
        EXPECT_EQ(c.y, (4 + 10) * 32);
        EXPECT_EQ(c.nId, n++);
        EXPECT_EQ(c.nCloneIndex, n - 6);
        x += 32;
    }
    // The grid is 1280 dots wide: stage column 29 is its last cell, so the
    // later copies lie beyond it and take no id.
    list.clear();
    CreateStageCharas(list, 29, 0, id, Chara(2, 32), nullptr);
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(id, 9);
}

TEST_F(StageObjectsTest, ItemsOutsideTheGridAreNotAdded) {
    std::list<cItem> items;
    int32_t id = 0;
    cItemData rec;
    rec.nOffsetX = 4;
    CreateStageItem(items, 0, 0, id, rec);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items.front().x, 320 + 0.5 + 4);
    SUMMONSETTINGS s;
    s.bLifeTime = 1;
    s.nTime = 10;
    SummonItem(items, 400, 400, s, rec, id);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items.back().nLifeTime, 60);
    EXPECT_EQ(items.back().nId, 1);
    SummonItem(items, 1300, 400, s, rec, id);
    EXPECT_EQ(items.size(), 2u);
    EXPECT_EQ(id, 2);
}

TEST_F(StageObjectsTest, ASummonedCharacterTargetsItsSummonerAndJoinsItsSideBucket) {
    cChara summoner;
    SUMMONSETTINGS s;
    s.bNoScore = 1;
    cCharaData rec = Chara(0, 0);
    rec.nScore = 50;
    int32_t id = 0;
    cObjectList<cStageChara>& list = lpPlayScene->World.lstStageChara;
    ASSERT_EQ(SummonChara(list, 400, 400, s, rec, 1, 3, &summoner, id), 1);
    cStageChara& c = list.back();
    EXPECT_EQ(c.tg, &summoner);
    ASSERT_EQ(summoner.targetedBy.size(), 1u);
    EXPECT_EQ(summoner.targetedBy[0].nSlot, TARGET_SLOT_SUMMONER);
    EXPECT_EQ(c.Side(), 3);
    EXPECT_EQ(c.data.nScore, 0);
    EXPECT_EQ(c.nFacing, 1);
    EXPECT_TRUE(lpPlayScene->World.vCharaBucket[3].Contains(&c));
    // A character inside a solid block is taken back and takes no id.
    Cell(static_cast<int32_t>(c.x2) >> 5, static_cast<int32_t>(c.y2) >> 5) = Block(1);
    RebuildBlockHits();
    EXPECT_EQ(SummonChara(list, 400, 400, s, rec, 1, 3, &summoner, id), 0);
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(id, 1);
}

TEST_F(StageObjectsTest, AFullCharacterListRefusesASummonBeforeCopyingItsRecord) {
    cObjectList<cStageChara>& list = lpPlayScene->World.lstStageChara;
    while (list.size() < LIVE_CHARA_MAX) list.emplace_back();
    // A record whose flow holds 65,536 commands: copying it for each refused
    // summon took seconds of the game thread's time.
    cCharaData rec = Chara(0, 0);
    rec.vFlow.resize(1);
    rec.vFlow[0].vCmd.resize(65536);
    SUMMONSETTINGS s;
    int32_t id = 0;
    timespec t0{}, t1{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t0);
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(SummonChara(list, 400, 400, s, rec, 0, 1, nullptr, id), 0);
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t1);
    EXPECT_EQ(list.size(), LIVE_CHARA_MAX);
    EXPECT_EQ(id, 0);
    EXPECT_LT((t1.tv_sec - t0.tv_sec) + (t1.tv_nsec - t0.tv_nsec) * 1e-9, 0.1);
}

TEST_F(StageObjectsTest, SummonedBlocksPutEraseAndToggle) {
    PlayStage.vBlock.assign(1, Block(0));
    SUMMONSETTINGS s;
    SummonBlock(15.4, 0, Block(7), s);
    EXPECT_EQ(Cell(0, 0).wGraphic, 7);
    EXPECT_EQ(Cell(1, 0).wGraphic, 0);
    SummonBlock(15.5, 0, Block(8), s);
    EXPECT_EQ(Cell(1, 0).wGraphic, 8);
    s.nBlockMode = 1;
    SummonBlock(15.5, 0, Block(9), s);
    EXPECT_EQ(Cell(1, 0).wGraphic, 0);
    EXPECT_EQ(Cell(1, 0).byHitKind, 1);
    // Toggle: each cell once per command.
    s.nBlockMode = 2;
    SummonBlock(0, 40, Block(5), s);
    SummonBlock(0, 40, Block(5), s);
    EXPECT_EQ(Cell(0, 1).wGraphic, 5);
    lpPlayScene->World.vChangedCells.clear();
    SummonBlock(0, 40, Block(5), s);
    EXPECT_EQ(Cell(0, 1).wGraphic, 0);
    // A protected block stays; a cell beyond the row pitch is not touched.
    Cell(2, 0) = Block(3);
    Cell(2, 0).bProtect = 1;
    s.nBlockMode = 1;
    SummonBlock(64, 0, Block(0), s);
    EXPECT_EQ(Cell(2, 0).wGraphic, 3);
    SummonBlock(lpPlayScene->World.ScrollX.nPitch * 32.0, 0, Block(4), s);
    EXPECT_EQ(Cell(0, 1).wGraphic, 0);
}

TEST_F(StageObjectsTest, ABlockPutOnAProtectedCharacterIsTakenBack) {
    int32_t id = 0;
    CreateStageCharas(lpPlayScene->World.lstStageChara, 2, 2, id, Chara(0, 0), nullptr);
    cStageChara& c = lpPlayScene->World.lstStageChara.front();
    const int32_t col = 12, row = 12;  // grid cell of stage cell (2, 2)
    Cell(col, row) = Block(1);
    SUMMONSETTINGS s;
    s.bProtectChara = 1;
    SummonBlock(col * 32.0, row * 32.0, Block(6), s);
    EXPECT_EQ(Cell(col, row).wGraphic, 1);
    EXPECT_EQ(c.byBlockDeath, 2);
    s.bProtectChara = 0;
    c.byBlockDeath = 0;
    c.nKind3 = 4;
    cBlockData passable = Block(6);
    passable.byPassGroup = 4;
    SummonBlock(col * 32.0, row * 32.0, passable, s);
    EXPECT_EQ(Cell(col, row).wGraphic, 6);
    EXPECT_EQ(c.byBlockDeath, 0);
}

}  // namespace
