// Keys, buttons, the pointer and menu actions: state after key sequences, limits and messages, each widget against its key.
#include "app/Globals.h"
#include "app/Input.h"
#include "app/Keyboard.h"
#include "app/MenuActions.h"
#include "app/Mouse.h"
#include "app/Popup.h"
#include "app/SceneSequencer.h"
#include "app/SettingCommands.h"
#include "app/Startup.h"
#include "support/TestSupport.h"
#include "world/TerrainPasses.h"
#include <GL/freeglut.h>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

// A key: a character, kSpecial + a GLUT special key code, kAlt + a character.
constexpr int kSpecial = 0x100, kAlt = 0x200;

class Actions : public testing::Test {
protected:
    void SetUp() override { fresh(); }
    void TearDown() override { clearScriptedModifiers(); }
    static void fresh() {
        resetProgramState(), initPref(), setScriptedModifiers(0), statusLine.setMessage("-");
        appState.introDone = 1, appState.soundEnabled = 0, appState.worldSize = 8.0f, frameClock.realSeconds = 30.0;
        dialogs = DialogStack(), screen.height = 600, lastGroundHeight = prefs.groundHeight;
        previousColorLevel = 1.0f, previousMenuLevel = 0.0f, volumePreviewTime = 0.0, letterboxCounter = 0;
    }
    // The widget `id` on `page` reports `v` this frame.
    static void act(int page, int id, float v) { dialogs.pageId = page, dialogs.activatedId = id, dialogs.activatedValue = v, dispatchAction(); }
    static std::string message() { return statusLine.text; }
    static void press(int key, int modifiers = 0) {
        setScriptedModifiers(modifiers | (key & kAlt ? GLUT_ACTIVE_ALT : 0));
        if (key & kSpecial) specialHandler(key - kSpecial, 0, 0);
        else keyboardHandler(static_cast<unsigned char>(key), 0, 0);
    }
    // What a command may change besides the settings record.
    static auto state() {
        return std::make_tuple(message(), appState.worldSize, terrain.columns, lastGroundHeight, screen.clearPasses,
                               appState.exiting, appState.exitStartTime, appState.splinterState, appState.sceneIndex,
                               appState.popupOpen, dialogs.targetOpen);
    }
    ScratchDir dir;
};

void none() {}

// A key or 0 for a widget without one; page -1 for a key without a widget; v: what the widget reports.
struct KeyAndWidget { int key, page, id; float v; void (*before)(); float (*observe)(); float expected; const char* message; };

