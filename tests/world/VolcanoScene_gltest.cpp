// The eruption cycle driven by the clock (timing, launch, flights, bounces, the quiet half, the variations) and the
// volcano scene's pixels: layers, map modes and clouds from above, the eruption from the side, batched particles.
#include "app/Frame.h"
#include "app/Globals.h"
#include "app/Rehearsal.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include "world/TerrainPasses.h"
#include <GL/glu.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 320, kHeight = 240;
float heightBuffer[HeightField::kMaxCells];
float scratchBuffer[HeightField::kMaxCells];

// A 2 x 2 texture of one colour, or white with one green texel at (1, 0).
void solidTexture(Texture& t, unsigned char r, unsigned char g, unsigned char b, bool oneTexel = false) {
    t.bind();
    unsigned char texels[16] = {r, g, b, 255, r, g, b, 255, r, g, b, 255, r, g, b, 255};
    if (oneTexel) std::fill(texels, texels + 16, 255), texels[4] = texels[6] = 0;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    for (GLenum p : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER}) glTexParameteri(GL_TEXTURE_2D, p, GL_NEAREST);
}

bool near(Rgb p, int r, int g, int b) { return std::abs(p.r - r) <= 3 && std::abs(p.g - g) <= 3 && std::abs(p.b - b) <= 3; }

int differing(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    int n = 0;
    for (size_t k = 0; k < a.size(); ++k) n += a[k] != b[k];
    return n;
}

class Eruption : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState(); static const std::unique_ptr<Volcano> fresh = std::make_unique<Volcano>();
        volcano = *fresh; terrain = TerrainMesh();
        prefs.textures = 1, prefs.groundHeight = prefs.objectSize = 1.0f, appState.soundEnabled = 0;
        heightField.setBuffers(heightBuffer, scratchBuffer);
        volcano.heightField = &heightField, volcano.terrain = &terrain, volcano.smokeTexture = &blobCloudTexture;
    }
    void buildCone(uint32_t seed, int size = 128, int cells = 30, float width = 8.0f) {
        rndSeed(seed);
        if (size == 128) heightField.generate(2, 128, 0.05f, 0.0f);
        heightField.size = size, terrain.columns = terrain.rows = cells;
        terrain.radius = terrain.extent.x = terrain.extent.y = width; terrain.build(heightField); volcano.init();
    }
    void runUntil(double seconds) {
        while (frameClock.millis < seconds * 1000 - 1e-6) {
            frameClock.advance(frameClock.millis + 20); volcano.update();
        }
    }
    static int alive(const ParticleSystem& s) {
        return static_cast<int>(std::count_if(std::begin(s.particles), std::end(s.particles), [](const Particle& p) { return p.visible != 0; }));
    }
    static std::vector<float> heights() { return {heightBuffer, heightBuffer + HeightField::kMaxCells}; }
    // One colour per texture, so each pixel tells which drew it; the rocks black unless drawn untextured.
    void paintTextures() {
        Texture* const textures[6] = {&waterTexture, &grassTexture, &dirtTexture, &cloudTexture, &spotTexture, &blobCloudTexture};
        const unsigned char colours[6][3] = {{0, 0, 255}, {0, 255, 0}, {0, 0, 0}, {255, 255, 0}, {255, 255, 255}, {128, 128, 128}};
        for (int i = 0; i < 6; ++i) solidTexture(*textures[i], colours[i][0], colours[i][1], colours[i][2]);
        volcano.waterTexture = &waterTexture, volcano.grassTexture = &grassTexture, volcano.dirtTexture = &dirtTexture;
        volcano.cloudTexture = &cloudTexture, volcano.flashTexture = volcano.imageTexture = &spotTexture;
        glDisable(GL_LIGHTING);
    }
    // From the side, 6 units out, looking just over the summit (about 1.1 high), which lies below the middle row.
    void sideView(double fovy = 60) {
        beginTestFrame(kWidth, kHeight); glMatrixMode(GL_PROJECTION);
        gluPerspective(fovy, static_cast<double>(kWidth) / kHeight, 0.1, 100); glMatrixMode(GL_MODELVIEW);
        gluLookAt(0, 1.5, 6, 0, 1.2, 0, 0, 1, 0); camera.readBack(); drawLayers(volcano);
    }
    // Rust-coloured rock pixels in the sky above the summit, drawn from the side.
    int orangeInTheSky() {
        sideView(); volcano.draw(); int count = 0;
        for (int y = kHeight / 2 + 8; y < kHeight; y += 2)
            for (int x = 0; x < kWidth; x += 2) {
                Rgb p = readPixel(x, y); count += p.r > 100 && p.r - p.g > 30 && p.g - p.b > 30;
            }
        return count;
    }
};

}  // namespace

