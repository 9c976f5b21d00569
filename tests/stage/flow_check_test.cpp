// Checks of flows and commands: structural refusals on load, truncated and
// garbage streams, and the validations of database and palette references.
#include <gtest/gtest.h>

#include <random>
#include <span>

#include "stage/code_table.h"
#include "stage/flow_fixture.h"

namespace {

using FlowCheckTest = FlowTest;

template <class T>
bool LoadBytes(T& rec, std::span<const uint8_t> b, std::string* why = nullptr) {
    cDataReader r(b.data(), b.size());
    rec.Load(r);
    if (why) *why = r.FailReason();
    return !r.Failed();
}

// Saves a command without the save-time validation (as a damaged file would
// hold it): the generic stream, three empty flags, no sub-flows, the parameters.
std::vector<uint8_t> RawCmd(cFlowCmd& c) {
    cDataWriter w;
    c.cRecord::Save(w);
    for (int i = 0; i < 3; ++i) w.WriteI32(0);
    w.WriteU32(0);
    w.WriteU32(static_cast<uint32_t>(c.vParam.size()));
    for (int32_t p : c.vParam) w.WriteI32(p);
    return w.TakeBytes();
}

TEST_F(FlowCheckTest, CommandCodeOutsideTheExecutorTablesIsRefused) {
    for (auto [numbering, code, ok] : {std::tuple{0, 39, true}, {0, 40, false}, {0, 255, false}, {1, 24, true},
                                       {1, 25, false}, {2, 25, false}}) {
        cFlowCmd c = MakeCmd(numbering, code);
        cFlowCmd d;
        std::string why;
        EXPECT_EQ(LoadBytes(d, RawCmd(c), &why), ok) << numbering << "/" << code;
        if (!ok) {
            EXPECT_NE(why.find("outside"), std::string::npos);
        }
    }
}

TEST_F(FlowCheckTest, NegativeListIndicesAreRefused) {
    auto refused = [](cFlowCmd c) {
        cFlowCmd d;
        return !LoadBytes(d, RawCmd(c));
    };
    cFlowCmd se = MakeCmd(0, CMD_WAIT);
    se.nSE = -1;
    EXPECT_TRUE(refused(se));
    cFlowCmd anime = MakeCmd(0, CMD_WAIT);
    anime.nAnime = -3;
    EXPECT_TRUE(refused(anime));
    EXPECT_TRUE(refused(MakeCmd(0, CMD_PLAY_SE, {-1})));
    EXPECT_TRUE(refused(MakeCmd(1, 13, {-1})));  // item アニメの実行
    EXPECT_TRUE(refused(MakeCmd(0, CMD_GET_ITEM, {0, -2})));
    EXPECT_TRUE(refused(MakeCmd(0, CMD_CHANGE_GRAPHIC, {4, -2, 0})));
    EXPECT_FALSE(refused(MakeCmd(0, CMD_CHANGE_GRAPHIC, {3, -2, 0})));  // not an index then
    EXPECT_FALSE(refused(MakeCmd(0, CMD_STATUS_OP2, {-1, -1, -1, -1, -1})));
}

TEST_F(FlowCheckTest, NegativeShotIndicesAreRefused) {
    for (int which = 0; which < 3; ++which) {
        cFlowCmd c = MakeCmd(0, CMD_SHOT);
        cEdShot::Create(c.spShot);
        (which == 0 ? c.spShot->nEffect : which == 1 ? c.spShot->nItemIndex : c.spShot->nSummonIndex) = -1;
        cDataWriter w;
        c.cRecord::Save(w);
        w.WriteI32(0);
        w.WriteI32(1);
        c.spShot->cRecord::Save(w);
        w.WriteI32(0);
        w.WriteU32(0);
        w.WriteU32(0);
        cFlowCmd d;
        EXPECT_FALSE(LoadBytes(d, w.Bytes())) << which;
    }
}

TEST_F(FlowCheckTest, ShotFormationAndMovementOutsideTheirTablesAreRefused) {
    auto loads = [](int code, int formation, int move) {
        cFlowCmd c = MakeCmd(0, code);
        cEdShot::Create(c.spShot);
        c.spShot->nFormation = static_cast<uint8_t>(formation);
        c.spShot->nMoveType = static_cast<uint8_t>(move);
        auto b = SaveBytes(c);
        cFlowCmd d;
        return LoadBytes(d, b);
    };
    EXPECT_TRUE(loads(CMD_SHOT, 5, 9));
    EXPECT_FALSE(loads(CMD_SHOT, 6, 0));
    EXPECT_FALSE(loads(CMD_SHOT, 0, 10));
    EXPECT_FALSE(loads(CMD_SUMMON_ITEM, 6, 0));
    EXPECT_TRUE(loads(CMD_SUMMON_ITEM, 0, 10));  // summons have no movement
    EXPECT_TRUE(loads(CMD_SWORD, 9, 30));        // a sword's movement byte is its sword type
}

TEST_F(FlowCheckTest, FlowTriggerGroupAndSlotOutsideTheirTablesAreRefused) {
    auto loads = [](cFlow f) {
        auto b = SaveBytes(f);
        cFlow g;
        return LoadBytes(g, b);
    };
    cFlow f;
    f.nTrigger = 22;
    f.nGroup = 26;
    f.nPartnerSlot = 3;
    EXPECT_TRUE(loads(f));
    cFlow t = f;
    t.nTrigger = 23;
    EXPECT_FALSE(loads(t));
    cFlow g = f;
    g.nGroup = 27;
    EXPECT_FALSE(loads(g));
    cFlow s = f;
    s.nPartnerSlot = 4;
    EXPECT_FALSE(loads(s));
}

// A flow whose first command carries a flow, `depth` flows in all.
cFlow NestedFlow(int depth) {
    cFlow f;
    if (depth > 1) {
        cFlowCmd c = MakeCmd(1, 1, {0, 0});
        c.EditSubFlows().push_back(NestedFlow(depth - 1));
        f.vCmd.push_back(c);
    }
    return f;
}

TEST_F(FlowCheckTest, NestingBeyondTheLimitIsRefused) {
    cFlow ok = NestedFlow(MAX_FLOW_NESTING);
    std::string why;
    EXPECT_TRUE(ok.CheckStructure(why));
    auto b = SaveBytes(ok);
    cFlow g;
    EXPECT_TRUE(LoadBytes(g, b));

    cFlow deep = NestedFlow(MAX_FLOW_NESTING + 1);
    EXPECT_FALSE(deep.CheckStructure(why));
    auto d = SaveBytes(deep);
    cFlow h;
    EXPECT_FALSE(LoadBytes(h, d, &why));
    EXPECT_NE(why.find("nested"), std::string::npos);
    // A later load on the same thread starts from depth 0 again.
    cFlow again;
    EXPECT_TRUE(LoadBytes(again, b));
}

TEST_F(FlowCheckTest, EveryTruncationOfAFlowIsRefused) {
    cFlow f = MakeSampleFlow();
    const auto b = SaveBytes(f);
    for (size_t n = 0; n < b.size(); ++n) {
        std::vector<uint8_t> cut(b.begin(), b.begin() + static_cast<long>(n));
        cFlow g;
        EXPECT_FALSE(LoadBytes(g, cut)) << "cut at " << n;
    }
}

TEST_F(FlowCheckTest, HugeCountsAreRefusedWithoutAllocating) {
    cFlow f;
    auto b = SaveBytes(f);
    // The command count is the last word: claim four billion commands.
    for (int i = 1; i <= 4; ++i) b[b.size() - static_cast<size_t>(i)] = 0xFF;
    cFlow g;
    EXPECT_FALSE(LoadBytes(g, b));
    EXPECT_TRUE(g.vCmd.empty());

    cFlowCmd c = MakeCmd(0, CMD_WAIT);
    auto cb = SaveBytes(c);
    for (int i = 1; i <= 4; ++i) cb[cb.size() - static_cast<size_t>(i)] = 0x7F;  // parameter count
    cFlowCmd d;
    EXPECT_FALSE(LoadBytes(d, cb));
}

TEST_F(FlowCheckTest, GarbageAndMutatedStreamsNeverCrash) {
    cFlow f = MakeSampleFlow();
    const auto good = SaveBytes(f);
    std::mt19937 rng(825);
    int refused = 0;
    for (int i = 0; i < 3000; ++i) {
        std::vector<uint8_t> b = good;
        const int flips = 1 + static_cast<int>(rng() % 8);
        for (int k = 0; k < flips; ++k) b[rng() % b.size()] = static_cast<uint8_t>(rng());
        cFlow g;
        if (!LoadBytes(g, b)) ++refused;
    }
    EXPECT_GT(refused, 0);
    for (int i = 0; i < 500; ++i) {
        std::vector<uint8_t> b(rng() % 256);
        for (auto& x : b) x = static_cast<uint8_t>(rng() % 4 == 0 ? rng() : rng() % 3);
        cFlow g;
        LoadBytes(g, b);
    }
}

TEST_F(FlowCheckTest, DatabaseValidationBringsIndicesIntoRange) {
    FLOWDBCOUNTS db;
    db.nAnime = 5;
    db.nSE = 10;
    db.nEffect = 3;
    db.nCharaEffect = 1;
    db.nPicture = 2;
    db.nAnimeSet = 4;
    db.nCharaBmp = 6;
    db.nBgm = 8;
    db.vSwordTime = {0, 25, 20000};
    SetFlowDbCounts(db);

    cFlowCmd c = MakeCmd(0, CMD_RUN_EFFECT, {3, 1});
    c.nSE = 10;
    c.nAnime = 5;
    c.CheckDbIndex();
    EXPECT_EQ(c.nSE, 0);
    EXPECT_EQ(c.nAnime, 0);
    EXPECT_EQ(c.vParam.size(), 8u);  // the table's count
    EXPECT_EQ(c.vParam[0], 1);       // an effect beyond the list becomes 1
    EXPECT_EQ(c.vParam[1], 1);

    cFlowCmd ce = MakeCmd(1, 15, {1, 0, 0});  // item キャラエフェクトの実行, a list of one entry
    ce.CheckDbIndex();
    EXPECT_EQ(ce.vParam[0], 0);  // 1 would be out of range too

    cFlowCmd set = MakeCmd(0, CMD_CHANGE_ANIMESET, {4});
    set.CheckDbIndex();
    EXPECT_EQ(set.vParam[0], 0);

    cFlowCmd gr = MakeCmd(0, CMD_CHANGE_GRAPHIC, {4, 6, 0});
    gr.CheckDbIndex();
    EXPECT_EQ(gr.vParam[1], 1);
    cFlowCmd gr2 = MakeCmd(0, CMD_CHANGE_GRAPHIC, {3, 60, 0});
    gr2.CheckDbIndex();
    EXPECT_EQ(gr2.vParam[1], 60);

    cFlowCmd sword = MakeCmd(0, CMD_SWORD);
    cEdShot::Create(sword.spShot);
    sword.spShot->nMoveType = 1;
    sword.CheckDbIndex();
    EXPECT_EQ(sword.nTime, 25);
    sword.spShot->nMoveType = 2;
    sword.CheckDbIndex();
    EXPECT_EQ(sword.nTime, 9999);
    sword.spShot->nMoveType = 3;
    sword.CheckDbIndex();
    EXPECT_EQ(sword.spShot->nMoveType, 0);
    EXPECT_EQ(sword.nTime, 0);

    // Sub-flows are validated too, and so is a loaded command.
    cFlowCmd carrier = MakeCmd(1, 1, {0, 0, 9});
    carrier.EditSubFlows().resize(1);
    carrier.EditSubFlows()[0].vCmd.push_back(MakeCmd(0, CMD_PLAY_BGM, {8, 0}));
    cDataWriter w;
    carrier.cRecord::Save(w);
    for (int i = 0; i < 3; ++i) w.WriteI32(0);
    SaveFlowList(w, carrier.EditSubFlows());
    w.WriteU32(3);
    for (int32_t p : {0, 0, 9}) w.WriteI32(p);
    cFlowCmd loaded;
    ASSERT_TRUE(LoadBytes(loaded, w.Bytes()));
    EXPECT_EQ(loaded.vParam.size(), 2u);
    EXPECT_EQ(loaded.SubFlows()[0].vCmd[0].vParam[0], 1);
}

TEST_F(FlowCheckTest, WithoutDatabaseSizesOnlyParameterCountsAreImposed) {
    cFlowCmd c = MakeCmd(0, CMD_PLAY_SE, {500, 7});
    c.nSE = 300;
    c.CheckDbIndex();
    EXPECT_EQ(c.nSE, 300);
    ASSERT_EQ(c.vParam.size(), 1u);
    EXPECT_EQ(c.vParam[0], 500);
    cFlowCmd z = MakeCmd(0, CMD_NONE, {1, 2});
    z.CheckDbIndex();
    EXPECT_TRUE(z.vParam.empty());
}

TEST_F(FlowCheckTest, PaletteValidation) {
    FLOWPALETTESIZES sizes;
    sizes.nBlock[0] = 5;
    sizes.nBlock[1] = 1;
    sizes.nChara[0] = 3;
    sizes.nChara[1] = 4;
    sizes.nItem[0] = 2;
    sizes.nItem[1] = 6;

    cFlowCmd shot = MakeCmd(0, CMD_SHOT);
    cEdShot::Create(shot.spShot);
    shot.spShot->nItemKind = 1;
    shot.spShot->nItemIndex = 2;
    shot.CheckPaletteIndex(sizes);
    EXPECT_EQ(shot.spShot->nItemKind, 0);
    EXPECT_EQ(shot.spShot->nItemIndex, 0);
    shot.spShot->nItemKind = 2;
    shot.spShot->nItemIndex = 5;
    shot.CheckPaletteIndex(sizes);
    EXPECT_EQ(shot.spShot->nItemKind, 2);
    EXPECT_EQ(shot.spShot->nItemIndex, 5);

    cFlowCmd chara = MakeCmd(0, CMD_SUMMON_CHARA);
    cEdShot::Create(chara.spShot);
    chara.spShot->nSummonKind = 1;
    chara.spShot->nSummonIndex = 4;
    chara.CheckPaletteIndex(sizes);
    EXPECT_EQ(chara.spShot->nSummonIndex, 1);

    cFlowCmd block = MakeCmd(0, CMD_SUMMON_BLOCK);
    cEdShot::Create(block.spShot);
    block.spShot->nSummonKind = 1;
    block.spShot->nSummonIndex = 3;
    block.CheckPaletteIndex(sizes);
    EXPECT_EQ(block.spShot->nSummonIndex, 0);  // a list of one entry: 1 is out of range too

    cFlowCmd take = MakeCmd(1, 10, {0, 2});  // item アイテムの取得
    cFlowCmd carrier = MakeCmd(1, 1, {0, 0});
    carrier.EditSubFlows().resize(1);
    carrier.EditSubFlows()[0].vCmd.push_back(take);
    carrier.CheckPaletteIndex(sizes);
    EXPECT_EQ(carrier.SubFlows()[0].vCmd[0].vParam[1], 1);
    cFlowCmd take2 = MakeCmd(0, CMD_GET_ITEM, {1, 5});
    take2.CheckPaletteIndex(sizes);
    EXPECT_EQ(take2.vParam[1], 5);
}

}  // namespace
