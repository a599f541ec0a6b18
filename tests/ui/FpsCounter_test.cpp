// The frames-per-second counter against program time: catching up, counting, and restarting when time steps back.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

TEST(FpsCounter, CatchesUpOneSecondPerFrameThenCountsFramesPerSecond) {
    resetProgramState();
    FpsCounter counter;
    std::string seen;
    // Frames from `start` every `step` seconds (exact in binary); the figure after each whole second.
    auto run = [&](int frames, double start, double step) {
        for (int i = 0; i < frames; ++i) {
            frameClock.time = start + step * i;
            counter.count();
            if (frameClock.time == static_cast<int>(frameClock.time)) seen += std::to_string(counter.fps) + " ";
        }
    };
    // Started late at 3 s, each frame catches up a second seeing only itself; then 8 frames a second from the
    // same 3 s, a whole second ending on the dot; then the intro's end takes 5 s off the clock: a fresh count.
    run(4, 3.0, 0);
    run(17, 3.0, 0.125);
    run(9, 0.0, 0.25);
    EXPECT_EQ(seen, "1 1 1 1 1 9 8 8 4 4 ");
}
