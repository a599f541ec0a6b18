// The program-wide random sequence and the vector length clamp.
#include "core/MathUtil.h"
#include "core/Random.h"
#include <algorithm>
#include <gtest/gtest.h>

TEST(Random, KnownSeedGivesTheKnownValuesAndUniformFloatsFillTheirRange) {
    rndSeed(1);
    for (int value : {41, 18467, 6334}) EXPECT_EQ(rndInt(), value);
    rndSeed(12345);
    float low = 1, high = 0;
    for (int i = 0; i < 10000; ++i) low = std::min(low, rnd(2.5f) / 2.5f), high = std::max(high, rnd(2.5f) / 2.5f);
    EXPECT_TRUE(low >= 0 && low < 0.01f && high < 1 && high > 0.99f) << low << " " << high;
}

TEST(MathUtil, LongVectorsAreScaledDownToTheLimitAndShortOrEmptyOnesKept) {
    const struct { Vec3 v; float limit; Vec3 expected; } cases[] = {
        {{3, 4, 0}, 5, {3, 4, 0}}, {{3, 4, 0}, 2.5f, {1.5f, 2, 0}}, {{0, -6, 8}, 5, {0, -3, 4}}, {{3, 4, 0}, 0, {0, 0, 0}},
        {{0, 0, 0}, 0, {0, 0, 0}}, {{0, 0, 0}, -1, {0, 0, 0}}};
    for (const auto& c : cases) {
        Vec3 v = c.v;
        clampLength(v, c.limit);
        for (int k = 0; k < 3; ++k) EXPECT_FLOAT_EQ(v[k], c.expected[k]) << &c - cases << " axis " << k;
    }
    EXPECT_FLOAT_EQ(cosInterp(2, 6, 0.5f) + cosInterp(2, 6, 1) + lerp(2, 6, 0.25f), 4 + 6 + 3);
}
