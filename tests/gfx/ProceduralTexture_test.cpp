// Procedural texels: the values of each pattern and variant, the blob cloud's peak, the random patterns' sums;
// the value noise under the noise pattern.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "core/Random.h"
#include "gfx/Noise.h"
#include "gfx/ProceduralTexture.h"

namespace {

using V = TextureVariant;
// The variants in the tables: RGBA, luminance-alpha, big, one-dimensional.
constexpr V R = V::Rgba128, L = V::LumAlpha128, B = V::Rgba256, D = V::Rgba1D;

// Channel `c` of texel (x, y).
int texel(const GeneratedTexels& t, int x, int y, int c = 0) { return t.bytes[(y * t.width + x) * t.bytesPerTexel + c]; }

GeneratedTexels make(V variant, int kind, float scale = 64.0f, int amount = 0) {
    rndSeed(99);
    return generateTexels(variant, kind, scale, amount);
}

}  // namespace

TEST(ProceduralTexture, EachPatternGivesItsTexels) {
    const struct { V variant; int kind; float scale; int amount, x, y, c, value; } cases[] = {
        // Spot: 254 x (1 - d^2), zero from its radius on; kind 1 is its inverse.
        {R, 0, 64, 0, 64, 64, 3, 254}, {R, 0, 64, 0, 96, 64, 0, 190}, {R, 0, 64, 0, 64, 32, 1, 190}, {R, 0, 64, 0, 1, 64, 0, 7},
        {R, 0, 64, 0, 0, 64, 0, 0}, {R, 0, 64, 0, 64, 0, 0, 0}, {R, 0, 64, 0, 127, 127, 0, 0}, {R, 1, 64, 0, 64, 64, 2, 1},
        {L, 0, 64, 0, 64, 64, 1, 254}, {D, 0, 64, 0, 64, 0, 0, 254}, {D, 0, 64, 0, 32, 0, 0, 190},
        // Gradient (16 - sqrt(2y)) x 15 and its 1D row along x; checker of 8; grid of 4.
        {R, 2, 64, 0, 30, 0, 0, 240}, {R, 2, 64, 0, 30, 127, 0, 0}, {D, 2, 64, 0, 8, 0, 0, 180}, {R, 8, 64, 0, 7, 7, 0, 0},
        {R, 8, 64, 0, 8, 0, 0, 255}, {R, 8, 64, 0, 0, 8, 0, 255}, {R, 8, 64, 0, 8, 8, 0, 0}, {D, 8, 64, 0, 8, 0, 0, 255},
        {R, 9, 64, 0, 4, 1, 0, 255}, {R, 9, 64, 0, 1, 4, 0, 255}, {R, 9, 64, 0, 1, 1, 0, 0}, {D, 9, 64, 0, 1, 0, 0, 0},
        // Ring full at radius 58, falling to zero by 66.25.
        {R, 3, 64, 0, 122, 64, 0, 255}, {R, 3, 64, 0, 93, 64, 0, 127}, {R, 3, 64, 0, 2, 64, 0, 114},
        {R, 3, 64, 0, 0, 47, 0, 0}, {D, 3, 64, 0, 64, 0, 3, 0},
        // Pyramid over the half size (128 in the big variant); rounded square; the bar; the wavy band.
        {B, 5, 64, 0, 128, 128, 0, 255}, {B, 5, 64, 0, 64, 128, 0, 127}, {R, 5, 64, 0, 32, 64, 0, 127},
        {R, 14, 64, 0, 64, 64, 0, 254}, {R, 14, 64, 0, 100, 64, 0, 166}, {R, 14, 64, 0, 80, 80, 0, 254},
        {R, 14, 64, 0, 120, 120, 0, 0}, {D, 14, 64, 0, 100, 0, 0, 166}, {R, 12, 64, 0, 127, 5, 0, 5},
        {R, 12, 64, 0, 64, 5, 0, 255}, {R, 4, 64, 0, 10, 40, 0, 0}, {R, 4, 64, 0, 10, 70, 0, 0},
        {R, 4, 64, 0, 10, 60, 0, 177}, {B, 4, 64, 0, 10, 120, 0, 255}, {R, 12, 64, 0, 120, 5, 0, 41},
        // The cross only in the 128 RGBA variant; the blob cloud clear of the corners; Perlin noise.
        {R, 13, 64, 0, 64, 10, 0, 255}, {R, 13, 64, 0, 64, 10, 1, 0}, {L, 13, 64, 0, 64, 10, 1, 0},
        {R, 6, 64, 0, 0, 0, 0, 0}, {R, 6, 64, 0, 127, 127, 0, 0}, {B, 6, 64, 0, 255, 255, 0, 0},
        {D, 11, 0.5f, 1, 77, 0, 0, 127}, {D, 11, 0.5f, 3, 77, 0, 0, 142}, {R, 11, 0.5f, 2, 30, 70, 0, 131},
    };
    for (const auto& c : cases) {
        const GeneratedTexels t = make(c.variant, c.kind, c.scale, c.amount);
        EXPECT_EQ(texel(t, c.x, c.y, c.c), c.value) << "variant " << int(c.variant) << " kind " << c.kind << " at " << c.x
                                                    << "," << c.y << " channel " << c.c << " amount " << c.amount;
    }
}

TEST(ProceduralTexture, BlobsPeakAt255AndSumsPinTheRandomPatterns) {
    // The blob cloud is scaled so that its densest texel is exactly 255; sums pin the random and noise patterns.
    EXPECT_EQ(*std::max_element(make(V::Rgba128, 6).bytes, make(V::Rgba128, 6).bytes + 128 * 128 * 4), 255);
    const struct { V variant; int kind; float scale; int amount; long sum; } sums[] = {
        {R, 6, 64, 0, 2653376}, {B, 6, 64, 0, 10702736}, {R, 7, 64, 0, 548992}, {D, 7, 64, 0, 5116},
        {R, 10, 64, 0, 11649247}, {R, 11, 0.5f, 3, 8345452}, {D, 11, 0.7f, 4, 58548}, {R, 0, 64, 200, 3962816}, {B, 0, 1, 200, 26587784}};
    for (const auto& c : sums) {
        const GeneratedTexels t = make(c.variant, c.kind, c.scale, c.amount);
        EXPECT_EQ(std::accumulate(t.bytes, t.bytes + t.width * t.height * t.bytesPerTexel, 0L), c.sum) << c.kind;
    }
}

// The noise meets the smoothed lattice at whole numbers and runs on to the next one without a step; octaves add up
// at double the frequency and persistence times the weight (the 1D sum has one octave fewer).
TEST(Noise, InterpolationJoinsTheLatticeAndOctavesAddUp) {
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(interpolatedNoise1(i + 0.0f) == smoothNoise1(i) && interpolatedNoise2(i + 0.0f, 2.0f) == smoothNoise2(i, 2));
        EXPECT_NEAR(interpolatedNoise1(i + 0.999f), smoothNoise1(i + 1), 1e-3f);
        EXPECT_NEAR(interpolatedNoise2(i + 0.999f, 2.999f), smoothNoise2(i + 1, 3), 1e-3f);
    }
    EXPECT_FLOAT_EQ(perlinNoise2D(1.25f, 2.5f, 0.5f, 3),
                    interpolatedNoise2(1.25f, 2.5f) + 0.5f * interpolatedNoise2(2.5f, 5) + 0.25f * interpolatedNoise2(5, 10));
    EXPECT_FLOAT_EQ(perlinNoise1D(1.25f, 0.5f, 3), interpolatedNoise1(1.25f) + 0.5f * interpolatedNoise1(2.5f));
}
