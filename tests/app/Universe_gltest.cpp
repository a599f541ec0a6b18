// The frame's sky in each universe: stars in universe 1, the sky box travelling with the camera in 2, standing in 3.
#include "app/Frame.h"
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class UniverseGl : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        screen.width = 320;
        screen.height = 240;
        appState.worldSize = 8.0f;
        screen.zFarBase = 3.57f * 8.0f;  // as after start-up: the box corners lie inside the far plane
        appState.sceneIndex = 2;  // no scene over the sky
        prefs.clearScreen = 1;
        prefs.fade = 1.0f;
        prefs.cameraMode = 2;
        camera.fov = 90.0f;
        camera.eyeOffset[1] = 0.1f;
        camera.moveRotors = &cameraMoveRotors;
        camera.turnRotors = &cameraTurnRotors;
        cameraTurnRotors.count = 3;
    }

    std::vector<unsigned char> frame(int universe, const Vec3& eye, float heading) {
        prefs.universe = universe;
        camera.position = eye;
        camera.rotation = Vec3(-10, heading, 0);
        renderScene(320.0f / 240.0f);
        return readFrame(320, 240);
    }
};

// Pixels of any colour but black.
int litPixels(const std::vector<unsigned char>& rgb) {
    int lit = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) lit += rgb[i] + rgb[i + 1] + rgb[i + 2] > 0;
    return lit;
}

int differingPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size(); i += 3)
        n += std::abs(a[i] - b[i]) > 8 || std::abs(a[i + 1] - b[i + 1]) > 8 || std::abs(a[i + 2] - b[i + 2]) > 8;
    return n;
}

}  // namespace

TEST_F(UniverseGl, EachUniverseShowsItsOwnSkyAndTheBoxesStandOrTravel) {
    ScratchDir dir(true);
    skyBox.load("");
    starField.starCount = 5000;
    starField.copies = 2;
    starField.shape = 0;
    starField.outerDiameter = 16.0f;
    starField.innerDiameter = 14.4f;
    starField.build();
    const int all = 320 * 240;
    struct Case {
        int universe, leastLit, mostLit;  // pixels of any colour but black
        int leastMoved, mostMoved;        // pixels that change when the camera moves
    };
    for (const Case& c : {Case{0, 0, 0, 0, 0}, Case{1, 200, all / 10, 0, all}, Case{2, all, all, 0, 0},
                          Case{3, all, all, all / 4, all}}) {
        std::vector<unsigned char> here = frame(c.universe, Vec3(0, 1, 0), 30);
        int lit = litPixels(here), moved = differingPixels(here, frame(c.universe, Vec3(4, 1, -3), 30));
        EXPECT_TRUE(lit >= c.leastLit && lit <= c.mostLit) << "universe " << c.universe << ": " << lit;
        EXPECT_TRUE(moved >= c.leastMoved && moved <= c.mostMoved) << "universe " << c.universe << ": " << moved;
    }
    starField.release();
}
