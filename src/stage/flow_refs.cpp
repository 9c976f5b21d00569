#include "stage/flow_refs.h"

#include <atomic>
#include <optional>

namespace {
std::optional<FLOWDBCOUNTS> g_DbCounts;
std::atomic<bool> g_bEditor{false};
}  // namespace

const FLOWDBCOUNTS* g_lpFlowDbCounts = nullptr;

void SetFlowDbCounts(const FLOWDBCOUNTS& counts) {
    g_DbCounts = counts;
    g_lpFlowDbCounts = &*g_DbCounts;
}
void ResetFlowDbCounts() {
    g_lpFlowDbCounts = nullptr;
    g_DbCounts.reset();
}

void SetFlowEditorFlag(bool bEditor) { g_bEditor = bEditor; }
bool GetFlowEditorFlag() { return g_bEditor; }
