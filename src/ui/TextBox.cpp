// Text boxes: timed messages and pen movement; glyph drawing over the font texture.
#include "ui/TextBox.h"
#include "camera/RotorSet.h"
#include "core/AppContext.h"
#include "core/Clock.h"
#include "core/Trace.h"
#include "gfx/Screen.h"
#include "scene/Texture.h"
#include <algorithm>
#include <cstdio>
#include <cstring>

Texture* TextBox::font = nullptr;
RotorSet* TextBox::effects = nullptr;

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

void TextBox::effectOffsets(float size, float& sx, float& sy, float& wx, float& wy) const {
    sx = sy = wx = wy = 0.0f;
    if (shakeOn) {
        sx = effects->wave(1, shakeRate[0] * 100, 2.0f, -1.0f) * size * shakeAmount[0] * 0.2f;
        sy = effects->wave(2, shakeRate[1] * 100, 2.0f, -1.0f) * size * shakeAmount[1] * 0.2f;
    }
    if (wanderOn) {
        wx = effects->wave(3, wanderRate[0] * 100, 2.0f, -1.0f) * size * wanderAmount[0] * 0.5f;
        wy = effects->wave(4, wanderRate[1] * 100, 2.0f, -1.0f) * size * wanderAmount[1] * 0.5f;
    }
}

void TextBox::drawString() {
    float size = radius, sx, sy, wx, wy;
    effectOffsets(size, sx, sy, wx, wy);
    float cx = position.x + wx, cy = position.y + wy;
    // The wave's travel, reduced to one turn in double: a float of a month's seconds moves in whole steps.
    float travel = static_cast<float>(std::fmod(gApp->clock->time * 5.0 * waveSpread, 2.0 * 3.141592653589793));
    if (alphaTest) {
        glAlphaFunc(GL_GREATER, alphaRef);
        glEnable(GL_ALPHA_TEST);
    }
    if (blend) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glDepthMask(GL_FALSE);
    glEnable(GL_TEXTURE_2D);
    if (font) font->bind();
    glColor4d(color.r * brightness, color.g * brightness, color.b * brightness, color.a);
    glPushAttrib(GL_POLYGON_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    for (int i = 0; text[i] != '\0'; ++i) {
        float kx = 1.0f, ky = 1.0f;
        if (waveOn) {
            float phase = i * waveSpread - travel;
            kx = effects->wavePhase(5, waveRate[0] * 25, phase, 1.5f, 0.75f) * waveAmount[0] * 0.5f;
            ky = effects->wavePhase(6, waveRate[1] * 25, phase, 1.5f, 0.75f) * waveAmount[1] * 0.5f;
        }
        float hw = size * 0.5f * kx, hh = size * ky;
        // Glyph cells: 16 columns by 8 rows from code 32, the top row first.
        int glyph = (static_cast<unsigned char>(text[i]) - 32) & 255;
        float s0 = (glyph % 16) / 16.0f, s1 = s0 + 1.0f / 16.0f;
        float tt = 1.0f - (glyph / 16) / 8.0f, tb = tt - 1.0f / 8.0f;
        glBegin(GL_QUADS);
        glTexCoord2f(s0, tb); glVertex2f(cx - hw + sx, cy - hh - sy);
        glTexCoord2f(s1, tb); glVertex2f(cx + hw - sx, cy - hh + sy);
        glTexCoord2f(s1, tt); glVertex2f(cx + hw + slant + sx, cy + hh - sy);
        glTexCoord2f(s0, tt); glVertex2f(cx - hw + slant - sx, cy + hh + sy);
        glEnd();
        cx += size * advance;
    }
    glPopAttrib();
    if (alphaTest) glDisable(GL_ALPHA_TEST);
    if (blend) glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glDisable(GL_TEXTURE_2D);
}

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

void TextBox::growBox(OverlayBox& box, const char* str, float x, float y, float size) const {
    // The pen is the first glyph's centre: half a glyph to its left, a glyph above and below, slanted right.
    float last = x + (std::strlen(str) - 1.0f) * advance * size;
    box.left = std::min(box.left, x - 0.5f * size);
    box.right = std::max(box.right, last + 0.5f * size + slant);
    box.bottom = std::min(box.bottom, y - size);
    box.top = std::max(box.top, y + size);
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
