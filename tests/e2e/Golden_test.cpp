// One scripted tour of the program (the intro, every universe, polygon mode, lightmap, letterbox, texture mapping, help, menu,
// fade, an eruption, the splinter from its key and at the exit, camera modes) compared with the pictures and trace
// it gave when last approved. Pictures are compared as 5 x 5 pixel averages: they survive rounding in another
// rasteriser but not a line, a colour or a state gone wrong. VULKORA_UPDATE_GOLDEN=1 approves the current run.
#include "support/TestSupport.h"
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

const std::string kGolden = std::string(__FILE__).substr(0, std::string(__FILE__).rfind('/')) + "/golden/";
const int kShots[] = {60, 150, 240, 259, 270, 285, 300, 315, 325, 335, 355, 378, 405, 418, 428, 440, 455, 470,
                      481, 483, 495, 510, 530, 560, 620, 700, 725, 740, 760, 790};
constexpr int kW = 400, kH = 300, kCell = 5;

// The screenshot as cell averages, RGB, top row first; empty if it is not a kW x kH picture.
std::string thumbnail(const std::string& png) {
    int w = 0, h = 0; std::vector<unsigned char> rgb;
    if (!readPng(png, w, h, rgb) || w != kW || h != kH) return "";
    std::string cells(kW / kCell * kH / kCell * 3, '\0');
    for (size_t i = 0; i < cells.size(); ++i) {
        int cx = i / 3 % (kW / kCell), cy = i / 3 / (kW / kCell), sum = 0;
        for (int y = cy * kCell; y < cy * kCell + kCell; ++y)
            for (int x = cx * kCell; x < cx * kCell + kCell; ++x) sum += rgb[3 * (y * kW + x) + i % 3];
        cells[i] = static_cast<char>(sum / (kCell * kCell));
    }
    return cells;
}

// The trace without its real-time column.
std::string steps(const std::string& traceFile) {
    std::string out;
    for (const TraceLine& l : readTrace(traceFile)) out += std::to_string(l.frame) + ' ' + l.kind + ' ' + l.text + '\n';
    return out;
}

}  // namespace

TEST(Golden, TheTourLooksAndRunsAsApproved) {
    ScratchDir dir(true);
    std::string shots;
    for (int f : kShots) shots += " --shot " + std::to_string(f) + ":" + std::to_string(f) + ".png";
    RunResult r = runVulkora("--window 400x300 --no-sound --fixed-step 0.04 --frames 800 --input-script " + kGolden +
                             "tour.txt --trace trace.txt" + shots);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    bool approve = getenv("VULKORA_UPDATE_GOLDEN") != nullptr;
    if (approve) writeFile(kGolden + "tour-trace.txt", steps("trace.txt"));
    EXPECT_EQ(steps("trace.txt"), readFile(kGolden + "tour-trace.txt"));
    for (int f : kShots) {
        std::string now = thumbnail(std::to_string(f) + ".png"), approved = kGolden + std::to_string(f) + ".cells";
        std::string then = approve ? (writeFile(approved, now), now) : readFile(approved);
        ASSERT_EQ(now.size(), then.size()) << "frame " << f;
        int off = 0;
        for (size_t i = 0; i < now.size(); ++i) off += std::abs(uint8_t(now[i]) - uint8_t(then[i])) > 16;
        EXPECT_LE(off, 3) << "cells off in frame " << f;
    }
}
