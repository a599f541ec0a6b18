// The intro's frame and logo drawn in a real GL context (the scripted tours start after the intro).
#include "app/Globals.h"
#include "support/TestSupport.h"
#include "ui/HelpScreen.h"
#include <GL/glu.h>
#include <gtest/gtest.h>

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
