#pragma once
// Rankings: one file per stage and game type, five tables of 20 rows (score,
// time left, clear time, HP left, SP left by default).
//
// File: u32 version; the list's stream (u32 0, u32 0); u32 table count; per
// table its stream (u32 1, i32 bDescending, u32 0), u32 row count, per row
// its stream (u32 2, i32 bUse, i32 nValue, u32 1, the name).
#include <cstdint>
#include <span>
#include <string>

#include "records/field_table.h"
#include "records/safe_container.h"

struct DDSURFACEDATA;

constexpr int RANK_TABLE_NUM = 5;
constexpr int RANK_ROW_NUM = 20;
constexpr int RANK_TABLE_CLEAR_TIME = 2;

// One row.
class cRankData : public cTableRecord {
public:
    static std::span<const FIELDROW<cRankData>> Rows();
    void Layout(uint32_t version) override;
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;

    int32_t bUse = 0;      // the row holds a result
    std::string strName;   // registered name
    int32_t nValue = 0;    // the result (clear time: hundredths of a second)
};

// One table.
class cRanking : public cTableRecord {
public:
    static std::span<const FIELDROW<cRanking>> Rows();
    void Layout(uint32_t version) override;
    // The stream, then u32 m and m rows (as many as stored).
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;

    // Row the value would take, or -1. An equal value ranks below the rows
    // that already hold it.
    int GetRankPos(int value) const;
    // Inserts a used row at the value's place and drops the last row: the
    // table keeps its length, and a value that does not rank changes nothing.
    void AddRank(const std::string& name, int value);
    // Fields cleared; exactly 20 rows (cut, or filled with empty ones).
    void FixEntryNum();

    int32_t bDescending = 0;  // 1: larger values rank higher
    cSafeVector<cRankData> vRankData;
};

// One stage's file; registers no field.
class cRankingList : public cTableRecord {
public:
    // The five default tables.
    cRankingList();
    void Layout(uint32_t version) override;
    // The tables as stored; a file older than 181 is brought to five tables.
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;

    // Five empty tables of 20 rows, orders 1, 1, 0, 1, 1.
    void Reset();
    // Reads the file of game type g (0 story, 1 challenge, 2 free) and stage;
    // no file for the game type, or a file that is missing, damaged or too
    // new: the defaults and 0. Else 1.
    int LoadFile(int g, const std::string& stage, int e1, int e2, int e3);
    // Writes it through a temporary file: 0 when the game type has no file or
    // it could not be written, else 1.
    int SaveFile(int g, const std::string& stage, int e1, int e2, int e3);
    // Draws table n (ranking_draw.cpp) in the 16-pixel font into a 272 x 352
    // panel at (x, y), the highlight icon on row `mark` (-1: none); g: the
    // game type whose enabled tables decide the switching hint; bEnglish: the
    // English title.
    void Draw(DDSURFACEDATA* dst, int x, int y, int n, int mark, int g, int bEnglish) const;

    cSafeVector<cRanking> vRanking;
};

// The ranking file of game type g for a stage name (the save record's
// strStage; in the story with the event suffix): folder + file name + "rkg";
// empty for a game type without rankings.
std::string GetRankingFilePath(int g, const std::string& stage, int e1, int e2, int e3);
// Clear time text "mm:ss.hh" (minutes with at least 2 digits).
std::string MakeTimeText(int value);
// The results panel after play at (x, y): one line per result in table
// order whose table the stage and game type `g` rank (name and value,
// the clear time as time text), a highlight icon at the left edge for each
// result that ranks (pos[i] != -1). pos and results hold five entries.
void DrawResultRanking(DDSURFACEDATA* dst, int x, int y, int g, const cSafeVector<int32_t>& pos,
                       const cSafeVector<int32_t>& results);
