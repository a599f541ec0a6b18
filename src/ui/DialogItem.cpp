// Dialog widgets: hit tests, the per-frame input state machines and their drawing from the controls picture.
#include "ui/DialogItem.h"
#include "scene/Texture.h"
#include "ui/TextBox.h"
#include <algorithm>
#include <cmath>
#include <cstdio>

TextBox* DialogItem::textBox = nullptr;
Texture* DialogItem::controls = nullptr;
int DialogItem::fontSize = 10;

namespace {

// Cells of "controls_128.bmp" in texture coordinates (t = 1 is the top of the picture).
struct Cell {
    float s0, t0, s1, t1;
};
enum { kTrack, kKnob, kToggleOff, kToggleOn, kButtonUp, kButtonDown, kTitleCell, kCloseUp, kCloseDown };
const Cell kCells[] = {
    {0.10f, 0.75f, 0.15f, 1.0f}, {0.25f, 0.75f, 0.50f, 1.0f}, {0.50f, 0.75f, 0.75f, 1.0f},
    {0.75f, 0.75f, 1.00f, 1.0f}, {0.00f, 0.50f, 0.25f, 0.75f}, {0.25f, 0.50f, 0.50f, 0.75f},
    {0.50f, 0.50f, 0.75f, 0.75f}, {0.00f, 0.25f, 0.25f, 0.50f}, {0.25f, 0.25f, 0.50f, 0.50f},
};

constexpr int kEnter = 13;
constexpr int kLeft = 100, kRight = 102, kPageUp = 104, kPageDown = 105;

void drawCell(int cell, float x0, float y0, float x1, float y1) {
    const Cell& c = kCells[cell];
    drawControlRect(DialogItem::controls, x0, y0, x1, y1, c.s0, c.t0, c.s1, c.t1);
}

}  // namespace

void drawControlRect(Texture* texture, float x0, float y0, float x1, float y1, float s0, float t0, float s1, float t1) {
    glAlphaFunc(GL_GREATER, 0.05f);
    glEnable(GL_ALPHA_TEST);
    glDepthMask(GL_FALSE);
    if (texture) {
        glEnable(GL_TEXTURE_2D);
        texture->bind();
    }
    glPushAttrib(GL_POLYGON_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0); glVertex2f(x0, y0);
    glTexCoord2f(s1, t0); glVertex2f(x1, y0);
    glTexCoord2f(s1, t1); glVertex2f(x1, y1);
    glTexCoord2f(s0, t1); glVertex2f(x0, y1);
    glEnd();
    glPopAttrib();
    glDisable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    glDepthMask(GL_TRUE);
    if (texture) glDisable(GL_TEXTURE_2D);
}

// ---- DialogItem ----

void DialogItem::init(const char* text, int itemId, int itemIndex, int itemKind, float x, float y, float w, float h,
                      float a1, float a2, float a3, float a4, float a5) {
    std::snprintf(label, sizeof label, "%s", text);
    id = itemId;
    index = itemIndex;
    kind = itemKind;
    radius = static_cast<float>(fontSize);
    position.x = x;
    position.y = y;
    width = w;
    height = h;
    right = x + w;
    top = y + h;
    const float a[5] = {a1, a2, a3, a4, a5};
    takeArguments(a);
}

void DialogItem::takeArguments(const float*) {}

int DialogItem::handleEvent(const DialogInput&, float, float, float&, bool) { return kItemIdle; }

void DialogItem::drawItem(float, float, bool) {}

int DialogItem::hitTest(float mx, float my, float ox, float oy) const {
    int x = static_cast<int>(mx), y = static_cast<int>(my);
    int dx = static_cast<int>(ox), dy = static_cast<int>(oy);
    int inX = dx + position.x <= x && x <= dx + right;
    int inY = dy + position.y <= y && y <= dy + top;
    return inX | (inY << 1);
}

void DialogItem::drawText(const char* text, float x, float y) const {
    if (textBox) textBox->drawText(text, x, y, static_cast<float>(fontSize));
}

float DialogItem::labelX() const { return right + 15; }

void DialogItem::growBox(OverlayBox& box) const {
    box.left = std::min(box.left, position.x);
    box.bottom = std::min(box.bottom, position.y);
    box.right = std::max(box.right, right);
    box.top = std::max(box.top, top);
    // The value text of a slider and the "On"/"Off" of a toggle end before the label starts.
    if (label[0] && textBox) textBox->growBox(box, label, labelX(), position.y + 15, static_cast<float>(fontSize));
}

void DialogItem::drawLabel(float ox, float oy) const { drawText(label, ox + labelX(), oy + position.y + 15); }

void DialogItem::drawBox(float ox, float oy, int cell) const {
    drawCell(cell, ox + position.x, oy + position.y, ox + right, oy + top);
}

bool DialogItem::enterOrSideKey(const DialogInput& in) {
    return in.key == kEnter || in.specialKey == kLeft || in.specialKey == kRight;
}

// ---- SliderItem ----

void SliderItem::takeArguments(const float a[5]) {
    value = a[0];
    minValue = a[1];
    maxValue = a[2];
    range = a[2] - a[1];
    isInteger = static_cast<int>(a[3]);
    isLinear = static_cast<int>(a[4]);
}

float SliderItem::knobFraction() const {
    float f = range != 0 ? std::clamp((value - minValue) / range, 0.0f, 1.0f) : 0.0f;
    return isLinear ? f : std::sqrt(f);
}

