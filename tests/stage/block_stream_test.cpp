// A block's stream at the current version, against byte images written out
// field by field: blocks with and without conditions, with no, fewer, the
// usual and more inheritance flags (inside the list and on the heap), with
// texts of every kind; every cut of a stream fails the load.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "records/version.h"
#include "stage/block_data.h"
#include "stage/stage_fixture.h"

namespace {

void Put(std::vector<uint8_t>& out, const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    out.insert(out.end(), b, b + n);
}
template <class T>
void PutValue(std::vector<uint8_t>& out, T v) {
    Put(out, &v, sizeof v);
}

// The stream of b as its fields say it is stored.
std::vector<uint8_t> Image(const cBlockData& b) {
    std::vector<uint8_t> out;
    PutValue<uint32_t>(out, 18);
    PutValue(out, b.byTemplateKind);
    PutValue(out, b.wTemplateIndex);
    PutValue(out, b.byCondMode);
    PutValue(out, b.byCondLatch);
    PutValue(out, b.wGraphic);
    PutValue(out, b.byGraphicKind);
    PutValue(out, b.wGraphicSub);
    PutValue(out, b.byLayer);
    PutValue(out, b.bHidden);
    PutValue(out, b.bMark);
    PutValue(out, b.wMark);
    PutValue(out, b.byHitKind);
    PutValue(out, b.byPassGroup);
    PutValue(out, b.byEffect);
    PutValue(out, b.nEffectX);
    PutValue(out, b.byItemKind);
    PutValue(out, b.wItemIndex);
    PutValue(out, b.bProtect);
    PutValue<uint32_t>(out, 1);
    PutValue(out, static_cast<uint32_t>(b.strName.size() + 1));
    if (!b.strName.empty()) Put(out, b.strName.c_str(), b.strName.size() + 1);
    PutValue(out, b.wCellX);
    PutValue(out, b.wCellY);
    PutValue(out, static_cast<uint32_t>(b.vInherit.size()));
    Put(out, b.vInherit.data(), b.vInherit.size());
    PutValue(out, static_cast<uint32_t>(b.vCond.size()));
    for (const cEdCond& c : b.vCond) {
        cEdCond copy = c;
        cDataWriter w;
        copy.Save(w);
        Put(out, w.Bytes().data(), w.Size());
    }
    return out;
}

std::vector<cBlockData> Cases() {
    cBlockData base;
    base.wGraphicSub = 0x1234, base.wMark = 0xBEEF, base.byPassGroup = 7;
    base.nEffectX = -123456, base.bProtect = 1, base.wCellY = 0x0102;
    std::vector<cBlockData> cases;
    for (size_t flags : {size_t{0}, size_t{3}, size_t{11}, size_t{12}, size_t{45}}) {
        for (int conds = 0; conds < 3; ++conds) {
            for (const char* name : {"", "a wall", "a name long enough to lie outside the string"}) {
                cBlockData b = base;
                b.wGraphic = static_cast<uint16_t>(3 + flags);
                b.wCellX = static_cast<uint16_t>(17 + conds);
                b.strName = name;
                b.vInherit.assign(flags, 1);
                b.vCond.resize(static_cast<size_t>(conds));
                for (int k = 0; k < conds; ++k) b.vCond[k].nValue = 40 + k;
                cases.push_back(b);
            }
        }
    }
    return cases;
}

std::string Describe(const cBlockData& b) {
    return std::to_string(b.vInherit.size()) + " flags, " + std::to_string(b.vCond.size()) + " conditions, name '" +
           b.strName.Str() + "'";
}

class BlockStreamTest : public cStageTest {};

TEST_F(BlockStreamTest, SaveWritesTheFieldsInStoredOrder) {
    for (cBlockData b : Cases()) {
        const std::vector<uint8_t> want = Image(b);
        cDataWriter w;
        b.Save(w);
        EXPECT_EQ(std::vector<uint8_t>(w.Bytes().begin(), w.Bytes().end()), want)
            << Describe(b);
    }
}

TEST_F(BlockStreamTest, LoadTakesEveryFieldAndSizesTheFlags) {
    for (const cBlockData& b : Cases()) {
        const std::vector<uint8_t> bytes = Image(b);
        cDataReader r(bytes.data(), bytes.size());
        cBlockData got;
        got.vCond.resize(4);  // what a reused element held is replaced
        got.Load(r);
        ASSERT_FALSE(r.Failed()) << Describe(b);
        EXPECT_EQ(r.Remaining(), 0u) << Describe(b);
        // The flags are brought to the block's groups (new ones 0); all else is as stored.
        cBlockData want = b;
        want.vInherit.resize(BLOCK_GROUP_NUM, 0);
        EXPECT_EQ(Image(got), Image(want)) << Describe(b);
    }
}

TEST_F(BlockStreamTest, EveryCutStreamFails) {
    for (const cBlockData& b : Cases()) {
        const std::vector<uint8_t> bytes = Image(b);
        for (size_t n = 0; n < bytes.size(); ++n) {
            cDataReader r(bytes.data(), n);
            cBlockData got;
            got.Load(r);
            EXPECT_TRUE(r.Failed()) << "cut at " << n << " of " << bytes.size();
        }
    }
}

}  // namespace
