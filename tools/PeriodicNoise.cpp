// Hash-based gradient and cell noise; wrapping the lattice index makes images tile.
#include "PeriodicNoise.h"

#include <algorithm>
#include <cmath>

namespace {

uint32_t hash3(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return h;
}

int wrap(int i, int period) { return ((i % period) + period) % period; }

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

float gradientDot(int ix, int iy, float fx, float fy, int period, uint32_t seed) {
    const float angle = float(hash3(wrap(ix, period), wrap(iy, period), seed) & 0xffff) / 65536.0f * 6.2831853f;
    return std::cos(angle) * fx + std::sin(angle) * fy;
}

}  // namespace

float gradientNoise(float x, float y, int period, uint32_t seed) {
    const float fx0 = std::floor(x);
    const float fy0 = std::floor(y);
    const int ix = int(fx0);
    const int iy = int(fy0);
    const float fx = x - fx0;
    const float fy = y - fy0;
    const float n00 = gradientDot(ix, iy, fx, fy, period, seed);
    const float n10 = gradientDot(ix + 1, iy, fx - 1.0f, fy, period, seed);
    const float n01 = gradientDot(ix, iy + 1, fx, fy - 1.0f, period, seed);
    const float n11 = gradientDot(ix + 1, iy + 1, fx - 1.0f, fy - 1.0f, period, seed);
    const float u = fade(fx);
    const float v = fade(fy);
    const float a = n00 + (n10 - n00) * u;
    const float b = n01 + (n11 - n01) * u;
    return (a + (b - a) * v) * 1.41421356f;
}

float fractalNoise(float x, float y, int period, int octaves, float gain, uint32_t seed) {
    float sum = 0.0f;
    float weight = 1.0f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        // Gradient noise is 0 at every lattice point; shifting each octave keeps those zeros from
        // lining up into a visible grid. The shift does not change the period.
        const float shift = 0.37f * float(i + 1);
        sum += gradientNoise(x + shift, y + shift * 1.7f, period, seed + uint32_t(i) * 101u) * weight;
        total += weight;
        x *= 2.0f;
        y *= 2.0f;
        period *= 2;
        weight *= gain;
    }
    return sum / total;
}

CellDistances cellNoise(float x, float y, int period, uint32_t seed) {
    const int ix = int(std::floor(x));
    const int iy = int(std::floor(y));
    CellDistances d{9.0f, 9.0f, 0.0f};
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const uint32_t h = hash3(wrap(ix + i, period), wrap(iy + j, period), seed);
            const float px = float(ix + i) + float(h & 0xffff) / 65536.0f;
            const float py = float(iy + j) + float(h >> 16) / 65536.0f;
            const float dist = std::hypot(px - x, py - y);
            if (dist < d.nearest) {
                d.second = d.nearest;
                d.nearest = dist;
                d.nearestValue = float((h >> 7) & 0xff) / 255.0f;
            } else if (dist < d.second) {
                d.second = dist;
            }
        }
    }
    return d;
}

float NoiseRandom::uniform() {
    state = state * 1664525u + 1013904223u;
    return float(hash3(int(state), 7, 11) >> 8) / 16777216.0f;
}

float smoothStep(float a, float b, float x) {
    const float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}
