// The window's picture area: viewport, projections, clear, fade rectangle and letterbox bars.
#pragma once
#include "scene/SceneObject.h"

class Screen : public SceneObject {
public:
    Screen();

    void setLetterbox(int level);
    void applyViewport() const;
    // The overlay projection; it lifts the picture's scissor box.
    void setOrtho2D() const;
    // The 3D projection for a window of the given aspect, fitted to the picture area and clipped to it, with the
    // camera's field of view narrowed by the letterbox.
    void setPerspective(float aspect, float fov) const;
    void drawFade(float alpha) const;
    void drawLetterbox() const;
    void clearFrame() const;
    // The two-frame black wipe requested by setting clearPasses to 1.
    void blackWipe();

    int width = 100;
    int height = 100;
    int viewportBottom = 100;
    int viewportTop = 0;
    int viewportHeight = 0;
    float letterboxLevel = 0.0f;
    float clearPasses = 0.0f;
    float zNear = 0.005f;
    float zFarBase = 7.14f;
    float letterboxColor[3] = {0, 0, 0};
};
