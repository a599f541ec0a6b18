// End-to-end runs of the real program: start-up and shutdown order, exit paths, options, frame costs, hostile
// environments, odd windows and runs late in the clock's life.
#include "core/Prefs.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void expectPng(const std::string& file, int width, int height, const std::string& why) {
    std::vector<unsigned char> rgb;
    int w = 0, h = 0;
    EXPECT_TRUE(readPng(file, w, h, rgb) && w == width && h == height) << why << ": " << w << "x" << h;
}

void writePrefs(const std::string& file, int windowWidth, int windowHeight, float objectSize) {
    Prefs p;
    p.tesselation = 30;
    p.windowWidth = windowWidth, p.windowHeight = windowHeight;
    p.objectSize = p.groundHeight = p.noiseLevel = objectSize;
    writeFile(file, std::string(reinterpret_cast<const char*>(&p), sizeof p));
}

}  // namespace

// Runs from a scratch directory with the built assets, after shell commands that set the scene: every way out
// (ESC comes before its frame is drawn, when the clock still shows the frame before), damaged or missing files, a
// directory root may not write to, windows from 1 pixel to 4K or none stored, bad options and scripts, no display.
// Two tests share the table (runs with and without log frames) so that the suite runs them side by side.
static void checkRuns(bool withLogFrames) {
    ScratchDir records;
    writePrefs("absurd.pref", 0, 0, 1e30f);
    writePrefs("no-height.pref", 640, 0, 1);
    setenv("RECORDS", records.path.c_str(), 1);
    const char* damage = "for f in font_256.bmp grass.bmp ff.bmp explosion.wav thx2.wav hit.wav; do rm $f; printf '";
    const std::string garbage = damage + std::string("\\102\\115\\377\\377\\001\\002RIFF\\177' > $f; done;");
    const char* w160 = "--window 160x120 --frames 400 --fixed-step 0.02 --input-script s.txt";
    const struct {
        std::string setup;  // shell commands before the run
        const char* args;   // after --no-sound --trace
        int exitCode;
        const char* said;    // in the output (the log and the trace go to it)
        long lastLogFrame;   // 0: not checked
        const char* later;   // with a last log frame: what the log holds between "Ready..." and the shutdown
        const char* shots;   // "file width height ..."
    } runs[] = {
        {"", "--window 160x120 --frames 5 --fixed-step 0.02", 0, "Fin", 5, "", ""},
        {"echo 5 key esc > s.txt;", w160, 0, "Fin", 104, "", ""},  // two seconds of fade from 0.08 s
        {"printf '5 key esc\\n6 key esc' > s.txt;", w160, 0, "Fin", 6, "", ""},  // a second press ends at once
        {"echo 1 key esc > s.txt;", w160, 0, "Fin", 100, "", ""},  // before the first frame, at 0 s
        {"printf '240 key esc\\n251 key esc' > s.txt;", w160, 0, "Fin", 251, "", ""},  // the second at exactly 5 s
        // A reset during the fade does not call it off.
        {"printf '110 key esc\\n115 key r' > s.txt;", "--window 160x120 --frames 400 --fixed-step 0.1 --input-script s.txt",
         0, "Fin", 129, "Init Pref...\nInit Vars...\n", ""},
        {"echo 105 key f > s.txt;", "--frames 110 --fixed-step 0.1 --input-script s.txt --shot 3:full.png --screenshot "
         "window.png", 0, "Fin", 110, "", "full.png 1280 1024 window.png 450 450"},
        {"echo 505 key ! > s.txt; chmod 555 .; $([ $(id -u) = 0 ] && echo setpriv --bounding-set=-dac_override,"
         "-dac_read_search --)", "--window 320x240 --fixed-step 0.02 --frames 510 --input-script s.txt", 0, "message Could NOT Save Prefs", 0, "", ""},
        {"mkdir Vulkora.pref;", "--window 320x240 --fixed-step 0.02 --frames 5", 0, "No Prefs found.", 0, "", ""},
        {"cp $RECORDS/absurd.pref Vulkora.pref;", "--window 320x240 --fixed-step 0.02 --frames 30", 0, "Loaded Prefs.", 0, "", ""},
        {"cp $RECORDS/no-height.pref Vulkora.pref;", "--window 320x240 -iconic --fixed-step 0.02 --frames 20", 0, "Loaded Prefs.", 0, "", ""},
        {"rm *.bmp *.wav;", "--window 320x240 --fixed-step 0.02 --frames 30", 0, "Ready...", 0, "", ""},
        {damage + std::string("' > $f; done;"), "--window 320x240 --fixed-step 0.02 --frames 30", 0, "Ready...", 0, "", ""},
        {garbage, "--window 320x240 --fixed-step 0.02 --frames 30", 0, "Ready...", 0, "", ""},
        {"", "--window 1x1 --fixed-step 0.02 --frames 20 --screenshot shot.png", 0, "Fin", 0, "", "shot.png 1 1"},
        {"", "--window 2x2 --fixed-step 0.02 --frames 20 --screenshot shot.png", 0, "Fin", 0, "", "shot.png 2 2"},
        {"", "--window 320x240 --fixed-step 0.02 --frames 20 --screenshot shot.png", 0, "Fin", 0, "", "shot.png 320 240"},
        {"", "--window 3840x2160 --fixed-step 0.02 --frames 5 --screenshot shot.png", 0, "Fin", 0, "", "shot.png 3840 2160"},
        {"", "--frobnicate", 2, "--frobnicate", 0, "", ""}, {"", "--window 5x0 --frames 1", 2, "--window", 0, "", ""},
        {"", "--clock-start -1 --frames 1", 2, "--clock-start", 0, "", ""},  // the frame count ends a run let through
        {"", "--clock-start 4294967.296 --frames 1", 2, "--clock-start", 0, "", ""},
        {"printf '1 key esc\\n\\n3 mouse sideways down 1 1' > bad.txt;", "--input-script bad.txt", 2, "bad.txt:3", 0, "", ""},
        {"", "--help", 0, "--window", 0, "", ""},
        {"", "--version", 0, "Vulkora", 0, "", ""},
        {"DISPLAY=", "--frames 1", 1, "no X display", 0, "", ""},
        {"DISPLAY=", "--frames 1", 1, "xvfb-run", 0, "", ""},
    };
    for (const auto& run : runs) {
        if ((run.lastLogFrame != 0) != withLogFrames) continue;
        ScratchDir dir(true);
        std::string name = run.setup + run.args;
        if (run.lastLogFrame) writeFile("app.log", "a previous run\n");
        // The runs that check their log frames keep the trace apart, to see the program's own output alone.
        RunResult r = runVulkora((run.lastLogFrame ? "--no-sound --trace t.txt " : "--no-sound --trace /dev/stdout ") +
                                 std::string(run.args), run.setup);
        EXPECT_EQ(r.exitCode, run.exitCode) << name << "\n" << r.output;
        bool started = run.exitCode == 0 && !has(run.args, "--help") && !has(run.args, "--version");
        EXPECT_TRUE(has(r.output, run.said) && (!started || has(r.output + readFile("t.txt"), " log Fin"))) << name << "\n" << r.output;
        EXPECT_EQ(access("app.log", F_OK) == 0, started && !has(run.setup, "chmod")) << name << ": a log where it can be";
        std::istringstream shots(run.shots);
        int width = 0, height = 0;
        for (std::string file; shots >> file >> width >> height;) expectPng(file, width, height, name);
        if (!run.lastLogFrame) continue;
        std::vector<TraceLine> logged = readTrace("t.txt", "log");
        EXPECT_EQ(logged.empty() ? -1 : logged.back().frame, run.lastLogFrame) << name;
        std::string log = "Data directory: the working directory\nNo Prefs found.\nInit Pref...\nInit Once...\nDialog Init...\n"
                          "Volcano Init...\nInit Vars...\nReady...\n\n" + std::string(run.later) +
                          "\nShutting down...\nDestroying window...\nFin\n\n";
        EXPECT_EQ(readFile("app.log"), log) << name;
        EXPECT_EQ(r.output, log) << name << ": the terminal shows the log";
    }
    unsetenv("RECORDS");
}
TEST(Shell, EveryWayOutEndsOnItsFrameWithTheLogOfANormalRun) { checkRuns(true); }
TEST(Shell, HostileRunsOddWindowsAndBadOptionsEndAndSayWhatTheyCouldNotDo) { checkRuns(false); }

