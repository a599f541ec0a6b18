// The preferences file: a 348-byte image of the settings record.
#include "app/PrefsFile.h"
#include "app/FileLocations.h"
#include "core/FilePath.h"
#include "core/Prefs.h"
#include "core/Trace.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

static const uint8_t kTag[4] = {0x98, 0xD6, 0x42, 0x00};

static void prefsFileName(char* out, size_t size, const char* stem) {
    char name[96];
    std::snprintf(name, sizeof name, "%s.pref", stem);
    joinPath(out, size, fileLocations.configDir.c_str(), name);
}

// The file a save writes: through a symbolic link its target (even one not made yet), so the link stays.
static void saveTarget(const char* name, char* out, size_t size) {
    char target[kMaxPath];
    int made = 0;
    if (realpath(name, target)) {
        made = std::snprintf(out, size, "%s", target);
    } else if (ssize_t length = readlink(name, target, sizeof target - 1); length > 0) {
        // A link to a file not made yet: a relative target lies in the link's own folder.
        target[length] = '\0';
        const char* slash = std::strrchr(name, '/');
        made = target[0] != '/' && slash
                   ? std::snprintf(out, size, "%.*s/%s", static_cast<int>(slash - name), name, target)
                   : std::snprintf(out, size, "%s", target);
    }
    if (made <= 0 || static_cast<size_t>(made) >= size) std::snprintf(out, size, "%s", name);
}

// Writes beside the old file and renames over it, so a failed write never loses the old settings.
// Returns 0 when saved, 1 when the write failed, 2 when no file could be made beside it.
static int replaceFile(const char* fileName, const Prefs& image) {
    char tempName[kMaxPath + 4];
    std::snprintf(tempName, sizeof tempName, "%s.tmp", fileName);
    FILE* file = std::fopen(tempName, "wb");
    if (!file) return 2;
    bool written = std::fwrite(&image, 1, sizeof image, file) == sizeof image;
    bool closed = std::fclose(file) == 0;
    if (written && closed && std::rename(tempName, fileName) == 0) return 0;
    std::remove(tempName);
    return 1;
}

// For a folder that takes no new file: the existing file itself is rewritten and cut to the record's size.
static int rewriteInPlace(const char* fileName, const Prefs& image) {
    FILE* file = std::fopen(fileName, "r+b");
    if (!file) return 1;
    bool written = std::fwrite(&image, 1, sizeof image, file) == sizeof image && std::fflush(file) == 0 &&
                   ftruncate(fileno(file), sizeof image) == 0;
    bool closed = std::fclose(file) == 0;
    return written && closed ? 0 : 1;
}

int savePrefs(const Prefs& p, const char* stem) {
    char name[kMaxPath], fileName[kMaxPath];
    prefsFileName(name, sizeof name, stem);
    if (!fileLocations.configDir.empty()) makeDirectories(fileLocations.configDir.c_str());
    saveTarget(name, fileName, sizeof fileName);
    Prefs image = p;
    std::memcpy(image.tag, kTag, sizeof kTag);
    int result = replaceFile(fileName, image);
    if (result == 2) result = rewriteInPlace(fileName, image);
    tracef("prefs", "save %s %d", name, result);
    return result;
}

int loadPrefs(Prefs& p, const char* stem) {
    char fileName[kMaxPath];
    prefsFileName(fileName, sizeof fileName, stem);
    FILE* file = std::fopen(fileName, "rb");
    if (!file) {
        tracef("prefs", "load %s 1", fileName);
        return 1;
    }
    uint8_t image[kPrefsFileSize];
    size_t got = std::fread(image, 1, sizeof image, file);
    std::fclose(file);
    // A short file overwrites only the leading bytes it holds.
    std::memcpy(&p, image, got);
    sanitizePrefs(p);
    tracef("prefs", "load %s 0", fileName);
    return 0;
}

static void clampInt(int32_t& v, int32_t lo, int32_t hi) { v = std::min(std::max(v, lo), hi); }

static void finiteOr(float& v, float fallback) {
    if (!std::isfinite(v)) v = fallback;
}

void sanitizePrefs(Prefs& p) {
    clampInt(p.tesselation, 10, 80);
    clampInt(p.blendMode0, 0, 8);
    clampInt(p.blendMode1, 0, 7);
    clampInt(p.imageOption, 0, 18);
    clampInt(p.universe, 0, 3);
    clampInt(p.cameraMode, 0, 3);
    clampInt(p.polygonMode, 0, 2);
    clampInt(p.letterbox, 0, 6);
    clampInt(p.mapMode, 0, 3);
    clampInt(p.debugLine, 0, 16);
    clampInt(p.lightmap, -63, 63);
    clampInt(p.windowWidth, 1, 16384);
    clampInt(p.windowHeight, 1, 16384);

    static const float kColor[4] = {1, 1, 1, 1};
    static const float kLight[7] = {0.4f, 0.5f, 0.99f, 0.99f, 10.0f, 180.0f, 1.0f};
    for (int i = 0; i < 4; ++i) finiteOr(p.color[i], kColor[i]);
    for (int i = 0; i < 7; ++i) finiteOr(p.lightParams[i], kLight[i]);
    const struct { float* field; float fallback; } floats[] = {
        {&p.fov, 50.0f},          {&p.rotateSpeed, 1.0f},      {&p.moveSpeed, 1.0f},
        {&p.cameraZ, 0.0f},       {&p.objectSize, 1.0f},       {&p.arrowScaleX, 1.0f},
        {&p.arrowScaleY, 1.0f},   {&p.groundHeight, 1.0f},     {&p.noiseLevel, 1.0f},
        {&p.texMagX, 1.0f},       {&p.texMagY, 1.0f},          {&p.f9Value, 1.0f},
        {&p.fade, 0.5f},          {&p.lightRotateSpeed, 1.0f}, {&p.mouseSensitivity, 1.0f},
        {&p.moveSensitivity, 1.0f}, {&p.colorLevel, 0.0f},     {&p.menuLevel, 0.0f},
        {&p.lightmapRefresh, 0.075f}, {&p.lightmapInterval, 12.0f}, {&p.lightmapX, 1.0f},
        {&p.lightmapY, 1.0f},     {&p.skipInterval, 70.0f},    {&p.splinterInterval, 25.0f},
    };
    for (const auto& f : floats) finiteOr(*f.field, f.fallback);
}
