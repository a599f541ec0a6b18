// The frame clock: step cap, offset absorption, jump back.
#include "core/Clock.h"
#include <gtest/gtest.h>

TEST(Clock, FirstFrameStepIsTheTimeSinceStartCapped) {
    Clock c;
    c.advance(40);
    EXPECT_NEAR(c.dt, 0.04f, 1e-6);
    Clock late;
    late.advance(3000);
    EXPECT_NEAR(late.dt, 0.05f, 1e-6);
    EXPECT_NEAR(late.time, 0.05, 1e-9);
    EXPECT_NEAR(late.realSeconds, 3.0, 1e-9);
}

TEST(Clock, ATwoSecondStallAdvancesProgramTimeByOnlyAFrame) {
    Clock c;
    c.advance(1000);
    double before = c.time;
    c.advance(3000);
    EXPECT_NEAR(c.dt, 0.05f, 1e-6);
    EXPECT_NEAR(c.time - before, 0.05, 1e-9);
    // The lost time stays absorbed: the next normal frame steps normally.
    c.advance(3020);
    EXPECT_NEAR(c.dt, 0.02f, 1e-5);
}

TEST(Clock, LoweringTheOffsetGivesOneNegativeStep) {
    Clock c;
    c.advance(10000);
    c.advance(10020);
    c.offset -= 5.0;
    c.advance(10040);
    EXPECT_NEAR(c.dt, -4.98f, 1e-4);
    c.advance(10060);
    EXPECT_NEAR(c.dt, 0.02f, 1e-5);
}

// A late start (30 days) and the 32-bit counter going negative (24.8 days) or back to 0 (49.7 days).
TEST(Clock, RunsOnSmoothlyFromALateStartAndAcrossTheCounterWraps) {
    const uint32_t starts[] = {2592000000u, 0x7fffffffu - 30, 0xffffffffu - 30};
    for (uint32_t start : starts) {
        Clock c;
        c.startAt(static_cast<int>(start));
        EXPECT_DOUBLE_EQ(c.time, start * 0.001);
        for (int k = 1; k <= 4; ++k) {
            double before = c.time;
            c.advance(static_cast<int>(start + 20u * k));
            EXPECT_NEAR(c.dt, 0.02f, 1e-5) << start;
            EXPECT_NEAR(c.time - before, 0.02, 1e-6) << start;
            EXPECT_NEAR(c.realSeconds, start * 0.001 + 0.02 * k, 1e-6) << start;
        }
    }
}
