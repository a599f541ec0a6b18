// Interpolation helpers and the vector length clamp used across the program.
#pragma once
#include "core/Vec3.h"
#include <cmath>

constexpr float kPi = 3.1415927f;
constexpr float kHalfPi = kPi * 0.5f;

inline float lerp(float a, float b, float t) { return (1.0f - t) * a + t * b; }

// Cosine ease between a and b; t in [0, 1].
inline float cosInterp(float a, float b, float t) {
    float w = (1.0f - std::cos(t * kPi)) * 0.5f;
    return a * (1.0f - w) + b * w;
}

// Scales v down to maxLength when it is longer; shorter vectors are untouched.
inline void clampLength(Vec3& v, float maxLength) {
    float len = v.length();
    if (len > maxLength && len > 0.0f) v *= maxLength / len;
}
