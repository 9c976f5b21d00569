// A stage's load clamps a command's value wherever the command lies: in a
// palette character's flow, a placed character's, a sub-flow of a command, an
// item's commands, or flows and commands a placed object takes from a common
// palette entry (which no stage load clamps).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "stage/code_table.h"
#include "stage/definition_context.h"
#include "stage/sample_stage.h"
#include "stage/stage_bytes.h"
#include "stage/stage_clamp.h"
#include "stage/stage_fixture.h"
#include "support/record_services_spy.h"

namespace {

constexpr int32_t HOSTILE_WAIT = 715827883;
const char* const REPORT = "stage value out of range: game wait time 715827883 set to 3600000";

// A game wait of `wait` tenths.
cFlowCmd GameWait(int32_t wait, bool bItem = false) {
    cFlowCmd c = SampleCmd(bItem ? CMD_GAME_WAIT - ITEM_CMD_OFFSET : CMD_GAME_WAIT, 0);
    c.nNumbering = bItem ? CMDNUMBERING_ITEM : CMDNUMBERING_CHARA;
    c.vParam.assign(1, wait);
    return c;
}

cFlow FlowOf(const cFlowCmd& c) {
    cFlow f;
    f.nTrigger = 1;
    f.vCmd.push_back(c);
    return f;
}

class StageClampTest : public cStageTest {
protected:
    cRecordServicesSpy spy;
};

TEST_F(StageClampTest, ACommandValueIsClampedWhereverTheCommandLies) {
    // The common palette: a character whose flow and an item whose command
    // wait too long.
    cSafeVector<cCharaData> commonChara(2);
    commonChara[1].vFlow.push_back(FlowOf(GameWait(HOSTILE_WAIT)));
    cSafeVector<cItemData> commonItem(2);
    commonItem[1].vCmd.push_back(GameWait(HOSTILE_WAIT, true));
    SetCommonPalette({nullptr, &commonChara, &commonItem});

    struct ROW {
        const char* name;
        std::function<void(cStageData&)> put;  // places the long wait in the stage
        std::function<int32_t(cStageData&)> get;  // the wait as loaded
    };
    auto enemy = [](cStageData& s) -> cCharaData& { return s.vPlacedChara[1]; };
    const ROW rows[] = {
        {"palette character's flow",
         [](cStageData& s) { s.vChara[1].vFlow.push_back(FlowOf(GameWait(HOSTILE_WAIT))); },
         [](cStageData& s) { return s.vChara[1].vFlow.back().vCmd[0].vParam[0]; }},
        {"placed character's flow",
         [&](cStageData& s) { enemy(s).vFlow.push_back(FlowOf(GameWait(HOSTILE_WAIT))); },
         [&](cStageData& s) { return enemy(s).vFlow.back().vCmd[0].vParam[0]; }},
        {"sub-flow of a command",
         [&](cStageData& s) {
             cFlowCmd loop = SampleCmd(CMD_LOOP, 0);
             loop.EditSubFlows().push_back(FlowOf(GameWait(HOSTILE_WAIT)));
             enemy(s).vFlow.push_back(FlowOf(loop));
         },
         [&](cStageData& s) { return enemy(s).vFlow.back().vCmd[0].SubFlows()[0].vCmd[0].vParam[0]; }},
        {"placed item's command", [](cStageData& s) { s.vPlacedItem[1].vCmd.push_back(GameWait(HOSTILE_WAIT, true)); },
         [](cStageData& s) { return s.vPlacedItem[1].vCmd.back().vParam[0]; }},
        {"flows from a common palette character",
         [&](cStageData& s) {
             enemy(s).byTemplateKind = TEMPLATE_COMMON;
             enemy(s).wTemplateIndex = 1;
             enemy(s).vInherit[36] = 1;
         },
         [&](cStageData& s) { return enemy(s).vFlow[0].vCmd[0].vParam[0]; }},
        {"commands from a common palette item",
         [](cStageData& s) {
             s.vPlacedItem[1].byTemplateKind = TEMPLATE_COMMON;
             s.vPlacedItem[1].wTemplateIndex = 1;
             s.vPlacedItem[1].vInherit[12] = 1;
         },
         [](cStageData& s) { return s.vPlacedItem[1].vCmd[0].vParam[0]; }},
    };
    for (const ROW& r : rows) {
        cStageData s;
        BuildSampleStage(s);
        r.put(s);
        const std::vector<uint8_t> bytes = StageFile(s);
        spy.report.clear();
        cStageData loaded;
        ASSERT_TRUE(LoadStageBytes(loaded, bytes)) << r.name;
        EXPECT_EQ(r.get(loaded), CMD_TENTHS_LIMIT) << r.name;
        EXPECT_EQ(std::count(spy.report.begin(), spy.report.end(), REPORT), 1) << r.name;
    }
    // The same stage with every wait in range reports nothing.
    cStageData s;
    BuildSampleStage(s);
    s.vPlacedChara[1].vFlow.push_back(FlowOf(GameWait(CMD_TENTHS_LIMIT)));
    spy.report.clear();
    cStageData loaded;
    ASSERT_TRUE(LoadStageBytes(loaded, StageFile(s)));
    for (const std::string& line : spy.report) EXPECT_EQ(line.find("out of range"), std::string::npos) << line;
}

}  // namespace
