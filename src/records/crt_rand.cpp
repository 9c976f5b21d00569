#include "records/crt_rand.h"

namespace crt {

namespace {
thread_local uint32_t t_State = 1;
}

void srand(uint32_t seed) { t_State = seed; }

int rand() {
    t_State = t_State * 214013u + 2531011u;
    return static_cast<int>((t_State >> 16) & 0x7FFF);
}

}  // namespace crt
