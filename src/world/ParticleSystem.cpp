// Particle emission, ageing and drawing over a fixed pool.
#include "world/ParticleSystem.h"
#include "camera/Camera.h"
#include "core/AppContext.h"
#include "core/Clock.h"
#include "core/MathUtil.h"
#include "core/Random.h"
#include <algorithm>
#include <GL/gl.h>
#include <cmath>

int nextFreeHint = 0;

namespace {

// Uniform in [-1, 1) times the range: the symmetric jitter of every emission value.
float jitter(float range) { return (rnd(2.0f) - 1.0f) * range; }

float jitteredColor(float base, float range) { return std::clamp(centredJitter(range) + base, 0.0f, 1.0f); }

}  // namespace

float centredJitter(float range) { return (rnd(1.0f) - 0.5f) * range; }

void drawCameraFacingQuad(float halfSize, const float texRect[4]) {
    const Camera& cam = *gApp->camera;
    Vec3 r(cam.right[0] * halfSize, cam.right[1] * halfSize, cam.right[2] * halfSize);
    Vec3 u(cam.up[0] * halfSize, cam.up[1] * halfSize, cam.up[2] * halfSize);
    glBegin(GL_QUADS);
    glTexCoord2f(texRect[0], texRect[2]); glVertex3f(-r.x - u.x, -r.y - u.y, -r.z - u.z);
    glTexCoord2f(texRect[1], texRect[2]); glVertex3f(r.x - u.x, r.y - u.y, r.z - u.z);
    glTexCoord2f(texRect[1], texRect[3]); glVertex3f(r.x + u.x, r.y + u.y, r.z + u.z);
    glTexCoord2f(texRect[0], texRect[3]); glVertex3f(-r.x + u.x, -r.y + u.y, -r.z + u.z);
    glEnd();
}

ParticleSystem::ParticleSystem() {
    alphaTest = 1;
    alphaRef = 0.1f;
    blend = 1;
    blendSrc = 2;
    blendDst = 1;
    depthTest = 1;
    depthWrite = 0;
    texture = nullptr;
    reset();
}

void ParticleSystem::configure(const ParticleSetup& setup, Texture* image) {
    static_cast<ParticleParams&>(*this) = setup.params;
    velocity = setup.velocity;
    blendSrc = setup.blendSrc;
    blendDst = setup.blendDst;
    alphaRef = setup.alphaRef;
    alphaTest = 1;
    blend = 1;
    depthTest = 1;
    depthWrite = 0;
    texture = image;
}

int ParticleSystem::slotsInUse() const { return std::clamp(capacity, 0, kPoolSize); }

void ParticleSystem::reset() {
    for (int i = 0; i < slotsInUse(); ++i) particles[i].visible = 0;
}

int ParticleSystem::findFreeSlot() const {
    int n = slotsInUse();
    for (int k = 0; k < n; ++k) {
        int slot = (nextFreeHint + k) % n;
        if (!particles[slot].visible) return slot;
    }
    return -1;
}

int ParticleSystem::emit(float x, float y, float z) {
    double now = gApp->clock->time;
    if (lastEmitTime + emitInterval > now) return -1;
    int slot = findFreeSlot();
    if (slot < 0) return -1;
    nextFreeHint = (slot + 1) % slotsInUse();
    lastEmitTime = now;

    Particle& p = particles[slot];
    p.visible = 1;
    p.position = p.origin = Vec3(x, y, z);
    for (int a = 0; a < 3; ++a) p.velocity[a] = velocity[a] + jitter(velocityJitter[a]);
    p.rotation = Vec3(0, 0, spinJitter != 0.0f ? rnd(360.0f) : 0.0f);
    p.spin = Vec3(0, 0, jitter(spinJitter));
    p.startSize = jitter(sizeJitter) + startSize;
    p.endSize = jitter(sizeJitter) + endSize;
    p.radius = p.startSize;
    for (int c = 0; c < 3; ++c) {
        p.startColor[c] = jitteredColor(startColor[c], colorJitter);
        p.endColor[c] = jitteredColor(endColor[c], colorJitter);
    }
    p.color = Color4(p.startColor[0], p.startColor[1], p.startColor[2], startAlpha);
    p.birthTime = now;
    p.lifetime = lifetime + centredJitter(lifeJitter) * lifetime;
    p.deathTime = now + p.lifetime;
    p.gravityScale = 1.0f;
    return slot;
}

// A system left without updates (the volcano's quiet half) keeps its particles frozen, ages included:
// those that lived before the gap are made younger by it, so they go on where they stopped.
void ParticleSystem::resumeAfterGap(double previousFrame) {
    double skipped = previousFrame - lastUpdateTime;
    if (lastUpdateTime < 0.0 || skipped < kLeastGap) return;
    for (int i = 0; i < slotsInUse(); ++i) {
        Particle& p = particles[i];
        if (!p.visible || p.birthTime > lastUpdateTime) continue;
        p.birthTime += skipped;
        p.deathTime += skipped;
    }
}

