// Core services: the frame clock's cap, jump back and counter wraps; the random sequence; the vector length clamp;
// the application log on the console and in its file.
#include "core/AppLog.h"
#include "core/Clock.h"
#include "core/MathUtil.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST(Random, KnownSeedGivesTheKnownValuesAndUniformFloatsFillTheirRange) {
    rndSeed(1);
    for (int value : {41, 18467, 6334}) EXPECT_EQ(rndInt(), value);
    rndSeed(12345);
    float low = 1, high = 0;
    for (int i = 0; i < 10000; ++i) low = std::min(low, rnd(2.5f) / 2.5f), high = std::max(high, rnd(2.5f) / 2.5f);
    EXPECT_TRUE(low >= 0 && low < 0.01f && high < 1 && high > 0.99f) << low << " " << high;
}

TEST(MathUtil, LongVectorsAreScaledDownToTheLimitAndShortOrEmptyOnesKept) {
    const struct { Vec3 v; float limit; Vec3 expected; } cases[] = {
        {{3, 4, 0}, 5, {3, 4, 0}}, {{3, 4, 0}, 2.5f, {1.5f, 2, 0}}, {{0, -6, 8}, 5, {0, -3, 4}}, {{3, 4, 0}, 0, {0, 0, 0}},
        {{0, 0, 0}, 0, {0, 0, 0}}, {{0, 0, 0}, -1, {0, 0, 0}}};
    for (const auto& c : cases) {
        Vec3 v = c.v;
        clampLength(v, c.limit);
        for (int k = 0; k < 3; ++k) EXPECT_FLOAT_EQ(v[k], c.expected[k]) << &c - cases << " axis " << k;
    }
    EXPECT_FLOAT_EQ(cosInterp(2, 6, 0.5f) + cosInterp(2, 6, 1) + lerp(2, 6, 0.25f), 4 + 6 + 3);
}

TEST(AppLog, FirstLineRestartsTheFileLaterLinesAppendAndAnUnwritableFileLeavesTheConsole) {
    ScratchDir dir;
    writeFile("app.log", "old run\n");
    AppLog::restart();
    testing::internal::CaptureStdout();
    EXPECT_EQ(AppLog::write("Init Once...") + AppLog::write("Ready...\n") + AppLog::write("\nShutting down..."), 0);
    EXPECT_EQ(readFile("app.log"), "Init Once...\nReady...\n\n\nShutting down...\n");
    // Moved to a directory of its own, which is made for it; the run goes on appending there.
    AppLog::setDirectory("state/vulkora");
    EXPECT_EQ(AppLog::write("Fin\n"), 0);
    AppLog::setDirectory("");
    EXPECT_EQ(readFile("state/vulkora/app.log"), "Fin\n\n");
    ASSERT_EQ(mkdir("stuck", 0700) + mkdir("stuck/app.log", 0700), 0);  // even root cannot open a directory for writing
    AppLog::setDirectory("stuck");
    EXPECT_EQ(AppLog::write("Init Vars..."), 1);
    AppLog::setDirectory("");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Init Once...\nReady...\n\n\nShutting down...\nFin\n\nInit Vars...\n");
}
