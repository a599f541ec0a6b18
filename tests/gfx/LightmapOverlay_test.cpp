// Lightmap mask texels from the layer rules and the random draw order, and the layers' description.
#include "core/Random.h"
#include "gfx/LightmapOverlay.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int kSize = LightmapOverlay::kSize;

struct Mask {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(LightmapOverlay::kMaskBytes);
    int at(int x, int y, int c = 0) const { return bytes[2 * (y * kSize + x) + c]; }
};

Mask compute(int noise, int vignette, int flags, uint32_t seed = 5) {
    Mask m;
    rndSeed(seed);
    computeLightmapMask(m.bytes.data(), noise, vignette, flags);
    return m;
}

// The next n draws of rnd(40) from the given seed.
std::vector<float> draws(uint32_t seed, int n) {
    rndSeed(seed);
    std::vector<float> out(n);
    for (float& d : out) d = rnd(40.0f);
    return out;
}

}  // namespace

TEST(LightmapMask, SteadyLayersGiveTheirExactTexels) {
    // Vignette 8 (255 x (1 - d^2) of the radius), gratings 16 and 32 subtract the noise on odd columns and rows.
    // The vignette darkens the clamped value, the gratings come after it, and nothing goes below black.
    const struct { int noise, vignette, flags, x, y, c, value; } cases[] = {
        {20, 64, 8, 64, 64, 0, 255}, {20, 64, 8, 96, 64, 0, 191}, {20, 64, 8, 64, 32, 0, 191}, {20, 64, 8, 96, 64, 1, 191},
        {20, 64, 8, 0, 64, 0, 0},    {20, 64, 8, 127, 127, 0, 0}, {20, 64, 16, 1, 0, 0, 235}, {20, 64, 16, 2, 0, 1, 255},
        {20, 64, 48, 1, 1, 0, 215},  {20, 64, 48, 1, 2, 0, 235},  {20, 64, 48, 2, 1, 0, 235}, {20, 64, 48, 2, 2, 0, 255},
        {200, 64, 48, 1, 1, 0, 0},   {20, 64, 24, 97, 64, 0, 167}, {20, 64, 24, 127, 64, 0, 0},
        {20, 0, 8, 64, 64, 0, 255},  {20, 0, 8, 65, 64, 0, 0},  // a radius below 1 counts as 1
    };
    for (const auto& c : cases)
        EXPECT_EQ(compute(c.noise, c.vignette, c.flags).at(c.x, c.y, c.c), c.value)
            << c.noise << " " << c.vignette << " " << c.flags << " at " << c.x << "," << c.y;
    char text[64];
    describeLightmap(-13, text, sizeof text);
    EXPECT_STREQ(text, "13/64: X Z  Vignette ");
    describeLightmap(48, text, 16);
    EXPECT_STREQ(text, "48/64:  X-grati");
}

TEST(LightmapMask, NoiseDrawsRunColumnsFirstThenRowByRowAndAlwaysTheSameCount) {
    // Zero noise: every texel white, yet 128 column, 128 row and one draw per texel keep the sequence.
    const Mask white = compute(0, 100, 1 | 2 | 4, 11);
    for (int i = 0; i < kSize * kSize; ++i) ASSERT_EQ(white.bytes[2 * i], 255) << i;
    draws(11, 128 + 128 + kSize * kSize);
    const uint32_t expected = rndState();
    compute(0, 100, 1 | 2 | 4, 11);
    EXPECT_EQ(rndState(), expected);
    compute(0, 100, 8 | 16 | 32, 11);
    EXPECT_EQ(rndState(), 11u) << "steady layers draw nothing";
    // Film and line noise: all 128 column offsets, then one offset per row.
    const std::vector<float> d = draws(21, 256);
    const Mask film = compute(40, 100, 1 | 2, 21);
    for (int y : {0, 5, 127})
        for (int x : {0, 3, 64, 127}) {
            int m = 255 + static_cast<int>(d[x] - 20) + static_cast<int>(d[128 + y] - 20);
            EXPECT_EQ(film.at(x, y), m > 255 ? 255 : m) << x << "," << y;
        }
    // Line and pixel noise: each row's own draw comes before the 128 draws of its texels.
    const std::vector<float> e = draws(22, 3 * 129);
    const Mask pixels = compute(40, 100, 2 | 4, 22);
    for (int y : {0, 1, 2})
        for (int x : {0, 1, 127}) {
            float m = 255.0f + static_cast<int>(e[129 * y] - 20) + (e[129 * y + 1 + x] - 20.0f);
            EXPECT_EQ(pixels.at(x, y), static_cast<int>(m > 255.0f ? 255.0f : m)) << x << "," << y;
        }
}
