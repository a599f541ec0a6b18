// End-to-end screen effects: the splinter states and its still.
#include "support/TestSupport.h"
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// At least 256 rows, so that the splinter still (captured in the lower-left 256 x 256 pixels) is all picture.
constexpr int kW = 400, kH = 300;

// Summed brightness of each row of a screenshot, centred on zero; empty if the file is not a kW x kH picture.
std::vector<double> rowProfile(const std::string& file) {
    std::vector<unsigned char> rgb;
    int w = 0, h = 0;
    if (!readPng(file, w, h, rgb) || w != kW || h != kH) return {};
    std::vector<double> rows(kH, 0.0);
    for (int i = 0; i < kW * kH * 3; ++i) rows[i / (3 * kW)] += rgb[i];
    double mean = 0;
    for (double v : rows) mean += v / kH;
    for (double& v : rows) v -= mean;
    rows.push_back(mean);  // the mean row brightness last
    return rows;
}

}  // namespace

TEST(Effects, SplinterKeyCapturesShowsTheStillAndEndsAndEscapeShattersTheExit) {
    ScratchDir dir(true);
    writeFile("keys.txt", "600 key x\n640 key x\n700 key esc\n");
    RunResult r = runVulkora("--window 400x300 --no-sound --fixed-step 0.02 --frames 900 --input-script keys.txt "
                             "--trace trace.txt --shot 600:still.png --shot 601:first.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    auto states = readTrace("trace.txt", "splinter");
    for (auto [frame, state] : {std::pair{600, "1"}, {600, "2"}, {640, "0"}, {700, "3"}, {700, "1"}, {700, "2"}})
        EXPECT_TRUE(traced(states, frame, state)) << frame << " " << state;
    auto layouts = readTrace("trace.txt", "splinter-layout");
    ASSERT_EQ(layouts.size(), 2u);
    EXPECT_EQ(layouts[0].frame, 600);
    // The first splinter frame shows the captured still, pieces barely moved: the same rows of sky and ground.
    std::vector<double> still = rowProfile("still.png"), first = rowProfile("first.png");
    ASSERT_TRUE(still.size() == kH + 1u && first.size() == kH + 1u);
    EXPECT_GT(first.back(), 0.6 * still.back());
    double ab = 0, aa = 0, bb = 0;
    for (int i = 0; i < kH; ++i) ab += still[i] * first[i], aa += still[i] * still[i], bb += first[i] * first[i];
    EXPECT_GT(ab / std::sqrt(aa * bb + 1e-9), 0.8) << "correlation of the row profiles";
}