const KeyAndWidget kKeysAndWidgets[] = {
    {kSpecial + GLUT_KEY_PAGE_UP, 0, 54, 1.05263f, none, [] { return prefs.groundHeight; }, 1.05263f, "Page: 1.05"},
    {']', 0, 53, 1.055555f, none, [] { return appState.worldSize; }, 8.44444f, "Object Size: 1.06"},
    {'>', 0, 50, 80.9f, [] { prefs.tesselation = 80; }, [] { return float(terrain.columns); }, 80, "Tesselation: 80"},
    {'<', 0, 50, 9.5f, [] { prefs.tesselation = 10; }, [] { return float(prefs.tesselation); }, 10, "Tesselation: 10"},
    {kSpecial + GLUT_KEY_F2, 0, 26, 1.111111f, none, [] { return prefs.texMagX; }, 1.111111f, "F1/F2: 1.11"},
    {kSpecial + GLUT_KEY_F3, 0, 27, 0.9f, none, [] { return prefs.texMagY; }, 0.9f, "F3/F4: 0.90"},
    {'u', 0, 42, 2.5f, [] { prefs.universe = 1; }, [] { return float(prefs.universe); }, 2, "Fixed SkyBox On"},
    {',', 5, 51, 180, [] { prefs.fov = 179; }, [] { return prefs.fov; }, 179, "FOV: 179 Degrees"},
    {'}', 5, 52, 0.08f, none, [] { return prefs.cameraZ; }, 0.08f, "CameraZ: 0.08"},
    {kSpecial + GLUT_KEY_F11, 5, 55, 0.95f, [] { prefs.fade = 1; prefs.clearScreen = 1; },
     [] { return prefs.fade - prefs.clearScreen; }, 0.95f, "Fade Effect: 95.00"},
    {kSpecial + GLUT_KEY_F12, 5, 55, 1.04f, [] { prefs.fade = 0.99f; prefs.clearScreen = 0; },
     [] { return prefs.fade + prefs.clearScreen; }, 2, "Fade Effect: 100.00"},
    {'w', 5, 58, 1.5f, none, [] { return float(prefs.polygonMode); }, 1, "Lines"},
    {'l', 5, 59, 3.7f, [] { prefs.letterbox = 2; }, [] { return float(prefs.letterbox); }, 3, "Letterbox: 3"},
    {' ', 5, 96, 0, none, [] { return float(prefs.clearScreen); }, 0, "-"},
    {'p', 5, 97, 1, none, [] { return float(prefs.paused); }, 1, "Pause"},
    // The reset also closes the popup and puts the default grid of 30 back.
    {'r', 5, 98, 0, [] { prefs.moveSpeed = 3; openPopup(); prefs.tesselation = 80; applyWorldSettings();
                         prefs.fullScreen = 0; prefs.windowWidth = 640; },  // and keeps the window
     [] { return prefs.moveSpeed + appState.popupOpen + dialogs.targetOpen + terrain.columns + prefs.fullScreen * 1000 +
                 prefs.windowWidth; }, 1 + 30 + 640, "Reset w/o Prefs"},
    {'b', 6, 31, 0.3f, [] { prefs.blendMode0 = 8; }, [] { return float(prefs.blendMode0); }, 0, "0:0-GL_ZERO"},
    {'B', 6, 32, 1.2f, [] { prefs.blendMode1 = 0; }, [] { return float(prefs.blendMode1); }, 1, "1:1-GL_ONE"},
    {kSpecial + GLUT_KEY_HOME, 9, 60, 1.05263f, [] { prefs.noiseLevel = 1; }, [] { return prefs.noiseLevel; },
     1.05263f, "Home/End: 1.05"},
    {kSpecial + GLUT_KEY_F10, 9, 73, 1.111111f, none, [] { return prefs.f9Value; }, 1.111111f, "F9/F10: 1.11"},
    {kAlt + 'L', 9, 61, 9.5f, [] { prefs.lightmap = 8; }, [] { return float(prefs.lightmap); }, 9,
     "9/64: X  Vignette "},
    // Alt steps the lightmap's mode only while it is on; then the new combination's layers are named.
    {kAlt + 'L', -1, 0, 0, [] { prefs.lightmap = -5; }, [] { return float(prefs.lightmap); }, -5, "Lightmap Off"},
    {kAlt + 'L', -1, 0, 0, [] { prefs.lightmap = 63; }, [] { return float(prefs.lightmap); }, 0, "0/64: "},
    {0, 9, 23, 0, [] { prefs.lightmap = 64 + 2; }, [] { return float(prefs.lightmap); }, 2, "2/64: Y "},  // six flag bits kept
    {'U', 10, 30, 1, none, [] { return float(prefs.userMode); }, 1, "User On, no random changes"},
    // In this order: a failed load changes nothing but the message; a load unpauses, holds the camera, clears, resizes.
    {0, 4, 1, 0, [] { prefs.paused = 1; }, [] { return float(prefs.paused); }, 1, "Could NOT Load Prefs"},
    {'!', 3, 1, 0, [] { prefs.fullScreen = 1; prefs.windowWidth = 999; },
     [] { return float(readFile("Vulkora.pref").size()); }, 348, "Saved Prefs"},
    // The load key keeps the window and the camera.
    {'@', -1, 0, 0, [] { prefs.windowWidth = 640; prefs.cameraMode = 1; },
     [] { return float(prefs.fullScreen * 10000 + prefs.windowWidth * 10 + prefs.cameraMode); }, 6401, "Loaded Prefs"},
    {0, 4, 1, 0, [] { prefs.paused = 1; prefs.cameraMode = 0; prefs.tesselation = 80; prefs.objectSize = 2; },
     [] { return prefs.paused + prefs.cameraMode + screen.clearPasses + terrain.columns + appState.worldSize; },
     0 + 3 + 1 + 30 + 8, "Loaded Prefs"},
    {'\\', 1, 300, 0, [] { appState.sceneIndex = 1; }, [] { return float(appState.sceneIndex); }, 0, "-"},
    // The menu's replay closes the popup first: the intro's camera, not the one the popup saved.
    {0, 1, 300, 0, [] { openPopup(); dialogs.savedCameraMode = 1; },
     [] { return float(prefs.cameraMode + 10 * appState.popupOpen); }, float(sceneTable[0].cameraMode), "-"},
    {'q', 1, 99, 0, none, [] { return float(appState.exitStartTime + appState.splinterState); }, 33, "-"},
    // Widgets without a key: the value taken (or a flag flipped whatever the value) and the message.
    {0, 0, 300, 0, none, [] { return float(multiPassCloudShadow); }, 0, "Multi-Pass Cloud-Shadow Off"},
    {0, 5, 521, 1.5f, none, [] { return camera.eyeOffset[1]; }, 1.5f, "CameraY: 1.50"},
    {0, 5, 55, 0.015f, none, [] { return prefs.fade; }, 0.01f, "Fade Effect: 1.00"},  // the least fade there is
    {0, 7, 14, 64.5f, none, [] { return prefs.lightParams[4]; }, 64.5f, "Shininess: 64.50"},
    {0, 9, 74, 0.125f, none, [] { return prefs.lightmapRefresh; }, 0.125f, "Lightmap Refresh Interval:  0.1 secs"},
    {0, 10, 212, 1, none, [] { return float(prefs.sceneUnderSplinter); }, 1, "Splinter Effect AND Main Render"},
    {0, 10, 230, 0, [] { prefs.randomSkip = 0; }, [] { return float(prefs.randomSkip); }, 1, "Skip is Enabled"},
};

}  // namespace

