// Where the images and sounds are taken from, and where the preferences and the log go with them.
#include "app/FileLocations.h"
#include "core/FilePath.h"
#include <algorithm>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> holding;  // the directories that hold the assets in a row; "" is the working directory
bool fakeHoldsAssets(const std::string& dir) { return std::find(holding.begin(), holding.end(), dir) != holding.end(); }

}  // namespace

TEST(FileLocations, TheFirstDirectoryWithTheAssetsServesAndThePrefsAndLogFollowIt) {
    const struct {
        std::vector<std::string> holding;
        const char *xdgConfig, *xdgState, *home;
        const char *data, *config, *state, *message;
    } rows[] = {
        {{"", "/env"}, "/xc", "/xs", "/h", "", "", "", "Data directory: the working directory"},
        {{"/env", "/inst"}, "/xc", "/xs", "/h", "/env", "/xc/vulkora", "/xs/vulkora", "Data directory: /env"},
        {{"/inst"}, "", "", "/h", "/inst", "/h/.config/vulkora", "/h/.local/state/vulkora", "Data directory: /inst"},
        {{"/inst"}, "rel", "rel", "/h", "/inst", "/h/.config/vulkora", "/h/.local/state/vulkora",
         "Data directory: /inst"},  // relative XDG directories are ignored
        {{"/inst"}, "", "", "", "/inst", "", "", "Data directory: /inst"},  // no home at all: the working directory
        {{}, "/xc", "/xs", "/h", "", "", "",
         "Data directory: none found (looked in the working directory, /env, /inst)"},
    };
    for (const auto& r : rows) {
        holding = r.holding;
        LocationInputs in{{"/env", "/inst"}, r.xdgConfig, r.xdgState, r.home};
        FileLocations f = locateFiles(in, fakeHoldsAssets);
        std::string where = holding.empty() ? "none" : holding[0];
        EXPECT_EQ(f.dataDir, r.data) << where;
        EXPECT_EQ(f.configDir, r.config) << where;
        EXPECT_EQ(f.stateDir, r.state) << where;
        EXPECT_EQ(dataDirectoryMessage(f, in), r.message);
    }
    FileLocations installed;
    installed.dataDir = "/usr/share/vulkora";
    EXPECT_EQ(installed.dataFile("grass.bmp"), "/usr/share/vulkora/grass.bmp");
    EXPECT_EQ(FileLocations().dataFile("grass.bmp"), "grass.bmp");
}

TEST(FilePath, APathThatDoesNotFitBecomesEmptyNotCut) {
    char out[16];
    EXPECT_STREQ(joinPath(out, sizeof out, "/abcdef", "app.log"), "/abcdef/app.log");
    EXPECT_STREQ(joinPath(out, sizeof out, "/abcdefg", "app.log"), "");
}
