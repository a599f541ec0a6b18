// End-to-end runs of the real program: start-up and shutdown order, exit paths, options, frame costs, hostile
// environments, odd windows and runs late in the clock's life.
#include "app/PrefsFile.h"
#include "core/Prefs.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <X11/Xlib.h>  // last: its macros would clash with the headers above

namespace {

const char* kRun = "--window 320x240 --no-sound --fixed-step 0.02 ";

// Frame of the last log line written to the trace.
long lastLogFrame() {
    auto lines = readTrace("t.txt", "log");
    return lines.empty() ? -1 : lines.back().frame;
}

// Sends the window manager's close request to the window of that size once it shows.
bool askWindowToClose(int width, int height) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    Window found = 0;
    for (int tries = 0; tries < 300 && !found; ++tries, usleep(100000)) {
        Window root, parent, *children = nullptr;
        unsigned count = 0;
        XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
        for (unsigned i = 0; i < count && !found; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable && a.width == width &&
                a.height == height)
                found = children[i];
        }
        if (children) XFree(children);
    }
    if (found) {
        XEvent close{};
        close.xclient.type = ClientMessage;
        close.xclient.window = found;
        close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        close.xclient.format = 32;
        close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        close.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, found, False, NoEventMask, &close);
        XFlush(display);
    }
    XCloseDisplay(display);
    return found != 0;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string recordWith(int windowWidth, int windowHeight, float objectSize) {
    Prefs p;
    p.tesselation = 30;
    p.windowWidth = windowWidth;
    p.windowHeight = windowHeight;
    p.objectSize = p.groundHeight = p.noiseLevel = objectSize;
    return std::string(reinterpret_cast<const char*>(&p), sizeof p);
}

void replaceAssets(const std::string& bytes) {
    for (const char* name : {"font_256.bmp", "grass.bmp", "ff.bmp", "explosion.wav", "thx2.wav", "hit.wav"}) {
        unlink(name);
        writeFile(name, bytes);
    }
}

}  // namespace

TEST(Shell, NormalRunLogsEveryStepInOrder) {
    ScratchDir dir(true);
    writeFile("app.log", "a previous run\n");
    RunResult r = runVulkora(std::string(kRun) + "--frames 5");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(readFile("app.log"),
              "Data directory: the working directory\nNo Prefs found.\nInit Pref...\nInit Once...\nDialog Init...\nVolcano Init...\nInit Vars...\n"
              "Ready...\n\n\nShutting down...\nDestroying window...\nFin\n\n");
    EXPECT_NE(r.output.find("Ready...\n\n"), std::string::npos);
}

TEST(Shell, EveryWayOutEndsOnItsFrameWithTheShutdownSteps) {
    // ESC arrives before its frame is drawn, when the clock still shows the frame before.
    const struct { const char* script; const char* step; long lastFrame; } rows[] = {
        {"5 key esc\n", "0.02", 104},                // two seconds of fade from 0.08 s
        {"5 key esc\n6 key esc\n", "0.02", 6},       // a second press ends at once
        {"1 key esc\n", "0.02", 100},                // before the first frame, at 0 s
        {"240 key esc\n251 key esc\n", "0.02", 251}, // the second press at exactly 5 s
        {"110 key esc\n115 key r\n", "0.1", 129},    // a reset during the fade does not call it off
    };
    for (const auto& row : rows) {
        ScratchDir dir(true);
        writeFile("script.txt", row.script);
        RunResult r = runVulkora(std::string("--window 320x240 --no-sound --frames 400 --input-script script.txt "
                                             "--trace t.txt --fixed-step ") + row.step);
        ASSERT_EQ(r.exitCode, 0) << r.output;
        EXPECT_EQ(lastLogFrame(), row.lastFrame) << row.script;
        EXPECT_NE(readFile("app.log").find("Shutting down...\nDestroying window...\nFin\n"), std::string::npos);
    }
}

