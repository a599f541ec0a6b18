// A set of randomly wandering angles whose sine waves drive the automatic motion of the program.
#pragma once

class RotorSet {
public:
    static constexpr int kMaxRotors = 100;

    virtual ~RotorSet() = default;

    void init(int n);
    void update(float dt, float speed);
    float wave(int i, float k, float amp, float base) const;
    float wavePhase(int i, float k, float phase, float amp, float base) const;

    float angle[kMaxRotors] = {};
    float velocity[kMaxRotors] = {};
    float target[kMaxRotors] = {};
    int active[kMaxRotors] = {};
    int frozen[kMaxRotors] = {};
    int count = 0;
    float activityRate = 2.0f;
    float targetRate = 0.1f;
    float easing = 1.0f;
};
