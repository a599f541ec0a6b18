// Dialogs: slider mapping and widget input frame by frame; the page stack, focus and drag; fitting into a window.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include "ui/DialogItem.h"
#include "ui/DialogStack.h"
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr float kOx = 100, kOy = 50;  // the dialog's offset

// Screen x of a fraction of the slider's width.
float along(float f) { return kOx + 30 + f * 140; }

// One frame of a widget: input, focus, what it answers and its flag afterwards (on, pressed or dragging).
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
    // A toggle built with 4.0 is on; Enter, a side arrow with the focus or a press inside flips it, holding does not.
    ToggleItem toggle;
    toggle.kind = kToggle;
    play(toggle, {{0, 0, 0, 0, 0, false, kItemIdle, 1}, {0, 0, 0, 13, 0, true, kItemActivated, 0},
                  {0, 0, 0, 0, 100, true, kItemActivated, 1}, {0, 0, 0, 13, 0, false, kItemIdle, 1},
                  {145, 265, 1, 0, 0, false, kItemActivated, 0}, {145, 265, 2, 0, 0, true, kItemIdle, 0}});
    // A button is up when held away, activated when released over it with the focus or by Enter; a press elsewhere lifts it.
    ButtonItem button;
    button.kind = kButton;
    play(button, {{140, 260, 1, 0, 0, false, kItemPressed, 1}, {300, 260, 2, 0, 0, true, kItemIdle, 0},
                  {140, 260, 3, 0, 0, true, kItemActivated, 1}, {140, 260, 1, 0, 0, false, kItemPressed, 1},
                  {300, 260, 3, 0, 0, true, kItemIdle, 1}, {140, 260, 3, 0, 0, false, kItemIdle, 1},
                  {0, 0, 0, 13, 0, true, kItemActivated, 1}, {0, 0, 0, 0, 103, true, kItemIdle, 1},
                  {300, 260, 1, 0, 0, true, kItemIdle, 0}});
    // The close box takes a press anywhere and activates when released over it with the focus, or by the right arrow.
    CloseBoxItem close;
    close.kind = kCloseBox;
    play(close, {{5, 5, 1, 0, 0, false, kItemPressed, 1}, {5, 5, 3, 0, 0, true, kItemIdle, 1},
                 {5, 5, 2, 0, 0, true, kItemIdle, 0}, {140, 260, 3, 0, 0, true, kItemActivated, 0},
                 {140, 260, 3, 0, 0, false, kItemIdle, 0}, {0, 0, 0, 0, 102, true, kItemActivated, 0}});
    // The title drags from a press until the release; page and side keys nudge, other keys do not.
    TitleItem title;
    title.kind = kTitle;
    play(title, {{200, 260, 2, 0, 0, true, kItemIdle, 0}, {140, 260, 1, 0, 0, false, kItemMovesDialog, 1},
                 {500, 10, 2, 0, 0, true, kItemMovesDialog, 1}, {500, 10, 2, 0, 0, false, kItemIdle, 1},
                 {500, 10, 3, 0, 0, true, kItemMovesDialog, 0}, {0, 0, 0, 0, 105, true, kItemMovesDialog, 0},
                 {0, 0, 0, 0, 101, true, kItemIdle, 0}, {0, 0, 0, 0, 100, false, kItemIdle, 0}});
}

class Stack : public testing::Test {
protected:
    void SetUp() override { resetProgramState(), screen.width = 800, screen.height = 600, d = std::make_unique<DialogStack>(); }
    ScratchDir dir;  // the log file of these tests
    std::unique_ptr<DialogStack> d;
};

TEST(OverlayFit, ABlockThatFitsStaysAndOneThatDoesNotIsMovedInThenDrawnSmaller) {
    const OverlayBox room = overlayRoom(640, 480);  // 4 .. 636 across, 4 .. 450 up
    // Fits; too low; too high; too far left; too tall: smaller about its top-left, then up; too wide: half size.
    const struct { OverlayBox box; float scale, shiftX, shiftY; } rows[] = {
        {{30, 31, 300, 366}, 1, 0, 0}, {{30, -44, 636, 366}, 1, 0, 48}, {{30, 200, 300, 470}, 1, 0, -20},
        {{-10, 100, 200, 300}, 1, 14, 0}, {{30, -149, 703, 366}, 446.0f / 515, 4.02f, 133.04f},
        {{30, 100, 1294, 300}, 0.5f, -11, 150}, {{0, 0, 10000, 100}, 0.1f, 4, 90},  // never below a tenth
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.box.right);
        OverlayFit fit = fitInto(row.box, room);
        EXPECT_NEAR(fit.scale, row.scale, 1e-4);
        EXPECT_NEAR(fit.shiftX, row.shiftX, 0.01);
        EXPECT_NEAR(fit.shiftY, row.shiftY, 0.01);
        EXPECT_NEAR(fit.blockX(row.shiftX + row.scale * 50), 50, 1e-3) << "the pointer goes back through the fit";
    }
}

