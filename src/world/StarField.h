// The star universe: a display list of coloured points drawn in rotated copies.
#pragma once
#include "core/Vec3.h"
#include <GL/gl.h>

class StarField {
public:
    virtual ~StarField() = default;

    void build();
    void draw() const;
    void release();

    // The GL-free steps of build: the diameter cut, one star's place in the shell and its colour.
    void limitInnerDiameter();
    // The shell's outer and inner radius; false when there is no shell to place stars in.
    bool shellRadii(float& outer, float& inner) const;
    Vec3 placeStar(float outer, float inner) const;
    Color4 starColor() const;

    GLuint displayList = 0;
    int blend = 1;
    int depthTest = 0;
    int depthWrite = 0;
    int starCount = 10;
    int copies = 1;
    int shape = 1;
    float outerDiameter = 2.0f;
    float innerDiameter = 0.0f;
    float dimBase = 0.3f;
    float brightBase = 0.7f;
};
