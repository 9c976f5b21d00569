#pragma once
// One condition of a flow or of a condition list: a comparison of a common,
// stage or character variable, a status or state test, or a distance test.
#include <cstdint>
#include <span>

#include "records/field_table.h"
#include "records/safe_container.h"
#include "records/slot_pool.h"

class cEdCond final : public cTableRecord {
public:
    // Registers the stored fields of data version `version`.
    void Layout(uint32_t version) override;
    // Generic load, then the repairs of older files in ascending version order.
    void Load(cDataReader& file) override;
    // The record stream at the current version.
    void Save(cDataWriter& file) override;
    // Runs of elements loaded and saved as their own Load and Save do one by one.
    static void LoadRun(cDataReader& file, cEdCond* elems, size_t n);
    static void SaveRun(cDataWriter& file, cEdCond* elems, size_t n);

    // Zeroes every stored member.
    void Clear() { cRecord::Clear(); }

    // The stored fields in stored order: member, width, first and last version.
    static std::span<const FIELDROW<cEdCond>> Rows();

    uint8_t nKind = 0;        // 0 none, 1 common, 2 stage, 3 character variable, 4..6 status, 7 distance
    int32_t nValue = 0;       // compared value; distance in half blocks
    int32_t nRandMin = 0;     // random operand: lowest value (from 110)
    int32_t nRandMax = 0;     // random operand: highest value (from 110)
    uint8_t nSubject = 0;     // whose value is tested: 1..4 targets, 5 system, else self; distance: 0 hero, 1..4 targets
    uint8_t nStatus = 0;      // status (kind 4), state (kinds 5, 6) or the like
    uint8_t nTestWhat = 0;    // kind 4: 0 status, 1 variable
    uint8_t nVarKind = 0;     // kind 4: 0 common, 1 stage variables
    int16_t nVarNum = 0;      // variable number; kind 5: the compared value
    uint8_t nOperandKind = 0; // kind 4: 0 constant, 1 random, 2 status, 3 variable
    uint8_t nOpSubject = 0;   // kind 4 operand: whose status
    uint8_t nOpStatus = 0;    // kind 4 operand: which status
    uint8_t nOpVarKind = 0;   // kind 4 operand: 0 common, 1 stage variables
    int16_t nOpVarNum = 0;    // kind 4 operand: variable number; distance: extra dots
    uint8_t nCompare = 0;     // comparison 0..7; state and distance: the sense
    uint8_t nShowRange = 0;   // distance: range display (from 43)
    uint8_t nAxis = 0;        // distance axis 0..6
};

// Conditions of a flow, a condition list or a definition. Most lists hold
// one condition, and a stage holds tens of thousands of lists: a list of one
// takes a slot of the pool, made and freed without malloc.
using cCondVector = cSafeVector<cEdCond, cSlotAllocator<cEdCond>>;

// Reads u32 count and that many conditions into v (resized to the count),
// failing the file when the count cannot be in it. Flows, condition lists
// and the block, character and item definitions store conditions so.
void LoadCondVector(cDataReader& file, cCondVector& v);
// Writes u32 count and every condition.
void SaveCondVector(cDataWriter& file, cCondVector& v);
