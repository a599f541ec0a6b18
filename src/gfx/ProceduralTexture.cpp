// The procedural texture generator: the pattern catalogue, the blob cloud and the uploads.
#include "gfx/ProceduralTexture.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/MathUtil.h"
#include "core/Random.h"
#include "gfx/Noise.h"
#include "scene/Texture.h"

namespace {

constexpr int kMaxTexels = 256 * 256;

uint8_t gTexelBytes[kMaxTexels * 4];
float gBlobSum[kMaxTexels];

// What distinguishes the variants; everything else is shared.
struct Layout {
    int width;
    int height;
    bool lumAlpha;
    bool oneD;
    bool hasCross;     // kind 13 exists
    float extent;      // half size used by kinds 5, 12 and 14
    int bandStart;     // kind 4: the band rises from this row...
    int bandEnd;       // ...and stops below this one
    float blobRadius;  // kind 6
    float blobSpread;  // kind 6: centres in [blobOffset, blobOffset + blobSpread)
    float blobOffset;
};

constexpr Layout kLayouts[] = {
    {128, 128, false, false, true, 64, 48, 65, 16, 96, 16},      // Rgba128
    {128, 128, true, false, false, 64, 48, 65, 16, 96, 16},      // LumAlpha128
    {256, 256, false, false, false, 128, 96, 129, 32, 192, 32},  // Rgba256
    {128, 1, false, true, false, 64, 0, 0, 16, 96, 16},          // Rgba1D
};

struct Texel {
    float r, g, b, a;
};

Texel grey(float v) { return {v, v, v, v}; }

const Texel kBlank = {0, 0, 0, 0};

// Kind 0: a soft spot with a random brightness spread; 256 wide has its own fixed fall-off.
float spot(const Layout& layout, float dx, float dy, float scale, int amount) {
    if (layout.width == 256) {
        const float d = std::min(std::sqrt(dx * dx + dy * dy) / 128, 1.0f);
        return (1 - d * d) * 234 + rnd(20);
    }
    float d = (layout.oneD ? dx : std::sqrt(dx * dx + dy * dy)) / scale;
    if (d > 1) d = 1;
    return (rnd(static_cast<float>(amount)) + (254 - amount)) * (1 - d * d);
}

Texel stars() {
    if (rnd(1) > 0.04f) return kBlank;
    const float r = rnd(128) + 127;
    const float g = rnd(128) + 127;
    const float b = rnd(128) + 127;
    return {r, g, b, 255};
}

Texel speckle() {
    const float r = rnd(1);
    if (r < 0.001f) return {0, 0, 0, 255};
    if (r < 0.002f) return {255, 255, 255, 255};
    const float red = rnd(127) + 127;
    return {red, 0.8f * red, 0.6f * red, 255};
}

float ring(float dx, float dy) {
    float d = std::sqrt(dx * dx + dy * dy) / 58;
    if (d > 1) d = 9 - 8 * d;
    return d >= 0 ? 255 * d : 0;
}

float wavyBand(const Layout& layout, int x, int y) {
    float w = y < layout.bandEnd ? (y - layout.bandStart) + std::sin(0.5f * x) + std::sin(1.1f * x) : 0;
    w = std::clamp(w, 0.0f, 16.0f);
    return cosInterp(0, 255, w / 16);
}

float pyramid(const Layout& layout, float dx, float dy) {
    const float e = layout.extent;
    return 255 * std::clamp(((e - std::fabs(dx)) / e) * ((e - std::fabs(dy)) / e), 0.0f, 1.0f);
}

Texel verticalBar(const Layout& layout, float dx) {
    const float v = std::clamp(std::sqrt(layout.extent - std::fabs(dx)) / 7, 0.0f, 1.0f);
    float a = 255 * v * v;
    if (rnd(255 - a) < 30) a = 255;
    return grey(a);
}

float roundedSquare(const Layout& layout, float dx, float dy) {
    const float u = std::max(std::fabs(dx) / layout.extent * 1.5f - 0.5f, 0.0f);
    const float w = layout.oneD ? 0 : std::max(std::fabs(dy) / layout.extent * 1.5f - 0.5f, 0.0f);
    return 254 * std::max(1 - std::sqrt(u * u + w * w), 0.0f);
}

// One texel of every kind but the blob cloud; the 1D row runs kinds along x alone.
Texel patternTexel(const Layout& layout, int kind, int x, int y, float scale, int amount) {
    const float dx = static_cast<float>(x - layout.width / 2);
    const float dy = static_cast<float>(y - layout.height / 2);
    const bool flat = !layout.oneD;  // kinds that exist only in two dimensions
    switch (kind) {
        case 0:
            return grey(spot(layout, dx, dy, scale, amount));
        case 1:
            return grey(255 - spot(layout, dx, dy, scale, amount));
        case 2:
            return grey((16 - std::sqrt(2.0f * (layout.oneD ? x : y))) * 15);
        case 3:
            return flat ? grey(ring(dx, dy)) : kBlank;
        case 4:
            return flat ? grey(wavyBand(layout, x, y)) : kBlank;
        case 5:
            return flat ? grey(pyramid(layout, dx, dy)) : kBlank;
        case 7:
            return stars();
        case 8:
            return grey(255.0f * ((x / 8 % 2) ^ (layout.oneD ? 0 : y / 8 % 2)));
        case 9:
            return grey(x % 4 == 0 || (flat && y % 4 == 0) ? 255.0f : 0.0f);
        case 10:
            return speckle();
        case 11: {
            const float n = layout.oneD ? perlinNoise1D(x, scale, amount) : perlinNoise2D(x, y, scale, amount);
            return grey((0.5f * n + 0.5f) * 255);
        }
        case 12:
            return flat ? verticalBar(layout, dx) : kBlank;
        case 13: {
            if (!layout.hasCross) return kBlank;
            const float v = spot(layout, dx, dy, scale, amount);
            if (std::abs(x - layout.width / 2) >= 20 && std::abs(y - layout.height / 2) >= 20) return grey(v);
            return {255, 0, 0, 255};
        }
        case 14:
            return grey(roundedSquare(layout, dx, dy));
        default:
            return kBlank;
    }
}

// Truncation toward zero; values outside the byte range are held at its ends.
uint8_t toByte(float v) { return static_cast<uint8_t>(std::clamp(v, 0.0f, 255.0f)); }

void storeTexel(const Layout& layout, int index, const Texel& t) {
    if (layout.lumAlpha) {
        gTexelBytes[index * 2] = toByte(t.r);
        gTexelBytes[index * 2 + 1] = toByte(t.a);
        return;
    }
    uint8_t* out = &gTexelBytes[index * 4];
    out[0] = toByte(t.r);
    out[1] = toByte(t.g);
    out[2] = toByte(t.b);
    out[3] = toByte(t.a);
}

// Centre coordinate of one blob: the square-root draw comes first.
float blobCentre(const Layout& layout) {
    const float root = std::sqrt(rnd(1));
    return std::trunc(rnd(layout.blobSpread) * root + layout.blobOffset);
}

// Kind 6: 64 cones summed, then scaled so that the densest texel is exactly 255.
void blobCloud(const Layout& layout) {
    const int count = layout.width * layout.height;
    std::fill(gBlobSum, gBlobSum + count, 0.0f);
    for (int blob = 0; blob < 64; ++blob) {
        const float cx = blobCentre(layout);
        const float cy = layout.oneD ? 0 : blobCentre(layout);
        for (int i = 0; i < count; ++i) {
            const float ox = i % layout.width - cx;
            const float oy = i / layout.width - cy;
            gBlobSum[i] += 1 - std::min(std::sqrt(ox * ox + oy * oy) / layout.blobRadius, 1.0f);
        }
    }
    const float maximum = *std::max_element(gBlobSum, gBlobSum + count);
    // In double, sum * 255 is exact, so the maximum texel divides back to exactly 255.
    for (int i = 0; i < count; ++i) storeTexel(layout, i, grey(static_cast<float>(gBlobSum[i] * 255.0 / maximum)));
}

}  // namespace

