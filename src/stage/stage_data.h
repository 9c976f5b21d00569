#pragma once
// The stage file's record: the stage settings, the stage palette (its own
// block, character and item definitions; entry 0 of each list is a fixed empty
// entry), the placed blocks, characters and items, the background layers,
// removal rules, texts and ranking switches.
//
// File: u32 version, the record stream (98 numeric settings, the text), the
// ranking switches, five removal rules, the three palette lists, the three
// placed lists (each entry preceded by a u32 0), the background layers, the
// texts and, from version 173, the trailer 123456789.
#include <cstdint>
#include <span>
#include <string>

#include "records/field_table.h"
#include "records/safe_container.h"
#include "stage/block_data.h"
#include "stage/chara_data.h"
#include "stage/item_data.h"
#include "stage/stage_data_records.h"

constexpr uint32_t STAGE_TRAILER = 123456789;
constexpr int STAGE_RANK_SWITCH_NUM = 5;
constexpr int STAGE_TEXT_NUM = 1000;
// Numeric fields of the stage record in a current file, and in the layout
// without the five derived doubles, which files with that count word use.
constexpr int STAGE_FIELD_NUM = 98;
constexpr int STAGE_FIELD_NUM_SHORT = 93;

// The five removal rules, in stored order.
enum eStageIntRec {
    INTREC_CHARA = 0,       // stage characters
    INTREC_BLOCKCHARA = 1,  // block characters
    INTREC_ITEM = 2,        // items
    INTREC_SHOT0 = 3,       // shots whose third kind value is 0
    INTREC_SHOT = 4,        // the other shots
    INTREC_NUM = 5,
};

class cStageData : public cTableRecord {
public:
    // A stage as the clear routine leaves it.
    cStageData();
    cStageData(const cStageData&) = default;
    cStageData(cStageData&&) = default;
    cStageData& operator=(const cStageData&) = default;
    cStageData& operator=(cStageData&&) = default;

    // Registers the numeric settings stored in `version` and the text.
    void Layout(uint32_t version) override;
    // Reads a stage stream of version nReadVersion (its settings in the short
    // layout when their count word says so), repairs older versions,
    // validates and checks it. A stream that is damaged or that would break
    // play leaves this record unchanged and the reader failed (the reason
    // goes to the report log).
    void Load(cDataReader& file) override;
    // Validates, then writes the stream at the current version.
    void Save(cDataWriter& file) override;
    // Writes a stage stream whose settings, ranking switches, removal rules,
    // background layers and texts are those of `settings` and whose six
    // object lists are this record's (replays).
    void SaveForReplay(cDataWriter& file, cStageData& settings);

    // The clear routine: settings to their defaults, placed lists empty, one
    // entry in each palette list, one background layer, five ranking switches.
    void Clear();
    // Brings indices and list sizes into range (never refuses).
    void Validate() { Validate(false); }
    // Stores the hit level and derives the steps per frame and their values.
    void SetHitLevel(int32_t level);
    // Index of the hero among the placed characters, or -1.
    int FindHero() const;
    bool HasHero() const { return FindHero() != -1; }

    // The stored fields in stored order (current layout).
    static std::span<const FIELDROW<cStageData>> Rows();
    // The same without the five derived doubles (count word 93).
    static std::span<const FIELDROW<cStageData>> ShortRows();

