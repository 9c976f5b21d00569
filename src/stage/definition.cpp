#include "stage/definition.h"

#include "records/version.h"

namespace {

// Smallest stream of a condition (field count, string count).
constexpr size_t MIN_COND_BYTES = 8;

}  // namespace

void cDefinition::LoadFlagsAndConds(cDataReader& file) {
    uint32_t n = file.ReadCount(1);
    if (file.Failed()) return;
    vInherit.assign(n, 0);
    file.Read(vInherit.data(), n);
    n = file.ReadCount(MIN_COND_BYTES);
    if (file.Failed()) return;
    vCond.clear();
    vCond.resize(n);
    for (auto& c : vCond) {
        c.Load(file);
        if (file.Failed()) return;
    }
}

void cDefinition::SaveFlagsAndConds(cDataWriter& file) {
    file.WriteU32(static_cast<uint32_t>(vInherit.size()));
    file.Write(vInherit.data(), vInherit.size());
    SaveRecordVector(file, vCond);
}

void cDefinition::CheckTemplateIndex(int nCommonSize, int nStageSize) {
    if ((byTemplateKind == TEMPLATE_COMMON && wTemplateIndex >= nCommonSize) ||
        (byTemplateKind == TEMPLATE_STAGE && wTemplateIndex >= nStageSize)) {
        byTemplateKind = TEMPLATE_NONE;
        wTemplateIndex = 0;
    }
}

void cDefinition::CopyCondsFrom(const cDefinition& t) {
    vCond = t.vCond;
    byCondMode = t.byCondMode;
    byCondLatch = t.byCondLatch;
}

uint16_t RepairShotGraphic(uint8_t kind, uint16_t index) {
    if (kind != GRAPHIC_SHOT) return index;
    return index >= 119 ? 119 : static_cast<uint16_t>(index + 1);
}
