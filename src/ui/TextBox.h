// A styled text pen over the bitmap font that can also hold one timed status message.
#pragma once
#include "scene/SceneObject.h"
#include "ui/OverlayFit.h"

class RotorSet;
class Texture;

class TextBox : public SceneObject {
public:
    static constexpr int kTextSize = 80;

    TextBox();

    void drawText(const char* str, float x, float y, float size);
    void drawLine(const char* str);
    void resetStyle();
    void setMessage(const char* str);
    void setMessagef(const char* format, double value);
    void setMessagef(const char* format, int value);
    void setMessagef(const char* format, const char* value);
    void restartMessage();
    void drawMessage();
    // Widens the box to take in the string as drawText would place it (the effects' jitter aside).
    void growBox(OverlayBox& box, const char* str, float x, float y, float size) const;

    float advance = 0.9f;
    float lineStep = -15.0f;
    float brightness = 1.0f;
    float slant = 3.0f;
    double expiry = 0.0;
    float duration = 3.0f;
    int shakeOn = 0;
    int wanderOn = 0;
    int waveOn = 0;
    float shakeRate[2] = {1, 1};
    float shakeAmount[2] = {1, 1};
    float wanderRate[2] = {1, 1};
    float wanderAmount[2] = {1, 1};
    float waveRate[2] = {1, 1};
    float waveAmount[2] = {1, 1};
    float waveSpread = 1.0f;
    char text[kTextSize] = {};

    // Shared by every text box: the bitmap font and the rotors that animate the text effects.
    static Texture* font;
    static RotorSet* effects;

private:
    void messageSet();
    void drawString();
    void effectOffsets(float size, float& sx, float& sy, float& wx, float& wy) const;
};
