// End-to-end eruption cycle of the real program, followed through its trace.
#include "support/TestSupport.h"
#include <cstdio>
#include <string>
#include <vector>
#include <gtest/gtest.h>

namespace {

struct CentreStats {
    double meanBrightness = 0;
    int glowing = 0;  // orange-to-yellow lava and flash pixels
};

// The middle quarter of a 320 x 240 picture.
CentreStats centreStats(const std::string& file) {
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;
    CentreStats s;
    if (!readPng(file, w, h, rgb)) return s;
    int count = 0;
    for (int y = h * 3 / 8; y < h * 5 / 8; ++y)
        for (int x = w * 3 / 8; x < w * 5 / 8; ++x) {
            const unsigned char* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            s.meanBrightness += (p[0] + p[1] + p[2]) / 3.0;
            s.glowing += p[0] > 220 && p[1] > 90 && p[1] < 230 && p[2] < 110;
            ++count;
        }
    s.meanBrightness /= count > 0 ? count : 1;
    return s;
}

}  // namespace

TEST(VolcanoRun, EruptsJustAfterTwentySecondsThenVariesAndHealsTenSecondsLater) {
    ScratchDir dir(true);
    RunResult r = runVulkora("--window 320x240 --no-sound --fixed-step 0.02 --frames 1560 --trace t.txt "
                             "--shot 1010:flash.png --shot 1040:erupting.png --shot 1540:quiet.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::vector<TraceLine> events;
    for (const TraceLine& t : readTrace("t.txt"))
        if (t.kind == "erupt" || t.kind == "heal" || t.kind == "vary") events.push_back(t);
    ASSERT_EQ(events.size(), 3u);
    // Frame 1001 is the first with more than 20 s of real time at 0.02 s a frame.
    EXPECT_EQ(events[0].frame, 1001);
    EXPECT_EQ(events[0].kind, "erupt");
    int cx = 0, cy = 0;
    ASSERT_EQ(std::sscanf(events[0].text.c_str(), "crater %d %d", &cx, &cy), 2);
    EXPECT_TRUE(cx >= 60 && cx <= 63 && cy >= 60 && cy <= 63) << events[0].text;
    // The first quiet frame varies the scene, then heals the cone.
    EXPECT_EQ(events[1].frame, 1502);
    EXPECT_EQ(events[2].frame, 1502);
    EXPECT_EQ(events[1].kind + events[2].kind, "varyheal");

    // The auto-centred camera looks at the summit, so the middle of the picture shows the eruption.
    CentreStats flash = centreStats("flash.png"), erupting = centreStats("erupting.png"), quiet = centreStats("quiet.png");
    EXPECT_GT(flash.meanBrightness, 150) << "the flash washes the picture";
    EXPECT_GT(flash.meanBrightness, quiet.meanBrightness + 60);
    EXPECT_GT(erupting.glowing, 10) << "the crater glows and lava flies";
    EXPECT_EQ(quiet.glowing, 0) << "nothing of the eruption is drawn in the quiet half";
}
