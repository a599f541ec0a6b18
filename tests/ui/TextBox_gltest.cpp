// Text boxes drawn with the real font: glyph placement, pen movement, timed and cut messages.
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
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);  // wireframe scenes still get filled glyphs, and keep their mode
    box.drawText("HH", 100, 120, 20);
    GLint mode[2];
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_LINE);
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

TEST_F(TextGl, AMessageShowsForItsDurationOnlyAndIsCutToItsBuffer) {
    frameClock.time = 10.0;
    statusLine.setMessage("Saved Prefs");
    for (double t : {12.9, 13.0}) {
        beginTestFrame(320, 240);
        orthoProjection(0, 320, 0, 240);
        statusLine.position = Vec3(40, 60, 0);
        frameClock.time = t;
        statusLine.drawMessage();
        EXPECT_EQ(inkIn(20, 40, 200, 80) > 50, t < 13.0) << t;
    }
    EXPECT_EQ(statusLine.expiry, 0.0);
    statusLine.setMessagef("%s", std::string(200, 'x').c_str());
    EXPECT_EQ(std::string(statusLine.text), std::string(79, 'x'));
}
