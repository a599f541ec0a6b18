// Full-screen lightmap: mask computation, upload, the layer description and the overlay quad.
#include "gfx/LightmapOverlay.h"
#include "core/AppContext.h"
#include "core/Clock.h"
#include "core/Prefs.h"
#include "core/Random.h"
#include "gfx/Screen.h"
#include "scene/Texture.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

enum Layer { kFilmNoise = 1, kLineNoise = 2, kPixelNoise = 4, kVignette = 8, kGratingX = 16, kGratingY = 32 };

const char* const kLayerNames[6] = {"X ", "Y ", "Z ", " Vignette ", " X-grating", " Y-grating"};

constexpr int kCentre = LightmapOverlay::kSize / 2;

// One buffer for every rebuild: the mask is rewritten in place, never allocated per frame.
uint8_t maskBuffer[LightmapOverlay::kMaskBytes];

int noiseOffset(int noise, int half) { return static_cast<int>(rnd(static_cast<float>(noise)) - half); }

float vignetteFactor(int x, int y, int radius) {
    int dx = x - kCentre, dy = y - kCentre;
    float d = std::sqrt(static_cast<float>(dx * dx + dy * dy)) / static_cast<float>(radius);
    float f = 1.0f - d * d;
    return f < 0.0f ? 0.0f : f;
}

}  // namespace

void computeLightmapMask(uint8_t* mask, int noise, int vignette, int flags) {
    const int size = LightmapOverlay::kSize;
    const int half = static_cast<int>(0.5f * noise);
    if (vignette < 1) vignette = 1;
    int colNoise[size] = {};
    if (flags & kFilmNoise)
        for (int x = 0; x < size; ++x) colNoise[x] = noiseOffset(noise, half);
    for (int y = 0; y < size; ++y) {
        int rowNoise = (flags & kLineNoise) ? noiseOffset(noise, half) : 0;
        uint8_t* texel = mask + 2 * size * y;
        for (int x = 0; x < size; ++x, texel += 2) {
            float m = 255.0f + static_cast<float>(colNoise[x] + rowNoise);
            if (flags & kPixelNoise) m += rnd(static_cast<float>(noise)) - static_cast<float>(half);
            m = m < 0.0f ? 0.0f : (m > 255.0f ? 255.0f : m);
            if (flags & kVignette) m *= vignetteFactor(x, y, vignette);
            if ((flags & kGratingX) && (x & 1)) m -= static_cast<float>(noise);
            if ((flags & kGratingY) && (y & 1)) m -= static_cast<float>(noise);
            if (m < 0.0f) m = 0.0f;
            texel[0] = texel[1] = static_cast<uint8_t>(m);
        }
    }
}

void rebuildLightmap(Texture& target, int noise, int vignette, int flags) {
    computeLightmapMask(maskBuffer, noise, vignette, flags);
    target.bind();
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, LightmapOverlay::kSize, LightmapOverlay::kSize, GL_LUMINANCE_ALPHA,
                    GL_UNSIGNED_BYTE, maskBuffer);
}

void describeLightmap(int flags, char* text, int size) {
    // A negative value is the same combination switched off.
    const int layers = std::abs(flags);
    int used = std::snprintf(text, static_cast<size_t>(size), "%d/64: ", layers);
    for (int bit = 0; bit < 6 && used < size; ++bit)
        if (layers & (1 << bit)) used += std::snprintf(text + used, static_cast<size_t>(size - used), "%s", kLayerNames[bit]);
}

void LightmapOverlay::update() {
    const Prefs& p = *gApp->prefs;
    if (p.lightmap <= 0) return;
    double now = gApp->clock->realSeconds;
    if (now - lastLightmapTime > p.lightmapRefresh && texture != nullptr) {
        lastLightmapTime = now;
        rebuildLightmap(*texture, static_cast<int>(40.0f * p.noiseLevel), static_cast<int>(100.0f * p.f9Value),
                        p.lightmap);
    }
    draw();
}

void LightmapOverlay::draw() {
    const Prefs& p = *gApp->prefs;
    const Screen& s = *gApp->screen;
    texRepeat[0] = p.lightmapX;
    texRepeat[1] = p.lightmapY;
    extent.x = position.x = static_cast<float>(s.width) / 2.0f;
    extent.y = position.y = static_cast<float>(s.height) / 2.0f;
    SceneObject::draw();
}
