// PNG output through libpng.
#include "gfx/PngWriter.h"
#include <cstdio>
#include <png.h>

bool writePng(const char* fileName, int width, int height, const unsigned char* rgb) {
    FILE* file = std::fopen(fileName, "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    if (png && info && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = height - 1; y >= 0; --y)
            png_write_row(png, const_cast<png_bytep>(rgb + static_cast<size_t>(y) * width * 3));
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && ok;
}
