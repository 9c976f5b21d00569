// A stage save checks each placed character's commands and each placed block
// as it writes them.
// Over many stages full of references out of range, that save must give the
// same bytes and leave the same stage as the checks of Validate run over the
// whole stage first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "records/data_stream.h"
#include "stage/definition_context.h"
#include "stage/flow_refs.h"
#include "stage/stage_data.h"
#include "stage/stage_fixture.h"

namespace {

class StageSaveCheckTest : public cStageTest {};

// Codes whose commands the database and palette checks look into, and a few others.
constexpr int CHARA_CODES[] = {CMD_WAIT,         CMD_SHOT,           CMD_SWORD,           CMD_SUMMON_BLOCK,
                               CMD_SUMMON_CHARA, CMD_SUMMON_ITEM,    CMD_GET_ITEM,        CMD_CHANGE_GRAPHIC,
                               CMD_CHANGE_ANIMESET, CMD_RUN_ANIME,   CMD_RUN_EFFECT,      CMD_CHARA_EFFECT,
                               CMD_SCR_EFFECT,   CMD_PICTURE,        CMD_PLAY_SE,         CMD_PLAY_BGM,
                               CMD_FLOW_OP,      CMD_JUMP};

struct cMaker {
    std::mt19937 rng;
    int Pick(int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); }

    cFlowCmd Cmd(int depth) {
        cFlowCmd c;
        if (Pick(4) == 0) {
            c.nNumbering = 1;
            c.nCode = static_cast<uint8_t>(Pick(ITEM_CMD_NUM));
        } else {
            c.nCode = static_cast<uint8_t>(CHARA_CODES[Pick(std::size(CHARA_CODES))]);
        }
        c.nSE = static_cast<int16_t>(Pick(12));
        c.nAnime = static_cast<int16_t>(Pick(12));
        c.nTime = static_cast<int16_t>(Pick(50));
        const int nParams = Pick(6);
        for (int k = 0; k < nParams; ++k) c.vParam.push_back(Pick(4) == 0 ? Pick(3) : Pick(12));
        if (Pick(2)) {
            cEdShot::Create(c.spShot);
            c.spShot->nItemKind = static_cast<uint8_t>(Pick(4));
            c.spShot->nItemIndex = static_cast<int16_t>(Pick(8));
            c.spShot->nSummonKind = static_cast<uint8_t>(Pick(4));
            c.spShot->nSummonIndex = static_cast<int16_t>(Pick(8));
            c.spShot->nMoveType = static_cast<uint8_t>(Pick(5));
            c.spShot->nEffect = static_cast<int16_t>(Pick(6));
        }
        if (depth < 2 && Pick(5) == 0) c.EditSubFlows().push_back(Flow(depth + 1));
        return c;
    }

    cFlow Flow(int depth) {
        cFlow f;
        // Some flows can never do anything: the checks remove them.
        if (Pick(4) == 0) return f;
        f.nTrigger = static_cast<uint8_t>(Pick(3));
        const int nCmds = Pick(5);
        for (int k = 0; k < nCmds; ++k) f.vCmd.push_back(Cmd(depth));
        return f;
    }

    cCharaData Chara() {
        cCharaData c;
        c.wGraphic = static_cast<uint16_t>(1 + Pick(3));
        c.nItem = -1;
        const int nFlows = Pick(5);
        for (int k = 0; k < nFlows; ++k) c.vFlow.push_back(Flow(0));
        return c;
    }

    void Fill(cStageData& s) {
        s.vBlock.resize(static_cast<size_t>(1 + Pick(4)));
        s.vItem.resize(static_cast<size_t>(1 + Pick(4)));
        s.vChara.resize(1);
        for (int k = Pick(3); k > 0; --k) s.vChara.push_back(Chara());
        for (int k = 1 + Pick(8); k > 0; --k) s.vPlacedChara.push_back(Chara());
        // Placed blocks with templates and items out of range, some without
        // a graphic, some with conditions.
        for (int k = Pick(8); k > 0; --k) {
            cBlockData b;
            b.wGraphic = static_cast<uint16_t>(Pick(3));
            b.byHitKind = static_cast<uint8_t>(Pick(3));
            b.bProtect = static_cast<uint8_t>(Pick(2));
            b.byTemplateKind = static_cast<uint8_t>(Pick(4));
            b.wTemplateIndex = static_cast<uint16_t>(Pick(8));
            b.byItemKind = static_cast<uint8_t>(Pick(4));
            b.wItemIndex = static_cast<uint16_t>(Pick(8));
            if (Pick(4) == 0) b.vCond.resize(1);
            s.vPlacedBlock.push_back(b);
        }
    }
};

std::vector<uint8_t> Saved(cStageData& s) {
    cDataWriter w;
    s.Save(w);
    return w.TakeBytes();
}

// The placed characters and blocks as they are now, written without any checks.
std::vector<uint8_t> PlacedAsTheyAre(cStageData& s) {
    const cCheckedSaveScope unchecked;
    cDataWriter w;
    for (cCharaData& c : s.vPlacedChara) c.Save(w);
    for (cBlockData& b : s.vPlacedBlock) b.Save(w);
    return w.TakeBytes();
}

