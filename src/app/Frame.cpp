// The frame: displayFrame runs every step of a frame in order; renderScene draws one picture.
#include "app/Frame.h"
#include "app/Ambient.h"
#include "app/Automation.h"
#include "app/CameraReadout.h"
#include "app/Globals.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/Rehearsal.h"
#include "app/SaverWindow.h"
#include "app/SettingCommands.h"
#include "app/Startup.h"
#include "core/AppLog.h"
#include "core/MathUtil.h"
#include "core/Random.h"
#include "core/Trace.h"
#include "ui/HelpScreen.h"
#include "world/TerrainPasses.h"
#include <GL/freeglut.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

int glErrorCount = 0;
constexpr int kLoggedGlErrors = 20;

static void captureSplinterTexture(float aspect) {
    if (appState.splinterState == 3) {
        appState.splinterState = 1;
        tracef("splinter", "1");
    }
    if (appState.splinterState != 1) return;
    // The capture is drawn at the texture's size, or the window's where that is smaller.
    const int side = ScreenSplinter::kCaptureSide;
    int w = screen.width, h = screen.height;
    int captureWidth = std::min(w, side), captureHeight = std::min(h, side);
    if (captureByRender) {
        screen.width = captureWidth;
        screen.height = captureHeight;
        screen.clearPasses = 1.0f;
        renderScene(aspect, false);
        screen.width = w;
        screen.height = h;
    } else {
        glPixelZoom(1, 1);
        for (int i = 0; i < captureWidth; ++i)
            for (int j = 0; j < captureHeight; ++j) {
                glRasterPos2f(static_cast<float>(i), static_cast<float>(j));
                glCopyPixels(i * w / captureWidth, j * h / captureHeight, 1, 1, GL_COLOR);
            }
    }
    splinter.prepare();
    splinter.captureFrame(captureWidth, captureHeight);
}

static void randomClearToggle() {
    if (!prefs.randomClear || !(randomCheckTime + 2.0 < frameClock.time)) return;
    float r = rnd(1.0f);
    if (10.0f * frameClock.dt > r) {
        if (prefs.clearScreen && clearOffTime + 20.0 < frameClock.time) {
            clearOffTime = frameClock.time;
            prefs.clearScreen = 0;
        } else if (!prefs.clearScreen) {
            prefs.clearScreen = 1;
        }
    }
    randomCheckTime = frameClock.time;
}

static void rebuildDialogs() {
    if (dialogs.rebuildRequest == 1) dialogs.buildPage(dialogs.pageId, 0);
    else if (dialogs.rebuildRequest == 2) dialogs.buildPage(dialogs.pageId, 1);
}

static void drawBlink() {
    double now = frameClock.realSeconds;
    if (now > blinkStart && blinkStart + 2 > now) screen.drawFade(static_cast<float>(1.0 - std::fabs(now - blinkStart - 1.0)));
    if (blinkStart + 2 < now) blinkStart = nextBlinkStart;
}

static void exitFade() {
    if (!appState.exiting) return;
    screen.setColor(0, 0, 0, 1);
    double elapsed = frameClock.realSeconds - appState.exitStartTime;
    if (elapsed >= 2.0) {
        saveFinalScreenshot();
        exitProgram();
    }
    screen.drawFade(static_cast<float>(elapsed / 2.0));
}

void exitProgram() {
    shutdown();
    AppLog::write("Destroying window...");
    int window = windowHandle;
    windowHandle = 0;  // GLUT calls the close callback on the way: nothing more for it to do
    if (window) glutDestroyWindow(window);
    releaseSaverWindow();
    AppLog::write("Fin\n");
    finishAutomation();
    std::exit(0);
}

void displayFrame() {
    float aspect = static_cast<float>(screen.width) / static_cast<float>(screen.height);
    frameClock.advance(elapsedMillis());
    if (rnd(1.0f) < 0.01f) rndSeed(static_cast<uint32_t>(frameClock.millis));
    if (!prefs.paused) {
        cameraMoveRotors.update(frameClock.dt, prefs.moveSpeed);
        cameraTurnRotors.update(frameClock.dt, prefs.rotateSpeed);
    }
    miscRotors.update(frameClock.dt, 1.0f);
    fpsCounter.count();
    fpsCounter.position = Vec3(static_cast<float>(screen.width - 100), static_cast<float>(screen.height - 20), 0);
    statusLine.position.y = static_cast<float>(screen.height - 20);
    ambientStep();
    applyPolygonMode();
    captureSplinterTexture(aspect);
    camera.fov = prefs.fov;
    randomClearToggle();
    renderScene(aspect);
    if (appState.soundEnabled) soundSystem.updateListener();
    rebuildDialogs();
    if (appState.helpVisible) drawHelpScreen();
    if (prefs.showFps) fpsCounter.draw();
    checkGlError();
    drawBlink();
    exitFade();
    keyboard.key = 0;
    keyboard.specialKey = 0;
    buttonsFrameStep();
    if (appState.splinterState == 1) {
        appState.splinterState = 2;
        tracef("splinter", "2");
    }
}

static void overlayProjection(int level) {
    screen.setLetterbox(level);
    screen.applyViewport();
    screen.setOrtho2D();
}

