// File paths.
#include "core/FilePath.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

const char* joinPath(char* out, size_t size, const char* dir, const char* name) {
    int n = *dir ? std::snprintf(out, size, "%s/%s", dir, name) : std::snprintf(out, size, "%s", name);
    if (n < 0 || static_cast<size_t>(n) >= size) out[0] = '\0';
    return out;
}

int makeDirectories(const char* dir) {
    char path[kMaxPath];
    if (!joinPath(path, sizeof path, "", dir)[0]) return 1;
    // Each parent in turn: a slash after the first character ends one.
    for (char* p = path + 1; *p; ++p) {
        if (*p != '/') continue;
        *p = '\0';
        if (mkdir(path, 0700) != 0 && errno != EEXIST) return 1;
        *p = '/';
    }
    if (mkdir(path, 0700) != 0 && errno != EEXIST) return 1;
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode) ? 0 : 1;
}
