// Deterministic noise for the asset generator: gradient and cell noise that wrap with a period.
#pragma once
#include <cstdint>

// Gradient noise in about -1..1; the lattice repeats every `period` units in x and y.
float gradientNoise(float x, float y, int period, uint32_t seed);

// Sum of octaves, each twice the frequency (and period) of the last and `gain` times as strong,
// scaled back to about -1..1.
float fractalNoise(float x, float y, int period, int octaves, float gain, uint32_t seed);

// Distances to the nearest and second nearest of one random point per unit cell.
struct CellDistances {
    float nearest;
    float second;
    float nearestValue;  // 0..1, fixed per cell: lets each cell look different
};
CellDistances cellNoise(float x, float y, int period, uint32_t seed);

// Small counter-based random source, so each sound or image draws its own fixed sequence.
class NoiseRandom {
public:
    explicit NoiseRandom(uint32_t seed) : state(seed) {}
    float uniform();  // 0..1
    float signedUniform() { return uniform() * 2.0f - 1.0f; }

private:
    uint32_t state;
};

// Smooth 0..1 step between edges a and b.
float smoothStep(float a, float b, float x);
