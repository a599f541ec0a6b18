// The screensaver platform layer, beside the GLUT one (kept apart: Xlib's names clash with the program's own).
#include "app/SaverWindow.h"
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <csignal>
#include <cstdio>

namespace {

Display* display = nullptr;
Window window = 0;
GLXContext context = nullptr;
int width = 0, height = 0;
volatile std::sig_atomic_t stopRequested = 0;
// Any X error concerns the one window drawn into: gone, or never there.
volatile bool windowLost = false;

int onXError(Display*, XErrorEvent*) {
    windowLost = true;
    return 0;
}

void onStopSignal(int) { stopRequested = 1; }

// The window a desktop draws its background into, marked on a child of the root; else the root window itself.
Window virtualRoot() {
    Window root = DefaultRootWindow(display), found = root, rootReturn, parent, *children = nullptr;
    unsigned int count = 0;
    Atom marker = XInternAtom(display, "__SWM_VROOT", False);
    if (!XQueryTree(display, root, &rootReturn, &parent, &children, &count)) return root;
    for (unsigned int i = 0; i < count && found == root; ++i) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, children[i], marker, 0, 1, False, XA_WINDOW, &type, &format, &items, &after,
                               &data) == Success && type == XA_WINDOW && items == 1)
            found = *reinterpret_cast<Window*>(data);
        if (data) XFree(data);
    }
    if (children) XFree(children);
    return found;
}

// The window's own visual must carry GL with a back buffer and a depth buffer: GLX draws only in that visual.
bool glVisualOk(XVisualInfo* info) {
    int useGl = 0, doubleBuffer = 0, depth = 0;
    glXGetConfig(display, info, GLX_USE_GL, &useGl);
    glXGetConfig(display, info, GLX_DOUBLEBUFFER, &doubleBuffer);
    glXGetConfig(display, info, GLX_DEPTH_SIZE, &depth);
    return useGl && doubleBuffer && depth > 0;
}

std::string windowName(const char* what) {
    char text[96];
    std::snprintf(text, sizeof text, "window 0x%lx %s", static_cast<unsigned long>(window), what);
    return text;
}

void pollEvents(void (*reshape)(int, int)) {
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == DestroyNotify && event.xdestroywindow.window == window) windowLost = true;
        if (event.type != ConfigureNotify || event.xconfigure.window != window) continue;
        if (event.xconfigure.width == width && event.xconfigure.height == height) continue;
        width = event.xconfigure.width;
        height = event.xconfigure.height;
        reshape(width, height);
    }
}

}  // namespace

std::string attachSaverWindow(unsigned long windowId) {
    display = XOpenDisplay(nullptr);
    if (!display) return "cannot open the X display";
    XSetErrorHandler(onXError);
    window = windowId ? windowId : virtualRoot();
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || windowLost) return windowName("does not exist");
    width = attributes.width;
    height = attributes.height;
    XVisualInfo wanted;
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int found = 0;
    XVisualInfo* info = XGetVisualInfo(display, VisualIDMask, &wanted, &found);
    bool usable = info && glVisualOk(info);
    if (usable) context = glXCreateContext(display, info, nullptr, True);
    if (info) XFree(info);
    if (!usable) return windowName("has no double-buffered GL visual with a depth buffer");
    if (!context || !glXMakeCurrent(display, window, context)) return windowName("takes no GL context");
    // Size changes and destruction only: no keys or pointer.
    XSelectInput(display, window, StructureNotifyMask);
    return "";
}

void runSaver(const SaverCallbacks& callbacks) {
    std::signal(SIGTERM, onStopSignal);
    std::signal(SIGINT, onStopSignal);
    // GLUT's start-up, which comes after the attach, may have put in handlers of its own.
    XSetErrorHandler(onXError);
    callbacks.reshape(width, height);
    pollEvents(callbacks.reshape);
    while (!stopRequested && !windowLost) {
        callbacks.frame();
        glXSwapBuffers(display, window);
        callbacks.afterSwap();
        pollEvents(callbacks.reshape);
    }
}

void releaseSaverWindow() {
    if (!display) return;
    glXMakeCurrent(display, None, nullptr);
    if (context) glXDestroyContext(display, context);
    XCloseDisplay(display);
    display = nullptr;
}
