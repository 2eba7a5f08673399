// The C library's linear congruential generator, one state per thread.
#pragma once

#include <stdint.h>

namespace tlq {

// Milliseconds since system start; supplied by the platform layer.
uint32_t platform_tick_count();

void seed_random();                 // from the clock and the process-wide seed counter
void seed_random(uint32_t seed);
int32_t random_in_range();          // 0 .. 2147483647
int32_t random_in_range(int32_t low);
int32_t random_in_range(int32_t low, int32_t high);

}  // namespace tlq
