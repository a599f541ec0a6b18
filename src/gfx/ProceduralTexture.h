// Generated sprite and mask patterns, computed texel by texel in the program's random order.
#pragma once
#include <cstdint>

// The four generator variants: 128 x 128 RGBA, 128 x 128 luminance-alpha, 256 x 256 RGBA, 128 x 1 RGBA.
enum class TextureVariant { Rgba128, LumAlpha128, Rgba256, Rgba1D };

// Texel bytes of one generated image, row stride = width. `bytes` points into the generator's one
// fixed buffer and stays valid until the next generation.
struct GeneratedTexels {
    int width;
    int height;
    int bytesPerTexel;  // 4 for RGBA, 2 for luminance-alpha
    const uint8_t* bytes;
};

// Pattern `kind` 0..14; a kind a variant lacks gives transparent black.
GeneratedTexels generateTexels(TextureVariant variant, int kind, float scale, int amount);
