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
#include <vector>

namespace {

// kind: S slider, T toggle, B button; scale: "IL" integer linear, "FQ" float quadratic, ...
struct Expected {
    char kind;
    int id;
    const char* label;
    float lo, hi;
    const char* scale;
};

struct PageCase {
    int page;
    const char* title;
    int fontSize;
    std::vector<Expected> widgets;
};

const PageCase kPages[] = {
    {1, "Main Menu", 20, {
        {'B', 3, "Options...", 0, 0, ""}, {'B', 1, "Save...", 0, 0, ""}, {'B', 2, "Load...", 0, 0, ""},
        {'B', 300, "Replay Intro", 0, 0, ""}, {'B', 99, "Quit", 0, 0, ""}}},
    {5, "General", 10, {
        {'S', 51, ",. Magnification/FOV", 5, 178, "IL"},
        {'S', 521, "   CameraY", -16, 16, "FL"},  // +-2 x worldSize 8
        {'S', 52, "{} CameraZ", -16, 16, "FL"},
        {'S', 55, "F11/F12 Fade Effect", 0.01f, 1.0f, "FQ"},
        {'S', 59, "Letterbox", 0, 6.8f, "IL"},
        {'S', 58, "W PolygonMode", 0, 2.9f, "IL"},
        {'T', 96, "Screen Clear", 0, 0, ""}, {'T', 97, "Pause", 0, 0, ""}, {'B', 98, "Reset/Randomize", 0, 0, ""}}},
    {10, "Randoms", 10, {
        {'T', 30, "User Mode Master Control (User vs. Computer control)", 0, 0, ""},
        {'T', 210, "Screen Splinter Effect", 0, 0, ""},
        {'T', 212, "Show Splinter AND Main Render", 0, 0, ""},
        {'S', 211, "Minimum Splinter Interval Secs", 5, 100, "IQ"},
        {'T', 220, "FullScreen LightMaps", 0, 0, ""},
        {'S', 221, "Minimum LightMap Interval Secs", 2, 100, "IQ"},
        {'T', 230, "Horizontal/Vertical Skip", 0, 0, ""},
        {'S', 231, "Minimum Skip Interval Secs", 2, 100, "IQ"}}},
};

int kindOf(char c) { return c == 'S' ? kSlider : c == 'T' ? kToggle : kButton; }

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
    for (const PageCase& page : kPages) {
        SCOPED_TRACE("page " + std::to_string(page.page));
        d->buildPage(page.page, 1);
        ASSERT_EQ(d->itemCount, static_cast<int>(page.widgets.size()) + 2);
        EXPECT_EQ(d->item(0)->kind, kTitle);
        EXPECT_STREQ(d->item(0)->label, page.title);
        EXPECT_EQ(d->item(1)->id, 93);
        EXPECT_EQ(DialogItem::fontSize, page.fontSize);
        for (size_t i = 0; i < page.widgets.size(); ++i) {
            const Expected& e = page.widgets[i];
            DialogItem* item = d->item(static_cast<int>(i) + 2);
            SCOPED_TRACE(e.label);
            EXPECT_EQ(item->kind, kindOf(e.kind));
            EXPECT_EQ(item->id, e.id);
            EXPECT_STREQ(item->label, e.label);
            if (e.kind != 'S') continue;
            auto* s = static_cast<SliderItem*>(item);
            EXPECT_FLOAT_EQ(s->minValue, e.lo);
            EXPECT_FLOAT_EQ(s->maxValue, e.hi);
            EXPECT_EQ(s->isInteger, e.scale[0] == 'I');
            EXPECT_EQ(s->isLinear, e.scale[1] == 'L');
        }
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
    prefs.fov = 60;
    prefs.paused = 1;
    d->buildPage(5, 1);
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(d->item(2))->value, 60);
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
