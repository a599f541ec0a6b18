// The generator's files the same every run, and the icon's badge. The images show in the golden run's frames.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace {

const std::string kRunDir = VULKORA_RUN_DIR;

const char* const kImages[] = {"font_256.bmp", "controls_128.bmp", "sun_128.bmp", "refl.bmp", "cloudbw2128.bmp", "grass.bmp",
                               "water128.bmp", "dirt128.bmp", "ff.bmp", "fr.bmp", "fb.bmp", "fl.bmp", "ft.bmp", "f0.bmp"};
const char* const kSounds[] = {"explosion.wav", "hit.wav", "cricket2.wav", "wolf2.wav", "ethunder.wav", "thx2.wav"};

}  // namespace

TEST(Assets, GeneratorWritesTheSameBytesEveryRunAndTheIconIsARoundBadgeWithAGlowingCraterUnderANightSky) {
    ScratchDir dir;
    // The build puts the generator in <build>/tools and its output in <build>/run.
    ASSERT_EQ(std::system((kRunDir + "/../tools/vulkora_assets " + dir.path).c_str()), 0);
    for (const char* image : kImages) EXPECT_EQ(readFile(image), readFile(kRunDir + "/" + image)) << image;
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
