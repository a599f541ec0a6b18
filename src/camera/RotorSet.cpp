// Randomly wandering rotors.
#include "camera/RotorSet.h"
#include "core/Random.h"
#include <algorithm>
#include <cmath>

void RotorSet::init(int n) {
    count = std::min(std::max(n, 0), kMaxRotors);
    for (int i = 0; i < count; ++i) {
        angle[i] = rnd(360.0f);
        target[i] = 0.02f + rnd(0.02f);
        velocity[i] = target[i];
        active[i] = 1;
        frozen[i] = 0;
    }
}

void RotorSet::update(float dt, float speed) {
    for (int i = 0; i < count; ++i) {
        if (!frozen[i]) {
            if (dt * activityRate > rnd(1.0f)) active[i] = rnd(1.0f) < 0.33f ? 0 : 1;
            if (dt * targetRate > rnd(1.0f)) {
                float t = 0.02f + rnd(0.02f);
                if (rnd(1.0f) < 0.55f) t = -t;
                target[i] = t;
            }
            if (active[i])
                velocity[i] += (target[i] - velocity[i]) * easing * dt;
            else
                velocity[i] *= 1.0f - dt * easing;
        }
        angle[i] += (dt * speed) * velocity[i];
    }
}

float RotorSet::wave(int i, float k, float amp, float base) const {
    return (std::sin(k * angle[i]) * 0.5f + 0.5f) * amp + base;
}

float RotorSet::wavePhase(int i, float k, float phase, float amp, float base) const {
    return (std::sin(k * angle[i] + phase) * 0.5f + 0.5f) * amp + base;
}
