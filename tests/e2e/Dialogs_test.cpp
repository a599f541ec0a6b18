// The popup menu and the help in the real program: clicks, keys, fitting into the window, the sound switch.
#include "support/TestSupport.h"
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Pixels of a screenshot's rectangle (overlay coordinates, y up) for which the test on (r, g, b) holds.
template <class Test>
int count(const std::string& png, int x0, int y0, int x1, int y1, Test test) {
    int w = 0, h = 0, n = 0;
    std::vector<unsigned char> rgb;
    if (!readPng(png, w, h, rgb)) return -1;
    for (int y = y0; y < std::min(y1, h); ++y)
        for (int x = x0; x < std::min(x1, w); ++x) {
            const unsigned char* p = &rgb[3 * ((h - 1 - y) * w + x)];
            n += test(p[0], p[1], p[2]);
        }
    return n;
}

// Lit grey, as the widget cells are; green, as a toggle that is on; black, as the strip under small text.
bool grey(int r, int g, int b) { return r > 60 && abs(r - g) < 20 && abs(g - b) < 20; }
bool green(int r, int g, int b) { return g > r + 40 && g > b + 40; }
bool black(int r, int g, int b) { return r + g + b < 30; }

// Window rows count from the top: row = 479 - y. With sound on the null output, so that "Sound..." is there.
const char* const kScript =
    "505 modifiers alt\n505 key L\n505 modifiers none\n"                       // next lightmap: its layers shown
    "510 mouse right down 300 300\n511 mouse right up 300 300\n"               // main menu
    "535 mouse left down 45 189\n536 mouse left up 45 189\n"                   // Options...
    "545 mouse left down 45 229\n546 mouse left up 45 229\n"                   // Color...
    "555 mouse left down 65 181\n"                                             // Red at a quarter
    "557 motion 135 181\n558 motion 135 400\n"                                 // held: three quarters, then below
    "559 motion 300 400\n560 mouse left up 300 400\n"                          // off its side: no change
    "565 mouse left down 255 129\n566 mouse left up 255 129\n"                 // back to Options
    "575 mouse left down 45 348\n576 mouse left up 45 348\n"                   // FullScreen Lightmaps...
    "600 mouse left down 78 462\n601 mouse left up 78 462\n"                   // its last toggle, drawn smaller
    "610 key esc\n"                                                            // one page back, not quitting
    "620 mouse left down 45 308\n621 mouse left up 45 308\n"                   // Sound...
    "630 mouse left down 85 178\n631 mouse left up 85 178\n640 special insert\n"  // Sounds off; a sound asked
    "650 key x\n650 key enter\n652 key x\n"     // on again with Enter, once, in a frame the splinter captures
    "660 key ?\n670 key ?\n700 key backquote\n720 key r\n"                     // help on and off; popup, reset
    "750 key backquote\n760 mouse left down 45 128\n762 motion 900 700\n"     // popup again, dragged far off
    "764 mouse left up 900 700\n766 special pageup\n"                         // nudges the title, not the ground
    "790 resize 400 300\n";                                                   // a smaller window

}  // namespace

TEST(DialogsRun, MenusReachEveryWidgetKeepTheirTitleInViewAndCloseWithTheHelpOrAReset) {
    ScratchDir dir(true);
    writeFile("s.txt", kScript);
    setenv("ALSOFT_DRIVERS", "null", 1);
    RunResult r = runVulkora("--window 640x480 --fixed-step 0.02 --input-script s.txt --trace t.txt --frames 820 "
                             "--shot 562:color.png --shot 655:sounds.png --shot 668:help.png --shot 690:afterhelp.png "
                             "--shot 745:reset.png --shot 775:dragged.png --screenshot small.png");
    unsetenv("ALSOFT_DRIVERS");
    ASSERT_EQ(r.exitCode, 0) << r.output;

    // A held slider reports every frame; Page Up on the focused title changes no setting; Sounds off stops what
    // plays and refuses new sounds.
    std::string messages, sounds;
    for (const TraceLine& t : readTrace("t.txt", "message")) messages += std::to_string(t.frame) + " " + t.text + "|";
    for (const TraceLine& t : readTrace("t.txt", "sound"))
        if (t.frame >= 600 && t.frame < 700) sounds += std::to_string(t.frame) + " " + t.text.substr(0, 20) + "|";
    EXPECT_EQ(messages, "505 1/64: X |555 Red: 0.25|556 Red: 0.25|557 Red: 0.75|558 Red: 0.75|"
                        "600 9/64: X  Vignette |720 Reset w/o Prefs|");
    EXPECT_EQ(sounds, "630 stop all|640 play hit.wav off|650 play cricket2.wav 3d|");
    EXPECT_GT(count("color.png", 128, 288, 142, 308, grey), 150) << "the Red knob at three quarters";

    // The help and the reset close the popup (the green "Sounds" toggle is where it stood).
    EXPECT_GT(count("sounds.png", 70, 286, 100, 316, green), 100);
    EXPECT_EQ(count("afterhelp.png", 70, 286, 100, 316, green), 0);
    EXPECT_EQ(count("reset.png", 70, 286, 100, 316, green), 0);
    // The dragged title row (close box, title on its black strip) stays in the corner, also of the smaller window.
    for (auto [png, right] : {std::pair<const char*, int>{"dragged.png", 640}, {"small.png", 400}}) {
        EXPECT_GT(count(png, right - 30, 2, right - 2, 30, grey), 200) << png;
        EXPECT_GT(count(png, right - 200, 5, right - 150, 25, black), 300) << png;
    }
    // The help's last line, "<?> to return", stands inside the window with the scene below it.
    EXPECT_GT(count("help.png", 48, 5, 150, 19, [](int r, int g, int b) { return r > 150 && g > 150 && b > 150; }), 60);
    EXPECT_GT(count("help.png", 48, 0, 150, 3, [](int r, int g, int b) { return !black(r, g, b); }), 200);
}
