// File paths.
#include "core/FilePath.h"
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

const char* joinPath(char* out, size_t size, const char* dir, const char* name) {
    int n = *dir ? std::snprintf(out, size, "%s/%s", dir, name) : std::snprintf(out, size, "%s", name);
    if (n < 0 || static_cast<size_t>(n) >= size) out[0] = '\0';
    return out;
}

void makeDirectories(const char* dir) {
    char path[kMaxPath];
    joinPath(path, sizeof path, "", dir);
    // Each parent in turn (a slash after the first character ends one), then the directory itself.
    for (char* p = path + 1; *p; ++p) {
        if (*p != '/') continue;
        *p = '\0';
        mkdir(path, 0700);
        *p = '/';
    }
    mkdir(path, 0700);
}
