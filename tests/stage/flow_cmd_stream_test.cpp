// A command's record stream, taken in place by the command's load and written
// in one piece by its save, against the same record read and written by the
// generic load and save of its registered fields: texts of every kind, with
// and without carriage returns removed, streams that store fewer or more
// fields or texts, and every cut of them.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "stage/definition_context.h"
#include "stage/flow_fixture.h"
#include "stage/flow_same.h"
#include "stage/shared_records.h"

namespace {

const std::string TEXTS[] = {"", "a", "fifteen chars!!", "sixteen chars!!!", std::string("cut\0here", 8),
                             "a\r\nb\r", "a text long enough to be stored outside the string itself",
                             std::string("cut\0\rafter", 11), "carriage return\r past the first words"};

void Put(std::vector<uint8_t>& out, const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    out.insert(out.end(), b, b + n);
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) { Put(out, &v, 4); }

// A record stream of a command: `fields` numbers of the current layout (or
// more, padded with zeros), then `strings` texts.
std::vector<uint8_t> HeadBytes(uint32_t fields, uint32_t strings, const std::string& text) {
    static const uint8_t NUMBERS[16] = {0, 9, 3, 1, 4, 0, 1, 5, 0, 1, 2, 0, 0, 0, 0, 0};
    static const uint32_t WIDTHS[] = {1, 1, 2, 2, 1, 2, 1, 2, 4};
    std::vector<uint8_t> out;
    PutU32(out, fields);
    size_t bytes = 0;
    for (uint32_t i = 0; i < fields && i < std::size(WIDTHS); ++i) bytes += WIDTHS[i];
    Put(out, NUMBERS, bytes);
    PutU32(out, strings);
    for (uint32_t k = 0; k < strings; ++k) {
        const std::string& s = k == 0 ? text : TEXTS[2];
        PutU32(out, static_cast<uint32_t>(s.size() + 1));
        if (!s.empty()) {
            Put(out, s.data(), s.size());
            out.push_back(0);
        }
    }
    return out;
}

// The rest of a command without settings or sub-flows, with the parameters of CMD_FACING.
std::vector<uint8_t> TailBytes() {
    std::vector<uint8_t> out;
    for (uint32_t v : {0u, 0u, 0u, 0u, 1u, 7u}) PutU32(out, v);
    return out;
}

void ExpectSameHead(const cFlowCmd& got, const cFlowCmd& want, const std::string& what) {
    EXPECT_EQ(got.nNumbering, want.nNumbering) << what;
    EXPECT_EQ(got.nCode, want.nCode) << what;
    EXPECT_EQ(got.nTime, want.nTime) << what;
    EXPECT_EQ(got.nTimeInc, want.nTimeInc) << what;
    EXPECT_EQ(got.bNoWait, want.bNoWait) << what;
    EXPECT_EQ(got.nSE, want.nSE) << what;
    EXPECT_EQ(got.bSEOnScreen, want.bSEOnScreen) << what;
    EXPECT_EQ(got.nAnime, want.nAnime) << what;
    EXPECT_EQ(got.strText, want.strText) << what;
}

// Loads `bytes` as a command and, beside it, its record stream through the
// generic load: a record stream the generic load refuses or finds cut short
// fails the command's load too (the generic load may have written some
// members, the command's table load writes none); any other gives the same
// record, and the command's load ends where the generic one ended plus the
// tail, or fails when the tail is cut.
void ExpectSameLoad(const std::vector<uint8_t>& bytes, size_t tail, const std::string& what) {
    cFlowCmd got, want;
    got.strText = want.strText = "kept";
    cDataReader r(bytes.data(), bytes.size());
    got.Load(r);
    cDataReader g(bytes.data(), bytes.size());
    want.cRecord::Load(g);
    if (g.Failed()) {
        EXPECT_TRUE(r.Failed()) << what;
        return;
    }
    ExpectSameHead(got, want, what);
    const bool bWhole = g.Position() + tail <= bytes.size();
    EXPECT_EQ(r.Failed(), !bWhole) << what;
    if (bWhole) {
        EXPECT_EQ(r.Position(), g.Position() + tail) << what;
    }
}

using FlowCmdStreamTest = FlowTest;

TEST_F(FlowCmdStreamTest, LoadsAsTheGenericLoadOfItsFieldsDoesAtEveryCut) {
    const std::vector<uint8_t> tail = TailBytes();
    const std::pair<uint32_t, uint32_t> shapes[] = {{8, 1}, {7, 1}, {9, 1}, {8, 0}, {8, 2}, {0, 0}};
    for (int cr : {1, 0}) {
        bRemoveCR = cr;
        for (const std::string& text : TEXTS) {
            for (const auto& [fields, strings] : shapes) {
                std::vector<uint8_t> bytes = HeadBytes(fields, strings, text);
                bytes.insert(bytes.end(), tail.begin(), tail.end());
                const std::string what = "text \"" + text + "\", " + std::to_string(fields) + " fields, " +
                                         std::to_string(strings) + " texts, remove CR " + std::to_string(cr);
                for (size_t len = 0; len <= bytes.size(); ++len)
                    ExpectSameLoad(std::vector<uint8_t>(bytes.begin(), bytes.begin() + len), tail.size(),
                                   what + ", cut at " + std::to_string(len));
            }
        }
    }
    // A text whose length runs past the stream.
    std::vector<uint8_t> bad = HeadBytes(8, 1, "abc");
    const uint32_t huge = 0x7FFFFFF0;
    std::memcpy(bad.data() + 4 + 12 + 4, &huge, 4);
    ExpectSameLoad(bad, tail.size(), "text past the end");
}

TEST_F(FlowCmdStreamTest, SavesAsTheGenericSaveOfItsFieldsAndThenItsSettings) {
    for (const std::string& text : TEXTS) {
        for (bool bMove : {false, true}) {
            for (bool bSubFlow : {false, true}) {
                cFlowCmd c = MakeCmd(0, CMD_FACING, {0x11223344});
                c.nTime = 0x0102;
                c.nAnime = 3;
                c.strText = text;
                if (bMove) {
                    cEdMove::Create(c.spMove);
                    c.spMove->nAngle = 45;
                }
                if (bSubFlow) c.EditSubFlows().resize(1);
                cFlowCmd generic = c;
                const std::vector<uint8_t> got = SaveBytes(c);

                cDataWriter w;
                generic.cRecord::Save(w);
                std::vector<uint8_t> want = w.TakeBytes();
                PutU32(want, bMove ? 1 : 0);
                if (bMove) {
                    const std::vector<uint8_t> move = SaveBytes(*generic.spMove);
                    want.insert(want.end(), move.begin(), move.end());
                }
                PutU32(want, 0);
                PutU32(want, 0);
                PutU32(want, bSubFlow ? 1 : 0);
                if (bSubFlow) {
                    const std::vector<uint8_t> flow = SaveBytes(generic.EditSubFlows()[0]);
                    want.insert(want.end(), flow.begin(), flow.end());
                }
                PutU32(want, 1);
                const int32_t param = 0x11223344;
                Put(want, &param, 4);
                EXPECT_EQ(got, want) << "text \"" << text << "\", move " << bMove << ", sub-flow " << bSubFlow;
                // The saved text is cut at its first NUL, as the generic save cuts it.
                EXPECT_EQ(c.strText, generic.strText);
            }
        }
    }
}

// Commands of every shape a list save meets: texts, settings, a sub-flow,
// parameter counts from 0 to 9 against codes whose checks resize them, and
// references the database and palette checks bring into range.
cSafeVector<cFlowCmd> MixedCmds() {
    static const int CODES[] = {CMD_WAIT,  CMD_SHOT,     CMD_SWORD,          CMD_GET_ITEM,
                                CMD_FACING, CMD_PLAY_SE, CMD_CHANGE_GRAPHIC, CMD_SUMMON_CHARA};
    cSafeVector<cFlowCmd> v;
    int k = 0;
    for (const std::string& text : TEXTS) {
        for (int shape = 0; shape < 5; ++shape, ++k) {
            cFlowCmd c = MakeCmd(k % 7 == 6 ? 1 : 0, CODES[k % std::size(CODES)],
                                 std::vector<int32_t>(static_cast<size_t>(k % 10), 1000 + k));
            c.strText = text;
            c.nAnime = static_cast<int16_t>(k * 37 % 5000);
            c.nSE = static_cast<int16_t>(k * 53 % 5000);
            if (shape & 1) {
                cEdMove::Create(c.spMove);
                c.spMove->nAngle = static_cast<int16_t>(k);
            }
            if (shape & 2) {
                cEdShot::Create(c.spShot);
                c.spShot->nEffect = static_cast<int16_t>(k * 41 % 3000);
                c.spShot->nItemKind = static_cast<uint8_t>(k % 3);
                c.spShot->nItemIndex = static_cast<int16_t>(k % 4);
                c.spShot->nSummonIndex = static_cast<int16_t>(k % 5);
                c.spShot->nMoveType = static_cast<uint8_t>(k % 12);
                c.spShot->nByte26 = 0;
            }
            if (shape == 4) c.EditSubFlows().push_back(MakeSampleFlow());
            v.push_back(std::move(c));
        }
    }
    return v;
}

TEST_F(FlowCmdStreamTest, SavesAListAsEachCommandSavesItselfUnderEveryCheck) {
    const FLOWPALETTESIZES sizes{{2, 1}, {3, 0}, {1, 2}};
    // 0: the checks of a command's own save, 1: a stage's command checks with
    // the palette sizes, 2: none (the stage has checked them).
    for (int context = 0; context < 3; ++context) {
        cSafeVector<cFlowCmd> list = MixedCmds(), each = MixedCmds();
        std::vector<uint8_t> got, want;
        {
            std::optional<cCmdChecksOnSaveScope> cmdChecks;
            std::optional<cCheckedSaveScope> checked;
            if (context == 1) cmdChecks.emplace(sizes);
            if (context == 2) checked.emplace();
            cDataWriter w;
            SaveRecordVector(w, list);
            got = w.TakeBytes();
            PutU32(want, static_cast<uint32_t>(each.size()));
            for (cFlowCmd& c : each) {
                const std::vector<uint8_t> one = SaveBytes(c);
                want.insert(want.end(), one.begin(), one.end());
            }
        }
        EXPECT_EQ(got, want) << "context " << context;
    }
}

// Loads `bytes` as a list of commands, and as the same commands each loaded
// by its own Load in turn (a failure ending the list with new commands):
// the same commands, the same failure and reason, the same end.
void ExpectSameListLoad(const std::vector<uint8_t>& bytes, const std::string& what) {
    cFlow got, want;
    cDataReader r(bytes.data(), bytes.size());
    LoadCmdList(r, got.vCmd);
    cDataReader e(bytes.data(), bytes.size());
    const uint32_t n = e.ReadCount(24);
    for (uint32_t i = 0; i < n && !e.Failed(); ++i) want.vCmd.emplace_back().Load(e);
    want.vCmd.resize(n);
    ASSERT_EQ(r.Failed(), e.Failed()) << what;
    EXPECT_EQ(r.FailReason(), e.FailReason()) << what;
    if (!e.Failed()) {
        EXPECT_EQ(r.Position(), e.Position()) << what;
    }
    EXPECT_TRUE(SameFlow(got, want)) << what;
}

}  // namespace

