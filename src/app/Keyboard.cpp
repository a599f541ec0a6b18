// Letter and symbol keys: recording, the command table and the common after-key step.
#include "app/Keyboard.h"
#include "app/Globals.h"
#include "app/Input.h"
#include "app/Popup.h"
#include "app/PrefsFile.h"
#include "app/SceneSequencer.h"
#include "app/SettingCommands.h"
#include "app/Startup.h"
#include "core/SettingRanges.h"
#include "core/Trace.h"
#include "ui/MenuMessages.h"
#include <GL/freeglut.h>
#include <cstdlib>
#include <cstring>

int letterboxCounter = 0;

void scaleSetting(float& value, float factor, const char* format) {
    value = inRange(prefs, value, value * factor);
    statusLine.setMessagef(format, static_cast<double>(value));
}

void recordModifiers() {
    int modifiers = inputModifiers();
    keyboard.shift = modifiers & GLUT_ACTIVE_SHIFT;
    keyboard.ctrl = modifiers & GLUT_ACTIVE_CTRL;
    keyboard.alt = modifiers & GLUT_ACTIVE_ALT;
}

void toggleSetting(int& value, const char* on, const char* off) {
    value = !value;
    statusLine.setMessage(value ? on : off);
}

void replayIntro() {
    appState.sceneIndex = -1;
    appState.introStep = 0;
    if (appState.soundEnabled) {
        soundSystem.stopAll();
        soundSystem.stopSong(soundSystem.song);
    }
    sceneStep(kSceneApply | kSceneAdvance);
}

namespace {

// Steps value through lo..hi, wrapping from hi back to lo.
int cycle(int value, int lo, int hi) { return value >= hi || value < lo ? lo : value + 1; }

void exitKey() {
    if (appState.exiting) {
        // Second press: the next frame ends the program.
        appState.exitStartTime = frameClock.realSeconds - 5.0;
        return;
    }
    appState.exiting = 1;
    appState.exitStartTime = frameClock.realSeconds;
    appState.helpVisible = 0;
    closePopup();
    prefs.clearScreen = 0;
    prefs.fade = 0;
}

// With the popup open, ESC steps back one page as the close box does; otherwise it leaves, as "q" does.
void escapeKey() {
    if (appState.popupOpen && !appState.exiting) return closeDialogPage();
    exitKey();
}

void helpKey() {
    appState.helpVisible = !appState.helpVisible;
    if (!appState.helpVisible)
        screen.clearPasses = 1.0f;
    else
        closePopup();  // properly: it slides away instead of standing open without taking input
}

void loadKey() {
    int cameraMode = prefs.cameraMode;
    if (!reloadPrefs()) return;
    prefs.cameraMode = cameraMode;
    updateCursor();
}

void fullScreenKey() {
    prefs.fullScreen = !prefs.fullScreen;
    if (windowHandle) {
        if (!prefs.fullScreen) {
            glutReshapeWindow(prefs.windowWidth, prefs.windowHeight);
        } else {
            glutFullScreen();
        }
    }
    if (prefs.fullScreen) screen.clearPasses = 1.0f;
    updateCursor();
}

// Alt steps to the next combination and names its layers; plain L switches the effect and says so.
void lightmapKey() {
    if (keyboard.alt && prefs.lightmap >= 0) return setLightmapMode((prefs.lightmap + 1) % 64);
    if (!keyboard.alt) prefs.lightmap = -prefs.lightmap;
    statusLine.setMessage(prefs.lightmap > 0 ? "Lightmap On" : "Lightmap Off");
}

void letterboxKey() {
    if (std::abs(letterboxCounter) != prefs.letterbox) letterboxCounter = prefs.letterbox;
    letterboxCounter = letterboxCounter == 6 ? -5 : letterboxCounter + 1;
    setLetterbox(std::abs(letterboxCounter));
}

void cameraKey() {
    static const char* const kNames[4] = {
        "Camera 0: Auto: Random Location and Orientation", "Camera 1: Manual Mouse/Arrow Key Control",
        "Camera 2: Hold", "Camera 3: Auto: Random Location w/ Centered View"};
    prefs.cameraMode = cycle(prefs.cameraMode, 0, 3);
    updateCursor();
    statusLine.setMessage(kNames[prefs.cameraMode]);
}

void mapKey() {
    static const char* const kNames[4] = {"Map: Normal", "Map: Sphere", "Map: Object", "Map: Eye"};
    prefs.mapMode = cycle(prefs.mapMode, 0, 3);
    statusLine.setMessage(kNames[prefs.mapMode]);
}

void splinterKey() {
    if (appState.splinterState == 2) {
        appState.splinterState = 0;
    } else {
        appState.splinterState = 1;
        splinterEndTime = frameClock.time + 8.0;
    }
    tracef("splinter", "%d", appState.splinterState);
}

void debugLineStep(int delta) {
    prefs.debugLine = delta > 0 ? cycle(prefs.debugLine, 0, 16) : (prefs.debugLine <= 0 ? 16 : prefs.debugLine - 1);
    statusLine.setMessagef("n: %d", prefs.debugLine);
}

struct KeyCommand {
    const char* keys;
    void (*run)();
};

const KeyCommand kCommands[] = {
    {"\x1b", escapeKey},
    {"Qq", exitKey},
    {" ", [] { setClearScreen(!prefs.clearScreen); }},
    {"!", [] { statusLine.setMessage(savePrefs(prefs, appState.name) ? "Could NOT Save Prefs" : "Saved Prefs"); }},
    {"#", [] { sceneStep(kSceneApply | kSceneAdvance); }},
    {"(", [] { scaleSetting(prefs.lightRotateSpeed, 0.9f, "Light Rotate Speed: %4.2f"); }},
    {")", [] { scaleSetting(prefs.lightRotateSpeed, 1.111111f, "Light Rotate Speed: %4.2f"); }},
    {"+", [] { scaleSetting(prefs.moveSpeed, 1.111111f, "Movement Speed: %4.2f"); }},
    {"_", [] { scaleSetting(prefs.moveSpeed, 0.9f, "Movement Speed: %4.2f"); }},
    {"=", [] { scaleSetting(prefs.rotateSpeed, 1.111111f, "Rotate Speed: %4.2f"); }},
    {"-", [] { scaleSetting(prefs.rotateSpeed, 0.9f, "Rotate Speed: %4.2f"); }},
    {",", [] { setFov(prefs.fov + 1.0f); }},
    {".", [] { setFov(prefs.fov - 1.0f); }},
    {"/?", helpKey},
    {"<", [] { setTesselation(prefs.tesselation - 1); }},
    {">", [] { setTesselation(prefs.tesselation + 1); }},
    {"@", loadKey},
    {"b", [] { setBlendMode(0, cycle(prefs.blendMode0, 0, 8)); }},
    {"B", [] { setBlendMode(1, cycle(prefs.blendMode1, 0, 7)); }},
    {"cC", [] { toggleSetting(prefs.showFps, "Frame/Second Clock On", "Frame/Second Clock Off"); }},
    {"Ff", fullScreenKey},
    {"Ii", [] { prefs.imageOption = 0; showImageOptions(); }},
    {"L", lightmapKey},
    {"l", letterboxKey},
    {"Mm", mapKey},
    {"n", [] { debugLineStep(1); }},
    {"N", [] { debugLineStep(-1); }},
    {"Oo", [] { prefs.option = 0; showOptions(); }},
    {"Pp", [] { setPaused(!prefs.paused); }},
    {"Rr", [] { initPref(); initVars(); screen.clearPasses = 1.0f; statusLine.setMessage("Reset w/o Prefs"); }},
    {"Ss", [] { toggleSetting(prefs.spotLights, "SpotLights On", "SpotLights Off"); }},
    {"Tt", [] { toggleSetting(prefs.textures, "Textures On", "Textures Off"); }},
    {"U", [] { toggleSetting(prefs.userMode, "User On, no random changes", "User Off, random changes allowed"); }},
    {"u", [] { setUniverse(cycle(prefs.universe, 0, 3)); }},
    {"Vv", cameraKey},
    {"Ww", [] { setPolygonMode(cycle(prefs.polygonMode, 0, 2)); }},
    {"Xx", splinterKey},
    {"[", [] { setObjectSize(prefs.objectSize * 0.95f); }},
    {"]", [] { setObjectSize(prefs.objectSize * 1.055555f); }},
    {"\\", replayIntro},
    {"`", [] { if (appState.introDone) appState.popupOpen ? closePopup() : openPopup(); }},
    {"{", [] { setCameraZ(prefs.cameraZ - 0.01f * appState.worldSize); }},
    {"}", [] { setCameraZ(prefs.cameraZ + 0.01f * appState.worldSize); }},
};

void applyKeyCommand(unsigned char key) {
    if (key == 0) return;
    for (const KeyCommand& command : kCommands)
        if (std::strchr(command.keys, key)) return command.run();
}

}  // namespace

