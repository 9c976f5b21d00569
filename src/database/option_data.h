#pragma once
// The player's own settings (user_data\Option.dat): the palette of 8-bit
// screens, the music switch, the sound-effect volume, the ranking
// registration mode and the ranking name.
#include <cstdint>
#include <string>

#include "records/field_table.h"

constexpr int OPTION_PALETTE_MAX = 23;
constexpr int OPTION_SE_VOLUME_MAX = 10;
constexpr int OPTION_RANK_MODE_MAX = 3;

class cOptionData : public cTableRecord {
public:
    // The defaults: Reset.
    cOptionData();
    // Registers the four integers, then the name (every version alike).
    void Layout(uint32_t version) override;
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    // Back to the defaults: palette 0, music on, volume 7, rank mode 0, name "aaa".
    void Reset();
    // The stored fields in stored order.
    static std::span<const FIELDROW<cOptionData>> Rows();
    // Brings every value into its range (stored values are not checked on loading).
    void ClampValues();

    int32_t nPalette = 0;    // 0..23: palette table of 8-bit screens
    int32_t bBgm = 1;        // 0 off, 1 on
    int32_t nSEVolume = 7;   // 0 silent .. 10 full
    int32_t nRankMode = 0;   // ranking registration mode 0..3
    std::string strRankName = "aaa";
};

extern cOptionData OptionData;

// Reads user_data\Option.dat into OptionData. A missing, newer or damaged
// file leaves the record as it was (the defaults at start-up) and shows no
// message; values out of range are clamped. 1 when the file was read.
int LoadOptionData();
// Writes OptionData to user_data\Option.dat through a temporary file; 1 on success.
int SaveOptionData();
