// The preferences file: exact bytes, round trip, short, missing, failed, linked and hostile files.
#include "app/FileLocations.h"
#include "app/Globals.h"
#include "app/PrefsFile.h"
#include "app/Startup.h"
#include "support/TestSupport.h"
#include <cmath>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int32_t wordAt(const std::string& bytes, size_t offset) {
    int32_t v = 0;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
}

float floatAt(const std::string& bytes, size_t offset) {
    float v = 0;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
}

Prefs distinctivePrefs() {
    Prefs p;
    // Every word gets a value of its own, so a field at a wrong offset shows.
    auto* words = reinterpret_cast<int32_t*>(&p);
    for (int i = 1; i < 87; ++i) words[i] = 1000 + i;
    p.fov = 77.5f;
    p.groundHeight = 1.25f;
    p.splinterInterval = 31.0f;
    return p;
}

}  // namespace

TEST(PrefsFile, SavesTheRecordByteForByte) {
    ScratchDir dir;
    Prefs p = distinctivePrefs();
    p.tag[0] = 0;  // the header is always written with its own four bytes
    ASSERT_EQ(savePrefs(p, "Vulkora"), 0);
    std::string bytes = readFile("Vulkora.pref");
    ASSERT_EQ(bytes.size(), 348u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x98);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xD6);
    EXPECT_EQ(static_cast<unsigned char>(bytes[2]), 0x42);
    EXPECT_EQ(static_cast<unsigned char>(bytes[3]), 0x00);
    const struct { size_t offset; int32_t value; } ints[] = {
        {4, p.clearScreen}, {16, p.fullScreen}, {44, p.letterbox}, {52, p.tesselation}, {56, p.universe},
        {60, p.windowWidth}, {96, p.cameraMode}, {296, p.reserved128}, {300, p.randomClear}, {316, p.sceneUnderSplinter},
        {328, p.reserved148}};
    for (const auto& f : ints) EXPECT_EQ(wordAt(bytes, f.offset), f.value) << "offset " << f.offset;
    EXPECT_FLOAT_EQ(floatAt(bytes, 148), 77.5f);
    EXPECT_FLOAT_EQ(floatAt(bytes, 176), 1.25f);
    EXPECT_FLOAT_EQ(floatAt(bytes, 344), 31.0f);
    EXPECT_EQ(wordAt(bytes, 220), 1000 + 55);  // first of the nine unused words
}

TEST(PrefsFile, SaveAndLoadRestoreEveryFieldIncludingReservedWords) {
    ScratchDir dir;
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
    EXPECT_EQ(std::memcmp(&loaded, &saved, sizeof saved), 0);
    EXPECT_EQ(readFile("config/vulkora/Vulkora.pref").size(), 348u);
    EXPECT_EQ(loadPrefs(loaded, "Vulkora"), 1) << "nothing in the working directory";
}

TEST(PrefsFile, AShortFileChangesOnlyTheWordsItHolds) {
    ScratchDir dir;
    Prefs source = distinctivePrefs();
    source.tesselation = 40;
    writeFile("Vulkora.pref", std::string(reinterpret_cast<const char*>(&source), 100));
    Prefs target;
    target.tesselation = 33;
    target.fov = 12.0f;
    target.splinterInterval = 25.0f;
    ASSERT_EQ(loadPrefs(target, "Vulkora"), 0);
    EXPECT_EQ(target.tesselation, 40);  // word 13, inside the first 25
    EXPECT_EQ(target.cameraMode, source.cameraMode > 3 ? 3 : source.cameraMode);
    EXPECT_FLOAT_EQ(target.fov, 12.0f);  // word 37, beyond the file
    EXPECT_FLOAT_EQ(target.splinterInterval, 25.0f);
}

TEST(PrefsFile, AMissingFileReportsFailureAndChangesNothing) {
    ScratchDir dir;
    Prefs p = distinctivePrefs();
    Prefs before = p;
    EXPECT_EQ(loadPrefs(p, "Vulkora"), 1);
    EXPECT_EQ(std::memcmp(&p, &before, sizeof p), 0);
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

TEST(PrefsFile, AHostileFileIsBroughtIntoRange) {
    ScratchDir dir;
    Prefs hostile = distinctivePrefs();
    hostile.tesselation = 1 << 30;
    hostile.blendMode0 = -7;
    hostile.blendMode1 = 99;
    hostile.cameraMode = -3;
    hostile.letterbox = 1000;
    hostile.lightmap = -1000;
    hostile.windowWidth = 0;
    hostile.windowHeight = 1 << 20;
    hostile.fov = NAN;
    hostile.groundHeight = INFINITY;
    hostile.lightParams[5] = -INFINITY;
    writeFile("Vulkora.pref", std::string(reinterpret_cast<const char*>(&hostile), sizeof hostile));
    Prefs p;
    ASSERT_EQ(loadPrefs(p, "Vulkora"), 0);
    EXPECT_EQ(p.tesselation, 80);
    EXPECT_EQ(p.blendMode0, 0);
    EXPECT_EQ(p.blendMode1, 7);
    EXPECT_EQ(p.cameraMode, 0);
    EXPECT_EQ(p.letterbox, 6);
    EXPECT_EQ(p.lightmap, -63);
    EXPECT_EQ(p.windowWidth, 1);
    EXPECT_EQ(p.windowHeight, 16384);
    EXPECT_FLOAT_EQ(p.fov, 50.0f);
    EXPECT_FLOAT_EQ(p.groundHeight, 1.0f);
    EXPECT_FLOAT_EQ(p.lightParams[5], 180.0f);
    EXPECT_EQ(p.reserved148, hostile.reserved148);  // unused words pass through untouched
}
