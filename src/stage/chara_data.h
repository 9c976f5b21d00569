#pragma once
// A character definition: a palette entry or a placed character.
#include <cstdint>
#include <span>
#include <string>

#include "stage/definition.h"
#include "stage/flow.h"

constexpr int CHARA_GROUP_NUM = 37;

// Controller byte: the player's character or a computer-controlled one.
enum eController : uint8_t { CONTROLLER_PLAYER = 0, CONTROLLER_COMPUTER = 1 };

class cCharaData final : public cDefinition {
public:
    // A character as the clear routine leaves it.
    cCharaData();
    cCharaData(const cCharaData&) = default;
    cCharaData(cCharaData&&) = default;
    cCharaData& operator=(const cCharaData&) = default;
    cCharaData& operator=(cCharaData&&) = default;

    // Registers the 53 numbers and the name (#20, #23 from 196, #33 from 285,
    // #36 from 210, #42 from 201, #46 from 168).
    void Layout(uint32_t version) override;
    // The stream of a character (editor-only flows removed unless started by
    // the editor), the repairs of older files, the template and the index checks.
    void Load(cDataReader& file) override;
    // Index checks, then the stream at the current version.
    void Save(cDataWriter& file) override;
    // Carried item 0, generic clear, 37 zero flags, then the defaults.
    void Clear();
    // Copies the inherited property groups from the template; true when the
    // flows were copied.
    bool ApplyTemplate();
    // Resets out-of-range indices, keeps a player's character single and
    // removes flows that can never do anything.
    void CheckIndex();
    // CheckIndex without the walk over the flows.
    void CheckOwnIndex();
    // CheckIndex with the commands' checks left to their own saves (inside a
    // cCmdChecksOnSaveScope): its own checks and the removal of the flows
    // that can never do anything, which the commands' checks never change.
    void CheckIndexButCmds();
    // Brings every flow's palette and database references into range.
    void CheckFlowIndex();
    // X offset of the n-th character of the record: base + step * n, negated
    // when facing is 1 and the X mirror flag is set.
    double GetOffsetX(int n, int facing) const;
    double GetOffsetY(int n, int facing) const;
    // The character is the player's (controller 0).
    bool IsPlayer() const { return byController == CONTROLLER_PLAYER; }

    static std::span<const FIELDROW<cCharaData>> Rows();

    uint8_t byFacing = 0;          // #5 1 = mirrored direction for the offsets and movements
    uint8_t byRepeat = 0;          // #6 the record places this value + 1 characters
    int16_t nOffsetXBase = 0;      // #7
    int16_t nOffsetXStep = 0;      // #8
    int16_t nOffsetYBase = 0;      // #9
    int16_t nOffsetYStep = 0;      // #10
    uint8_t bOffsetXMirror = 0;    // #11
    uint8_t bOffsetYMirror = 0;    // #12
    uint16_t wGraphic = 0;         // #13 graphic index
    uint8_t byGraphicKind = 1;     // #14 graphic source kind
    uint16_t wGraphicSub = 0;      // #15
    uint16_t wAnimeSet = 0;        // #16 index into the database's animation sets
    uint8_t byZ = 3;               // #17 drawing order 0..7
    uint8_t bTransparent = 0;      // #18 not drawn
    uint16_t wAppearEffect = 0;    // #19 character effect at set-up
    uint8_t byAppearEffectMode = 0;// #20 from 196: 0 forward, 1 reversed, 2 there and back
    uint8_t bAppearEffectRepeat = 1;// #21
    uint16_t wDeathEffect = 0;     // #22 character effect at death
    uint8_t byDeathEffectMode = 0; // #23 from 196
    uint8_t bMark = 0;             // #24 mark flag
    uint16_t wMark = 0;            // #25 mark number
    uint8_t byController = 1;      // #26 0 player, 1 computer: the object kind
    uint8_t byKeyInput = 0;        // #27 second kind value: key input of a player's character
    uint8_t byForce = 1;           // #28 third kind value: side 0..7
    uint8_t byCharaId = 0;         // #29
    uint8_t byFlying = 0;          // #30 0 off, 1 through blocks, 2 hits blocks, 3 dies on blocks
    uint8_t bFixedFacing = 1;      // #31
    uint8_t byInvincible = 0;      // #32
    uint8_t bySetting33 = 0;       // #33 from 285
    uint8_t bWholeCell = 0;        // #34 body and hit boxes are the whole cell
    int8_t chSize = 1;             // #35 size n: n x n cells, at least 1
    uint8_t bAutoScrollSync = 0;   // #36 from 210
    uint8_t bySightShape = 0;      // #37
    uint8_t bySightRange = 0;      // #38 half blocks
    int32_t nMaxHP = 10;           // #39
    int32_t nMaxSP = 0;            // #40
    uint16_t wStopEase = 10;       // #41
    uint8_t byHitRangeKind = 0;    // #42 from 201: 0..3
    int32_t nBodyPower = 0;        // #43
    uint8_t byBodyImpact = 0;      // #44
    uint16_t wBodyEffect = 0;      // #45 index into the database's effects
    int32_t nDefence = 0;          // #46 from 168
    uint8_t byImpactResist = 0;    // #47
    int32_t nScore = 0;            // #48
    uint8_t bySetting49 = 1;       // #49
    uint8_t bySetting50 = 0;       // #50
    uint16_t wSetting51 = 0;       // #51
    uint8_t bySetting52 = 0;       // #52
    uint8_t bySetting53 = 0;       // #53

    int32_t nItem = 0;             // carried item: index of a placed item, -1 none
    cSafeVector<cFlow> vFlow;      // flows

private:
    void Convert(uint32_t version);
    // The flows' index checks (database ones when bDb) and the removal of
    // flows that can never do anything.
    void CheckFlows(bool bDb);
    // Makes the flag vector 37 long and inserts an inherited flag at position k.
    void InsertFlag(size_t k);
};
