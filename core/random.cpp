#include "random.h"

namespace tlq {

namespace {

constexpr int32_t kHighest = 2147483647;
constexpr int32_t kWidestSpan = 2147483646;

// Each thread draws from its own state; one that never seeded starts at 1.
// Programs that run a single thread (the launchers) build with
// TLQ_SINGLE_THREAD: real thread-locals would bring in the emulated-TLS
// runtime and with it the whole winpthread library.
#ifdef TLQ_SINGLE_THREAD
uint32_t generator_state = 1;
#else
thread_local uint32_t generator_state = 1;
#endif
// Only the user-interface thread seeds, so the counter needs no lock.
uint32_t seed_counter = 0;

int32_t next_draw() {
    generator_state = generator_state * 214013u + 2531011u;
    return static_cast<int32_t>((generator_state >> 16) & 0x7FFFu);
}

}  // namespace

void seed_random() {
    uint32_t seed = platform_tick_count() + seed_counter;
    generator_state = seed;
    seed_counter += (seed & 0xFFu) + 100u;
}

void seed_random(uint32_t seed) { generator_state = seed; }

int32_t random_in_range() { return random_in_range(0, kHighest); }

int32_t random_in_range(int32_t low) { return random_in_range(low, kHighest); }

int32_t random_in_range(int32_t low, int32_t high) {
    if (low < 0) low = 0;
    if (high < 0) high = 0;
    if (low > high) {
        int32_t swapped = low;
        low = high;
        high = swapped;
    }
    if (low == high) return low;
    int32_t span = high - low;  // both bounds are non-negative: no overflow
    if (span > kWidestSpan) span = kWidestSpan;
    return low + next_draw() % (span + 1);
}

}  // namespace tlq
