// Bitmap decoding: header fields, size limits, alpha key, texel layout and malformed files.
#include <gtest/gtest.h>

#include "BmpTestFiles.h"
#include "gfx/BmpLoader.h"
#include "support/TestSupport.h"

namespace {

DecodedBmp decodeBytes(const std::string& bytes, int alphaKey = -1, int keyThreshold = 0,
                       BmpTexels format = BmpTexels::Rgba) {
    writeFile("test.bmp", bytes);
    return decodeBmp("test.bmp", alphaKey, keyThreshold, format);
}

}  // namespace

TEST(BmpLoader, AlphaKeyRule) {
    struct Case {
        int r, g, b, key, threshold, alpha;
    };
    const Case cases[] = {
        {255, 255, 255, -1, 0, 255}, {0, 0, 0, -1, 0, 0},       {30, 60, 90, -1, 0, 60},   {0, 0, 0, 255, 0, 255},
        {10, 10, 10, 200, 16, 0},    {15, 15, 16, 200, 16, 200}, {3, 3, 3, 0x1ff, 0, 255},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bmpAlpha(c.r, c.g, c.b, c.key, c.threshold), c.alpha) << c.r << "," << c.g << "," << c.b;
    }
}

TEST(BmpLoader, FullSizeImageLoadsBottomRowFirst) {
    ScratchDir dir;
    const DecodedBmp image = decodeBytes(bmpFile(256, 256, countingPixels(65536)));
    ASSERT_EQ(image.result, 0);
    EXPECT_EQ(image.width, 256);
    EXPECT_EQ(image.height, 256);
    for (int i : {0, 1, 255, 256, 65535}) {
        const uint8_t* t = &image.texels[i * 4];
        EXPECT_EQ(t[0], 255 - (i & 255));
        EXPECT_EQ(t[1], (i >> 8) & 255);
        EXPECT_EQ(t[2], i & 255);
        EXPECT_EQ(t[3], (t[0] + t[1] + t[2]) / 3);
    }
}

TEST(BmpLoader, SizeLimitsReturnTwoAndAMissingFileOne) {
    ScratchDir dir;
    struct Case {
        uint32_t width, height;
        int result;
    };
    const Case cases[] = {{257, 256, 2}, {65535, 65535, 2}, {0, 16, 2}, {65535, 1, 0}, {256, 256, 0}};
    for (const Case& c : cases) {
        // No pixel data: an accepted size reads as zero texels, a refused one never reaches the buffer.
        EXPECT_EQ(decodeBytes(bmpFile(c.width, c.height, "")).result, c.result) << c.width << "x" << c.height;
    }
    EXPECT_EQ(decodeBytes(bmpFile(257, 256, countingPixels(257 * 256))).texels, nullptr);
    EXPECT_EQ(decodeBmp("no-such-file.bmp", -1, 0, BmpTexels::Rgba).result, 1);
}

TEST(BmpLoader, NonSquareRowStrideAndSixteenBitFields) {
    ScratchDir dir;
    // The upper halves of both 32-bit fields are set and must be ignored.
    const DecodedBmp image = decodeBytes(bmpFile(0x00010080u, 0xffff0040u, countingPixels(128 * 64)), 255, 0);
    ASSERT_EQ(image.result, 0);
    EXPECT_EQ(image.width, 128);
    EXPECT_EQ(image.height, 64);
    const int x = 5, y = 40, i = y * 128 + x;
    const uint8_t* t = &image.texels[i * 4];
    EXPECT_EQ(t[0], 255 - (i & 255));
    EXPECT_EQ(t[1], (i >> 8) & 255);
    EXPECT_EQ(t[2], i & 255);
    EXPECT_EQ(t[3], 255);
}

TEST(BmpLoader, ShortFileLeavesMissingTexelsZero) {
    ScratchDir dir;
    // Five whole pixels and one stray byte of a 4 x 4 image, with every pixel opaque by the key.
    const DecodedBmp image = decodeBytes(bmpFile(4, 4, countingPixels(5) + "x"), 255, 0);
    ASSERT_EQ(image.result, 0);
    EXPECT_EQ(image.texels[4 * 4 + 3], 255);
    for (int i = 5 * 4; i < 16 * 4; ++i) EXPECT_EQ(image.texels[i], 0) << i;
    // A header cut off before the height field reads height 0.
    EXPECT_EQ(decodeBytes(bmpFile(4, 4, "").substr(0, 21)).result, 2);
    EXPECT_EQ(decodeBytes("").result, 2);
}
