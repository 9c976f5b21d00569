#pragma once
// The start-up choice (user_data\Boot.dat): the drawing back end the player
// chose in the start-up settings dialog and whether the dialog is to be
// skipped at the next starts.
#include <cstdint>

#include "records/field_table.h"

class cBootData : public cTableRecord {
public:
    cBootData();
    static std::span<const FIELDROW<cBootData>> Rows();
    void Layout(uint32_t version) override;
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    // Back to the defaults: DirectDraw, the dialog shown.
    void Reset();

    int32_t nDrawMode = 0;  // 1 Direct3D, 0 DirectDraw
    int32_t bNoDialog = 0;  // 1: the dialog is not shown at start
};

extern cBootData BootData;

// Reads user_data\Boot.dat into BootData, whole or not at all; 1 when read.
int LoadBootData();
// Writes BootData to user_data\Boot.dat through a temporary file; 1 on success.
int SaveBootData();
