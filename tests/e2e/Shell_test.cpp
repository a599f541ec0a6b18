// End-to-end runs of the real program: start-up and shutdown order, exit paths, options, hostile
// environments, odd windows and runs late in the clock's life.
#include "core/Prefs.h"
#include "support/TestSupport.h"
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* kRun = "--window 320x240 --no-sound --fixed-step 0.02 ";

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

// Without preferences the program starts full screen (the virtual screen of the test run) and logs each step.
TEST(Shell, NormalRunStartsFullScreenAndLogsEveryStepInOrder) {
    ScratchDir dir(true);
    writeFile("app.log", "a previous run\n");
    RunResult r = runVulkora("--no-sound --fixed-step 0.02 --frames 3 --screenshot full.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(readFile("app.log"),
              "No Prefs found.\nInit Pref...\nInit Once...\nDialog Init...\nVolcano Init...\nInit Vars...\n"
              "Ready...\n\n\nShutting down...\nDestroying window...\nFin\n\n");
    EXPECT_TRUE(has(r.output, "Ready...\n\n"));
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;
    ASSERT_TRUE(readPng("full.png", w, h, rgb));
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 1024);
}

TEST(Shell, EscapeFadesForTwoSecondsOrEndsAtOnceWhenPressedTwice) {
    // ESC arrives before frame 5 is drawn, when the clock shows frame 4 (0.08 s): two seconds end at frame 104.
    const struct { const char* script; long lastFrame; } rows[] = {{"5 key esc\n", 104}, {"5 key esc\n6 key esc\n", 6}};
    for (const auto& row : rows) {
        ScratchDir dir(true);
        writeFile("script.txt", row.script);
        RunResult r = runVulkora(std::string(kRun) + "--frames 1000 --input-script script.txt --trace t.txt");
        ASSERT_EQ(r.exitCode, 0) << r.output;
        EXPECT_EQ(readTrace("t.txt", "log").back().frame, row.lastFrame) << row.script;
        EXPECT_TRUE(has(readFile("app.log"), "Destroying window...\nFin\n"));
    }
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
    EXPECT_TRUE(has(unknown.output, "--frobnicate"));
    for (const char* bad : {"--window 0x100", "--fixed-step soon", "--clock-start -1", "--clock-start 4294967.3"})
        EXPECT_EQ(runVulkora(bad).exitCode, 2) << bad;
    writeFile("bad.txt", "1 key esc\n\n3 mouse sideways down 1 1\n");
    RunResult script = runVulkora("--input-script bad.txt");
    EXPECT_EQ(script.exitCode, 2);
    EXPECT_TRUE(has(script.output, "bad.txt:3")) << script.output;
    EXPECT_FALSE(std::ifstream("app.log").good()) << "nothing may start before the options are accepted";
    EXPECT_EQ(runVulkora("--help").exitCode, 0);
    EXPECT_TRUE(has(runVulkora("--version").output, "Vulkora"));
}

TEST(Shell, WithoutADisplayItSaysSoAndExitsOne) {
    ScratchDir dir;
    RunResult r = runVulkora("--frames 1", "DISPLAY=");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(has(r.output, "no X display"));
    EXPECT_TRUE(has(r.output, "xvfb-run"));
}
