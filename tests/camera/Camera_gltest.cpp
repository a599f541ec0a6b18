// Camera in a GL context: basis vectors read back from a known view, camera-to-world, and the auto-centred orbit.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <GL/glu.h>
#include <gtest/gtest.h>

namespace {

void expectNear3(const float v[3], float x, float y, float z) {
    EXPECT_NEAR(v[0], x, 1e-5f);
    EXPECT_NEAR(v[1], y, 1e-5f);
    EXPECT_NEAR(v[2], z, 1e-5f);
}

}  // namespace

TEST(CameraGl, ReadBackTakesRowsAsBasisAndColumnsAsColumns) {
    resetProgramState();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(90, 0, 1, 0);
    glTranslatef(1, 2, 3);
    camera.readBack();
    expectNear3(camera.forward, -1, 0, 0);
    expectNear3(camera.right, 0, 0, 1);
    expectNear3(camera.up, 0, 1, 0);
    expectNear3(camera.column0, 0, 0, -1);
    expectNear3(camera.translation, 3, 2, -1);
    float x = 1, y = 2, z = 3;
    camera.toWorld(x, y, z);
    const float world[3] = {x, y, z};
    expectNear3(world, -3, 2, 1);  // right + 2 up + 3 forward
}

TEST(CameraGl, CentredOrbitKeepsTheEyeOneToThreeUnitsOutAndLooksAtTheCentreLine) {
    resetProgramState();
    prefs.cameraMode = 3;
    frameClock.dt = 0.02f;
    camera.moveRotors = &cameraMoveRotors;
    camera.turnRotors = &cameraTurnRotors;
    cameraMoveRotors.count = 6;
    cameraTurnRotors.count = 3;
    camera.autoMoveRate = 8.0f;
    camera.autoTurnRate = 2.0f;
    camera.turnRange[0] = 40;
    camera.turnRange[1] = 720;
    camera.autoCentre[1] = 1.0f;
    camera.eyeOffset[1] = 0.1f;
    const float lookY = 1.1f;
    for (float a = 0.1f; a < 6.0f; a += 0.37f) {
        for (int i = 0; i < 6; ++i) cameraMoveRotors.angle[i] = a * (i + 1);
        for (int i = 0; i < 3; ++i) cameraTurnRotors.angle[i] = a * (3 - i);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        camera.viewSetup();
        const Vec3& p = camera.position;
        float distance = Vec3(p.x, p.y - lookY - 0.5f, p.z).length();
        EXPECT_NEAR(distance, cameraMoveRotors.wave(2, 8.0f, 2.0f, 1.0f), 1e-4f);
        // The centre line point lands straight ahead of the eye.
        const float* m = camera.matrix;
        float cx = m[4] * lookY + m[12], cy = m[5] * lookY + m[13], cz = m[6] * lookY + m[14];
        EXPECT_NEAR(cx, 0.0f, 1e-4f);
        EXPECT_NEAR(cy, 0.0f, 1e-4f);
        EXPECT_LT(cz, -0.9f);
    }
}

TEST(CameraGl, HeldViewTurnsThenMovesToTheEye) {
    resetProgramState();
    prefs.cameraMode = 2;
    frameClock.dt = 0.02f;
    camera.moveRotors = &cameraMoveRotors;
    cameraMoveRotors.count = 6;
    camera.position = Vec3(1, 2, 3);
    camera.rotation = Vec3(0, 90, 0);
    camera.eyeOffset[1] = 0.1f;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera.viewSetup();
    // Rotation after translation by minus the eye (1, 2.1, 3): R_y(90) (-1, -2.1, -3) = (-3, -2.1, 1).
    expectNear3(camera.translation, -3, -2.1f, 1);
}
