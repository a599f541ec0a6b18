// Screen passes in GL: the two-frame black wipe, the clear, the fade rectangle, the letterbox bars and the perspective.
#include "app/Frame.h"
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <GL/gl.h>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class ScreenGl : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        screen.width = 320;
        screen.height = 240;
        screen.setLetterbox(0);
        screen.applyViewport();
        screen.setOrtho2D();
    }
    void fillWhite() {
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
};

}  // namespace

TEST_F(ScreenGl, BlackWipeClearsExactlyTwoFramesThenRestoresTheScreenColour) {
    screen.setColor(0, 1, 0, 1);
    screen.clearPasses = 1.0f;
    const int expectBlack[4] = {1, 1, 0, 0};
    for (int frame = 0; frame < 4; ++frame) {
        fillWhite();
        screen.blackWipe();
        EXPECT_EQ(readPixel(10, 10).r == 0, expectBlack[frame] == 1) << "frame " << frame;
        if (frame == 0) {
            float clear[4];
            glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
            EXPECT_EQ(clear[0], 0.0f);
            EXPECT_EQ(clear[1], 1.0f) << "the screen colour again";
        }
    }
    EXPECT_EQ(screen.clearPasses, 0.0f);
}

TEST_F(ScreenGl, ClearFrameLeavesColourDuringTheWipeAndWithScreenClearOff) {
    prefs.clearScreen = 1;
    screen.clearPasses = 2.0f;
    fillWhite();
    screen.clearFrame();
    EXPECT_EQ(readPixel(10, 10).r, 255);
    screen.clearPasses = 0.0f;
    screen.clearFrame();
    EXPECT_EQ(readPixel(10, 10).r, 0);
    prefs.clearScreen = 0;
    fillWhite();
    screen.clearFrame();
    EXPECT_EQ(readPixel(10, 10).r, 255);
}

TEST_F(ScreenGl, LetterboxedClearPaintsOnlyThePictureArea) {
    prefs.clearScreen = 1;
    fillWhite();
    screen.setLetterbox(6);  // picture rows 72..167
    screen.applyViewport();
    screen.setOrtho2D();
    screen.clearFrame();
    EXPECT_EQ(readPixel(100, 72).r, 0);
    EXPECT_EQ(readPixel(100, 167).r, 0);
    EXPECT_EQ(readPixel(100, 71).r, 255);
    EXPECT_EQ(readPixel(100, 168).r, 255);
}

TEST_F(ScreenGl, LetterboxBarsAreBlackAtTheComputedRows) {
    glClearColor(0.5f, 0.5f, 0.5f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    screen.setLetterbox(0);
    screen.applyViewport();
    screen.setOrtho2D();
    screen.setLetterbox(2);  // 10 % of 240: bars of 24 rows
    screen.drawLetterbox();
    EXPECT_EQ(readPixel(5, 0).r, 0);
    EXPECT_EQ(readPixel(5, 23).r, 0);
    EXPECT_GT(readPixel(5, 24).r, 100);
    EXPECT_GT(readPixel(5, 215).r, 100);
    EXPECT_EQ(readPixel(5, 216).r, 0);
    EXPECT_EQ(readPixel(319, 239).r, 0);
}

TEST_F(ScreenGl, FadeRectangleFillsInLineModeAndLeavesLineModeOn) {
    screen.setColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    screen.drawFade(1.0f);
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    EXPECT_EQ(readPixel(160, 120).r, 255);
    EXPECT_EQ(modes[0], GL_LINE);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(ScreenGl, LetterboxNarrowsTheFieldOfViewNotBelowOneKeepsShapesAndKeepsWidePointsOutOfTheBars) {
    prefs.cameraZ = 0.5f;
    // A negative field of view would turn the picture upside down, zero would leave it black.
    const struct { float fov; int level; float fovy; } rows[] = {{90, 0, 90}, {90, 3, 79}, {90, 6, 46}, {39, 6, 1}};
    for (const auto& row : rows) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        screen.setLetterbox(row.level);
        screen.applyViewport();
        screen.setPerspective(320.0f / 240.0f, row.fov);
        float p[16], m[16];
        glGetFloatv(GL_PROJECTION_MATRIX, p);
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        float fovy = 2.0f * std::atan(1.0f / p[5]) * 180.0f / 3.14159265f;
        EXPECT_NEAR(fovy, row.fovy, 1e-3f) << "fov " << row.fov << ", level " << row.level;
        EXPECT_NEAR(m[14], -0.5f, 1e-6f) << "the eye sits cameraZ in front of the origin";
        // A square a fifth of the picture's height covers as many columns as rows.
        float h = 0.1f * std::tan(row.fovy * 3.14159265f / 360.0f);
        glColor3f(1, 1, 1);
        glRectf(-h, -h, h, h);
        int across = 0, down = 0;
        for (int x = 0; x < 320; ++x) across += readPixel(x, 120).r > 0;
        for (int y = 0; y < 240; ++y) down += readPixel(160, y).r > 0;
        EXPECT_NEAR(across, down, 1) << "level " << row.level;
        // A wide point centred just inside the picture's top edge stays out of the bar above it.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glPointSize(8);
        glBegin(GL_POINTS);
        glVertex2f(0, 0.99f);
        glEnd();
        glPointSize(1);
        EXPECT_GT(readPixel(160, screen.viewportTop - 1).r, 0);
        EXPECT_EQ(readPixel(160, screen.viewportTop).r, 0) << "level " << row.level;
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
    const float fades[2] = {1.0f, 0.5f};
    const int expected[2] = {255, 153};  // 0.5 x 0.02 x 40 = 0.4 black over white
    for (int i = 0; i < 2; ++i) {
        prefs.fade = fades[i];
        fillWhite();
        renderScene(320.0f / 240.0f);
        EXPECT_NEAR(readPixel(160, 120).r, expected[i], 1) << "fade " << fades[i];
    }
}
