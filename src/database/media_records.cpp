#include "database/media_records.h"

#include "records/version.h"

void FixAddedInt(int32_t& nAddedInt) {
    if (nReadVersion < ADDED_INT_VALID_VERSION) nAddedInt = 0;
}

cCharaBmpData::cCharaBmpData() {
    Clear();
    nCellBlocks = 2;
}

void cCharaBmpData::Layout(uint32_t version) {
    ClearAllFields();
    AddStringField(&strName);
    if (version >= 152) AddIntField(&nAddedInt);
    AddStringField(&strFile);
    if (version >= 172) {
        AddIntField(&bCustomCellSize);
        AddIntField(&nCellBlocks);
    }
}

void cCharaBmpData::Load(cDataReader& file) {
    cRecord::Load(file);
    FixAddedInt(nAddedInt);
}

void cCharaBmpData::InitFresh() { Clear(); }

int cCharaBmpData::CellPixels() const { return bCustomCellSize ? nCellBlocks * 32 : 32; }

cPictureData::cPictureData() { Clear(); }

void cPictureData::Layout(uint32_t version) {
    ClearAllFields();
    AddStringField(&strName);
    if (version >= 151) AddIntField(&nAddedInt);
    AddStringField(&strFile);
}

void cPictureData::Load(cDataReader& file) {
    cRecord::Load(file);
    FixAddedInt(nAddedInt);
}

void cPictureData::InitFresh() { Clear(); }

cSoundData::cSoundData() { Clear(); }

void cSoundData::Layout(uint32_t version) {
    ClearAllFields();
    AddStringField(&strName);
    if (version >= 151) AddIntField(&nAddedInt);
    AddStringField(&strFile);
}

void cSoundData::Load(cDataReader& file) {
    cRecord::Load(file);
    FixAddedInt(nAddedInt);
}

void cSoundData::InitFresh() { Clear(); }

cBgmData::cBgmData() { InitFresh(); }

void cBgmData::Layout(uint32_t version) {
    ClearAllFields();
    AddStringField(&strName);
    if (version >= 151) AddIntField(&nAddedInt);
    AddStringField(&strFile);
    if (version >= 814) AddIntField(&nVolume);
}

void cBgmData::Load(cDataReader& file) {
    cRecord::Load(file);
    FixAddedInt(nAddedInt);
}

void cBgmData::InitFresh() {
    Clear();
    nVolume = 100;
}
