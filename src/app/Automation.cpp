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
#include <thread>
#include <vector>

namespace {

Options options;
void (*endRun)() = nullptr;
InputScript script;
long frame = 0;

using SteadyClock = std::chrono::steady_clock;
SteadyClock::time_point lastFrameStart, benchStart;
std::vector<float> frameMillis;  // reserved once; no allocation while measuring

void saveFrame(const std::string& file) {
    // The window's size as the last reshape gave it: GLUT knows no screensaver window.
    int w = screen.width, h = screen.height;
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    if (!writePng(file.c_str(), w, h, rgb.data())) std::fprintf(stderr, "vulkora: cannot write %s\n", file.c_str());
}

void reportBenchmark() {
    std::vector<float> sorted = frameMillis;
    std::sort(sorted.begin(), sorted.end());
    size_t n = sorted.size();
    double total = 0;
    for (float ms : sorted) total += ms;
    auto at = [&](double q) { return n ? sorted[std::min(n - 1, static_cast<size_t>(q * (n - 1) + 0.5))] : 0.0f; };
    std::printf("benchmark: frames %zu fps %.1f median_ms %.2f p99_ms %.2f max_ms %.2f\n", n,
                total > 0 ? n * 1000.0 / total : 0.0, at(0.5), at(0.99), n ? sorted.back() : 0.0f);
    std::fflush(stdout);
}

void benchmarkStep() {
    if (options.benchmarkSeconds <= 0 || frame < options.benchFrom) return;
    SteadyClock::time_point now = SteadyClock::now();
    if (frame == options.benchFrom) {
        benchStart = now;
    } else {
        frameMillis.push_back(std::chrono::duration<float, std::milli>(now - lastFrameStart).count());
        if (std::chrono::duration<double>(now - benchStart).count() >= options.benchmarkSeconds) {
            reportBenchmark();
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
    if (options.benchmarkSeconds > 0) frameMillis.reserve(1 << 20);
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
    if (options.frames > 0 && frame >= options.frames) endRun();
    if (options.delayMicros > 0) std::this_thread::sleep_for(std::chrono::microseconds(options.delayMicros));
}

void saveFinalScreenshot() {
    if (!options.screenshot.empty()) saveFrame(options.screenshot);
}

void finishAutomation() { traceClose(); }
