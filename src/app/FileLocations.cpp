// Choosing the data, preferences and log directories at start-up.
#include "app/FileLocations.h"
#include "core/AppLog.h"
#include "core/FilePath.h"
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <unistd.h>

FileLocations fileLocations;

std::string FileLocations::dataFile(const char* name) const {
    char path[kMaxPath];
    return joinPath(path, sizeof path, dataDir.c_str(), name);
}

// $XDG_..._HOME when it is an absolute path (a relative one is to be ignored), else the fallback under $HOME.
static std::string userDir(const std::string& xdg, const std::string& home, const char* fallback) {
    if (!xdg.empty() && xdg[0] == '/') return xdg + "/vulkora";
    return home.empty() ? "" : home + fallback + "/vulkora";
}

FileLocations locateFiles(const LocationInputs& in, bool (*holdsAssets)(const std::string& dir)) {
    FileLocations files;
    if (holdsAssets("")) return files;
    for (const std::string& dir : in.dataDirs) {
        if (!holdsAssets(dir)) continue;
        files.dataDir = dir;
        files.configDir = userDir(in.xdgConfigHome, in.home, "/.config");
        files.stateDir = userDir(in.xdgStateHome, in.home, "/.local/state");
        return files;
    }
    files.found = false;
    return files;
}

bool holdsAssets(const std::string& dir) {
    char path[kMaxPath];
    return access(joinPath(path, sizeof path, dir.c_str(), "font_256.bmp"), R_OK) == 0;
}

static std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The executable's directory joined with the installed layout's way from its bin to its data directory.
static std::string besideExecutable() {
    char exe[kMaxPath];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return "";
    exe[n] = '\0';
    std::string dir = exe;
    dir = dir.substr(0, dir.rfind('/')) + "/" VULKORA_DATA_FROM_BINDIR;
    char resolved[PATH_MAX];
    return realpath(dir.c_str(), resolved) ? resolved : "";
}

LocationInputs environmentInputs() {
    LocationInputs in;
    for (const std::string& dir : {environment("VULKORA_DATA"), besideExecutable(), std::string(VULKORA_DATA_DIR)})
        if (!dir.empty() && std::find(in.dataDirs.begin(), in.dataDirs.end(), dir) == in.dataDirs.end())
            in.dataDirs.push_back(dir);
    in.xdgConfigHome = environment("XDG_CONFIG_HOME");
    in.xdgStateHome = environment("XDG_STATE_HOME");
    in.home = environment("HOME");
    return in;
}

std::string dataDirectoryMessage(const FileLocations& files, const LocationInputs& in) {
    if (files.found) return "Data directory: " + (files.dataDir.empty() ? "the working directory" : files.dataDir);
    std::string message = "Data directory: none found (looked in the working directory";
    for (const std::string& dir : in.dataDirs) message += ", " + dir;
    return message + ")";
}

void locateProgramFiles() {
    LocationInputs in = environmentInputs();
    fileLocations = locateFiles(in, holdsAssets);
    AppLog::setDirectory(fileLocations.stateDir.c_str());
    AppLog::write(dataDirectoryMessage(fileLocations, in).c_str());
}
