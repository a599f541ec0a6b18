// The dusk sky: one continuous function of view direction, sampled onto the six box faces, plus the
// sun sprite and the chrome environment map.
#include <algorithm>
#include <cmath>

#include "Images.h"
#include "PeriodicNoise.h"

namespace {

constexpr int kFaceSize = 256;
constexpr float kPi = 3.14159265f;

struct Vec {
    float x, y, z;
};

Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator*(Vec a, float k) { return {a.x * k, a.y * k, a.z * k}; }
float dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec normalised(Vec a) { return a * (1.0f / std::sqrt(dot(a, a))); }
Vec mix(Vec a, Vec b, float t) { return a * (1.0f - t) + b * t; }

const Vec kSunDir = normalised({0.55f, 0.07f, -0.83f});

// Where each face points, matching how the sky box places its quads: front at -z, right at +x
// (turned 270 about y), back at +z, left at -x, top at +y (turned 90 about x, so its v runs towards
// +z) and bottom at -y (v runs towards -z). A face point (u, v), each -1..1, looks along
// right * u + up * v + forward.
struct FaceAxes {
    Vec right, up, forward;
};

const FaceAxes kFaceAxes[kSkyFaceCount] = {
    {{1, 0, 0}, {0, 1, 0}, {0, 0, -1}},   // front
    {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}},    // right
    {{-1, 0, 0}, {0, 1, 0}, {0, 0, 1}},   // back
    {{0, 0, -1}, {0, 1, 0}, {-1, 0, 0}},  // left
    {{1, 0, 0}, {0, 0, 1}, {0, 1, 0}},    // top
    {{1, 0, 0}, {0, 0, -1}, {0, -1, 0}},  // bottom
};

Vec faceDirection(int face, float u, float v) {
    const FaceAxes& axes = kFaceAxes[face];
    return axes.right * u + axes.up * v + axes.forward;
}

// Height of the distant ridge line (as a direction's y) at the azimuth of d.
float ridgeHeight(Vec d) {
    const float turn = std::atan2(d.x, -d.z) / (2.0f * kPi) + 0.5f;
    const float n = fractalNoise(turn * 12.0f, 0.5f, 12, 5, 0.5f, 71) * 0.5f + 0.5f;
    return 0.015f + 0.11f * n * n;
}

Vec skyGradient(Vec d, float sunward) {
    const float e = std::max(d.y, 0.0f);
    const Vec zenith{0.05f, 0.07f, 0.20f};
    const Vec middle{0.30f, 0.27f, 0.52f};
    const Vec horizon = mix(Vec{0.62f, 0.38f, 0.50f}, Vec{1.0f, 0.55f, 0.26f}, sunward);
    const Vec upper = mix(zenith, middle, std::pow(1.0f - e, 2.0f));
    return mix(upper, horizon, std::pow(1.0f - e, 5.0f));
}

Vec sunLight(float cosAngle) {
    const float glow = 0.9f * std::exp((cosAngle - 1.0f) * 400.0f) + 0.35f * std::exp((cosAngle - 1.0f) * 12.0f);
    const float disc = smoothStep(0.99955f, 0.9997f, cosAngle);
    return Vec{1.0f, 0.72f, 0.42f} * glow + Vec{1.0f, 0.95f, 0.85f} * disc;
}

// Clouds on a flat layer overhead, thinning into the haze towards the horizon.
Vec addClouds(Vec sky, Vec d, float cosAngle) {
    if (d.y <= 0.0f) return sky;
    const float k = 1.0f / (d.y + 0.06f);
    const float density = fractalNoise(d.x * k * 0.9f + 40.0f, d.z * k * 0.9f + 40.0f, 1 << 16, 6, 0.52f, 81);
    const float cover = smoothStep(-0.05f, 0.45f, density) * smoothStep(0.0f, 0.15f, d.y);
    const float thin = 1.0f - smoothStep(0.0f, 0.6f, density);
    const float sunward = std::pow(cosAngle * 0.5f + 0.5f, 4.0f);
    const Vec dark{0.20f, 0.15f, 0.25f};
    const Vec lit = mix(Vec{0.75f, 0.42f, 0.52f}, Vec{1.0f, 0.6f, 0.34f}, sunward);
    const Vec cloud = mix(dark, lit, std::clamp(thin * (0.35f + 0.8f * sunward), 0.0f, 1.0f));
    return mix(sky, cloud, cover * 0.92f);
}

