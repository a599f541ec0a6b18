// The view volume as six planes, to skip drawing objects that lie wholly outside it.
#pragma once
#include "core/Vec3.h"

class ViewVolume {
public:
    // From GL's column-major projection and model-view matrices.
    void set(const float projection[16], const float modelView[16]);
    // True only when no part of the sphere can reach a pixel: it lies beyond one plane by more than its radius,
    // with room to spare for the rounding of GL's own transform.
    bool excludes(const Vec3& centre, float radius) const;

    float planes[6][4] = {};
};
