// Particle pools: slot search, emission jitter and clamps, the emission interval, ageing and ramps.
#include "app/Globals.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include "world/ParticleSystem.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

class ParticleSystemTest : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        nextFreeHint = 0;
        frameClock.time = 1.0;
        frameClock.dt = 0.02f;
        ps->emitInterval = 0.0f;
        ps->lifetime = 100.0f;
    }
    int alive(const ParticleSystem& s) const {
        int n = 0;
        for (const Particle& p : s.particles) n += p.visible;
        return n;
    }
    std::unique_ptr<ParticleSystem> ps = std::make_unique<ParticleSystem>();
};

}  // namespace

TEST_F(ParticleSystemTest, AFullPoolDropsEmissionsAndNeverUsesTheSpareSlot) {
    ps->capacity = 100;
    for (int i = 0; i < 100; ++i) ASSERT_EQ(ps->emit(0, 0, 0), i);
    frameClock.time = 2.0;
    EXPECT_EQ(ps->emit(0, 0, 0), -1);
    EXPECT_EQ(ps->particles[100].visible, 0);
    EXPECT_EQ(alive(*ps), 100);
    EXPECT_EQ(ps->lastEmitTime, 1.0);  // a dropped emission changes nothing
    EXPECT_EQ(nextFreeHint, 0);
}

TEST_F(ParticleSystemTest, SystemsShareTheFreeSlotHint) {
    auto other = std::make_unique<ParticleSystem>();
    other->emitInterval = 0.0f;
    EXPECT_EQ(ps->emit(0, 0, 0), 0);
    EXPECT_EQ(ps->emit(0, 0, 0), 1);
    // The other system starts its search where this one stopped.
    EXPECT_EQ(other->emit(0, 0, 0), 2);
    EXPECT_EQ(nextFreeHint, 3);
    ps->capacity = 2;  // a hint beyond the pool is taken modulo its size
    ps->reset();
    EXPECT_EQ(ps->emit(0, 0, 0), 1);
}

TEST_F(ParticleSystemTest, EmissionDrawsItsRandomNumbersInOrder) {
    ps->velocity = Vec3(10, 20, 30);
    ps->velocityJitter = Vec3(1, 2, 3);
    ps->spinJitter = 50.0f;
    ps->sizeJitter = 0.5f;
    ps->startSize = 2.0f;
    ps->endSize = 4.0f;
    ps->colorJitter = 0.2f;
    ps->startColor[1] = 0.5f;
    ps->endColor[2] = 0.25f;
    ps->lifeJitter = 0.5f;
    ps->lifetime = 2.0f;
    ps->startAlpha = 0.75f;
    rndSeed(321);
    float d[15];
    for (float& x : d) x = rnd(1.0f);
    rndSeed(321);
    const Particle& p = ps->particles[ps->emit(1, 2, 3)];
    auto sym = [](float r) { return r * 2.0f - 1.0f; };  // R(2) - 1 from the same draw
    EXPECT_FLOAT_EQ(p.velocity.x, 10 + sym(d[0]) * 1);
    EXPECT_FLOAT_EQ(p.velocity.y, 20 + sym(d[1]) * 2);
    EXPECT_FLOAT_EQ(p.velocity.z, 30 + sym(d[2]) * 3);
    EXPECT_NEAR(p.rotation.z, d[3] * 360.0f, 1e-3f);
    EXPECT_NEAR(p.spin.z, sym(d[4]) * 50.0f, 1e-4f);
    EXPECT_FLOAT_EQ(p.startSize, sym(d[5]) * 0.5f + 2.0f);
    EXPECT_FLOAT_EQ(p.endSize, sym(d[6]) * 0.5f + 4.0f);
    EXPECT_FLOAT_EQ(p.radius, p.startSize);
    EXPECT_FLOAT_EQ(p.startColor[1], (d[9] - 0.5f) * 0.2f + 0.5f);  // red start, red end, then green
    EXPECT_FLOAT_EQ(p.endColor[2], (d[12] - 0.5f) * 0.2f + 0.25f);
    EXPECT_FLOAT_EQ(p.lifetime, 2.0f + (d[13] - 0.5f) * 0.5f * 2.0f);
    EXPECT_DOUBLE_EQ(p.deathTime, 1.0 + p.lifetime);
    EXPECT_FLOAT_EQ(p.color.a, 0.75f);
    EXPECT_FLOAT_EQ(p.origin.z, 3.0f);
}

