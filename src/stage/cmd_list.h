#pragma once
// One step of a flow's key sequence: a state per key slot and how the slots
// combine.
#include <cstdint>

#include "records/field_table.h"
#include "records/safe_container.h"

// Key slots of a step: ten direction patterns, then nine button patterns.
constexpr int KEYSLOT_NUM = 19;

class cEdCmdList final : public cTableRecord {
public:
    // A default step: 19 ignored slots, every stored member 0.
    cEdCmdList() : vKey(KEYSLOT_NUM, 0) {}

    // Registers the five stored bytes and shorts (no version guards).
    void Layout(uint32_t version) override;
    // Generic load, then u32 n and n key-state bytes (the slot vector resized to n).
    void Load(cDataReader& file) override;
    // Generic save, then u32 n and the key-state bytes.
    void Save(cDataWriter& file) override;
    // Zeroes the stored members and sizes the slot vector to 19 (new slots 0).
    void Clear();

    // The stored fields in stored order: member, width, first and last version.
    static std::span<const FIELDROW<cEdCmdList>> Rows();

    cSafeVector<uint8_t> vKey;  // per slot: 0 ignored "--", 1 pressed "押", 2 released "離"
    uint8_t bMirror = 0;        // facing-relative: left/right slots swap for a left-facing character
    int16_t nHoldMin = 0;       // shortest hold time of a pressed key, frames
    int16_t nHoldMax = 0;       // longest hold time, frames
    uint8_t bAnyLength = 0;     // any hold of 1 frame or more is accepted
    uint8_t nMode = 0;          // 0 every key, 1 one or more, 2 exactly one
};
