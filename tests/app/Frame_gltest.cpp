// The frame spine in a real GL context: reshape rules.
#include "app/Frame.h"
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

TEST(FrameGl, ReshapeKeepsTheWindowedSizeOnlyWhenWindowedAndNeverAZeroHeight) {
    resetProgramState();
    prefs.fullScreen = 1;
    prefs.windowWidth = prefs.windowHeight = 450;
    reshapeHandler(1280, 1024);
    EXPECT_EQ(prefs.windowWidth, 450);
    EXPECT_EQ(screen.width, 1280);
    prefs.fullScreen = 0;
    reshapeHandler(320, 240);
    EXPECT_EQ(prefs.windowWidth, 320);
    reshapeHandler(320, 0);  // minimised
    EXPECT_GT(screen.height, 0);
    EXPECT_EQ(prefs.windowHeight, 240) << "a minimised window is no size to restore";
}
