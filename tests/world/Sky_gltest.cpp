// The sky in GL: the light, fog colours, texture generation, the gradient frame; the star field's shells, empty
// list and rebuild on a world resize; the sky box's depth (its faces and the stars are the golden tour's pictures).
#include "app/Globals.h"
#include "app/SceneSequencer.h"
#include "core/Random.h"
#include "scene/Texture.h"
#include "support/TestSupport.h"
#include "world/Light.h"
#include <GL/gl.h>
#include <cmath>
#include <gtest/gtest.h>

TEST(LightGl, ApplyScalesByIntensityAimsTheSpotAtTheOriginAndFogAndTextureGenerationSwitch) {
    glMatrixMode(GL_MODELVIEW); glLoadIdentity(); Light light;
    light.setColor(1.0f, 0.5f, 0.25f, 1.0f); light.intensity = 0.8f;
    light.ambient = 0.5f, light.diffuse = 0.25f, light.specular = 0.75f, light.reflective = 0.125f;
    light.shininess = 12.9f, light.exponent = 3.0f; light.lightIndex = 2; light.setPosition(2, 3, -4);
    light.apply();
    // Green is 0.5 x 0.8 = 0.4 times each factor.
    const struct { GLenum what; int source, k; float expected; } reads[] = {
        {GL_LIGHT_MODEL_AMBIENT, 0, 1, 0.2f}, {GL_AMBIENT, 1, 1, 0.2f}, {GL_DIFFUSE, 1, 1, 0.1f},
        {GL_SPECULAR, 1, 1, 0.3f}, {GL_SPECULAR, 2, 1, 0.05f}, {GL_SHININESS, 2, 0, 12}, {GL_SPOT_EXPONENT, 1, 0, 3},
        {GL_SPOT_DIRECTION, 1, 0, -2}, {GL_SPOT_DIRECTION, 1, 2, 4}, {GL_POSITION, 1, 2, -4}, {GL_POSITION, 1, 3, 1}};
    for (const auto& r : reads) {
        float v[4];
        if (r.source == 0) glGetFloatv(r.what, v);
        if (r.source == 1) glGetLightfv(GL_LIGHT2, r.what, v);
        if (r.source == 2) glGetMaterialfv(GL_BACK, r.what, v);
        EXPECT_FLOAT_EQ(v[r.k], r.expected) << r.what << " " << r.k;
    }
    EXPECT_TRUE(glIsEnabled(GL_LIGHT2)); float v[4], w[4];
    // GL keeps the old cone for a cutoff it refuses: above 90 means none, below 0 the narrowest.
    const float cutoffs[5][2] = {{30, 30}, {-5, 0}, {NAN, 0}, {90, 90}, {90.5f, 180}};
    for (const auto& c : cutoffs) {
        light.cutoff = c[0]; light.apply(); glGetLightfv(GL_LIGHT2, GL_SPOT_CUTOFF, v);
        EXPECT_EQ(v[0], c[1]) << c[0];
    }
    glDisable(GL_LIGHT2);

    const struct { int universe; float red; } fogs[] = {{2, 1.0f}, {7, 1.0f}, {0, 0.0f}, {3, 1.0f}, {1, 0.0f}};
    for (const auto& f : fogs) {  // 7: unknown, kept
        setFogColor(f.universe); glGetFloatv(GL_FOG_COLOR, v);
        EXPECT_EQ(v[0], f.red) << f.universe;
    }
    // What each mode does to the picture is the volcano scene's test; here the switching and the planes.
    setTexGen(2, 1); glGetTexGenfv(GL_Q, GL_OBJECT_PLANE, v); glGetTexGenfv(GL_T, GL_OBJECT_PLANE, w);
    EXPECT_TRUE(v[3] == 0.08f && v[2] == 0.0f && w[1] == 1.0f && w[0] == 0.0f);
    setTexGen(0, 1);  // "Map: Normal" leaves what was on
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_Q));
    setTexGen(1, 0);  // off whatever the mode
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S) || glIsEnabled(GL_TEXTURE_GEN_T) || glIsEnabled(GL_TEXTURE_GEN_Q));
}

