// Entry: preferences, GLUT window and callbacks, start-up, and the main loop.
#include "app/Automation.h"
#include "app/DisplayCheck.h"
#include "app/Frame.h"
#include "app/Globals.h"
#include "app/Keyboard.h"
#include "app/MenuActions.h"
#include "app/Mouse.h"
#include "app/Options.h"
#include "app/PrefsFile.h"
#include "app/Startup.h"
#include "core/AppLog.h"
#include <GL/freeglut.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifndef VULKORA_VERSION
#define VULKORA_VERSION "0.1.0"
#endif

static void displayCallback() {
    beforeFrame();
    displayFrame();
    beforeSwap();
    glutSwapBuffers();
    afterSwap();
}

// GLUT does not display a window that is minimised, covered, or too small for X to call it visible (1 pixel
// wide or high); the frames go on all the same, so a run with --frames still ends.
static void idleCallback() {
    if (windowVisible)
        glutPostRedisplay();
    else
        displayCallback();
}

static void windowStatusCallback(int status) {
    windowVisible = status == GLUT_FULLY_RETAINED || status == GLUT_PARTIALLY_RETAINED;
}

static void loadStartupPrefs() {
    if (loadPrefs(prefs, appState.name) != 0) {
        AppLog::write("No Prefs found.");
        initPref();
        prefs.fullScreen = 1;
        prefs.windowWidth = 450;
        prefs.windowHeight = 450;
    } else {
        prefs.paused = 0;
        AppLog::write("Loaded Prefs.");
    }
}

static void applyOptions(const Options& options) {
    if (options.windowWidth > 0) {
        prefs.fullScreen = 0;
        prefs.windowWidth = options.windowWidth;
        prefs.windowHeight = options.windowHeight;
    }
    if (options.noSound) appState.soundEnabled = 0;
}

static void createWindow() {
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH | GLUT_RGBA);
    if (prefs.fullScreen)
        glutInitWindowSize(screen.width, screen.height);
    else
        glutInitWindowSize(prefs.windowWidth, prefs.windowHeight);
    windowHandle = glutCreateWindow(appState.name);
    if (prefs.fullScreen) glutFullScreen();
    glutDisplayFunc(displayCallback);
    glutIdleFunc(idleCallback);
    glutKeyboardFunc(keyboardHandler);
    glutMotionFunc(motionHandler);
    glutMouseFunc(mouseHandler);
    glutPassiveMotionFunc(motionHandler);
    glutReshapeFunc(reshapeHandler);
    glutSpecialFunc(specialHandler);
    glutSpecialUpFunc(specialUpHandler);
    glutWindowStatusFunc(windowStatusCallback);
}

int main(int argc, char** argv) {
    std::snprintf(appState.name, sizeof appState.name, "%s", "Vulkora");
    Options options;
    std::string error = parseOptions(argc, argv, options);
    if (!error.empty()) return std::fprintf(stderr, "vulkora: %s\n%s", error.c_str(), usageText()), 2;
    if (options.help) return std::fputs(usageText(), stdout), 0;
    if (options.version) return std::printf("Vulkora %s\n", VULKORA_VERSION), 0;
    if (!displayAvailable()) {
        std::fprintf(stderr, "vulkora: no X display found (DISPLAY is '%s'); to run headless: "
                             "xvfb-run -a ./vulkora --window 800x600 --frames 900 --fixed-step 0.02 --screenshot out.png\n",
                     std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
        return 1;
    }
    error = startAutomation(options, exitProgram);
    if (!error.empty()) return std::fprintf(stderr, "vulkora: %s\n", error.c_str()), 2;
    frameClock.startAt(clockStartMillis());
    loadStartupPrefs();
    glutInit(&argc, argv);
    applyOptions(options);
    // GLUT answers size queries only once initialised, so the screen size is read after glutInit.
    screen.width = glutGet(GLUT_SCREEN_WIDTH);
    screen.height = glutGet(GLUT_SCREEN_HEIGHT);
    createWindow();
    dialogs.dispatch = dispatchAction;
    initGL();
    AppLog::write("Ready...\n");
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutMainLoop();
    if (windowHandle) glutDestroyWindow(windowHandle);
    return 0;
}
