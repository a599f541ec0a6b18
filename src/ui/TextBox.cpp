// Text boxes: timed messages and pen movement; glyph drawing over the font texture.
#include "ui/TextBox.h"
#include "core/AppContext.h"
#include "core/Clock.h"
#include "core/Trace.h"
#include "gfx/Screen.h"
#include <cstdio>
#include <cstring>

TextBox::TextBox() {
    radius = 10.0f;
    resetStyle();
}

void TextBox::resetStyle() {
    advance = 0.9f;
    lineStep = -15.0f;
    brightness = 1.0f;
    slant = 3.0f;
    expiry = 0.0;
    duration = 3.0f;
    shakeOn = wanderOn = waveOn = 0;
    for (int i = 0; i < 2; ++i)
        shakeRate[i] = shakeAmount[i] = wanderRate[i] = wanderAmount[i] = waveRate[i] = waveAmount[i] = 1.0f;
    waveSpread = 1.0f;
    position = Vec3(20, 20, position.z);
    radius = 10.0f;
    color = Color4(1, 1, 1, 1);
    alphaTest = 0;
    alphaRef = 0.1f;
    depthTest = 0;
    depthWrite = 0;
    blend = 0;
}

void TextBox::drawText(const char* str, float x, float y, float size) {
    if (str != text) std::snprintf(text, sizeof text, "%s", str);
    position.x = x;
    position.y = y;
    radius = size;
    drawString();
    position.y += lineStep;
}

void TextBox::drawLine(const char* str) { drawText(str, position.x, position.y, radius); }

void TextBox::drawString() {}

void TextBox::messageSet() {
    expiry = gApp->clock->time + duration;
    if (this == gApp->statusLine) trace("message", text);
}

void TextBox::setMessage(const char* str) {
    std::snprintf(text, sizeof text, "%s", str);
    messageSet();
}

void TextBox::setMessagef(const char* format, double value) {
    std::snprintf(text, sizeof text, format, value);
    messageSet();
}

void TextBox::setMessagef(const char* format, int value) {
    std::snprintf(text, sizeof text, format, value);
    messageSet();
}

void TextBox::setMessagef(const char* format, const char* value) {
    std::snprintf(text, sizeof text, format, value);
    messageSet();
}

void TextBox::restartMessage() { expiry = gApp->clock->time + duration; }

void TextBox::drawMessage() {
    if (expiry == 0.0) return;
    if (gApp->clock->time >= expiry) {
        expiry = 0.0;
        return;
    }
    if (gApp->screen->letterboxLevel != 0.0f) gApp->screen->clearPasses = 1.0f;
    drawText(text, position.x, position.y, radius);
}
