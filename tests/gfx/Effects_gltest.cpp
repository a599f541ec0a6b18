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
    lightmapOverlay.alphaTest = lightmapOverlay.depthTest = lightmapOverlay.depthWrite = 0;
    lightmapOverlay.faceCamera = 0;
    lightmapOverlay.blendSrc = 6;
    lightmapOverlay.blendDst = 0;
    lightmapOverlay.lastLightmapTime = 0;
    prefs.lightmap = flags;
    prefs.noiseLevel = 0.5f;  // 20 mask units
    prefs.f9Value = 0.64f;    // vignette radius 64 texels
    prefs.lightmapX = prefs.lightmapY = repeat;
    prefs.lightmapRefresh = 0.075f;
    frameClock.realSeconds = 1.0;
    overlayProjection();
}

// The splinter's view: the picture fills the window at z = 0.
void splinterView() {
    glViewport(0, 0, kW, kH);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90, static_cast<float>(kW) / kH, 0.1, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 0.5, 0, 0, 0, 0, 1, 0);
}

// Fills the capture texture with four quadrants: red lower left, green lower right, blue upper left, white.
void quadrantPicture() {
    if (splinter.captureTexture.name == 0) splinter.init();
    static std::vector<unsigned char> texels(256 * 256 * 4);
    static const unsigned char kColours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const unsigned char* c = kColours[(x >= 128) + 2 * (y >= 128)];
            unsigned char* t = &texels[4 * (y * 256 + x)];
            t[0] = c[0], t[1] = c[1], t[2] = c[2], t[3] = 255;
        }
    splinter.captureTexture.bind();
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 256, 256, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
}

// One of the four quadrant colours, or 'k' for black and '?' for anything else.
char colourAt(int x, int y) {
    Rgb p = readPixel(x, y);
    auto on = [](int v) { return v > 200; };
    auto off = [](int v) { return v < 40; };
    if (on(p.r) && off(p.g) && off(p.b)) return 'r';
    if (off(p.r) && on(p.g) && off(p.b)) return 'g';
    if (off(p.r) && off(p.g) && on(p.b)) return 'b';
    if (on(p.r) && on(p.g) && on(p.b)) return 'w';
    if (off(p.r) && off(p.g) && off(p.b)) return 'k';
    return '?';
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
    beginTestFrame(kW, kH, 0, 0, 0);
    splinterView();
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
    lightmapOverlay.update();
    const uint32_t before = rndState();
    frameClock.realSeconds = 1.05;
    lightmapOverlay.update();
    EXPECT_EQ(rndState(), before) << "within the interval the mask stays";
    frameClock.realSeconds = 1.08;
    lightmapOverlay.update();
    EXPECT_NE(rndState(), before);
    EXPECT_EQ(lightmapOverlay.lastLightmapTime, 1.08);
    prefs.lightmapRefresh = 0.0f;
    frameClock.realSeconds = 1.10;
    const uint32_t again = rndState();
    lightmapOverlay.update();
    EXPECT_NE(rndState(), again) << "a zero interval rebuilds every frame";
    prefs.lightmap = -4;
    frameClock.realSeconds = 5.0;
    beginTestFrame(kW, kH, 1, 1, 1);
    const uint32_t off = rndState();
    lightmapOverlay.update();
    EXPECT_EQ(rndState(), off);
    EXPECT_EQ(lightmapOverlay.lastLightmapTime, 1.10);
    EXPECT_EQ(readPixel(kW / 2, kH / 2).r, 255) << "nothing drawn";
}

TEST_F(EffectsGl, QuartersFillTheWindowExactlyThenShrinkToGapsAndNothing) {
    chooseLayout(2, 2);
    splinter.motionMask = 0x1000;
    startSplinterShowing(0.0f, 1.0f);
    frameClock.dt = 0.0f;
    splinter.drawPieces();
    const char corners[4] = {colourAt(0, 0), colourAt(kW - 1, 0), colourAt(0, kH - 1), colourAt(kW - 1, kH - 1)};
    EXPECT_EQ(std::string(corners, 4), "rgbw");
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    beginTestFrame(kW, kH, 0, 0, 0);
    splinterView();
    frameClock.dt = 2.0f;  // half size
    splinter.drawPieces();
    const char centres[4] = {colourAt(kW / 4, kH / 4), colourAt(3 * kW / 4, kH / 4), colourAt(kW / 4, 3 * kH / 4),
                             colourAt(3 * kW / 4, 3 * kH / 4)};
    EXPECT_EQ(std::string(centres, 4), "rgbw");
    for (auto [x, y] : {std::pair{kW / 2, kH / 2}, {3, 3}}) EXPECT_EQ(colourAt(x, y), 'k');
    beginTestFrame(kW, kH, 0, 0, 0);
    splinterView();
    splinter.drawPieces();
    EXPECT_EQ(colourAt(kW / 4, kH / 4), 'k') << "no size left";
}

TEST_F(EffectsGl, SkipRollsThePictureByItsPhaseInItsDirection) {
    struct Case {
        float phase, direction;
        int x, y;  // window pixel
        char expected;
    };
    // One step of 0.125 s moves the phase on by 0.25, to 0.26 (vertical) or 1.26 (horizontal).
    const Case cases[] = {
        {0.01f, 1, 20, 72, 'b'},   // shows t = 0.56
        {0.01f, 1, 20, 216, 'r'},  // t = 1.16, wrapped
        {0.01f, -1, 20, 10, 'b'},  // t = -0.22, wrapped to 0.78
        {1.01f, 1, 96, 20, 'g'},   // s = 1.56
        {1.01f, -1, 10, 20, 'g'},  // s = -1.23
    };
    frameClock.dt = 0.125f;
    for (const Case& c : cases) {
        startSplinterShowing(c.phase, c.direction);
        splinter.drawPieces();
        EXPECT_EQ(colourAt(c.x, c.y), c.expected) << c.phase << " " << c.direction << " at " << c.x << "," << c.y;
        EXPECT_NEAR(splinter.skipPhase, c.phase + 0.25f, 1e-6f);
    }
}
