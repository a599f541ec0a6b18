// The program's own options and the screensaver daemon's window: parsing, what fits together, and their effect
// on the settings at start-up.
#include "app/Options.h"
#include "core/AppState.h"
#include "core/Prefs.h"
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct Outcome {
    std::string error;
    Options options;
    Prefs prefs;
    AppState state;
};

Outcome start(const std::string& line, const char* saverWindow) {
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

}  // namespace

TEST(Options, ScreensaverWindowSoundAndFrameCounter) {
    const struct {
        const char* line;
        const char* saverWindow;  // $XSCREENSAVER_WINDOW
        bool root;
        unsigned long windowId;
        int soundEnabled, showFps;
    } rows[] = {
        {"", nullptr, false, 0, 1, 0},
        {"--fps", nullptr, false, 0, 1, 1},
        {"--window-id 4242", nullptr, false, 4242, 0, 0},
        {"--window-id 0x1A2b --sound", nullptr, false, 0x1a2b, 1, 0},
        {"--window-id 0x1fffffff", nullptr, false, 0x1fffffff, 0, 0},
        {"--root --fps", nullptr, true, 0, 0, 1},
        {"--root --sound --no-sound", nullptr, true, 0, 0, 0},
        {"", "0x400007", false, 0x400007, 0, 0},   // the daemon's window alone
        {"--root", "77", true, 77, 0, 0},          // and as the virtual root of a --root run
        {"--window-id 5", "77", false, 5, 0, 0},   // an explicit window wins
        {"--frames 3", "", false, 0, 1, 0},        // set but empty: no screensaver
    };
    for (const auto& r : rows) {
        Outcome o = start(r.line, r.saverWindow);
        ASSERT_EQ(o.error, "") << r.line;
        EXPECT_EQ(o.options.root, r.root) << r.line;
        EXPECT_EQ(o.options.windowId, r.windowId) << r.line;
        EXPECT_EQ(o.state.soundEnabled, r.soundEnabled) << r.line;
        EXPECT_EQ(o.prefs.showFps, r.showFps) << r.line;
    }
    EXPECT_EQ(start("--delay 20000", nullptr).options.delayMicros, 20000);
}

TEST(Options, BadOptionsAreRefusedWithTheirReason) {
    const struct {
        const char* line;
        const char* saverWindow;
        const char* errorPart;
    } rows[] = {
        {"--window 0x100", nullptr, "'0x100'"},
        {"--fixed-step soon", nullptr, "'soon'"},
        {"--window-id 0", nullptr, "'0'"},
        {"--window-id -5", nullptr, "'-5'"},
        {"--window-id 0x", nullptr, "'0x'"},
        {"--window-id 12abc", nullptr, "'12abc'"},
        {"--window-id 0x20000000", nullptr, "'0x20000000'"},
        {"--window-id 99999999999999999999", nullptr, "--window-id"},
        {"--root --window-id 3", nullptr, "exclude each other"},
        {"", "junk", "XSCREENSAVER_WINDOW"},
        {"--input-script s.txt", "9", "--input-script"},
        {"--delay -1", nullptr, "--delay"},
        {"--delay 1000001", nullptr, "--delay"},
    };
    for (const auto& r : rows) {
        std::string error = start(r.line, r.saverWindow).error;
        EXPECT_NE(error.find(r.errorPart), std::string::npos) << r.line << ": " << error;
    }
}
