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

const struct { const char* name; int size; } kImages[] = {
    {"font_256.bmp", 256}, {"controls_128.bmp", 128}, {"sun_128.bmp", 128}, {"refl.bmp", 256}, {"cloudbw2128.bmp", 128},
    {"grass.bmp", 128},    {"water128.bmp", 128},     {"dirt128.bmp", 128}, {"ff.bmp", 256},   {"fr.bmp", 256},
    {"fb.bmp", 256},       {"fl.bmp", 256},           {"ft.bmp", 256},      {"f0.bmp", 256},
};

const char* const kSounds[] = {"explosion.wav", "hit.wav", "cricket2.wav", "wolf2.wav", "ethunder.wav", "thx2.wav"};

// RGBA texels of a run-directory image, bottom row first.
std::vector<uint8_t> load(const std::string& name, int alphaKey = 255, int size = 0) {
    const DecodedBmp image = decodeBmp((kRunDir + "/" + name).c_str(), alphaKey, 0, BmpTexels::Rgba);
    EXPECT_EQ(image.result, 0) << name;
    EXPECT_TRUE(size == 0 || image.width * 1000 + image.height == size * 1001) << name;
    if (image.result != 0) return std::vector<uint8_t>(256 * 256 * 4);
    return std::vector<uint8_t>(image.texels, image.texels + image.width * image.height * 4);
}

// A line of pixels: pixel i is at (x + dx * i, y + dy * i).
struct Line {
    int x, y, dx, dy;
};
Line column(int x) { return {x, 0, 0, 1}; }
Line row(int y) { return {0, y, 1, 0}; }

// Mean colour difference between the pixels of two lines of `size` pixels.
double meanDifference(const std::vector<uint8_t>& a, Line la, const std::vector<uint8_t>& b, Line lb, int size) {
    double sum = 0;
    for (int i = 0; i < size; ++i)
        for (int c = 0; c < 3; ++c)
            sum += std::abs(a[((la.y + la.dy * i) * size + la.x + la.dx * i) * 4 + c] -
                            b[((lb.y + lb.dy * i) * size + lb.x + lb.dx * i) * 4 + c]);
    return sum / (size * 3);
}

}  // namespace

TEST(Assets, EveryImageHasItsSizeAndTheTilesAndSkyFacesMeetWithoutSeams) {
    for (const auto& file : kImages) load(file.name, -1, file.size);
    for (const char* name : {"cloudbw2128.bmp", "grass.bmp", "water128.bmp", "dirt128.bmp"}) {
        const std::vector<uint8_t> t = load(name);
        // The step across the wrap is no larger than the largest step between neighbouring columns and rows inside.
        auto step = [&t](int a, int b) {
            return meanDifference(t, column(a), t, column(b), 128) + meanDifference(t, row(a), t, row(b), 128);
        };
        double largest = 0;
        for (int a = 0; a < 127; ++a) largest = std::max(largest, step(a, a + 1));
        EXPECT_LT(step(127, 0), largest * 1.05) << name;
    }
    // Rows are bottom-up: y = 0 is the bottom edge of a face. The top face's bottom edge meets the
    // front, its right edge the right face, its top edge the back (reversed), its left edge the left.
    std::vector<uint8_t> f[6];
    for (int i = 0; i < 6; ++i) f[i] = load(std::string("f") + "frblt0"[i] + ".bmp");
    const std::vector<uint8_t>&front = f[0], &right = f[1], &back = f[2], &left = f[3], &top = f[4], &bottom = f[5];
    const struct { const std::vector<uint8_t>& a; Line la; const std::vector<uint8_t>& b; Line lb; } seams[] = {
        {front, column(255), right, column(0)},   {right, column(255), back, column(0)},
        {back, column(255), left, column(0)},     {left, column(255), front, column(0)},
        {front, row(255), top, row(0)},           {right, row(255), top, column(255)},
        {back, row(255), top, {255, 255, -1, 0}}, {left, row(255), top, {0, 255, 0, -1}},
        {front, row(0), bottom, row(255)},
    };
    for (const auto& s : seams) EXPECT_LT(meanDifference(s.a, s.la, s.b, s.lb, 256), 4.0) << &s - seams;
}

TEST(Assets, FontHasInkInEveryPrintableCellOnly) {
    const std::vector<uint8_t> t = load("font_256.bmp", -1);
    for (int cell = 0; cell < 128; ++cell) {
        int ink = 0;
        const int x0 = cell % 16 * 16, y0 = (7 - cell / 16) * 32;  // row 0 is the top of the picture
        for (int y = y0; y < y0 + 32; ++y)
            for (int x = x0; x < x0 + 16; ++x) ink = std::max<int>(ink, t[(y * 256 + x) * 4 + 3]);
        const int code = cell + 32;
        EXPECT_EQ(ink > 200, code >= 33 && code <= 126) << "code " << code;
        EXPECT_TRUE(ink > 200 || ink == 0) << "code " << code;
    }
}

TEST(Assets, SoundsHaveMatchedLevelsWithoutClipping) {
    std::vector<double> rmsLevels;
    for (const char* name : kSounds) {
        SF_INFO info{};
        SNDFILE* file = sf_open((kRunDir + "/" + name).c_str(), SFM_READ, &info);
        ASSERT_NE(file, nullptr) << name;
        EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        std::vector<short> samples(info.frames * info.channels);
        EXPECT_EQ(sf_read_short(file, samples.data(), samples.size()), sf_count_t(samples.size()));
        sf_close(file);
        int peak = 0;
        double sum = 0;
        for (short s : samples) peak = std::max(peak, std::abs(int(s))), sum += double(s) * s;
        EXPECT_TRUE(peak < 32000 && peak > 8000) << name << " peak " << peak;
        rmsLevels.push_back(std::sqrt(sum / samples.size()));
    }
    const auto [quiet, loud] = std::minmax_element(rmsLevels.begin(), rmsLevels.end());
    EXPECT_LT(*loud / *quiet, 4.0);
}

TEST(Assets, GeneratorWritesTheSameBytesEveryRunAndTheIconIsARoundBadgeWithAGlowingCraterUnderANightSky) {
    ScratchDir dir;
    // The build puts the generator in <build>/tools and its output in <build>/run.
    ASSERT_EQ(std::system((kRunDir + "/../tools/vulkora_assets " + dir.path).c_str()), 0);
    for (const auto& file : kImages) EXPECT_EQ(readFile(file.name), readFile(kRunDir + "/" + file.name)) << file.name;
    for (const char* sound : kSounds) EXPECT_EQ(readFile(sound), readFile(kRunDir + "/" + sound)) << sound;
    EXPECT_EQ(readFile("vulkora.png"), readFile(kRunDir + "/vulkora.png"));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, "vulkora.png"));
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> t(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, t.data(), 0, nullptr));
    ASSERT_EQ(image.width * 1000 + image.height, 128128u);
    auto at = [&t](int x, int y, int c) { return t[(y * 128 + x) * 4 + c]; };  // top row first
    EXPECT_EQ(at(0, 0, 3) + at(127, 127, 3) + at(1, 64, 3), 0) << "transparent outside the badge";
    EXPECT_EQ(at(64, 4, 3), 255);
    EXPECT_GT(at(64, 60, 0) + at(64, 60, 1), 400) << "the crater glows yellow-orange";
    EXPECT_GT(at(64, 6, 2), at(64, 6, 0)) << "the night sky is blue";
    EXPECT_GT(at(64, 90, 0), at(64, 90, 2)) << "the cone is brown";
}
