#pragma once
// The shot setting of the commands that emit or place objects (ショット,
// ソード, ブロック召喚, キャラ召喚, アイテム召喚), held by the command in a slot of
// the pool (cSlotPtr).
#include <cstdint>
#include <cstring>

#include "records/field_table.h"
#include "records/slot_pool.h"
#include "stage/flow_refs.h"

// Packed: its members, in stored order, are the current stream's numbers as
// they stand, copied in and out in one piece (and the slot is smaller).
class [[gnu::packed]] cEdShot final : public cTableRecord {
public:
    cEdShot() = default;
    cEdShot(const cEdShot&) = default;
    // The members copied whole: a member-wise copy of the packed arrays
    // would take their unaligned addresses.
    cEdShot& operator=(const cEdShot& src) {
        std::memcpy(&nShotNum, &src.nShotNum, CURRENT_BYTES);
        return *this;
    }

    // Registers the stored fields of data version `version`.
    void Layout(uint32_t version) override;
    // Generic load, the repairs of older files, then the normalisation.
    void Load(cDataReader& file) override;
    // The normalisation, then the generic save.
    void Save(cDataWriter& file) override;
    // Bytes of the record stream at p (avail bytes in hand) when it is a
    // current stream of every field, which TakeCurrentStream takes as Load
    // does (the normalisation against `db` included); 0 when it is not one.
    // (Inline: a list of commands asks for every setting it holds.)
    static size_t CurrentStreamBytes(const uint8_t* p, size_t avail) {
        return FixedStreamBytes<CURRENT_NUMBERS, CURRENT_BYTES>(p, avail);
    }
    // Makes `holder` hold the setting such a stream at p gives (a new one
    // made straight from it when it holds none), as Create and Load do.
    static void TakeCurrentStream(cSlotPtr<cEdShot>& holder, const uint8_t* p, const FLOWDBCOUNTS* db);
    // Bytes of the current stream, which PutCurrentStream writes at p as Save
    // does (the normalisation included); gives its end.
    static size_t CurrentStreamSize();
    uint8_t* PutCurrentStream(uint8_t* p);

    // Member 26 below 1 becomes 1; an effect index not below the database's
    // number of effects becomes 0 (when the database sizes are known).
    void Normalize() { Normalize(GetFlowDbCounts()); }
    // The same against the database sizes `db` (null: none known).
    void Normalize(const FLOWDBCOUNTS* db) {
        if (nByte26 < 1) nByte26 = 1;
        if (db && nEffect >= db->nEffect) nEffect = 0;
    }
    // Sets the defaults of a new setting (members 10, 18, 23, 26 = 1), every
    // other stored member 0.
    void SetDefaults();
    // Makes `holder` own a new setting with the defaults. Returns 1.
    static int Create(cSlotPtr<cEdShot>& holder);

    // Horizontal offset of object n: member 14 + member 15 × n, negated when
    // facing is 1 and member 18 is set.
    double GetOffsetX(int n, int facing) const;
    // Vertical offset of object n: the same with members 16, 17 and 19.
    double GetOffsetY(int n, int facing) const;

    // The stored fields in stored order: member, width, first and last version.
    // The current stream's field count and bytes of numbers (checked
    // against the table beside it).
    static constexpr uint32_t CURRENT_NUMBERS = 64;
    static constexpr size_t CURRENT_BYTES = 97;
    static constexpr bool PACKED_IMAGE = true;

    static std::span<const FIELDROW<cEdShot>> Rows();

