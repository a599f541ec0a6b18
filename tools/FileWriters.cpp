// BMP and WAV writers: byte layout by hand so every run gives the same bytes.
#include "FileWriters.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

void putTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

uint8_t toByte(float v) { return uint8_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

}  // namespace

void Image::set(int x, int y, float r, float g, float b) {
    uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
    p[0] = toByte(r);
    p[1] = toByte(g);
    p[2] = toByte(b);
}

bool writeBmp(const std::string& path, const Image& image) {
    const uint32_t pixelBytes = uint32_t(image.width) * image.height * 3;
    std::vector<uint8_t> out;
    out.insert(out.end(), {'B', 'M'});
    put32(out, 54 + pixelBytes);  // file size
    put32(out, 0);                // reserved
    put32(out, 54);               // pixel data offset
    put32(out, 40);               // info header size
    put32(out, image.width);
    put32(out, image.height);
    put16(out, 1);   // planes
    put16(out, 24);  // bits per pixel
    put32(out, 0);   // no compression
    put32(out, pixelBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.at(x, y);
            out.insert(out.end(), {p[2], p[1], p[0]});
        }
    }
    return writeBytes(path, out);
}

bool writeWav(const std::string& path, const std::vector<float>& samples, int sampleRate) {
    const uint32_t dataBytes = uint32_t(samples.size()) * 2;
    std::vector<uint8_t> out;
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, sampleRate);
    put32(out, sampleRate * 2);
    put16(out, 2);
    put16(out, 16);
    putTag(out, "data");
    put32(out, dataBytes);
    for (float s : samples) {
        const long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        put16(out, uint16_t(int16_t(v)));
    }
    return writeBytes(path, out);
}

bool writePng(const std::string& path, const Image& image, const std::vector<uint8_t>& alpha) {
    std::vector<uint8_t> rgba(alpha.size() * 4);
    for (size_t i = 0; i < alpha.size(); ++i) {
        std::copy_n(&image.rgb[i * 3], 3, &rgba[i * 4]);
        rgba[i * 4 + 3] = alpha[i];
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = uint32_t(image.width);
    png.height = uint32_t(image.height);
    png.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&png, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
}
