// The shot list's holes: erasing keeps the other shots' order and places, a
// walk reaches shots added on the way, closing the holes keeps the order and
// tells each shot its new place, and a removal after that finds its shot.
#include <vector>

#include "actors/shot.h"
#include "play/play_fixture.h"

namespace {

using ShotListTest = cPlayTest;

std::vector<int32_t> Ids(const SHOTLIST& list) {
    std::vector<int32_t> v;
    for (const auto& s : list) v.push_back(s->nId);
    return v;
}

TEST_F(ShotListTest, HolesKeepTheOrderAndClosingThemKeepsEachShotsPlace) {
    struct CASE {
        std::vector<int32_t> erase;  // ids erased, in this order
        std::vector<int32_t> left;   // ids listed after
    };
    const std::vector<CASE> cases = {
        {{}, {0, 1, 2, 3, 4, 5}},
        {{0}, {1, 2, 3, 4, 5}},
        {{5}, {0, 1, 2, 3, 4}},
        {{4, 5}, {0, 1, 2, 3}},
        {{5, 4, 3}, {0, 1, 2}},
        {{1, 3}, {0, 2, 4, 5}},
        {{2, 5, 4}, {0, 1, 3}},
        {{0, 1, 2, 3, 4, 5}, {}},
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        SHOTLIST& list = lpPlayScene->World.lstShots;
        list.clear();
        for (auto& b : lpPlayScene->World.vAttackBucket) b.Clear();
        std::vector<cShot*> shot;
        cShot proto;
        for (int32_t i = 0; i < 6; ++i) {
            proto.nId = i;
            proto.nKind3 = i % 2;
            shot.push_back(AddShot(list, proto, lpWorld));
        }
        for (int32_t id : cases[k].erase) {
            cShot* s = shot[static_cast<std::size_t>(id)];
            lpPlayScene->RemoveAttack(s, s->Side());
        }
        ASSERT_EQ(Ids(list), cases[k].left) << "case " << k;
        ASSERT_EQ(list.size(), cases[k].left.size());
        if (!list.empty()) {
            EXPECT_EQ(list.back()->nId, cases[k].left.back());
        }
        // A walk reaches a shot added on its way.
        std::vector<int32_t> walked;
        for (auto it = list.begin(); it != list.end(); ++it) {
            walked.push_back(it->nId);
            if (walked.size() == 1) {
                proto.nId = 9;
                AddShot(list, proto, lpWorld);
            }
        }
        std::vector<int32_t> want = cases[k].left;
        if (!want.empty()) want.push_back(9);
        EXPECT_EQ(walked, want) << "case " << k;
        if (want.empty()) {
            proto.nId = 9;
            AddShot(list, proto, lpWorld);
            want.push_back(9);
        }
        CompactShots(list);
        ASSERT_EQ(list.Places(), want.size());
        for (std::size_t i = 0; i < list.Places(); ++i) {
            EXPECT_EQ(list.At(i)->nId, want[i]);
            EXPECT_EQ(list.At(i)->place.nPlace, i);
        }
        // After the holes closed, each shot is still removed by its place.
        while (!list.empty()) {
            auto it = list.begin();
            for (std::size_t n = list.size() / 2; n > 0; --n) ++it;
            cShot* s = (*it).get();
            const int32_t id = s->nId;
            lpPlayScene->RemoveAttack(s, s->Side());
            std::erase(want, id);
            ASSERT_EQ(Ids(list), want) << "case " << k;
        }
        EXPECT_TRUE(lpPlayScene->World.vAttackBucket[0].IsEmpty());
        EXPECT_TRUE(lpPlayScene->World.vAttackBucket[1].IsEmpty());
    }
}

}  // namespace
