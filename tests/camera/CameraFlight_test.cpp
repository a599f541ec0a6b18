// Camera flight without GL: mouse look, entering manual mode, coasting, braking, thrust, arrow keys, the automatic view.
#include "app/Globals.h"
#include "core/MathUtil.h"
#include "support/TestSupport.h"
#include <cmath>
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
        camera.eyeOffset[1] = 0.1f;
        lastCameraMode = 1;
        prefs.groundHeight = 1.0f;
        terrain = TerrainMesh();  // flat ground at height 0, unless a test raises it
        camera.keepOnGround = [](SceneObject& object, int slide, float fall) {
            terrain.keepOnGround(object, slide, fall);
        };
        // An unturned view: right is x, up is y, forward (backwards from the eye) is z.
        const float axes[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        for (int i = 0; i < 3; ++i) {
            camera.right[i] = axes[0][i];
            camera.up[i] = axes[1][i];
            camera.forward[i] = axes[2][i];
        }
    }
};

void expectVec(const Vec3& v, const Vec3& expected, const char* what) {
    EXPECT_NEAR(v.x, expected.x, 1e-4f) << what;
    EXPECT_NEAR(v.y, expected.y, 1e-4f) << what;
    EXPECT_NEAR(v.z, expected.z, 1e-4f) << what;
}

}  // namespace

TEST_F(Flight, APointerDeltaTurnsOnceAndWrapsIntoAFullTurn) {
    const struct { float start, delta, wrapped; } rows[] = {{360, 100, 10}, {0, -100, 350}, {350, 3700, 360}, {5, -50, 0}};
    for (const auto& row : rows) {
        camera.rotation = Vec3(row.start, row.start, 0);
        mouse.position = Vec3(row.delta, row.delta, 0);  // pointer dx, dy in pixels
        camera.mouseLook();
        camera.update();  // the frame's integration turns nothing more
        EXPECT_NEAR(camera.rotation.x, row.wrapped, 1e-3f) << row.start << " + " << row.delta / 10;
        EXPECT_NEAR(camera.rotation.y, row.wrapped, 1e-3f);
    }
}

TEST_F(Flight, EnteringManualModeContinuesFromTheViewOnScreen) {
    const float c30 = std::sqrt(3.0f) / 2, s40 = std::sin(40 * kPi / 180), c40 = std::cos(40 * kPi / 180);
    // The orbit's view only exists as its read-back forward vector; the other views are pitch and heading.
    const struct { int from; Vec3 forward, rotation, position; } rows[] = {
        {0, Vec3(0, 0, 1), Vec3(10, 20, 0), Vec3(1, 2, 3)},
        {2, Vec3(0, 0, 1), Vec3(300, 200, 0), Vec3(1, 2, 3)},
        {3, Vec3(-c30 * s40, 0.5f, c30 * c40), Vec3(30, 40, 0), Vec3(1, 1.9f, 3)},
        {3, Vec3(1, 0, 0), Vec3(0, 270, 0), Vec3(1, 1.9f, 3)},
        {3, Vec3(0, -0.5f, c30), Vec3(330, 0, 0), Vec3(1, 1.9f, 3)},
    };
    for (const auto& row : rows) {
        lastCameraMode = row.from;
        camera.forward[0] = row.forward.x;
        camera.forward[1] = row.forward.y;
        camera.forward[2] = row.forward.z;
        camera.rotation = row.from == 3 ? Vec3(0, 0, 0) : row.rotation;
        camera.position = Vec3(1, 2, 3);
        camera.enterManual();
        expectVec(camera.rotation, row.rotation, "pitch, heading");
        expectVec(camera.position, row.position, "position");
    }
}

