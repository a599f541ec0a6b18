// End-to-end screen effects: the lightmap keys and picture, the splinter states and still, a random skip's roll.
#include "app/Globals.h"
#include "app/PrefsFile.h"
#include "app/Startup.h"
#include "support/TestSupport.h"
#include <cmath>
#include <gtest/gtest.h>
#include <sstream>
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
    int grey(int x, int y) const {
        const unsigned char* p = &rgb[3 * (y * kW + x)];
        return p[0] + p[1] + p[2];
    }
    double mean() const {
        double sum = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) sum += grey(x, y);
        return sum / (kW * kH);
    }
    // Mean difference of neighbouring columns relative to the brightness, over the ground in the lowest third:
    // high for a fine grating, low for the smooth terrain texture.
    double groundContrast() const {
        double diff = 0, sum = 0;
        for (int y = 2 * kH / 3; y < kH; ++y)
            for (int x = 0; x + 1 < kW; ++x) diff += std::abs(grey(x, y) - grey(x + 1, y)), sum += grey(x, y);
        return diff / sum;
    }
    // Mean brightness of each row (vertical) or column (horizontal).
    std::vector<double> profile(bool vertical) const {
        const int n = vertical ? kH : kW, m = vertical ? kW : kH;
        std::vector<double> out(n, 0.0);
        for (int i = 0; i < n; ++i)
            for (int k = 0; k < m; ++k) out[i] += vertical ? grey(k, i) : grey(i, k);
        return out;
    }
};

// The cyclic shift s that best maps `still` onto `moved` (moved[i] ~ still[i + s]), by normalised correlation.
int bestShift(const std::vector<double>& still, const std::vector<double>& moved, double& score) {
    const int n = static_cast<int>(still.size());
    auto centred = [n](std::vector<double> v) {
        double mean = 0;
        for (double x : v) mean += x / n;
        for (double& x : v) x -= mean;
        return v;
    };
    const std::vector<double> a = centred(still), b = centred(moved);
    int best = 0;
    score = -2;
    for (int s = 0; s < n; ++s) {
        double ab = 0, aa = 0, bb = 0;
        for (int i = 0; i < n; ++i) {
            const double x = a[(i + s) % n], y = b[i];
            ab += x * y, aa += x * x, bb += y * y;
        }
        const double c = ab / std::sqrt(aa * bb + 1e-9);
        if (c > score) score = c, best = s;
    }
    return best;
}

// Trace lines of one kind as (frame, text).
std::vector<std::pair<long, std::string>> traceOf(const std::string& kind) {
    std::vector<std::pair<long, std::string>> out;
    std::istringstream lines(readFile("trace.txt"));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        long frame = 0;
        std::string seconds, k, rest;
        words >> frame >> seconds >> k;
        std::getline(words, rest);
        if (k == kind) out.emplace_back(frame, rest.empty() ? rest : rest.substr(1));
    }
    return out;
}

bool traced(const std::vector<std::pair<long, std::string>>& lines, long frame, const std::string& text) {
    for (const auto& [f, t] : lines)
        if (f == frame && t == text) return true;
    return false;
}

}  // namespace

