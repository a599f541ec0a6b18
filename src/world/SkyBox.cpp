// Sky box: six clamped face textures on inward-facing quads around the box's position.
#include "world/SkyBox.h"
#include "core/FilePath.h"

namespace {

struct FacePlacement {
    const char* file;
    float offset[3];  // in half box sizes
    float angle;
    float axis[3];
};

// front, right, back, left, top, bottom: each quad is turned to face the box centre.
const FacePlacement kFaces[6] = {
    {"ff.bmp", {0, 0, -1}, 0, {0, 1, 0}},   {"fr.bmp", {1, 0, 0}, 270, {0, 1, 0}},
    {"fb.bmp", {0, 0, 1}, 180, {0, 1, 0}},  {"fl.bmp", {-1, 0, 0}, 90, {0, 1, 0}},
    {"ft.bmp", {0, 1, 0}, 90, {1, 0, 0}},   {"f0.bmp", {0, -1, 0}, -90, {1, 0, 0}},
};

}  // namespace

void SkyBox::load(const char* dir) {
    char path[kMaxPath];
    for (int i = 0; i < 6; ++i) {
        // Clamped to the edge texels: plain GL_CLAMP blends the black border into every box edge.
        faces[i].wrapMode = GL_CLAMP_TO_EDGE;
        faces[i].loadBmp(joinPath(path, sizeof path, dir, kFaces[i].file), -1, 0, 0);
    }
}

void SkyBox::draw() {
    float h = 0.5f * radius;
    glColor3f(color.r, color.g, color.b);
    glEnable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    for (int i = 0; i < 6; ++i) {
        const FacePlacement& f = kFaces[i];
        glPushMatrix();
        glTranslatef(f.offset[0] * h, f.offset[1] * h, f.offset[2] * h);
        glRotatef(f.angle, f.axis[0], f.axis[1], f.axis[2]);
        faces[i].bind();
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0); glVertex2f(-h, -h);
        glTexCoord2f(1, 0); glVertex2f(h, -h);
        glTexCoord2f(1, 1); glVertex2f(h, h);
        glTexCoord2f(0, 1); glVertex2f(-h, h);
        glEnd();
        glPopMatrix();
    }
    glPopMatrix();
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_TRUE);
    glDisable(GL_TEXTURE_2D);
}
