// Our own command-line options, read from what GLUT leaves in argv.
#pragma once
#include <string>
#include <vector>

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
    bool help = false;
    bool version = false;
};

// Returns an empty string on success, else the error message naming the option.
std::string parseOptions(int argc, char** argv, Options& out);
const char* usageText();
