// The lightmap overlay and the splinter and skip drawn into the test window and read back.
#include "app/Globals.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kW = 320, kH = 240;

class EffectsGl : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        screen.width = kW, screen.height = kH, prefs.textures = 1;
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
    for (uint32_t k = 1; splinter.columns != columns || splinter.rows != rows; ++k) {
        rndSeed(k * 0x9E3779B9u);
        splinter.prepare();
    }
}

}  // namespace

TEST_F(EffectsGl, VignetteDarkensThePictureRepeatsWithTheMagnificationAndRebuildsAtTheRefreshInterval) {
    setUpLightmap(8, 1.0f);
    lightmapOverlay.update();
    EXPECT_NEAR(readPixel(kW / 2 + 80, kH / 2).r, 191, 4) << "32 texels right of the centre";
    EXPECT_EQ(readPixel(2, 2).r, 0);
    // Twice across, once up: the window centre falls on the mask's dark edge, the quarter point across on its centre.
    beginTestFrame(kW, kH, 1, 1, 1);
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
        beginTestFrame(kW, kH, 1, 1, 1);
        overlayProjection();
        const uint32_t before = rndState();
        lightmapOverlay.update();
        EXPECT_EQ(rndState() != before, f.rebuilt) << f.now;
    }
    EXPECT_EQ(lightmapOverlay.lastLightmapTime, 1.10);
    EXPECT_EQ(readPixel(kW / 2, kH / 2).r, 255) << "nothing drawn";
}

// Frames in turn, each a fresh draw of the four-colour picture and the colours at up to six window pixels.
TEST_F(EffectsGl, SplinterQuartersShrinkToGapsAndTheSkipRollsThePictureByItsPhaseInItsDirection) {
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
