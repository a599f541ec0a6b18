// End-to-end runs of the real program: start-up and shutdown order, exit paths, options, frame costs, hostile
// environments, odd windows and runs late in the clock's life.
#include "core/Prefs.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <map>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void expectPng(const std::string& file, int width, int height, const std::string& why) {
    std::vector<unsigned char> rgb;
    int w = 0, h = 0;
    EXPECT_TRUE(readPng(file, w, h, rgb) && w == width && h == height) << why << ": " << w << "x" << h;
}

void writePrefs(int windowWidth, int windowHeight, float objectSize) {
    Prefs p;
    p.tesselation = 30;
    p.windowWidth = windowWidth, p.windowHeight = windowHeight;
    p.objectSize = p.groundHeight = p.noiseLevel = objectSize;
    writeFile("Vulkora.pref", std::string(reinterpret_cast<const char*>(&p), sizeof p));
}

}  // namespace

// Every way out (the frame count, ESC and its fade, a second ESC) logs the same steps in order, over the log of
// the run before, and ends on its own frame. ESC arrives before its frame is drawn, when the clock still shows the
// frame before. Without preferences the program starts full screen (the virtual screen of the test run) and
// leaves it for the stored window.
TEST(Shell, EveryWayOutLogsEveryStepInOrderAndEndsOnItsFrame) {
    const char* k320 = "--window 320x240 --frames 400 --fixed-step 0.02";
    const struct { const char* script; const char* args; long lastFrame; const char* later; } rows[] = {
        {"", "--window 320x240 --frames 5 --fixed-step 0.02", 5, ""},
        {"5 key esc\n", k320, 104, ""},                 // two seconds of fade from 0.08 s
        {"5 key esc\n6 key esc\n", k320, 6, ""},        // a second press ends at once
        {"1 key esc\n", k320, 100, ""},                 // before the first frame, at 0 s
        {"240 key esc\n251 key esc\n", k320, 251, ""},  // the second press at exactly 5 s
        // A reset during the fade does not call it off.
        {"110 key esc\n115 key r\n", "--window 320x240 --frames 400 --fixed-step 0.1", 129, "Init Pref...\nInit Vars...\n"},
        {"105 key f\n", "--frames 110 --fixed-step 0.1 --shot 3:full.png --screenshot window.png", 110, ""},
    };
    for (const auto& row : rows) {
        ScratchDir dir(true);
        writeFile("script.txt", row.script);
        writeFile("app.log", "a previous run\n");
        RunResult r = runVulkora(std::string("--no-sound --input-script script.txt --trace t.txt ") + row.args);
        ASSERT_EQ(r.exitCode, 0) << r.output;
        std::vector<TraceLine> log = readTrace("t.txt", "log");
        EXPECT_EQ(log.empty() ? -1 : log.back().frame, row.lastFrame) << row.script;
        EXPECT_EQ(readFile("app.log"), "Data directory: the working directory\nNo Prefs found.\nInit Pref...\nInit Once...\n"
                  "Dialog Init...\nVolcano Init...\nInit Vars...\nReady...\n\n" + std::string(row.later) +
                  "\nShutting down...\nDestroying window...\nFin\n\n");
        EXPECT_TRUE(has(r.output, "Ready...\n\n")) << "the log goes to the terminal too";
        if (has(row.args, "full.png")) expectPng("full.png", 1280, 1024, "full screen"), expectPng("window.png", 450, 450, "window");
    }
}

