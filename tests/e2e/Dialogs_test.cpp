// The popup menu in the real program: opened by the right button or backquote, clicked and keyed through.
#include "core/Prefs.h"
#include "support/TestSupport.h"
#include <cstring>
#include <gtest/gtest.h>
#include <sstream>

namespace {

const char* kRun = "--window 640x480 --no-sound --fixed-step 0.02 --input-script s.txt --trace t.txt ";

// "<frame> <text>" of every trace line of the kind.
std::vector<std::string> traced(const std::string& kind) {
    std::vector<std::string> lines;
    std::stringstream in(readFile("t.txt"));
    for (std::string line; std::getline(in, line);) {
        std::stringstream fields(line);
        std::string frame, seconds, k, text;
        fields >> frame >> seconds >> k;
        std::getline(fields, text);
        if (k == kind) lines.push_back(frame + text);
    }
    return lines;
}

// Pixels of a screenshot rectangle (overlay coordinates, y up) that are lit grey, as the widget cells are.
int greyPixels(const std::string& png, int x0, int y0, int x1, int y1) {
    int w = 0, h = 0, count = 0;
    std::vector<unsigned char> rgb;
    if (!readPng(png, w, h, rgb)) return -1;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const unsigned char* p = &rgb[3 * ((h - 1 - y) * w + x)];
            count += p[0] > 60 && std::abs(p[0] - p[1]) < 20 && std::abs(p[1] - p[2]) < 20;
        }
    return count;
}

}  // namespace

TEST(DialogsRun, RightButtonOpensTheMenuAndClicksReachTheColourSlider) {
    ScratchDir dir(true);
    // 640 x 480: pages start at y 336. Window rows count from the top: row = 479 - y.
    writeFile("s.txt",
              "510 mouse right down 300 300\n511 mouse right up 300 300\n"
              "535 mouse left down 45 189\n536 mouse left up 45 189\n"     // Options...
              "545 mouse left down 45 229\n546 mouse left up 45 229\n"     // Color...
              "555 mouse left down 65 181\n"                              // Red at a quarter
              "557 motion 135 181\n558 motion 135 400\n"                  // held: three quarters, then below
              "559 motion 300 400\n560 mouse left up 300 400\n"           // off its side: no change
              "565 mouse left down 255 129\n566 mouse left up 255 129\n"  // close box: back to Options
              "575 mouse right down 300 300\n576 mouse right up 300 300\n"
              "597 key !\n");
    // The slide takes a third of a second (17 frames); the shots wait for it.
    RunResult r = runVulkora(std::string(kRun) + "--frames 600 --shot 530:main.png --shot 562:color.png "
                                                 "--shot 570:options.png --shot 595:closed.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    // A held slider reports every frame, even when the pointer rests.
    const std::vector<std::string> expected = {"555 Red: 0.25", "556 Red: 0.25", "557 Red: 0.75", "558 Red: 0.75",
                                               "597 Saved Prefs"};
    EXPECT_EQ(traced("message"), expected);
    Prefs saved;
    std::string bytes = readFile("Vulkora.pref");
    ASSERT_EQ(bytes.size(), sizeof saved);
    std::memcpy(&saved, bytes.data(), sizeof saved);
    EXPECT_FLOAT_EQ(saved.color[0], 0.75f);
    EXPECT_EQ(saved.cameraMode, 3) << "the camera mode came back when the popup closed";

    EXPECT_GT(greyPixels("main.png", 30, 276, 60, 306), 300) << "the Options... button";
    EXPECT_GT(greyPixels("color.png", 128, 288, 142, 308), 150) << "the Red knob at three quarters";
    EXPECT_GT(greyPixels("options.png", 30, 236, 60, 266), 300) << "back on the Options page: Color...";
    EXPECT_LT(greyPixels("closed.png", 30, 236, 60, 266), 100) << "slid away";
}

TEST(DialogsRun, BackquoteTabAndEnterReachQuitWhichEndsTheProgram) {
    ScratchDir dir(true);
    writeFile("s.txt", "400 key backquote\n"  // ignored during the intro
                       "510 key backquote\n511 key tab\n512 key tab\n513 key tab\n514 key tab\n"
                       "515 key tab\n516 key tab\n520 key enter\n");
    RunResult r = runVulkora(std::string(kRun) + "--frames 1000");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::vector<std::string> logLines = traced("log");
    ASSERT_FALSE(logLines.empty());
    // Quit at frame 520 (10.4 s) fades for two seconds: 100 frames.
    EXPECT_EQ(logLines.back(), "620 Fin");
    EXPECT_TRUE(traced("message").empty());
}
