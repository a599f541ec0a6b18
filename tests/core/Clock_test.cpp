// The frame clock: step cap, offset absorption, jump back, late starts and the counter's wraps.
#include "core/Clock.h"
#include <gtest/gtest.h>

// Readings of the counter in turn, with the step and program time each must give.
TEST(Clock, StallsAdvanceByOneCappedStepAndTheLostTimeStaysAbsorbed) {
    const struct { int millis; float dt; double time; } steps[] = {
        {40, 0.04f, 0.04}, {3000, 0.05f, 0.09}, {3020, 0.02f, 0.11}, {3030, 0.01f, 0.12},
    };
    Clock c;
    for (const auto& s : steps) {
        c.advance(s.millis);
        EXPECT_NEAR(c.dt, s.dt, 1e-5) << s.millis;
        EXPECT_NEAR(c.time, s.time, 1e-6) << s.millis;
        EXPECT_NEAR(c.realSeconds, s.millis * 0.001, 1e-9) << s.millis;
    }
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
