// End-to-end screen effects: the splinter states and its still.
#include "support/TestSupport.h"
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// At least 256 rows, so that the splinter still (captured in the lower-left 256 x 256 pixels) is all picture.
const char* kRun = "--window 400x300 --no-sound --fixed-step 0.02 ";
constexpr int kW = 400, kH = 300;

struct Picture {
    std::vector<unsigned char> rgb;
    bool ok = false;
    explicit Picture(const std::string& file) {
        int w = 0, h = 0;
        ok = readPng(file, w, h, rgb) && w == kW && h == kH;
    }
    int grey(int x, int y) const { return rgb[3 * (y * kW + x)] + rgb[3 * (y * kW + x) + 1] + rgb[3 * (y * kW + x) + 2]; }
    double mean() const {
        double sum = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) sum += grey(x, y);
        return sum / (kW * kH);
    }
    // Mean brightness of each row, centred on zero.
    std::vector<double> rowProfile() const {
        std::vector<double> out(kH, 0.0);
        double mean = 0;
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) out[y] += grey(x, y);
            mean += out[y] / kH;
        }
        for (double& v : out) v -= mean;
        return out;
    }
};

double correlation(const std::vector<double>& a, const std::vector<double>& b) {
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < a.size(); ++i) ab += a[i] * b[i], aa += a[i] * a[i], bb += b[i] * b[i];
    return ab / std::sqrt(aa * bb + 1e-9);
}

}  // namespace

TEST(Effects, SplinterKeyCapturesShowsTheStillAndEndsAndEscapeShattersTheExit) {
    ScratchDir dir(true);
    writeFile("keys.txt", "600 key x\n640 key x\n700 key esc\n");
    RunResult r = runVulkora(std::string(kRun) +
                             "--frames 900 --input-script keys.txt --trace trace.txt --shot 600:still.png "
                             "--shot 601:first.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    auto states = readTrace("trace.txt", "splinter");
    for (auto [frame, state] : {std::pair{600, "1"}, {600, "2"}, {640, "0"}, {700, "3"}, {700, "1"}, {700, "2"}})
        EXPECT_TRUE(traced(states, frame, state)) << frame << " " << state;
    auto layouts = readTrace("trace.txt", "splinter-layout");
    ASSERT_EQ(layouts.size(), 2u);
    EXPECT_EQ(layouts[0].frame, 600);
    // The first splinter frame shows the captured still, pieces barely moved: the same rows of sky and ground.
    Picture still("still.png"), first("first.png");
    ASSERT_TRUE(still.ok && first.ok);
    EXPECT_GT(first.mean(), 0.6 * still.mean());
    EXPECT_GT(correlation(still.rowProfile(), first.rowProfile()), 0.8);
}
