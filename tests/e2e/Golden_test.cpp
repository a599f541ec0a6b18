// Scripted tours of the program compared with the pictures and trace they gave when last approved. Each tour is a
// folder in golden/: its input script, whose comment lines give the run's options ("# run ..."), the frames shot
// ("# shots ...") and a preferences file to start from ("# prefs ..."), then one .cells file per shot, the trace and
// the preferences file the tour left.
// Pictures are compared as 5 x 5 pixel averages: they survive rounding in another rasteriser but not a line, a
// colour or a state gone wrong. VULKORA_UPDATE_GOLDEN=1 approves the current run.
#include "support/TestSupport.h"
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace {

const std::string kGolden = std::string(__FILE__).substr(0, std::string(__FILE__).rfind('/')) + "/golden/";
constexpr int kCell = 5;

struct Tour { std::string options, prefs; std::vector<int> shots; };

Tour readTour(const std::string& script) {
    Tour tour;
    std::stringstream lines(readFile(script));
    for (std::string line, hash, key; std::getline(lines, line);) {
        std::stringstream words(line);
        words >> hash >> key;
        if (hash == "#" && key == "run") std::getline(words, tour.options);
        if (hash == "#" && key == "prefs") words >> tour.prefs;
        for (int f; hash == "#" && key == "shots" && words >> f;) tour.shots.push_back(f);
    }
    return tour;
}

// The screenshot as cell averages, RGB, top row first.
std::string thumbnail(const std::string& png) {
    int w = 0, h = 0; std::vector<unsigned char> rgb;
    if (!readPng(png, w, h, rgb)) return "";
    std::string cells(w / kCell * (h / kCell) * 3, '\0');
    for (size_t i = 0; i < cells.size(); ++i) {
        int cx = i / 3 % (w / kCell), cy = i / 3 / (w / kCell), sum = 0;
        for (int y = cy * kCell; y < cy * kCell + kCell; ++y)
            for (int x = cx * kCell; x < cx * kCell + kCell; ++x) sum += rgb[3 * (y * w + x) + i % 3];
        cells[i] = static_cast<char>(sum / (kCell * kCell));
    }
    return cells;
}

}  // namespace

class Golden : public testing::TestWithParam<const char*> {};

TEST_P(Golden, TheTourLooksAndRunsAsApproved) {
    ScratchDir dir(true);
    const std::string folder = kGolden + GetParam() + "/";
    Tour tour = readTour(folder + "script.txt");
    if (!tour.prefs.empty()) writeFile("Vulkora.pref", readFile(folder + tour.prefs));
    std::string shots;
    for (int f : tour.shots) shots += " --shot " + std::to_string(f) + ":" + std::to_string(f) + ".png";
    // Sound goes to the null output, so that its switches and requests are there to trace.
    RunResult r = runVulkora(tour.options + " --input-script " + folder + "script.txt --trace trace.txt" + shots,
                             "ALSOFT_DRIVERS=null");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    bool approve = getenv("VULKORA_UPDATE_GOLDEN") != nullptr;
    // The trace leaves out the sound channel a play request finds free: the null output plays in real time.
    const std::string trace = std::regex_replace(traceSteps("trace.txt"), std::regex(" channel \\d+"), "");
    if (approve) writeFile(folder + "trace.txt", trace);
    EXPECT_EQ(trace, readFile(folder + "trace.txt"));
    const std::string saved = readFile("Vulkora.pref");  // every setting as the tour last saved or loaded it
    if (approve && !saved.empty()) writeFile(folder + "saved.pref", saved);
    EXPECT_TRUE(saved == readFile(folder + "saved.pref")) << "the preferences file";
    for (int f : tour.shots) {
        std::string now = thumbnail(std::to_string(f) + ".png"), approved = folder + std::to_string(f) + ".cells";
        std::string then = approve ? (writeFile(approved, now), now) : readFile(approved);
        ASSERT_EQ(now.size(), then.size()) << "frame " << f;
        int off = 0;
        for (size_t i = 0; i < now.size(); ++i) off += std::abs(uint8_t(now[i]) - uint8_t(then[i])) > 16;
        EXPECT_LE(off, 3) << "cells off in frame " << f;
    }
}

INSTANTIATE_TEST_SUITE_P(Tours, Golden, testing::Values("tour", "menus", "settings"));
