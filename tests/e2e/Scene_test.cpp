// End-to-end scene sequence: the intro row, the volcano row after ten seconds, stars and the sun in the real picture.
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Counts {
    int lit = 0;
    int nonBlack = 0;  // the sky box's dark land included
    int yellow = 0;
};

// Counts the top quarter of the picture: the orbiting camera looks across the cone, so that part is sky.
Counts countSkyPixels(const std::string& file) {
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;
    Counts c;
    if (!readPng(file, w, h, rgb)) return c;
    for (size_t i = 0; i + 2 < rgb.size() / 4; i += 3) {
        int r = rgb[i], g = rgb[i + 1], b = rgb[i + 2];
        c.lit += r + g + b > 150;
        c.nonBlack += r + g + b > 20;
        c.yellow += r > 150 && g > 150 && b < 80;
    }
    return c;
}

// Frame number of the first trace line of the given kind and text, or -1.
long traceFrameOf(const std::string& trace, const std::string& kindAndText) {
    std::istringstream lines(trace);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        long frame = 0;
        double seconds = 0;
        words >> frame >> seconds;
        std::string rest;
        std::getline(words, rest);
        if (rest == " " + kindAndText) return frame;
    }
    return -1;
}

}  // namespace

TEST(SceneSequence, IntroRowThenStarsWithTheSunAfterTenSeconds) {
    ScratchDir dir(true);
    RunResult r = runVulkora(
        "--window 640x480 --no-sound --fixed-step 0.02 --frames 960 --trace trace.txt --shot 200:intro.png "
        "--shot 650:stars.png --shot 800:sun1.png --shot 950:sun2.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::string trace = readFile("trace.txt");
    EXPECT_EQ(traceFrameOf(trace, "scene 0"), 0);
    EXPECT_EQ(traceFrameOf(trace, "scene 1"), 501) << "10.00 s is the intro's last moment";
    Counts stars = countSkyPixels("stars.png");
    EXPECT_GT(stars.lit, 150);
    EXPECT_LT(stars.lit, 640 * 120 / 5);
    // The sun marks the orbiting light; it crosses the view of the orbiting camera.
    EXPECT_GT(countSkyPixels("sun1.png").yellow + countSkyPixels("sun2.png").yellow, 10);
}

TEST(SceneSequence, UniverseKeyShowsTheFixedAndTheMovableSkyBox) {
    ScratchDir dir(true);
    writeFile("keys.txt", "600 key u\n700 key u\n800 key u\n");  // stars -> fixed -> movable -> off
    RunResult r = runVulkora(
        "--window 640x480 --no-sound --fixed-step 0.02 --frames 820 --input-script keys.txt --shot 650:fixed.png "
        "--shot 750:movable.png --shot 815:off.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    // The dusk sky covers the whole sky where stars leave it mostly black (the title flies through it).
    const int all = 640 * 120;
    EXPECT_GT(countSkyPixels("fixed.png").nonBlack, all * 9 / 10);
    EXPECT_GT(countSkyPixels("movable.png").nonBlack, all * 9 / 10);
    EXPECT_LT(countSkyPixels("off.png").nonBlack, all / 10);
}
