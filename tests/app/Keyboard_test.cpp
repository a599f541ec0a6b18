// Key, special-key and button commands: state after key sequences, limits, wrap-arounds and messages.
#include "app/Globals.h"
#include "app/Input.h"
#include "app/Keyboard.h"
#include "app/SettingCommands.h"
#include "app/Mouse.h"
#include "app/SceneSequencer.h"
#include "app/Startup.h"
#include "support/TestSupport.h"
#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr int kSpecial = 256;  // table keys from here on are GLUT special keys

class Keys : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        initPref();
        appState.introDone = 1;
        letterboxCounter = 0;
        applyWorldSettings();
        setScriptedModifiers(0);
    }
    void TearDown() override { clearScriptedModifiers(); }

    void press(int key, int modifiers = 0) {
        setScriptedModifiers(modifiers);
        if (key < kSpecial)
            keyboardHandler(static_cast<unsigned char>(key), 0, 0);
        else
            specialHandler(key - kSpecial, 0, 0);
    }
    std::string message() const { return statusLine.text; }
};

}  // namespace

TEST_F(Keys, SteppingKeysMoveTheirSettingWithinItsLimitsAndConfirmIt) {
    const struct { int key; float* field; float start, expected; const char* message; } floats[] = {
        {'(', &prefs.lightRotateSpeed, 1, 0.9f, "Light Rotate Speed: 0.90"},
        {'+', &prefs.moveSpeed, 1, 1.111111f, "Movement Speed: 1.11"},
        {'-', &prefs.rotateSpeed, 1, 0.9f, "Rotate Speed: 0.90"},
        {',', &prefs.fov, 179, 179, "FOV: 179 Degrees"},
        {kSpecial + GLUT_KEY_F10, &prefs.f9Value, 1, 1.111111f, "F9/F10: 1.11"},
        {kSpecial + GLUT_KEY_PAGE_DOWN, &prefs.groundHeight, 1, 0.95f, "Page: 0.95"},
    };
    for (const auto& row : floats) {
        *row.field = row.start;
        press(row.key);
        EXPECT_FLOAT_EQ(*row.field, row.expected) << row.message;
        EXPECT_EQ(message(), row.message);
    }
    const struct { int key, modifiers; int* field; int start, expected; const char* message; } ints[] = {
        {'>', 0, &prefs.tesselation, 80, 80, "Tesselation: 80"},
        {'b', 0, &prefs.blendMode0, 8, 0, "0:0-GL_ZERO"},
        {'u', 0, &prefs.universe, 3, 0, "Universe Off"},
        {'N', 0, &prefs.debugLine, 0, 16, "n: 16"},
        {'n', 0, &prefs.debugLine, 16, 0, "n: 0"},
        {'v', 0, &prefs.cameraMode, 0, 1, "Camera 1: Manual Mouse/Arrow Key Control"},
        {'L', GLUT_ACTIVE_ALT, &prefs.lightmap, -5, -5, "Lightmap Off"},  // Alt steps the mode only while on
        {'L', 0, &prefs.lightmap, -5, 5, "Lightmap On"},
        {'L', GLUT_ACTIVE_ALT, &prefs.lightmap, 63, 0, "0/64: "},  // the new combination's layers: none
    };
    for (const auto& row : ints) {
        *row.field = row.start;
        press(row.key, row.modifiers);
        EXPECT_EQ(*row.field, row.expected) << row.message;
        EXPECT_EQ(message(), row.message);
    }
    EXPECT_EQ(terrain.columns, 80);
}

// Held for thousands of presses either way, a setting stays a usable number that the other key moves back.
TEST_F(Keys, HeldKeysKeepTheirSettingInRange) {
    const struct { int down, up; float* field; float low, high; } rows[] = {
        {'{', '}', &prefs.cameraZ, -16, 16},  // +-2 world sizes, before the world grows
        {'[', ']', &prefs.objectSize, 0.1f, 6},
        {'(', ')', &prefs.lightRotateSpeed, 0.01f, 100},
        {'_', '+', &prefs.moveSpeed, 0.01f, 100},
        {'-', '=', &prefs.rotateSpeed, 0.01f, 100},
        {'.', ',', &prefs.fov, 1, 179},
        {kSpecial + GLUT_KEY_PAGE_DOWN, kSpecial + GLUT_KEY_PAGE_UP, &prefs.groundHeight, 0.1f, 4},
        {kSpecial + GLUT_KEY_END, kSpecial + GLUT_KEY_HOME, &prefs.noiseLevel, 0.01f, 50},
        {kSpecial + GLUT_KEY_F1, kSpecial + GLUT_KEY_F2, &prefs.texMagX, 0.01f, 20},
        {kSpecial + GLUT_KEY_F3, kSpecial + GLUT_KEY_F4, &prefs.texMagY, 0.01f, 20},
        {kSpecial + GLUT_KEY_F9, kSpecial + GLUT_KEY_F10, &prefs.f9Value, 0.01f, 3},
        {kSpecial + GLUT_KEY_LEFT, kSpecial + GLUT_KEY_RIGHT, &prefs.arrowScaleX, 0.01f, 100},
        {kSpecial + GLUT_KEY_DOWN, kSpecial + GLUT_KEY_UP, &prefs.arrowScaleY, 0.01f, 100},
    };
    auto hit = [&](int key, int times) {
        for (int i = 0; i < times; ++i) press(key);
    };
    appState.worldSize = 8.0f;
    for (const auto& row : rows) {
        hit(row.down, 3000);
        EXPECT_FLOAT_EQ(*row.field, row.low) << row.down;
        hit(row.up, 1);
        EXPECT_GT(*row.field, row.low) << row.up;
        hit(row.up, 3000);
        EXPECT_FLOAT_EQ(*row.field, row.high) << row.up;
    }
    EXPECT_EQ(prefs.arrowCountX, 1);  // one more right than left
    EXPECT_EQ(prefs.arrowCountY, -1);
    EXPECT_FLOAT_EQ(appState.worldSize, 48.0f);  // the world follows its size
}

