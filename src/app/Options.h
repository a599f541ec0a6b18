// Our own command-line options, read from what GLUT leaves in argv.
#pragma once
#include <string>
#include <vector>

struct Prefs;
class AppState;

struct ShotRequest {
    long frame;
    std::string file;
};

struct Options {
    int windowWidth = 0, windowHeight = 0;  // 0: as the preferences say
    bool noSound = false;
    double fixedStep = 0;                   // seconds per frame; 0: real time
    double clockStart = 0;                  // reading of the elapsed-time source at start, in seconds
    long frames = 0;                        // 0: run until the user quits
    std::string screenshot;
    std::vector<ShotRequest> shots;
    std::string inputScript;
    std::string traceFile;
    double benchmarkSeconds = 0;
    long benchFrom = 1;
    std::string frameTimesFile;             // every measured frame's time, one "frame ms" line each
    bool help = false;
    bool version = false;
    // Screensaver mode: drawing into the (virtual) root window or into a window of another program.
    bool root = false;
    unsigned long windowId = 0;  // 0: none
    bool sound = false;          // screensaver mode is silent without it
    bool fps = false;            // the frames-per-second text from the start
    long delayMicros = 0;        // pause after each frame

    bool saver() const { return root || windowId != 0; }
};

// Returns an empty string on success, else the error message naming the option.
std::string parseOptions(int argc, char** argv, Options& out);
// Takes the screensaver daemon's window (the value of $XSCREENSAVER_WINDOW, or null) as --window-id unless one was
// given, and checks that the screensaver options fit together. Returns an error message, empty on success.
std::string finishOptions(Options& out, const char* saverWindow);
// Carries the options into the settings and flags, after the preferences are loaded.
void applyOptions(const Options& options, Prefs& prefs, AppState& state);
const char* usageText();
