// The frames-per-second counter counts against program time, catches up one second per frame, restarts when time steps back.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

TEST(FpsCounter, CatchesUpOneSecondPerFrameThenCountsFramesPerSecond) {
    resetProgramState();
    FpsCounter counter;
    frameClock.advance(0);
    frameClock.time = 3.5;  // started late: nextSecond is still 0
    counter.count();
    EXPECT_EQ(counter.fps, 1);
    EXPECT_DOUBLE_EQ(counter.nextSecond, 1.0);
    counter.count();
    counter.count();
    counter.count();
    EXPECT_DOUBLE_EQ(counter.nextSecond, 4.0);
    EXPECT_EQ(counter.fps, 1);  // each catch-up frame saw only itself
    // 3.5 s to 5.0 s at 50 frames per second: the figure at 4 s covers half a second, at 5 s a whole one.
    for (int i = 0; i < 75; ++i) {
        frameClock.time = 3.5 + 0.02 * (i + 1) + 1e-9;
        counter.count();
        if (i == 24) {
            EXPECT_EQ(counter.fps, 25);
        }
    }
    EXPECT_EQ(counter.fps, 50);
    // The intro's end takes 5 s off the clock: the count starts afresh instead of spanning them.
    for (int i = 0; i < 30; ++i) {
        frameClock.time = 0.04 * (i + 1) + 1e-9;
        counter.count();
    }
    EXPECT_EQ(counter.fps, 25);
}
