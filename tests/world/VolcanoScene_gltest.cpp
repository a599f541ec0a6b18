// Pixels of the volcano scene: the height layers and the cloud pass from above, the eruption from the side.
#include "app/Globals.h"
#include "app/Rehearsal.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include "world/TerrainPasses.h"
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int kWidth = 320, kHeight = 240;
float heightBuffer[HeightField::kMaxCells];
float scratchBuffer[HeightField::kMaxCells];

void solidTexture(Texture& t, unsigned char r, unsigned char g, unsigned char b) {
    t.bind();
    const unsigned char texels[16] = {r, g, b, 255, r, g, b, 255, r, g, b, 255, r, g, b, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

void expectRgb(Rgb p, int r, int g, int b, const char* what) {
    EXPECT_NEAR(p.r, r, 3) << what;
    EXPECT_NEAR(p.g, g, 3) << what;
    EXPECT_NEAR(p.b, b, 3) << what;
}

class VolcanoSceneGl : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        static const std::unique_ptr<Volcano> fresh = std::make_unique<Volcano>();
        volcano = *fresh;
        terrain = TerrainMesh();
        prefs.textures = 1;
        prefs.groundHeight = 1.0f;
        prefs.objectSize = 1.0f;
        appState.soundEnabled = 0;
        solidTexture(waterTexture, 0, 0, 255);
        solidTexture(grassTexture, 0, 255, 0);
        solidTexture(dirtTexture, 255, 0, 0);
        solidTexture(cloudTexture, 255, 255, 0);
        solidTexture(spotTexture, 255, 255, 255);
        solidTexture(blobCloudTexture, 128, 128, 128);
        volcano.waterTexture = &waterTexture;
        volcano.grassTexture = &grassTexture;
        volcano.dirtTexture = &dirtTexture;
        volcano.cloudTexture = &cloudTexture;
        volcano.flashTexture = volcano.imageTexture = &spotTexture;
        volcano.smokeTexture = &blobCloudTexture;
        volcano.heightField = &heightField;
        volcano.terrain = &terrain;
        heightField.setBuffers(heightBuffer, scratchBuffer);
        glDisable(GL_LIGHTING);
    }
    // An 8 x 8 field in four quadrants: water, grass (x > 0), dirt (z > 0) and summit, over a 2 x 2 square.
    void buildQuadrants() {
        heightField.size = 8;
        const float level[2][2] = {{0.0f, 0.03f}, {0.3f, 0.9f}};
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 8; ++c) heightBuffer[c + r * 8] = level[r / 4][c / 4];
        terrain.columns = terrain.rows = 8;
        terrain.radius = terrain.extent.x = terrain.extent.y = 2.0f;
        terrain.build(heightField);
    }
    // Straight down the y axis: window x follows world x, window y follows -z.
    void lookDown() {
        beginTestFrame(kWidth, kHeight, 1, 0, 0);
        orthoProjection(-1, 1, -1, 1, -10, 10);
        glRotatef(90, 1, 0, 0);
    }
    // Pixel at the centre of mesh cell (i, j) of the quadrant mesh.
    Rgb cellPixel(int i, int j) {
        float x = (i + 0.5f) / 4.0f - 1.0f, z = (j + 0.5f) / 4.0f - 1.0f;
        return readPixel(static_cast<int>((x + 1.0f) * 0.5f * kWidth), static_cast<int>((1.0f - z) * 0.5f * kHeight));
    }
    void buildCone() {
        solidTexture(dirtTexture, 255, 255, 255);  // rocks in their own colours
        rndSeed(31);
        heightField.generate(2, 128, 0.05f, 0.0f);
        terrain.columns = terrain.rows = 30;
        terrain.radius = terrain.extent.x = terrain.extent.y = 8.0f;
        terrain.build(heightField);
        volcano.init();
    }
    // From the side, 6 units out, looking just over the summit (about 1.1 high), which lies below the middle row.
    void sideView(double fovy = 60) {
        beginTestFrame(kWidth, kHeight);
        glMatrixMode(GL_PROJECTION);
        gluPerspective(fovy, static_cast<double>(kWidth) / kHeight, 0.1, 100);
        glMatrixMode(GL_MODELVIEW);
        gluLookAt(0, 1.5, 6, 0, 1.2, 0, 0, 1, 0);
        camera.readBack();
        drawLayers(volcano);
    }
    void drawFromTheSide() {
        sideView();
        volcano.draw();
    }
    // Rust-coloured rock pixels in the sky above the summit.
    int orangeInTheSky() {
        int count = 0;
        for (int y = kHeight / 2 + 8; y < kHeight; y += 2)
            for (int x = 0; x < kWidth; x += 2) {
                Rgb p = readPixel(x, y);
                count += p.r > 100 && p.r - p.g > 30 && p.g - p.b > 30;
            }
        return count;
    }
    void stepTo(int millis) {
        for (int m = frameClock.millis + 20; m <= millis; m += 20) {
            frameClock.advance(m);
            volcano.update();
        }
    }
};

}  // namespace

