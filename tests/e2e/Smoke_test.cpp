// End-to-end runs of the real program under the virtual X server.
#include "support/TestSupport.h"
#include <gtest/gtest.h>

TEST(EndToEnd, ShortDeterministicRunWritesAScreenshotAndExitsCleanly) {
    ScratchDir dir(true);
    RunResult r = runVulkora("--window 320x240 --no-sound --fixed-step 0.02 --frames 20 --screenshot out.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;
    ASSERT_TRUE(readPng("out.png", w, h, rgb));
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
}
