// The preferences file: exact bytes, round trip, failed and linked saves, short files and absurd values.
#include "app/FileLocations.h"
#include "app/Globals.h"
#include "app/PrefsFile.h"
#include "app/Startup.h"
#include "support/TestSupport.h"
#include <cfloat>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

static std::string bytesOf(const Prefs& p) { return std::string(reinterpret_cast<const char*>(&p), sizeof p); }
static int32_t wordAt(const std::string& bytes, size_t at) { int32_t v = 0; std::memcpy(&v, bytes.data() + at, 4); return v; }
static int32_t floatBits(float f) { return wordAt(std::string(reinterpret_cast<const char*>(&f), 4), 0); }

// Every word after the header the same fill, or a value of its own, so that a field at a wrong offset shows.
static Prefs filled(int32_t fill = 0, bool distinct = true) {
    Prefs p;
    auto* words = reinterpret_cast<int32_t*>(&p);
    for (int i = 1; i < 87; ++i) words[i] = distinct ? 1000 + i : fill;
    return p;
}

TEST(PrefsFile, SavesTheRecordByteForByteAndLoadsItBackOrChangesNothing) {
    ScratchDir dir;
    Prefs p = filled();
    p.tag[0] = 0;  // the header is always written with its own four bytes
    ASSERT_EQ(savePrefs(p, "Vulkora"), 0);
    std::string bytes = readFile("Vulkora.pref");
    ASSERT_EQ(bytes.size(), 348u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x98\xD6\x42\x00", 4));
    for (size_t offset = 4; offset < 348; offset += 4) EXPECT_EQ(wordAt(bytes, offset), 1000 + int(offset / 4));
    // Missing, empty, short, one byte short, a directory: not a whole record, nothing changes.
    for (int size : {-1, 0, 100, 347, -2}) {
        std::remove("Vulkora.pref");
        if (size >= 0) writeFile("Vulkora.pref", bytesOf(filled()).substr(0, size_t(size)));
        if (size == -2) mkdir("Vulkora.pref", 0700);
        resetProgramState();
        initPref();
        Prefs before = prefs;
        EXPECT_EQ(loadPrefs(prefs, "Vulkora"), 1) << size;
        EXPECT_EQ(bytesOf(prefs), bytesOf(before)) << size;
    }
    rmdir("Vulkora.pref");
    prefs.reservedDC[4] = 77, prefs.reserved108[7] = -5, prefs.reserved148 = 9, prefs.colorLevel = 0.33f;
    prefs.windowWidth = prefs.windowHeight = 450;
    Prefs saved = prefs, loaded;
    // In the user's own directory, made on first save, when the program's files are not in the working directory.
    fileLocations.configDir = dir.path + "/config/vulkora";
    ASSERT_EQ(savePrefs(prefs, "Vulkora"), 0);
    ASSERT_EQ(loadPrefs(loaded, "Vulkora"), 0);
    fileLocations.configDir.clear();
    EXPECT_EQ(bytesOf(loaded), bytesOf(saved));
    EXPECT_EQ(readFile("config/vulkora/Vulkora.pref").size(), 348u);
    EXPECT_EQ(loadPrefs(loaded, "Vulkora"), 1) << "nothing in the working directory";
}

TEST(PrefsFile, SavesBesideTheOldFileThroughLinksAndInPlaceOnlyWhereNoNewFileCanBeMade) {
    // holder: where a record lies afterwards ("": nowhere) with the grid of 55 saved now or 44 kept;
    // then whether "Vulkora.pref.tmp" is left and "Vulkora.pref" is a symbolic link.
    const struct { const char* what; void (*arrange)(); bool fullDisk; int result; const char* holder;
                   int tesselation; bool tempLeft, link; } cases[] = {
        {"a full disk", [] { Prefs old; old.tesselation = 44; savePrefs(old, "Vulkora"); }, true, 1, "Vulkora.pref", 44,
         false, false},
        {"the temporary name taken", [] { writeFile("Vulkora.pref", std::string(1000, 'x')); mkdir("Vulkora.pref.tmp", 0700); },
         false, 0, "Vulkora.pref", 55, true, false},
        {"no file to rewrite either", [] { mkdir("Vulkora.pref.tmp", 0700); }, false, 1, "", 0, true, false},
        {"a link to a file", [] { mkdir("d", 0700); writeFile("d/real.pref", "old"); symlink("d/real.pref", "Vulkora.pref"); },
         false, 0, "d/real.pref", 55, false, true},
        {"a link to a file not made yet", [] { mkdir("d", 0700); symlink("d/new.pref", "Vulkora.pref"); }, false, 0,
         "d/new.pref", 55, false, true},
        {"an absolute link to a file not made yet",
         [] { mkdir("d", 0700); symlink((std::string(getcwd(nullptr, 0)) + "/d/abs.pref").c_str(), "Vulkora.pref"); },
         false, 0, "d/abs.pref", 55, false, true},
    };
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = {100, saved.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchDir dir;
        c.arrange();
        Prefs p;
        p.tesselation = 55;
        if (c.fullDisk) setrlimit(RLIMIT_FSIZE, &small);  // the write itself fails, as on a full disk
        EXPECT_EQ(savePrefs(p, "./Vulkora"), c.result);  // a name with a folder, as in the user's directory
        setrlimit(RLIMIT_FSIZE, &saved);
        std::string bytes = readFile(*c.holder ? c.holder : "Vulkora.pref");
        struct stat st {};
        EXPECT_EQ(std::make_tuple(bytes.size(), *c.holder ? wordAt(bytes, 52) : 0, access("Vulkora.pref.tmp", F_OK) == 0,
                                  lstat("Vulkora.pref", &st) == 0 && S_ISLNK(st.st_mode)),
                  std::make_tuple(*c.holder ? 348u : 0u, c.tesselation, c.tempLeft, c.link));
    }
    EXPECT_EQ(savePrefs(Prefs(), "/nonexistent-dir/Vulkora"), 1);
}

// Whole files of one absurd value in every word, as a float's bits or as an int: every setting ends up usable and
// unused words pass through; not-a-number floats take the defaults, not a bound.
TEST(PrefsFile, AbsurdValuesAreBroughtIntoRange) {
    ScratchDir dir;
    Prefs nan = filled();
    nan.fov = nan.groundHeight = nan.lightParams[5] = NAN;
    Prefs p;
    for (const Prefs& absurd : {filled(floatBits(-FLT_MAX), false), filled(floatBits(1e-45f), false),
                                filled(INT_MAX, false), filled(INT_MIN, false), nan}) {
        writeFile("Vulkora.pref", bytesOf(absurd));
        ASSERT_EQ(loadPrefs(p, "Vulkora"), 0);
        const struct { float value, low, high; } checks[] = {
            {p.fov, 1, 179}, {p.objectSize, 0.1f, 6}, {p.fade, 0.01f, 1}, {p.cameraZ, -16 * p.objectSize, 16 * p.objectSize},
            {p.lightParams[5], 0, 180}, {p.color[0], 0, 1}, {float(p.tesselation), 10, 80}, {float(p.windowWidth), 1, 16384},
            {float(p.blendMode0), 0, 8}, {float(p.lightmap), -63, 63}, {float(p.cameraMode), 0, 3}, {float(p.letterbox), 0, 6}};
        for (const auto& c : checks) EXPECT_TRUE(c.value >= c.low && c.value <= c.high) << c.value << " " << absurd.reserved148;
        EXPECT_EQ(p.reserved148, absurd.reserved148) << "unused words pass through";
    }
    EXPECT_EQ(std::make_tuple(p.fov, p.groundHeight, p.lightParams[5]), std::make_tuple(50.0f, 1.0f, 180.0f));
}
