// End-to-end scene sequence: the intro row, the volcano row after ten seconds, stars and the sun in the real picture.
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Counts {
    int lit = 0;
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
        c.yellow += r > 150 && g > 150 && b < 80;
    }
    return c;
}

}  // namespace

TEST(SceneSequence, IntroRowThenStarsWithTheSunAfterTenSeconds) {
    ScratchDir dir(true);
    RunResult r = runVulkora(
        "--window 640x480 --no-sound --fixed-step 0.02 --frames 960 --trace trace.txt --shot 200:intro.png "
        "--shot 650:stars.png --shot 800:sun1.png --shot 950:sun2.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    auto scenes = readTrace("trace.txt", "scene");
    ASSERT_EQ(scenes.size(), 2u);
    EXPECT_TRUE(traced(scenes, 0, "0"));
    EXPECT_TRUE(traced(scenes, 501, "1")) << "10.00 s is the intro's last moment";
    Counts stars = countSkyPixels("stars.png");
    EXPECT_GT(stars.lit, 150);
    EXPECT_LT(stars.lit, 640 * 120 / 5);
    // The sun marks the orbiting light; it crosses the view of the orbiting camera.
    EXPECT_GT(countSkyPixels("sun1.png").yellow + countSkyPixels("sun2.png").yellow, 10);
}
