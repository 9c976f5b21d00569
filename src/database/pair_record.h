#pragma once
// A record of two 32-bit values, stored in every version: the frames of an
// effect graphic (cell, duration in tenths of a second) use it.
#include <cstdint>

#include "records/record.h"

class cPairRecord : public cRecord {
public:
    // Laid out for the current version, both values 0.
    cPairRecord();
    // Laid out for the current version with the two values given.
    cPairRecord(int32_t v1, int32_t v2);
    // Registers the two values.
    void Layout(uint32_t version) override;

    int32_t nValue1 = 0;
    int32_t nValue2 = 0;
};
