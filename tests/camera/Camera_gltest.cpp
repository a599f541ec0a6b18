// The camera: mouse look, entering manual mode, coasting, braking, thrust, arrow keys; the rotors' draws, easing and
// decay (the automatic, held and orbit views with their wander are the golden tour's pictures).
#include "app/Globals.h"
#include "core/MathUtil.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

class CameraTest : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState(); prefs.cameraMode = lastCameraMode = appState.sceneIndex = 1;
        prefs.mouseSensitivity = prefs.moveSensitivity = prefs.groundHeight = 1.0f, frameClock.dt = 0.02f;
        camera.maxSpeed = 7.0f, camera.keySpeed = 8.0f, camera.eyeOffset[1] = 0.1f;
        terrain = TerrainMesh();  // flat ground at height 0, unless a test raises it
        camera.keepOnGround = [](SceneObject& object, int slide, float fall) { terrain.keepOnGround(object, slide, fall); };
        // An unturned view: right is x, up is y, forward (backwards from the eye) is z.
        for (int i = 0; i < 3; ++i) camera.right[i] = i == 0, camera.up[i] = i == 1, camera.forward[i] = i == 2;
        camera.moveRotors = &cameraMoveRotors, camera.turnRotors = &cameraTurnRotors;
    }
    static void setVec(float v[3], const Vec3& e) { v[0] = e.x, v[1] = e.y, v[2] = e.z; }
};

void expectVec(const Vec3& v, const Vec3& e, const char* what, float tolerance = 1e-4f) {
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(v[k], e[k], tolerance) << what << " " << k;
}

// The generator's next values as uniform numbers in [0, 1), leaving it where it was.
std::vector<float> peekDraws(uint32_t seed, int n) {
    rndSeed(seed); std::vector<float> draws;
    for (int i = 0; i < n; ++i) draws.push_back(rndInt() / 32768.0f);
    rndSeed(seed);
    return draws;
}

}  // namespace

TEST_F(CameraTest, APointerDeltaTurnsOnceAndWrapsIntoAFullTurn) {
    const struct { float start, delta, wrapped; } rows[] = {{360, 100, 10}, {0, -100, 350}, {350, 3700, 360}, {5, -50, 0}, {350, 105, 0.5f}};
    for (const auto& row : rows) {
        camera.rotation = Vec3(row.start, 0, 0), prefs.mouseSensitivity = 0.5f;
        mouse.position = Vec3(20, 2 * row.delta, 0);  // pointer dx, dy in pixels at half sensitivity: dy pitches
        camera.mouseLook(); camera.update();  // the frame's integration turns nothing more
        expectVec(camera.rotation, Vec3(row.wrapped, 1, 0), "pitch, heading", 1e-3f);
    }
}

TEST_F(CameraTest, EnteringManualModeContinuesFromTheViewOnScreen) {
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
        lastCameraMode = row.from; setVec(camera.forward, row.forward);
        camera.rotation = row.from == 3 ? Vec3(0, 0, 0) : row.rotation, camera.position = Vec3(1, 2, 3);
        camera.enterManual(); expectVec(camera.rotation, row.rotation, "pitch, heading");
        expectVec(camera.position, row.position, "position");
    }
}

TEST_F(CameraTest, ManualCameraCoastsBrakesAndThrustsOnlyOutsideTheIntro) {
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
        mouse.leftButton = row.left, mouse.middleButton = row.middle, keyboard.arrows = row.arrows;
        appState.sceneIndex = row.scene, prefs.paused = row.paused, statusLine.text[0] = '\0';
        camera.position = Vec3(0, 2, 0), camera.velocity = row.velocity; camera.manualFlight();
        expectVec(camera.velocity, row.expected, row.what);
        expectVec(camera.position, row.moved + Vec3(0, 2, 0), row.what);
        EXPECT_STREQ(statusLine.text, row.message) << row.what;
    }
}

TEST_F(CameraTest, ArrowKeysPushAlongTheViewAxesAndAltMultipliesStepAndLimitByTen) {
    const float s = 8.0f * 0.02f;
    const struct { int arrows, alt; float startX; Vec3 expected; } rows[] = {
        {1, 0, 0, Vec3(-s, 0, 0)},  {8, 0, 0, Vec3(0, 0, s)},      {16, 0, 0, Vec3(0, 3 * s, 0)},
        {32, 0, 0, Vec3(0, -3 * s, 0)}, {1 | 4, 0, 0, Vec3(-s, 0, -s)}, {2, 1, 0, Vec3(10 * s, 0, 0)},
        {2, 1, 69, Vec3(70, 0, 0)}, {2, 0, 69, Vec3(7, 0, 0)},
    };
    for (const auto& row : rows) {
        keyboard.arrows = row.arrows, keyboard.alt = row.alt, camera.velocity = Vec3(row.startX, 0, 0);
        camera.keyFlight(); expectVec(camera.velocity, row.expected, "arrows");
    }
}

TEST(RotorSet, UpdateDrawsActivityTargetAndSignThenEasesDecaysOrKeepsAFrozenRotorTurning) {
    RotorSet set; set.count = 1; set.target[0] = 0.03f;
    set.activityRate = set.targetRate = 1000.0f;  // both chances certain: all five draws happen; the seed puts the
    // activity draw just above 0.33 and the sign draw just above 0.55
    std::vector<float> r = peekDraws(1799, 5); set.update(0.01f, 1.0f);
    float t = (r[4] < 0.55f ? -1.0f : 1.0f) * (0.02f + r[3] * 0.02f), v = r[1] < 0.33f ? 0.0f : t * 0.01f;
    EXPECT_EQ(set.active[0], r[1] < 0.33f ? 0 : 1); EXPECT_FLOAT_EQ(set.target[0], t);
    EXPECT_FLOAT_EQ(set.velocity[0], v);  // easing 1: a hundredth of the way from 0 to the target
    EXPECT_FLOAT_EQ(set.angle[0], 0.01f * v);

    // No random changes: rotor 0 idles and decays, 1 eases towards its target, 2 is frozen and draws nothing.
    set = RotorSet(); set.count = 3; set.activityRate = set.targetRate = 0.0f;
    set.easing = 0.5f; set.velocity[0] = set.target[1] = 0.04f; set.active[1] = 1;
    set.frozen[2] = 1; set.velocity[2] = 0.03f; set.angle[2] = 10.0f;
    set.update(0.1f, 3.0f); EXPECT_FLOAT_EQ(set.velocity[0], 0.04f * 0.95f);
    EXPECT_FLOAT_EQ(set.velocity[1], 0.04f * 0.05f); EXPECT_FLOAT_EQ(set.angle[1], 0.3f * 0.04f * 0.05f);
    EXPECT_FLOAT_EQ(set.velocity[2], 0.03f); EXPECT_FLOAT_EQ(set.angle[2], 10.0f + 0.3f * 0.03f);
    set.activityRate = set.targetRate = 1000.0f; set.count = 1; set.frozen[0] = 1;
    rndSeed(5); set.update(2.0f, 3.0f);
    EXPECT_EQ(rndState(), 5u) << "a frozen rotor draws nothing";
}
