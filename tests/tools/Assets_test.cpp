// The generated image and sound files and the icon: format, sizes, seamless edges, glyph cells, levels, determinism.
#include <gtest/gtest.h>
#include <png.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/BmpLoader.h"
#include "support/TestSupport.h"

namespace {

const std::string kRunDir = VULKORA_RUN_DIR;

struct ImageFile {
    const char* name;
    int size;
};

const ImageFile kImages[] = {
    {"font_256.bmp", 256}, {"controls_128.bmp", 128}, {"sun_128.bmp", 128}, {"refl.bmp", 256}, {"cloudbw2128.bmp", 128},
    {"grass.bmp", 128},    {"water128.bmp", 128},     {"dirt128.bmp", 128}, {"ff.bmp", 256},   {"fr.bmp", 256},
    {"fb.bmp", 256},       {"fl.bmp", 256},           {"ft.bmp", 256},      {"f0.bmp", 256},
};

const char* const kSounds[] = {"explosion.wav", "hit.wav", "cricket2.wav", "wolf2.wav", "ethunder.wav", "thx2.wav"};

// RGBA texels of a run-directory image, bottom row first.
std::vector<uint8_t> load(const char* name, int alphaKey = 255) {
    const DecodedBmp image = decodeBmp((kRunDir + "/" + name).c_str(), alphaKey, 0, BmpTexels::Rgba);
    EXPECT_EQ(image.result, 0) << name;
    if (image.result != 0) return {};
    return std::vector<uint8_t>(image.texels, image.texels + image.width * image.height * 4);
}

int channel(const std::vector<uint8_t>& t, int size, int x, int y, int c) { return t[(y * size + x) * 4 + c]; }

// A line of pixels: pixel i is at (x + dx * i, y + dy * i).
struct Line {
    int x, y, dx, dy;
};

// Mean colour difference between the pixels of two lines of `size` pixels.
double meanDifference(const std::vector<uint8_t>& a, Line la, const std::vector<uint8_t>& b, Line lb, int size) {
    double sum = 0;
    for (int i = 0; i < size; ++i) {
        for (int c = 0; c < 3; ++c) {
            sum += std::abs(channel(a, size, la.x + la.dx * i, la.y + la.dy * i, c) -
                            channel(b, size, lb.x + lb.dx * i, lb.y + lb.dy * i, c));
        }
    }
    return sum / (size * 3);
}

Line column(int x) { return {x, 0, 0, 1}; }
Line row(int y) { return {0, y, 1, 0}; }

}  // namespace

TEST(Assets, EveryImageIsABmpOfItsSizeTheLoaderReads) {
    for (const ImageFile& file : kImages) {
        const DecodedBmp image = decodeBmp((kRunDir + "/" + file.name).c_str(), -1, 0, BmpTexels::Rgba);
        EXPECT_EQ(image.result, 0) << file.name;
        EXPECT_EQ(image.width, file.size);
        EXPECT_EQ(image.height, file.size);
    }
}

TEST(Assets, TilingTexturesWrapWithoutSeams) {
    for (const char* name : {"cloudbw2128.bmp", "grass.bmp", "water128.bmp", "dirt128.bmp"}) {
        const std::vector<uint8_t> t = load(name);
        ASSERT_FALSE(t.empty());
        // Step between neighbouring columns and rows: the step across the wrap is no larger than the
        // largest step inside the image.
        auto lineStep = [&t](int a, int b) {
            return meanDifference(t, column(a), t, column(b), 128) + meanDifference(t, row(a), t, row(b), 128);
        };
        double largest = 0;
        for (int a = 0; a < 127; ++a) largest = std::max(largest, lineStep(a, a + 1));
        EXPECT_LT(lineStep(127, 0), largest * 1.05) << name;
    }
}