// A list's load takes runs of current streams from the bytes in hand: the
// mixed commands (settings, texts, a sub-flow, codes the checks resize),
// commands that fail the structural check among them, and the list cut at
// every byte and with every byte altered, against each command's own load.
TEST_F(FlowCmdStreamTest, LoadsAListAsEachCommandLoadsItselfAtEveryCutAndChange) {
    FLOWDBCOUNTS db;
    db.nAnime = 40;
    db.nSE = 60;
    db.nEffect = 500;
    SetFlowDbCounts(db);
    cSafeVector<cFlowCmd> cmds = MixedCmds();
    std::erase_if(cmds, [](const cFlowCmd& c) {
        std::string why;
        return !c.CheckStructure(why);
    });
    ASSERT_GT(cmds.size(), 20u);
    // A code outside its table, and a negative shot index: both fail the load.
    cFlowCmd outside = MakeCmd(0, CMD_WAIT);
    outside.nCode = 200;
    cmds.insert(cmds.begin() + 7, outside);
    cFlowCmd negative = MakeCmd(0, CMD_SHOT);
    cEdShot::Create(negative.spShot);
    negative.spShot->nItemIndex = -1;
    cmds.insert(cmds.begin() + 20, negative);
    const auto listBytes = [](cSafeVector<cFlowCmd>& list) {
        cCheckedSaveScope unchecked;
        std::vector<uint8_t> out;
        PutU32(out, static_cast<uint32_t>(list.size()));
        for (cFlowCmd& c : list) {
            const std::vector<uint8_t> one = SaveBytes(c);
            out.insert(out.end(), one.begin(), one.end());
        }
        return out;
    };
    // The whole list (which fails at its first bad command), the list
    // without the bad commands, and every cut and change of every sixth
    // command of that one (every shape, eight texts; the table's cost grows
    // with the square of the list's length).
    ExpectSameListLoad(listBytes(cmds), "with bad commands");
    cmds.erase(cmds.begin() + 20);
    cmds.erase(cmds.begin() + 7);
    {
        const std::vector<uint8_t> whole = listBytes(cmds);
        cFlow got;
        cDataReader r(whole.data(), whole.size());
        LoadCmdList(r, got.vCmd);
        ASSERT_FALSE(r.Failed()) << r.FailReason();
        EXPECT_EQ(r.Remaining(), 0u);
        EXPECT_EQ(got.vCmd.size(), cmds.size());
    }
    cSafeVector<cFlowCmd> some;
    for (size_t i = 0; i < cmds.size(); i += 6) some.push_back(cmds[static_cast<int>(i)]);
    cmds = std::move(some);
    const std::vector<uint8_t> bytes = listBytes(cmds);
    for (size_t len = 0; len <= bytes.size(); ++len)
        ExpectSameListLoad(std::vector<uint8_t>(bytes.begin(), bytes.begin() + len), "cut at " + std::to_string(len));
    for (size_t at = 4; at < bytes.size(); ++at) {
        for (uint8_t v : {uint8_t{0}, uint8_t{1}, uint8_t{0xFF}}) {
            std::vector<uint8_t> changed = bytes;
            if (changed[at] == v) continue;
            changed[at] = v;
            ExpectSameListLoad(changed, "byte " + std::to_string(at) + " set to " + std::to_string(v));
        }
    }
}

