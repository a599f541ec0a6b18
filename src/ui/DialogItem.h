// The five dialog widgets: slider, toggle, button, close box and the title that drags its dialog.
#pragma once
#include "scene/SceneObject.h"
#include "ui/OverlayFit.h"

class TextBox;
class Texture;

// This frame's input as the widgets see it: overlay pixels with y up, the left button's phase.
struct DialogInput {
    int key = 0;         // 13 Enter, 9 Tab; 0 none
    int specialKey = 0;  // GLUT codes: 100 left, 101 up, 102 right, 103 down, 104 page up, 105 page down
    float x = 0, y = 0;
    int left = 0;        // 0 idle, 1 pressed this frame, 2 held, 3 released this frame
};

// Result codes of handleEvent.
enum { kItemIdle = 0, kItemActivated = 1, kItemPressed = 2, kItemMovesDialog = 3 };
// Widget kinds, also the order of creation in a dialog slot.
enum { kSlider = 0, kToggle = 1, kButton = 2, kCloseBox = 3, kTitle = 4 };

// A widget. Its rectangle is relative to the dialog; `visible` holds its one state flag
// (toggle on, button or close box pressed, title being dragged).
class DialogItem : public SceneObject {
public:
    static constexpr int kLabelSize = 80;

    // Stores the rectangle, label and id; a1..a5 are kind-specific (a slider's value and range, a toggle's state).
    virtual void init(const char* text, int itemId, int itemIndex, int itemKind, float x, float y, float w, float h,
                      float a1 = 0, float a2 = 0, float a3 = 0, float a4 = 0, float a5 = 0);
    virtual int handleEvent(const DialogInput& in, float ox, float oy, float& out, bool focused);
    virtual void drawItem(float ox, float oy, bool focused);

    // Bit 1: inside horizontally, bit 2: inside vertically; edges count as inside.
    int hitTest(float mx, float my, float ox, float oy) const;
    // Where the label's first glyph is centred, relative to the dialog.
    virtual float labelX() const;
    // Widens the box (relative to the dialog) to take in the widget and its label.
    void growBox(OverlayBox& box) const;

    char label[kLabelSize] = {};
    int id = 0;
    int index = 0;
    int kind = 0;
    float width = 0, height = 0, right = 0, top = 0;

    // Shared by every widget: the pen for labels and values, the cell picture, and the text size
    // (10 on settings pages, 20 on menu pages).
    static TextBox* textBox;
    static Texture* controls;
    static int fontSize;

protected:
    void drawText(const char* text, float x, float y) const;
    // The label at labelX, half a line up.
    void drawLabel(float ox, float oy) const;
    void drawBox(float ox, float oy, int cell) const;
    // The kind-specific trailing arguments of init; the base ignores them.
    virtual void takeArguments(const float a[5]);
    static bool enterOrSideKey(const DialogInput& in);
};

class SliderItem : public DialogItem {
public:
    void takeArguments(const float a[5]) override;
    int handleEvent(const DialogInput& in, float ox, float oy, float& out, bool focused) override;
    void drawItem(float ox, float oy, bool focused) override;
    float labelX() const override;
    // Knob position as a fraction of the width (square root of the value's fraction when quadratic),
    // kept on the track when a key or a file has taken the value beyond the slider's range.
    float knobFraction() const;

    float minValue = 0, maxValue = 1, range = 1, value = 0;
    int isInteger = 0, isLinear = 1;
};

class ToggleItem : public DialogItem {
public:
    void takeArguments(const float a[5]) override;
    int handleEvent(const DialogInput& in, float ox, float oy, float& out, bool focused) override;
    void drawItem(float ox, float oy, bool focused) override;
    float labelX() const override;
};

class ButtonItem : public DialogItem {
public:
    void takeArguments(const float a[5]) override;
    int handleEvent(const DialogInput& in, float ox, float oy, float& out, bool focused) override;
    void drawItem(float ox, float oy, bool focused) override;
};

class CloseBoxItem : public ButtonItem {
public:
    int handleEvent(const DialogInput& in, float ox, float oy, float& out, bool focused) override;
    void drawItem(float ox, float oy, bool focused) override;
};

class TitleItem : public DialogItem {
public:
    int handleEvent(const DialogInput& in, float ox, float oy, float& out, bool focused) override;
    void drawItem(float ox, float oy, bool focused) override;
};

// The widgets' one drawing routine: a quad with the given texture cell, in the current colour.
void drawControlRect(Texture* texture, float x0, float y0, float x1, float y1, float s0, float t0, float s1, float t1);
