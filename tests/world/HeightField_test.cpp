// The volcano cone, sampling with its fold and wrap-around, and the crater profile.
#include "core/Random.h"
#include "support/TestSupport.h"
#include "world/HeightField.h"
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

class HeightFieldTest : public testing::Test {
protected:
    void SetUp() override {
        heights.assign(HeightField::kMaxCells, 0.0f);
        scratch.assign(HeightField::kMaxCells, 0.0f);
        field.setBuffers(heights.data(), scratch.data());
    }
    // A small grid whose cell (c, r) holds 10 r + c, so every read tells where it came from.
    void numberedGrid(int n) {
        field.size = n;
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c) heights[c + r * n] = 10.0f * r + c;
    }
    float at(int c, int r) const { return heights[c + r * field.size]; }
    // The cone is stored mirrored: column c and row r of the generation land here.
    float generated(int c, int r) const { return heights[(127 - c) + (127 - r) * 128]; }

    std::vector<float> heights, scratch;
    HeightField field;
};

// The fold as the original loop did it, for values where the loop ends quickly.
float loopFold(float u) {
    while (u < 0) u += 1.0f;
    while (u > 1) u -= 1.0f;
    return u;
}

}  // namespace

TEST_F(HeightFieldTest, ConeRisesInTheCentreAndThePlainSinksToTheCorners) {
    rndSeed(4242);
    field.generate(2, 128, 0.05f, 0.0f);
    EXPECT_EQ(field.size, 128);
    float centre = generated(64, 64);
    EXPECT_GE(centre, 1.05f);
    EXPECT_LT(centre, 1.15f);
    for (int corner : {0, 127 * 128, 127, 127 * 128 + 127}) {
        EXPECT_GE(heights[corner], -0.03f) << corner;
        EXPECT_LE(heights[corner], 0.0f) << corner;
    }
    // Just outside f = 0.45 (29 cells from the centre) the plain starts low; just inside, the cone's foot.
    float plain = generated(64 + 29, 64), foot = generated(64 + 28, 64);
    EXPECT_GE(plain, 0.035f);
    EXPECT_LT(plain, 0.065f);
    EXPECT_GE(foot, 0.13f);
    EXPECT_LT(foot, 0.24f);
}

TEST_F(HeightFieldTest, GenerationDrawsRowByRowAndStoresMirrored) {
    rndSeed(99);
    float first = rnd(0.5f);
    for (int i = 1; i < 128 * 128 - 1; ++i) rndInt();
    float last = rnd(0.5f);
    rndSeed(99);
    field.generate(2, 128, 0.05f, 0.25f);
    // The first draw belongs to row 0, column 0 and lands in the last cell; the last one in cell 0.
    float f0 = std::sqrt(2.0f * 64 * 64) / 64.0f, f1 = std::sqrt(2.0f * 63 * 63) / 64.0f;
    EXPECT_NEAR(heights[128 * 128 - 1], (std::cos(1.5f * f0) + first) * 0.05f + 0.25f, 1e-6f);
    EXPECT_NEAR(heights[0], (std::cos(1.5f * f1) + last) * 0.05f + 0.25f, 1e-6f);
}

TEST_F(HeightFieldTest, SampleBlendsThreeSamplesAndWrapsAtTheFarEdges) {
    numberedGrid(4);
    struct Case { float u, v, expected; };
    const Case cases[] = {
        {0.0f, 0.0f, at(0, 0)},
        {0.125f, 0.125f, 0.5f * (at(1, 0) + at(0, 1))},  // planar: 0.5 of each neighbour, not bilinear
        {0.875f, 0.0f, at(3, 0) + 0.5f * (at(0, 0) - at(3, 0))},  // wraps to column 0
        {0.0f, 0.875f, at(0, 3) + 0.5f * (at(0, 0) - at(0, 3))},  // wraps to row 0
        {1.0f, 0.5f, at(3, 2)},    // u = 1 reads the last column with weight 0 toward the wrap
        {-0.25f, 0.5f, at(3, 2)},  // read at 0.75
        {1.5f, 0.25f, at(2, 1)},
        {-1.0f, 2.0f, at(0, 3)},   // -1 folds to 0, 2 folds to 1
    };
    for (const Case& c : cases) EXPECT_FLOAT_EQ(field.sample(c.u, c.v), c.expected) << c.u << ", " << c.v;
}

