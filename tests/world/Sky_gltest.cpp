// The sky and its light in GL: the light's colours, spot and cutoff, fog colours, texture generation and the
// gradient frame; the sky box's faces upright and the travelling box centred on the eye; the star field's shells,
// colours, turned copies and its rebuild on a world resize.
#include "app/Frame.h"
#include "app/Globals.h"
#include "app/SceneSequencer.h"
#include "core/Random.h"
#include "scene/Texture.h"
#include "support/TestSupport.h"
#include "world/Light.h"
#include <GL/gl.h>
#include <GL/glu.h>
#include <cmath>
#include <cstdlib>
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
    light.positional = 0;  // directional: shines from the mirrored side
    light.apply(); glGetLightfv(GL_LIGHT2, GL_POSITION, v); glGetLightfv(GL_LIGHT2, GL_SPOT_DIRECTION, w);
    EXPECT_TRUE(v[0] == -2.0f && v[3] == 0.0f && w[0] == 0.0f) << v[0] << " " << v[3] << " " << w[0];
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

namespace {

// Straight at front (-z), right (+x), back (+z), left (-x), top (+y) and bottom (-y), in face order: direction, up.
const float kLooks[6][6] = {{0, 0, -1, 0, 1, 0}, {1, 0, 0, 0, 1, 0}, {0, 0, 1, 0, 1, 0},
                            {-1, 0, 0, 0, 1, 0}, {0, 1, 0, 0, 0, -1}, {0, -1, 0, 0, 0, 1}};
const unsigned char kFaceColours[6][3] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                          {255, 255, 0}, {0, 255, 255}, {255, 0, 255}};
// A 2 x 2 picture, bottom row first: red, green / blue, white.
const unsigned char kQuad[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};

void fillTexture(Texture& t, int w, int h, const unsigned char* rgb) {
    t.bind(); glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

void lookFromCentre(const float* l, const Vec3& at) {
    beginTestFrame(320, 240, 0.5f, 0.5f, 0.5f); glMatrixMode(GL_PROJECTION);
    gluPerspective(60, 320.0 / 240.0, 0.1, 100); glMatrixMode(GL_MODELVIEW);
    gluLookAt(at.x, at.y, at.z, at.x + l[0], at.y + l[1], at.z + l[2], l[3], l[4], l[5]);
}

bool sameColour(const Rgb& p, const unsigned char* c) {
    return std::abs(p.r - c[0]) <= 2 && std::abs(p.g - c[1]) <= 2 && std::abs(p.b - c[2]) <= 2;
}

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

TEST(SkyBoxGl, EachFaceIsSeenLookingAlongItsAxisWithItsPictureUprightAndTheTravellingBoxIsCentredOnTheEye) {
    resetProgramState();
    for (int i = 0; i < 6; ++i) fillTexture(skyBox.faces[i], 1, 1, kFaceColours[i]);
    skyBox.radius = 8.0f * skyBox.sizeFactor;
    skyBox.position = Vec3(3, -1, 2);  // the box is drawn around its own position
    for (int i = 0; i < 6; ++i) {
        lookFromCentre(kLooks[i], skyBox.position); skyBox.draw(); Rgb p = readPixel(160, 120);
        EXPECT_TRUE(sameColour(p, kFaceColours[i])) << "face " << i << ": " << p.r << "," << p.g << "," << p.b;
    }
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE) || glIsEnabled(GL_TEXTURE_2D)); fillTexture(skyBox.faces[0], 2, 2, kQuad);
    skyBox.radius = 4.0f; lookFromCentre(kLooks[0], skyBox.position); skyBox.draw();
    const int corners[4][2] = {{130, 90}, {190, 90}, {130, 150}, {190, 150}};
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(sameColour(readPixel(corners[k][0], corners[k][1]), kQuad + 3 * k)) << k;
    // The box writes no depth: what is drawn after it, however far, covers it (a white diamond 5 units out from
    // the view axis, 10 units ahead).
    glEnable(GL_DEPTH_TEST); glClear(GL_DEPTH_BUFFER_BIT); skyBox.draw(); glColor3f(1, 1, 1); glBegin(GL_QUADS);
    for (const float* c : {kLooks[0], kLooks[1], kLooks[2], kLooks[3]}) glVertex3f(3 + 5 * c[0], -1 + 5 * c[2], -8);
    glEnd(); glDisable(GL_DEPTH_TEST); EXPECT_TRUE(sameColour(readPixel(130, 90), kQuad + 9));

    // The frame of universe 2 puts the box around the eye, the camera's position raised by the eye offset: the
    // front face's middle lies level with the eye, halfway up the window.
    screen.width = 320; screen.height = 240; appState.worldSize = 8.0f;
    screen.zFarBase = 3.57f * 8.0f; appState.sceneIndex = prefs.universe = prefs.cameraMode = 2;
    prefs.clearScreen = 1; prefs.fade = 1.0f; camera.moveRotors = &cameraMoveRotors;
    camera.position = Vec3(1, 1, 0); camera.eyeOffset[1] = 2.0f; renderScene(320.0f / 240.0f);
    EXPECT_TRUE(sameColour(readPixel(150, 110), kQuad) && sameColour(readPixel(150, 130), kQuad + 6));
}

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
