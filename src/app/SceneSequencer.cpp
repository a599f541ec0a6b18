// Scene sequencing and the random splinter, lightmap and skip changes.
#include "app/SceneSequencer.h"
#include "app/Globals.h"
#include "app/Popup.h"
#include "core/Random.h"
#include "core/Trace.h"

const SceneRow sceneTable[kLastSceneIndex + 1] = {
    {10.0f, 0.5f, 50.0f, 1.0f, 1.0f, 1.0f, 1, 2, 3, 8, 0, 2, 0.0f, 0.1f, 1.5f},
    {9999.0f, 0.2f, 110.0f, 1.0f, 3.0f, 3.0f, 1, 6, 1, 0, 1, 3, 0.0f, 1.0f, 0.0f},
};

double sceneEndTime = 0;
double splinterEndTime = 0;
double lastSplinterTime = 20.0, lastRandomLightmapTime = 20.0, lastSkipTime = 30.0;
float lastGroundHeight = 1.0f;

static void applySceneRow(const SceneRow& row) {
    prefs.fade = row.fade;
    prefs.fov = row.fov;
    prefs.noiseLevel = row.noiseLevel;
    prefs.lightmapX = row.lightmapX;
    prefs.lightmapY = row.lightmapY;
    prefs.clearScreen = row.clearScreen;
    prefs.blendMode0 = row.blendMode0;
    prefs.blendMode1 = row.blendMode1;
    prefs.lightmap = row.lightmap;
    prefs.universe = row.universe;
    prefs.cameraMode = row.cameraMode;
    camera.position = Vec3(row.cameraX, row.cameraY, row.cameraZ);
    camera.velocity = Vec3(0, 0, 0);
    camera.rotation.x = 0;
    camera.rotation.y = 0;
}

void sceneStep(int flags) {
    double now = frameClock.realSeconds;
    if (appState.sceneIndex == -1 || now > sceneEndTime || (flags & kSceneAdvance)) {
        appState.sceneIndex = appState.sceneIndex + 1 > kLastSceneIndex ? 0 : appState.sceneIndex + 1;
        sceneEndTime = now + sceneTable[appState.sceneIndex].duration;
        nextBlinkStart = sceneEndTime - 1.0;
        flags |= kSceneApply;
        tracef("scene", "%d", appState.sceneIndex);
        if (appState.sceneIndex == 1 && !appState.introDone) {
            frameClock.offset -= 5.0;
            appState.introDone = 1;
        }
    }
    if (flags & kSceneApply) {
        applySceneRow(sceneTable[appState.sceneIndex]);
        updateCursor();
    }
}

// A chance per frame: the test perSecond > r on a fresh draw r.
static bool chance(float perSecond) { return perSecond > rnd(1.0f); }

static void endSplinterWhenDue() {
    if (frameClock.time > splinterEndTime) {
        if (appState.splinterState != 0) tracef("splinter", "0");
        appState.splinterState = 0;
        splinter.skipPhase = 0.0f;
    }
}

// The burst lasts length plus up to 3 s more, short bursts being rare.
static void requestSplinter(double length) {
    float r = rnd(1.0f);
    appState.splinterState = 3;
    lastSplinterTime = frameClock.time;
    splinterEndTime = frameClock.time + length + 3.0 * (1.0 - r * r);
    tracef("splinter", "3");
}

void randomChanges() {
    if (!appState.introDone) return;
    // User mode starts nothing, but a splinter from the "x" key still ends on time.
    if (prefs.userMode) return endSplinterWhenDue();
    double now = frameClock.time;
    bool splinterDue = prefs.randomSplinter && chance(10.0f * frameClock.dt) &&
                       now - lastSplinterTime > prefs.splinterInterval;
    if (splinterDue)
        requestSplinter(0.6);
    else
        endSplinterWhenDue();

    if (prefs.randomLightmap && now - lastRandomLightmapTime > prefs.lightmapInterval && !prefs.userMode) {
        static const int kModes[7] = {0, 1, 2, 4, 16, 32, 48};
        int k = static_cast<int>(rnd(18.0f));
        prefs.lightmap = (k >= 1 && k <= 6) ? kModes[k] : 0;
        float a = rnd(1.0f);
        prefs.lightmapX = 10.0f * a * a * a + 0.1f;
        float b = rnd(1.0f);
        prefs.lightmapY = 10.0f * b * b * b + 0.1f;
        dialogs.rebuildRequest = 1;
        lastRandomLightmapTime = now;
        return;
    }

    if (prefs.randomSkip && chance(10.0f * frameClock.dt) && now - lastSkipTime > prefs.skipInterval) {
        splinter.skipDirection = 2.0f * static_cast<int>(rnd(2.0f)) - 1.0f;
        splinter.skipPhase = rnd(1.0f) < 0.4f ? 1.01f : 0.01f;
        requestSplinter(0.3);
        lastSkipTime = now;
    }
}

void resizeWorld() {
    appState.worldSize = kBaseWorldSize * prefs.objectSize;
    screen.zFarBase = 3.57f * appState.worldSize;
    starField.outerDiameter = 2.0f * appState.worldSize;
    starField.innerDiameter = 0.9f * starField.outerDiameter;
    starField.build();
    terrain.radius = appState.worldSize;
    terrain.extent.x = appState.worldSize;
    terrain.extent.y = appState.worldSize;
    terrain.build(heightField);
}

void applyWorldSettings() {
    bool rebuild = prefs.groundHeight != lastGroundHeight || terrain.columns != prefs.tesselation ||
                   terrain.rows != prefs.tesselation;
    lastGroundHeight = prefs.groundHeight;
    terrain.columns = terrain.rows = prefs.tesselation;
    if (appState.worldSize != kBaseWorldSize * prefs.objectSize)
        resizeWorld();
    else if (rebuild)
        terrain.build(heightField);
}
