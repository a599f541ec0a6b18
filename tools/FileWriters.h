// The two file formats the program reads, 24-bit bottom-up BMP and 16-bit PCM RIFF WAVE, and the icon's PNG.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// An RGB picture held top row first, 8 bits per channel.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    Image(int w, int h) : width(w), height(h), rgb(size_t(w) * h * 3, 0) {}
    // Stores a colour given as floats 0..1 (clamped, rounded).
    void set(int x, int y, float r, float g, float b);
    const uint8_t* at(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

// Writes the picture with a 54-byte header and rows bottom-up, no padding.
bool writeBmp(const std::string& path, const Image& image);

// Writes the picture with an opacity (0..255) per pixel as an 8-bit RGBA PNG.
bool writePng(const std::string& path, const Image& image, const std::vector<uint8_t>& alpha);

// Writes mono samples (-1..1, clamped) as 16-bit little-endian PCM.
bool writeWav(const std::string& path, const std::vector<float>& samples, int sampleRate);
