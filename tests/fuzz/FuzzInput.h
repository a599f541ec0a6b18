// Fuzz harness help: the loaders read files, so each input is written to one scratch file first.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

inline const char* writeFuzzInput(const uint8_t* data, size_t size, const char* suffix) {
    static std::string path = "/tmp/vulkora-fuzz-" + std::to_string(getpid()) + suffix;
    if (FILE* file = std::fopen(path.c_str(), "wb")) std::fwrite(data, 1, size, file), std::fclose(file);
    return path.c_str();
}