TEST(Effects, AltLStepsToAllLayersWhichDarkenAndStripeThePicture) {
    ScratchDir dir(true);
    std::string script = "505 modifiers alt\n";
    for (int f = 510; f < 573; ++f) script += std::to_string(f) + " key L\n";
    script += "575 modifiers none\n601 key L\n";
    writeFile("keys.txt", script);
    RunResult r = runVulkora(std::string(kRun) +
                             "--frames 610 --input-script keys.txt --trace trace.txt --shot 600:on.png --shot 601:off.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    auto messages = traceOf("message");
    EXPECT_TRUE(traced(messages, 510, "1/64: X ")) << "the layers first, then the switch";
    EXPECT_TRUE(traced(messages, 510, "Lightmap On"));
    EXPECT_TRUE(traced(messages, 572, "63/64: X Y Z  Vignette  X-grating Y-grating"));
    EXPECT_TRUE(traced(messages, 601, "Lightmap Off"));
    Picture on("on.png"), off("off.png");
    ASSERT_TRUE(on.ok && off.ok);
    // Vignette, gratings and noise take about 40 % of the light; one frame later the unmasked picture is back.
    EXPECT_LT(on.mean(), 0.75 * off.mean());
    EXPECT_GT(on.mean(), 0.35 * off.mean());
    EXPECT_GT(on.groundContrast(), 1.3 * off.groundContrast());
}

TEST(Effects, SplinterKeyCapturesShowsTheStillAndEndsAndEscapeShattersTheExit) {
    ScratchDir dir(true);
    writeFile("keys.txt", "600 key x\n640 key x\n700 key esc\n");
    RunResult r = runVulkora(std::string(kRun) +
                             "--frames 900 --input-script keys.txt --trace trace.txt --shot 600:still.png "
                             "--shot 601:first.png --shot 641:live.png");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    auto states = traceOf("splinter");
    EXPECT_TRUE(traced(states, 600, "1"));
    EXPECT_TRUE(traced(states, 600, "2"));
    EXPECT_TRUE(traced(states, 640, "0"));
    // The quit request bursts the picture: requested, captured and showing in the same frame.
    EXPECT_TRUE(traced(states, 700, "3"));
    EXPECT_TRUE(traced(states, 700, "1"));
    EXPECT_TRUE(traced(states, 700, "2"));
    ASSERT_EQ(traceOf("splinter-layout").size(), 2u);
    EXPECT_EQ(traceOf("splinter-layout")[0].first, 600);
    // The first splinter frame shows the captured still, pieces barely moved: the same rows of sky and ground.
    Picture still("still.png"), first("first.png");
    ASSERT_TRUE(still.ok && first.ok);
    EXPECT_GT(first.mean(), 0.6 * still.mean());
    double score = 0;
    int shift = bestShift(still.profile(true), first.profile(true), score);
    EXPECT_TRUE(shift <= 3 || shift >= kH - 3) << shift;
    EXPECT_GT(score, 0.8);
}

TEST(Effects, RandomSkipRollsTheStillByItsPhase) {
    ScratchDir dir(true);
    resetProgramState();
    initPref();
    prefs.skipInterval = 2.0f;  // one skip soon after program time passes 32 s, about 37 s of real time
    prefs.randomLightmap = 0;
    ASSERT_EQ(savePrefs(prefs, "Vulkora"), 0);
    std::string shots;
    for (int f = 1845; f <= 1915; ++f) shots += " --shot " + std::to_string(f) + ":s" + std::to_string(f) + ".png";
    RunResult r = runVulkora(std::string(kRun) + "--frames 1920 --trace trace.txt" + shots);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    auto skips = traceOf("skip");
    ASSERT_FALSE(skips.empty());
    const long start = skips[0].first;
    ASSERT_TRUE(start >= 1845 && start + 5 <= 1915) << start;
    const bool vertical = skips[0].second.rfind("vertical", 0) == 0;
    const int direction = skips[0].second.find("-1") != std::string::npos ? -1 : 1;
    auto states = traceOf("splinter");
    EXPECT_TRUE(traced(states, start, "2"));
    // Five frames of 0.02 s move the phase from 0.01 (or 1.01) to 0.21 (1.21): the picture rolls by 21 %.
    Picture still("s" + std::to_string(start) + ".png"), moved("s" + std::to_string(start + 5) + ".png");
    ASSERT_TRUE(still.ok && moved.ok);
    const int n = vertical ? kH : kW;
    double score = 0;
    const int shift = bestShift(still.profile(vertical), moved.profile(vertical), score);
    // Image rows run top down, so a roll up the window is a negative shift of the rows.
    const int roll = static_cast<int>(std::lround(0.21 * n)) * direction * (vertical ? -1 : 1);
    const int expected = (roll % n + n) % n;
    const int error = std::abs(shift - expected);
    EXPECT_LE(std::min(error, n - error), 3) << (vertical ? "vertical" : "horizontal") << " " << direction;
    EXPECT_GT(score, 0.8);
}
