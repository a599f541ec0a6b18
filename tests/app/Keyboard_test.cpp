// Key commands: state after key sequences, limits, wrap-arounds and messages.
#include "app/Globals.h"
#include "app/Input.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/Startup.h"
#include "support/TestSupport.h"
#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <string>

namespace {

class Keys : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        initPref();
        appState.introDone = 1;
        letterboxCounter = 0;
        lastGroundHeight = prefs.groundHeight;
        setScriptedModifiers(0);
    }
    void TearDown() override { clearScriptedModifiers(); }

    void press(unsigned char key, int modifiers = 0) {
        setScriptedModifiers(modifiers);
        keyboardHandler(key, 0, 0);
    }
    void special(int key, int modifiers = 0) {
        setScriptedModifiers(modifiers);
        specialHandler(key, 0, 0);
    }
    std::string message() const { return statusLine.text; }
};

}  // namespace

TEST_F(Keys, MultiplyingKeysScaleTheirSettingAndConfirmIt) {
    const struct { unsigned char key; float* field; float factor; const char* message; } rows[] = {
        {'(', &prefs.lightRotateSpeed, 0.9f, "Light Rotate Speed: 0.90"},
        {'+', &prefs.moveSpeed, 1.111111f, "Movement Speed: 1.11"},
        {'-', &prefs.rotateSpeed, 0.9f, "Rotate Speed: 0.90"},
    };
    for (const auto& row : rows) {
        *row.field = 1.0f;
        press(row.key);
        EXPECT_FLOAT_EQ(*row.field, row.factor) << row.key;
        EXPECT_EQ(message(), row.message);
    }
}

// Held for thousands of presses either way, a setting stays a usable number that the other key moves back.
TEST_F(Keys, HeldKeysKeepTheirSettingInRange) {
    const struct { int down, up; bool special; float* field; float low, high; } rows[] = {
        {'{', '}', false, &prefs.cameraZ, -16, 16},  // +-2 world sizes, before the world grows
        {'[', ']', false, &prefs.objectSize, 0.1f, 6},
        {'(', ')', false, &prefs.lightRotateSpeed, 0.01f, 100},
        {'_', '+', false, &prefs.moveSpeed, 0.01f, 100},
        {'-', '=', false, &prefs.rotateSpeed, 0.01f, 100},
        {'.', ',', false, &prefs.fov, 1, 179},
        {GLUT_KEY_PAGE_DOWN, GLUT_KEY_PAGE_UP, true, &prefs.groundHeight, 0.1f, 4},
        {GLUT_KEY_END, GLUT_KEY_HOME, true, &prefs.noiseLevel, 0.01f, 50},
        {GLUT_KEY_F1, GLUT_KEY_F2, true, &prefs.texMagX, 0.01f, 20},
        {GLUT_KEY_F3, GLUT_KEY_F4, true, &prefs.texMagY, 0.01f, 20},
        {GLUT_KEY_F9, GLUT_KEY_F10, true, &prefs.f9Value, 0.01f, 3},
        {GLUT_KEY_LEFT, GLUT_KEY_RIGHT, true, &prefs.arrowScaleX, 0.01f, 100},
        {GLUT_KEY_DOWN, GLUT_KEY_UP, true, &prefs.arrowScaleY, 0.01f, 100},
    };
    auto hit = [&](int key, bool isSpecial, int times) {
        for (int i = 0; i < times; ++i) isSpecial ? special(key) : press(static_cast<unsigned char>(key));
    };
    appState.worldSize = 8.0f;
    for (const auto& row : rows) {
        hit(row.down, row.special, 3000);
        EXPECT_FLOAT_EQ(*row.field, row.low) << row.down;
        hit(row.up, row.special, 1);
        EXPECT_GT(*row.field, row.low) << row.up;
        hit(row.up, row.special, 3000);
        EXPECT_FLOAT_EQ(*row.field, row.high) << row.up;
    }
    EXPECT_EQ(prefs.arrowCountX, 1);  // one more right than left
    EXPECT_EQ(prefs.arrowCountY, -1);
    EXPECT_FLOAT_EQ(appState.worldSize, 48.0f);  // the world follows its size
}

TEST_F(Keys, FieldOfViewAndTesselationStopAtTheirLimits) {
    prefs.fov = 179;
    press(',');
    EXPECT_FLOAT_EQ(prefs.fov, 179);
    EXPECT_EQ(message(), "FOV: 179 Degrees");
    prefs.tesselation = 80;
    press('>');
    EXPECT_EQ(prefs.tesselation, 80);
    EXPECT_EQ(message(), "Tesselation: 80");
    EXPECT_EQ(terrain.columns, 80);
}

TEST_F(Keys, LetterboxGoesUpToSixAndBackDown) {
    int seen[9];
    for (int& level : seen) {
        press('l');
        level = prefs.letterbox;
    }
    const int expected[9] = {1, 2, 3, 4, 5, 6, 5, 4, 3};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(seen[i], expected[i]) << "press " << i + 1;
    EXPECT_EQ(message(), "Letterbox: 3");
}

TEST_F(Keys, CyclesWrapAndNameTheirValues) {
    prefs.blendMode0 = 8;
    press('b');
    EXPECT_EQ(prefs.blendMode0, 0);
    EXPECT_EQ(message(), "0:0-GL_ZERO");
    prefs.universe = 3;
    press('u');
    EXPECT_EQ(prefs.universe, 0);
    EXPECT_EQ(message(), "Universe Off");
    prefs.debugLine = 0;
    press('N');
    EXPECT_EQ(prefs.debugLine, 16);
    press('n');
    EXPECT_EQ(prefs.debugLine, 0);
    EXPECT_EQ(message(), "n: 0");
    prefs.cameraMode = 0;
    mouse.moved = 0;
    press('v');
    EXPECT_EQ(prefs.cameraMode, 1);
    EXPECT_EQ(mouse.moved, 1);
    EXPECT_EQ(message(), "Camera 1: Manual Mouse/Arrow Key Control");
}