TEST_F(HeightFieldTest, FoldMatchesTheLoopForOrdinaryValuesAndEndsForAnyValue) {
    numberedGrid(16);
    for (float u : {-3.3f, -2.0f, -0.999f, -1e-9f, 0.3f, 1.0f, 1.0001f, 2.75f, 7.0f, 12.6f})
        EXPECT_EQ(field.sample(u, 0.3f), field.sample(loopFold(u), 0.3f)) << u;
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    // Non-finite fractions read the border at 0; huge ones are whole numbers and fold to 0 or 1.
    EXPECT_EQ(field.sample(nan, 0.0f), at(0, 0));
    EXPECT_EQ(field.sample(inf, -inf), at(0, 0));
    EXPECT_EQ(field.sample(1e30f, 0.0f), at(15, 0));
    EXPECT_EQ(field.sample(0.0f, -1e30f), at(0, 0));
}

TEST_F(HeightFieldTest, ReadsAndWritesBeyondTheBuffersAreSkipped) {
    // 300 x 300 cells do not fit: writes past the buffer are dropped, reads there give 0.
    field.generate(0, 300, 0.0f, 1.0f);
    EXPECT_EQ(field.sample(0.0f, 0.0f), 1.0f);
    EXPECT_EQ(field.sample(0.99f, 0.99f), 0.0f);
}

TEST_F(HeightFieldTest, CraterFollowsTheCosineProfileAndEndsAtTheRim) {
    field.generate(0, 128, 0.0f, 0.0f);
    field.crater(64, 64, 30.0f, 0.9f);
    // Stored mirrored like the cone: column 64 + i sits at 63 - i.
    auto craterAt = [&](int i, int j) { return heights[(63 - i) + (63 - j) * 128]; };
    EXPECT_FLOAT_EQ(craterAt(0, 0), -0.9f);
    EXPECT_NEAR(craterAt(3, 4), -0.675f, 1e-5f);  // d = 5: w = (1 - cos(pi / 3)) / 2 = 0.25
    float w14 = (1.0f - std::cos(3.14159265f * 14.0f / 15.0f)) * 0.5f;
    EXPECT_NEAR(craterAt(14, 0), -0.9f * (1.0f - w14), 1e-5f);
    EXPECT_EQ(craterAt(-15, 0), 0.0f);  // d = r: outside
    EXPECT_EQ(craterAt(9, 12), 0.0f);   // d = 15
    EXPECT_EQ(craterAt(15, 0), 0.0f);   // the loop stops below r
}

TEST_F(HeightFieldTest, CraterKeepsTheDeepestDropWhereItsCircleOverlapsItself) {
    // On a 16-cell grid offsets -12 and +4 from column 8 both reach column 12: the drops do not add up.
    field.generate(0, 16, 0.0f, 0.5f);
    field.crater(8, 8, 30.0f, 0.9f);
    float w4 = (1.0f - std::cos(3.14159265f * 4.0f / 15.0f)) * 0.5f;
    EXPECT_NEAR(heights[(15 - 12) + (15 - 8) * 16], 0.5f - 0.9f * (1.0f - w4), 1e-5f);
    EXPECT_FLOAT_EQ(heights[(15 - 8) + (15 - 8) * 16], 0.5f - 0.9f);
}

TEST_F(HeightFieldTest, CraterNearTheLastColumnWrapsToTheFirst) {
    field.generate(0, 128, 0.0f, 0.0f);
    field.crater(126, 64, 30.0f, 0.9f);
    // Offset +5 from column 126 is column 3, stored mirrored at 124.
    EXPECT_NEAR(heights[124 + 63 * 128], -0.9f * (1.0f - (1.0f - std::cos(3.14159265f / 3.0f)) * 0.5f), 1e-5f);
    EXPECT_EQ(heights[127 - 20 + 63 * 128], 0.0f);  // column 20 lies beyond the wrapped part
}
