#pragma once
// The movement setting of a movement command (直線移動, 突撃移動, 誘導移動,
// ワープ, ...), held by the command in a slot of the pool (cSlotPtr).
#include <cstdint>
#include <cstring>

#include "records/field_table.h"
#include "records/slot_pool.h"

// Packed: its members, in stored order, are the current stream's numbers as
// they stand, copied in and out in one piece (and the slot is smaller).
class [[gnu::packed]] cEdMove final : public cTableRecord {
public:
    cEdMove() = default;

    // Registers the 33 stored fields of data version `version`.
    void Layout(uint32_t version) override;
    // Generic load; a stream whose field count is one short of the current
    // layout's (the factor not stored) is read without the factor. Then the
    // repairs of older files.
    void Load(cDataReader& file) override;
    // The record stream at the current version (33 fields).
    void Save(cDataWriter& file) override;
    // Bytes of the record stream at p (avail bytes in hand) when it is a
    // current stream of every field, which TakeCurrentStream takes as Load
    // does; 0 when it is not one.
    // (Inline: a list of commands asks for every setting it holds.)
    static size_t CurrentStreamBytes(const uint8_t* p, size_t avail) {
        return FixedStreamBytes<CURRENT_NUMBERS, CURRENT_BYTES>(p, avail);
    }
    // Makes `holder` hold the setting such a stream at p gives (a new one
    // made straight from it when it holds none), as Create and Load do.
    static void TakeCurrentStream(cSlotPtr<cEdMove>& holder, const uint8_t* p);
    // Bytes of the current stream, which PutCurrentStream writes at p as Save
    // does; gives its end.
    static size_t CurrentStreamSize();
    uint8_t* PutCurrentStream(uint8_t* p);

    // Sets the defaults of a new setting (members 5, 6, 7, 13, 16, 18 = 1,
    // speed 10, factor 1.0), every other stored member 0.
    void SetDefaults();
    // Makes `holder` own a new setting with the defaults. Returns 1.
    static int Create(cSlotPtr<cEdMove>& holder);

    // The stored fields in stored order: member, width, first and last version.
    // The current stream's field count and bytes of numbers (checked
    // against the table beside it).
    static constexpr uint32_t CURRENT_NUMBERS = 33;
    static constexpr size_t CURRENT_BYTES = 53;
    static constexpr bool PACKED_IMAGE = true;

    static std::span<const FIELDROW<cEdMove>> Rows();

    uint8_t nMode = 0;          // 1: how the move is given
    uint8_t nDir = 0;           // 2: direction code (円移動: turning sense)
    int16_t nAngle = 0;         // 3: 角度
    int16_t nAngleInc = 0;      // 4: 分身値による増加角度
    uint8_t bMirrorAngle = 1;   // 5: mirror the angle for a mirrored character (from 158)
    uint8_t bEnableX = 1;       // 6
    uint8_t bEnableY = 1;       // 7
    int16_t nTargetXBl = 0;     // 8: 目標X(bl)
    int16_t nTargetYBl = 0;     // 9: 目標Y(bl)
    int16_t nTargetXDot = 0;    // 10: 目標X(dot)
    int16_t nTargetYDot = 0;    // 11: 目標Y(dot)
    uint8_t nOrigin = 0;        // 12: coordinate kind of the target
    uint8_t bArrive = 1;        // 13
    uint8_t bLockX = 0;         // 14
    uint8_t bLockY = 0;         // 15
    uint8_t bMirrorX = 1;       // 16: mirror the target X
    uint8_t bMirrorY = 0;       // 17: mirror the target Y
    uint8_t bReverseOnTurn = 1; // 18
    uint8_t bStopOnArrive = 0;  // 19
    uint8_t bNoTurn = 0;        // 20 (from 162)
    uint8_t nGiven = 0;         // 21: what the distance fixes (1 speed, 2 duration)
    int16_t nSpeed = 10;        // 22: speed in 0.1 dots
    int16_t nSpeedInc = 0;      // 23
    int16_t nDist = 0;          // 24: 距離(hbl)
    int16_t nDistInc = 0;       // 25: 分身値による増加距離(hbl)
    uint8_t nDistUnit = 0;      // 26: 1 dots, else half blocks (from 159)
    int16_t nHoming = 0;        // 27: 誘導性能の悪さ
    int16_t nHomingInc = 0;     // 28: 分身値による増加誘導性能の悪さ
    uint8_t bInertia = 0;       // 29: second speed on
    int16_t nSpeed2 = 0;        // 30: second speed
    double dFactor = 1.0;       // 31: factor
    uint8_t bAnime = 0;         // 32: the command's animation runs with the move (from 162)
    uint8_t nTargetSlot = 0;    // 33 (from 767)
};
