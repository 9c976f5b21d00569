#pragma once
// An item definition: a palette entry or a placed item.
#include <cstdint>
#include <span>

#include "stage/definition.h"
#include "stage/flow_cmd.h"

constexpr int ITEM_GROUP_NUM = 13;

class cItemData final : public cDefinition {
public:
    // An item as the clear routine leaves it.
    cItemData();
    cItemData(const cItemData&) = default;
    cItemData(cItemData&&) = default;
    cItemData& operator=(const cItemData&) = default;
    cItemData& operator=(cItemData&&) = default;

    // Registers the 17 numbers and the name (no version guards).
    void Layout(uint32_t version) override;
    // The stream of an item, the repairs of older files, the template and the index checks.
    void Load(cDataReader& file) override;
    // Index checks, then the stream at the current version.
    void Save(cDataWriter& file) override;
    // Generic clear, 13 zero flags, then the defaults.
    void Clear();
    // Copies the inherited property groups from the template.
    void ApplyTemplate();
    // Resets out-of-range indices here and in the item's commands.
    void CheckIndex();
    // CheckIndex without the walk over the commands.
    void CheckOwnIndex();
    // Brings every command's palette and database references into range.
    void CheckFlowIndex();

    static std::span<const FIELDROW<cItemData>> Rows();

    int16_t nOffsetX = 0;          // #5 dots added to a placed item's position
    int16_t nOffsetY = 0;          // #6
    uint16_t wGraphic = 0;         // #7
    uint8_t byGraphicKind = 2;     // #8
    uint16_t wGraphicSub = 0;      // #9
    uint8_t bySetting10 = 6;       // #10
    uint8_t bHidden = 0;           // #11 not drawn
    uint8_t bMark = 0;             // #12 mark flag
    uint16_t wMark = 0;            // #13 mark number
    uint8_t bPickupMessage = 1;    // #14 taking it shows a message with its picture
    uint8_t byTakeMode = 0;        // #15 0 once, 1 again after leaving it, 2 never
    int8_t chSize = 1;             // #16 size, at least 1
    uint16_t wSound = 0;           // #17 sound played when taken

    cSafeVector<cFlowCmd> vCmd;    // item-flow commands
};

// The item definition of the common palette (kind 1) or the stage palette
// (kind 2) at `index`, or null for another kind or an index beyond that list.
const cItemData* GetItemData(int kind, int index);