TEST_F(ParticleSystemTest, JitteredLivesSpanHalfToOneAndAHalfTimesTheMean) {
    ps->lifetime = 2.0f;
    ps->lifeJitter = 1.0f;
    float lo = 10, hi = 0;
    rndSeed(5);
    for (int i = 0; i < 2000; ++i) {
        ps->reset();
        const Particle& p = ps->particles[ps->emit(0, 0, 0)];
        lo = std::min(lo, p.lifetime);
        hi = std::max(hi, p.lifetime);
    }
    EXPECT_GE(lo, 1.0f);
    EXPECT_LT(lo, 1.01f);
    EXPECT_LT(hi, 3.0f);
    EXPECT_GT(hi, 2.99f);
}

TEST_F(ParticleSystemTest, JitteredColoursAreClampedToTheUnitRange) {
    ps->colorJitter = 1.0f;
    ps->startColor[0] = 0.9f;
    ps->endColor[0] = 0.1f;
    int ones = 0, zeros = 0;
    rndSeed(11);
    for (int i = 0; i < 500; ++i) {
        ps->reset();
        const Particle& p = ps->particles[ps->emit(0, 0, 0)];
        ASSERT_LE(p.startColor[0], 1.0f);
        ASSERT_GE(p.endColor[0], 0.0f);
        ones += p.startColor[0] == 1.0f;
        zeros += p.endColor[0] == 0.0f;
    }
    EXPECT_GT(ones, 50);
    EXPECT_GT(zeros, 50);
}

TEST_F(ParticleSystemTest, TheIntervalHoldsAgainstTheLastEmissionEvenAfterAReset) {
    ps->emitInterval = 0.1f;
    EXPECT_GE(ps->emit(0, 0, 0), 0);
    ps->reset();
    EXPECT_EQ(alive(*ps), 0);
    frameClock.time = 1.05;
    EXPECT_EQ(ps->emit(0, 0, 0), -1);
    frameClock.time = 1.1000001;
    EXPECT_GE(ps->emit(0, 0, 0), 0);
}

TEST_F(ParticleSystemTest, UpdateRampsSizeColourAndAlphaAndEndsTheLife) {
    ps->lifetime = 2.0f;
    ps->startSize = 1.0f;
    ps->endSize = 3.0f;
    ps->startColor[1] = ps->startColor[2] = 0.0f;
    ps->endColor[0] = ps->endColor[1] = 0.0f;
    ps->startAlpha = 1.0f;
    ps->endAlpha = 0.0f;
    ps->gravity = Vec3(0, -10, 0);
    ps->velocity = Vec3(1, 0, 0);
    int slot = ps->emit(0, 0, 0);
    const Particle& p = ps->particles[slot];
    frameClock.time = 1.5;
    frameClock.dt = 0.5f;
    ps->update();
    EXPECT_FLOAT_EQ(p.age, 0.5f);
    EXPECT_FLOAT_EQ(p.radius, 1.5f);
    EXPECT_FLOAT_EQ(p.color.r, 0.75f);
    EXPECT_FLOAT_EQ(p.color.b, 0.25f);
    EXPECT_FLOAT_EQ(p.color.a, 0.75f);
    // Moved with the old velocity, then gravity applied.
    EXPECT_FLOAT_EQ(p.position.x, 0.5f);
    EXPECT_FLOAT_EQ(p.position.y, 0.0f);
    EXPECT_FLOAT_EQ(p.velocity.y, -5.0f);
    frameClock.time = 3.0;
    ps->update();
    EXPECT_EQ(p.visible, 0);
    EXPECT_FLOAT_EQ(p.position.x, 0.5f);  // a dying particle does not move
}

TEST_F(ParticleSystemTest, ParticlesWithoutLifetimeNeverExpireNorRamp) {
    ps->endSize = 9.0f;
    int slot = ps->emit(0, 0, 0);
    Particle& p = ps->particles[slot];
    p.lifetime = 0.0f;
    frameClock.time = 1e6;
    ps->update();
    EXPECT_EQ(p.visible, 1);
    EXPECT_FLOAT_EQ(p.radius, 1.0f);
}

TEST_F(ParticleSystemTest, CopyAssignmentCopiesParticlesAndParametersAndSharesTheTexture) {
    Texture tex;
    ps->texture = &tex;
    ps->spinJitter = 7.0f;
    ps->capacity = 50;
    int slot = ps->emit(4, 5, 6);
    auto copy = std::make_unique<ParticleSystem>();
    *copy = *ps;
    EXPECT_EQ(copy->texture, &tex);
    EXPECT_EQ(copy->spinJitter, 7.0f);
    EXPECT_EQ(copy->capacity, 50);
    EXPECT_EQ(copy->particles[slot].visible, 1);
    EXPECT_FLOAT_EQ(copy->particles[slot].origin.y, 5.0f);
}
