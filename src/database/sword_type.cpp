#include "database/sword_type.h"

#include <algorithm>
#include <climits>

#include "database/media_records.h"
#include "records/version.h"

namespace {

// Smallest record stream (field count and string count): bounds a frame count.
constexpr size_t MIN_RECORD_BYTES = 8;

}  // namespace

cSwordFrameData::cSwordFrameData() {
    Clear();
    nValue[SWORDFRAME_MIRROR_X] = 1;
}

void cSwordFrameData::Layout(uint32_t version) {
    ClearAllFields();
    AddIntField(&nValue[0]);
    AddIntField(&nValue[1]);
    if (version >= 138) {
        AddIntField(&nValue[2]);
        AddIntField(&nValue[3]);
    }
    for (int i = 4; i < 9; ++i) AddIntField(&nValue[i]);
    AddIntField(&nValue[9]);
}

cSwordTypeData::cSwordTypeData() { InitFresh(); }

void cSwordTypeData::InitFresh() {
    Clear();
    vFrame.assign(1, cSwordFrameData());
    vFrame[0].nValue[9] = 1;
}

void cSwordTypeData::Layout(uint32_t version) {
    ClearAllFields();
    AddStringField(&strName);
    if (version >= 151) AddIntField(&nAddedInt);
    AddStringField(&strFile);
    AddStringField(&strText3);
}

void cSwordTypeData::Load(cDataReader& file) {
    cRecord::Load(file);
    const uint32_t m = file.ReadCount(MIN_RECORD_BYTES);
    if (file.Failed()) return;
    vFrame.clear();
    vFrame.resize(m);
    for (auto& f : vFrame) {
        f.Load(file);
        if (file.Failed()) return;
    }
    FixAddedInt(nAddedInt);
}

void cSwordTypeData::Save(cDataWriter& file) {
    cRecord::Save(file);
    SaveRecordVector(file, vFrame);
}

int32_t cSwordTypeData::TotalTime() const {
    int64_t sum = 0;
    for (const auto& f : vFrame) sum += f.GetTime();
    return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}