// Started late in the clock's life (30 days, and before the 32-bit millisecond counter turns negative or
// back to 0), the eruptions keep their 20-second rhythm across the mark and the clock never steps back.
TEST(Shell, LongRunsKeepTheEruptionRhythmAcrossTheCounterWraps) {
    for (double mark : {30 * 86400.0, 2147483.648, 4294967.296}) {
        ScratchDir dir(true);
        ASSERT_EQ(runVulkora("--window 160x120 --no-sound --fixed-step 0.08 --frames 388 --trace t.txt --clock-start " +
                             std::to_string(mark - 20.0)).exitCode, 0);
        std::ifstream in("t.txt");
        double previous = 0, seconds = 0;
        for (std::string line; std::getline(in, line) && std::sscanf(line.c_str(), "%*s %lf", &seconds) == 1;) {
            EXPECT_GE(seconds, previous) << mark;
            previous = seconds;
        }
        EXPECT_NEAR(previous, mark + 11.04, 0.01) << "the clock reaches past the mark, every line read";
        std::vector<TraceLine> eruptions = readTrace("t.txt", "erupt");
        ASSERT_EQ(eruptions.size(), 2u) << mark;  // when the intro ends, and 20 s later
        EXPECT_EQ(eruptions[1].frame - eruptions[0].frame, 251) << mark;  // the first frame more than 20 s on
    }
}

