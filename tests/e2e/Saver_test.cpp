// Runs of the real program on an X server of the test's own: as a screensaver it draws into a window it did not
// create (or the root window) and follows its size; it ends with its normal shutdown on a signal, when that
// window goes, or when the window manager asks its own window to close.
#include "support/TestSupport.h"
#include <chrono>
#include <csignal>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <thread>
#include <X11/Xlib.h>  // last: its macros (None, Bool, Status) would break the headers above
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace {

// Xvfb with a black root window on a free display number; the shell says its process id first (exec keeps it). An
// X error fails the check at hand instead of ending the test process with the programs still running.
struct PrivateX {
    FILE* server = popen("echo $$; exec Xvfb -displayfd 1 -screen 0 320x240x24 -br -nolisten tcp 2>/dev/null", "r");
    int pid = 0, number = -1;
    bool up = server && std::fscanf(server, "%d %d", &pid, &number) == 2;
    std::string name = ":" + std::to_string(number);
    Display* display = up ? XOpenDisplay(name.c_str()) : nullptr;
    int (*defaultHandler)(Display*, XErrorEvent*) = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    ~PrivateX() {
        if (display) XCloseDisplay(display);
        if (pid > 0) kill(pid, SIGTERM);
        if (server) pclose(server);
    }
    Window window(int width, int height) const {
        Window w = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, width, height, 0, 0, 0);
        XMapWindow(display, w);
        XSync(display, False);
        return w;
    }
    // The topmost window: the program's own, as nothing else runs here.
    Window topmost() const {
        Window root, parent, *children = nullptr, top = 0;
        unsigned count = 0;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) && count) top = children[count - 1];
        if (children) XFree(children);
        return top;
    }
};

bool waitFor(const std::function<bool()>& done, double seconds) {
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (; !done(); std::this_thread::sleep_for(std::chrono::milliseconds(100)))
        if (std::chrono::steady_clock::now() > end) return false;
    return true;
}

// The program in the background on that display, its process id (exec keeps the shell's) in the file "pid"; its
// result, the program killed first when it does not end in time.
std::future<RunResult> start(const PrivateX& x, const std::string& args, const std::string& saverWindow = "") {
    return std::async(std::launch::async, runVulkora, args,
                      "echo $$ > pid; exec env DISPLAY=" + x.name + " XSCREENSAVER_WINDOW=" + saverWindow);
}
RunResult finish(std::future<RunResult>& run, double seconds = 60) {
    if (run.wait_for(std::chrono::duration<double>(seconds)) != std::future_status::ready) kill(std::stoi(readFile("pid")), SIGKILL);
    return run.get();
}

// The window's pixels as RGB bytes, top row first, with how many of them are lit.
std::vector<unsigned char> grab(Display* display, Window window, int width, int height, int& lit) {
    std::vector<unsigned char> rgb;
    XImage* image = XGetImage(display, window, 0, 0, width, height, AllPlanes, ZPixmap);
    for (int i = lit = 0; image && i < width * height; ++i) {
        unsigned long p = XGetPixel(image, i % width, i / width);
        rgb.insert(rgb.end(), {(unsigned char)(p >> 16), (unsigned char)(p >> 8), (unsigned char)p});
        lit += (p >> 16 & 255) + (p >> 8 & 255) + (p & 255) > 60;
    }
    if (image) XDestroyImage(image);
    return rgb;
}

// The normal shutdown lines close the log.
void expectShutdown(const char* how) {
    std::string log = readFile("app.log"), tail = "\nShutting down...\nDestroying window...\nFin\n\n";
    EXPECT_TRUE(log.size() > tail.size() && log.substr(log.size() - tail.size()) == tail) << how << "\n" << log;
}

}  // namespace

TEST(Saver, DrawsTheEruptionIntoAForeignWindowAndFollowsItsSize) {
    ScratchDir dir(true);
    PrivateX x;
    ASSERT_NE(x.display, nullptr);
    Window window = x.window(200, 150);
    auto run = start(x, "--window-id " + std::to_string(window) + " --fixed-step 0.05 --frames 440 --screenshot last.png --trace t.txt");
    // Half way, when the volcano scene begins, the window grows; the last frame comes two seconds after the
    // first eruption.
    EXPECT_TRUE(waitFor([&] { return traced(readTrace("t.txt", "scene"), 201, "1") || run.wait_for(std::chrono::seconds(0)) ==
                                                                                   std::future_status::ready; }, 300));
    XResizeWindow(x.display, window, 300, 220);
    XSync(x.display, False);
    RunResult r = finish(run, 300);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    int width = 0, height = 0, lit = 0;
    std::vector<unsigned char> last;
    ASSERT_TRUE(readPng("last.png", width, height, last));
    EXPECT_EQ(width * 1000 + height, 300220);
    EXPECT_TRUE(grab(x.display, window, 300, 220, lit) == last) << "the window shows exactly the last frame, all of it";
    EXPECT_GT(lit, 300 * 220 / 4);
    EXPECT_FALSE(readTrace("t.txt", "erupt").empty());
    EXPECT_TRUE(readTrace("t.txt", "sound").empty()) << "silent without --sound";
    expectShutdown("foreign window");
}

