// The eruption cycle driven by the clock alone: timing, the launch, bounces, the quiet half and the variations.
#include "app/Globals.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include "world/Volcano.h"
#include <cstring>
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
        prefs.objectSize = 1.0f;
        prefs.groundHeight = 1.0f;
        prefs.tesselation = 30;
        prefs.universe = 1;
        appState.worldSize = 8.0f;
        appState.soundEnabled = 0;
        rndSeed(2024);
        heightField.setBuffers(heightBuffer, scratchBuffer);
        heightField.generate(2, 128, 0.05f, 0.0f);
        terrain.columns = terrain.rows = prefs.tesselation;
        terrain.radius = terrain.extent.x = terrain.extent.y = appState.worldSize;
        terrain.build(heightField);
        volcano.heightField = &heightField;
        volcano.terrain = &terrain;
        volcano.smokeTexture = &blobCloudTexture;
        volcano.imageTexture = &spotTexture;
        volcano.init();
        frame = 0;
    }
    // Frames of 20 ms, as the program runs with a fixed step of 0.02.
    void runUntil(double seconds) {
        while (frame * 0.02 < seconds - 1e-9) {
            frame += 1;
            frameClock.advance(frame * 20);
            volcano.update();
        }
    }
    int alive(const ParticleSystem& s) const {
        int n = 0;
        for (const Particle& p : s.particles) n += p.visible;
        return n;
    }
    bool heightsEqual(const std::vector<float>& snapshot) const {
        return std::memcmp(snapshot.data(), heightBuffer, sizeof heightBuffer) == 0;
    }
    std::vector<float> snapshot() const { return std::vector<float>(heightBuffer, heightBuffer + HeightField::kMaxCells); }

    long frame = 0;
};

}  // namespace

TEST_F(VolcanoTest, InitSetsUpTheThreeSystems) {
    EXPECT_EQ(volcano.bombCount, 0);
    EXPECT_EQ(volcano.ash.texture, &blobCloudTexture);
    EXPECT_EQ(volcano.lavaFlowA.texture, &spotTexture);
    EXPECT_FLOAT_EQ(volcano.ash.lifetime, 3.0f);
    EXPECT_FLOAT_EQ(volcano.ash.velocity.y, 0.4f);
    EXPECT_EQ(volcano.ash.blendDst, 3);
    EXPECT_EQ(volcano.lavaFlowB.blendSrc, 6);
    EXPECT_FLOAT_EQ(volcano.lavaFlowB.gravity.x, -0.06f);
    EXPECT_FLOAT_EQ(volcano.lavaFlowA.alphaRef, 0.01f);
    EXPECT_EQ(volcano.lavaFlowA.depthWrite, 0);
    EXPECT_EQ(volcano.lavaFlowA.capacity, 100);
    EXPECT_FLOAT_EQ(volcano.bombs[7].trail.emitInterval, 0.005f);
    EXPECT_FLOAT_EQ(volcano.bombs[7].trail.endColor[2], 0.125f);
}

TEST_F(VolcanoTest, TheFirstTwentySecondsHaveNoBombsAndNoHealThenTheFirstEruption) {
    std::vector<float> cone = snapshot();
    runUntil(10.0);
    EXPECT_EQ(volcano.bombCount, 0);
    EXPECT_GT(alive(volcano.lavaFlowA), 40);  // the flows run from the start
    runUntil(20.0);
    EXPECT_EQ(volcano.bombCount, 0);
    EXPECT_TRUE(heightsEqual(cone));
    EXPECT_EQ(volcano.eruptionStart, 0.0);
    runUntil(20.02);
    EXPECT_EQ(volcano.bombCount, 95);
    EXPECT_DOUBLE_EQ(volcano.eruptionStart, 20020 * 0.001);
    EXPECT_EQ(alive(volcano.ash), 40);
    EXPECT_FALSE(heightsEqual(cone));
    EXPECT_FLOAT_EQ(camera.wanderStrength, 1.0f);
}

TEST_F(VolcanoTest, EruptionDrawsTheCraterThenEachBombInOrder) {
    frameClock.advance(25000);
    rndSeed(77);
    float d[16];
    for (float& x : d) x = rnd(1.0f);
    std::vector<float> cone = snapshot();
    rndSeed(77);
    volcano.erupt();
    // Crater column from the second draw, row from the first: both 60 + up to 4.
    int cx = static_cast<int>(60.0f + d[1] * 4.0f), cy = static_cast<int>(60.0f + d[0] * 4.0f);
    int centre = (127 - cx) + (127 - cy) * 128;
    EXPECT_NEAR(heightBuffer[centre], cone[centre] - 0.9f, 1e-5f);
    const LavaBomb& b = volcano.bombs[0];
    EXPECT_EQ(b.trail.texture, d[2] < 0.33f ? &blobCloudTexture : nullptr);
    EXPECT_FLOAT_EQ(b.position.x, (d[3] - 0.5f) * 0.8f);
    EXPECT_FLOAT_EQ(b.position.y, (d[4] - 0.5f) * 0.8f + 0.4f);
    EXPECT_FLOAT_EQ(b.velocity.y, (d[7] + 1.0f) * 0.8f * 3.0f);
    EXPECT_FLOAT_EQ(b.velocity.z, (d[8] - 0.5f) * 0.8f * 4.0f);
    EXPECT_FLOAT_EQ(b.radius, d[14] * d[13] * 0.1f + 0.01f);
    EXPECT_FLOAT_EQ(b.extent.z, b.radius);
    EXPECT_FLOAT_EQ(b.color.g, d[15] * 2.0f < 1.0f ? 0.5f : 0.25f);
    int trails = 0;
    for (int i = 0; i < 95; ++i) trails += volcano.bombs[i].trail.texture != nullptr;
    EXPECT_GT(trails, 15);
    EXPECT_LT(trails, 50);
}

