#include "platform/graphics/dd_test_support.h"

namespace ddtest {

void UseHeadlessVideo() { setenv("SDL_VIDEODRIVER", "dummy", 0); }

}  // namespace ddtest
