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

TEST(Clock, StaysSmoothAfterDaysOfRunning) {
    Clock c;
    const int threeDays = 3 * 24 * 3600 * 1000;
    c.advance(threeDays);
    c.advance(threeDays + 16);
    EXPECT_NEAR(c.dt, 0.016f, 1e-5);
}
