// End-to-end run of the real program: the first eruption cycle followed through its trace, its sounds and the
// flash it throws over the summit (the pictures of every universe are the golden tour's).
#include "support/TestSupport.h"
#include <cstdlib>
#include <string>
#include <vector>
#include <gtest/gtest.h>

namespace {

// Mean brightness of the middle quarter of a picture, where the orbiting camera shows the summit.
double middleBrightness(const std::string& file) {
    int w = 0, h = 0, n = 0; double sum = 0; std::vector<unsigned char> rgb;
    if (!readPng(file, w, h, rgb)) return -1;
    for (int y = h * 3 / 8; y < h * 5 / 8; ++y)
        for (int x = w * 3 / 8; x < w * 5 / 8; ++x, ++n)
            for (int k = 0; k < 3; ++k) sum += rgb[3 * (y * w + x) + k];
    return sum / 3 / n;
}

}  // namespace

// Sound plays on OpenAL's null output: Insert during the intro (ignored), Insert and DEL after it, and after
// the first heal the intro replayed and the exit begun. Steps of 0.04 s halve the frames of the cycle.
TEST(VolcanoRun, TheFirstEruptionCycleWithItsSoundsAndFlash) {
    ScratchDir dir(true);
    writeFile("keys.txt", "3 special insert\n275 special insert\n300 key del\n773 key \\\n775 key esc\n");
    setenv("ALSOFT_DRIVERS", "null", 1);
    RunResult r = runVulkora("--window 320x240 --fixed-step 0.04 --frames 800 --trace t.txt "
                             "--input-script keys.txt --shot 505:flash.png --shot 770:quiet.png");
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
    const struct { long frame; const char *start, *end; } rows[] = {{0, "init 0 driver 0 3d 1", ""},
        {1, "play thx2.wav 3d channel 0 at 0.00 0.00 -1.00", ""}, {275, "play hit.wav 3d channel ", ""},
        {300, "play cricket2.wav 3d channel ", ""}, {501, "play sample 3d channel ", " at 0.00 0.00 0.00"},
        {773, "stop all", ""}, {773, "play thx2.wav 3d channel 0 at 0.00 0.00 -1.00", ""},  // the replay key
        {775, "stop all", ""}};  // every key of the exit fade stops the sounds
    for (const auto& s : rows) EXPECT_TRUE(heard(s.frame, s.start, s.end)) << s.frame << " " << s.start;
    EXPECT_FALSE(heard(3, "", "")); EXPECT_EQ(sounds.back().text, "close");
    // Frame 501 is the first with more than 20 s of real time; the first quiet frame varies the scene, then heals.
    std::string events;
    for (const TraceLine& t : readTrace("t.txt"))
        if (t.kind == "erupt" || t.kind == "heal" || t.kind == "vary") events += std::to_string(t.frame) + t.kind + " ";
    EXPECT_EQ(events, "501erupt 752vary 752heal ");
    const double flash = middleBrightness("flash.png");
    EXPECT_TRUE(flash > 150 && flash > middleBrightness("quiet.png") + 60) << "the flash washes the picture";
}
