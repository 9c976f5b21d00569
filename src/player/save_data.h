#pragma once
// The player's progress (cSaveData): place on the world map, the stage of the
// run, the run's score and result totals, the game's switches and variables,
// the best result of every stage played and the hero's properties carried
// from stage to stage. Story slots 1..99 and the challenge file each hold one:
// u32 version, the record stream (32 numeric fields, 3 strings), then the
// save time and the lists, in the order Save writes them.
#include <cstdint>
#include <span>
#include <string>

#include "database/pair_record.h"
#include "player/system_time.h"
#include "records/field_table.h"
#include "records/safe_container.h"
#include "stage/chara_data.h"
#include "stage/stage_data_records.h"  // cTextRec, the per-stage best

struct DDSURFACEDATA;

constexpr int STORY_SLOT_NUM = 99;
constexpr int STORE_FLAG_NUM = 25;   // carried hero properties
constexpr int MAP_FLAG_NUM = 1000;   // world-map switches
constexpr int VAR_NUM = 1001;        // the game's variables C0..C1000
constexpr int VAR_NUM_OLD = 1000;    // files older than 754 hold C0..C999
constexpr int UNLIMITED_LIVES = 999999;

// Game types, as the scene manager numbers them.
enum : int { SAVE_GAME_STORY = 0, SAVE_GAME_CHALLENGE = 1, SAVE_GAME_FREE = 2, SAVE_GAME_REPLAY = 3 };

// One player's carried hero: five values and the hero's character record.
class cHeroStore : public cTableRecord {
public:
    static std::span<const FIELDROW<cHeroStore>> Rows();
    void Layout(uint32_t version) override;
    // The five values' stream, then the character record's stream.
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;

    int32_t nPlayerValue1 = 0;  // carried property 11
    int32_t nPlayerValue2 = 0;  // 12
    int32_t nTimeLimit = 0;     // 22: stage field #15
    int32_t nLives = 0;         // 23
    int32_t nBgm = 0;           // 24: stage field #24
    cCharaData Chara;           // the carried character fields
};

// The numbers of the live hero that are carried from its current state
// rather than from its record (carried property 4), and the three values.
struct HEROSTATUS {
    int32_t nPlayerValue1 = 0, nPlayerValue2 = 0;
    uint16_t wField19 = 0;
    uint8_t byField20 = 0, byField21 = 0;
    int32_t nTimeLimit = 0, nLives = 0, nBgm = 0;
};

class cSaveData : public cTableRecord {
public:
    // Laid out at the current version and cleared.
    cSaveData();

    static std::span<const FIELDROW<cSaveData>> Rows();
    void Layout(uint32_t version) override;
    // The record stream of the file's version, the save time and the lists,
    // the repairs of older files, the list lengths, then Normalize.
    void Load(cDataReader& file) override;
    // Normalize, then the stream at the current version with every list.
    void Save(cDataWriter& file) override;
    // Every field 0 and every string empty, then the defaults of a new game:
    // 25 carry flags 0, one hero store, 1000 map switches with switch 0 on,
    // 1001 variables 0, no stage records or pairs, pair index 1, story slot
    // -1, entry name "aaa".
    void Clear();
    // Clamps the record to the project: the map position inside the world
    // map, the pair list as long as the challenge's stage count.
    void Normalize();

    // Writes story slot n (0..98) through a temporary file, stamped with the
    // local time, and marks the slot used in the slot list; 1, or 0 when the
    // file could not be written (the old file stays as it was).
    int SaveStory(int n);
    // Reads story slot n; a missing or damaged file leaves the record as it
    // was. The life-stock rule of the story follows. Always 1.
    int LoadStory(int n);
    // Reads the challenge file; 0 when it is missing or damaged (record
    // unchanged), else 1 after the life-stock rule of the challenge.
    int LoadChallenge();
    // Writes the challenge file through a temporary file; 1 on success.
    int SaveChallenge();
    // Unlimited stock for game type g when the project says so, else a
    // stock saved as unlimited becomes the start stock.
    void ApplyLifeStockRule(int g);

    // strStage, strRankName and the events of a new stage (see the .cpp).
    void SetStageFile(const std::string& path, int e1, int e2, int e3);
    // Keeps the best value per stage (by ranking name) and the total.
    void RecordStageResult(const std::string& stage, const std::string& rankName, int e1, int e2, int e3,
                           int value);
    // Best value of the stage with that ranking name; 0 when none.
    int GetStageValue(const std::string& rankName) const;
    // nBestTotal = sum of the best values of the stages the world map still has.
    void CalcTotalValue();

    // The stage-start copies of the variables, the stock and the score.
    void SaveStageStart();
    // Forced (a replay's input ended): variables, score and stock back.
    // Otherwise (retry): the variables when bRestoreVarSetting, and the score.
    // The project setting that decides bRestoreVarSetting is the play engine's.
    void RestoreVars(int bForced, int bRestoreVarSetting = 1);

    // The five run totals of the results (score, time left, clear time, HP
    // and SP left) back to 0; the sum of the per-stage bests stays.
    void ResetTotals();

