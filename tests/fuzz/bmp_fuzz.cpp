// Fuzz target: the bitmap loader, both texel formats, keyed and unkeyed alpha.
#include "fuzz/FuzzInput.h"
#include "gfx/BmpLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* file = writeFuzzInput(data, size, ".bmp");
    decodeBmp(file, -1, 0, BmpTexels::Rgba);
    decodeBmp(file, 255, 40, BmpTexels::LumAlpha);
    return 0;
}