// Damaged files, missing files, a working directory that takes no writes, and windows from one pixel to 4K:
// each run goes to its last frame, ends with exit 0, and says what it could not do. Root writes anywhere unless
// it gives up that right.
TEST(Shell, HostileEnvironmentsAndOddWindowsRunToTheEnd) {
    const char* assets = "for f in font_256.bmp grass.bmp ff.bmp explosion.wav thx2.wav hit.wav; do rm $f; printf '";
    const struct {
        bool assets;
        std::string setup;  // shell commands before the run
        int prefsWidth;     // a stored record of that width, height 0 and all sizes prefsSize, if not 0
        float prefsSize;
        const char* args;
        int width, height;     // of the screenshot, 0: none taken
        const char* expected;  // in the output (the log and the trace go to it)
    } rows[] = {
        {true, "echo 505 key ! > s.txt; chmod 555 .; $([ $(id -u) = 0 ] && echo setpriv --bounding-set=-dac_override,"
               "-dac_read_search --)", 0, 0, "--frames 510 --input-script s.txt", 0, 0, "message Could NOT Save Prefs"},
        {true, "mkdir Vulkora.pref;", 0, 0, "--frames 5", 0, 0, "No Prefs found."},
        {true, "", 0, 1e30f, "--frames 30", 0, 0, "Loaded Prefs."},       // absurd sizes, no window
        {true, "", 640, 1, "--frames 20 -iconic", 0, 0, "Loaded Prefs."},  // height 0, minimised
        {false, "", 0, 0, "--frames 30", 0, 0, "Ready..."},
        {true, assets + std::string("' > $f; done;"), 0, 0, "--frames 30", 0, 0, "Ready..."},
        {true, assets + std::string("\\102\\115\\377\\377\\001\\002RIFF\\177' > $f; done;"), 0, 0, "--frames 30", 0, 0, "Ready..."},
        {true, "", 0, 0, "--frames 20 --window 1x1", 1, 1, "Fin"}, {true, "", 0, 0, "--frames 20 --window 2x2", 2, 2, "Fin"},
        {true, "", 0, 0, "--frames 20", 320, 240, "Fin"}, {true, "", 0, 0, "--frames 5 --window 3840x2160", 3840, 2160, "Fin"},
    };
    for (const auto& row : rows) {
        ScratchDir dir(row.assets);
        std::string name = row.setup + row.args, shot = "/tmp/vulkora-shot-" + std::to_string(getpid()) + ".png";
        if (row.prefsSize) writePrefs(row.prefsWidth, 0, row.prefsSize);
        RunResult r = runVulkora(std::string("--no-sound --fixed-step 0.02 --window 320x240 --trace /dev/stdout ") +
                                 row.args + (row.width ? " --screenshot " + shot : ""), row.setup);
        EXPECT_EQ(r.exitCode, 0) << name << "\n" << r.output;
        EXPECT_TRUE(has(r.output, row.expected) && has(r.output, " log Fin")) << name;
        EXPECT_EQ(access("app.log", F_OK) == 0, &row != rows) << name << ": a log file wherever it can be written";
        if (row.width) expectPng(shot, row.width, row.height, name), unlink(shot.c_str());
    }
}

// Started late in the clock's life (30 days, and before the 32-bit millisecond counter turns negative or
// back to 0), the eruptions keep their 20-second rhythm across the mark and the clock never steps back.
TEST(Shell, LongRunsKeepTheEruptionRhythmAcrossTheCounterWraps) {
    for (double mark : {30 * 86400.0, 2147483.648, 4294967.296}) {
        ScratchDir dir(true);
        char args[160];
        std::snprintf(args, sizeof args, "--window 160x120 --no-sound --fixed-step 0.05 --frames 620 --clock-start %.3f "
                      "--trace t.txt", mark - 20.0);
        ASSERT_EQ(runVulkora(args).exitCode, 0);
        std::ifstream in("t.txt");
        double previous = 0, seconds = 0;
        for (std::string line; std::getline(in, line) && std::sscanf(line.c_str(), "%*s %lf", &seconds) == 1;) {
            EXPECT_GE(seconds, previous) << mark;
            previous = seconds;
        }
        EXPECT_NEAR(previous, mark + 11.0, 0.1) << "the clock reaches past the mark, every line read";
        std::vector<TraceLine> eruptions = readTrace("t.txt", "erupt");
        ASSERT_EQ(eruptions.size(), 2u) << mark;  // when the intro ends, and 20 s later
        EXPECT_EQ(eruptions[1].frame - eruptions[0].frame, 401) << mark;  // the first frame more than 20 s on
    }
}

