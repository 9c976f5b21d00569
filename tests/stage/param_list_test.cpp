// A command's parameter list keeps a few values inside itself and more on the
// heap; either way it holds, copies, moves, grows and round-trips its values
// as a vector would, and reports a bad index as the checked vectors do.
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "records/data_stream.h"
#include "records/version.h"
#include "stage/code_table.h"
#include "stage/flow_cmd.h"
#include "stage/param_list.h"
#include "stage/stage_fixture.h"
#include "support/record_services_spy.h"

namespace {

class ParamListTest : public cStageTest {};

std::vector<int32_t> Values(const cParamList& p) { return {p.begin(), p.end()}; }

std::vector<int32_t> Counting(size_t n) {
    std::vector<int32_t> v(n);
    std::iota(v.begin(), v.end(), 100);
    return v;
}

TEST_F(ParamListTest, ValuesStayWhereverTheyLie) {
    // Sizes around the boundary between the values inside the list and on the heap.
    constexpr size_t INSIDE = cParamList::INLINE_NUM;
    for (size_t n : {size_t{0}, size_t{1}, INSIDE, INSIDE + 1, size_t{18}}) {
        const std::vector<int32_t> want = Counting(n);
        cParamList p;
        p.assign(want.begin(), want.end());
        EXPECT_EQ(Values(p), want) << n;
        cParamList copy(p);
        EXPECT_EQ(Values(copy), want) << n;
        EXPECT_TRUE(copy == p) << n;
        copy.push_back(7);
        EXPECT_FALSE(copy == p) << n;
        cParamList moved(std::move(copy));
        std::vector<int32_t> longer = want;
        longer.push_back(7);
        EXPECT_EQ(Values(moved), longer) << n;
        EXPECT_TRUE(copy.empty()) << n;
        // Assigned over a list that held values of the other kind.
        cParamList over = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        over = p;
        EXPECT_EQ(Values(over), want) << n;
        over = cParamList{1};
        EXPECT_EQ(Values(over), std::vector<int32_t>{1}) << n;
        // Growing keeps what was there and fills with the value given.
        cParamList grown(p);
        grown.resize(n + 10, -1);
        std::vector<int32_t> grownWant = want;
        grownWant.resize(n + 10, -1);
        EXPECT_EQ(Values(grown), grownWant) << n;
        grown.resize(n);
        EXPECT_EQ(Values(grown), want) << n;
        grown.assign(3, 9);
        EXPECT_EQ(Values(grown), (std::vector<int32_t>{9, 9, 9})) << n;
    }
}

TEST_F(ParamListTest, ACommandRoundTripsFewAndManyParameters) {
    nReadVersion = nDataVersion;
    for (uint8_t code : {uint8_t{CMD_FACING}, uint8_t{CMD_JUMP}, uint8_t{CMD_MESSAGE}}) {
        cFlowCmd c;
        c.nCode = code;
        const std::vector<int32_t> want = Counting(static_cast<size_t>(GetCmdTableRow(0, code)->nParamNum));
        c.vParam.assign(want.begin(), want.end());
        cDataWriter w;
        c.Save(w);
        cDataReader r(w.Bytes().data(), w.Size());
        cFlowCmd back;
        back.Load(r);
        ASSERT_FALSE(r.Failed()) << int{code};
        EXPECT_EQ(Values(back.vParam), want) << int{code};
        const cFlowCmd copy = back;
        EXPECT_EQ(Values(copy.vParam), want) << int{code};
    }
}

TEST_F(ParamListTest, BadIndexIsReportedAndGivesElementZero) {
    cRecordServicesSpy spy;
    cParamList p = {10, 20, 30};
    EXPECT_EQ(p[3], 10);
    cParamList none;
    none[0] = 5;  // the fallback element takes what is written
    EXPECT_EQ(spy.ec, (std::vector<std::string>{"err V[3] ( 3 , 4 )", "err V[0] ( 0 , 4 )"}));
    EXPECT_EQ(spy.closes, 2);
}

}  // namespace
