// X display probe (kept apart: Xlib's names clash with the program's own).
#include "app/DisplayCheck.h"
#include <X11/Xlib.h>

bool displayAvailable() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    XCloseDisplay(display);
    return true;
}
