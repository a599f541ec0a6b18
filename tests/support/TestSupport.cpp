// Shared test helpers.
#include "support/TestSupport.h"
#include "app/Globals.h"
#include "app/Startup.h"
#include <GL/gl.h>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <png.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

ScratchDir::ScratchDir(bool withAssets) : previous(fs::current_path()) {
    char pattern[] = "/tmp/vulkora-test-XXXXXX";
    path = mkdtemp(pattern);
    // Only the program's input files: logs and preferences of other runs stay behind.
    for (const auto& entry : fs::directory_iterator(VULKORA_RUN_DIR)) {
        std::string ext = entry.path().extension();
        if (withAssets && (ext == ".bmp" || ext == ".wav")) fs::create_symlink(entry.path(), file(entry.path().filename()));
    }
    fs::current_path(path);
}

ScratchDir::~ScratchDir() {
    fs::current_path(previous);
    std::error_code ignored;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path, ignored);
}

void resetProgramState() {
    prefs = Prefs();
    appState = AppState();
    std::snprintf(appState.name, sizeof appState.name, "Vulkora");
    frameClock = Clock();
    camera = Camera();
    keyboard = KeyboardState();
    mouse = MouseState();
    screen = Screen();
    statusLine = TextBox();
    effectRotors = RotorSet();
    wireAppContext();
}

std::string readFile(const std::string& fileName) {
    std::ostringstream bytes;
    bytes << std::ifstream(fileName, std::ios::binary).rdbuf();
    return bytes.str();
}

void writeFile(const std::string& fileName, const std::string& bytes) { std::ofstream(fileName, std::ios::binary) << bytes; }

RunResult runVulkora(const std::string& args, const std::string& prefix) {
    RunResult result{-1, ""};
    FILE* pipe = popen((prefix + " " VULKORA_BINARY " " + args + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, got);
    int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

static std::vector<unsigned char> readRgb(int x, int y, int width, int height) {
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}
std::vector<unsigned char> readFrame(int width, int height) { return readRgb(0, 0, width, height); }
Rgb readPixel(int x, int y) {
    std::vector<unsigned char> p = readRgb(x, y, 1, 1);
    return {p[0], p[1], p[2]};
}

void beginTestFrame(int width, int height, float r, float g, float b) {
    glViewport(0, 0, width, height);
    glClearColor(r, g, b, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void orthoProjection(double left, double right, double bottom, double top, double zNear, double zFar) {
    glMatrixMode(GL_PROJECTION);
    glOrtho(left, right, bottom, top, zNear, zFar);
    glMatrixMode(GL_MODELVIEW);
}

std::vector<TraceLine> readTrace(const std::string& fileName, const std::string& kind) {
    std::vector<TraceLine> out;
    std::istringstream lines(readFile(fileName));
    for (std::string line, seconds; std::getline(lines, line);) {
        std::istringstream words(line);
        TraceLine t{0, "", ""};
        words >> t.frame >> seconds >> t.kind;
        if (words.peek() == ' ') words.get();
        std::getline(words, t.text);
        if (kind.empty() || t.kind == kind) out.push_back(t);
    }
    return out;
}

bool traced(const std::vector<TraceLine>& lines, long frame, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(), [&](const TraceLine& t) { return t.frame == frame && t.text == text; });
}

std::string traceSteps(const std::string& fileName) {
    std::string out;
    for (const TraceLine& l : readTrace(fileName)) out += std::to_string(l.frame) + ' ' + l.kind + ' ' + l.text + '\n';
    return out;
}

bool readPng(const std::string& fileName, int& width, int& height, std::vector<unsigned char>& rgb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, fileName.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
}

DialogInput dialogInput(float x, float y, int phase, int key, int special) {
    DialogInput in;
    in.x = x, in.y = y, in.left = phase, in.key = key, in.specialKey = special;
    return in;
}
