// The preferences file: a 348-byte image of the settings record, brought into range when loaded.
#include "app/PrefsFile.h"
#include "app/FileLocations.h"
#include "core/FilePath.h"
#include "core/SettingRanges.h"
#include "core/Trace.h"
#include <cstdio>
#include <cstring>

static const uint8_t kTag[4] = {0x98, 0xD6, 0x42, 0x00};

static void prefsFileName(char* out, size_t size, const char* stem) {
    char name[96];
    std::snprintf(name, sizeof name, "%s.pref", stem);
    joinPath(out, size, fileLocations.configDir.c_str(), name);
}

int savePrefs(const Prefs& p, const char* stem) {
    char fileName[kMaxPath], tempName[kMaxPath + 4];
    prefsFileName(fileName, sizeof fileName, stem);
    std::snprintf(tempName, sizeof tempName, "%s.tmp", fileName);
    if (!fileLocations.configDir.empty()) makeDirectories(fileLocations.configDir.c_str());
    Prefs image = p;
    std::memcpy(image.tag, kTag, sizeof kTag);
    // Write beside the old file and rename over it, so a failed write never loses the old settings.
    FILE* file = std::fopen(tempName, "wb");
    int result = 1;
    if (file) {
        bool written = std::fwrite(&image, 1, sizeof image, file) == sizeof image;
        bool closed = std::fclose(file) == 0;
        if (written && closed && std::rename(tempName, fileName) == 0)
            result = 0;
        else
            std::remove(tempName);
    }
    tracef("prefs", "save %s %d", fileName, result);
    return result;
}

int loadPrefs(Prefs& p, const char* stem) {
    char fileName[kMaxPath];
    prefsFileName(fileName, sizeof fileName, stem);
    // A file that cannot be read whole (missing, empty, short, a directory) leaves the record as it was.
    Prefs image;
    FILE* file = std::fopen(fileName, "rb");
    size_t got = file ? std::fread(&image, 1, sizeof image, file) : 0;
    if (file) std::fclose(file);
    int result = got == sizeof image ? 0 : 1;
    if (result == 0) {
        clampSettings(image);
        p = image;
    }
    tracef("prefs", "load %s %d", fileName, result);
    return result;
}
