#pragma once
// Animation sets: a set names a character's family of animations, a list of
// movement entries, each a named list of frames. The movement entry is also
// the animation record of the database's animation list.
#include <cstdint>
#include <string>
#include <vector>

#include "records/field_table.h"
#include "records/inline_list.h"

// One frame of a movement entry: three values (cell, duration in tenths of a
// second, flag); a new frame has value 2 = 1. A plain value stored as a table
// record, not a record itself: frame lists (thousands in a database) are
// copied, loaded and freed as arrays, with no per-frame construction or
// destruction.
struct cAnimeSetFrame {
    // The table load and save of the three values.
    void Load(cDataReader& file);
    void Save(cDataWriter& file);
    // The stored fields in stored order.
    static std::span<const FIELDROW<cAnimeSetFrame>> Rows();

    int32_t nValue1 = 0;
    int32_t nValue2 = 1;
    int32_t nValue3 = 0;
};

// The frames of a movement entry: animations are mostly a few frames long,
// so up to 8 lie inside the entry and a load allocates nothing for them.
using cAnimeFrameList = cInlineList<cAnimeSetFrame, 8>;

// A movement entry: a name, two 16-bit values and a flag (from version 55),
// then its frame list stored after the record stream.
class cAnimeSetMove final : public cTableRecord {
    struct NOFRAME {};

public:
    // A new entry as Init leaves it: one default frame, flag 1.
    cAnimeSetMove();
    // The same without its frame, for the list load (which gives it one).
    explicit cAnimeSetMove(NOFRAME) {}
    cAnimeSetMove(const cAnimeSetMove&) = default;
    cAnimeSetMove& operator=(const cAnimeSetMove&) = default;
    // Registers the name and, from version 55, the two values and the flag.
    void Layout(uint32_t version) override;
    // The record stream, then u32 frame count and the frames.
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    // Clears the entry, gives it exactly one new frame and sets the flag to 1.
    void Init();
    // Runs of entries loaded and saved as their own Load and Save do one by one.
    static void LoadRun(cDataReader& file, cAnimeSetMove* elems, size_t n);
    static void SaveRun(cDataWriter& file, cAnimeSetMove* elems, size_t n);
    // A list load's new entries, each made with its frame list sized once to
    // the count stored (see AppendsLoaded).
    static void AppendLoaded(cDataReader& file, std::vector<cAnimeSetMove>& v, size_t n);
    // Makes the frame list n long: new frames are default frames, surplus frames go from the end.
    void ResizeFrames(size_t n);
    // The stored fields in stored order (the frames follow them).
    static std::span<const FIELDROW<cAnimeSetMove>> Rows();

    std::string strName;
    uint16_t wValue1 = 0;
    uint8_t byFlag = 1;
    uint16_t wValue2 = 0;
    cAnimeFrameList vFrame;

private:
    // What Load reads and Save writes after the record stream: the frame count and the frames.
    void LoadFrames(cDataReader& file);
    // The same for a new entry made without its frame: as if it held its one
    // default frame, with the frame list allocated once, to the count stored.
    void LoadNewFrames(cDataReader& file);
    void SaveFrames(cDataWriter& file);
};

// An animation set: a name, three picture offsets (C from version 119) and
// its movement entries stored after the record stream.
class cAnimeSetData final : public cTableRecord {
public:
    cAnimeSetData();
    cAnimeSetData(const cAnimeSetData&) = default;
    cAnimeSetData& operator=(const cAnimeSetData&) = default;
    // Registers the name and the offsets (C from version 119).
    void Layout(uint32_t version) override;
    // The record stream, u32 entry count and the entries; sets of versions
    // below 119 and 128 are brought to four entries (2 "飛行", 3 "飛行移動").
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    // The stored fields in stored order (the entries follow them).
    static std::span<const FIELDROW<cAnimeSetData>> Rows();

    std::string strName;
    int32_t nOffsetA = 0;
    int32_t nOffsetB = 0;
    int32_t nOffsetC = 0;
    std::vector<cAnimeSetMove> vMove;

private:
    void ResizeMoves(size_t n);
};