TEST(Assets, SkyFacesMeetAtTheBoxEdges) {
    const int n = 256;
    const std::vector<uint8_t> front = load("ff.bmp"), right = load("fr.bmp"), back = load("fb.bmp"),
                               left = load("fl.bmp"), top = load("ft.bmp"), bottom = load("f0.bmp");
    // Rows are bottom-up: y = 0 is the bottom edge of a face. The top face's bottom edge meets the
    // front, its right edge the right face, its top edge the back (reversed), its left edge the left.
    struct Seam {
        const std::vector<uint8_t>& a;
        Line la;
        const std::vector<uint8_t>& b;
        Line lb;
    };
    const Seam seams[] = {
        {front, column(255), right, column(0)},   {right, column(255), back, column(0)},
        {back, column(255), left, column(0)},     {left, column(255), front, column(0)},
        {front, row(255), top, row(0)},           {right, row(255), top, column(255)},
        {back, row(255), top, {255, 255, -1, 0}}, {left, row(255), top, {0, 255, 0, -1}},
        {front, row(0), bottom, row(255)},
    };
    for (const Seam& s : seams) EXPECT_LT(meanDifference(s.a, s.la, s.b, s.lb, n), 4.0) << &s - seams;
}

TEST(Assets, FontHasInkInEveryPrintableCellOnly) {
    const std::vector<uint8_t> t = load("font_256.bmp", -1);
    ASSERT_FALSE(t.empty());
    for (int cell = 0; cell < 128; ++cell) {
        int ink = 0;
        const int x0 = cell % 16 * 16, y0 = (7 - cell / 16) * 32;  // row 0 is the top of the picture
        for (int y = y0; y < y0 + 32; ++y) {
            for (int x = x0; x < x0 + 16; ++x) ink = std::max(ink, channel(t, 256, x, y, 3));
        }
        const int code = cell + 32;
        if (code >= 33 && code <= 126)
            EXPECT_GT(ink, 200) << "code " << code;
        else
            EXPECT_EQ(ink, 0) << "code " << code;
    }
}

TEST(Assets, SoundsHaveMatchedLevelsWithoutClipping) {
    std::vector<double> rmsLevels;
    for (int i = 0; i < 6; ++i) {
        SF_INFO info{};
        SNDFILE* file = sf_open((kRunDir + "/" + kSounds[i]).c_str(), SFM_READ, &info);
        ASSERT_NE(file, nullptr) << kSounds[i];
        EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        std::vector<short> samples(info.frames * info.channels);
        EXPECT_EQ(sf_read_short(file, samples.data(), samples.size()), sf_count_t(samples.size()));
        sf_close(file);
        int peak = 0;
        double sum = 0;
        for (short s : samples) {
            peak = std::max(peak, std::abs(int(s)));
            sum += double(s) * s;
        }
        EXPECT_LT(peak, 32000) << kSounds[i];
        EXPECT_GT(peak, 8000) << kSounds[i];
        rmsLevels.push_back(std::sqrt(sum / samples.size()));
    }
    const auto [quiet, loud] = std::minmax_element(rmsLevels.begin(), rmsLevels.end());
    EXPECT_LT(*loud / *quiet, 4.0);
}

TEST(Assets, GeneratorWritesTheSameBytesEveryRun) {
    ScratchDir dir;
    // The build puts the generator in <build>/tools and its output in <build>/run.
    const std::string command = kRunDir + "/../tools/vulkora_assets " + dir.path;
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const ImageFile& file : kImages)
        EXPECT_EQ(readFile(file.name), readFile(kRunDir + "/" + file.name)) << file.name;
    for (const char* sound : kSounds) EXPECT_EQ(readFile(sound), readFile(kRunDir + "/" + sound)) << sound;
    EXPECT_EQ(readFile("vulkora.png"), readFile(kRunDir + "/vulkora.png"));
}

TEST(Assets, IconIsARoundBadgeWithAGlowingCraterUnderANightSky) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, (kRunDir + "/vulkora.png").c_str()));
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> t(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, t.data(), 0, nullptr));
    ASSERT_EQ(image.width, 128u);
    ASSERT_EQ(image.height, 128u);
    auto at = [&t](int x, int y, int c) { return t[(y * 128 + x) * 4 + c]; };  // top row first
    EXPECT_EQ(at(0, 0, 3) + at(127, 127, 3) + at(1, 64, 3), 0) << "transparent outside the badge";
    EXPECT_EQ(at(64, 4, 3), 255);
    EXPECT_GT(at(64, 60, 0) + at(64, 60, 1), 400) << "the crater glows yellow-orange";
    EXPECT_GT(at(64, 6, 2), at(64, 6, 0)) << "the night sky is blue";
    EXPECT_GT(at(64, 90, 0), at(64, 90, 2)) << "the cone is brown";
}
