// The frames-per-second counter against program time: catching up, counting, and restarting when time steps back.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

TEST(FpsCounter, CatchesUpOneSecondPerFrameThenCountsFramesPerSecond) {
    resetProgramState();
    FpsCounter counter;
    frameClock.advance(0);
    std::string seen;
    // Started late at 3.5 s, each frame catches up a second seeing only itself; then 50 frames a second, whose
    // figure at 4 s covers half a second; then the intro's end takes 5 s off the clock and 25 frames a second.
    auto run = [&](int frames, double start, double step, int showAt) {
        for (int i = 0; i < frames; ++i) {
            frameClock.time = start + step * (i + 1) + 1e-9;
            counter.count();
            if (i == showAt || i == frames - 1) seen += std::to_string(counter.fps) + " ";
        }
    };
    run(4, 3.5, 0, -1);
    EXPECT_DOUBLE_EQ(counter.nextSecond, 4.0);
    run(75, 3.5, 0.02, 24);
    run(30, 0, 0.04, -1);
    EXPECT_EQ(seen, "1 25 50 25 ");
}
