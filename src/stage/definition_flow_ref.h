#pragma once
// A character definition carried with five integers: the record stream of
// the five integers (and no strings), then the character's own stream.
#include <cstdint>

#include "records/record.h"
#include "stage/chara_data.h"

class cFlowRef : public cRecord {
public:
    cFlowRef();
    cFlowRef(const cFlowRef&) = default;
    cFlowRef(cFlowRef&&) = default;
    cFlowRef& operator=(const cFlowRef&) = default;
    cFlowRef& operator=(cFlowRef&&) = default;

    // Registers the five integers (no version guards).
    void Layout(uint32_t version) override;
    // The five integers, then the character.
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;

    int32_t nValue[5] = {};
    cCharaData Chara;
};
