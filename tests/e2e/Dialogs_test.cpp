// The popup menu in the real program: opened by the right button, clicked through to a slider and saved.
#include "core/Prefs.h"
#include "support/TestSupport.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {

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
    RunResult r = runVulkora("--window 640x480 --no-sound --fixed-step 0.02 --input-script s.txt --trace t.txt "
                             "--frames 600 --shot 562:color.png --shot 595:closed.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    // A held slider reports every frame, even when the pointer rests.
    std::vector<std::string> messages;
    for (const TraceLine& t : readTrace("t.txt", "message")) messages.push_back(std::to_string(t.frame) + " " + t.text);
    const std::vector<std::string> expected = {"555 Red: 0.25", "556 Red: 0.25", "557 Red: 0.75", "558 Red: 0.75",
                                               "597 Saved Prefs"};
    EXPECT_EQ(messages, expected);
    Prefs saved;
    std::string bytes = readFile("Vulkora.pref");
    ASSERT_EQ(bytes.size(), sizeof saved);
    std::memcpy(&saved, bytes.data(), sizeof saved);
    EXPECT_FLOAT_EQ(saved.color[0], 0.75f);
    EXPECT_EQ(saved.cameraMode, 3) << "the camera mode came back when the popup closed";

    EXPECT_GT(greyPixels("color.png", 128, 288, 142, 308), 150) << "the Red knob at three quarters";
    EXPECT_LT(greyPixels("closed.png", 30, 236, 60, 266), 100) << "slid away";
}
