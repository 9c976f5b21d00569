#include "stage/flow_refs.h"

#include <atomic>
#include <optional>

namespace {
std::optional<FLOWDBCOUNTS> g_DbCounts;
std::atomic<bool> g_bEditor{false};
}  // namespace

void SetFlowDbCounts(const FLOWDBCOUNTS& counts) { g_DbCounts = counts; }
void ResetFlowDbCounts() { g_DbCounts.reset(); }
const FLOWDBCOUNTS* GetFlowDbCounts() { return g_DbCounts ? &*g_DbCounts : nullptr; }

void SetFlowEditorFlag(bool bEditor) { g_bEditor = bEditor; }
bool GetFlowEditorFlag() { return g_bEditor; }
