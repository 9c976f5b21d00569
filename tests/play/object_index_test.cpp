// The indexes beside the object lists: the block characters in list order
// (kept by stage set-up, summons and removals, and walked by block-character
// collision) and the hit buckets' index from an object to its entry.
#include "play/block_chara_index.h"
#include "play/block_collision.h"
#include "play/stage_objects.h"
#include "world/hit_bucket.h"

#include <algorithm>
#include <list>
#include <utility>
#include <vector>

#include "actors/shot.h"
#include "play/play_fixture.h"

namespace {

class ObjectIndexTest : public cPlayTest {
protected:
    // A computer character at cell (col, row): a block character when bBlock.
    static cCharaData Placed(uint16_t col, uint16_t row, bool bBlock) {
        cCharaData c;
        c.byController = CONTROLLER_COMPUTER;
        c.bWholeCell = bBlock ? 1 : 0;
        c.wCellX = col;
        c.wCellY = row;
        c.nItem = -1;
        return c;
    }
    // The block characters of the list, in its order.
    static std::vector<cStageChara*> BlockCharasOfList(cPlayScene& scene) {
        std::vector<cStageChara*> v;
        for (cStageChara& c : scene.World.lstStageChara)
            if (c.byBlockChara) v.push_back(&c);
        return v;
    }
};

TEST_F(ObjectIndexTest, TheBlockCharactersAreKeptInListOrderThroughSetUpSummonsAndRemovals) {
    for (uint16_t i = 0; i < 6; ++i) PlayStage.vPlacedChara.push_back(Placed(3 + 2 * i, 5, i % 2 == 0));
    m_lpScene->SetStage(0, 1);
    cPlayScene& scene = *m_lpScene;
    ASSERT_EQ(scene.World.lstStageChara.size(), 6u);
    EXPECT_EQ(scene.BlockCharas.vChara, BlockCharasOfList(scene));
    EXPECT_EQ(scene.BlockCharas.vChara.size(), 3u);

    // A summoned block character joins at the end, an ordinary one not at all.
    SUMMONSETTINGS settings;
    EXPECT_EQ(SummonChara(scene.World.lstStageChara, 400, 160, settings, Placed(0, 0, true), 0, 1, nullptr,
                          scene.World.nNextObjectId), 1);
    EXPECT_EQ(SummonChara(scene.World.lstStageChara, 480, 160, settings, Placed(0, 0, false), 0, 1, nullptr,
                          scene.World.nNextObjectId), 1);
    EXPECT_EQ(scene.BlockCharas.vChara, BlockCharasOfList(scene));
    EXPECT_EQ(scene.BlockCharas.vChara.back(), &*std::prev(scene.World.lstStageChara.end(), 2));

    // Removed characters leave it: the first block character, then every other.
    auto first = std::find_if(scene.World.lstStageChara.begin(), scene.World.lstStageChara.end(),
                              [](const cStageChara& c) { return c.byBlockChara != 0; });
    scene.RemoveStageChara(first);
    EXPECT_EQ(scene.BlockCharas.vChara, BlockCharasOfList(scene));
    for (auto it = scene.World.lstStageChara.begin(); it != scene.World.lstStageChara.end();)
        it = it->byBlockChara ? std::next(it) : scene.RemoveStageChara(it);
    EXPECT_EQ(scene.BlockCharas.vChara, BlockCharasOfList(scene));
    EXPECT_EQ(scene.BlockCharas.vChara.size(), 3u);

    // A walker meets the summoned block character through the index.
    cStageChara& bc = *scene.BlockCharas.vChara.back();
    bc.bActive = 1;
    cStageChara walker;
    walker.nId = 999;
    walker.x = bc.x - 10, walker.x2 = walker.x + 19;
    walker.y = bc.y, walker.y2 = bc.y + 19;
    walker.nHitW = 20, walker.nHitH = 20;
    walker.SaveRect();
    EXPECT_EQ(HitBlockChara(walker, scene.BlockCharas), 0);
    EXPECT_DOUBLE_EQ(walker.x2, bc.x - 1.5);
    EXPECT_EQ(walker.bContactR, 1);

    // A new set-up starts the index again.
    m_lpScene->SetStage(0, 1);
    EXPECT_EQ(scene.BlockCharas.vChara, BlockCharasOfList(scene));
    EXPECT_EQ(scene.BlockCharas.vChara.size(), 3u);
}

// The objects of a bucket in order.
std::vector<cGameObject*> Objects(const cHitBucket& b) {
    std::vector<cGameObject*> v;
    for (cGameObject* o : b) v.push_back(o);
    return v;
}

TEST(HitBucketIndex, RemoveTakesTheFirstEntryAndKeepsTheOrderOfTheRest) {
    cShot a, b, c;
    cHitBucket bucket;
    for (cGameObject* o : std::vector<cGameObject*>{&a, &b, &a, &c, &a}) bucket.Add(o, HITKIND_ATTACK);
    EXPECT_TRUE(bucket.Remove(&a));
    EXPECT_EQ(Objects(bucket), (std::vector<cGameObject*>{&b, &a, &c, &a}));
    // A copy answers for its own entries.
    cHitBucket copy = bucket;
    EXPECT_TRUE(bucket.Remove(&a));
    EXPECT_TRUE(bucket.Remove(&b));
    EXPECT_EQ(Objects(bucket), (std::vector<cGameObject*>{&c, &a}));
    EXPECT_TRUE(bucket.Contains(&a));
    EXPECT_TRUE(bucket.Remove(&a));
    EXPECT_FALSE(bucket.Contains(&a));
    EXPECT_FALSE(bucket.Remove(&a));
    EXPECT_FALSE(bucket.Remove(&b));
    EXPECT_EQ(Objects(bucket), (std::vector<cGameObject*>{&c}));
    EXPECT_TRUE(copy.Remove(&c));
    EXPECT_EQ(Objects(copy), (std::vector<cGameObject*>{&b, &a, &a}));
    // Closing the holes keeps the order, and the index still finds the entries.
    copy.Compact();
    EXPECT_EQ(copy.Slots(), 3u);
    EXPECT_TRUE(copy.Remove(&a));
    EXPECT_EQ(Objects(copy), (std::vector<cGameObject*>{&b, &a}));
    copy.Clear();
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_FALSE(copy.Contains(&b));
}

TEST(HitBucketIndex, ManyAdditionsAndRemovalsMatchAListWithItsKinds) {
    // The bucket against a list of (object, kind) under random additions,
    // removals (the first entry naming the object) and compactions.
    std::vector<cShot> objs(40);
    cHitBucket bucket;
    std::list<std::pair<cGameObject*, int>> model;
    uint32_t seed = 12345;
    const auto rnd = [&](uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    for (int step = 0; step < 20000; ++step) {
        cGameObject* o = &objs[rnd(objs.size())];
        const uint32_t op = rnd(10);
        if (op < 5) {
            const auto kind = static_cast<eHitKind>(rnd(4));
            bucket.Add(o, kind);
            model.emplace_back(o, kind);
        } else if (op < 9) {
            const auto it = std::find_if(model.begin(), model.end(), [&](const auto& e) { return e.first == o; });
            EXPECT_EQ(bucket.Remove(o), it != model.end());
            if (it != model.end()) model.erase(it);
        } else {
            bucket.Compact();
        }
        EXPECT_EQ(bucket.Contains(o), std::any_of(model.begin(), model.end(), [&](const auto& e) { return e.first == o; }));
        ASSERT_EQ(bucket.Size(), model.size());
    }
    auto it = model.begin();
    for (std::size_t i = bucket.First(); i != cHitBucket::npos; i = bucket.NextAfter(i), ++it) {
        ASSERT_NE(it, model.end());
        EXPECT_EQ(bucket.At(i).lpObj, it->first);
        EXPECT_EQ(static_cast<int>(bucket.At(i).nKind), it->second);
    }
    EXPECT_EQ(it, model.end());
}

TEST(HitBucketIndex, AWalkReachesObjectsAddedOnTheWayAndSkipsThoseTakenOut) {
    cShot a, b, c, d;
    cHitBucket bucket;
    for (cGameObject* o : {&a, &b, &c}) bucket.Add(o, HITKIND_ATTACK);
    std::vector<cGameObject*> seen;
    for (cGameObject* o : bucket) {
        seen.push_back(o);
        if (o == &a) bucket.Remove(&b);
        if (o == &c) bucket.Add(&d, HITKIND_ATTACK);
    }
    EXPECT_EQ(seen, (std::vector<cGameObject*>{&a, &c, &d}));
    EXPECT_EQ(bucket.Slots(), 4u);
    bucket.Compact();
    EXPECT_EQ(Objects(bucket), (std::vector<cGameObject*>{&a, &c, &d}));
    EXPECT_EQ(bucket.Slots(), 3u);
}

}  // namespace