// On real time, paused or not, whatever the camera: 20 s without bombs, then crater and bombs; the quiet half
// clears the bombs, varies the scene, heals the cone and freezes the lava until the next eruption.
TEST_F(Eruption, FirstAfterTwentySecondsInEveryCameraModeThenAQuietHalfThatHealsAndFreezes) {
    const struct { int cameraMode, paused; } modes[] = {{0, 0}, {1, 1}, {3, 0}};
    for (const auto& m : modes) {
        SetUp(); buildCone(2024); prefs.cameraMode = m.cameraMode, prefs.paused = m.paused;
        std::vector<float> cone = heights(); runUntil(20.0); EXPECT_TRUE(volcano.bombCount == 0 && heights() == cone);
        EXPECT_GT(alive(volcano.lavaFlowA), 40);  // the flows run from the start
        const uint32_t seed = rndState();
        const float d[2] = {rnd(1.0f), rnd(1.0f)};
        rndSeed(seed); runUntil(20.02); ASSERT_EQ(volcano.bombCount, 95);
        EXPECT_TRUE(volcano.eruptionStart == 20.02 && alive(volcano.ash) == 40 && camera.wanderStrength == 1.0f);
        // Column from the second draw, row from the first, each 60 + R(4); stored mirrored.
        int centre = (67 - static_cast<int>(d[1] * 4)) + (67 - static_cast<int>(d[0] * 4)) * 128;
        EXPECT_NEAR(heightBuffer[centre], cone[centre] - 0.9f, 1e-5f);
        int trails = static_cast<int>(std::count_if(volcano.bombs, volcano.bombs + 95, [](const LavaBomb& b) { return b.trail.texture; }));
        EXPECT_TRUE(trails > 15 && trails < 50) << trails;
    }
    runUntil(30.02); ASSERT_EQ(volcano.bombCount, 95);
    runUntil(30.04);  // the summit is whole again, at the new ground height
    EXPECT_TRUE(volcano.bombCount == 0 && volcano.lastUniversePick == prefs.universe && heightBuffer[63 + 63 * 128] > 1.04f);
    EXPECT_NEAR(terrain.heightAt(0.5f, 0.5f) / prefs.groundHeight, 1.1f, 0.1f); std::vector<float> healed = heights();
    const Particle* p = volcano.lavaFlowA.particles;
    while (!p->visible) ++p;
    Vec3 at = p->position; int lava = alive(volcano.lavaFlowA); runUntil(40.0);
    EXPECT_TRUE(heights() == healed && alive(volcano.lavaFlowA) == lava && p->position.y == at.y);
    runUntil(40.1);  // the frozen lava goes on where it stopped instead of dying all at once
    EXPECT_TRUE(volcano.bombCount == 95 && alive(volcano.lavaFlowA) >= lava - 2 && p->visible && p->position.x != at.x);
}

