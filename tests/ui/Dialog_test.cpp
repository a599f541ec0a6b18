// Dialogs: widget hit tests, slider mapping and input frame by frame; the page stack, placement, focus and drag;
// fitting into a window; and the pages' text style, layout and the values their widgets show.
#include "app/Globals.h"
#include "app/Startup.h"
#include "support/TestSupport.h"
#include "ui/DialogItem.h"
#include "ui/DialogStack.h"
#include "ui/MenuPages.h"
#include "world/TerrainPasses.h"
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

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
    // A label starts after its widget: 15 pixels after a button, after the "On"/"Off" of a toggle, and after the
    // value of a slider, both measured in the font's size of 20.
    ToggleItem t;
    SliderItem sl;
    t.init("W", 1, 0, kToggle, 30, 200, 30, 30, 1.0f);
    sl.init("S", 7, 2, kSlider, 30, 200, 140, 24, 1, 0, 2, 0, 1);
    DialogItem::textBox = &dialogText;
    DialogItem::fontSize = 20;
    std::string rights;
    for (const DialogItem* item : {static_cast<DialogItem*>(&b), static_cast<DialogItem*>(&t), static_cast<DialogItem*>(&sl)}) {
        OverlayBox box = {0, 0, 0, 0};
        item->growBox(box);
        rights += std::to_string(int(box.right)) + " ";
    }
    DialogItem::textBox = nullptr;
    EXPECT_EQ(rights, "88 193 333 ") << "the one-letter labels end 13 pixels after they start";
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
    // released outside or without the focus: nothing; Enter activates, down moves the focus without a press;
    // a press elsewhere lifts it.
    ButtonItem button;
    button.kind = kButton;
    play(button, {{140, 260, 1, 0, 0, false, kItemPressed, 1}, {300, 260, 2, 0, 0, true, kItemIdle, 0},
                  {140, 260, 3, 0, 0, true, kItemActivated, 1}, {140, 260, 1, 0, 0, false, kItemPressed, 1},
                  {300, 260, 3, 0, 0, true, kItemIdle, 1}, {140, 260, 3, 0, 0, false, kItemIdle, 1},
                  {0, 0, 0, 13, 0, true, kItemActivated, 1}, {0, 0, 0, 0, 103, true, kItemIdle, 1},
                  {300, 260, 1, 0, 0, true, kItemIdle, 0}});
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

namespace {

class Stack : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        screen.width = 800, screen.height = 600;  // pages start at 0.7 x 600 = 420
        d = std::make_unique<DialogStack>();
    }
    // A title row and three buttons 40 pixels apart at y 350, 310, 270, as a page would place them.
    void smallPage() {
        d->cursorX = 30, d->cursorY = 400;
        d->addItem(kTitle, "T", 0);
        for (int id = 1; id <= 3; ++id) d->addItem(kButton, "B", id);
    }
    float offsets() const { return d->offsetX * 1000 + d->offsetY; }

    ScratchDir dir;  // the log file of these tests
    std::unique_ptr<DialogStack> d;
};

}  // namespace

TEST_F(Stack, WidgetsArePlacedByKindReusedByIdAndRefusedWhenThePageIsFull) {
    d->cursorY = 400;
    // The title brings a close box on its row; then 50 for the title, 30 for a slider, 40 for a toggle.
    EXPECT_EQ(d->addItem(kTitle, "Title", 0) + d->addItem(kSlider, "S", 5, 0.5f, 0, 1, 0, 1) + d->addItem(kToggle, "T", 6, 1), 5);
    EXPECT_EQ(std::make_tuple(d->item(1)->kind, d->item(1)->position.x, d->item(1)->position.y, d->cursorY),
              std::make_tuple(kCloseBox, 240.0f, 400.0f, 280.0f));
    EXPECT_EQ(d->addItem(kSlider, "S", 5, 0.75f, 0, 1, 0, 1) * 10 + d->itemCount, 24) << "the same id, at its index";
    EXPECT_EQ(static_cast<SliderItem*>(d->item(2))->value * 1000 + d->item(2)->position.y, 1030.0f);
    for (int id = 10; d->itemCount < DialogStack::kMaxItems; ++id) ASSERT_GE(d->addItem(kButton, "B", id), 0);
    EXPECT_EQ(d->addItem(kButton, "B", 999) * 100 + d->itemCount, -100 + 50);
    EXPECT_EQ(d->addItem(kToggle, "again", 6), 3) << "an existing id is still found on a full page";
}

