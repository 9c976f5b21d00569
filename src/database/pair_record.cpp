#include "database/pair_record.h"

#include "records/version.h"

cPairRecord::cPairRecord() { Layout(nDataVersion); }

cPairRecord::cPairRecord(int32_t v1, int32_t v2) : nValue1(v1), nValue2(v2) { Layout(nDataVersion); }

void cPairRecord::Layout(uint32_t) {
    ClearAllFields();
    AddIntField(&nValue1);
    AddIntField(&nValue2);
}
