// The application log.
#include "core/AppLog.h"
#include "core/FilePath.h"
#include "core/Trace.h"
#include <cstdio>
#include <cstring>

static int logStarted = 0;
static char logPath[kMaxPath] = "app.log";

void AppLog::restart() { logStarted = 0; }

void AppLog::setDirectory(const char* dir) {
    if (*dir) makeDirectories(dir);  // the log's own directory comes with its first line, which follows at once
    joinPath(logPath, sizeof logPath, dir, "app.log");
}

int AppLog::write(const char* text) {
    std::fputs(text, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    trace("log", text);
    // Each line opens and closes the file, so the log is complete up to the last line even after a crash.
    FILE* file = std::fopen(logPath, logStarted ? "ab" : "wb");
    logStarted = 1;
    if (!file) return 1;
    size_t len = std::strlen(text);
    std::fwrite(text, 1, len, file);
    std::fputc('\n', file);
    std::fclose(file);
    return 0;
}