TEST_F(Keys, LetterboxGoesUpToSixAndBackDown) {
    std::string seen;
    for (int i = 0; i < 9; ++i) {
        press('l');
        seen += static_cast<char>('0' + prefs.letterbox);
    }
    EXPECT_EQ(seen, "123456543");
    EXPECT_EQ(message(), "Letterbox: 3");
}

TEST_F(Keys, DuringTheIntroOnlyEscapeCounts) {
    appState.introDone = 0;
    press('c');
    press(kSpecial + GLUT_KEY_PAGE_UP);
    EXPECT_EQ(prefs.showFps, 0);
    EXPECT_FLOAT_EQ(prefs.groundHeight, 1.0f);
    press(27);
    EXPECT_EQ(appState.exiting, 1);
    EXPECT_EQ(prefs.clearScreen, 0);
}

TEST_F(Keys, LoadShowsItsResultAndKeepsTheWindowAndTheCamera) {
    ScratchDir dir;
    prefs.fullScreen = 1;
    prefs.windowWidth = 999;
    press('!');
    EXPECT_EQ(message(), "Saved Prefs");
    prefs.fullScreen = 0;
    prefs.windowWidth = 640;
    prefs.cameraMode = 1;
    press('@');
    EXPECT_EQ(message(), "Loaded Prefs");
    EXPECT_EQ(prefs.fullScreen, 0);
    EXPECT_EQ(prefs.windowWidth, 640);
    EXPECT_EQ(prefs.cameraMode, 1);
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
    press(kSpecial + GLUT_KEY_UP);
    EXPECT_EQ(keyboard.arrows, 4);
    press(kSpecial + GLUT_KEY_UP, GLUT_ACTIVE_CTRL);
    EXPECT_EQ(keyboard.arrows, 16);  // rising replaces forward
    press(kSpecial + GLUT_KEY_LEFT);
    press(kSpecial + GLUT_KEY_RIGHT);
    EXPECT_EQ(keyboard.arrows, 16 | 2);
    specialUpHandler(GLUT_KEY_RIGHT, 0, 0);
    EXPECT_EQ(keyboard.arrows, 16);
    EXPECT_EQ(prefs.arrowCountX, 0);  // one left, one right
}

TEST_F(Keys, FadeKeysTurnTrailsOnAndOff) {
    prefs.fade = 1.0f;
    prefs.clearScreen = 1;
    press(kSpecial + GLUT_KEY_F11);
    EXPECT_FLOAT_EQ(prefs.fade, 0.95f);
    EXPECT_EQ(prefs.clearScreen, 0);
    for (int i = 0; i < 200; ++i) press(kSpecial + GLUT_KEY_F11);
    EXPECT_FLOAT_EQ(prefs.fade, 0.01f);
    prefs.fade = 0.0f;  // as the Fade slider leaves it
    press(kSpecial + GLUT_KEY_F12);
    EXPECT_FLOAT_EQ(prefs.fade, 0.01f);
    EXPECT_EQ(message(), "Fade Effect: 1.00");
    prefs.fade = 0.99f;
    press(kSpecial + GLUT_KEY_F12);
    EXPECT_FLOAT_EQ(prefs.fade, 1.0f);
    EXPECT_EQ(prefs.clearScreen, 1);
}

TEST_F(Keys, ButtonsShowEveryPressAndReleaseToTheFramesEvenWithinOneFrame) {
    // 'd' press, 'u' release, '|' end of a frame: the left button's state after each step.
    const struct { const char* steps; const char* states; } rows[] = {{"d|u|", "1230"}, {"du||", "1130"}};
    for (const auto& row : rows) {
        std::string seen;
        for (const char* c = row.steps; *c; ++c) {
            if (*c == '|')
                buttonsFrameStep();
            else
                mouseHandler(GLUT_LEFT_BUTTON, *c == 'd' ? GLUT_DOWN : GLUT_UP, 10, 10);
            seen += static_cast<char>('0' + mouse.leftButton);
        }
        EXPECT_EQ(seen, row.states) << row.steps;
    }
    prefs.cameraMode = 1;
    mouseHandler(GLUT_RIGHT_BUTTON, GLUT_DOWN, 10, 10);
    EXPECT_EQ(appState.popupOpen, 1);
    EXPECT_EQ(prefs.cameraMode, 2);  // the camera holds while the popup is open
    mouseHandler(GLUT_RIGHT_BUTTON, GLUT_UP, 10, 10);
    buttonsFrameStep();
    mouseHandler(GLUT_RIGHT_BUTTON, GLUT_DOWN, 10, 10);
    mouseHandler(GLUT_RIGHT_BUTTON, GLUT_UP, 10, 10);
    EXPECT_EQ(appState.popupOpen, 0) << "a quick click closes the popup, and its release does not reopen it";
    EXPECT_EQ(prefs.cameraMode, 1);
}
