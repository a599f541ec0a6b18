// End-to-end screen effects: the splinter's states from its key and from the shattering exit. Its pictures, from the
// captured still on, show in the golden run's frames.
#include "support/TestSupport.h"
#include <gtest/gtest.h>

TEST(Effects, SplinterKeyStartsAndEndsTheSplinterAndEscapeShattersTheExit) {
    ScratchDir dir(true);
    writeFile("keys.txt", "600 key x\n640 key x\n700 key esc\n");
    RunResult r = runVulkora("--window 400x300 --no-sound --fixed-step 0.02 --frames 900 --input-script keys.txt "
                             "--trace trace.txt");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    auto states = readTrace("trace.txt", "splinter");
    for (auto [frame, state] : {std::pair{600, "1"}, {600, "2"}, {640, "0"}, {700, "3"}, {700, "1"}, {700, "2"}})
        EXPECT_TRUE(traced(states, frame, state)) << frame << " " << state;
    auto layouts = readTrace("trace.txt", "splinter-layout");
    EXPECT_TRUE(layouts.size() == 2 && layouts[0].frame == 600);
}