TEST_F(Actions, AWidgetAndItsKeyChangeTheSettingAlikeWithinTheSameBounds) {
    for (const KeyAndWidget& row : kKeysAndWidgets) {
        SCOPED_TRACE(row.message);
        fresh();
        row.before();
        if (row.key) press(row.key);
        else act(row.page, row.id, row.v);
        EXPECT_FLOAT_EQ(row.observe(), row.expected);
        EXPECT_EQ(message(), row.message);
        if (!row.key || row.page < 0) continue;
        const Prefs byKey = prefs;
        const auto stateByKey = state();
        fresh();
        row.before();
        act(row.page, row.id, row.v);
        EXPECT_EQ(std::memcmp(&prefs, &byKey, sizeof prefs), 0) << "the settings differ";
        EXPECT_EQ(state(), stateByKey);
    }
    multiPassCloudShadow = 1;
}

// One press moves the setting by its factor, the other key by the inverse; held for long, it stays in its range.
TEST_F(Actions, HeldKeysKeepTheirSettingInRange) {
    const struct { int down, up; float* field; float low, high, once; const char* message; } rows[] = {
        {'{', '}', &prefs.cameraZ, -16, 16, 0, nullptr}, {'[', ']', &prefs.objectSize, 0.1f, 6, 0, nullptr},  // before the world grows
        {'(', ')', &prefs.lightRotateSpeed, 0.01f, 100, 0.9f, "Light Rotate Speed: 0.90"},
        {'_', '+', &prefs.moveSpeed, 0.01f, 100, 0.9f, "Movement Speed: 0.90"},
        {'-', '=', &prefs.rotateSpeed, 0.01f, 100, 0.9f, "Rotate Speed: 0.90"}, {'.', ',', &prefs.fov, 1, 179, 0, nullptr},
        {kSpecial + GLUT_KEY_PAGE_DOWN, kSpecial + GLUT_KEY_PAGE_UP, &prefs.groundHeight, 0.1f, 4, 0.95f, "Page: 0.95"},
        {kSpecial + GLUT_KEY_END, kSpecial + GLUT_KEY_HOME, &prefs.noiseLevel, 0.01f, 50, 0.95f, "Home/End: 0.95"},
        {kSpecial + GLUT_KEY_F1, kSpecial + GLUT_KEY_F2, &prefs.texMagX, 0.01f, 20, 0.9f, "F1/F2: 0.90"},
        {kSpecial + GLUT_KEY_F3, kSpecial + GLUT_KEY_F4, &prefs.texMagY, 0.01f, 20, 0.9f, "F3/F4: 0.90"},
        {kSpecial + GLUT_KEY_F9, kSpecial + GLUT_KEY_F10, &prefs.f9Value, 0.01f, 3, 0.9f, "F9/F10: 0.90"},
        {kSpecial + GLUT_KEY_F11, kSpecial + GLUT_KEY_F12, &prefs.fade, 0.01f, 1, 0.95f, "Fade Effect: 95.00"},
        {kSpecial + GLUT_KEY_LEFT, kSpecial + GLUT_KEY_RIGHT, &prefs.arrowScaleX, 0.01f, 100, 0.95f, nullptr},
        {kSpecial + GLUT_KEY_DOWN, kSpecial + GLUT_KEY_UP, &prefs.arrowScaleY, 0.01f, 100, 0.95f, nullptr},
    };
    auto hit = [&](int key, int times) {
        for (int i = 0; i < times; ++i) press(key);
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.down);
        if (row.message) {
            *row.field = 1;
            hit(row.down, 1);
            EXPECT_EQ(std::make_pair(*row.field, message()), std::make_pair(row.once, std::string(row.message)));
        }
        hit(row.down, 3000);
        EXPECT_FLOAT_EQ(*row.field, row.low);
        hit(row.up, 1);  // the other key's factor is the inverse of this one's
        EXPECT_TRUE(row.once ? std::abs(*row.field * row.once - row.low) < 1e-6f : *row.field > row.low) << *row.field;
        hit(row.up, 3000);
        EXPECT_FLOAT_EQ(*row.field, row.high);
    }
    EXPECT_EQ(prefs.arrowCountX * 10 + prefs.arrowCountY, 1 * 10 - 1);  // one more right than left, up than down
    EXPECT_EQ(std::make_tuple(appState.worldSize, screen.zFarBase, starField.outerDiameter, starField.innerDiameter),
              std::make_tuple(48.0f, 3.57f * 48, 96.0f, 0.9f * 96)) << "the world, its far plane and stars follow its size";
    EXPECT_EQ(prefs.clearScreen, 1) << "the least fade is none: the screen is cleared again";
}

