// The automation layer.
#include "app/Automation.h"
#include "app/Globals.h"
#include "app/InputScript.h"
#include "core/Trace.h"
#include "gfx/PngWriter.h"
#include <GL/freeglut.h>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

Options options;
void (*endRun)() = nullptr;
InputScript script;
long frame = 0;

using SteadyClock = std::chrono::steady_clock;
SteadyClock::time_point lastFrameStart, benchStart;

struct FrameTime {
    long frame;
    float millis;
};
std::vector<FrameTime> frameTimes;  // reserved once; no allocation while measuring
double firstFrameMillis = 0;
constexpr int kSlowestShown = 5;

void saveFrame(const std::string& file) {
    // The window's size as the last reshape gave it: GLUT knows no screensaver window.
    int w = screen.width, h = screen.height;
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    if (!writePng(file.c_str(), w, h, rgb.data())) std::fprintf(stderr, "vulkora: cannot write %s\n", file.c_str());
}

// Milliseconds since the process was started by the kernel, so loading the libraries counts too.
double millisSinceProcessStart() {
    unsigned long long startTicks = 0;
    if (FILE* f = std::fopen("/proc/self/stat", "r")) {
        // Field 22 is the start time in clock ticks after boot; the name in field 2 may hold spaces.
        char line[1024];
        size_t got = std::fread(line, 1, sizeof line - 1, f);
        std::fclose(f);
        line[got] = '\0';
        const char* p = std::strrchr(line, ')');
        for (int field = 2; p && field < 22; ++field) p = std::strchr(p + 1, ' ');
        if (p) startTicks = std::strtoull(p + 1, nullptr, 10);
    }
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
    return (now.tv_sec + now.tv_nsec * 1e-9 - startTicks / ticksPerSecond) * 1000.0;
}

void writeFrameTimes() {
    FILE* f = std::fopen(options.frameTimesFile.c_str(), "w");
    if (!f) {
        std::fprintf(stderr, "vulkora: cannot write %s\n", options.frameTimesFile.c_str());
        return;
    }
    for (const FrameTime& t : frameTimes) std::fprintf(f, "%ld %.3f\n", t.frame, t.millis);
    std::fclose(f);
}

void reportBenchmark() {
    if (!options.frameTimesFile.empty()) writeFrameTimes();
    std::vector<FrameTime> sorted = frameTimes;
    std::sort(sorted.begin(), sorted.end(), [](const FrameTime& a, const FrameTime& b) { return a.millis < b.millis; });
    size_t n = sorted.size();
    double total = 0;
    for (const FrameTime& t : sorted) total += t.millis;
    auto at = [&](double q) { return n ? sorted[std::min(n - 1, static_cast<size_t>(q * (n - 1) + 0.5))].millis : 0.0f; };
    std::printf("benchmark: frames %zu fps %.1f median_ms %.2f p99_ms %.2f max_ms %.2f first_frame_ms %.0f\n", n,
                total > 0 ? n * 1000.0 / total : 0.0, at(0.5), at(0.99), n ? sorted.back().millis : 0.0f,
                firstFrameMillis);
    std::printf("benchmark: slowest frames");
    for (size_t k = 0; k < n && k < kSlowestShown; ++k)
        std::printf(" %ld:%.2f", sorted[n - 1 - k].frame, sorted[n - 1 - k].millis);
    std::printf("\n");
    std::fflush(stdout);
}

void benchmarkStep() {
    if (options.benchmarkSeconds <= 0 || frame < options.benchFrom) return;
    SteadyClock::time_point now = SteadyClock::now();
    if (frame == options.benchFrom) {
        benchStart = now;
    } else {
        // The time since the last frame began is the whole of that frame, swap included.
        frameTimes.push_back({frame - 1, std::chrono::duration<float, std::milli>(now - lastFrameStart).count()});
        if (std::chrono::duration<double>(now - benchStart).count() >= options.benchmarkSeconds) {
            endRun();
        }
    }
    lastFrameStart = now;
}

}  // namespace

std::string startAutomation(const Options& opts, void (*end)()) {
    options = opts;
    endRun = end;
    if (!options.inputScript.empty()) {
        std::string error = script.load(options.inputScript);
        if (!error.empty()) return error;
    }
    if (!options.traceFile.empty() && !traceOpen(options.traceFile.c_str()))
        return "cannot write trace file '" + options.traceFile + "'";
    if (options.benchmarkSeconds > 0) frameTimes.reserve(1 << 20);
    return "";
}

static int wrapToCounter(double millis) { return static_cast<int>(static_cast<uint32_t>(static_cast<int64_t>(millis))); }

int clockStartMillis() { return wrapToCounter(options.clockStart * 1000.0 + 0.5); }

int elapsedMillis() {
    if (options.fixedStep > 0) return wrapToCounter((options.clockStart + frame * options.fixedStep) * 1000.0 + 0.5);
    return wrapToCounter(options.clockStart * 1000.0 + 0.5 + glutGet(GLUT_ELAPSED_TIME));
}

long currentFrame() { return frame; }

bool inputScripted() { return !options.inputScript.empty(); }

void beforeFrame() {
    frame += 1;
    traceSetFrame(frame);
    benchmarkStep();
    script.deliver(frame);
}

void beforeSwap() {
    for (const ShotRequest& shot : options.shots)
        if (shot.frame == frame) saveFrame(shot.file);
    if (options.frames > 0 && frame >= options.frames) saveFinalScreenshot();
}

void afterSwap() {
    if (frame == 1) firstFrameMillis = millisSinceProcessStart();
    if (options.frames > 0 && frame >= options.frames) endRun();
    if (options.delayMicros > 0) std::this_thread::sleep_for(std::chrono::microseconds(options.delayMicros));
}

void saveFinalScreenshot() {
    if (!options.screenshot.empty()) saveFrame(options.screenshot);
}

void finishAutomation() {
    // A run cut short by its frame count or by the user still reports what it measured.
    if (options.benchmarkSeconds > 0) reportBenchmark();
    traceClose();
}
