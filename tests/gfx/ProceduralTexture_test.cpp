// Procedural texels: the documented values of each pattern, random draw order, variant differences.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/Random.h"
#include "gfx/Noise.h"
#include "gfx/ProceduralTexture.h"

namespace {

// Channel `c` of texel (x, y).
int texel(const GeneratedTexels& t, int x, int y, int c = 0) {
    return t.bytes[(y * t.width + x) * t.bytesPerTexel + c];
}

GeneratedTexels make(TextureVariant variant, int kind, float scale = 64.0f, int amount = 0) {
    rndSeed(99);
    return generateTexels(variant, kind, scale, amount);
}

}  // namespace

TEST(ProceduralTexture, SpotFallsOffToZeroAtItsRadius) {
    const GeneratedTexels t = make(TextureVariant::Rgba128, 0);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(texel(t, 64, 64, c), 254);
    EXPECT_EQ(texel(t, 96, 64), 190);
    EXPECT_EQ(texel(t, 64, 32), 190);
    EXPECT_EQ(texel(t, 1, 64), 7);  // 254 * (1 - (63/64)^2)
    for (auto [x, y] : {std::pair{0, 64}, {64, 0}, {0, 0}, {127, 127}, {20, 10}}) EXPECT_EQ(texel(t, x, y), 0);
    EXPECT_EQ(texel(make(TextureVariant::Rgba128, 1), 64, 64), 1);
}

TEST(ProceduralTexture, NoisySpotDrawsOncePerTexel) {
    rndSeed(7);
    const GeneratedTexels t = generateTexels(TextureVariant::Rgba128, 0, 64.0f, 200);
    const uint32_t after = rndState();
    rndSeed(7);
    for (int i = 0; i < 128 * 128; ++i) rndInt();
    EXPECT_EQ(rndState(), after);
    for (int y = 60; y < 68; ++y) {
        EXPECT_GE(texel(t, 64, y), 54);
        EXPECT_LT(texel(t, 64, y), 254);
    }
}

TEST(ProceduralTexture, CheckerAndGradient) {
    const GeneratedTexels checker = make(TextureVariant::Rgba128, 8);
    EXPECT_EQ(texel(checker, 0, 0), 0);
    EXPECT_EQ(texel(checker, 7, 7), 0);
    EXPECT_EQ(texel(checker, 8, 0), 255);
    EXPECT_EQ(texel(checker, 0, 8), 255);
    EXPECT_EQ(texel(checker, 8, 8), 0);
    const GeneratedTexels gradient = make(TextureVariant::Rgba128, 2);
    EXPECT_EQ(texel(gradient, 30, 0), 240);
    EXPECT_EQ(texel(gradient, 30, 127), 0);  // (16 - sqrt(254)) * 15 = 0.94
}

TEST(ProceduralTexture, RingRisesToFullAtRadius58) {
    const GeneratedTexels t = make(TextureVariant::Rgba128, 3);
    EXPECT_EQ(texel(t, 64 + 58, 64), 255);
    EXPECT_EQ(texel(t, 64 + 29, 64), 127);
    EXPECT_EQ(texel(t, 2, 64), 114);  // radius 62: 9 - 8 * 62/58 = 0.448
    EXPECT_EQ(texel(t, 0, 47), 0);    // radius 66.2
    EXPECT_EQ(texel(t, 0, 0), 0);
}

TEST(ProceduralTexture, BlobCloudPeaksAtExactly255AndIsZeroAwayFromBlobs) {
    for (TextureVariant variant : {TextureVariant::Rgba128, TextureVariant::Rgba256}) {
        const GeneratedTexels t = make(variant, 6);
        const int size = t.width;
        const float radius = size / 8.0f, spread = size * 0.75f, offset = size / 8.0f;
        // The centres come from the same draws: square root first, then the spread, x before y.
        rndSeed(99);
        float cx[64], cy[64];
        for (int b = 0; b < 64; ++b) {
            for (float* c : {&cx[b], &cy[b]}) {
                const float root = std::sqrt(rnd(1));
                *c = std::trunc(rnd(spread) * root + offset);
            }
        }
        int maximum = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                maximum = std::max(maximum, texel(t, x, y));
                float nearest = 1e9f;
                for (int b = 0; b < 64; ++b) nearest = std::min(nearest, std::hypot(x - cx[b], y - cy[b]));
                if (nearest >= radius) {
                    ASSERT_EQ(texel(t, x, y), 0) << x << "," << y;
                }
            }
        }
        EXPECT_EQ(maximum, 255);
        EXPECT_GT(texel(t, int(cx[0]), int(cy[0])), 0);
    }
}

TEST(ProceduralTexture, CrossOnlyInTheRgba128Variant) {
    const GeneratedTexels t = make(TextureVariant::Rgba128, 13);
    EXPECT_EQ(texel(t, 64, 10, 0), 255);
    EXPECT_EQ(texel(t, 64, 10, 1), 0);
    const GeneratedTexels lum = make(TextureVariant::LumAlpha128, 13);
    EXPECT_EQ(texel(lum, 64, 10, 0) + texel(lum, 64, 10, 1), 0);
}

TEST(ProceduralTexture, VariantsDiffer) {
    const GeneratedTexels lum = make(TextureVariant::LumAlpha128, 0);
    EXPECT_EQ(lum.bytesPerTexel, 2);
    EXPECT_EQ(texel(lum, 64, 64, 0), 254);
    EXPECT_EQ(texel(lum, 64, 64, 1), 254);

    // 256 wide: fixed radius 128 and a random part of up to 20 added after the fall-off.
    const GeneratedTexels big = make(TextureVariant::Rgba256, 0, 1.0f, 200);
    EXPECT_EQ(big.width, 256);
    EXPECT_GE(texel(big, 128, 128), 234);
    EXPECT_LT(texel(big, 128, 128), 254);
    EXPECT_LT(texel(big, 0, 128), 20);
    EXPECT_EQ(texel(make(TextureVariant::Rgba256, 5), 128, 128), 255);
    EXPECT_EQ(texel(make(TextureVariant::Rgba256, 5), 64, 128), 127);  // pyramid over 128, not 64

    const GeneratedTexels row = make(TextureVariant::Rgba1D, 0);
    EXPECT_EQ(row.height, 1);
    EXPECT_EQ(texel(row, 64, 0), 254);
    EXPECT_EQ(texel(row, 32, 0), 190);
    EXPECT_EQ(texel(make(TextureVariant::Rgba1D, 8), 8, 0), 255);
    EXPECT_EQ(texel(make(TextureVariant::Rgba1D, 11, 0.5f, 1), 77, 0), 127);
}

TEST(Noise, OctaveSumsAndEdgeValues) {
    for (int n = -1000; n < 1000; n += 7) ASSERT_TRUE(noise1(n) > -1.0f && noise1(n) <= 1.0f) << n;
    for (float x : {0.0f, 0.3f, 17.5f, 99.9f}) {
        EXPECT_EQ(perlinNoise1D(x, 0.5f, 1), 0.0f);
        EXPECT_FLOAT_EQ(perlinNoise1D(x, 0.5f, 2), interpolatedNoise1(x));
        EXPECT_FLOAT_EQ(perlinNoise2D(x, 3.0f, 0.5f, 1), interpolatedNoise2(x, 3.0f));
    }
    EXPECT_FLOAT_EQ(interpolatedNoise2(5.0f, 9.0f), smoothNoise2(5.0f, 9.0f));
    EXPECT_FLOAT_EQ(interpolatedNoise1(4.0f), smoothNoise1(4));
}
