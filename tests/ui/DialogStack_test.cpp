// The dialog stack: placement, page stack limits and log lines, focus keys, drag and nudge, the scan and the slide.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include "ui/DialogStack.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

class Stack : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        screen.width = 800;
        screen.height = 600;  // pages start at 0.7 x 600 = 420
        d = std::make_unique<DialogStack>();
    }

    // A title row and three buttons 40 pixels apart, as a page would place them.
    void smallPage() {
        d->clearItems();
        d->cursorX = 30;
        d->cursorY = 400;
        d->addItem(kTitle, "T", 0);
        for (int id = 1; id <= 3; ++id) d->addItem(kButton, "B", id);
    }

    ScratchDir dir;  // the log file of these tests
    std::unique_ptr<DialogStack> d;
};

}  // namespace

TEST_F(Stack, WidgetsArePlacedByKindReusedByIdAndRefusedWhenThePageIsFull) {
    d->cursorY = 400;
    EXPECT_EQ(d->addItem(kTitle, "Title", 0), 0);
    ASSERT_EQ(d->itemCount, 2);
    EXPECT_EQ(d->item(1)->kind, kCloseBox);
    EXPECT_FLOAT_EQ(d->item(1)->position.x, 240);
    EXPECT_FLOAT_EQ(d->item(1)->position.y, 400) << "the close box shares the title's row";
    d->addItem(kSlider, "S", 5, 0.5f, 0, 1, 0, 1);
    d->addItem(kToggle, "T", 6, 1);
    EXPECT_EQ(d->cursorY, 280) << "50 for the title, 30 for a slider, 40 for a toggle";
    EXPECT_EQ(d->addItem(kSlider, "S", 5, 0.75f, 0, 1, 0, 1), 2) << "the same id, at its index";
    EXPECT_EQ(d->itemCount, 4);
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(d->item(2))->value, 0.75f);
    EXPECT_FLOAT_EQ(d->item(2)->position.y, 280);
    for (int id = 10; d->itemCount < DialogStack::kMaxItems; ++id) ASSERT_GE(d->addItem(kButton, "B", id), 0);
    EXPECT_EQ(d->addItem(kButton, "B", 999), -1);
    EXPECT_EQ(d->itemCount, 50);
    EXPECT_EQ(d->addItem(kToggle, "again", 6), 3) << "an existing id is still found on a full page";
}

TEST(OverlayFit, ABlockThatFitsStaysAndOneThatDoesNotIsMovedInThenDrawnSmaller) {
    const OverlayBox room = overlayRoom(640, 480);  // 4 .. 636 across, 4 .. 450 up
    const struct {
        OverlayBox box;
        float scale, shiftX, shiftY;
    } rows[] = {
        {{30, 31, 300, 366}, 1, 0, 0},                    // fits: exactly where it stood
        {{30, -44, 636, 366}, 1, 0, 48},                  // too low: moved up to the margin
        {{30, 200, 300, 470}, 1, 0, -20},                 // too high: moved down under the status line
        {{-10, 100, 200, 300}, 1, 14, 0},                 // too far left: moved right
        {{30, -149, 703, 366}, 446.0f / 515, 4.02f, 133.04f},  // too tall: smaller about its top-left, then up
        {{30, 100, 1294, 300}, 0.5f, -11, 150},           // too wide: half size, against the left margin
    };
    for (const auto& row : rows) {
        OverlayFit fit = fitInto(row.box, room);
        EXPECT_NEAR(fit.scale, row.scale, 1e-4) << row.box.right;
        EXPECT_NEAR(fit.shiftX, row.shiftX, 0.01) << row.box.right;
        EXPECT_NEAR(fit.shiftY, row.shiftY, 0.01) << row.box.right;
        EXPECT_NEAR(fit.blockX(row.shiftX + row.scale * 50), 50, 1e-3) << "the pointer goes back through the fit";
    }
}

