#include "sample_game/conformance/conf_kit.h"

namespace sample {

void AddBlockCases(std::vector<CONFCASE>& v) { (void)v; }

}  // namespace sample
