// The program's options and the screensaver daemon's window: parsing, conflicts, their effect at start-up.
#include "app/Options.h"
#include "core/AppState.h"
#include "core/Prefs.h"
#include <gtest/gtest.h>
#include <sstream>

struct Outcome { std::string error; Options options; Prefs prefs; AppState state; };

static Outcome start(const std::string& line, const char* saverWindow) {
    std::vector<std::string> words{"vulkora"};
    std::istringstream in(line);
    for (std::string w; in >> w;) words.push_back(w);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    Outcome o;
    o.error = parseOptions(static_cast<int>(argv.size()), argv.data(), o.options);
    if (o.error.empty()) o.error = finishOptions(o.options, saverWindow);
    if (o.error.empty()) applyOptions(o.options, o.prefs, o.state);
    return o;
}

TEST(Options, ScreensaverWindowSoundAndFrameCounterOrTheReasonForRefusal) {
    // $XSCREENSAVER_WINDOW alone names the window, and the virtual root of a --root run; an explicit window wins;
    // set but empty means no screensaver. Outcome: root, window, sound, frame counter.
    const struct { const char *line, *saverWindow; bool root; unsigned long windowId; int sound, fps; } rows[] = {
        {"", nullptr, false, 0, 1, 0}, {"--fps", nullptr, false, 0, 1, 1}, {"--window-id 4242", nullptr, false, 4242, 0, 0},
        {"--window-id 0x1A2b --sound", nullptr, false, 0x1a2b, 1, 0}, {"--window-id 0x1fffffff", nullptr, false, 0x1fffffff, 0, 0},
        {"--root --fps", nullptr, true, 0, 0, 1}, {"--root --sound --no-sound", nullptr, true, 0, 0, 0},
        {"", "0x400007", false, 0x400007, 0, 0}, {"--root", "77", true, 77, 0, 0}, {"--window-id 5", "77", false, 5, 0, 0},
        {"--frames 3", "", false, 0, 1, 0}, {"-iconic --fps", nullptr, false, 0, 1, 1},
        {"--delay 1000000", nullptr, false, 0, 1, 0}};
    for (const auto& r : rows) {
        Outcome o = start(r.line, r.saverWindow);
        EXPECT_EQ(std::make_tuple(o.error, o.options.root, o.options.windowId, o.state.soundEnabled, o.prefs.showFps),
                  std::make_tuple(std::string(), r.root, r.windowId, r.sound, r.fps)) << r.line;
    }
    Outcome edges = start("--delay 20000 --fixed-step 10 --clock-start 0 --window-id 0X1f", nullptr);
    EXPECT_EQ(std::make_tuple(edges.error, edges.options.delayMicros, edges.options.fixedStep, edges.options.clockStart,
                              edges.options.windowId), std::make_tuple(std::string(), 20000, 10.0, 0.0, 0x1ful));
    // A refused line names its reason.
    const struct { const char *line, *saverWindow, *errorPart; } refused[] = {
        {"--window 0x100", nullptr, "'0x100'"}, {"--window 640", nullptr, "'640'"}, {"--fixed-step 10.5", nullptr, "'10.5'"},
        {"--clock-start -1", nullptr, "'-1'"},
        {"--window-id 0", nullptr, "'0'"}, {"--window-id 0x", nullptr, "'0x'"}, {"--window-id 12abc", nullptr, "'12abc'"},
        {"--window-id 0x20000000", nullptr, "'0x20000000'"}, {"--window-id 99999999999999999999", nullptr, "--window-id"},
        {"--root --window-id 3", nullptr, "exclude each other"}, {"", "junk", "XSCREENSAVER_WINDOW"},
        {"--input-script s.txt", "9", "--input-script"}, {"--delay -1", nullptr, "--delay"}, {"--delay 1000001", nullptr, "--delay"}};
    for (const auto& r : refused)
        EXPECT_NE(start(r.line, r.saverWindow).error.find(r.errorPart), std::string::npos) << r.line;
}
