// Shared test helpers: scratch directories, resetting the program's globals, reading pixels, running the binary.
#pragma once
#include <string>
#include <vector>

struct DialogInput;

// Creates a fresh directory (with links to the built images and sounds if asked), works in it, removes it at the end.
class ScratchDir {
public:
    explicit ScratchDir(bool withAssets = false);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string path;
    std::string file(const std::string& name) const { return path + "/" + name; }

private:
    std::string previous;
};

// Puts every shared global object back to its freshly constructed state and wires the context.
void resetProgramState();
std::string readFile(const std::string& fileName);
void writeFile(const std::string& fileName, const std::string& bytes);

// Runs the real program in the current directory with the given arguments, after a command prefix if given.
struct RunResult { int exitCode; std::string output; /* stdout and stderr together */ };
RunResult runVulkora(const std::string& args, const std::string& prefix = "");

// GL tests: an RGB pixel of the back buffer, window coordinates with y up; the whole buffer, bottom row first.
struct Rgb { int r, g, b; };
Rgb readPixel(int x, int y);
std::vector<unsigned char> readFrame(int width, int height);
// A plain test frame: viewport, clear colour, identity matrices; then an optional orthographic projection.
void beginTestFrame(int width, int height, float r = 0, float g = 0, float b = 0);
void orthoProjection(double left, double right, double bottom, double top, double zNear = -1, double zFar = 1);

// One line of a --trace file: "<frame> <seconds> <kind> <text>"; the lines of one kind, or all for an empty kind.
struct TraceLine { long frame; std::string kind, text; };
std::vector<TraceLine> readTrace(const std::string& fileName, const std::string& kind = "");
bool traced(const std::vector<TraceLine>& lines, long frame, const std::string& text);
// The whole trace without its real-time column: "<frame> <kind> <text>" lines.
std::string traceSteps(const std::string& fileName);

// Reads a PNG written by the program; false if it cannot be read.
bool readPng(const std::string& fileName, int& width, int& height, std::vector<unsigned char>& rgb);

// One frame of dialog input: the pointer in overlay pixels with the left button's phase, and the keys.
DialogInput dialogInput(float x, float y, int phase, int key = 0, int special = 0);