TEST(LightGl, GradientFrameRunsFromOuterEdgeToInnerEdge) {
    beginTestFrame(320, 240); orthoProjection(0, 320, 0, 240); glShadeModel(GL_SMOOTH);
    // The texture coordinate read back through a 1D ramp black -> white.
    const unsigned char ramp[6] = {0, 0, 0, 255, 255, 255};
    GLuint tex = 0; glGenTextures(1, &tex); glBindTexture(GL_TEXTURE_1D, tex);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGB, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, ramp);
    for (GLenum p : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER}) glTexParameteri(GL_TEXTURE_1D, p, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE); glEnable(GL_TEXTURE_1D);
    drawGradientFrame(40, 20, 280, 220, 40); glDisable(GL_TEXTURE_1D); glDeleteTextures(1, &tex);
    Texture::boundTextureName = 0;
    // Outer and inner edge of the bottom, right, top and left bars; the middle stays open.
    const struct { int x, y, least, most; } probes[] = {{160, 21, 0, 40}, {160, 58, 200, 255}, {278, 120, 0, 40},
        {242, 120, 200, 255}, {160, 218, 0, 40}, {160, 182, 200, 255}, {42, 120, 0, 40}, {78, 120, 200, 255}, {160, 120, 0, 0}};
    for (const auto& p : probes) EXPECT_TRUE(readPixel(p.x, p.y).r >= p.least && readPixel(p.x, p.y).r <= p.most) << p.x << "," << p.y;
}

TEST(StarField, EachShapeKeepsItsStarsInAShellThickEnoughToHit) {
    rndSeed(11); StarField f; float outer = 0, inner = 0;
    f.outerDiameter = f.innerDiameter = 0.001f;  // a tiny world still gets a shell, and no shell is endless
    ASSERT_TRUE(f.shellRadii(outer, inner)); EXPECT_FLOAT_EQ(inner, 0.95f * outer); f.outerDiameter = 2.0f;
    f.innerDiameter = 1.6f; EXPECT_TRUE(f.shellRadii(outer, inner) && inner == 0.81f);
    for (float bad : {0.0f, INFINITY, NAN}) EXPECT_FALSE((f.outerDiameter = bad, f.shellRadii(outer, inner))) << bad;
    outer = 8.0f, inner = 7.21f;
    for (int shape = 0; shape <= 3; ++shape) {
        f.shape = shape; float lowestY = outer; int yOnly = 0;  // yOnly: beyond the inner cube only along y
        for (int i = 0; i < 2000; ++i) {
            Vec3 p = f.placeStar(outer, inner);
            float biggest = std::fmax(std::fabs(p.x), std::fmax(std::fabs(p.y), std::fabs(p.z)));
            lowestY = std::fmin(lowestY, p.y); yOnly += std::fabs(p.x) < inner && std::fabs(p.z) < inner;
            ASSERT_TRUE(biggest <= outer && (shape == 1 ? biggest >= inner : p.length() >= inner && p.length() <= outer));
            ASSERT_TRUE(shape != 2 || p.y >= 0.0f) << "half shell";
        }
        EXPECT_EQ(lowestY < -inner * 0.5f, shape != 2) << "shape " << shape << " fills the lower half";
        EXPECT_GT(yOnly, shape == 1 ? 200 : 0);
    }
}

// Fewer stars than copies compile an empty list; resizing the world scales the far plane and rebuilds the stars.
TEST(StarField, TooFewStarsDrawNoneTheSkyBoxWritesNoDepthAndAResizedWorldRebuildsThem) {
    resetProgramState(); StarField f; f.starCount = 2, f.copies = 3, f.outerDiameter = 2.0f, f.innerDiameter = 1.95f;
    f.build(); EXPECT_NE(f.displayList, 0u); beginTestFrame(320, 240); orthoProjection(-2, 2, -1.5, 1.5, -10, 10);
    f.draw(); int lit = 0; for (unsigned char c : readFrame(320, 240)) lit += c > 40;
    EXPECT_EQ(lit, 0); EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "drawing leaves blending as it was";
    f.copies = 0; f.build(); f.release(); EXPECT_EQ(f.displayList, 0u);
    // The sky box writes no depth: what is drawn after it, however far, covers it.
    glEnable(GL_DEPTH_TEST); glClear(GL_DEPTH_BUFFER_BIT); skyBox.radius = 4.0f; skyBox.draw(); glColor3f(1, 0, 0);
    glBegin(GL_QUADS); glVertex3f(-1, -1, -5.0f); glVertex3f(1, -1, -5.0f); glVertex3f(1, 1, -5.0f); glVertex3f(-1, 1, -5.0f);
    glEnd(); glDisable(GL_DEPTH_TEST); EXPECT_EQ(readPixel(160, 120).r * 1000 + readPixel(160, 120).g, 255000);
    prefs.objectSize = 2.0f; prefs.tesselation = 10; starField.starCount = 10; starField.copies = 2; resizeWorld();
    const float got[5] = {appState.worldSize, screen.zFarBase, starField.outerDiameter, starField.innerDiameter,
                          terrain.extent.y};
    const float expected[5] = {16.0f, 57.12f, 32.0f, 28.8f, 16.0f};
    for (int k = 0; k < 5; ++k) EXPECT_FLOAT_EQ(got[k], expected[k]) << k;
    EXPECT_NE(starField.displayList, 0u); starField.release();
}
