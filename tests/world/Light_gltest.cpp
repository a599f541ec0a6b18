// The light in GL: colours and factors sent, the spot cone narrowing with the cutoff, fog colours and texture generation.
#include "support/TestSupport.h"
#include "gfx/Texture.h"
#include "world/Light.h"
#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

// A finely cut unit-normal floor at z = 0 seen from above, lit only by the light.
void drawLitFloor(const Light& light) {
    beginTestFrame(320, 240);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 2, -1.5, 1.5, -10, 10);
    glMatrixMode(GL_MODELVIEW);
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
    light.ambient = 0.0f;
    light.diffuse = 1.0f;
    light.specular = 0.0f;
    light.cutoff = cutoff;
    light.exponent = 0.0f;
    return light;
}

void getFloats(GLenum what, float* out) { glGetFloatv(what, out); }

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

TEST(LightGl, ApplySendsScaledColoursAndTheSpotAimedAtTheOrigin) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Light light;
    light.setColor(1.0f, 0.5f, 0.25f, 1.0f);
    light.intensity = 0.8f;
    light.ambient = 0.5f;
    light.diffuse = 1.0f;
    light.specular = 0.25f;
    light.reflective = 1.0f;
    light.shininess = 12.9f;
    light.lightIndex = 2;
    light.setPosition(2, 3, -4);
    light.apply();
    float v[4];
    getFloats(GL_LIGHT_MODEL_AMBIENT, v);
    EXPECT_FLOAT_EQ(v[0], 0.4f);
    EXPECT_FLOAT_EQ(v[1], 0.2f);
    EXPECT_FLOAT_EQ(v[3], 1.0f);
    glGetLightfv(GL_LIGHT2, GL_DIFFUSE, v);
    EXPECT_FLOAT_EQ(v[2], 0.2f);
    glGetLightfv(GL_LIGHT2, GL_SPECULAR, v);
    EXPECT_FLOAT_EQ(v[0], 0.2f);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, v);
    EXPECT_FLOAT_EQ(v[1], 0.4f);
    glGetMaterialfv(GL_BACK, GL_SHININESS, v);
    EXPECT_FLOAT_EQ(v[0], 12.0f);
    glGetLightfv(GL_LIGHT2, GL_POSITION, v);
    EXPECT_FLOAT_EQ(v[0], 2.0f);
    EXPECT_FLOAT_EQ(v[3], 1.0f);
    glGetLightfv(GL_LIGHT2, GL_SPOT_DIRECTION, v);
    EXPECT_FLOAT_EQ(v[0], -2.0f);
    EXPECT_FLOAT_EQ(v[2], 4.0f);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT2));
    // Directional: shines from the mirrored side with no spot direction.
    light.positional = 0;
    light.intensity = 0.0f;
    light.apply();
    glGetLightfv(GL_LIGHT2, GL_POSITION, v);
    EXPECT_FLOAT_EQ(v[0], -2.0f);
    EXPECT_FLOAT_EQ(v[2], 4.0f);
    EXPECT_FLOAT_EQ(v[3], 0.0f);
    getFloats(GL_LIGHT_MODEL_AMBIENT, v);
    EXPECT_FLOAT_EQ(v[0] + v[1] + v[2], 0.0f);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, v);
    EXPECT_FLOAT_EQ(v[0] + v[1] + v[2], 0.0f);
    glDisable(GL_LIGHT2);
}

TEST(LightGl, FogColourFollowsTheUniverseAndIgnoresUnknownOnes) {
    float v[4];
    setFogColor(2);
    getFloats(GL_FOG_COLOR, v);
    EXPECT_EQ(v[0], 1.0f);
    setFogColor(7);
    getFloats(GL_FOG_COLOR, v);
    EXPECT_EQ(v[0], 1.0f);
    setFogColor(1);
    getFloats(GL_FOG_COLOR, v);
    EXPECT_EQ(v[0], 0.0f);
    EXPECT_EQ(v[3], 1.0f);
    setFogColor(3);
    getFloats(GL_FOG_COLOR, v);
    EXPECT_EQ(v[1], 1.0f);
    setFogColor(0);
    getFloats(GL_FOG_COLOR, v);
    EXPECT_EQ(v[1], 0.0f);
}

TEST(LightGl, TextureGenerationModes) {
    setTexGen(2, 1);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_T));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_Q));
    float plane[4];
    glGetTexGenfv(GL_Q, GL_OBJECT_PLANE, plane);
    EXPECT_FLOAT_EQ(plane[3], 0.08f);
    GLint mode = 0;
    glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &mode);
    EXPECT_EQ(mode, GL_OBJECT_LINEAR);
    setTexGen(0, 1);  // "Map: Normal" leaves what was on
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_Q));
    setTexGen(1, 0);  // off whatever the mode
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_Q));
    setTexGen(1, 1);
    glGetTexGeniv(GL_T, GL_TEXTURE_GEN_MODE, &mode);
    EXPECT_EQ(mode, GL_SPHERE_MAP);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_Q));
    setTexGen(3, 1);
    glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &mode);
    EXPECT_EQ(mode, GL_EYE_LINEAR);
    glGetTexGenfv(GL_T, GL_EYE_PLANE, plane);
    EXPECT_FLOAT_EQ(plane[1], 1.0f);  // GL's default eye plane
    setTexGen(0, 0);
}

TEST(LightGl, GradientFrameRunsFromOuterEdgeToInnerEdge) {
    beginTestFrame(320, 240);
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, 320, 0, 240, -1, 1);
    glMatrixMode(GL_MODELVIEW);
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
    EXPECT_LT(readPixel(160, 218).r, 40);  // top bar
    EXPECT_LT(readPixel(42, 120).r, 40);   // left bar
    EXPECT_EQ(readPixel(160, 120).r, 0);   // the middle stays open
}
