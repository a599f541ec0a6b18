// Fitting a block of the 2D overlay (a dialog page, the help text) into a window too small for it.
#pragma once

// A rectangle of overlay pixels.
struct OverlayBox {
    float left, bottom, right, top;
};

// Window pixel = scale x block pixel + shift.
struct OverlayFit {
    float scale = 1.0f;
    float shiftX = 0.0f, shiftY = 0.0f;

    float blockX(float windowX) const { return (windowX - shiftX) / scale; }
    float blockY(float windowY) const { return (windowY - shiftY) / scale; }
};

// A block inside the room stays exactly where it is. Otherwise it is moved in, keeping its top-left corner as
// close as it can, and only when it is still larger than the room is it drawn smaller.
OverlayFit fitInto(const OverlayBox& box, const OverlayBox& room);
// The room of a window for the help and the dialog pages: clear of the edges and of the status line at the top.
OverlayBox overlayRoom(int width, int height);
