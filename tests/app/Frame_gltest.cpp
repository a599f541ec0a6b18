// The frame spine in a real GL context: reshape rules and the start-up blink.
#include "app/Frame.h"
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <cmath>
#include <gtest/gtest.h>

TEST(FrameGl, ReshapeKeepsTheWindowedSizeOnlyWhenWindowed) {
    resetProgramState();
    prefs.fullScreen = 1;
    prefs.windowWidth = prefs.windowHeight = 450;
    reshapeHandler(1280, 1024);
    EXPECT_EQ(prefs.windowWidth, 450);
    EXPECT_EQ(screen.width, 1280);
    prefs.fullScreen = 0;
    reshapeHandler(320, 240);
    EXPECT_EQ(prefs.windowWidth, 320);
    EXPECT_EQ(prefs.windowHeight, 240);
}

TEST(FrameGl, AMinimisedWindowGivesAFiniteAspect) {
    resetProgramState();
    prefs.fullScreen = 0;
    prefs.windowWidth = 320;
    prefs.windowHeight = 240;
    reshapeHandler(320, 0);
    float aspect = static_cast<float>(screen.width) / static_cast<float>(screen.height);
    EXPECT_TRUE(std::isfinite(aspect));
    EXPECT_EQ(prefs.windowHeight, 240) << "a minimised window is no size to restore";
}
