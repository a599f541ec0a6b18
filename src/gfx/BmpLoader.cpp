// Bitmap loading: decoding into the fixed texel buffer, then the upload into a Texture.
#include "gfx/BmpLoader.h"

#include <cstdio>
#include <cstring>

#include "scene/Texture.h"

namespace {

constexpr int kWidthOffset = 18;
constexpr int kHeightOffset = 22;
constexpr int kPixelOffset = 54;  // the header and nothing else precedes the pixels

uint8_t gPixelBytes[kMaxBmpPixels * 3];
uint8_t gTexels[kMaxBmpPixels * 4];

// Unsigned 16-bit little-endian field: the upper half of the 32-bit header field is not read.
int field16(const uint8_t* header, int offset) { return header[offset] + 256 * header[offset + 1]; }

void convertPixels(int pixelCount, int completePixels, int alphaKey, int keyThreshold, BmpTexels format) {
    const int stride = format == BmpTexels::Rgba ? 4 : 2;
    for (int i = 0; i < completePixels; ++i) {
        const uint8_t* bgr = &gPixelBytes[i * 3];
        uint8_t* texel = &gTexels[i * stride];
        const uint8_t alpha = bmpAlpha(bgr[2], bgr[1], bgr[0], alphaKey, keyThreshold);
        if (format == BmpTexels::Rgba) {
            texel[0] = bgr[2];
            texel[1] = bgr[1];
            texel[2] = bgr[0];
            texel[3] = alpha;
        } else {
            texel[0] = bgr[2];
            texel[1] = alpha;
        }
    }
    std::memset(&gTexels[completePixels * stride], 0, size_t(pixelCount - completePixels) * stride);
}

int uploadBmp(Texture& texture, const DecodedBmp& image, GLenum format, int mipmapped) {
    if (image.result != 0) return image.result;
    texture.upload(format, image.width, image.height, image.texels, mipmapped);
    return 0;
}

}  // namespace

uint8_t bmpAlpha(int red, int green, int blue, int alphaKey, int keyThreshold) {
    if (alphaKey < 0) return static_cast<uint8_t>((red + green + blue) / 3);
    const bool belowKey = red < keyThreshold && green < keyThreshold && blue < keyThreshold;
    return belowKey ? 0 : static_cast<uint8_t>(alphaKey & 0xff);
}

DecodedBmp decodeBmp(const char* fileName, int alphaKey, int keyThreshold, BmpTexels format) {
    FILE* file = std::fopen(fileName, "rb");
    if (!file) return {1, 0, 0, nullptr};
    uint8_t header[kPixelOffset] = {};  // bytes past the end of a short file stay 0
    const size_t headerBytes = std::fread(header, 1, sizeof header, file);
    const int width = field16(header, kWidthOffset);
    const int height = field16(header, kHeightOffset);
    // Both fields are at most 65535, so the product fits in 64 bits without overflow.
    const long long pixelCount = static_cast<long long>(width) * height;
    if (pixelCount == 0 || pixelCount > kMaxBmpPixels) {
        std::fclose(file);
        return {2, width, height, nullptr};
    }
    const size_t bytesRead =
        headerBytes == sizeof header ? std::fread(gPixelBytes, 1, size_t(pixelCount) * 3, file) : 0;
    std::fclose(file);
    convertPixels(int(pixelCount), int(bytesRead / 3), alphaKey, keyThreshold, format);
    return {0, width, height, gTexels};
}

int Texture::loadBmp(const char* fileName, int alphaKey, int keyThreshold, int mipmapped) {
    return uploadBmp(*this, decodeBmp(fileName, alphaKey, keyThreshold, BmpTexels::Rgba), GL_RGBA, mipmapped);
}

int Texture::loadBmpLumAlpha(const char* fileName, int alphaKey, int keyThreshold, int mipmapped) {
    return uploadBmp(*this, decodeBmp(fileName, alphaKey, keyThreshold, BmpTexels::LumAlpha), GL_LUMINANCE_ALPHA,
                     mipmapped);
}