// Bad options and scripts are refused before anything starts; so is a run without a display.
TEST(Shell, BadOptionsScriptsAndNoDisplayAreRefusedBeforeTheWindowOpens) {
    ScratchDir dir(true);
    writeFile("bad.txt", "1 key esc\n\n3 mouse sideways down 1 1\n");
    const struct { const char* prefix; const char* args; int exitCode; const char* output; } rows[] = {
        {"", "--frobnicate", 2, "--frobnicate"}, {"", "--clock-start -1", 2, ""},
        {"", "--clock-start 4294967.3", 2, ""}, {"", "--input-script bad.txt", 2, "bad.txt:3"},
        {"", "--help", 0, "--window"}, {"", "--version", 0, "Vulkora"},
        {"DISPLAY=", "--frames 1", 1, "no X display"}, {"DISPLAY=", "--frames 1", 1, "xvfb-run"},
    };
    for (const auto& row : rows) {
        RunResult r = runVulkora(row.args, row.prefix);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.args;
        EXPECT_TRUE(has(r.output, row.output)) << row.args << "\n" << r.output;
    }
    EXPECT_NE(access("app.log", F_OK), 0) << "nothing may start before the options are accepted";
}

// One eruption cycle in, from the heal at 30 s through the next eruption to the next heal at 50 s, no frame
// allocates on the heap in our code or the libraries we call (the GL driver's own allocations are counted apart),
// and no frame waits for the driver to compile a shader (the intro rehearsed them: a new sky and cloud blend come
// at 30 s, the eruption at 40 s); the benchmark over the last 50 frames names them and its slowest frames.
TEST(Shell, SteadyFramesAllocateNothingAndTheBenchmarkNamesItsSlowestFrames) {
    ScratchDir dir(true);
    std::string preload = "ALSOFT_DRIVERS=null VULKORA_ALLOC_FRAMES=600-1099 VULKORA_ALLOC_REPORT=alloc.txt";
#ifndef __SANITIZE_ADDRESS__  // the sanitizer's allocator must come first: nothing is preloaded before it
    preload += " LD_PRELOAD=" VULKORA_ALLOC_COUNTER;
#endif
    RunResult r = runVulkora("--window 320x240 --fixed-step 0.05 --frames 1100 --trace t.txt --bench-from 1050 "
                             "--benchmark 1000 --frame-times times.txt", preload);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    ASSERT_EQ(readTrace("t.txt", "heal").size(), 2u) << "the counted frames span a whole cycle";
#ifndef __SANITIZE_ADDRESS__
    std::string report = readFile("alloc.txt");
    EXPECT_TRUE(has(report, "frames 500 ours 0 driver ") && has(report, " jit 0\n")) << report;
#endif
    std::map<long, float> times;  // of frames 1050 to 1099, each once
    std::ifstream timesFile("times.txt");
    for (long frame = 0; timesFile >> frame;) timesFile >> times[frame];
    ASSERT_TRUE(times.size() == 50 && times.begin()->first == 1050 && times.rbegin()->first == 1099) << readFile("times.txt");
    int measured = 0, pairs = 0;
    float median = 0, p99 = 0, max = 0, firstFrame = 0, ms = 0, slowest = 0;
    ASSERT_EQ(std::sscanf(r.output.substr(r.output.find("benchmark: frames")).c_str(),
                          "benchmark: frames %d fps %*f median_ms %f p99_ms %f max_ms %f first_frame_ms %f", &measured,
                          &median, &p99, &max, &firstFrame), 5) << r.output;
    for (const auto& t : times) slowest = std::max(slowest, t.second);
    EXPECT_TRUE(measured == 50 && median <= p99 && firstFrame > 0 && std::abs(max - slowest) < 0.01f) << r.output;
    // Five "frame:ms" pairs, slowest first, each a measured frame with its own time.
    std::istringstream slow(r.output.substr(r.output.find("slowest frames") + 14));
    long frame = 0;
    char colon = 0;
    for (float previous = max; slow >> frame >> colon >> ms; ++pairs, previous = ms)
        EXPECT_TRUE(times.count(frame) && std::abs(ms - times[frame]) < 0.01f && ms <= previous + 0.001f) << frame;
    EXPECT_EQ(pairs, 5) << r.output;
}
