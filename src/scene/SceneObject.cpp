// Scene object base: motion, overlap test, render state and the camera-facing billboard.
#include "scene/SceneObject.h"
#include "core/AppContext.h"
#include "core/Clock.h"
#include "core/Prefs.h"
#include "scene/Texture.h"
#include <cmath>

const GLenum sourceBlendFactors[9] = {GL_ZERO, GL_ONE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_DST_ALPHA,
                                      GL_ONE_MINUS_DST_ALPHA, GL_DST_COLOR, GL_ONE_MINUS_DST_COLOR,
                                      GL_SRC_ALPHA_SATURATE};
const GLenum destBlendFactors[8] = {GL_ZERO, GL_ONE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_DST_ALPHA,
                                    GL_ONE_MINUS_DST_ALPHA, GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR};

void SceneObject::update() {
    float dt = gApp->clock->dt;
    position += velocity * dt;
    rotation += spin * dt;
}

bool SceneObject::overlaps(const SceneObject& other) const {
    float s = (radius + other.radius) * gApp->prefs->objectSize;
    Vec3 d = position - other.position;
    return std::fabs(d.x) < s && std::fabs(d.y) < s && std::fabs(d.z) < s;
}

bool SceneObject::texturing() const { return gApp->prefs->textures && texture != nullptr; }

void SceneObject::beginRenderState() const {
    if (!renderStateOn) return;
    if (alphaTest) {
        glAlphaFunc(GL_GREATER, alphaRef);
        glEnable(GL_ALPHA_TEST);
    }
    if (blend) {
        glBlendFunc(sourceBlendFactors[blendSrc], destBlendFactors[blendDst]);
        glEnable(GL_BLEND);
    }
    if (depthTest) glEnable(GL_DEPTH_TEST);
    if (!depthWrite) glDepthMask(GL_FALSE);
    if (texturing()) {
        glEnable(GL_TEXTURE_2D);
        texture->bind();
    }
    glColor4f(color.r, color.g, color.b, color.a);
}

void SceneObject::endRenderState() const {
    if (!renderStateOn) return;
    if (alphaTest) glDisable(GL_ALPHA_TEST);
    if (blend) glDisable(GL_BLEND);
    if (depthTest) glDisable(GL_DEPTH_TEST);
    if (!depthWrite) glDepthMask(GL_TRUE);
    if (texturing()) glDisable(GL_TEXTURE_2D);
}

void SceneObject::draw() {
    if (!visible) return;
    beginRenderState();
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    if (faceCamera) {
        const Vec3& cam = gApp->viewer->rotation;
        glRotatef(-cam.y, 0, 1, 0);
        glRotatef(-cam.x, 1, 0, 0);
    }
    if (rotation.z != 0.0f) glRotatef(rotation.z, 0, 0, 1);
    glRotatef(rotation.y, 0, 1, 0);
    glRotatef(rotation.x, 1, 0, 0);
    float s = texRepeat[0], t = texRepeat[1];
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0); glVertex2f(-extent.x, -extent.y);
    glTexCoord2f(s, 0); glVertex2f(extent.x, -extent.y);
    glTexCoord2f(s, t); glVertex2f(extent.x, extent.y);
    glTexCoord2f(0, t); glVertex2f(-extent.x, extent.y);
    glEnd();
    glPopMatrix();
    endRenderState();
}

void SceneObject::setColor(float r, float g, float b, float a) { color = Color4(r, g, b, a); }

void SceneObject::applyDrag(float k) {
    float f = 1.0f - k * gApp->clock->dt;
    velocity *= f;
}
