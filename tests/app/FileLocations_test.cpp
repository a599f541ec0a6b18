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
        const char *xdgConfig, *xdgState, *home, *data, *config, *state, *message;
    } rows[] = {
        {{"", "/env"}, "/xc", "/xs", "/h", "", "", "", "the working directory"},
        {{"/env", "/inst"}, "/xc", "/xs", "/h", "/env", "/xc/vulkora", "/xs/vulkora", "/env"},
        {{"/inst"}, "", "", "/h", "/inst", "/h/.config/vulkora", "/h/.local/state/vulkora", "/inst"},
        // Relative XDG directories are ignored; with no home at all, the working directory serves.
        {{"/inst"}, "rel", "rel", "/h", "/inst", "/h/.config/vulkora", "/h/.local/state/vulkora", "/inst"},
        {{"/inst"}, "", "", "", "/inst", "", "", "/inst"},
        {{}, "/xc", "/xs", "/h", "", "", "", "none found (looked in the working directory, /env, /inst)"},
    };
    for (const auto& r : rows) {
        holding = r.holding;
        LocationInputs in{{"/env", "/inst"}, r.xdgConfig, r.xdgState, r.home};
        FileLocations f = locateFiles(in, fakeHoldsAssets);
        EXPECT_EQ(f.dataDir + "|" + f.configDir + "|" + f.stateDir, std::string(r.data) + "|" + r.config + "|" + r.state);
        EXPECT_EQ(dataDirectoryMessage(f, in), std::string("Data directory: ") + r.message);
    }
    FileLocations installed;
    installed.dataDir = "/usr/share/vulkora";
    EXPECT_EQ(installed.dataFile("grass.bmp") + FileLocations().dataFile("grass.bmp"), "/usr/share/vulkora/grass.bmpgrass.bmp");
    char out[16];  // a path that does not fit becomes empty, not cut
    EXPECT_STREQ(joinPath(out, sizeof out, "/abcdef", "app.log"), "/abcdef/app.log");
    EXPECT_STREQ(joinPath(out, sizeof out, "/abcdefg", "app.log"), "");
}
