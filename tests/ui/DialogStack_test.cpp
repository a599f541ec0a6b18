// The dialog stack: placement, page stack limits and log lines, focus keys, drag and nudge, and fitting into a window.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include "ui/DialogStack.h"
#include <gtest/gtest.h>
#include <memory>

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
        {{30, 100, 1294, 300}, 0.5f, -11, 150},
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
