// End-to-end eruption cycle of the real program, followed through its trace.
#include "support/TestSupport.h"
#include <cstdio>
#include <gtest/gtest.h>

TEST(VolcanoRun, EruptsJustAfterTwentySecondsThenVariesAndHealsTenSecondsLater) {
    ScratchDir dir(true);
    RunResult r = runVulkora("--window 320x240 --no-sound --fixed-step 0.02 --frames 1560 --trace t.txt");
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
}
