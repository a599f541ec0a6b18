// Page contents: the text style of menu and settings pages, the layout, and the values the widgets show.
#include "app/Globals.h"
#include "app/Startup.h"
#include "support/TestSupport.h"
#include "ui/DialogStack.h"
#include "ui/MenuPages.h"
#include "world/TerrainPasses.h"
#include <gtest/gtest.h>
#include <memory>

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