TEST(Shell, ClosingTheWindowShutsDownLikeTheExitFade) {
    ScratchDir dir(true);
    // A size of its own tells this window apart from those of tests running alongside.
    FILE* program = popen(VULKORA_BINARY " --window 211x157 --no-sound --fixed-step 0.02 --frames 3000 --trace t.txt 2>&1", "r");
    ASSERT_TRUE(program);
    EXPECT_TRUE(askWindowToClose(211, 157));
    std::string output;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, program)) > 0;) output.append(buffer, got);
    int status = pclose(program);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    EXPECT_EQ(output.find("freeglut"), std::string::npos) << output;
    EXPECT_LT(lastLogFrame(), 3000);
    EXPECT_NE(readFile("app.log").find("Shutting down...\nDestroying window...\nFin\n"), std::string::npos);
}

TEST(Shell, WithoutPreferencesTheProgramStartsFullScreenAndLeavesItForTheStoredWindow) {
    ScratchDir dir(true);
    writeFile("script.txt", "105 key f\n");
    RunResult r = runVulkora("--no-sound --fixed-step 0.1 --frames 110 --input-script script.txt --shot 3:full.png "
                             "--screenshot window.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const struct { const char* file; int width, height; } shots[] = {{"full.png", 1280, 1024}, {"window.png", 450, 450}};
    for (const auto& shot : shots) {
        int w = 0, h = 0;
        std::vector<unsigned char> rgb;
        ASSERT_TRUE(readPng(shot.file, w, h, rgb));
        EXPECT_EQ(w, shot.width) << shot.file;  // full screen is the virtual screen of the test run
        EXPECT_EQ(h, shot.height) << shot.file;
    }
    EXPECT_NE(readFile("app.log").find("No Prefs found."), std::string::npos);
}

// Damaged files, missing files, a working directory that takes no writes, and windows from one pixel to 4K:
// each run goes to its last frame, ends with exit 0, and says what it could not do.
TEST(Shell, HostileEnvironmentsAndOddWindowsRunToTheEnd) {
    const struct {
        const char* name;
        bool assets;
        void (*prepare)();
        const char* args;
        int width, height;  // of the screenshot, 0: none taken
        const char* expected;  // in the output (the log and the trace go to it)
    } rows[] = {
        {"read-only directory", true, [] { writeFile("s.txt", "505 key !\n"); }, "--frames 510 --input-script s.txt", 0, 0,
         "message Could NOT Save Prefs"},
        {"preferences a directory", true, [] { mkdir("Vulkora.pref", 0700); }, "--frames 5", 0, 0, "No Prefs found."},
        {"absurd preferences", true, [] { writeFile("Vulkora.pref", recordWith(0, 0, 1e30f)); }, "--frames 30", 0, 0,
         "Loaded Prefs."},
        {"no assets", false, nullptr, "--frames 30", 0, 0, "Ready..."},
        {"empty assets", true, [] { replaceAssets(""); }, "--frames 30", 0, 0, "Ready..."},
        {"random assets", true, [] { replaceAssets(std::string("\x42\x4d\xff\xff\x01\x02\x52\x49\x46\x46\x7f", 11)); },
         "--frames 30", 0, 0, "Ready..."},
        {"window 1 x 1", true, nullptr, "--frames 20 --window 1x1", 1, 1, "Fin"},
        {"window 2 x 2", true, nullptr, "--frames 20 --window 2x2", 2, 2, "Fin"},
        {"window 320 x 240", true, nullptr, "--frames 20", 320, 240, "Fin"},
        {"window 4K", true, nullptr, "--frames 5 --window 3840x2160", 3840, 2160, "Fin"},
        {"height 0, minimised", true, [] { writeFile("Vulkora.pref", recordWith(640, 0, 1)); },
         "--frames 20 -iconic", 0, 0, "Loaded Prefs."},
    };
    for (const auto& row : rows) {
        ScratchDir dir(row.assets);
        if (row.prepare) row.prepare();
        std::string prefix;
        if (std::string(row.name) == "read-only directory") {
            chmod(dir.path.c_str(), 0555);
            // Root writes anywhere unless it gives up that right.
            if (geteuid() == 0) prefix = "setpriv --bounding-set=-dac_override,-dac_read_search --";
        }
        std::string shot = row.width ? " --screenshot /tmp/vulkora-shot-" + std::to_string(getpid()) + ".png" : "";
        std::string args = std::string("--no-sound --fixed-step 0.02 --window 320x240 --trace /dev/stdout ") + row.args;
        RunResult r = runVulkora(args + shot, prefix);
        chmod(dir.path.c_str(), 0755);
        EXPECT_EQ(r.exitCode, 0) << row.name << "\n" << r.output;
        EXPECT_TRUE(has(r.output, row.expected)) << row.name;
        EXPECT_TRUE(has(r.output, " log Fin")) << row.name;
        if (!prefix.empty() || std::string(row.name) == "read-only directory") {
            EXPECT_FALSE(std::ifstream("app.log").good()) << "no log file where nothing can be written";
        }
        if (!row.width) continue;
        int w = 0, h = 0;
        std::vector<unsigned char> rgb;
        ASSERT_TRUE(readPng(shot.substr(14), w, h, rgb)) << row.name;
        unlink(shot.substr(14).c_str());
        EXPECT_EQ(w, row.width) << row.name;
        EXPECT_EQ(h, row.height) << row.name;
    }
}

// Started late in the clock's life (30 days, and before the 32-bit millisecond counter turns negative or
// back to 0), the eruptions keep their 20-second rhythm across the mark and the clock never steps back.
TEST(Shell, LongRunsKeepTheEruptionRhythmAcrossTheCounterWraps) {
    const double marks[] = {30 * 86400.0, 2147483.648, 4294967.296};
    for (double mark : marks) {
        ScratchDir dir(true);
        char args[160];
        std::snprintf(args, sizeof args, "--window 160x120 --no-sound --fixed-step 0.05 --frames 620 --clock-start %.3f "
                      "--trace t.txt", mark - 20.0);
        RunResult r = runVulkora(args);
        ASSERT_EQ(r.exitCode, 0) << r.output;
        std::vector<TraceLine> eruptions = readTrace("t.txt", "erupt");
        std::ifstream in("t.txt");
        double previous = 0, seconds = 0;
        for (std::string line; std::getline(in, line);) {
            ASSERT_EQ(std::sscanf(line.c_str(), "%*s %lf", &seconds), 1);
            EXPECT_GE(seconds, previous) << mark;
            previous = seconds;
        }
        EXPECT_NEAR(previous, mark + 11.0, 0.1) << "the clock reaches past the mark";
        ASSERT_EQ(eruptions.size(), 2u) << mark;  // when the intro ends, and 20 s later
        EXPECT_EQ(eruptions[1].frame - eruptions[0].frame, 401) << mark;  // the first frame more than 20 s on
    }
}

TEST(Shell, BadOptionsAndScriptsAreRefusedBeforeTheWindowOpens) {
    ScratchDir dir(true);
    RunResult unknown = runVulkora("--frobnicate");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.output.find("--frobnicate"), std::string::npos);
    for (const char* bad : {"--clock-start -1", "--clock-start 4294967.3"}) EXPECT_EQ(runVulkora(bad).exitCode, 2) << bad;
    writeFile("bad.txt", "1 key esc\n\n3 mouse sideways down 1 1\n");
    RunResult script = runVulkora("--input-script bad.txt");
    EXPECT_EQ(script.exitCode, 2);
    EXPECT_NE(script.output.find("bad.txt:3"), std::string::npos) << script.output;
    EXPECT_FALSE(std::ifstream("app.log").good()) << "nothing may start before the options are accepted";
    EXPECT_EQ(runVulkora("--help").exitCode, 0);
    EXPECT_NE(runVulkora("--version").output.find("Vulkora"), std::string::npos);
}

