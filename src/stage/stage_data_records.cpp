#include "stage/stage_data_records.h"

#include <algorithm>

#include "records/version.h"

cStageIntRec::cStageIntRec() { Clear(); }

cStageIntRec::cStageIntRec(const cStageIntRec& o) : cRecord(o) { std::copy_n(o.nValue, 8, nValue); }

cStageIntRec& cStageIntRec::operator=(const cStageIntRec& o) {
    std::copy_n(o.nValue, 8, nValue);
    return *this;
}

void cStageIntRec::Layout(uint32_t version) {
    ClearAllFields();
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

cIntRec::cIntRec() { Clear(); }

cIntRec::cIntRec(const cIntRec& o)
    : cRecord(o), a(o.a), b(o.b), c(o.c), d(o.d), e(o.e), f(o.f), g(o.g), h(o.h), strText(o.strText), i(o.i), j(o.j) {}

cIntRec& cIntRec::operator=(const cIntRec& o) {
    a = o.a, b = o.b, c = o.c, d = o.d;
    e = o.e, f = o.f;
    g = o.g, h = o.h;
    strText = o.strText;
    i = o.i, j = o.j;
    return *this;
}

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
        AddScratchField(4, 2);
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

cStrListRec::cStrListRec() { Clear(); }

cStrListRec::cStrListRec(const cStrListRec& o) : cRecord(o), strText(o.strText) {}

cStrListRec& cStrListRec::operator=(const cStrListRec& o) {
    strText = o.strText;
    return *this;
}

void cStrListRec::Layout(uint32_t) {
    ClearAllFields();
    AddStringField(&strText);
}

cTextRec::cTextRec() { Clear(); }

cTextRec::cTextRec(const cTextRec& o)
    : cRecord(o),
      nEvent1(o.nEvent1),
      nEvent2(o.nEvent2),
      nEvent3(o.nEvent3),
      nBest(o.nBest),
      strStage(o.strStage),
      strRankName(o.strRankName) {}

cTextRec& cTextRec::operator=(const cTextRec& o) {
    nEvent1 = o.nEvent1;
    nEvent2 = o.nEvent2;
    nEvent3 = o.nEvent3;
    nBest = o.nBest;
    strStage = o.strStage;
    strRankName = o.strRankName;
    return *this;
}

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
