#pragma once
// Effect graphics (Effect.dat): a strip of cells side by side in one row and
// the frames that play them. The play engine's effect code reads the same
// record (it calls the third value the scalable flag).
#include <cstdint>
#include <string>
#include <vector>

#include "database/pair_record.h"
#include "records/field_table.h"

class cEffectBmpData final : public cTableRecord {
    struct NOFRAME {};

public:
    // The defaults: cleared, cells 32 x 32, third value 0, one frame {cell 0, duration 1}.
    cEffectBmpData();
    // The same without its frame, for the list load (which gives it one).
    explicit cEffectBmpData(NOFRAME);
    // Registers name, added integer (from 151), file, cell width, cell height, third value.
    void Layout(uint32_t version) override;
    // The table load, the frame list, then the added-integer fix-up.
    void Load(cDataReader& file) override;
    // The table save, u32 count and the frames.
    void Save(cDataWriter& file) override;
    // Runs of elements loaded and saved as their own Load and Save do one by one.
    static void LoadRun(cDataReader& file, cEffectBmpData* elems, size_t n);
    static void SaveRun(cDataWriter& file, cEffectBmpData* elems, size_t n);
    // A list load's new entries, each made with its frame list sized once to
    // the count stored (see AppendsLoaded).
    static void AppendLoaded(cDataReader& file, std::vector<cEffectBmpData>& v, size_t n);
    // A list loader's new entry: the same as a new effect graphic.
    void InitFresh();
    // The stored fields in stored order (the frames follow them).
    static std::span<const FIELDROW<cEffectBmpData>> Rows();

    std::string strName;
    int32_t nAddedInt = 0;
    std::string strFile;
    int32_t nCellWidth = 32;
    int32_t nCellHeight = 32;
    int32_t bScalable = 0;           // third value: hit effects grow with the attacker's scale
    cPairList vFrame;  // {cell, duration in tenths of a second}

private:
    // What Load reads after the table: the frame list, then the added-integer fix-up.
    void LoadTail(cDataReader& file);
};