void renderScene(float aspect, bool withPopup) {
    if (prefs.letterbox != 0) {
        overlayProjection(0);
        screen.setLetterbox(prefs.letterbox);
        screen.drawLetterbox();
    }
    screen.blackWipe();
    overlayProjection(prefs.letterbox);
    if (!prefs.clearScreen && prefs.fade < 1.0f) screen.drawFade(prefs.fade * frameClock.dt * 40.0f);
    screen.clearFrame();
    if (appState.splinterState == 2) {
        glViewport(0, 0, screen.width, screen.height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(90, static_cast<float>(screen.width) / screen.height, 0.1, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(0, 0, 0.5, 0, 0, 0, 0, 1, 0);
        splinter.drawPieces();
    }
    screen.setPerspective(aspect, camera.fov);
    if (!(appState.splinterState == 2 && !prefs.sceneUnderSplinter)) {
        camera.flightStep();
        camera.readBack();
        skyBox.radius = appState.worldSize * skyBox.sizeFactor;
        if (prefs.universe >= 2 && appState.splinterState < 2) {
            if (prefs.universe == 2)
                skyBox.position = camera.position + Vec3(camera.eyeOffset[0], camera.eyeOffset[1], camera.eyeOffset[2]);
            else
                skyBox.position = Vec3(0, 0, 0);
            skyBox.draw();
        }
        applyPolygonMode();
        worldDraw();
    }
    overlayProjection(0);
    if (appState.splinterState < 2) lightmapOverlay.update();
    cameraDebugReadout();
    statusLine.drawMessage();
    if (appState.introDone && withPopup) {
        if (appState.popupOpen)
            dialogs.run();
        else if (dialogs.openLevel != 0)
            dialogs.drawDialog();
    }
}

static void placeLight() {
    float w = appState.worldSize, k = light.orbitFactor;
    float a = lightRotors.wave(1, k, w, -0.5f * w);
    float b = lightRotors.wavePhase(1, k, kHalfPi, w, -0.5f * w);
    if (prefs.universe < 2)
        light.setPosition(a, b, 0);
    else
        light.setPosition(a, 0.4f * w, b);
    const float* p = prefs.lightParams;
    light.ambient = p[0];
    light.diffuse = p[1];
    light.specular = p[2];
    light.reflective = p[3];
    light.shininess = p[4];
    light.cutoff = p[5];
    light.exponent = p[6];
    light.apply();
    if (prefs.universe < 2 && !appState.exiting && appState.introDone) sun.position = light.position;
}

void worldDraw() {
    if (prefs.universe == 1) {
        const RotorSet& t = cameraTurnRotors;
        glPushMatrix();
        glRotatef(t.wave(3, 0.5f, 720, -360), 0, 0, 1);
        glRotatef(t.wave(2, 0.5f, 720, -360), 1, 0, 0);
        glRotatef(t.wave(1, 0.5f, 720, -360), 0, 1, 0);
        starField.draw();
        glPopMatrix();
    }
    lightRotors.update(frameClock.dt, prefs.lightRotateSpeed);
    if (prefs.spotLights) placeLight();
    if (appState.sceneIndex == 0) {
        drawIntroScene(spotGradientTexture, reflTexture);
        rehearseDueStep();
    } else if (appState.sceneIndex == 1) {
        volcanoSceneDraw();
    }
}

void volcanoSceneDraw() {
    if (prefs.universe == 1) sun.draw();
    if (prefs.spotLights) glEnable(GL_LIGHTING);
    volcano.imageTexture = &textureTable[prefs.imageOption];
    volcano.update();
    nextBlinkStart = volcano.eruptionStart + 0.5 * volcano.cycleLength - 1.0;
    setTexGen(prefs.mapMode, 1);  // the "m" key's choice of how the ground is mapped
    drawLayers(volcano);
    setTexGen(prefs.mapMode, 0);
    volcano.draw();
    if (multiPassCloudShadow) drawClouds(volcano);
    if (prefs.spotLights) glDisable(GL_LIGHTING);
}

void reshapeHandler(int w, int h) {
    // A minimised window reports height 0: that is no size to restore later.
    if (!prefs.fullScreen && w > 0 && h > 0) {
        prefs.windowWidth = w;
        prefs.windowHeight = h;
    }
    screen.width = w;
    screen.height = h > 0 ? h : 1;
    // Mouse look measures from the middle of the window, where the pointer is sent back.
    mouse.warpX = w / 2;
    mouse.warpY = screen.height / 2;
    screen.setLetterbox(prefs.letterbox);
    screen.applyViewport();
}

void checkGlError() {
    GLenum code = glGetError();
    if (code == GL_NO_ERROR) return;
    glErrorCount += 1;
    const char* text = reinterpret_cast<const char*>(gluErrorString(code));
    char message[64];
    std::snprintf(message, sizeof message, "%.59s", text ? text : "unknown");
    glErrorText.setMessagef("OpenGL Error: %s", message);
    // The log gets the first few, so that an error repeated every frame cannot flood it.
    if (glErrorCount <= kLoggedGlErrors) AppLog::write(glErrorText.text);
}
