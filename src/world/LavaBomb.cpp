// Lava bomb launch, flight and the rock it is drawn as.
#include "world/LavaBomb.h"
#include "core/AppContext.h"
#include "core/Clock.h"
#include "core/Prefs.h"
#include "core/Random.h"
#include "world/TerrainMesh.h"
#include <cmath>
#include <GL/gl.h>

namespace {

// Short white puffs turning a dark rust colour as they fade. Built at compile time: the bombs are
// global objects whose constructors read it before any dynamic initialisation of this file.
constexpr ParticleSetup kTrailSetup = {
    // life, jitter, interval, sizes, size jitter, gravity, velocity jitter, spin jitter
    {1.0f, 0.1f, 0.005f, 0.04f, 0.18f, 0.01f, {0, 0, 0}, {0.01f, 0.01f, 0.01f}, 100.0f,
     // start colour, end colour, alphas, colour jitter, streak, texture rectangle
     {1, 1, 1}, {0.5f, 0.25f, 0.125f}, 1.0f, 0.0f, 0.0f, 0.0f, {0, 1, 0, 1}},
    {0, 0, 0}, 2, 3, 0.01f};

const Color4 kRockColors[2] = {{0.5f, 0.5f, 0.5f, 1}, {0.5f, 0.25f, 0.125f, 1}};

}  // namespace

LavaBomb::LavaBomb() { trail.configure(kTrailSetup, nullptr); }

void LavaBomb::launch(Texture* smoke) {
    const Prefs& prefs = *gApp->prefs;
    float size = prefs.objectSize, ground = prefs.groundHeight;
    // Each statement draws its random numbers in turn; the order is part of the behaviour.
    trail.texture = rnd(1.0f) < 0.33f ? smoke : nullptr;
    position.x = centredJitter(0.8f) * size;
    position.y = centredJitter(0.8f) + 0.4f * ground;
    position.z = centredJitter(0.8f) * size;
    velocity.x = centredJitter(0.8f) * 4.0f * size;
    velocity.y = (rnd(1.0f) + 1.0f) * 0.8f * 3.0f * ground;
    velocity.z = centredJitter(0.8f) * 4.0f * size;
    rotation.x = rnd(360.0f);
    rotation.y = rnd(360.0f);
    spin.x = rnd(1000.0f) - 500.0f;
    spin.y = rnd(1000.0f) - 500.0f;
    float a = rnd(1.0f);
    float b = rnd(1.0f);
    radius = b * a * 0.1f + 0.01f;
    extent = Vec3(radius, radius, radius);
    color = kRockColors[static_cast<int>(rnd(2.0f))];
}

void LavaBomb::fly(TerrainMesh& terrain) {
    float dt = gApp->clock->dt;
    velocity.y += -3.0f * dt * gApp->prefs->groundHeight;
    position += velocity * dt;
    rotation.x += dt * spin.x;
    rotation.y += dt * spin.y;
    float w = terrain.radius;
    float ground = terrain.heightAt((position.x + 0.5f * w) / w, (position.z + 0.5f * w) / w);
    float bottom = position.y - 0.5f * radius;
    terrain.keepOnGround(*this, 1);
    // The bounce is judged on where the bomb hit, before the ground pushed it out, and only a bomb moving
    // into the ground bounces: one launched from below the crater floor is lifted out and flies on upwards.
    if (ground > bottom && velocity.y < 0.0f) {
        velocity.y *= -0.5f;
        velocity.x *= 0.7f;
        velocity.z *= 0.7f;
        spin.x *= 0.8f;
        spin.y *= 0.8f;
    }
    if (trail.texture) {
        trail.emit(position.x, position.y, position.z);
        trail.update();
    }
}

void LavaBomb::drawRock() const {
    glColor3f(color.r, color.g, color.b);
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glRotatef(rotation.x, 1, 0, 0);
    glRotatef(rotation.y, 0, 1, 0);
    drawRockSphere(radius, 4, 4);
    glPopMatrix();
}

void drawRockSphere(float r, int slices, int stacks) {
    if (slices <= 2 || slices >= 101 || stacks <= 2 || stacks >= 101) return;
    const double pi = 3.14159265358979323846;
    double dp = pi / (stacks - 1);
    for (int k = 0; k <= stacks - 2; ++k) {
        double p[2] = {(k + 1) * dp, k * dp};
        double t[2] = {static_cast<double>(k + 1) / stacks, static_cast<double>(k) / stacks};
        glBegin(GL_TRIANGLE_STRIP);
        for (int s = 0; s <= slices; ++s) {
            double q = s == slices ? 0.0 : 2.0 * pi * s / slices;
            for (int e = 0; e < 2; ++e) {
                double nx = std::sin(p[e]) * std::sin(q), ny = -std::cos(p[e]), nz = std::sin(p[e]) * std::cos(q);
                glNormal3d(nx, ny, nz);
                glTexCoord2d(static_cast<double>(s) / slices, t[e]);
                glVertex3d(r * nx, r * ny, r * nz);
            }
        }
        glEnd();
    }
}