void keyboardHandler(unsigned char key, int, int) {
    if (!appState.introDone && key != 27) return;
    keyboard.key = key;
    recordModifiers();
    runKeyCommand(key);
}

void runKeyCommand(unsigned char key) {
    applyKeyCommand(key);
    afterKey(key);
}

bool reloadPrefs() {
    const int fullScreen = prefs.fullScreen, width = prefs.windowWidth, height = prefs.windowHeight;
    if (loadPrefs(prefs, appState.name) != 0) {
        statusLine.setMessage("Could NOT Load Prefs");
        return false;
    }
    // The window stays as it is: the file's window state would only be shown, not in force.
    prefs.fullScreen = fullScreen;
    prefs.windowWidth = width;
    prefs.windowHeight = height;
    prefs.paused = 0;
    screen.clearPasses = 1.0f;
    camera.fov = prefs.fov;
    setFogColor(prefs.universe);
    applyWorldSettings();
    statusLine.setMessage("Loaded Prefs");
    return true;
}

void afterKey(int k) {
    applyWorldSettings();
    if (k == 127 && appState.soundEnabled) soundSystem.playFile("cricket2.wav");
    if (k != 0) dialogs.rebuildRequest = 1;
    if (appState.exiting) {
        // Every key during the exit fade bursts the picture into splinters again.
        appState.splinterState = 3;
        splinter.skipPhase = 0.0f;
        tracef("splinter", "3");
        if (appState.soundEnabled) {
            soundSystem.stopAll();
            soundSystem.stopSong(soundSystem.song);
            soundSystem.use3D = 0;
        }
    }
}
