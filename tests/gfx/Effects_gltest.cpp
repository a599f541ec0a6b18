// The lightmap overlay and the splinter and skip drawn into the test window and read back.
#include "app/Globals.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr int kW = 320, kH = 240;

class EffectsGl : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        screen.width = kW;
        screen.height = kH;
        prefs.textures = 1;
        beginTestFrame(kW, kH, 1, 1, 1);
    }
};

// The whole-window 2D projection the frame sets before its overlays.
void overlayProjection() {
    screen.setLetterbox(0);
    screen.applyViewport();
    screen.setOrtho2D();
}

void setUpLightmap(int flags, float repeat) {
    if (noisySpotTexture.name == 0) noisySpotTexture.makeTextureLumAlpha(0, 0, 64.0f, 200);
    lightmapOverlay.texture = &noisySpotTexture;
    lightmapOverlay.alphaTest = lightmapOverlay.depthTest = lightmapOverlay.depthWrite = lightmapOverlay.faceCamera = 0;
    lightmapOverlay.blendSrc = 6, lightmapOverlay.blendDst = 0, lightmapOverlay.lastLightmapTime = 0;
    prefs.lightmap = flags;
    prefs.noiseLevel = 0.5f, prefs.f9Value = 0.64f;  // 20 mask units, vignette radius 64 texels
    prefs.lightmapX = prefs.lightmapY = repeat;
    prefs.lightmapRefresh = 0.075f, frameClock.realSeconds = 1.0;
    overlayProjection();
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
    uint32_t k = 0;
    do {
        rndSeed(++k * 0x9E3779B9u);
        splinter.prepare();
    } while (splinter.columns != columns || splinter.rows != rows);
}

void startSplinterShowing(float skipPhase, float direction) {
    quadrantPicture();
    splinter.skipPhase = skipPhase;
    splinter.skipDirection = direction;
    appState.splinterState = 2;
    splinterFrame();
}

}  // namespace

TEST_F(EffectsGl, VignetteDarkensThePictureAndRepeatsWithTheMagnification) {
    setUpLightmap(8, 1.0f);
    lightmapOverlay.update();
    EXPECT_NEAR(readPixel(kW / 2 + 80, kH / 2).r, 191, 4) << "32 texels right of the centre";
    EXPECT_EQ(readPixel(2, 2).r, 0);
    // Twice across: the window centre falls on the mask's dark edge, the quarter points on its centre.
    beginTestFrame(kW, kH, 1, 1, 1);
    setUpLightmap(8, 2.0f);
    lightmapOverlay.draw();
    EXPECT_LT(readPixel(kW / 2, kH / 2).r, 10);
    EXPECT_GE(readPixel(kW / 4, kH / 4).r, 245);
}

TEST_F(EffectsGl, TheMaskRebuildsOnlyAtTheRefreshIntervalAndNeverWhenSwitchedOff) {
    setUpLightmap(4, 1.0f);  // pixel noise, so that each rebuild shows in the random state
    const struct { double now; float refresh; int flags; bool rebuilt; } frames[] = {
        {1.0, 0.075f, 4, true}, {1.05, 0.075f, 4, false}, {1.08, 0.075f, 4, true}, {1.10, 0.0f, 4, true}, {5.0, 0.075f, -4, false}};
    for (const auto& f : frames) {
        frameClock.realSeconds = f.now;
        prefs.lightmapRefresh = f.refresh;
        prefs.lightmap = f.flags;
        beginTestFrame(kW, kH, 1, 1, 1);
        overlayProjection();
        const uint32_t before = rndState();
        lightmapOverlay.update();
        EXPECT_EQ(rndState() != before, f.rebuilt) << f.now;
    }
    EXPECT_EQ(lightmapOverlay.lastLightmapTime, 1.10);
    EXPECT_EQ(readPixel(kW / 2, kH / 2).r, 255) << "nothing drawn";
}

TEST_F(EffectsGl, QuartersFillTheWindowExactlyThenShrinkToGapsAndNothing) {
    chooseLayout(2, 2);
    splinter.motionMask = 0x1000;
    startSplinterShowing(0.0f, 1.0f);
    frameClock.dt = 0.0f;
    splinter.drawPieces();
    EXPECT_EQ(std::string({colourAt(0, 0), colourAt(kW - 1, 0), colourAt(0, kH - 1), colourAt(kW - 1, kH - 1)}), "rgbw");
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    splinterFrame();
    frameClock.dt = 2.0f;  // half size
    splinter.drawPieces();
    EXPECT_EQ(std::string({colourAt(kW / 4, kH / 4), colourAt(3 * kW / 4, kH / 4), colourAt(kW / 4, 3 * kH / 4),
                           colourAt(3 * kW / 4, 3 * kH / 4)}),
              "rgbw");
    for (auto [x, y] : {std::pair{kW / 2, kH / 2}, {3, 3}}) EXPECT_EQ(colourAt(x, y), 'k');
    splinterFrame();
    splinter.drawPieces();
    EXPECT_EQ(colourAt(kW / 4, kH / 4), 'k') << "no size left";
}

TEST_F(EffectsGl, SkipRollsThePictureByItsPhaseInItsDirection) {
    // One step of 0.125 s moves the phase on by 0.25, to 0.26 (vertical) or 1.26 (horizontal); x, y a window pixel.
    const struct { float phase, direction; int x, y; char expected; } cases[] = {
        {0.01f, 1, 20, 72, 'b'},   // shows t = 0.56
        {0.01f, 1, 20, 216, 'r'},  // t = 1.16, wrapped
        {0.01f, -1, 20, 10, 'b'},  // t = -0.22, wrapped to 0.78
        {1.01f, 1, 96, 20, 'g'},   // s = 1.56
        {1.01f, -1, 10, 20, 'g'},  // s = -1.23
    };
    frameClock.dt = 0.125f;
    for (const auto& c : cases) {
        startSplinterShowing(c.phase, c.direction);
        splinter.drawPieces();
        EXPECT_EQ(colourAt(c.x, c.y), c.expected) << c.phase << " " << c.direction << " at " << c.x << "," << c.y;
        EXPECT_NEAR(splinter.skipPhase, c.phase + 0.25f, 1e-6f);
    }
}