void ParticleSystem::update() {
    double now = gApp->clock->time;
    float dt = gApp->clock->dt;
    resumeAfterGap(now - dt);
    lastUpdateTime = now;
    for (int i = 0; i < slotsInUse(); ++i) {
        Particle& p = particles[i];
        if (!p.visible) continue;
        bool ages = p.lifetime > 0.0f;
        float t = 0.0f;
        if (ages) {
            if (now >= p.deathTime) {
                p.visible = 0;
                continue;
            }
            p.age = static_cast<float>(now - p.birthTime);
            t = p.age / p.lifetime;
        }
        p.SceneObject::update();
        p.velocity += gravity * (dt * p.gravityScale);
        if (!ages) continue;
        p.radius = lerp(p.startSize, p.endSize, t);
        p.color = Color4(lerp(p.startColor[0], p.endColor[0], t), lerp(p.startColor[1], p.endColor[1], t),
                         lerp(p.startColor[2], p.endColor[2], t), lerp(startAlpha, endAlpha, t));
    }
}

// Textured particles are gathered into one quad list per system: the corners are placed on the CPU
// exactly as the per-particle translate and rotations would place them, which spares a software
// renderer one draw call per particle. No normal of their own is given, so they are lit with the
// normal in force, which the per-particle rotations would turn with each quad: each spinning quad
// carries that turned normal, and the normal in force is put back afterwards.
void ParticleSystem::draw() {
    beginRenderState();
    Vec3 heldNormal;
    if (texture) {
        glGetFloatv(GL_CURRENT_NORMAL, &heldNormal.x);
        glBegin(GL_QUADS);
    }
    for (int i = 0; i < slotsInUse(); ++i) {
        const Particle& p = particles[i];
        if (!p.visible) continue;
        if (!texture)
            drawPointOrStreak(p);
        else if (spinJitter == 0.0f)
            addFacingQuad(p);
        else
            addSpinningQuad(p, heldNormal);
    }
    if (texture) {
        glEnd();
        glNormal3f(heldNormal.x, heldNormal.y, heldNormal.z);
    }
    endRenderState();
}

// Untextured particles are sized in pixels.
void ParticleSystem::drawPointOrStreak(const Particle& p) const {
    glColor4f(p.color.r, p.color.g, p.color.b, p.color.a);
    glPushMatrix();
    glTranslatef(p.position.x, p.position.y, p.position.z);
    if (streakLength == 0.0f) {
        glPointSize(p.radius);
        glBegin(GL_POINTS);
        glVertex3d(0, 0, 0);
        glEnd();
    } else {
        float speed = p.velocity.length();
        Vec3 tip = p.velocity * (speed > 0.0f ? streakLength / speed : 0.0f);
        glLineWidth(p.radius);
        glBegin(GL_LINES);
        glVertex3d(0, 0, 0);
        glVertex3d(tip.x, tip.y, tip.z);
        glEnd();
    }
    glPopMatrix();
}

// One quad's corners inside an open GL_QUADS list: centre -u-v, +u-v, +u+v, -u+v.
void ParticleSystem::addQuad(const Particle& p, const Vec3& u, const Vec3& v) const {
    const Vec3& c = p.position;
    glColor4f(p.color.r, p.color.g, p.color.b, p.color.a);
    glTexCoord2f(texRect[0], texRect[2]); glVertex3f(c.x - u.x - v.x, c.y - u.y - v.y, c.z - u.z - v.z);
    glTexCoord2f(texRect[1], texRect[2]); glVertex3f(c.x + u.x - v.x, c.y + u.y - v.y, c.z + u.z - v.z);
    glTexCoord2f(texRect[1], texRect[3]); glVertex3f(c.x + u.x + v.x, c.y + u.y + v.y, c.z + u.z + v.z);
    glTexCoord2f(texRect[0], texRect[3]); glVertex3f(c.x - u.x + v.x, c.y - u.y + v.y, c.z - u.z + v.z);
}

void ParticleSystem::addFacingQuad(const Particle& p) const {
    const Camera& cam = *gApp->camera;
    float s = p.radius;
    addQuad(p, Vec3(cam.right[0], cam.right[1], cam.right[2]) * s, Vec3(cam.up[0], cam.up[1], cam.up[2]) * s);
}

void turnedQuadAxes(float yDegrees, float xDegrees, float zDegrees, Vec3& u, Vec3& v) {
    const float toRadians = kPi / 180.0f;
    float a = yDegrees * toRadians, b = xDegrees * toRadians, c = zDegrees * toRadians;
    float ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b), cc = std::cos(c), sc = std::sin(c);
    u = Vec3(cc * ca + sc * sb * sa, sc * cb, -cc * sa + sc * sb * ca);
    v = Vec3(-sc * ca + cc * sb * sa, cc * cb, sc * sa + cc * sb * ca);
}

void ParticleSystem::addSpinningQuad(const Particle& p, const Vec3& heldNormal) const {
    const Vec3& cam = gApp->camera->rotation;
    Vec3 u, v;
    turnedQuadAxes(-cam.y - p.rotation.y, -cam.x - p.rotation.x, -cam.z - p.rotation.z, u, v);
    Vec3 n = u * heldNormal.x + v * heldNormal.y + cross(u, v) * heldNormal.z;
    glNormal3f(n.x, n.y, n.z);
    addQuad(p, u * p.radius, v * p.radius);
}
