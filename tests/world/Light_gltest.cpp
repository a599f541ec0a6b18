// The light in GL: intensity and spot direction, the cone of every cutoff, fog colours, texture generation, and the
// gradient frame.
#include "scene/Texture.h"
#include "support/TestSupport.h"
#include "world/Light.h"
#include <GL/gl.h>
#include <gtest/gtest.h>

// A finely cut unit-normal floor at z = 0 seen from above, lit only by an overhead light, once per cutoff: above 90
// there is no cone, also right after a narrow one; 51 degrees out lies outside a 30-degree cone.
TEST(LightGl, EveryCutoffGivesADefinedConeAroundTheOriginWhateverCameBefore) {
    const struct { float cutoff; bool edgeLit; } rows[] = {{180, true}, {30, false}, {135, true}, {90, true}};
    for (const auto& row : rows) {
        Light light;
        light.setPosition(0, 0, 1);
        light.ambient = light.specular = light.exponent = 0.0f;
        light.diffuse = 1.0f;
        light.cutoff = row.cutoff;
        beginTestFrame(320, 240);
        orthoProjection(-2, 2, -1.5, 1.5, -10, 10);
        glEnable(GL_COLOR_MATERIAL);
        glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
        light.apply();
        glEnable(GL_LIGHTING);
        glColor3f(1, 1, 1);
        glNormal3f(0, 0, 1);
        for (int j = 0; j < 60; ++j) {
            glBegin(GL_QUAD_STRIP);
            for (int i = 0; i <= 80; ++i) glVertex2f(i / 20.0f - 2, (j + 1) / 20.0f - 1.5f), glVertex2f(i / 20.0f - 2, j / 20.0f - 1.5f);
            glEnd();
        }
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << row.cutoff;
        EXPECT_GT(readPixel(160, 120).r, 240) << row.cutoff;
        EXPECT_GT(readPixel(160 + 40, 120).r, 100) << row.cutoff;  // 0.5 units out, 27 degrees
        int edge = readPixel(160 + 100, 120).r;                     // 1.25 units out, 51 degrees
        EXPECT_TRUE(row.edgeLit ? edge > 80 : edge == 0) << row.cutoff << ": " << edge;
    }
}

TEST(LightGl, ApplyScalesByIntensityAimsTheSpotAtTheOriginAndFogAndTextureGenerationSwitch) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Light light;
    light.setColor(1.0f, 0.5f, 0.25f, 1.0f);
    light.intensity = 0.8f;
    light.ambient = 0.5f;
    light.shininess = 12.9f;
    light.reflective = 0.25f;
    light.lightIndex = 2;
    light.setPosition(2, 3, -4);
    light.apply();
    float v[4], w[4], d[4];
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, v);
    EXPECT_FLOAT_EQ(v[1], 0.2f) << "0.5 green x 0.8 intensity x 0.5 ambient";
    glGetMaterialfv(GL_BACK, GL_SHININESS, v);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, w);
    EXPECT_TRUE(v[0] == 12.0f && w[1] == 0.1f) << v[0] << " " << w[1];
    glGetLightfv(GL_LIGHT2, GL_SPOT_DIRECTION, v);
    EXPECT_TRUE(v[0] == -2.0f && v[2] == 4.0f);
    light.positional = 0;  // directional: shines from the mirrored side
    light.apply();
    glGetLightfv(GL_LIGHT2, GL_POSITION, v);
    glGetLightfv(GL_LIGHT2, GL_SPOT_DIRECTION, d);
    EXPECT_TRUE(v[0] == -2.0f && v[3] == 0.0f && d[0] == 0.0f) << v[0] << " " << v[3] << " " << d[0];
    const float cutoffs[4][2] = {{-5, 0}, {NAN, 0}, {90, 90}, {90.5f, 180}};  // below 0 the narrowest cone
    for (const auto& c : cutoffs) {
        light.cutoff = c[0];
        light.apply();
        glGetLightfv(GL_LIGHT2, GL_SPOT_CUTOFF, v);
        EXPECT_EQ(v[0], c[1]) << c[0];
    }
    glDisable(GL_LIGHT2);

    const struct { int universe; float red; } fogs[] = {{2, 1.0f}, {7, 1.0f}, {0, 0.0f}, {3, 1.0f}, {1, 0.0f}};
    for (const auto& f : fogs) {  // 7: unknown, kept
        setFogColor(f.universe);
        glGetFloatv(GL_FOG_COLOR, v);
        EXPECT_EQ(v[0], f.red) << f.universe;
    }
    // What each mode does to the picture is the volcano scene's test; here the switching and the planes.
    setTexGen(2, 1);
    glGetTexGenfv(GL_Q, GL_OBJECT_PLANE, v);
    glGetTexGenfv(GL_T, GL_OBJECT_PLANE, w);
    EXPECT_TRUE(v[3] == 0.08f && v[2] == 0.0f && w[1] == 1.0f && w[0] == 0.0f);
    setTexGen(0, 1);  // "Map: Normal" leaves what was on
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_Q));
    setTexGen(1, 0);  // off whatever the mode
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S) || glIsEnabled(GL_TEXTURE_GEN_T) || glIsEnabled(GL_TEXTURE_GEN_Q));
}

TEST(LightGl, GradientFrameRunsFromOuterEdgeToInnerEdge) {
    beginTestFrame(320, 240);
    orthoProjection(0, 320, 0, 240);
    glShadeModel(GL_SMOOTH);
    // The texture coordinate read back through a 1D ramp black -> white.
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
    // Outer and inner edge of the bottom, right, top and left bars; the middle stays open.
    const struct { int x, y; bool bright; } probes[] = {{160, 21, 0}, {160, 58, 1}, {278, 120, 0}, {242, 120, 1},
                                                      {160, 218, 0}, {160, 182, 1}, {42, 120, 0}, {78, 120, 1}};
    for (const auto& p : probes) EXPECT_TRUE(p.bright ? readPixel(p.x, p.y).r > 200 : readPixel(p.x, p.y).r < 40) << p.x << "," << p.y;
    EXPECT_EQ(readPixel(160, 120).r, 0);
}
