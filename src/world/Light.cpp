// The spot light sent to GL, the fog colour per universe, texture-coordinate generation and the gradient frame.
#include "world/Light.h"
#include <algorithm>

namespace {

const GLenum kLights[8] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3, GL_LIGHT4, GL_LIGHT5, GL_LIGHT6, GL_LIGHT7};

void scaled(float out[4], float factor, const float k[3]) {
    for (int i = 0; i < 3; ++i) out[i] = factor * k[i];
    out[3] = 1.0f;
}

void enableGen(int withQ) {
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    if (withQ) glEnable(GL_TEXTURE_GEN_Q);
}

const float kPlaneS[4] = {1, 0, 0, 0};
const float kPlaneT[4] = {0, 1, 0, 0};
const float kPlaneQ[4] = {0, 0, 0, 0.08f};  // repeats the texture every 0.08 units

void genModeST(GLint mode) {
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, mode);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, mode);
}

void objectPlanesST() {
    glTexGenfv(GL_S, GL_OBJECT_PLANE, kPlaneS);
    glTexGenfv(GL_T, GL_OBJECT_PLANE, kPlaneT);
}

// GL takes a spot cutoff of 0 to 90 degrees or exactly 180 and keeps the old cone for anything else, so
// every wider setting means no cone (180) and anything below 0 the narrowest one.
float spotCutoff(float degrees) {
    if (!(degrees >= 0.0f)) return 0.0f;
    return degrees > 90.0f ? 180.0f : degrees;
}

// One bar vertex: 1D texture coordinate, then position.
void barVertex(float s, double x, double y) {
    glTexCoord1f(s);
    glVertex2d(x, y);
}

}  // namespace

Light::Light() {
    position = Vec3(1, 1, 1);
    color = Color4(1, 1, 1, 1);
}

void Light::setPosition(float x, float y, float z) { position = Vec3(x, y, z); }

void Light::apply() const {
    const float k[3] = {color.r * intensity, color.g * intensity, color.b * intensity};
    float a[4], d[4], s[4], m[4];
    scaled(a, ambient, k);
    scaled(d, diffuse, k);
    scaled(s, specular, k);
    scaled(m, reflective, k);
    const Vec3& p = position;
    // A positional light aims its cone at the origin; a directional one shines from the same side.
    const float place[4] = {positional ? p.x : -p.x, positional ? p.y : -p.y, positional ? p.z : -p.z,
                            positional ? 1.0f : 0.0f};
    const float direction[3] = {positional ? -p.x : 0.0f, positional ? -p.y : 0.0f, positional ? -p.z : 0.0f};
    GLenum l = kLights[lightIndex];
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, a);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m);
    glMateriali(GL_FRONT_AND_BACK, GL_SHININESS, static_cast<int>(shininess));
    glLightfv(l, GL_AMBIENT, a);
    glLightfv(l, GL_DIFFUSE, d);
    glLightfv(l, GL_SPECULAR, s);
    glLightf(l, GL_SPOT_EXPONENT, exponent);
    glLightf(l, GL_SPOT_CUTOFF, spotCutoff(cutoff));
    glLightfv(l, GL_POSITION, place);
    glLightfv(l, GL_SPOT_DIRECTION, direction);
    glEnable(l);
}

void setFogColor(int universe) {
    static const float kDark[4] = {0, 0, 0, 1};
    static const float kBright[4] = {1, 1, 1, 1};
    if (universe == 0 || universe == 1) glFogfv(GL_FOG_COLOR, kDark);
    else if (universe == 2 || universe == 3) glFogfv(GL_FOG_COLOR, kBright);
}

void setTexGen(int mode, int on) {
    if (on != 1) {
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
        glDisable(GL_TEXTURE_GEN_Q);
        return;
    }
    switch (mode) {
    case 1:
        genModeST(GL_SPHERE_MAP);
        enableGen(0);
        break;
    case 2:
        genModeST(GL_OBJECT_LINEAR);
        objectPlanesST();
        glTexGeni(GL_Q, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
        glTexGenfv(GL_Q, GL_OBJECT_PLANE, kPlaneQ);
        enableGen(1);
        break;
    case 3:
        // Only the object planes are set, so the eye planes keep GL's defaults.
        genModeST(GL_EYE_LINEAR);
        objectPlanesST();
        enableGen(0);
        break;
    default: break;  // mode 0 ("Map: Normal") and unknown modes leave generation as it is
    }
}

void drawGradientFrame(double x0, double y0, double x1, double y1, double w) {
    double h = 0.5 * w;
    glBegin(GL_QUADS);
    barVertex(0, x0 + h, y0); barVertex(0, x1 - h, y0); barVertex(1, x1 - h, y0 + w); barVertex(1, x0 + h, y0 + w);
    barVertex(1, x1 - w, y0 + h); barVertex(0, x1, y0 + h); barVertex(0, x1, y1 - h); barVertex(1, x1 - w, y1 - h);
    barVertex(1, x0 + h, y1 - w); barVertex(1, x1 - h, y1 - w); barVertex(0, x1 - h, y1); barVertex(0, x0 + h, y1);
    barVertex(0, x0, y0 + h); barVertex(1, x0 + w, y0 + h); barVertex(1, x0 + w, y1 - h); barVertex(0, x0, y1 - h);
    glEnd();
}
