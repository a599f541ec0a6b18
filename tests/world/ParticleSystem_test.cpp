// Particle pools: slot search, emission draws, jitter and clamps, the emission interval, ageing and ramps.
#include "app/Globals.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ParticleSystemTest : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        nextFreeHint = 0;
        frameClock.time = 1.0;
        ps->emitInterval = 0.0f;
        ps->lifetime = 100.0f;
    }
    const Particle& emitOne() { return ps->particles[ps->emit(1, 2, 3)]; }
    std::unique_ptr<ParticleSystem> ps = std::make_unique<ParticleSystem>();
};

}  // namespace

TEST_F(ParticleSystemTest, AFullPoolDropsEmissionsSilentlyAndNeverUsesTheSpareSlot) {
    for (int i = 0; i < 100; ++i) ASSERT_EQ(ps->emit(0, 0, 0), i);
    frameClock.time = 2.0;
    EXPECT_EQ(ps->emit(0, 0, 0), -1);
    EXPECT_EQ(ps->particles[100].visible, 0);
    EXPECT_EQ(ps->lastEmitTime, 1.0);  // a dropped emission changes nothing
    EXPECT_EQ(nextFreeHint, 0);
}

TEST_F(ParticleSystemTest, LivesSpanHalfToOneAndAHalfTimesTheMeanAndColoursClamp) {
    ps->lifetime = 2.0f;
    ps->lifeJitter = 1.0f;
    ps->colorJitter = 1.0f;
    ps->startColor[0] = 0.9f;
    ps->endColor[0] = 0.1f;
    float lo = 10, hi = 0;
    int ones = 0, zeros = 0;
    rndSeed(5);
    for (int i = 0; i < 2000; ++i) {
        ps->reset();
        const Particle& p = emitOne();
        lo = std::min(lo, p.lifetime);
        hi = std::max(hi, p.lifetime);
        ASSERT_LE(p.startColor[0], 1.0f);
        ASSERT_GE(p.endColor[0], 0.0f);
        ones += p.startColor[0] == 1.0f;
        zeros += p.endColor[0] == 0.0f;
    }
    EXPECT_GE(lo, 1.0f);
    EXPECT_LT(lo, 1.01f);
    EXPECT_LT(hi, 3.0f);
    EXPECT_GT(hi, 2.99f);
    EXPECT_GT(ones, 200);
    EXPECT_GT(zeros, 200);
}

TEST_F(ParticleSystemTest, TheIntervalHoldsAgainstTheLastEmissionEvenAfterAReset) {
    ps->emitInterval = 0.1f;
    EXPECT_EQ(ps->emit(0, 0, 0), 0);
    ps->reset();
    frameClock.time = 1.05;
    EXPECT_EQ(ps->emit(0, 0, 0), -1);
    frameClock.time = 1.1000001;
    EXPECT_EQ(ps->emit(0, 0, 0), 1);  // the search starts after the last slot taken
}

TEST_F(ParticleSystemTest, UpdateRampsSizeColourAndAlphaOverTheLifeAndThenEndsIt) {
    ps->lifetime = 2.0f;
    ps->endSize = 3.0f;
    ps->startColor[1] = ps->startColor[2] = ps->endColor[0] = ps->endColor[1] = 0.0f;
    ps->endAlpha = 0.0f;
    ps->gravity = Vec3(0, -10, 0);
    ps->velocity = Vec3(1, 0, 0);
    const Particle& p = emitOne();
    frameClock.time = 1.5;
    frameClock.dt = 0.5f;
    ps->update();
    EXPECT_FLOAT_EQ(p.radius, 1.5f);
    EXPECT_FLOAT_EQ(p.color.r, 0.75f);
    EXPECT_FLOAT_EQ(p.color.b, 0.25f);
    EXPECT_FLOAT_EQ(p.color.a, 0.75f);
    EXPECT_FLOAT_EQ(p.position.x, 1.5f);  // moved with the old velocity, then gravity
    EXPECT_FLOAT_EQ(p.velocity.y, -5.0f);
    frameClock.time = 3.0;
    frameClock.dt = 1.5f;
    ps->update();
    EXPECT_EQ(p.visible, 0);
    EXPECT_FLOAT_EQ(p.position.x, 1.5f);
}
