#include "stage/definition_flow_ref.h"

// The five integers start at 0; the character as its clear routine leaves it.
cFlowRef::cFlowRef() = default;

void cFlowRef::Layout(uint32_t) {
    ClearAllFields();
    for (int32_t& v : nValue) AddIntField(&v);
}

void cFlowRef::Load(cDataReader& file) {
    cRecord::Load(file);
    if (!file.Failed()) Chara.Load(file);
}

void cFlowRef::Save(cDataWriter& file) {
    cRecord::Save(file);
    Chara.Save(file);
}
