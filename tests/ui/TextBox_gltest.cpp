// Text boxes drawn with the real font: glyph placement, pen movement and timed messages.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <tuple>

namespace {

class TextGl : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ScratchDir assets(true);
        fontTexture.loadBmpLumAlpha("font_256.bmp", -1, 0, 0);
        TextBox::font = &fontTexture;
        TextBox::effects = &miscRotors;
    }
    void SetUp() override {
        resetProgramState();
        prefs.textures = 1;
        beginTestFrame(320, 240);
        orthoProjection(0, 320, 0, 240);
    }
    // Counts lit pixels in a rectangle of the back buffer.
    static int inkIn(int x0, int y0, int x1, int y1) {
        int lit = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) lit += readPixel(x, y).r > 100;
        return lit;
    }
};

}  // namespace

TEST_F(TextGl, GlyphsLandAroundThePenAndThePenMovesDown) {
    TextBox box;
    box.drawText("HH", 100, 120, 20);
    EXPECT_FLOAT_EQ(box.position.y, 105.0f);
    // Each glyph spans a size to either side vertically and half a size horizontally around its centre,
    // the top slanted 3 pixels right: the box that fitting into a window reckons with holds all the ink.
    EXPECT_GT(inkIn(90, 100, 110, 140), 20);
    EXPECT_GT(inkIn(108, 100, 128, 140), 20);
    OverlayBox b = {100, 120, 100, 120};
    box.growBox(b, "HH", 100, 120, 20);
    EXPECT_EQ(std::make_tuple(b.left, b.bottom, b.right, b.top), std::make_tuple(90.0f, 100.0f, 131.0f, 140.0f));
    EXPECT_EQ(inkIn(0, 0, 90, 240) + inkIn(131, 0, 320, 240) + inkIn(0, 0, 320, 99) + inkIn(0, 141, 320, 240), 0);
    box.drawLine("");
    EXPECT_FLOAT_EQ(box.position.y, 90.0f);
}

TEST_F(TextGl, AMessageShowsForItsDurationOnly) {
    frameClock.time = 10.0;
    statusLine.position = Vec3(40, 60, 0);
    statusLine.setMessage("Saved Prefs");
    frameClock.time = 12.9;
    statusLine.drawMessage();
    EXPECT_GT(inkIn(20, 40, 200, 80), 50);
    beginTestFrame(320, 240);
    frameClock.time = 13.0;
    statusLine.position = Vec3(40, 60, 0);
    statusLine.drawMessage();
    EXPECT_EQ(inkIn(20, 40, 200, 80), 0);
    EXPECT_EQ(statusLine.expiry, 0.0);
}

TEST_F(TextGl, LongMessagesAreCutToTheBuffer) {
    std::string longText(200, 'x');
    statusLine.setMessagef("%s", longText.c_str());
    EXPECT_EQ(std::string(statusLine.text), std::string(79, 'x'));
}
