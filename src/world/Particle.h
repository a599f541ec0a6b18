// One pooled particle: its emission point and the size and colour ramps it runs through over its life.
#pragma once
#include "scene/SceneObject.h"

// Uses the base position, velocity, radius (current size), color, rotation, spin and visible (alive).
class Particle : public SceneObject {
public:
    Particle();

    Vec3 origin{0, 0, 0};
    float startSize = 1.0f;
    float endSize = 1.0f;
    float startColor[3] = {1, 1, 1};
    float endColor[3] = {1, 1, 1};
    float gravityScale = 1.0f;
    float lifetime = 1.0f;  // 0 or less: never expires
    // Stamps of the program clock, as wide as it is so long runs keep their timing.
    double birthTime = 0;
    double deathTime = 0;
    float age = 0;
};
