#include "sample_game/conformance/conf_kit.h"

namespace sample {

void AddItemCmdCases(std::vector<CONFCASE>& v) { (void)v; }

}  // namespace sample
