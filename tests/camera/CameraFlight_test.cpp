// Camera flight without GL: mouse look with its wrap and entry placement, coasting, braking, thrust, arrow keys, auto ranges.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace {

class Flight : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        prefs.cameraMode = 1;
        prefs.mouseSensitivity = 1.0f;
        prefs.moveSensitivity = 1.0f;
        appState.sceneIndex = 1;
        frameClock.dt = 0.02f;
        camera.maxSpeed = 7.0f;
        camera.keySpeed = 8.0f;
        lastCameraMode = 1;
        prefs.groundHeight = 1.0f;
        terrain = TerrainMesh();  // flat ground at height 0
        camera.terrain = &terrain;
        // An unturned view: right is x, up is y, forward (backwards from the eye) is z.
        const float axes[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        for (int i = 0; i < 3; ++i) {
            camera.right[i] = axes[0][i];
            camera.up[i] = axes[1][i];
            camera.forward[i] = axes[2][i];
        }
    }
};

void expectVec(const Vec3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

}  // namespace

TEST_F(Flight, PitchAndHeadingWrapIntoAFullTurn) {
    struct Case {
        float start, delta, wrapped;
    };
    const Case cases[] = {{360, 100, 10}, {0, -100, 350}, {350, 3700, 360}, {5, -50, 0}};
    for (const Case& c : cases) {
        camera.rotation = Vec3(c.start, c.start, 0);
        mouse.position = Vec3(c.delta, c.delta, 0);  // pointer dx, dy in pixels
        camera.mouseLook();
        EXPECT_NEAR(camera.rotation.x, c.wrapped, 1e-3f) << c.start << " + " << c.delta / 10;
        EXPECT_NEAR(camera.rotation.y, c.wrapped, 1e-3f);
        EXPECT_FLOAT_EQ(camera.spin.x, c.delta * 0.1f);
    }
}

TEST_F(Flight, EnteringManualModePlacesTheCameraOnlyTheFirstTime) {
    lastCameraMode = -1;
    camera.position = Vec3(3, 4, 5);
    mouse.position = Vec3(0, 0, 0);
    camera.mouseLook();
    expectVec(camera.position, 0, 0, 1.5f);
    lastCameraMode = 1;
    camera.position = Vec3(3, 4, 5);
    camera.mouseLook();
    expectVec(camera.position, 3, 4, 5);
}

TEST_F(Flight, ManualCameraCoastsWithDragOneAndAHalf) {
    camera.position = Vec3(0, 2, 0);
    camera.velocity = Vec3(1, 0, -2);
    camera.rotation = Vec3(30, 40, 0);
    camera.manualFlight();
    expectVec(camera.position, 0.02f, 2, -0.04f);
    expectVec(camera.velocity, 0.97f, -0.1f * 0.97f, -1.94f);  // in the air it also falls
    for (int i = 0; i < 49; ++i) camera.manualFlight();
    EXPECT_NEAR(camera.velocity.x, std::pow(0.97f, 50), 1e-4f);
}

TEST_F(Flight, MiddleButtonBrakesWithTenUnlessAnArrowIsHeld) {
    camera.velocity = Vec3(1, 0, 0);
    mouse.middleButton = 2;
    camera.manualFlight();
    EXPECT_NEAR(camera.velocity.x, 0.8f, 1e-6f);
    EXPECT_STREQ(statusLine.text, "Brake");
    keyboard.arrows = 2;  // Right held: flying, not braking
    camera.velocity = Vec3(1, 0, 0);
    camera.manualFlight();
    EXPECT_NEAR(camera.velocity.x, (1.0f + 8.0f * 0.02f) * 0.97f, 1e-5f);
}

TEST_F(Flight, LeftButtonThrustsAlongTheViewUpToTwiceTheTopSpeed) {
    mouse.leftButton = 2;
    camera.manualFlight();
    EXPECT_NEAR(camera.velocity.z, -0.16f * 0.97f, 1e-6f);
    EXPECT_STREQ(statusLine.text, "Thrust");
    camera.keySpeed = 1e4f;
    camera.manualFlight();
    EXPECT_NEAR(camera.velocity.length(), 14.0f * 0.97f, 1e-3f);
}

