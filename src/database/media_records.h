#pragma once
// The database records that name one media file: a character's dedicated
// bitmap, a picture, a sound effect and a piece of music. Each stores a name,
// an added integer (from version 151 or 152; files older than 153 store one
// that is discarded on loading) and the file name.
#include <cstdint>
#include <string>
#include <vector>

#include "records/field_table.h"

// Files older than this version store an added integer that loading sets to 0.
constexpr uint32_t ADDED_INT_VALID_VERSION = 153;

// After a generic load: the added integer of a file older than 153 becomes 0.
void FixAddedInt(int32_t& nAddedInt);

// A character's dedicated bitmap (Bmp_CharaExc.dat).
class cCharaBmpData final : public cTableRecord {
    struct UNTAKEN {};

public:
    // The defaults: cleared, cell size in blocks 2 (the default content's entries).
    cCharaBmpData();
    // The members' initial values alone, for the list load (which takes them all).
    explicit cCharaBmpData(UNTAKEN) {}
    // Registers name, added integer (from 152), file, the two size fields (from 172).
    void Layout(uint32_t version) override;
    // The table load, then the added-integer fix-up.
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    // Runs of elements loaded and saved as their own Load and Save do one by one.
    static void LoadRun(cDataReader& file, cCharaBmpData* elems, size_t n);
    static void SaveRun(cDataWriter& file, cCharaBmpData* elems, size_t n);
    // A list load's new entries (see AppendsLoaded).
    static void AppendLoaded(cDataReader& file, std::vector<cCharaBmpData>& v, size_t n);
    // The stored fields in stored order.
    static std::span<const FIELDROW<cCharaBmpData>> Rows();
    // A list loader's new entry: everything cleared (cell size 0).
    void InitFresh();
    // Cell size in pixels: cell size in blocks x 32 when the custom size is on, else 32.
    int CellPixels() const;

    std::string strName;
    int32_t nAddedInt = 0;
    std::string strFile;
    int32_t bCustomCellSize = 0;
    int32_t nCellBlocks = 2;
};

// A picture (Picture.dat).
class cPictureData final : public cTableRecord {
    struct UNTAKEN {};

public:
    // Cleared.
    cPictureData();
    // The members' initial values alone, for the list load (which takes them all).
    explicit cPictureData(UNTAKEN) {}
    // Registers name, added integer (from 151), file.
    void Layout(uint32_t version) override;
    // The table load, then the added-integer fix-up.
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    // Runs of elements loaded and saved as their own Load and Save do one by one.
    static void LoadRun(cDataReader& file, cPictureData* elems, size_t n);
    static void SaveRun(cDataWriter& file, cPictureData* elems, size_t n);
    // A list load's new entries (see AppendsLoaded).
    static void AppendLoaded(cDataReader& file, std::vector<cPictureData>& v, size_t n);
    static std::span<const FIELDROW<cPictureData>> Rows();
    // A list loader's new entry (cleared).
    void InitFresh();

    std::string strName;
    int32_t nAddedInt = 0;
    std::string strFile;
};

// A sound effect (Sound.dat).
class cSoundData final : public cTableRecord {
    struct UNTAKEN {};

public:
    // Cleared.
    cSoundData();
    // The members' initial values alone, for the list load (which takes them all).
    explicit cSoundData(UNTAKEN) {}
    // Registers name, added integer (from 151), file.
    void Layout(uint32_t version) override;
    // The table load, then the added-integer fix-up.
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    // Runs of elements loaded and saved as their own Load and Save do one by one.
    static void LoadRun(cDataReader& file, cSoundData* elems, size_t n);
    static void SaveRun(cDataWriter& file, cSoundData* elems, size_t n);
    // A list load's new entries (see AppendsLoaded).
    static void AppendLoaded(cDataReader& file, std::vector<cSoundData>& v, size_t n);
    static std::span<const FIELDROW<cSoundData>> Rows();
    // A list loader's new entry (cleared).
    void InitFresh();

    std::string strName;
    std::string strFile;
    int32_t nAddedInt = 0;
};

// A piece of music (Bgm.dat).
class cBgmData final : public cTableRecord {
    struct UNTAKEN {};

public:
    // The defaults: cleared, volume 100.
    cBgmData();
    // The members' initial values alone, for the list load (which takes them all).
    explicit cBgmData(UNTAKEN) {}
    // Registers name, added integer (from 151), file, volume (from 814).
    void Layout(uint32_t version) override;
    // The table load, then the added-integer fix-up.
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    // Runs of elements loaded and saved as their own Load and Save do one by one.
    static void LoadRun(cDataReader& file, cBgmData* elems, size_t n);
    static void SaveRun(cDataWriter& file, cBgmData* elems, size_t n);
    // A list load's new entries (see AppendsLoaded).
    static void AppendLoaded(cDataReader& file, std::vector<cBgmData>& v, size_t n);
    // A list loader's new entry: the defaults (files older than 814 play at 100).
    void InitFresh();
    static std::span<const FIELDROW<cBgmData>> Rows();

    std::string strName;
    int32_t nAddedInt = 0;
    std::string strFile;
    int32_t nVolume = 100;  // percent
};