// From the heal at 30 s through the next eruption to the heal at 50 s no frame allocates in our code or the libraries
// we call (the GL driver counted apart) or waits for a shader compile; the benchmark names its slowest frames.
TEST(Shell, SteadyFramesAllocateNothingAndTheBenchmarkNamesItsSlowestFrames) {
    ScratchDir dir(true);
    std::string preload = "ALSOFT_DRIVERS=null VULKORA_ALLOC_FRAMES=600-1099 VULKORA_ALLOC_REPORT=alloc.txt";
#ifndef __SANITIZE_ADDRESS__  // the sanitizer's allocator must come first: nothing is preloaded before it
    preload += " LD_PRELOAD=" VULKORA_ALLOC_COUNTER;
#endif
    RunResult r = runVulkora("--window 160x120 --fixed-step 0.05 --frames 1100 --trace t.txt --bench-from 1050 "
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
    float median = 0, p99 = 0, max = 0, firstFrame = 0, ms = 0;
    ASSERT_EQ(std::sscanf(r.output.substr(r.output.find("benchmark: frames")).c_str(),
                          "benchmark: frames %d fps %*f median_ms %f p99_ms %f max_ms %f first_frame_ms %f", &measured,
                          &median, &p99, &max, &firstFrame), 5) << r.output;
    std::vector<float> sorted;  // the median of 50 is the 26th, the 99th percentile the slowest (49.5 rounds up)
    for (const auto& t : times) sorted.push_back(t.second);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_TRUE(measured == 50 && std::abs(median - sorted[25]) < 0.006f && std::abs(p99 - sorted[49]) < 0.006f &&
                firstFrame > 0 && std::abs(max - sorted[49]) < 0.006f) << r.output;
    // Five "frame:ms" pairs, slowest first, each a measured frame with its own time.
    std::istringstream slow(r.output.substr(r.output.find("slowest frames") + 14));
    long frame = 0;
    char colon = 0;
    for (float previous = max; slow >> frame >> colon >> ms; ++pairs, previous = ms)
        EXPECT_TRUE(times.count(frame) && std::abs(ms - times[frame]) < 0.01f && ms <= previous + 0.001f) << frame;
    EXPECT_EQ(pairs, 5) << r.output;
}