    // --- stored settings (#n = position in the current stream) ---
    std::string strText;          // editor's text, not read in play
    int32_t nWidth = 0;           // #1 stage width in blocks
    int32_t nReserved2 = 0;       // #2
    int32_t nReserved3 = 0;       // #3
    int32_t nHeight = 0;          // #4 stage height in blocks
    int32_t bScrollLeft = 0;      // #5 use nScrollLeft as the first column of the scroll area
    int32_t bScrollRight = 0;     // #6 use nScrollRight as the last column
    int32_t bScrollTop = 0;       // #7 use nScrollTop as the first row
    int32_t bScrollBottom = 0;    // #8 use nScrollBottom as the last row
    int32_t nScrollLeft = 0;      // #9 (at most width - 20, or 0)
    int32_t nScrollRight = 0;     // #10 (at most width - 1)
    int32_t nScrollTop = 0;       // #11 (at most height - 15, or 0)
    int32_t nScrollBottom = 0;    // #12 (at most height - 1)
    int32_t nFps = 0;             // #13 frames per second of play
    int32_t bTimeLimit = 0;       // #14
    int32_t nTimeLimit = 0;       // #15
    int32_t nStatusDisplay = 0;   // #16 (the other reading: time warning threshold)
    int32_t nScrollKindX = 0;     // #17 0 follow the hero, 1 automatic
    int32_t nScrollKindY = 0;     // #18
    int32_t nAutoScrollX = 0;     // #19 automatic scroll speed
    int32_t nAutoScrollY = 0;     // #20
    double dGravity = 0;          // #21 gravity per frame
    int32_t nHitLevel = 0;        // #22 hit level 1..19
    int32_t nStepLevel = 0;       // #23 0 every step, 1..5
    int32_t nBgm = 0;             // #24 index into the database's music list
    int32_t nBgmValue2 = 0;       // #25 from 166
    int32_t bBgmContinue = 0;     // #26 from 199
    int32_t nDrawSwitch = 0;      // #27
    int32_t bCarryHeroStatus = 0; // #28
    int32_t nEndSetting = 0;      // #29
    int32_t nHitOption = 0;       // #30 from 183
    int32_t bSkipResults = 0;     // #31 from 184
    int32_t bStageBanner = 0;     // #32
    int32_t bStartBanner = 0;     // #33 from 225
    int32_t bClearBanner = 0;     // #34
    int32_t bGameOverBanner = 0;  // #35
    int32_t nHeroBodyAW = 0;      // #36..#39 from 200: hero body boxes A and B
    int32_t nHeroBodyAH = 0;
    int32_t nHeroBodyBW = 0;
    int32_t nHeroBodyBH = 0;
    int32_t nHeroRange0W = 0;     // #40, #41 hero range kind 0
    int32_t nHeroRange0H = 0;
    int32_t nHeroRange0FlyW = 0;  // #42, #43 from 155: the same when flying
    int32_t nHeroRange0FlyH = 0;
    int32_t nHeroRange1W = 0;     // #44, #45 hero range kind 1
    int32_t nHeroRange1H = 0;
    int32_t nHeroBox3W = 0;       // #46, #47 hero third box
    int32_t nHeroBox3H = 0;
    int32_t bHeroBodyAAlign = 0;  // #48, #49 from 200: bottom-align flags of the body boxes
    int32_t bHeroBodyBAlign = 0;
    int32_t bHeroRange0Align = 0;     // #50, #51 from 155
    int32_t bHeroRange0FlyAlign = 0;
    int32_t nHeroBoxShow1 = 0;    // #52 from 200; #52..#55 display of the hero's boxes
    int32_t nHeroBoxShow2 = 0;
    int32_t nHeroBoxShow3 = 0;
    int32_t nHeroBoxShow4 = 0;
    int32_t nHeroBoxColour1 = 0;  // #56 from 200; #56..#59 their colours
    int32_t nHeroBoxColour2 = 0;
    int32_t nHeroBoxColour3 = 0;
    int32_t nHeroBoxColour4 = 0;
    int32_t nCharaBodyAW = 0;     // #60..#63 from 200: character body boxes A and B
    int32_t nCharaBodyAH = 0;
    int32_t nCharaBodyBW = 0;
    int32_t nCharaBodyBH = 0;
    int32_t nCharaRange0W = 0;    // #64, #65 character-against-character range
    int32_t nCharaRange0H = 0;
    int32_t nCharaRange0FlyW = 0; // #66, #67 from 155
    int32_t nCharaRange0FlyH = 0;
    int32_t nCharaRange1W = 0;    // #68, #69 character-against-shot range
    int32_t nCharaRange1H = 0;
    int32_t bCharaBodyAAlign = 0; // #70, #71 from 200
    int32_t bCharaBodyBAlign = 0;
    int32_t bCharaRange0Align = 0;    // #72, #73 from 155
    int32_t bCharaRange0FlyAlign = 0;
    int32_t nItemSet1 = 0;        // #74, #75 item settings
    int32_t nItemSet2 = 0;
    int32_t nHeroRange2W = 0;     // #76, #77 hero and shot hit range
    int32_t nHeroRange2H = 0;
    int32_t nReserved78 = 0;      // #78, #79
    int32_t nReserved79 = 0;
    int32_t nShotRangeW = 0;      // #80, #81 shot-against-character range
    int32_t nShotRangeH = 0;
    int32_t nReserved82 = 0;      // #82..#84
    int32_t nReserved83 = 0;
    int32_t nReserved84 = 0;
    int32_t nOuterX = 0;          // #85 added to 640 for the outer size of the horizontal axis
    int32_t nOuterY = 0;          // #86
    int32_t nSteps = 0;           // #87 v, steps per frame
    double dSteps = 0;            // #88 v
    double dSteps2 = 0;           // #89 v * v
    double dSpeedLimit = 0;       // #90 6v, or 60 for levels 11..19
    double dGravityStep = 0;      // #91 gravity per step
    double dSpeedLimitStep = 0;   // #92 speed limit per step
    int32_t nSteps8 = 0;          // #93 8v
    int32_t bSearchSwitch = 0;    // #94
    int32_t nHeroHitWait = 0;     // #95..#98 invincibility settings
    int32_t nHeroInvincible = 0;
    int32_t nCharaHitWait = 0;
    int32_t nCharaInvincible = 0;