TEST_F(VolcanoTest, BombsBounceOffTheGroundAndStopAtTheBorder) {
    prefs.groundHeight = 1.0f;
    frameClock.dt = 0.02f;
    LavaBomb& b = volcano.bombs[0];
    b.trail.texture = nullptr;
    b.radius = 0.1f;
    b.extent = Vec3(0.1f, 0.1f, 0.1f);
    // Far out on the plain, just above the ground and falling.
    float ground = terrain.heightAt(0.9f, 0.5f);
    b.position = Vec3(0.4f * 8.0f, ground + 0.06f, 0.0f);
    b.velocity = Vec3(1.0f, -4.0f, 0.0f);
    b.spin = Vec3(100.0f, -100.0f, 0.0f);
    b.fly(terrain);
    EXPECT_NEAR(b.velocity.y, (-4.0f - 0.06f) * -0.5f, 1e-4f);
    EXPECT_NEAR(b.velocity.x, 0.7f, 0.05f);  // 30 % off, plus a little slide downhill
    EXPECT_FLOAT_EQ(b.spin.x, 80.0f);
    EXPECT_FLOAT_EQ(b.spin.y, -80.0f);
    EXPECT_GE(b.position.y, terrain.probeHeight + 0.05f - 1e-5f);
    // High in the air nothing is cut but gravity.
    b.position.y = 5.0f;
    b.velocity = Vec3(0.0f, 1.0f, 0.0f);
    b.fly(terrain);
    EXPECT_FLOAT_EQ(b.velocity.y, 1.0f - 0.06f);
    EXPECT_FLOAT_EQ(b.spin.x, 80.0f);
    // Past the border: stopped on it, the horizontal speed reversed and cut to a fifth.
    b.position = Vec3(3.99f, 5.0f, 0.0f);
    b.velocity = Vec3(2.0f, 0.0f, 0.0f);
    b.fly(terrain);
    EXPECT_FLOAT_EQ(b.position.x, 4.0f);
    EXPECT_FLOAT_EQ(b.velocity.x, -0.4f);
}

TEST_F(VolcanoTest, TheQuietHalfClearsTheBombsHealsAndFreezesEverything) {
    runUntil(30.0);
    ASSERT_EQ(volcano.bombCount, 95);
    runUntil(30.04);
    EXPECT_EQ(volcano.bombCount, 0);
    EXPECT_EQ(volcano.lastUniversePick, prefs.universe);  // varied once
    EXPECT_NE(prefs.groundHeight, 1.0f);
    // Healed: the summit is whole again (at the varied ground height's scale the mesh follows).
    EXPECT_GT(heightBuffer[63 + 63 * 128], 1.04f);
    EXPECT_NEAR(terrain.heightAt(0.5f, 0.5f) / prefs.groundHeight, 1.1f, 0.1f);
    std::vector<float> healed = snapshot();
    int lava = alive(volcano.lavaFlowA);
    ASSERT_GT(lava, 40);  // one every 0.12 s at this frame step, for six seconds
    const Particle* live = volcano.lavaFlowA.particles;
    while (!live->visible) ++live;
    const Particle& p = *live;
    Vec3 at = p.position;
    float age = p.age;
    runUntil(39.9);
    EXPECT_TRUE(heightsEqual(healed));
    EXPECT_EQ(alive(volcano.lavaFlowA), lava);
    EXPECT_EQ(p.position.x, at.x);
    EXPECT_EQ(p.position.y, at.y);
    EXPECT_EQ(p.age, age);
    runUntil(40.1);
    EXPECT_EQ(volcano.bombCount, 95);
    EXPECT_NEAR(volcano.eruptionStart, 40.03, 0.015);
}

TEST_F(VolcanoTest, PauseDoesNotStopTheCycle) {
    prefs.paused = 1;
    runUntil(20.02);
    EXPECT_EQ(volcano.bombCount, 95);
}

TEST_F(VolcanoTest, VariationsNeverRepeatTheSkyNorPickForbiddenBlends) {
    for (int seed = 0; seed < 300; ++seed) {
        rndSeed(seed);
        int sky = volcano.lastUniversePick, src = volcano.lastBlendPick0, dst = volcano.lastBlendPick1;
        volcano.varyScene();
        ASSERT_GE(prefs.groundHeight, 0.7f);
        ASSERT_LT(prefs.groundHeight, 1.6f);
        ASSERT_GE(prefs.universe, 1);
        ASSERT_LE(prefs.universe, 3);
        ASSERT_NE(prefs.universe, sky);
        ASSERT_NE(prefs.blendMode0, src);
        ASSERT_NE(prefs.blendMode1, dst);
        for (int bad : {4, 5, 8}) ASSERT_NE(prefs.blendMode0, bad);
        for (int bad : {0, 4, 5}) ASSERT_NE(prefs.blendMode1, bad);
        ASSERT_GE(prefs.blendMode0, 0);
        ASSERT_LE(prefs.blendMode1, 7);
        ASSERT_FALSE(prefs.blendMode0 == 3 && prefs.blendMode1 == 3);
    }
}

TEST_F(VolcanoTest, AFullAshPoolDropsTheRestOfTheBurst) {
    frameClock.advance(25000);
    for (int i = 0; i < 80; ++i) volcano.ash.emit(0, 0, 0);
    volcano.erupt();
    EXPECT_EQ(alive(volcano.ash), 100);
    EXPECT_EQ(volcano.ash.particles[100].visible, 0);
}
