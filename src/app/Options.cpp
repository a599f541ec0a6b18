// Parsing of the automation options.
#include "app/Options.h"
#include "core/AppState.h"
#include "core/Prefs.h"
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

const char* usageText() {
    return "usage: vulkora [GLUT options] [options]\n"
           "  --window WxH          start windowed at W x H pixels\n"
           "  --no-sound            run silent\n"
           "  --fixed-step S        advance the clock exactly S seconds per frame\n"
           "  --clock-start S       start the clock as if the program had run S seconds (below 4294967.296)\n"
           "  --frames N            run N frames, then shut down normally\n"
           "  --screenshot FILE     save the last frame as PNG\n"
           "  --shot N:FILE         save frame N as PNG (repeatable)\n"
           "  --input-script FILE   feed scripted input events at given frames\n"
           "  --trace FILE          write one line per observable event\n"
           "  --benchmark S         measure S seconds of frames (or up to --frames N), print frame-time figures\n"
           "                        and the slowest frames\n"
           "  --bench-from F        start the benchmark at frame F (default 1)\n"
           "  --frame-times FILE    with --benchmark: write each measured frame's number and milliseconds\n"
           "  --root                screensaver: draw into the root window (or the desktop's virtual root)\n"
           "  --window-id ID        screensaver: draw into the existing window ID (decimal or 0x hex)\n"
           "  --sound               play sound in screensaver mode (silent there without it)\n"
           "  --fps                 show the frames per second from the start\n"
           "  --delay US            pause US microseconds after each frame\n"
           "  --help, --version\n";
}

static bool parseDouble(const char* text, double& out) {
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0';
}

static bool parseLong(const char* text, long& out) {
    char* end = nullptr;
    out = std::strtol(text, &end, 10);
    return end != text && *end == '\0';
}

static bool parseSize(const char* text, int& w, int& h) {
    long a = 0, b = 0;
    const char* x = std::strchr(text, 'x');
    if (!x) return false;
    std::string left(text, x);
    if (!parseLong(left.c_str(), a) || !parseLong(x + 1, b)) return false;
    if (a < 1 || b < 1 || a > 16384 || b > 16384) return false;
    w = static_cast<int>(a);
    h = static_cast<int>(b);
    return true;
}

static bool parseShot(const char* text, ShotRequest& shot) {
    const char* colon = std::strchr(text, ':');
    if (!colon || colon[1] == '\0') return false;
    std::string frame(text, colon);
    return parseLong(frame.c_str(), shot.frame) && shot.frame >= 1 && (shot.file = colon + 1, true);
}

constexpr long kMaxDelay = 1000000;  // a second between frames is already a slide show

// An X window id: decimal or 0x hex, at most the 29 bits X gives its resource ids; never 0.
static bool parseWindowId(const char* text, unsigned long& id) {
    bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = hex ? text + 2 : text;
    // strtoul alone would take a sign or leading blanks.
    if (!(hex ? std::isxdigit(static_cast<unsigned char>(*digits)) : std::isdigit(static_cast<unsigned char>(*digits))))
        return false;
    char* end = nullptr;
    errno = 0;
    unsigned long long value = std::strtoull(digits, &end, hex ? 16 : 10);
    if (*end != '\0' || errno != 0 || value < 1 || value > 0x1FFFFFFF) return false;
    id = static_cast<unsigned long>(value);
    return true;
}

// GLUT's own options: left for glutInit, which reads them from the same command line.
static int glutOptionWords(const std::string& opt) {
    static const char* const kWithValue[] = {"-display", "-geometry"};
    static const char* const kAlone[] = {"-direct", "-indirect", "-iconic", "-gldebug", "-sync"};
    for (const char* name : kWithValue)
        if (opt == name) return 2;
    for (const char* name : kAlone)
        if (opt == name) return 1;
    return 0;
}

std::string parseOptions(int argc, char** argv, Options& out) {
    for (int i = 1; i < argc; ++i) {
        std::string opt = argv[i];
        if (int words = glutOptionWords(opt)) {
            i += words - 1;
            continue;
        }
        if (opt == "--help") { out.help = true; continue; }
        if (opt == "--version") { out.version = true; continue; }
        if (opt == "--no-sound") { out.noSound = true; continue; }
        if (opt == "--root") { out.root = true; continue; }
        if (opt == "--sound") { out.sound = true; continue; }
        if (opt == "--fps") { out.fps = true; continue; }
        static const char* const kWithValue[] = {"--window", "--fixed-step", "--clock-start", "--frames", "--screenshot", "--shot",
                                                 "--input-script", "--trace", "--benchmark", "--bench-from",
                                                 "--frame-times", "--window-id", "--delay"};
        bool known = false;
        for (const char* name : kWithValue) known = known || opt == name;
        if (!known) return "unknown option '" + opt + "'";
        if (i + 1 >= argc) return "option '" + opt + "' needs a value";
        const char* value = argv[++i];
        bool ok = true;
        if (opt == "--window") ok = parseSize(value, out.windowWidth, out.windowHeight);
        else if (opt == "--fixed-step") ok = parseDouble(value, out.fixedStep) && out.fixedStep > 0 && out.fixedStep <= 10;
        // The elapsed-time source is a 32-bit millisecond counter.
        else if (opt == "--clock-start") ok = parseDouble(value, out.clockStart) && out.clockStart >= 0 && out.clockStart < 4294967.296;
        else if (opt == "--frames") ok = parseLong(value, out.frames) && out.frames >= 1;
        else if (opt == "--screenshot") out.screenshot = value;
        else if (opt == "--shot") { ShotRequest s; ok = parseShot(value, s); if (ok) out.shots.push_back(s); }
        else if (opt == "--input-script") out.inputScript = value;
        else if (opt == "--trace") out.traceFile = value;
        else if (opt == "--benchmark") ok = parseDouble(value, out.benchmarkSeconds) && out.benchmarkSeconds > 0;
        else if (opt == "--frame-times") out.frameTimesFile = value;
        else if (opt == "--bench-from") ok = parseLong(value, out.benchFrom) && out.benchFrom >= 1;
        else if (opt == "--window-id") ok = parseWindowId(value, out.windowId);
        else if (opt == "--delay") ok = parseLong(value, out.delayMicros) && out.delayMicros >= 0 && out.delayMicros <= kMaxDelay;
        if (!ok) return "bad value '" + std::string(value) + "' for option '" + opt + "'";
    }
    return "";
}

std::string finishOptions(Options& out, const char* saverWindow) {
    if (out.root && out.windowId) return "options '--root' and '--window-id' exclude each other";
    // The daemon's window is the virtual root of a --root run as well.
    if (saverWindow && *saverWindow && !out.windowId && !parseWindowId(saverWindow, out.windowId))
        return "bad window id '" + std::string(saverWindow) + "' in XSCREENSAVER_WINDOW";
    // Scripted input could save the preferences, which a screensaver never does.
    if (out.saver() && !out.inputScript.empty())
        return "option '--input-script' cannot be used in screensaver mode, which takes no input";
    return "";
}

void applyOptions(const Options& options, Prefs& prefs, AppState& state) {
    if (options.windowWidth > 0) {
        prefs.fullScreen = 0;
        prefs.windowWidth = options.windowWidth;
        prefs.windowHeight = options.windowHeight;
    }
    if (options.fps) prefs.showFps = 1;
    if (options.noSound || (options.saver() && !options.sound)) state.soundEnabled = 0;
}
