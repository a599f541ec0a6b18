// Bitmap decoding: header fields, size limits, alpha key, texel layout and malformed files.
#include "BmpTestFiles.h"
#include "gfx/BmpLoader.h"
#include "support/TestSupport.h"
#include <filesystem>
#include <gtest/gtest.h>

namespace {

DecodedBmp decodeBytes(const std::string& bytes, int alphaKey = -1, BmpTexels format = BmpTexels::Rgba) {
    writeFile("test.bmp", bytes);
    return decodeBmp("test.bmp", alphaKey, 0, format);
}

}  // namespace

TEST(BmpLoader, AlphaKeyRule) {
    const struct { int r, g, b, key, threshold, alpha; } cases[] = {
        {255, 255, 255, -1, 0, 255}, {0, 0, 0, -1, 0, 0},        {30, 60, 90, -1, 0, 60}, {0, 0, 0, 255, 0, 255},
        {10, 10, 10, 200, 16, 0},    {15, 15, 16, 200, 16, 200}, {16, 15, 15, 200, 16, 200}, {15, 16, 15, 200, 16, 200},
        {3, 3, 3, 0x1ff, 0, 255},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bmpAlpha(c.r, c.g, c.b, c.key, c.threshold), c.alpha) << c.r << "," << c.g << "," << c.b;
}

// Rows come bottom row first as stored; the upper halves of both 32-bit size fields are ignored.
TEST(BmpLoader, ImagesLoadInFileOrderWithTheirSizeAndKey) {
    ScratchDir dir;
    const struct { uint32_t widthField, heightField; int width, height, key, probes[3]; } cases[] = {
        {256, 256, 256, 256, -1, {1, 256, 65535}}, {0x00010080u, 0xffff0040u, 128, 64, 255, {0, 5125, 8191}}};
    for (const auto& c : cases) {
        const DecodedBmp image = decodeBytes(bmpFile(c.widthField, c.heightField, countingPixels(c.width * c.height)), c.key);
        ASSERT_EQ(image.result, 0);
        EXPECT_EQ(image.width * 1000 + image.height, c.width * 1000 + c.height);
        for (int i : c.probes) {
            const uint8_t* t = &image.texels[i * 4];
            EXPECT_EQ(t[0] + 1000 * t[1] + 1000000 * t[2], 255 - (i & 255) + 1000 * ((i >> 8) & 255) + 1000000 * (i & 255));
            EXPECT_EQ(t[3], c.key < 0 ? (t[0] + t[1] + t[2]) / 3 : c.key) << i;
        }
    }
    const DecodedBmp lum = decodeBytes(bmpFile(2, 1, countingPixels(2)), 255, BmpTexels::LumAlpha);
    EXPECT_EQ(lum.texels[0] * 1000000 + lum.texels[1] * 1000 + lum.texels[2], 255 * 1000000 + 255 * 1000 + 254);
}

TEST(BmpLoader, SizeLimitsShortFilesAndMissingFilesAndEveryFileIsClosed) {
    ScratchDir dir;
    const auto filesOpen = std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
    const struct { uint32_t width, height; int result; } cases[] = {
        {257, 256, 2}, {65535, 65535, 2}, {0, 16, 2}, {16, 0, 2}, {65535, 1, 0}, {256, 256, 0}};
    for (const auto& c : cases)  // no pixel data: an accepted size reads as zero texels
        EXPECT_EQ(decodeBytes(bmpFile(c.width, c.height, "")).result, c.result) << c.width << "x" << c.height;
    EXPECT_EQ(decodeBytes(bmpFile(257, 256, countingPixels(257 * 256))).texels, nullptr);
    EXPECT_EQ(decodeBmp("no-such-file.bmp", -1, 0, BmpTexels::Rgba).result, 1);
    // Five whole pixels and one stray byte of a 4 x 4 image, with every pixel opaque by the key, after a whole one.
    decodeBytes(bmpFile(4, 4, countingPixels(16)));
    const DecodedBmp image = decodeBytes(bmpFile(4, 4, countingPixels(5) + "x"), 255);
    ASSERT_EQ(image.result, 0);
    EXPECT_EQ(image.texels[4 * 4 + 3], 255);
    for (int i = 5 * 4; i < 16 * 4; ++i) EXPECT_EQ(image.texels[i], 0) << i;
    // A header cut off before the height field reads height 0.
    EXPECT_EQ(decodeBytes(bmpFile(4, 4, "").substr(0, 21)).result, 2);
    EXPECT_EQ(decodeBytes("").result, 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}), filesOpen) << "all closed";
}
