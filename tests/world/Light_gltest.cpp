// The light in GL: intensity and spot direction, the cone narrowing with the cutoff, fog colours, texture generation.
#include "scene/Texture.h"
#include "support/TestSupport.h"
#include "world/Light.h"
#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

// A finely cut unit-normal floor at z = 0 seen from above, lit only by the light.
void drawLitFloor(const Light& light) {
    beginTestFrame(320, 240);
    orthoProjection(-2, 2, -1.5, 1.5, -10, 10);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    light.apply();
    glEnable(GL_LIGHTING);
    glColor3f(1, 1, 1);
    glNormal3f(0, 0, 1);
    const int n = 80;
    for (int j = 0; j < n; ++j) {
        glBegin(GL_QUAD_STRIP);
        for (int i = 0; i <= n; ++i) {
            float x = -2.0f + 4.0f * i / n;
            glVertex2f(x, -1.5f + 3.0f * (j + 1) / n);
            glVertex2f(x, -1.5f + 3.0f * j / n);
        }
        glEnd();
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
}

Light overheadLight(float cutoff) {
    Light light;
    light.setPosition(0, 0, 1);
    light.ambient = light.specular = light.exponent = 0.0f;
    light.diffuse = 1.0f;
    light.cutoff = cutoff;
    return light;
}

}  // namespace

TEST(LightGl, SmallerCutoffNarrowsTheConeAroundTheOrigin) {
    Light wide = overheadLight(180.0f);
    drawLitFloor(wide);
    int centreWide = readPixel(160, 120).r, edgeWide = readPixel(160 + 100, 120).r;  // 1.25 units out, 51 degrees
    Light narrow = overheadLight(30.0f);
    drawLitFloor(narrow);
    int centreNarrow = readPixel(160, 120).r, edgeNarrow = readPixel(160 + 100, 120).r;
    int inside = readPixel(160 + 40, 120).r;  // 0.5 units out, 27 degrees
    EXPECT_GT(centreWide, 240);
    EXPECT_GT(edgeWide, 80);
    EXPECT_GT(centreNarrow, 240);
    EXPECT_EQ(edgeNarrow, 0);
    EXPECT_GT(inside, 100);
}

TEST(LightGl, ApplyScalesByIntensityAndAimsTheSpotAtTheOrigin) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Light light;
    light.setColor(1.0f, 0.5f, 0.25f, 1.0f);
    light.intensity = 0.8f;
    light.ambient = 0.5f;
    light.shininess = 12.9f;
    light.lightIndex = 2;
    light.setPosition(2, 3, -4);
    light.apply();
    float v[4];
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, v);
    EXPECT_FLOAT_EQ(v[1], 0.2f) << "0.5 green x 0.8 intensity x 0.5 ambient";
    glGetMaterialfv(GL_BACK, GL_SHININESS, v);
    EXPECT_FLOAT_EQ(v[0], 12.0f);
    glGetLightfv(GL_LIGHT2, GL_SPOT_DIRECTION, v);
    EXPECT_FLOAT_EQ(v[0], -2.0f);
    EXPECT_FLOAT_EQ(v[2], 4.0f);
    // Directional: shines from the mirrored side.
    light.positional = 0;
    light.apply();
    glGetLightfv(GL_LIGHT2, GL_POSITION, v);
    EXPECT_FLOAT_EQ(v[0], -2.0f);
    EXPECT_FLOAT_EQ(v[3], 0.0f);
    glDisable(GL_LIGHT2);
}

TEST(LightGl, FogColourFollowsTheUniverseAndTextureGenerationSwitches) {
    const struct { int universe; float red; } fogs[] = {{2, 1.0f}, {7, 1.0f}, {1, 0.0f}};  // 7: unknown, kept
    for (const auto& f : fogs) {
        float v[4];
        setFogColor(f.universe);
        glGetFloatv(GL_FOG_COLOR, v);
        EXPECT_EQ(v[0], f.red) << f.universe;
    }
    setTexGen(2, 1);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_Q));
    setTexGen(0, 1);  // "Map: Normal" leaves what was on
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_Q));
    setTexGen(1, 0);  // off whatever the mode
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S) || glIsEnabled(GL_TEXTURE_GEN_Q));
    setTexGen(1, 1);
    GLint mode = 0;
    glGetTexGeniv(GL_T, GL_TEXTURE_GEN_MODE, &mode);
    EXPECT_EQ(mode, GL_SPHERE_MAP);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_Q));
    setTexGen(0, 0);
}

TEST(LightGl, GradientFrameRunsFromOuterEdgeToInnerEdge) {
    beginTestFrame(320, 240);
    orthoProjection(0, 320, 0, 240);
    glShadeModel(GL_SMOOTH);
    // Colour stands in for the texture coordinate: read it back through a 1D ramp black -> white.
    const unsigned char ramp[6] = {0, 0, 0, 255, 255, 255};
    GLuint tex = 0;
    glGenTextures(1, &tex);
    glBindTexture(GL_TEXTURE_1D, tex);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGB, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, ramp);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnable(GL_TEXTURE_1D);
    drawGradientFrame(40, 20, 280, 220, 40);
    glDisable(GL_TEXTURE_1D);
    glDeleteTextures(1, &tex);
    Texture::boundTextureName = 0;
    EXPECT_LT(readPixel(160, 21).r, 40);   // bottom bar, outer edge
    EXPECT_GT(readPixel(160, 58).r, 200);  // bottom bar, inner edge
    EXPECT_LT(readPixel(278, 120).r, 40);  // right bar, outer edge
    EXPECT_GT(readPixel(242, 120).r, 200);
    EXPECT_EQ(readPixel(160, 120).r, 0);   // the middle stays open
}