TEST_F(StageSaveCheckTest, ChecksDuringTheSaveMatchValidateFirst) {
    for (int withDb = 0; withDb < 2; ++withDb) {
        if (withDb) {
            FLOWDBCOUNTS db;
            db.nAnime = 5;
            db.nAnimeSet = 3;
            db.nCharaBmp = 4;
            db.nEffect = 2;
            db.nCharaEffect = 1;
            db.nScrEffect = 6;
            db.nPicture = 3;
            db.nSE = 7;
            db.nBgm = 2;
            db.vSwordTime = {10, 0, 30};
            SetFlowDbCounts(db);
        }
        for (uint32_t seed = 0; seed < 300; ++seed) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << (withDb ? " with" : " without") << " the database");
            cMaker maker{std::mt19937(seed)};
            cStageData s;
            maker.Fill(s);
            cStageData reference(s);
            reference.Validate();
            const std::vector<uint8_t> expected = Saved(reference);
            EXPECT_EQ(Saved(s), expected);
            // The stage itself was checked as the reference was.
            EXPECT_EQ(PlacedAsTheyAre(s), PlacedAsTheyAre(reference));
        }
    }
}

// A stage saved while the common palette was larger loads with references
// beyond the smaller one: its placed characters' commands run their palette
// checks as they load (those copied from a template afterwards), and the
// loaded stage is so checked that Validate changes nothing more in it.
TEST_F(StageSaveCheckTest, LoadChecksMatchValidateAfterTheCommonPaletteShrank) {
    cSafeVector<cBlockData> commonBlocks(8);
    cSafeVector<cCharaData> commonCharas(8);
    cSafeVector<cItemData> commonItems(8);
    int nCopied = 0;
    for (uint32_t seed = 0; seed < 300; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        cMaker maker{std::mt19937(seed)};
        cStageData s;
        s.nWidth = 40;
        s.nHeight = 30;
        maker.Fill(s);
        // Some placed characters take their flows from a stage palette one.
        for (cCharaData& c : s.vPlacedChara)
            if (s.vChara.size() >= 2 && maker.Pick(3) == 0) {
                c.byTemplateKind = TEMPLATE_STAGE;
                c.wTemplateIndex = static_cast<uint16_t>(1 + maker.Pick(static_cast<int>(s.vChara.size()) - 1));
                c.vInherit.data()[36] = 1;
                ++nCopied;
            }
        SetCommonPalette({&commonBlocks, &commonCharas, &commonItems});
        const std::vector<uint8_t> bytes = Saved(s);
        SetCommonPalette(PALETTELISTS{});
        cDataReader r(bytes.data(), bytes.size());
        cStageData loaded;
        loaded.Load(r);
        ASSERT_FALSE(r.Failed()) << r.FailReason();
        cStageData again(loaded);
        again.Validate();
        EXPECT_EQ(PlacedAsTheyAre(loaded), PlacedAsTheyAre(again));
    }
    EXPECT_GT(nCopied, 50);
}

// A placed character's flows that can never do anything (which no stage save
// writes) are removed as it loads, before and after a flow that stays.
TEST_F(StageSaveCheckTest, IdleFlowsOfAPlacedCharacterAreRemovedOnLoad) {
    cStageData s;
    s.nWidth = 40;
    s.nHeight = 30;
    cMaker maker{std::mt19937(1)};
    cCharaData c = maker.Chara();
    cFlow kept;
    kept.nTrigger = 1;
    kept.vCmd.push_back(maker.Cmd(0));
    c.vFlow = {kept};
    s.vPlacedChara.push_back(c);
    std::vector<uint8_t> bytes = Saved(s);
    const cCheckedSaveScope unchecked;
    const auto charaBytes = [](cCharaData& x) {
        cDataWriter w;
        x.Save(w);
        return w.TakeBytes();
    };
    const std::vector<uint8_t> written = charaBytes(s.vPlacedChara[0]);
    cCharaData withIdle = s.vPlacedChara[0];
    withIdle.vFlow.insert(withIdle.vFlow.begin(), cFlow());
    withIdle.vFlow.push_back(cFlow());
    const std::vector<uint8_t> spliced = charaBytes(withIdle);
    const auto at = std::search(bytes.begin(), bytes.end(), written.begin(), written.end());
    ASSERT_NE(at, bytes.end());
    bytes.insert(bytes.erase(at, at + static_cast<std::ptrdiff_t>(written.size())), spliced.begin(), spliced.end());
    cDataReader r(bytes.data(), bytes.size());
    cStageData loaded;
    loaded.Load(r);
    ASSERT_FALSE(r.Failed()) << r.FailReason();
    ASSERT_EQ(loaded.vPlacedChara.size(), 1u);
    EXPECT_EQ(loaded.vPlacedChara[0].vFlow.size(), 1u);
    EXPECT_EQ(charaBytes(loaded.vPlacedChara[0]), written);
}

}  // namespace