TEST_F(Eruption, BombsBounceOffTheGroundAndStopAtTheBorder) {
    buildCone(2024); frameClock.dt = 0.02f; LavaBomb& b = volcano.bombs[0];
    EXPECT_FLOAT_EQ(b.trail.velocityJitter.y, 0.01f) << "the trail's set-up reached the bombs built before main";
    b.radius = 0.1f, b.extent = Vec3(0.1f, 0.1f, 0.1f), b.spin = Vec3(100.0f, -100.0f, 0.0f);
    b.position = Vec3(3.2f, terrain.heightAt(0.9f, 0.5f) + 0.06f, 0.0f), b.velocity = Vec3(1.0f, -4.0f, 0.0f);
    b.fly(terrain);  // just above the plain: bounces, plus a little slide downhill
    EXPECT_TRUE(std::abs(b.velocity.y - 2.03f) < 1e-4f && std::abs(b.velocity.x - 0.7f) < 0.05f) << b.velocity.y;
    EXPECT_TRUE(b.spin.x == 80.0f && b.spin.y == -80.0f);
    b.position = Vec3(3.99f, 5.0f, 0.0f), b.velocity = Vec3(2.0f, 1.0f, 0.0f);  // high up, out over the border
    b.fly(terrain);
    EXPECT_TRUE(b.velocity.y == 0.94f && b.spin.x == 80.0f && b.position.x == 4.0f && b.velocity.x == -0.4f);
}

TEST_F(Eruption, VariationsNeverRepeatTheSkyNorPickForbiddenBlends) {
    float lowest = 2, highest = 0;
    rndSeed(1);
    for (int i = 0; i < 300; ++i) {
        dialogs.rebuildRequest = 0;
        int sky = volcano.lastUniversePick, src = volcano.lastBlendPick0, dst = volcano.lastBlendPick1;
        volcano.varyScene(); const int s = prefs.blendMode0, d = prefs.blendMode1;
        lowest = std::min(lowest, prefs.groundHeight), highest = std::max(highest, prefs.groundHeight);
        ASSERT_TRUE(prefs.universe >= 1 && prefs.universe <= 3 && prefs.universe != sky);
        ASSERT_TRUE(s >= 0 && s <= 7 && s != src && s != 4 && s != 5);
        ASSERT_TRUE(d >= 1 && d <= 7 && d != dst && d != 4 && d != 5 && !(s == 3 && d == 3)) << s << " " << d;
        ASSERT_EQ(dialogs.rebuildRequest, 1) << "an open options page shows the new values";
    }
    EXPECT_TRUE(lowest >= 0.7f && lowest < 0.75f && highest < 1.6f && highest > 1.55f) << lowest << " " << highest;
}