    // Stores the hero's carried properties whose carry switch is on.
    void StoreHeroStatus(int player, const cCharaData& chara, const HEROSTATUS& status);
    // Copies the stored properties back into chara and status (their
    // switches on and stored); 0 when nothing was stored.
    int RestoreHeroStatus(int player, cCharaData& chara, HEROSTATUS& status) const;
    // The stored player values 1 and 2 where carried; others left as they are.
    void RestorePlayerValues(int player, int32_t& value1, int32_t& value2) const;
    // Forgets the properties that the project's forget list names.
    void ClearStoredFlags();
    // The next lap: every map switch off but switch 0, back to the start.
    void NextLap();
    // Moves nRankTable by steps through the tables enabled for game type g.
    void StepRankTable(int g, int steps);

    // --- stored fields (#n = row of the save record) ---
    int32_t bHeroStore = 0;     // #1 the hero's carried properties have been stored
    int32_t nMapX = 0;          // #2 world-map position
    int32_t nMapY = 0;          // #3
    int32_t lpWorld = 0;        // #4 the world record being played (run time only; a 32-bit word on disk)
    int32_t nLap = 0;           // #5 times the game was started over
    std::string strStage;       // #6 the stage file's path, extension removed, dot kept
    std::string strRankName;    // #7 from 724: strStage with the event suffix
    int32_t nEvent1 = 0;        // #8 from 758: the world-map event that started the stage
    int32_t nEvent2 = 0;        // #9
    int32_t nEvent3 = 0;        // #10
    int32_t nValue11 = 0;       // #11 the play engine's
    int32_t nStageNo = 0;       // #12 number of the stage of the run
    int32_t nLivesInit = 0;     // #13 stock the run started with (999999 unlimited)
    int32_t nLives = 0;         // #14 current stock
    int32_t nValue15 = 0;       // #15 the play engine's
    int32_t nScore = 0;         // #16
    int32_t nBestTotal = 0;     // #17 sum of the per-stage bests
    int32_t nTimeLeft = 0;      // #18
    int32_t nClearTime = 0;     // #19 hundredths of a second
    int32_t nHpLeft = 0;        // #20 from 182
    int32_t nSpLeft = 0;        // #21 from 182
    int32_t bMultiPart = 0;     // #22 the stage file's name holds "-1"
    int32_t nValue23 = 0;       // #23 the play engine's
    int32_t nValue24 = 0;       // #24 from 166 (older files: 1)
    int32_t nValue25 = 0;       // #25 from 194
    int32_t nValue26 = 0;       // #26 from 190
    int32_t nValue27[2] = {0, 0};  // #27, #28 from 191
    int32_t nPairIndex = 1;     // #29 index into vPair, at most its length
    int32_t nStorySlot = -1;    // #30 the story's save slot, -1 none
    int32_t nValue31 = 0;       // #31 from 169
    std::string strEntryName = "aaa";  // #32 name last registered in a ranking
    int32_t nValue33 = 0;       // #33 the play engine's
    int32_t nRankTable = 0;     // #34 ranking table shown during name entry
    int32_t nValue35[3] = {0, 0, 0};  // #35..#37 from 678
    int32_t nValue38 = 0;       // #38 from 679

    // --- stored after the record stream ---
    SYSTEMTIME tmSave;                   // time of the last story save
    cSafeVector<int32_t> vStoreFlag;     // per carried property: stored
    cSafeVector<cHeroStore> vHeroStore;  // one per player
    cSafeVector<cTextRec> vStageRec;     // per-stage bests
    cSafeVector<cPairRecord> vPair;      // per challenge stage: the play engine's pair
    cSafeVector<int32_t> vMapFlag;       // world-map switches
    cSafeVector<int32_t> vVar;           // the game's variables

    // --- run time, never stored ---
    cSafeVector<int32_t> vVarBackup;
    int32_t nLivesBackup = 0;
    int32_t nScoreBackup = 0;
};

// The story event suffix: nothing when e1 is 0; else a final dot comes off,
// "_c" + e2 (at least 3 digits) + "_" + e3 is added, and the dot goes back.
void AddEventSuffix(std::string& s, int e1, int e2, int e3);
// "user_data\story\StoryNN.dat" of slot n (0..98).
std::string GetStorySlotPath(int n);

// One entry of the story slot list.
class cSaveSlot : public cTableRecord {
public:
    static std::span<const FIELDROW<cSaveSlot>> Rows();
    void Layout(uint32_t version) override;
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;

    int32_t bUse = 0;   // the slot's file exists and reads
    SYSTEMTIME tmSave;  // its save time
};

// Marks every slot whose file reads as used, with its save time.
void RefreshSlotList(cSafeVector<cSaveSlot>& slots);
// The text of a slot in the list: "YYYY/MM/DD hh:mm\n", empty for an unused slot.
std::string MakeSlotText(const cSaveSlot& slot);
// Draws `rows` slots from `first` in a framed box 320 wide at (x, y): the
// slot number counted from 1 and its text (slot_list_draw.cpp).
void DrawSlotList(DDSURFACEDATA* dst, int x, int y, const cSafeVector<cSaveSlot>& slots, int first, int rows);
// Saves the live record to its story slot when it has one; 1 when written,
// 0 without a slot or when the write failed.
int AutoSaveStory(cSaveData& data);
