#pragma once
// The element records of the world map: chip kinds, events and their pages.
#include <cstdint>
#include <string>

#include "records/field_table.h"
#include "records/safe_container.h"

// One chip kind: its picture and whether the walker may enter it.
class cMapChip : public cTableRecord {
public:
    void Layout(uint32_t version) override;
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    // The stored fields in stored order.
    static std::span<const FIELDROW<cMapChip>> Rows();

    int32_t nReserved = 0;  // stored and kept; nothing reads it
    int32_t bBlocked = 0;   // the walker cannot enter a cell of this kind
    int32_t nGraphic = 0;   // cell g of the chip bitmap: ((g % 5) * 32, (g / 5) * 32)
    std::string strName;
    std::string strNote;
};

// One page of an event: a picture, the conditions that make it active and,
// for a stage page, the stage to play.
class cWorldPage : public cTableRecord {
public:
    void Layout(uint32_t version) override;
    // The table load; what an older file lacks gets its default.
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    // The stored fields in stored order, with the defaults of the members older files lack.
    static std::span<const FIELDROW<cWorldPage>> Rows();

    int32_t nKind = 0;          // 0 stage, 1 path, 2 obstacle
    int32_t nGraphicRow = 0;    // row of the event bitmap (column 0 uncleared, 1 cleared)
    int32_t nClearFlag = 0;     // play-record flag that marks the stage cleared
    int32_t bManual = 0;        // 1: opens only on confirm
    int32_t bRepeat = 0;        // 1: a cleared stage can be played again
    int32_t nAfterClear = 0;    // 0 nothing, 1 second round, 2 back to the title
    int32_t nRequiredFlag = 0;  // flag that must be set; below 1: none
    int32_t nVariable = 0;      // play-record value to compare; 0: none
    int32_t nCompareValue = 0;
    int32_t nOperator = 0;      // 0 =, 1 !=, 2 >=, 3 <=, 4 >, 5 <, 6 divisible by, 7 not divisible by
    int32_t nMinTotal = 0;      // active only once the total value reaches it
    int32_t bStartSwitch = 0;   // start switch and values passed with the stage file
    int32_t nStartValue1 = 1;
    int32_t nStartValue2 = 0;
    std::string strTitle;       // shown above the walker
    std::string strStageFile;
};

// An event placed on a cell, with its pages (a new event has one new page).
class cWorldEvent : public cTableRecord {
public:
    cWorldEvent() : vPage(1) {}

    void Layout(uint32_t version) override;
    // The record stream, then u32 m and m pages.
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    // The stored fields in stored order (the pages follow them).
    static std::span<const FIELDROW<cWorldEvent>> Rows();

    int32_t nX = 0;
    int32_t nY = 0;
    std::string strName;
    cSafeVector<cWorldPage> vPage;
};
