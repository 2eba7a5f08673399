#include "random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

using namespace tlq;

namespace {

// The generator written out independently: state * 214013 + 2531011,
// draws are bits 16..30 of the new state.
struct Reference {
    uint32_t state;
    int32_t next() {
        state = state * 214013u + 2531011u;
        return static_cast<int32_t>((state >> 16) & 0x7FFF);
    }
};

std::vector<int32_t> draws(int count) {
    std::vector<int32_t> out;
    for (int i = 0; i < count; ++i) out.push_back(random_in_range(0, 32767));
    return out;
}

std::vector<int32_t> reference_draws(uint32_t state, int count) {
    Reference r{state};
    std::vector<int32_t> out;
    for (int i = 0; i < count; ++i) out.push_back(r.next());
    return out;
}

}  // namespace

TEST(RandomGenerator, SeededSequenceFollowsTheLinearCongruence) {
    for (uint32_t seed : {0u, 1u, 42u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        seed_random(seed);
        EXPECT_EQ(draws(50), reference_draws(seed, 50)) << seed;
    }
}

TEST(RandomGenerator, ThreadThatNeverSeededStartsAtOne) {
    seed_random(12345);  // must not leak into the other thread
    std::vector<int32_t> seen;
    std::thread worker([&seen] { seen = draws(10); });
    worker.join();
    EXPECT_EQ(seen, reference_draws(1, 10));
}

TEST(RandomGenerator, SeedingInOneThreadLeavesAnotherAlone) {
    seed_random(777);
    std::vector<int32_t> first = draws(3);
    std::thread worker([] {
        seed_random(999);
        draws(20);
    });
    worker.join();
    std::vector<int32_t> rest = draws(3);
    first.insert(first.end(), rest.begin(), rest.end());
    EXPECT_EQ(first, reference_draws(777, 6));
}

TEST(RandomInRange, BoundsTable) {
    // expected: low + r mod (span + 1), computed from the reference draw r.
    struct Case {
        int32_t low, high;
        int64_t base, modulus;
    } cases[] = {
        {80000, 900000, 80000, 820001},
        {9, 3, 3, 7},                    // swapped
        {-5, 10, 0, 11},                 // negative bound counts as 0
        {10, -5, 0, 11},
        {0, 1, 0, 2},
        {0, 2147483647, 0, 2147483647},  // span capped at 2147483646
        {1, 2147483647, 1, 2147483647},
        {100, 200, 100, 101},
    };
    for (const Case& c : cases) {
        Reference ref{4242};
        seed_random(4242);
        for (int i = 0; i < 200; ++i) {
            int64_t expected = c.base + ref.next() % c.modulus;
            int32_t got = random_in_range(c.low, c.high);
            ASSERT_EQ(got, expected) << c.low << ".." << c.high << " draw " << i;
        }
    }
}

TEST(RandomInRange, WideRangeNeverPassesLowPlus32767) {
    seed_random(1);
    for (int i = 0; i < 70000; ++i) {
        int32_t v = random_in_range(80000, 900000);
        ASSERT_GE(v, 80000);
        ASSERT_LE(v, 112767);
    }
}

TEST(RandomInRange, AbsentBounds) {
    Reference ref{31337};
    seed_random(31337);
    EXPECT_EQ(random_in_range(), ref.next());         // 0 .. 2147483647
    EXPECT_EQ(random_in_range(10), 10 + ref.next());  // 10 .. 2147483647
    EXPECT_EQ(random_in_range(-3), ref.next());       // negative low counts as 0
}

TEST(RandomInRange, EqualBoundsMakeNoDraw) {
    struct Case {
        int32_t low, high, expected;
    } cases[] = {{5, 5, 5}, {0, 0, 0}, {-4, -9, 0}, {-1, 0, 0}, {2147483647, 2147483647, 2147483647}};
    for (const Case& c : cases) {
        seed_random(55);
        EXPECT_EQ(random_in_range(c.low, c.high), c.expected);
        // The state is untouched: the next draw is the first of the seed.
        EXPECT_EQ(random_in_range(0, 32767), reference_draws(55, 1)[0]);
    }
}

// The only test that seeds from the clock, so the process-wide seed counter
// is still 0 when it starts.
TEST(RandomClockSeed, StateIsTickPlusCounterAndCounterAdvances) {
    auto seed_and_find_state = [](uint32_t counter, uint32_t& state) {
        uint32_t before = platform_tick_count();
        seed_random();
        std::vector<int32_t> seen = draws(4);
        uint32_t after = platform_tick_count();
        for (uint32_t t = before; t != after + 1; ++t) {
            if (reference_draws(t + counter, 4) == seen) {
                state = t + counter;
                return true;
            }
        }
        return false;
    };
    uint32_t counter = 0;
    for (int round = 0; round < 3; ++round) {
        uint32_t state = 0;
        ASSERT_TRUE(seed_and_find_state(counter, state)) << "round " << round;
        counter += (state & 0xFF) + 100;
    }
}
