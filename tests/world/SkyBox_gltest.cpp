// Sky box pixels: each face where the face table puts it, its texture upright, and the travelling box centred on
// the eye in the frame.
#include "app/Frame.h"
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <GL/glu.h>
#include <cstdlib>
#include <gtest/gtest.h>

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

    // The frame of universe 2 puts the box around the eye, the camera's position raised by the eye offset: the
    // front face's middle lies level with the eye, halfway up the window.
    screen.width = 320; screen.height = 240; appState.worldSize = 8.0f;
    screen.zFarBase = 3.57f * 8.0f; appState.sceneIndex = prefs.universe = prefs.cameraMode = 2;
    prefs.clearScreen = 1; prefs.fade = 1.0f; camera.moveRotors = &cameraMoveRotors;
    camera.position = Vec3(1, 1, 0); camera.eyeOffset[1] = 2.0f; renderScene(320.0f / 240.0f);
    EXPECT_TRUE(sameColour(readPixel(150, 110), kQuad) && sameColour(readPixel(150, 130), kQuad + 6));
}
