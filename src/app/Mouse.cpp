// Special keys, pointer and mouse buttons.
#include "app/Mouse.h"
#include "app/Globals.h"
#include "app/Keyboard.h"
#include "app/Popup.h"
#include "app/SettingCommands.h"
#include "core/SettingRanges.h"
#include <GL/freeglut.h>
#include <initializer_list>

static void recordArrow(int key, int ctrl) {
    int& a = keyboard.arrows;
    switch (key) {
    case GLUT_KEY_LEFT: a = (a | 1) & ~2; break;
    case GLUT_KEY_RIGHT: a = (a | 2) & ~1; break;
    case GLUT_KEY_UP: a = ctrl ? (a | 16) & ~(4 | 8 | 32) : (a | 4) & ~(8 | 16 | 32); break;
    case GLUT_KEY_DOWN: a = ctrl ? (a | 32) & ~(4 | 8 | 16) : (a | 8) & ~(4 | 16 | 32); break;
    default: break;
    }
}

static void arrowStep(float& scale, int32_t& count, float factor, int delta) {
    scale = inRange(prefs, scale, scale * factor);
    count = inRange(prefs, count, int64_t(count) + delta);
}

static void specialCommand(int key) {
    switch (key) {
    case GLUT_KEY_LEFT: arrowStep(prefs.arrowScaleX, prefs.arrowCountX, 0.95f, -1); break;
    case GLUT_KEY_RIGHT: arrowStep(prefs.arrowScaleX, prefs.arrowCountX, 1.05263f, 1); break;
    case GLUT_KEY_UP: arrowStep(prefs.arrowScaleY, prefs.arrowCountY, 1.05263f, -1); break;
    case GLUT_KEY_DOWN: arrowStep(prefs.arrowScaleY, prefs.arrowCountY, 0.95f, 1); break;
    case GLUT_KEY_PAGE_UP: setGroundHeight(prefs.groundHeight * 1.05263f); break;
    case GLUT_KEY_PAGE_DOWN: setGroundHeight(prefs.groundHeight * 0.95f); break;
    case GLUT_KEY_INSERT: soundSystem.playFile("hit.wav"); break;
    case GLUT_KEY_HOME: setNoiseLevel(prefs.noiseLevel * 1.05263f); break;
    case GLUT_KEY_END: setNoiseLevel(prefs.noiseLevel * 0.95f); break;
    case GLUT_KEY_F1: setTexMag(0, prefs.texMagX * 0.9f); break;
    case GLUT_KEY_F2: setTexMag(0, prefs.texMagX * 1.111111f); break;
    case GLUT_KEY_F3: setTexMag(1, prefs.texMagY * 0.9f); break;
    case GLUT_KEY_F4: setTexMag(1, prefs.texMagY * 1.111111f); break;
    case GLUT_KEY_F9: setVignetteSize(prefs.f9Value * 0.9f); break;
    case GLUT_KEY_F10: setVignetteSize(prefs.f9Value * 1.111111f); break;
    case GLUT_KEY_F11: setFade(prefs.fade * 0.95f); break;
    case GLUT_KEY_F12: setFade(prefs.fade * 1.05263f); break;
    default: break;
    }
}

void specialHandler(int key, int, int) {
    if (!appState.introDone) return;
    keyboard.specialKey = key;
    recordModifiers();
    recordArrow(key, keyboard.ctrl);
    // A key the open dialog uses (focus, nudge, slider step) does not also change a setting behind it.
    if (!(appState.popupOpen && dialogs.takesSpecialKey(key))) specialCommand(key);
    afterKey(key);
}

void specialUpHandler(int key, int, int) {
    int& a = keyboard.arrows;
    switch (key) {
    case GLUT_KEY_LEFT: a &= ~1; break;
    case GLUT_KEY_RIGHT: a &= ~2; break;
    case GLUT_KEY_UP: a &= keyboard.ctrl ? ~16 : ~4; break;
    case GLUT_KEY_DOWN: a &= keyboard.ctrl ? ~32 : ~8; break;
    default: break;
    }
}

void motionHandler(int x, int y) {
    int w = screen.width, h = screen.height;
    mouse.normX = static_cast<float>(x) / w;
    mouse.normY = static_cast<float>(h - y - 1) / h;
    if (prefs.cameraMode == 1) {
        mouse.position.x = static_cast<float>(x - mouse.warpX);
        mouse.position.y = static_cast<float>(y - mouse.warpY);
    } else {
        mouse.position.x = static_cast<float>(x);
        mouse.position.y = static_cast<float>(h - y - 1);
    }
    mouse.moved = 1;
}

static int* buttonState(int button) {
    switch (button) {
    case GLUT_LEFT_BUTTON: return &mouse.leftButton;
    case GLUT_MIDDLE_BUTTON: return &mouse.middleButton;
    case GLUT_RIGHT_BUTTON: return &mouse.rightButton;
    default: return nullptr;
    }
}

static void stepButton(int button, int state) {
    int* b = buttonState(button);
    if (!b) return;
    if (state == GLUT_DOWN && *b == 0) *b = 1;
    else if (state == GLUT_UP && *b == 2) *b = 3;
    // Pressed and released between two frames: the frames still see the press, then the release.
    else if (state == GLUT_UP && *b == 1) mouse.releasePending |= 1 << button;
}

void mouseHandler(int button, int state, int x, int y) {
    motionHandler(x, y);
    stepButton(button, state);
    bool rightPress = button == GLUT_RIGHT_BUTTON && state == GLUT_DOWN && mouse.rightButton == 1;
    if (rightPress && appState.introDone) {
        if (!appState.popupOpen) {
            openPopup();
            mouse.leftButton = 0;
            mouse.rightButton = 0;
        } else {
            closePopup();
        }
    }
}

void buttonsFrameStep() {
    for (int button : {GLUT_LEFT_BUTTON, GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON}) {
        int& b = *buttonState(button);
        if (b == 1) b = (mouse.releasePending & (1 << button)) ? 3 : 2;
        else if (b == 3) b = 0;
    }
    mouse.releasePending = 0;
}
