// Ground and cloud textures: every noise term wraps at the image edge so the tiles join seamlessly.
#include <algorithm>
#include <cmath>

#include "Images.h"
#include "PeriodicNoise.h"

namespace {

constexpr int kTile = 128;

// Fractal noise at pixel (x, y) with `cells` lattice cells across the tile.
float tileNoise(int x, int y, int cells, int octaves, float gain, uint32_t seed) {
    const float scale = float(cells) / kTile;
    return fractalNoise(x * scale, y * scale, cells, octaves, gain, seed);
}

CellDistances tileCells(int x, int y, int cells, uint32_t seed) {
    const float scale = float(cells) / kTile;
    return cellNoise((x + 0.5f) * scale, (y + 0.5f) * scale, cells, seed);
}

float mix(float a, float b, float t) { return a + (b - a) * t; }

}  // namespace

Image makeGrass() {
    Image image(kTile, kTile);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const float patch = tileNoise(x, y, 4, 5, 0.55f, 11) * 0.5f + 0.5f;
            const float dry = smoothStep(0.1f, 0.6f, tileNoise(x, y, 2, 3, 0.5f, 12));
            const float blades = tileNoise(x, y, 32, 2, 0.6f, 13) + 0.6f * tileNoise(x, y, 64, 1, 0.5f, 14);
            const float light = 0.6f + 0.5f * patch + 0.3f * blades;
            image.set(x, y, mix(0.20f, 0.44f, dry) * light, mix(0.42f, 0.46f, dry) * light,
                      mix(0.10f, 0.15f, dry) * light);
        }
    }
    return image;
}

// Stones of one size: the cell-noise cells whose value passes `share` hold a round stone.
struct Stones {
    float cover;   // 0..1
    float height;  // dome height, for the relief shading
};

Stones stonesAt(int x, int y, int cells, float share, uint32_t seed) {
    const float wobble = 0.08f * tileNoise(x, y, 16, 2, 0.5f, seed + 7);
    const CellDistances c = tileCells(x, y, cells, seed);
    if (c.nearestValue < 1.0f - share) return {0.0f, 0.0f};
    const float radius = 0.2f + 0.2f * c.nearestValue;
    const float d = std::min((c.nearest + wobble) / radius, 1.0f);
    return {smoothStep(1.0f, 0.8f, d), std::sqrt(1.0f - d * d)};
}

// Bright on purpose: the terrain draws dirt at 40 % colour, and lava bombs wear it too.
Image makeDirt() {
    float height[kTile][kTile];
    float stone[kTile][kTile];
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const Stones big = stonesAt(x, y, 6, 0.6f, 22);
            const Stones small = stonesAt(x, y, 16, 0.35f, 23);
            height[y][x] = 0.4f * tileNoise(x, y, 8, 5, 0.6f, 21) + 0.5f * big.height + 0.25f * small.height;
            stone[y][x] = std::max(big.cover, small.cover);
        }
    }
    Image image(kTile, kTile);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            // Light from the upper left: the slope towards it, taken across the wrapped edge.
            const float slope =
                height[(y + kTile - 1) % kTile][(x + kTile - 1) % kTile] - height[(y + 1) % kTile][(x + 1) % kTile];
            const float light = std::clamp(0.9f - 2.2f * slope, 0.45f, 1.3f);
            const float tone = 0.85f + 0.15f * tileNoise(x, y, 32, 2, 0.5f, 24);
            const float s = stone[y][x];
            image.set(x, y, mix(0.74f, 0.70f, s) * tone * light, mix(0.58f, 0.64f, s) * tone * light,
                      mix(0.44f, 0.58f, s) * tone * light);
        }
    }
    return image;
}

Image makeWater() {
    Image image(kTile, kTile);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const float depth = tileNoise(x, y, 4, 4, 0.5f, 31) * 0.5f + 0.5f;
            const float ridge = 1.0f - std::fabs(tileNoise(x, y, 8, 3, 0.45f, 32));
            const float crest = std::pow(ridge, 12.0f);
            image.set(x, y, mix(0.04f, 0.12f, depth) + 0.30f * crest, mix(0.16f, 0.34f, depth) + 0.36f * crest,
                      mix(0.28f, 0.46f, depth) + 0.34f * crest);
        }
    }
    return image;
}

Image makeCloud() {
    Image image(kTile, kTile);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const float body = tileNoise(x, y, 4, 6, 0.55f, 41);
            const float detail = tileNoise(x, y, 16, 3, 0.5f, 42);
            const float v = smoothStep(-0.2f, 0.45f, body) * (0.85f + 0.15f * detail);
            image.set(x, y, v, v, v);
        }
    }
    return image;
}
