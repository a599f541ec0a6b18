// The preferences file: exact bytes, round trip, short, missing, failed and hostile files.
#include "app/FileLocations.h"
#include "app/Globals.h"
#include "app/PrefsFile.h"
#include "app/Startup.h"
#include "support/TestSupport.h"
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST(PrefsFile, AFailedSaveKeepsTheOldFileAndReportsFailure) {
    ScratchDir dir;
    Prefs p;
    p.tesselation = 44;
    ASSERT_EQ(savePrefs(p, "Vulkora"), 0);
    std::string old = readFile("Vulkora.pref");
    // A directory where the temporary file would go makes the write fail; so does a missing folder.
    ASSERT_EQ(mkdir("Vulkora.pref.tmp", 0700), 0);
    p.tesselation = 55;
    EXPECT_EQ(savePrefs(p, "Vulkora"), 1);
    EXPECT_EQ(readFile("Vulkora.pref"), old);
    EXPECT_EQ(savePrefs(p, "/nonexistent-dir/Vulkora"), 1);
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
