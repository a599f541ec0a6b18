// Overlay fitting: the scale and shift that bring a block inside the window.
#include "ui/OverlayFit.h"
#include <algorithm>

namespace {

// Even an absurdly small window gets a finite, invertible picture.
constexpr float kSmallestScale = 0.1f;
constexpr float kEdgeMargin = 4.0f;
constexpr float kStatusLineRow = 30.0f;  // the status message stands 20 pixels below the top, 10 high

}  // namespace

OverlayFit fitInto(const OverlayBox& box, const OverlayBox& room) {
    OverlayFit fit;
    float w = box.right - box.left, h = box.top - box.bottom;
    float roomW = room.right - room.left, roomH = room.top - room.bottom;
    if (w > roomW || h > roomH) fit.scale = std::clamp(std::min(roomW / w, roomH / h), kSmallestScale, 1.0f);
    // Scaled about its top-left corner, which is where a reader starts; then shifted in, the left and top
    // sides first.
    float right = box.left + fit.scale * w, bottom = box.top - fit.scale * h;
    float dx = right > room.right ? std::max(room.right - right, room.left - box.left)
                                  : std::max(0.0f, room.left - box.left);
    float dy = box.top > room.top ? room.top - box.top : std::max(0.0f, room.bottom - bottom);
    fit.shiftX = box.left * (1 - fit.scale) + dx;
    fit.shiftY = box.top * (1 - fit.scale) + dy;
    return fit;
}

OverlayBox overlayRoom(int width, int height) {
    return {kEdgeMargin, kEdgeMargin, width - kEdgeMargin, height - kStatusLineRow};
}
