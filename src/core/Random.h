// The program-wide linear-congruential random generator; every random draw goes through it.
#pragma once
#include <cstdint>

void rndSeed(uint32_t seed);
uint32_t rndState();
// Next value 0..32767: seed = seed * 214013 + 2531011, result = bits 16..30.
int rndInt();
// Uniform float in [0, x).
float rnd(float x);
