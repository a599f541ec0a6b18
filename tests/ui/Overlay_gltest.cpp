// Overlays drawn in a real GL context: text boxes with the real font, the intro's frame and logo, and an open dialog.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include "ui/DialogStack.h"
#include "ui/HelpScreen.h"
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <tuple>

TEST(HelpScreenGl, IntroDrawsTheShadedBlueFrameAndTheReflectingLogoAndLeavesNoStateBehind) {
    resetProgramState();
    ScratchDir dir(true);
    effectRotors.init(9);
    Texture gradient, reflection;
    gradient.makeTexture1D(0, 0, 64.0f, 0);
    reflection.loadBmp("refl.bmp", -1, 0, 0);
    beginTestFrame(320, 240);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(50, 320.0 / 240.0, 0.01, 10);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(0, 0.2, 1.5, 0, 0.2, 0, 0, 1, 0);
    glLineWidth(2.0f);
    drawIntroScene(gradient, reflection);
    int blue = 0, paleBlue = 0, white = 0, tinted = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            Rgb p = readPixel(x, y);
            blue += p.b > 100 && p.r < 60 && p.g < 60;
            paleBlue += p.b > 100 && p.b < 200 && p.r < 60 && p.g < 60;
            white += p.r > 240 && p.g > 240 && p.b > 240;
            tinted += p.r + p.g + p.b > 150 && !(p.r > 240 && p.g > 240 && p.b > 240) && !(p.r < 60 && p.g < 60);
        }
    EXPECT_GT(blue, 3000) << "the frame";
    EXPECT_GT(paleBlue, 1000) << "shaded by its gradient, not flat blue";
    EXPECT_TRUE(tinted > 1000 && white < 100) << "the logo lines reflect their image, not plain white: " << white;
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    float lineWidth = 0;
    glGetFloatv(GL_LINE_WIDTH, &lineWidth);
    EXPECT_EQ(lineWidth, 2.0f) << "the logo's wide lines end with it";
}

// Lit pixels in a rectangle of the back buffer.
static int inkIn(int x0, int y0, int x1, int y1) {
    int lit = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) lit += readPixel(x, y).r > 100;
    return lit;
}

static void textFrame() {
    ScratchDir assets(true);
    resetProgramState();
    fontTexture.loadBmpLumAlpha("font_256.bmp", -1, 0, 0);
    TextBox::font = &fontTexture, TextBox::effects = &miscRotors, prefs.textures = 1;
    beginTestFrame(320, 240);
    orthoProjection(0, 320, 0, 240);
}

TEST(TextGl, GlyphsLandAroundThePenAndThePenMovesDown) {
    textFrame();
    TextBox box;
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);  // wireframe scenes still get filled glyphs, and keep their mode
    box.drawText("HH", 100, 120, 20);
    GLint mode[2];
    glGetIntegerv(GL_POLYGON_MODE, mode);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    EXPECT_EQ(mode[0] * 1000 + box.position.y, GL_LINE * 1000 + 105.0f) << "the mode kept, the pen a line down";
    // Each glyph spans a size to either side vertically and half a size horizontally around its centre,
    // the top slanted 3 pixels right: the box that fitting into a window reckons with holds all the ink.
    EXPECT_TRUE(inkIn(90, 100, 110, 140) > 20 && inkIn(108, 100, 128, 140) > 20);
    OverlayBox b = {100, 120, 100, 120};
    box.growBox(b, "HH", 100, 120, 20);
    EXPECT_EQ(std::make_tuple(b.left, b.bottom, b.right, b.top), std::make_tuple(90.0f, 100.0f, 131.0f, 140.0f));
    EXPECT_EQ(inkIn(0, 0, 90, 240) + inkIn(131, 0, 320, 240) + inkIn(0, 0, 320, 99) + inkIn(0, 141, 320, 240), 0);
    box.drawLine("");
    EXPECT_FLOAT_EQ(box.position.y, 90.0f);
}

TEST(TextGl, AMessageShowsForItsDurationOnlyAndIsCutToItsBuffer) {
    textFrame();
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


TEST(DialogGl, TheFocusBrightensAndTheDialogSlidesInAtItsOwnPace) {
    ScratchDir assets(true);
    resetProgramState();
    controlsTexture.loadBmp("controls_128.bmp", -1, 0, 1);
    DialogItem::controls = &controlsTexture;
    screen.width = 320, screen.height = 240;  // the page fits: drawn where it stands
    DialogStack d;
    // Title row at 180; a toggle on at (30, 130), a half-way linear slider at (30, 90).
    d.cursorY = 180;
    d.addItem(kTitle, "", 0);
    d.addItem(kToggle, "", 1, 1.0f);
    d.addItem(kSlider, "", 3, 0.5f, 0, 1, 0, 1);
    d.targetOpen = 1.0f;
    auto draw = [&] {
        beginTestFrame(320, 240);
        orthoProjection(0, 320, 0, 240);
        d.drawDialog();
    };
    auto sumIn = [](int x0, int y0, int x1, int y1, int channel) {
        long sum = 0, most = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                Rgb p = readPixel(x, y);
                int v = channel ? p.g : p.r;
                sum += v, most = std::max<long>(most, v);
            }
        return std::make_pair(sum, most);
    };
    frameClock.dt = 0.1f;  // opening takes a third of a second
    draw();
    EXPECT_FLOAT_EQ(d.openLevel, 0.3f);
    for (int i = 0; i < 5; ++i) draw();
    const long unfocused = sumIn(30, 130, 60, 160, 1).second;
    d.focus = 2;
    draw();
    EXPECT_GT(sumIn(30, 130, 60, 160, 1).second, unfocused + 40) << "0.99 instead of 0.66 of full brightness";
    // Half open: slid in from the left, at half light; closed: nothing.
    d.openLevel = d.targetOpen = 0.5f;
    draw();
    EXPECT_GT(sumIn(17, 92, 33, 112, 0).first / (16 * 20), 45) << "the knob 75 pixels left of its place, at half light";
    EXPECT_EQ(sumIn(100, 92, 116, 112, 0).first, 0) << "the old knob place, right of the moved track's end at 95";
    d.openLevel = d.targetOpen = 0.0f;
    draw();
    EXPECT_EQ(sumIn(0, 0, 320, 240, 1).first, 0);
}