    uint8_t nShotNum = 0;        // 1: 発射数 (summons: 数)
    uint8_t nFormation = 0;      // 2: formation 0..5
    int16_t nFormParam[3] = {};  // 3: フォーメーション固有1..3
    uint8_t nByte4 = 0;          // 4 (from 671)
    uint8_t nByte5 = 0;          // 5
    uint8_t nByte6 = 0;          // 6
    uint8_t nByte7 = 0;          // 7 (from 767)
    int16_t nAngleOfs = 0;       // 8: 角度のズレ
    int16_t nAngleOfsInc = 0;    // 9: 分身値による角度のズレ
    uint8_t nByte10 = 1;         // 10 (from 158)
    int16_t nSpread = 0;         // 11: 分散角度
    uint8_t nByte12 = 0;         // 12
    uint8_t nCloneNum = 0;       // 13: 発射数に対する分身数
    int16_t nOfsX = 0;           // 14: 発射位置のズレX(dot)
    int16_t nOfsXInc = 0;        // 15
    int16_t nOfsY = 0;           // 16: 発射位置のズレY(dot)
    int16_t nOfsYInc = 0;        // 17
    uint8_t bMirrorX = 1;        // 18: negate the X offset when facing 1
    uint8_t bMirrorY = 0;        // 19: negate the Y offset when facing 1
    int16_t nGraphic = 0;        // 20: グラフィック
    uint8_t nZ = 0;              // 21: Z座標
    uint8_t nByte22 = 0;         // 22
    uint8_t nByte23 = 1;         // 23
    uint8_t nForce = 0;          // 24: 勢力
    uint8_t nByte25 = 0;         // 25
    uint8_t nByte26 = 1;         // 26: never below 1
    uint8_t nByte27 = 0;         // 27
    uint8_t nMoveType = 0;       // 28: movement 0..9; ソード: the sword type
    int16_t nMoveParam[3] = {};  // 29: 移動タイプ固有1..3
    uint8_t nByte30 = 0;         // 30 (from 767)
    uint8_t bScrollCarry = 0;    // 31: carried by the automatic scrolling (from 211)
    int16_t nSpeed = 0;          // 32: 速度
    int16_t nSpeedInc = 0;       // 33
    uint8_t nByte34 = 0;         // 34 (from 213)
    int16_t nAccel = 0;          // 35: 加速度 (from 213)
    int16_t nAccelInc = 0;       // 36 (from 213)
    int16_t nRange = 0;          // 37: 飛距離(hbl); character and item summons: 存在時間
    uint8_t bRangeOn = 0;        // 38: a shot stops after #37; a summoned object lives #37 tenths
    int16_t nRangeInc = 0;       // 39
    uint8_t nByte40 = 0;         // 40
    uint8_t nByte41 = 0;         // 41
    int16_t nLife = 0;           // 42: 存在時間(1/10s)
    int16_t nLifeInc = 0;        // 43
    uint8_t nByte44 = 0;         // 44
    uint8_t nByte45 = 0;         // 45
    uint8_t nByte46 = 0;         // 46 (from 636)
    uint8_t nByte47 = 0;         // 47
    uint8_t nVanish = 0;         // 48: 消滅値
    int32_t nPower = 0;          // 49: 威力
    int16_t nShort50 = 0;        // 50
    uint8_t nImpact = 0;         // 51: 衝撃
    int16_t nEffect = 0;         // 52: effect index
    uint8_t nItemKind = 0;       // 53: carried item: 1 common, 2 stage palette, 0 none
    int16_t nItemIndex = 0;      // 54
    uint8_t nBlockMode = 0;      // 55: block summons: 0 put, 1 erase, 2 toggle
    uint8_t bProtectPlayer = 0;  // 56: no block put where it would crush a player
    uint8_t bProtectChara = 0;   // 57: ... or a stage character (from 197)
    uint8_t nSummonKind = 0;     // 58: 0 common, 1 stage palette
    int16_t nSummonIndex = 0;    // 59
    uint8_t nByte60 = 0;         // 60: キャラ召喚: force choice
    uint8_t bNoScore = 0;        // 61: the summoned character scores 0
    uint8_t nByte62 = 0;         // 62
    uint8_t bySetting1 = 0;      // 63: kept by a summoned character (from 762)
    uint8_t bySetting2 = 0;      // 64 (from 762)
};
