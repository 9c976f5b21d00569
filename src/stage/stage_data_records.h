#pragma once
// The smaller records that a stage keeps beside its settings: removal rules
// (cStageIntRec), background layers (cIntRec) and texts (cStrListRec); and the
// per-stage record of the save data (cTextRec), which shares their shape.
#include <cstdint>
#include <string>

#include "records/record.h"

// Eight int32 values; values 2 to 4 are stored from version 125.
// As a removal rule: values 1..4 switch the rule on for the left, right, top
// and bottom edge; values 5..8 give the distance beyond that edge in blocks.
// Registered as value 1, values 2..4, value 5, values 6..7, value 8 (five
// descriptors); a stream whose count word says one descriptor per value is
// read too.
class cStageIntRec : public cRecord {
public:
    cStageIntRec();
    cStageIntRec(const cStageIntRec& o);
    cStageIntRec& operator=(const cStageIntRec& o);
    // Registers the eight values (2 to 4 from version 125).
    void Layout(uint32_t version) override;
    // Reads the stream in the layout its count word names.
    void Load(cDataReader& file) override;
    // Sets the eight values.
    void Set(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e, int32_t f, int32_t g, int32_t h);
    // A removal rule is on when any of its four edges (values 1 to 4) is.
    bool AnyEdgeOn() const { return nValue[0] || nValue[1] || nValue[2] || nValue[3]; }

    int32_t nValue[8] = {};

private:
    bool m_bOnePerValue = false;  // Layout registers one descriptor per value
};

// A background layer. Stored by version: a from 62; b, c, d always; the two
// scroll rates e, f as doubles from 61 (two int32 dropped before); the two
// automatic-scroll flags g, h from 61; the bitmap name; the two offsets i, j
// as doubles from 62 (one int32 dropped at exactly 61).
class cIntRec : public cRecord {
public:
    // Generic clear: every value 0, as the default element of a list.
    cIntRec();
    cIntRec(const cIntRec&) = default;
    cIntRec& operator=(const cIntRec&) = default;
    void Layout(uint32_t version) override;
    // Generic clear, then a = 1, c = 16, e = f = 0.1.
    void ClearLayer();

    int32_t a = 0, b = 0, c = 0, d = 0;
    double e = 0, f = 0;
    int32_t g = 0, h = 0;
    std::string strText;
    double i = 0, j = 0;
};

// One string, no numbers.
class cStrListRec : public cRecord {
public:
    cStrListRec();
    cStrListRec(const cStrListRec&) = default;
    cStrListRec& operator=(const cStrListRec&) = default;
    void Layout(uint32_t version) override;

    std::string strText;
};

// Per-stage record of the save data: from version 759 three event values,
// then the best score; strings: the stage and, from 759, the ranking name.
class cTextRec : public cRecord {
public:
    cTextRec();
    cTextRec(const cTextRec&) = default;
    cTextRec& operator=(const cTextRec&) = default;
    void Layout(uint32_t version) override;
    // The record stream; files older than 759 take the stage text as the ranking name.
    void Load(cDataReader& file) override;

    int32_t nEvent1 = 0, nEvent2 = 0, nEvent3 = 0;
    int32_t nBest = 0;
    std::string strStage;
    std::string strRankName;
};
