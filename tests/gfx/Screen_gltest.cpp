// Screen passes in GL: the two-frame black wipe, the clear, the fade rectangle, the letterbox bars and the
// lightmap's magnification and the skip's roll; the perspective, trails and splinter show in the golden run's frames.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <vector>

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
    screen.setColor(0, 1, 0, 1), screen.clearPasses = 1.0f;
    for (int frame = 0; frame < 4; ++frame) {
        fill(1), screen.blackWipe();
        EXPECT_EQ(readPixel(10, 10).r == 0, frame < 2) << "frame " << frame;
    }
    EXPECT_EQ(screen.clearPasses, 0.0f);
    screen.clearPasses = 2.0f, screen.blackWipe();
    float clear[4], depth = 0;
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0] * 10 + clear[1], 1.0f) << "the screen colour again";
    screen.setColor(1, 0, 0, 1), glPolygonMode(GL_FRONT_AND_BACK, GL_LINE), glEnable(GL_DEPTH_TEST);
    glClear(GL_DEPTH_BUFFER_BIT), screen.drawFade(1.0f);
    glReadPixels(160, 120, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    glDisable(GL_DEPTH_TEST);
    EXPECT_EQ(depth, 1.0f) << "the fade writes no depth";
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    EXPECT_TRUE(readPixel(160, 120).r == 255 && modes[0] == GL_LINE && !glIsEnabled(GL_BLEND));
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

// The vignette mask (radius 64 texels) twice across, once up: the window centre falls on its dark edge, the quarter
// point across on its centre, and 32 texels from the centre it is 255 x 3/4.
TEST_F(ScreenGl, LightmapVignetteRepeatsWithTheMagnificationOfEachAxis) {
    if (noisySpotTexture.name == 0) noisySpotTexture.makeTextureLumAlpha(0, 0, 64.0f, 200);
    LightmapOverlay& o = lightmapOverlay;
    o.texture = &noisySpotTexture, o.alphaTest = o.depthTest = o.depthWrite = o.faceCamera = 0, o.blendSrc = 6, o.blendDst = 0;
    o.lastLightmapTime = 0, prefs.lightmapRefresh = 0.075f;
    prefs.lightmap = 8, prefs.f9Value = 0.64f, prefs.lightmapX = 2.0f, prefs.lightmapY = 1.0f, frameClock.realSeconds = 1.0;
    fill(1);
    o.update();
    EXPECT_LT(readPixel(kW / 2, kH / 2).r, 10);
    EXPECT_GE(readPixel(kW / 4, kH / 2).r, 245);
    EXPECT_NEAR(readPixel(kW / 4, kH / 2 + 60).r, 191, 4);
}

// The skip rolls the captured picture (red lower left, green lower right, blue upper left, white upper right) by its
// phase, moved on by 2 x dt, in its direction: vertically up to a phase of 1, then horizontally; the texture repeats.
TEST_F(ScreenGl, SkipRollsTheCapturedPictureByItsPhaseInItsDirection) {
    if (splinter.captureTexture.name == 0) splinter.init();
    static std::vector<unsigned char> texels(256 * 256 * 4);
    for (int i = 0; i < 256 * 256; ++i) {
        const int quadrant = (i % 256 >= 128) + 2 * (i >= 128 * 256);
        for (int k = 0; k < 4; ++k) texels[4 * i + k] = k == 3 || quadrant == 3 || quadrant == k ? 255 : 0;
    }
    splinter.captureTexture.bind();
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 256, 256, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    appState.splinterState = 2;
    const struct { float phase, direction; int x, y; char colour; } frames[] = {  // t = 0.56 and 1.16, -0.22; s = 1.56, -1.23
        {0.01f, 1, 20, 72, 'b'}, {0.01f, 1, 192, 12, 'g'}, {0.01f, 1, 20, 216, 'r'}, {0.01f, -1, 20, 10, 'b'},
        {1.01f, 1, 96, 20, 'g'}, {1.01f, -1, 10, 20, 'g'}};
    for (const auto& f : frames) {
        splinter.skipPhase = f.phase, splinter.skipDirection = f.direction, frameClock.dt = 0.125f;
        beginTestFrame(kW, kH, 0, 0, 0);
        glMatrixMode(GL_PROJECTION), gluPerspective(90, static_cast<float>(kW) / kH, 0.1, 100), glMatrixMode(GL_MODELVIEW);
        gluLookAt(0, 0, 0.5, 0, 0, 0, 0, 1, 0);  // the picture fills the window at z = 0
        splinter.drawPieces();
        const Rgb p = readPixel(f.x, f.y);
        EXPECT_EQ("kbg?r??w"[4 * (p.r > 200) + 2 * (p.g > 200) + (p.b > 200)], f.colour) << &f - frames;
        EXPECT_NEAR(splinter.skipPhase, f.phase + 0.25f, 1e-6f);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    }
}
