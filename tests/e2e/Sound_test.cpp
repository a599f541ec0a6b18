// End-to-end sound: the real program with sound disabled and on OpenAL's null output.
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <sstream>

namespace {

const char* kRun = "--window 320x240 --fixed-step 0.02 --trace t.txt ";

// The text after the kind of each "sound" trace line, prefixed by its frame number.
std::vector<std::string> soundLines() {
    std::vector<std::string> lines;
    std::stringstream in(readFile("t.txt"));
    for (std::string line; std::getline(in, line);) {
        std::stringstream fields(line);
        std::string frame, seconds, kind, text;
        fields >> frame >> seconds >> kind;
        std::getline(fields, text);
        if (kind == "sound") lines.push_back(frame + text);
    }
    return lines;
}

// Insert during the intro (ignored), Insert and DEL after it, and the intro replayed after the first eruption.
const char* kKeys = "5 special insert\n550 special insert\n600 key del\n1050 key \\\n1100 key esc\n";

}  // namespace

TEST(Sound, DisabledStartsNothingAndOnlyInsertAsksRegardless) {
    ScratchDir dir(true);
    writeFile("keys.txt", kKeys);
    RunResult r = runVulkora(std::string(kRun) + "--no-sound --frames 1300 --input-script keys.txt");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    // The Insert key asks without looking at the start-up setting; the sound system refuses.
    std::vector<std::string> expected = {"550 play hit.wav off"};
    EXPECT_EQ(soundLines(), expected);
    EXPECT_EQ(readFile("app.log").find("Snd:"), std::string::npos);
}

TEST(Sound, OnTheNullOutputEverySoundPlaysIn3DAroundTheCamera) {
    ScratchDir dir(true);
    writeFile("keys.txt", kKeys);
    setenv("ALSOFT_DRIVERS", "null", 1);
    RunResult r = runVulkora(std::string(kRun) + "--frames 1300 --input-script keys.txt");
    unsetenv("ALSOFT_DRIVERS");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output, readFile("app.log"));
    EXPECT_EQ(r.output.find("Snd:"), std::string::npos);
    std::vector<std::string> lines = soundLines();
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[0], "0 init 0 driver 0 3d 1");
    EXPECT_EQ(lines[1], "1 play thx2.wav 3d channel 0 at 0.00 0.00 -1.00");
    EXPECT_EQ(lines[2].rfind("550 play hit.wav 3d channel ", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3].rfind("600 play cricket2.wav 3d channel ", 0), 0u) << lines[3];
    EXPECT_EQ(lines[4].rfind("1001 play sample 3d channel ", 0), 0u) << lines[4];
    EXPECT_NE(lines[4].find(" at 0.00 0.00 0.00"), std::string::npos) << lines[4];
    // The replay key stops everything and the intro sound starts again on the next intro frame.
    EXPECT_EQ(lines[5], "1050 stop all");
    EXPECT_EQ(lines[6].rfind("1050 play thx2.wav 3d channel 0 at 0.00 0.00 -1.00", 0), 0u) << lines[6];
    EXPECT_EQ(lines[7], "1100 stop all");  // every key of the exit fade stops the sounds
    EXPECT_EQ(lines.back().substr(lines.back().find(' ')), " close");
}
