// The frame in a real GL context: each universe's sky and fog, and the reshape rules.
#include "app/Frame.h"
#include "app/Globals.h"
#include "app/SettingCommands.h"
#include "support/TestSupport.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

TEST(UniverseGl, EachUniverseShowsItsOwnSkyAndFogAndTheBoxesStandOrTravel) {
    resetProgramState();
    ScratchDir dir(true);
    screen.width = 320, screen.height = 240, appState.worldSize = 8.0f;
    screen.zFarBase = 3.57f * 8.0f;  // as after start-up: the box corners lie inside the far plane
    appState.sceneIndex = 2;         // no scene over the sky
    prefs.clearScreen = 1, prefs.fade = 1.0f, prefs.cameraMode = 2;
    camera.fov = 90.0f, camera.eyeOffset[1] = 0.1f;
    camera.moveRotors = &cameraMoveRotors, camera.turnRotors = &cameraTurnRotors, cameraTurnRotors.count = 3;
    skyBox.load("");
    starField.starCount = 5000, starField.copies = 2, starField.shape = 0;
    starField.outerDiameter = 16.0f, starField.innerDiameter = 14.4f;
    starField.build();
    auto frame = [](const Vec3& eye) {
        camera.position = eye;
        camera.rotation = Vec3(-10, 30, 0);
        renderScene(320.0f / 240.0f);
        return readFrame(320, 240);
    };
    const int all = 320 * 240;
    // Lit: pixels of any colour but black; moved: pixels that change when the camera moves. In this order the
    // fog colour must change at every step: black under the stars, white under the sky boxes.
    const struct { int universe, leastLit, mostLit, leastMoved, mostMoved; float fog; } rows[] = {
        {2, all, all, 0, 0, 1}, {0, 0, 0, 0, 0, 0}, {3, all, all, all / 4, all, 1}, {1, 200, all / 10, 0, all, 0}};
    for (const auto& c : rows) {
        setUniverse(c.universe);
        float fog[4];
        glGetFloatv(GL_FOG_COLOR, fog);
        EXPECT_EQ(fog[0] + fog[1] + fog[2], 3 * c.fog) << "universe " << c.universe;
        std::vector<unsigned char> here = frame(Vec3(0, 1, 0)), there = frame(Vec3(4, 1, -3));
        int lit = 0, moved = 0;
        for (size_t i = 0; i < here.size(); i += 3) {
            lit += here[i] + here[i + 1] + here[i + 2] > 0;
            moved += std::abs(here[i] - there[i]) > 8 || std::abs(here[i + 1] - there[i + 1]) > 8 ||
                     std::abs(here[i + 2] - there[i + 2]) > 8;
        }
        EXPECT_TRUE(lit >= c.leastLit && lit <= c.mostLit) << "universe " << c.universe << ": " << lit;
        EXPECT_TRUE(moved >= c.leastMoved && moved <= c.mostMoved) << "universe " << c.universe << ": " << moved;
    }
    starField.release();

    // Reshape keeps the windowed size only when windowed, and never a zero height.
    prefs.fullScreen = 1, prefs.windowWidth = prefs.windowHeight = 450;
    reshapeHandler(1280, 1024);
    EXPECT_EQ(prefs.windowWidth + screen.width, 450 + 1280);
    prefs.fullScreen = 0;
    reshapeHandler(320, 240);
    EXPECT_EQ(mouse.warpX * 1000 + mouse.warpY, 160120) << "the pointer is sent back to the middle";
    reshapeHandler(320, 0);  // minimised: no size to restore
    EXPECT_EQ(prefs.windowWidth * 1000 + prefs.windowHeight, 320240);
    EXPECT_GT(screen.height, 0);
}
