// Conditions, condition lists, move and shot settings written by older
// versions: what each version stores, and the repairs after loading.
#include <gtest/gtest.h>

#include "stage/flow_fixture.h"
#include "stage/old_streams.h"

namespace {

using SettingsOldVersionTest = FlowTest;

template <class T>
std::vector<uint8_t> RecordAt(T& rec, uint32_t v) {
    cDataWriter w;
    oldstream::Record(w, rec, v);
    return w.TakeBytes();
}

cEdCond SampleCond(uint8_t kind) {
    cEdCond c;
    c.nKind = kind;
    c.nValue = 5;
    c.nRandMin = 1;
    c.nRandMax = 2;
    c.nSubject = 3;
    c.nStatus = 4;
    c.nTestWhat = 0;
    c.nVarKind = 1;
    c.nVarNum = 7;
    c.nOperandKind = 2;
    c.nOpSubject = 3;
    c.nOpStatus = 9;
    c.nOpVarKind = 1;
    c.nOpVarNum = 11;
    c.nCompare = 1;
    c.nShowRange = 1;
    c.nAxis = 2;
    return c;
}

TEST_F(SettingsOldVersionTest, ConditionBefore110ReadsTwoDroppedShortsInPlaceOfTheOperands) {
    // Version 109: kind, value, two 16-bit values dropped, operator, byte 16, byte 17.
    std::vector<uint8_t> b = {7, 0, 0, 0,  3,  0x10, 0, 0, 0,  0xAA, 0xBB, 0xCC, 0xDD,  5, 1, 6,  0, 0, 0, 0};
    cEdCond c = SampleCond(0);
    ASSERT_TRUE(oldstream::LoadAt(c, b, 109));
    EXPECT_EQ(c.nKind, 3);
    EXPECT_EQ(c.nValue, 0x10);
    EXPECT_EQ(c.nCompare, 5);
    EXPECT_EQ(c.nShowRange, 1);
    EXPECT_EQ(c.nAxis, 6);
    // Members 3 to 14 keep what they held.
    EXPECT_EQ(c.nRandMin, 1);
    EXPECT_EQ(c.nStatus, 4);
    EXPECT_EQ(c.nOpVarNum, 11);
}

TEST_F(SettingsOldVersionTest, ConditionBefore43HasNoByteSixteen) {
    cEdCond c = SampleCond(1);
    auto b = RecordAt(c, 42);
    EXPECT_EQ(b.size(), 4u + 1 + 4 + 2 + 2 + 1 + 1 + 4);
    cEdCond d;
    d.nShowRange = 9;
    ASSERT_TRUE(oldstream::LoadAt(d, b, 42));
    EXPECT_EQ(d.nShowRange, 9);
    EXPECT_EQ(d.nAxis, 2);
    EXPECT_EQ(d.nCompare, 1);
    EXPECT_EQ(d.nStatus, 0);
}

struct CONDCASE {
    uint32_t v;
    cEdCond in;
    cEdCond out;
};

TEST_F(SettingsOldVersionTest, ConditionRepairsInVersionOrder) {
    std::vector<CONDCASE> cases;
    {  // 159: kinds from 5 on move up by two (ステータス条件2 became 7 距離条件 here).
        cEdCond in = SampleCond(5), out = in;
        out.nKind = 7;
        out.nSubject = 0;                   // distance below 657: subject hero
        out.nTestWhat = 0;                  // below 745
        out.nOperandKind = out.nOpSubject = 1;  // below 746
        cases.push_back({159, in, out});
    }
    {  // 160: kind 6 with state 2 toggles its sense.
        cEdCond in = SampleCond(6), out = in;
        in.nStatus = 2;
        out.nStatus = 2;
        out.nCompare = 0;
        cases.push_back({160, in, out});
    }
    {  // 167: kind 4 statuses from 10 on move up (168), then from 5 on (203); subject 3 then +3 (767).
        cEdCond in = SampleCond(4), out = in;
        in.nStatus = 10;
        in.nOpStatus = 9;
        out.nStatus = 12;
        out.nOpStatus = 10;
        out.nSubject = 6;
        out.nOpSubject = 6;
        cases.push_back({167, in, out});
    }
    {  // 202: only the second status shift; subject 2 (the system) is left alone.
        cEdCond in = SampleCond(4), out = in;
        in.nStatus = 10;
        in.nSubject = 2;
        in.nOpStatus = 4;
        out.nStatus = 10;
        out.nSubject = 5;
        out.nOpStatus = 4;
        out.nOpSubject = 6;
        cases.push_back({202, in, out});
    }
    {  // 209: kind 5, state 6 or more moves up when the subject is not 2.
        cEdCond in = SampleCond(5), out = in;
        in.nStatus = 6;
        out.nStatus = 7;
        out.nSubject = 6;
        out.nOpSubject = 6;
        cases.push_back({209, in, out});
    }
    {  // 656: a distance condition gets subject 0 and loses bytes 7, 10, 11.
        cEdCond in = SampleCond(7), out = in;
        in.nTestWhat = 4;
        out.nSubject = 0;
        out.nTestWhat = 0;
        out.nOperandKind = 1;
        out.nOpSubject = 1;
        cases.push_back({656, in, out});
    }
    {  // 745: only bytes 10 and 11.
        cEdCond in = SampleCond(7), out = in;
        in.nTestWhat = 4;
        out.nTestWhat = 4;
        out.nOperandKind = 1;
        out.nOpSubject = 1;
        cases.push_back({745, in, out});
    }
    {  // 766: subjects from 2 on move up by three; below 2 stay.
        cEdCond in = SampleCond(4), out = in;
        in.nSubject = 1;
        in.nOpSubject = 2;
        out.nSubject = 1;
        out.nOpSubject = 5;
        cases.push_back({766, in, out});
    }
    {  // 767 and later: nothing changes.
        cEdCond in = SampleCond(7), out = in;
        cases.push_back({767, in, out});
    }
    for (auto& tc : cases) {
        auto b = RecordAt(tc.in, tc.v);
        cEdCond c;
        ASSERT_TRUE(oldstream::LoadAt(c, b, tc.v)) << tc.v;
        EXPECT_EQ(RecordAt(c, 825), RecordAt(tc.out, 825)) << "version " << tc.v;
    }
}

TEST_F(SettingsOldVersionTest, ConditionListBefore766CarriesNoConditions) {
    cCondList l;
    l.bUse = 1;
    l.nMode = 1;
    l.vCond.resize(2);
    cDataWriter w;
    oldstream::CondList(w, l, 765);
    cCondList m;
    m.vCond.resize(3);
    ASSERT_TRUE(oldstream::LoadAt(m, w.Bytes(), 765));
    EXPECT_EQ(m.bUse, 1);
    EXPECT_EQ(m.nMode, 1);
    EXPECT_TRUE(m.vCond.empty());
    // Saving writes the count 0.
    auto saved = SaveBytes(m);
    EXPECT_EQ(saved.size(), 4u + 2 + 4 + 4);
    EXPECT_EQ(saved.back(), 0);

    cDataWriter w2;
    oldstream::CondList(w2, l, 766);
    cCondList n;
    ASSERT_TRUE(oldstream::LoadAt(n, w2.Bytes(), 766));
    EXPECT_EQ(n.vCond.size(), 2u);
}

cEdMove SampleMove() {
    cEdMove m;
    m.SetDefaults();
    m.nMode = 1;
    m.bMirrorAngle = 1;
    m.bNoTurn = 1;
    m.nDistUnit = 1;
    m.bAnime = 1;
    m.nTargetSlot = 2;
    m.nSpeed2 = 33;
    m.dFactor = 2.5;
    return m;
}

TEST_F(SettingsOldVersionTest, MoveSettingGuardsAndRepairs) {
    struct {
        uint32_t v;
        int nFields;
        uint8_t mirror, unit, noTurn, anime, slot;
    } cases[] = {
        {157, 28, 0, 0, 0, 0, 9},  // before 158: mirror angle 0
        {158, 29, 1, 0, 0, 0, 9},  // before 159: unit 0
        {161, 30, 1, 1, 0, 0, 9},  // before 162: bytes 20 and 32 0
        {766, 32, 1, 1, 1, 1, 9},
        {767, 33, 1, 1, 1, 1, 2},
    };
    for (auto& tc : cases) {
        cEdMove src = SampleMove();
        auto b = RecordAt(src, tc.v);
        EXPECT_EQ(b[0], tc.nFields) << tc.v;
        cEdMove m;
        m.SetDefaults();
        m.bMirrorAngle = m.nDistUnit = m.bNoTurn = m.bAnime = 9;
        m.nTargetSlot = 9;
        ASSERT_TRUE(oldstream::LoadAt(m, b, tc.v)) << tc.v;
        EXPECT_EQ(m.bMirrorAngle, tc.mirror) << tc.v;
        EXPECT_EQ(m.nDistUnit, tc.unit) << tc.v;
        EXPECT_EQ(m.bNoTurn, tc.noTurn) << tc.v;
        EXPECT_EQ(m.bAnime, tc.anime) << tc.v;
        EXPECT_EQ(m.nTargetSlot, tc.slot) << tc.v;
        EXPECT_EQ(m.dFactor, 2.5) << tc.v;
        EXPECT_EQ(m.nSpeed2, 33) << tc.v;
    }
}

TEST_F(SettingsOldVersionTest, MoveStreamWithoutTheFactorIsReadWithThatLayout) {
    for (uint32_t v : {825u, 767u, 762u, 200u}) {
        cEdMove src = SampleMove();
        cDataWriter w;
        oldstream::Move(w, src, v, true);
        EXPECT_EQ(w.Bytes()[0], CountNumericRows(cEdMove::Rows(), v) - 1);
        cEdMove m;
        m.SetDefaults();
        ASSERT_TRUE(oldstream::LoadAt(m, w.Bytes(), v)) << v;
        EXPECT_EQ(m.dFactor, 1.0) << v;  // keeps its value
        EXPECT_EQ(m.bAnime, 1) << v;
        EXPECT_EQ(m.nSpeed2, 33) << v;
        EXPECT_EQ(m.nTargetSlot, v >= 767 ? 2 : 0) << v;
        // Saved again, it stores the factor: 33 fields.
        EXPECT_EQ(SaveBytes(m)[0], 33);
    }
}

TEST_F(SettingsOldVersionTest, NewMoveSettingDefaults) {
    cSlotPtr<cEdMove> m;
    ASSERT_EQ(cEdMove::Create(m), 1);
    EXPECT_EQ(m->nSpeed, 10);
    EXPECT_EQ(m->dFactor, 1.0);
    for (uint8_t b : {m->bMirrorAngle, m->bEnableX, m->bEnableY, m->bArrive, m->bMirrorX, m->bReverseOnTurn})
        EXPECT_EQ(b, 1);
    EXPECT_EQ(m->bMirrorY, 0);
    EXPECT_EQ(m->nTargetSlot, 0);
}

cEdShot SampleShot() {
    cEdShot s;
    s.SetDefaults();
    s.nByte4 = 4;
    s.nByte7 = 7;
    s.nByte10 = 3;
    s.nByte30 = 30;
    s.bScrollCarry = 5;
    s.nByte34 = 34;
    s.nAccel = 35;
    s.nAccelInc = 36;
    s.nByte45 = 45;
    s.nByte46 = 46;
    s.bProtectPlayer = 56;
    s.bProtectChara = 57;
    s.bySetting1 = 63;
    s.bySetting2 = 64;
    s.nMoveType = 5;
    return s;
}

TEST_F(SettingsOldVersionTest, ShotSettingGuardsAndRepairs) {
    struct {
        uint32_t v;
        int nFields;
        uint8_t b4, b10, carry, b34;
        int16_t accel;
        uint8_t b46, b57, b63;
    } cases[] = {
        {157, 52, 0, 0, 1, 0, 0, 45, 56, 9},
        {196, 53, 0, 3, 1, 0, 0, 45, 56, 9},
        {197, 54, 0, 3, 1, 0, 0, 45, 57, 9},
        {211, 55, 0, 3, 1, 0, 0, 45, 57, 9},   // movement 5 is a homing one: carried
        {212, 55, 0, 3, 5, 0, 0, 45, 57, 9},   // field 31 read, 34 to 36 not
        {213, 58, 0, 3, 5, 34, 35, 45, 57, 9},
        {635, 58, 0, 3, 5, 34, 35, 45, 57, 9},
        {636, 59, 0, 3, 5, 34, 35, 46, 57, 9},
        {670, 59, 0, 3, 5, 34, 35, 46, 57, 9},
        {671, 60, 4, 3, 5, 34, 35, 46, 57, 9},
        {762, 62, 4, 3, 5, 34, 35, 46, 57, 63},
    };
    for (auto& tc : cases) {
        cEdShot src = SampleShot();
        auto b = RecordAt(src, tc.v);
        EXPECT_EQ(b[0], tc.nFields) << tc.v;
        cEdShot s;
        s.SetDefaults();
        s.bySetting1 = 9;
        ASSERT_TRUE(oldstream::LoadAt(s, b, tc.v)) << tc.v;
        EXPECT_EQ(s.nByte4, tc.b4) << tc.v;
        EXPECT_EQ(s.nByte10, tc.b10) << tc.v;
        EXPECT_EQ(s.bScrollCarry, tc.carry) << tc.v;
        EXPECT_EQ(s.nByte34, tc.b34) << tc.v;
        EXPECT_EQ(s.nAccel, tc.accel) << tc.v;
        EXPECT_EQ(s.nAccelInc, tc.accel ? 36 : 0) << tc.v;
        EXPECT_EQ(s.nByte46, tc.b46) << tc.v;
        EXPECT_EQ(s.bProtectChara, tc.b57) << tc.v;
        EXPECT_EQ(s.bySetting1, tc.b63) << tc.v;
        EXPECT_EQ(s.nByte7, tc.v >= 767 ? 7 : 0) << tc.v;
    }
}

TEST_F(SettingsOldVersionTest, ShotBefore212IsCarriedOnlyWithAHomingMovement) {
    for (int move = 0; move < 10; ++move) {
        cEdShot src = SampleShot();
        src.nMoveType = static_cast<uint8_t>(move);
        auto b = RecordAt(src, 211);
        cEdShot s;
        ASSERT_TRUE(oldstream::LoadAt(s, b, 211));
        EXPECT_EQ(s.bScrollCarry, (move >= 4 && move <= 7) ? 1 : 0) << move;
    }
}

TEST_F(SettingsOldVersionTest, ShotNormalisation) {
    cSlotPtr<cEdShot> s;
    cEdShot::Create(s);
    EXPECT_EQ(s->nByte10, 1);
    EXPECT_EQ(s->bMirrorX, 1);
    EXPECT_EQ(s->nByte23, 1);
    EXPECT_EQ(s->nByte26, 1);
    EXPECT_EQ(s->nByte22, 0);
    s->nByte26 = 0;
    s->nEffect = 4;
    FLOWDBCOUNTS db;
    db.nEffect = 4;
    SetFlowDbCounts(db);
    auto b = SaveBytes(*s);
    EXPECT_EQ(s->nByte26, 1);  // saved as 1
    EXPECT_EQ(s->nEffect, 0);  // an effect index equal to the count is saved as 0
    s->nEffect = 3;
    SaveBytes(*s);
    EXPECT_EQ(s->nEffect, 3);
}

TEST_F(SettingsOldVersionTest, ShotOffsets) {
    cEdShot s;
    s.SetDefaults();
    s.nOfsX = 10;
    s.nOfsXInc = 4;
    EXPECT_EQ(s.GetOffsetX(2, 1), -18.0);
    EXPECT_EQ(s.GetOffsetX(2, 0), 18.0);
    s.nOfsY = -3;
    s.nOfsYInc = 1;
    EXPECT_EQ(s.GetOffsetY(1, 1), -2.0);  // mirror Y off
    s.bMirrorY = 1;
    EXPECT_EQ(s.GetOffsetY(1, 1), 2.0);
}

}  // namespace
