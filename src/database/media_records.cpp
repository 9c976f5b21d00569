#include "database/media_records.h"

#include "records/text_rows.h"
#include "records/version.h"

// A current stream needs no added-integer fix-up: runs of it are taken in bulk.
static_assert(DATA_VERSION >= ADDED_INT_VALID_VERSION);

void FixAddedInt(int32_t& nAddedInt) {
    if (nReadVersion < ADDED_INT_VALID_VERSION) nAddedInt = 0;
}

namespace {

constexpr FIELDROW<cCharaBmpData> g_CharaBmpRows[] = {
    {&cCharaBmpData::strName, 0},
    {&cCharaBmpData::nAddedInt, 4, 152},
    {&cCharaBmpData::strFile, 0},
    {&cCharaBmpData::bCustomCellSize, 4, 172},
    {&cCharaBmpData::nCellBlocks, 4, 172, 0, 2},
};
static_assert(WidthsMatch(g_CharaBmpRows), "a width column disagrees with its member");

constexpr FIELDROW<cPictureData> g_PictureRows[] = {
    {&cPictureData::strName, 0},
    {&cPictureData::nAddedInt, 4, 151},
    {&cPictureData::strFile, 0},
};
static_assert(WidthsMatch(g_PictureRows), "a width column disagrees with its member");

constexpr FIELDROW<cSoundData> g_SoundRows[] = {
    {&cSoundData::strName, 0},
    {&cSoundData::nAddedInt, 4, 151},
    {&cSoundData::strFile, 0},
};
static_assert(WidthsMatch(g_SoundRows), "a width column disagrees with its member");

constexpr FIELDROW<cBgmData> g_BgmRows[] = {
    {&cBgmData::strName, 0},
    {&cBgmData::nAddedInt, 4, 151},
    {&cBgmData::strFile, 0},
    {&cBgmData::nVolume, 4, 814, 0, 100},
};
static_assert(WidthsMatch(g_BgmRows), "a width column disagrees with its member");

}  // namespace

std::span<const FIELDROW<cCharaBmpData>> cCharaBmpData::Rows() { return g_CharaBmpRows; }

cCharaBmpData::cCharaBmpData() { DefaultRows<g_CharaBmpRows>(this); }

void cCharaBmpData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cCharaBmpData::Load(cDataReader& file) {
    LoadRows<g_CharaBmpRows>(file, this);
    FixAddedInt(nAddedInt);
}

void cCharaBmpData::Save(cDataWriter& file) { SaveRows<g_CharaBmpRows>(file, this); }

void cCharaBmpData::LoadRun(cDataReader& file, cCharaBmpData* elems, size_t n) {
    LoadTextRowRecords<g_CharaBmpRows>(file, elems, n);
}

void cCharaBmpData::SaveRun(cDataWriter& file, cCharaBmpData* elems, size_t n) {
    SaveTextRowRecords<g_CharaBmpRows>(file, elems, n);
}

void cCharaBmpData::AppendLoaded(cDataReader& file, std::vector<cCharaBmpData>& v, size_t n) {
    AppendTextRows<g_CharaBmpRows>(file, v, n, UNTAKEN{});
}

// Unlike a new bitmap, a list loader's entry has cell size 0.
void cCharaBmpData::InitFresh() { ClearRows<g_CharaBmpRows>(this); }

int cCharaBmpData::CellPixels() const { return bCustomCellSize ? nCellBlocks * 32 : 32; }

std::span<const FIELDROW<cPictureData>> cPictureData::Rows() { return g_PictureRows; }

cPictureData::cPictureData() { DefaultRows<g_PictureRows>(this); }

void cPictureData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cPictureData::Load(cDataReader& file) {
    LoadRows<g_PictureRows>(file, this);
    FixAddedInt(nAddedInt);
}

void cPictureData::Save(cDataWriter& file) { SaveRows<g_PictureRows>(file, this); }

void cPictureData::LoadRun(cDataReader& file, cPictureData* elems, size_t n) {
    LoadTextRowRecords<g_PictureRows>(file, elems, n);
}

void cPictureData::SaveRun(cDataWriter& file, cPictureData* elems, size_t n) {
    SaveTextRowRecords<g_PictureRows>(file, elems, n);
}

void cPictureData::AppendLoaded(cDataReader& file, std::vector<cPictureData>& v, size_t n) {
    AppendTextRows<g_PictureRows>(file, v, n, UNTAKEN{});
}

void cPictureData::InitFresh() { DefaultRows<g_PictureRows>(this); }

std::span<const FIELDROW<cSoundData>> cSoundData::Rows() { return g_SoundRows; }

cSoundData::cSoundData() { DefaultRows<g_SoundRows>(this); }

void cSoundData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cSoundData::Load(cDataReader& file) {
    LoadRows<g_SoundRows>(file, this);
    FixAddedInt(nAddedInt);
}

void cSoundData::Save(cDataWriter& file) { SaveRows<g_SoundRows>(file, this); }

void cSoundData::LoadRun(cDataReader& file, cSoundData* elems, size_t n) {
    LoadTextRowRecords<g_SoundRows>(file, elems, n);
}

void cSoundData::SaveRun(cDataWriter& file, cSoundData* elems, size_t n) {
    SaveTextRowRecords<g_SoundRows>(file, elems, n);
}

void cSoundData::AppendLoaded(cDataReader& file, std::vector<cSoundData>& v, size_t n) {
    AppendTextRows<g_SoundRows>(file, v, n, UNTAKEN{});
}

void cSoundData::InitFresh() { DefaultRows<g_SoundRows>(this); }

std::span<const FIELDROW<cBgmData>> cBgmData::Rows() { return g_BgmRows; }

cBgmData::cBgmData() { InitFresh(); }

void cBgmData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cBgmData::Load(cDataReader& file) {
    LoadRows<g_BgmRows>(file, this);
    FixAddedInt(nAddedInt);
}

void cBgmData::Save(cDataWriter& file) { SaveRows<g_BgmRows>(file, this); }

void cBgmData::LoadRun(cDataReader& file, cBgmData* elems, size_t n) { LoadTextRowRecords<g_BgmRows>(file, elems, n); }

void cBgmData::SaveRun(cDataWriter& file, cBgmData* elems, size_t n) { SaveTextRowRecords<g_BgmRows>(file, elems, n); }

void cBgmData::AppendLoaded(cDataReader& file, std::vector<cBgmData>& v, size_t n) {
    AppendTextRows<g_BgmRows>(file, v, n, UNTAKEN{});
}

void cBgmData::InitFresh() { DefaultRows<g_BgmRows>(this); }
