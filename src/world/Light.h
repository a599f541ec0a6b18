// The orbiting spot light, and the small GL helpers for fog colour, texture generation and gradient frames.
#pragma once
#include "scene/SceneObject.h"

class Light : public SceneObject {
public:
    Light();

    void setPosition(float x, float y, float z);
    void apply() const;

    float ambient = 0.25f;
    float diffuse = 0.5f;
    float specular = 0.75f;
    float reflective = 1.0f;
    float shininess = 25.0f;
    int lightIndex = 0;
    int positional = 1;
    float cutoff = 180.0f;
    float exponent = 1.0f;
    float intensity = 1.0f;
    float orbitFactor = 5.0f;
};

void setFogColor(int universe);
void setTexGen(int mode, int on);
void drawGradientFrame(double x0, double y0, double x1, double y1, double w);
