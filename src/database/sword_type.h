#pragma once
// Sword types (SwordType.dat): a name, an added integer, a file, a third text
// and a list of frames stored after the record stream.
#include <cstdint>
#include <string>
#include <vector>

#include "records/field_table.h"
#include "records/inline_list.h"

// The ten values of a sword frame, by index. Values 3 and 4 are stored from
// version 138. The meaning of values 6 to 10 is a working reading kept here
// only, so that it can be changed in one place.
enum eSwordFrameValue {
    SWORDFRAME_X = 0,        // X offset
    SWORDFRAME_Y = 1,        // Y offset
    SWORDFRAME_MIRROR_X = 2, // X offset mirrored with the facing (1 in a new frame)
    SWORDFRAME_MIRROR_Y = 3, // Y offset mirrored with the facing
    SWORDFRAME_PLACE = 4,    // 0 front, 1 behind, 2 above, 3 below
    SWORDFRAME_WIDTH = 5,
    SWORDFRAME_HEIGHT = 6,
    SWORDFRAME_TIME = 7,     // display time, tenths of a second (signed 16-bit)
    SWORDFRAME_SHEET_X = 8,
    SWORDFRAME_SHEET_Y = 9,
    SWORDFRAME_VALUE_NUM = 10,
};

// One frame of a sword type: a plain value stored as a table record, not a
// record itself, so that frame lists are copied and freed as arrays.
struct cSwordFrameData {
    // The defaults: cleared, mirror X (value 3) 1.
    cSwordFrameData();
    // The table load and save of values 1 and 2, 3 and 4 (from 138), 5 to 10.
    void Load(cDataReader& file);
    void Save(cDataWriter& file);
    // The stored fields in stored order.
    static std::span<const FIELDROW<cSwordFrameData>> Rows();
    // Display time in tenths of a second (the value read as signed 16-bit).
    int32_t GetTime() const { return static_cast<int16_t>(nValue[SWORDFRAME_TIME]); }

    int32_t nValue[SWORDFRAME_VALUE_NUM] = {};
};

// The frames of a sword type: a swing is a few frames, so up to 8 lie inside
// the sword type and a load allocates nothing for them.
using cSwordFrameList = cInlineList<cSwordFrameData, 8>;

class cSwordTypeData final : public cTableRecord {
    struct NOFRAME {};

public:
    // The defaults: cleared, one new frame whose last value is 1.
    cSwordTypeData();
    // The same without its frame, for the list load (which gives it one).
    explicit cSwordTypeData(NOFRAME);
    // Registers name, added integer (from 151), file, third text.
    void Layout(uint32_t version) override;
    // The table load, the frame list (emptied, then m new frames loaded in
    // place), then the added-integer fix-up.
    void Load(cDataReader& file) override;
    // The table save, u32 m and the frames.
    void Save(cDataWriter& file) override;
    // Runs of elements loaded and saved as their own Load and Save do one by one.
    static void LoadRun(cDataReader& file, cSwordTypeData* elems, size_t n);
    static void SaveRun(cDataWriter& file, cSwordTypeData* elems, size_t n);
    // A list load's new entries, each made with its frame list sized once to
    // the count stored (see AppendsLoaded).
    static void AppendLoaded(cDataReader& file, std::vector<cSwordTypeData>& v, size_t n);
    // A list loader's new entry: the same as a new sword type.
    void InitFresh();
    // The stored fields in stored order (the frames follow them).
    static std::span<const FIELDROW<cSwordTypeData>> Rows();
    // Sum of the frames' display times (tenths of a second).
    int32_t TotalTime() const;

    std::string strName;
    int32_t nAddedInt = 0;
    std::string strFile;
    std::string strText3;
    cSwordFrameList vFrame;

private:
    // What Load reads after the table (the frame list, then the added-integer
    // fix-up) and Save writes after it (u32 m and the frames).
    void LoadTail(cDataReader& file);
    void SaveTail(cDataWriter& file);
    // Appends a new frame (last value 1).
    void AddNewFrame();
};