float SliderItem::labelX() const { return right + fontSize * 150.0f / 20.0f; }

int SliderItem::handleEvent(const DialogInput& in, float ox, float oy, float& out, bool focused) {
    int hit = hitTest(in.x, in.y, ox, oy);
    if ((in.left == 1 && hit == 3) || (in.left == 2 && (hit & 1) && focused)) {
        // The hit test truncates, so the pointer may stand a fraction beyond an end.
        float f = std::clamp((in.x - ox - position.x) / width, 0.0f, 1.0f);
        value = (isLinear ? f : f * f) * range + minValue;
        out = value;
        return kItemActivated;
    }
    if (focused && (in.specialKey == kLeft || in.specialKey == kRight)) {
        float step = isInteger ? 1.0f : range * 0.01f;
        value = std::clamp(value + (in.specialKey == kRight ? step : -step), minValue, maxValue);
        out = value;
        return kItemActivated;
    }
    return kItemIdle;
}

void SliderItem::drawItem(float ox, float oy, bool) {
    float px = ox + position.x + knobFraction() * width;
    drawCell(kTrack, ox + position.x, oy + position.y + 6, ox + right, oy + top - 6);
    drawCell(kKnob, px - 10, oy + position.y, px + 10, oy + top);
    float textY = oy + position.y + 15;
    drawLabel(ox, oy);
    char shown[16];
    if (isInteger)
        std::snprintf(shown, sizeof shown, "%5d", static_cast<int>(value));
    else
        std::snprintf(shown, sizeof shown, "%5.2f", static_cast<double>(value));
    drawText(shown, ox + right + 15, textY);
}

// ---- ToggleItem ----

// Truncated: 0 is off, 1 or more (or any set bit) is on.
void ToggleItem::takeArguments(const float a[5]) { visible = static_cast<int>(a[0]); }

int ToggleItem::handleEvent(const DialogInput& in, float ox, float oy, float& out, bool focused) {
    if (!((in.left == 1 && hitTest(in.x, in.y, ox, oy) == 3) || (focused && enterOrSideKey(in)))) return kItemIdle;
    visible = !visible;
    out = visible ? 1.0f : 0.0f;
    return kItemActivated;
}

void ToggleItem::drawItem(float ox, float oy, bool focused) {
    drawText(visible ? "On" : "Off", ox + right + 15, oy + position.y + 15);
    float l = (focused ? 0.99f : 0.66f) * (textBox ? textBox->brightness : 1.0f);
    if (visible)
        glColor3f(0.5f * l, l, 0.5f * l);
    else
        glColor3f(l, 0.5f * l, 0.5f * l);
    drawBox(ox, oy, visible ? kToggleOn : kToggleOff);
    drawLabel(ox, oy);
}

float ToggleItem::labelX() const { return right + 5.0f * fontSize + 20; }

// ---- ButtonItem ----

// Every build shows the button released.
void ButtonItem::takeArguments(const float*) { visible = 0; }

int ButtonItem::handleEvent(const DialogInput& in, float ox, float oy, float&, bool focused) {
    bool inside = hitTest(in.x, in.y, ox, oy) == 3;
    if (in.left == 1 && inside) {
        visible = 1;
        return kItemPressed;
    }
    if (in.left == 3 && inside && focused) {
        visible = 1;
        return kItemActivated;
    }
    // Down only while the held pointer is over it.
    if ((in.left == 1 || in.left == 2) && focused) visible = inside;
    return focused && enterOrSideKey(in) ? kItemActivated : kItemIdle;
}

void ButtonItem::drawItem(float ox, float oy, bool) {
    drawBox(ox, oy, visible ? kButtonDown : kButtonUp);
    drawLabel(ox, oy);
}

// ---- CloseBoxItem ----

int CloseBoxItem::handleEvent(const DialogInput& in, float ox, float oy, float&, bool focused) {
    bool inside = hitTest(in.x, in.y, ox, oy) == 3;
    // A press anywhere takes the focus here unless a later widget claims it.
    if (in.left == 1) {
        visible = 1;
        return kItemPressed;
    }
    if (in.left == 2) visible = inside;
    if (in.left == 3 && inside && focused) return kItemActivated;
    return focused && enterOrSideKey(in) ? kItemActivated : kItemIdle;
}

void CloseBoxItem::drawItem(float ox, float oy, bool) {
    drawBox(ox, oy, visible ? kCloseDown : kCloseUp);
    drawLabel(ox, oy);
}

// ---- TitleItem ----

int TitleItem::handleEvent(const DialogInput& in, float ox, float oy, float&, bool focused) {
    if (in.left == 1 && hitTest(in.x, in.y, ox, oy) == 3) {
        visible = 1;
        return kItemMovesDialog;
    }
    if (in.left == 2 && focused && visible) return kItemMovesDialog;
    if (in.left == 3 && focused) {
        visible = 0;
        return kItemMovesDialog;
    }
    bool nudge = in.specialKey == kLeft || in.specialKey == kRight || in.specialKey == kPageUp ||
                 in.specialKey == kPageDown;
    return focused && nudge ? kItemMovesDialog : kItemIdle;
}

void TitleItem::drawItem(float ox, float oy, bool) {
    drawBox(ox, oy, kTitleCell);
    drawLabel(ox, oy);
}