TEST_F(Keys, AltLightmapStepsTheModeOnlyWhileSwitchedOn) {
    prefs.lightmap = -5;
    press('L', GLUT_ACTIVE_ALT);
    EXPECT_EQ(prefs.lightmap, -5);
    EXPECT_EQ(message(), "Lightmap Off");
    press('L');
    EXPECT_EQ(prefs.lightmap, 5);
    EXPECT_EQ(message(), "Lightmap On");
    prefs.lightmap = 63;
    press('L', GLUT_ACTIVE_ALT);
    EXPECT_EQ(prefs.lightmap, 0);
    EXPECT_EQ(message(), "Lightmap Off");
}

TEST_F(Keys, DuringTheIntroOnlyEscapeCounts) {
    appState.introDone = 0;
    prefs.showFps = 0;
    press('c');
    EXPECT_EQ(prefs.showFps, 0);
    EXPECT_EQ(appState.exitStartTime, 0);
    frameClock.realSeconds = 3.0;
    press(27);
    EXPECT_DOUBLE_EQ(appState.exitStartTime, 3.0);
    EXPECT_EQ(prefs.clearScreen, 0);
    // Any key during the fade asks for the splinter capture again.
    appState.splinterState = 0;
    press(27);
    EXPECT_DOUBLE_EQ(appState.exitStartTime, -2.0);
    EXPECT_EQ(appState.splinterState, 3);
}

TEST_F(Keys, SaveAndLoadKeepTheCameraModeAndReport) {
    ScratchDir dir;
    press('@');
    EXPECT_EQ(prefs.paused, 0);
    press('!');
    EXPECT_EQ(message(), "Saved Prefs");
    prefs.cameraMode = 1;
    prefs.tesselation = 12;
    press('@');
    EXPECT_EQ(prefs.cameraMode, 1);
    EXPECT_EQ(prefs.tesselation, 30);
}

TEST_F(Keys, ResetRestoresDefaultsButKeepsTheWindow) {
    prefs.fullScreen = 0;
    prefs.windowWidth = 640;
    prefs.moveSpeed = 3.0f;
    press('r');
    EXPECT_FLOAT_EQ(prefs.moveSpeed, 1.0f);
    EXPECT_EQ(prefs.fullScreen, 0);
    EXPECT_EQ(prefs.windowWidth, 640);
    EXPECT_EQ(message(), "Reset w/o Prefs");
}

TEST_F(Keys, ArrowBitsFollowPressesAndReleases) {
    special(GLUT_KEY_UP);
    EXPECT_EQ(keyboard.arrows, 4);
    special(GLUT_KEY_UP, GLUT_ACTIVE_CTRL);
    EXPECT_EQ(keyboard.arrows, 16);  // rising replaces forward
    special(GLUT_KEY_LEFT);
    special(GLUT_KEY_RIGHT);
    EXPECT_EQ(keyboard.arrows, 16 | 2);
    specialUpHandler(GLUT_KEY_RIGHT, 0, 0);
    EXPECT_EQ(keyboard.arrows, 16);
    EXPECT_EQ(prefs.arrowCountX, 0);  // one left, one right
}

TEST_F(Keys, FadeKeysTurnTrailsOnAndOff) {
    prefs.fade = 1.0f;
    prefs.clearScreen = 1;
    special(GLUT_KEY_F11);
    EXPECT_FLOAT_EQ(prefs.fade, 0.95f);
    EXPECT_EQ(prefs.clearScreen, 0);
    for (int i = 0; i < 200; ++i) special(GLUT_KEY_F11);
    EXPECT_FLOAT_EQ(prefs.fade, 0.01f);
    prefs.fade = 0.0f;  // as the Fade slider leaves it
    special(GLUT_KEY_F12);
    EXPECT_FLOAT_EQ(prefs.fade, 0.01f);
    EXPECT_EQ(message(), "Fade Effect: 1.00");
    prefs.fade = 0.99f;
    special(GLUT_KEY_F12);
    EXPECT_FLOAT_EQ(prefs.fade, 1.0f);
    EXPECT_EQ(prefs.clearScreen, 1);
}

TEST_F(Keys, MouseButtonsStepThroughTheirStates) {
    mouseHandler(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);
    EXPECT_EQ(mouse.leftButton, 1);
    mouseHandler(GLUT_LEFT_BUTTON, GLUT_UP, 10, 10);
    EXPECT_EQ(mouse.leftButton, 1);  // a release in the press frame is not recorded
    buttonsFrameStep();
    EXPECT_EQ(mouse.leftButton, 2);
    mouseHandler(GLUT_LEFT_BUTTON, GLUT_UP, 10, 10);
    EXPECT_EQ(mouse.leftButton, 3);
    buttonsFrameStep();
    EXPECT_EQ(mouse.leftButton, 0);
    prefs.cameraMode = 1;
    mouseHandler(GLUT_RIGHT_BUTTON, GLUT_DOWN, 10, 10);
    EXPECT_EQ(appState.popupOpen, 1);
    EXPECT_EQ(prefs.cameraMode, 2);  // the camera holds while the popup is open
    buttonsFrameStep();
    mouseHandler(GLUT_RIGHT_BUTTON, GLUT_DOWN, 10, 10);
    EXPECT_EQ(appState.popupOpen, 0);
    EXPECT_EQ(prefs.cameraMode, 1);
}
