// Screen passes in GL: the two-frame black wipe, the clear, the fade rectangle, the letterbox bars and the perspective;
// the lightmap overlay and the splinter and skip drawn into the test window and read back.
#include "app/Frame.h"
#include "app/Globals.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include <GL/glu.h>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
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

void setUpLightmap(int flags, float repeat) {
    if (noisySpotTexture.name == 0) noisySpotTexture.makeTextureLumAlpha(0, 0, 64.0f, 200);
    lightmapOverlay.texture = &noisySpotTexture;
    lightmapOverlay.alphaTest = lightmapOverlay.depthTest = lightmapOverlay.depthWrite = lightmapOverlay.faceCamera = 0;
    lightmapOverlay.blendSrc = 6, lightmapOverlay.blendDst = 0, lightmapOverlay.lastLightmapTime = 0;
    prefs.lightmap = flags;
    prefs.noiseLevel = 0.5f, prefs.f9Value = 0.64f;  // 20 mask units, vignette radius 64 texels
    prefs.lightmapX = prefs.lightmapY = repeat;
    prefs.lightmapRefresh = 0.075f, frameClock.realSeconds = 1.0;
}

// A black frame in the splinter's view: the picture fills the window at z = 0.
void splinterFrame() {
    beginTestFrame(kW, kH, 0, 0, 0);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(90, static_cast<float>(kW) / kH, 0.1, 100);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(0, 0, 0.5, 0, 0, 0, 0, 1, 0);
}

// Fills the capture texture with four quadrants: red lower left, green lower right, blue upper left, white.
void quadrantPicture() {
    if (splinter.captureTexture.name == 0) splinter.init();
    static std::vector<unsigned char> texels(256 * 256 * 4);
    static const unsigned char kColours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    for (int i = 0; i < 256 * 256; ++i)
        for (int k = 0; k < 4; ++k) texels[4 * i + k] = k == 3 ? 255 : kColours[(i % 256 >= 128) + 2 * (i >= 128 * 256)][k];
    splinter.captureTexture.bind();
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 256, 256, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
}

// One of the four quadrant colours, or 'k' for black and '?' for anything else.
char colourAt(int x, int y) {
    const Rgb p = readPixel(x, y);
    int bits = 0;
    for (int v : {p.r, p.g, p.b}) {
        if (v >= 40 && v <= 200) return '?';
        bits = 2 * bits + (v > 200);
    }
    return "kbg?r??w"[bits];
}

// Starts splinters from spread-out seeds until one has the wanted grid.
void chooseLayout(int columns, int rows) {
    splinter.skipPhase = 0.0f;
    for (uint32_t k = 1; splinter.columns != columns || splinter.rows != rows; ++k) {
        rndSeed(k * 0x9E3779B9u);
        splinter.prepare();
    }
}

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


TEST_F(ScreenGl, VignetteDarkensThePictureRepeatsWithTheMagnificationAndRebuildsAtTheRefreshInterval) {
    fill(1);
    setUpLightmap(8, 1.0f);
    lightmapOverlay.update();
    EXPECT_NEAR(readPixel(kW / 2 + 80, kH / 2).r, 191, 4) << "32 texels right of the centre";
    EXPECT_EQ(readPixel(2, 2).r, 0);
    // Twice across, once up: the window centre falls on the mask's dark edge, the quarter point across on its centre.
    fill(1);
    setUpLightmap(8, 2.0f);
    prefs.lightmapY = 1.0f;
    lightmapOverlay.draw();
    EXPECT_LT(readPixel(kW / 2, kH / 2).r, 10);
    EXPECT_GE(readPixel(kW / 4, kH / 2).r, 245);
    // The mask rebuilds only at the refresh interval and never when switched off.
    setUpLightmap(4, 1.0f);  // pixel noise, so that each rebuild shows in the random state
    const struct { double now; float refresh; int flags; bool rebuilt; } frames[] = {
        {1.0, 0.075f, 4, true}, {1.05, 0.075f, 4, false}, {1.08, 0.075f, 4, true}, {1.10, 0.0f, 4, true},
        {5.0, 0.075f, 0, false}, {6.0, 0.075f, -4, false}};
    for (const auto& f : frames) {
        frameClock.realSeconds = f.now, prefs.lightmapRefresh = f.refresh, prefs.lightmap = f.flags;
        fill(1);
        const uint32_t before = rndState();
        lightmapOverlay.update();
        EXPECT_EQ(rndState() != before, f.rebuilt) << f.now;
    }
    EXPECT_EQ(lightmapOverlay.lastLightmapTime, 1.10);
    EXPECT_EQ(readPixel(kW / 2, kH / 2).r, 255) << "nothing drawn";
}

// Frames in turn, each a fresh draw of the four-colour picture and the colours at up to six window pixels.
TEST_F(ScreenGl, SplinterQuartersShrinkToGapsAndTheSkipRollsThePictureByItsPhaseInItsDirection) {
    chooseLayout(2, 2);
    splinter.motionMask = 0x1000;
    quadrantPicture();
    appState.splinterState = 2;
    const int l = kW / 4, r = 3 * kW / 4, b = kH / 4, t = 3 * kH / 4;
    // A skip step of 0.125 s moves the phase on by 0.25, to 0.26 (vertical) or 1.26 (horizontal).
    const struct { float phase, direction, dt; int at[6][2]; const char* colours; } frames[] = {
        {0, 1, 0, {{0, 0}, {kW - 1, 0}, {0, kH - 1}, {kW - 1, kH - 1}}, "rgbw"},  // the quarters fill the window
        {0, 1, 2, {{l, b}, {r, b}, {l, t}, {r, t}, {kW / 2, kH / 2}, {3, 3}}, "rgbwkk"},  // half size
        {0, 1, 3, {{l, b}}, "k"},                                                     // no size left, not mirrored
        {0.01f, 1, 0.125f, {{20, 72}, {20, 216}}, "br"},  // shows t = 0.56 and 1.16, wrapped
        {0.01f, -1, 0.125f, {{20, 10}}, "b"},             // t = -0.22, wrapped to 0.78
        {1.01f, 1, 0.125f, {{96, 20}}, "g"},              // s = 1.56
        {1.01f, -1, 0.125f, {{10, 20}}, "g"},             // s = -1.23
    };
    for (const auto& f : frames) {
        splinter.skipPhase = f.phase, splinter.skipDirection = f.direction, frameClock.dt = f.dt;
        splinterFrame();
        splinter.drawPieces();
        std::string seen;
        for (size_t k = 0; k < std::strlen(f.colours); ++k) seen += colourAt(f.at[k][0], f.at[k][1]);
        EXPECT_EQ(seen, f.colours) << "frame " << &f - frames;
        EXPECT_NEAR(splinter.skipPhase, f.phase ? f.phase + 0.25f : 0.0f, 1e-6f);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    }
}