TEST_F(Flight, NothingFliesDuringTheIntroAndAPausedCameraOnlySlows) {
    camera.velocity = Vec3(1, 0, 0);
    mouse.leftButton = 2;
    appState.sceneIndex = 0;
    camera.manualFlight();
    expectVec(camera.velocity, 1, 0, 0);
    appState.sceneIndex = 1;
    mouse.leftButton = 0;
    prefs.paused = 1;
    camera.position = Vec3(0, 2, 0);
    camera.velocity = Vec3(1, 0, 0);
    camera.manualFlight();
    expectVec(camera.position, 0, 2, 0);
    expectVec(camera.velocity, 0.97f, 0, 0);  // nor does it fall
}

TEST_F(Flight, ArrowKeysPushAlongTheViewAxes) {
    struct Case {
        int arrows;
        float x, y, z;
    };
    const float s = 8.0f * 0.02f;
    const Case cases[] = {{1, -s, 0, 0}, {8, 0, 0, s}, {16, 0, 3 * s, 0}, {32, 0, -3 * s, 0}, {1 | 4, -s, 0, -s}};
    for (const Case& c : cases) {
        keyboard.arrows = c.arrows;
        camera.velocity = Vec3(0, 0, 0);
        camera.keyFlight();
        expectVec(camera.velocity, c.x, c.y, c.z);
    }
}

TEST_F(Flight, AltMultipliesTheArrowStepAndTheSpeedLimitByTen) {
    keyboard.arrows = 2;
    keyboard.alt = 1;
    camera.keyFlight();
    EXPECT_NEAR(camera.velocity.x, 1.6f, 1e-5f);
    camera.velocity = Vec3(69, 0, 0);
    camera.keyFlight();
    EXPECT_NEAR(camera.velocity.x, 70.0f, 1e-4f);
    keyboard.alt = 0;
    camera.keyFlight();
    EXPECT_NEAR(camera.velocity.x, 7.0f, 1e-4f);
}

TEST_F(Flight, AutomaticViewStaysInsideItsRanges) {
    const float w = 8.0f;
    camera.moveRotors = &cameraMoveRotors;
    camera.turnRotors = &cameraTurnRotors;
    cameraMoveRotors.count = 6;
    cameraTurnRotors.count = 3;
    camera.autoMoveRate = 8.0f;
    camera.autoTurnRate = 2.0f;
    const float range[3] = {0.7f * w, 0.2f * w, 0.7f * w}, turn[3] = {40, 720, 0};
    for (int i = 0; i < 3; ++i) {
        camera.autoRange[i] = range[i];
        camera.turnRange[i] = turn[i];
        camera.autoCentre[i] = i == 1 ? 1.0f : 0.0f;
    }
    for (float a = 0; a < 10; a += 0.05f) {
        for (int i = 0; i < 6; ++i) cameraMoveRotors.angle[i] = a * (i + 1);
        for (int i = 0; i < 3; ++i) cameraTurnRotors.angle[i] = a * (i + 2);
        camera.autoTurn();
        camera.autoPlace();
        ASSERT_LE(std::fabs(camera.rotation.x), 20.0f + 1e-4f);
        ASSERT_LE(std::fabs(camera.rotation.y), 360.0f + 1e-3f);
        ASSERT_LE(std::fabs(camera.position.x), 2.8f + 1e-5f);
        ASSERT_LE(std::fabs(camera.position.y - 1.0f), 0.8f + 1e-5f);
        ASSERT_LE(std::fabs(camera.position.z), 2.8f + 1e-5f);
    }
    cameraMoveRotors.angle[1] = 3.14159265f / 16;  // sin(8 a) = 1: the top of the box
    camera.autoPlace();
    EXPECT_NEAR(camera.position.y, 1.8f, 1e-4f);
}
