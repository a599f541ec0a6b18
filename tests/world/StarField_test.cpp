// Star placement in the three shell shapes and the star colours.
#include "core/Random.h"
#include "world/StarField.h"
#include <cmath>
#include <gtest/gtest.h>

// The shell the stars are drawn into stays thick enough to be hit in a tiny world, and none is endless.
TEST(StarField, TheShellIsThickEnoughToHitAndNeverEndless) {
    StarField f;
    float outer = 0, inner = 0;
    f.outerDiameter = f.innerDiameter = 0.001f;
    ASSERT_TRUE(f.shellRadii(outer, inner));
    EXPECT_FLOAT_EQ(inner, 0.95f * outer);
    f.placeStar(outer, inner);
    for (float bad : {0.0f, INFINITY, NAN}) {
        f.outerDiameter = bad;
        EXPECT_FALSE(f.shellRadii(outer, inner)) << bad;
    }
}

TEST(StarField, EachShapeKeepsItsStarsInItsShell) {
    rndSeed(11);
    StarField f;
    const float outer = 8.0f, inner = 7.21f;
    for (int shape = 0; shape <= 3; ++shape) {
        f.shape = shape;
        float lowestY = outer;
        for (int i = 0; i < 2000; ++i) {
            Vec3 p = f.placeStar(outer, inner);
            float biggest = std::fmax(std::fabs(p.x), std::fmax(std::fabs(p.y), std::fabs(p.z)));
            ASSERT_LE(biggest, outer);
            lowestY = std::fmin(lowestY, p.y);
            if (shape == 1) {
                ASSERT_GE(biggest, inner) << "cube shell";
            } else {
                ASSERT_GE(p.length(), inner);
                ASSERT_LE(p.length(), outer);
            }
            if (shape == 2) {
                ASSERT_GE(p.y, 0.0f) << "half shell";
            }
        }
        if (shape != 2) {
            EXPECT_LT(lowestY, -inner * 0.5f) << "shape " << shape << " also fills the lower half";
        }
    }
}

TEST(StarField, NineStarsInTenAreBright) {
    rndSeed(17);
    StarField f;
    int bright = 0;
    const int n = 10000;
    for (int i = 0; i < n; ++i) {
        Color4 c = f.starColor();
        float least = std::fmin(c.r, std::fmin(c.g, c.b));
        ASSERT_GE(least, 0.3f);
        ASSERT_LT(std::fmax(c.r, std::fmax(c.g, c.b)), 1.0f + 1e-6f);
        bright += least >= 0.7f;
    }
    // Dim stars may also come out above 0.7 in all three channels: (0.3 / 0.7)^3 of them.
    double expected = 0.9 + 0.1 * std::pow(0.3 / 0.7, 3.0);
    EXPECT_NEAR(bright / static_cast<double>(n), expected, 0.01);
}