    // --- stored after the record ---
    cSafeVector<uint32_t> vRankSwitch;          // ranking switches, one per result kind
    cStageIntRec StageIntRec[INTREC_NUM];       // removal rules
    cSafeVector<cBlockData> vBlock;             // stage palette
    cSafeVector<cCharaData> vChara;
    cSafeVector<cItemData> vItem;
    cSafeVector<cBlockData> vPlacedBlock;       // placed objects
    cSafeVector<cCharaData> vPlacedChara;
    cSafeVector<cItemData> vPlacedItem;
    cSafeVector<cIntRec> vBg;                   // background layers
    cSafeVector<cStrListRec> vText;             // texts

    // --- run time, never saved ---
    int32_t nOldWord = 0;       // set to 0 by the conversion of files older than 208
    std::string strFileName;    // the file the stage was loaded from
    int32_t bNumbered = 0;      // numbered-file flag of the last load
    int32_t bLoaded = 0;        // set when the last load succeeded
    int32_t nSteps6 = 0;        // 6v

private:
    // bLoadChecked: the placed objects ran their load's checks (a block's
    // template and graphic, a character's flows, an item's commands) against
    // the palette sizes and database they would be checked against now (the
    // palettes' own are always checked). bBlockItemsChecked: the placed
    // blocks' item check ran too (then, with bLoadChecked, the blocks are
    // left alone when no palette has to grow).
    void Validate(bool bLoadChecked, bool bBlockItemsChecked = false);
    // Validate but for the placed objects' index checks (CheckPlacedBlock and
    // its kin, which a save runs on each object just before it writes it);
    // true when a palette list had to grow.
    bool ValidateAllButPlaced();
    // Reads the stream and validates; gives whether every placed block was
    // found inside the stage's cells.
    bool LoadStream(cDataReader& file);
    void Convert(uint32_t version);
    // The palettes and the placed objects, each placed object checked just
    // before it is written.
    void SaveObjects(cDataWriter& file);
    void SaveSettings(cDataWriter& file);
};
