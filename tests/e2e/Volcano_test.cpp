// End-to-end eruption cycle of the real program, followed through its trace and screenshots.
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <sstream>

namespace {

struct TraceEvent {
    long frame;
    std::string kind, text;
};

std::vector<TraceEvent> volcanoEvents(const std::string& file) {
    std::vector<TraceEvent> events;
    std::stringstream in(readFile(file));
    for (std::string line; std::getline(in, line);) {
        std::stringstream fields(line);
        TraceEvent e;
        double seconds;
        fields >> e.frame >> seconds >> e.kind;
        std::getline(fields, e.text);
        if (e.kind == "erupt" || e.kind == "heal" || e.kind == "vary") events.push_back(e);
    }
    return events;
}

}  // namespace

TEST(VolcanoRun, EruptsJustAfterTwentySecondsThenVariesAndHealsTenSecondsLater) {
    ScratchDir dir(true);
    RunResult r = runVulkora("--window 320x240 --no-sound --fixed-step 0.02 --frames 1560 "
                             "--shot 1010:erupt.png --shot 1550:quiet.png --trace t.txt");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::vector<TraceEvent> events = volcanoEvents("t.txt");
    ASSERT_EQ(events.size(), 3u);
    // Frame 1001 is the first with more than 20 s of real time at 0.02 s a frame.
    EXPECT_EQ(events[0].frame, 1001);
    EXPECT_EQ(events[0].kind, "erupt");
    int cx = 0, cy = 0;
    ASSERT_EQ(std::sscanf(events[0].text.c_str(), " crater %d %d", &cx, &cy), 2);
    EXPECT_TRUE(cx >= 60 && cx <= 63 && cy >= 60 && cy <= 63) << events[0].text;
    // The first quiet frame varies the scene, then heals the cone.
    EXPECT_EQ(events[1].frame, 1502);
    EXPECT_EQ(events[1].kind + events[2].kind, "varyheal");
    EXPECT_EQ(events[2].frame, 1502);

    int w = 0, h = 0;
    std::vector<unsigned char> erupting, quiet;
    ASSERT_TRUE(readPng("erupt.png", w, h, erupting));
    ASSERT_TRUE(readPng("quiet.png", w, h, quiet));
    EXPECT_NE(erupting, quiet);
}
