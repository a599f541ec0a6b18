// Camera model: wander, matrix read-back and camera-to-world transform.
#include "camera/Camera.h"
#include "camera/RotorSet.h"
#include "core/AppContext.h"
#include "core/Clock.h"

Camera::Camera() {
    radius = 0.02f;
    extent = Vec3(0.02f, 0.02f, 0.02f);
}

void Camera::wanderStep() {
    float c = gApp->clock->dt;
    wanderStrength *= 1.0f - 2.0f * c;
    float d = wanderStrength;
    for (int a = 0; a < 3; ++a)
        position[a] += moveRotors->wave(3 + a, 0.35f * d, 0.08f, -0.04f) * d + wanderVelocity[a];
    for (float& v : wanderVelocity) v *= 1.0f - 2.0f * c;
}

void Camera::readBack() {
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    const float* m = matrix;
    const float f[3] = {m[2], m[6], m[10]}, r[3] = {m[0], m[4], m[8]}, u[3] = {m[1], m[5], m[9]};
    for (int i = 0; i < 3; ++i) {
        forward[i] = f[i];
        right[i] = r[i];
        up[i] = u[i];
        column0[i] = m[i];
        column1[i] = m[4 + i];
        column2[i] = m[8 + i];
        translation[i] = m[12 + i];
    }
}

void Camera::toWorld(float& x, float& y, float& z) const {
    float wx = right[0] * x + up[0] * y + forward[0] * z;
    float wy = right[1] * x + up[1] * y + forward[1] * z;
    float wz = right[2] * x + up[2] * y + forward[2] * z;
    x = wx;
    y = wy;
    z = wz;
}
