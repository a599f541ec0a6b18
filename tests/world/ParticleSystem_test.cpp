// Particle pools: slot search, the emission interval, emission draws with their clamps, ageing and ramps.
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
        resetProgramState(); nextFreeHint = 0; frameClock.time = 1.0;
        ps->emitInterval = 0.0f; ps->lifetime = 100.0f;
    }
    std::unique_ptr<ParticleSystem> ps = std::make_unique<ParticleSystem>();
};

}  // namespace

TEST_F(ParticleSystemTest, AFullPoolDropsEmissionsSilentlyAndTheIntervalHoldsEvenAfterAReset) {
    for (int i = 0; i < 100; ++i) ASSERT_EQ(ps->emit(0, 0, 0), i);
    frameClock.time = 2.0; EXPECT_EQ(ps->emit(0, 0, 0), -1);
    EXPECT_EQ(ps->particles[100].visible, 0) << "the spare slot stays unused";
    EXPECT_EQ(ps->lastEmitTime, 1.0);  // a dropped emission changes nothing
    EXPECT_EQ(nextFreeHint, 0); ps->reset(); ps->emitInterval = 0.1f;
    frameClock.time = 1.05; EXPECT_EQ(ps->emit(0, 0, 0), -1); nextFreeHint = 7;
    frameClock.time = 1.1000001;
    EXPECT_EQ(ps->emit(0, 0, 0), 7);  // the search starts at the hint
}

TEST_F(ParticleSystemTest, LivesSpanHalfToOneAndAHalfTimesTheMeanAndColoursClamp) {
    ps->lifetime = 2.0f; ps->lifeJitter = ps->colorJitter = 1.0f; ps->startColor[0] = 0.9f;
    ps->endColor[0] = 0.1f; float lo = 10, hi = 0; int ones = 0, zeros = 0;
    rndSeed(5);
    for (int i = 0; i < 2000; ++i) {
        ps->reset(); const Particle& p = ps->particles[ps->emit(1, 2, 3)]; lo = std::min(lo, p.lifetime);
        hi = std::max(hi, p.lifetime); ASSERT_TRUE(p.startColor[0] <= 1.0f && p.endColor[0] >= 0.0f);
        ones += p.startColor[0] == 1.0f; zeros += p.endColor[0] == 0.0f;
    }
    EXPECT_TRUE(lo >= 1.0f && lo < 1.01f && hi < 3.0f && hi > 2.99f) << lo << " " << hi;
    EXPECT_TRUE(ones > 200 && zeros > 200) << ones << " " << zeros;
}

TEST_F(ParticleSystemTest, UpdateRampsSizeColourAndAlphaOverTheLifeAndThenEndsIt) {
    ps->lifetime = 2.0f; ps->endSize = 3.0f;
    ps->startColor[1] = ps->startColor[2] = ps->endColor[0] = ps->endColor[1] = ps->endAlpha = 0.0f;
    ps->gravity = Vec3(0, -10, 0); ps->velocity = Vec3(1, 0, 0); const Particle& p = ps->particles[ps->emit(1, 2, 3)];
    frameClock.time = 1.5; frameClock.dt = 0.5f; ps->update();
    const float got[6] = {p.radius, p.color.r, p.color.b, p.color.a, p.position.x, p.velocity.y};
    const float expected[6] = {1.5f, 0.75f, 0.25f, 0.75f, 1.5f, -5.0f};  // moved with the old velocity, then gravity
    for (int k = 0; k < 6; ++k) EXPECT_FLOAT_EQ(got[k], expected[k]) << k;
    frameClock.time = 3.0; frameClock.dt = 1.5f; ps->update();
    EXPECT_EQ(p.visible, 0); EXPECT_FLOAT_EQ(p.position.x, 1.5f);
}