TEST_F(Actions, EscapeAloneCountsDuringTheIntroThenStepsBackHidesThePopupAndLeaves) {
    appState.introDone = 0;
    press('c');
    press(kSpecial + GLUT_KEY_PAGE_UP);
    EXPECT_EQ(prefs.showFps * 10 + prefs.groundHeight, 1.0f);
    press(27);
    EXPECT_EQ(appState.exiting * 10 + prefs.clearScreen, 10);
    appState.introDone = 1, appState.exiting = 0, appState.exitStartTime = 0;
    // A page opened from another stands where it stood, and so does the page a close box goes back to.
    dialogs.buildPage(1, 1);
    dialogs.offsetX = 33;
    act(1, 3, 0);
    act(2, 7, 0);  // Options: General...
    const int general = dialogs.pageId;
    dialogs.offsetY = -20;
    act(5, 93, 0);
    EXPECT_EQ(std::make_tuple(general, dialogs.pageId, dialogs.offsetX, dialogs.offsetY), std::make_tuple(5, 2, 33.0f, -20.0f));
    std::string seen;
    dialogs.savedCameraMode = 1, prefs.cameraMode = 2, appState.popupOpen = 1;
    // Page, popup, camera, exit start after each ESC: back a page, then the popup hides, then ESC leaves.
    for (int i = 0; i < 3; ++i) {
        keyboardHandler(27, 0, 0);
        seen += std::to_string(dialogs.pageId) + std::to_string(appState.popupOpen) + std::to_string(prefs.cameraMode) +
                std::to_string(int(appState.exitStartTime)) + " ";
    }
    EXPECT_EQ(seen, "1120 1010 10130 ");
}

TEST_F(Actions, ArrowBitsButtonsAndThePointerFollowPressesReleasesAndMoves) {
    std::string arrows;  // with Ctrl, rising replaces forward; right replaces left
    for (auto [key, ctrl] : {std::pair{GLUT_KEY_UP, 0}, {GLUT_KEY_UP, GLUT_ACTIVE_CTRL}, {GLUT_KEY_LEFT, 0}, {GLUT_KEY_RIGHT, 0},
                                           {GLUT_KEY_DOWN, 0}, {GLUT_KEY_DOWN, GLUT_ACTIVE_CTRL}}) {
        press(kSpecial + key, ctrl);
        arrows += std::to_string(keyboard.arrows) + " ";
    }
    specialUpHandler(GLUT_KEY_RIGHT, 0, 0);
    EXPECT_EQ(arrows + std::to_string(keyboard.arrows), "4 16 17 18 10 34 32");
    // 'd' press, 'u' release, '|' end of a frame: the left button's state after each step, even within a frame.
    for (auto [steps, states] : {std::pair{"d|u|", "1230"}, {"du||", "1130"}}) {
        std::string seen;
        for (const char* c = steps; *c; ++c) {
            if (*c == '|') buttonsFrameStep();
            else mouseHandler(GLUT_LEFT_BUTTON, *c == 'd' ? GLUT_DOWN : GLUT_UP, 10, 10);
            seen += static_cast<char>('0' + mouse.leftButton);
        }
        EXPECT_EQ(seen, states) << steps;
    }
    prefs.cameraMode = 1;
    mouseHandler(GLUT_RIGHT_BUTTON, GLUT_DOWN, 10, 10);
    EXPECT_EQ(appState.popupOpen * 10 + prefs.cameraMode, 12) << "the camera holds while the popup is open";
    mouseHandler(GLUT_RIGHT_BUTTON, GLUT_UP, 10, 10);
    buttonsFrameStep();
    mouseHandler(GLUT_RIGHT_BUTTON, GLUT_DOWN, 10, 10);
    mouseHandler(GLUT_RIGHT_BUTTON, GLUT_UP, 10, 10);
    EXPECT_EQ(appState.popupOpen * 10 + prefs.cameraMode, 1) << "a quick click closes it, its release does not reopen";
    // The pointer in window pixels counts from the top; the overlay's from the bottom row, which is 0.
    screen.width = 800, screen.height = 600, prefs.cameraMode = 2;
    motionHandler(200, 0);
    EXPECT_EQ(mouse.position.x * 1000 + mouse.position.y, 200599);
    EXPECT_FLOAT_EQ(mouse.normX + mouse.normY, 0.25f + 599.0f / 600);
}
