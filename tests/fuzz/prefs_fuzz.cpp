// Fuzz target: the preferences loader with its range checks, then the start-up steps that read the record.
#include "app/Globals.h"
#include "app/PrefsFile.h"
#include "app/Startup.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static float heights[HeightField::kMaxCells], scratch[HeightField::kMaxCells];
    static bool ready = (wireAppContext(), heightField.setBuffers(heights, scratch), true);
    std::string stem = writeFuzzInput(data, size, ".pref");
    stem.resize(stem.size() - 5);
    if (!ready || loadPrefs(prefs, stem.c_str()) != 0) return 0;
    float world = appState.worldSize = kBaseWorldSize * prefs.objectSize;
    starField.outerDiameter = 2.0f * world;
    starField.innerDiameter = 0.9f * starField.outerDiameter;
    starField.limitInnerDiameter();
    float outer = 0, inner = 0;
    for (int shape = 0; shape < 3 && starField.shellRadii(outer, inner); ++shape) {
        starField.shape = shape;
        for (int i = 0; i < 20; ++i) starField.placeStar(outer, inner);
    }
    heightField.generate(HeightField::kConeShape, 128, 0.05f, 0.0f);
    terrain.columns = terrain.rows = prefs.tesselation;
    terrain.radius = terrain.extent.x = terrain.extent.y = world;
    terrain.build(heightField);
    camera.position = Vec3(0.1f * world, 5.0f, -0.2f * world);
    terrain.keepOnGround(camera, 1);
    static uint8_t mask[LightmapOverlay::kMaskBytes];
    computeLightmapMask(mask, int(40.0f * prefs.noiseLevel), int(100.0f * prefs.f9Value), prefs.lightmap);
    return 0;
}
