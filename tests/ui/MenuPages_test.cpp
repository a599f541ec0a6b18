// Page contents: representative pages' widgets with ids, labels, ranges and scales, their layout and the values they show.
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

// Spot checks: widget `index` of `page` (0 is the title). scale: "IL" integer linear, "FQ" float quadratic, ...
struct Spot {
    int page, index, kind, id;
    const char* label;
    float lo, hi;
    const char* scale;
};

const Spot kSpots[] = {
    {1, 0, kTitle, 0, "Main Menu", 0, 0, ""},
    {1, 2, kButton, 3, "Options...", 0, 0, ""},
    {1, 6, kButton, 99, "Quit", 0, 0, ""},
    {5, 2, kSlider, 51, ",. Magnification/FOV", 5, 178, "IL"},
    {5, 3, kSlider, 521, "   CameraY", -16, 16, "FL"},  // +-2 x worldSize 8
    {5, 5, kSlider, 55, "F11/F12 Fade Effect", 0.01f, 1.0f, "FQ"},
    {10, 5, kSlider, 211, "Minimum Splinter Interval Secs", 5, 100, "IQ"},
    {10, 9, kSlider, 231, "Minimum Skip Interval Secs", 2, 100, "IQ"},
    {10, 8, kToggle, 230, "Horizontal/Vertical Skip", 0, 0, ""},
};

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

TEST_F(Pages, PagesHoldTheirWidgetsInOrder) {
    const std::pair<int, int> counts[] = {{1, 7}, {5, 11}, {10, 10}};
    for (auto [page, count] : counts) {
        d->buildPage(page, 1);
        EXPECT_EQ(d->itemCount, count) << "page " << page;
        EXPECT_EQ(d->item(1)->id, 93) << "every title brings its close box";
    }
    for (const Spot& e : kSpots) {
        SCOPED_TRACE(e.label);
        d->buildPage(e.page, 1);
        EXPECT_EQ(DialogItem::fontSize, e.page == 1 ? 20 : 10);
        DialogItem* item = d->item(e.index);
        EXPECT_EQ(item->kind, e.kind);
        EXPECT_EQ(item->id, e.id);
        EXPECT_STREQ(item->label, e.label);
        if (e.kind != kSlider) continue;
        auto* s = static_cast<SliderItem*>(item);
        EXPECT_FLOAT_EQ(s->minValue, e.lo);
        EXPECT_FLOAT_EQ(s->maxValue, e.hi);
        EXPECT_EQ(s->isInteger, e.scale[0] == 'I');
        EXPECT_EQ(s->isLinear, e.scale[1] == 'L');
    }
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
