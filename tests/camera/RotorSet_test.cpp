// Rotor sets: initial values, the random wander's draws in their order, frozen rotors and the wave read-outs.
#include "camera/RotorSet.h"
#include "core/Random.h"
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// The generator's next values as uniform numbers in [0, 1), without disturbing it.
std::vector<float> peekDraws(uint32_t seed, int n) {
    rndSeed(seed);
    std::vector<float> draws;
    for (int i = 0; i < n; ++i) draws.push_back(rndInt() / 32768.0f);
    rndSeed(seed);
    return draws;
}

}  // namespace

TEST(RotorSet, InitClampsToAHundredRotorsAndStartsThemActiveWithSmallPositiveVelocities) {
    std::vector<float> r = peekDraws(7, 2);
    RotorSet set;
    set.init(150);
    EXPECT_EQ(set.count, 100);
    EXPECT_FLOAT_EQ(set.angle[0], r[0] * 360.0f) << "the angle is drawn before the target";
    EXPECT_FLOAT_EQ(set.target[0], 0.02f + r[1] * 0.02f);
    for (int i = 0; i < set.count; ++i) {
        ASSERT_TRUE(set.target[i] >= 0.02f && set.target[i] < 0.04f && set.velocity[i] == set.target[i]);
        ASSERT_TRUE(set.active[i] == 1 && set.frozen[i] == 0);
    }
}

TEST(RotorSet, ZeroTimeStepChangesNothing) {
    rndSeed(99);
    RotorSet set;
    set.init(9);
    RotorSet before = set;
    set.update(0.0f, 5.0f);
    // angle, velocity, target and active lie one after another.
    EXPECT_EQ(std::memcmp(set.angle, before.angle, 3 * sizeof set.angle + sizeof set.active), 0);
}

TEST(RotorSet, UpdateDrawsActivityThenTargetThenSign) {
    RotorSet set;
    set.count = 1;
    set.velocity[0] = 0.0f;
    set.target[0] = 0.03f;
    // Rates this high make both chances certain, so all five draws happen.
    set.activityRate = 1000.0f;
    set.targetRate = 1000.0f;
    std::vector<float> r = peekDraws(4321, 5);
    set.update(0.01f, 1.0f);
    int active = r[1] < 0.33f ? 0 : 1;
    float t = 0.02f + r[3] * 0.02f;
    if (r[4] < 0.55f) t = -t;
    EXPECT_EQ(set.active[0], active);
    EXPECT_FLOAT_EQ(set.target[0], t);
    float v = active ? t * 0.01f : 0.0f;  // easing 1: a hundredth of the way from 0 to the target
    EXPECT_FLOAT_EQ(set.velocity[0], v);
    EXPECT_FLOAT_EQ(set.angle[0], 0.01f * v);
}

TEST(RotorSet, InactiveRotorDecaysAndActiveRotorEasesTowardsItsTarget) {
    RotorSet set;
    set.count = 2;
    set.activityRate = set.targetRate = 0.0f;  // no random changes
    set.easing = 0.5f;
    set.active[0] = 0;
    set.velocity[0] = 0.04f;
    set.active[1] = 1;
    set.velocity[1] = 0.0f;
    set.target[1] = 0.04f;
    set.update(0.1f, 1.0f);
    EXPECT_FLOAT_EQ(set.velocity[0], 0.04f * 0.95f);
    EXPECT_FLOAT_EQ(set.velocity[1], 0.04f * 0.05f);
}

TEST(RotorSet, FrozenRotorKeepsTurningAtItsVelocityAndDrawsNothing) {
    RotorSet set;
    set.count = 1;
    set.frozen[0] = 1;
    set.active[0] = 0;
    set.velocity[0] = 0.03f;
    set.angle[0] = 10.0f;
    set.activityRate = set.targetRate = 1000.0f;
    rndSeed(5);
    uint32_t state = rndState();
    set.update(2.0f, 3.0f);
    EXPECT_FLOAT_EQ(set.velocity[0], 0.03f);
    EXPECT_FLOAT_EQ(set.angle[0], 10.0f + 6.0f * 0.03f);
    EXPECT_EQ(rndState(), state);
}

TEST(RotorSet, WaveSwingsBetweenBaseAndBasePlusAmplitude) {
    RotorSet set;
    set.count = 1;
    const float kHalfPi = 1.5707964f;
    set.angle[0] = kHalfPi;
    EXPECT_NEAR(set.wave(0, 1.0f, 720, -360), 360.0f, 1e-3f);
    set.angle[0] = -kHalfPi;
    EXPECT_NEAR(set.wave(0, 1.0f, 720, -360), -360.0f, 1e-3f);
    // A quarter turn of phase moves sine to cosine.
    set.angle[0] = 0.0f;
    EXPECT_NEAR(set.wavePhase(0, 5.0f, kHalfPi, 8.0f, -4.0f), 4.0f, 1e-4f);
}
