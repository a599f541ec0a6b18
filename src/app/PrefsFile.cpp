// The preferences file: a 348-byte image of the settings record, brought into range when loaded.
#include "app/PrefsFile.h"
#include "app/FileLocations.h"
#include "core/FilePath.h"
#include "core/SettingRanges.h"
#include "core/Trace.h"
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
