// Rotor sets: the draws of init and update in their order, easing and decay, frozen rotors, the wave read-outs.
#include "camera/RotorSet.h"
#include "core/Random.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// The generator's next values as uniform numbers in [0, 1), leaving it where it was.
std::vector<float> peekDraws(uint32_t seed, int n) {
    rndSeed(seed); std::vector<float> draws;
    for (int i = 0; i < n; ++i) draws.push_back(rndInt() / 32768.0f);
    rndSeed(seed);
    return draws;
}

}  // namespace

TEST(RotorSet, InitClampsTheCountAndDrawsEachAngleBeforeItsTarget) {
    std::vector<float> r = peekDraws(7, 2); RotorSet set; set.init(150);
    EXPECT_EQ(set.count, 100); EXPECT_FLOAT_EQ(set.angle[0], r[0] * 360.0f);
    EXPECT_FLOAT_EQ(set.target[0], 0.02f + r[1] * 0.02f);
    EXPECT_TRUE(set.velocity[0] == set.target[0] && set.active[0] == 1); set.init(-5); EXPECT_EQ(set.count, 0);
}

TEST(RotorSet, UpdateDrawsActivityTargetAndSignThenEasesDecaysOrKeepsAFrozenRotorTurning) {
    RotorSet set; set.count = 1; set.target[0] = 0.03f;
    set.activityRate = set.targetRate = 1000.0f;  // both chances certain: all five draws happen
    std::vector<float> r = peekDraws(4321, 5); set.update(0.01f, 1.0f);
    float t = (r[4] < 0.55f ? -1.0f : 1.0f) * (0.02f + r[3] * 0.02f), v = r[1] < 0.33f ? 0.0f : t * 0.01f;
    EXPECT_EQ(set.active[0], r[1] < 0.33f ? 0 : 1); EXPECT_FLOAT_EQ(set.target[0], t);
    EXPECT_FLOAT_EQ(set.velocity[0], v);  // easing 1: a hundredth of the way from 0 to the target
    EXPECT_FLOAT_EQ(set.angle[0], 0.01f * v);

    // No random changes: rotor 0 idles and decays, 1 eases towards its target, 2 is frozen and draws nothing.
    set = RotorSet(); set.count = 3; set.activityRate = set.targetRate = 0.0f;
    set.easing = 0.5f; set.velocity[0] = set.target[1] = 0.04f; set.active[1] = 1;
    set.frozen[2] = 1; set.velocity[2] = 0.03f; set.angle[2] = 10.0f;
    set.update(0.1f, 3.0f); EXPECT_FLOAT_EQ(set.velocity[0], 0.04f * 0.95f);
    EXPECT_FLOAT_EQ(set.velocity[1], 0.04f * 0.05f); EXPECT_FLOAT_EQ(set.angle[1], 0.3f * 0.04f * 0.05f);
    EXPECT_FLOAT_EQ(set.velocity[2], 0.03f); EXPECT_FLOAT_EQ(set.angle[2], 10.0f + 0.3f * 0.03f);
    set.activityRate = set.targetRate = 1000.0f; set.count = 1; set.frozen[0] = 1;
    rndSeed(5); set.update(2.0f, 3.0f);
    EXPECT_EQ(rndState(), 5u) << "a frozen rotor draws nothing";
}

TEST(RotorSet, WaveSwingsBetweenBaseAndBasePlusAmplitude) {
    RotorSet set;
    const struct { float angle, k, phase, expected; } rows[] = {
        {1.5707964f, 1, 0, 360}, {-1.5707964f, 1, 0, -360}, {0.5f, 3.1415927f, 0, 360}, {0, 5, 1.5707964f, 360}};
    for (const auto& row : rows) {
        set.angle[0] = row.angle;
        float got = row.phase == 0 ? set.wave(0, row.k, 720, -360) : set.wavePhase(0, row.k, row.phase, 720, -360);
        EXPECT_NEAR(got, row.expected, 1e-3f) << row.angle << " " << row.k;
    }
}
