// Sky box pixels: each face where the face table puts it, and its texture upright.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <GL/glu.h>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

struct Look {
    float dx, dy, dz, ux, uy, uz;
};
// Straight at front (-z), right (+x), back (+z), left (-x), top (+y) and bottom (-y), in face order.
const Look kLooks[6] = {{0, 0, -1, 0, 1, 0}, {1, 0, 0, 0, 1, 0}, {0, 0, 1, 0, 1, 0},
                        {-1, 0, 0, 0, 1, 0}, {0, 1, 0, 0, 0, -1}, {0, -1, 0, 0, 0, 1}};
const unsigned char kFaceColours[6][3] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                          {255, 255, 0}, {0, 255, 255}, {255, 0, 255}};

void fillTexture(Texture& t, int w, int h, const unsigned char* rgb) {
    t.bind();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

void lookFromCentre(const Look& l, const Vec3& at) {
    beginTestFrame(320, 240, 0.5f, 0.5f, 0.5f);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(60, 320.0 / 240.0, 0.1, 100);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(at.x, at.y, at.z, at.x + l.dx, at.y + l.dy, at.z + l.dz, l.ux, l.uy, l.uz);
}

bool sameColour(const Rgb& p, const unsigned char* c) {
    return std::abs(p.r - c[0]) <= 2 && std::abs(p.g - c[1]) <= 2 && std::abs(p.b - c[2]) <= 2;
}

}  // namespace

TEST(SkyBoxGl, EachFaceIsSeenLookingAlongItsAxisWithItsPictureUpright) {
    resetProgramState();
    SkyBox box;
    for (int i = 0; i < 6; ++i) fillTexture(box.faces[i], 1, 1, kFaceColours[i]);
    box.radius = 8.0f * box.sizeFactor;
    box.position = Vec3(3, -1, 2);  // the box is drawn around its own position
    for (int i = 0; i < 6; ++i) {
        lookFromCentre(kLooks[i], box.position);
        box.draw();
        Rgb p = readPixel(160, 120);
        EXPECT_TRUE(sameColour(p, kFaceColours[i])) << "face " << i << ": " << p.r << "," << p.g << "," << p.b;
    }
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    // The front face with a 2 x 2 picture, bottom row first: red, green / blue, white.
    const unsigned char quad[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    fillTexture(box.faces[0], 2, 2, quad);
    box.radius = 4.0f;
    lookFromCentre(kLooks[0], box.position);
    box.draw();
    const int corners[4][2] = {{130, 90}, {190, 90}, {130, 150}, {190, 150}};
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(sameColour(readPixel(corners[k][0], corners[k][1]), quad + 3 * k)) << k;
}