// A command of every code of both numberings (and codes past their tables),
// with sounds, animations, parameters and shot settings in and out of range,
// with and without the database sizes, loaded from its stream: as the same
// command run through the structural check and then the database validation
// (the load takes plain commands through a path of its own). Every stream
// cut short fails.
TEST_F(FlowCmdStreamTest, LoadChecksAsTheStructuralCheckAndTheDatabaseValidation) {
    FLOWDBCOUNTS db;
    db.nAnime = 5;
    db.nSE = 10;
    db.nEffect = 3;
    db.nCharaEffect = 1;
    db.nScrEffect = 2;
    db.nPicture = 2;
    db.nAnimeSet = 4;
    db.nCharaBmp = 6;
    db.nBgm = 8;
    db.vSwordTime = {0, 25};
    const std::vector<std::vector<int32_t>> params = {{}, {4, -1}, {4, 100, 3, -2, 1, 0, 9, 8, 7, 6, 5}};
    // Shot settings: none, plain, a negative index, formation and movement
    // outside their tables, an effect beyond the database's, member 26 at 0.
    enum { NONE, PLAIN, NEGATIVE, FORMATION, MOVEMENT, EFFECT, BYTE26, SHOTS };
    size_t nCut = 0;
    for (bool bDb : {false, true}) {
        for (int numbering : {0, 1}) {
            for (int code = 0; code < 42; ++code) {
                for (int16_t se : {-1, 2, 50}) {
                    for (int16_t anime : {-1, 3, 60}) {
                        for (const auto& p : params) {
                            for (int shot = NONE; shot < SHOTS; ++shot) {
                                cFlowCmd c;
                                c.nNumbering = static_cast<uint8_t>(numbering);
                                c.nCode = static_cast<uint8_t>(code);
                                c.nSE = se;
                                c.nAnime = anime;
                                c.vParam.assign(p.begin(), p.end());
                                if (code % 3 == 0) cEdMove::Create(c.spMove);
                                if (shot != NONE) {
                                    cEdShot::Create(c.spShot);
                                    cEdShot& s = *c.spShot;
                                    s.nEffect = shot == EFFECT ? 7 : 1;
                                    s.nItemIndex = shot == NEGATIVE ? -1 : 0;
                                    s.nFormation = shot == FORMATION ? 6 : 2;
                                    s.nMoveType = shot == MOVEMENT ? 10 : 1;
                                    s.nByte26 = shot == BYTE26 ? 0 : 2;
                                }
                                // Saved as it is: no checks, no database sizes.
                                ResetFlowDbCounts();
                                std::vector<uint8_t> bytes;
                                {
                                    cCheckedSaveScope unchecked;
                                    bytes = SaveBytes(c);
                                }
                                if (bDb) SetFlowDbCounts(db);
                                const std::string what = "numbering " + std::to_string(numbering) + ", code " +
                                                         std::to_string(code) + ", sound " + std::to_string(se) +
                                                         ", animation " + std::to_string(anime) + ", " +
                                                         std::to_string(p.size()) + " parameters, shot " +
                                                         std::to_string(shot) + ", database " + std::to_string(bDb);
                                cFlowCmd got;
                                cDataReader r(bytes.data(), bytes.size());
                                got.Load(r);

                                cFlowCmd want = c;
                                if (want.spShot) want.spShot->Normalize(nullptr);
                                std::string why;
                                if (!want.CheckStructure(why)) {
                                    EXPECT_TRUE(r.Failed()) << what;
                                    EXPECT_EQ(r.FailReason(), why) << what;
                                    continue;
                                }
                                want.CheckDbIndex();
                                ASSERT_FALSE(r.Failed()) << what;
                                EXPECT_EQ(r.Remaining(), 0u) << what;
                                EXPECT_TRUE(RowsEqual(cFlowCmd::Rows(), got, want)) << what;
                                EXPECT_EQ(got.vParam, want.vParam) << what;
                                EXPECT_EQ(static_cast<bool>(got.spMove), static_cast<bool>(want.spMove)) << what;
                                ASSERT_EQ(static_cast<bool>(got.spShot), static_cast<bool>(want.spShot)) << what;
                                if (want.spShot) {
                                    EXPECT_TRUE(RowsEqual(cEdShot::Rows(), *got.spShot, *want.spShot)) << what;
                                }
                                // Every cut of a few of them.
                                if (code % 11 == 0 && se == 2 && anime == 3) {
                                    for (size_t len = 0; len < bytes.size(); ++len) {
                                        cFlowCmd cut;
                                        cDataReader rc(bytes.data(), len);
                                        cut.Load(rc);
                                        EXPECT_TRUE(rc.Failed()) << what << ", cut at " << len;
                                        ++nCut;
                                    }
                                }
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(nCut, 0u);
}
