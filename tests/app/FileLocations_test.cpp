// Where the images and sounds are taken from, and where the preferences and the log go with them.
#include "app/FileLocations.h"
#include "core/FilePath.h"
#include "support/TestSupport.h"
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST(FileLocations, TheEnvironmentAndTheRealDirectoriesAreRead) {
    ScratchDir dir;
    EXPECT_FALSE(holdsAssets(""));
    EXPECT_TRUE(holdsAssets(VULKORA_RUN_DIR));
    setenv("VULKORA_DATA", "/some/data", 1);
    setenv("XDG_STATE_HOME", "/some/state", 1);
    LocationInputs in = environmentInputs();
    unsetenv("VULKORA_DATA");
    unsetenv("XDG_STATE_HOME");
    ASSERT_FALSE(in.dataDirs.empty());
    EXPECT_EQ(in.dataDirs.front(), "/some/data");
    EXPECT_EQ(in.dataDirs.back(), VULKORA_DATA_DIR) << "the configured prefix comes last";
    EXPECT_EQ(in.xdgStateHome, "/some/state");
}

TEST(FilePath, JoinsAndMakesDirectories) {
    char out[16];
    EXPECT_STREQ(joinPath(out, sizeof out, "", "app.log"), "app.log");
    EXPECT_STREQ(joinPath(out, sizeof out, "/d", "app.log"), "/d/app.log");
    EXPECT_STREQ(joinPath(out, sizeof out, "/abcdef", "app.log"), "/abcdef/app.log") << "just fits";
    EXPECT_STREQ(joinPath(out, sizeof out, "/abcdefg", "app.log"), "") << "too long: nothing, not a cut name";
    ScratchDir dir;
    EXPECT_EQ(makeDirectories((dir.path + "/a/b/c").c_str()), 0);
    EXPECT_EQ(makeDirectories((dir.path + "/a/b/c").c_str()), 0) << "already there";
    struct stat info;
    ASSERT_EQ(stat((dir.path + "/a/b").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    writeFile("file", "x");
    EXPECT_EQ(makeDirectories((dir.path + "/file/sub").c_str()), 1);
    EXPECT_EQ(makeDirectories((dir.path + "/file").c_str()), 1);
}
