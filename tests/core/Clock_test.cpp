// The frame clock: step cap, offset absorption, jump back, late starts and the counter's wraps.
#include "core/Clock.h"
#include <gtest/gtest.h>

// Readings of the counter in turn, with the step and program time each must give; a step over 0.1 s counts 0.05.
TEST(Clock, StallsAdvanceByOneCappedStepTheLostTimeStaysAbsorbedAndALowerOffsetStepsBack) {
    const struct { int millis; float dt; double time; } steps[] = {
        {40, 0.04f, 0.04}, {3000, 0.05f, 0.09}, {3020, 0.02f, 0.11}, {3119, 0.099f, 0.209}, {3220, 0.05f, 0.259}};
    Clock c;
    for (const auto& s : steps) {
        c.advance(s.millis);
        EXPECT_NEAR(c.dt, s.dt, 1e-5) << s.millis;
        EXPECT_NEAR(c.time, s.time, 1e-6) << s.millis;
        EXPECT_NEAR(c.realSeconds, s.millis * 0.001, 1e-9) << s.millis;
    }
    c.offset -= 5.0;
    c.advance(3240);
    EXPECT_NEAR(c.dt, -4.98f, 1e-4);
    c.advance(3260);
    EXPECT_NEAR(c.dt, 0.02f, 1e-5);
}

// A late start (30 days) and the 32-bit counter going negative (24.8 days) or back to 0 (49.7 days).
TEST(Clock, RunsOnSmoothlyFromALateStartAndAcrossTheCounterWraps) {
    for (uint32_t start : {2592000000u, 0x7fffffffu - 30, 0xffffffffu - 30}) {
        Clock c;
        c.startAt(static_cast<int>(start));
        EXPECT_DOUBLE_EQ(c.time, start * 0.001);
        for (int k = 1; k <= 4; ++k) {
            const double before = c.time;
            c.advance(static_cast<int>(start + 20u * k));
            EXPECT_NEAR(c.dt, 0.02f, 1e-5) << start;
            EXPECT_NEAR(c.time - before, 0.02, 1e-6) << start;
            EXPECT_NEAR(c.realSeconds, start * 0.001 + 0.02 * k, 1e-6) << start;
        }
    }
}
