#include "app/window_data.h"

#include <algorithm>

#include "database/data_paths.h"
#include "records/record.h"

cWindowData WindowData;

namespace {

using W = cWindowData;
constexpr FIELDROW<W> g_Rows[] = {
    {&W::nLeft, 4}, {&W::nTop, 4}, {&W::nWidth, 4}, {&W::nHeight, 4}, {&W::bMaximized, 4},
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");

}  // namespace

std::span<const FIELDROW<cWindowData>> cWindowData::Rows() { return g_Rows; }

cWindowData::cWindowData() { Reset(); }

void cWindowData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cWindowData::Load(cDataReader& file) { LoadRows(file, Rows(), this); }

void cWindowData::Save(cDataWriter& file) { SaveRows(file, Rows(), this); }

void cWindowData::Reset() { DefaultRows(Rows(), this); }

void cWindowData::Clamp(int screenW, int screenH) {
    nLeft = std::clamp(nLeft, 0, std::max(0, screenW));
    nTop = std::clamp(nTop, 0, std::max(0, screenH));
}

int LoadWindowData(int screenW, int screenH) {
    if (!LoadRecordFileWhole(WindowData, PathTable[PATH_WINDOW])) return 0;
    WindowData.Clamp(screenW, screenH);
    return 1;
}

int SaveWindowData() { return WindowData.SaveToFile(PathTable[PATH_WINDOW]); }
