// End-to-end runs of the real program: start-up and shutdown order, exit paths, options and preferences.
#include "app/PrefsFile.h"
#include "core/Prefs.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <fstream>

namespace {

const char* kRun = "--window 320x240 --no-sound --fixed-step 0.02 ";

// Frame of the last log line written to the trace.
long lastLogFrame() {
    auto lines = readTrace("t.txt", "log");
    return lines.empty() ? -1 : lines.back().frame;
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

TEST(Shell, EscapeFadesForTwoSecondsThenShutsDown) {
    ScratchDir dir(true);
    writeFile("script.txt", "# leave after a short look\n5 key esc\n");
    RunResult r = runVulkora(std::string(kRun) + "--frames 1000 --input-script script.txt --trace t.txt");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    // ESC arrives before frame 5 is drawn, when the clock still shows frame 4 (0.08 s);
    // two seconds of fade at 0.02 s per frame end at frame 104.
    EXPECT_EQ(lastLogFrame(), 104);
    EXPECT_NE(readFile("app.log").find("Destroying window...\nFin\n"), std::string::npos);
}

TEST(Shell, EscapeTwiceEndsAtOnce) {
    ScratchDir dir(true);
    writeFile("script.txt", "5 key esc\n6 key esc\n");
    RunResult r = runVulkora(std::string(kRun) + "--frames 1000 --input-script script.txt --trace t.txt");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(lastLogFrame(), 6);
}

TEST(Shell, WithoutPreferencesTheProgramStartsFullScreenUnlessAWindowIsAsked) {
    ScratchDir dir(true);
    RunResult r = runVulkora("--no-sound --fixed-step 0.02 --frames 3 --screenshot full.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;
    ASSERT_TRUE(readPng("full.png", w, h, rgb));
    EXPECT_EQ(w, 1280);  // the virtual screen of the test run
    EXPECT_EQ(h, 1024);
    EXPECT_NE(readFile("app.log").find("No Prefs found."), std::string::npos);
}

TEST(Shell, AHostilePreferencesFileStillRunsFrames) {
    ScratchDir dir(true);
    Prefs hostile;
    auto* words = reinterpret_cast<int32_t*>(&hostile);
    for (int i = 1; i < 87; ++i) words[i] = (i % 2) ? 0x7fffffff : -0x7fffffff;  // huge ints, NaN-like floats
    words[37] = 0x7fc00000;  // fov: a quiet NaN
    writeFile("Vulkora.pref", std::string(reinterpret_cast<const char*>(&hostile), sizeof hostile));
    RunResult r = runVulkora(std::string(kRun) + "--frames 30 --screenshot out.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(readFile("app.log").find("Loaded Prefs."), std::string::npos);
}

TEST(Shell, BadOptionsAndScriptsAreRefusedBeforeTheWindowOpens) {
    ScratchDir dir(true);
    RunResult unknown = runVulkora("--frobnicate");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.output.find("--frobnicate"), std::string::npos);
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
