// The observation trace used by tests and users to follow a run without reading pixels.
#include "core/Trace.h"
#include "core/AppContext.h"
#include "core/Clock.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>

static FILE* gTraceFile = nullptr;
static long gTraceFrame = 0;

bool traceOpen(const char* fileName) {
    traceClose();
    gTraceFile = std::fopen(fileName, "w");
    return gTraceFile != nullptr;
}

void traceClose() {
    if (gTraceFile) std::fclose(gTraceFile);
    gTraceFile = nullptr;
}

void traceSetFrame(long frame) { gTraceFrame = frame; }
long traceFrame() { return gTraceFrame; }

void trace(const char* kind, const char* text) {
    if (!gTraceFile) return;
    double seconds = (gApp && gApp->clock) ? gApp->clock->realSeconds : 0.0;
    const char* line = text;
    while (*line) {
        const char* end = std::strchr(line, '\n');
        size_t len = end ? static_cast<size_t>(end - line) : std::strlen(line);
        if (len > 0) std::fprintf(gTraceFile, "%ld %.3f %s %.*s\n", gTraceFrame, seconds, kind, (int)len, line);
        if (!end) break;
        line = end + 1;
    }
    std::fflush(gTraceFile);
}

void tracef(const char* kind, const char* format, ...) {
    if (!gTraceFile) return;
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    trace(kind, text);
}
