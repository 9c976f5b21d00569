#include "stage/stage_data_records.h"

#include <algorithm>

#include "records/version.h"

// Every member starts at 0 or empty, as the generic clear leaves it.
cStageIntRec::cStageIntRec() = default;

cStageIntRec::cStageIntRec(const cStageIntRec& o) : cRecord(o) { std::copy_n(o.nValue, 8, nValue); }

cStageIntRec& cStageIntRec::operator=(const cStageIntRec& o) {
    std::copy_n(o.nValue, 8, nValue);
    return *this;
}

void cStageIntRec::Layout(uint32_t version) {
    ClearAllFields();
    if (m_bOnePerValue) {
        for (int k = 0; k < 8; ++k)
            if (version >= 125 || k < 1 || k > 3) AddIntField(&nValue[k]);
        return;
    }
    AddIntField(&nValue[0]);
    if (version >= 125) AddIntField(&nValue[1], 3);
    AddIntField(&nValue[4]);
    AddIntField(&nValue[5], 2);
    AddIntField(&nValue[7]);
}

void cStageIntRec::Set(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e, int32_t f, int32_t g, int32_t h) {
    const int32_t v[8] = {a, b, c, d, e, f, g, h};
    std::copy_n(v, 8, nValue);
}

void cStageIntRec::Load(cDataReader& file) {
    // The registry of each layout for the version read; the count word names the layout.
    const uint32_t n = file.ReadU32();
    if (file.Failed()) return;
    m_bOnePerValue = true;
    Layout(nReadVersion);
    m_bOnePerValue = n == Fields().size();
    Layout(nReadVersion);
    m_bOnePerValue = false;
    if (n > Fields().size()) {
        file.SetFailed("field count " + std::to_string(n) + " above the registered");
        return;
    }
    for (uint32_t i = 0; i < n && !file.Failed(); ++i)
        file.Read(Fields()[i].lpField, static_cast<size_t>(Fields()[i].nCount) * 4u);
    if (!file.Failed() && file.ReadU32() != 0) file.SetFailed("strings in a removal rule");
}

// Every member starts at 0 or empty, as the generic clear leaves it.
cIntRec::cIntRec() = default;

void cIntRec::Layout(uint32_t version) {
    ClearAllFields();
    if (version >= 62) AddIntField(&a);
    AddIntField(&b);
    AddIntField(&c);
    AddIntField(&d);
    if (version >= 61) {
        AddDoubleField(&e);
        AddDoubleField(&f);
        AddIntField(&g);
        AddIntField(&h);
    } else {
        // Two int32 of older files, each read into the scratch value.
        AddScratchField(4);
        AddScratchField(4);
    }
    AddStringField(&strText);
    if (version >= 62) {
        AddDoubleField(&i);
        AddDoubleField(&j);
    } else if (version == 61) {
        AddScratchField(4, 1);
    }
}

void cIntRec::ClearLayer() {
    Clear();
    a = 1;
    c = 16;
    e = 0.1;
    f = 0.1;
}

// Every member starts at 0 or empty, as the generic clear leaves it.
cStrListRec::cStrListRec() = default;

void cStrListRec::Layout(uint32_t) {
    ClearAllFields();
    AddStringField(&strText);
}

// Every member starts at 0 or empty, as the generic clear leaves it.
cTextRec::cTextRec() = default;

void cTextRec::Layout(uint32_t version) {
    ClearAllFields();
    if (version >= 759) {
        AddIntField(&nEvent1);
        AddIntField(&nEvent2);
        AddIntField(&nEvent3);
    }
    AddIntField(&nBest);
    AddStringField(&strStage);
    if (version >= 759) AddStringField(&strRankName);
}

void cTextRec::Load(cDataReader& file) {
    cRecord::Load(file);
    if (!file.Failed() && nReadVersion < 759) strRankName = strStage;
}
