#include "random.h"

#include <time.h>

namespace tlq {

// Milliseconds of the monotonic clock, wrapping like the Windows tick count.
uint32_t platform_tick_count() {
    struct timespec now;
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) return 0;
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                                 static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

}  // namespace tlq
