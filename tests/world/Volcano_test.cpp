// The eruption cycle driven by the clock alone: timing, the launch, flights, bounces, the quiet half, the variations.
#include "app/Globals.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

float heightBuffer[HeightField::kMaxCells];
float scratchBuffer[HeightField::kMaxCells];

class VolcanoTest : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        static const std::unique_ptr<Volcano> fresh = std::make_unique<Volcano>();
        volcano = *fresh;
        prefs.objectSize = prefs.groundHeight = 1.0f;
        appState.soundEnabled = 0;
        rndSeed(2024);
        heightField.setBuffers(heightBuffer, scratchBuffer);
        heightField.generate(2, 128, 0.05f, 0.0f);
        terrain.columns = terrain.rows = 30;
        terrain.radius = terrain.extent.x = terrain.extent.y = 8.0f;
        terrain.build(heightField);
        volcano.heightField = &heightField;
        volcano.terrain = &terrain;
        volcano.smokeTexture = &blobCloudTexture;
        volcano.init();
    }
    // Frames of 20 ms, as with a fixed step of 0.02.
    void runUntil(double seconds) {
        while (frameClock.millis < seconds * 1000 - 1e-6) {
            frameClock.advance(frameClock.millis + 20);
            volcano.update();
        }
    }
    static int alive(const ParticleSystem& s) {
        int n = 0;
        for (const Particle& p : s.particles) n += p.visible;
        return n;
    }
    static std::vector<float> heights() { return {heightBuffer, heightBuffer + HeightField::kMaxCells}; }
};

}  // namespace

TEST_F(VolcanoTest, EruptionDrawsTheCraterFirstAndAFullAshPoolDropsTheRest) {
    frameClock.advance(25000);
    for (int i = 0; i < 80; ++i) volcano.ash.emit(0, 0, 0);
    rndSeed(77);
    float d[2] = {rnd(1.0f), rnd(1.0f)};
    std::vector<float> cone = heights();
    rndSeed(77);
    volcano.erupt();
    // Column from the second draw, row from the first, each 60 + R(4); stored mirrored.
    int centre = (67 - static_cast<int>(d[1] * 4)) + (67 - static_cast<int>(d[0] * 4)) * 128;
    EXPECT_NEAR(heightBuffer[centre], cone[centre] - 0.9f, 1e-5f);
    int trails = 0;
    for (int i = 0; i < 95; ++i) trails += volcano.bombs[i].trail.texture != nullptr;
    EXPECT_GT(trails, 15);
    EXPECT_LT(trails, 50);
    EXPECT_EQ(alive(volcano.ash), 100);
}

// The cycle runs on real time: paused or not, whatever the camera, the first 20 s have no bombs nor heal,
// then every bomb rises out of the crater and flies the same way.
TEST_F(VolcanoTest, FirstEruptionAfterTwentySecondsThrowsEveryBombOutAlikeInEveryCameraMode) {
    const struct { int cameraMode, paused; } modes[] = {{0, 0}, {1, 0}, {1, 1}, {3, 0}};
    std::vector<float> reference;
    for (const auto& m : modes) {
        SetUp();
        prefs.cameraMode = m.cameraMode;
        prefs.paused = m.paused;
        std::vector<float> cone = heights();
        runUntil(20.0);
        EXPECT_EQ(volcano.bombCount, 0);
        EXPECT_EQ(heights(), cone);
        EXPECT_GT(alive(volcano.lavaFlowA), 40);  // the flows run from the start
        runUntil(20.02);
        ASSERT_EQ(volcano.bombCount, 95);
        EXPECT_DOUBLE_EQ(volcano.eruptionStart, 20.02);
        EXPECT_EQ(alive(volcano.ash), 40);
        EXPECT_NE(heights(), cone);
        EXPECT_FLOAT_EQ(camera.wanderStrength, 1.0f);
        // The highest each bomb gets above the ground under it during its first two seconds.
        std::vector<float> peaks(95, -1.0f);
        float w = terrain.radius;
        for (int frame = 0; frame < 100; ++frame) {
            runUntil(frameClock.realSeconds + 0.02);
            for (int i = 0; i < 95; ++i) {
                const Vec3& p = volcano.bombs[i].position;
                peaks[i] = std::max(peaks[i], p.y - terrain.heightAt((p.x + 0.5f * w) / w, (p.z + 0.5f * w) / w));
            }
        }
        EXPECT_EQ(std::count_if(peaks.begin(), peaks.end(), [](float h) { return h < 0.3f; }), 0)
            << "bombs that never leave the crater, camera mode " << m.cameraMode;
        if (reference.empty()) reference = peaks;
        EXPECT_EQ(peaks, reference) << "camera mode " << m.cameraMode << " paused " << m.paused;
    }
}