// Hazy hills at the horizon and dark land below.
Vec addLand(Vec sky, Vec d, float sunward) {
    const float ridge = ridgeHeight(d);
    if (d.y >= ridge) return sky;
    const Vec hills = mix(Vec{0.16f, 0.11f, 0.18f}, Vec{0.24f, 0.14f, 0.15f}, sunward);
    const Vec haze = mix(Vec{0.34f, 0.22f, 0.32f}, Vec{0.52f, 0.30f, 0.26f}, sunward);
    const Vec ground{0.05f, 0.04f, 0.06f};
    // The hills are darkest at their crest and sink into haze at their feet, then the land darkens.
    const Vec slope = mix(hills, haze, smoothStep(ridge, 0.0f, d.y));
    const Vec land = mix(slope, ground, std::pow(smoothStep(0.0f, -0.3f, d.y), 0.6f));
    return mix(land, sky, smoothStep(ridge - 0.004f, ridge, d.y));
}

Vec skyColour(Vec dir) {
    const Vec d = normalised(dir);
    const float cosAngle = dot(d, kSunDir);
    const float flat = std::sqrt(d.x * d.x + d.z * d.z);
    const float sunward = flat > 0.0f ? std::pow((d.x * kSunDir.x + d.z * kSunDir.z) / flat * 0.5f + 0.5f, 3.0f) : 0.0f;
    Vec colour = skyGradient(d, sunward) + sunLight(cosAngle);
    colour = addClouds(colour, d, cosAngle);
    return addLand(colour, d, sunward);
}

// Pixel centre of column x / row y (top row 0) as -1..1 face coordinates, v up.
float faceCoordinate(int i) { return (i + 0.5f) / kFaceSize * 2.0f - 1.0f; }

}  // namespace

Image makeSkyFace(int face) {
    Image image(kFaceSize, kFaceSize);
    for (int y = 0; y < kFaceSize; ++y) {
        for (int x = 0; x < kFaceSize; ++x) {
            const Vec c = skyColour(faceDirection(face, faceCoordinate(x), -faceCoordinate(y)));
            image.set(x, y, c.x, c.y, c.z);
        }
    }
    return image;
}

// A white-hot disc in an orange glow that reaches black before the sprite's edge.
Image makeSun() {
    constexpr int size = 128;
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float r = std::hypot(x + 0.5f - 64.0f, y + 0.5f - 64.0f) / 64.0f;
            const float core = smoothStep(0.24f, 0.20f, r);
            const float glow = std::exp(-std::max(r - 0.2f, 0.0f) * 4.0f) * smoothStep(1.0f, 0.75f, r);
            const Vec c = Vec{1.0f, 0.98f, 0.9f} * core + Vec{1.0f, 0.8f, 0.45f} * (glow * (1.0f - core));
            image.set(x, y, c.x, c.y, c.z);
        }
    }
    return image;
}

namespace {

// What a chrome ball reflects: a bright sky over a hard horizon and a warm dark ground.
Vec chromeWorld(Vec r) {
    if (r.y >= 0.0f) {
        const Vec sky = mix(Vec{0.92f, 0.95f, 1.0f}, Vec{0.18f, 0.34f, 0.78f}, std::pow(r.y, 0.6f));
        const float window = std::exp((dot(r, normalised({-0.4f, 0.6f, 0.7f})) - 1.0f) * 30.0f);
        return sky + Vec{1.0f, 1.0f, 1.0f} * window;
    }
    const float down = std::pow(-r.y, 0.5f);
    return mix(Vec{0.08f, 0.05f, 0.04f}, Vec{0.70f, 0.48f, 0.30f}, down);
}

}  // namespace

// Sphere map: pixel (x, y) shows the direction a unit sphere reflects towards a viewer on +z.
Image makeReflection() {
    constexpr int size = 256;
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float nx = (x + 0.5f) / 128.0f - 1.0f;
            float ny = 1.0f - (y + 0.5f) / 128.0f;
            const float rim = std::hypot(nx, ny);
            if (rim > 0.999f) {
                nx *= 0.999f / rim;
                ny *= 0.999f / rim;
            }
            const float nz = std::sqrt(1.0f - nx * nx - ny * ny);
            const Vec c = chromeWorld({2.0f * nz * nx, 2.0f * nz * ny, 2.0f * nz * nz - 1.0f});
            image.set(x, y, c.x, c.y, c.z);
        }
    }
    return image;
}
