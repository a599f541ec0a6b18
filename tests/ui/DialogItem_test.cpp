// Dialog widgets: hit tests, slider value mapping, and the input state machines as tables of frames.
#include "support/TestSupport.h"
#include "ui/DialogItem.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr float kOx = 100, kOy = 50;  // the dialog's offset

// Screen x of a fraction of the slider's width.
float along(float f) { return kOx + 30 + f * 140; }

// One frame of a widget's life: the input, whether it has the focus, what it answers and its flag afterwards
// (on, pressed or dragging).
struct Frame { float x, y; int phase, key, special; bool focused; int result, state; };

// Every 30 x 30 box stands at (30, 200) in the dialog: screen x 130..160, y 250..280. (300, 260) is outside.
void play(DialogItem& item, const std::vector<Frame>& frames) {
    item.visible = 0;  // as the dialog creates it
    item.init("W", 1, 0, item.kind, 30, 200, 30, 30, 4.0f);
    for (size_t i = 0; i < frames.size(); ++i) {
        const Frame& f = frames[i];
        float out = -1;
        EXPECT_EQ(item.handleEvent(dialogInput(f.x, f.y, f.phase, f.key, f.special), kOx, kOy, out, f.focused), f.result)
            << "frame " << i;
        EXPECT_EQ(item.visible != 0, f.state != 0) << "frame " << i;
        EXPECT_TRUE(f.result != kItemActivated || item.kind != kToggle || out == f.state) << "frame " << i;
    }
}

}  // namespace

TEST(DialogItem, HitTestTruncatesAndCountsBothEdgesAsInside) {
    ButtonItem b;
    b.init("B", 1, 0, kButton, 30, 200, 30, 30);
    // 160.9 truncates onto the right edge; right of it only the vertical bit, below it only the horizontal one;
    // the offset truncates too.
    EXPECT_EQ(std::make_tuple(b.hitTest(160.9f, 280.9f, kOx, kOy), b.hitTest(161, 260, kOx, kOy),
                              b.hitTest(140, 249, kOx, kOy), b.hitTest(130, 250, kOx + 0.7f, kOy)),
              std::make_tuple(3, 2, 1, 3));
}

TEST(DialogItem, SlidersMapKnobAndPointerByTheirScaleAndKeysStepAndClamp) {
    // knob: where the knob stands before the input, as a fraction of the width.
    const struct { float value, lo, hi; int integer, linear; float x, y; int phase, special; bool focused;
                   float knob; int result; float out; } rows[] = {
        // The middle of a quadratic 0.1..4 slider is 1.075; a press where the knob of 1.0 stands gives 1.0 back.
        {1.0f, 0.1f, 4.0f, 0, 0, along(0.5f), 260, 1, 0, false, std::sqrt(0.9f / 3.9f), kItemActivated, 1.075f},
        {1.0f, 0.1f, 4.0f, 0, 0, along(std::sqrt(0.9f / 3.9f)), 260, 1, 0, false, 0.48038f, kItemActivated, 1.0f},
        {1.0f, 0.1f, 4.0f, 0, 0, along(1.0f), 250, 1, 0, false, 0.48038f, kItemActivated, 4.0f},  // the edge
        // A key or a file may take a setting beyond the range: the knob stays at the track's ends.
        {0.05f, 0.1f, 4.0f, 0, 0, 0, 0, 0, 0, false, 0, kItemIdle, -1},
        {9.0f, 0.1f, 4.0f, 0, 0, 0, 0, 0, 0, false, 1, kItemIdle, -1},
        {2.0f, 0, 8.5f, 1, 1, along(0.25f), 274, 1, 0, false, 2.0f / 8.5f, kItemActivated, 2.125f},
        // Integer sliders step by one, float ones by a hundredth of the range; both stop at the ends.
        {7.5f, 0, 8.5f, 1, 1, 0, 0, 0, 102, true, 7.5f / 8.5f, kItemActivated, 8.5f},
        {0.5f, 0, 8.5f, 1, 1, 0, 0, 0, 100, true, 0.5f / 8.5f, kItemActivated, 0.0f},
        {0.5f, 0, 2.0f, 0, 1, 0, 0, 0, 102, true, 0.25f, kItemActivated, 0.52f},
        {0.5f, 0, 8.5f, 1, 1, 0, 0, 0, 100, false, 0.5f / 8.5f, kItemIdle, -1},  // keys need the focus
        // A held pointer is followed only with the focus; a press must be inside both ways.
        {0.5f, 0, 2.0f, 0, 1, along(0.7f), 260, 2, 0, false, 0.25f, kItemIdle, -1},
        {0.5f, 0, 2.0f, 0, 1, along(0.7f), 100, 1, 0, false, 0.25f, kItemIdle, -1},
    };
    for (const auto& row : rows) {
        SliderItem s;  // 140 x 24 at (30, 200) in the dialog: screen x 130..270, y 250..274
        s.init("S", 7, 2, kSlider, 30, 200, 140, 24, row.value, row.lo, row.hi, float(row.integer), float(row.linear));
        EXPECT_NEAR(s.knobFraction(), row.knob, 1e-5) << row.value;
        float out = -1;
        EXPECT_EQ(s.handleEvent(dialogInput(row.x, row.y, row.phase, 0, row.special), kOx, kOy, out, row.focused), row.result);
        EXPECT_NEAR(out, row.out, 1e-4) << row.value;
    }
}