TEST_F(VolcanoTest, BombsBounceOffTheGroundAndStopAtTheBorder) {
    frameClock.dt = 0.02f;
    LavaBomb& b = volcano.bombs[0];
    // The trail's set-up reached the program's own bombs, built before main.
    EXPECT_FLOAT_EQ(b.trail.velocityJitter.y, 0.01f);
    b.radius = 0.1f;
    b.extent = Vec3(0.1f, 0.1f, 0.1f);
    b.position = Vec3(3.2f, terrain.heightAt(0.9f, 0.5f) + 0.06f, 0.0f);  // just above the plain
    b.velocity = Vec3(1.0f, -4.0f, 0.0f);
    b.spin = Vec3(100.0f, -100.0f, 0.0f);
    b.fly(terrain);
    EXPECT_NEAR(b.velocity.y, 4.06f * 0.5f, 1e-4f);
    EXPECT_NEAR(b.velocity.x, 0.7f, 0.05f);  // plus a little slide downhill
    EXPECT_FLOAT_EQ(b.spin.x, 80.0f);
    EXPECT_FLOAT_EQ(b.spin.y, -80.0f);
    b.position = Vec3(3.99f, 5.0f, 0.0f);  // high in the air, flying out over the border
    b.velocity = Vec3(2.0f, 1.0f, 0.0f);
    b.fly(terrain);
    EXPECT_FLOAT_EQ(b.velocity.y, 0.94f);
    EXPECT_FLOAT_EQ(b.spin.x, 80.0f);
    EXPECT_FLOAT_EQ(b.position.x, 4.0f);
    EXPECT_FLOAT_EQ(b.velocity.x, -0.4f);
}

TEST_F(VolcanoTest, TheQuietHalfClearsTheBombsVariesHealsAndFreezesEverything) {
    runUntil(30.02);
    ASSERT_EQ(volcano.bombCount, 95);
    runUntil(30.04);
    EXPECT_EQ(volcano.bombCount, 0);
    EXPECT_EQ(volcano.lastUniversePick, prefs.universe);
    EXPECT_GT(heightBuffer[63 + 63 * 128], 1.04f);  // the summit is whole again
    EXPECT_NEAR(terrain.heightAt(0.5f, 0.5f) / prefs.groundHeight, 1.1f, 0.1f);
    std::vector<float> healed = heights();
    const Particle* p = volcano.lavaFlowA.particles;
    while (!p->visible) ++p;
    Vec3 at = p->position;
    int lava = alive(volcano.lavaFlowA);
    runUntil(40.0);
    EXPECT_EQ(heights(), healed);
    EXPECT_EQ(alive(volcano.lavaFlowA), lava);
    EXPECT_EQ(p->position.y, at.y);
    runUntil(40.1);
    EXPECT_EQ(volcano.bombCount, 95);
    // The frozen lava goes on where it stopped instead of dying all at once.
    EXPECT_GE(alive(volcano.lavaFlowA), lava - 2);
    EXPECT_TRUE(p->visible);
    EXPECT_NE(p->position.x, at.x);
}

TEST_F(VolcanoTest, VariationsNeverRepeatTheSkyNorPickForbiddenBlends) {
    for (int seed = 0; seed < 300; ++seed) {
        rndSeed(seed);
        dialogs.rebuildRequest = 0;
        int sky = volcano.lastUniversePick, src = volcano.lastBlendPick0, dst = volcano.lastBlendPick1;
        volcano.varyScene();
        ASSERT_GE(prefs.groundHeight, 0.7f);
        ASSERT_LT(prefs.groundHeight, 1.6f);
        ASSERT_TRUE(prefs.universe >= 1 && prefs.universe <= 3 && prefs.universe != sky);
        ASSERT_TRUE(prefs.blendMode0 >= 0 && prefs.blendMode0 <= 7 && prefs.blendMode0 != src);
        ASSERT_TRUE(prefs.blendMode1 >= 1 && prefs.blendMode1 <= 7 && prefs.blendMode1 != dst);
        for (int bad : {4, 5}) ASSERT_TRUE(prefs.blendMode0 != bad && prefs.blendMode1 != bad);
        ASSERT_FALSE(prefs.blendMode0 == 3 && prefs.blendMode1 == 3);
        ASSERT_EQ(dialogs.rebuildRequest, 1) << "an open options page shows the new values";
    }
}
