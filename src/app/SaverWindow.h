// Screensaver mode: drawing into a window of another program, or into the root window, through Xlib and GLX.
#pragma once
#include <string>

struct SaverCallbacks {
    void (*frame)();  // draws one frame into the back buffer
    void (*afterSwap)();
    void (*reshape)(int width, int height);
};

// Opens the display, takes the window (windowId, or else the desktop's virtual root or the root window) and makes
// a double-buffered GL context current on it. Returns an error message, empty on success.
std::string attachSaverWindow(unsigned long windowId);
// Draws frames one after the other, following the window's size, and returns on SIGTERM or SIGINT or when the
// window is destroyed. Selects no input: the screensaver daemon ends the program on any key or mouse move.
void runSaver(const SaverCallbacks& callbacks);
// Lets go of the GL context and the display; nothing when no window is attached.
void releaseSaverWindow();
