// Each universe's fog colour, whatever the universe before, and the reshape rules, in a real GL context.
#include "app/Frame.h"
#include "app/Globals.h"
#include "app/SettingCommands.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

TEST(UniverseGl, FogFollowsTheUniverseAndReshapeKeepsOnlyARealWindowedSize) {
    resetProgramState();
    ScratchDir dir(true);
    beginTestFrame(320, 240);
    std::string fogs;  // in this order the colour changes at every step: black under the stars, white under sky boxes
    for (int universe : {2, 0, 3, 1}) {
        float fog[4];
        setUniverse(universe);
        glGetFloatv(GL_FOG_COLOR, fog);
        fogs += std::to_string(int(fog[0] + fog[1] + fog[2]));
    }
    EXPECT_EQ(fogs, "3030");
    prefs.fullScreen = 1, prefs.windowWidth = prefs.windowHeight = 450;
    reshapeHandler(1280, 1024);
    prefs.fullScreen = 0;
    reshapeHandler(320, 0);  // minimised: no size to restore
    EXPECT_EQ(std::make_tuple(prefs.windowWidth, prefs.windowHeight, screen.width, screen.height, mouse.warpY),
              std::make_tuple(450, 450, 320, 1, 0));
    reshapeHandler(320, 240);
    EXPECT_EQ(std::make_tuple(prefs.windowWidth, prefs.windowHeight, mouse.warpX), std::make_tuple(320, 240, 160));
}
