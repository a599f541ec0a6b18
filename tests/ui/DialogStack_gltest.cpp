// An open dialog drawn with the real controls picture: toggle colours, focus brightness and the slide.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include "ui/DialogStack.h"
#include <gtest/gtest.h>

TEST(DialogGl, TogglesShowTheirStateTheFocusBrightensAndTheDialogSlides) {
    ScratchDir assets(true);
    resetProgramState();
    controlsTexture.loadBmp("controls_128.bmp", -1, 0, 1);
    fontTexture.loadBmpLumAlpha("font_256.bmp", -1, 0, 0);
    TextBox::font = &fontTexture;
    TextBox::effects = &miscRotors;
    DialogItem::controls = &controlsTexture;
    DialogItem::textBox = &dialogText;
    screen.width = 320;  // the page fits: drawn where it stands
    screen.height = 240;
    DialogStack d;
    // Title row at 180; toggle on at (30, 130), toggle off at (30, 90), a half-way linear slider at (30, 50).
    d.cursorY = 180;
    d.addItem(kTitle, "", 0);
    d.addItem(kToggle, "", 1, 1.0f);
    d.addItem(kToggle, "", 2, 0.0f);
    d.addItem(kSlider, "", 3, 0.5f, 0, 1, 0, 1);
    d.targetOpen = 1.0f;
    auto draw = [&] {
        beginTestFrame(320, 240);
        orthoProjection(0, 320, 0, 240);
        d.drawDialog();
    };
    struct Sum { long r = 0, g = 0; int maxG = 0; };
    auto sumIn = [](int x0, int y0, int x1, int y1) {
        Sum s;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                Rgb p = readPixel(x, y);
                s.r += p.r;
                s.g += p.g;
                s.maxG = std::max(s.maxG, p.g);
            }
        return s;
    };
    // Opening takes a third of a second; the text brightens with it.
    frameClock.dt = 0.1f;
    draw();
    EXPECT_FLOAT_EQ(d.openLevel + dialogText.brightness, 0.6f);
    for (int i = 0; i < 5; ++i) draw();
    EXPECT_FLOAT_EQ(d.openLevel, 1.0f);
    Sum on = sumIn(30, 130, 60, 160), off = sumIn(30, 90, 60, 120);
    EXPECT_GT(on.g, 3 * on.r / 2) << "on is green";
    EXPECT_GT(off.r, 3 * off.g / 2) << "off is red";
    EXPECT_GT(on.g, 20000) << "the lamp is lit";
    d.focus = 2;
    draw();
    EXPECT_GT(sumIn(30, 130, 60, 160).maxG, on.maxG + 40) << "0.99 instead of 0.66 of full brightness";
    // Half open: slid in from the left, at half light; closed: nothing.
    d.openLevel = d.targetOpen = 0.5f;
    draw();
    EXPECT_GT(sumIn(17, 52, 33, 72).r / (16 * 20), 45) << "the knob 75 pixels left of its place, at half light";
    EXPECT_EQ(sumIn(100, 52, 116, 72).r, 0) << "the old knob place, right of the moved track's end at 95";
    d.openLevel = d.targetOpen = 0.0f;
    draw();
    EXPECT_EQ(sumIn(0, 0, 320, 240).g, 0);
    DialogItem::textBox = nullptr;
}