// The volcano scene's ground alone (the quiet half, no light), seen from above over an 8 x 8 field in four
// quadrants: water, grass (x > 0), dirt (z > 0) and summit on a 2 x 2 square; then the cloud pass over it.
TEST_F(Eruption, LayersCoverEveryCellEachMapModeMapsThemItsOwnWayAndCloudsBlendOverThem) {
    paintTextures(); solidTexture(dirtTexture, 255, 0, 0);
    // Grass with one green texel, the one the cell centres below fall on, so that each mapping shows.
    solidTexture(grassTexture, 0, 255, 0, true);
    for (int i = 0; i < 64; ++i) heightBuffer[i] = i / 32 ? (i % 8 / 4 ? 0.9f : 0.3f) : (i % 8 / 4 ? 0.03f : 0.0f);
    buildCone(0, 8, 8, 2.0f);
    terrain.texture = &cloudTexture;  // as a cloud pass leaves it: the layer pass then textures
    multiPassCloudShadow = prefs.universe = prefs.spotLights = 0; frameClock.realSeconds = 15.0;
    // Straight down the y axis: window x follows world x, window y follows -z; the pixel at the centre of cell (i, j).
    auto cell = [](int i, int j) { return readPixel((i * 2 + 1) * kWidth / 16, (15 - j * 2) * kHeight / 16); };
    std::vector<unsigned char> frames[4];
    for (int mode : {1, 2, 3, 0}) {  // the ground of mode 0 stays for the cells and the clouds
        prefs.mapMode = mode; beginTestFrame(kWidth, kHeight, 1, 0, 0); orthoProjection(-1, 1, -1, 1, -10, 10);
        glRotatef(90, 1, 0, 0); volcanoSceneDraw(); frames[mode] = readFrame(kWidth, kHeight);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S)) << "mode " << mode;
    }
    multiPassCloudShadow = 1;
    for (int mode = 1; mode < 4; ++mode) EXPECT_GT(differing(frames[mode], frames[0]), 3000) << "mode " << mode;
    const struct { int i, j, r, g, b; const char* what; } cells[] = {
        {1, 1, 128, 0, 128, "water: half blue over the red background"}, {5, 1, 0, 255, 0, "grass"},
        {1, 5, 102, 0, 0, "dirt at 0.4"}, {5, 5, 255, 255, 0, "summit in the cloud texture"},
        {7, 1, 0, 255, 0, "grass up to the last column"}, {1, 7, 102, 0, 0, "dirt up to the last row"},
        {7, 7, 255, 255, 0, "the far corner"}};
    for (const auto& c : cells) EXPECT_TRUE(near(cell(c.i, c.j), c.r, c.g, c.b)) << c.what;
    // At the boundary cell the grass fades in over the two corners above the water's threshold, on the right.
    EXPECT_TRUE(cell(3, 1).g > 40 && cell(3, 1).b > 20 && readPixel(154, 195).g > 150 && readPixel(126, 195).g < 100);

    // Clouds blended GL_ZERO, GL_ONE leave the picture; GL_ONE, GL_ZERO cover it (after clearing the first's depth).
    std::fill(prefs.color, prefs.color + 4, 1.0f);
    prefs.texMagX = prefs.texMagY = 1.0f, frameClock.time = 3.0, prefs.blendMode0 = 0, prefs.blendMode1 = 1;
    drawClouds(volcano);
    EXPECT_TRUE(readFrame(kWidth, kHeight) == frames[0]) << "GL_ZERO, GL_ONE change nothing";
    glClear(GL_DEPTH_BUFFER_BIT); prefs.blendMode0 = 1, prefs.blendMode1 = 0; drawClouds(volcano);
    EXPECT_TRUE(near(cell(1, 5), 255, 255, 0)) << "clouds replace the dirt";
    EXPECT_FLOAT_EQ(terrain.textureOffset[0], 0.18f);
}

TEST_F(Eruption, FlashesAndThrowsRocksAboveTheSummitButNotInTheQuietHalf) {
    paintTextures(); solidTexture(spotTexture, 255, 0, 255); buildCone(31);
    runUntil(20.02); ASSERT_EQ(volcano.bombCount, 95); orangeInTheSky();
    Rgb flash = readPixel(kWidth / 2, kHeight - 10);
    EXPECT_TRUE(flash.r > 200 && flash.g < 60) << "the flash in its texture";
    runUntil(20.82);  // 0.8 s on: the flash has faded to a fifth, the rocks are up, in the black rock texture
    EXPECT_EQ(orangeInTheSky(), 0);
    prefs.textures = 0;  // the rocks show their own colours
    EXPECT_GT(orangeInTheSky(), 5);

    // All trails in one quad list give exactly the pixels of one list per trail, drawn bomb by bomb.
    sideView(); const std::vector<unsigned char> noTrails = readFrame(kWidth, kHeight); sideView();
    for (int i = 0; i < volcano.bombCount; ++i)
        if (volcano.bombs[i].trail.texture) volcano.bombs[i].trail.draw();
    const std::vector<unsigned char> oneListPerTrail = readFrame(kWidth, kHeight); sideView(); float n[3];
    glNormal3f(0, 0.5f, 0); volcano.drawTrails(); glGetFloatv(GL_CURRENT_NORMAL, n);
    EXPECT_TRUE(readFrame(kWidth, kHeight) == oneListPerTrail && n[1] == 0.5f) << "same pixels, the normal kept";
    EXPECT_GT(differing(noTrails, oneListPerTrail), 300) << "the trails show";
    beginTestFrame(kWidth, kHeight); orthoProjection(500, 501, 500, 501); EXPECT_EQ(volcano.drawRocks(), 0) << "none sent";
    beginTestFrame(kWidth, kHeight); orthoProjection(-500, 500, -500, 500, -500, 500);
    EXPECT_TRUE(volcano.drawRocks() == volcano.bombCount && !glIsEnabled(GL_DEPTH_TEST)) << "all sent; depth test off";

    // The quiet half draws nothing, even before an update has cleared the bombs.
    frameClock.advance(30100); EXPECT_EQ(orangeInTheSky(), 0);
    EXPECT_TRUE(near(readPixel(kWidth / 2, kHeight - 10), 0, 0, 0)) << "dark sky";
}

