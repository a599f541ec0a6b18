// Letter and symbol keys: recording, commands and the common after-key step.
#include "app/Keyboard.h"
#include "app/Globals.h"
#include "app/Input.h"
#include "app/Mouse.h"
#include <GL/freeglut.h>

static void exitKey() {
    if (appState.exitStartTime != 0) {
        // Second press: the next frame ends the program.
        appState.exitStartTime = frameClock.realSeconds - 5.0;
        return;
    }
    appState.exitStartTime = frameClock.realSeconds;
    appState.helpVisible = 0;
    closePopup();
    prefs.clearScreen = 0;
    prefs.fade = 0;
}

static void applyKeyCommand(unsigned char key) {
    switch (key) {
    case 27:
    case 'Q':
    case 'q': exitKey(); break;
    default: break;
    }
}

void keyboardHandler(unsigned char key, int, int) {
    if (!appState.introDone && key != 27) return;
    keyboard.key = key;
    int modifiers = inputModifiers();
    keyboard.shift = modifiers & GLUT_ACTIVE_SHIFT;
    keyboard.ctrl = modifiers & GLUT_ACTIVE_CTRL;
    keyboard.alt = modifiers & GLUT_ACTIVE_ALT;
    applyKeyCommand(key);
    afterKey(key);
}

void afterKey(int k) {
    if (k != 0) dialogs.rebuildRequest = 1;
    if (appState.exitStartTime != 0) {
        // Every key during the exit fade bursts the picture into splinters again.
        appState.splinterState = 3;
        splinter.skipPhase = 0.0f;
        if (appState.soundEnabled) {
            soundSystem.stopAll();
            soundSystem.stopSong();
            soundSystem.use3D = 0;
        }
    }
}

void applyPolygonMode() {
    static const GLenum kModes[3] = {GL_FILL, GL_LINE, GL_POINT};
    glPolygonMode(GL_FRONT_AND_BACK, kModes[prefs.polygonMode]);
}