TEST(DialogItem, BoxesAnswerPressesReleasesAndKeysFrameByFrame) {
    // Frames of x, y, phase, key, special, focus -> result, state. A toggle built with 4.0 is on (a set bit);
    // Enter or a side arrow with the focus flips it, a press inside too, holding does not flip again.
    ToggleItem toggle;
    toggle.kind = kToggle;
    play(toggle, {{0, 0, 0, 0, 0, false, kItemIdle, 1}, {0, 0, 0, 13, 0, true, kItemActivated, 0},
                  {0, 0, 0, 0, 100, true, kItemActivated, 1}, {0, 0, 0, 13, 0, false, kItemIdle, 1},
                  {145, 265, 1, 0, 0, false, kItemActivated, 0}, {145, 265, 2, 0, 0, true, kItemIdle, 0}});
    // A button pressed takes the focus; held away from it, it is up; released over it, activated and down;
    // released outside or without the focus: nothing; Enter activates, down moves the focus without a press.
    ButtonItem button;
    button.kind = kButton;
    play(button, {{140, 260, 1, 0, 0, false, kItemPressed, 1}, {300, 260, 2, 0, 0, true, kItemIdle, 0},
                  {140, 260, 3, 0, 0, true, kItemActivated, 1}, {140, 260, 1, 0, 0, false, kItemPressed, 1},
                  {300, 260, 3, 0, 0, true, kItemIdle, 1}, {140, 260, 3, 0, 0, false, kItemIdle, 1},
                  {0, 0, 0, 13, 0, true, kItemActivated, 1}, {0, 0, 0, 0, 103, true, kItemIdle, 1}});
    // The close box takes a press anywhere, shows down while empty space is pressed, and activates when
    // released over it with the focus, or by the right arrow.
    CloseBoxItem close;
    close.kind = kCloseBox;
    play(close, {{5, 5, 1, 0, 0, false, kItemPressed, 1}, {5, 5, 3, 0, 0, true, kItemIdle, 1},
                 {5, 5, 2, 0, 0, true, kItemIdle, 0}, {140, 260, 3, 0, 0, true, kItemActivated, 0},
                 {140, 260, 3, 0, 0, false, kItemIdle, 0}, {0, 0, 0, 0, 102, true, kItemActivated, 0}});
    // The title drags from a press until the release, anywhere while held with the focus; page and side keys
    // nudge, other keys do not.
    TitleItem title;
    title.kind = kTitle;
    play(title, {{200, 260, 2, 0, 0, true, kItemIdle, 0}, {140, 260, 1, 0, 0, false, kItemMovesDialog, 1},
                 {500, 10, 2, 0, 0, true, kItemMovesDialog, 1}, {500, 10, 2, 0, 0, false, kItemIdle, 1},
                 {500, 10, 3, 0, 0, true, kItemMovesDialog, 0}, {0, 0, 0, 0, 105, true, kItemMovesDialog, 0},
                 {0, 0, 0, 0, 101, true, kItemIdle, 0}, {0, 0, 0, 0, 100, false, kItemIdle, 0}});
}
