// The star field: stars in the three shell shapes and their colours, rotated copies with growing point sizes, an
// empty list, and the list rebuilt on a world resize.
#include "app/Globals.h"
#include "app/SceneSequencer.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include <GL/gl.h>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Looks straight down the y axis: world x to the right, world -z up the screen, 4 x 3 units in view. Counts lit
// pixels around (cx, cy), or lit channels over the whole window.
int litSeenFromAbove(const StarField& f, int cx = -1, int cy = 0) {
    beginTestFrame(320, 240); orthoProjection(-2, 2, -1.5, 1.5, -10, 10); glRotatef(90, 1, 0, 0);
    glDisable(GL_POINT_SMOOTH); f.draw(); int lit = 0;
    if (cx < 0)
        for (unsigned char c : readFrame(320, 240)) lit += c > 40;
    for (int y = cy - 4; cx >= 0 && y <= cy + 4; ++y)
        for (int x = cx - 4; x <= cx + 4; ++x) lit += readPixel(x, y).r > 40;
    return lit;
}

}  // namespace

TEST(StarField, EachShapeKeepsItsStarsInAShellThickEnoughToHitAndNineInTenAreBright) {
    rndSeed(11); StarField f; float outer = 0, inner = 0;
    f.outerDiameter = f.innerDiameter = 0.001f;  // a tiny world still gets a shell, and no shell is endless
    ASSERT_TRUE(f.shellRadii(outer, inner)); EXPECT_FLOAT_EQ(inner, 0.95f * outer); f.outerDiameter = 2.0f;
    f.innerDiameter = 1.6f; EXPECT_TRUE(f.shellRadii(outer, inner) && inner == 0.81f);
    for (float bad : {0.0f, INFINITY, NAN}) EXPECT_FALSE((f.outerDiameter = bad, f.shellRadii(outer, inner))) << bad;
    outer = 8.0f, inner = 7.21f;
    for (int shape = 0; shape <= 3; ++shape) {
        f.shape = shape; float lowestY = outer;
        int yOnly = 0;  // stars beyond the inner cube only along y
        for (int i = 0; i < 2000; ++i) {
            Vec3 p = f.placeStar(outer, inner);
            float biggest = std::fmax(std::fabs(p.x), std::fmax(std::fabs(p.y), std::fabs(p.z)));
            lowestY = std::fmin(lowestY, p.y); yOnly += std::fabs(p.x) < inner && std::fabs(p.z) < inner;
            ASSERT_LE(biggest, outer);
            ASSERT_TRUE(shape == 1 ? biggest >= inner : p.length() >= inner && p.length() <= outer) << shape;
            ASSERT_TRUE(shape != 2 || p.y >= 0.0f) << "half shell";
        }
        EXPECT_EQ(lowestY < -inner * 0.5f, shape != 2) << "shape " << shape << " fills the lower half";
        EXPECT_GT(yOnly, shape == 1 ? 200 : 0);
    }
    int bright = 0;
    for (int i = 0; i < 10000; ++i) {
        Color4 c = f.starColor(); float least = std::fmin(c.r, std::fmin(c.g, c.b));
        ASSERT_TRUE(least >= 0.3f && std::fmax(c.r, std::fmax(c.g, c.b)) < 1.0f + 1e-6f); bright += least >= 0.7f;
    }
    // Dim stars may also come out above 0.7 in all three channels: (0.3 / 0.7)^3 of them.
    EXPECT_NEAR(bright / 10000.0, 0.9 + 0.1 * std::pow(0.3 / 0.7, 3.0), 0.01);
}

TEST(StarField, CopiesTurnByAThirdEachWithPointSizesOneTwoThreeAndTooFewStarsDrawNone) {
    resetProgramState(); StarField f; f.starCount = f.copies = 3;
    f.shape = 0; f.outerDiameter = 2.0f;
    f.innerDiameter = 1.95f;  // cut to 1.8, nine tenths of the outer, before the stars are placed
    // A seed whose single star lies well away from the turning axis, so the copies fall apart.
    uint32_t seed = 1; Vec3 star;
    for (;; ++seed) {
        rndSeed(seed); star = f.placeStar(1.0f, 0.91f);
        if (std::hypot(star.x, star.z) > 0.6f) break;
    }
    rndSeed(seed); f.build();
    for (int i = 0; i < 3; ++i) {
        float a = (i + 1) * 120.0f * 3.14159265f / 180.0f;
        float x = star.x * std::cos(a) + star.z * std::sin(a), z = -star.x * std::sin(a) + star.z * std::cos(a);
        int px = static_cast<int>((x + 2.0f) / 4.0f * 320.0f), py = static_cast<int>((-z + 1.5f) / 3.0f * 240.0f);
        EXPECT_EQ(litSeenFromAbove(f, px, py), (i + 1) * (i + 1)) << "copy " << i;
    }
    EXPECT_EQ(litSeenFromAbove(f) / 3, 1 + 4 + 9) << "no other points";
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "drawing leaves blending as it was";
    f.starCount = 2;  // fewer stars than copies compile an empty list
    f.build(); EXPECT_NE(f.displayList, 0u); EXPECT_EQ(litSeenFromAbove(f), 0);
    f.copies = 0; f.build(); f.release();
    EXPECT_EQ(f.displayList, 0u);

    // Resizing the world scales the far plane and rebuilds the stars.
    prefs.objectSize = 2.0f; prefs.tesselation = 10; starField.starCount = 10;
    starField.copies = 2; resizeWorld();
    const float got[5] = {appState.worldSize, screen.zFarBase, starField.outerDiameter, starField.innerDiameter,
                          terrain.extent.y};
    const float expected[5] = {16.0f, 57.12f, 32.0f, 28.8f, 16.0f};
    for (int k = 0; k < 5; ++k) EXPECT_FLOAT_EQ(got[k], expected[k]) << k;
    EXPECT_NE(starField.displayList, 0u); starField.release();
}