TEST_F(Stack, PagesStackUpToNineteenPopBackWithLogLinesBeyondAndRefreshesKeepFocusAndPlace) {
    d->buildPage(1, 1);
    const int count = d->itemCount;
    d->focus = 3, d->offsetX = 25, d->rebuildRequest = 1;
    d->buildPage(1, 0);
    EXPECT_EQ(d->rebuildRequest * 100 + d->itemCount, count);
    EXPECT_EQ(d->focus + d->offsetX, 3 + 25);
    d->pop();
    EXPECT_EQ(d->pageId, 1) << "the page shown stays";
    d->offsetX = 40;
    d->openPage(2, 1);
    EXPECT_EQ(d->pageId * 1000 + d->offsetX, 2040) << "a page opened from another stands where it stood";
    for (int i = 0; i < 19; ++i) d->openPage(i % 2 ? 5 : 6, 1);  // the last is refused: its way back is lost
    EXPECT_EQ(d->stackDepth, 19);
    while (d->stackDepth > 0) d->pop();
    EXPECT_EQ(d->pageId, 1);
    EXPECT_EQ(d->focus + d->offsetX, 0) << "a plain pop rebuilds from scratch";
    EXPECT_EQ(readFile("app.log"), "Dialog Init...\n** Attempt to pop no dialog\n"
                                   "** Attempt to push dialog beyond limits\n");
}

TEST_F(Stack, FocusKeysWrapPressesMoveTheFocusAndTheTitleDragsWhileNudgesKeepTheDragBase) {
    // A title row and three buttons 40 pixels apart at y 350, 310, 270, as a page would place them.
    d->cursorX = 30, d->cursorY = 400;
    d->addItem(kTitle, "T", 0);
    for (int id = 1; id <= 3; ++id) d->addItem(kButton, "B", id);
    ASSERT_EQ(d->itemCount, 5);
    // (x, y, phase, key, special) in; the focus, the activated id and the offsets (x * 1000 + y) afterwards.
    const struct { float x, y; int phase, key, special, focus, activated; float offsets; } frames[] = {
        {0, 0, 0, 0, 101, 4, -1, 0},      // up from the first
        {0, 0, 0, 9, 0, 0, -1, 0},        // Tab from the last
        {0, 0, 0, 0, 103, 1, -1, 0},      // down
        {40, 320, 1, 0, 0, 3, -1, 0},     // the pressed button takes it (after the close box took the press)
        {40, 320, 3, 0, 0, 3, 2, 0},      // released over it: activated
        {600, 10, 1, 0, 0, 1, -1, 0},     // empty space: the close box keeps the focus
        {0, 0, 0, 9, 0, 2, -1, 0},
        {0, 0, 0, 13, 0, 2, 1, 0},        // Enter on the first button
        {0, 0, 0, 0, 0, 2, -1, 0},        // cleared every frame
        {40, 410, 1, 0, 0, 0, -1, 0},     // the title is pressed...
        {90, 415, 2, 0, 0, 0, -1, 50005}, // ...and dragged
        {90, 415, 3, 0, 0, 0, -1, 50005},
        {0, 0, 0, 0, 100, 0, -1, 48005},  // nudged left
        {0, 0, 0, 0, 104, 0, -1, 48007},  // and up
        {100, 410, 1, 0, 0, 0, -1, 48007},
        {110, 410, 2, 0, 0, 0, -1, 60005},  // the next drag starts from where the last drag ended
    };
    for (const auto& f : frames) {
        const DialogInput in = dialogInput(f.x, f.y, f.phase, f.key, f.special);
        if (f.key == 9 || f.special == 101 || f.special == 103) d->focusKeys(in);  // Tab, up, down
        else d->handleEvents(in);
        EXPECT_EQ(d->focus * 10 + d->activatedId, f.focus * 10 + f.activated) << f.x << " " << f.special;
        EXPECT_EQ(d->offsetX * 1000 + d->offsetY, f.offsets) << f.x << " " << f.special;
    }
    EXPECT_TRUE(d->item(1)->visible);
    for (int id = 10; d->itemCount < DialogStack::kMaxItems; ++id) d->addItem(kButton, "B", id);
    EXPECT_EQ(d->addItem(kButton, "B", 999) * 100 + d->itemCount, -100 + 50) << "a full page refuses more";
}
