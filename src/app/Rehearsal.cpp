// The rehearsal steps: the scene's passes, a staged eruption, the skies, the splinter and every cloud blend.
#include "app/Rehearsal.h"
#include "app/Globals.h"
#include "core/Random.h"
#include "world/TerrainPasses.h"
#include <GL/gl.h>
#include <initializer_list>

namespace {

// Cloud blend factors the scene variation can pick; the volcano scene's own pair is among them.
const int kCloudSources[6] = {0, 1, 2, 3, 6, 7};
const int kCloudDestinations[5] = {1, 2, 3, 6, 7};
constexpr int kFixedSteps = 6;

// With the spot light on the volcano scene draws lit, as this bracket does.
void litVolcanoPass(void (*pass)()) {
    if (prefs.spotLights) glEnable(GL_LIGHTING);
    pass();
    if (prefs.spotLights) glDisable(GL_LIGHTING);
}

// The passes leave their look (texture, colour, blend) on the mesh for the next frame's passes, so a
// rehearsal puts it back: the first layer pass of the scene still finds the mesh untextured.
void terrainPasses(void (*passes)()) {
    const SceneObject look = terrain;
    const float offset[2] = {terrain.textureOffset[0], terrain.textureOffset[1]};
    litVolcanoPass(passes);
    static_cast<SceneObject&>(terrain) = look;
    terrain.textureOffset[0] = offset[0];
    terrain.textureOffset[1] = offset[1];
}

void cloudPass(int pair) {
    const int source = prefs.blendMode0, destination = prefs.blendMode1;
    prefs.blendMode0 = kCloudSources[pair / 5];
    prefs.blendMode1 = kCloudDestinations[pair % 5];
    terrainPasses([] { drawClouds(volcano); });
    prefs.blendMode0 = source;
    prefs.blendMode1 = destination;
}

// The layers as the scene's first frame finds the mesh, then as every later frame does, after a cloud pass.
void layerPasses() {
    terrainPasses([] {
        drawLayers(volcano);
        drawClouds(volcano);
        drawLayers(volcano);
    });
}

// One bomb with a trail puff, ash, both lava flows and the flash, drawn and then put back as they were,
// random generator included.
void stagedEruption() {
    const uint32_t seed = rndState();
    const int hint = nextFreeHint;
    LavaBomb& bomb = volcano.bombs[0];
    const LavaBomb bombBefore = bomb;
    const ParticleSystem ash = volcano.ash, flowA = volcano.lavaFlowA, flowB = volcano.lavaFlowB;
    const int bombCount = volcano.bombCount;
    const double eruptionStart = volcano.eruptionStart;
    bomb.launch(volcano.smokeTexture);
    bomb.trail.texture = volcano.smokeTexture;
    for (ParticleSystem* system : {&bomb.trail, &volcano.ash, &volcano.lavaFlowA, &volcano.lavaFlowB}) {
        system->lastEmitTime = -1.0;
        system->emit(0, 0, 0);
    }
    volcano.bombCount = 1;
    volcano.eruptionStart = frameClock.realSeconds;
    litVolcanoPass([] { volcano.draw(); });
    bomb = bombBefore;
    volcano.ash = ash;
    volcano.lavaFlowA = flowA;
    volcano.lavaFlowB = flowB;
    volcano.bombCount = bombCount;
    volcano.eruptionStart = eruptionStart;
    nextFreeHint = hint;
    rndSeed(seed);
}

// Both ways the captured picture is shown: the pieces from vertex arrays, the skip as one quad. A zero step
// leaves the pieces and the skip's roll where they are.
void splinterViews() {
    const float dt = frameClock.dt, skipPhase = splinter.skipPhase;
    frameClock.dt = 0.0f;
    splinter.skipPhase = 0.0f;
    splinter.drawPieces();
    splinter.skipPhase = 0.5f;
    splinter.drawPieces();
    splinter.skipPhase = skipPhase;
    frameClock.dt = dt;
}

void fixedStep(int step) {
    switch (step) {
        case 0: layerPasses(); break;
        case 1: stagedEruption(); break;
        case 2: skyBox.draw(); break;
        case 3: sun.draw(); break;
        case 4: starField.draw(); break;
        default: splinterViews(); break;
    }
}

}  // namespace

void rehearseStep(int step) {
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_POLYGON_BIT |
                 GL_SCISSOR_BIT | GL_POINT_BIT | GL_LINE_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 0, 0);
    if (step < kFixedSteps)
        fixedStep(step);
    else
        cloudPass(step - kFixedSteps);
    glPopAttrib();
}

void rehearseDueStep() {
    if (rehearsalStep >= kRehearsalSteps || frameClock.realSeconds < 2.0 + 0.2 * rehearsalStep) return;
    rehearseStep(rehearsalStep);
    rehearsalStep += 1;
}
