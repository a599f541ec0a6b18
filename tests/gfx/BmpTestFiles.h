// Builds bitmap files byte by byte for the loader tests.
#pragma once
#include <cstdint>
#include <string>

// A 54-byte header with the given 32-bit width and height fields, followed by `pixelBytes`.
inline std::string bmpFile(uint32_t widthField, uint32_t heightField, const std::string& pixelBytes) {
    std::string bytes(54, '\0');
    bytes[0] = 'B', bytes[1] = 'M', bytes[10] = 54, bytes[28] = 24;
    for (int i = 0; i < 4; ++i) {
        bytes[18 + i] = static_cast<char>(widthField >> (8 * i));
        bytes[22 + i] = static_cast<char>(heightField >> (8 * i));
    }
    return bytes + pixelBytes;
}

// Pixel bytes (B, G, R per pixel) where pixel i has B = i, G = i >> 8, R = 255 - (i & 255).
inline std::string countingPixels(int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes += {char(i & 255), char((i >> 8) & 255), char(255 - (i & 255))};
    return bytes;
}
