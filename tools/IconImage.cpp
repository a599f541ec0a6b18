// The desktop icon: a volcano erupting under a night sky, inside a round badge with soft edges.
#include <algorithm>
#include <cmath>

#include "Images.h"

namespace {

constexpr int kSize = 128;
constexpr int kSamples = 4;  // per axis, for smooth edges

struct Rgba {
    float r, g, b, a;
};

Rgba over(Rgba under, float r, float g, float b, float coverage) {
    const float k = std::clamp(coverage, 0.0f, 1.0f);
    return {under.r + (r - under.r) * k, under.g + (g - under.g) * k, under.b + (b - under.b) * k, under.a};
}

struct Point {
    float x, y;
};
// Lava bombs thrown out of the crater (each with a short trail pointing back to it), and a few stars.
const Point kBombs[] = {{52, 30}, {58, 20}, {71, 18}, {79, 31}, {46, 45}, {85, 46}, {64, 11}, {60, 40}, {70, 41}};
const Point kStars[] = {{20, 40}, {30, 22}, {98, 26}, {108, 44}, {42, 10}, {88, 12}, {16, 62}, {112, 66}};
const Point kCrater{64, 60};

float distance(float x, float y, float cx, float cy) { return std::hypot(x - cx, y - cy); }

// Distance from (x, y) to the segment from a to a + 0.25 (crater - a).
float trailDistance(float x, float y, Point a) {
    const float dx = (kCrater.x - a.x) * 0.25f, dy = (kCrater.y - a.y) * 0.25f;
    const float u = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return distance(x, y, a.x + dx * u, a.y + dy * u);
}

// Everything at one point of the picture, y growing downwards; the crater is at (64, 60).
Rgba sample(float x, float y) {
    const float t = y / kSize;
    Rgba c{0.03f + 0.30f * t * t, 0.03f + 0.08f * t * t, 0.14f + 0.05f * t, 1.0f};  // night turning to glow
    for (const Point& p : kStars) c = over(c, 0.9f, 0.9f, 1.0f, 1.0f - distance(x, y, p.x, p.y));
    c = over(c, 1.0f, 0.45f, 0.1f, 0.6f - distance(x, y, 64, 60) / 55.0f);         // the sky lit by the crater
    const float edge = std::max(46.0f + std::fabs(x - 64.0f) * 1.2f, 60.0f);       // the cone, with a flat top
    const float shade = 0.04f * (x - 64.0f) / 50.0f;                                // lit from the left
    c = over(c, 0.24f - shade, 0.15f - shade, 0.12f - shade, y - edge + 0.5f);
    c = over(c, 0.10f, 0.07f, 0.06f, y - 106.0f);  // the plain in front
    for (float side : {-1.0f, 1.0f}) {             // lava running down both flanks, meandering
        const float drop = y - 60.0f;
        const float stream = 64.0f + side * (5.0f + drop * 0.55f + 2.5f * std::sin(drop * 0.3f));
        const float green = 0.35f + 0.3f * (1.0f - drop / 44.0f);  // yellower near the crater
        if (drop > 0.0f && y < 104.0f) c = over(c, 1.0f, green, 0.05f, 1.6f - std::fabs(x - stream));
    }
    c = over(c, 1.0f, 0.8f, 0.3f, 1.5f - std::hypot((x - 64.0f) / 7.0f, (y - 60.0f) / 2.5f) * 1.5f);  // crater
    for (const Point& b : kBombs) {
        c = over(c, 1.0f, 0.5f, 0.1f, 1.2f - trailDistance(x, y, b));
        c = over(c, 1.0f, 0.85f, 0.4f, 2.0f - distance(x, y, b.x, b.y));
    }
    c.a = std::clamp(62.0f - distance(x, y, 64, 64), 0.0f, 1.0f);  // the round badge
    return c;
}

}  // namespace

IconImage makeIcon() {
    IconImage icon{Image(kSize, kSize), std::vector<uint8_t>(kSize * kSize)};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            Rgba sum{0, 0, 0, 0};
            for (int i = 0; i < kSamples * kSamples; ++i) {
                const Rgba s = sample(x + (i % kSamples + 0.5f) / kSamples, y + (i / kSamples + 0.5f) / kSamples);
                sum = {sum.r + s.r, sum.g + s.g, sum.b + s.b, sum.a + s.a};
            }
            const float n = kSamples * kSamples;
            icon.picture.set(x, y, sum.r / n, sum.g / n, sum.b / n);
            icon.alpha[size_t(y) * kSize + x] = uint8_t(std::lround(sum.a / n * 255.0f));
        }
    }
    return icon;
}
