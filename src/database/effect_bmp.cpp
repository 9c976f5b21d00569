#include "database/effect_bmp.h"

#include "database/media_records.h"
#include "records/version.h"

cEffectBmpData::cEffectBmpData() { InitFresh(); }

void cEffectBmpData::InitFresh() {
    Clear();
    nCellWidth = 32;
    nCellHeight = 32;
    bScalable = 0;
    vFrame.assign(1, cPairRecord(0, 1));
}

void cEffectBmpData::Layout(uint32_t version) {
    ClearAllFields();
    AddStringField(&strName);
    if (version >= 151) AddIntField(&nAddedInt);
    AddStringField(&strFile);
    AddIntField(&nCellWidth);
    AddIntField(&nCellHeight);
    AddIntField(&bScalable);
}

void cEffectBmpData::Load(cDataReader& file) {
    cRecord::Load(file);
    LoadRecordVector(file, vFrame);
    if (file.Failed()) return;
    FixAddedInt(nAddedInt);
}

void cEffectBmpData::Save(cDataWriter& file) {
    cRecord::Save(file);
    SaveRecordVector(file, vFrame);
}
