// The scene table, its sequencer, the computer-controlled random changes and the world resize.
#pragma once

constexpr int kSceneApply = 1;
constexpr int kSceneAdvance = 2;
constexpr int kLastSceneIndex = 1;

struct SceneRow {
    float duration, fade, fov, noiseLevel, lightmapX, lightmapY;
    int clearScreen, blendMode0, blendMode1, lightmap, universe, cameraMode;
    float cameraX, cameraY, cameraZ;
};

extern const SceneRow sceneTable[kLastSceneIndex + 1];
extern double sceneEndTime;
extern double splinterEndTime;
extern double lastSplinterTime, lastRandomLightmapTime, lastSkipTime;
// The ground height the terrain was last built with.
extern float lastGroundHeight;

void sceneStep(int flags);
void randomChanges();
void resizeWorld();
// Puts the ground height, the tesselation and the world size of the settings in force, rebuilding only what changed.
void applyWorldSettings();
