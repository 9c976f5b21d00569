#pragma once
// A block definition: a palette entry or a placed block.
#include <cstdint>
#include <span>

#include "stage/definition.h"

constexpr int BLOCK_GROUP_NUM = 11;

// Block effects on characters standing on the block.
enum eBlockEffect : uint8_t {
    BLOCKEFFECT_NONE = 0, BLOCKEFFECT_JUMP = 1, BLOCKEFFECT_NOJUMP = 2, BLOCKEFFECT_SPEED = 3,
    BLOCKEFFECT_LEFT = 4, BLOCKEFFECT_RIGHT = 5,
};

class cBlockData;
// The run time's test of a block's conditions (combine and latch included);
// nonzero when they hold now.
using BLOCKCONDTEST = int (*)(const cBlockData& block);
// Installs the condition test the play engine runs; null: conditions always hold.
void SetBlockCondTest(BLOCKCONDTEST test);

class cBlockData : public cDefinition {
public:
    // A block as the block clear leaves it.
    cBlockData();
    cBlockData(const cBlockData&) = default;
    cBlockData(cBlockData&&) = default;
    cBlockData& operator=(const cBlockData&) = default;
    cBlockData& operator=(cBlockData&&) = default;

    // Registers the 18 numbers and the name (no version guards).
    void Layout(uint32_t version) final;
    // The stream of a block, then the repairs of older files, the template and the index checks.
    void Load(cDataReader& file) final;
    // Index checks, then the stream at the current version.
    void Save(cDataWriter& file) final;
    // The placed blocks of a stage's save: each checked as CheckPlacedBlock
    // checks it, then a 0 word and what Save writes, a block without
    // conditions in one piece.
    static void SavePlacedRun(cDataWriter& file, cBlockData* blocks, size_t n);
    // Generic clear, 11 zero flags, hit kind 1, pass-through group 255 (none), graphic 0.
    void Clear();
    // Copies the inherited property groups from the template.
    void ApplyTemplate();
    // Template out of range: kind and index 0; graphic 0: no hit, no protection.
    void CheckIndex();
    // Held item out of range: kind and index 0.
    void CheckItemIndex();

    // 1 when the block has no conditions or the installed test says they hold now.
    int ConditionsHold() const;
    // How the block hits an object of pass-through group passGroup: 0 when its
    // conditions do not hold, when the object passes through it or when it has
    // no graphic (an empty cell); else the hit kind. Inline: every edge of
    // every character asks it each step.
    int GetBlockHitKind(int passGroup) const {
        // Graphic 0 is the empty block (also what erasing a cell puts there):
        // it never hits, even when its stored hit kind was not checked.
        if (wGraphic == 0) return 0;
        if (!vCond.empty() && !ConditionsHold()) return 0;
        if (byPassGroup == passGroup) return 0;
        return byHitKind;
    }

    static std::span<const FIELDROW<cBlockData>> Rows();

    uint16_t wGraphic = 0;     // graphic index (0 = not drawn)
    uint8_t byGraphicKind = 0; // graphic source kind
    uint16_t wGraphicSub = 0;  // graphic sub-index
    uint8_t byLayer = 0;       // drawing layer: 0 before the characters, 1 after
    uint8_t bHidden = 0;       // not drawn in play
    uint8_t bMark = 0;         // icon overlay flag
    uint16_t wMark = 0;        // icon overlay index
    uint8_t byHitKind = 1;     // 0 no hit, 1 solid, 2 the hero dies on contact
    uint8_t byPassGroup = 255; // characters of this force pass through (255 none)
    uint8_t byEffect = 0;      // effect on characters standing on it
    int32_t nEffectX = 0;      // the effect's value X
    uint8_t byItemKind = 0;    // held item: 0 none, 1 common, 2 stage palette
    uint16_t wItemIndex = 0;   // held item index
    uint8_t bProtect = 0;      // a summoned block does not replace it

private:
    // Takes a current stream that holds no condition (record stream, cell,
    // inheritance flags, a condition count of 0) in one pass, as Load reads
    // it; false, with nothing read, for any other stream.
    bool TakeCurrentStream(cDataReader& file);
    // Writes the current stream of a block without conditions in one piece,
    // as Save writes it after its checks.
    void PutCurrentStream(cDataWriter& file);
};
