// Star field pixels: rotated copies with growing point sizes, an empty list, and the list rebuilt on a world resize.
#include "app/Globals.h"
#include "app/SceneSequencer.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include <GL/gl.h>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Looks straight down the y axis: world x to the right, world -z up the screen, 4 x 3 units in view.
void topDownView() {
    beginTestFrame(320, 240);
    orthoProjection(-2, 2, -1.5, 1.5, -10, 10);
    glRotatef(90, 1, 0, 0);
    glDisable(GL_POINT_SMOOTH);
}

int litPixelsAround(int cx, int cy, int reach) {
    int lit = 0;
    for (int y = cy - reach; y <= cy + reach; ++y)
        for (int x = cx - reach; x <= cx + reach; ++x) lit += readPixel(x, y).r > 40;
    return lit;
}

int litPixelsInWindow() {
    int lit = 0;
    for (unsigned char c : readFrame(320, 240)) lit += c > 40;
    return lit;
}

}  // namespace

TEST(StarFieldGl, CopiesTurnByAThirdEachWithPointSizesOneTwoThreeAndTooFewStarsDrawNone) {
    resetProgramState();
    StarField f;
    f.starCount = 3;
    f.copies = 3;
    f.shape = 0;
    f.outerDiameter = 2.0f;
    f.innerDiameter = 1.95f;  // cut to 1.8, nine tenths of the outer, before the stars are placed
    // A seed whose single star lies well away from the turning axis, so the copies fall apart.
    uint32_t seed = 1;
    Vec3 star;
    for (;; ++seed) {
        rndSeed(seed);
        star = f.placeStar(1.0f, 0.91f);
        if (std::hypot(star.x, star.z) > 0.6f) break;
    }
    rndSeed(seed);
    f.build();
    ASSERT_NE(f.displayList, 0u);
    topDownView();
    f.draw();
    for (int i = 0; i < 3; ++i) {
        float a = (i + 1) * 120.0f * 3.14159265f / 180.0f;
        float x = star.x * std::cos(a) + star.z * std::sin(a);
        float z = -star.x * std::sin(a) + star.z * std::cos(a);
        int px = static_cast<int>((x + 2.0f) / 4.0f * 320.0f), py = static_cast<int>((-z + 1.5f) / 3.0f * 240.0f);
        EXPECT_EQ(litPixelsAround(px, py, 4), (i + 1) * (i + 1)) << "copy " << i;
    }
    EXPECT_EQ(litPixelsInWindow() / 3, 1 + 4 + 9) << "no other points";
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "drawing leaves blending as it was";
    // Fewer stars than copies compile an empty list.
    f.starCount = 2;
    f.build();
    EXPECT_NE(f.displayList, 0u);
    topDownView();
    f.draw();
    EXPECT_EQ(litPixelsInWindow(), 0);
    f.release();
    EXPECT_EQ(f.displayList, 0u);
}

TEST(StarFieldGl, ResizingTheWorldScalesTheFarPlaneAndRebuildsTheStars) {
    resetProgramState();
    prefs.objectSize = 2.0f;
    prefs.tesselation = 10;
    starField.starCount = 10;
    starField.copies = 2;
    resizeWorld();
    EXPECT_FLOAT_EQ(appState.worldSize, 16.0f);
    EXPECT_FLOAT_EQ(screen.zFarBase, 57.12f);
    EXPECT_FLOAT_EQ(starField.outerDiameter, 32.0f);
    EXPECT_FLOAT_EQ(starField.innerDiameter, 28.8f);
    EXPECT_NE(starField.displayList, 0u);
    EXPECT_FLOAT_EQ(terrain.extent.y, 16.0f);
    starField.release();
}
