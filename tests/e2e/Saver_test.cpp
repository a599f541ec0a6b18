// Screensaver mode end to end on an X server of the test's own: the program draws into a window it did not
// create (or the root window), follows the window's size, and ends with its normal shutdown on a signal or
// when the window goes.
#include "support/TestSupport.h"
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
// Last: Xlib's macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// Xvfb with a black root window on a free display number, which it reports through a pipe once it takes
// connections.
struct PrivateX {
    pid_t pid = -1;
    std::string name;
    Display* display = nullptr;

    PrivateX(int width, int height) {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid = fork();
        if (pid == 0) {
            dup2(open("/dev/null", O_WRONLY), 2);
            std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
            execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(fds[1]).c_str(), "-screen", "0", screen.c_str(),
                   "-br", "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char number[16] = {};
        ssize_t got = read(fds[0], number, sizeof number - 1);
        close(fds[0]);
        name = ":" + std::to_string(got > 0 ? std::atoi(number) : -1);
        display = XOpenDisplay(name.c_str());
    }
    ~PrivateX() {
        if (display) XCloseDisplay(display);
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    Window window(int width, int height) const {
        Window w = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, width, height, 0, 0, 0);
        XMapWindow(display, w);
        XSync(display, False);
        return w;
    }
};

// The program in the background on that display, its output in out.txt.
pid_t startVulkora(const PrivateX& x, const std::string& args, const char* saverWindow = nullptr) {
    pid_t pid = fork();
    if (pid == 0) {
        setenv("DISPLAY", x.name.c_str(), 1);
        if (saverWindow) setenv("XSCREENSAVER_WINDOW", saverWindow, 1);
        std::string command = "exec " VULKORA_BINARY " " + args + " > out.txt 2>&1";
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

bool waitFor(const std::function<bool()>& done, double seconds) {
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

// Exit code, or -1 (and the process killed) when it does not end in time.
int exitCode(pid_t pid, double seconds) {
    int status = 0;
    if (!waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, seconds)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The window's pixels as RGB bytes, top row first.
std::vector<unsigned char> grab(Display* display, Window window, int width, int height) {
    std::vector<unsigned char> rgb;
    XImage* image = XGetImage(display, window, 0, 0, width, height, AllPlanes, ZPixmap);
    for (int i = 0; image && i < width * height; ++i) {
        unsigned long p = XGetPixel(image, i % width, i / width);
        rgb.insert(rgb.end(), {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                               static_cast<unsigned char>(p)});
    }
    if (image) XDestroyImage(image);
    return rgb;
}

int litPixels(const std::vector<unsigned char>& rgb) {
    int lit = 0;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) lit += rgb[i] + rgb[i + 1] + rgb[i + 2] > 60;
    return lit;
}

// The normal shutdown lines close the log.
bool endsWithShutdown(const std::string& log) {
    const std::string tail = "\nShutting down...\nDestroying window...\nFin\n\n";
    return log.size() > tail.size() && log.substr(log.size() - tail.size()) == tail;
}

}  // namespace

TEST(Saver, DrawsTheEruptionIntoAForeignWindowAndFollowsItsSize) {
    ScratchDir dir(true);
    PrivateX x(640, 480);
    ASSERT_NE(x.display, nullptr);
    Window window = x.window(320, 240);
    pid_t pid = startVulkora(x, "--window-id " + std::to_string(window) +
                                    " --fixed-step 0.02 --frames 1100 --screenshot last.png --trace t.txt");
    // Half way, when the volcano scene begins, the window grows; the last frame comes two seconds after the
    // first eruption.
    EXPECT_TRUE(waitFor([] { return traced(readTrace("t.txt", "scene"), 501, "1"); }, 300));
    XResizeWindow(x.display, window, 400, 300);
    XSync(x.display, False);
    ASSERT_EQ(exitCode(pid, 300), 0) << readFile("out.txt");

    int width = 0, height = 0;
    std::vector<unsigned char> last;
    ASSERT_TRUE(readPng("last.png", width, height, last));
    EXPECT_EQ(width, 400);
    EXPECT_EQ(height, 300);
    std::vector<unsigned char> shown = grab(x.display, window, 400, 300);
    EXPECT_TRUE(shown == last) << "the window shows exactly the last frame, over its whole new size";
    EXPECT_GT(litPixels(shown), 400 * 300 / 4);
    EXPECT_FALSE(readTrace("t.txt", "erupt").empty());
    EXPECT_TRUE(readTrace("t.txt", "sound").empty()) << "silent without --sound";
    EXPECT_TRUE(endsWithShutdown(readFile("app.log")));
}

TEST(Saver, EndsWithTheNormalShutdownOnASignalOrWhenItsWindowIsDestroyed) {
    const struct {
        const char* how;
        bool root, daemonWindow;
        int signal;  // 0: the window is destroyed
    } cases[] = {
        {"root window, SIGTERM", true, false, SIGTERM},
        {"the daemon's window with --root, SIGINT", true, true, SIGINT},
        {"--window-id in hex, window destroyed", false, false, 0},
    };
    for (const auto& c : cases) {
        ScratchDir dir(true);
        PrivateX x(320, 240);
        ASSERT_NE(x.display, nullptr);
        Window target = c.root && !c.daemonWindow ? DefaultRootWindow(x.display) : x.window(200, 150);
        char id[32];
        std::snprintf(id, sizeof id, "0x%lx", target);
        std::string args = c.root ? "--root" : std::string("--window-id ") + id;
        pid_t pid = startVulkora(x, args, c.daemonWindow ? id : nullptr);
        int width = c.root && !c.daemonWindow ? 320 : 200, height = c.root && !c.daemonWindow ? 240 : 150;
        auto drawn = [&] { return litPixels(grab(x.display, target, width, height)) > width * height / 20; };
        EXPECT_TRUE(waitFor(drawn, 120)) << c.how;
        if (c.signal)
            kill(pid, c.signal);
        else
            XDestroyWindow(x.display, target), XSync(x.display, False);
        EXPECT_EQ(exitCode(pid, 60), 0) << c.how << "\n" << readFile("out.txt");
        EXPECT_TRUE(endsWithShutdown(readFile("app.log"))) << c.how;
        EXPECT_FALSE(std::ifstream("Vulkora.pref").good()) << c.how;
    }
}
