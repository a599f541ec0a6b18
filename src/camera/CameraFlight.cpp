// Camera modes: automatic views, manual mouse and arrow-key flight, hold, and the auto-centred orbit.
#include "camera/Camera.h"
#include "camera/RotorSet.h"
#include "core/AppContext.h"
#include "core/AppState.h"
#include "core/Clock.h"
#include "core/KeyboardState.h"
#include "core/MathUtil.h"
#include "core/Prefs.h"
#include "scene/MouseState.h"
#include <GL/freeglut.h>
#include <algorithm>
#include <cmath>

int lastCameraMode = -1;

namespace {

enum CameraMode { kAuto = 0, kManual = 1, kHold = 2, kCentred = 3 };
constexpr float kRadToDeg = 180.0f / kPi;
constexpr float kManualFall = 5.0f;  // units per second squared

// Arrow-key bits of KeyboardState::arrows and the camera axis each one pushes along.
struct ArrowPush {
    int bit;
    float (Camera::*axis)[3];
    float factor;
};
const ArrowPush kArrowPushes[6] = {
    {1, &Camera::right, -1.0f},   {2, &Camera::right, 1.0f}, {4, &Camera::forward, -1.0f},
    {8, &Camera::forward, 1.0f}, {16, &Camera::up, 3.0f},   {32, &Camera::up, -3.0f},
};

Vec3 asVec(const float v[3]) { return Vec3(v[0], v[1], v[2]); }

// Into [0, 360] as repeated steps of 360 would bring it (360 and 0 stay), in constant time.
float wrapDegrees(float a) {
    if (a > 360.0f) a -= 360.0f * std::ceil((a - 360.0f) / 360.0f);
    if (a < 0.0f) a += 360.0f * std::ceil(-a / 360.0f);
    return a;
}

float flightStepLength(const Camera& c) {
    return c.keySpeed * gApp->clock->dt * gApp->prefs->moveSensitivity;
}

}  // namespace

void Camera::flightStep() {
    viewSetup();
    manualFlight();
}

void Camera::manualFlight() {
    const Prefs& p = *gApp->prefs;
    if (p.cameraMode != kManual || gApp->state->sceneIndex == 0) return;
    const MouseState& m = *gApp->mouse;
    const KeyboardState& keys = *gApp->keyboard;
    if (m.leftButton != 0) {
        thrust();
        gApp->showStatus("Thrust");
    }
    if (keys.arrows && !gApp->state->popupOpen) keyFlight();
    if (!p.paused) update();
    // The hand-flown camera sinks while in the air, unless paused.
    if (keepOnGround) keepOnGround(*this, 1, p.paused ? 0.0f : kManualFall);
    if (!keys.arrows && m.middleButton != 0) {
        applyDrag(10.0f);
        gApp->showStatus("Brake");
    } else {
        applyDrag(1.5f);
    }
}

void Camera::autoTurn() {
    rotation.x = turnRotors->wave(0, autoTurnRate, turnRange[0], -0.5f * turnRange[0]);
    rotation.y = turnRotors->wave(1, autoTurnRate, turnRange[1], -0.5f * turnRange[1]);
}

void Camera::autoPlace() {
    for (int a = 0; a < 3; ++a)
        position[a] = moveRotors->wave(a, autoMoveRate, autoRange[a], -0.5f * autoRange[a]) + autoCentre[a];
    // The box of positions reaches below the hills and the cone.
    if (keepOnGround) keepOnGround(*this, 0, 0.0f);
}

void Camera::enterManual() {
    // The automatic and held views already are a pitch, a heading and a position; the orbit looks at a point.
    if (lastCameraMode != kCentred) return;
    rotation.x = wrapDegrees(std::asin(std::clamp(forward[1], -1.0f, 1.0f)) * kRadToDeg);
    rotation.y = wrapDegrees(std::atan2(-forward[0], forward[2]) * kRadToDeg);
    position -= asVec(eyeOffset);
}

void Camera::mouseLook() {
    const MouseState& m = *gApp->mouse;
    float sensitivity = 0.1f * gApp->prefs->mouseSensitivity;
    // Each pointer movement turns the view once: nothing is left to spin on.
    rotation.x = wrapDegrees(rotation.x + m.position.y * sensitivity);
    rotation.y = wrapDegrees(rotation.y + m.position.x * sensitivity);
}

void Camera::orbitView() {
    autoTurn();
    glRotatef(rotation.x, 1, 0, 0);
    glRotatef(rotation.y, 0, 1, 0);
    readBack();
    float x = 0, y = 0, z = -moveRotors->wave(2, autoMoveRate, 2.0f, 1.0f);
    toWorld(x, y, z);
    float lookY = autoCentre[1] + eyeOffset[1];
    position = Vec3(-x, -y + lookY + 0.5f, -z);
    wanderStep();
    glLoadIdentity();
    gluLookAt(position.x, position.y, position.z, 0, lookY, 0, 0, 1, 0);
}

void Camera::viewSetup() {
    MouseState& m = *gApp->mouse;
    int mode = gApp->prefs->cameraMode;
    if (mode == kAuto) {
        autoTurn();
        autoPlace();
    } else if (mode == kManual && (m.moved || lastCameraMode != kManual)) {
        // On entry the pointer holds a position, or a delta from before a popup: no turn.
        if (lastCameraMode != kManual)
            enterManual();
        else
            mouseLook();
        glutWarpPointer(m.warpX, m.warpY);
    }
    if (mode == kCentred) {
        orbitView();
    } else {
        glRotatef(rotation.x, 1, 0, 0);
        glRotatef(rotation.y, 0, 1, 0);
        wanderStep();
        glTranslatef(-(position.x + eyeOffset[0]), -(position.y + eyeOffset[1]), -(position.z + eyeOffset[2]));
    }
    readBack();
    lastCameraMode = mode;
    m.moved = 0;
}

void Camera::keyFlight() {
    const KeyboardState& keys = *gApp->keyboard;
    float boost = keys.alt ? 10.0f : 1.0f;
    float step = flightStepLength(*this) * boost;
    for (const ArrowPush& push : kArrowPushes)
        if (keys.arrows & push.bit) velocity += asVec(this->*push.axis) * (push.factor * step);
    clampLength(velocity, maxSpeed * boost);
}

void Camera::thrust() {
    velocity -= asVec(forward) * flightStepLength(*this);
    clampLength(velocity, 2.0f * maxSpeed);
}
