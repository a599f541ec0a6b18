// Reading 24-bit bitmap files into RGBA or luminance-alpha texels, with the alpha-key rule.
#pragma once
#include <cstdint>

constexpr int kMaxBmpPixels = 65536;

enum class BmpTexels { Rgba, LumAlpha };

// Result of decoding: `result` 0 loaded, 1 cannot open, 2 empty or larger than kMaxBmpPixels.
// `texels` points into the loader's one fixed buffer and stays valid until the next decode.
struct DecodedBmp {
    int result;
    int width;
    int height;
    const uint8_t* texels;
};

// Alpha of one pixel: the mean of the channels when alphaKey < 0, else 0 for a pixel darker than
// keyThreshold in all three channels and the low byte of alphaKey for any other.
uint8_t bmpAlpha(int red, int green, int blue, int alphaKey, int keyThreshold);

// Reads the file's width (offset 18), height (offset 22) and bottom-up pixels (offset 54) into
// texels with row stride = width. Pixels missing from a short file become all-zero texels.
DecodedBmp decodeBmp(const char* fileName, int alphaKey, int keyThreshold, BmpTexels format);
