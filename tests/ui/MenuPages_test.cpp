// Page contents: the text style of menu and settings pages, the layout, and the values the widgets show.
#include "app/Globals.h"
#include "app/Startup.h"
#include "support/TestSupport.h"
#include "ui/DialogStack.h"
#include "ui/MenuPages.h"
#include "world/TerrainPasses.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

class Pages : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        initPref();
        appState.worldSize = 8.0f;
        appState.soundEnabled = 1;
        screen.height = 600;
        d = std::make_unique<DialogStack>();
    }
    // Lower-left corner of widget i; the title row stands at 0.7 x 600 = 420.
    std::pair<float, float> at(int i) { return {d->item(i)->position.x, d->item(i)->position.y}; }

    ScratchDir dir;
    std::unique_ptr<DialogStack> d;
};

}  // namespace

TEST_F(Pages, MenuPagesWriteLargeShakingTextAndSettingsPagesSmallSteadyText) {
    DialogItem::textBox = &dialogText;
    for (auto [page, size] : {std::pair<int, int>{1, 20}, {5, 10}, {4, 20}, {0, 10}}) {
        d->buildPage(page, 1);
        EXPECT_EQ(DialogItem::fontSize, size) << "page " << page;
        EXPECT_EQ(dialogText.shakeOn + dialogText.alphaTest, size == 20 ? 2 : 0) << "page " << page;
        EXPECT_EQ(d->item(1)->id, 93) << "every title brings its close box";
    }
    DialogItem::textBox = nullptr;
}

TEST_F(Pages, LayoutFollowsTheCursorRows) {
    d->buildPage(10, 1);
    // Title row at 420, then 50 lower; toggles 40 apart, sliders 30, with the page's extra moves.
    const std::pair<float, float> expected[] = {{30, 420}, {240, 420}, {70, 370}, {70, 315}, {70, 270},
                                                {30, 230}, {70, 175}, {30, 135}, {70, 80},  {30, 40}};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(at(i), expected[i]) << "widget " << i;
}

TEST_F(Pages, WidgetsShowTheCurrentSettings) {
    prefs.lightmap = -9;  // off, remembering film noise and vignette
    d->buildPage(9, 1);
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(d->item(7))->value, 9) << "the combination slider shows the magnitude";
    prefs.lightmap = 9;
    d->buildPage(9, 0);
    const int on[] = {1, 0, 0, 0, 0, 1};  // film, TV, Z, X grating, Y grating, vignette
    for (int i = 0; i < 6; ++i) EXPECT_EQ(d->item(8 + i)->visible != 0, on[i] == 1) << d->item(8 + i)->label;

    camera.eyeOffset[1] = 1.5f;
    prefs.paused = 1;
    d->buildPage(5, 1);
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(d->item(3))->value, 1.5f);
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(d->item(3))->maxValue, 16) << "twice the world size of 8";
    EXPECT_TRUE(d->item(9)->visible);

    multiPassCloudShadow = 0;
    d->buildPage(0, 1);
    EXPECT_FALSE(d->item(8)->visible);
    multiPassCloudShadow = 1;
}

TEST_F(Pages, TheSoundButtonIsMissingWithoutSound) {
    appState.soundEnabled = 0;
    d->buildPage(2, 1);
    EXPECT_EQ(d->itemCount, 8);
    for (int i = 0; i < d->itemCount; ++i) EXPECT_STRNE(d->item(i)->label, "Sound...");
    EXPECT_FLOAT_EQ(d->item(5)->position.y, 240) << "the next button moves up into its place";
}
