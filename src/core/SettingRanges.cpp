// The table of setting ranges and the steps that keep settings inside them.
#include "core/SettingRanges.h"
#include <cmath>
#include <cstddef>

namespace {

// Multiplied settings start above 0, so that the opposite key can always undo a step.
const SettingRange kRanges[] = {
    {offsetof(Prefs, objectSize), false, 0.1f, 6.0f, 1.0f, false},
    {offsetof(Prefs, groundHeight), false, 0.1f, 4.0f, 1.0f, false},
    {offsetof(Prefs, noiseLevel), false, 0.01f, 50.0f, 1.0f, false},
    {offsetof(Prefs, texMagX), false, 0.01f, 20.0f, 1.0f, false},
    {offsetof(Prefs, texMagY), false, 0.01f, 20.0f, 1.0f, false},
    {offsetof(Prefs, f9Value), false, 0.01f, 3.0f, 1.0f, false},
    {offsetof(Prefs, cameraZ), false, -2.0f, 2.0f, 0.0f, true},
    {offsetof(Prefs, fade), false, 0.01f, 1.0f, 0.5f, false},
    {offsetof(Prefs, fov), false, 1.0f, 179.0f, 50.0f, false},
    {offsetof(Prefs, moveSpeed), false, 0.01f, 100.0f, 1.0f, false},
    {offsetof(Prefs, rotateSpeed), false, 0.01f, 100.0f, 1.0f, false},
    {offsetof(Prefs, lightRotateSpeed), false, 0.01f, 100.0f, 1.0f, false},
    {offsetof(Prefs, mouseSensitivity), false, 0.01f, 100.0f, 1.0f, false},
    {offsetof(Prefs, moveSensitivity), false, 0.01f, 100.0f, 1.0f, false},
    {offsetof(Prefs, arrowScaleX), false, 0.01f, 100.0f, 1.0f, false},
    {offsetof(Prefs, arrowScaleY), false, 0.01f, 100.0f, 1.0f, false},
    {offsetof(Prefs, arrowCountX), true, -1e6f, 1e6f, 0, false},
    {offsetof(Prefs, arrowCountY), true, -1e6f, 1e6f, 0, false},
    {offsetof(Prefs, tesselation), true, 10, 80, 0, false},
    {offsetof(Prefs, letterbox), true, 0, 6, 0, false},
    {offsetof(Prefs, lightmap), true, -63, 63, 0, false},
    {offsetof(Prefs, universe), true, 0, 3, 0, false},
    {offsetof(Prefs, windowWidth), true, 1, 16384, 0, false},
    {offsetof(Prefs, windowHeight), true, 1, 16384, 0, false},
    {offsetof(Prefs, polygonMode), true, 0, 2, 0, false},
    {offsetof(Prefs, blendMode0), true, 0, 8, 0, false},
    {offsetof(Prefs, blendMode1), true, 0, 7, 0, false},
    {offsetof(Prefs, imageOption), true, 0, 18, 0, false},
    {offsetof(Prefs, mapMode), true, 0, 3, 0, false},
    {offsetof(Prefs, debugLine), true, 0, 16, 0, false},
    {offsetof(Prefs, cameraMode), true, 0, 3, 0, false},
    {offsetof(Prefs, color[0]), false, 0, 1, 1, false},
    {offsetof(Prefs, color[1]), false, 0, 1, 1, false},
    {offsetof(Prefs, color[2]), false, 0, 1, 1, false},
    {offsetof(Prefs, color[3]), false, 0, 1, 1, false},
    {offsetof(Prefs, colorLevel), false, 0, 2, 0, false},
    {offsetof(Prefs, menuLevel), false, 0, 2, 0, false},
    // Ambient, diffuse, specular, reflective, shininess, cutoff, exponent, within what GL accepts.
    {offsetof(Prefs, lightParams[0]), false, 0, 1, 0.4f, false},
    {offsetof(Prefs, lightParams[1]), false, 0, 1, 0.5f, false},
    {offsetof(Prefs, lightParams[2]), false, 0, 1, 0.99f, false},
    {offsetof(Prefs, lightParams[3]), false, 0, 1, 0.99f, false},
    {offsetof(Prefs, lightParams[4]), false, 0, 128, 10, false},
    {offsetof(Prefs, lightParams[5]), false, 0, 180, 180, false},
    {offsetof(Prefs, lightParams[6]), false, 0, 128, 1, false},
    {offsetof(Prefs, lightmapRefresh), false, 0, 1, 0.075f, false},
    {offsetof(Prefs, lightmapX), false, 0, 20, 1, false},
    {offsetof(Prefs, lightmapY), false, 0, 20, 1, false},
    {offsetof(Prefs, lightmapInterval), false, 0, 86400, 12, false},
    {offsetof(Prefs, skipInterval), false, 0, 86400, 70, false},
    {offsetof(Prefs, splinterInterval), false, 0, 86400, 25, false},
};

float worldSizeOf(const Prefs& p) { return kBaseWorldSize * p.objectSize; }

const SettingRange& rowOf(const Prefs& p, const void* field) {
    const SettingRange* row = settingRange(p, field);
    static const SettingRange kOpen = {0, false, -3.4e38f, 3.4e38f, 0, false};
    return row ? *row : kOpen;
}

float& floatAt(Prefs& p, const SettingRange& row) {
    return *reinterpret_cast<float*>(reinterpret_cast<char*>(&p) + row.offset);
}

int32_t& intAt(Prefs& p, const SettingRange& row) {
    return *reinterpret_cast<int32_t*>(reinterpret_cast<char*>(&p) + row.offset);
}

}  // namespace

const SettingRange* settingRange(const Prefs& p, const void* field) {
    auto offset = static_cast<size_t>(static_cast<const char*>(field) - reinterpret_cast<const char*>(&p));
    for (const SettingRange& row : kRanges)
        if (row.offset == offset) return &row;
    return nullptr;
}

float clampToRange(const SettingRange& row, float v, float worldSize) {
    float scale = row.perWorldSize ? worldSize : 1.0f;
    if (!std::isfinite(v)) v = row.fallback * scale;
    float low = row.low * scale, high = row.high * scale;
    return v < low ? low : (v > high ? high : v);
}

float inRange(const Prefs& p, const float& field, float v) {
    return clampToRange(rowOf(p, &field), v, worldSizeOf(p));
}

int32_t inRange(const Prefs& p, const int32_t& field, int64_t v) {
    return static_cast<int32_t>(clampToRange(rowOf(p, &field), static_cast<float>(v), worldSizeOf(p)));
}

void clampSettings(Prefs& p) {
    // The world size bounds the camera distance, so it comes into range first (it is the first row).
    for (const SettingRange& row : kRanges) {
        if (row.isInt)
            intAt(p, row) = static_cast<int32_t>(clampToRange(row, static_cast<float>(intAt(p, row)), 1.0f));
        else
            floatAt(p, row) = clampToRange(row, floatAt(p, row), worldSizeOf(p));
    }
}