TEST(OverlayFit, ABlockThatFitsStaysAndOneThatDoesNotIsMovedInThenDrawnSmaller) {
    const OverlayBox room = overlayRoom(640, 480);  // 4 .. 636 across, 4 .. 450 up
    // Fits; too low; too high (under the status line); too far left; too tall: smaller about its top-left, then
    // up; too wide: half size against the left margin.
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
    smallPage();
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
        EXPECT_EQ(offsets(), f.offsets) << f.x << " " << f.special;
    }
    EXPECT_TRUE(d->item(1)->visible);
}

TEST(Pages, TextStyleLayoutAndWidgetValuesFollowThePageAndTheSettings) {
    ScratchDir dir;
    resetProgramState();
    initPref();
    appState.worldSize = 8.0f, screen.height = 600;
    auto d = std::make_unique<DialogStack>();
    auto slider = [&](int i) { return static_cast<SliderItem*>(d->item(i)); };
    // Menu pages write large shaking text, settings pages small steady text; every title brings its close box.
    DialogItem::textBox = &dialogText;
    for (auto [page, size] : {std::pair<int, int>{1, 20}, {5, 10}, {4, 20}, {0, 10}}) {
        d->buildPage(page, 1);
        EXPECT_EQ(DialogItem::fontSize * 10 + dialogText.shakeOn + dialogText.alphaTest, size * 10 + (size == 20) * 2);
        EXPECT_EQ(d->item(1)->id, 93) << "page " << page;
    }
    DialogItem::textBox = nullptr;
    // Title row at 0.7 x 600 = 420, then 50 lower; toggles 40 apart, sliders 30, with the page's extra moves.
    d->buildPage(10, 1);
    const float rows[][2] = {{30, 420}, {240, 420}, {70, 370}, {70, 315}, {70, 270},
                             {30, 230}, {70, 175}, {30, 135}, {70, 80},  {30, 40}};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(d->item(i)->position.x * 1000 + d->item(i)->position.y, rows[i][0] * 1000 + rows[i][1]) << i;

    prefs.lightmap = -9;  // off, remembering film noise and vignette: the combination slider shows the magnitude
    d->buildPage(9, 1);
    EXPECT_FLOAT_EQ(slider(7)->value, 9);
    prefs.lightmap = 9;
    d->buildPage(9, 0);
    const int on[] = {1, 0, 0, 0, 0, 1};  // film, TV, Z, X grating, Y grating, vignette
    for (int i = 0; i < 6; ++i) EXPECT_EQ(d->item(8 + i)->visible != 0, on[i] == 1) << d->item(8 + i)->label;
    camera.eyeOffset[1] = 1.5f, prefs.paused = 1;
    d->buildPage(5, 1);
    EXPECT_EQ(std::make_tuple(slider(3)->value, slider(3)->maxValue, d->item(9)->visible), std::make_tuple(1.5f, 16.0f, 1))
        << "the camera height up to twice the world size of 8, the pause on";
    multiPassCloudShadow = 0;
    d->buildPage(0, 1);
    EXPECT_FALSE(d->item(8)->visible);
    multiPassCloudShadow = 1;
    // Without sound the Sound button is missing and the next button moves up into its place.
    for (int sound : {1, 0}) {
        appState.soundEnabled = sound;
        d->buildPage(2, 1);
        int found = 0;
        for (int i = 0; i < d->itemCount; ++i) found += std::string(d->item(i)->label) == "Sound...";
        EXPECT_EQ(d->itemCount * 10 + found, (8 + sound) * 10 + sound);
    }
    EXPECT_FLOAT_EQ(d->item(5)->position.y, 240);
}
