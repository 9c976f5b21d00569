#pragma once
// The main window's placement in windowed mode (user_data\Window.dat):
// position, size and whether it was maximised, saved when the window closes
// and put back at the next start.
#include <cstdint>

#include "records/field_table.h"

class cWindowData : public cTableRecord {
public:
    cWindowData();
    static std::span<const FIELDROW<cWindowData>> Rows();
    void Layout(uint32_t version) override;
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    void Reset();
    // Keeps the position on the desktop: left into 0..screenW, top into 0..screenH.
    void Clamp(int screenW, int screenH);

    int32_t nLeft = 0;
    int32_t nTop = 0;
    int32_t nWidth = 0;
    int32_t nHeight = 0;
    int32_t bMaximized = 0;
};

extern cWindowData WindowData;

// Reads user_data\Window.dat into WindowData, whole or not at all, then
// clamps its position to a desktop of screenW x screenH; 1 when read.
int LoadWindowData(int screenW, int screenH);
// Writes WindowData to user_data\Window.dat through a temporary file; 1 on success.
int SaveWindowData();
