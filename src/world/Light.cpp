// Light, fog colour and texture-coordinate generation.
#include "world/Light.h"

Light::Light() {
    position = Vec3(1, 1, 1);
    color = Color4(1, 1, 1, 1);
}

void Light::setPosition(float x, float y, float z) { position = Vec3(x, y, z); }
void Light::apply() const {}
void setFogColor(int) {}
void setTexGen(int, int) {}
void drawGradientFrame(double, double, double, double, double) {}
