// End-to-end run of the real program: the intro row, the stars and the sun, then the first eruption cycle followed
// through its trace, its sounds and its pictures.
#include "support/TestSupport.h"
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <gtest/gtest.h>

namespace {

// Yellow is the sun; glowing, the orange-to-yellow lava and flash.
struct Counts { double meanBrightness = 0; int lit = 0, yellow = 0, glowing = 0; };

// Counts over the rows y0..y1 and columns x0..x1 of a picture, given as fractions of its size.
Counts count(const std::string& file, double x0, double x1, double y0, double y1) {
    int w = 0, h = 0; std::vector<unsigned char> rgb; Counts c;
    if (!readPng(file, w, h, rgb)) return c;
    int n = 0;
    for (int y = static_cast<int>(h * y0); y < h * y1; ++y)
        for (int x = static_cast<int>(w * x0); x < w * x1; ++x, ++n) {
            const unsigned char* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            c.meanBrightness += (p[0] + p[1] + p[2]) / 3.0; c.lit += p[0] + p[1] + p[2] > 150;
            c.yellow += p[0] > 150 && p[1] > 150 && p[2] < 80;
            c.glowing += p[0] > 220 && p[1] > 90 && p[1] < 230 && p[2] < 110;
        }
    c.meanBrightness /= n > 0 ? n : 1;
    return c;
}

}  // namespace

// Sound plays on OpenAL's null output: Insert during the intro (ignored), Insert and DEL after it, and after
// the first heal the intro replayed and the exit begun. Steps of 0.04 s halve the frames of the cycle.
TEST(VolcanoRun, IntroStarsAndSunThenTheFirstEruptionCycleWithItsSounds) {
    ScratchDir dir(true);
    writeFile("keys.txt", "3 special insert\n275 special insert\n300 key del\n773 key \\\n775 key esc\n");
    setenv("ALSOFT_DRIVERS", "null", 1);
    RunResult r = runVulkora("--window 320x240 --fixed-step 0.04 --frames 800 --trace t.txt "
                             "--input-script keys.txt --shot 325:stars.png --shot 288:sun1.png --shot 354:sun2.png "
                             "--shot 505:flash.png --shot 520:erupting.png --shot 770:quiet.png");
    unsetenv("ALSOFT_DRIVERS");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output, readFile("app.log")); EXPECT_EQ(r.output.find("Snd:"), std::string::npos);
    std::string scenes;  // 10.00 s is the intro's last moment
    for (const TraceLine& t : readTrace("t.txt", "scene")) scenes += std::to_string(t.frame) + ":" + t.text + " ";
    EXPECT_EQ(scenes, "0:0 251:1 773:0 ");

    // Ambient night sounds come at random times in between; each of these is looked up by its frame.
    std::vector<TraceLine> sounds = readTrace("t.txt", "sound");
    auto heard = [&sounds](long frame, const std::string& start, const std::string& end) {
        for (const TraceLine& t : sounds)
            if (t.frame == frame && t.text.rfind(start, 0) == 0 && t.text.find(end) != std::string::npos) return true;
        return false;
    };
    EXPECT_TRUE(traced(sounds, 0, "init 0 driver 0 3d 1"));
    EXPECT_TRUE(traced(sounds, 1, "play thx2.wav 3d channel 0 at 0.00 0.00 -1.00")); EXPECT_FALSE(heard(3, "", ""));
    EXPECT_TRUE(heard(275, "play hit.wav 3d channel ", ""));
    EXPECT_TRUE(heard(300, "play cricket2.wav 3d channel ", ""));
    EXPECT_TRUE(heard(501, "play sample 3d channel ", " at 0.00 0.00 0.00"));
    // The replay key stops everything and the intro sound starts again on the next intro frame.
    EXPECT_TRUE(traced(sounds, 773, "stop all"));
    EXPECT_TRUE(traced(sounds, 773, "play thx2.wav 3d channel 0 at 0.00 0.00 -1.00"));
    EXPECT_TRUE(traced(sounds, 775, "stop all"));  // every key of the exit fade stops the sounds
    EXPECT_EQ(sounds.back().text, "close");

    // Frame 501 is the first with more than 20 s of real time at 0.04 s a frame; the first quiet frame
    // varies the scene, then heals the cone.
    std::string events; int cx = 0, cy = 0;
    for (const TraceLine& t : readTrace("t.txt"))
        if (t.kind == "erupt" || t.kind == "heal" || t.kind == "vary") events += std::to_string(t.frame) + t.kind + " ";
    EXPECT_EQ(events, "501erupt 752vary 752heal ");
    ASSERT_EQ(std::sscanf(readTrace("t.txt", "erupt")[0].text.c_str(), "crater %d %d", &cx, &cy), 2);
    EXPECT_TRUE(cx >= 60 && cx <= 63 && cy >= 60 && cy <= 63) << cx << " " << cy;

    // The orbiting camera looks across the cone: the top quarter is sky, with stars and the sun crossing it.
    Counts stars = count("stars.png", 0, 1, 0, 0.25); EXPECT_GT(stars.lit, 100); EXPECT_LT(stars.lit, 320 * 60 / 5);
    EXPECT_GT(count("sun1.png", 0, 1, 0, 0.25).yellow + count("sun2.png", 0, 1, 0, 0.25).yellow, 3);
    // Then it looks at the summit, so the middle of the picture shows the eruption.
    Counts flash = count("flash.png", 0.375, 0.625, 0.375, 0.625);
    Counts quiet = count("quiet.png", 0.375, 0.625, 0.375, 0.625);
    EXPECT_GT(flash.meanBrightness, 150) << "the flash washes the picture";
    EXPECT_GT(flash.meanBrightness, quiet.meanBrightness + 60);
    EXPECT_GT(count("erupting.png", 0.375, 0.625, 0.375, 0.625).glowing, 10) << "the crater glows and lava flies";
    EXPECT_EQ(quiet.glowing, 0) << "nothing of the eruption is drawn in the quiet half";
}
