// Where the program's files are: the directory its images and sounds come from, and those of its preferences and log.
#pragma once
#include <string>
#include <vector>

struct FileLocations {
    bool found = true;      // some directory held the images and sounds
    std::string dataDir;    // each directory: empty for the working directory
    std::string configDir;  // the preferences file
    std::string stateDir;   // the log

    // The path of one image or sound file (start-up only: it allocates).
    std::string dataFile(const char* name) const;
};

// The locations of this run, decided once at start-up.
extern FileLocations fileLocations;

// What the choice depends on, as read from the environment and from the executable's place.
struct LocationInputs {
    std::vector<std::string> dataDirs;  // looked in after the working directory, in this order
    std::string xdgConfigHome, xdgStateHome, home;
};

// The working directory first, then each of dataDirs: the first that holds the images and sounds serves. With the
// working directory (or with none) the preferences and the log stay in the working directory as they always did;
// with any other they go to the user's own directories, so an installed program never writes where it was started.
FileLocations locateFiles(const LocationInputs& in, bool (*holdsAssets)(const std::string& dir));
// A directory holds the images and sounds when the first file the program reads, its font, is there.
bool holdsAssets(const std::string& dir);
// $VULKORA_DATA, then the data directory beside the installed executable, then the one compiled in.
LocationInputs environmentInputs();
// The log line that says which directory serves.
std::string dataDirectoryMessage(const FileLocations& files, const LocationInputs& in);
// Decides the locations for this run, points the log at its directory and logs the data directory.
void locateProgramFiles();
