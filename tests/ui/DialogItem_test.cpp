// Dialog widgets: hit tests, slider value mapping and the input state machines over frame sequences.
#include "support/TestSupport.h"
#include "ui/DialogItem.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr float kOx = 100, kOy = 50;  // the dialog's offset

DialogInput pointer(float x, float y, int phase) {
    DialogInput in;
    in.x = x;
    in.y = y;
    in.left = phase;
    return in;
}

DialogInput keys(int key, int special) {
    DialogInput in;
    in.key = key;
    in.specialKey = special;
    return in;
}

// A slider 140 x 24 at (30, 200) in the dialog, so its screen span is x 130..270, y 250..274.
SliderItem makeSlider(float value, float lo, float hi, int integer, int linear) {
    SliderItem s;
    s.init("S", 7, 2, kSlider, 30, 200, 140, 24, value, lo, hi, float(integer), float(linear));
    return s;
}

// Screen x of a fraction of the slider's width.
float along(float f) { return kOx + 30 + f * 140; }

}  // namespace

TEST(DialogItem, HitTestTruncatesAndCountsBothEdgesAsInside) {
    ButtonItem b;
    b.init("B", 1, 0, kButton, 30, 200, 30, 30);
    EXPECT_EQ(b.right, 60);
    EXPECT_EQ(b.top, 230);
    EXPECT_EQ(b.hitTest(160.9f, 280.9f, kOx, kOy), 3) << "160.9 truncates onto the right edge";
    EXPECT_EQ(b.hitTest(161, 260, kOx, kOy), 2) << "right of it: only the vertical bit";
    EXPECT_EQ(b.hitTest(140, 249, kOx, kOy), 1) << "below it: only the horizontal bit";
    EXPECT_EQ(b.hitTest(130, 250, kOx + 0.7f, kOy), 3) << "the offset truncates too";
}

TEST(DialogItem, QuadraticSliderMapsKnobAndPointerThroughTheSquare) {
    SliderItem s = makeSlider(1.0f, 0.1f, 4.0f, 0, 0);
    EXPECT_NEAR(s.knobFraction(), 0.48f, 0.01f);
    float out = -1;
    EXPECT_EQ(s.handleEvent(pointer(along(0.5f), 260, 1), kOx, kOy, out, false), kItemActivated);
    EXPECT_NEAR(out, 0.1f + 0.25f * 3.9f, 1e-5) << "the middle of a quadratic 0.1..4 slider is 1.075";
    EXPECT_FLOAT_EQ(s.value, out);
    s.handleEvent(pointer(along(std::sqrt(0.9f / 3.9f)), 260, 1), kOx, kOy, out, false);
    EXPECT_NEAR(out, 1.0f, 1e-4) << "a press where the knob of 1.0 stands gives 1.0 back";
    s.handleEvent(pointer(along(1.0f), 250, 1), kOx, kOy, out, false);
    EXPECT_FLOAT_EQ(out, 4.0f) << "the right edge is the maximum";
}

TEST(DialogItem, LinearSliderIsProportionalAndKeysStepAndClamp) {
    SliderItem s = makeSlider(2.0f, 0.0f, 8.5f, 1, 1);
    EXPECT_NEAR(s.knobFraction(), 2.0f / 8.5f, 1e-6);
    float out = 0;
    s.handleEvent(pointer(along(0.25f), 274, 1), kOx, kOy, out, false);
    EXPECT_FLOAT_EQ(out, 0.25f * 8.5f);
    // Integer sliders step by one with the arrow keys; the right key stops at the maximum, not at 9.
    s.value = 7.5f;
    EXPECT_EQ(s.handleEvent(keys(0, 102), kOx, kOy, out, true), kItemActivated);
    EXPECT_FLOAT_EQ(out, 8.5f);
    s.handleEvent(keys(0, 102), kOx, kOy, out, true);
    EXPECT_FLOAT_EQ(s.value, 8.5f);
    s.value = 0.5f;
    s.handleEvent(keys(0, 100), kOx, kOy, out, true);
    EXPECT_FLOAT_EQ(out, 0.0f);
    EXPECT_EQ(s.handleEvent(keys(0, 100), kOx, kOy, out, false), kItemIdle) << "keys need the focus";

    SliderItem f = makeSlider(0.5f, 0.0f, 2.0f, 0, 1);
    f.handleEvent(keys(0, 102), kOx, kOy, out, true);
    EXPECT_FLOAT_EQ(out, 0.52f) << "float sliders step by a hundredth of the range";
    // Following a held pointer (checked end to end) needs the focus; a press must be inside both ways.
    EXPECT_EQ(f.handleEvent(pointer(along(0.7f), 260, 2), kOx, kOy, out, false), kItemIdle);
    EXPECT_EQ(f.handleEvent(pointer(along(0.7f), 100, 1), kOx, kOy, out, false), kItemIdle);
}