GeneratedTexels generateTexels(TextureVariant variant, int kind, float scale, int amount) {
    const Layout& layout = kLayouts[static_cast<int>(variant)];
    if (kind == 6) {
        blobCloud(layout);
    } else {
        for (int y = 0; y < layout.height; ++y) {
            for (int x = 0; x < layout.width; ++x)
                storeTexel(layout, y * layout.width + x, patternTexel(layout, kind, x, y, scale, amount));
        }
    }
    return {layout.width, layout.height, layout.lumAlpha ? 2 : 4, gTexelBytes};
}

static void uploadGenerated(Texture& texture, const GeneratedTexels& image, GLenum format, int mipmapped) {
    texture.upload(format, image.width, image.height, image.bytes, mipmapped);
}

void Texture::makeTexture(int kind, int mipmapped, float scale, int amount) {
    uploadGenerated(*this, generateTexels(TextureVariant::Rgba128, kind, scale, amount), GL_RGBA, mipmapped);
}

void Texture::makeTextureLumAlpha(int kind, int mipmapped, float scale, int amount) {
    uploadGenerated(*this, generateTexels(TextureVariant::LumAlpha128, kind, scale, amount), GL_LUMINANCE_ALPHA,
                    mipmapped);
}

void Texture::makeTexture256(int kind, int mipmapped, float scale, int amount) {
    uploadGenerated(*this, generateTexels(TextureVariant::Rgba256, kind, scale, amount), GL_RGBA, mipmapped);
}

void Texture::makeTexture1D(int kind, int mipmapped, float scale, int amount) {
    const GeneratedTexels image = generateTexels(TextureVariant::Rgba1D, kind, scale, amount);
    bind1D();
    setFilter1D(mipmapped);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA, image.width, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.bytes);
    if (mipmapped) gluBuild1DMipmaps(GL_TEXTURE_1D, 4, image.width, GL_RGBA, GL_UNSIGNED_BYTE, image.bytes);
}
