// The preferences file: exact bytes, round trip, failed and linked saves, files that are not a whole record,
// and absurd values.
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

namespace {

std::string bytesOf(const Prefs& p) { return std::string(reinterpret_cast<const char*>(&p), sizeof p); }

int32_t wordAt(const std::string& bytes, size_t offset) {
    int32_t v = 0;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
}

// Every word a value of its own, so that a field at a wrong offset shows.
Prefs distinctivePrefs() {
    Prefs p;
    auto* words = reinterpret_cast<int32_t*>(&p);
    for (int i = 1; i < 87; ++i) words[i] = 1000 + i;
    return p;
}

}  // namespace

TEST(PrefsFile, SavesTheRecordByteForByteAndLoadsItBack) {
    ScratchDir dir;
    Prefs p = distinctivePrefs();
    p.tag[0] = 0;  // the header is always written with its own four bytes
    ASSERT_EQ(savePrefs(p, "Vulkora"), 0);
    std::string bytes = readFile("Vulkora.pref");
    ASSERT_EQ(bytes.size(), 348u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x98\xD6\x42\x00", 4));
    for (size_t offset = 4; offset < 348; offset += 4) EXPECT_EQ(wordAt(bytes, offset), 1000 + int(offset / 4));
    std::remove("Vulkora.pref");

    resetProgramState();
    initPref();
    prefs.reservedDC[4] = 77;
    prefs.reserved108[7] = -5;
    prefs.reserved148 = 9;
    prefs.windowWidth = prefs.windowHeight = 450;
    prefs.colorLevel = 0.33f;
    Prefs saved = prefs;
    // In the user's own directory, made on first save, when the program's files are not in the working directory.
    fileLocations.configDir = dir.path + "/config/vulkora";
    ASSERT_EQ(savePrefs(prefs, "Vulkora"), 0);
    Prefs loaded;
    ASSERT_EQ(loadPrefs(loaded, "Vulkora"), 0);
    fileLocations.configDir.clear();
    EXPECT_EQ(bytesOf(loaded), bytesOf(saved));
    EXPECT_EQ(readFile("config/vulkora/Vulkora.pref").size(), 348u);
    EXPECT_EQ(loadPrefs(loaded, "Vulkora"), 1) << "nothing in the working directory";
}

TEST(PrefsFile, AFileThatIsNotAWholeRecordChangesNothing) {
    const struct { const char* name; int bytes; bool directory; } rows[] = {
        {"missing", -1, false}, {"empty", 0, false}, {"short", 100, false}, {"one short", 347, false},
        {"directory", -1, true},
    };
    for (const auto& row : rows) {
        ScratchDir dir;
        if (row.bytes >= 0) writeFile("Vulkora.pref", bytesOf(distinctivePrefs()).substr(0, size_t(row.bytes)));
        if (row.directory) {
            ASSERT_EQ(mkdir("Vulkora.pref", 0700), 0);
        }
        resetProgramState();
        initPref();
        Prefs before = prefs;
        EXPECT_EQ(loadPrefs(prefs, "Vulkora"), 1) << row.name;
        EXPECT_EQ(bytesOf(prefs), bytesOf(before)) << row.name;
    }
}

TEST(PrefsFile, SavesBesideTheOldFileThroughLinksAndInPlaceOnlyWhereNoNewFileCanBeMade) {
    const struct {
        const char* what;
        void (*arrange)();
        bool fullDisk;
        int result;
        const char* holder;  // where a record lies afterwards; empty: nowhere
        int tesselation;     // 55 saved now, 44 the old one kept
        bool tempLeft, link;  // "Vulkora.pref.tmp" exists afterwards; "Vulkora.pref" is a symbolic link
    } cases[] = {
        {"a full disk", [] { Prefs old; old.tesselation = 44; savePrefs(old, "Vulkora"); }, true, 1, "Vulkora.pref", 44,
         false, false},
        {"the temporary name taken",
         [] { writeFile("Vulkora.pref", std::string(1000, 'x')); mkdir("Vulkora.pref.tmp", 0700); },
         false, 0, "Vulkora.pref", 55, true, false},
        {"no file to rewrite either", [] { mkdir("Vulkora.pref.tmp", 0700); }, false, 1, "", 0, true, false},
        {"a link to a file",
         [] { mkdir("d", 0700); writeFile("d/real.pref", "old"); symlink("d/real.pref", "Vulkora.pref"); },
         false, 0, "d/real.pref", 55, false, true},
        {"a link to a file not made yet", [] { mkdir("d", 0700); symlink("d/new.pref", "Vulkora.pref"); }, false, 0,
         "d/new.pref", 55, false, true},
    };
    rlimit saved{}, small{};
    getrlimit(RLIMIT_FSIZE, &saved);
    small = saved;
    small.rlim_cur = 100;
    std::signal(SIGXFSZ, SIG_IGN);
    for (const auto& c : cases) {
        ScratchDir dir;
        c.arrange();
        Prefs p;
        p.tesselation = 55;
        if (c.fullDisk) setrlimit(RLIMIT_FSIZE, &small);  // the write itself fails, as on a full disk
        EXPECT_EQ(savePrefs(p, "Vulkora"), c.result) << c.what;
        setrlimit(RLIMIT_FSIZE, &saved);
        std::string bytes = readFile(*c.holder ? c.holder : "Vulkora.pref");
        EXPECT_EQ(bytes.size(), *c.holder ? 348u : 0u) << c.what;
        EXPECT_TRUE(!*c.holder || wordAt(bytes, 52) == c.tesselation) << c.what;
        EXPECT_EQ(access("Vulkora.pref.tmp", F_OK) == 0, c.tempLeft) << c.what;
        struct stat st {};
        EXPECT_EQ(lstat("Vulkora.pref", &st) == 0 && S_ISLNK(st.st_mode), c.link) << c.what;
    }
    EXPECT_EQ(savePrefs(Prefs(), "/nonexistent-dir/Vulkora"), 1);
}

// Whole files of one absurd value: every setting ends up finite and usable, unused words pass through.
TEST(PrefsFile, AbsurdValuesAreBroughtIntoRange) {
    // Each fill is written into every word, as a float's bits or as an int.
    const struct { const char* name; float f; int32_t i; bool asFloat; } fills[] = {
        {"zero", 0.0f, 0, true}, {"most negative", -FLT_MAX, 0, true}, {"tiniest", 1e-45f, 0, true},
        {"huge", 1e30f, 0, true}, {"int max", 0, INT_MAX, false}, {"int min", 0, INT_MIN, false},
    };
    for (const auto& fill : fills) {
        ScratchDir dir;
        Prefs absurd;
        auto* words = reinterpret_cast<int32_t*>(&absurd);
        for (int w = 1; w < 87; ++w) fill.asFloat ? (void)std::memcpy(&words[w], &fill.f, 4) : (void)(words[w] = fill.i);
        writeFile("Vulkora.pref", bytesOf(absurd));
        Prefs p;
        ASSERT_EQ(loadPrefs(p, "Vulkora"), 0) << fill.name;
        const struct { float value, low, high; } checks[] = {
            {p.fov, 1, 179}, {p.objectSize, 0.1f, 6}, {p.groundHeight, 0.1f, 4}, {p.noiseLevel, 0.01f, 50},
            {p.texMagX, 0.01f, 20}, {p.f9Value, 0.01f, 3}, {p.fade, 0.01f, 1}, {p.moveSpeed, 0.01f, 100},
            {p.cameraZ, -16 * p.objectSize, 16 * p.objectSize}, {p.lightParams[4], 0, 128},
            {p.lightParams[5], 0, 180}, {p.color[0], 0, 1}, {float(p.tesselation), 10, 80},
            {float(p.windowWidth), 1, 16384}, {float(p.blendMode0), 0, 8}, {float(p.lightmap), -63, 63},
            {float(p.arrowCountX), -1e6f, 1e6f}, {float(p.cameraMode), 0, 3}, {float(p.letterbox), 0, 6},
        };
        for (const auto& c : checks) {
            EXPECT_GE(c.value, c.low) << fill.name;
            EXPECT_LE(c.value, c.high) << fill.name;
        }
        EXPECT_EQ(p.reserved148, words[82]) << "unused words pass through";
    }
    // Not-a-number floats take the defaults, not a bound.
    ScratchDir dir;
    Prefs nan = distinctivePrefs();
    nan.fov = nan.groundHeight = nan.lightParams[5] = NAN;
    writeFile("Vulkora.pref", bytesOf(nan));
    Prefs p;
    ASSERT_EQ(loadPrefs(p, "Vulkora"), 0);
    EXPECT_FLOAT_EQ(p.fov, 50.0f);
    EXPECT_FLOAT_EQ(p.groundHeight, 1.0f);
    EXPECT_FLOAT_EQ(p.lightParams[5], 180.0f);
}
