// Entry: preferences, GLUT window and callbacks, start-up, and the main loop.
#include "app/Automation.h"
#include "app/DisplayCheck.h"
#include "app/FileLocations.h"
#include "app/Frame.h"
#include "app/Globals.h"
#include "app/Keyboard.h"
#include "app/MenuActions.h"
#include "app/Mouse.h"
#include "app/Options.h"
#include "app/PrefsFile.h"
#include "app/SaverWindow.h"
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

// One frame up to the swap, for the GLUT window and the screensaver's window alike.
static void drawFrame() {
    beforeFrame();
    displayFrame();
    beforeSwap();
}

static void displayCallback() {
    drawFrame();
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

// The window is going: from the window manager's close button GLUT takes it down itself and the rest of the
// exit runs here; from the exit fade it is already on its way.
static void closeCallback() {
    if (!windowHandle) return;
    windowHandle = 0;
    exitProgram();
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

static void createWindow() {
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH | GLUT_RGBA);
    // Created at the windowed size, which GLUT returns to when full screen is left.
    glutInitWindowSize(prefs.windowWidth, prefs.windowHeight);
    windowHandle = glutCreateWindow(appState.name);
    if (prefs.fullScreen) glutFullScreen();
    glutDisplayFunc(displayCallback);
    glutIdleFunc(idleCallback);
    glutReshapeFunc(reshapeHandler);
    glutCloseFunc(closeCallback);
    // A scripted run hears only its script: on a shared display another program's pointer would steer it.
    if (inputScripted()) return;
    glutKeyboardFunc(keyboardHandler);
    glutMotionFunc(motionHandler);
    glutMouseFunc(mouseHandler);
    glutPassiveMotionFunc(motionHandler);
    glutSpecialFunc(specialHandler);
    glutSpecialUpFunc(specialUpHandler);
    glutWindowStatusFunc(windowStatusCallback);
}

int main(int argc, char** argv) {
    std::snprintf(appState.name, sizeof appState.name, "%s", "Vulkora");
    Options options;
    std::string error = parseOptions(argc, argv, options);
    if (error.empty()) error = finishOptions(options, std::getenv("XSCREENSAVER_WINDOW"));
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
    if (options.saver() && !(error = attachSaverWindow(options.windowId)).empty())
        return std::fprintf(stderr, "vulkora: %s\n", error.c_str()), 1;
    locateProgramFiles();
    loadStartupPrefs();
    // Also in screensaver mode, where GLUT opens no window but gives the screen size and the elapsed time.
    glutInit(&argc, argv);
    applyOptions(options, prefs, appState);
    // GLUT answers size queries only once initialised, so the screen size is read after glutInit.
    screen.width = glutGet(GLUT_SCREEN_WIDTH);
    screen.height = glutGet(GLUT_SCREEN_HEIGHT);
    if (!options.saver()) createWindow();
    dialogs.dispatch = dispatchAction;
    initGL();
    AppLog::write("Ready...\n");
    if (options.saver()) {
        runSaver({drawFrame, afterSwap, reshapeHandler});
        exitProgram();
    }
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutMainLoop();
    return 0;
}
