// Pixels of the volcano scene: the height layers, map modes and the cloud pass from above, the eruption from the
// side, and the batched particles against the one-by-one drawing.
#include "app/Frame.h"
#include "app/Globals.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include "world/TerrainPasses.h"
#include <GL/glu.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

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
        solidTexture(dirtTexture, 0, 0, 0);  // black rocks, unless they are drawn untextured
        rndSeed(31);
        heightField.generate(2, 128, 0.05f, 0.0f);
        terrain.columns = terrain.rows = 30;
        terrain.radius = terrain.extent.x = terrain.extent.y = 8.0f;
        terrain.build(heightField);
        volcano.init();
    }
    // From the side, 6 units out, looking just over the summit (about 1.1 high), which lies below the middle row.
    void drawFromTheSide() {
        beginTestFrame(kWidth, kHeight);
        glMatrixMode(GL_PROJECTION);
        gluPerspective(60, static_cast<double>(kWidth) / kHeight, 0.1, 100);
        glMatrixMode(GL_MODELVIEW);
        gluLookAt(0, 1.5, 6, 0, 1.2, 0, 0, 1, 0);
        camera.readBack();
        drawLayers(volcano);
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

// The volcano scene's ground alone (the quiet half, no light), seen from above, then the cloud pass over it.
TEST_F(VolcanoSceneGl, LayersCoverEveryCellEachMapModeMapsThemItsOwnWayAndCloudsBlendOverThem) {
    buildQuadrants();
    terrain.texture = &cloudTexture;  // as a cloud pass leaves it: the layer pass then textures
    // Grass with one green texel, the one the cell centres below fall on, so that each mapping shows.
    grassTexture.bind();
    const unsigned char grass[16] = {255, 255, 255, 255, 0, 255, 0, 255, 255, 255, 255, 255, 255, 255, 255, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, grass);
    multiPassCloudShadow = prefs.universe = prefs.spotLights = 0;
    frameClock.realSeconds = 15.0;
    const struct { int i, j, r, g, b; const char* what; } cells[] = {
        {1, 1, 128, 0, 128, "water: half blue over the red background"},
        {5, 1, 0, 255, 0, "grass"},
        {1, 5, 102, 0, 0, "dirt at 0.4"},
        {5, 5, 255, 255, 0, "summit in the cloud texture"},
        {7, 1, 0, 255, 0, "grass up to the last column"},
        {1, 7, 102, 0, 0, "dirt up to the last row"},
        {7, 7, 255, 255, 0, "the far corner"},
    };
    std::vector<unsigned char> frames[4];
    for (int mode : {1, 2, 3, 0}) {  // the ground of mode 0 stays for the cells and the clouds
        prefs.mapMode = mode;
        lookDown();
        volcanoSceneDraw();
        frames[mode] = readFrame(kWidth, kHeight);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S)) << "mode " << mode;
    }
    multiPassCloudShadow = 1;
    for (int mode = 1; mode < 4; ++mode) {
        int differing = 0;
        for (size_t k = 0; k < frames[0].size(); ++k) differing += frames[mode][k] != frames[0][k];
        EXPECT_GT(differing, 3000) << "mode " << mode << " changes the picture";
    }
    for (const auto& c : cells) expectRgb(cellPixel(c.i, c.j), c.r, c.g, c.b, c.what);
    // At the boundary cell the grass fades in over the two corners above the water's threshold.
    Rgb edge = cellPixel(3, 1);
    EXPECT_GT(edge.g, 40);
    EXPECT_GT(edge.b, 20);

    // Clouds blended with GL_ZERO, GL_ONE leave the picture as it is; with GL_ONE, GL_ZERO they cover it
    // (a second pass at the same depth needs the depth the first one wrote cleared).
    prefs.color[0] = prefs.color[1] = prefs.color[2] = prefs.color[3] = 1.0f;
    prefs.texMagX = prefs.texMagY = 1.0f;
    frameClock.time = 3.0;
    prefs.blendMode0 = 0;
    prefs.blendMode1 = 1;
    drawClouds(volcano);
    EXPECT_TRUE(readFrame(kWidth, kHeight) == frames[0]) << "GL_ZERO, GL_ONE change nothing";
    glClear(GL_DEPTH_BUFFER_BIT);
    prefs.blendMode0 = 1;
    prefs.blendMode1 = 0;
    drawClouds(volcano);
    expectRgb(cellPixel(1, 5), 255, 255, 0, "clouds replace the dirt");
    EXPECT_FLOAT_EQ(terrain.textureOffset[0], 0.18f);
}

