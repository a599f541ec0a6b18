// Screen passes in GL: the two-frame black wipe, the clear, the fade rectangle, the letterbox bars and the perspective.
#include "app/Frame.h"
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <GL/gl.h>
#include <array>
#include <cmath>
#include <gtest/gtest.h>

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
    screen.drawFade(1.0f);
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    EXPECT_EQ(readPixel(160, 120).r, 255);
    EXPECT_EQ(modes[0], GL_LINE);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(ScreenGl, ClearFramePaintsThePictureAreaUnlessWipingOrClearIsOff) {
    // Red at rows 71, 72, 167, 168 after a white fill: the picture is rows 72..167 at level 6.
    const struct { int clearScreen; float clearPasses; int letterbox, red[4]; } cases[] = {
        {1, 0, 0, {0, 0, 0, 0}}, {1, 2, 0, {255, 255, 255, 255}}, {0, 0, 0, {255, 255, 255, 255}}, {1, 0, 6, {255, 0, 0, 255}}};
    for (const auto& c : cases) {
        prefs.clearScreen = c.clearScreen;
        screen.clearPasses = c.clearPasses;
        letterbox(c.letterbox);
        fill(1);
        screen.clearFrame();
        const int rows[4] = {71, 72, 167, 168};
        for (int k = 0; k < 4; ++k) EXPECT_EQ(readPixel(100, rows[k]).r, c.red[k]) << &c - cases << " row " << rows[k];
    }
}

TEST_F(ScreenGl, LetterboxBarsAreBlackAtTheComputedRows) {
    // Five percent of the height per level, truncated.
    for (const auto& c : {std::array<int, 4>{240, 2, 24, 216}, {99, 1, 4, 94}}) {
        const int height = c[0], bottom = c[2], top = c[3];
        fill(0.5f);
        screen.height = height;
        letterbox(0);
        screen.setLetterbox(c[1]);
        EXPECT_EQ(screen.viewportHeight, top - bottom);
        screen.drawLetterbox();
        const int rows[5] = {0, bottom - 1, bottom, top - 1, top};
        for (int k = 0; k < 5; ++k) EXPECT_EQ(readPixel(5, rows[k]).r == 0, k < 2 || k == 4) << height << " row " << rows[k];
        EXPECT_EQ(readPixel(319, height - 1).r, 0);
    }
}

TEST_F(ScreenGl, LetterboxNarrowsTheFieldOfViewNotBelowOneKeepsShapesAndKeepsWidePointsOutOfTheBars) {
    prefs.cameraZ = 0.5f;
    // A negative field of view would turn the picture upside down, zero would leave it black.
    const struct { float fov; int level; float fovy; } rows[] = {{90, 0, 90}, {90, 3, 79}, {90, 6, 46}, {39, 6, 1}};
    for (const auto& row : rows) {
        fill(0);
        screen.setLetterbox(row.level);
        screen.applyViewport();
        screen.setPerspective(320.0f / 240.0f, row.fov);
        float p[16], m[16];
        glGetFloatv(GL_PROJECTION_MATRIX, p);
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        EXPECT_NEAR(2.0f * std::atan(1.0f / p[5]) * 180.0f / 3.14159265f, row.fovy, 1e-3f) << "level " << row.level;
        EXPECT_NEAR(m[14], -0.5f, 1e-6f) << "the eye sits cameraZ in front of the origin";
        // A square a fifth of the picture's height covers as many columns as rows.
        const float h = 0.1f * std::tan(row.fovy * 3.14159265f / 360.0f);
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
    for (auto [fade, red] : {std::pair{1.0f, 255}, {0.5f, 153}}) {  // 0.5 x 0.02 x 40 = 0.4 black over white
        prefs.fade = fade;
        fill(1);
        renderScene(320.0f / 240.0f);
        EXPECT_NEAR(readPixel(160, 120).r, red, 1) << "fade " << fade;
    }
}
