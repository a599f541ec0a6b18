// The light in GL: intensity and spot direction, the cone of every cutoff, fog colours, texture generation.
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

TEST(LightGl, EveryCutoffGivesADefinedConeAroundTheOriginWhateverCameBefore) {
    // Above 90 there is no cone, also right after a narrow one; 51 degrees out lies outside a 30-degree cone.
    const struct { float cutoff; bool edgeLit; } rows[] = {{180, true}, {30, false}, {135, true}, {90, true}};
    for (const auto& row : rows) {
        drawLitFloor(overheadLight(row.cutoff));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << row.cutoff;
        EXPECT_GT(readPixel(160, 120).r, 240) << row.cutoff;
        EXPECT_GT(readPixel(160 + 40, 120).r, 100) << row.cutoff;  // 0.5 units out, 27 degrees
        int edge = readPixel(160 + 100, 120).r;                     // 1.25 units out, 51 degrees
        EXPECT_EQ(edge > 80, row.edgeLit) << row.cutoff << ": " << edge;
        EXPECT_EQ(edge == 0, !row.edgeLit) << row.cutoff;
    }
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
    // What each mode does to the picture is the volcano scene's test; here the switching.
    setTexGen(2, 1);
    setTexGen(0, 1);  // "Map: Normal" leaves what was on
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_Q));
    setTexGen(1, 0);  // off whatever the mode
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S) || glIsEnabled(GL_TEXTURE_GEN_Q));
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