TEST(Shell, WithoutADisplayItSaysSoAndExitsOne) {
    ScratchDir dir;
    RunResult r = runVulkora("--frames 1 2>&1; true; DISPLAY= " VULKORA_BINARY " --frames 1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("no X display"), std::string::npos);
    EXPECT_NE(r.output.find("xvfb-run"), std::string::npos);
}

// One eruption cycle in, from the heal at 30 s through the next eruption to the next heal at 50 s, no frame
// allocates on the heap in our code or the libraries we call (the GL driver's own allocations are counted apart),
// and no frame waits for the driver to compile a shader (the intro rehearsed them: a new sky and cloud blend come
// at 30 s, the eruption at 40 s); the benchmark over the last 50 frames names them and its slowest frames.
TEST(Shell, SteadyFramesAllocateNothingAndTheBenchmarkNamesItsSlowestFrames) {
    ScratchDir dir(true);
    setenv("ALSOFT_DRIVERS", "null", 1);
    setenv("VULKORA_ALLOC_FRAMES", "600-1099", 1);
    setenv("VULKORA_ALLOC_REPORT", dir.file("alloc.txt").c_str(), 1);
#ifndef __SANITIZE_ADDRESS__  // the sanitizer's allocator must come first: nothing is preloaded before it
    setenv("LD_PRELOAD", VULKORA_ALLOC_COUNTER, 1);
#endif
    RunResult r = runVulkora("--window 320x240 --fixed-step 0.05 --frames 1100 --trace t.txt --bench-from 1050 "
                             "--benchmark 1000 --frame-times times.txt");
    for (const char* name : {"LD_PRELOAD", "VULKORA_ALLOC_FRAMES", "VULKORA_ALLOC_REPORT", "ALSOFT_DRIVERS"}) unsetenv(name);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    ASSERT_EQ(readTrace("t.txt", "heal").size(), 2u) << "the counted frames span a whole cycle";

#ifndef __SANITIZE_ADDRESS__
    long frames = 0, ours = -1, driver = 0, jit = -1;
    std::string report = readFile("alloc.txt");
    ASSERT_EQ(std::sscanf(report.c_str(), "frames %ld ours %ld driver %ld jit %ld", &frames, &ours, &driver, &jit), 4)
        << report;
    EXPECT_EQ(frames, 500);
    EXPECT_EQ(ours, 0) << report;
    EXPECT_EQ(jit, 0) << report;
#endif

    std::vector<float> times;  // of frames 1050, 1051, ...
    std::ifstream timesFile("times.txt");
    for (long frame = 0, expected = 1050; timesFile >> frame; ++expected) {
        EXPECT_EQ(frame, expected);
        times.push_back(0);
        timesFile >> times.back();
    }
    ASSERT_EQ(times.size(), 50u);
    int measured = 0;
    float medianMs = 0, p99 = 0, maxMs = 0, firstFrameMs = 0;
    ASSERT_EQ(std::sscanf(r.output.substr(r.output.find("benchmark: frames")).c_str(),
                          "benchmark: frames %d fps %*f median_ms %f p99_ms %f max_ms %f first_frame_ms %f", &measured,
                          &medianMs, &p99, &maxMs, &firstFrameMs), 5) << r.output;
    EXPECT_EQ(measured, 50);
    EXPECT_NEAR(maxMs, *std::max_element(times.begin(), times.end()), 0.01);
    EXPECT_TRUE(medianMs <= p99 && firstFrameMs > 0) << r.output;
    // Five "frame:ms" pairs, slowest first, each a measured frame with its own time.
    std::istringstream slow(r.output.substr(r.output.find("slowest frames") + 14));
    long frame = 0;
    char colon = 0;
    int pairs = 0;
    for (float ms = 0, previous = maxMs; slow >> frame >> colon >> ms; ++pairs, previous = ms) {
        ASSERT_TRUE(frame >= 1050 && frame <= 1099) << frame;
        EXPECT_NEAR(ms, times[frame - 1050], 0.01);
        EXPECT_LE(ms, previous + 0.001f);
    }
    EXPECT_EQ(pairs, 5) << r.output;
}