TEST_F(Flight, ManualCameraCoastsBrakesAndThrustsOnlyOutsideTheIntro) {
    // Drag 1.5 per second; one key step; in the air the camera sinks 5 per second squared, unless paused.
    const float drag = 0.97f, s = 8.0f * 0.02f, f = -0.1f;
    const struct { const char* what; int left, middle, arrows, scene, paused; Vec3 velocity, expected, moved; const char* message; } rows[] = {
        {"coasting", 0, 0, 0, 1, 0, Vec3(1, 0, -2), Vec3(drag, f * drag, -2 * drag), Vec3(0.02f, 0, -0.04f), ""},
        {"braking", 0, 2, 0, 1, 0, Vec3(1, 0, 0), Vec3(0.8f, f * 0.8f, 0), Vec3(0.02f, 0, 0), "Brake"},
        {"an arrow beats the brake", 0, 2, 2, 1, 0, Vec3(1, 0, 0), Vec3((1 + s) * drag, f * drag, 0), Vec3(0.02f * (1 + s), 0, 0), ""},
        {"thrust", 2, 0, 0, 1, 0, Vec3(0, 0, 0), Vec3(0, f * drag, -s * drag), Vec3(0, 0, -0.02f * s), "Thrust"},
        {"thrust up to twice the top speed", 3, 0, 0, 1, 0, Vec3(0, 0, -20), Vec3(0, f * drag, -14 * drag), Vec3(0, 0, -0.28f), "Thrust"},
        {"the intro", 2, 2, 0, 0, 0, Vec3(1, 0, 0), Vec3(1, 0, 0), Vec3(0, 0, 0), ""},
        {"paused", 0, 0, 0, 1, 1, Vec3(1, 0, 0), Vec3(drag, 0, 0), Vec3(0, 0, 0), ""},
    };
    for (const auto& row : rows) {
        mouse.leftButton = row.left;
        mouse.middleButton = row.middle;
        keyboard.arrows = row.arrows;
        appState.sceneIndex = row.scene;
        prefs.paused = row.paused;
        camera.position = Vec3(0, 2, 0);
        camera.velocity = row.velocity;
        statusLine.text[0] = '\0';
        camera.manualFlight();
        expectVec(camera.velocity, row.expected, row.what);
        expectVec(camera.position, row.moved + Vec3(0, 2, 0), row.what);
        EXPECT_STREQ(statusLine.text, row.message) << row.what;
    }
}

TEST_F(Flight, ArrowKeysPushAlongTheViewAxesAndAltMultipliesStepAndLimitByTen) {
    const float s = 8.0f * 0.02f;
    const struct { int arrows, alt; float startX; Vec3 expected; } rows[] = {
        {1, 0, 0, Vec3(-s, 0, 0)},  {8, 0, 0, Vec3(0, 0, s)},      {16, 0, 0, Vec3(0, 3 * s, 0)},
        {32, 0, 0, Vec3(0, -3 * s, 0)}, {1 | 4, 0, 0, Vec3(-s, 0, -s)}, {2, 1, 0, Vec3(10 * s, 0, 0)},
        {2, 1, 69, Vec3(70, 0, 0)}, {2, 0, 69, Vec3(7, 0, 0)},
    };
    for (const auto& row : rows) {
        keyboard.arrows = row.arrows;
        keyboard.alt = row.alt;
        camera.velocity = Vec3(row.startX, 0, 0);
        camera.keyFlight();
        expectVec(camera.velocity, row.expected, "arrows");
    }
}

TEST_F(Flight, AutomaticViewSpansItsBoxAndTurnRangesAndStaysAboveTheGround) {
    camera.moveRotors = &cameraMoveRotors;
    camera.turnRotors = &cameraTurnRotors;
    cameraMoveRotors.count = 6;
    cameraTurnRotors.count = 3;
    camera.autoMoveRate = 8.0f;
    camera.autoTurnRate = 2.0f;
    const float range[3] = {5.6f, 1.6f, 5.6f}, turn[3] = {40, 720, 0};  // world size 8
    for (int i = 0; i < 3; ++i) {
        camera.autoRange[i] = range[i];
        camera.turnRange[i] = turn[i];
        camera.autoCentre[i] = i == 1 ? 1.0f : 0.0f;
    }
    // Rotor angles at which every sine is 1, then -1: the corners of the box and the ends of the turns.
    for (float sign : {1.0f, -1.0f}) {
        for (int i = 0; i < 3; ++i) cameraMoveRotors.angle[i] = sign * kPi / 16;
        for (int i = 0; i < 2; ++i) cameraTurnRotors.angle[i] = sign * kPi / 4;
        camera.autoTurn();
        camera.autoPlace();
        expectVec(camera.position, Vec3(2.8f * sign, 1 + 0.8f * sign, 2.8f * sign), "corner");
        expectVec(camera.rotation, Vec3(20 * sign, 360 * sign, 0), "turns");
    }
    // Over a hill higher than the box, the camera rests on it (half its own height up).
    terrain.columns = terrain.rows = 10;
    terrain.radius = terrain.extent.x = terrain.extent.y = 8.0f;
    for (auto& column : terrain.vertices)
        for (auto& vertex : column) vertex.position.y = 2.5f;
    camera.autoPlace();
    EXPECT_NEAR(camera.position.y, 2.51f, 1e-4f);
}
