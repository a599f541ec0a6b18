// The noise library behind the Perlin-noise texture pattern.
#include "gfx/Noise.h"

#include <cstdint>

#include "core/MathUtil.h"

float noise1(int n) {
    // Unsigned arithmetic gives the 32-bit wrap-around without signed overflow.
    uint32_t u = static_cast<uint32_t>(n);
    u = (u << 13) ^ u;
    const uint32_t hashed = (u * (u * u * 15731u + 789221u) + 1376312589u) & 0x7fffffffu;
    return static_cast<float>(1.0 - hashed / 1073741824.0);
}

float noise2(int x, int y) {
    return noise1(static_cast<int>(static_cast<uint32_t>(x) + 57u * static_cast<uint32_t>(y)));
}

float smoothNoise1(int x) { return noise1(x) / 2 + noise1(x - 1) / 4 + noise1(x + 1) / 4; }

float smoothNoise2(float x, float y) {
    const int x0 = static_cast<int>(x - 1), x1 = static_cast<int>(x), x2 = static_cast<int>(x + 1);
    const int y0 = static_cast<int>(y - 1), y1 = static_cast<int>(y), y2 = static_cast<int>(y + 1);
    const float corners = (noise2(x0, y0) + noise2(x2, y0) + noise2(x0, y2) + noise2(x2, y2)) / 16;
    const float sides = (noise2(x0, y1) + noise2(x2, y1) + noise2(x1, y0) + noise2(x1, y2)) / 8;
    return corners + sides + noise2(x1, y1) / 4;
}

float interpolatedNoise1(float x) {
    const int i = static_cast<int>(x);
    return cosInterp(smoothNoise1(i), smoothNoise1(i + 1), x - i);
}

float interpolatedNoise2(float x, float y) {
    const int i = static_cast<int>(x), j = static_cast<int>(y);
    const float fi = static_cast<float>(i), fj = static_cast<float>(j);
    const float a = cosInterp(smoothNoise2(fi, fj), smoothNoise2(fi + 1, fj), x - fi);
    const float b = cosInterp(smoothNoise2(fi, fj + 1), smoothNoise2(fi + 1, fj + 1), x - fi);
    return cosInterp(a, b, y - fj);
}

float perlinNoise2D(float x, float y, float persistence, int octaves) {
    float sum = 0, frequency = 1, amplitude = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += interpolatedNoise2(x * frequency, y * frequency) * amplitude;
        frequency *= 2;
        amplitude *= persistence;
    }
    return sum;
}

float perlinNoise1D(float x, float persistence, int octaves) {
    float sum = 0, frequency = 1, amplitude = 1;
    for (int i = 0; i < octaves - 1; ++i) {
        sum += interpolatedNoise1(x * frequency) * amplitude;
        frequency *= 2;
        amplitude *= persistence;
    }
    return sum;
}
