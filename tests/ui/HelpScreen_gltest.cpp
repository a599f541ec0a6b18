// The intro scene's frame and logo in a real GL context.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include "ui/HelpScreen.h"
#include <GL/glu.h>
#include <gtest/gtest.h>

TEST(HelpScreenGl, IntroDrawsTheBlueFrameAndTheLogoInsideIt) {
    resetProgramState();
    effectRotors.init(9);
    Texture gradient, reflection;
    gradient.makeTexture1D(0, 0, 64.0f, 0);
    beginTestFrame(320, 240);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(50, 320.0 / 240.0, 0.01, 10);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(0, 0.2, 1.5, 0, 0.2, 0, 0, 1, 0);
    drawIntroScene(gradient, reflection);
    int blue = 0, white = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            Rgb p = readPixel(x, y);
            blue += p.b > 100 && p.r < 60 && p.g < 60;
            white += p.r > 150 && p.g > 150 && p.b > 150;
        }
    EXPECT_GT(blue, 300) << "the gradient frame";
    EXPECT_GT(white, 100) << "the logo lines (untextured white with an empty reflection image)";
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    float lineWidth = 0;
    glGetFloatv(GL_LINE_WIDTH, &lineWidth);
    EXPECT_EQ(lineWidth, 1.0f) << "the logo's wide lines end with it";
}
