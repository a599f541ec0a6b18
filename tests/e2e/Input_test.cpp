// Flying and clicking in the real program: scripted input in, the camera debug readout out.
#include "support/TestSupport.h"
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// At 0.1 s a frame the intro is over from frame 101; its pointer centre is (160, 120).
const char* kRun = "--window 320x240 --no-sound --fixed-step 0.1 --frames 205 --input-script s.txt --trace t.txt";

// Value of the readout line "<label> <number>" traced at a frame; NaN when there is none.
double readout(const std::vector<TraceLine>& messages, long frame, const std::string& label) {
    for (const TraceLine& t : messages)
        if (t.frame == frame && t.text.compare(0, label.size(), label) == 0)
            return std::atof(t.text.c_str() + t.text.rfind(' ') + 1);
    return NAN;
}

// The readout `label` changes by `change` from frame `from` to `to`.
struct InputRow { const char *fault, *script, *label; long from, to; double change; };
// Debug lines: "n" once shows cam x, four times pitch, five times heading. "v" steps 3 (after the intro) to 0, then 1.
// The held middle button stops the manual camera, so only a jump can move it.
const InputRow kRows[] = {
    {"a pointer movement turns the view once, measured from the window's centre",
     "103 key n\n103 key n\n103 key n\n103 key n\n103 key n\n110 key v\n111 key v\n120 motion 210 120\n",
     "heading", 119, 150, 5.0},
    {"entering manual mode neither takes the pointer's place as a turn nor widens the pitch",
     "103 key n\n103 key n\n103 key n\n103 key n\n110 motion 60 40\n112 key v\n130 key v\n", "pitch", 129, 131,
     0.0},
    {"opening and closing the popup in manual flight keeps the camera where it flew to",
     "103 key n\n110 key v\n111 key v\n112 special left\n120 special left up\n140 mouse middle down 160 120\n"
     "180 mouse right down 160 120\n181 mouse right up 160 120\n190 motion 170 130\n200 mouse right down 180 140\n"
     "201 mouse right up 180 140\n",
     "cam x", 199, 201, 0.0},
};

}  // namespace

TEST(InputRun, KeysClicksAndPointerMovesLeaveTheCameraAsAPersonExpects) {
    for (const InputRow& row : kRows) {
        ScratchDir dir(true);
        writeFile("s.txt", row.script);
        RunResult r = runVulkora(kRun);
        ASSERT_EQ(r.exitCode, 0) << row.fault << "\n" << r.output;
        auto messages = readTrace("t.txt", "message");
        double before = readout(messages, row.from, row.label), after = readout(messages, row.to, row.label);
        // Angles count the same a full turn apart.
        EXPECT_NEAR(std::remainder(after - before - row.change, 360.0), 0.0, 0.01)
            << row.fault << ": " << before << " -> " << after;
    }
}
