// The settings record; its in-memory image is byte for byte the preferences file.
#pragma once
#include <cstddef>
#include <cstdint>

struct Prefs {
    uint8_t tag[4] = {0x98, 0xD6, 0x42, 0x00};
    int32_t clearScreen = 0;
    int32_t showFps = 0;
    int32_t reserved0C = 0;
    int32_t fullScreen = 0;
    int32_t spotLights = 0;
    int32_t paused = 0;
    int32_t textures = 0;
    int32_t userMode = 0;
    int32_t arrowCountX = 0;
    int32_t arrowCountY = 0;
    int32_t letterbox = 0;
    int32_t lightmap = 0;
    int32_t tesselation = 0;
    int32_t universe = 0;
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    int32_t polygonMode = 0;
    int32_t blendMode0 = 0;
    int32_t blendMode1 = 0;
    int32_t imageOption = 0;
    int32_t option = 0;
    int32_t mapMode = 0;
    int32_t debugLine = 0;
    int32_t cameraMode = 0;
    float color[4] = {0, 0, 0, 0};
    float reserved74 = 0;
    float lightParams[7] = {0, 0, 0, 0, 0, 0, 0};  // ambient, diffuse, specular, reflective, shininess, cutoff, exponent
    float fov = 0;
    float rotateSpeed = 0;
    float moveSpeed = 0;
    float cameraZ = 0;
    float objectSize = 0;
    float arrowScaleX = 0;
    float arrowScaleY = 0;
    float groundHeight = 0;
    float noiseLevel = 0;
    float texMagX = 0;
    float texMagY = 0;
    float reservedC0 = 0;
    float reservedC4 = 0;
    float f9Value = 0;
    float fade = 0;
    float lightRotateSpeed = 0;
    float mouseSensitivity = 0;
    float moveSensitivity = 0;
    int32_t reservedDC[9] = {};
    float colorLevel = 0;
    float menuLevel = 0;
    int32_t reserved108[8] = {};
    int32_t reserved128 = 0;
    int32_t randomClear = 0;
    int32_t randomLightmap = 0;
    int32_t randomSkip = 0;
    int32_t randomSplinter = 0;
    int32_t sceneUnderSplinter = 0;
    float lightmapRefresh = 0;
    float lightmapInterval = 0;
    int32_t reserved148 = 0;
    float lightmapX = 0;
    float lightmapY = 0;
    float skipInterval = 0;
    float splinterInterval = 0;
};

constexpr size_t kPrefsFileSize = 348;
// The world size is this many times Prefs.objectSize.
constexpr float kBaseWorldSize = 8.0f;
static_assert(sizeof(Prefs) == kPrefsFileSize, "the record is the file");
static_assert(offsetof(Prefs, cameraMode) == 96, "record layout");
static_assert(offsetof(Prefs, color) == 100, "record layout");
static_assert(offsetof(Prefs, lightParams) == 120, "record layout");
static_assert(offsetof(Prefs, fov) == 148, "record layout");
static_assert(offsetof(Prefs, moveSensitivity) == 216, "record layout");
static_assert(offsetof(Prefs, colorLevel) == 256, "record layout");
static_assert(offsetof(Prefs, reserved128) == 296, "record layout");
static_assert(offsetof(Prefs, lightmapRefresh) == 320, "record layout");
static_assert(offsetof(Prefs, splinterInterval) == 344, "record layout");
