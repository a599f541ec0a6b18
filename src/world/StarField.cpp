// Star field: random stars in a cube shell, a half shell or a full spherical shell, compiled into one display list.
#include "world/StarField.h"
#include "core/Random.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr int kCubeShell = 1;
constexpr int kUpperHalfShell = 2;

// One coordinate in [-outer, outer).
float shellCoordinate(float outer) { return (rnd(2.0f) - 1.0f) * outer; }

Vec3 randomPoint(float outer) {
    Vec3 p;
    p.x = shellCoordinate(outer);
    p.y = shellCoordinate(outer);
    p.z = shellCoordinate(outer);
    return p;
}

bool insideCube(const Vec3& p, float inner) {
    return std::fabs(p.x) < inner && std::fabs(p.y) < inner && std::fabs(p.z) < inner;
}

}  // namespace

void StarField::limitInnerDiameter() {
    if (outerDiameter * 0.9f < innerDiameter) innerDiameter = 0.9f * outerDiameter;
}

bool StarField::shellRadii(float& outer, float& inner) const {
    outer = 0.5f * outerDiameter;
    // Placement draws until a point falls in the shell: it must be there, and thick enough to be hit.
    inner = std::min(0.5f * innerDiameter + 0.01f, 0.95f * outer);
    return outer > 0.0f && std::isfinite(outer);
}

Vec3 StarField::placeStar(float outer, float inner) const {
    Vec3 p;
    if (shape == kCubeShell) {
        while (insideCube(p, inner)) p = randomPoint(outer);
        return p;
    }
    for (;;) {
        p = randomPoint(outer);
        float d = p.length();
        if (inner <= d && d <= outer && (shape != kUpperHalfShell || p.y >= 0.0f)) return p;
    }
}

Color4 StarField::starColor() const {
    // Nine stars in ten are bright; the rest spread down to dim.
    bool bright = rnd(1.0f) >= 0.1f;
    float range = bright ? dimBase : brightBase;
    float least = bright ? brightBase : dimBase;
    Color4 c;
    c.r = rnd(range) + least;
    c.g = rnd(range) + least;
    c.b = rnd(range) + least;
    return c;
}

void StarField::build() {
    limitInnerDiameter();
    float outer = 0, inner = 0;
    bool shellExists = shellRadii(outer, inner);
    release();
    displayList = glGenLists(1);
    if (displayList == 0) return;
    int perCopy = copies > 0 && shellExists ? starCount / copies : 0;
    glNewList(displayList, GL_COMPILE);
    glBegin(GL_POINTS);
    for (int i = 0; i < perCopy; ++i) {
        Vec3 p = placeStar(outer, inner);
        Color4 c = starColor();
        glColor3f(c.r, c.g, c.b);
        glVertex3f(p.x, p.y, p.z);
    }
    glEnd();
    glEndList();
}

void StarField::draw() const {
    if (displayList == 0) return;
    if (blend) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
    }
    if (depthTest) glEnable(GL_DEPTH_TEST);
    if (!depthWrite) glDepthMask(GL_FALSE);
    glPushMatrix();
    // Each copy turns further, so the same list fills the sky again with bigger points.
    for (int i = 0; i < copies; ++i) {
        glRotatef(static_cast<float>(360 / copies), 0, 1, 0);
        glPointSize(i + 1.0f);
        glCallList(displayList);
    }
    glPopMatrix();
    if (blend) glDisable(GL_BLEND);
    if (depthTest) glDisable(GL_DEPTH_TEST);
    if (!depthWrite) glDepthMask(GL_TRUE);
}

void StarField::release() {
    if (displayList != 0) glDeleteLists(displayList, 1);
    displayList = 0;
}