TEST_F(VolcanoSceneGl, LayersDrawTheirTexturesWhereTheMeshPutsThemAndTheWaterIsHalfTransparent) {
    buildQuadrants();
    terrain.texture = &cloudTexture;  // as a cloud pass leaves it: the layer pass then textures
    lookDown();
    drawLayers(volcano);
    expectRgb(cellPixel(1, 1), 128, 0, 128, "water: half blue over the red background");
    expectRgb(cellPixel(5, 1), 0, 255, 0, "grass");
    expectRgb(cellPixel(1, 5), 102, 0, 0, "dirt at 0.4");
    expectRgb(cellPixel(5, 5), 255, 255, 0, "summit in the cloud texture");
    // At the boundary cell the grass fades in over the two corners above the water's threshold.
    Rgb edge = cellPixel(3, 1);
    EXPECT_GT(edge.g, 40);
    EXPECT_GT(edge.b, 20);
}

TEST_F(VolcanoSceneGl, CloudsBlendedWithZeroAndOneLeaveThePictureUnchanged) {
    buildQuadrants();
    terrain.texture = &cloudTexture;
    prefs.color[0] = prefs.color[1] = prefs.color[2] = prefs.color[3] = 1.0f;
    prefs.texMagX = prefs.texMagY = 1.0f;
    frameClock.time = 3.0;
    lookDown();
    drawLayers(volcano);
    Rgb before[4] = {cellPixel(1, 1), cellPixel(5, 1), cellPixel(1, 5), cellPixel(3, 3)};
    prefs.blendMode0 = 0;
    prefs.blendMode1 = 1;
    drawClouds(volcano);
    Rgb after[4] = {cellPixel(1, 1), cellPixel(5, 1), cellPixel(1, 5), cellPixel(3, 3)};
    for (int k = 0; k < 4; ++k) expectRgb(after[k], before[k].r, before[k].g, before[k].b, "unchanged");
    // The same pass with GL_ONE, GL_ZERO paints the cloud texture over everything
    // (the depth it wrote the first time would hide a second pass at the same depth).
    glClear(GL_DEPTH_BUFFER_BIT);
    prefs.blendMode0 = 1;
    prefs.blendMode1 = 0;
    drawClouds(volcano);
    expectRgb(cellPixel(1, 5), 255, 255, 0, "clouds replace the dirt");
    EXPECT_FLOAT_EQ(terrain.textureOffset[0], 0.18f);
}

