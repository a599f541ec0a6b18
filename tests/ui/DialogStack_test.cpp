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

    static DialogInput pointer(float x, float y, int phase) {
        DialogInput in;
        in.x = x;
        in.y = y;
        in.left = phase;
        return in;
    }
    static DialogInput special(int code) {
        DialogInput in;
        in.specialKey = code;
        return in;
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

TEST_F(Stack, ATitleBringsItsCloseBoxAndTheCursorMovesByKind) {
    d->cursorX = 30;
    d->cursorY = 400;
    EXPECT_EQ(d->addItem(kTitle, "Title", 0), 0);
    ASSERT_EQ(d->itemCount, 2);
    DialogItem* close = d->item(1);
    EXPECT_EQ(close->kind, kCloseBox);
    EXPECT_FLOAT_EQ(close->position.x, 240);
    EXPECT_FLOAT_EQ(close->position.y, 400) << "the close box shares the title's row";
    d->addItem(kSlider, "S", 5, 0.5f, 0, 1, 0, 1);
    d->addItem(kToggle, "T", 6, 1);
    EXPECT_EQ(d->cursorY, 280) << "50 for the title, 30 for a slider, 40 for a toggle";
}

TEST_F(Stack, ASameIdIsReinitialisedInPlaceAndAFullPageRefusesMore) {
    d->cursorY = 400;
    d->addItem(kSlider, "S", 5, 0.5f, 0, 1, 0, 1);
    d->addItem(kButton, "B", 6);
    d->cursorY = 100;
    EXPECT_EQ(d->addItem(kSlider, "S", 5, 0.75f, 0, 1, 0, 1), 0);
    EXPECT_EQ(d->itemCount, 2);
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(d->item(0))->value, 0.75f);
    EXPECT_FLOAT_EQ(d->item(0)->position.y, 100);
    for (int id = 10; d->itemCount < DialogStack::kMaxItems; ++id) ASSERT_GE(d->addItem(kButton, "B", id), 0);
    EXPECT_EQ(d->addItem(kButton, "B", 999), -1);
    EXPECT_EQ(d->itemCount, 50);
    EXPECT_EQ(d->addItem(kButton, "again", 6), 1) << "an existing id is still found on a full page";
}

TEST_F(Stack, BuildingLogsOnceAndAResetClearsWhileARefreshKeepsFocusAndOffset) {
    d->buildPage(1, 1);
    d->buildPage(1, 1);
    EXPECT_EQ(readFile("app.log"), "Dialog Init...\n");
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
    EXPECT_NE(readFile("app.log").find("** Attempt to pop no dialog\n"), std::string::npos);
    EXPECT_EQ(d->pageId, 1) << "the page shown stays";
    d->offsetX = 40;
    d->offsetY = -12;
    d->openPage(2, 1);
    EXPECT_EQ(d->pageId, 2);
    EXPECT_FLOAT_EQ(d->offsetX, 40) << "a page opened from another stands where it stood";
    EXPECT_FLOAT_EQ(d->offsetY, -12);
    for (int i = 0; i < 18; ++i) d->openPage(i % 2 ? 5 : 6, 1);
    EXPECT_EQ(d->stackDepth, 19);
    d->push();
    EXPECT_EQ(d->stackDepth, 19);
    EXPECT_NE(readFile("app.log").find("** Attempt to push dialog beyond limits\n"), std::string::npos);
    d->openPage(7, 1);  // refused too: its way back is lost
    int pops = 0;
    while (d->stackDepth > 0) {
        d->pop();
        ++pops;
    }
    EXPECT_EQ(pops, 19);
    EXPECT_EQ(d->pageId, 1);
    EXPECT_FLOAT_EQ(d->offsetX, 0) << "a plain pop rebuilds from scratch";
}

TEST_F(Stack, FocusKeysWrapBothWays) {
    smallPage();
    ASSERT_EQ(d->itemCount, 5);
    d->focusKeys(special(101));
    EXPECT_EQ(d->focus, 4);
    DialogInput tab;
    tab.key = 9;
    d->focusKeys(tab);
    EXPECT_EQ(d->focus, 0);
    d->focusKeys(special(103));
    EXPECT_EQ(d->focus, 1);
}

TEST_F(Stack, TitleDragMovesTheDialogAndNudgesDoNotMoveTheDragBase) {
    smallPage();
    d->handleEvents(pointer(40, 410, 1));
    EXPECT_EQ(d->focus, 0);
    d->handleEvents(pointer(90, 415, 2));
    EXPECT_FLOAT_EQ(d->offsetX, 50);
    EXPECT_FLOAT_EQ(d->offsetY, 5);
    d->handleEvents(pointer(90, 415, 3));
    d->handleEvents(special(100));
    EXPECT_FLOAT_EQ(d->offsetX, 48);
    d->handleEvents(special(104));
    EXPECT_FLOAT_EQ(d->offsetY, 7);
    // The next drag starts from where the last drag ended, not from the nudged place.
    d->handleEvents(pointer(100, 410, 1));
    d->handleEvents(pointer(110, 410, 2));
    EXPECT_FLOAT_EQ(d->offsetX, 60);
    EXPECT_FLOAT_EQ(d->offsetY, 5);
}

TEST_F(Stack, OneActivationPerFrameAndPressesMoveTheFocus) {
    smallPage();
    // Buttons 1..3 stand at y 350, 310, 270 (after the title row's 50 pixels).
    d->handleEvents(pointer(40, 320, 1));
    EXPECT_EQ(d->focus, 3) << "the pressed button (after the close box took the press)";
    EXPECT_EQ(d->activatedId, -1);
    d->handleEvents(pointer(40, 320, 3));
    EXPECT_EQ(d->activatedId, 2);
    d->handleEvents(pointer(600, 10, 1));
    EXPECT_EQ(d->focus, 1) << "empty space: the close box keeps the focus";
    EXPECT_TRUE(d->item(1)->visible);
    d->focus = 2;
    DialogInput enter;
    enter.key = 13;
    d->handleEvents(enter);
    EXPECT_EQ(d->activatedId, 1);
    d->handleEvents(DialogInput());
    EXPECT_EQ(d->activatedId, -1) << "cleared every frame";
}

TEST_F(Stack, TheSlideTakesAThirdOfASecondAndBrightensTheText) {
    DialogItem::textBox = &dialogText;
    smallPage();
    frameClock.dt = 0.1f;
    d->targetOpen = 1;
    d->drawDialog();
    EXPECT_FLOAT_EQ(d->openLevel, 0.3f);
    EXPECT_FLOAT_EQ(dialogText.brightness, 0.3f);
    for (int i = 0; i < 5; ++i) d->drawDialog();
    EXPECT_FLOAT_EQ(d->openLevel, 1.0f);
    DialogItem::textBox = nullptr;
}

TEST_F(Stack, RunUsesTheFrameInputOnceEvenWhenThePictureIsDrawnTwice) {
    smallPage();
    int actions = 0;
    static int* counter;
    counter = &actions;
    d->dispatch = [] { ++*counter; };
    d->focus = 2;
    keyboard.key = 13;
    frameClock.time = 5.0;
    d->run();
    d->run();  // the splinter capture's picture of the same frame
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(d->activatedId, 1);
    frameClock.time = 5.02;
    d->run();
    EXPECT_EQ(actions, 2);
}