TEST(DialogItem, ToggleFlipsOnPressOrEnterAndReportsItsNewState) {
    ToggleItem t;
    t.init("T", 3, 1, kToggle, 30, 200, 30, 30, 4.0f);
    EXPECT_TRUE(t.visible) << "a set bit value such as 4 starts it on";
    float out = -1;
    EXPECT_EQ(t.handleEvent(keys(13, 0), kOx, kOy, out, true), kItemActivated);
    EXPECT_FALSE(t.visible);
    EXPECT_FLOAT_EQ(out, 0.0f);
    EXPECT_EQ(t.handleEvent(keys(0, 100), kOx, kOy, out, true), kItemActivated) << "the side arrows flip it too";
    EXPECT_FLOAT_EQ(out, 1.0f);
    EXPECT_EQ(t.handleEvent(keys(13, 0), kOx, kOy, out, false), kItemIdle);
    EXPECT_EQ(t.handleEvent(pointer(145, 265, 1), kOx, kOy, out, false), kItemActivated);
    EXPECT_EQ(t.handleEvent(pointer(145, 265, 2), kOx, kOy, out, true), kItemIdle) << "holding does not flip again";
    t.init("T", 3, 1, kToggle, 30, 200, 30, 30, 0.9f);
    EXPECT_FALSE(t.visible) << "0.9 truncates to off";
}

TEST(DialogItem, ButtonActivatesOnReleaseInsideAndShowsDownOnlyOverIt) {
    ButtonItem b;
    b.init("B", 1, 2, kButton, 30, 200, 30, 30);
    float out = 0;
    EXPECT_EQ(b.handleEvent(pointer(140, 260, 1), kOx, kOy, out, false), kItemPressed);
    EXPECT_TRUE(b.visible);
    EXPECT_EQ(b.handleEvent(pointer(300, 260, 2), kOx, kOy, out, true), kItemIdle);
    EXPECT_FALSE(b.visible) << "held away from it";
    EXPECT_EQ(b.handleEvent(pointer(140, 260, 3), kOx, kOy, out, true), kItemActivated);
    EXPECT_TRUE(b.visible) << "stays down until the next press or build";
    b.handleEvent(pointer(140, 260, 1), kOx, kOy, out, false);
    EXPECT_EQ(b.handleEvent(pointer(300, 260, 3), kOx, kOy, out, true), kItemIdle) << "released outside";
    EXPECT_EQ(b.handleEvent(pointer(140, 260, 3), kOx, kOy, out, false), kItemIdle) << "released without focus";
    EXPECT_EQ(b.handleEvent(keys(13, 0), kOx, kOy, out, true), kItemActivated);
    EXPECT_EQ(b.handleEvent(keys(0, 103), kOx, kOy, out, true), kItemIdle) << "down moves the focus, it does not press";
}

TEST(DialogItem, CloseBoxTakesEveryPressAndClosesOnReleaseOverIt) {
    CloseBoxItem c;
    c.init("", 93, 1, kCloseBox, 240, 200, 30, 30);
    float out = 0;
    EXPECT_EQ(c.handleEvent(pointer(5, 5, 1), kOx, kOy, out, false), kItemPressed) << "a press anywhere";
    EXPECT_TRUE(c.visible);
    EXPECT_EQ(c.handleEvent(pointer(5, 5, 3), kOx, kOy, out, true), kItemIdle);
    EXPECT_TRUE(c.visible) << "empty space pressed shows the close box down";
    EXPECT_EQ(c.handleEvent(pointer(5, 5, 2), kOx, kOy, out, true), kItemIdle);
    EXPECT_FALSE(c.visible);
    EXPECT_EQ(c.handleEvent(pointer(350, 260, 3), kOx, kOy, out, true), kItemActivated);
    EXPECT_EQ(c.handleEvent(pointer(350, 260, 3), kOx, kOy, out, false), kItemIdle);
    EXPECT_EQ(c.handleEvent(keys(0, 102), kOx, kOy, out, true), kItemActivated);
}

TEST(DialogItem, TitleDragsWhilePressedAndNudgesWithTheArrowAndPageKeys) {
    TitleItem t;
    t.init("Title", 0, 0, kTitle, 30, 200, 30, 30);
    t.visible = 0;
    float out = 0;
    EXPECT_EQ(t.handleEvent(pointer(200, 260, 2), kOx, kOy, out, true), kItemIdle) << "not dragging yet";
    EXPECT_EQ(t.handleEvent(pointer(140, 260, 1), kOx, kOy, out, false), kItemMovesDialog);
    EXPECT_TRUE(t.visible);
    EXPECT_EQ(t.handleEvent(pointer(500, 10, 2), kOx, kOy, out, true), kItemMovesDialog) << "anywhere while held";
    EXPECT_EQ(t.handleEvent(pointer(500, 10, 2), kOx, kOy, out, false), kItemIdle);
    EXPECT_EQ(t.handleEvent(pointer(500, 10, 3), kOx, kOy, out, true), kItemMovesDialog);
    EXPECT_FALSE(t.visible);
    EXPECT_EQ(t.handleEvent(keys(0, 105), kOx, kOy, out, true), kItemMovesDialog);
    EXPECT_EQ(t.handleEvent(keys(0, 101), kOx, kOy, out, true), kItemIdle);
    EXPECT_EQ(t.handleEvent(keys(0, 100), kOx, kOy, out, false), kItemIdle);
}
