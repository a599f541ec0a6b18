// The program-wide generator must follow the linear-congruential sequence exactly.
#include "core/Random.h"
#include <gtest/gtest.h>

TEST(Random, KnownSeedGivesTheKnownFirstValues) {
    rndSeed(1);
    EXPECT_EQ(rndInt(), 41);
    EXPECT_EQ(rndInt(), 18467);
    EXPECT_EQ(rndInt(), 6334);
}

TEST(Random, UniformFloatStaysInRange) {
    rndSeed(12345);
    for (int i = 0; i < 10000; ++i) {
        float v = rnd(2.5f);
        ASSERT_GE(v, 0.0f);
        ASSERT_LT(v, 2.5f);
    }
}
