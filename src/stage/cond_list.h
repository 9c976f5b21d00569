#pragma once
// A condition list attached to a flow command: a use switch, how the
// conditions combine, and the conditions.
#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "records/safe_container.h"
#include "stage/cond.h"

class cCondList final : public cTableRecord {
public:
    // Registers the two bytes (no version guards).
    void Layout(uint32_t version) override;
    // The two bytes, then (files of 766 and later) u32 count and the conditions.
    void Load(cDataReader& file) override;
    // The two bytes, u32 count and every condition.
    void Save(cDataWriter& file) override;
    // Zeroes both bytes and empties the conditions.
    void Clear();

    // Makes `holder` own a new list: both bytes 0, no conditions. Returns 1.
    static int Create(boost::shared_ptr<cCondList>& holder);

    // The stored fields in stored order: member, width, first and last version.
    static std::span<const FIELDROW<cCondList>> Rows();

    uint8_t bUse = 0;   // nonzero: the command runs only when its conditions hold
    uint8_t nMode = 0;  // 0 every condition must hold, 1 at least one; other values never hold
    cCondVector vCond;
};
