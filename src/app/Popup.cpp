// The popup switch, its way back one page, and the cursor that goes with it.
#include "app/Popup.h"
#include "app/Globals.h"
#include "core/Trace.h"
#include <GL/freeglut.h>

void updateCursor() {
    if (!windowHandle) return;  // no window, no cursor
    bool arrow = appState.popupOpen || (!prefs.fullScreen && prefs.cameraMode == 0);
    trace("cursor", arrow ? "arrow" : "none");
    if (arrow) {
        glutSetCursor(GLUT_CURSOR_LEFT_ARROW);
    } else {
        glutSetCursor(GLUT_CURSOR_NONE);
        glutWarpPointer(mouse.warpX, mouse.warpY);
    }
}

void openPopup() {
    dialogs.savedCameraMode = prefs.cameraMode;
    if (prefs.cameraMode == 1) prefs.cameraMode = 2;
    appState.popupOpen = 1;
    dialogs.targetOpen = 1.0f;
    // The page may have been laid out for another window size or older settings.
    dialogs.rebuildRequest = 1;
    updateCursor();
    appState.helpVisible = 0;
}

void closePopup() {
    // Only an open popup holds a saved mode; quitting without one keeps the view on screen.
    if (appState.popupOpen) prefs.cameraMode = dialogs.savedCameraMode;
    appState.popupOpen = 0;
    dialogs.targetOpen = 0.0f;
    updateCursor();
}

void closeDialogPage() {
    if (dialogs.pageId == 1) return closePopup();
    float x = dialogs.offsetX, y = dialogs.offsetY;
    dialogs.pop();
    dialogs.offsetX = x;
    dialogs.offsetY = y;
}