TEST_F(VolcanoSceneGl, TheEruptionFlashesAndThrowsRocksAboveTheSummitButNotInTheQuietHalf) {
    buildCone();
    stepTo(20020);
    ASSERT_EQ(volcano.bombCount, 95);
    drawFromTheSide();
    Rgb flash = readPixel(kWidth / 2, kHeight - 10);
    EXPECT_GT(flash.r, 200);
    EXPECT_GT(flash.g, 200);

    stepTo(20820);  // 0.8 s on: the flash has faded to a fifth, the rocks are up
    drawFromTheSide();
    EXPECT_GT(orangeInTheSky(), 5);

    // All trails in one quad list give exactly the pixels of one list per trail, drawn bomb by bomb.
    sideView();
    const std::vector<unsigned char> noTrails = readFrame(kWidth, kHeight);
    sideView();
    for (int i = 0; i < volcano.bombCount; ++i)
        if (volcano.bombs[i].trail.texture) volcano.bombs[i].trail.draw();
    const std::vector<unsigned char> oneListPerTrail = readFrame(kWidth, kHeight);
    sideView();
    volcano.drawTrails();
    EXPECT_TRUE(readFrame(kWidth, kHeight) == oneListPerTrail);
    int smoke = 0;
    for (size_t i = 0; i < noTrails.size(); ++i) smoke += noTrails[i] != oneListPerTrail[i];
    EXPECT_GT(smoke, 300) << "the trails show";

    // Rocks out of a narrow view are not sent: the picture is that of every rock drawn.
    sideView(15);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    dirtTexture.bind();
    for (int i = 0; i < volcano.bombCount; ++i) volcano.bombs[i].drawRock();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    const std::vector<unsigned char> everyRock = readFrame(kWidth, kHeight);
    sideView(15);
    const int sent = volcano.drawRocks();
    EXPECT_TRUE(readFrame(kWidth, kHeight) == everyRock);
    EXPECT_TRUE(sent > 5 && sent < volcano.bombCount) << sent;

    // The quiet half draws nothing, even before an update has cleared the bombs.
    frameClock.advance(30100);
    drawFromTheSide();
    EXPECT_EQ(orangeInTheSky(), 0);
    expectRgb(readPixel(kWidth / 2, kHeight - 10), 0, 0, 0, "dark sky");
}

// Spinning particles are laid out on the CPU; their axes must be where glRotatef would turn them.
TEST(ParticleQuadGl, TurnedAxesMatchTheGlRotations) {
    const float angles[][3] = {{0, 0, 0}, {30, -20, 75}, {-200, 95, -310}, {720, 10, 45}};
    for (const auto& a : angles) {
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glRotatef(a[0], 0, 1, 0);
        glRotatef(a[1], 1, 0, 0);
        glRotatef(a[2], 0, 0, 1);
        float m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        glPopMatrix();
        Vec3 u, v;
        turnedQuadAxes(a[0], a[1], a[2], u, v);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(u[i], m[i], 1e-5f) << a[0] << " " << a[1] << " " << a[2];
            EXPECT_NEAR(v[i], m[4 + i], 1e-5f) << a[0] << " " << a[1] << " " << a[2];
        }
    }
}

// Each rehearsal step (staged eruption, skies, splinter, every cloud blend) draws nothing that shows and puts
// back everything it touched, the random generator included.
TEST_F(VolcanoSceneGl, RehearsalStepsLeaveNoPixelAndNoStateBehind) {
    buildCone();
    prefs.spotLights = 1;
    skyBox.radius = 8.0f;
    rndSeed(77);
    drawFromTheSide();
    const std::vector<unsigned char> picture = readFrame(kWidth, kHeight);
    const float pieceX = splinter.pieces[ScreenSplinter::X][0][0];
    for (int step = 0; step < kRehearsalSteps; ++step) {
        drawFromTheSide();
        rehearseStep(step);
        ASSERT_TRUE(readFrame(kWidth, kHeight) == picture) << "step " << step;
    }
    EXPECT_EQ(rndState(), 77u);
    EXPECT_EQ(volcano.bombCount, 0);
    EXPECT_EQ(volcano.eruptionStart, 0.0);
    EXPECT_EQ(terrain.texture, nullptr) << "the first layer pass of the scene stays untextured";
    EXPECT_EQ(splinter.pieces[ScreenSplinter::X][0][0], pieceX);
    for (const ParticleSystem* s : {&volcano.ash, &volcano.lavaFlowA, &volcano.bombs[0].trail})
        for (const Particle& p : s->particles) ASSERT_FALSE(p.visible);
}
