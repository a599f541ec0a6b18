// Dialog widget cells in a 128 x 128 picture of 32-pixel cells. Brightness becomes opacity when the
// program loads it, so dark means see-through and the widgets take their hue from the draw colour.
#include <algorithm>
#include <cmath>

#include "Images.h"
#include "PeriodicNoise.h"

namespace {

constexpr int kSize = 128;
constexpr int kCell = 32;

// Signed distance from point (px, py) to a rounded rectangle centred in a cell (negative inside).
float roundedBox(float px, float py, float halfW, float halfH, float radius) {
    const float qx = std::fabs(px - kCell / 2.0f) - halfW + radius;
    const float qy = std::fabs(py - kCell / 2.0f) - halfH + radius;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float coverage(float distance) { return std::clamp(0.5f - distance, 0.0f, 1.0f); }

float segmentDistance(float px, float py, float ax, float ay, float bx, float by) {
    const float dx = bx - ax, dy = by - ay;
    const float t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return std::hypot(px - ax - t * dx, py - ay - t * dy);
}

// A cell's grey value at pixel (px, py) inside the cell, y down.
using CellPainter = float (*)(float px, float py);

// Bevelled box: the rim is lit from the upper left when raised, from the lower right when pressed.
float bevel(float px, float py, bool raised, float face) {
    const float d = roundedBox(px + 0.5f, py + 0.5f, 14.5f, 14.5f, 5.0f);
    const float upperLeft = (32.0f - px - py) / 32.0f;  // 1 at the upper left corner, -1 at the lower right
    const float rim = 0.6f + 0.4f * (raised ? upperLeft : -upperLeft);
    const float edge = smoothStep(-4.0f, -2.5f, d);
    return coverage(d) * (face + (rim - face) * edge);
}

float crossMark(float px, float py) {
    const float a = segmentDistance(px, py, 10, 10, 22, 22);
    const float b = segmentDistance(px, py, 22, 10, 10, 22);
    return coverage(std::min(a, b) - 2.0f);
}

float track(float, float py) {
    const float d = std::fabs(py + 0.5f - 16.0f);
    const float groove = 0.35f + 0.25f * (d / 9.0f) * (d / 9.0f);
    return d < 9.0f ? groove : coverage(d - 13.0f) * 0.95f;
}

float knob(float px, float py) {
    const float body = bevel(px, py, true, 0.8f);
    const float grip = coverage(std::fabs(px + 0.5f - 16.0f) - 1.0f) * coverage(std::fabs(py + 0.5f - 16.0f) - 8.0f);
    return std::max(body - 0.45f * grip, 0.0f);
}

float toggleFrame(float px, float py) {
    const float d = roundedBox(px + 0.5f, py + 0.5f, 13.0f, 13.0f, 6.0f);
    return coverage(std::fabs(d + 1.5f) - 1.5f) * 0.95f + coverage(d + 3.0f) * 0.15f;
}

float toggleOff(float px, float py) { return toggleFrame(px, py); }

float toggleOn(float px, float py) {
    const float lamp = roundedBox(px + 0.5f, py + 0.5f, 8.0f, 8.0f, 4.0f);
    const float glow = 1.0f - 0.3f * std::hypot(px + 0.5f - 13.0f, py + 0.5f - 13.0f) / 12.0f;
    return std::max(toggleFrame(px, py), coverage(lamp) * glow);
}

float buttonUp(float px, float py) { return bevel(px, py, true, 0.62f); }
float buttonDown(float px, float py) { return bevel(px, py, false, 0.85f); }

float title(float px, float py) {
    float grip = 0.0f;
    for (int line = 0; line < 3; ++line) {
        const float y = 10.0f + 6.0f * line;
        grip = std::max(grip, coverage(segmentDistance(px + 0.5f, py + 0.5f, 9, y, 23, y) - 1.2f));
    }
    return std::max(bevel(px, py, true, 0.5f), grip);
}

float closeUp(float px, float py) { return std::max(bevel(px, py, true, 0.5f), crossMark(px + 0.5f, py + 0.5f)); }
float closeDown(float px, float py) { return std::max(bevel(px, py, false, 0.7f), crossMark(px + 1.5f, py + 1.5f)); }

// Cell column, row (from the top) and painter; the texture table names these by s and t.
struct CellSpec {
    int column, row;
    CellPainter paint;
};

const CellSpec kCells[] = {
    {0, 0, track},      {1, 0, knob},  {2, 0, toggleOff}, {3, 0, toggleOn},  {0, 1, buttonUp},
    {1, 1, buttonDown}, {2, 1, title}, {0, 2, closeUp},   {1, 2, closeDown},
};

}  // namespace

Image makeControls() {
    Image image(kSize, kSize);
    for (const CellSpec& cell : kCells) {
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x) {
                const float v = cell.paint(float(x), float(y));
                image.set(cell.column * kCell + x, cell.row * kCell + y, v, v, v);
            }
        }
    }
    return image;
}
