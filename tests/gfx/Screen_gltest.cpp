// Screen passes in GL: the two-frame black wipe, the clear, the fade rectangle, the letterbox bars and the perspective.
#include "app/Frame.h"
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <GL/gl.h>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

class ScreenGl : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        screen.width = 320;
        screen.height = 240;
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
        {240, 1, 0, 0, false, {71, 72, 167, 168}, {0, 0, 0, 0}},         {240, 1, 2, 0, false, {71, 72, 167, 168}, {255, 255, 255, 255}},
        {240, 0, 0, 0, false, {71, 72, 167, 168}, {255, 255, 255, 255}}, {240, 1, 0, 6, false, {71, 72, 167, 168}, {255, 0, 0, 255}},
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

// A negative field of view would turn the picture upside down, zero would leave it black; the picture keeps its
// own shape, and the scissor keeps wide points and lines, clipped by their centre alone, out of the bars.
TEST_F(ScreenGl, LetterboxNarrowsTheFieldOfViewNotBelowOneKeepsShapesAndScissorsTheBars) {
    prefs.cameraZ = 0.5f;
    const struct { float fov; int level; float fovy; } rows[] = {{90, 0, 90}, {90, 3, 79}, {90, 6, 46}, {39, 6, 1}};
    for (const auto& row : rows) {
        screen.setLetterbox(row.level);
        screen.setPerspective(320.0f / 240.0f, row.fov);
        float p[16], m[16];
        glGetFloatv(GL_PROJECTION_MATRIX, p);
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        EXPECT_NEAR(2.0f * std::atan(1.0f / p[5]) * 180.0f / 3.14159265f, row.fovy, 1e-3f) << "level " << row.level;
        EXPECT_NEAR(p[5] / p[0], 320.0f / screen.viewportHeight, 1e-4f) << "level " << row.level;
        EXPECT_NEAR(m[14], -0.5f, 1e-6f) << "the eye sits cameraZ in front of the origin";
        GLint box[4];
        glGetIntegerv(GL_SCISSOR_BOX, box);
        EXPECT_EQ(std::vector<int>(box, box + 4), (std::vector<int>{0, screen.viewportBottom, 320, screen.viewportHeight}));
        EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
    }
    screen.setOrtho2D();
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST)) << "the overlays cover the bars";
}

TEST_F(ScreenGl, TrailsFadeByFadeTimesStepTimesFortyAndNotAtAllAtFadeOne) {
    appState.sceneIndex = 2;  // draws no scene: only the passes
    appState.worldSize = 8.0f;
    prefs.cameraMode = 2;
    prefs.clearScreen = 0;
    frameClock.dt = 0.02f;
    camera.moveRotors = &cameraMoveRotors;
    for (auto [fade, red] : {std::pair{1.0f, 255}, {0.5f, 153}}) {  // 0.5 x 0.02 x 40 = 0.4 black over white
        prefs.fade = fade;
        fill(1);
        renderScene(320.0f / 240.0f);
        EXPECT_NEAR(readPixel(160, 120).r, red, 1) << "fade " << fade;
    }
}
