// The program-wide linear-congruential random generator.
#include "core/Random.h"

static uint32_t gSeed = 1;

void rndSeed(uint32_t seed) { gSeed = seed; }
uint32_t rndState() { return gSeed; }

int rndInt() {
    gSeed = gSeed * 214013u + 2531011u;
    return static_cast<int>((gSeed >> 16) & 0x7fff);
}

float rnd(float x) { return static_cast<float>(rndInt()) / 32768.0f * x; }