TEST_F(VolcanoSceneGl, TheEruptionFlashesAndThrowsRocksAboveTheSummitButNotInTheQuietHalf) {
    buildCone();
    prefs.textures = 0;  // the rocks show their own colours
    stepTo(20020);
    ASSERT_EQ(volcano.bombCount, 95);
    drawFromTheSide();
    Rgb flash = readPixel(kWidth / 2, kHeight - 10);
    EXPECT_GT(flash.r, 200);
    EXPECT_GT(flash.g, 200);

    stepTo(20820);  // 0.8 s on: the flash has faded to a fifth, the rocks are up
    drawFromTheSide();
    EXPECT_GT(orangeInTheSky(), 5);

    // The quiet half draws nothing, even before an update has cleared the bombs.
    frameClock.advance(30100);
    drawFromTheSide();
    EXPECT_EQ(orangeInTheSky(), 0);
    expectRgb(readPixel(kWidth / 2, kHeight - 10), 0, 0, 0, "dark sky");
}

// Spinning particles as drawn one by one, each in its own turned matrix with no normal of its own.
void drawParticlesOneByOne(ParticleSystem& system) {
    system.beginRenderState();
    for (const Particle& p : system.particles) {
        if (!p.visible) continue;
        float r = p.radius;
        glColor4f(p.color.r, p.color.g, p.color.b, p.color.a);
        glPushMatrix();
        glTranslatef(p.position.x, p.position.y, p.position.z);
        glRotatef(-camera.rotation.y - p.rotation.y, 0, 1, 0);
        glRotatef(-camera.rotation.x - p.rotation.x, 1, 0, 0);
        glRotatef(-camera.rotation.z - p.rotation.z, 0, 0, 1);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0); glVertex2f(-r, -r);
        glTexCoord2f(1, 0); glVertex2f(r, -r);
        glTexCoord2f(1, 1); glVertex2f(r, r);
        glTexCoord2f(0, 1); glVertex2f(-r, r);
        glEnd();
        glPopMatrix();
    }
    system.endRenderState();
}

// The ash drawn as one batch must place and light every quad as the one-by-one drawing does.
TEST_F(VolcanoSceneGl, BatchedParticlesLookExactlyAsDrawnOneByOne) {
    // Heading 90, pitch -20, lit, the ash two units ahead under the normal the terrain's last vertex left.
    beginTestFrame(kWidth, kHeight, 0.1f, 0.1f, 0.1f);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(60, static_cast<double>(kWidth) / kHeight, 0.1, 100);
    glMatrixMode(GL_MODELVIEW);
    glRotatef(-20, 1, 0, 0);
    glRotatef(90, 0, 1, 0);
    camera.rotation = Vec3(-20, 90, 0);
    camera.readBack();
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    light.setPosition(1, 3, 2);
    light.apply();
    glEnable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    volcano.init();
    ParticleSystem& ash = volcano.ash;
    ash.startSize = 0.25f;
    rndSeed(8);
    const float* back = camera.forward;
    for (int i = 0; i < 30; ++i)
        ash.emit(rnd(1.6f) - 0.8f - 2 * back[0], rnd(1.2f) - 0.6f - 2 * back[1], rnd(1.6f) - 0.8f - 2 * back[2]);
    glNormal3f(0.3f, 0.9f, 0.3f);
    ash.draw();
    std::vector<unsigned char> batched = readFrame(kWidth, kHeight);
    float n[3];
    glGetFloatv(GL_CURRENT_NORMAL, n);
    EXPECT_FLOAT_EQ(n[1], 0.9f) << "the normal in force is left as it was";
    glClear(GL_COLOR_BUFFER_BIT);
    drawParticlesOneByOne(ash);
    std::vector<unsigned char> single = readFrame(kWidth, kHeight);
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    int lit = 0, differing = 0;
    for (size_t k = 0; k < single.size(); ++k) {
        lit += single[k] > 40;
        differing += std::abs(batched[k] - single[k]) > 2;
    }
    EXPECT_GT(lit, 6000);
    EXPECT_LT(differing, lit / 100);
}
