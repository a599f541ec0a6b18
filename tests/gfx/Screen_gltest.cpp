// Screen passes in GL: the two-frame black wipe, the clear, the fade rectangle and the letterbox bars read back; the
// perspective, trails, lightmap overlay and splinter show in the golden run's frames.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace {

constexpr int kW = 320, kH = 240;

class ScreenGl : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        screen.width = kW, screen.height = kH, prefs.textures = 1;
        letterbox(0);
    }
    static void letterbox(int level) {
        screen.setLetterbox(level);
        screen.applyViewport();
        screen.setOrtho2D();
    }
    static void fill(float grey) {
        glClearColor(grey, grey, grey, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
};

}  // namespace

TEST_F(ScreenGl, BlackWipeClearsExactlyTwoFramesThenRestoresTheScreenColourAndTheFadeFillsInLineMode) {
    screen.setColor(0, 1, 0, 1);
    screen.clearPasses = 1.0f;
    for (int frame = 0; frame < 4; ++frame) {
        fill(1);
        screen.blackWipe();
        EXPECT_EQ(readPixel(10, 10).r == 0, frame < 2) << "frame " << frame;
    }
    EXPECT_EQ(screen.clearPasses, 0.0f);
    screen.clearPasses = 2.0f;
    screen.blackWipe();
    float clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0] * 10 + clear[1], 1.0f) << "the screen colour again";
    screen.setColor(1, 0, 0, 1);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_DEPTH_BUFFER_BIT);
    screen.drawFade(1.0f);
    float depth = 0;
    glReadPixels(160, 120, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    glDisable(GL_DEPTH_TEST);
    EXPECT_EQ(depth, 1.0f) << "the fade writes no depth";
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    EXPECT_EQ(readPixel(160, 120).r, 255);
    EXPECT_EQ(modes[0], GL_LINE);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

// The clear paints the picture area unless wiping or switched off; the bars are black at five percent of the height
// per level, truncated. Red at the rows below, at and above the picture's edges after a white fill.
TEST_F(ScreenGl, ClearFramePaintsThePictureAreaAndTheBarsAreBlackAtTheComputedRows) {
    const struct { int height, clearScreen; float clearPasses; int level; bool bars; int rows[4], red[4]; } cases[] = {
        {240, 1, 0, 0, false, {71, 72, 167, 168}, {0, 0, 0, 0}},
        {240, 1, 2, 0, false, {71, 72, 167, 168}, {255, 255, 255, 255}},
        {240, 0, 0, 0, false, {71, 72, 167, 168}, {255, 255, 255, 255}},
        {240, 1, 0, 6, false, {71, 72, 167, 168}, {255, 0, 0, 255}},
        {240, 1, 0, 2, true, {23, 24, 215, 216}, {0, 255, 255, 0}},      {99, 1, 0, 1, true, {3, 4, 93, 94}, {0, 255, 255, 0}}};
    for (const auto& c : cases) {
        prefs.clearScreen = c.clearScreen;
        screen.clearPasses = c.clearPasses;
        screen.height = c.height;
        letterbox(c.bars ? 0 : c.level);
        screen.setLetterbox(c.level);
        fill(1);
        c.bars ? screen.drawLetterbox() : screen.clearFrame();
        for (int k = 0; k < 4; ++k) EXPECT_EQ(readPixel(319, c.rows[k]).r, c.red[k]) << &c - cases << " row " << c.rows[k];
        EXPECT_TRUE(c.level == 0 || screen.viewportHeight == c.rows[3] - c.rows[1]) << &c - cases;
    }
}
