// Height field generation, sampling and cratering.
#include "world/HeightField.h"
#include "core/MathUtil.h"
#include "core/Random.h"
#include <cmath>
#include <cstring>

namespace {

// Folds a grid fraction into [0, 1] as repeated +1 / -1 steps would (1 itself stays),
// in constant time. Non-finite input reads the border at 0 instead of never ending.
float foldUnit(float u) {
    if (!std::isfinite(u)) return 0.0f;
    if (u < 0.0f) return u - std::floor(u);
    if (u > 1.0f) return u - std::ceil(u) + 1.0f;
    return u;
}

int wrap(int a, int n) {
    int m = a % n;
    return m < 0 ? m + n : m;
}

}  // namespace

void HeightField::setBuffers(float* heightBuffer, float* scratchBuffer) {
    heights = heightBuffer;
    scratch = scratchBuffer;
}

float HeightField::heightAtIndex(int index) const {
    return (heights && index >= 0 && index < kMaxCells) ? heights[index] : 0.0f;
}

void HeightField::store(int index, float value) {
    if (heights && index >= 0 && index < kMaxCells) heights[index] = value;
}

void HeightField::generate(int shape, int gridSize, float scale, float offset) {
    // A grid of no cells would leave nothing to sample or wrap around.
    size = gridSize < 1 ? 1 : gridSize;
    float half = 0.5f * size;
    for (int r = 0; r < size; ++r) {
        for (int c = 0; c < size; ++c) {
            float value = 0.0f;  // other shapes give a level plain at the offset
            if (shape == kConeShape) {
                float dr = r - half, dc = c - half;
                float f = std::sqrt(dr * dr + dc * dc) / 64.0f;
                float k = std::cos(1.5f * f);
                value = f >= 0.45f ? k + rnd(0.5f) : ((1.0f - 2.0f * f) * 20.0f + 1.0f) * k + rnd(2.0f);
            }
            store(mirroredIndex(c, r), value * scale + offset);
        }
    }
}

float HeightField::sample(float u, float v) const {
    float x = size * foldUnit(u), y = size * foldUnit(v);
    int ix = static_cast<int>(x), iy = static_cast<int>(y);
    float fx = x - ix, fy = y - iy;
    if (ix > size - 1) ix = size - 1;
    if (iy > size - 1) iy = size - 1;
    float h00 = heightAtIndex(ix + iy * size);
    float h10 = heightAtIndex((ix + 1) % size + iy * size);
    float h01 = heightAtIndex(ix + ((iy + 1) % size) * size);
    // A planar blend of three samples, not bilinear: the cone's facets come from it.
    return h00 + (h10 - h00) * fx + (h01 - h00) * fy;
}

void HeightField::crater(int cx, int cy, float diameter, float depth) {
    if (!heights || !scratch) return;
    std::memcpy(scratch, heights, sizeof(float) * kMaxCells);
    float r = diameter * 0.5f;
    int first = static_cast<int>(-r);
    for (int i = first; i < r; ++i) {
        for (int j = first; j < r; ++j) {
            float d = std::sqrt(static_cast<float>(i * i + j * j));
            if (d >= r) continue;
            int index = mirroredIndex(wrap(i + cx, size), wrap(j + cy, size));
            if (index < 0 || index >= kMaxCells) continue;
            float lowered = heights[index] - cosInterp(depth, 0.0f, d / r);
            if (lowered < scratch[index]) scratch[index] = lowered;
        }
    }
    std::memcpy(heights, scratch, sizeof(float) * kMaxCells);
}
