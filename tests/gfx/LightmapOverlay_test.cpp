// Lightmap mask texels from the layer rules and the random draw order.
#include "core/Random.h"
#include "gfx/LightmapOverlay.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int kSize = LightmapOverlay::kSize;

struct Mask {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(LightmapOverlay::kMaskBytes);
    int at(int x, int y) const { return bytes[2 * (y * kSize + x)]; }
    int alphaAt(int x, int y) const { return bytes[2 * (y * kSize + x) + 1]; }
};

Mask compute(int noise, int vignette, int flags, uint32_t seed = 5) {
    Mask m;
    rndSeed(seed);
    computeLightmapMask(m.bytes.data(), noise, vignette, flags);
    return m;
}

// The next n draws of rnd(scale) from the given seed.
std::vector<float> draws(uint32_t seed, int n, float scale) {
    rndSeed(seed);
    std::vector<float> out;
    for (int i = 0; i < n; ++i) out.push_back(rnd(scale));
    return out;
}

}  // namespace

TEST(LightmapMask, SteadyLayersGiveTheirExactTexels) {
    const Mask vignette = compute(20, 64, 8);
    EXPECT_EQ(vignette.at(64, 64), 255);
    EXPECT_EQ(vignette.at(96, 64), 191) << "255 x 0.75 at half the radius";
    EXPECT_EQ(vignette.at(64, 32), 191);
    for (auto [x, y] : {std::pair{0, 64}, {127, 127}}) EXPECT_EQ(vignette.at(x, y), 0);
    EXPECT_EQ(vignette.alphaAt(96, 64), 191) << "luminance and alpha carry the same value";

    const Mask columns = compute(20, 64, 16);
    EXPECT_EQ(columns.at(1, 0), 235);
    EXPECT_EQ(columns.at(2, 0), 255);

    const Mask both = compute(20, 64, 48);
    EXPECT_EQ(both.at(1, 1), 215);
    EXPECT_EQ(both.at(1, 2), 235);
    EXPECT_EQ(both.at(2, 1), 235);
    EXPECT_EQ(both.at(2, 2), 255);
    EXPECT_EQ(compute(200, 64, 48).at(1, 1), 0) << "never below black";

    // The vignette darkens the clamped value; the gratings come after it.
    const Mask dimmed = compute(20, 64, 8 | 16);
    EXPECT_EQ(dimmed.at(97, 64), 167) << "trunc(255 x (1 - (33/64)^2)) - 20";
    EXPECT_EQ(dimmed.at(127, 64), 0);
    EXPECT_EQ(compute(20, 0, 8).at(64, 64), 255) << "a radius below 1 counts as 1";
    EXPECT_EQ(compute(20, 0, 8).at(65, 64), 0);
}

TEST(LightmapMask, ZeroNoiseLeavesEveryTexelWhiteButStillDraws) {
    const Mask m = compute(0, 100, 1 | 2 | 4, 11);
    for (int i = 0; i < kSize * kSize; ++i) ASSERT_EQ(m.bytes[2 * i], 255) << i;
    // 128 column draws, 128 row draws and one per texel keep the sequence the same whatever the level.
    rndSeed(11);
    for (int i = 0; i < 128 + 128 + kSize * kSize; ++i) rndInt();
    const uint32_t expected = rndState();
    compute(0, 100, 1 | 2 | 4, 11);
    EXPECT_EQ(rndState(), expected);
    compute(0, 100, 8 | 16 | 32, 11);
    EXPECT_EQ(rndState(), 11u) << "steady layers draw nothing";
}

TEST(LightmapMask, NoiseDrawsRunColumnsFirstThenRowByRow) {
    // Film and line noise: all 128 column offsets, then one offset per row.
    const std::vector<float> d = draws(21, 256, 40.0f);
    const Mask film = compute(40, 100, 1 | 2, 21);
    for (int y : {0, 5, 127})
        for (int x : {0, 3, 64, 127}) {
            int m = 255 + static_cast<int>(d[x] - 20) + static_cast<int>(d[128 + y] - 20);
            EXPECT_EQ(film.at(x, y), m > 255 ? 255 : m) << x << "," << y;
        }
    // Line and pixel noise: each row's own draw comes before the 128 draws of its texels.
    const std::vector<float> e = draws(22, 3 * 129, 40.0f);
    const Mask pixels = compute(40, 100, 2 | 4, 22);
    for (int y : {0, 1, 2})
        for (int x : {0, 1, 127}) {
            float m = 255.0f + static_cast<int>(e[129 * y] - 20) + (e[129 * y + 1 + x] - 20.0f);
            EXPECT_EQ(pixels.at(x, y), static_cast<int>(m > 255.0f ? 255.0f : m)) << x << "," << y;
        }
}
