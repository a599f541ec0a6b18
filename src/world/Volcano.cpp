// The eruption cycle and the drawing of everything it throws out.
#include "world/Volcano.h"
#include "camera/Camera.h"
#include "core/AppContext.h"
#include "core/AppLog.h"
#include "core/Clock.h"
#include "core/Prefs.h"
#include "core/Random.h"
#include "core/Trace.h"
#include "scene/Texture.h"
#include "world/HeightField.h"
#include "world/TerrainMesh.h"
#include "world/ViewVolume.h"
#include <GL/gl.h>

namespace {

// Columns: life, life jitter, interval, start size, end size, size jitter, gravity, velocity jitter,
// spin jitter, start colour, end colour, start alpha, end alpha, colour jitter, streak, texture rectangle;
// then mean velocity, blend source, blend destination, alpha reference.
constexpr ParticleSetup kAshSetup = {
    {3.0f, 1.0f, 0.0f, 0.1f, 1.0f, 0.1f, {0, 0, 0}, {0.3f, 0.3f, 0.3f}, 80.0f,
     {0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, 1.0f, 0.0f, 0.0f, 0.0f, {0, 1, 0, 1}},
    {0, 0.4f, 0}, 2, 3, 0.01f};
// The two flows drift to opposite sides of the cone and glow additively over the ground.
constexpr ParticleSetup kLavaFlowASetup = {
    {6.0f, 0.1f, 0.1f, 0.5f, 0.1f, 0.01f, {0.06f, -0.3f, 0.06f}, {0, 0, 0}, 10.0f,
     {1.0f, 0.5f, 0.25f}, {1.0f, 0.5f, 0.25f}, 1.0f, 0.0f, 0.0f, 0.0f, {0, 1, 0, 1}},
    {0, 0, 0}, 6, 1, 0.01f};
constexpr ParticleSetup kLavaFlowBSetup = {
    {6.0f, 0.1f, 0.1f, 0.5f, 0.1f, 0.01f, {-0.06f, -0.3f, 0.06f}, {0, 0, 0}, 10.0f,
     {1.0f, 0.5f, 0.25f}, {1.0f, 0.5f, 0.25f}, 1.0f, 0.0f, 0.0f, 0.0f, {0, 1, 0, 1}},
    {0, 0, 0}, 6, 1, 0.01f};

constexpr float kFirstVariationAfter = 10.0f;

}  // namespace

void Volcano::init() {
    AppLog::write("Volcano Init...");
    bombCount = 0;
    ash.configure(kAshSetup, smokeTexture);
    lavaFlowA.configure(kLavaFlowASetup, imageTexture);
    lavaFlowB.configure(kLavaFlowBSetup, imageTexture);
}

double Volcano::elapsed() const { return gApp->clock->realSeconds - eruptionStart; }
bool Volcano::activeHalf() const { return 0.5 * cycleLength >= elapsed(); }

void Volcano::update() {
    if (activeHalf())
        updateActiveHalf();
    else
        updateQuietHalf();
}

void Volcano::updateActiveHalf() {
    for (int i = 0; i < bombCount; ++i) bombs[i].fly(*terrain);
    lavaFlowA.emit(0, 0.2f, 0);
    lavaFlowA.update();
    lavaFlowB.emit(0, 0.2f, 0);
    lavaFlowB.update();
    keepFlowOnGround(lavaFlowA);
    keepFlowOnGround(lavaFlowB);
    ash.update();
}

// Lava runs over the ground: each particle is lifted out of it, its velocity left alone.
void Volcano::keepFlowOnGround(ParticleSystem& flow) {
    SceneObject probe;
    probe.radius = 0.05f;
    probe.extent = Vec3(0.05f, 0.05f, 0.05f);
    for (Particle& p : flow.particles) {
        if (!p.visible) continue;
        probe.position = p.position;
        terrain->keepOnGround(probe, 1);
        p.position = probe.position;
    }
}

void Volcano::updateQuietHalf() {
    // The first quiet frame after an eruption clears the bombs and heals the cone.
    if (bombCount != 0) {
        bombCount = 0;
        if (gApp->clock->realSeconds > kFirstVariationAfter) varyScene();
        healCone();
    }
    if (elapsed() > cycleLength) erupt();
}

void Volcano::erupt() {
    if (playExplosion) playExplosion();
    eruptionStart = gApp->clock->realSeconds;
    float a = rnd(4.0f);
    float b = rnd(4.0f);
    int cx = static_cast<int>(60.0f + b), cy = static_cast<int>(60.0f + a);
    heightField->crater(cx, cy, 30.0f, 0.9f);
    terrain->build(*heightField);
    tracef("erupt", "crater %d %d", cx, cy);

    bombCount = kBombsPerEruption;
    for (int i = 0; i < bombCount; ++i) bombs[i].launch(smokeTexture);

    const Prefs& prefs = *gApp->prefs;
    for (int i = 0; i < kAshPerEruption; ++i) {
        float x = centredJitter(0.8f) * prefs.objectSize;
        float y = centredJitter(0.8f) + prefs.groundHeight;
        float z = centredJitter(0.8f) * prefs.objectSize;
        ash.emit(x, y, z);
    }
    gApp->camera->wanderStrength = 1.0f;
}

// Picks a new ground height, a different sky and a cloud blend that never hides the ground.
void Volcano::varyScene() {
    Prefs& prefs = *gApp->prefs;
    prefs.groundHeight = rnd(0.9f) + 0.7f;
    do {
        prefs.universe = static_cast<int>(rnd(3.0f)) + 1;
    } while (prefs.universe == lastUniversePick);
    lastUniversePick = prefs.universe;
    int& src = prefs.blendMode0;
    do {
        src = static_cast<int>(rnd(9.0f));
    } while (src == lastBlendPick0 || src == 4 || src == 5 || src == 8);
    lastBlendPick0 = src;
    int& dst = prefs.blendMode1;
    do {
        dst = static_cast<int>(rnd(8.0f));
    } while (dst == lastBlendPick1 || dst == 0 || dst == 4 || dst == 5 || (src == 3 && dst == 3));
    lastBlendPick1 = dst;
    if (gApp->settingsChanged) gApp->settingsChanged();
    tracef("vary", "ground %.2f universe %d blend %d %d", prefs.groundHeight, prefs.universe, src, dst);
}

void Volcano::healCone() {
    heightField->generate(HeightField::kConeShape, 128, 0.05f, 0.0f);
    terrain->build(*heightField);
    trace("heal", "cone");
}

void Volcano::draw() {
    if (!activeHalf()) return;
    drawTrails();
    drawRocks();
    ash.draw();
    lavaFlowA.draw();
    lavaFlowB.draw();
    drawFlash();
}

// Every drawn trail has the same look (one set-up, the smoke texture), so all of them go to GL as one
// quad list in the bombs' order: the same pixels as one list per trail, without a draw call per bomb.
void Volcano::drawTrails() const {
    const LavaBomb* first = bombs;
    while (first < bombs + bombCount && !first->trail.texture) ++first;
    if (first == bombs + bombCount) return;
    first->trail.beginRenderState();
    Vec3 heldNormal;
    glGetFloatv(GL_CURRENT_NORMAL, &heldNormal.x);
    glBegin(GL_QUADS);
    for (int i = 0; i < bombCount; ++i)
        if (bombs[i].trail.texture) bombs[i].trail.addQuads(heldNormal);
    glEnd();
    glNormal3f(heldNormal.x, heldNormal.y, heldNormal.z);
    first->trail.endRenderState();
}

// With textures off the rocks are plain coloured, like everything else. A rock wholly outside the view
// would be clipped away to the last triangle: it is not sent at all.
int Volcano::drawRocks() const {
    float projection[16], modelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    ViewVolume view;
    view.set(projection, modelView);
    bool textured = gApp->prefs->textures && dirtTexture;
    glEnable(GL_DEPTH_TEST);
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        dirtTexture->bind();
    }
    int drawn = 0;
    for (int i = 0; i < bombCount; ++i) {
        if (view.excludes(bombs[i].position, bombs[i].radius)) continue;
        bombs[i].drawRock();
        ++drawn;
    }
    glDisable(GL_DEPTH_TEST);
    if (textured) glDisable(GL_TEXTURE_2D);
    return drawn;
}

// A bright camera-facing glow over the summit, shrinking and fading during the first second.
void Volcano::drawFlash() const {
    double t = elapsed();
    if (t < 0.0 || t > 1.0) return;
    float a = static_cast<float>(1.0 - t);
    bool textured = gApp->prefs->textures && flashTexture;
    glColor4f(1, 1, a, a);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        flashTexture->bind();
    }
    static const float kWholeTexture[4] = {0, 1, 0, 1};
    glPushMatrix();
    glTranslatef(0, 0.5f * gApp->prefs->groundHeight, 0);
    drawCameraFacingQuad(16.0f * a, kWholeTexture);
    glPopMatrix();
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    if (textured) glDisable(GL_TEXTURE_2D);
}
