// Stage streams that would break play later are refused whole: the load
// fails, the record keeps what it held, and the report log names the reason.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>

#include "records/data_file.h"
#include "records/version.h"
#include "stage/flow_refs.h"
#include "stage/sample_stage.h"
#include "stage/stage_bytes.h"
#include "stage/stage_fixture.h"
#include "stage/stage_validate.h"
#include "support/record_services_spy.h"
#include "support/temp_dir.h"

namespace {

class StageRefuseTest : public cStageTest {
protected:

    // A sample stage changed by `edit`, saved, and loaded over a stage that
    // already holds the sample: the load must fail and change nothing.
    void ExpectRefused(const std::function<void(cStageData&)>& edit, const char* what) {
        cStageData s;
        BuildSampleStage(s);
        edit(s);
        std::vector<uint8_t> bytes = StageFile(s);
        cStageData target;
        BuildSampleStage(target);
        std::vector<uint8_t> before = StageFile(target);
        EXPECT_FALSE(LoadStageBytes(target, bytes)) << what;
        EXPECT_EQ(StageFile(target), before) << what;
        ASSERT_FALSE(spy.report.empty()) << what;
        EXPECT_NE(spy.report.back().find("stage stream refused"), std::string::npos);
    }
    cRecordServicesSpy spy;
};

TEST_F(StageRefuseTest, HitLevelWithoutStepsPerFrame) {
    ExpectRefused([](cStageData& s) { s.nHitLevel = 0; }, "level 0");
    ExpectRefused([](cStageData& s) { s.nHitLevel = -3; }, "negative level");
    ExpectRefused([](cStageData& s) { s.nHitLevel = 20; }, "level 20");
    ExpectRefused([](cStageData& s) { s.nHitLevel = 0x7FFFFFFF; }, "huge level");
}

TEST_F(StageRefuseTest, StageSizesOutsideThePlayableRange) {
    ExpectRefused([](cStageData& s) { s.nWidth = 0; }, "no width");
    ExpectRefused([](cStageData& s) { s.nHeight = 0; }, "no height");
    ExpectRefused([](cStageData& s) { s.nWidth = -40; }, "negative width");
    ExpectRefused([](cStageData& s) { s.nWidth = 10001; }, "wide");
    ExpectRefused([](cStageData& s) { s.nWidth = 5000, s.nHeight = 5000; }, "too many cells");
    // The scroll limits are fitted to the size before it is refused: no overflow at the extremes.
    ExpectRefused([](cStageData& s) { s.nWidth = INT32_MIN, s.nScrollLeft = s.nScrollRight = 5; }, "min width");
    ExpectRefused([](cStageData& s) { s.nHeight = INT32_MIN, s.nScrollTop = s.nScrollBottom = 5; }, "min height");
}

TEST_F(StageRefuseTest, PlacedObjectsOutsideTheStage) {
    ExpectRefused([](cStageData& s) { s.vPlacedBlock[3].wCellX = 40; }, "block right of the stage");
    ExpectRefused([](cStageData& s) { s.vPlacedChara[0].wCellY = 20; }, "hero below the stage");
    ExpectRefused([](cStageData& s) { s.vPlacedItem[1].wCellX = 0xFFFF; }, "item far away");
}

TEST_F(StageRefuseTest, OtherSettingsThatBreakPlay) {
    ExpectRefused([](cStageData& s) { s.nStepLevel = 6; }, "step level");
    ExpectRefused([](cStageData& s) { s.nStepLevel = -1; }, "negative step level");
    ExpectRefused([](cStageData& s) { s.nFps = 0; }, "no frames");
    ExpectRefused([](cStageData& s) { s.dGravity = std::nan(""); }, "gravity");
    ExpectRefused([](cStageData& s) { s.vBg[0].i = INFINITY; }, "layer offset");
}

TEST_F(StageRefuseTest, CommandsOutsideTheExecutorTables) {
    ExpectRefused([](cStageData& s) { s.vPlacedChara[1].vFlow[0].vCmd[0].nCode = 40; }, "character code 40");
    ExpectRefused([](cStageData& s) { s.vItem[1].vCmd[0].nCode = 25; }, "item code 25");
}

TEST_F(StageRefuseTest, EveryTruncationIsRefused) {
    cStageData s;
    BuildSampleStage(s);
    std::vector<uint8_t> bytes = StageFile(s);
    for (size_t len = 4; len < bytes.size(); len += (len < 2000 ? 1 : 97)) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(len));
        cStageData t;
        EXPECT_FALSE(LoadStageBytes(t, cut)) << "cut at " << len;
        EXPECT_EQ(t.nWidth, 0) << "cut at " << len;
        EXPECT_TRUE(t.vPlacedBlock.empty()) << "cut at " << len;
    }
}

TEST_F(StageRefuseTest, CountsTheFileCannotHoldAreRefusedBeforeAllocating) {
    cStageData s;
    s.nWidth = 20;
    s.nHeight = 15;
    std::vector<uint8_t> bytes = StageFile(s);
    // The ranking-switch count at 432, then the palette block count at 656.
    for (size_t at : {size_t(432), size_t(656), size_t(4)}) {
        std::vector<uint8_t> bad = bytes;
        bad[at] = bad[at + 1] = bad[at + 2] = bad[at + 3] = 0xFF;
        cStageData t;
        EXPECT_FALSE(LoadStageBytes(t, bad)) << at;
    }
}

TEST_F(StageRefuseTest, GarbageIsRefused) {
    std::vector<uint8_t> junk(3000);
    uint32_t x = 12345;
    for (auto& b : junk) {
        x = x * 1103515245u + 12345u;
        b = static_cast<uint8_t>(x >> 16);
    }
    junk[0] = 0x39, junk[1] = 0x03, junk[2] = 0, junk[3] = 0;
    cStageData t;
    EXPECT_FALSE(LoadStageBytes(t, junk));
}

TEST_F(StageRefuseTest, NewerFileIsRefusedWithTheOtherMessage) {
    cTempDir dir;
    cStageData s;
    BuildSampleStage(s);
    std::vector<uint8_t> bytes = StageFile(s);
    bytes[0] = 0x3A;  // 826
    ASSERT_TRUE(WriteFileAtomic(dir.File("new.stg4_826"), bytes));
    cStageData t;
    EXPECT_EQ(t.LoadFromFile(dir.File("new.stg4_826")), 0);
    EXPECT_EQ(bVersionTooNew, 1);
    bytes[0] = 0x39;
    ASSERT_TRUE(WriteFileAtomic(dir.File("ok.stg4_825"), bytes));
    EXPECT_EQ(t.LoadFromFile(dir.File("ok.stg4_825")), 1);
    EXPECT_EQ(t.vPlacedChara.size(), 4u);
    EXPECT_EQ(GetStageLoadErrorMes("a.stg4_825"), "ステージファイル a.stg4_825 の読み込みに失敗しました！");
}

}  // namespace
