// Value noise with a fixed integer hash, smoothing, cosine interpolation and octave sums.
#pragma once

float noise1(int n);  // in (-1, 1]
float noise2(int x, int y);
float smoothNoise1(int x);
float smoothNoise2(float x, float y);
float interpolatedNoise1(float x);
float interpolatedNoise2(float x, float y);
// Sum of `octaves` terms, octave i at frequency 2^i and weight persistence^i.
float perlinNoise2D(float x, float y, float persistence, int octaves);
// Sum of octaves - 1 terms: one fewer than the 2D sum, so one octave gives 0.
float perlinNoise1D(float x, float persistence, int octaves);
