#include "app/boot_data.h"

#include "database/data_paths.h"
#include "records/record.h"

cBootData BootData;

namespace {

using B = cBootData;
constexpr FIELDROW<B> g_Rows[] = {
    {&B::nDrawMode, 4},
    {&B::bNoDialog, 4},
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");

}  // namespace

std::span<const FIELDROW<cBootData>> cBootData::Rows() { return g_Rows; }

cBootData::cBootData() { Reset(); }

void cBootData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cBootData::Load(cDataReader& file) { LoadRows(file, Rows(), this); }

void cBootData::Save(cDataWriter& file) { SaveRows(file, Rows(), this); }

void cBootData::Reset() { DefaultRows(Rows(), this); }

int LoadBootData() { return LoadRecordFileWhole(BootData, PathTable[PATH_BOOT]); }

int SaveBootData() { return BootData.SaveToFile(PathTable[PATH_BOOT]); }