TEST_F(Stack, ARefreshKeepsFocusAndOffsetAndAResetClearsThem) {
    d->buildPage(1, 1);
    int count = d->itemCount;
    d->focus = 3;
    d->offsetX = 25;
    d->rebuildRequest = 1;
    d->buildPage(1, 0);
    EXPECT_EQ(d->rebuildRequest, 0);
    EXPECT_EQ(d->itemCount, count);
    EXPECT_EQ(d->focus + d->offsetX, 3 + 25);
    d->buildPage(1, 1);
    EXPECT_EQ(d->focus + d->offsetX, 0);
}

TEST_F(Stack, PagesStackUpToNineteenAndPopBackWithLogLinesBeyond) {
    d->buildPage(1, 1);
    d->pop();
    EXPECT_EQ(d->pageId, 1) << "the page shown stays";
    d->offsetX = 40;
    d->openPage(2, 1);
    EXPECT_EQ(d->pageId, 2);
    EXPECT_FLOAT_EQ(d->offsetX, 40) << "a page opened from another stands where it stood";
    for (int i = 0; i < 19; ++i) d->openPage(i % 2 ? 5 : 6, 1);  // the last is refused: its way back is lost
    EXPECT_EQ(d->stackDepth, 19);
    while (d->stackDepth > 0) d->pop();
    EXPECT_EQ(d->pageId, 1);
    EXPECT_FLOAT_EQ(d->offsetX, 0) << "a plain pop rebuilds from scratch";
    EXPECT_EQ(readFile("app.log"), "Dialog Init...\n** Attempt to pop no dialog\n"
                                   "** Attempt to push dialog beyond limits\n");
}

TEST_F(Stack, TitleDragMovesTheDialogAndNudgesDoNotMoveTheDragBase) {
    smallPage();
    d->handleEvents(dialogInput(40, 410, 1));
    d->handleEvents(dialogInput(90, 415, 2));
    EXPECT_FLOAT_EQ(d->offsetX, 50);
    EXPECT_FLOAT_EQ(d->offsetY, 5);
    d->handleEvents(dialogInput(90, 415, 3));
    d->handleEvents(dialogInput(0, 0, 0, 0, 100));
    EXPECT_FLOAT_EQ(d->offsetX, 48);
    d->handleEvents(dialogInput(0, 0, 0, 0, 104));
    EXPECT_FLOAT_EQ(d->offsetY, 7);
    // The next drag starts from where the last drag ended, not from the nudged place.
    d->handleEvents(dialogInput(100, 410, 1));
    d->handleEvents(dialogInput(110, 410, 2));
    EXPECT_FLOAT_EQ(d->offsetX, 60);
    EXPECT_FLOAT_EQ(d->offsetY, 5);
}

TEST_F(Stack, FocusKeysWrapAndPressesMoveTheFocusForOneActivationPerFrame) {
    smallPage();
    ASSERT_EQ(d->itemCount, 5);
    d->focusKeys(dialogInput(0, 0, 0, 0, 101));
    EXPECT_EQ(d->focus, 4) << "up from the first";
    d->focusKeys(dialogInput(0, 0, 0, 9));
    EXPECT_EQ(d->focus, 0) << "Tab from the last";
    d->focusKeys(dialogInput(0, 0, 0, 0, 103));
    EXPECT_EQ(d->focus, 1);
    // Buttons 1..3 stand at y 350, 310, 270 (after the title row's 50 pixels).
    d->handleEvents(dialogInput(40, 320, 1));
    EXPECT_EQ(d->focus, 3) << "the pressed button (after the close box took the press)";
    EXPECT_EQ(d->activatedId, -1);
    d->handleEvents(dialogInput(40, 320, 3));
    EXPECT_EQ(d->activatedId, 2);
    d->handleEvents(dialogInput(600, 10, 1));
    EXPECT_EQ(d->focus, 1) << "empty space: the close box keeps the focus";
    EXPECT_TRUE(d->item(1)->visible);
    d->focus = 2;
    d->handleEvents(dialogInput(0, 0, 0, 13));
    EXPECT_EQ(d->activatedId, 1);
    d->handleEvents(DialogInput());
    EXPECT_EQ(d->activatedId, -1) << "cleared every frame";
}
