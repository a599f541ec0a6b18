// The volcano cone, sampling with its fold and wrap-around, and the crater profile.
#include "core/Random.h"
#include "world/HeightField.h"
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

class HeightFieldTest : public testing::Test {
protected:
    void SetUp() override { field.setBuffers(heights.data(), scratch.data()); }
    // A small grid whose cell (c, r) holds 10 r + c, so every read tells where it came from.
    void numberedGrid(int n) {
        field.size = n;
        for (int i = 0; i < n * n; ++i) heights[i] = 10.0f * (i / n) + i % n;
    }
    float at(int c, int r) const { return heights[c + r * field.size]; }
    // Generation and crater store column c, row r mirrored on both axes.
    float mirrored(int c, int r) const { return heights[(field.size - 1 - c) + (field.size - 1 - r) * field.size]; }
    static float drop(float d) { return 0.9f * (1.0f - (1.0f - std::cos(3.14159265f * d / 15.0f)) * 0.5f); }

    std::vector<float> heights = std::vector<float>(HeightField::kMaxCells), scratch = heights;
    HeightField field;
};

}  // namespace

TEST_F(HeightFieldTest, ConeRisesInTheCentreAndThePlainSinksToTheCorners) {
    rndSeed(4242);
    field.generate(2, 128, 0.05f, 0.0f);
    EXPECT_GE(mirrored(64, 64), 1.05f);
    EXPECT_LT(mirrored(64, 64), 1.15f);
    EXPECT_GE(mirrored(64 + 28, 64), 0.13f);  // f just below 0.45: the cone's foot
    EXPECT_LT(mirrored(64 + 29, 64), 0.065f);  // just above: the plain, with a step
    for (int corner : {0, 127, 127 * 128, 127 * 128 + 127}) {
        EXPECT_GE(heights[corner], -0.03f);
        EXPECT_LE(heights[corner], 0.0f);
    }
    // Row 0, column 0 takes the first draw and lands in the last cell.
    rndSeed(99);
    float first = rnd(0.5f);
    rndSeed(99);
    field.generate(2, 128, 0.05f, 0.25f);
    EXPECT_NEAR(heights[128 * 128 - 1], (std::cos(1.5f * std::sqrt(2.0f)) + first) * 0.05f + 0.25f, 1e-6f);
}

TEST_F(HeightFieldTest, SampleBlendsThreeSamplesAndWrapsAtTheFarEdges) {
    numberedGrid(4);
    const struct { float u, v, expected; } cases[] = {
        {0.125f, 0.125f, 0.5f * (at(1, 0) + at(0, 1))},           // planar, not bilinear
        {0.875f, 0.0f, at(3, 0) + 0.5f * (at(0, 0) - at(3, 0))},  // wraps to column 0
        {0.0f, 0.875f, at(0, 3) + 0.5f * (at(0, 0) - at(0, 3))},  // wraps to row 0
        {1.0f, 0.5f, at(3, 2)},    // u = 1: the last column, weight 0 toward the wrap
        {-0.25f, 0.5f, at(3, 2)},  // read at 0.75
        {-1.0f, 2.0f, at(0, 3)},   // -1 folds to 0, 2 folds to 1
    };
    for (const auto& c : cases) EXPECT_FLOAT_EQ(field.sample(c.u, c.v), c.expected) << c.u << ", " << c.v;
}

TEST_F(HeightFieldTest, FoldMatchesStepwiseFoldingAndEndsForAnyValue) {
    numberedGrid(16);
    for (float u : {-3.3f, -0.999f, -1e-9f, 1.0001f, 2.75f, 12.6f}) {
        float stepped = u;
        while (stepped < 0) stepped += 1.0f;
        while (stepped > 1) stepped -= 1.0f;
        EXPECT_EQ(field.sample(u, 0.3f), field.sample(stepped, 0.3f)) << u;
    }
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(field.sample(NAN, 0.0f), at(0, 0));  // non-finite reads the border at 0
    EXPECT_EQ(field.sample(inf, -inf), at(0, 0));
    EXPECT_EQ(field.sample(1e30f, -1e30f), at(15, 0));  // huge floats are whole: 1 and 0
    // 300 x 300 does not fit the buffers: writes past them are dropped, reads there give 0.
    field.generate(0, 300, 0.0f, 1.0f);
    EXPECT_EQ(field.sample(0.0f, 0.0f), 1.0f);
    EXPECT_EQ(field.sample(0.99f, 0.99f), 0.0f);
}

TEST_F(HeightFieldTest, CraterFollowsTheCosineProfileKeepsTheDeepestDropAndWraps) {
    field.generate(0, 128, 0.0f, 0.0f);
    field.crater(64, 64, 30.0f, 0.9f);
    EXPECT_FLOAT_EQ(mirrored(64, 64), -0.9f);
    EXPECT_NEAR(mirrored(67, 68), -0.675f, 1e-5f);  // d = 5: w = 0.25
    EXPECT_NEAR(mirrored(78, 64), -drop(14), 1e-5f);
    EXPECT_EQ(mirrored(49, 64), 0.0f);  // d = r is outside
    EXPECT_EQ(mirrored(73, 76), 0.0f);  // (9, 12): d = 15
    field.crater(126, 10, 30.0f, 0.9f);
    EXPECT_NEAR(mirrored(3, 10), -drop(5), 1e-5f);  // wrapped past the last column
    EXPECT_EQ(mirrored(20, 10), 0.0f);
    // On a 16-cell grid offsets -12 and +4 from column 8 both reach column 12: the drops do not add up.
    field.generate(0, 16, 0.0f, 0.5f);
    field.crater(8, 8, 30.0f, 0.9f);
    EXPECT_NEAR(mirrored(12, 8), 0.5f - drop(4), 1e-5f);
}