TEST(Saver, EndsWithTheNormalShutdownOnASignalOrWhenItsWindowGoesOrIsAskedToClose) {
    enum Target { Root, Foreign, Own };
    const struct {
        const char* how;
        Target target;
        bool daemonWindow;
        int signal;  // 0: the window is destroyed, -1: the window manager asks it to close
    } cases[] = {
        {"root window, SIGTERM", Root, false, SIGTERM}, {"the daemon's window with --root, SIGINT", Foreign, true, SIGINT},
        {"--window-id in hex, window destroyed", Foreign, false, 0}, {"its own window, asked to close", Own, false, -1},
    };
    for (const auto& c : cases) {
        ScratchDir dir(true);
        PrivateX x;
        ASSERT_NE(x.display, nullptr);
        Window root = DefaultRootWindow(x.display), target = c.target == Foreign ? x.window(200, 150) : root;
        char id[32];
        std::snprintf(id, sizeof id, "0x%lx", target);
        const std::string args[] = {"--root", c.daemonWindow ? "--root" : std::string("--window-id ") + id,
                                    "--window 200x150 --no-sound"};
        auto run = start(x, args[c.target], c.daemonWindow ? id : "");
        // GLUT places its own window one pixel off the screen, where it cannot be read: the screen shows it.
        int width = c.target == Root ? 320 : 199, height = width * 3 / 4, lit = 0;
        // Drawn, or ended too soon (its exit code tells).
        auto drawn = [&] { return grab(x.display, target, width, height, lit), lit > width * height / 20; };
        EXPECT_TRUE(waitFor([&] { return drawn() || run.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 120))
            << c.how;
        if (c.target == Own) target = x.topmost();
        if (c.signal > 0) kill(std::stoi(readFile("pid")), c.signal);
        if (c.signal == 0) XDestroyWindow(x.display, target);
        if (c.signal < 0) {
            XEvent close{};
            close.xclient = {ClientMessage, 0, False, x.display, target, XInternAtom(x.display, "WM_PROTOCOLS", False), 32, {}};
            close.xclient.data.l[0] = static_cast<long>(XInternAtom(x.display, "WM_DELETE_WINDOW", False));
            XSendEvent(x.display, target, False, NoEventMask, &close);
        }
        XSync(x.display, False);
        RunResult r = finish(run);
        EXPECT_TRUE(r.exitCode == 0 && r.output.find("freeglut") == std::string::npos) << c.how << "\n" << r.output;
        expectShutdown(c.how);
        EXPECT_NE(access("Vulkora.pref", F_OK), 0) << c.how;
    }
}

// Keys and buttons from the X server reach the program in its own window: a function key, a letter, the menu button
// and the key that quits.
TEST(Saver, KeysAndButtonsFromTheServerReachTheProgram) {
    ScratchDir dir(true);
    PrivateX x;
    ASSERT_NE(x.display, nullptr);
    auto run = start(x, "--window 200x150 --no-sound --fixed-step 0.05 --trace t.txt");
    ASSERT_TRUE(waitFor([] { return traced(readTrace("t.txt", "scene"), 201, "1"); }, 120)) << "the intro takes no keys";
    Window own = x.topmost(), root = DefaultRootWindow(x.display);
    for (KeySym key : {KeySym(XK_F11), KeySym(XK_c), KeySym(NoSymbol), KeySym(XK_q)}) {
        XEvent e{};
        if (key != NoSymbol) e.xkey = {KeyPress, 0, True, x.display, own, root, 0, CurrentTime, 9, 9, 9, 9, 0, XKeysymToKeycode(x.display, key), True};
        else e.xbutton = {ButtonPress, 0, True, x.display, own, root, 0, CurrentTime, 9, 9, 9, 9, 0, Button3, True};
        XSendEvent(x.display, own, False, NoEventMask, &e);
    }
    XSync(x.display, False);
    EXPECT_EQ(finish(run).exitCode, 0);
    std::string heard;
    for (const TraceLine& l : readTrace("t.txt")) if (l.kind == "message" || l.kind == "cursor") heard += l.text + "|";
    EXPECT_EQ(heard, "none|none|none|Fade Effect: 19.00|Frame/Second Clock On|arrow|none|") << readFile("t.txt");
}
