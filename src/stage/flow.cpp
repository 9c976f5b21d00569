#include "stage/flow.h"

#include <algorithm>

#include "records/text_rows.h"
#include "records/version.h"

namespace {

using F = cFlow;
constexpr FIELDROW<cFlow> g_Rows[] = {
    {&F::strName, 0, 676},
    {&F::nFlowID, 1},
    {&F::nGroup, 1},
    {&F::bEditorOnly, 1},
    {&F::nCondMode, 1},
    {&F::bLatch, 1},
    {&F::nTrigger, 1},
    {&F::bTargetPartner, 1, 762},
    {&F::nPartnerSlot, 1, 767},
    {&F::nKeyInterval, 1},
    {&F::bKeyHold, 1},
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");

// Smallest streams of the list elements, which bound the counts a file can
// hold: a record's two count words, plus the slot count of a key step, plus
// a command's two flags (three from 764) and two counts, plus a flow's three
// list counts.
constexpr size_t MIN_KEYSTEP_BYTES = 12;
constexpr size_t MIN_CMD_BYTES = 24;
constexpr size_t MIN_FLOW_BYTES = 20;

constexpr int GROUP_NUM = 27;      // 0 none, 1..26 = A..Z
constexpr int TARGET_SLOT_NUM = 4;

// Depth of flows being loaded on this thread (flows inside commands inside flows).
thread_local int t_nLoadDepth = 0;

struct cDepthGuard {
    cDepthGuard() { ++t_nLoadDepth; }
    ~cDepthGuard() { --t_nLoadDepth; }
};

uint8_t AddByte(uint8_t x, int d) { return static_cast<uint8_t>(std::min(x + d, 255)); }

}  // namespace

std::span<const FIELDROW<cFlow>> cFlow::Rows() { return g_Rows; }

cFlow::~cFlow() { cFlowCmd::FreeList(vCmd); }

void cFlow::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cFlow::Load(cDataReader& file) {
    if (t_nLoadDepth >= MAX_FLOW_NESTING) {
        file.SetFailed("flows nested deeper than " + std::to_string(MAX_FLOW_NESTING));
        return;
    }
    cDepthGuard guard;
    LoadRows<g_Rows>(file, this);
    if (file.Failed()) return;
    LoadCondVector(file, vCond);
    if (file.Failed()) return;
    LoadRecordList(file, vKeyCond, MIN_KEYSTEP_BYTES);
    if (file.Failed()) return;
    LoadCmdList(file, vCmd);
    if (file.Failed()) return;
    if (nReadVersion < DATA_VERSION) Repair(nReadVersion);
    std::string why;
    if (!CheckOwnStructure(why)) {
        file.SetFailed(why);
        return;
    }
    strName.clear();
    // Each command ran the database validation (its sub-flows included) at
    // the end of its own load; running it again here would change nothing.
}

void cFlow::Save(cDataWriter& file) {
    // Each command runs the database validation in its own save.
    if (nDataVersion == DATA_VERSION) {
        // The table save of the current version, in one piece.
        using IMAGE = cCurrentRows<g_Rows>;
        PutTextRow<IMAGE>(file.Extend(CutTextRowBytes<IMAGE>(*this)), *this);
    } else {
        SaveRows<g_Rows>(file, this);
    }
    SaveCondVector(file, vCond);
    SaveRecordVector(file, vKeyCond);
    SaveCmdList(file, vCmd);
}

void cFlow::Clear() {
    cRecord::Clear();
    vCond.clear();
    vKeyCond.clear();
    vCmd.clear();
}

void cFlow::Repair(uint32_t v) {
    if (v <= 131 && nTrigger >= 11) nTrigger = AddByte(nTrigger, 1);
    if (v < 163 && nTrigger != 0) nGroup = 0;
    if (v < 164 && nTrigger >= 5) nTrigger = AddByte(nTrigger, 2);
    if (v < 762 && nTrigger >= 18) nTrigger = AddByte(nTrigger, 3);
}

bool cFlow::CheckOwnStructure(std::string& why) const {
    if (nTrigger >= TRIGGER_NUM) {
        why = "flow trigger " + std::to_string(nTrigger) + " outside the trigger table";
        return false;
    }
    if (nGroup >= GROUP_NUM) {
        why = "flow group " + std::to_string(nGroup) + " outside A..Z";
        return false;
    }
    if (nPartnerSlot >= TARGET_SLOT_NUM) {
        why = "partner target slot " + std::to_string(nPartnerSlot) + " outside 0..3";
        return false;
    }
    return true;
}

bool cFlow::CheckStructure(std::string& why, int depth) const {
    if (depth >= MAX_FLOW_NESTING) {
        why = "flows nested deeper than " + std::to_string(MAX_FLOW_NESTING);
        return false;
    }
    if (!CheckOwnStructure(why)) return false;
    for (const cFlowCmd& c : vCmd)
        if (!c.CheckStructure(why, depth)) return false;
    return true;
}

void cFlow::CheckDbIndex() {
    for (cFlowCmd& c : vCmd) c.CheckDbIndex();
}

void cFlow::CheckPaletteIndex(const FLOWPALETTESIZES& sizes) {
    // Most commands hold no palette reference and carry no flow.
    for (cFlowCmd& c : vCmd)
        if (c.HasPaletteRefs() || c.HasSubFlows()) c.CheckPaletteIndex(sizes);
}

void RemoveEditorOnlyFlows(cSafeVector<cFlow>& flows) {
    if (GetFlowEditorFlag()) return;
    std::erase_if(flows, [](const cFlow& f) { return f.bEditorOnly != 0; });
}

void LoadFlowList(cDataReader& file, cSafeVector<cFlow>& flows) {
    LoadRecordList(file, flows, MIN_FLOW_BYTES);
    if (!file.Failed()) RemoveEditorOnlyFlows(flows);
}

void SaveFlowList(cDataWriter& file, cSafeVector<cFlow>& flows) { SaveRecordVector(file, flows); }

void LoadCmdList(cDataReader& file, cSafeVector<cFlowCmd>& cmds) { LoadRecordList(file, cmds, MIN_CMD_BYTES); }

void SaveCmdList(cDataWriter& file, cSafeVector<cFlowCmd>& cmds) { SaveRecordVector(file, cmds); }
