// View volume planes from the combined matrix, and the sphere test.
#include "world/ViewVolume.h"
#include <cmath>

void ViewVolume::set(const float projection[16], const float modelView[16]) {
    float m[16];
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += projection[k * 4 + row] * modelView[column * 4 + k];
            m[column * 4 + row] = sum;
        }
    // Inside means -w <= x, y, z <= w in clip space: w + x, w - x, w + y, w - y, w + z, w - z >= 0.
    for (int p = 0; p < 6; ++p) {
        const int axis = p / 2;
        const float sign = p % 2 == 0 ? 1.0f : -1.0f;
        for (int column = 0; column < 4; ++column) planes[p][column] = m[column * 4 + 3] + sign * m[column * 4 + axis];
    }
}

bool ViewVolume::excludes(const Vec3& c, float radius) const {
    for (const auto& q : planes) {
        const float terms[4] = {q[0] * c.x, q[1] * c.y, q[2] * c.z, q[3]};
        const float distance = terms[0] + terms[1] + terms[2] + terms[3];
        const float size = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2]);
        const float slack = 1e-4f * (std::fabs(terms[0]) + std::fabs(terms[1]) + std::fabs(terms[2]) + std::fabs(terms[3]));
        if (distance + 1.02f * radius * size + slack < 0.0f) return true;
    }
    return false;
}