// Seen head on a batched particle covers its square, turned by its spin, and leaves the normal in force as it was.
TEST_F(Eruption, BatchedParticlesCoverTheirTurnedSquare) {
    paintTextures(); beginTestFrame(kWidth, kHeight); orthoProjection(-2, 2, -1.5, 1.5, -10, 10);
    camera.readBack(); volcano.init(); ParticleSystem& ash = volcano.ash;
    ash.startSize = ash.endSize = 0.5f, ash.sizeJitter = 0;
    ash.particles[ash.emit(1, -0.5f, 0)].rotation = Vec3(0, 0, 0);
    ash.particles[ash.emit(-1, -0.5f, 0)].rotation = Vec3(0, 0, 45);  // a diamond reaching 0.71 along the axes
    glNormal3f(0.3f, 0.9f, 0.3f); ash.draw(); float n[3]; glGetFloatv(GL_CURRENT_NORMAL, n);
    EXPECT_FLOAT_EQ(n[1], 0.9f) << "the normal in force is left as it was";
    // The square from (0.5, -1) to (1.5, 0): 200..280 across, 40..120 up.
    const struct { int x, y; bool inside; } probes[] = {{202, 42, 1}, {278, 42, 1}, {278, 118, 1}, {202, 118, 1},
                                                      {198, 80, 0}, {282, 80, 0}, {240, 38, 0}, {240, 122, 0},
                                                      {116, 44, 0}, {132, 80, 1}};  // diamond corner and tip
    for (const auto& q : probes) EXPECT_EQ(readPixel(q.x, q.y).r > 40, q.inside) << q.x << "," << q.y;
}

// Each rehearsal step draws nothing that shows and puts back everything it touched, the random generator included.
TEST_F(Eruption, RehearsalStepsLeaveNoPixelAndNoStateBehind) {
    paintTextures(); buildCone(31); prefs.spotLights = 1, skyBox.radius = 8.0f;
    rndSeed(77); orangeInTheSky(); const std::vector<unsigned char> picture = readFrame(kWidth, kHeight);
    const float pieceX = splinter.pieces[ScreenSplinter::X][0][0];
    for (int step = 0; step < kRehearsalSteps; ++step) {
        orangeInTheSky(); terrain.textureOffset[0] = 0.25f, terrain.textureOffset[1] = 0.75f; rehearseStep(step);
        ASSERT_TRUE(readFrame(kWidth, kHeight) == picture) << "step " << step;
        ASSERT_TRUE(terrain.textureOffset[0] == 0.25f && terrain.textureOffset[1] == 0.75f &&
                    !glIsEnabled(GL_VERTEX_ARRAY) && !glIsEnabled(GL_TEXTURE_COORD_ARRAY)) << "drift, arrays: " << step;
    }
    EXPECT_TRUE(rndState() == 77u && volcano.bombCount == 0 && volcano.eruptionStart == 0.0);
    EXPECT_TRUE(terrain.texture == nullptr && splinter.pieces[ScreenSplinter::X][0][0] == pieceX);  // first layer pass untextured
    for (const ParticleSystem* s : {&volcano.ash, &volcano.lavaFlowA, &volcano.bombs[0].trail})
        for (const Particle& q : s->particles) ASSERT_FALSE(q.visible);
}
