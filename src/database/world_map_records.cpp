#include "database/world_map_records.h"

#include "records/version.h"

void cMapChip::Layout(uint32_t) {
    ClearAllFields();
    AddIntField(&nReserved);
    AddIntField(&bBlocked);
    AddIntField(&nGraphic);
    AddStringField(&strName);
    AddStringField(&strNote);
}

void cWorldPage::Layout(uint32_t version) {
    ClearAllFields();
    AddIntField(&nKind);
    AddIntField(&nGraphicRow);
    AddIntField(&nClearFlag);
    AddIntField(&bManual);
    AddIntField(&bRepeat);
    AddIntField(&nAfterClear);
    AddIntField(&nRequiredFlag);
    AddIntField(&nVariable);
    AddIntField(&nCompareValue);
    AddIntField(&nOperator);
    if (version >= 209) AddIntField(&nMinTotal);
    if (version >= 758) {
        AddIntField(&bStartSwitch);
        AddIntField(&nStartValue1);
        AddIntField(&nStartValue2);
    }
    AddStringField(&strTitle);
    AddStringField(&strStageFile);
}

void cWorldPage::Load(cDataReader& file) {
    cRecord::Load(file);
    if (nReadVersion < 209) nMinTotal = 0;
    if (nReadVersion < 758) {
        bStartSwitch = 0;
        nStartValue1 = 1;
        nStartValue2 = 0;
    }
}

void cWorldEvent::Layout(uint32_t) {
    ClearAllFields();
    AddIntField(&nX);
    AddIntField(&nY);
    AddStringField(&strName);
}

void cWorldEvent::Load(cDataReader& file) {
    cRecord::Load(file);
    LoadRecordVector(file, vPage);
}

void cWorldEvent::Save(cDataWriter& file) {
    cRecord::Save(file);
    SaveRecordVector(file, vPage);
}
